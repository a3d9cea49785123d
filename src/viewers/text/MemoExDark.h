#pragma once
// The text viewer's read-only text control: the platform's multi-line edit
// with the marks drawn over it after it paints, only for the lines of about
// one and a half screens from the first visible one, and only when a mark is
// enabled. It keeps no text of its own: the text it shows is lent to it.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "viewers/text/EditMarks.h"

namespace quib {

class TMemoExDark {
public:
    TMemoExDark() = default;
    ~TMemoExDark();
    TMemoExDark(const TMemoExDark&) = delete;
    TMemoExDark& operator=(const TMemoExDark&) = delete;

    // Draws over this edit control (subclassed until it is destroyed).
    void Attach(HWND edit);
    HWND Handle() const { return hwnd_; }
    // The text the control shows, as the viewer keeps it (not copied).
    void SetText(const std::wstring* text) { text_ = text; }

    TEditMarks EditMarks;
    int ShiftRet = 15, ShiftEof = 12, ShiftTab = 8, ShiftDBCS = 13;
    COLORREF Color = RGB(255, 255, 255);  // background
    COLORREF DarkBackColor = RGB(0, 0, 0);
    bool DarkMode = false;

    void Redraw() const;

    // Raised when the control reports a vertical scroll; the text viewer
    // leaves it unassigned.
    std::function<void()> OnVScrolled;
    // The owner hands the control's notifications (WM_COMMAND codes) here;
    // true when one was taken.
    bool Notify(int code);
    // The marks drawn by the last painting (tests read them).
    const std::vector<MarkPlace>& LastMarks() const { return last_; }

private:
    void DrawMarks();
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    HWND hwnd_ = nullptr;
    const std::wstring* text_ = nullptr;
    RECT rectEof_{0, 0, 0, 0};
    std::vector<MarkPlace> last_;
};

}  // namespace quib
