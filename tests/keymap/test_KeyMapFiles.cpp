// Key-map lines and files, the main window's built-in table, the start-up
// check against it, and the difference files.
#include <gtest/gtest.h>

#include <set>

#include "KeyMapTestSupport.h"
#include "keymap/KeyMapApply.h"
#include "app/MainMenuTable.h"
#include "keymap/KeyMap.h"
#include "app/MainKeyMap.h"

using keymaptest::ProgramDir;
using keymaptest::ReadUtf16File;
using keymaptest::Table;
using keymaptest::WriteUtf16File;
using quib::KeyMapLine;
using quib::KeyMapTable;
using quibtest::FileExists;
using quibtest::MsgCapture;

namespace {

std::wstring FileText(const KeyMapTable& table) {
    std::wstring t;
    for (const auto& l : table) t += quib::KeyMapLineText(l) + L"\r\n";
    return t;
}

KeyMapTable ReadTable(const std::wstring& path) {
    KeyMapTable t;
    EXPECT_TRUE(quib::ReadKeyMapFile(path, t)) << "cannot read the key-map file";
    return t;
}

}  // namespace

// ---------------------------------------------------------------- lines

TEST(KeyMapLine, SplitsFourTabFields) {
    const struct {
        const wchar_t* text;
        KeyMapLine line;
    } cases[] = {
        {L"操作\t解凍(&U)...\tU\t1101", {L"操作", L"解凍(&U)...", L"U", L"1101"}},
        {L"ファイル\t一覧表示 [通常書庫] (&A)\t\t1011", {L"ファイル", L"一覧表示 [通常書庫] (&A)", L"", L"1011"}},
        // A comma in a caption or as the key is text, not a separator.
        {L"Key\tOpen, then list\t,\t1001", {L"Key", L"Open, then list", L",", L"1001"}},
        {L"a\tb", {L"a", L"b", L"", L""}},
        {L"", {L"", L"", L"", L""}},
        {L"a\tb\tc\td\textra", {L"a", L"b", L"c", L"d"}},
        {L"a\tb\tc\t1101x", {L"a", L"b", L"c", L"1101x"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(quib::ParseKeyMapLine(c.text), c.line);
    }
    EXPECT_EQ(quib::KeyMapLineText({L"操作", L"解凍(&U)...", L"U", L"1101"}), L"操作\t解凍(&U)...\tU\t1101");
}

TEST(KeyMapLine, FindsOnlyTheExactFunctionNumber) {
    const KeyMapTable t = Table({L"a|x|U|1101x", L"b|y|D|11011", L"c|z|V| 1101", L"d|w|W|1101", L"e|v|A|1101"});
    const KeyMapLine* found = quib::FindKeyMapLine(t, L"1101");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->category, L"d");  // the first exact match
    EXPECT_EQ(quib::FindKeyMapLine(t, L"1102"), nullptr);
    EXPECT_EQ(quib::FindKeyMapLine(Table({L"a|x|U|1101x"}), L"1101"), nullptr);
}

TEST(KeyMapLine, FunctionListIsSorted) {
    const KeyMapTable t = Table({L"a|x||1201", L"a|x||1001", L"a|x||1101", L"a|x||1001"});
    EXPECT_EQ(quib::GetFunctionList(t), (std::vector<std::wstring>{L"1001", L"1001", L"1101", L"1201"}));
    EXPECT_TRUE(quib::GetFunctionList({}).empty());
}

// ---------------------------------------------------------------- files

TEST(KeyMapFile, RoundTripsUtf16WithByteOrderMark) {
    ProgramDir dir;
    const KeyMapTable table = Table({L"ファイル|開く(&O)|Ctrl+O|1001", L"操作|画像ビューワ [WIC] (&W)|W|1113",
                                     L"拡張|ファイラーと連携時：終了時にファイラーを前面に表示(&T)||1451",
                                     L"操作|イニシャルサーチ １回のみ(&-)|F10|1133"});
    const std::wstring path = dir / L"map.txt";
    ASSERT_TRUE(quib::WriteKeyMapFile(path, table));

    const std::string bytes = quibtest::ReadFileBytes(path);
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 2), std::string("\xFF\xFE", 2));
    // "フ" (U+30D5) little-endian right after the mark.
    EXPECT_EQ(bytes.substr(2, 2), std::string("\xD5\x30", 2));
    bool bom = false;
    EXPECT_EQ(ReadUtf16File(path, &bom), FileText(table));
    EXPECT_TRUE(bom);

    EXPECT_EQ(ReadTable(path), table);
}

