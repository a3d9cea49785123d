// The keyboard dialog's rules without its window: key fields, composed key
// texts, the checks a new key passes, and the table of every window's key map.
#include <gtest/gtest.h>

#include <set>

#include "KeyMapTestSupport.h"
#include "app/FormBase.h"
#include "app/MainMenuTable.h"
#include "util/StrConv.h"
#include "extract/FormBrowse.h"
#include "extract/FormTree.h"
#include "keymap/KeyBoardRules.h"
#include "keymap/KeyMapApply.h"
#include "keymap/KeyMapRegistry.h"
#include "viewers/image/FormImage.h"
#include "viewers/player/FormPlayer.h"
#include "viewers/text/FormText.h"

using namespace quib;
using keymaptest::Table;

namespace {

int ItemOf(const std::wstring& name) {
    const auto& items = KeyBoardKeyItems();
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i] == name) return static_cast<int>(i);
    return -1;
}

TEST(KeyBoardFields, KeyItemsAreBlankNamesAndAnEmptyLast) {
    const auto& items = KeyBoardKeyItems();
    ASSERT_EQ(items.size(), KeyNames().size() + 2);
    EXPECT_EQ(items.front(), L" ");
    EXPECT_EQ(items[1], L"0");
    EXPECT_EQ(items[11], L"A");
    EXPECT_EQ(items[37], L"F1");
    EXPECT_EQ(items[items.size() - 2], L"\\");
    EXPECT_EQ(items.back(), L"");
}

TEST(KeyBoardFields, FieldsOfKeyTexts) {
    struct Case {
        std::wstring text;
        bool shift, ctrl, alt;
        std::optional<int> item;
    };
    const Case cases[] = {
        {L"", false, false, false, 0},
        {L"U", false, false, false, ItemOf(L"U")},
        {L"Shift+Ctrl+Home", true, true, false, ItemOf(L"Home")},
        {L"Ctrl+Alt+F12", false, true, true, ItemOf(L"F12")},
        {L"Shift+\\", true, false, false, ItemOf(L"\\")},
        {L"Ctrl+,", false, true, false, ItemOf(L",")},
        {L"Ctrl+Pause", false, true, false, std::nullopt},  // not offered: the field stays
    };
    for (const auto& c : cases) {
        const KeyFieldsOfText f = FieldsOfKeyText(c.text);
        EXPECT_EQ(f.shift, c.shift) << c.text;
        EXPECT_EQ(f.ctrl, c.ctrl) << c.text;
        EXPECT_EQ(f.alt, c.alt) << c.text;
        EXPECT_EQ(f.keyItem, c.item) << c.text;
    }
}

TEST(KeyBoardFields, ComposedInShiftCtrlAltOrder) {
    EXPECT_EQ(ComposeKeyText({true, true, false, L"A"}), L"Shift+Ctrl+A");
    EXPECT_EQ(ComposeKeyText({false, true, true, L"Del"}), L"Ctrl+Alt+Del");
    EXPECT_EQ(ComposeKeyText({true, true, true, L"F1"}), L"Shift+Ctrl+Alt+F1");
    EXPECT_EQ(ComposeKeyText({false, false, false, L"Space"}), L"Space");
    EXPECT_EQ(ComposeKeyText({false, false, false, L" "}), L"");
    EXPECT_EQ(ComposeKeyText({false, false, false, L""}), L"");
}

const KeyMapTable kWorking = Table({L"ファイル|開く(&O)|Ctrl+O|1001", L"操作|解凍(&U)...|U|1101",
                                    L"操作|ソフトウェア起動(&7)...|F7|1131", L"移動|先頭移動(&S)|Ctrl+Home|1201",
                                    L"設定|キーボード設定(&K)...||1311", L"操作|手で書いた行|Ctrl+Shift+Q|1141"});

TEST(KeyBoardCheck, RefusalsInTheDialogsOrder) {
    struct Case {
        const wchar_t* what;
        const wchar_t* current;
        bool shift, ctrl, alt;
        const wchar_t* key;
        KeyChangeVerdict verdict;
        const wchar_t* newText;
        const wchar_t* category;
    };
    const Case cases[] = {
        {L"a modifier without key", L"", false, true, false, L" ", KeyChangeVerdict::KeyMissing, L"", L""},
        {L"the empty last item counts as no key", L"", true, false, false, L"", KeyChangeVerdict::KeyMissing, L"", L""},
        {L"its own key", L"U", false, false, false, L"U", KeyChangeVerdict::Same, L"U", L""},
        {L"F7 of the launcher", L"", false, false, false, L"F7", KeyChangeVerdict::InUse, L"F7", L"操作"},
        {L"a key of another category", L"U", false, true, false, L"Home", KeyChangeVerdict::InUse, L"Ctrl+Home",
         L"移動"},
        // The file wrote its modifiers in another order: still the same key.
        {L"reordered modifiers", L"", true, true, false, L"Q", KeyChangeVerdict::InUse, L"Shift+Ctrl+Q", L"操作"},
        {L"a free key", L"", true, true, false, L"A", KeyChangeVerdict::Accepted, L"Shift+Ctrl+A", L""},
        {L"clearing never conflicts", L"Ctrl+O", false, false, false, L" ", KeyChangeVerdict::Accepted, L"", L""},
    };
    for (const auto& c : cases) {
        const KeyChangeCheck check = CheckKeyChange(kWorking, c.current, KeyFields{c.shift, c.ctrl, c.alt, c.key});
        EXPECT_EQ(check.verdict, c.verdict) << WideToUtf8(c.what);
        if (c.verdict != KeyChangeVerdict::KeyMissing) {
            EXPECT_EQ(check.newText, c.newText);
        }
        EXPECT_EQ(check.category, c.category);
    }
    // Its own key spelled in another order is its own key.
    EXPECT_EQ(CheckKeyChange(kWorking, L"Ctrl+Shift+Q", {true, true, false, L"Q"}).verdict, KeyChangeVerdict::Same);
}

