#include "util/Controls.h"

#include <algorithm>
#include <cstring>

#include "util/Dpi.h"
#include "util/Theme.h"


namespace quib {
namespace {

const wchar_t kPanelClass[] = L"quibFMarchivePanel";
const wchar_t kPanelColorProp[] = L"quibPanelColor";

LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_DRAWITEM:
            return SendMessageW(GetParent(hwnd), msg, wp, lp);
        case WM_LBUTTONDOWN:
            // A click on the panel itself counts as a click on it for the form.
            SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), STN_CLICKED),
                         reinterpret_cast<LPARAM>(hwnd));
            return 0;
        case WM_ERASEBKGND: {
            RECT rc;
            GetClientRect(hwnd, &rc);
            HBRUSH b = CreateSolidBrush(PanelColor(hwnd));
            FillRect(reinterpret_cast<HDC>(wp), &rc, b);
            DeleteObject(b);
            return 1;
        }
        case WM_NCDESTROY:
            RemovePropW(hwnd, kPanelColorProp);
            break;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

HWND CreatePanel(HWND parent, int id, COLORREF color) {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    if (!GetClassInfoExW(inst, kPanelClass, &wc)) {
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = PanelProc;
        wc.hInstance = inst;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kPanelClass;
        RegisterClassExW(&wc);
    }
    HWND h = CreateWindowExW(WS_EX_CONTROLPARENT, kPanelClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 10,
                             10, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), inst, nullptr);
    SetPanelColor(h, color);
    return h;
}

void SetPanelColor(HWND panel, COLORREF color) {
    SetPropW(panel, kPanelColorProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(color) + 1));
    InvalidateRect(panel, nullptr, TRUE);
}

COLORREF PanelColor(HWND panel) {
    const auto v = reinterpret_cast<UINT_PTR>(GetPropW(panel, kPanelColorProp));
    return v ? static_cast<COLORREF>(v - 1) : GetSysColor(COLOR_BTNFACE);
}

HWND CreateLabel(HWND parent, const std::wstring& text, int id, HFONT font) {
    HWND h = CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_NOTIFY, 0,
                             0, 10, 10, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             GetModuleHandleW(nullptr), nullptr);
    if (font) SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return h;
}

std::wstring GetText(HWND hwnd) {
    const int n = GetWindowTextLengthW(hwnd);
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    GetWindowTextW(hwnd, s.data(), n + 1);
    s.resize(static_cast<size_t>(n));
    return s;
}

void SetText(HWND hwnd, const std::wstring& text) {
    // Setting a window's text repaints it even when nothing changes; the
    // labels and status texts are set again on every move of the cursor.
    if (hwnd && static_cast<size_t>(GetWindowTextLengthW(hwnd)) == text.size() && GetText(hwnd) == text) return;
    SetWindowTextW(hwnd, text.c_str());
}

SIZE TextExtent(HWND control) {
    const std::wstring text = GetText(control);
    HDC dc = GetDC(control);
    HGDIOBJ old = nullptr;
    if (auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0))) old = SelectObject(dc, font);
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), -1, &r, DT_SINGLELINE | DT_CALCRECT);
    if (old) SelectObject(dc, old);
    ReleaseDC(control, dc);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

SolidBrushCache::~SolidBrushCache() {
    if (brush_) DeleteObject(brush_);
}

HBRUSH SolidBrushCache::Get(COLORREF color) {
    if (!brush_ || color != color_) {
        if (brush_) DeleteObject(brush_);
        brush_ = CreateSolidBrush(color);
        color_ = color;
    }
    return brush_;
}

FontHolder::~FontHolder() {
    if (font_) DeleteObject(font_);
}

HFONT FontHolder::Get(const std::wstring& face, int pointSize, UINT dpi) {
    if (font_ && face == face_ && pointSize == size_ && dpi == dpi_) return font_;
    if (font_) DeleteObject(font_);
    font_ = CreatePointFont(face, pointSize, dpi);
    face_ = face;
    size_ = pointSize;
    dpi_ = dpi;
    return font_;
}

HFONT FontHolder::ForDpi(UINT dpi) { return font_ ? Get(face_, size_, dpi) : nullptr; }

bool SetClipboardText(HWND owner, const std::wstring& text) {
    for (int attempt = 0;; ++attempt) {
        if (OpenClipboard(owner)) break;
        if (attempt == 9) return false;
        Sleep(20);
    }
    EmptyClipboard();
    bool put = false;
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void* p = GlobalLock(mem)) {
            memcpy(p, text.c_str(), bytes);
            GlobalUnlock(mem);
            put = SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
        }
        if (!put) GlobalFree(mem);
    }
    CloseClipboard();
    return put;
}

namespace {
constexpr COLORREF kAqua = 0xFFFF00;  // blue-green-red order
}  // namespace

void DrawListBoxRow(const DRAWITEMSTRUCT& dis) {
    const bool dark = DarkStyleActive();
    const ThemePalette& palette = CurrentPalette();
    const bool selected = (dis.itemState & ODS_SELECTED) != 0;
    const bool focused = (dis.itemState & ODS_FOCUS) != 0;
    const bool listFocused = GetFocus() == dis.hwndItem;
    COLORREF back = dark ? palette.window : GetSysColor(COLOR_WINDOW);
    COLORREF text = dark ? palette.windowText : GetSysColor(COLOR_WINDOWTEXT);
    if (dark) {
        if (selected) {
            back = palette.highlight;
            text = palette.highlightText;
        }
    } else if (selected && focused && listFocused) {
        back = GetSysColor(COLOR_HIGHLIGHT);
        text = RGB(255, 255, 255);
    } else if (selected || focused) {
        back = kAqua;
    }
    HBRUSH brush = CreateSolidBrush(back);
    FillRect(dis.hDC, &dis.rcItem, brush);
    DeleteObject(brush);
    if (dis.itemID == static_cast<UINT>(-1)) return;
    const auto len = SendMessageW(dis.hwndItem, LB_GETTEXTLEN, dis.itemID, 0);
    if (len <= 0) return;
    std::wstring caption(static_cast<size_t>(len) + 1, L'\0');
    SendMessageW(dis.hwndItem, LB_GETTEXT, dis.itemID, reinterpret_cast<LPARAM>(caption.data()));
    caption.resize(static_cast<size_t>(len));
    SetBkMode(dis.hDC, TRANSPARENT);
    SetTextColor(dis.hDC, text);
    RECT rc = dis.rcItem;
    rc.left += 2;
    DrawTextW(dis.hDC, caption.c_str(), static_cast<int>(caption.size()), &rc,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
}

void SetListBoxRowHeight(HWND list, int minimum) {
    HDC dc = GetDC(list);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    SendMessageW(list, LB_SETITEMHEIGHT, 0, std::max<LPARAM>(tm.tmHeight + 4, minimum));
}

}  // namespace quib
