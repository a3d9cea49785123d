// Keys typed into a real window reach the menu commands the key map binds
// them to, through the application's key preview.
#include <gtest/gtest.h>

#include "KeyMapTestSupport.h"
#include "app/Application.h"
#include "keymap/KeyMapApply.h"
#include "app/MainKeyMap.h"

using keymaptest::MenuForm;
using keymaptest::PressKey;
using keymaptest::ProgramDir;
using quib::KeyMapTable;

namespace {

class KeyMapWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() { keymaptest::EnsureApplication(); }

    void SetUp() override {
        ASSERT_TRUE(form.Create());
        form.Show();
        keymaptest::Pump();
        builtIn = quib::InitMainKeyMap(0);
        path = quib::KeyMapFilePath(quib::KeyMapWindow::Main);
        ASSERT_TRUE(quib::CheckKeyMapFile(path, builtIn, working));
    }

    void Apply(bool initialSearch = false) { keymaptest::SetShortCutKey(form, path, builtIn, working, initialSearch); }

    // Edits one line of the key-map file as the keyboard dialog would save it.
    void SetKeyInFile(const wchar_t* number, const wchar_t* keyText) {
        KeyMapTable t;
        ASSERT_TRUE(quib::ReadKeyMapFile(path, t));
        quib::KeyMapLine* line = quib::FindKeyMapLine(t, number);
        ASSERT_NE(line, nullptr);
        line->keyText = keyText;
        ASSERT_TRUE(quib::WriteKeyMapFile(path, t));
    }

    std::vector<int> Press(HWND target, WORD vk, BYTE mods = 0) {
        form.commands.clear();
        PressKey(target, vk, mods);
        return form.commands;
    }

    ProgramDir dir;
    MenuForm form;
    KeyMapTable builtIn, working;
    std::wstring path;
};

using Commands = std::vector<int>;

}  // namespace

TEST_F(KeyMapWindow, BoundKeysRunTheirCommands) {
    Apply();
    EXPECT_EQ(Press(form.Handle(), 'U'), Commands{1101});
    EXPECT_EQ(Press(form.Handle(), 'O', quib::kKeyCtrl), Commands{1001});
    EXPECT_EQ(Press(form.Handle(), VK_HOME, quib::kKeyShift), Commands{1123});
    EXPECT_EQ(Press(form.Handle(), VK_HOME), Commands{1122});
    EXPECT_EQ(Press(form.Handle(), VK_HOME, quib::kKeyCtrl), Commands{1201});
    EXPECT_EQ(Press(form.Handle(), VK_RETURN), Commands{1112});
    EXPECT_EQ(Press(form.Handle(), 'Q'), Commands{});
    EXPECT_EQ(Press(form.Handle(), 'P'), Commands{});  // Ctrl+P only

    // The form sees the key before the control that has the focus.
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, form.Handle(), nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(Press(edit, 'D'), Commands{1103});
    EXPECT_EQ(Press(edit, VK_F7), Commands{1131});
}

TEST_F(KeyMapWindow, RemappedKeyInTheFileMovesTheCommand) {
    Apply();
    ASSERT_EQ(Press(form.Handle(), 'U'), Commands{1101});
    SetKeyInFile(L"1101", L"Ctrl+U");
    SetKeyInFile(L"1001", L"F12");
    Apply();
    EXPECT_EQ(Press(form.Handle(), 'U'), Commands{});
    EXPECT_EQ(Press(form.Handle(), 'U', quib::kKeyCtrl), Commands{1101});
    EXPECT_EQ(Press(form.Handle(), 'O', quib::kKeyCtrl), Commands{});
    EXPECT_EQ(Press(form.Handle(), VK_F12), Commands{1001});
    EXPECT_EQ(form.MenuText(1101), L"解凍(&U)...\tCtrl+U");
}

TEST_F(KeyMapWindow, KeyOfADisabledItemDoesNothing) {
    Apply();
    EnableMenuItem(form.Menu(), 1103, MF_BYCOMMAND | MF_GRAYED);
    EXPECT_EQ(Press(form.Handle(), 'D'), Commands{});
    EXPECT_EQ(Press(form.Handle(), 'U'), Commands{1101});
    EnableMenuItem(form.Menu(), 1103, MF_BYCOMMAND | MF_ENABLED);
    EXPECT_EQ(Press(form.Handle(), 'D'), Commands{1103});
}

TEST_F(KeyMapWindow, InitialSearchLeavesLettersButKeepsOtherKeys) {
    Apply();
    Apply(true);
    EXPECT_EQ(Press(form.Handle(), 'U'), Commands{});
    EXPECT_EQ(Press(form.Handle(), 'W'), Commands{});
    EXPECT_EQ(Press(form.Handle(), 'O', quib::kKeyCtrl), Commands{1001});
    EXPECT_EQ(Press(form.Handle(), 'B', quib::kKeyShift), Commands{1141});
    EXPECT_EQ(Press(form.Handle(), VK_RETURN), Commands{1112});
    EXPECT_EQ(Press(form.Handle(), VK_BACK), Commands{1111});
    Apply(false);
    EXPECT_EQ(Press(form.Handle(), 'U'), Commands{1101});
}
