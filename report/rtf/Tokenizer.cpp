#include "report/rtf/Tokenizer.h"

#include <algorithm>

namespace velmaro::rtf {
namespace {

// Longer words are not RTF; their extra letters are read and ignored.
constexpr qsizetype kMaxWordLength = 32;

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

int HexDigit(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

Token Tokenizer::Next()
{
    if (AtEnd())
        return {};
    const char c = Peek();
    if (c == '{' || c == '}') {
        ++pos_;
        Token token;
        token.kind = c == '{' ? Token::Kind::GroupStart : Token::Kind::GroupEnd;
        return token;
    }
    if (c != '\\')
        return ReadText();
    const Token token = ReadControl();
    if (token.kind == Token::Kind::ControlWord && token.text == "bin")
        return ReadBinary(token);
    return token;
}

// \binN is followed by N raw bytes that must not be read as RTF; those the input has.
Token Tokenizer::ReadBinary(const Token &word)
{
    const qsizetype size =
        word.hasParameter ? std::clamp<qsizetype>(word.parameter, 0, input_.size() - pos_) : 0;
    Token token;
    token.kind = Token::Kind::Binary;
    token.text = input_.sliced(pos_, size);
    pos_ += size;
    return token;
}

Token Tokenizer::ReadControl()
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
    Token token;
    token.kind = Token::Kind::ControlSymbol;
    token.symbol = c;
    return token;
}

Token Tokenizer::ReadControlWord()
{
    const qsizetype start = pos_;
    while (!AtEnd() && IsLetter(Peek()))
        ++pos_;
    Token token;
    token.kind = Token::Kind::ControlWord;
    token.text = input_.sliced(start, std::min(pos_ - start, kMaxWordLength));
    ReadParameter(token);
    if (!AtEnd() && Peek() == ' ')
        ++pos_; // the delimiter belongs to the control word
    return token;
}

void Tokenizer::ReadParameter(Token &token)
{
    const bool negative = !AtEnd() && Peek() == '-' && pos_ + 1 < input_.size() &&
                          IsDigit(input_[pos_ + 1]);
    if (negative)
        ++pos_;
    if (AtEnd() || !IsDigit(Peek()))
        return;
    long long value = 0;
    while (!AtEnd() && IsDigit(Peek())) {
        value = std::min<long long>(value * 10 + (Peek() - '0'), kParameterLimit);
        ++pos_;
    }
    token.hasParameter = true;
    token.parameter = static_cast<int>(negative ? -value : value);
}

Token Tokenizer::ReadHexByte()
{
    int value = 0;
    int digits = 0;
    while (digits < 2 && !AtEnd() && HexDigit(Peek()) >= 0) {
        value = value * 16 + HexDigit(Peek());
        ++pos_;
        ++digits;
    }
    Token token;
    // A malformed escape stands for nothing rather than for a guessed byte.
    if (digits == 2) {
        token.kind = Token::Kind::HexByte;
        token.byte = static_cast<unsigned char>(value);
    } else {
        token.kind = Token::Kind::ControlSymbol;
        token.symbol = 0;
    }
    return token;
}

Token Tokenizer::ReadText()
{
    const qsizetype start = pos_;
    while (!AtEnd() && Peek() != '{' && Peek() != '}' && Peek() != '\\')
        ++pos_;
    Token token;
    token.kind = Token::Kind::Text;
    token.text = input_.sliced(start, pos_ - start);
    return token;
}

} // namespace velmaro::rtf
