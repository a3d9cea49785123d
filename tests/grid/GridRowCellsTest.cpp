// A grid row's cells packed in one block read back as they were given, and a
// row rebuilt from views into its own block (what a cell edit does) keeps the
// other cells.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "viewers/grid/GridRowCells.h"

using quib::GridRowCells;
using Cells = std::vector<std::wstring>;

namespace {

struct PackCase {
    const char* name;
    Cells given;
    Cells read;  // what the row holds: trailing empty cells are not kept
};

}  // namespace

TEST(GridRowCells, ReadsBackWhatItWasGiven) {
    const std::wstring longCell(70000, L'長');
    const PackCase cases[] = {
        {"no cells", {}, {}},
        {"one empty cell", {L""}, {}},
        {"trailing empties", {L"a", L"", L""}, {L"a"}},
        {"empties inside", {L"", L"b", L"", L"d"}, {L"", L"b", L"", L"d"}},
        {"line breaks and Japanese", {L"一行目\r\n二行目", L"x,y", L"\"q\""}, {L"一行目\r\n二行目", L"x,y", L"\"q\""}},
        {"NUL inside a cell", {std::wstring(L"a\0b", 3), L"c"}, {std::wstring(L"a\0b", 3), L"c"}},
        {"odd lengths", {L"1", L"22", L"333"}, {L"1", L"22", L"333"}},
        {"a cell over 64K characters", {L"s", longCell, L"e"}, {L"s", longCell, L"e"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const GridRowCells row(c.given);
        ASSERT_EQ(row.Count(), c.read.size());
        EXPECT_EQ(row.ToStrings(), c.read);
        for (size_t i = 0; i < c.read.size(); ++i) EXPECT_EQ(row.At(i), c.read[i]);
        EXPECT_TRUE(row.At(c.read.size()).empty());
        EXPECT_TRUE(row.At(1000).empty());
    }
}

TEST(GridRowCells, RebuiltFromItsOwnCellsKeepsThem) {
    GridRowCells row(Cells{L"00001", L"00001:3", L"first", L"second\r\nline", L"third"});
    // Replace the middle cell, reading the others out of the block being replaced.
    std::vector<std::wstring_view> views;
    for (size_t i = 0; i < row.Count(); ++i) views.push_back(row.At(i));
    views[3] = L"edited";
    row = GridRowCells(views);
    EXPECT_EQ(row.ToStrings(), (Cells{L"00001", L"00001:3", L"first", L"edited", L"third"}));
    // Moved rows keep their cells; the moved-from row is empty.
    GridRowCells moved = std::move(row);
    EXPECT_EQ(moved.At(4), L"third");
    EXPECT_EQ(row.Count(), 0u);  // NOLINT(bugprone-use-after-move): a moved row reads as empty
}
