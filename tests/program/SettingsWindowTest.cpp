// The main window's settings as the user meets them: what one run leaves in
// the settings file, and what the next run shows in its menus, status bar
// and list.
#include <gtest/gtest.h>

#include "MainWindowHarness.h"
#include "app/MainMenuTable.h"

using namespace quibtest;
namespace tag = quib::tag;

namespace {

struct ModeItem {
    int tag;
    const wchar_t* section;
};
const ModeItem kModes[5] = {{tag::MenuFileArchive, L"ArchiveNormal"},
                            {tag::MenuFileSimple, L"ArchiveSimple"},
                            {tag::MenuFileTest, L"ArchiveTest"},
                            {tag::MenuFileSfx, L"ArchiveSfx"},
                            {tag::MenuFileSusie, L"ArchiveSusie"}};

// The one mode item checked, or 0 when there is not exactly one.
int CheckedMode(const quib::TFormMain& f) {
    int checked = 0, count = 0;
    for (const auto& m : kModes) {
        if (f.MenuChecked(m.tag)) {
            checked = m.tag;
            ++count;
        }
    }
    return count == 1 ? checked : 0;
}

std::wstring SavedModes(const MainWindowHarness& h) {
    std::wstring s;
    for (const auto& m : kModes) s += h.ReadSetting(m.section, L"Enabled");
    return s;
}

}  // namespace

TEST(SettingsWindow, TheModeChosenInTheMenuIsSavedAndShownAtTheNextStart) {
    struct Case {
        const wchar_t* savedBefore;  // the mode section set in the file before the first run
        int chosen;
        std::wstring savedAfter;     // Enabled of the five mode keys after it
        std::wstring caption;        // status panel 0 at the next start
        bool list;
    } cases[] = {
        {L"ArchiveSusie", tag::MenuFileArchive, L"10000", L"一覧表示 [通常書庫] (A)", true},
        {L"ArchiveSusie", tag::MenuFileSimple, L"01000", L"簡易表示 [通常書庫] (M)", false},
        {L"ArchiveSusie", tag::MenuFileTest, L"00100", L"テスト表示 [通常書庫] (T)", false},
        {L"ArchiveSusie", tag::MenuFileSfx, L"00010", L"一覧表示 [自己解凍書庫] (S)", true},
        {L"ArchiveTest", tag::MenuFileSusie, L"00001", L"一覧表示 [Susie書庫] (I)", true},
    };
    for (const auto& c : cases) {
        MainWindowHarness h;
        h.Setting(c.savedBefore, L"Enabled", L"1");
        h.Start();
        h.Command(c.chosen);
        h.Close();
        EXPECT_EQ(SavedModes(h), c.savedAfter) << c.caption;
        auto& f = h.Start();
        EXPECT_EQ(CheckedMode(f), c.chosen) << c.caption;
        EXPECT_EQ(f.StatusText(0), c.caption);
        EXPECT_EQ(f.ListVisible(), c.list) << c.caption;
    }
}

TEST(SettingsWindow, AModeForcedByTheCommandLineLeavesTheSavedModeAlone) {
    MainWindowHarness h;
    h.Setting(L"ArchiveNormal", L"Enabled", L"0");
    h.Setting(L"ArchiveSimple", L"Enabled", L"1");
    auto& f = h.Start({L"hsfx=%h", ProgramFixture(L"levels.zip")});
    EXPECT_EQ(CheckedMode(f), tag::MenuFileSfx);
    EXPECT_EQ(f.StatusText(0), L"一覧表示 [自己解凍書庫] (S)");
    // Not even a mode the user picks during such a run is kept.
    h.Command(tag::MenuFileTest);
    EXPECT_EQ(CheckedMode(f), tag::MenuFileTest);
    EXPECT_FALSE(f.ListVisible());
    h.Close();
    EXPECT_EQ(SavedModes(h), L"01000");
    auto& g = h.Start();
    EXPECT_EQ(CheckedMode(g), tag::MenuFileSimple);
    EXPECT_EQ(g.StatusText(0), L"簡易表示 [通常書庫] (M)");
}

TEST(SettingsWindow, MenuChoicesAreSavedAtTheEndAndCheckedAtTheNextStart) {
    struct Item {
        int tag;
        const wchar_t* section;
        const wchar_t* key;
        bool before;  // checked on a first start
    } items[] = {
        {tag::MenuAutoPopup, L"PouUp", L"Enabled", false},
        {tag::MenuListText, L"ListText", L"Enabled", false},
        {tag::MenuListFiler, L"ListFiler", L"Enabled", true},
        {tag::MenuSameAsQuibFM, L"MainColor", L"SameAsQuibFM", true},
        {tag::MenuCloseESCkey, L"FormMain", L"CloseESCkey", true},
    };
    MainWindowHarness h;
    // The filer's file, without which the filer-colour switch stays off.
    ASSERT_TRUE(WriteFileBytes(h.Folder() / L"quibFM.ini", "[System]\r\n"));
    auto& f = h.Start();
    for (const auto& i : items) EXPECT_EQ(f.MenuChecked(i.tag), i.before) << i.section;
    // The text form unchecks the filer form; the others change alone.
    for (int t : {tag::MenuAutoPopup, tag::MenuListText, tag::MenuSameAsQuibFM, tag::MenuCloseESCkey}) h.Command(t);
    h.Close();
    for (const auto& i : items) EXPECT_EQ(h.ReadSetting(i.section, i.key), i.before ? L"0" : L"1") << i.section;
    auto& g = h.Start();
    for (const auto& i : items) EXPECT_EQ(g.MenuChecked(i.tag), !i.before) << i.section;
    EXPECT_TRUE(h.Messages().Messages().empty());
}

TEST(SettingsWindow, CompanionFilesKeepTheirSettingOrGetTheProgramFolder) {
    MainWindowHarness h;
    h.Setting(L"Spi", L"FileName", L"D:\\プラグイン\\list.txt");
    h.Start();
    h.Close();
    EXPECT_EQ(h.ReadSetting(L"Spi", L"FileName"), L"D:\\プラグイン\\list.txt");
    EXPECT_EQ(h.ReadSetting(L"Spm", L"FileName"), h.Folder().Path() + L"\\quibFM-spm.txt");
    EXPECT_EQ(h.ReadSetting(L"quibFMsusie", L"FileName"), h.Folder().Path() + L"\\quibFMsusie.exe");
    EXPECT_EQ(h.ReadSetting(L"quibFMimage", L"FileName"), h.Folder().Path() + L"\\quibFMimage.exe");
}
