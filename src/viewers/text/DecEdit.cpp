#include "viewers/text/DecEdit.h"

#include <commctrl.h>

#include <string>

#include "util/Controls.h"
#include "viewers/text/TextRules.h"

namespace quib {
namespace {
constexpr UINT_PTR kSubclassId = 0x4445;
constexpr LONG kAlignmentBits = ES_LEFT | ES_CENTER | ES_RIGHT;
}  // namespace

TDecEdit::~TDecEdit() {
    if (hwnd_ && IsWindow(hwnd_)) RemoveWindowSubclass(hwnd_, Proc, kSubclassId);
}

void TDecEdit::Attach(HWND edit, int numericType) {
    if (hwnd_ && IsWindow(hwnd_)) RemoveWindowSubclass(hwnd_, Proc, kSubclassId);
    hwnd_ = edit;
    numericType_ = numericType;
    SetWindowSubclass(edit, Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK TDecEdit::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data) {
    auto* self = reinterpret_cast<TDecEdit*>(data);
    if (msg == WM_CHAR) {
        DWORD start = 0;
        SendMessageW(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
        if (!DecEditAccepts(self->numericType_, static_cast<wchar_t>(wp), static_cast<int>(start), GetText(hwnd)))
            return 0;
    }
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, Proc, id);
        if (self->hwnd_ == hwnd) self->hwnd_ = nullptr;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

int TDecEdit::Alignment() const {
    return hwnd_ ? static_cast<int>(GetWindowLongW(hwnd_, GWL_STYLE) & kAlignmentBits) : ES_LEFT;
}

void TDecEdit::SetAlignment(int alignment) {
    alignment &= kAlignmentBits;
    if (!hwnd_ || Alignment() == alignment) return;
    HWND old = hwnd_;
    HWND parent = GetParent(old);
    RECT rc;
    GetWindowRect(old, &rc);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    const LONG style = (GetWindowLongW(old, GWL_STYLE) & ~kAlignmentBits) | alignment;
    const LONG exStyle = GetWindowLongW(old, GWL_EXSTYLE);
    HWND made = CreateWindowExW(exStyle, L"EDIT", GetText(old).c_str(), static_cast<DWORD>(style), rc.left, rc.top,
                                rc.right - rc.left, rc.bottom - rc.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(GetDlgCtrlID(old))),
                                reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(old, GWLP_HINSTANCE)), nullptr);
    if (!made) return;
    SendMessageW(made, WM_SETFONT, SendMessageW(old, WM_GETFONT, 0, 0), FALSE);
    SendMessageW(made, EM_SETLIMITTEXT, SendMessageW(old, EM_GETLIMITTEXT, 0, 0), 0);
    // The new window takes the old one's place in the tab order.
    SetWindowPos(made, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const bool hadFocus = GetFocus() == old;
    Attach(made, numericType_);
    DestroyWindow(old);
    if (hadFocus) SetFocus(made);
}

}  // namespace quib