TEST(KeyMapFile, ReadsWithoutMarkAndWithBareLineFeeds) {
    ProgramDir dir;
    const std::wstring path = dir / L"map.txt";
    ASSERT_TRUE(quibtest::WriteFileBytes(path, quibtest::Utf16LeBytes(L"操作\t解凍(&U)...\tU\t1101\n移動\t上移動(&U)\tUp\t1203")));
    EXPECT_EQ(ReadTable(path), Table({L"操作|解凍(&U)...|U|1101", L"移動|上移動(&U)|Up|1203"}));
}

TEST(KeyMapFile, EmptyLinesCountAndMissingFileFails) {
    ProgramDir dir;
    const std::wstring path = dir / L"map.txt";
    ASSERT_TRUE(WriteUtf16File(path, L"a\tb\tc\t1001\r\n\r\nd\te\tf\t1002\r\n"));
    EXPECT_EQ(ReadTable(path).size(), 3u);
    KeyMapTable t = Table({L"x|y|z|1"});
    EXPECT_FALSE(quib::ReadKeyMapFile(dir / L"none.txt", t));
    EXPECT_TRUE(t.empty());
    // An empty table is a file holding only the byte-order mark.
    ASSERT_TRUE(quib::WriteKeyMapFile(path, {}));
    EXPECT_EQ(quibtest::ReadFileBytes(path), std::string("\xFF\xFE", 2));
    EXPECT_TRUE(ReadTable(path).empty());
}

// ---------------------------------------------------------------- windows' files

TEST(KeyMapWindows, FileNamesPerWindow) {
    ProgramDir dir;
    const struct {
        const wchar_t* parent;
        const wchar_t* map;
        const wchar_t* diff;
        const wchar_t* language;
    } cases[] = {
        {L"Main", L"quibFMarchive-KeyMap.txt", L"quibFMarchive-KeyDiff.txt", L"Main.txt"},
        {L"Text", L"quibFMarchive-KeyMapText.txt", L"quibFMarchive-KeyDiffText.txt", L"Text.txt"},
        {L"Image", L"quibFMarchive-KeyMapImage.txt", L"quibFMarchive-KeyDiffImage.txt", L"Image.txt"},
        {L"Player", L"quibFMarchive-KeyMapPlayer.txt", L"quibFMarchive-KeyDiffPlayer.txt", L"Player.txt"},
        {L"PopUp", L"quibFMarchive-KeyMapPopUp.txt", L"quibFMarchive-KeyDiffPopUp.txt", L"Popup.txt"},
        {L"Browse", L"quibFMarchive-KeyMapBrowse.txt", L"quibFMarchive-KeyDifBrowse.txt", L"Browse.txt"},
        {L"Tree", L"quibFMarchive-KeyMapTree.txt", L"quibFMarchive-KeyDifTree.txt", L"Tree.txt"},
    };
    ASSERT_EQ(quib::KeyMapWindows().size(), std::size(cases));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.parent);
        const quib::KeyMapWindowInfo* w = quib::KeyMapWindowByParent(c.parent);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(quib::KeyMapFilePath(w->window), dir / c.map);
        EXPECT_EQ(quib::KeyDiffFilePath(w->window), dir / c.diff);
        EXPECT_EQ(quib::KeyMapLanguageFilePath(w->window), dir.Path() + L"\\Language\\quibFMarchive\\" + c.language);
    }
    EXPECT_EQ(quib::KeyMapWindowByParent(L"popup"), quib::KeyMapWindowByParent(L"PopUp"));
    EXPECT_EQ(quib::KeyMapWindowByParent(L"Viewer"), nullptr);
    EXPECT_EQ(quib::KeyMapWindowByParent(L""), nullptr);
}

