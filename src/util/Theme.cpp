#include "util/Theme.h"

#include <commctrl.h>

#include <algorithm>
#include <map>

#include "util/ThemeInternal.h"

namespace quib {
namespace {

// Undocumented uxtheme entry points exist only by ordinal, and the same
// ordinal means something else on older Windows: they are looked up, and
// used only on the builds where their meaning is known.
constexpr WORD kOrdAllowDarkModeForWindow = 133;
constexpr WORD kOrdSetPreferredAppMode = 135;  // 1903+; AllowDarkModeForApp(BOOL) on 1809
constexpr WORD kOrdFlushMenuThemes = 136;
constexpr DWORD kBuild1809 = 17763;
constexpr DWORD kBuild1903 = 18362;
constexpr DWORD kBuild20H1 = 18985;  // DWM takes attribute 20 from here, 19 before
constexpr DWORD kDwmUseImmersiveDarkMode = 20;
constexpr DWORD kDwmUseImmersiveDarkModeOld = 19;
enum PreferredAppMode { AppModeDefault = 0, AppModeForceDark = 2 };

struct DarkApi {
    DWORD build = 0;
    HRESULT(WINAPI* setWindowTheme)(HWND, LPCWSTR, LPCWSTR) = nullptr;
    BOOL(WINAPI* allowDarkModeForWindow)(HWND, BOOL) = nullptr;
    int(WINAPI* setPreferredAppMode)(int) = nullptr;
    void(WINAPI* flushMenuThemes)() = nullptr;
    HRESULT(WINAPI* dwmSetWindowAttribute)(HWND, DWORD, LPCVOID, DWORD) = nullptr;
    bool native = false;
};

HMODULE LoadSystemLibrary(const wchar_t* name) {
    if (HMODULE m = GetModuleHandleW(name)) return m;
    wchar_t path[MAX_PATH] = {};
    const UINT n = GetSystemDirectoryW(path, MAX_PATH);
    if (n == 0 || n + 1 + lstrlenW(name) >= MAX_PATH) return nullptr;
    lstrcatW(path, L"\\");
    lstrcatW(path, name);
    return LoadLibraryW(path);
}

template <typename F>
void Lookup(HMODULE module, const char* name, F& fn) {
    fn = module ? reinterpret_cast<F>(GetProcAddress(module, name)) : nullptr;
}

DarkApi LoadDarkApi() {
    DarkApi api;
    // GetVersionEx lies to programs without a matching manifest entry; ntdll does not.
    if (HMODULE nt = GetModuleHandleW(L"ntdll.dll")) {
        using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
        RtlGetVersionFn rtlGetVersion = nullptr;
        Lookup(nt, "RtlGetVersion", rtlGetVersion);
        OSVERSIONINFOW vi{sizeof(vi)};
        if (rtlGetVersion && rtlGetVersion(&vi) == 0 && vi.dwMajorVersion >= 10) api.build = vi.dwBuildNumber;
    }
    HMODULE ux = LoadSystemLibrary(L"uxtheme.dll");
    Lookup(ux, "SetWindowTheme", api.setWindowTheme);
    if (api.build >= kBuild1809) {
        Lookup(ux, MAKEINTRESOURCEA(kOrdAllowDarkModeForWindow), api.allowDarkModeForWindow);
        Lookup(ux, MAKEINTRESOURCEA(kOrdFlushMenuThemes), api.flushMenuThemes);
        Lookup(LoadSystemLibrary(L"dwmapi.dll"), "DwmSetWindowAttribute", api.dwmSetWindowAttribute);
    }
    if (api.build >= kBuild1903) Lookup(ux, MAKEINTRESOURCEA(kOrdSetPreferredAppMode), api.setPreferredAppMode);
    api.native = api.setWindowTheme && api.allowDarkModeForWindow && api.setPreferredAppMode && api.flushMenuThemes;
    return api;
}

const DarkApi& Api() {
    static const DarkApi api = LoadDarkApi();
    return api;
}

struct AppState {
    VisualStyle style = VisualStyle::System;
    ThemePalette palette{};
    bool paletteReady = false;
};

AppState& State() {
    static AppState state;
    return state;
}

int Luma(COLORREF c) { return (GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114) / 1000; }

COLORREF Shift(COLORREF c, int delta) {
    auto ch = [delta](int v) { return static_cast<BYTE>(std::clamp(v + delta, 0, 255)); };
    return RGB(ch(GetRValue(c)), ch(GetGValue(c)), ch(GetBValue(c)));
}

COLORREF Mix(COLORREF a, COLORREF b, int percentB) {
    auto ch = [percentB](int x, int y) { return static_cast<BYTE>((x * (100 - percentB) + y * percentB) / 100); };
    return RGB(ch(GetRValue(a), GetRValue(b)), ch(GetGValue(a), GetGValue(b)), ch(GetBValue(a), GetBValue(b)));
}

bool ClassIs(HWND h, const wchar_t* name) {
    wchar_t cls[64] = {};
    GetClassNameW(h, cls, 64);
    return lstrcmpiW(cls, name) == 0;
}

void SetTheme(HWND h, const wchar_t* subApp) {
    if (Api().native) Api().setWindowTheme(h, subApp, nullptr);
}

void AllowDark(HWND h) {
    if (Api().allowDarkModeForWindow) Api().allowDarkModeForWindow(h, TRUE);
}

void DarkTitleBar(HWND top) {
    AllowDark(top);
    if (!Api().dwmSetWindowAttribute) return;
    const BOOL on = TRUE;
    const DWORD attribute = Api().build >= kBuild20H1 ? kDwmUseImmersiveDarkMode : kDwmUseImmersiveDarkModeOld;
    Api().dwmSetWindowAttribute(top, attribute, &on, sizeof(on));
}

bool SetColors(HDC dc, COLORREF text, COLORREF back, LRESULT& result) {
    SetTextColor(dc, text);
    SetBkColor(dc, back);
    result = reinterpret_cast<LRESULT>(theme::Brush(back));
    return true;
}

BOOL CALLBACK ThemeChild(HWND child, LPARAM) {
    ApplyThemeToControl(child);
    return TRUE;
}

void ThemeButton(HWND h) {
    const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
    if (style & (BS_BITMAP | BS_ICON | BS_PUSHLIKE)) return;  // pictures and toggle buttons keep their own look
    switch (style & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
            theme::PaintThemed(h, theme::Painted::PushButton);
            break;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
            theme::PaintThemed(h, theme::Painted::CheckBox);
            break;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            theme::PaintThemed(h, theme::Painted::RadioButton);
            break;
        case BS_GROUPBOX:
            theme::PaintThemed(h, theme::Painted::GroupBox);
            break;
        default:
            return;  // owner-drawn and split buttons draw themselves
    }
    SetTheme(h, L"DarkMode_Explorer");
}

void ThemeComboBox(HWND h) {
    const LONG_PTR type = GetWindowLongPtrW(h, GWL_STYLE) & 0x3;
    const bool ownerDrawn = GetWindowLongPtrW(h, GWL_STYLE) & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE);
    SetTheme(h, L"DarkMode_CFD");
    COMBOBOXINFO ci{sizeof(ci)};
    if (GetComboBoxInfo(h, &ci) && ci.hwndList) SetTheme(ci.hwndList, L"DarkMode_Explorer");
    if (type != CBS_SIMPLE && !ownerDrawn) theme::PaintThemed(h, theme::Painted::ComboBox);
}

// The message box: its face, its texts and its buttons.
LRESULT CALLBACK MessageBoxProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) {
    const ThemePalette& p = CurrentPalette();
    LRESULT result = 0;
    switch (msg) {
        case WM_CTLCOLORDLG:
            return reinterpret_cast<LRESULT>(theme::Brush(p.control));
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            SetColors(reinterpret_cast<HDC>(wp), p.controlText, p.control, result);
            return result;
        case WM_ERASEBKGND: {
            RECT rc;
            GetClientRect(h, &rc);
            theme::Fill(reinterpret_cast<HDC>(wp), rc, p.control);
            return 1;
        }
        case WM_PAINT: {
            // Windows paints the text area white and the button band grey here.
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, &ps);
            theme::Fill(dc, ps.rcPaint, p.control);
            EndPaint(h, &ps);
            return 0;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(h, MessageBoxProc, id);
            break;
        default:
            break;
    }
    return DefSubclassProc(h, msg, wp, lp);
}

}  // namespace

