// A paragraph's formats, set when it ends: a run of like paragraphs shares them, and where
// they lay out the same, holds its paragraphs as the lines of a few blocks.

#include "report/rtf/Reader.h"

#include <utility>

namespace velmaro::rtf {
namespace {

// Like paragraphs held as the lines of one block: eight take most of the saving, and longer
// blocks lay out slower.
constexpr int kMaxJoinedLines = 8;

} // namespace

bool ParagraphLook::Joinable() const
{
    const ParaState &p = paragraph;
    return p.before == 0 && p.after == 0 && afterPrevious == 0 && p.first == 0 &&
           p.alignment != Qt::AlignJustify && !p.keepWithNext && !p.keepTogether &&
           !p.pageBreakBefore && !breakBefore && !p.inTable && p.list == 0 && !hasPicture;
}

// Paragraph properties in force at its end apply to the whole paragraph.
void Reader::CloseBlock(Output &out)
{
    const ParaState &para = State().paragraph;
    DropListTab(out, para);
    ParagraphLook look{para, State().character, out.afterPrevious, out.breakBefore,
                       out.singleLine, out.hasPicture, tables_.Changes()};
    out.singleLine = 0;
    out.hasPicture = false;
    out.afterPrevious = para.after;
    out.breakBefore = false;
    const qsizetype openedAt = std::exchange(out.openedAt, -1);
    if (look == out.look)
        return JoinLikeParagraph(out, look, openedAt);
    out.joinedLines = 1;
    ApplyBlockFormats(out, look);
    out.look = std::move(look);
}

// A paragraph like the one before, still pending, becomes a further line of its block
// when that lays out the same: Qt's layout keeps some 500 bytes per block, which a long
// hydrograph listing would pay once per ordinate. An empty paragraph keeps its own block,
// whose height its mark's font sets.
void Reader::JoinLikeParagraph(Output &out, const ParagraphLook &look, qsizetype openedAt)
{
    const bool hasText = openedAt >= 0 && openedAt + 1 < out.pendingText.size();
    if (hasText && look.Joinable() && out.joinedLines < kMaxJoinedLines) {
        out.pendingText[openedAt] = QChar::LineSeparator;
        ++out.joinedLines;
    } else {
        out.joinedLines = 1;
    }
}

// The cursor's paragraph takes the formats of the look, set only where they differ from those
// it has.
void Reader::ApplyBlockFormats(Output &out, const ParagraphLook &look)
{
    const QTextBlockFormat format = formats_.ParagraphFormat(look);
    const QTextCharFormat mark = formats_.CharFormat(look.mark);
    if (format == out.blockFormat && mark == out.markFormat)
        return;
    FlushText(out);
    if (format != out.blockFormat)
        out.cursor.setBlockFormat(format);
    if (mark != out.markFormat)
        out.cursor.setBlockCharFormat(mark);
    out.blockFormat = format;
    out.markFormat = mark;
}

// The cursor moved to a paragraph whose formats the reader did not set.
void Reader::ForgetBlockFormats(Output &out)
{
    out.blockFormat.reset();
    out.markFormat = QTextCharFormat();
    out.look.reset();
}

} // namespace velmaro::rtf
