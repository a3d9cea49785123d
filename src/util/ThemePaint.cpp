// Controls whose own drawing ignores the colours a parent gives them (themed
// buttons draw black text; headers, tabs, status bars and drop-down combo
// boxes draw system faces) are painted here under a dark style. Each keeps its
// own behaviour; only WM_PAINT is replaced, through a subclass.
#include "util/ThemeInternal.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace quib::theme {
namespace {

// Lengths at the DPI of the window painted (the DC of a per-monitor aware
// window reports the system DPI, not its monitor's).
int Scale(HWND h, int px) { return ScaleToDpi(px, DpiOfWindow(h)); }

std::wstring WindowString(HWND h) {
    std::wstring s(static_cast<size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
    s.resize(static_cast<size_t>(GetWindowTextW(h, s.data(), static_cast<int>(s.size()))));
    return s;
}

struct UiState {
    bool hideAccel;
    bool hideFocus;
};

UiState QueryUiState(HWND h) {
    const auto s = static_cast<UINT>(SendMessageW(h, WM_QUERYUISTATE, 0, 0));
    return {(s & UISF_HIDEACCEL) != 0, (s & UISF_HIDEFOCUS) != 0};
}

void FrameColor(HDC dc, const RECT& r, COLORREF color) { FrameRect(dc, &r, Brush(color)); }

// Sibling controls lying over a group box or a tab control (their contents)
// paint themselves: keep them out of the fill.
void ExcludeOverlappingSiblings(HWND h, HDC dc) {
    HWND parent = GetParent(h);
    if (!parent) return;
    RECT self;
    GetWindowRect(h, &self);
    for (HWND s = GetWindow(parent, GW_CHILD); s; s = GetWindow(s, GW_HWNDNEXT)) {
        if (s == h || !(GetWindowLongPtrW(s, GWL_STYLE) & WS_VISIBLE)) continue;
        RECT r, overlap;
        GetWindowRect(s, &r);
        // A sibling under the whole control (a tab control or frame it sits
        // on) is its background, not its content.
        if (!IntersectRect(&overlap, &r, &self) || EqualRect(&overlap, &self)) continue;
        MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&overlap), 2);
        ExcludeClipRect(dc, overlap.left, overlap.top, overlap.right, overlap.bottom);
    }
}

class DcState {
public:
    DcState(HDC dc, HFONT font) : dc_(dc), saved_(SaveDC(dc)) {
        SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
    }
    ~DcState() { RestoreDC(dc_, saved_); }
    DcState(const DcState&) = delete;
    DcState& operator=(const DcState&) = delete;

private:
    HDC dc_;
    int saved_;
};

