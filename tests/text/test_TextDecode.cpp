// Decoding by encoding index, seven-bit JIS rewritten for code page 932,
// the control's text with its line ends, and the status texts.
#include <gtest/gtest.h>

#include <string>

#include "viewers/text/CharCode.h"
#include "viewers/text/TextDecode.h"

using namespace quib;

namespace {

std::string B(std::initializer_list<int> v) {
    std::string s;
    for (int c : v) s.push_back(static_cast<char>(c));
    return s;
}

struct DecodeCase {
    const char* name;
    std::string bytes;
    int charCode;
    std::wstring expected;
};

const DecodeCase kDecode[] = {
    {"Shift_JIS", B({0x82, 0xA0, 0x8A, 0xBF, 0x8E, 0x9A, 'a', 0xB1}), kCharSJIS, L"あ漢字aｱ"},
    {"Shift_JIS NEC row 13", B({0x87, 0x40}), kCharSJIS, L"①"},
    {"EUC-JP", B({0xA4, 0xA2, 0xB4, 0xC1, 'a', 0x8E, 0xB1}), kCharEUCJP, L"あ漢aｱ"},
    {"JIS kanji and back", "\x1b$B$\"4A\x1b(Ba", kCharJIS, L"あ漢a"},
    {"JIS old kanji escape", "\x1b$@%\"\x1b(J!", kCharJIS, L"ア!"},
    {"JIS katakana escape", "\x1b(I1\x1b(Bx", kCharJIS, L"ｱx"},
    {"JIS SO SI katakana", "\x0e" "1\x0f" "1", kCharJIS, L"ｱ1"},
    {"JIS line ends inside", "\x1b$B$\"\x1b(B\r\n\x1b$B$$\x1b(B", kCharJIS, L"あ\r\nい"},
    {"JIS full-width letters", "\x1b$B#A#a#1\x1b(B", kCharJIS, L"Ａａ１"},
    {"UTF-8 without mark", B({0xE3, 0x81, 0x82, 'x'}), kCharUTF8, L"あx"},
    {"UTF-8 mark skipped by index 6", B({0xEF, 0xBB, 0xBF, 'x'}), kCharUTF8, L"x"},
    {"UTF-8 with mark", B({0xEF, 0xBB, 0xBF, 0xE3, 0x81, 0x82}), kCharUTF8Bom, L"あ"},
    {"index 9 reads a UTF-16LE mark", B({0xFF, 0xFE, 0x42, 0x30}), kCharUTF16BomLe, L"あ"},
    {"index 9 reads a UTF-16BE mark", B({0xFE, 0xFF, 0x30, 0x42}), kCharUTF16BomLe, L"あ"},
    {"index 7 reads a UTF-8 mark", B({0xEF, 0xBB, 0xBF, 'z'}), kCharUTF16BomBe, L"z"},
    {"UTF-16LE without mark", B({0x42, 0x30, 'a', 0}), kCharUTF16Le, L"あa"},
    {"UTF-16LE mark skipped by index 10", B({0xFF, 0xFE, 'a', 0}), kCharUTF16Le, L"a"},
    {"UTF-16BE without mark", B({0x30, 0x42, 0, 'a'}), kCharUTF16Be, L"あa"},
    {"UTF-16BE mark skipped by index 8", B({0xFE, 0xFF, 0, 'a'}), kCharUTF16Be, L"a"},
    {"UTF-16 odd last byte dropped", B({'a', 0, 'b'}), kCharUTF16Le, L"a"},
    {"UTF-16 surrogate pair", B({0x3D, 0xD8, 0x00, 0xDE}), kCharUTF16Le, L"\U0001F600"},
    {"UTF-7", "Hi +MEIwRA-", kCharUTF7, L"Hi あい"},
    {"empty", "", kCharSJIS, L""},
};

class DecodeTable : public testing::TestWithParam<DecodeCase> {};
TEST_P(DecodeTable, Decodes) {
    const DecodeCase& c = GetParam();
    EXPECT_EQ(DecodeText(c.bytes, c.charCode), c.expected) << c.name;
}
INSTANTIATE_TEST_SUITE_P(Encodings, DecodeTable, testing::ValuesIn(kDecode), [](const auto& info) {
    std::string n;
    for (char ch : std::string(info.param.name)) n += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    return n;
});

TEST(JisToShiftJis, RowsAndCells) {
    // First and last cells of an odd and an even row, the row boundary at 5F/60.
    EXPECT_EQ(JisToShiftJis("\x1b$B!!!~\"!\"~^~_!\x1b(B"),
              B({0x81, 0x40, 0x81, 0x9E, 0x81, 0x9F, 0x81, 0xFC, 0x9F, 0xFC, 0xE0, 0x40}));
    // JIS X 0212 has no Shift_JIS form.
    EXPECT_EQ(JisToShiftJis("\x1b$(D01\x1b(Bz"), "?z");
    // Bytes of the eight-bit range pass unchanged.
    EXPECT_EQ(JisToShiftJis(B({0x82, 0xA0})), B({0x82, 0xA0}));
}

TEST(TextForMemo, EveryLineEndsWithCrLf) {
    EXPECT_EQ(TextForMemo(L""), L"");
    EXPECT_EQ(TextForMemo(L"a"), L"a\r\n");
    EXPECT_EQ(TextForMemo(L"a\r\n"), L"a\r\n");
    EXPECT_EQ(TextForMemo(L"a\nb\rc\r\nd"), L"a\r\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(TextForMemo(L"\n\n"), L"\r\n\r\n");
    EXPECT_EQ(TextForMemo(L"a\r\r\n"), L"a\r\n\r\n");
}

TEST(StatusTexts, BothLanguages) {
    EXPECT_EQ(CharCodeStatusText(0, true), L"自動検出");
    EXPECT_EQ(CharCodeStatusText(0, false), L"Auto Detect");
    EXPECT_EQ(CharCodeStatusText(5, true), L"UTF8  [BOM有]");
    EXPECT_EQ(CharCodeStatusText(6, false), L"UTF8  [NonBOM]");
    EXPECT_EQ(CharCodeStatusText(9, true), L"UTF16 [BOM有 LittleEndian]");
    EXPECT_EQ(CharCodeStatusText(9, false), L"UTF16 [WithBOM LittleEndian]");
    EXPECT_EQ(CharCodeStatusText(8, false), L"UTF16 [NonBOM BigEndian]");
    EXPECT_EQ(RetCodeStatusText(0, true), L"Cr+Lf(Windows) ");
    EXPECT_EQ(RetCodeStatusText(2, false), L"Lf(OSX,Android)");
    EXPECT_EQ(RetCodeStatusText(3, true), L"無し");
    EXPECT_EQ(RetCodeStatusText(3, false), L"None");
}

}  // namespace
