// The key-map viewer as a real window: which file it reads, what the list
// shows in which order and language, the clipboard copy, the developer's
// language keys and Esc.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "KeyMapTestSupport.h"
#include "app/Application.h"
#include "keymap/FormKeyMap.h"
#include "keymap/KeyMapView.h"
#include "keymap/KeyText.h"

using keymaptest::PressKey;
using keymaptest::ProgramDir;
using keymaptest::Pump;
using keymaptest::Table;
using keymaptest::WriteUtf16File;
using quib::KeyMapTable;
using quib::TFormKeyMap;
using quibtest::MsgCapture;

namespace {

using Row = std::vector<std::wstring>;

std::vector<Row> ListRows(HWND list) {
    std::vector<Row> rows;
    const int n = ListView_GetItemCount(list);
    for (int i = 0; i < n; ++i) {
        Row row;
        for (int col = 0; col < 5; ++col) {
            wchar_t buf[512] = {};
            ListView_GetItemText(list, i, col, buf, 512);
            row.emplace_back(buf);
        }
        rows.push_back(row);
    }
    return rows;
}

std::vector<Row> RowsOf(const KeyMapTable& t) {
    std::vector<Row> rows;
    for (const auto& l : t) rows.push_back({l.category, l.caption, l.keyText, l.number, L""});
    return rows;
}

std::vector<std::wstring> ColumnCaptions(HWND list) {
    std::vector<std::wstring> captions;
    for (int i = 0; i < 5; ++i) {
        wchar_t buf[128] = {};
        LVCOLUMNW col{};
        col.mask = LVCF_TEXT;
        col.pszText = buf;
        col.cchTextMax = 128;
        ListView_GetColumn(list, i, &col);
        captions.emplace_back(buf);
    }
    return captions;
}

// The shared one retries while another program holds the clipboard.
using quibtest::ClipboardText;

void Click(HWND button) {
    SendMessageW(button, BM_CLICK, 0, 0);
    Pump();
}

const KeyMapTable kMap = Table({L"ファイル|開く(&O)|Ctrl+O|1001", L"操作|解凍(&U)...|U|1101",
                                L"操作|全マークフォルダファイル(&O)|Shift+Home|1123", L"ファイル|終了(&Q && &X)||1041",
                                L"移動|先頭移動(&S)|Ctrl+Home|1201", L"操作|マーク(&M)|Space|1121"});
const KeyMapTable kMapSorted = Table({L"操作|マーク(&M)|Space|1121", L"操作|解凍(&U)...|U|1101",
                                      L"操作|全マークフォルダファイル(&O)|Shift+Home|1123",
                                      L"移動|先頭移動(&S)|Ctrl+Home|1201", L"ファイル|開く(&O)|Ctrl+O|1001",
                                      L"ファイル|終了(&Q && &X)||1041"});

class FormKeyMapTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { keymaptest::EnsureApplication(); }
    void SetUp() override { quib::SetUiJapanese(true); }
    void TearDown() override { quib::SetUiJapanese(true); }

    void Open(TFormKeyMap& form) {
        ASSERT_TRUE(form.Create());
        form.Show();
        Pump();
    }

    ProgramDir dir;
    MsgCapture msgs;
};

}  // namespace

TEST_F(FormKeyMapTest, ShowsTheKeyMapInFileOrderThenGrouped) {
    dir.WriteIni(L"FormKeyBoard", L"Parent", L"Main");
    dir.WriteIni(L"ShowKeyMapItem", L"All", L"1");
    ASSERT_TRUE(quib::WriteKeyMapFile(dir / L"quibFMarchive-KeyMap.txt", kMap));
    ASSERT_TRUE(quib::WriteKeyMapFile(dir / L"quibFMarchive-KeyDiff.txt", Table({L"操作|解凍(&U)...|F2|1101"})));

    quib::FormInstance<TFormKeyMap> form;
    Open(form);
    EXPECT_TRUE(form.Visible());
    EXPECT_EQ(form.Caption(), L"キーボードマップ");
    EXPECT_EQ(ColumnCaptions(form.ListView1()),
              (std::vector<std::wstring>{L"カテゴリ", L"コマンド", L"現在のキー", L"機能", L""}));
    EXPECT_EQ(quibtest::WindowText(form.Button(TFormKeyMap::kTagButtonSort0)), L"ソート無(&N)");
    EXPECT_EQ(quibtest::WindowText(form.Button(TFormKeyMap::kTagButtonSort1)), L"ソート有(&K)");
    EXPECT_EQ(quibtest::WindowText(form.Button(TFormKeyMap::kTagButtonCopy)), L"ｸﾘｯﾌﾟへｺﾋﾟｰ(&L)");
    EXPECT_EQ(quibtest::WindowText(form.Button(TFormKeyMap::kTagButtonClose)), L"閉じる(&C)");
    EXPECT_EQ(ListRows(form.ListView1()), RowsOf(kMap));

    Click(form.Button(TFormKeyMap::kTagButtonSort1));
    EXPECT_EQ(ListRows(form.ListView1()), RowsOf(kMapSorted));
    Click(form.Button(TFormKeyMap::kTagButtonCopy));
    std::wstring expected;
    for (const auto& l : kMapSorted) expected += quib::KeyMapLineText(l) + L"\r\n";
    EXPECT_EQ(ClipboardText(), expected);

    Click(form.Button(TFormKeyMap::kTagButtonSort0));
    EXPECT_EQ(ListRows(form.ListView1()), RowsOf(kMap));
    EXPECT_TRUE(msgs.Messages().empty());

    PressKey(form.ListView1(), VK_ESCAPE);
    Pump(50);
    EXPECT_EQ(form.Handle(), nullptr);
}

