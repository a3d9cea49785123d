#pragma once
// What the small folder dialogs share on screen: the hint of the characters
// a name cannot hold, the read-only fields in blue, and list boxes drawn so
// that the selected row stays visible while another control has the focus.
#include <windows.h>

#include <initializer_list>

namespace quib {

// The hint under the name fields of the new-folder and rename dialogs.
extern const wchar_t* const kInvalidNameHint;

// Read-only fields show their text in blue (under the system look). Call from HandleMessage for
// WM_CTLCOLORSTATIC / WM_CTLCOLOREDIT; true when lp is one of the fields.
bool BlueFieldColor(HWND form, UINT msg, WPARAM wp, LPARAM lp, std::initializer_list<HWND> fields,
                    LRESULT& result);

}  // namespace quib