// ---------------------------------------------------------------- main window's table

TEST(MainKeyMap, SeventyCommandsInTableOrderWithDefaultKeys) {
    const KeyMapTable t = quib::InitMainKeyMap(0);
    ASSERT_EQ(t.size(), 70u);
    ASSERT_EQ(t.size(), quib::MainCommands().size());
    std::set<std::wstring> numbers;
    for (size_t i = 0; i < t.size(); ++i) {
        const auto& c = quib::MainCommands()[i];
        EXPECT_EQ(t[i].number, std::to_wstring(c.tag));
        EXPECT_EQ(t[i].category, c.category);
        EXPECT_EQ(t[i].caption, c.caption);
        EXPECT_EQ(t[i].number.size(), 4u);
        numbers.insert(t[i].number);
    }
    EXPECT_EQ(numbers.size(), 70u);
    const struct {
        size_t index;
        const wchar_t* line;
    } samples[] = {
        {0, L"ファイル\t開く(&O)\tCtrl+O\t1001"},
        {14, L"ファイル\t終了(&Q && &X)\t\t1041"},
        {15, L"操作\t解凍(&U)...\tU\t1101"},
        {18, L"操作\t上に戻る(&B)\tBkSp\t1111"},
        {28, L"操作\t全マークフォルダファイル(&O)\tShift+Home\t1123"},
        {32, L"操作\tイニシャルサーチ １回のみ(&-)\tF10\t1133"},
        {34, L"移動\t先頭移動(&S)\tCtrl+Home\t1201"},
        {44, L"移動\t下＋移動(&O)\tPgDn\t1211"},
        {69, L"Jpn/Eng\tEnglish(&E)\t\t1602"},
    };
    for (const auto& s : samples) EXPECT_EQ(quib::KeyMapLineText(t[s.index]), s.line) << s.index;
    EXPECT_EQ(quib::InitMainKeyMap(1), t);
}

// ---------------------------------------------------------------- start-up check

TEST(KeyMapStartupCheck, MissingFileIsWrittenSilentlyAndCountsAsSame) {
    ProgramDir dir;
    MsgCapture msgs;
    const KeyMapTable builtIn = quib::InitMainKeyMap(0);
    const std::wstring path = quib::KeyMapFilePath(quib::KeyMapWindow::Main);
    ASSERT_FALSE(FileExists(path));
    KeyMapTable working;
    EXPECT_TRUE(quib::CheckKeyMapFile(path, builtIn, working));
    EXPECT_EQ(working, builtIn);
    bool bom = false;
    EXPECT_EQ(ReadUtf16File(path, &bom), FileText(builtIn));
    EXPECT_TRUE(bom);
    EXPECT_TRUE(msgs.Messages().empty());
}

TEST(KeyMapStartupCheck, MatchingFileKeepsTheUsersKeys) {
    ProgramDir dir;
    const KeyMapTable builtIn = quib::InitMainKeyMap(0);
    const std::wstring path = dir / L"quibFMarchive-KeyMap.txt";
    KeyMapTable user = builtIn;
    user[15].keyText = L"Ctrl+U";  // 1101
    user[15].caption = L"Extract(&U)...";
    std::swap(user[0], user[69]);  // another order with the same numbers
    const std::wstring text = FileText(user);
    ASSERT_TRUE(WriteUtf16File(path, text));
    KeyMapTable working;
    EXPECT_TRUE(quib::CheckKeyMapFile(path, builtIn, working));
    EXPECT_EQ(working, user);
    EXPECT_EQ(ReadUtf16File(path), text);
}

