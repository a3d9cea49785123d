#include "app/InitialSearch.h"

namespace quib {
namespace {

// The search keys are A to Z and 0 to 9, so only the ASCII letters have a case
// to fold; a full-width "ａ" is not an "A".
wchar_t UpperAscii(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

}  // namespace

bool InitialSearchMatches(std::wstring_view name, wchar_t character) {
    return !name.empty() && UpperAscii(name.front()) == UpperAscii(character);
}

int InitialSearchRow(const EntryRows& rows, int selected, wchar_t character) {
    const int count = static_cast<int>(rows.size());
    if (selected >= count) selected = -1;
    for (int i = selected + 1; i < count; ++i)
        if (InitialSearchMatches(rows.Name(static_cast<size_t>(i)), character)) return i;
    if (selected < 0) return -1;
    for (int i = 0; i <= selected; ++i)
        if (InitialSearchMatches(rows.Name(static_cast<size_t>(i)), character)) return i;
    return -1;
}

}  // namespace quib