TEST_F(FormKeyMapTest, ColumnsShareTheWidthAsDesigned) {
    ASSERT_TRUE(quib::WriteKeyMapFile(dir / L"quibFMarchive-KeyMap.txt", kMap));
    quib::FormInstance<TFormKeyMap> form;
    Open(form);
    HWND list = form.ListView1();
    RECT rc{};
    GetClientRect(list, &rc);
    EXPECT_EQ(ListView_GetColumnWidth(list, 0), 140);
    EXPECT_EQ(ListView_GetColumnWidth(list, 1), rc.right - 140 - 295 - 100 - 10 - 5);
    EXPECT_EQ(ListView_GetColumnWidth(list, 2), 295);
    EXPECT_EQ(ListView_GetColumnWidth(list, 3), 100);
    EXPECT_EQ(ListView_GetColumnWidth(list, 4), 10);
    RECT wr{};
    GetWindowRect(form.Handle(), &wr);
    EXPECT_EQ(wr.right - wr.left, 860);
    EXPECT_EQ(wr.bottom - wr.top, 480);
}

TEST_F(FormKeyMapTest, ReadsTheDifferenceFileOfTheParentWindow) {
    dir.WriteIni(L"FormKeyBoard", L"Parent", L"Tree");
    dir.WriteIni(L"ShowKeyMapItem", L"All", L"0");
    const KeyMapTable diff = Table({L"Key|開く(&O)|Ctrl+Enter|1001"});
    ASSERT_TRUE(quib::WriteKeyMapFile(dir / L"quibFMarchive-KeyDifTree.txt", diff));
    ASSERT_TRUE(quib::WriteKeyMapFile(dir / L"quibFMarchive-KeyMapTree.txt", kMap));
    quib::FormInstance<TFormKeyMap> form;
    Open(form);
    EXPECT_EQ(form.StrKeyMapFileName, dir / L"quibFMarchive-KeyDifTree.txt");
    EXPECT_EQ(ListRows(form.ListView1()), RowsOf(diff));
    Pump(500);
    EXPECT_TRUE(msgs.Messages().empty());
}

TEST_F(FormKeyMapTest, MissingFileLeavesTheListEmptyAndIsToldOnceShown) {
    for (bool japanese : {true, false}) {
        SCOPED_TRACE(japanese);
        quib::SetUiJapanese(japanese);
        msgs.Clear();
        dir.WriteIni(L"FormKeyBoard", L"Parent", L"Browse");
        dir.WriteIni(L"ShowKeyMapItem", L"All", L"0");
        ASSERT_TRUE(quib::WriteKeyMapFile(dir / L"quibFMarchive-KeyMapBrowse.txt", kMap));
        quib::FormInstance<TFormKeyMap> form;
        Open(form);
        EXPECT_EQ(form.StrKeyMapFileName, dir / L"quibFMarchive-KeyDifBrowse.txt");
        EXPECT_EQ(ListView_GetItemCount(form.ListView1()), 0);
        EXPECT_TRUE(msgs.Messages().empty()) << "told before the window stands";
        quibtest::WaitFor([&] { return !msgs.Messages().empty(); });
        EXPECT_EQ(msgs.Texts(), std::vector<std::wstring>{japanese
                                                              ? L"Information : キーボード設定のファイルがありません"
                                                              : L"Information : Keyboard map file is not exist.\r\n[OK]"});
        form.Close();
        Pump(50);
    }
}

namespace {

void WriteLanguageFiles(const ProgramDir& dir) {
    ASSERT_TRUE(WriteUtf16File(dir.LanguageDir() + L"\\Main.txt",
                               L"Tag\t1\tName\tProperty\tJapanese\tEnglish\r\n"
                               L"1001\t1\tMenuOpen\tCaption\t開く(&O)\tOpen(&O)\r\n"
                               L"1101\t1\tMenuUnpack\tCaption\t解凍(&U)...\tExtract(&U)...\r\n"));
    ASSERT_TRUE(WriteUtf16File(dir.LanguageDir() + L"\\KeyMap.txt",
                               L"2201\t1\tButtonSort0\tCaption\tソート無(&N)\tNo sort(&N)\r\n"
                               L"2204\t1\tButtonClose\tCaption\t閉じる(&C)\tClose(&C)\r\n"
                               L"2999\t1\tFormKeyMap\tCaption\tキーボードマップ\tKeyboard map\r\n"));
}

// Only the lines the language file names are rewritten.
const KeyMapTable kMapEnglish = Table({L"File|Open(&O)|Ctrl+O|1001", L"Operation|Extract(&U)...|U|1101",
                                       L"操作|全マークフォルダファイル(&O)|Shift+Home|1123",
                                       L"ファイル|終了(&Q && &X)||1041", L"移動|先頭移動(&S)|Ctrl+Home|1201",
                                       L"操作|マーク(&M)|Space|1121"});

}  // namespace

