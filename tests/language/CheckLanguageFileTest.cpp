// The language-file check, the file reader and the path of a window's file.
#include <gtest/gtest.h>

#include "LanguageTestFiles.h"
#include "TestSupport.h"
#include "app/Language.h"
#include "util/Message.h"

using langtest::ProgramDir;
using quibtest::MsgCapture;

namespace {

const std::wstring kHeading = L"Tag\tEnabled\tName\tProperty\tJapanese\tEnglish";
const std::wstring kGood1 = L"1001\t1\tMenuOpen\tCaption\t開く(&O)\t&Open";
const std::wstring kGood2 = L"2001\t0\tLabel1\tCaption\tラベル\tLabel";

class UiLanguage {
public:
    explicit UiLanguage(bool japanese) : saved_(quib::UiJapanese()) { quib::SetUiJapanese(japanese); }
    ~UiLanguage() { quib::SetUiJapanese(saved_); }

private:
    bool saved_;
};

}  // namespace

TEST(IsNumericStr, DigitsOnlyAndEmptyAreNumeric) {
    struct Case {
        const wchar_t* text;
        bool numeric;
    };
    const Case cases[] = {
        {L"", true},    {L"0", true},    {L"0123456789", true}, {L"12a", false}, {L"a12", false},
        {L" 1", false}, {L"1 ", false},  {L"-1", false},        {L"+1", false},  {L"1.0", false},
        {L"Tag", false},
        {L"１２", false},  // full-width digits are not the digits 0 to 9
    };
    for (const auto& c : cases)
        EXPECT_EQ(quib::IsNumericStr(c.text), c.numeric)
            << "text: [" << testing::PrintToString(std::wstring(c.text)) << "]";
}

TEST(LanguageFilePath, ProgramFolderLanguageProgramNameWithoutExtension) {
    struct Case {
        const wchar_t* program;
        const wchar_t* window;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"C:\\Tools\\quibFMarchive.exe", L"Main.txt", L"C:\\Tools\\Language\\quibFMarchive\\Main.txt"},
        // Only the file name loses its extension, not a dotted folder name.
        {L"D:\\my.tools\\quibFMarchive.exe", L"KeyMap.txt", L"D:\\my.tools\\Language\\quibFMarchive\\KeyMap.txt"},
        {L"C:\\x\\archiver.v2.exe", L"Log.txt", L"C:\\x\\Language\\archiver.v2\\Log.txt"},
        {L"C:\\x\\noext", L"Main.txt", L"C:\\x\\Language\\noext\\Main.txt"},
    };
    for (const auto& c : cases) {
        quib::SetProgramPathForTests(c.program);
        EXPECT_EQ(quib::LanguageFilePath(c.window), c.expected);
    }
    quib::SetProgramPathForTests(L"");
}

TEST(ReadLanguageFile, SkipsByteOrderMarkAndSplitsLines) {
    ProgramDir dir;
    std::vector<std::wstring> lines;
    // With a mark, CR LF ends, final line end: exactly the two lines.
    ASSERT_TRUE(quib::ReadLanguageFile(dir.Write(L"a.txt", {kHeading, kGood1}), lines));
    EXPECT_EQ(lines, (std::vector<std::wstring>{kHeading, kGood1}));
    // Without a mark and with LF ends the text is the same.
    ASSERT_TRUE(quib::ReadLanguageFile(dir.Write(L"b.txt", {kHeading, kGood1}, false, L"\n"), lines));
    EXPECT_EQ(lines, (std::vector<std::wstring>{kHeading, kGood1}));
    // An empty line inside the file is kept as a line.
    ASSERT_TRUE(quib::ReadLanguageFile(dir.Write(L"c.txt", {kGood1, L"", kGood2}), lines));
    EXPECT_EQ(lines, (std::vector<std::wstring>{kGood1, L"", kGood2}));
    EXPECT_FALSE(quib::ReadLanguageFile(dir.LanguageFile(L"missing.txt"), lines));
    EXPECT_TRUE(lines.empty());
}

struct CheckCase {
    const char* name;
    std::vector<std::wstring> lines;
    bool ok;
    std::wstring japanese;  // expected message, empty when none
    std::wstring english;
};

class CheckLanguageFileTest : public testing::TestWithParam<bool> {};

