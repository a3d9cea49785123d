// The initial search's rule over rows: the next name starting with the
// character after the selected row, wrapping round to the top.
#include <gtest/gtest.h>

#include "app/InitialSearch.h"

namespace {

quib::EntryRows Rows(const std::vector<std::wstring>& names) {
    std::vector<std::wstring> lines;
    for (const auto& n : names) lines.push_back(n + L"\t\t1\t\t\t\t\t\t\t" + n);
    return quib::EntryRows::FromLines(lines);
}

}  // namespace

TEST(InitialSearch, NextRowWithTheInitialWrappingRound) {
    const auto rows = Rows({L"<\\>", L"apple", L"Banana", L"avocado", L"cherry", L"9lives", L"ａwide", L"berry"});
    struct Case {
        int selected;
        wchar_t c;
        int row;
    } cases[] = {
        {0, L'A', 1},    // after the selection, letter case aside
        {1, L'A', 3},    // the next one
        {3, L'A', 1},    // none below: wraps to the top
        {-1, L'A', 1},   // nothing selected: from row 0
        {-1, L'<', 0},
        {4, L'C', 4},    // the selected row itself is the only match: it stays
        {2, L'B', 7},
        {7, L'B', 2},
        {0, L'9', 5},
        {0, L'Z', -1},   // none anywhere
        {-1, L'Z', -1},
        {0, L'W', -1},   // a full-width letter is not the ASCII one
        {99, L'A', 1},   // a selection beyond the rows counts as none
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.selected) + " " + static_cast<char>(c.c));
        EXPECT_EQ(quib::InitialSearchRow(rows, c.selected, c.c), c.row);
    }
    EXPECT_EQ(quib::InitialSearchRow(Rows({}), -1, L'A'), -1);
}
