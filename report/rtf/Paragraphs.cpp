// Text into paragraphs: the characters of shown text gathered into runs of one format and
// inserted a run at a time, paragraphs opened before their first content and ended by \par,
// and page breaks.

#include "report/rtf/Reader.h"

#include <QTextBlock>

#include <algorithm>

namespace velmaro::rtf {
namespace {

bool IsShownCharacter(char16_t unit) { return unit >= 0x20 || unit == u'\t'; }

constexpr char16_t kZeroWidthSpace = 0x200B;
constexpr int kLongRun = 256;
constexpr int kBreakEvery = 16;

bool AllowsBreak(char16_t unit)
{
    return unit == u' ' || unit == u'\t' || unit == QChar::LineSeparator || unit == kZeroWidthSpace;
}

// Qt lays out a run of characters with no place to break it in a time that grows with the
// square of its length: a template of one long word would take minutes to show. Past kLongRun
// such characters, a zero-width space every kBreakEvery gives it places to break, near those
// where Qt breaks such a run anyway.
void BreakLongRun(Output &out, char16_t appended)
{
    if (AllowsBreak(appended))
        out.unbrokenRun = 0;
    else if (++out.unbrokenRun > kLongRun && out.unbrokenRun % kBreakEvery == 0)
        out.pendingText.append(QChar(kZeroWidthSpace));
}

} // namespace

// \uN is a signed 16-bit number: negative values stand for N + 65536.
void Reader::AppendUnicode(int value)
{
    const int unit = ((value % 65536) + 65536) % 65536;
    AppendCharacter(static_cast<char16_t>(unit));
    fallbackLeft_ = State().unicodeSkip;
}

void Reader::AppendText(const QString &text)
{
    for (const QChar ch : text)
        AppendCharacter(ch.unicode());
}

void Reader::AppendCharacter(char16_t ch)
{
    if (!IsShownCharacter(ch) || State().character.hidden)
        return;
    BeginContent();
    Output &out = Out();
    if (formatDirty_) {
        const bool known =
            State().character == out.pendingState && out.pendingTables == tables_.Changes();
        const QTextCharFormat format =
            known ? out.pendingFormat : formats_.CharFormat(State().character);
        if (format != out.pendingFormat) {
            FlushText();
            out.pendingFormat = format;
        }
        out.pendingState = State().character;
        out.pendingTables = tables_.Changes();
        out.singleLine = std::max(out.singleLine, formats_.SingleLineHeight(State().character));
        formatDirty_ = false;
    }
    out.pendingText.append(QChar(ch));
    BreakLongRun(out, ch);
}

void Reader::FlushText(Output &out)
{
    if (out.pendingText.isEmpty())
        return;
    out.cursor.insertText(out.pendingText, out.pendingFormat);
    out.pendingText.clear();
    out.openedAt = -1;
}

// Before any content: the table it belongs to, and the paragraph it opens.
void Reader::BeginContent()
{
    FollowTable();
    Output &out = Out();
    if (!out.blockPending)
        return;
    out.openedAt = out.pendingText.size();
    out.pendingText.append(QChar::ParagraphSeparator);
    out.unbrokenRun = 0;
    out.markFormat = out.pendingFormat;
    out.blockPending = false;
    formatDirty_ = true;
}

void Reader::EndParagraph()
{
    BeginContent();
    CloseBlock();
    Out().blockPending = true;
}

// A page break inside a paragraph ends it; the next paragraph starts the page.
void Reader::BreakPage()
{
    FlushText();
    if (!Out().blockPending && !Out().cursor.block().text().isEmpty())
        EndParagraph();
    Out().breakBefore = true;
}

// The final \par of a document ends its last paragraph and opens none.
void Reader::EndLastParagraph(Output &out)
{
    if (!out.blockPending)
        CloseBlock(out);
}

} // namespace velmaro::rtf
