#pragma once
// Key texts of the key maps: "Shift+Ctrl+Home" and the like. A key text is
// the modifier words "Shift+", "Ctrl+", "Alt+" (in this order, each only when
// present) followed by one key name of a fixed list; the same names are shown
// after a tab in the menu captions and offered by the keyboard dialog.
#include <windows.h>

#include <string>
#include <vector>

namespace quib {

// Modifier bits as the menus use them: Shift 1, Alt 2, Ctrl 4.
enum : BYTE { kKeyShift = 1, kKeyAlt = 2, kKeyCtrl = 4 };

struct KeyCode {
    WORD key = 0;   // virtual-key code; 0 = no key
    BYTE mods = 0;  // kKeyShift | kKeyAlt | kKeyCtrl
    friend bool operator==(const KeyCode&, const KeyCode&) = default;
};

// Every key name a key text may end with, in the order the keyboard dialog
// lists them: "0".."9", "A".."Z", "F1".."F12", "Space", "Esc", "Enter", "Tab",
// "Up", "Down", "Left", "Right", "Home", "End", "PgUp", "PgDn", "Ins", "Del",
// "BkSp", then the punctuation keys of the Japanese keyboard.
const std::vector<std::wstring>& KeyNames();

// Virtual-key code of a key name (exact spelling); 0 for any other text.
WORD KeyNameToCode(const std::wstring& name);
// Key name of a virtual-key code; empty for a code outside the list.
std::wstring KeyCodeToName(WORD key);

// The modifier words that occur in a key text.
BYTE KeyTextModifiers(const std::wstring& keyText);
// The key text without the words "Shift", "Ctrl", "Alt", without any "+" and
// without surrounding blanks: the key name part.
std::wstring KeyTextName(const std::wstring& keyText);
// Parses a key text: modifiers from the words present, the code from the
// rest ("Shift+Ctrl+Home" gives Home (36) with Shift+Ctrl (5)). An unknown or
// empty name gives code 0 (no key), whatever modifiers were written.
KeyCode ParseKeyText(const std::wstring& keyText);
// The key text of a code and modifier set; empty when the code has no name.
std::wstring FormatKeyText(KeyCode code);
// Whether the code is one of the keys "0".."9" and "A".."Z".
bool IsDigitOrLetterKey(WORD key);

}  // namespace quib