void PaintPushButton(HWND h, HDC dc) {
    const ThemePalette& p = CurrentPalette();
    RECT rc;
    GetClientRect(h, &rc);
    DcState st(dc, ControlFont(h));
    Fill(dc, rc, BackgroundBehind(h));
    const auto state = static_cast<UINT>(SendMessageW(h, BM_GETSTATE, 0, 0));
    const bool enabled = IsWindowEnabled(h);
    const bool focused = (state & BST_FOCUS) != 0;
    const bool isDefault = (GetWindowLongPtrW(h, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    const COLORREF face = (state & BST_PUSHED) ? p.border : (state & BST_HOT) ? p.menuHighlight : p.button;
    RECT body = rc;
    InflateRect(&body, -1, -1);
    Fill(dc, body, face);
    FrameColor(dc, body, enabled && (focused || isDefault) ? p.highlight : p.border);
    const UiState ui = QueryUiState(h);
    SetTextColor(dc, enabled ? p.buttonText : p.grayText);
    RECT text = body;
    InflateRect(&text, -Scale(h, 4), -Scale(h, 2));
    const std::wstring caption = WindowString(h);
    DrawTextW(dc, caption.c_str(), -1, &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | (ui.hideAccel ? DT_HIDEPREFIX : 0));
    if (focused && !ui.hideFocus) {
        RECT f = body;
        InflateRect(&f, -Scale(h, 3), -Scale(h, 3));
        SetTextColor(dc, p.buttonText);
        SetBkColor(dc, face);
        DrawFocusRect(dc, &f);
    }
}

void PaintCheckOrRadio(HWND h, HDC dc, bool radio) {
    const ThemePalette& p = CurrentPalette();
    RECT rc;
    GetClientRect(h, &rc);
    DcState st(dc, ControlFont(h));
    Fill(dc, rc, BackgroundBehind(h));
    const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
    const auto check = static_cast<UINT>(SendMessageW(h, BM_GETCHECK, 0, 0));
    const bool enabled = IsWindowEnabled(h);
    const bool glyphRight = (style & BS_LEFTTEXT) != 0;
    const int size = Scale(h, 13);
    RECT box{0, (rc.top + rc.bottom - size) / 2, size, 0};
    if (glyphRight) box.left = rc.right - size;
    box.right = box.left + size;
    box.bottom = box.top + size;
    const COLORREF mark = enabled ? p.windowText : p.grayText;
    if (radio) {
        HGDIOBJ oldBrush = SelectObject(dc, Brush(p.window));
        HPEN pen = CreatePen(PS_SOLID, 1, p.border);
        HGDIOBJ oldPen = SelectObject(dc, pen);
        Ellipse(dc, box.left, box.top, box.right, box.bottom);
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
        DeleteObject(pen);
        if (check == BST_CHECKED) DrawBullet(dc, box, mark);
    } else {
        Fill(dc, box, p.window);
        FrameColor(dc, box, p.border);
        if (check == BST_CHECKED) {
            DrawCheckMark(dc, box, mark);
        } else if (check == BST_INDETERMINATE) {
            RECT in = box;
            InflateRect(&in, -size / 4, -size / 4);
            Fill(dc, in, p.grayText);
        }
    }
    RECT text = rc;
    const int gap = Scale(h, 4);
    if (glyphRight) {
        text.right = box.left - gap;
    } else {
        text.left = box.right + gap;
    }
    const UiState ui = QueryUiState(h);
    UINT format = (ui.hideAccel ? DT_HIDEPREFIX : 0) | ((style & BS_RIGHT) == BS_RIGHT ? DT_RIGHT : DT_LEFT);
    format |= (style & BS_MULTILINE) ? DT_WORDBREAK : (DT_SINGLELINE | DT_VCENTER);
    const std::wstring caption = WindowString(h);
    RECT measured = text;
    DrawTextW(dc, caption.c_str(), -1, &measured, format | DT_CALCRECT);
    if (style & BS_MULTILINE) OffsetRect(&text, 0, ((text.bottom - text.top) - (measured.bottom - measured.top)) / 2);
    SetTextColor(dc, enabled ? p.controlText : p.grayText);
    DrawTextW(dc, caption.c_str(), -1, &text, format);
    if (GetFocus() == h && !ui.hideFocus && !caption.empty()) {
        RECT f{text.left - 1, (rc.top + rc.bottom - (measured.bottom - measured.top)) / 2 - 1,
               text.left + (measured.right - measured.left) + 1, 0};
        f.bottom = f.top + (measured.bottom - measured.top) + 2;
        SetTextColor(dc, p.controlText);
        SetBkColor(dc, BackgroundBehind(h));
        DrawFocusRect(dc, &f);
    }
}

void PaintGroupBox(HWND h, HDC dc) {
    const ThemePalette& p = CurrentPalette();
    RECT rc;
    GetClientRect(h, &rc);
    DcState st(dc, ControlFont(h));
    ExcludeOverlappingSiblings(h, dc);
    const COLORREF back = BackgroundBehind(h);
    Fill(dc, rc, back);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    RECT frame = rc;
    frame.top += tm.tmHeight / 2;
    FrameColor(dc, frame, p.border);
    const std::wstring caption = WindowString(h);
    if (caption.empty()) return;
    const UiState ui = QueryUiState(h);
    const UINT format = DT_SINGLELINE | DT_LEFT | DT_TOP | (ui.hideAccel ? DT_HIDEPREFIX : 0);
    RECT text{rc.left + Scale(h, 8), rc.top, rc.right - Scale(h, 8), rc.top + tm.tmHeight};
    RECT measured = text;
    DrawTextW(dc, caption.c_str(), -1, &measured, format | DT_CALCRECT);
    RECT gap{measured.left - 2, measured.top, std::min(measured.right + 2, text.right), measured.bottom};
    Fill(dc, gap, back);
    SetTextColor(dc, IsWindowEnabled(h) ? p.controlText : p.grayText);
    DrawTextW(dc, caption.c_str(), -1, &text, format | DT_END_ELLIPSIS);
}

void PaintHeader(HWND h, HDC dc) {
    const ThemePalette& p = CurrentPalette();
    RECT rc;
    GetClientRect(h, &rc);
    DcState st(dc, ControlFont(h));
    Fill(dc, rc, p.control);
    SetTextColor(dc, p.controlText);
    const int pad = Scale(h, 6);
    const int count = Header_GetItemCount(h);
    for (int i = 0; i < count; ++i) {
        RECT item;
        if (!Header_GetItemRect(h, i, &item)) continue;
        wchar_t buf[260] = {};
        HDITEMW hd{};
        hd.mask = HDI_TEXT | HDI_FORMAT;
        hd.pszText = buf;
        hd.cchTextMax = 259;
        Header_GetItem(h, i, &hd);
        RECT text = item;
        InflateRect(&text, -pad, 0);
        if (hd.fmt & (HDF_SORTUP | HDF_SORTDOWN)) {
            const int a = Scale(h, 10);
            RECT arrow{text.right - a, item.top, text.right, item.bottom};
            DrawArrow(dc, arrow, (hd.fmt & HDF_SORTUP) ? Arrow::Up : Arrow::Down, p.grayText);
            text.right -= a + Scale(h, 2);
        }
        UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
        const int align = hd.fmt & HDF_JUSTIFYMASK;
        format |= align == HDF_RIGHT ? DT_RIGHT : align == HDF_CENTER ? DT_CENTER : DT_LEFT;
        DrawTextW(dc, buf, -1, &text, format);
        Fill(dc, RECT{item.right - 1, item.top, item.right, item.bottom}, p.border);
    }
    Fill(dc, RECT{rc.left, rc.bottom - 1, rc.right, rc.bottom}, p.border);
}

// Status-bar text: a tab starts the centred part, a second tab the right-aligned one.
void DrawStatusText(HDC dc, const std::wstring& text, RECT r) {
    static const UINT kAlign[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    size_t start = 0;
    for (int part = 0; part < 3; ++part) {
        const size_t tab = part < 2 ? text.find(L'\t', start) : std::wstring::npos;
        const std::wstring piece = text.substr(start, tab == std::wstring::npos ? std::wstring::npos : tab - start);
        DrawTextW(dc, piece.c_str(), -1, &r, kAlign[part] | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        if (tab == std::wstring::npos) break;
        start = tab + 1;
    }
}

void PaintStatusBar(HWND h, HDC dc) {
    const ThemePalette& p = CurrentPalette();
    RECT rc;
    GetClientRect(h, &rc);
    DcState st(dc, ControlFont(h));
    Fill(dc, rc, p.control);
    Fill(dc, RECT{rc.left, rc.top, rc.right, rc.top + 1}, p.border);
    SetTextColor(dc, p.controlText);
    const bool simple = SendMessageW(h, SB_ISSIMPLE, 0, 0) != 0;
    const int count = simple ? 1 : static_cast<int>(SendMessageW(h, SB_GETPARTS, 0, 0));
    const int pad = Scale(h, 4);
    for (int i = 0; i < count; ++i) {
        const WPARAM part = simple ? SB_SIMPLEID : static_cast<WPARAM>(i);
        RECT r = rc;
        if (!simple) SendMessageW(h, SB_GETRECT, part, reinterpret_cast<LPARAM>(&r));
        const auto info = static_cast<DWORD>(SendMessageW(h, SB_GETTEXTLENGTHW, part, 0));
        if (HIWORD(info) & SBT_OWNERDRAW) {
            // The owner draws this part itself, on our face.
            DRAWITEMSTRUCT dis{};
            dis.CtlID = static_cast<UINT>(GetDlgCtrlID(h));
            dis.itemID = static_cast<UINT>(part);
            dis.hwndItem = h;
            dis.hDC = dc;
            dis.rcItem = r;
            dis.itemData = static_cast<ULONG_PTR>(SendMessageW(h, SB_GETTEXTW, part, 0));
            SendMessageW(GetParent(h), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
        } else {
            std::wstring text(static_cast<size_t>(LOWORD(info)) + 1, L'\0');
            SendMessageW(h, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(text.data()));
            text.resize(LOWORD(info));
            RECT t = r;
            InflateRect(&t, -pad, 0);
            DrawStatusText(dc, text, t);
        }
        if (!simple && i + 1 < count) Fill(dc, RECT{r.right - 1, r.top + 3, r.right, r.bottom - 3}, p.border);
    }
    HWND top = GetAncestor(h, GA_ROOT);
    if ((GetWindowLongPtrW(h, GWL_STYLE) & SBARS_SIZEGRIP) && !(top && IsZoomed(top))) {
        // Three diagonal rows of dots, as Windows draws its grip.
        const int d = Scale(h, 2), step = Scale(h, 4);
        for (int row = 0; row < 3; ++row) {
            for (int col = 0; col <= row; ++col) {
                const int x = rc.right - step * (col + 1), y = rc.bottom - step * (row - col + 1);
                Fill(dc, RECT{x, y, x + d, y + d}, p.border);
            }
        }
    }
}

void PaintTab(HWND h, HDC dc) {
    const ThemePalette& p = CurrentPalette();
    RECT rc;
    GetClientRect(h, &rc);
    DcState st(dc, ControlFont(h));
    ExcludeOverlappingSiblings(h, dc);
    Fill(dc, rc, p.control);
    RECT page = rc;
    TabCtrl_AdjustRect(h, FALSE, &page);
    InflateRect(&page, 2, 2);
    FrameColor(dc, page, p.border);
    const int selected = TabCtrl_GetCurSel(h);
    const int count = TabCtrl_GetItemCount(h);
    const UiState ui = QueryUiState(h);
    for (int i = 0; i < count; ++i) {
        RECT r;
        if (!TabCtrl_GetItemRect(h, i, &r)) continue;
        wchar_t buf[260] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = buf;
        item.cchTextMax = 259;
        TabCtrl_GetItem(h, i, &item);
        if (i == selected) {
            r.top -= 2;
            r.bottom += 1;  // joins the page frame
        }
        Fill(dc, r, i == selected ? p.button : p.control);
        Fill(dc, RECT{r.left, r.top, r.right, r.top + 1}, p.border);
        Fill(dc, RECT{r.left, r.top, r.left + 1, r.bottom}, p.border);
        Fill(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, p.border);
        SetTextColor(dc, i == selected ? p.buttonText : p.controlText);
        DrawTextW(dc, buf, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | (ui.hideAccel ? DT_HIDEPREFIX : 0));
        if (i == selected && GetFocus() == h && !ui.hideFocus) {
            RECT f = r;
            InflateRect(&f, -3, -3);
            DrawFocusRect(dc, &f);
        }
    }
}

void PaintComboBox(HWND h, HDC dc) {
    const ThemePalette& p = CurrentPalette();
    RECT rc;
    GetClientRect(h, &rc);
    DcState st(dc, ControlFont(h));
    COMBOBOXINFO ci{sizeof(ci)};
    if (!GetComboBoxInfo(h, &ci)) return;
    const bool enabled = IsWindowEnabled(h);
    const bool dropList = (GetWindowLongPtrW(h, GWL_STYLE) & 0x3) == CBS_DROPDOWNLIST;
    if (!dropList && ci.hwndItem) {
        RECT e;
        GetWindowRect(ci.hwndItem, &e);
        MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&e), 2);
        ExcludeClipRect(dc, e.left, e.top, e.right, e.bottom);
    }
    Fill(dc, rc, p.window);
    const bool focused = GetFocus() == h;
    FrameColor(dc, rc, focused ? p.highlight : p.border);
    if (!IsRectEmpty(&ci.rcButton)) {
        RECT b = ci.rcButton;
        Fill(dc, b, p.button);
        DrawArrow(dc, b, Arrow::Down, enabled ? p.controlText : p.grayText);
    }
    if (!dropList) return;
    const auto sel = static_cast<int>(SendMessageW(h, CB_GETCURSEL, 0, 0));
    std::wstring text;
    if (sel >= 0) {
        const auto len = SendMessageW(h, CB_GETLBTEXTLEN, static_cast<WPARAM>(sel), 0);
        if (len > 0) {
            text.assign(static_cast<size_t>(len) + 1, L'\0');
            SendMessageW(h, CB_GETLBTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(text.data()));
            text.resize(static_cast<size_t>(len));
        }
    }
    RECT item = ci.rcItem;
    const bool selected = focused && !SendMessageW(h, CB_GETDROPPEDSTATE, 0, 0);
    if (selected) Fill(dc, item, p.highlight);
    SetTextColor(dc, !enabled ? p.grayText : selected ? p.highlightText : p.windowText);
    RECT t = item;
    t.left += Scale(h, 2);
    DrawTextW(dc, text.c_str(), -1, &t, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

// The sunken edge around lists, trees and edits: a thin frame in the border
// colour instead of the light bevel.
void PaintClientEdge(HWND h) {
    if (!(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) return;
    const ThemePalette& p = CurrentPalette();
    RECT r;
    GetWindowRect(h, &r);
    OffsetRect(&r, -r.left, -r.top);
    HDC dc = GetWindowDC(h);
    if (!dc) return;
    FrameColor(dc, r, p.border);
    InflateRect(&r, -1, -1);
    FrameColor(dc, r, p.window);
    ReleaseDC(h, dc);
}

void PaintInto(HWND h, HDC dc, Painted kind) {
    switch (kind) {
        case Painted::PushButton: PaintPushButton(h, dc); break;
        case Painted::CheckBox: PaintCheckOrRadio(h, dc, false); break;
        case Painted::RadioButton: PaintCheckOrRadio(h, dc, true); break;
        case Painted::GroupBox: PaintGroupBox(h, dc); break;
        case Painted::Header: PaintHeader(h, dc); break;
        case Painted::StatusBar: PaintStatusBar(h, dc); break;
        case Painted::Tab: PaintTab(h, dc); break;
        case Painted::ComboBox: PaintComboBox(h, dc); break;
        case Painted::ClientEdge: break;
    }
}

// Messages after which a control redraws part of itself directly, bypassing
// WM_PAINT (the classic button and combo box do); the control is repainted
// right after, so our look wins.
bool RedrawsDirectly(Painted kind, UINT msg) {
    switch (msg) {
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_SETTEXT:
        case WM_UPDATEUISTATE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CAPTURECHANGED:
        case WM_MOUSELEAVE:
            return kind != Painted::Header && kind != Painted::StatusBar;
        case BM_SETSTATE:
        case BM_SETCHECK:
        case BM_SETSTYLE:
            return kind == Painted::PushButton || kind == Painted::CheckBox || kind == Painted::RadioButton;
        case CB_SETCURSEL:
        case CB_SELECTSTRING:
        case CB_RESETCONTENT:
        case CB_SHOWDROPDOWN:
        case WM_CHAR:
        case WM_MOUSEWHEEL:
        case WM_COMMAND:
            return kind == Painted::ComboBox;
        case TCM_SETCURSEL:
            return kind == Painted::Tab;
        default:
            return false;
    }
}

LRESULT CALLBACK PaintProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) {
    const auto kind = static_cast<Painted>(id);
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(h, PaintProc, id);
        return DefSubclassProc(h, msg, wp, lp);
    }
    if (!DarkStyleActive()) return DefSubclassProc(h, msg, wp, lp);
    if (kind == Painted::ClientEdge) {
        if (msg != WM_NCPAINT) return DefSubclassProc(h, msg, wp, lp);
        const LRESULT r = DefSubclassProc(h, msg, wp, lp);
        PaintClientEdge(h);
        return r;
    }
    switch (msg) {
        case WM_PAINT: {
            if (wp) {
                PaintInto(h, reinterpret_cast<HDC>(wp), kind);
                return 0;
            }
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, &ps);
            PaintInto(h, dc, kind);
            EndPaint(h, &ps);
            return 0;
        }
        case WM_PRINTCLIENT:
            PaintInto(h, reinterpret_cast<HDC>(wp), kind);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers every pixel
        default:
            break;
    }
    const LRESULT r = DefSubclassProc(h, msg, wp, lp);
    if (RedrawsDirectly(kind, msg)) InvalidateRect(h, nullptr, FALSE);
    return r;
}

}  // namespace

void PaintThemed(HWND control, Painted kind) {
    SetWindowSubclass(control, PaintProc, static_cast<UINT_PTR>(kind), 0);
}

void DrawCheckMark(HDC dc, const RECT& b, COLORREF color) {
    const int w = b.right - b.left, h = b.bottom - b.top;
    const POINT pts[3] = {{b.left + w * 2 / 10, b.top + h * 5 / 10},
                          {b.left + w * 4 / 10, b.top + h * 7 / 10},
                          {b.left + w * 8 / 10, b.top + h * 3 / 10}};
    HPEN pen = CreatePen(PS_SOLID, std::max(2, std::min(w, h) / 7), color);
    HGDIOBJ old = SelectObject(dc, pen);
    Polyline(dc, pts, 3);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void DrawBullet(HDC dc, const RECT& b, COLORREF color) {
    RECT r = b;
    const int inset = std::max<int>(3, (b.right - b.left) * 3 / 10);
    InflateRect(&r, -inset, -inset);
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, Brush(color));
    Ellipse(dc, r.left, r.top, r.right, r.bottom);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

void DrawArrow(HDC dc, const RECT& b, Arrow direction, COLORREF color) {
    const int cx = (b.left + b.right) / 2, cy = (b.top + b.bottom) / 2;
    const int s = std::max<int>(2, std::min(b.right - b.left, b.bottom - b.top) / 5);
    POINT pts[3];
    switch (direction) {
        case Arrow::Down: pts[0] = {cx - s, cy - s / 2}; pts[1] = {cx + s, cy - s / 2}; pts[2] = {cx, cy + s / 2 + 1}; break;
        case Arrow::Up: pts[0] = {cx - s, cy + s / 2}; pts[1] = {cx + s, cy + s / 2}; pts[2] = {cx, cy - s / 2 - 1}; break;
        case Arrow::Right: pts[0] = {cx - s / 2, cy - s}; pts[1] = {cx - s / 2, cy + s}; pts[2] = {cx + s / 2 + 1, cy}; break;
    }
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, Brush(color));
    Polygon(dc, pts, 3);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

}  // namespace quib::theme
