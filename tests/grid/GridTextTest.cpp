// The grid viewer's rules on tables of lines: the three splitting rules, the
// raw bytes cut into decoded lines by encoding and line end, the copy formats
// and the two searches.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "viewers/grid/GridText.h"

using quib::BlockClipText;
using quib::ClipFormat;
using quib::GridCell;
using Fields = std::vector<std::wstring>;

namespace {

Fields Split(int rule, const std::wstring& line) {
    Fields f;
    quib::SplitCsvLine(rule, line, f);
    return f;
}

struct SplitCase {
    const wchar_t* name;
    const wchar_t* line;
    Fields rule0, rule1, rule2;
};

// One line each through all three rules.
const SplitCase kSplitCases[] = {
    {L"plain commas", L"a,b,c", {L"a", L"b", L"c"}, {L"a", L"b", L"c"}, {L"a", L"b", L"c"}},
    {L"no separator", L"abc", {L"abc"}, {L"abc"}, {L"abc"}},
    {L"empty line", L"", {L""}, {L""}, {L""}},
    {L"trailing comma", L"a,b,", {L"a", L"b", L""}, {L"a", L"b", L""}, {L"a", L"b", L""}},
    {L"caption of rule 1", L"11,\"22,22\",33", {L"11", L"\"22", L"22\"", L"33"}, {L"11", L"22,22", L"33"},
     {L"11", L"22,22", L"33"}},
    {L"caption of rule 2", L"11,\"22\",\"3,3\",\"4\"\"4\",55",
     {L"11", L"\"22\"", L"\"3", L"3\"", L"\"4\"\"4\"", L"55"},
     // Three quoted sections: every outside comma separates three times, the
     // one inside a section twice.
     {L"", L"", L"11", L"", L"", L"22", L"", L"", L"\"3", L"", L"3\"", L"", L"", L"4\"4", L"", L"", L"55"},
     {L"11", L"22", L"3,3", L"4\"4", L"55"}},
    {L"two quoted fields", L"\"a\",\"b\"", {L"a", L"b"}, {L"", L"a", L"", L"b"}, {L"a", L"b"}},
    {L"tab wins over commas and quotes", L"\"a,b\"\tc,d\t", {L"\"a,b\"", L"c,d", L""}, {L"\"a,b\"\tc", L"d\t"},
     {L"\"a,b\"\tc", L"d\t"}},
    {L"comma inside one of two sections", L"\"a,b\",\"c\"", {L"a,b", L"c"}, {L"", L"\"a", L"b\"", L"", L"c"},
     {L"a,b", L"c"}},
    {L"unpaired quote", L"a,\"b,c", {L"a", L"\"b", L"c"}, {L"a,\"b,c"}, {L"a,\"b,c"}},
    {L"unpaired quote with doubled quotes", L"x\"\"y,\"z", {L"x\"\"y", L"\"z"}, {L"x\"y,\"z"}, {L"x\"y,\"z"}},
    {L"empty quoted field", L"a,\"\",b", {L"a", L"\"\"", L"b"}, {L"a", L"", L"b"}, {L"a", L"", L"b"}},
    {L"empty quoted field first and last", L"\"\",x,\"\"", {L"\",x,\""}, {L"", L"x", L""}, {L"", L"x", L""}},
    {L"doubled quotes inside a quoted field", L"\"he said \"\"hi\"\"\",2", {L"he said \"\"hi\"\"\","},
     {L"he said \"hi\"", L"2"}, {L"he said \"hi\"", L"2"}},
    {L"multi-line cell", L"1,\"x\ny\",3", {L"1", L"\"x\ny\"", L"3"}, {L"1", L"x\ny", L"3"}, {L"1", L"x\ny", L"3"}},
    {L"spaces stay", L" a , b ", {L" a ", L" b "}, {L" a ", L" b "}, {L" a ", L" b "}},
    {L"one quoted field", L"\"a\"", {L"a"}, {L"a"}, {L"a"}},
};

}  // namespace

