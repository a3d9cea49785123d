#include "viewers/text/MemoExDark.h"

#include <commctrl.h>

namespace quib {

TMemoExDark::~TMemoExDark() {
    if (hwnd_ && IsWindow(hwnd_)) RemoveWindowSubclass(hwnd_, Proc, 0x4D45);
}

void TMemoExDark::Attach(HWND edit) {
    if (hwnd_ && IsWindow(hwnd_)) RemoveWindowSubclass(hwnd_, Proc, 0x4D45);
    hwnd_ = edit;
    rectEof_ = RECT{0, 0, 0, 0};
    last_.clear();
    SetWindowSubclass(edit, Proc, 0x4D45, reinterpret_cast<DWORD_PTR>(this));
}

void TMemoExDark::Redraw() const {
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

bool TMemoExDark::Notify(int code) {
    if (code != EN_VSCROLL) return false;
    if (OnVScrolled) OnVScrolled();
    return true;
}

LRESULT CALLBACK TMemoExDark::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data) {
    auto* self = reinterpret_cast<TMemoExDark*>(data);
    switch (msg) {
        case WM_PAINT: {
            // The old end-of-text mark goes with this painting.
            if (self->EditMarks.EofMark.Enabled && self->rectEof_.right > self->rectEof_.left)
                InvalidateRect(hwnd, &self->rectEof_, TRUE);
            const LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
            self->DrawMarks();
            return r;
        }
        case WM_LBUTTONDBLCLK:
        case WM_MOUSEMOVE: {
            const LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
            if (msg == WM_LBUTTONDBLCLK || (wp & MK_LBUTTON)) self->DrawMarks();
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

void TMemoExDark::DrawMarks() {
    last_.clear();
    if (!EditMarks.AnyEnabled() || !text_ || text_->empty() || !hwnd_) return;
    HDC dc = GetDC(hwnd_);
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)));
    SIZE a{}, mSize{}, tab{};
    GetTextExtentPoint32W(dc, L"A", 1, &a);
    GetTextExtentPoint32W(dc, L"M", 1, &mSize);
    GetTextExtentPoint32W(dc, EditMarks.TabMark.Mark.c_str(), static_cast<int>(EditMarks.TabMark.Mark.size()), &tab);
    RECT client;
    GetClientRect(hwnd_, &client);
    const int lineCount = static_cast<int>(SendMessageW(hwnd_, EM_GETLINECOUNT, 0, 0));
    const int first = static_cast<int>(SendMessageW(hwnd_, EM_GETFIRSTVISIBLELINE, 0, 0));
    const int last = MarkLastLine(first, client.bottom, a.cy, lineCount);
    const LRESULT from = SendMessageW(hwnd_, EM_LINEINDEX, static_cast<WPARAM>(first), 0);
    const LRESULT to = last + 1 < lineCount ? SendMessageW(hwnd_, EM_LINEINDEX, static_cast<WPARAM>(last + 1), 0) - 1
                                            : static_cast<LRESULT>(text_->size()) - 1;
    MarkMetrics m;
    m.tabMarkWidth = tab.cx;
    m.widthM = mSize.cx;
    m.heightA = a.cy;
    m.shiftRet = ShiftRet;
    m.shiftEof = ShiftEof;
    m.shiftTab = ShiftTab;
    m.shiftDbcs = ShiftDBCS;
    if (from >= 0 && to >= from) {
        // The control answers in signed 16-bit client coordinates.
        last_ = MarksToDraw(*text_, static_cast<size_t>(from), static_cast<size_t>(to), EditMarks, m, [this](size_t i) {
            const LRESULT r = SendMessageW(hwnd_, EM_POSFROMCHAR, static_cast<WPARAM>(i), 0);
            if (r == -1) return POINT{-1, -1};
            return POINT{static_cast<short>(LOWORD(r)), static_cast<short>(HIWORD(r))};
        });
    }
    const COLORREF back = DarkMode ? DarkBackColor : Color;
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, back);
    for (const MarkPlace& p : last_) {
        const TEditMark& mark = p.kind == MarkKind::Tab    ? EditMarks.TabMark
                                : p.kind == MarkKind::CrLf ? EditMarks.CrlfMark
                                : p.kind == MarkKind::Space ? EditMarks.SpaceMark
                                                            : EditMarks.EofMark;
        SetTextColor(dc, mark.Color);
        TextOutW(dc, p.x, p.y, mark.Mark.c_str(), static_cast<int>(mark.Mark.size()));
        if (p.kind == MarkKind::Eof) {
            SIZE e{};
            GetTextExtentPoint32W(dc, mark.Mark.c_str(), static_cast<int>(mark.Mark.size()), &e);
            rectEof_ = RECT{0, p.y, client.right, p.y + e.cy};
        }
    }
    SelectObject(dc, oldFont);
    ReleaseDC(hwnd_, dc);
}

}  // namespace quib
