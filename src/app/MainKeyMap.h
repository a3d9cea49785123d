#pragma once
// The main window's built-in key table.
#include "keymap/KeyMap.h"

namespace quib {

class TFormBase;

// The main window's 70 commands in their fixed order with their default keys.
// Variant 0 is the filer style, 1 the Notepad style; the main window gives
// both the same keys. The caption of each line is the menu item's caption at
// the time of the call when a window with that menu is given (after a
// language switch the table carries the captions then shown), otherwise the
// designed caption.
KeyMapTable InitMainKeyMap(int variant, const TFormBase* window = nullptr);

}  // namespace quib
