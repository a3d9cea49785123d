// The keyboard settings dialog as a real window: the categories and rows of
// a window's key map, the key fields, every refusal with its text in both
// languages, saving, closing without saving, the initialisations, the
// difference files, and the dialog opened from the windows themselves.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "KeyMapTestSupport.h"
#include "MainWindowHarness.h"
#include "app/MainMenuTable.h"
#include "extract/FormBrowse.h"
#include "extract/FormTree.h"
#include "keymap/FormKeyBoard.h"
#include "keymap/FormKeyMap.h"
#include "keymap/KeyBoardRules.h"
#include "keymap/KeyMapApply.h"
#include "keymap/KeyMapRegistry.h"
#include "util/Controls.h"
#include "util/IniFile.h"
#include "util/StrConv.h"

using keymaptest::ProgramDir;
using keymaptest::Pump;
using keymaptest::Table;
using keymaptest::WriteUtf16File;
using quib::KeyMapTable;
using quib::KeyMapWindow;
using quib::TFormKeyBoard;
using quibtest::MsgCapture;

namespace {

int ItemOf(const std::wstring& name) {
    const auto& items = quib::KeyBoardKeyItems();
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i] == name) return static_cast<int>(i);
    return -1;
}

std::vector<std::wstring> ComboItems(HWND combo) {
    std::vector<std::wstring> items;
    const int n = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        wchar_t buf[256] = {};
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
        items.emplace_back(buf);
    }
    return items;
}

std::wstring ComboShown(HWND combo) {
    const LRESULT i = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (i < 0) return L"<none>";
    wchar_t buf[256] = {};
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
    return buf;
}

// The four key fields as the user sees them.
std::vector<std::wstring> KeyFieldsShown(TFormKeyBoard& form) {
    std::vector<std::wstring> shown;
    for (int f = 0; f < 4; ++f) shown.push_back(ComboShown(form.KeyFieldBox(static_cast<TFormKeyBoard::KeyField>(f))));
    return shown;
}

std::vector<std::wstring> Row(HWND list, int row) {
    return {quibtest::ListCellText(list, row, 0), quibtest::ListCellText(list, row, 1),
            quibtest::ListCellText(list, row, 2)};
}

void Click(HWND button) {
    SendMessageW(button, BM_CLICK, 0, 0);
    Pump();
}

KeyMapTable BuiltIn(KeyMapWindow w, int variant = 0) { return quib::KeyMapDescriptionOf(w)->builtIn(variant); }

KeyMapTable ReadMap(const std::wstring& path) {
    KeyMapTable t;
    EXPECT_TRUE(quib::ReadKeyMapFile(path, t));
    return t;
}

// The row of a function number in the rows shown; -1 when not shown.
int RowOf(TFormKeyBoard& form, const std::wstring& number) {
    const int n = quibtest::ListRowCount(form.ListView1());
    for (int r = 0; r < n; ++r)
        if (quibtest::ListCellText(form.ListView1(), r, 2) == number) return r;
    return -1;
}

void SelectRow(TFormKeyBoard& form, int row) {
    ListView_SetItemState(form.ListView1(), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    Pump();
}

class FormKeyBoardTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { keymaptest::EnsureApplication(); }
    void SetUp() override { quib::SetUiJapanese(true); }
    void TearDown() override { quib::SetUiJapanese(true); }

    // The window's key-map file as the window wrote it, and the dialog opened on it.
    void Prepare(KeyMapWindow w) {
        dir.WriteIni(L"FormKeyBoard", L"Parent", quib::KeyMapWindowOf(w).parentName);
        ASSERT_TRUE(quib::WriteKeyMapFile(quib::KeyMapFilePath(w), BuiltIn(w)));
    }
    void Open(TFormKeyBoard& form) {
        ASSERT_TRUE(form.Create()) << (msgs.Texts().empty() ? std::string() : quib::WideToUtf8(msgs.Texts()[0]));
        form.Show();
        Pump();
    }

    ProgramDir dir;
    MsgCapture msgs;
};

}  // namespace

