// The viewer's rules without a window: the word at the caret, the line
// numbers, the status texts, step and jump targets and the search history.
#include <gtest/gtest.h>

#include "viewers/text/TextRules.h"

using namespace quib;

namespace {

TEST(WordAtCaret, Table) {
    struct Case {
        std::wstring line;
        int caret, left, right;
    } cases[] = {
        {L"int main(void)", 5, 1, 3},  {L"int main(void)", 4, 0, 4},  {L"int main(void)", 8, 4, 0},
        {L"abc", 0, 0, 3},             {L"abc", 3, 3, 0},             {L"", 0, 0, 0},
        {L"漢字、かな。", 1, 1, 1},   {L"「語」", 2, 1, 0},          {L"a\tb", 2, 0, 1},
        {L"a\u3000bc", 3, 1, 1},       {L"x【y】z", 3, 1, 0},
    };
    for (const auto& c : cases) {
        const WordSpan w = WordAtCaret(c.line, c.caret);
        EXPECT_EQ(w.left, c.left) << std::string(c.line.begin(), c.line.end()) << " " << c.caret;
        EXPECT_EQ(w.right, c.right) << c.caret;
    }
}

TEST(WordAtCaret, PartsAreCappedAt9998) {
    const std::wstring line(20000, L'a');
    const WordSpan w = WordAtCaret(line, 10000);
    EXPECT_EQ(w.left, 9998);
    EXPECT_EQ(w.right, 9998);
}

TEST(LineNumbersText, TenLinesGiveElevenNumbers) {
    const std::wstring zero = LineNumbersText(10, 1);
    EXPECT_EQ(zero.substr(0, 16), L"000001\r\n000002\r\n");
    EXPECT_EQ(zero.substr(zero.size() - 8), L"000011\r\n");
    EXPECT_EQ(zero.size(), 11u * 8);
    EXPECT_EQ(LineNumbersText(1, 0), L"     1\r\n     2\r\n");
    EXPECT_EQ(LineNumbersText(0, 1), L"000001\r\n");
}

TEST(StatusTexts, CaretAndLineCount) {
    EXPECT_EQ(CaretStatusText(3, 7, true), L"3行,7桁");
    EXPECT_EQ(CaretStatusText(3, 7, false), L"Row:3 Col:7");
    EXPECT_EQ(LineCountText(12, true), L"12行");
    EXPECT_EQ(LineCountText(12, false), L"Row:12");
}

TEST(Targets, StepsAndJumpsStayInTheText) {
    EXPECT_EQ(StepTarget(1, -3, 10), 0);
    EXPECT_EQ(StepTarget(5, -3, 10), 2);
    EXPECT_EQ(StepTarget(8, 3, 10), 9);
    EXPECT_EQ(StepTarget(2, 3, 10), 5);
    EXPECT_EQ(JumpTarget(0, 10), 0);
    EXPECT_EQ(JumpTarget(-5, 10), 0);
    EXPECT_EQ(JumpTarget(1, 10), 0);
    EXPECT_EQ(JumpTarget(7, 10), 6);
    EXPECT_EQ(JumpTarget(99, 10), 9);
}

TEST(History, ReusedWordMovesToTheTopAndTheListKeeps32) {
    std::vector<std::wstring> h;
    for (int i = 0; i < 40; ++i) AddToHistory(h, L"w" + std::to_wstring(i));
    ASSERT_EQ(h.size(), 32u);
    EXPECT_EQ(h.front(), L"w39");
    EXPECT_EQ(h.back(), L"w8");
    AddToHistory(h, L"w20");
    EXPECT_EQ(h.size(), 32u);
    EXPECT_EQ(h.front(), L"w20");
    EXPECT_EQ(std::count(h.begin(), h.end(), L"w20"), 1);
    AddToHistory(h, L"W20");  // another word: case counts
    EXPECT_EQ(h[1], L"w20");
}

TEST(DoubleAmpersands, EveryOne) { EXPECT_EQ(DoubleAmpersands(L"a&b&&"), L"a&&b&&&&"); }

}  // namespace
