#pragma once
// The grid viewer's cell editor: the platform's multi-line edit with a mark
// drawn at the end of every visible line that ends in a line break, so a
// cell's line breaks show even where its lines end in spaces.
#include <windows.h>

#include <string>
#include <vector>

namespace quib {

// Where the marks of a text go, as character positions whose place the edit
// control reports: for CR LF the CR, which it puts right after the line's
// text (its LF is put there too by Windows, but at the next line's start by
// Wine); for a lone CR the character after it; for a lone LF the LF itself.
// Only line breaks from character `from` up to `to` (exclusive) count.
std::vector<size_t> CrLfMarkChars(const std::wstring& text, size_t from = 0, size_t to = std::wstring::npos);

class TMemoCrLf {
public:
    TMemoCrLf() = default;
    ~TMemoCrLf();
    TMemoCrLf(const TMemoCrLf&) = delete;
    TMemoCrLf& operator=(const TMemoCrLf&) = delete;

    // Draws over this edit control (subclassed until it is destroyed).
    void Attach(HWND edit);
    HWND Handle() const { return hwnd_; }

    void SetDarkMode(bool on);
    void SetDarkBackColor(COLORREF c);
    void SetCrLfColor(COLORREF c);
    void SetColor(COLORREF c);  // background outside dark mode
    bool DarkMode() const { return darkMode_; }
    COLORREF CrLfColor() const { return crLfColor_; }

    // The character at a client point and the first character of a line, as
    // the control answers them.
    int CharFromPos(int x, int y) const;
    int LineIndex(int line) const;

    // The client positions the last drawing put marks at (tests read them).
    const std::vector<POINT>& LastMarks() const { return last_; }

private:
    void DrawMarks(COLORREF color, bool remember);
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    HWND hwnd_ = nullptr;
    bool darkMode_ = false;
    COLORREF darkBackColor_ = RGB(0, 0, 0);
    COLORREF crLfColor_ = RGB(0, 0, 255);
    COLORREF color_ = RGB(255, 255, 255);
    std::vector<POINT> last_;
};

}  // namespace quib
