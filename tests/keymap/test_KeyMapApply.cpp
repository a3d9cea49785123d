// Giving menu items the keys of a key map: the rules for one line, the
// initial-search exceptions, and whole maps applied from the key-map file.
#include <gtest/gtest.h>

#include <optional>

#include "KeyMapTestSupport.h"
#include "keymap/KeyMapApply.h"
#include "app/MainKeyMap.h"

using keymaptest::MenuForm;
using keymaptest::ProgramDir;
using keymaptest::Table;
using quib::KeyCode;
using quib::KeyMapTable;


namespace {

const KeyCode kKeep{0xFFFF, 0xFF};  // stands for "the item keeps its key"

KeyCode Result(const std::wstring& keyText, bool initialSearch) {
    const std::optional<KeyCode> r = quib::ShortCutForKeyText(keyText, initialSearch);
    return r ? *r : kKeep;
}

}  // namespace

namespace quib {
// Found by argument-dependent lookup from the assertions.
inline void PrintTo(KeyCode s, std::ostream* os) { *os << "{" << s.key << "," << static_cast<int>(s.mods) << "}"; }
}  // namespace quib

using keymaptest::ApplyKeyMap;
using keymaptest::SetShortCutKey;

TEST(SetShortCutNew, LineRulesWithAndWithoutInitialSearch) {
    const struct {
        const wchar_t* keyText;
        KeyCode off;  // no initial search mode on
        KeyCode on;   // an initial search mode on
    } cases[] = {
        {L"U", {'U', 0}, {0, 0}},
        {L"5", {'5', 0}, {0, 0}},
        {L"Z", {'Z', 0}, {0, 0}},
        {L"Ctrl+O", {'O', 4}, kKeep},
        {L"Shift+B", {'B', 1}, kKeep},
        {L"Alt+F4", {VK_F4, 2}, kKeep},
        {L"Shift+Home", {VK_HOME, 1}, kKeep},
        {L"Enter", {VK_RETURN, 0}, {VK_RETURN, 0}},
        {L"F7", {VK_F7, 0}, {VK_F7, 0}},
        {L"BkSp", {VK_BACK, 0}, {VK_BACK, 0}},
        {L"Space", {VK_SPACE, 0}, {VK_SPACE, 0}},
        {L",", {188, 0}, {188, 0}},
        {L"", {0, 0}, {0, 0}},
        {L"Nothing", {0, 0}, {0, 0}},
        // A modifier with an unknown name is still a modified line.
        {L"Ctrl+Nothing", {0, 0}, kKeep},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keyText);
        EXPECT_EQ(Result(c.keyText, false), c.off);
        EXPECT_EQ(Result(c.keyText, true), c.on);
    }
}

TEST(SetShortCutNew, KeyOfFunctionTakesTheExactNumber) {
    const KeyMapTable t = Table({L"a|b|Ctrl+X|1041x", L"a|b|Shift+Ctrl+Home|1041", L"a|b|F1|1041"});
    EXPECT_EQ(quib::KeyOfFunction(t, L"1041"), (KeyCode{VK_HOME, 5}));
    EXPECT_EQ(quib::KeyOfFunction(t, L"1421"), (KeyCode{0, 0}));
}

TEST(SetShortCutKey, MissingFileIsWrittenAndDefaultKeysApplied) {
    ProgramDir dir;
    MenuForm form;
    const KeyMapTable builtIn = quib::InitMainKeyMap(0);
    const std::wstring path = quib::KeyMapFilePath(quib::KeyMapWindow::Main);
    KeyMapTable working = builtIn;
    SetShortCutKey(form, path, builtIn, working, false);
    ASSERT_TRUE(quibtest::FileExists(path));
    KeyMapTable fromFile;
    ASSERT_TRUE(quib::ReadKeyMapFile(path, fromFile));
    EXPECT_EQ(fromFile, builtIn);

    for (const auto& line : builtIn) {
        const KeyCode k = quib::ParseKeyText(line.keyText);
        EXPECT_EQ(form.GetShortCut(_wtoi(line.number.c_str())), (KeyCode{k.key, k.mods})) << line.number;
    }
    EXPECT_EQ(form.GetShortCut(1123), (KeyCode{VK_HOME, quib::kKeyShift}));
    EXPECT_EQ(form.GetShortCut(1041), (KeyCode{0, 0}));
    EXPECT_EQ(form.MenuText(1101), L"解凍(&U)...\tU");
    EXPECT_EQ(form.MenuText(1201), L"先頭移動(&S)\tCtrl+Home");
    EXPECT_EQ(form.MenuText(1041), L"終了(&Q && &X)");
}

