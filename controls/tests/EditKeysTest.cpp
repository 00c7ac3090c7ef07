#include "controls/EditKeys.h"

#include <gtest/gtest.h>

namespace velmaro {
namespace {

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kKeypad = Qt::KeypadModifier;

TEST(EditKeys, KeyDownRules)
{
    const struct {
        KeyPress press;
        bool readOnly;
        KeyRule rule;
    } cases[] = {
        {{Qt::Key_Up, kNone, {}}, false, KeyRule::FocusPrevious},
        {{Qt::Key_Down, kKeypad, {}}, false, KeyRule::FocusNext},
        {{Qt::Key_Down, kShift, {}}, false, KeyRule::PassOn},
        {{Qt::Key_Delete, kNone, {}}, false, KeyRule::PassOn},
        {{Qt::Key_Delete, kNone, {}}, true, KeyRule::Swallow},
        {{Qt::Key_Delete, kShift, {}}, true, KeyRule::PassOn},
        {{Qt::Key_Insert, kShift, {}}, true, KeyRule::Swallow},
        {{Qt::Key_X, kCtrl, "\x18", true, false}, true, KeyRule::Swallow},
        {{Qt::Key_V, kCtrl, "\x16", false, true}, true, KeyRule::Swallow},
        {{Qt::Key_V, kCtrl, "\x16", false, true}, false, KeyRule::PassOn},
        {{Qt::Key_Up, kNone, {}}, true, KeyRule::FocusPrevious},
    };
    for (const auto &c : cases)
        EXPECT_EQ(KeyDownRule(c.press, c.readOnly), c.rule)
            << c.press.key << " read-only " << c.readOnly;
}

TEST(EditKeys, FilterCharacters)
{
    const struct {
        KeyPress press;
        bool numPadDecimal;
        QChar character;
    } cases[] = {
        {{Qt::Key_Return, kNone, "\r"}, false, QChar(13)},
        {{Qt::Key_Enter, kKeypad, "\r"}, false, QChar(13)},
        {{Qt::Key_Escape, kNone, "\x1b"}, false, QChar(27)},
        {{Qt::Key_N, kCtrl, "\x0e"}, false, QChar(14)},
        {{Qt::Key_A, kCtrl | kShift, "\x01"}, false, QChar(1)},
        {{Qt::Key_C, kCtrl, "\x03"}, false, QChar()},             // a command, not text
        {{Qt::Key_5, Qt::AltModifier, "5"}, false, QChar('5')},  // Alt combinations type
        {{Qt::Key_Left, kNone, {}}, false, QChar()},
        {{Qt::Key_Comma, kKeypad, ","}, true, QChar('.')},
        {{Qt::Key_Comma, kKeypad, ","}, false, QChar(',')},
        {{Qt::Key_Comma, kNone, ","}, true, QChar(',')},
        {{Qt::Key_E, kShift, "E"}, false, QChar('E')},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FilterCharacter(c.press, c.numPadDecimal, '.'), c.character) << c.press.key;
}

TEST(EditKeys, CharacterRules)
{
    CharacterFilter digits;
    for (char c : std::string("0123456789.-"))
        digits.allowed.set(static_cast<unsigned char>(c));
    CharacterFilter noNull = digits;
    noNull.allowKbdNull = false;
    const struct {
        QChar character;
        QChar typed;
        const char *keyText;
        const CharacterFilter &filter;
        KeyRule rule;
    } cases[] = {
        {QChar(13), QChar(13), "\r", digits, KeyRule::FocusNext},
        {QChar(27), QChar(27), "\x1b", digits, KeyRule::Undo},
        {QChar(14), QChar(14), "\x0e", digits, KeyRule::MakeNull},
        {QChar(14), QChar(14), "\x0e", noNull, KeyRule::PassOn},
        {QChar(1), QChar(1), "\x01", digits, KeyRule::SelectAll},
        {QChar(8), QChar(8), "\b", digits, KeyRule::PassOn},
        {QChar(8), QChar('x'), "x", digits, KeyRule::Backspace},   // turned into a backspace
        {QChar(9), QChar('x'), "x", digits, KeyRule::Swallow},
        {QChar('5'), QChar('5'), "5", digits, KeyRule::TypeAsIs},
        {QChar('x'), QChar('x'), "x", digits, KeyRule::Refuse},
        {QChar(0x20AC), QChar(0x20AC), "\u20AC", digits, KeyRule::Refuse},
        {QChar('7'), QChar('x'), "x", digits, KeyRule::TypeCharacter},   // replaced by OnKeyPress
        {QChar('.'), QChar('.'), ",", digits, KeyRule::TypeCharacter},   // the keypad's separator
    };
    for (const auto &c : cases)
        EXPECT_EQ(CharacterRule(c.character, c.typed, QString::fromUtf8(c.keyText), c.filter), c.rule)
            << int(c.character.unicode()) << " for " << int(c.typed.unicode());
}

} // namespace
} // namespace velmaro
