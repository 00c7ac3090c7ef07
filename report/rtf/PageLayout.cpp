#include "report/rtf/PageLayout.h"

#include "report/PageSetup.h"
#include "report/rtf/Reader.h"

#include <QTextDocument>

#include <algorithm>

namespace velmaro::rtf {
namespace {

constexpr qsizetype kMaxFieldInstructionLength = 256;
// Margins a document takes for the sides it leaves out once it gives any.
constexpr int kDefaultSideMargin = 1800;
constexpr int kDefaultTopBottomMargin = 1440;

} // namespace

void PageGeometry::StoreInto(PageSetup &setup) const
{
    if (paperWidth && paperHeight)
        setup.paper = QSizeF(*paperWidth, *paperHeight) / kTwipsPerPoint;
    if (std::none_of(margins.begin(), margins.end(), [](auto m) { return m.has_value(); }))
        return;
    setup.margins = QMarginsF(margins[kLeft].value_or(kDefaultSideMargin),
                              margins[kTop].value_or(kDefaultTopBottomMargin),
                              margins[kRight].value_or(kDefaultSideMargin),
                              margins[kBottom].value_or(kDefaultTopBottomMargin)) /
                    kTwipsPerPoint;
}

// A header or footer group writes to its own document, after what earlier groups of the same
// kind wrote there. Groups of one kind share one output: a cursor of their own each would make
// every insertion cost as much as the groups before it.
void Reader::EnterHeaderFooter(HeaderFooterKind kind)
{
    std::size_t &index = partOutputs_[static_cast<std::size_t>(kind)];
    if (index == 0) {
        outputs_.emplace_back(setup_.HeaderFooter(kind));
        index = outputs_.size() - 1;
    }
    Output &out = outputs_[index];
    if (out.table.table)
        LeaveTable(out);
    FlushText(out);
    out.cursor.movePosition(QTextCursor::End);
    out.blockPending = !out.cursor.document()->isEmpty();
    State().output = index;
    State().paragraph = ParaState{};
    formatDirty_ = true;
}

void Reader::AddFieldInstructionByte(unsigned char byte)
{
    if (fieldInstruction_.size() < kMaxFieldInstructionLength)
        fieldInstruction_.append(static_cast<char>(byte));
}

// Page fields in headers and footers are numbered on each page; elsewhere a field shows
// the result it was saved with.
void Reader::EnterFieldResult()
{
    const QByteArray instruction = fieldInstruction_.trimmed().toUpper();
    const char16_t mark = instruction.startsWith("PAGE")       ? kPageNumberMark
                          : instruction.startsWith("NUMPAGES") ? kPageCountMark
                                                               : 0;
    if (mark == 0 || State().output == 0)
        return;
    AppendCharacter(mark);
    State().destination = Destination::Skipped;
}

} // namespace velmaro::rtf
