#include "report/ReportPages.h"

#include "report/PageSetup.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>

#include <algorithm>

namespace velmaro {
namespace {

constexpr double kInchesPerMeter = 1 / 0.0254;
// What the layout draws is clipped this many pixels within its part of the page, so that the
// paragraphs touching it are not drawn with it.
constexpr double kEdge = 0.5;

using Piece = ReportPages::Piece;

// The height a line takes in its paragraph, which may set it apart from its font's.
double LineHeight(const QTextBlockFormat &format, const QTextLine &line)
{
    switch (format.lineHeightType()) {
    case QTextBlockFormat::FixedHeight: return format.lineHeight();
    case QTextBlockFormat::MinimumHeight: return std::max(format.lineHeight(), line.height());
    default: return line.height();
    }
}


class PieceCollector {
public:
    explicit PieceCollector(const QTextDocument &document)
        : document_(document), layout_(*document.documentLayout())
    {
    }

    std::vector<Piece> Collect()
    {
        for (auto it = document_.rootFrame()->begin(); !it.atEnd(); ++it) {
            if (QTextFrame *frame = it.currentFrame())
                AddFrame(*frame);
            else
                AddBlock(it.currentBlock());
        }
        return std::move(pieces_);
    }

private:
    void AddBlock(const QTextBlock &block)
    {
        const QTextBlockFormat format = block.blockFormat();
        const QTextLayout *text = block.layout();
        const double top = layout_.blockBoundingRect(block).top() - text->boundingRect().top();
        const bool together = format.boolProperty(kKeepTogetherProperty);
        for (int i = 0; i < text->lineCount(); ++i) {
            const QTextLine line = text->lineAt(i);
            const double bottom = i + 1 < text->lineCount() ? text->lineAt(i + 1).y()
                                                            : line.y() + LineHeight(format, line);
            Piece piece;
            piece.top = top + line.y();
            piece.bottom = top + bottom;
            piece.block = block;
            piece.line = i;
            if (i == 0)
                StartElement(piece, format.pageBreakPolicy());
            else
                piece.breakAllowedBefore = !together;
            // After a page break the space above the paragraph stays, as word processors keep it.
            if (i == 0 && piece.breakForcedBefore)
                piece.top -= format.topMargin();
            pieces_.push_back(piece);
        }
        keepWithPrevious_ = format.boolProperty(kKeepWithNextProperty);
        breakAfter_ = format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysAfter;
    }

    void AddFrame(QTextFrame &frame)
    {
        const QRectF bounds = layout_.frameBoundingRect(&frame);
        auto *table = qobject_cast<QTextTable *>(&frame);
        const int rows = table ? table->rows() : 1;
        double top = bounds.top();
        for (int row = 0; row < rows; ++row) {
            const double bottom = row + 1 < rows ? RowBoundary(*table, row) : bounds.bottom();
            Piece piece;
            piece.top = top;
            piece.bottom = std::max(top, bottom);
            piece.frame = &frame;
            if (row == 0)
                StartElement(piece, frame.frameFormat().pageBreakPolicy());
            pieces_.push_back(piece);
            top = piece.bottom;
        }
        keepWithPrevious_ = false;
        breakAfter_ = frame.frameFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysAfter;
    }

    void StartElement(Piece &piece, QTextFormat::PageBreakFlags policy)
    {
        piece.breakAllowedBefore = !keepWithPrevious_;
        piece.breakForcedBefore = breakAfter_ || (policy & QTextFormat::PageBreak_AlwaysBefore);
    }

    // Halfway between the text of a row and that of the next: in their padding and borders.
    double RowBoundary(const QTextTable &table, int row) const
    {
        double above = -1e300;
        double below = 1e300;
        for (int column = 0; column < table.columns(); ++column) {
            const QTextTableCell upper = table.cellAt(row, column);
            if (upper.row() + upper.rowSpan() - 1 == row)
                above = std::max(above, CellTextRect(upper).bottom());
            const QTextTableCell lower = table.cellAt(row + 1, column);
            if (lower.row() == row + 1)
                below = std::min(below, CellTextRect(lower).top());
        }
        if (above < -1e299 || below > 1e299)
            return above < -1e299 ? below : above;
        return (above + below) / 2;
    }

