#include "viewers/text/MemoCrLf.h"

#include <commctrl.h>

namespace quib {
namespace {

constexpr UINT_PTR kSubclassId = 0x4D43;
const wchar_t kMark[] = L"\u2193";  // ↓

std::wstring EditText(HWND edit) {
    const int n = GetWindowTextLengthW(edit);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(edit, text.data(), n + 1)));
    return text;
}

}  // namespace

std::vector<size_t> CrLfMarkChars(const std::wstring& text, size_t from, size_t to) {
    std::vector<size_t> out;
    if (to > text.size()) to = text.size();
    for (size_t i = from; i < to; ++i) {
        if (text[i] == L'\r') {
            if (i + 1 < text.size() && text[i + 1] == L'\n') {
                out.push_back(i);
                ++i;
            } else {
                out.push_back(i + 1);
            }
        } else if (text[i] == L'\n') {
            out.push_back(i);
        }
    }
    return out;
}

TMemoCrLf::~TMemoCrLf() {
    if (hwnd_ && IsWindow(hwnd_)) RemoveWindowSubclass(hwnd_, Proc, kSubclassId);
}

void TMemoCrLf::Attach(HWND edit) {
    if (hwnd_ && IsWindow(hwnd_)) RemoveWindowSubclass(hwnd_, Proc, kSubclassId);
    hwnd_ = edit;
    last_.clear();
    SetWindowSubclass(edit, Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

// Each setter redraws only on a change: the grid sets them on every colour
// refresh.
void TMemoCrLf::SetDarkMode(bool on) {
    if (darkMode_ == on) return;
    darkMode_ = on;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void TMemoCrLf::SetDarkBackColor(COLORREF c) {
    if (darkBackColor_ == c) return;
    darkBackColor_ = c;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void TMemoCrLf::SetCrLfColor(COLORREF c) {
    if (crLfColor_ == c) return;
    crLfColor_ = c;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void TMemoCrLf::SetColor(COLORREF c) {
    if (color_ == c) return;
    color_ = c;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

int TMemoCrLf::CharFromPos(int x, int y) const {
    if (!hwnd_) return -1;
    const LRESULT r = SendMessageW(hwnd_, EM_CHARFROMPOS, 0, MAKELPARAM(x, y));
    return static_cast<int>(LOWORD(r));
}

int TMemoCrLf::LineIndex(int line) const {
    return hwnd_ ? static_cast<int>(SendMessageW(hwnd_, EM_LINEINDEX, static_cast<WPARAM>(line), 0)) : -1;
}

LRESULT CALLBACK TMemoCrLf::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data) {
    auto* self = reinterpret_cast<TMemoCrLf*>(data);
    switch (msg) {
        case WM_PAINT:
        case WM_CHAR: {
            // Typing moves the line breaks: the old marks are wiped in the
            // background colour first, the new ones drawn after the control.
            const COLORREF back = self->darkMode_ ? self->darkBackColor_ : self->color_;
            if (GetWindowTextLengthW(hwnd) > 0) self->DrawMarks(back, false);
            const LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
            if (GetWindowTextLengthW(hwnd) > 0) {
                self->DrawMarks(self->crLfColor_, true);
            } else {
                self->last_.clear();
            }
            return r;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, Proc, id);
            if (self->hwnd_ == hwnd) self->hwnd_ = nullptr;
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

void TMemoCrLf::DrawMarks(COLORREF color, bool remember) {
    if (remember) last_.clear();
    if (!hwnd_) return;
    const std::wstring text = EditText(hwnd_);
    HDC dc = GetDC(hwnd_);
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    RECT client;
    GetClientRect(hwnd_, &client);
    // Only the visible lines: a cell may hold a long text.
    const int lineCount = static_cast<int>(SendMessageW(hwnd_, EM_GETLINECOUNT, 0, 0));
    const int first = static_cast<int>(SendMessageW(hwnd_, EM_GETFIRSTVISIBLELINE, 0, 0));
    const int visible = tm.tmHeight > 0 ? client.bottom / tm.tmHeight + 1 : lineCount;
    const LRESULT from = SendMessageW(hwnd_, EM_LINEINDEX, static_cast<WPARAM>(first), 0);
    const LRESULT to = first + visible < lineCount
                           ? SendMessageW(hwnd_, EM_LINEINDEX, static_cast<WPARAM>(first + visible), 0)
                           : static_cast<LRESULT>(text.size());
    const COLORREF back = darkMode_ ? darkBackColor_ : color_;
    HideCaret(hwnd_);
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, back);
    SetTextColor(dc, color);
    if (from >= 0 && to >= from) {
        for (size_t i : CrLfMarkChars(text, static_cast<size_t>(from), static_cast<size_t>(to))) {
            const LRESULT r = SendMessageW(hwnd_, EM_POSFROMCHAR, static_cast<WPARAM>(i), 0);
            if (r == -1) continue;
            // The control answers in signed 16-bit client coordinates.
            const POINT p{static_cast<short>(LOWORD(r)), static_cast<short>(HIWORD(r))};
            if (p.x < 0 || p.y < 0) continue;
            TextOutW(dc, p.x, p.y, kMark, 1);
            if (remember) last_.push_back(p);
        }
    }
    ShowCaret(hwnd_);
    SelectObject(dc, oldFont);
    ReleaseDC(hwnd_, dc);
}

}  // namespace quib
