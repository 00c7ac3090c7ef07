#include "tables/Seleccion.h"

#include "controls/MessagePresenter.h"
#include "tables/DataGrid.h"
#include "tables/ReferenceTables.h"
#include "tables/TableModel.h"

#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include <string>

namespace velmaro {

namespace {

constexpr int ClientWidth = 522;
constexpr int ClientHeight = 285;
constexpr int MinimumOuterWidth = 530;

// Anchors of the controls, in client-area pixels.
constexpr int GridLeft = 8;
constexpr int GridTop = 7;
constexpr int GridRightMargin = 7;
constexpr int GridBottomMargin = 28;
// The buttons stand 2 px above the bottom edge, so that all of their 25 px show.
constexpr int ButtonTopFromBottom = 27;
constexpr int ButtonHeight = 25;
constexpr int OkLeftFromRight = 185;
constexpr int OkWidth = 87;
constexpr int CancelLeftFromRight = 90;
constexpr int CancelWidth = 85;

const QColor HeadingGreen(192, 220, 192);

const QString FlagMostrar = QStringLiteral("FlagMostrar");
const QString FlagColor = QStringLiteral("FlagColor");

bool IsOne(const CellValue &flag)
{
    const auto *value = std::get_if<std::int32_t>(&flag);
    return value && *value == 1;
}

FieldDef FieldForCode(const QString &name, int code, int stringSize)
{
    switch (code) {
    case static_cast<int>(FieldType::String): return {name, FieldType::String, stringSize};
    case static_cast<int>(FieldType::Integer): return {name, FieldType::Integer};
    case static_cast<int>(FieldType::Float): return {name, FieldType::Float};
    }
    throw TableError("Unknown field type code " + std::to_string(code) + " for field '" + name.toStdString() + "'");
}

void RequireCount(qsizetype given, qsizetype expected, const char *what)
{
    if (given != expected)
        throw TableError(std::string(what) + ": " + std::to_string(given) + " entries given for "
                         + std::to_string(expected) + " fields");
}

} // namespace

TSeleccionForm::TSeleccionForm(QWidget *owner) : QDialog(owner)
{
    setWindowTitle(QStringLiteral("Seleccionar Dato"));
    CreateControls();
    resize(ClientWidth, ClientHeight);
    setMinimumWidth(MinimumOuterWidth - NominalFrameWidth);
    Grid->setFocus();
}

TSeleccionForm::~TSeleccionForm() = default;

void TSeleccionForm::CreateControls()
{
    DS = new TableModel(MD, this);
    Grid = new DataGrid(this);
    Grid->setModel(DS);
    Grid->SetDrawCellHook([this](QPainter &painter, const QRect &rect, const QModelIndex &cell, bool selected) {
        GridDrawDataCell(painter, rect, cell, selected);
    });
    connect(Grid->selectionModel(), &QItemSelectionModel::currentChanged, this, &TSeleccionForm::FollowCurrentCell);
    connect(Grid, &DataGrid::CellDrawFailed, this, &TSeleccionForm::ReportError);

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { done(ModalResultOk); });

    // Auto-default, so that Return on the focused "Cancelar" presses it and not OK.
    BitBtn2 = new QPushButton(QStringLiteral("Cancelar"), this);
    connect(BitBtn2, &QPushButton::clicked, this, &TSeleccionForm::reject);
}

void TSeleccionForm::PlaceControls()
{
    const int w = width();
    const int h = height();
    Grid->setGeometry(GridLeft, GridTop, w - GridLeft - GridRightMargin, h - GridTop - GridBottomMargin);
    BitBtn1->setGeometry(w - OkLeftFromRight, h - ButtonTopFromBottom, OkWidth, ButtonHeight);
    BitBtn2->setGeometry(w - CancelLeftFromRight, h - ButtonTopFromBottom, CancelWidth, ButtonHeight);
}

void TSeleccionForm::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    PlaceControls();
}

void TSeleccionForm::LoadTable(const QString &id)
{
    // Start from a closed table, so that an id naming no table fails here even after an
    // earlier load.
    DS->Clear();
    MD.Close();
    BuildReferenceTable(*this, id);
    MD.First();
    Grid->setCurrentIndex(DS->index(0, 0));
    Grid->scrollToTop();
    GridCellChanged();
}

void TSeleccionForm::DefineFields(const QStringList &names, const QList<int> &types, int stringSize)
{
    RequireCount(types.size(), names.size(), "Field types");
    DS->Clear();
    if (MD.Active())
        MD.Close();
    MD.ClearFieldDefs();
    columnWidths_.assign(static_cast<std::size_t>(names.size()), 0);
    for (qsizetype i = 0; i < names.size(); ++i) {
        MD.AddFieldDef(FieldForCode(names[i], types[i], stringSize));
        columnWidths_[static_cast<std::size_t>(i)] = static_cast<int>(names[i].size());
    }
}

