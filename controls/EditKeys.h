#pragma once

// The keyboard rules of the numeric edit, apart from any widget: what a key does before the
// line edit underneath sees it, and which typed characters the field admits.

#include <QChar>
#include <QString>
#include <Qt>

#include <bitset>

namespace velmaro {

// What the field does with a key.
enum class KeyRule {
    PassOn,          // the line edit handles the key as it would
    Swallow,         // nothing happens
    FocusPrevious,
    FocusNext,
    Undo,
    MakeNull,
    SelectAll,
    Backspace,
    Refuse,          // a character the field does not admit: a beep
    TypeAsIs,        // an admitted character: the null state ends, the line edit types the key
    TypeCharacter,   // an admitted character typed in place of the key's own text
};

struct KeyPress {
    int key = 0;
    Qt::KeyboardModifiers modifiers;
    QString text;         // what the key types
    bool cut = false;     // the platform's Cut and Paste shortcuts
    bool paste = false;
};

// The key-down rules, before any character: a read-only field refuses Delete, Shift+Insert, cut
// and paste; the arrow keys up and down move the focus. PassOn for every other key.
KeyRule KeyDownRule(const KeyPress &press, bool readOnly);

// The character a key stands for in the character filter: Enter, Esc, Ctrl+N and Ctrl+A as
// control characters, else the first character the key types (with numPadDecimal the keypad's
// point or comma types the decimal separator). Null when the key types no text.
QChar FilterCharacter(const KeyPress &press, bool numPadDecimal, char decimal);

// The settings of a field that the character filter follows.
struct CharacterFilter {
    std::bitset<256> allowed;
    bool allowKbdNull = true;
};

// The rule for `character`, what is left of the filter character `typed` once the OnKeyPress
// handler has seen it; keyText is the text the key itself types.
KeyRule CharacterRule(QChar character, QChar typed, const QString &keyText,
                      const CharacterFilter &filter);

} // namespace velmaro
