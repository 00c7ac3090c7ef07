#include "report/rtf/TableRows.h"

#include "report/rtf/FontColorTables.h"
#include "report/rtf/Reader.h"

#include <QBrush>

#include <algorithm>

namespace velmaro::rtf {
namespace {

constexpr int kDefaultBorderTwips = 15;

} // namespace

void RowDefinition::AddCell(int right)
{
    if (cells_.size() >= static_cast<std::size_t>(kMaxTableColumns))
        return;
    cells_.push_back({right, pendingBorders_, pendingPadding_});
    pendingBorders_ = {};
    pendingPadding_ = {-1, -1, -1, -1};
    borderSide_ = -1;
}

void RowDefinition::DescribeBorder(Side side)
{
    borderSide_ = side;
    pendingBorders_[side] = {kDefaultBorderTwips, -1};
}

QTextTableFormat RowDefinition::TableFormat() const
{
    QTextTableFormat format;
    format.setBorder(0);
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(0);
    format.setAlignment(alignment_);
    format.setLeftMargin(std::max(0, left_) / kTwipsPerPixel);
    return format;
}

int RowDefinition::Columns() const
{
    return std::clamp(static_cast<int>(cells_.size()), 1, kMaxTableColumns);
}

void RowDefinition::ApplyTo(QTextTable &table, int row, const FontColorTables &tables) const
{
    int left = left_;
    QVector<QTextLength> widths;
    for (std::size_t c = 0; c < cells_.size(); ++c) {
        const CellDefinition &cell = cells_[c];
        widths.append(QTextLength(QTextLength::FixedLength,
                                  std::max(1, cell.right - left) / kTwipsPerPixel));
        left = cell.right;
        if (static_cast<int>(c) < table.columns())
            ApplyCellFormat(table.cellAt(row, static_cast<int>(c)), cell, tables);
    }
    if (row == 0 && !widths.isEmpty()) {
        QTextTableFormat format = table.format();
        const QTextLength last = widths.back(); // resize may move what back() refers to
        widths.resize(table.columns(), last);
        format.setColumnWidthConstraints(widths);
        format.setAlignment(alignment_);
        table.setFormat(format);
    }
}

void RowDefinition::ApplyCellFormat(QTextTableCell cell, const CellDefinition &definition,
                                    const FontColorTables &tables) const
{
    QTextTableCellFormat format = cell.format().toTableCellFormat();
    const auto padding = [&](Side side) {
        const int twips = definition.padding[side];
        return (twips >= 0 ? twips : (side == kLeft || side == kRight ? gap_ : 0)) /
               kTwipsPerPixel;
    };
    format.setTopPadding(padding(kTop));
    format.setLeftPadding(padding(kLeft));
    format.setBottomPadding(padding(kBottom));
    format.setRightPadding(padding(kRight));
    const auto width = [&](Side side) {
        const int twips = definition.borders[side].width;
        return twips > 0 ? std::max(1.0, twips / kTwipsPerPixel) : 0.0;
    };
    const auto brush = [&](Side side) {
        return QBrush(tables.Color(definition.borders[side].color).value_or(Qt::black));
    };
    format.setTopBorder(width(kTop));
    format.setLeftBorder(width(kLeft));
    format.setBottomBorder(width(kBottom));
    format.setRightBorder(width(kRight));
    format.setTopBorderBrush(brush(kTop));
    format.setLeftBorderBrush(brush(kLeft));
    format.setBottomBorderBrush(brush(kBottom));
    format.setRightBorderBrush(brush(kRight));
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    cell.setFormat(format);
}

// Content of a paragraph marked \intbl goes into the table, opened at its first cell;
// content of any other paragraph closes the table, and so does a cell past those a document
// may hold.
void Reader::FollowTable()
{
    Output &out = Out();
    const bool opensCell = !out.table.table || out.table.moveToCell;
    const bool inTable =
        State().paragraph.inTable && !(opensCell && tableCells_ >= kMaxTableCells);
    if (inTable && !out.table.table)
        StartTable(out);
    else if (!inTable && out.table.table)
        LeaveTable(out);
    if (out.table.table && out.table.moveToCell)
        MoveToCell(out);
}

void Reader::StartTable(Output &out)
{
    FlushText(out);
    out.table = TableInProgress{};
    out.table.table = out.cursor.insertTable(1, row_.Columns(), row_.TableFormat());
    ++tableCells_;
    ForgetBlockFormats(out);
    out.blockPending = false;
    out.afterPrevious = 0;
}

void Reader::LeaveTable(Output &out)
{
    FlushText(out);
    DropRowsMadeAhead(out.table);
    out.cursor = out.table.table->lastCursorPosition();
    out.cursor.movePosition(QTextCursor::NextBlock);
    ForgetBlockFormats(out);
    out.table = TableInProgress{};
    out.blockPending = false;
    out.afterPrevious = 0;
}

void Reader::MoveToCell(Output &out)
{
    FlushText(out);
    ForgetBlockFormats(out);
    TableInProgress &t = out.table;
    // EndRow and EndCell move on one row or cell at a time, and only from one content opened:
    // one more row or column is all a move can need.
    if (t.row >= t.rows) {
        // Rows are made ahead, as many as there are: Qt rebuilds its grid of a table's cells
        // after each change of its rows, which a row at a time would pay once per row.
        if (t.row >= t.table->rows())
            t.table->appendRows(t.table->rows());
        t.rows = t.row + 1;
    }
    if (t.column >= t.table->columns() && t.column < kMaxTableColumns)
        t.table->appendColumns(1);
    t.column = std::min(t.column, t.table->columns() - 1);
    out.cursor = t.table->cellAt(t.row, t.column).firstCursorPosition();
    ++tableCells_;
    t.moveToCell = false;
    out.blockPending = false;
    out.afterPrevious = 0;
    formatDirty_ = true;
}

// The table keeps the rows content opened.
void Reader::DropRowsMadeAhead(TableInProgress &t)
{
    if (t.table->rows() > t.rows)
        t.table->removeRows(t.rows, t.table->rows() - t.rows);
}

void Reader::EndCell()
{
    State().paragraph.inTable = true;
    FollowTable();
    if (!Out().table.table) // past the cells a document may hold
        return EndParagraph();
    EndLastParagraph(Out());
    TableInProgress &t = Out().table;
    ++t.column;
    t.moveToCell = true;
}

// A row that no cell has opened, such as a second \row in a row, ends nothing: the next row
// goes where it would have gone.
void Reader::EndRow()
{
    Output &out = Out();
    TableInProgress &t = out.table;
    if (!t.table || t.row >= t.rows)
        return;
    FlushText(out);
    row_.ApplyTo(*t.table, t.row, tables_);
    ++t.row;
    t.column = 0;
    t.moveToCell = true;
}

} // namespace velmaro::rtf