TEST(KeyBoardCheck, SameKeyTextComparesKeysNotSpelling) {
    EXPECT_TRUE(SameKeyText(L"Shift+Ctrl+A", L"Ctrl+Shift+A"));
    EXPECT_TRUE(SameKeyText(L"Alt+Ctrl+Del", L"Ctrl+Alt+Del"));
    EXPECT_FALSE(SameKeyText(L"Shift+A", L"Ctrl+A"));
    EXPECT_FALSE(SameKeyText(L"A", L"Shift+A"));
    EXPECT_FALSE(SameKeyText(L"", L"A"));
    EXPECT_TRUE(SameKeyText(L"", L""));
    // Two names the table does not know are the same only when spelled alike.
    EXPECT_TRUE(SameKeyText(L"Pause", L"Pause"));
    EXPECT_FALSE(SameKeyText(L"Pause", L"Break"));
}

TEST(KeyBoardCheck, CategoriesAndTheirLines) {
    EXPECT_EQ(KeyBoardCategories(kWorking, {1001, 1101, 1201, 1301, 1311}),
              (std::vector<std::wstring>{L"ファイル", L"操作", L"移動", L"設定"}));
    EXPECT_EQ(LinesOfCategory(kWorking, L"操作"), (std::vector<size_t>{1, 2, 5}));
    KeyMapTable w = kWorking;
    EXPECT_TRUE(SetKeyOfFunction(w, L"1311", L"Ctrl+K"));
    EXPECT_EQ(FindKeyMapLine(w, L"1311")->keyText, L"Ctrl+K");
    EXPECT_FALSE(SetKeyOfFunction(w, L"9999", L"Ctrl+K"));
}

// Every window with a key map of its own is described; the built-in table the
// dialog writes is the one the window itself checks its file against, so an
// initialisation never makes the window reset the file again.
TEST(KeyMapRegistry, EveryWindowsBuiltInTableMatchesTheWindow) {
    struct Case {
        KeyMapWindow window;
        KeyMapTable own;
        size_t categories;
    };
    const Case cases[] = {
        {KeyMapWindow::Main, BuiltInKeyTable(MainCommandTable(), nullptr), 6},
        {KeyMapWindow::Text, TextBuiltInKeyTable(0, nullptr), 6},
        {KeyMapWindow::Image, BuiltInKeyTable(ImageCommandTable(), nullptr), 5},
        {KeyMapWindow::Player, BuiltInKeyTable(PlayerCommandTable(), nullptr), 5},
        {KeyMapWindow::Browse, BuiltInKeyTable(BrowseCommandTable(), nullptr), 3},
        {KeyMapWindow::Tree, BuiltInKeyTable(TreeCommandTable(), nullptr), 2},
    };
    for (const auto& c : cases) {
        const KeyMapDescription* d = KeyMapDescriptionOf(c.window);
        ASSERT_NE(d, nullptr) << WideToUtf8(KeyMapWindowOf(c.window).parentName);
        const KeyMapTable table = d->builtIn(0);
        EXPECT_EQ(table, c.own) << WideToUtf8(d->Info().parentName);
        EXPECT_EQ(GetFunctionList(d->builtIn(1)), GetFunctionList(table));
        // Each category number names a line, and no category is offered twice.
        const auto categories = KeyBoardCategories(table, d->categoryNumbers);
        EXPECT_EQ(categories.size(), c.categories) << WideToUtf8(d->Info().parentName);
        EXPECT_EQ(std::set<std::wstring>(categories.begin(), categories.end()).size(), categories.size());
    }
}

TEST(KeyMapRegistry, SecondVariantsDifferWhereTheWindowsSay) {
    const KeyMapTable text0 = KeyMapDescriptionOf(KeyMapWindow::Text)->builtIn(0);
    const KeyMapTable text1 = KeyMapDescriptionOf(KeyMapWindow::Text)->builtIn(1);
    EXPECT_EQ(FindKeyMapLine(text1, L"1101")->keyText, L"Ctrl+F");
    EXPECT_EQ(FindKeyMapLine(text1, L"1274")->keyText, L"Up");
    EXPECT_NE(text0, text1);
    const KeyMapTable image0 = KeyMapDescriptionOf(KeyMapWindow::Image)->builtIn(0);
    const KeyMapTable image1 = KeyMapDescriptionOf(KeyMapWindow::Image)->builtIn(1);
    EXPECT_EQ(FindKeyMapLine(image0, L"1204")->keyText, L"B");
    EXPECT_EQ(FindKeyMapLine(image1, L"1204")->keyText, L"Up");
    EXPECT_EQ(FindKeyMapLine(image1, L"1205")->keyText, L"Down");
    size_t differing = 0;
    for (size_t i = 0; i < image0.size(); ++i) differing += image0[i].keyText != image1[i].keyText;
    EXPECT_EQ(differing, 2u);
    // Windows without a second set hide its button.
    for (KeyMapWindow w : {KeyMapWindow::Main, KeyMapWindow::Player, KeyMapWindow::Browse, KeyMapWindow::Tree}) {
        EXPECT_EQ(KeyMapDescriptionOf(w)->variant1Japanese, nullptr);
        EXPECT_EQ(KeyMapDescriptionOf(w)->builtIn(1), KeyMapDescriptionOf(w)->builtIn(0));
    }
}

}  // namespace