    QRectF CellTextRect(const QTextTableCell &cell) const
    {
        QRectF rect;
        for (auto it = cell.begin(); !it.atEnd(); ++it)
            if (it.currentBlock().isValid())
                rect |= layout_.blockBoundingRect(it.currentBlock());
        return rect;
    }

    const QTextDocument &document_;
    QAbstractTextDocumentLayout &layout_;
    std::vector<Piece> pieces_;
    bool keepWithPrevious_ = false;
    bool breakAfter_ = false;
};

bool SameElement(const Piece &a, const Piece &b)
{
    return a.frame ? a.frame == b.frame : (!b.frame && a.block == b.block);
}

// The first piece of the page that follows a page starting at start, given that piece next
// does not fit or must start a page: the last place a break is allowed, or next itself
// when the pieces kept together fill the page.
std::size_t BreakBefore(const std::vector<Piece> &pieces, std::size_t start, std::size_t next)
{
    if (pieces[next].breakForcedBefore)
        return next;
    for (std::size_t candidate = next; candidate > start; --candidate)
        if (pieces[candidate].breakAllowedBefore)
            return candidate;
    return next;
}

} // namespace

ReportPages::ReportPages(const QTextDocument &document, QSizeF bodySize)
    : device_(1, 1, QImage::Format_RGB32), copy_(LaidOutCopy(document, bodySize.width(), device_))
{
    pieces_ = PieceCollector(*copy_).Collect();
    Paginate(bodySize.height());
}

ReportPages::~ReportPages() = default;

std::unique_ptr<QTextDocument> ReportPages::LaidOutCopy(const QTextDocument &document,
                                                        double width, QImage &device)
{
    std::unique_ptr<QTextDocument> copy(document.clone());
    LayOut(*copy, width, device);
    return copy;
}

void ReportPages::LayOut(QTextDocument &copy, double width, QImage &device)
{
    device.setDotsPerMeterX(qRound(kPageLayoutDpi * kInchesPerMeter));
    device.setDotsPerMeterY(qRound(kPageLayoutDpi * kInchesPerMeter));
    copy.setUndoRedoEnabled(false);
    copy.setUseDesignMetrics(true); // line heights as designed, not rounded to the layout's pixels
    copy.documentLayout()->setPaintDevice(&device);
    copy.setDocumentMargin(0);
    copy.setTextWidth(width);
}

void ReportPages::Paginate(double pageHeight)
{
    std::size_t start = 0;
    for (std::size_t next = 1; next < pieces_.size(); ++next) {
        const bool overflows = pieces_[next].bottom - pieces_[start].top > pageHeight;
        if (!overflows && !pieces_[next].breakForcedBefore)
            continue;
        const std::size_t first = BreakBefore(pieces_, start, next);
        pages_.push_back({start, first});
        start = first;
    }
    pages_.push_back({start, pieces_.size()});
}

// Lines are drawn one by one: the layout would also draw the line just above a page's top. A
// table, and a list paragraph that starts on the page (its number is the layout's to draw),
// are drawn by the layout within their part of the page.
void ReportPages::Paint(QPainter &painter, int page) const
{
    const auto [first, end] = pages_.at(static_cast<std::size_t>(page));
    if (first == end)
        return;
    const double top = pieces_[first].top;
    const double width = copy_->textWidth();
    const QRectF shown(-width, top, 3 * width, pieces_[end - 1].bottom - top);
    painter.save();
    painter.translate(0, -top);
    painter.setClipRect(shown, Qt::IntersectClip);
    painter.setPen(Qt::black);
    for (std::size_t index = first; index < end;) {
        const Piece &piece = pieces_[index];
        if (piece.frame || (piece.line == 0 && piece.block.textList())) {
            std::size_t last = index;
            while (last + 1 < end && SameElement(pieces_[last + 1], piece))
                ++last;
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = QRectF(-width, piece.top + kEdge, 3 * width,
                                  pieces_[last].bottom - piece.top - 2 * kEdge);
            copy_->documentLayout()->draw(&painter, context);
            index = last + 1;
            continue;
        }
        const QTextLayout *layout = piece.block.layout();
        layout->lineAt(piece.line).draw(&painter, layout->position());
        ++index;
    }
    painter.restore();
}

} // namespace velmaro
