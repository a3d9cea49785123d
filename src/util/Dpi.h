#pragma once
// The display scale a window is shown at. The program declares itself
// per-monitor DPI aware, so Windows draws nothing larger for it: every fixed
// length (window sizes, layout metrics, default column widths, drawn marks)
// is written in pixels at 100 % (96 DPI) and scaled here to the DPI of the
// window it is used in, and fonts are made for that DPI from their point
// sizes. A window moved to a monitor of another scale learns its new DPI from
// WM_DPICHANGED; the form base records it on the window, so every control of
// that window asks DpiOfWindow and gets the same answer.
//
// The per-monitor functions exist from Windows 10 1607 on and are looked up
// at run time; before that the whole desktop has the one system DPI.
#include <windows.h>

#include <string>

namespace quib {

constexpr UINT kBaseDpi = 96;

// A length in pixels at 96 DPI, at this DPI (rounded to the nearest pixel).
int ScaleToDpi(int length96, UINT dpi);
SIZE ScaleToDpi(SIZE size96, UINT dpi);
// A length in pixels at one DPI, at another (column widths of a window moved
// between monitors of different scales).
int RescaleDpi(int length, UINT fromDpi, UINT toDpi);
// The size, each side cut to what the area holds (a window laid out for
// 200 % on a small screen still fits on it).
SIZE FitInto(SIZE size, SIZE area);
// LOGFONT height (negative: the character height) of a point size at this DPI.
int FontHeightForDpi(int pointSize, UINT dpi);

// The DPI of the primary monitor when the program started.
UINT SystemDpi();
// The DPI a window is shown at: the one its top-level window was last told
// (RecordWindowDpi), else what Windows says of the window, else the system DPI.
UINT DpiOfWindow(HWND hwnd);
// The DPI of the monitor nearest to a point of the virtual screen.
UINT DpiAtPoint(POINT pt);
// A top-level window records the DPI WM_DPICHANGED gave it.
void RecordWindowDpi(HWND top, UINT dpi);
void ForgetWindowDpi(HWND top);
// Sent by a form to every control under it once its DPI changed, after its
// fonts were replaced: wParam the new DPI, lParam the old one. Controls that
// keep lengths of their own (list column widths) rescale them. (Windows
// sends WM_DPICHANGED_AFTERPARENT itself only to some windows, and Wine never.)
UINT ControlDpiChangedMessage();

// The system's message-box font (the forms' default font) at this DPI.
LOGFONTW MessageFontForDpi(UINT dpi);
// The menu font at this DPI; one object per DPI for the life of the program.
HFONT MenuFontForDpi(UINT dpi);
// A system metric (SM_CXVSCROLL, SM_CYMENUCHECK, ...) at this DPI.
int SystemMetricForDpi(int index, UINT dpi);
// A normal-weight font of a face and point size at this DPI.
HFONT CreatePointFont(const std::wstring& face, int pointSize, UINT dpi);
// The work area of the monitor a window is on (or nearest to).
RECT WorkAreaOf(HWND hwnd);

}  // namespace quib