TEST_F(FormKeyMapTest, EnglishInterfaceRewritesTheLinesWithTheParentsLanguageFile) {
    WriteLanguageFiles(dir);
    ASSERT_TRUE(quib::WriteKeyMapFile(dir / L"quibFMarchive-KeyMap.txt", kMap));
    quib::SetUiJapanese(false);
    quib::FormInstance<TFormKeyMap> form;
    Open(form);
    EXPECT_EQ(ColumnCaptions(form.ListView1()),
              (std::vector<std::wstring>{L"Category", L"Command", L"Current Key", L"Function", L""}));
    EXPECT_EQ(ListRows(form.ListView1()), RowsOf(kMapEnglish));
    // The viewer's own captions come from "KeyMap.txt" by their Tags.
    EXPECT_EQ(form.Caption(), L"Keyboard map");
    EXPECT_EQ(quibtest::WindowText(form.Button(TFormKeyMap::kTagButtonSort0)), L"No sort(&N)");
    EXPECT_EQ(quibtest::WindowText(form.Button(TFormKeyMap::kTagButtonClose)), L"Close(&C)");
    // The file itself is not touched.
    KeyMapTable onDisk;
    ASSERT_TRUE(quib::ReadKeyMapFile(dir / L"quibFMarchive-KeyMap.txt", onDisk));
    EXPECT_EQ(onDisk, kMap);
}

TEST_F(FormKeyMapTest, DeveloperKeysSwitchTheLanguage) {
    WriteLanguageFiles(dir);
    // The main window's developer flag, for the whole program.
    struct Developer {
        Developer() { quib::Application().SetDeveloper(true); }
        ~Developer() { quib::Application().SetDeveloper(false); }
    } developer;
    ASSERT_TRUE(quib::WriteKeyMapFile(dir / L"quibFMarchive-KeyMap.txt", kMap));
    quib::FormInstance<TFormKeyMap> form;
    Open(form);
    ASSERT_EQ(ListRows(form.ListView1()), RowsOf(kMap));
    Click(form.Button(TFormKeyMap::kTagButtonSort1));

    PressKey(form.ListView1(), 'E', quib::kKeyCtrl | quib::kKeyShift);
    EXPECT_EQ(ColumnCaptions(form.ListView1())[2], L"Current Key");
    EXPECT_EQ(ListRows(form.ListView1()), RowsOf(kMapEnglish));  // file order again
    EXPECT_EQ(form.Caption(), L"Keyboard map");
    EXPECT_EQ(msgs.Texts(), std::vector<std::wstring>{L"Information : Dark Mode では、リストの文字が見えません"});

    PressKey(form.ListView1(), 'J', quib::kKeyCtrl | quib::kKeyShift);
    EXPECT_EQ(ColumnCaptions(form.ListView1())[2], L"現在のキー");
    EXPECT_EQ(ListRows(form.ListView1()), RowsOf(kMap));
    EXPECT_EQ(form.Caption(), L"キーボードマップ");
    EXPECT_EQ(msgs.Texts().size(), 2u);
}

TEST_F(FormKeyMapTest, LanguageKeysNeedTheDeveloperSwitch) {
    WriteLanguageFiles(dir);
    ASSERT_TRUE(quib::WriteKeyMapFile(dir / L"quibFMarchive-KeyMap.txt", kMap));
    quib::FormInstance<TFormKeyMap> form;
    Open(form);
    PressKey(form.ListView1(), 'E', quib::kKeyCtrl | quib::kKeyShift);
    EXPECT_EQ(ColumnCaptions(form.ListView1())[2], L"現在のキー");
    EXPECT_EQ(ListRows(form.ListView1()), RowsOf(kMap));
    EXPECT_TRUE(msgs.Messages().empty());
}

TEST_F(FormKeyMapTest, CloseButtonClosesAndPlacementIsKept) {
    ASSERT_TRUE(quib::WriteKeyMapFile(dir / L"quibFMarchive-KeyMap.txt", kMap));
    {
        quib::FormInstance<TFormKeyMap> form;
        Open(form);
        MoveWindow(form.Handle(), 20, 30, 900, 500, TRUE);
        Click(form.Button(TFormKeyMap::kTagButtonClose));
        Pump(50);
        EXPECT_EQ(form.Handle(), nullptr);
    }
    const quib::IniFile ini(dir.Ini());
    EXPECT_EQ(ini.ReadInteger(L"FormKeyMap", L"Left", -1), 20);
    EXPECT_EQ(ini.ReadInteger(L"FormKeyMap", L"Width", -1), 900);
    EXPECT_EQ(ini.ReadString(L"FormKeyMap", L"State", L""), L"NORMAL");
}
