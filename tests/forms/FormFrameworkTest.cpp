// The form framework on windows made for the test: the dialog keyboard with
// real key presses, modal runs closed by results, Esc and refusals, focus
// given back, settings written when the object goes first, one-shot delayed
// actions, the busy guard, and commands from a command table.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "FormTestSupport.h"
#include "TestSupport.h"
#include "app/Application.h"
#include "app/FormBase.h"
#include "util/IniFile.h"
#include "util/Message.h"
#include "util/Theme.h"

using quib::FormInstance;
using quibtest::PressKeyOnFocus;
using quibtest::Pump;
using quibtest::TestProgramFolder;
using quibtest::WaitFor;

namespace {

std::vector<std::wstring>& DestroyLog() {
    static std::vector<std::wstring> log;
    return log;
}

// A dialog as the program's dialogs are made: an edit, a check box, a radio
// group, OK (default), Cancel and a third button, each with a mnemonic.
class TestDialogWindow : public quib::TFormBase {
public:
    enum : int { kEdit = 8001, kCheck = 6001, kRadio1 = 5101, kRadio2 = 5102, kOK = 2001, kCancel = 2002, kOther = 2003 };

    TestDialogWindow() : TFormBase(Description()) {}
    static quib::FormDescription Description() {
        return quib::FormDescription::Window(L"FormTestDialog", SIZE{420, 260}, SIZE{420, 260});
    }

    HWND edit = nullptr, check = nullptr, radio1 = nullptr, radio2 = nullptr, ok = nullptr, cancel = nullptr,
         other = nullptr;
    bool allowClose = true;
    int closeQueries = 0, closes = 0, otherClicks = 0;
    std::wstring initialText;

