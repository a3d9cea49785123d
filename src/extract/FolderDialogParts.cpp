#include "extract/FolderDialogParts.h"

#include <algorithm>
#include <string>

#include "util/Theme.h"

namespace quib {

const wchar_t* const kInvalidNameHint = L"* | \\ : \" < > ? / の文字は使用できません";

namespace {
constexpr COLORREF kBlue = 0xFF0000;  // blue-green-red order
constexpr COLORREF kAqua = 0xFFFF00;
}  // namespace

bool BlueFieldColor(HWND form, UINT msg, WPARAM wp, LPARAM lp, std::initializer_list<HWND> fields,
                    LRESULT& result) {
    if (msg != WM_CTLCOLORSTATIC && msg != WM_CTLCOLOREDIT) return false;
    const HWND control = reinterpret_cast<HWND>(lp);
    if (std::find(fields.begin(), fields.end(), control) == fields.end()) return false;
    HDC dc = reinterpret_cast<HDC>(wp);
    if (!ThemeHandleMessage(form, msg, wp, lp, result)) {
        // A read-only edit is drawn on the dialog's face, as the system does.
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    // A dark style draws every field in its own text colour (blue would
    // hardly show on its dark ground).
    if (!DarkStyleActive()) SetTextColor(dc, kBlue);
    return true;
}

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
