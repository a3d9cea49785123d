#pragma once
// Initial search over the rows of the main list: the next row whose name
// starts with a letter or digit, wrapping round to the top.
#include <string_view>

#include "util/RowModel.h"

namespace quib {

// The row to jump to for the character, letter case aside: the first row after
// selected whose name starts with it, else (when a row is selected) the first
// from the top up to and including the selected one; -1 when there is none.
// selected is -1 when no row is selected (the search then starts at row 0).
int InitialSearchRow(const EntryRows& rows, int selected, wchar_t character);

// The same rule over names given one by one (for lists that are not rows).
bool InitialSearchMatches(std::wstring_view name, wchar_t character);

}  // namespace quib
