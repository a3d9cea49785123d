#pragma once
// Small child-window helpers shared by the forms: a plain coloured panel that
// forwards its children's notifications to the form, labels, and colour/font
// holders for the WM_CTLCOLOR* messages.
#include <windows.h>

#include <string>

namespace quib {

// A container child window (the form designer's panel). It paints its own
// background colour and hands WM_COMMAND, WM_NOTIFY and WM_CTLCOLOR* to its
// parent so the form handles everything in one place.
HWND CreatePanel(HWND parent, int id, COLORREF color);
void SetPanelColor(HWND panel, COLORREF color);
COLORREF PanelColor(HWND panel);

HWND CreateLabel(HWND parent, const std::wstring& text, int id, HFONT font);

std::wstring GetText(HWND hwnd);
void SetText(HWND hwnd, const std::wstring& text);
// The size of a control's text in the control's font, on one line, with "&"
// taken as the mnemonic marker it is on buttons and labels.
SIZE TextExtent(HWND control);

// Puts Unicode text on the clipboard. Another program may hold the clipboard
// for a moment (clipboard managers read every change), so opening it is tried
// a few times before giving up. False when the text could not be put there.
bool SetClipboardText(HWND owner, const std::wstring& text);

// A brush that follows a colour, recreated only when the colour changes.
class SolidBrushCache {
public:
    ~SolidBrushCache();
    HBRUSH Get(COLORREF color);

private:
    HBRUSH brush_ = nullptr;
    COLORREF color_ = 0;
};

// A font that is recreated only when its face, point size or DPI changes.
class FontHolder {
public:
    ~FontHolder();
    HFONT Get(const std::wstring& face, int pointSize, UINT dpi);
    // The same face and size at another DPI (null when none was made yet).
    HFONT ForDpi(UINT dpi);
    HFONT Handle() const { return font_; }

private:
    HFONT font_ = nullptr;
    std::wstring face_;
    int size_ = 0;
    UINT dpi_ = 0;
};

// One row of an owner-drawn list box: under the system look the selected
// row is aqua with the window-text colour, or the highlight with white
// text while the list has the focus; a focused row that is not selected is
// aqua too. Dark styles use their own highlight. Text 2 pixels from the left.
void DrawListBoxRow(const DRAWITEMSTRUCT& dis);
// The row height for the list's font.
void SetListBoxRowHeight(HWND list, int minimum);

}  // namespace quib
