#pragma once
// The pop-up extraction window's rules that need no window: the captions of
// the named destination buttons and which entries a whole-archive
// extraction takes.
#include <string>
#include <vector>

namespace quib {

using StringList = std::vector<std::wstring>;

// A destination button's caption: its own caption, a blank, the name and
// blanks that make name and blanks 12 bytes in the ANSI code page (a name of
// 12 bytes or more gets none).
std::wstring PopUpButtonCaption(const std::wstring& caption, const std::wstring& name);

// A named destination's folder as the window uses it: with a final "\" when
// the folder exists; empty when it is empty or missing (its button is off).
std::wstring PopUpDestinationFolder(const std::wstring& folder);

// The stored paths (field 9) of every entry line with a date (field 3), in
// table order: the whole archive without the root and folder-only lines.
StringList PopUpSelection(const StringList& entryLines);
// For archives listed by a Susie plug-in: stored path, position (field 5)
// and size (field 7) joined by tabs, for the same lines.
StringList PopUpSusieSelection(const StringList& entryLines);

// Whether a window caption marks a window of the family (" - quibFM" in it,
// without regard to case): they are closed before the program-folder extraction.
bool FamilyWindowCaption(const std::wstring& caption);

}  // namespace quib