TEST_P(CheckLanguageFileTest, AcceptsOrNamesTheFirstBadLine) {
    const bool japanese = GetParam();
    UiLanguage ui(japanese);
    const std::wstring itemsJ = L"Information : 個数が6個ではありません\r\n";
    const std::wstring itemsE = L"Information : Items is not 6.\r\n[OK]\r\n";
    const std::wstring firstJ = L"Information : 先頭が番号ではありません\r\n";
    const std::wstring firstE = L"Information : First column is not numeric.\r\n[OK]\r\n";
    const std::wstring fiveFields = L"1001\t1\tMenuOpen\tCaption\t開く(&O)";
    const std::wstring sevenFields = kGood1 + L"\t";
    const std::wstring letterTag = L"10a1\t1\tMenuOpen\tCaption\t開く(&O)\t&Open";
    const std::wstring spaceTag = L" 1001\t1\tMenuOpen\tCaption\t開く(&O)\t&Open";
    const std::wstring tagsHeading = L"Tags\tEnabled\tName\tProperty\tJapanese\tEnglish";
    const std::vector<CheckCase> cases = {
        {"heading and lines", {kHeading, kGood1, kGood2}, true, L"", L""},
        {"no heading", {kGood1, kGood2}, true, L"", L""},
        {"heading upper case", {L"TAG\ta\tb\tc\td\te", kGood1}, true, L"", L""},
        {"heading mixed case", {L"tAg\ta\tb\tc\td\te", kGood1}, true, L"", L""},
        {"heading anywhere", {kGood1, kHeading, kGood2}, true, L"", L""},
        // An empty tag is all digits (none) and passes the check.
        {"empty tag", {L"\t1\tx\tCaption\ta\tb"}, true, L"", L""},
        // Without a tab the line is split at commas.
        {"comma line", {L"1001,1,MenuOpen,Caption,開く(&O),&Open"}, true, L"", L""},
        {"empty file", {}, true, L"", L""},
        {"empty line", {kHeading, kGood1, L"", kGood2}, false, itemsJ + L"3 : ", itemsE + L"3 : "},
        {"empty last line", {kGood1, L""}, false, itemsJ + L"2 : ", itemsE + L"2 : "},
        {"five fields", {kHeading, fiveFields}, false, itemsJ + L"2 : " + fiveFields, itemsE + L"2 : " + fiveFields},
        {"seven fields", {sevenFields}, false, itemsJ + L"1 : " + sevenFields, itemsE + L"1 : " + sevenFields},
        {"letter in tag", {kHeading, kGood1, letterTag}, false, firstJ + L"3 : " + letterTag,
         firstE + L"3 : " + letterTag},
        {"space before tag", {spaceTag}, false, firstJ + L"1 : " + spaceTag, firstE + L"1 : " + spaceTag},
        {"not the heading word", {tagsHeading}, false, firstJ + L"1 : " + tagsHeading, firstE + L"1 : " + tagsHeading},
        // Only the first fault is reported.
        {"two faults", {letterTag, L""}, false, firstJ + L"1 : " + letterTag, firstE + L"1 : " + letterTag},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramDir dir;
        const std::wstring path = dir.Write(L"Check.txt", c.lines);
        MsgCapture msgs;
        EXPECT_EQ(quib::CheckLanguageFile(path), c.ok);
        const std::wstring expected = japanese ? c.japanese : c.english;
        if (expected.empty()) {
            EXPECT_TRUE(msgs.Texts().empty());
        } else {
            ASSERT_EQ(msgs.Messages().size(), 1u);
            EXPECT_EQ(msgs.Messages()[0].text, expected);
            EXPECT_EQ(msgs.Messages()[0].buttons, quib::MsgButtons::Ok);
        }
    }
}

TEST_P(CheckLanguageFileTest, MissingFileIsWellFormed) {
    UiLanguage ui(GetParam());
    ProgramDir dir;
    MsgCapture msgs;
    EXPECT_TRUE(quib::CheckLanguageFile(dir.LanguageFile(L"Nothing.txt")));
    EXPECT_TRUE(msgs.Texts().empty());
}

TEST_P(CheckLanguageFileTest, ByteOrderMarkIsNotPartOfTheHeading) {
    UiLanguage ui(GetParam());
    ProgramDir dir;
    MsgCapture msgs;
    // Were the mark kept, the heading's first field would not be "Tag".
    EXPECT_TRUE(quib::CheckLanguageFile(dir.Write(L"Bom.txt", {kHeading, kGood1}, true)));
    EXPECT_TRUE(msgs.Texts().empty());
}

INSTANTIATE_TEST_SUITE_P(Languages, CheckLanguageFileTest, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool>& i) { return i.param ? "Japanese" : "English"; });