TEST(GridSplitRules, TableOfLinesThroughAllThreeRules) {
    for (const auto& c : kSplitCases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
        EXPECT_EQ(Split(0, c.line), c.rule0);
        EXPECT_EQ(Split(1, c.line), c.rule1);
        EXPECT_EQ(Split(2, c.line), c.rule2);
    }
}

TEST(GridSplitRules, SeparatorNameFromTheFirstLine) {
    EXPECT_EQ(quib::CsvSeparatorName({}), L"UnKnown");
    EXPECT_EQ(quib::CsvSeparatorName({L"a\tb", L"\"x\""}), L"TAB");
    EXPECT_EQ(quib::CsvSeparatorName({L"\"a\",\"b\""}), L"\",\"");
    EXPECT_EQ(quib::CsvSeparatorName({L"a,b", L"x\ty"}), L",");
    EXPECT_EQ(quib::CsvSeparatorName({L""}), L",");
}

TEST(GridSplitRules, LfToTabMakesAutomaticRuleCutAtTabsOnly) {
    const std::wstring line = quib::LfToTab(L"1,\"x\ny\",3");
    EXPECT_EQ(line, L"1,\"x\ty\",3");
    EXPECT_EQ(Split(0, line), (Fields{L"1,\"x", L"y\",3"}));
    EXPECT_EQ(quib::LfToCrLf(L"a\nb\n"), L"a\r\nb\r\n");
    EXPECT_EQ(quib::CrLfToLf(L"a\r\nb\rc\n"), L"a\nb\rc\n");
}

// ---------------------------------------------------------------- raw lines

namespace {


struct RawCase {
    const char* name;
    std::string bytes;
    int encoding, lineEnd;
    Fields lines;
};

}  // namespace