TEST_F(FormKeyBoardTest, MainWindowsCategoriesRowsAndKeyFields) {
    Prepare(KeyMapWindow::Main);
    quib::FormInstance<TFormKeyBoard> form;
    Open(form);
    EXPECT_EQ(form.Caption(), L"キーボード設定");
    EXPECT_EQ(ComboItems(form.CategoryBox()),
              (std::vector<std::wstring>{L"ファイル", L"操作", L"移動", L"設定", L"拡張", L"ヘルプ"}));
    EXPECT_EQ(ComboShown(form.CategoryBox()), L"ファイル");
    HWND list = form.ListView1();
    ASSERT_EQ(quibtest::ListRowCount(list), 15);
    EXPECT_EQ(Row(list, 0), (std::vector<std::wstring>{L"開く(&O)", L"Ctrl+O", L"1001"}));
    EXPECT_EQ(Row(list, 14), (std::vector<std::wstring>{L"終了(&Q && &X)", L"", L"1041"}));
    EXPECT_EQ(KeyFieldsShown(form), (std::vector<std::wstring>{L" ", L"Ctrl", L" ", L"O"}));
    // The key fields offer what the dialog lists.
    EXPECT_EQ(ComboItems(form.KeyFieldBox(TFormKeyBoard::kFieldShift)), (std::vector<std::wstring>{L" ", L"Shift"}));
    EXPECT_EQ(ComboItems(form.KeyFieldBox(TFormKeyBoard::kFieldKey)), quib::KeyBoardKeyItems());
    // The second initialisation is for the text and image viewers only.
    EXPECT_FALSE(IsWindowVisible(form.Button(TFormKeyBoard::kTagButtonInitMemo)));

    // A key pressed in the list shows the key of the row it moves to.
    EXPECT_EQ(GetFocus(), list);
    keymaptest::PressKey(list, VK_DOWN);
    EXPECT_EQ(quibtest::ListSelectedRow(list), 1);
    EXPECT_EQ(KeyFieldsShown(form), (std::vector<std::wstring>{L" ", L" ", L" ", L" "}));

    form.PickCategory(1);
    ASSERT_EQ(ComboShown(form.CategoryBox()), L"操作");
    EXPECT_EQ(Row(list, 0), (std::vector<std::wstring>{L"解凍(&U)...", L"U", L"1101"}));
    SelectRow(form, RowOf(form, L"1123"));
    EXPECT_EQ(KeyFieldsShown(form), (std::vector<std::wstring>{L"Shift", L" ", L" ", L"Home"}));
    EXPECT_TRUE(msgs.Texts().empty());
}