TEST(SetShortCutKey, InitialSearchTakesPlainLettersAndKeepsModifiedKeys) {
    ProgramDir dir;
    MenuForm form;
    const KeyMapTable builtIn = quib::InitMainKeyMap(0);
    const std::wstring path = quib::KeyMapFilePath(quib::KeyMapWindow::Main);
    KeyMapTable working;
    ASSERT_TRUE(quib::CheckKeyMapFile(path, builtIn, working));
    SetShortCutKey(form, path, builtIn, working, false);
    ASSERT_EQ(form.GetShortCut(1001), (KeyCode{'O', quib::kKeyCtrl}));

    // The user moves "open" to Ctrl+K; while initial search is on the
    // modified line does not reach the item, which keeps Ctrl+O.
    KeyMapTable edited = working;
    quib::FindKeyMapLine(edited, L"1001")->keyText = L"Ctrl+K";
    ASSERT_TRUE(quib::WriteKeyMapFile(path, edited));
    SetShortCutKey(form, path, builtIn, working, true);
    EXPECT_EQ(working, edited);
    EXPECT_EQ(form.GetShortCut(1001), (KeyCode{'O', quib::kKeyCtrl}));
    EXPECT_EQ(form.GetShortCut(1101), (KeyCode{0, 0}));          // U
    EXPECT_EQ(form.GetShortCut(1113), (KeyCode{0, 0}));          // W
    EXPECT_EQ(form.GetShortCut(1112), (KeyCode{VK_RETURN, 0}));  // Enter
    EXPECT_EQ(form.GetShortCut(1131), (KeyCode{VK_F7, 0}));
    EXPECT_EQ(form.GetShortCut(1123), (KeyCode{VK_HOME, quib::kKeyShift}));
    EXPECT_EQ(form.MenuText(1101), L"解凍(&U)...");

    // Initial search off again: every line as written.
    SetShortCutKey(form, path, builtIn, working, false);
    EXPECT_EQ(form.GetShortCut(1001), (KeyCode{'K', quib::kKeyCtrl}));
    EXPECT_EQ(form.GetShortCut(1101), (KeyCode{'U', 0}));
}

TEST(SetShortCutKey, LinesNotFoundOrUnknownNamesGiveNoKey) {
    ProgramDir dir;
    MenuForm form;
    const KeyMapTable builtIn = quib::InitMainKeyMap(0);
    const std::wstring path = dir / L"quibFMarchive-KeyMap.txt";
    KeyMapTable working = builtIn;
    ApplyKeyMap(form, builtIn, working, false);
    ASSERT_EQ(form.GetShortCut(1101), (KeyCode{'U', 0}));
    ASSERT_EQ(form.GetShortCut(1103), (KeyCode{'D', 0}));

    quib::FindKeyMapLine(working, L"1101")->number = L"1101x";
    quib::FindKeyMapLine(working, L"1103")->keyText = L"Ctrl+Delete";
    ASSERT_TRUE(quib::WriteKeyMapFile(path, working));
    SetShortCutKey(form, path, builtIn, working, false);
    EXPECT_EQ(form.GetShortCut(1101), (KeyCode{0, 0}));
    EXPECT_EQ(form.GetShortCut(1103), (KeyCode{0, 0}));
    EXPECT_EQ(form.GetShortCut(1102), (KeyCode{'P', quib::kKeyCtrl}));
}

TEST(SetShortCutKey, EmptyKeyMapChangesNothing) {
    ProgramDir dir;
    MenuForm form;
    const KeyMapTable builtIn = quib::InitMainKeyMap(0);
    const std::wstring path = dir / L"quibFMarchive-KeyMap.txt";
    KeyMapTable working = builtIn;
    ApplyKeyMap(form, builtIn, working, false);
    ASSERT_TRUE(quib::WriteKeyMapFile(path, {}));
    SetShortCutKey(form, path, builtIn, working, false);
    EXPECT_TRUE(working.empty());
    EXPECT_EQ(form.GetShortCut(1101), (KeyCode{'U', 0}));
    EXPECT_EQ(form.GetShortCut(1001), (KeyCode{'O', quib::kKeyCtrl}));
}

TEST(SetShortCutKey, KeysRunTheirCommandsInMenuOrder) {
    ProgramDir dir;
    MenuForm form;
    const KeyMapTable builtIn = quib::InitMainKeyMap(0);
    KeyMapTable working = builtIn;
    // Two commands on one key: the first item in menu order owns it.
    quib::FindKeyMapLine(working, L"1103")->keyText = L"U";
    ApplyKeyMap(form, builtIn, working, false);
    EXPECT_TRUE(form.ExecuteShortCut('U', 0));
    EXPECT_TRUE(form.ExecuteShortCut(VK_HOME, quib::kKeyShift));
    EXPECT_FALSE(form.ExecuteShortCut('U', quib::kKeyCtrl));
    EXPECT_EQ(form.commands, (std::vector<int>{1101, 1123}));
}

TEST(MainKeyMap, CaptionsAreTheMenusAtTheTimeOfBuilding) {
    ProgramDir dir;
    MenuForm form;
    const KeyMapTable designed = quib::InitMainKeyMap(0);
    ApplyKeyMap(form, designed, designed, false);
    form.SetMenuItemCaption(1001, L"Open(&O)");
    ASSERT_EQ(form.MenuText(1001), L"Open(&O)\tCtrl+O");
    const KeyMapTable t = quib::InitMainKeyMap(0, &form);
    ASSERT_EQ(t.size(), designed.size());
    EXPECT_EQ(quib::KeyMapLineText(t[0]), L"ファイル\tOpen(&O)\tCtrl+O\t1001");
    for (size_t i = 1; i < t.size(); ++i) EXPECT_EQ(t[i], designed[i]) << i;
}
