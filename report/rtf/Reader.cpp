#include "report/rtf/Reader.h"

#include "report/Windows1252.h"

#include <QStringDecoder>
#include <QTextDocument>
#include <QTextOption>

#include <algorithm>
#include <utility>

namespace velmaro::rtf {
namespace {

constexpr std::size_t kMaxGroupDepth = 256;

// Line breaks in RTF are no text.
bool IsLineBreaks(QByteArrayView text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; });
}

// A single-byte Windows code page as a table; Windows-1252 where Qt cannot decode it.
std::array<char16_t, 256> CodePageTable(int codePage)
{
    std::array<char16_t, 256> table{};
    for (int byte = 0; byte < 256; ++byte)
        table[static_cast<std::size_t>(byte)] =
            Windows1252ToChar(static_cast<unsigned char>(byte)).unicode();
    if (codePage == 1252)
        return table;
    QStringDecoder decoder(QByteArray("windows-") + QByteArray::number(codePage));
    if (!decoder.isValid())
        return table;
    for (int byte = 0x80; byte < 256; ++byte) {
        const char raw = static_cast<char>(byte);
        const QString decoded = decoder.decode(QByteArrayView(&raw, 1));
        decoder.resetState();
        if (decoded.size() == 1 && decoded[0] != QChar::ReplacementCharacter)
            table[static_cast<std::size_t>(byte)] = decoded[0].unicode();
    }
    return table;
}

} // namespace

Reader::Reader(QTextDocument &document)
    : document_(document), setup_(PageSetup::Attach(document)), codePage_(CodePageTable(1252))
{
    outputs_.emplace_back(document);
}

void Reader::Read(const QByteArray &bytes)
{
    setup_.source = bytes;
    Body().cursor.beginEditBlock();
    Tokenizer tokenizer(bytes);
    for (Token token = tokenizer.Next(); token.kind != Token::Kind::End && !finished_;
         token = tokenizer.Next())
        Handle(token);
    Finish();
}

void Reader::Handle(const Token &token)
{
    const bool atGroupStart = std::exchange(atGroupStart_, false);
    switch (token.kind) {
    case Token::Kind::GroupStart: return OpenGroup();
    case Token::Kind::GroupEnd: return CloseGroup();
    case Token::Kind::Text:
        atGroupStart_ = atGroupStart && IsLineBreaks(token.text);
        return HandleText(token.text);
    default: break;
    }
    if (SkipFallback())
        return;
    if (token.kind == Token::Kind::HexByte)
        return HandleByte(token.byte);
    if (token.kind == Token::Kind::Binary)
        return HandleBinary(token.text);
    if (token.kind == Token::Kind::ControlSymbol)
        return HandleSymbol(token.symbol, atGroupStart);
    HandleWord(token);
    optionalDestination_ = false;
}

// The characters after \uN that stand in for it in readers without Unicode.
bool Reader::SkipFallback()
{
    if (fallbackLeft_ == 0)
        return false;
    --fallbackLeft_;
    return true;
}

void Reader::OpenGroup()
{
    fallbackLeft_ = 0;
    optionalDestination_ = false;
    atGroupStart_ = true;
    if (groups_.size() >= kMaxGroupDepth) {
        ++overflowDepth_; // deeper groups share the state of the deepest one kept
        return;
    }
    groups_.push_back(groups_.back());
}

void Reader::CloseGroup()
{
    fallbackLeft_ = 0;
    optionalDestination_ = false;
    if (overflowDepth_ > 0) {
        --overflowDepth_;
        return;
    }
    const Destination closing = State().destination;
    if (closing == Destination::FontTable)
        CommitFontName();
    // A "}" with no group open, or the outermost group closed: the document is complete,
    // and its last paragraph takes the properties in force inside that group.
    if (groups_.size() <= 2) {
        EndLastParagraph(Body());
        finished_ = true;
    }
    if (groups_.size() > 1) {
        // A header or footer ends with its group, its last paragraph with the state inside.
        if (State().output != groups_[groups_.size() - 2].output) {
            EndLastParagraph(Out());
            FlushText(Out());
        }
        groups_.pop_back();
    }
    if (closing == Destination::Picture && State().destination != Destination::Picture)
        InsertPicture();
    formatDirty_ = true;
}

void Reader::HandleText(QByteArrayView text)
{
    for (const char byte : text) {
        if (byte == '\r' || byte == '\n')
            continue;
        if (!SkipFallback())
            HandleByte(static_cast<unsigned char>(byte));
    }
}

void Reader::HandleByte(unsigned char byte)
{
    switch (State().destination) {
    case Destination::Text:
    case Destination::ListText: return AppendCharacter(codePage_[byte]);
    case Destination::FontTable: return AddFontNameByte(byte);
    case Destination::ColorTable:
        if (byte == ';')
            tables_.CommitColor();
        return;
    case Destination::FieldInstruction: return AddFieldInstructionByte(byte);
    case Destination::Picture: return picture_.AddHexDigit(static_cast<char>(byte));
    default: return;
    }
}

// Binary data is a picture's when it stands in one; anywhere else it shows nothing.
void Reader::HandleBinary(QByteArrayView bytes)
{
    if (State().destination == Destination::Picture)
        picture_.AddBytes(bytes);
}

// "\*" marks the destination that starts its group; elsewhere it marks nothing, so that an
// unknown word after it is dropped alone, not the rest of the group.
void Reader::HandleSymbol(char symbol, bool atGroupStart)
{
    if (symbol == '*') {
        optionalDestination_ = atGroupStart;
        return;
    }
    optionalDestination_ = false;
    if (symbol == '\r' || symbol == '\n') { // a backslash before a line break is \par
        if (ShowsText(State().destination))
            EndParagraph();
        return;
    }
    if (const char16_t ch = SymbolCharacter(symbol))
        HandleCharacter(ch);
}

// A character from an escape: text in the body, part of a name in the font table.
void Reader::HandleCharacter(char16_t ch)
{
    if (ShowsText(State().destination))
        AppendCharacter(ch);
    else if (State().destination == Destination::FontTable && ch < 0x100)
        AddFontNameByte(static_cast<unsigned char>(ch));
}

// \ansicpgN: the code page of the bytes that follow.
void Reader::SetCodePage(int codePage) { codePage_ = CodePageTable(codePage); }

void Reader::Finish()
{
    if (!finished_) // truncated: the state at the point where the bytes ran out
        for (Output &out : outputs_)
            EndLastParagraph(out);
    for (Output &out : outputs_) {
        FlushText(out);
        if (out.table.table)
            DropRowsMadeAhead(out.table);
    }
    Body().cursor.endEditBlock();
    QTextOption option = document_.defaultTextOption();
    option.setTabStopDistance(defaultTab_ / kTwipsPerPixel);
    document_.setDefaultTextOption(option);
    for (const Output &out : outputs_)
        if (out.cursor.document() != &document_)
            out.cursor.document()->setDefaultTextOption(option);
    page_.StoreInto(setup_);
}

} // namespace velmaro::rtf
