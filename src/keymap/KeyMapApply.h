#pragma once
// Giving a window's menu items the keys of its key map.
#include <optional>
#include <string>

#include "keymap/KeyMap.h"
#include "keymap/KeyText.h"

namespace quib {

class TFormBase;

// The key a menu item gets from its key text; nullopt when the item keeps the
// key it has. Without initial search the text's key is taken as it is (an
// unknown or empty name: no key). While an initial search mode is on the
// plain letters and digits belong to the search: a line with a modifier
// leaves the item as it is, a plain letter or digit gives no key, any other
// plain key is taken.
std::optional<KeyCode> ShortCutForKeyText(const std::wstring& keyText, bool initialSearchOn);

// The key of a function number in a map, without the initial-search rules
// (the first line with exactly that number; none: no key).
KeyCode KeyOfFunction(const KeyMapTable& working, const std::wstring& number);

// Applies the working-map line of one function number to the menu item with
// the given Tag (no line: no key).
void SetShortCutNew(TFormBase& form, const KeyMapTable& working, const std::wstring& number, int menuTag,
                    bool initialSearchOn);

// Applies every command of the built-in table, in its order, to the menu item
// whose Tag is the command's number. An empty working map changes nothing.
void ApplyKeyMap(TFormBase& form, const KeyMapTable& builtIn, const KeyMapTable& working, bool initialSearchOn);

// Reloads the working map from the window's key-map file (a missing file is
// written from the working map instead), then applies it as ApplyKeyMap does.
void SetShortCutKey(TFormBase& form, const std::wstring& keyMapPath, const KeyMapTable& builtIn,
                    KeyMapTable& working, bool initialSearchOn);

}  // namespace quib
