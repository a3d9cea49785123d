#pragma once
// The program's visual styles: the system look, or one of three dark styles
// chosen by the settings value [VclStyle] Text. A dark style is set once for
// the whole application before the first window exists; every window then
// asks this module to darken itself and its controls, and routes a few
// messages through it.
//
// Windows 10 1903 and later get Windows' own dark parts (title bar, scroll
// bars, pop-up menus, themed controls) through DWM and the undocumented
// uxtheme entry points, looked up at run time. Everywhere else (Windows 7/8,
// Wine) the program draws the menus, buttons, check boxes, group boxes,
// combo boxes, list headers, tabs and status bars itself, so the dark look
// does not depend on any of those.
//
// Under the system look every function here does nothing and
// ThemeHandleMessage handles nothing.
#include <windows.h>

#include <string>

namespace quib {

enum class VisualStyle { System = 0, Carbon = 1, CharcoalDarkSlate = 2, Windows10Dark = 3 };

// "Carbon", "Charcoal Dark Slate", "Windows10 Dark" (exactly, case-sensitive);
// anything else is the system look.
VisualStyle VisualStyleFromName(const std::wstring& text);

struct ThemePalette {
    COLORREF window;         // lists, trees, edits, panels: the base colour
    COLORREF windowText;
    COLORREF control;        // window faces, labels, menu bar, headers, status bar
    COLORREF controlText;
    COLORREF button;         // push-button faces, selected tab
    COLORREF buttonText;
    COLORREF border;         // frames, separators, dividers
    COLORREF highlight;      // selection, focused or default button frame
    COLORREF highlightText;
    COLORREF grayText;       // disabled text
    COLORREF menu;
    COLORREF menuText;
    COLORREF menuHighlight;  // hot or open menu item
};

// The colours of a style. A dark style takes baseColor (the list colour from
// [FListView] ColorCarbon / ColorCharcoal / ColorDark) as its window colour and
// derives the rest from it; should a user pick a light base, the text turns
// dark so it stays readable. The system look returns the system colours and
// ignores baseColor.
ThemePalette MakePalette(VisualStyle style, COLORREF baseColor);

// The style of the whole application; call once before the first window.
void SetApplicationStyle(VisualStyle style, COLORREF baseColor);
VisualStyle ApplicationStyle();
bool DarkStyleActive();
const ThemePalette& CurrentPalette();

// True where Windows draws dark title bars, scroll bars and pop-up menus
// itself (Windows 10 1903 and later); elsewhere the program draws its menus.
bool NativeDarkModeAvailable();

// Gives a top-level window (title bar, menu bar and its menus) and every child
// control, recursively, the dark look. Safe to call again, e.g. after
// creating more controls; controls created later inside a window that routes
// ThemeHandleMessage are themed when they are created.
void ApplyThemeToWindow(HWND top);
void ApplyThemeToControl(HWND control);

// A form's window procedure calls this before its own handling of a message.
// Handles the background, WM_CTLCOLOR*, owner-drawn menu items, the menu bar
// (WM_UAHDRAWMENU*, its bottom line in WM_NCPAINT / WM_NCACTIVATE) and themes
// new child controls (WM_PARENTNOTIFY) and pop-up menus (WM_INITMENUPOPUP,
// which the form still receives). Returns true when it handled the message,
// with result set. A form that colours some of its own controls answers
// WM_CTLCOLOR* for those first and passes the rest here.
bool ThemeHandleMessage(HWND form, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

// Message boxes: called with the box from a WH_CBT hook at HCBT_ACTIVATE.
void ThemeMessageBox(HWND box);

}  // namespace quib