TEST(GridRawLines, EachEncodingAndLineEnd) {
    // "あ" in Shift_JIS 82 A0, in UTF-8 E3 81 82; "表" in Shift_JIS 95 5C (a
    // trail byte that is a backslash).
    const RawCase cases[] = {
        {"CR LF, last line without end", "a,b\r\nc,d", 1, 0, {L"a,b", L"c,d"}},
        {"CR LF, final end adds no line", "a\r\nb\r\n", 1, 0, {L"a", L"b"}},
        {"CR LF keeps lone LF and CR inside", "1,\"x\ny\"\r\n2\r3\r\n", 1, 0, {L"1,\"x\ny\"", L"2\r3"}},
        {"CR only", "a\rb\nc\r", 1, 1, {L"a", L"b\nc"}},
        {"LF only", "a\nb\r\nc", 1, 2, {L"a", L"b\r", L"c"}},
        {"no line end: one line", "a\r\nb", 1, 3, {L"a\r\nb"}},
        {"empty lines stay", "\r\n\r\nx\r\n", 1, 0, {L"", L"", L"x"}},
        {"Shift_JIS", "\x82\xa0,\x95\x5c\r\n", 1, 0, {L"あ,表"}},
        {"JIS and others decode as Shift_JIS", "\x82\xa0\n", 20, 2, {L"あ"}},
        {"UTF-8 with mark", "\xEF\xBB\xBF\xE3\x81\x82,b\n", 5, 2, {L"あ,b"}},
        {"UTF-8 without mark", "\xE3\x81\x82\r\nz", 6, 0, {L"あ", L"z"}},
        {"UTF-16LE with mark", "\xFF\xFE" + quibtest::Utf16LeBytes(L"あ,b\r\nc"), 9, 0, {L"あ,b", L"c"}},
        {"UTF-16LE without mark, last line kept", quibtest::Utf16LeBytes(L"x\r\ny,z"), 10, 0, {L"x", L"y,z"}},
        {"UTF-16LE LF inside a CR LF file", quibtest::Utf16LeBytes(L"\"p\nq\"\r\n"), 10, 0, {L"\"p\nq\""}},
        {"UTF-16BE with mark", "\xFE\xFF" + quibtest::Utf16BeBytes(L"あ\rb"), 7, 1, {L"あ", L"b"}},
        {"UTF-16BE without mark", quibtest::Utf16BeBytes(L"a\nb\n"), 8, 2, {L"a", L"b"}},
        {"empty file", "", 1, 3, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const quib::RawLines r = quib::SplitRawLines(c.bytes, c.encoding, c.lineEnd);
        EXPECT_EQ(r.lines, c.lines);
        EXPECT_FALSE(r.oddTrailingByte);
    }
}

TEST(GridRawLines, OddUtf16ByteIsReportedAndNeverReadPast) {
    // The byte after the last whole unit is no character: the lines hold the
    // whole units only and the odd byte is reported.
    std::string bytes = "\xFF\xFE" + quibtest::Utf16LeBytes(L"ab\r\ncd") + "\x41";
    quib::RawLines r = quib::SplitRawLines(bytes, 9, 0);
    EXPECT_EQ(r.lines, (Fields{L"ab", L"cd"}));
    EXPECT_TRUE(r.oddTrailingByte);
    r = quib::SplitRawLines(quibtest::Utf16BeBytes(L"x") + std::string(1, '\0'), 8, 3);
    EXPECT_EQ(r.lines, (Fields{L"x"}));
    EXPECT_TRUE(r.oddTrailingByte);
    // A mark alone and one odd byte: no line at all.
    r = quib::SplitRawLines("\xFF\xFE\x41", 9, 3);
    EXPECT_TRUE(r.lines.empty());
    EXPECT_TRUE(r.oddTrailingByte);
    // A file shorter than its mark.
    r = quib::SplitRawLines("\xFF", 9, 3);
    EXPECT_TRUE(r.lines.empty());
}

TEST(GridRawLines, ReadInPiecesGivesTheWholeFile) {
    quibtest::TempDir dir;
    std::string big(9u << 20, 'x');
    big[0] = 'a';
    big.back() = 'z';
    ASSERT_TRUE(quibtest::WriteFileBytes(dir / L"big.csv", big));
    const quib::FileBytes read = quib::ReadFileBytesInPieces(dir / L"big.csv");
    EXPECT_TRUE(read.opened);
    EXPECT_TRUE(read.complete);
    EXPECT_EQ(read.bytes, big);
    const quib::FileBytes missing = quib::ReadFileBytesInPieces(dir / L"none.csv");
    EXPECT_FALSE(missing.opened);
    EXPECT_FALSE(missing.complete);
}

TEST(GridStatusTexts, CellAndStatusTexts) {
    EXPECT_EQ(quib::LineNumberText(1), L"00001");
    EXPECT_EQ(quib::LineNumberText(123456), L"123456");
    EXPECT_EQ(quib::LineFieldCountText(1, 3), L"00001:3");
    EXPECT_EQ(quib::GridEncodingText(1, false, true), L"Shift_JIS");
    EXPECT_EQ(quib::GridEncodingText(5, false, true), L"UTF8  [BOM有]");
    EXPECT_EQ(quib::GridEncodingText(10, false, false), L"UTF16 [NonBOM LittleEndian]");
    EXPECT_EQ(quib::GridEncodingText(2, false, true), L"不明");
    EXPECT_EQ(quib::GridEncodingText(20, false, false), L"UnKnown");
    EXPECT_EQ(quib::GridEncodingText(6, true, true), L"バイナリファイル");
    EXPECT_EQ(quib::GridEncodingText(6, true, false), L"BinaryFile");
    EXPECT_EQ(quib::GridLineEndText(0, true), L"Cr+Lf(Windows) ");
    EXPECT_EQ(quib::GridLineEndText(3, true), L"無し");
    EXPECT_EQ(quib::GridLineEndText(3, false), L"None");
}

// ---------------------------------------------------------------- copying

TEST(GridCopy, FourFormatsOfOneBlock) {
    const std::vector<std::vector<std::wstring>> rows = {{L"a", L"b,c", L"say \"x\""}, {L"l1\r\nl2", L"", L"z"}};
    EXPECT_EQ(BlockClipText(rows, ClipFormat::Tab), L"a\tb,c\tsay \"x\"\r\nl1\nl2\t\tz\r\n");
    EXPECT_EQ(BlockClipText(rows, ClipFormat::DoubleQuote),
              L"\"a\",\"b,c\",\"say \"x\"\"\r\n\"l1\nl2\",\"\",\"z\"\r\n");
    EXPECT_EQ(BlockClipText(rows, ClipFormat::Comma), L"a,b,c,say \"x\"\r\nl1\nl2,,z\r\n");
    EXPECT_EQ(BlockClipText(rows, ClipFormat::CsvEx2),
              L"a,\"b,c\",\"say \"\"x\"\"\"\r\n\"l1\nl2\",,z\r\n");
}

TEST(GridCopy, OneColumnBlocks) {
    const std::vector<std::vector<std::wstring>> rows = {{L"x,y"}, {L"q\""}};
    EXPECT_EQ(BlockClipText(rows, ClipFormat::Tab), L"x,y\r\nq\"\r\n");
    EXPECT_EQ(BlockClipText(rows, ClipFormat::DoubleQuote), L"x,y\r\nq\"\r\n");
    EXPECT_EQ(BlockClipText(rows, ClipFormat::Comma), L"x,y\r\nq\"\r\n");
    EXPECT_EQ(BlockClipText(rows, ClipFormat::CsvEx2), L"\"x,y\"\r\n\"q\"\"\"\r\n");
}

// ---------------------------------------------------------------- searching

namespace {
// A small grid: rows and columns 0 and 1 are the fixed ones.
struct SmallGrid {
    std::vector<std::vector<std::wstring>> cells;  // [row][col]
    std::wstring empty;
    const std::wstring& At(int c, int r) const { return cells[static_cast<size_t>(r)][static_cast<size_t>(c)]; }
    std::optional<GridCell> Find(GridCell from, const std::wstring& word, bool forward) const {
        return quib::FindInGrid([this](int c, int r) -> const std::wstring& { return At(c, r); },
                                static_cast<int>(cells[0].size()), static_cast<int>(cells.size()), from, word, forward);
    }
};

SmallGrid MakeGrid() {
    SmallGrid g;
    g.cells = {
        {L"", L"", L"1", L"2", L"3", L"4"},
        {L"", L"", L"", L"", L"", L""},
        {L"00001", L"00001:4", L"apple", L"pear", L"Apple pie", L"plum"},
        {L"00002", L"00002:4", L"kiwi", L"APPLE", L"fig", L"apple"},
        {L"00003", L"00003:4", L"fig", L"lime", L"lemon", L"grape"},
    };
    return g;
}
}  // namespace

TEST(GridSearch, ForwardFindsTheNearestMatch) {
    const SmallGrid g = MakeGrid();
    struct Case {
        GridCell from;
        const wchar_t* word;
        std::optional<GridCell> found;
    } cases[] = {
        // Row 2 has matches in columns 2 and 4: from column 2 the next is 4.
        {{2, 2}, L"apple", GridCell{4, 2}},
        // Starting left of matches in columns 3 and 5 of row 3 picks 3, not 5.
        {{2, 3}, L"apple", GridCell{3, 3}},
        {{3, 3}, L"apple", GridCell{5, 3}},
        // Nothing more in the row: the next row from column 2.
        {{4, 2}, L"APPLE", GridCell{3, 3}},
        {{5, 3}, L"fig", GridCell{2, 4}},
        {{2, 4}, L"apple", std::nullopt},
        {{2, 2}, L"", std::nullopt},
        // The fixed columns are never searched.
        {{2, 2}, L"00003", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.word)) + " from " + std::to_string(c.from.col) + "," +
                     std::to_string(c.from.row));
        EXPECT_EQ(g.Find(c.from, c.word, true), c.found);
    }
}

