#pragma once

// Splits RTF bytes into groups, control words, control symbols, hexadecimal escapes and text
// runs. It never reads past its input and every call advances, so any byte sequence ends.

#include <QByteArrayView>

namespace velmaro {

struct RtfToken {
    enum class Kind { GroupStart, GroupEnd, ControlWord, ControlSymbol, HexByte, Text, End };
    Kind kind = Kind::End;
    QByteArrayView text;       // the control word's letters, or the text run
    bool hasParameter = false;
    int parameter = 0;         // clamped to kRtfParameterLimit
    char symbol = 0;           // ControlSymbol
    unsigned char byte = 0;    // HexByte
};

inline constexpr int kRtfParameterLimit = 1'000'000'000;

// The value of a hexadecimal digit, -1 for any other character.
int RtfHexDigit(char c);

class RtfTokenizer {
public:
    explicit RtfTokenizer(QByteArrayView input) : input_(input) {}
    RtfToken Next();

private:
    RtfToken ReadControl();
    RtfToken ReadControlWord();
    RtfToken ReadHexByte();
    RtfToken ReadText();
    void ReadParameter(RtfToken &token);
    bool AtEnd() const { return pos_ >= input_.size(); }
    char Peek() const { return input_[pos_]; }

    QByteArrayView input_;
    qsizetype pos_ = 0;
};

} // namespace velmaro
