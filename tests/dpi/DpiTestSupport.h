#pragma once
// What the DPI tests read back from the windows: the scale the run is for,
// lengths at it, rectangles, fonts and whether a control's text fits it.
#include <windows.h>

#include <string>
#include <vector>

namespace quibtest {

// The scale this run's prefix must have (QUIB_EXPECT_DPI; 96 without it).
UINT ExpectedDpi();
// A length at 96 DPI at this DPI (the test's own arithmetic, not the program's).
int At(int length96, UINT dpi);
SIZE At(SIZE size96, UINT dpi);
// The size cut to the work area of the window's monitor.
SIZE FitToWorkArea(SIZE size, HWND window);

SIZE WindowSize(HWND window);
RECT ScreenRect(HWND window);
// The minimum tracking size the window gives (WM_GETMINMAXINFO).
SIZE MinimumTrackSize(HWND window);
LOGFONTW FontOf(HWND control);

// A control's text in its own font: its width and the font's line height.
struct TextBox {
    SIZE text;  // one line, "&" as a mnemonic
    int lineHeight;
    SIZE box;   // the control's client area
};
TextBox MeasureText(HWND control);

// The visible STATIC controls under a window.
std::vector<HWND> VisibleLabels(HWND top);
// Every pair of the controls, by screen rectangle: which overlap (empty: none).
std::vector<std::wstring> Overlaps(const std::vector<HWND>& controls);

}  // namespace quibtest
