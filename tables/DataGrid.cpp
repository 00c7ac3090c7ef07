#include "tables/DataGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>
#include <QStyledItemDelegate>

#include <cmath>
#include <numeric>

namespace velmaro {

namespace {

constexpr int DataPointSize = 8;
constexpr int TitlePointSize = 9;
constexpr int IndicatorWidth = 14;
// Pixels a column needs beyond its characters: the 1 px text inset, the column line and air.
constexpr int ColumnPadding = 6;

QFont BoldAppFont(int pointSize)
{
    QFont font = QApplication::font();
    font.setPointSize(pointSize);
    font.setBold(true);
    return font;
}

// Row header that marks the current row with a small triangle and shows nothing else.
class RowIndicatorHeader : public QHeaderView {
public:
    explicit RowIndicatorHeader(QWidget *parent) : QHeaderView(Qt::Vertical, parent) {}

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override
    {
        painter->save();
        QHeaderView::paintSection(painter, rect, logicalIndex);
        painter->restore();
        const auto *view = qobject_cast<const QAbstractItemView *>(parentWidget());
        if (!view || view->currentIndex().row() != logicalIndex)
            return;
        const int half = std::min(4, (rect.height() - 2) / 2);
        const QPointF tip(rect.center().x() + half / 2.0 + 1, rect.center().y() + 0.5);
        QPainterPath arrow;
        arrow.moveTo(tip.x() - half, tip.y() - half);
        arrow.lineTo(tip);
        arrow.lineTo(tip.x() - half, tip.y() + half);
        arrow.closeSubpath();
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->fillPath(arrow, palette().color(QPalette::WindowText));
        painter->restore();
    }
};

// Hands every data cell to the grid's drawing hook, then draws the line between columns.
class DataCellDelegate : public QStyledItemDelegate {
public:
    explicit DataCellDelegate(DataGrid *grid) : QStyledItemDelegate(grid), grid_(grid) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QRect cell = option.rect.adjusted(0, 0, -1, 0);
        if (const auto &hook = grid_->DrawCell()) {
            painter->save();
            try {
                hook(*painter, cell, index, index == grid_->currentIndex());
            } catch (const std::exception &error) {
                ReportOnce(error.what());
            }
            painter->restore();
        }
        painter->save();
        painter->setPen(grid_->palette().color(QPalette::Mid));
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        painter->restore();
    }

private:
    // A failing cell would fail on every repaint: tell once, after the paint is over.
    void ReportOnce(const QString &message) const
    {
        if (reported_)
            return;
        reported_ = true;
        QMetaObject::invokeMethod(grid_, [grid = grid_, message] { emit grid->CellDrawFailed(message); },
                                  Qt::QueuedConnection);
    }

    DataGrid *grid_;
    mutable bool reported_ = false;
};

} // namespace

std::vector<int> ShareOutWidth(const std::vector<double> &weights, int total)
{
    std::vector<int> widths;
    if (weights.empty())
        return widths;
    double sum = std::accumulate(weights.begin(), weights.end(), 0.0);
    const bool equal = !(sum > 0);
    if (equal)
        sum = static_cast<double>(weights.size());
    double running = 0;
    int edge = 0;
    for (double w : weights) {
        running += equal ? 1.0 : std::max(w, 0.0);
        const int next = static_cast<int>(std::lround(running / sum * total));
        widths.push_back(next - edge);
        edge = next;
    }
    return widths;
}

DataGrid::DataGrid(QWidget *parent) : QTableView(parent)
{
    setFont(BoldAppFont(DataPointSize));
    setVerticalHeader(new RowIndicatorHeader(this));
    setItemDelegate(new DataCellDelegate(this));

    setShowGrid(false);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    QHeaderView *titles = horizontalHeader();
    const QFont titleFont = BoldAppFont(TitlePointSize);
    titles->setFont(titleFont);
    // Word wrap is a text flag the header passes on to the style with its alignment.
    titles->setDefaultAlignment(Qt::Alignment::fromInt(Qt::AlignCenter | Qt::TextWordWrap));
    titles->setTextElideMode(Qt::ElideNone);
    titles->setHighlightSections(false);
    titles->setSectionsClickable(false);
    titles->setStretchLastSection(false);
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setMinimumSectionSize(8);
    titles->setFixedHeight(2 * QFontMetrics(titleFont).lineSpacing() + 6);
    connect(titles, &QHeaderView::sectionResized, this, [this] { RememberUserWidths(); });

    QHeaderView *rows = verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Interactive);
    rows->setMinimumSectionSize(4);
    rows->setDefaultSectionSize(fontMetrics().lineSpacing() + 4);
    rows->setFixedWidth(IndicatorWidth);
}

void DataGrid::SetDrawCellHook(DrawCellHook hook)
{
    drawCell_ = std::move(hook);
}

int DataGrid::PixelsForChars(int chars) const
{
    return chars * fontMetrics().averageCharWidth() + ColumnPadding;
}

void DataGrid::SetColumnWidthsInChars(const std::vector<int> &chars)
{
    weights_.clear();
    fitting_ = true;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        const int pixels = PixelsForChars(chars[i]);
        weights_.push_back(pixels);
        setColumnWidth(static_cast<int>(i), pixels);
    }
    fitting_ = false;
    FitColumns();
}

void DataGrid::FitColumns()
{
    if (!model() || weights_.size() != static_cast<std::size_t>(model()->columnCount()))
        return;
    const int total = viewport()->width();
    if (total <= 0)
        return;
    const std::vector<int> widths = ShareOutWidth(weights_, total);
    fitting_ = true;
    for (std::size_t i = 0; i < widths.size(); ++i)
        setColumnWidth(static_cast<int>(i), widths[i]);
    fitting_ = false;
}

void DataGrid::RememberUserWidths()
{
    if (fitting_ || !model())
        return;
    weights_.clear();
    for (int i = 0; i < model()->columnCount(); ++i)
        weights_.push_back(columnWidth(i));
}

bool DataGrid::viewportEvent(QEvent *event)
{
    const bool handled = QTableView::viewportEvent(event);
    // Only a change of width: a scroll bar that a dragged column brings must not undo the drag.
    if (event->type() == QEvent::Resize) {
        const auto *resize = static_cast<QResizeEvent *>(event);
        if (resize->size().width() != resize->oldSize().width())
            FitColumns();
    }
    return handled;
}

void DataGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    verticalHeader()->viewport()->update();
}

} // namespace velmaro
