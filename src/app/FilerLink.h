#pragma once
// Finding the filers of the family and other instances of this program by the
// text of their window captions.
#include <windows.h>

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

}  // namespace quib
