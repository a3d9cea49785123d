#pragma once
// Every keyboard-driven window's key map, described in one place: its name and
// files (KeyMapWindowInfo), the built-in table in either variant, the
// categories the keyboard dialog offers and the caption of the second
// initialisation. The keyboard dialog reaches any window's built-in table
// through this, without the window being open.
#include <optional>
#include <string>
#include <vector>

#include "keymap/KeyMap.h"

namespace quib {

struct KeyMapDescription {
    KeyMapWindow window;
    // Function numbers whose lines name the categories offered, in order.
    std::vector<int> categoryNumbers;
    // Caption of the second initialisation; null when the window has no
    // second variant (the button is hidden).
    const wchar_t* variant1Japanese = nullptr;
    const wchar_t* variant1English = nullptr;
    // The built-in table in a variant (0 the filer style, 1 the other set),
    // with the designed captions.
    KeyMapTable (*builtIn)(int variant) = nullptr;

    const KeyMapWindowInfo& Info() const { return KeyMapWindowOf(window); }
};

// The windows whose key maps the program can edit.
const std::vector<KeyMapDescription>& KeyMapDescriptions();
// Null for a window not described (yet).
const KeyMapDescription* KeyMapDescriptionOf(KeyMapWindow window);

// What every window's "キーボード設定" command does: names the window in
// [FormKeyBoard] Parent and shows the keyboard dialog modally. mrOK when the
// window is to apply its key-map file again.
int ShowKeyBoardFor(KeyMapWindow window);

}  // namespace quib