TEST(GridSearch, BackwardFindsTheNearestMatch) {
    const SmallGrid g = MakeGrid();
    struct Case {
        GridCell from;
        const wchar_t* word;
        std::optional<GridCell> found;
    } cases[] = {
        // Row 3 has matches in columns 3 and 5: from column 5 the nearest to
        // its left is 3.
        {{5, 3}, L"apple", GridCell{3, 3}},
        // From row 4 the row above is searched from its last column: 5 first.
        {{2, 4}, L"apple", GridCell{5, 3}},
        {{3, 3}, L"apple", GridCell{4, 2}},
        {{4, 2}, L"apple", GridCell{2, 2}},
        {{2, 2}, L"apple", std::nullopt},
        {{5, 4}, L"LEM", GridCell{4, 4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.word)) + " from " + std::to_string(c.from.col) + "," +
                     std::to_string(c.from.row));
        EXPECT_EQ(g.Find(c.from, c.word, false), c.found);
    }
}

TEST(GridSearch, CaseFoldsOnlyAsciiLetters) {
    EXPECT_TRUE(quib::ContainsWordAsciiNoCase(L"Hello World", L"WORLD"));
    EXPECT_FALSE(quib::ContainsWordAsciiNoCase(L"ＡＢＣ", L"ａｂｃ"));
    EXPECT_TRUE(quib::ContainsWordAsciiNoCase(L"ＡＢＣ", L"ＡＢ"));
    EXPECT_FALSE(quib::ContainsWordAsciiNoCase(L"Ä", L"ä"));
}