void TSeleccionForm::AppendRow(const std::vector<CellValue> &values)
{
    if (!MD.Active())
        MD.Open();
    RequireCount(static_cast<qsizetype>(values.size()), MD.FieldCount(), "Row values");
    MD.Append();
    try {
        for (std::size_t i = 0; i < values.size(); ++i)
            MD.SetField(static_cast<int>(i), values[i]);
        MD.Post();
    } catch (...) {
        MD.Cancel();
        throw;
    }
    const int row = MD.RecordCount() - 1;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const CellValue &stored = MD.Cell(row, static_cast<int>(i));
        if (!IsNull(stored))
            columnWidths_[i] = std::max(columnWidths_[i], static_cast<int>(CellText(stored).size()));
    }
    DS->SyncRows();
}

void TSeleccionForm::SetGridColumns(const QStringList &titles)
{
    if (!MD.Active())
        MD.Open();
    RequireCount(titles.size(), MD.FieldCount(), "Grid titles");
    const auto isFlag = [this](int field, const QString &name) {
        return MD.FieldCount() > field && MD.Field(field).name == name && MD.Field(field).type == FieldType::Integer;
    };
    if (!isFlag(0, FlagMostrar) || !isFlag(1, FlagColor))
        throw TableError("The first two fields must be the Integer fields FlagMostrar and FlagColor");

    std::vector<GridColumn> columns;
    std::vector<int> widths;
    for (qsizetype i = 2; i < titles.size(); ++i) {
        const int chars = columnWidths_[static_cast<std::size_t>(i)];
        columns.push_back({titles[i], chars, titles[i]});
        widths.push_back(chars);
    }
    DS->SetColumns(std::move(columns));
    Grid->SetColumnWidthsInChars(widths);
}

int TSeleccionForm::CurrentRowPosition() const
{
    return MD.RecNo();
}

int TSeleccionForm::CurrentField() const
{
    const QModelIndex current = Grid->currentIndex();
    if (!current.isValid())
        throw TableError("No cell is current");
    return DS->FieldOf(current.column());
}

double TSeleccionForm::CurrentCellValue() const
{
    const CellValue &value = MD.Value(CurrentField());
    if (const auto *d = std::get_if<double>(&value))
        return *d;
    if (const auto *i = std::get_if<std::int32_t>(&value))
        return *i;
    throw TableError(IsNull(value) ? "The current cell holds no value" : "The current cell holds no number");
}

bool TSeleccionForm::HasFloatField() const
{
    for (int f = 0; f < MD.FieldCount(); ++f)
        if (MD.Field(f).type == FieldType::Float)
            return true;
    return false;
}

void TSeleccionForm::FollowCurrentCell(const QModelIndex &current)
{
    try {
        if (current.isValid() && MD.Active())
            MD.MoveTo(current.row());
    } catch (const std::exception &error) {
        ReportError(QString::fromStdString(error.what()));
    }
    GridCellChanged();
}

void TSeleccionForm::GridCellChanged()
{
    try {
        bool enable = false;
        if (Grid->currentIndex().isValid() && MD.Active()) {
            if (!HasFloatField()) {
                enable = true;
            } else {
                const int field = CurrentField();
                enable = MD.Field(field).type == FieldType::Float && !IsNull(MD.Cell(Grid->currentIndex().row(), field));
            }
        }
        BitBtn1->setEnabled(enable);
    } catch (const std::exception &error) {
        BitBtn1->setEnabled(false);
        ReportError(QString::fromStdString(error.what()));
    }
}

void TSeleccionForm::GridDrawDataCell(QPainter &painter, const QRect &rect, const QModelIndex &cell, bool selected) const
{
    const int row = cell.row();
    const int field = DS->FieldOf(cell.column());
    const QColor background = selected ? Grid->palette().color(QPalette::Active, QPalette::Highlight)
                              : IsOne(MD.Cell(row, 1)) ? QColor(Qt::white)
                                                       : HeadingGreen;
    painter.fillRect(rect, background);
    if (!IsOne(MD.Cell(row, 0)) && MD.Field(field).type == FieldType::Float)
        return;
    painter.setPen(selected ? Grid->palette().color(QPalette::Active, QPalette::HighlightedText) : QColor(Qt::black));
    painter.setFont(Grid->font());
    painter.drawText(rect.adjusted(1, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     CellText(MD.Cell(row, field)));
}

QSize TSeleccionForm::FrameAllowance() const
{
    if (shown_)
        return frameGeometry().size() - size();
    return {NominalFrameWidth, NominalFrameHeight};
}

void TSeleccionForm::SetOuterSize(int w, int h)
{
    const QSize frame = FrameAllowance();
    resize(w - frame.width(), h - frame.height());
}

void TSeleccionForm::SetOuterWidth(int w)
{
    resize(w - FrameAllowance().width(), height());
}

void TSeleccionForm::setVisible(bool visible)
{
    if (visible && !shown_ && !testAttribute(Qt::WA_Moved)) {
        const QScreen *screen = parentWidget() ? parentWidget()->screen() : this->screen();
        if (screen) {
            const QSize outer = size() + FrameAllowance();
            const QRect desk = screen->availableGeometry();
            move(desk.center() - QPoint(outer.width() / 2, outer.height() / 2));
        }
    }
    QDialog::setVisible(visible);
    if (visible)
        shown_ = true;
}

void TSeleccionForm::reject()
{
    done(ModalResultCancel);
}

void TSeleccionForm::ReportError(const QString &message)
{
    ShowApplicationError(message, this);
}

} // namespace velmaro
