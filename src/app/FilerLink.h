#pragma once
// Finding the filers of the family and other instances of this program by the
// text of their window captions, and bringing one of them to the front.
#include <windows.h>

#include <array>
#include <string>
#include <vector>

namespace quib {

// Which windows an enumeration collects.
struct WindowFindFlags {
    bool BoolFindAllApli = false;
    bool BoolFindQuibFM = false;
    bool BoolFindHalvFM2008 = false;
    bool BoolFindPellFM = false;
    bool BoolFindPellFMmini = false;
    bool BoolFindQuibFMarchive = false;
};

// How many times a window with this caption is listed: once for "every
// window", then once more for each set flag whose suffix the caption holds
// (" - quibFMarchive" also holds " - quibFM", so such a window can count twice).
int WindowListCount(const std::wstring& caption, const WindowFindFlags& flags);

// Every top-level window by the flags: captions (at most 512 characters) and
// handles in decimal, parallel; enumeration never stops early.
void FindWindowsByCaption(const WindowFindFlags& flags, std::vector<std::wstring>& names,
                          std::vector<std::wstring>& handles);

// The start-up search: the five suffixes, not every window.
WindowFindFlags StartupWindowFlags();
// The instance switch: only the program's own windows.
WindowFindFlags InstanceWindowFlags();

// A window handle written in decimal (as the lists and the rotation file keep
// it); null for a text that is not a whole decimal number.
HWND HandleFromText(const std::wstring& text);
std::wstring HandleText(HWND window);

// Makes the window the foreground window and restores it when minimised. A
// window that has gone meanwhile is passed over silently.
void BringWindowToFront(HWND window);

// --- switching to the next instance of this program

struct InstanceChoice {
    // The visiting order to save: the file's handles, then those just found,
    // each once, only windows that exist now.
    std::vector<std::wstring> rotation;
    // The position in rotation of the instance to bring to the front; -1 when
    // there is no other instance.
    int position = -1;
};

// fileLines: the rotation file's lines; found: the handles of the program's
// windows in enumeration order; index: the position visited last; current:
// the instance that switches (empty: the first found, the topmost). The next
// position after index whose handle is not the current one, wrapping round
// once.
InstanceChoice ChooseNextInstance(const std::vector<std::wstring>& fileLines, const std::vector<std::wstring>& found,
                                  int index, const std::wstring& current = {});

// --- the filer title lines of the selection dialog

using FilerTitleLines = std::array<std::wstring, 4>;

// "1 - quibFM", "1 - PellFM", "0", "0".
FilerTitleLines DefaultFilerTitleLines();
// The title file's first four lines (missing lines count as empty, disabled
// ones); the defaults when the file is missing.
FilerTitleLines ReadFilerTitleLines(const std::wstring& path);
bool WriteFilerTitleLines(const std::wstring& path, const FilerTitleLines& lines);
// A line's flag: it starts with "1".
bool TitleLineEnabled(const std::wstring& line);
// The caption fragment a line carries: from its third character on when the
// line has at least four characters, else empty.
std::wstring TitleLineFragment(const std::wstring& line);
// "1 " or "0 " followed by the fragment.
std::wstring MakeTitleLine(bool enabled, const std::wstring& fragment);
// How many times a window with this caption is listed by the selection
// dialog: once for every enabled line of more than three characters whose
// fragment the caption holds (letter case aside); never for a window of this
// program, although its caption holds " - quibFM".
int FilerTitleMatchCount(const std::wstring& caption, const FilerTitleLines& lines);
// Every top-level window by the title lines: captions and handles, parallel.
void FindFilerWindows(const FilerTitleLines& lines, std::vector<std::wstring>& names,
                      std::vector<std::wstring>& handles);

}  // namespace quib
