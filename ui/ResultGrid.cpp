#include "ui/ResultGrid.h"

#include "controls/MessagePresenter.h"
#include "controls/SciEdit.h"
#include "text/MachineText.h"
#include "ui/GridText.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QPainter>
#include <QSaveFile>
#include <qdrawutil.h>

#include <algorithm>

namespace velmaro {

namespace {

constexpr int kColumnWidth = 112;
constexpr int kRowHeight = 17;

// The heading row drawn as a grid's fixed row: a raised cell in the button face with its text
// 2 pixels in, so that a 17-pixel row holds the whole line of text.
class HeadingRow final : public QHeaderView {
public:
    explicit HeadingRow(QWidget *parent) : QHeaderView(Qt::Horizontal, parent) {}

protected:
    void paintSection(QPainter *painter, const QRect &rect, int section) const override
    {
        painter->save();
        painter->fillRect(rect, palette().button());
        qDrawShadePanel(painter, rect, palette(), false, 1);
        painter->setPen(palette().color(QPalette::ButtonText));
        painter->drawText(rect.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter,
                          model()->headerData(section, orientation(), Qt::DisplayRole).toString());
        painter->restore();
    }
};

} // namespace

ResultGridModel::ResultGridModel(int columns, int rows, QObject *parent)
    : QAbstractTableModel(parent), dataRows_(std::max(rows, 1) - 1),
      headings_(static_cast<std::size_t>(columns)), values_(static_cast<std::size_t>(columns))
{
}

void ResultGridModel::SetRowCount(int rows)
{
    const int dataRows = std::max(rows, 1) - 1;
    if (dataRows == dataRows_)
        return;
    beginResetModel();
    dataRows_ = dataRows;
    endResetModel();
}

QString ResultGridModel::Cell(int column, int row) const
{
    if (column < 0 || column >= columnCount() || row < 0 || row > dataRows_)
        return {};
    if (row == 0)
        return headings_[static_cast<std::size_t>(column)];
    return ValueText(column, row - 1);
}

void ResultGridModel::SetHeading(int column, const QString &text)
{
    if (column < 0 || column >= columnCount())
        return;
    headings_[static_cast<std::size_t>(column)] = text;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void ResultGridModel::SetColumnValues(int column, std::vector<double> values)
{
    if (column < 0 || column >= columnCount())
        return;
    values_[static_cast<std::size_t>(column)] = std::move(values);
    if (dataRows_ > 0)
        emit dataChanged(index(0, column), index(dataRows_ - 1, column), {Qt::DisplayRole});
}

void ResultGridModel::SetColumnNames(std::vector<ColumnName> names)
{
    names_ = std::move(names);
}

QString ResultGridModel::CsvHeading(int column) const
{
    const QString heading = Cell(column, 0);
    if (column < 0 || column >= static_cast<int>(names_.size()))
        return heading;
    const ColumnName &name = names_[static_cast<std::size_t>(column)];
    QString unit = name.unit;
    if (unit.isEmpty()) {
        unit = heading;
        if (unit.startsWith(QLatin1Char('[')) && unit.endsWith(QLatin1Char(']')))
            unit = unit.mid(1, unit.size() - 2);
    }
    return unit.isEmpty() ? name.name : name.name + QStringLiteral(" [") + unit + QLatin1Char(']');
}

std::optional<double> ResultGridModel::ShownValue(int column, int row) const
{
    if (column < 0 || column >= columnCount() || row < 1 || row > dataRows_)
        return std::nullopt;
    const auto &values = values_[static_cast<std::size_t>(column)];
    if (row > static_cast<int>(values.size()))
        return std::nullopt;
    const double value = values[static_cast<std::size_t>(row - 1)];
    return negativeAsZero_ && value < 0 ? 0.0 : value;
}

QString ResultGridModel::ValueText(int column, int dataRow) const
{
    const auto &values = values_[static_cast<std::size_t>(column)];
    if (dataRow >= static_cast<int>(values.size()))
        return {};
    const std::string text = ListingText(values[static_cast<std::size_t>(dataRow)]);
    if (negativeAsZero_) {
        const auto number = ReadNumber(text, '.');
        if (number && *number < 0)
            return QStringLiteral("0");
    }
    return QString::fromStdString(text);
}

int ResultGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : dataRows_;
}

int ResultGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(headings_.size());
}

QVariant ResultGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return ValueText(index.column(), index.row());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

QVariant ResultGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    if (role == Qt::DisplayRole)
        return headings_[static_cast<std::size_t>(section)];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags ResultGridModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

