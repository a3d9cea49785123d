#pragma once
// Which key each command of a window gets from its key map. The window layer
// gives the keys to its menu items; this layer only says which.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "keymap/KeyMap.h"
#include "keymap/KeyText.h"

namespace quib {

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

// The key the working-map line of one function number gives (no line: no
// key); nullopt when the item keeps the key it has.
std::optional<KeyCode> ShortCutOfFunction(const KeyMapTable& working, const std::wstring& number,
                                          bool initialSearchOn);

// For every command of the built-in table, in its order, the menu Tag (= the
// command's number) and the key it gets; items that keep their key are left
// out. An empty working map gives nothing.
std::vector<std::pair<int, KeyCode>> KeyMapShortCuts(const KeyMapTable& builtIn, const KeyMapTable& working,
                                                     bool initialSearchOn);

// Reloads the working map from the window's key-map file; a missing file is
// written from the working map instead; an unreadable one changes nothing.
void LoadKeyMapFile(const std::wstring& keyMapPath, KeyMapTable& working);

}  // namespace quib
