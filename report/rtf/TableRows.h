#pragma once

// The row definition of an RTF table: the properties from \trowd to \row, which describe the
// row that \row closes, and how they shape that row of the QTextTable.

#include "report/rtf/ReaderState.h"

#include <QTextTable>

#include <array>
#include <vector>

namespace velmaro::rtf {

class FontColorTables;

inline constexpr int kMaxTableColumns = 64;
// Qt lays out a table cell far slower than a paragraph, and slower the longer its table: past
// this many cells in a document, table content reads as plain paragraphs, one to a cell, so
// that no template takes long to show.
inline constexpr int kMaxTableCells = 1000;

struct Border {
    int width = 0; // twips, 0 for none
    int color = -1;
};

struct CellDefinition {
    int right = 0;
    std::array<Border, 4> borders;
    std::array<int, 4> padding{-1, -1, -1, -1}; // twips, -1 for the row's gap
};

class RowDefinition {
public:
    // \cellxN: a cell ends at N, with the borders and padding described before it.
    void AddCell(int right);
    // \clbrdrX: the \brdr words that follow describe this side of the next cell.
    void DescribeBorder(Side side);
    void SetBorderWidth(int twips) { SetBorder(&Border::width, twips); }
    void SetBorderColor(int color) { SetBorder(&Border::color, color); }
    void SetPadding(Side side, int twips) { pendingPadding_[side] = twips; }
    void SetAlignment(Qt::Alignment alignment) { alignment_ = alignment; }
    void SetLeft(int twips) { left_ = twips; }
    void SetGap(int twips) { gap_ = twips; }

    // The format of a table that starts with this row.
    QTextTableFormat TableFormat() const;
    // The columns such a table opens with: one per cell, at least one.
    int Columns() const;
    // The row's cells take their widths, borders and padding; the first row sets the table's
    // columns. row is one of the table's rows.
    void ApplyTo(QTextTable &table, int row, const FontColorTables &tables) const;

private:
    template <class T>
    void SetBorder(T Border::*member, T value)
    {
        if (borderSide_ >= 0)
            pendingBorders_[static_cast<std::size_t>(borderSide_)].*member = value;
    }
    void ApplyCellFormat(QTextTableCell cell, const CellDefinition &definition,
                         const FontColorTables &tables) const;

    std::vector<CellDefinition> cells_;
    std::array<Border, 4> pendingBorders_;
    std::array<int, 4> pendingPadding_{-1, -1, -1, -1};
    int borderSide_ = -1; // the side the \brdr words describe
    Qt::Alignment alignment_ = Qt::AlignLeft;
    int left_ = 0;
    int gap_ = 0;
};

} // namespace velmaro::rtf