ResultGrid::ResultGrid(QWidget *parent, const char *name, int columns, int rows)
    : QTableView(parent), model_(columns, rows, this)
{
    setObjectName(QString::fromLatin1(name));
    setModel(&model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Whole rows, whatever the desktop style prefers: a row cut at the top reads as another.
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);

    QHeaderView *rowsHeader = verticalHeader();
    rowsHeader->hide();
    rowsHeader->setMinimumSectionSize(kRowHeight);
    rowsHeader->setSectionResizeMode(QHeaderView::Fixed);
    rowsHeader->setDefaultSectionSize(kRowHeight);

    // The heading row: fixed at the top, as high as a row, not a button.
    auto *heading = new HeadingRow(this);
    setHorizontalHeader(heading);
    heading->setMinimumSectionSize(1);
    heading->setDefaultSectionSize(kColumnWidth);
    heading->setSectionResizeMode(QHeaderView::Fixed);
    heading->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    heading->setHighlightSections(false);
    heading->setSectionsClickable(false);
    heading->setFixedHeight(kRowHeight);

    QPalette colours = palette();
    colours.setColor(QPalette::Base, kReadOnlyBackground);
    colours.setColor(QPalette::Window, kReadOnlyBackground);
    setPalette(colours);
    setAutoFillBackground(true);

    // The table leaves the window whole: the menu and Ctrl+C act on every row, not a selection.
    CopyTableAction = new QAction(QStringLiteral("Copy table"), this);
    CopyTableAction->setShortcut(QKeySequence::Copy);
    CopyTableAction->setShortcutContext(Qt::WidgetShortcut);
    connect(CopyTableAction, &QAction::triggered, this, [this] { CopyTable(); });
    SaveCsvAction = new QAction(QStringLiteral("Save as CSV..."), this);
    connect(SaveCsvAction, &QAction::triggered, this,
            [this] { GuardEntryPoint(this, [this] { SaveCsvAsked(); }); });
    addActions({CopyTableAction, SaveCsvAction});
    contextMenu_ = new QMenu(this);
    contextMenu_->addActions(actions());

    AskCsvPath = [](QWidget *owner, const QString &proposed) {
        QString path = QFileDialog::getSaveFileName(owner, QStringLiteral("Save as CSV"), proposed,
                                                    QStringLiteral("CSV file (*.csv)"));
        if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".csv");
        return path;
    };
}

void ResultGrid::CopyTable() const
{
    QGuiApplication::clipboard()->setText(GridCopyText(model_));
}

bool ResultGrid::SaveCsv(const QString &path)
{
    const QByteArray csv = GridCsv(model_);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size() || !file.commit()) {
        ShowErrorMessage(QStringLiteral("The table could not be saved to \"%1\": %2")
                             .arg(path, file.errorString()),
                         this);
        return false;
    }
    return true;
}

void ResultGrid::SaveCsvAsked()
{
    // Named after what the table lists: "discharge.csv".
    const auto &names = model_.ColumnNames();
    const QString stem = names.empty() ? objectName() : names.back().name;
    const QString path = AskCsvPath(this, stem + QStringLiteral(".csv"));
    if (!path.isEmpty())
        SaveCsv(path);
}

void ResultGrid::contextMenuEvent(QContextMenuEvent *event)
{
    contextMenu_->popup(event->globalPos());
}

void ResultGrid::updateGeometries()
{
    FitColumnsToView();
    QTableView::updateGeometries();
    HoldWholeRows();
}

// The rows scroll by whole rows, and the view scrolled to its end shows the last row at its
// foot: the view is made a whole number of rows high so that its first row is then whole too.
// The few pixels left over below it are part of the grid's blank background.
void ResultGrid::HoldWholeRows()
{
    const QMargins margins = viewportMargins();
    const int height = viewport()->height() + margins.bottom();
    const int leftOver = height > kRowHeight ? height % kRowHeight : 0;
    if (leftOver != margins.bottom())
        setViewportMargins(margins.left(), margins.top(), margins.right(), leftOver);
}

// The columns share the visible width exactly, so nothing lies beyond it to scroll to: the ones
// before the last keep their width while the last still has room for a number, and the last
// gives way to the vertical scroll bar.
void ResultGrid::FitColumnsToView()
{
    const int columns = model_.columnCount();
    if (columns == 0)
        return;
    const int visible = viewport()->width();
    const int leading = visible - (columns - 1) * kColumnWidth >= kColumnWidth / 2
                            ? kColumnWidth
                            : visible / columns;
    QHeaderView *heading = horizontalHeader();
    for (int column = 0; column + 1 < columns; ++column)
        heading->resizeSection(column, leading);
    heading->resizeSection(columns - 1, std::max(visible - (columns - 1) * leading, 1));
}

} // namespace velmaro
