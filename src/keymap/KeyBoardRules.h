#pragma once
// The rules of the keyboard settings dialog, apart from its window: the
// categories it offers, the key fields of a key text, the key the fields
// compose and the checks a new key must pass before it replaces a command's
// key in the working map.
#include <optional>
#include <string>
#include <vector>

#include "keymap/KeyMap.h"

namespace quib {

// The items of the key field: " ", the key names in the dialog's order, and
// an empty last item.
const std::vector<std::wstring>& KeyBoardKeyItems();

// What the four key fields show.
struct KeyFields {
    bool shift = false, ctrl = false, alt = false;
    std::wstring key;  // a key name; empty (the blank item) for none
    friend bool operator==(const KeyFields&, const KeyFields&) = default;
};

// The fields of a key text: each modifier field set when its word occurs, the
// key field the item whose trimmed text equals the key part (an empty key
// part: the blank item). nullopt for the key when the name is not among the
// items: the key field then stays as it was.
struct KeyFieldsOfText {
    bool shift = false, ctrl = false, alt = false;
    std::optional<int> keyItem;  // index into KeyBoardKeyItems()
};
KeyFieldsOfText FieldsOfKeyText(const std::wstring& keyText);

// "Shift+Ctrl+A" from the fields (Shift, Ctrl, Alt, key, each only when set,
// joined by "+"); all blank gives the empty text.
std::wstring ComposeKeyText(const KeyFields& fields);

// Whether two key texts name the same key: equal texts, or the same key code
// with the same modifiers however the words are ordered ("Ctrl+Shift+A" is
// "Shift+Ctrl+A").
bool SameKeyText(const std::wstring& a, const std::wstring& b);

enum class KeyChangeVerdict {
    Accepted,    // the command takes the new text
    KeyMissing,  // a modifier without a key
    Same,        // the command has this key already
    InUse,       // another command has it; category names its group
};
struct KeyChangeCheck {
    KeyChangeVerdict verdict = KeyChangeVerdict::Accepted;
    std::wstring newText;
    std::wstring category;  // InUse: the category of the line that holds the key
};
// The checks of a change, in the dialog's order: the key field blank while a
// modifier is set; the command's own key; any line of the working map (all
// categories) that has the key already. An empty new text (no key) is always
// accepted.
KeyChangeCheck CheckKeyChange(const KeyMapTable& working, const std::wstring& currentKey, const KeyFields& fields);

// The working-map line of the number takes the key text; false when there is
// no such line.
bool SetKeyOfFunction(KeyMapTable& working, const std::wstring& number, const std::wstring& keyText);

// The categories the dialog offers: for each function number in order, the
// category of the first line with that number (none when the map lacks it).
std::vector<std::wstring> KeyBoardCategories(const KeyMapTable& working, const std::vector<int>& numbers);
// The indexes of the working-map lines of one category, in map order.
std::vector<size_t> LinesOfCategory(const KeyMapTable& working, const std::wstring& category);

}  // namespace quib
