// Where the marks go: each enabled mark at its character's position moved by
// its offset, nothing for disabled marks, none where the control reports no
// position, the end-of-text mark on the line below the last character.
#include <gtest/gtest.h>

#include "viewers/text/EditMarks.h"

using namespace quib;

namespace {

// A fixed-pitch stand-in for the control: 10 pixels a character, 20 a line.
POINT Grid(std::wstring_view text, size_t i) {
    int x = 0, y = 0;
    for (size_t k = 0; k < i; ++k) {
        if (text[k] == L'\n') x = 0, y += 20;
        else if (text[k] != L'\r') x += 10;
    }
    return POINT{x, y};
}

TEST(MarksToDraw, EachMarkAtItsOffset) {
    const std::wstring text = L"a\tb\u3000c\r\nd";
    TEditMarks marks;
    marks.TabMark.Enabled = marks.CrlfMark.Enabled = marks.SpaceMark.Enabled = marks.EofMark.Enabled = true;
    MarkMetrics m{10, 12, 18, 15, 12, 8, 13};
    const auto places = MarksToDraw(text, 0, text.size() - 1, marks, m, [&](size_t i) { return Grid(text, i); });
    const std::vector<MarkPlace> expected = {
        {MarkKind::Tab, 10 + 8 - 8, 0},     // x + ShiftTab - tab width * 8 / 10
        {MarkKind::Space, 30 + 13 - 12, 0},  // x + ShiftDbcs - width of "M"
        {MarkKind::CrLf, 50 + 15 - 12, 0},   // x + ShiftRet - width of "M"
        {MarkKind::Eof, 12, 20 + 18},        // ShiftEof from the left, the line below
    };
    EXPECT_EQ(places, expected);
}

TEST(MarksToDraw, DisabledMarksAndUnknownPositionsDrawNothing) {
    const std::wstring text = L"\t\t\r\n";
    TEditMarks marks;
    MarkMetrics m{10, 12, 18};
    EXPECT_TRUE(MarksToDraw(text, 0, 3, marks, m, [&](size_t i) { return Grid(text, i); }).empty());
    marks.TabMark.Enabled = true;
    const auto places = MarksToDraw(text, 0, 3, marks, m, [&](size_t i) {
        return i == 0 ? POINT{-1, 0} : Grid(text, i);
    });
    ASSERT_EQ(places.size(), 1u);
    EXPECT_EQ(places[0].kind, MarkKind::Tab);
    // Only the characters asked for.
    EXPECT_TRUE(MarksToDraw(text, 2, 3, marks, m, [&](size_t i) { return Grid(text, i); }).empty());
}

TEST(MarkLastLine, OneAndAHalfScreens) {
    EXPECT_EQ(MarkLastLine(0, 200, 20, 1000), 16);
    EXPECT_EQ(MarkLastLine(100, 200, 20, 1000), 116);
    EXPECT_EQ(MarkLastLine(990, 200, 20, 1000), 999);
}

}  // namespace
