#include "controls/EditKeys.h"

namespace velmaro {

namespace {

constexpr char16_t kControlA = 1;
constexpr char16_t kBackspace = 8;
constexpr char16_t kEnter = 13;
constexpr char16_t kControlN = 14;
constexpr char16_t kEscape = 27;

bool NoModifiers(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// Whether the line edit would type the key's text: it takes Ctrl and Ctrl+Shift combinations as
// commands (copy, paste, undo) but types the text of every other key, Alt combinations included.
bool TypesText(const KeyPress &press)
{
    if (press.text.isEmpty())
        return false;
    return press.text.at(0).category() == QChar::Other_Format ||
           (press.modifiers != Qt::ControlModifier &&
            press.modifiers != (Qt::ControlModifier | Qt::ShiftModifier));
}

char16_t ControlCode(const KeyPress &press)
{
    if (press.key == Qt::Key_Return || press.key == Qt::Key_Enter)
        return kEnter;
    if (press.key == Qt::Key_Escape)
        return kEscape;
    if (press.modifiers & Qt::ControlModifier) {
        if (press.key == Qt::Key_N)
            return kControlN;
        if (press.key == Qt::Key_A)
            return kControlA;
    }
    return 0;
}

} // namespace

KeyRule KeyDownRule(const KeyPress &press, bool readOnly)
{
    const bool shiftOnly = (press.modifiers & ~Qt::KeypadModifier) == Qt::ShiftModifier;
    if (readOnly && ((press.key == Qt::Key_Delete && NoModifiers(press.modifiers)) ||
                     (press.key == Qt::Key_Insert && shiftOnly) || press.cut || press.paste))
        return KeyRule::Swallow;
    if (press.key == Qt::Key_Up && NoModifiers(press.modifiers))
        return KeyRule::FocusPrevious;
    if (press.key == Qt::Key_Down && NoModifiers(press.modifiers))
        return KeyRule::FocusNext;
    return KeyRule::PassOn;
}

QChar FilterCharacter(const KeyPress &press, bool numPadDecimal, char decimal)
{
    if (const char16_t code = ControlCode(press))
        return QChar(code);
    if (!TypesText(press))
        return {};
    if (numPadDecimal && (press.modifiers & Qt::KeypadModifier) &&
        (press.key == Qt::Key_Period || press.key == Qt::Key_Comma))
        return QChar(decimal);
    return press.text.at(0);
}

KeyRule CharacterRule(QChar character, QChar typed, const QString &keyText,
                      const CharacterFilter &filter)
{
    switch (character.unicode()) {
    case kEnter:
        return KeyRule::FocusNext;
    case kEscape:
        return KeyRule::Undo;
    case kControlN:
        if (filter.allowKbdNull)
            return KeyRule::MakeNull;
        break;
    case kControlA:
        return KeyRule::SelectAll;
    default:
        break;
    }
    if (character.unicode() < 32) {
        if (character == typed)
            return KeyRule::PassOn;
        // OnKeyPress turned the key into a control character: that, not the key, goes in.
        return character.unicode() == kBackspace ? KeyRule::Backspace : KeyRule::Swallow;
    }
    const char16_t code = character.unicode();
    if (code > 255 || !filter.allowed.test(code))
        return KeyRule::Refuse;
    const bool keysOwnText = character == typed && !keyText.isEmpty() && keyText.at(0) == typed;
    return keysOwnText ? KeyRule::TypeAsIs : KeyRule::TypeCharacter;
}

} // namespace velmaro
