// What the viewer makes of a key map: the lines in the interface language and
// the lines grouped by modifiers.
#include <gtest/gtest.h>

#include "KeyMapTestSupport.h"
#include "keymap/KeyMapView.h"

using keymaptest::ProgramDir;
using keymaptest::Table;
using keymaptest::WriteUtf16File;
using quib::KeyMapTable;

TEST(KeyMapJpnEng, CategoryPairsWorkBothWays) {
    const auto& viewer = quib::ViewerCategoryPairs();
    const auto& dialog = quib::KeyBoardCategoryPairs();
    EXPECT_EQ(viewer.size(), 16u);
    EXPECT_EQ(dialog.size(), 20u);
    const struct {
        const wchar_t* category;
        const wchar_t* japanese;
        const wchar_t* english;
    } cases[] = {
        {L"ファイル", L"ファイル", L"File"}, {L"File", L"ファイル", L"File"},
        {L"操作", L"操作", L"Operation"},    {L"Expand", L"拡張", L"Expand"},
        {L"設定", L"設定", L"Setting"},      {L"その他のkey", L"その他のkey", L"OtherKey"},
        {L"OtherKey", L"その他のkey", L"OtherKey"}, {L"Crl+Key", L"Crl+Key", L"Crl+Key"},
        {L"Jpn/Eng", L"Jpn/Eng", L"Jpn/Eng"}, {L"ランチャー", L"ランチャー", L"Launcher"},
        {L"オプション", L"オプション", L"Option"}, {L"Help", L"ヘルプ", L"Help"},
        // Outside the viewer's table: unchanged.
        {L"検索", L"検索", L"検索"},         {L"Search", L"Search", L"Search"},
        {L"表示項目", L"表示項目", L"表示項目"}, {L"file", L"file", L"file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.category);
        EXPECT_EQ(quib::TranslateCategory(c.category, true, viewer), c.japanese);
        EXPECT_EQ(quib::TranslateCategory(c.category, false, viewer), c.english);
    }
    // The keyboard dialog knows four more.
    EXPECT_EQ(quib::TranslateCategory(L"検索", false, dialog), L"Search");
    EXPECT_EQ(quib::TranslateCategory(L"Code", true, dialog), L"文字コード");
    EXPECT_EQ(quib::TranslateCategory(L"表示項目", false, dialog), L"Info");
    EXPECT_EQ(quib::TranslateCategory(L"テキスト", false, dialog), L"Text");
    EXPECT_EQ(quib::TranslateCategory(L"表示", false, dialog), L"View");
}

namespace {

const std::vector<std::wstring> kLanguageLines = {
    L"Tag\t1\tName\tProperty\tJapanese\tEnglish",
    L"1000\t1\tMenuFile\tCaption\tファイル(&F)\tFile(&F)",
    L"1001\t1\tMenuOpen\tCaption\t開く(&O)\tOpen(&O)",
    L"1102\t1\tMenuPassword\tCaption\tパスワード入力(&P)\tPassword(&P)",
    L"1102\t1\tMenuPassword\tCaption\t二番目\tSecond",
    L"1103\t1\tshort line",
    L"2999\t1\tForm\tCaption\tキーボードマップ\tKey map",
};

const KeyMapTable kJapanese = Table({L"ファイル|開く(&O)|Ctrl+O|1001", L"操作|解凍(&U)...|U|1101x",
                                     L"操作|パスワード入力(&P)|Ctrl+P|1102", L"操作|ファイル削除(&D)|D|1103",
                                     L"謎|何か(&N)|F5|1999"});

}  // namespace

TEST(KeyMapJpnEng, RewritesCaptionsByNumberAndCategoriesByPairs) {
    KeyMapTable t = kJapanese;
    quib::SetKeyMapJpnEng(t, kLanguageLines, false, quib::ViewerCategoryPairs());
    // 1101x, 1103 (short language line) and 1999 have no caption line: untouched.
    const KeyMapTable english = Table({L"File|Open(&O)|Ctrl+O|1001", L"操作|解凍(&U)...|U|1101x",
                                       L"Operation|Password(&P)|Ctrl+P|1102", L"操作|ファイル削除(&D)|D|1103",
                                       L"謎|何か(&N)|F5|1999"});
    EXPECT_EQ(t, english);

    quib::SetKeyMapJpnEng(t, kLanguageLines, true, quib::ViewerCategoryPairs());
    EXPECT_EQ(t, Table({L"ファイル|開く(&O)|Ctrl+O|1001", L"操作|解凍(&U)...|U|1101x",
                        L"操作|パスワード入力(&P)|Ctrl+P|1102", L"操作|ファイル削除(&D)|D|1103",
                        L"謎|何か(&N)|F5|1999"}));
}

TEST(KeyMapJpnEng, LanguageFileOnDiskOrMissing) {
    ProgramDir dir;
    const std::wstring file = dir.LanguageDir() + L"\\Main.txt";
    KeyMapTable t = kJapanese;
    EXPECT_FALSE(quib::SetKeyMapJpnEngFromFile(t, file, false, quib::ViewerCategoryPairs()));
    EXPECT_EQ(t, kJapanese);  // not even the categories change

    std::wstring text;
    for (const auto& l : kLanguageLines) text += l + L"\r\n";
    ASSERT_TRUE(WriteUtf16File(file, text));
    EXPECT_TRUE(quib::SetKeyMapJpnEngFromFile(t, file, false, quib::ViewerCategoryPairs()));
    EXPECT_EQ(t[0], (quib::KeyMapLine{L"File", L"Open(&O)", L"Ctrl+O", L"1001"}));
    EXPECT_EQ(t[2].caption, L"Password(&P)");
}

TEST(KeyMapSort, GroupsAndSortKeys) {
    const struct {
        const wchar_t* keyText;
        int group;
        const wchar_t* sortKey;
    } cases[] = {
        {L"U", 0, L"1000U"},
        {L"Shift+B", 1, L"1100B"},
        {L"Shift+Ctrl+Home", 2, L"1110Home"},
        {L"Shift+Alt+X", 3, L"1101X"},
        {L"Shift+Ctrl+Alt+Z", 4, L"1111Z"},
        {L"Ctrl+O", 5, L"1010O"},
        {L"Ctrl+Alt+Del", 6, L"1011Del"},
        {L"Alt+L", 7, L"1001L"},
        {L"", 8, L"1000"},
        {L"  ", 8, L"1000"},
        {L"Ctrl+ PgUp", 5, L"1010PgUp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keyText);
        EXPECT_EQ(quib::KeySortGroup(c.keyText), c.group);
        EXPECT_EQ(quib::KeySortKey(c.keyText), c.sortKey);
    }
}

TEST(KeyMapSort, NineGroupsInOrderEachSortedWithoutCase) {
    const KeyMapTable t = Table({
        L"c|none 1||2001",      L"c|U|U|2002",         L"c|Shift+B|Shift+B|2003",   L"c|Ctrl+O|Ctrl+O|2004",
        L"c|SCH|Shift+Ctrl+Home|2005", L"c|Alt+L|Alt+L|2006", L"c|Enter|Enter|2007", L"c|CAD|Ctrl+Alt+Del|2008",
        L"c|SAX|Shift+Alt+X|2009", L"c|SCAZ|Shift+Ctrl+Alt+Z|2010", L"c|a|a|2011", L"c|D|D|2012",
        L"c|F10|F10|2013",      L"c|F2|F2|2014",       L"c|none 2||2015",           L"c|Shift+A|Shift+A|2016",
        L"c|Ctrl+A|Ctrl+A|2017",
    });
    std::vector<std::wstring> order;
    for (const auto& l : quib::GetKeySort1(t)) order.push_back(l.caption);
    EXPECT_EQ(order, (std::vector<std::wstring>{L"a", L"D", L"Enter", L"F10", L"F2", L"U", L"Shift+A", L"Shift+B",
                                                L"SCH", L"SAX", L"SCAZ", L"Ctrl+A", L"Ctrl+O", L"CAD", L"Alt+L",
                                                L"none 1", L"none 2"}));
    EXPECT_TRUE(quib::GetKeySort1({}).empty());
}
