#pragma once
// Shared between Theme.cpp (palette, application state, control set-up),
// ThemeMenu.cpp (menus) and ThemePaint.cpp (controls the program paints).
#include <windows.h>

#include "util/Dpi.h"
#include "util/Theme.h"

namespace quib::theme {

// One brush per colour for the life of the program: WM_CTLCOLOR* and menus
// hand these out, so none may be deleted while a window could still use it.
HBRUSH Brush(COLORREF color);
void Fill(HDC dc, const RECT& rect, COLORREF color);
// The font a control paints with (its WM_GETFONT, else the GUI font).
HFONT ControlFont(HWND control);
// The menu font at the DPI of the window whose menus are drawn.
HFONT MenuFont(HWND form);

// Colour under a control: the colour of the program's panel it sits on, else
// the window face.
COLORREF BackgroundBehind(HWND control);

// Controls the program paints itself under a dark style.
enum class Painted { PushButton = 1, CheckBox, RadioButton, GroupBox, Header, StatusBar, Tab, ComboBox, ClientEdge };
void PaintThemed(HWND control, Painted kind);

// Glyphs shared by buttons, combo boxes and menus.
void DrawCheckMark(HDC dc, const RECT& box, COLORREF color);
void DrawBullet(HDC dc, const RECT& box, COLORREF color);
enum class Arrow { Down, Right, Up };
void DrawArrow(HDC dc, const RECT& box, Arrow direction, COLORREF color);

// Menus: the menu bar of a top-level window and its pop-ups.
void ThemeMenuBar(HWND top);
void ThemePopupMenu(HMENU popup);
bool HandleMenuMessage(HWND form, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

}  // namespace quib::theme