TEST_F(FormKeyBoardTest, KeyChangesAndRefusalsInBothLanguages) {
    for (bool japanese : {true, false}) {
        SCOPED_TRACE(japanese ? "Japanese" : "English");
        quib::SetUiJapanese(japanese);
        msgs.Clear();
        Prepare(KeyMapWindow::Main);
        // A line written by hand with its modifiers in another order.
        KeyMapTable map = BuiltIn(KeyMapWindow::Main);
        quib::FindKeyMapLine(map, L"1141")->keyText = L"Ctrl+Shift+B";
        ASSERT_TRUE(quib::WriteKeyMapFile(quib::KeyMapFilePath(KeyMapWindow::Main), map));

        quib::FormInstance<TFormKeyBoard> form;
        Open(form);
        HWND list = form.ListView1();
        SelectRow(form, 1);  // 1011, no key
        // Ctrl while the key field is blank: refused, nothing changes.
        form.PickKeyField(TFormKeyBoard::kFieldCtrl, 1);
        ASSERT_EQ(msgs.Texts().size(), 1u);
        EXPECT_EQ(msgs.Texts()[0], japanese
                                       ? L"Information : Shift,Ctrl,Altのキーが設定されていますが、キーが設定されていません"
                                       : L"Information : Shift,Ctrl,Alt is set, but Key is empty.\r\n[OK]");
        EXPECT_EQ(quibtest::ListCellText(list, 1, 1), L"");
        // A next gives Ctrl+A.
        form.PickKeyField(TFormKeyBoard::kFieldKey, ItemOf(L"A"));
        EXPECT_EQ(msgs.Texts().size(), 1u);
        EXPECT_EQ(quibtest::ListCellText(list, 1, 1), L"Ctrl+A");
        // The same key again.
        form.PickKeyField(TFormKeyBoard::kFieldKey, ItemOf(L"A"));
        ASSERT_EQ(msgs.Texts().size(), 2u);
        EXPECT_EQ(msgs.Texts()[1], japanese ? L"Information : 同一の設定です" : L"Information : Same setting is exist.\r\n[OK]");
        // F7 belongs to the software launcher in "操作".
        SelectRow(form, 2);
        form.PickKeyField(TFormKeyBoard::kFieldCtrl, 0);
        form.PickKeyField(TFormKeyBoard::kFieldKey, ItemOf(L"F7"));
        ASSERT_EQ(msgs.Texts().size(), 3u);
        EXPECT_EQ(msgs.Texts()[2],
                  japanese ? L"Information : [操作] で既に使用済みですので設定できません"
                           : L"Information : This setting can not be set because of [操作] is already exist.\r\n[OK]");
        EXPECT_EQ(quibtest::ListCellText(list, 2, 1), L"");
        // Shift+Ctrl+B is the hand-written Ctrl+Shift+B. The key field
        // emptied first; Shift and Ctrl alone are refused on the way.
        form.PickKeyField(TFormKeyBoard::kFieldKey, 0);
        form.PickKeyField(TFormKeyBoard::kFieldShift, 1);
        form.PickKeyField(TFormKeyBoard::kFieldCtrl, 1);
        form.PickKeyField(TFormKeyBoard::kFieldKey, ItemOf(L"B"));
        ASSERT_EQ(msgs.Texts().size(), 6u);
        EXPECT_EQ(msgs.Texts()[3], msgs.Texts()[0]);
        EXPECT_EQ(msgs.Texts()[4], msgs.Texts()[0]);
        EXPECT_EQ(msgs.Texts()[5],
                  japanese ? L"Information : [操作] で既に使用済みですので設定できません"
                           : L"Information : This setting can not be set because of [操作] is already exist.\r\n[OK]");
        EXPECT_EQ(quibtest::ListCellText(list, 2, 1), L"");
        // "ｸﾘｱ" takes the key away without a check.
        SelectRow(form, 0);
        Click(form.Button(TFormKeyBoard::kTagButtonClear));
        EXPECT_EQ(quibtest::ListCellText(list, 0, 1), L"");
        EXPECT_EQ(msgs.Texts().size(), 6u);
        // Nothing is written before "保存".
        EXPECT_EQ(ReadMap(quib::KeyMapFilePath(KeyMapWindow::Main)), map);
        Click(form.Button(TFormKeyBoard::kTagButtonOK));
        KeyMapTable saved = map;
        quib::FindKeyMapLine(saved, L"1011")->keyText = L"Ctrl+A";
        quib::FindKeyMapLine(saved, L"1001")->keyText = L"";
        EXPECT_EQ(ReadMap(quib::KeyMapFilePath(KeyMapWindow::Main)), saved);
    }
}

TEST_F(FormKeyBoardTest, CloseWithoutSavingWritesNothingAndIsCancel) {
    Prepare(KeyMapWindow::Main);
    int result = -1;
    {
        quibtest::DuringModal driver([&] {
            HWND w = quibtest::FindThreadWindow(L"キーボード設定");
            auto* form = w ? dynamic_cast<TFormKeyBoard*>(quib::TFormBase::FromHandle(w)) : nullptr;
            if (!form) return false;
            form->PickKeyField(TFormKeyBoard::kFieldKey, ItemOf(L"F2"));
            EXPECT_EQ(quibtest::ListCellText(form->ListView1(), 0, 1), L"Ctrl+F2");
            Click(form->Button(TFormKeyBoard::kTagButtonCancel));
            return true;
        });
        result = quib::ShowModalForm<TFormKeyBoard>();
    }
    EXPECT_EQ(result, quib::mrCancel);
    EXPECT_EQ(ReadMap(quib::KeyMapFilePath(KeyMapWindow::Main)), BuiltIn(KeyMapWindow::Main));
    EXPECT_TRUE(msgs.Texts().empty());
}