    std::wstring ModalOutput(int result) const { return result == quib::mrOK ? quibtest::WindowText(edit) : L""; }

protected:
    void FormCreate() override {
        SetCaption(L"Test dialog");
        edit = AddControl(quib::ComponentKind::Edit, kEdit, L"EDIT", initialText,
                          WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
        check = AddControl(quib::ComponentKind::CheckBox, kCheck, L"BUTTON", L"チェック(&K)",
                           WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX);
        radio1 = AddControl(quib::ComponentKind::Other, kRadio1, L"BUTTON", L"一(&1)",
                            WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON);
        radio2 = AddControl(quib::ComponentKind::Other, kRadio2, L"BUTTON", L"二(&2)", WS_VISIBLE | BS_AUTORADIOBUTTON);
        SendMessageW(radio1, BM_SETCHECK, BST_CHECKED, 0);
        ok = AddButton(kOK, L"OK(&O)", 0, true);
        SetWindowLongPtrW(ok, GWL_STYLE, GetWindowLongPtrW(ok, GWL_STYLE) | WS_GROUP);
        cancel = AddButton(kCancel, L"ｷｬﾝｾﾙ(&C)");
        other = AddButton(kOther, L"その他(&T)");
    }
    void FormResize(int, int) override {
        MoveWindow(edit, 8, 8, 200, 24, TRUE);
        MoveWindow(check, 8, 40, 200, 24, TRUE);
        MoveWindow(radio1, 8, 70, 100, 24, TRUE);
        MoveWindow(radio2, 110, 70, 100, 24, TRUE);
        MoveWindow(ok, 8, 110, 100, 28, TRUE);
        MoveWindow(cancel, 116, 110, 100, 28, TRUE);
        MoveWindow(other, 224, 110, 100, 28, TRUE);
    }
    void ControlCommand(HWND control, int, int code) override {
        if (code != BN_CLICKED) return;
        if (control == ok) SetModalResult(quib::mrOK);
        if (control == cancel) SetModalResult(quib::mrCancel);
        if (control == other) ++otherClicks;
    }
    bool FormCloseQuery() override {
        ++closeQueries;
        return allowClose;
    }
    void FormClose() override { ++closes; }
    void FormDestroy() override {
        // Written into the settings like any window's own keys, and logged:
        // the object may already be going.
        Settings().WriteString(L"FormTestDialog", L"Edit", quibtest::WindowText(edit));
        DestroyLog().push_back(L"destroyed with " + quibtest::WindowText(edit));
    }
};
using TestDialog = FormInstance<TestDialogWindow>;

HWND Focus() { return GetFocus(); }

TEST(DialogKeyboard, TabAndShiftTabWalkTheControlsInCreationOrder) {
    TestProgramFolder folder;
    TestDialog d;
    ASSERT_TRUE(d.Create());
    d.Show();
    Pump();
    ASSERT_EQ(Focus(), d.edit) << "a dialog starts on its first control";
    const std::vector<HWND> order = {d.check, d.radio1, d.ok, d.cancel, d.other, d.edit};
    for (HWND expected : order) {
        PressKeyOnFocus(VK_TAB);
        EXPECT_EQ(Focus(), expected);
    }
    PressKeyOnFocus(VK_TAB, quib::kKeyShift);
    EXPECT_EQ(Focus(), d.other);
    PressKeyOnFocus(VK_TAB, quib::kKeyShift);
    EXPECT_EQ(Focus(), d.cancel);
}

TEST(DialogKeyboard, ArrowsMoveInsideTheRadioGroupAndCheck) {
    TestProgramFolder folder;
    TestDialog d;
    ASSERT_TRUE(d.Create());
    d.Show();
    Pump();
    SetFocus(d.radio1);
    PressKeyOnFocus(VK_DOWN);
    EXPECT_EQ(Focus(), d.radio2);
    EXPECT_EQ(SendMessageW(d.radio2, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(d.radio1, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    PressKeyOnFocus(VK_UP);
    EXPECT_EQ(Focus(), d.radio1);
    EXPECT_EQ(SendMessageW(d.radio1, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST(DialogKeyboard, MnemonicsPressTheirButtonWithAltAndWithoutInAButton) {
    TestProgramFolder folder;
    TestDialog d;
    ASSERT_TRUE(d.Create());
    d.Show();
    Pump();
    SetFocus(d.edit);
    PressKeyOnFocus('T', quib::kKeyAlt);
    EXPECT_EQ(d.otherClicks, 1);
    // In an edit a plain letter is text, not a mnemonic.
    SetFocus(d.edit);
    PressKeyOnFocus('T');
    EXPECT_EQ(d.otherClicks, 1);
    EXPECT_EQ(quibtest::WindowText(d.edit), L"t");
    PressKeyOnFocus('K', quib::kKeyAlt);
    EXPECT_EQ(SendMessageW(d.check, BM_GETCHECK, 0, 0), BST_CHECKED);
}

// Runs the dialog modally, doing the steps from inside its modal loop.
template <class Steps>
int RunModal(TestDialog& d, Steps steps) {
    quibtest::DuringModal driver([&] {
        if (!d.Visible()) return false;
        steps();
        return true;
    });
    return d.ShowModal();
}

TEST(ModalRun, EnterPressesTheDefaultButtonAndTheResultCarriesTheText) {
    TestProgramFolder folder;
    quibtest::DuringModal driver([] {
        HWND w = quibtest::FindThreadWindow(L"Test dialog");
        if (!w) return false;
        PressKeyOnFocus('A');
        PressKeyOnFocus('B');
        PressKeyOnFocus(VK_RETURN);
        return true;
    });
    const std::wstring text = quib::ShowModalForm<TestDialogWindow>();
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(text, L"ab");
    EXPECT_EQ(folder.Read(L"FormTestDialog", L"Edit"), L"ab") << "FormDestroy ran before the object went";
}

TEST(ModalRun, EnterOnAFocusedButtonPressesThatButton) {
    TestProgramFolder folder;
    TestDialog d;
    const int result = RunModal(d, [&] {
        SetFocus(d.other);
        PressKeyOnFocus(VK_RETURN);
        EXPECT_EQ(d.otherClicks, 1);
        SetFocus(d.cancel);
        PressKeyOnFocus(VK_RETURN);
    });
    EXPECT_EQ(result, quib::mrCancel);
}

TEST(ModalRun, EscCancelsThroughCloseQueryAndClose) {
    TestProgramFolder folder;
    TestDialog d;
    d.initialText = L"kept";
    const int result = RunModal(d, [&] { PressKeyOnFocus(VK_ESCAPE); });
    EXPECT_EQ(result, quib::mrCancel);
    EXPECT_EQ(d.closeQueries, 1);
    EXPECT_EQ(d.closes, 1);
    EXPECT_FALSE(d.Visible()) << "the window is hidden after the modal run";
}

TEST(ModalRun, ARefusedCloseKeepsTheDialogAndItsResultUnset) {
    TestProgramFolder folder;
    TestDialog d;
    d.allowClose = false;
    int step = 0;
    quibtest::DuringModal driver([&] {
        if (!d.Visible()) return false;
        switch (step++) {
            case 0:
                SendMessageW(d.ok, BM_CLICK, 0, 0);
                return false;
            case 1:
                // The close was refused: still open, nothing decided.
                EXPECT_TRUE(d.Visible());
                EXPECT_EQ(d.GetModalResult(), quib::mrNone);
                EXPECT_EQ(d.closes, 0);
                d.allowClose = true;
                SendMessageW(d.ok, BM_CLICK, 0, 0);
                return true;
            default:
                return true;
        }
    });
    EXPECT_EQ(d.ShowModal(), quib::mrOK);
    EXPECT_EQ(d.closeQueries, 2);
    EXPECT_EQ(d.closes, 1);
}

// The owner of a modal run: a window with two edits, the second focused.
class OwnerWindow : public quib::TFormBase {
public:
    OwnerWindow() : TFormBase(Description()) {}
    static quib::FormDescription Description() {
        return quib::FormDescription::Window(L"FormTestOwner", SIZE{500, 300}, SIZE{200, 100});
    }
    HWND edit1 = nullptr, edit2 = nullptr;

protected:
    void FormCreate() override {
        SetCaption(L"Owner");
        edit1 = AddControl(quib::ComponentKind::Edit, 8001, L"EDIT", L"", WS_VISIBLE | WS_TABSTOP, WS_EX_CLIENTEDGE);
        edit2 = AddControl(quib::ComponentKind::Edit, 8002, L"EDIT", L"", WS_VISIBLE | WS_TABSTOP, WS_EX_CLIENTEDGE);
        MoveWindow(edit1, 8, 8, 100, 24, FALSE);
        MoveWindow(edit2, 8, 40, 100, 24, FALSE);
    }
};

TEST(ModalRun, FocusReturnsToTheOwnersControlAndBoxesBelongToTheDialog) {
    TestProgramFolder folder;
    FormInstance<OwnerWindow> owner;
    ASSERT_TRUE(owner.Create());
    owner.Show();
    Pump();
    SetFocus(owner.edit2);
    ASSERT_EQ(Focus(), owner.edit2);

    quibtest::MsgCapture messages;
    TestDialog d;
    HWND dialog = nullptr;
    RunModal(d, [&] {
        dialog = d.Handle();
        EXPECT_FALSE(IsWindowEnabled(owner.Handle())) << "the owner is disabled while the dialog runs";
        // A message given the (disabled) owner belongs to the dialog.
        quib::ShowMsg(owner.Handle(), L"Information : test");
        PressKeyOnFocus(VK_ESCAPE);
    });
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].owner, dialog);
    Pump();
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    EXPECT_EQ(GetActiveWindow(), owner.Handle());
    EXPECT_EQ(Focus(), owner.edit2);
}

TEST(Lifetime, FormDestroyWritesPlacementAndSettingsWhenTheObjectGoesFirst) {
    TestProgramFolder folder;
    DestroyLog().clear();
    {
        TestDialog d;
        d.initialText = L"alive";
        ASSERT_TRUE(d.Create());
        d.Show();
        MoveWindow(d.Handle(), 40, 30, 450, 280, TRUE);
        Pump();
    }  // no close: the object goes while its window stands
    EXPECT_EQ(DestroyLog(), std::vector<std::wstring>{L"destroyed with alive"});
    EXPECT_EQ(folder.Read(L"FormTestDialog", L"Edit"), L"alive");
    EXPECT_EQ(folder.Read(L"FormTestDialog", L"Left"), L"40");
    EXPECT_EQ(folder.Read(L"FormTestDialog", L"Top"), L"30");
    EXPECT_EQ(folder.Read(L"FormTestDialog", L"Width"), L"450");
    EXPECT_EQ(folder.Read(L"FormTestDialog", L"Height"), L"280");
    EXPECT_EQ(folder.Read(L"FormTestDialog", L"State"), L"NORMAL");
}

TEST(Lifetime, DelayedActionsRunOnceAfterTheirTimeAndNotAfterTheWindow) {
    TestProgramFolder folder;
    int runs = 0;
    {
        TestDialog d;
        ASSERT_TRUE(d.Create());
        d.Show();
        const DWORD start = GetTickCount();
        DWORD ranAt = 0;
        d.After(300, [&] {
            ++runs;
            ranAt = GetTickCount();
        });
        EXPECT_TRUE(WaitFor([&] { return runs > 0; }));
        EXPECT_GE(ranAt - start, 250u);
        Pump(400);
        EXPECT_EQ(runs, 1);
        d.After(200, [&] { ++runs; });
    }
    Pump(400);
    EXPECT_EQ(runs, 1) << "an action of a destroyed window never runs";
}

// A window whose handler lets messages run while it works.
class BusyWindow : public quib::TFormBase {
public:
    BusyWindow() : TFormBase(TestDialogWindow::Description()) {}
    bool stillThereAfterPump = false;
    void Work() {
        BusyScope busy(*this);
        PostMessageW(handle_, WM_CLOSE, 0, 0);
        Pump(50);
        stillThereAfterPump = handle_ && IsWindow(handle_);
    }
};

TEST(Lifetime, ACloseDuringABusyHandlerWaitsForItsEnd) {
    TestProgramFolder folder;
    FormInstance<BusyWindow> w;
    ASSERT_TRUE(w.Create());
    w.Show();
    w.Work();
    EXPECT_TRUE(w.stillThereAfterPump);
    EXPECT_TRUE(WaitFor([&] { return w.Handle() == nullptr; }));
}

// A window with a command table: menus, toggles, handlers, a pop-up menu and
// a disabled top-level menu.
class CommandWindow : public quib::TFormBase {
public:
    CommandWindow() : TFormBase(Description()) {}
    static const quib::CommandTable& Table() {
        static const quib::CommandTable table = {
            {{L"ファイル", L"ファイル(&F)", 1000}, {L"操作", L"操作(&O)", 1100}, {L"Pop", L"Pop", 9000, true}},
            {
                {1001, L"ファイル", L"MenuOpen", L"開く(&O)", L"Ctrl+O", quib::kCommandPlain,
                 quib::Handler(&CommandWindow::OpenClick)},
                {1002, L"ファイル", L"MenuFlag", L"フラグ(&G)", L"F2", quib::kCommandToggle, nullptr},
                {1101, L"操作", L"MenuRun", L"実行(&R)", L"U", quib::kCommandSeparatorBefore,
                 quib::Handler(&CommandWindow::RunClick)},
                {9001, L"Pop", L"PopUpCopy", L"コピー(&C)", L"Ctrl+C", quib::kCommandPlain,
                 quib::Handler(&CommandWindow::CopyClick)},
            }};
        return table;
    }
    static quib::FormDescription Description() {
        quib::FormDescription d = quib::FormDescription::Window(L"FormTestCommands", SIZE{400, 300}, SIZE{200, 100});
        d.commands = &Table();
        d.dialogKeys = false;
        return d;
    }
    std::vector<std::wstring> ran;
    void OpenClick() { ran.push_back(L"open"); }
    void RunClick() { ran.push_back(L"run"); }
    void CopyClick() { ran.push_back(L"copy"); }
};

TEST(Commands, TheTableMakesMenusKeysTogglesAndHandlers) {
    TestProgramFolder folder;
    FormInstance<CommandWindow> w;
    ASSERT_TRUE(w.Create());
    w.Show();
    Pump();
    HMENU bar = GetMenu(w.Handle());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetMenuItemCount(bar), 2) << "the pop-up menu is not on the bar";
    EXPECT_EQ(quibtest::MenuText(bar, 1001), L"開く(&O)\tCtrl+O");
    EXPECT_EQ(w.MenuItemCaption(1001), L"開く(&O)");
    EXPECT_EQ(quibtest::MenuText(w.PopupMenu(9000), 9001), L"コピー(&C)\tCtrl+C");

    quibtest::PressKey(w.Handle(), 'O', quib::kKeyCtrl);
    quibtest::PressKey(w.Handle(), 'U');
    quibtest::PressKey(w.Handle(), 'C', quib::kKeyCtrl);
    EXPECT_EQ(w.ran, (std::vector<std::wstring>{L"open", L"run", L"copy"}));
    EXPECT_FALSE(w.MenuChecked(1002));
    quibtest::PressKey(w.Handle(), VK_F2);
    EXPECT_TRUE(w.MenuChecked(1002));
    SendMessageW(w.Handle(), WM_COMMAND, MAKEWPARAM(1002, 0), 0);
    EXPECT_FALSE(w.MenuChecked(1002));

    // A disabled menu disables its items for keys and clicks alike.
    w.ran.clear();
    w.SetMenuEnabled(1100, false);
    EXPECT_FALSE(w.MenuEnabled(1101));
    quibtest::PressKey(w.Handle(), 'U');
    SendMessageW(w.Handle(), WM_COMMAND, MAKEWPARAM(1101, 0), 0);
    w.SetMenuEnabled(1001, false);
    quibtest::PressKey(w.Handle(), 'O', quib::kKeyCtrl);
    EXPECT_TRUE(w.ran.empty());
    w.SetMenuEnabled(1100, true);
    quibtest::PressKey(w.Handle(), 'U');
    EXPECT_EQ(w.ran, std::vector<std::wstring>{L"run"});
}

TEST(Commands, BuiltInKeyTableTakesTheMenusCaptionsNow) {
    TestProgramFolder folder;
    FormInstance<CommandWindow> w;
    ASSERT_TRUE(w.Create());
    w.SetMenuItemCaption(1001, L"Open(&O)");
    const quib::KeyMapTable t = w.BuiltInKeyTable();
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(quib::KeyMapLineText(t[0]), L"ファイル\tOpen(&O)\tCtrl+O\t1001");
    EXPECT_EQ(quib::KeyMapLineText(t[2]), L"操作\t実行(&R)\tU\t1101");
}

}  // namespace

namespace {

COLORREF BrushColor(HBRUSH brush) {
    LOGBRUSH lb{};
    GetObjectW(brush, sizeof(lb), &lb);
    return lb.lbColor;
}

struct Answer {
    COLORREF brush, text;
};

Answer AskColors(HWND form, UINT msg, HWND control) {
    HDC dc = CreateCompatibleDC(nullptr);
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(form, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    const Answer a{BrushColor(brush), GetTextColor(dc)};
    DeleteDC(dc);
    return a;
}

class StyleScope {
public:
    StyleScope(quib::VisualStyle style, COLORREF base) { quib::SetApplicationStyle(style, base); }
    ~StyleScope() { quib::SetApplicationStyle(quib::VisualStyle::System, 0); }
};

}  // namespace

// Every form gets the style from the base: no window colours its controls itself.
TEST(Theme, EveryFormsControlsAndMenusTakeTheDarkStyle) {
    TestProgramFolder folder;
    const struct {
        quib::VisualStyle style;
        COLORREF base;
    } cases[] = {
        {quib::VisualStyle::Carbon, 0x191919},
        {quib::VisualStyle::CharcoalDarkSlate, 0x232323},
        {quib::VisualStyle::Windows10Dark, 0x000000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.style));
        StyleScope style(c.style, c.base);
        const quib::ThemePalette& p = quib::CurrentPalette();
        ASSERT_EQ(p.window, c.base);
        TestDialog d;
        ASSERT_TRUE(d.Create());
        d.Show();
        Pump();
        const Answer edit = AskColors(d.Handle(), WM_CTLCOLOREDIT, d.edit);
        EXPECT_EQ(edit.brush, p.window);
        EXPECT_EQ(edit.text, p.windowText);
        const Answer check = AskColors(d.Handle(), WM_CTLCOLORBTN, d.check);
        EXPECT_EQ(check.text, p.buttonText);
        // Light text on a dark face, whatever the style.
        EXPECT_GT(GetRValue(edit.text) + GetGValue(edit.text) + GetBValue(edit.text), 3 * 0xC0);

        FormInstance<CommandWindow> w;
        ASSERT_TRUE(w.Create());
        MENUINFO mi{sizeof(mi)};
        mi.fMask = MIM_BACKGROUND;
        ASSERT_TRUE(GetMenuInfo(GetMenu(w.Handle()), &mi));
        EXPECT_EQ(BrushColor(mi.hbrBack), p.menu);
    }
}

TEST(Theme, TheSystemLookLeavesTheControlsToWindows) {
    TestProgramFolder folder;
    TestDialog d;
    ASSERT_TRUE(d.Create());
    const Answer edit = AskColors(d.Handle(), WM_CTLCOLOREDIT, d.edit);
    EXPECT_EQ(edit.brush, GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(edit.text, GetSysColor(COLOR_WINDOWTEXT));
}

namespace {

// A viewer's two menu bars: the normal one and the search one it swaps in.
class SwapWindow : public quib::TFormBase {
public:
    SwapWindow() : TFormBase(Description()) {}
    static quib::FormDescription Description() {
        static const quib::CommandTable table = {
            {{L"ファイル", L"ファイル(&F)", 1000}, {L"検索", L"検索(&S)", 1800, false, 1}},
            {
                {1001, L"ファイル", L"MenuOpen", L"開く(&O)", L"Ctrl+O", quib::kCommandPlain,
                 quib::Handler(&SwapWindow::OpenClick)},
                {1801, L"検索", L"MenuSearchNext4", L"次を検索(&N)", L"Ctrl+O", quib::kCommandPlain,
                 quib::Handler(&SwapWindow::SearchClick)},
            }};
        quib::FormDescription d = quib::FormDescription::Window(L"FormTestSwap", SIZE{400, 300}, SIZE{200, 100});
        d.commands = &table;
        d.dialogKeys = false;
        return d;
    }
    using TFormBase::SetMenuBar;
    std::vector<std::wstring> ran;
    void OpenClick() { ran.push_back(L"open"); }
    void SearchClick() { ran.push_back(L"search"); }
};

}  // namespace

TEST(Commands, OnlyTheMenuBarShownGivesKeys) {
    TestProgramFolder folder;
    FormInstance<SwapWindow> w;
    ASSERT_TRUE(w.Create());
    w.Show();
    Pump();
    EXPECT_EQ(GetMenuItemCount(GetMenu(w.Handle())), 1);
    quibtest::PressKey(w.Handle(), 'O', quib::kKeyCtrl);
    w.SetMenuBar(1);
    EXPECT_EQ(quibtest::MenuText(GetMenu(w.Handle()), 1801), L"次を検索(&N)\tCtrl+O");
    quibtest::PressKey(w.Handle(), 'O', quib::kKeyCtrl);
    // Items of the bar not shown keep their captions and states.
    EXPECT_EQ(w.MenuItemCaption(1001), L"開く(&O)");
    w.SetMenuBar(0);
    quibtest::PressKey(w.Handle(), 'O', quib::kKeyCtrl);
    EXPECT_EQ(w.ran, (std::vector<std::wstring>{L"open", L"search", L"open"}));
}