TEST(KeyMapStartupCheck, DifferentFilesAreReplacedByTheBuiltInTable) {
    const KeyMapTable builtIn = quib::InitMainKeyMap(0);
    const struct {
        const char* name;
        void (*edit)(KeyMapTable&);
    } cases[] = {
        {"one line missing", [](KeyMapTable& t) { t.erase(t.begin() + 20); }},
        {"one line more", [](KeyMapTable& t) { t.push_back(t[3]); }},
        {"number with extra text", [](KeyMapTable& t) { t[15].number = L"1101x"; }},
        {"number replaced", [](KeyMapTable& t) { t[15].number = L"1199"; }},
        {"number twice", [](KeyMapTable& t) { t[16].number = L"1101"; }},
        {"empty file", [](KeyMapTable& t) { t.clear(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramDir dir;
        const std::wstring path = dir / L"quibFMarchive-KeyMap.txt";
        KeyMapTable user = builtIn;
        user[1].keyText = L"Ctrl+L";
        c.edit(user);
        ASSERT_TRUE(quib::WriteKeyMapFile(path, user));
        KeyMapTable working = user;
        EXPECT_FALSE(quib::CheckKeyMapFile(path, builtIn, working));
        EXPECT_EQ(working, builtIn);
        EXPECT_EQ(ReadUtf16File(path), FileText(builtIn));
    }
}

TEST(KeyMapStartupCheck, AFileThatCannotBeReadIsLeftAloneAndTold) {
    const KeyMapTable builtIn = quib::InitMainKeyMap(0);
    for (bool japanese : {true, false}) {
        SCOPED_TRACE(japanese);
        quib::SetUiJapanese(japanese);
        ProgramDir dir;
        quibtest::MsgCapture msgs;
        const std::wstring path = dir / L"quibFMarchive-KeyMap.txt";
        KeyMapTable user = builtIn;
        user[15].keyText = L"Ctrl+U";
        user.pop_back();  // would be reset if it were read
        ASSERT_TRUE(quib::WriteKeyMapFile(path, user));
        const std::string before = quibtest::ReadFileBytes(path);
        // Another program holds the file without sharing it.
        HANDLE lock = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(lock, INVALID_HANDLE_VALUE);
        KeyMapTable working;
        EXPECT_TRUE(quib::CheckKeyMapFile(path, builtIn, working)) << "no reset notice";
        KeyMapTable reloaded = working;
        quib::LoadKeyMapFile(path, reloaded);
        CloseHandle(lock);
        EXPECT_EQ(working, builtIn) << "the built-in keys serve this run";
        EXPECT_EQ(reloaded, builtIn) << "an unreadable file changes nothing on reload";
        EXPECT_EQ(quibtest::ReadFileBytes(path), before) << "the user's keys are kept";
        EXPECT_EQ(msgs.Texts(), std::vector<std::wstring>{japanese
                                                              ? L"Error : キーボード設定のファイルが読み込めませんでした\r\n" + path
                                                              : L"Error : Key board map file can not read.\r\n" + path + L"\r\n[OK]"});
    }
    quib::SetUiJapanese(true);
}

// ---------------------------------------------------------------- differences

namespace {

const KeyMapTable kBuiltIn = Table({L"操作|解凍(&U)...|U|1101", L"操作|パスワード入力(&P)|Ctrl+P|1102",
                                    L"操作|ファイル削除(&D)|D|1103", L"移動|上移動(&U)|Up|1203"});

}  // namespace

TEST(KeyMapDifference, OnlyChangedKeysOfKnownNumbers) {
    const KeyMapTable working = Table({L"Operation|Extract(&U)...|Ctrl+U|1101", L"操作|パスワード入力(&P)|Ctrl+P|1102",
                                       L"操作|ファイル削除(&D)||1103", L"移動|上移動(&U)|Up|1203",
                                       L"移動|謎|X|1999", L"移動|謎2|X|1203x"});
    EXPECT_EQ(quib::KeyMapDifference(working, kBuiltIn),
              Table({L"Operation|Extract(&U)...|Ctrl+U|1101", L"操作|ファイル削除(&D)||1103"}));
    EXPECT_TRUE(quib::KeyMapDifference(kBuiltIn, kBuiltIn).empty());
}

TEST(KeyMapDifference, SaveAsksThenWritesTheChangedLinesAndTellsTheFile) {
    ProgramDir dir;
    const std::wstring diffPath = quib::KeyDiffFilePath(quib::KeyMapWindow::Main);
    KeyMapTable working = kBuiltIn;
    working[2].keyText = L"Shift+Del";
    working.push_back(quib::ParseKeyMapLine(L"x\ty\tZ\t4711"));

    {
        MsgCapture msgs;
        msgs.Answer([](const quib::MsgRecord&) { return IDNO; });
        quib::SetUiJapanese(true);
        EXPECT_FALSE(quib::SaveKeyMapDifference(nullptr, working, kBuiltIn, diffPath));
        ASSERT_EQ(msgs.Texts(), std::vector<std::wstring>{L"Information : 変更分をファイルに上書で保存しますか？"});
        EXPECT_EQ(msgs.Messages()[0].buttons, quib::MsgButtons::YesNo);
        EXPECT_FALSE(FileExists(diffPath));
    }
    for (bool japanese : {true, false}) {
        SCOPED_TRACE(japanese);
        MsgCapture msgs;
        quib::SetUiJapanese(japanese);
        EXPECT_TRUE(quib::SaveKeyMapDifference(nullptr, working, kBuiltIn, diffPath));
        quib::SetUiJapanese(true);
        EXPECT_EQ(ReadUtf16File(diffPath), L"操作\tファイル削除(&D)\tShift+Del\t1103\r\n");
        const std::vector<std::wstring> expected =
            japanese ? std::vector<std::wstring>{L"Information : 変更分をファイルに上書で保存しますか？",
                                                 L"Information : ファイルが保存されました\r\n" + diffPath}
                     : std::vector<std::wstring>{L"Information : Overwrite change items to file ?\r\n[YES] / [NO]",
                                                 L"Information : File saved.\r\n" + diffPath + L"\r\n[OK]"};
        EXPECT_EQ(msgs.Texts(), expected);
    }
}

TEST(KeyMapDifference, ApplyTakesKeysByNumberAndWritesTheKeyMap) {
    ProgramDir dir;
    const std::wstring diffPath = dir / L"quibFMarchive-KeyDiff.txt";
    const std::wstring mapPath = dir / L"quibFMarchive-KeyMap.txt";
    ASSERT_TRUE(quib::WriteKeyMapFile(
        diffPath, Table({L"Operation|Extract(&U)...|Ctrl+U|1101", L"謎|無い機能|F5|1999", L"移動|上移動(&U)||1203"})));
    KeyMapTable working = kBuiltIn;
    MsgCapture msgs;
    quib::SetUiJapanese(true);
    EXPECT_TRUE(quib::ApplyKeyMapDifference(nullptr, working, diffPath, mapPath));
    const KeyMapTable expected = Table({L"操作|解凍(&U)...|Ctrl+U|1101", L"操作|パスワード入力(&P)|Ctrl+P|1102",
                                        L"操作|ファイル削除(&D)|D|1103", L"移動|上移動(&U)||1203"});
    EXPECT_EQ(working, expected);
    EXPECT_EQ(ReadTable(mapPath), expected);
    EXPECT_EQ(msgs.Texts(), (std::vector<std::wstring>{L"Information : 変更分を反映し、ファイルに保存しますか？",
                                                       L"Information : ファイルを読み込み反映しました\r\n" + mapPath}));
}

TEST(KeyMapDifference, ApplyAnsweredNoChangesNothing) {
    ProgramDir dir;
    const std::wstring diffPath = dir / L"quibFMarchive-KeyDiff.txt";
    const std::wstring mapPath = dir / L"quibFMarchive-KeyMap.txt";
    ASSERT_TRUE(quib::WriteKeyMapFile(diffPath, Table({L"操作|解凍(&U)...|Ctrl+U|1101"})));
    KeyMapTable working = kBuiltIn;
    MsgCapture msgs;
    msgs.Answer([](const quib::MsgRecord&) { return IDNO; });
    quib::SetUiJapanese(false);
    EXPECT_FALSE(quib::ApplyKeyMapDifference(nullptr, working, diffPath, mapPath));
    quib::SetUiJapanese(true);
    EXPECT_EQ(working, kBuiltIn);
    EXPECT_FALSE(FileExists(mapPath));
    EXPECT_EQ(msgs.Texts(),
              std::vector<std::wstring>{L"Information : Replace different items, and save to file ?\r\n[YES] / [NO]"});
}

TEST(KeyMapDifference, MissingDifferenceFileIsToldInBothLanguages) {
    for (bool japanese : {true, false}) {
        SCOPED_TRACE(japanese);
        ProgramDir dir;
        const std::wstring diffPath = quib::KeyDiffFilePath(quib::KeyMapWindow::Browse);
        const std::wstring mapPath = quib::KeyMapFilePath(quib::KeyMapWindow::Browse);
        ASSERT_TRUE(quib::WriteKeyMapFile(mapPath, kBuiltIn));
        KeyMapTable working = kBuiltIn;
        working[0].keyText = L"F2";
        MsgCapture msgs;
        quib::SetUiJapanese(japanese);
        EXPECT_FALSE(quib::ApplyKeyMapDifference(nullptr, working, diffPath, mapPath));
        quib::SetUiJapanese(true);
        ASSERT_EQ(msgs.Texts().size(), 2u);
        EXPECT_EQ(msgs.Texts()[1], japanese ? L"Information : ファイルがありません\r\n" + diffPath
                                            : L"Information : File is not exist.\r\n" + diffPath + L"\r\n[OK]");
        EXPECT_NE(diffPath.find(L"quibFMarchive-KeyDifBrowse.txt"), std::wstring::npos);
        EXPECT_EQ(working[0].keyText, L"F2");
        EXPECT_EQ(ReadTable(mapPath), kBuiltIn);
    }
}

TEST(KeyMapDifference, SavedChangesSurviveAResetThroughTheDifferenceFile) {
    ProgramDir dir;
    const KeyMapTable builtIn = quib::InitMainKeyMap(0);
    const std::wstring mapPath = quib::KeyMapFilePath(quib::KeyMapWindow::Main);
    const std::wstring diffPath = quib::KeyDiffFilePath(quib::KeyMapWindow::Main);
    MsgCapture msgs;

    KeyMapTable user = builtIn;
    user[15].keyText = L"Ctrl+U";  // 1101
    user[1].keyText = L"Alt+L";    // 1011
    ASSERT_TRUE(quib::SaveKeyMapDifference(nullptr, user, builtIn, diffPath));

    // An update of the program drops a command: the file is reset.
    KeyMapTable old = user;
    old.pop_back();
    ASSERT_TRUE(quib::WriteKeyMapFile(mapPath, old));
    KeyMapTable working;
    ASSERT_FALSE(quib::CheckKeyMapFile(mapPath, builtIn, working));
    ASSERT_EQ(working, builtIn);

    ASSERT_TRUE(quib::ApplyKeyMapDifference(nullptr, working, diffPath, mapPath));
    EXPECT_EQ(working, user);
    EXPECT_EQ(ReadTable(mapPath), user);
}