TEST_F(FormKeyBoardTest, InitialisingThenClosingIsOkAndWritesTheVariant) {
    struct Case {
        KeyMapWindow window;
        int button;
        int variant;
        const wchar_t* buttonText;
    };
    const Case cases[] = {
        {KeyMapWindow::Text, TFormKeyBoard::kTagButtonInitMemo, 1, L"初期化:メモ帳 (&J)"},
        {KeyMapWindow::Image, TFormKeyBoard::kTagButtonInitMemo, 1, L"初期化:PellFM (&J)"},
        {KeyMapWindow::Text, TFormKeyBoard::kTagButtonInitQuibFM, 0, nullptr},
        {KeyMapWindow::Tree, TFormKeyBoard::kTagButtonInitQuibFM, 0, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(quib::WideToUtf8(quib::KeyMapWindowOf(c.window).parentName));
        msgs.Clear();
        // A file with a change of the user's: initialising replaces it.
        dir.WriteIni(L"FormKeyBoard", L"Parent", quib::KeyMapWindowOf(c.window).parentName);
        KeyMapTable changed = BuiltIn(c.window);
        changed[0].keyText = L"Shift+Ctrl+Alt+F12";
        ASSERT_TRUE(quib::WriteKeyMapFile(quib::KeyMapFilePath(c.window), changed));
        int result = -1;
        {
            quibtest::DuringModal driver([&] {
                HWND w = quibtest::FindThreadWindow(L"キーボード設定");
                auto* form = w ? dynamic_cast<TFormKeyBoard*>(quib::TFormBase::FromHandle(w)) : nullptr;
                if (!form) return false;
                if (c.buttonText) {
                    EXPECT_TRUE(IsWindowVisible(form->Button(c.button)));
                    EXPECT_EQ(quibtest::WindowText(form->Button(c.button)), c.buttonText);
                }
                Click(form->Button(c.button));
                EXPECT_EQ(quibtest::ListCellText(form->ListView1(), 0, 1), BuiltIn(c.window, c.variant)[0].keyText);
                EXPECT_EQ(GetFocus(), form->CategoryBox());
                keymaptest::PressKey(form->CategoryBox(), VK_ESCAPE);
                return true;
            });
            result = quib::ShowModalForm<TFormKeyBoard>();
        }
        EXPECT_EQ(result, quib::mrOK);
        EXPECT_EQ(msgs.Texts(), (std::vector<std::wstring>{L"Information : 設定を初期化して保存しますか？"}));
        EXPECT_EQ(ReadMap(quib::KeyMapFilePath(c.window)), BuiltIn(c.window, c.variant));
    }
}

TEST_F(FormKeyBoardTest, InitialisingAnsweredNoChangesNothing) {
    quib::SetUiJapanese(false);
    Prepare(KeyMapWindow::Player);
    KeyMapTable changed = BuiltIn(KeyMapWindow::Player);
    changed[0].keyText = L"Shift+Ctrl+Alt+F12";
    ASSERT_TRUE(quib::WriteKeyMapFile(quib::KeyMapFilePath(KeyMapWindow::Player), changed));
    msgs.Answer([](const quib::MsgRecord&) { return IDNO; });
    quib::FormInstance<TFormKeyBoard> form;
    Open(form);
    Click(form.Button(TFormKeyBoard::kTagButtonInitQuibFM));
    EXPECT_EQ(msgs.Texts(), (std::vector<std::wstring>{L"Information : Initialize and save to file ?\r\n[YES] / [NO]"}));
    EXPECT_EQ(ReadMap(quib::KeyMapFilePath(KeyMapWindow::Player)), changed);
    EXPECT_FALSE(form.BoolSaveToFile);
}

TEST_F(FormKeyBoardTest, DifferencesSavedThenAppliedAfterAReset) {
    for (bool japanese : {true, false}) {
        SCOPED_TRACE(japanese ? "Japanese" : "English");
        quib::SetUiJapanese(japanese);
        msgs.Clear();
        Prepare(KeyMapWindow::Browse);
        DeleteFileW(quib::KeyDiffFilePath(KeyMapWindow::Browse).c_str());
        quib::FormInstance<TFormKeyBoard> form;
        Open(form);
        // Applying without a difference file says so and changes nothing.
        Click(form.Button(TFormKeyBoard::kTagButtonLoadFromFile));
        const std::wstring diffPath = quib::KeyDiffFilePath(KeyMapWindow::Browse);
        ASSERT_EQ(msgs.Texts().size(), 2u);
        EXPECT_EQ(msgs.Texts()[1], japanese ? L"Information : ファイルがありません\r\n" + diffPath
                                            : L"Information : File is not exist.\r\n" + diffPath + L"\r\n[OK]");
        EXPECT_FALSE(form.BoolSaveToFile);

        const quib::KeyMapLine first = BuiltIn(KeyMapWindow::Browse)[0];
        form.PickKeyField(TFormKeyBoard::kFieldShift, 1);
        form.PickKeyField(TFormKeyBoard::kFieldCtrl, 1);
        form.PickKeyField(TFormKeyBoard::kFieldAlt, 1);
        form.PickKeyField(TFormKeyBoard::kFieldKey, ItemOf(L"F12"));
        ASSERT_EQ(quibtest::ListCellText(form.ListView1(), 0, 1), L"Shift+Ctrl+Alt+F12");
        msgs.Clear();
        Click(form.Button(TFormKeyBoard::kTagButtonDiffToFile));
        ASSERT_EQ(msgs.Texts().size(), 2u);
        EXPECT_EQ(msgs.Texts()[1], japanese ? L"Information : ファイルが保存されました\r\n" + diffPath
                                            : L"Information : File saved.\r\n" + diffPath + L"\r\n[OK]");
        KeyMapTable diff = ReadMap(diffPath);
        ASSERT_EQ(diff.size(), 1u);
        EXPECT_EQ(diff[0].number, first.number);
        EXPECT_EQ(diff[0].keyText, L"Shift+Ctrl+Alt+F12");

        // A reset, then the differences brought back and written.
        Click(form.Button(TFormKeyBoard::kTagButtonInitQuibFM));
        EXPECT_EQ(quibtest::ListCellText(form.ListView1(), 0, 1), first.keyText);
        msgs.Clear();
        Click(form.Button(TFormKeyBoard::kTagButtonLoadFromFile));
        const std::wstring mapPath = quib::KeyMapFilePath(KeyMapWindow::Browse);
        ASSERT_EQ(msgs.Texts().size(), 2u);
        EXPECT_EQ(msgs.Texts()[1], japanese ? L"Information : ファイルを読み込み反映しました\r\n" + mapPath
                                            : L"Information : Read file and Update items.\r\n" + mapPath + L"\r\n[OK]");
        EXPECT_TRUE(form.BoolSaveToFile);
        EXPECT_EQ(quibtest::ListCellText(form.ListView1(), 0, 1), L"Shift+Ctrl+Alt+F12");
        EXPECT_EQ(quib::FindKeyMapLine(ReadMap(mapPath), first.number)->keyText, L"Shift+Ctrl+Alt+F12");
    }
}

TEST_F(FormKeyBoardTest, EnglishCategoriesAndColumns) {
    quib::SetUiJapanese(false);
    Prepare(KeyMapWindow::Main);
    ASSERT_TRUE(WriteUtf16File(dir.LanguageDir() + L"\\Main.txt",
                               L"Tag\t1\tName\tProperty\tJapanese\tEnglish\r\n"
                               L"1001\t1\tMenuOpen\tCaption\t開く(&O)\tOpen(&O)\r\n"
                               L"1101\t1\tMenuUnpack\tCaption\t解凍(&U)...\tExtract(&U)...\r\n"
                               L"1201\t1\tMenuMoveTop\tCaption\t先頭移動(&S)\tTop(&S)\r\n"
                               L"1301\t1\tMenuParameterSetting\tCaption\tパラメータ設定(&P)...\tParameters(&P)...\r\n"
                               L"1401\t1\tMenuArchiveSetFocus\tCaption\tquibFMarchiveを選択(&E)...\tSelect(&E)...\r\n"
                               L"1501\t1\tMenuShowHelp\tCaption\tヘルプ表示(&C)...\tHelp(&C)...\r\n"));
    quib::FormInstance<TFormKeyBoard> form;
    Open(form);
    EXPECT_EQ(ComboItems(form.CategoryBox()),
              (std::vector<std::wstring>{L"File", L"Operation", L"Move", L"Setting", L"Expand", L"Help"}));
    EXPECT_EQ(Row(form.ListView1(), 0), (std::vector<std::wstring>{L"Open(&O)", L"Ctrl+O", L"1001"}));
    wchar_t buf[64] = {};
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT;
    col.pszText = buf;
    col.cchTextMax = 64;
    ListView_GetColumn(form.ListView1(), 1, &col);
    EXPECT_STREQ(buf, L"Current Key");
}

TEST_F(FormKeyBoardTest, MissingKeyMapFileGivesAnEmptyDialogThatIgnoresKeys) {
    dir.WriteIni(L"FormKeyBoard", L"Parent", L"Image");
    DeleteFileW(quib::KeyMapFilePath(KeyMapWindow::Image).c_str());
    quib::FormInstance<TFormKeyBoard> form;
    Open(form);
    EXPECT_TRUE(ComboItems(form.CategoryBox()).empty());
    EXPECT_EQ(quibtest::ListRowCount(form.ListView1()), 0);
    form.PickKeyField(TFormKeyBoard::kFieldCtrl, 1);
    form.PickKeyField(TFormKeyBoard::kFieldKey, ItemOf(L"A"));
    Click(form.Button(TFormKeyBoard::kTagButtonClear));
    EXPECT_TRUE(msgs.Texts().empty());
}

// Every window's map edited in the dialog, saved, read again, and the keys
// the window would give its commands: the rebound command has the new key
// and its old key is free.
TEST_F(FormKeyBoardTest, EveryWindowsKeyRebound) {
    for (const auto& d : quib::KeyMapDescriptions()) {
        SCOPED_TRACE(quib::WideToUtf8(d.Info().parentName));
        msgs.Clear();
        Prepare(d.window);
        const KeyMapTable builtIn = d.builtIn(0);
        // The first command of the first category that has a key.
        quib::FormInstance<TFormKeyBoard> form;
        Open(form);
        int row = -1;
        for (int r = 0; r < quibtest::ListRowCount(form.ListView1()) && row < 0; ++r)
            if (!quibtest::ListCellText(form.ListView1(), r, 1).empty()) row = r;
        if (row < 0) row = 0;
        const std::wstring number = quibtest::ListCellText(form.ListView1(), row, 2);
        const quib::KeyCode oldKey = quib::ParseKeyText(quibtest::ListCellText(form.ListView1(), row, 1));
        SelectRow(form, row);
        form.PickKeyField(TFormKeyBoard::kFieldShift, 1);
        form.PickKeyField(TFormKeyBoard::kFieldCtrl, 1);
        form.PickKeyField(TFormKeyBoard::kFieldAlt, 1);
        form.PickKeyField(TFormKeyBoard::kFieldKey, ItemOf(L"F11"));
        Click(form.Button(TFormKeyBoard::kTagButtonOK));
        const KeyMapTable reread = ReadMap(quib::KeyMapFilePath(d.window));
        ASSERT_EQ(reread.size(), builtIn.size());
        EXPECT_EQ(quib::FindKeyMapLine(reread, number)->keyText, L"Shift+Ctrl+Alt+F11");
        const auto keys = quib::KeyMapShortCuts(builtIn, reread, false);
        const int tag = _wtoi(number.c_str());
        bool found = false;
        for (const auto& [t, key] : keys) {
            if (t == tag) {
                found = true;
                EXPECT_EQ(key, (quib::KeyCode{VK_F11, quib::kKeyShift | quib::kKeyCtrl | quib::kKeyAlt}));
            } else if (oldKey.key != 0) {
                EXPECT_FALSE(key == oldKey) << t;
            }
        }
        EXPECT_TRUE(found);
        // Only the messages of the windows' own refusals, none here.
        EXPECT_TRUE(msgs.Texts().size() <= 3u);  // Shift, Shift+Ctrl, Shift+Ctrl+Alt without a key yet
    }
}

// The browse and tree windows open the dialog from their own command and take
// the saved key at once.
TEST_F(FormKeyBoardTest, BrowseAndTreeWindowsApplyTheSavedKey) {
    quib::FolderPickerHost host;
    std::vector<std::wstring> drives;
    host.driveTable = &drives;
    struct Case {
        KeyMapWindow window;
        int keyBoardCommand;
    };
    for (const Case c : {Case{KeyMapWindow::Browse, 1112}, Case{KeyMapWindow::Tree, 1102}}) {
        SCOPED_TRACE(quib::WideToUtf8(quib::KeyMapWindowOf(c.window).parentName));
        ASSERT_TRUE(quib::WriteKeyMapFile(quib::KeyMapFilePath(c.window), BuiltIn(c.window)));
        std::wstring chosen;
        std::unique_ptr<quib::TFormBase> window;
        if (c.window == KeyMapWindow::Browse)
            window = std::make_unique<quib::FormInstance<quib::TFormBrowse>>(host, dir.Path() + L"\\", chosen);
        else
            window = std::make_unique<quib::FormInstance<quib::TFormTree>>(host, dir.Path() + L"\\", chosen);
        ASSERT_TRUE(window->Create());
        window->Show();
        Pump();
        const quib::KeyMapLine first = BuiltIn(c.window)[0];
        const int tag = _wtoi(first.number.c_str());
        EXPECT_EQ(window->GetShortCut(tag), quib::ParseKeyText(first.keyText));
        quibtest::DuringModal driver([&] {
            HWND w = quibtest::FindThreadWindow(L"キーボード設定");
            auto* form = w ? dynamic_cast<TFormKeyBoard*>(quib::TFormBase::FromHandle(w)) : nullptr;
            if (!form) return false;
            EXPECT_EQ(form->StrParentForm, quib::KeyMapWindowOf(c.window).parentName);
            form->PickKeyField(TFormKeyBoard::kFieldShift, 1);
            form->PickKeyField(TFormKeyBoard::kFieldCtrl, 1);
            form->PickKeyField(TFormKeyBoard::kFieldKey, ItemOf(L"F11"));
            Click(form->Button(TFormKeyBoard::kTagButtonOK));
            return true;
        });
        window->RunCommand(c.keyBoardCommand);
        EXPECT_TRUE(driver.Done());
        EXPECT_EQ(window->GetShortCut(tag), (quib::KeyCode{VK_F11, quib::kKeyShift | quib::kKeyCtrl}));
        window->Close();
        Pump(50);
    }
}

// The main window reaches the dialog by its keyboard command; the keys it
// saves are the main window's at once.
// The dialog is the program's only way to the key-map viewer: "全てを表示"
// shows the parent window's whole key-map file, "変更分を表示" its
// difference file, each after naming the choice in [ShowKeyMapItem] All.
TEST_F(FormKeyBoardTest, ViewerShowsTheParentsWholeMapOrItsDifferences) {
    Prepare(KeyMapWindow::Image);
    const KeyMapTable builtIn = BuiltIn(KeyMapWindow::Image);
    ASSERT_GT(builtIn.size(), 2u);
    const quib::KeyMapLine changed = Table({L"表示|100%(&I)|Shift+Ctrl+I|1303"})[0];
    ASSERT_TRUE(quib::WriteKeyMapFile(quib::KeyDiffFilePath(KeyMapWindow::Image), {changed}));
    quib::FormInstance<TFormKeyBoard> form;
    Open(form);

    struct Seen {
        int rows = -1;
        std::vector<std::wstring> first, last;
        std::wstring all;
    };
    auto view = [&](int buttonTag) {
        Seen seen;
        quibtest::DuringModal driver([&] {
            HWND w = quibtest::FindThreadWindow(L"キーボードマップ");
            auto* viewer = w ? dynamic_cast<quib::TFormKeyMap*>(quib::TFormBase::FromHandle(w)) : nullptr;
            if (!viewer) return false;
            Pump();
            HWND list = viewer->ListView1();
            seen.rows = quibtest::ListRowCount(list);
            for (int c = 0; c < 4 && seen.rows > 0; ++c) {
                seen.first.push_back(quibtest::ListCellText(list, 0, c));
                seen.last.push_back(quibtest::ListCellText(list, seen.rows - 1, c));
            }
            seen.all = quib::IniFile(dir.Ini()).ReadString(L"ShowKeyMapItem", L"All", L"<none>");
            Click(viewer->Button(quib::TFormKeyMap::kTagButtonClose));
            return true;
        });
        Click(form.Button(buttonTag));
        quibtest::WaitFor([&] { return driver.Done(); });
        return seen;
    };

    const Seen all = view(TFormKeyBoard::kTagButtonShowAll);
    EXPECT_EQ(all.all, L"1");
    EXPECT_EQ(all.rows, static_cast<int>(builtIn.size()));
    EXPECT_EQ(all.first, (std::vector<std::wstring>{builtIn.front().category, builtIn.front().caption,
                                                    builtIn.front().keyText, builtIn.front().number}));
    EXPECT_EQ(all.last, (std::vector<std::wstring>{builtIn.back().category, builtIn.back().caption,
                                                   builtIn.back().keyText, builtIn.back().number}));

    const Seen diff = view(TFormKeyBoard::kTagButtonShowDiff);
    EXPECT_EQ(diff.all, L"0");
    EXPECT_EQ(diff.rows, 1);
    EXPECT_EQ(diff.first, (std::vector<std::wstring>{L"表示", L"100%(&I)", L"Shift+Ctrl+I", L"1303"}));
    EXPECT_TRUE(msgs.Texts().empty());
    // The dialog is still there and still edits the image viewer's keys.
    EXPECT_EQ(form.StrParentForm, L"Image");
    EXPECT_GT(quibtest::ListRowCount(form.ListView1()), 0);
    form.Close();
}

TEST(FormKeyBoardMain, OpenedFromTheMainWindowAndApplied) {
    quibtest::MainWindowHarness h;
    quib::TFormMain& f = h.Start();
    EXPECT_EQ(f.GetShortCut(1131), (quib::KeyCode{VK_F7, 0}));
    bool drove = false;
    quibtest::DuringModal driver([&] {
        HWND w = quibtest::FindThreadWindow(L"キーボード設定");
        auto* form = w ? dynamic_cast<TFormKeyBoard*>(quib::TFormBase::FromHandle(w)) : nullptr;
        if (!form) return false;
        EXPECT_EQ(form->StrParentForm, L"Main");
        form->PickCategory(1);
        SelectRow(*form, RowOf(*form, L"1131"));
        form->PickKeyField(TFormKeyBoard::kFieldKey, ItemOf(L"F8"));
        Click(form->Button(TFormKeyBoard::kTagButtonOK));
        drove = true;
        return true;
    });
    h.Command(quib::tag::MenuKeyBoad);
    quibtest::WaitFor([&] { return driver.Done(); });
    EXPECT_TRUE(drove);
    EXPECT_EQ(f.GetShortCut(1131), (quib::KeyCode{VK_F8, 0}));
    EXPECT_TRUE(h.Messages().Texts().empty());
}