TEST(GridSearch, CellEditorBothDirections) {
    const std::wstring text = L"abc xyz ABC\r\nabc";
    // Forward from the caret after the selection.
    EXPECT_EQ(quib::FindInMemo(text, 0, 0, L"abc", true), 0u);
    EXPECT_EQ(quib::FindInMemo(text, 0, 3, L"abc", true), 8u);
    EXPECT_EQ(quib::FindInMemo(text, 8, 3, L"abc", true), 13u);
    EXPECT_EQ(quib::FindInMemo(text, 13, 3, L"abc", true), std::nullopt);
    // Backward: the last match wholly before the selection start.
    EXPECT_EQ(quib::FindInMemo(text, 13, 3, L"abc", false), 8u);
    EXPECT_EQ(quib::FindInMemo(text, 10, 0, L"abc", false), 0u);
    // A word only at the very start is found.
    EXPECT_EQ(quib::FindInMemo(L"start middle", 12, 0, L"START", false), 0u);
    EXPECT_EQ(quib::FindInMemo(L"start", 0, 0, L"start", false), std::nullopt);
    EXPECT_EQ(quib::FindInMemo(L"start", 2, 0, L"start", false), std::nullopt);
}

TEST(GridRawLines, FailedReadKeepsThePiecesReadBefore) {
    quibtest::TempDir dir;
    std::string big(9u << 20, 'y');
    ASSERT_TRUE(quibtest::WriteFileBytes(dir / L"big.csv", big));
    int pieces = 0;
    quib::SetPieceReaderForTests([&](HANDLE f, char* buffer, DWORD size, DWORD* got) {
        if (++pieces == 2) return false;
        return ReadFile(f, buffer, size, got, nullptr) != FALSE;
    });
    const quib::FileBytes read = quib::ReadFileBytesInPieces(dir / L"big.csv");
    quib::SetPieceReaderForTests(nullptr);
    EXPECT_TRUE(read.opened);
    EXPECT_FALSE(read.complete);
    EXPECT_EQ(read.bytes.size(), 4u << 20);
}