namespace theme {

HBRUSH Brush(COLORREF color) {
    static std::map<COLORREF, HBRUSH> brushes;
    HBRUSH& b = brushes[color];
    if (!b) b = CreateSolidBrush(color);
    return b;
}

void Fill(HDC dc, const RECT& rect, COLORREF color) { FillRect(dc, &rect, Brush(color)); }

HFONT ControlFont(HWND control) {
    auto f = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    return f ? f : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HFONT MenuFont(HWND form) { return MenuFontForDpi(DpiOfWindow(form)); }

COLORREF BackgroundBehind(HWND control) {
    // The program's panels (util/Controls) keep their colour, plus one, in this
    // property; a label on a panel must not show the window face around its text.
    if (HWND parent = GetParent(control)) {
        if (const auto v = reinterpret_cast<UINT_PTR>(GetPropW(parent, L"quibPanelColor"))) {
            return static_cast<COLORREF>(v - 1);
        }
    }
    return CurrentPalette().control;
}

}  // namespace theme

VisualStyle VisualStyleFromName(const std::wstring& text) {
    if (text == L"Carbon") return VisualStyle::Carbon;
    if (text == L"Charcoal Dark Slate") return VisualStyle::CharcoalDarkSlate;
    if (text == L"Windows10 Dark") return VisualStyle::Windows10Dark;
    return VisualStyle::System;
}

ThemePalette MakePalette(VisualStyle style, COLORREF base) {
    ThemePalette p{};
    if (style == VisualStyle::System) {
        p.window = GetSysColor(COLOR_WINDOW);
        p.windowText = GetSysColor(COLOR_WINDOWTEXT);
        p.control = GetSysColor(COLOR_BTNFACE);
        p.controlText = GetSysColor(COLOR_BTNTEXT);
        p.button = GetSysColor(COLOR_BTNFACE);
        p.buttonText = GetSysColor(COLOR_BTNTEXT);
        p.border = GetSysColor(COLOR_BTNSHADOW);
        p.highlight = GetSysColor(COLOR_HIGHLIGHT);
        p.highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
        p.grayText = GetSysColor(COLOR_GRAYTEXT);
        p.menu = GetSysColor(COLOR_MENU);
        p.menuText = GetSysColor(COLOR_MENUTEXT);
        p.menuHighlight = GetSysColor(COLOR_MENUHILIGHT);
        return p;
    }
    base &= 0xFFFFFF;
    // Faces step away from the base towards the middle grey: lighter on a dark
    // base, darker on a light one.
    const bool lightBase = Luma(base) > 120;
    const int step = lightBase ? -1 : 1;
    COLORREF text = RGB(0xE6, 0xE6, 0xE6);
    COLORREF accent = RGB(0x2F, 0x5F, 0x8F);
    if (style == VisualStyle::CharcoalDarkSlate) {
        text = RGB(0xDC, 0xE2, 0xE8);
        accent = RGB(0x3E, 0x5C, 0x76);
    } else if (style == VisualStyle::Windows10Dark) {
        text = RGB(0xFF, 0xFF, 0xFF);
        accent = RGB(0x00, 0x78, 0xD7);
    }
    if (lightBase) text = RGB(0x10, 0x10, 0x10);
    p.window = base;
    p.windowText = text;
    p.control = Shift(base, step * 0x14);
    p.controlText = text;
    p.button = Shift(base, step * 0x2C);
    p.buttonText = text;
    p.border = Shift(base, step * 0x50);
    p.highlight = accent;
    p.highlightText = RGB(0xFF, 0xFF, 0xFF);
    p.grayText = Mix(base, text, 50);
    p.menu = p.control;
    p.menuText = text;
    p.menuHighlight = Shift(base, step * 0x30);
    return p;
}

void SetApplicationStyle(VisualStyle style, COLORREF baseColor) {
    AppState& s = State();
    const bool wasDark = s.style != VisualStyle::System;
    s.style = style;
    s.palette = MakePalette(style, baseColor);
    s.paletteReady = true;
    const DarkApi& api = Api();
    if (api.native && (wasDark || style != VisualStyle::System)) {
        // Dark pop-up menus and scroll bars whatever the system's own setting.
        api.setPreferredAppMode(style == VisualStyle::System ? AppModeDefault : AppModeForceDark);
        api.flushMenuThemes();
    }
}

VisualStyle ApplicationStyle() { return State().style; }

bool DarkStyleActive() { return State().style != VisualStyle::System; }

const ThemePalette& CurrentPalette() {
    AppState& s = State();
    if (!s.paletteReady) {
        s.palette = MakePalette(VisualStyle::System, 0);
        s.paletteReady = true;
    }
    return s.palette;
}

bool NativeDarkModeAvailable() { return Api().native; }

void ApplyThemeToControl(HWND c) {
    if (!DarkStyleActive() || !c) return;
    const ThemePalette& p = CurrentPalette();
    AllowDark(c);
    if (ClassIs(c, WC_LISTVIEWW)) {
        ListView_SetBkColor(c, p.window);
        ListView_SetTextBkColor(c, p.window);
        ListView_SetTextColor(c, p.windowText);
        SetTheme(c, L"DarkMode_Explorer");
        if (HWND header = ListView_GetHeader(c)) ApplyThemeToControl(header);
        theme::PaintThemed(c, theme::Painted::ClientEdge);
    } else if (ClassIs(c, WC_HEADERW)) {
        SetTheme(c, L"DarkMode_ItemsView");
        theme::PaintThemed(c, theme::Painted::Header);
    } else if (ClassIs(c, WC_TREEVIEWW)) {
        TreeView_SetBkColor(c, p.window);
        TreeView_SetTextColor(c, p.windowText);
        TreeView_SetLineColor(c, p.border);
        SetTheme(c, L"DarkMode_Explorer");
        theme::PaintThemed(c, theme::Painted::ClientEdge);
    } else if (ClassIs(c, WC_EDITW)) {
        SetTheme(c, (GetWindowLongPtrW(c, GWL_STYLE) & ES_MULTILINE) ? L"DarkMode_Explorer" : L"DarkMode_CFD");
        theme::PaintThemed(c, theme::Painted::ClientEdge);
    } else if (ClassIs(c, WC_LISTBOXW)) {
        SetTheme(c, L"DarkMode_Explorer");
        theme::PaintThemed(c, theme::Painted::ClientEdge);
    } else if (ClassIs(c, WC_COMBOBOXW)) {
        ThemeComboBox(c);
    } else if (ClassIs(c, WC_BUTTONW)) {
        ThemeButton(c);
    } else if (ClassIs(c, STATUSCLASSNAMEW)) {
        SendMessageW(c, SB_SETBKCOLOR, 0, static_cast<LPARAM>(p.control));
        theme::PaintThemed(c, theme::Painted::StatusBar);
    } else if (ClassIs(c, WC_TABCONTROLW)) {
        theme::PaintThemed(c, theme::Painted::Tab);
    } else if (ClassIs(c, WC_SCROLLBARW)) {
        SetTheme(c, L"DarkMode_Explorer");
    }
    InvalidateRect(c, nullptr, TRUE);
}

void ApplyThemeToWindow(HWND top) {
    if (!DarkStyleActive() || !top) return;
    DarkTitleBar(top);
    theme::ThemeMenuBar(top);
    EnumChildWindows(top, ThemeChild, 0);
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

bool ThemeHandleMessage(HWND form, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (!DarkStyleActive()) return false;
    const ThemePalette& p = CurrentPalette();
    HDC dc = reinterpret_cast<HDC>(wp);
    auto control = reinterpret_cast<HWND>(lp);
    switch (msg) {
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            return SetColors(dc, p.windowText, p.window, result);
        case WM_CTLCOLORSTATIC: {
            // Read-only and disabled edits ask here too: they keep the face
            // colour, as Windows shows them.
            const COLORREF back = ClassIs(control, WC_EDITW) ? p.control : theme::BackgroundBehind(control);
            return SetColors(dc, IsWindowEnabled(control) ? p.controlText : p.grayText, back, result);
        }
        case WM_CTLCOLORBTN:
            return SetColors(dc, p.buttonText, theme::BackgroundBehind(control), result);
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
            return SetColors(dc, p.controlText, p.control, result);
        case WM_ERASEBKGND: {
            RECT rc;
            GetClientRect(form, &rc);
            theme::Fill(dc, rc, p.control);
            result = 1;
            return true;
        }
        case WM_PARENTNOTIFY:
            if (LOWORD(wp) == WM_CREATE) ApplyThemeToControl(control);
            return false;
        default:
            return theme::HandleMenuMessage(form, msg, wp, lp, result);
    }
}

void ThemeMessageBox(HWND box) {
    if (!DarkStyleActive() || !box) return;
    DarkTitleBar(box);
    SetWindowSubclass(box, MessageBoxProc, 1, 0);
    EnumChildWindows(box, ThemeChild, 0);
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

}  // namespace quib
