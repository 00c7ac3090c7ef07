#include "report/RtfTokenizer.h"

#include <algorithm>

namespace velmaro {
namespace {

// Longer words are not RTF; their extra letters are read and ignored.
constexpr qsizetype kMaxWordLength = 32;

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

int RtfHexDigit(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

RtfToken RtfTokenizer::Next()
{
    for (;;) {
        if (AtEnd())
            return {};
        const char c = Peek();
        if (c == '{' || c == '}') {
            ++pos_;
            RtfToken token;
            token.kind = c == '{' ? RtfToken::Kind::GroupStart : RtfToken::Kind::GroupEnd;
            return token;
        }
        if (c != '\\')
            return ReadText();
        RtfToken token = ReadControl();
        // \binN is followed by N raw bytes that must not be read as RTF.
        if (token.kind == RtfToken::Kind::ControlWord && token.text == "bin") {
            if (token.hasParameter && token.parameter > 0)
                pos_ += std::min<qsizetype>(token.parameter, input_.size() - pos_);
            continue;
        }
        return token;
    }
}

RtfToken RtfTokenizer::ReadControl()
{
    ++pos_; // the backslash
    if (AtEnd())
        return {};
    const char c = Peek();
    if (IsLetter(c))
        return ReadControlWord();
    ++pos_;
    if (c == '\'')
        return ReadHexByte();
    RtfToken token;
    token.kind = RtfToken::Kind::ControlSymbol;
    token.symbol = c;
    return token;
}

RtfToken RtfTokenizer::ReadControlWord()
{
    const qsizetype start = pos_;
    while (!AtEnd() && IsLetter(Peek()))
        ++pos_;
    RtfToken token;
    token.kind = RtfToken::Kind::ControlWord;
    token.text = input_.sliced(start, std::min(pos_ - start, kMaxWordLength));
    ReadParameter(token);
    if (!AtEnd() && Peek() == ' ')
        ++pos_; // the delimiter belongs to the control word
    return token;
}

void RtfTokenizer::ReadParameter(RtfToken &token)
{
    const bool negative = !AtEnd() && Peek() == '-' && pos_ + 1 < input_.size() &&
                          IsDigit(input_[pos_ + 1]);
    if (negative)
        ++pos_;
    if (AtEnd() || !IsDigit(Peek()))
        return;
    long long value = 0;
    while (!AtEnd() && IsDigit(Peek())) {
        value = std::min<long long>(value * 10 + (Peek() - '0'), kRtfParameterLimit);
        ++pos_;
    }
    token.hasParameter = true;
    token.parameter = static_cast<int>(negative ? -value : value);
}

RtfToken RtfTokenizer::ReadHexByte()
{
    int value = 0;
    int digits = 0;
    while (digits < 2 && !AtEnd() && RtfHexDigit(Peek()) >= 0) {
        value = value * 16 + RtfHexDigit(Peek());
        ++pos_;
        ++digits;
    }
    RtfToken token;
    // A malformed escape stands for nothing rather than for a guessed byte.
    if (digits == 2) {
        token.kind = RtfToken::Kind::HexByte;
        token.byte = static_cast<unsigned char>(value);
    } else {
        token.kind = RtfToken::Kind::ControlSymbol;
        token.symbol = 0;
    }
    return token;
}

RtfToken RtfTokenizer::ReadText()
{
    const qsizetype start = pos_;
    while (!AtEnd() && Peek() != '{' && Peek() != '}' && Peek() != '\\')
        ++pos_;
    RtfToken token;
    token.kind = RtfToken::Kind::Text;
    token.text = input_.sliced(start, pos_ - start);
    return token;
}

} // namespace velmaro
