#pragma once

// Splits RTF bytes into groups, control words, control symbols, hexadecimal escapes, text runs
// and the raw bytes of \binN. It never reads past its input and every call advances, so any
// byte sequence ends.

#include <QByteArrayView>

namespace velmaro::rtf {

struct Token {
    enum class Kind { GroupStart, GroupEnd, ControlWord, ControlSymbol, HexByte, Text, Binary, End };
    Kind kind = Kind::End;
    QByteArrayView text;       // the control word's letters, the text run, or the binary bytes
    bool hasParameter = false;
    int parameter = 0;         // clamped to kParameterLimit
    char symbol = 0;           // ControlSymbol
    unsigned char byte = 0;    // HexByte
};

inline constexpr int kParameterLimit = 1'000'000'000;

// The value of a hexadecimal digit, -1 for any other character.
int HexDigit(char c);

class Tokenizer {
public:
    explicit Tokenizer(QByteArrayView input) : input_(input) {}
    Token Next();

private:
    Token ReadControl();
    Token ReadControlWord();
    Token ReadHexByte();
    Token ReadText();
    Token ReadBinary(const Token &word);
    void ReadParameter(Token &token);
    bool AtEnd() const { return pos_ >= input_.size(); }
    char Peek() const { return input_[pos_]; }

    QByteArrayView input_;
    qsizetype pos_ = 0;
};

} // namespace velmaro::rtf
