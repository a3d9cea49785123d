// Start-up of the main window: settings file, placement, command line, drops,
// and what is written at the end.
#include <gtest/gtest.h>

#include "FormTestSupport.h"
#include "MainWindowHarness.h"
#include "app/FormBase.h"
#include "app/MainMenuTable.h"
#include "util/Message.h"

using namespace quibtest;
namespace tag = quib::tag;

TEST(Placement, NinePixelsOfToleranceAtTopAndLeft) {
    const RECT screen{0, 0, 1280, 1024};
    struct Case {
        RECT saved;
        bool accepted;
    } cases[] = {
        {{0, -9, 780, 541}, true},     {{0, -10, 780, 540}, false},   {{-9, 0, 771, 550}, true},
        {{-10, 0, 770, 550}, false},   {{500, 474, 1280, 1024}, true}, {{501, 0, 1281, 550}, false},
        {{0, 475, 780, 1025}, false},  {{100, 100, 880, 650}, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(quib::PlacementOnScreen(c.saved, screen), c.accepted)
            << c.saved.left << "," << c.saved.top << "," << c.saved.right << "," << c.saved.bottom;
    }
}

TEST(Startup, FirstStartCreatesUnicodeSettingsAndWritesThemAtExit) {
    MainWindowHarness h;
    DeleteFileW(h.Ini().c_str());
    h.Start();
    const std::string head = ReadFileBytes(h.Ini()).substr(0, 2);
    EXPECT_EQ(head, std::string("\xFF\xFE"));
    EXPECT_EQ(h.ReadSetting(L"Developer", L"Enabled"), L"0");
    EXPECT_EQ(h.ReadSetting(L"FListView", L"ColorCarbon"), L"$191919");
    EXPECT_EQ(h.ReadSetting(L"SystemFontJpn", L"Name"), L"ＭＳ ゴシック");
    EXPECT_EQ(h.ReadSetting(L"SystemFontEng", L"Size"), L"12");
    EXPECT_EQ(h.ReadSetting(L"ListViewWidthMain", L"0"), L"<absent>");
    h.Close();
    EXPECT_EQ(h.ReadSetting(L"ListViewWidthMain", L"0"), L"30");
    EXPECT_EQ(h.ReadSetting(L"ListFiler", L"Enabled"), L"1");
    EXPECT_EQ(h.ReadSetting(L"ArchiveNormal", L"Enabled"), L"1");
    EXPECT_EQ(h.ReadSetting(L"FormMain", L"State"), L"NORMAL");
    EXPECT_EQ(h.ReadSetting(L"FormMain", L"Width"), L"780");
    EXPECT_EQ(h.ReadSetting(L"Spm", L"FileName"), h.Folder().Path() + L"\\quibFM-spm.txt");
    EXPECT_TRUE(h.Messages().Messages().empty());
}

TEST(Startup, PerInstanceTemporaryFolderIsCreatedAndRemoved) {
    MainWindowHarness h;
    auto& f = h.Start();
    const std::wstring base = f.StrExtractBase;
    const std::wstring expected =
        L"\\TmpArchive\\" + std::to_wstring(reinterpret_cast<UINT_PTR>(f.Handle())) + L"\\";
    EXPECT_EQ(base, h.Folder().Path() + expected);
    EXPECT_TRUE(DirExists(base));
    EXPECT_TRUE(DirExists(h.Folder().Path() + L"\\Language\\quibFMarchive"));
    h.Close();
    EXPECT_FALSE(DirExists(base));
}

TEST(Startup, SavedRectangleTenPixelsAboveTheScreenFallsBackToTheOrigin) {
    const RECT screen = quib::VirtualScreenRect();
    for (int above : {9, 10}) {
        MainWindowHarness h;
        h.Setting(L"FormMain", L"Left", L"40");
        h.Setting(L"FormMain", L"Top", std::to_wstring(screen.top - above));
        h.Setting(L"FormMain", L"Width", L"800");
        h.Setting(L"FormMain", L"Height", L"600");
        auto& f = h.Start();
        RECT r{};
        GetWindowRect(f.Handle(), &r);
        if (above == 9) {
            EXPECT_EQ(r.left, 40);
            EXPECT_EQ(r.top, screen.top - 9);
            EXPECT_EQ(r.right - r.left, 800);
        } else {
            EXPECT_EQ(r.left, 0);
            EXPECT_EQ(r.top, 0);
            EXPECT_EQ(r.right - r.left, 780);
            EXPECT_EQ(r.bottom - r.top, 550);
        }
    }
}

TEST(CommandLine, FilerPlaceholderSelectsNormalModeForThisRunOnly) {
    MainWindowHarness h;
    h.Setting(L"ArchiveNormal", L"Enabled", L"0");
    h.Setting(L"ArchiveSimple", L"Enabled", L"1");
    auto& f = h.Start({L"hwnd=%h", ProgramFixture(L"levels.zip")});
    EXPECT_EQ(f.IntModeSelectHwnd, 1);
    EXPECT_EQ(f.QuibHandle, nullptr);
    EXPECT_TRUE(f.MenuChecked(tag::MenuFileArchive));
    EXPECT_FALSE(f.MenuChecked(tag::MenuFileSimple));
    EXPECT_TRUE(f.ListVisible());
    EXPECT_EQ(f.StrListArchiveDirFile.size(), 5u);
    h.Close();
    EXPECT_EQ(h.ReadSetting(L"ArchiveNormal", L"Enabled"), L"0");
    EXPECT_EQ(h.ReadSetting(L"ArchiveSimple", L"Enabled"), L"1");
}

TEST(CommandLine, SwitchKeysInAnyCaseCarryTheFilerHandle) {
    struct Case {
        std::wstring sw;
        int mode;
        int checkedTag;
        HWND handle;
    } cases[] = {
        {L"HSFX=1234", 4, tag::MenuFileSfx, reinterpret_cast<HWND>(1234)},
        {L"hspm=77", 5, tag::MenuFileSusie, reinterpret_cast<HWND>(77)},
        {L"Hwnd=5", 1, tag::MenuFileArchive, reinterpret_cast<HWND>(5)},
        // A handle that is no number is ignored; start-up goes on.
        {L"hwnd=abc", 1, tag::MenuFileArchive, nullptr},
        // "%h" is compared with case: "%H" is not the placeholder and no number.
        {L"hwnd=%H", 1, tag::MenuFileArchive, nullptr},
    };
    for (const auto& c : cases) {
        MainWindowHarness h;
        auto& f = h.Start({c.sw, ProgramFixture(L"levels.zip")});
        EXPECT_EQ(f.IntModeSelectHwnd, c.mode) << c.sw;
        EXPECT_TRUE(f.MenuChecked(c.checkedTag)) << c.sw;
        EXPECT_EQ(f.QuibHandle, c.handle) << c.sw;
        EXPECT_EQ(f.StrLoadFileName, ProgramFixture(L"levels.zip")) << c.sw;
        EXPECT_TRUE(f.BoolFormShow);
    }
}

TEST(CommandLine, UnknownSwitchOpensTheFileWithoutForcingAMode) {
    MainWindowHarness h;
    auto& f = h.Start({L"xxxx=1", ProgramFixture(L"levels.zip")});
    EXPECT_EQ(f.IntModeSelectHwnd, 0);
    EXPECT_EQ(f.QuibHandle, nullptr);
    EXPECT_EQ(f.StrListArchiveDirFile.size(), 5u);
    EXPECT_EQ(f.Caption(), ProgramFixture(L"levels.zip") + L" - quibFMarchive");
}

TEST(CommandLine, StartLogAndFilerMenu) {
    MainWindowHarness h;
    auto& f = h.Start({ProgramFixture(L"levels.zip")});
    ASSERT_GE(f.StrListLog.size(), 6u);
    EXPECT_EQ(f.StrListLog[0], L"ParamCount");
    EXPECT_EQ(f.StrListLog[1], L"1");
    EXPECT_EQ(f.StrListLog[3], L"ParamStr(1)");
    EXPECT_EQ(f.StrListLog[4], ProgramFixture(L"levels.zip"));
    EXPECT_FALSE(f.MenuEnabled(tag::MenuParentShow));
}

TEST(CommandLine, MissingFileOpensNothingAndSaysNothing) {
    MainWindowHarness h;
    auto& f = h.Start({ProgramFixture(L"no-such.zip")});
    EXPECT_TRUE(f.StrLoadFileName.empty());
    EXPECT_TRUE(f.StrListArchiveDirFile.empty());
    EXPECT_TRUE(h.Messages().Messages().empty());
}

TEST(Drop, RefusalsInBothLanguages) {
    struct Case {
        bool japanese;
        std::vector<std::wstring> startArgs;
        std::vector<std::wstring> dropped;
        std::wstring message;
    } cases[] = {
        {true, {}, {L"a", L"b"}, L"Information : ドロップするファイルは１個にしてください"},
        {false, {}, {L"a", L"b"}, L"Information : Drop file count accept only One(1).[OK]"},
        {false, {}, {}, L"Information : Drop file count is Zero(0).[OK]"},
        {true, {}, {}, L"Information : ドロップされたファイルの個数が０です"},
        {false, {L"hwnd=1", L"none"}, {L"x"},
         L"Information : Drop can no accept, when execute with extention by filer.First start quibFMarchive alone, "
         L"after drop file.\r\n[OK]"},
    };
    for (const auto& c : cases) {
        MainWindowHarness h;
        h.Setting(L"Language", L"Japanese", c.japanese ? L"1" : L"0");
        auto& f = h.Start(c.startArgs);
        f.DropFiles(c.dropped);
        ASSERT_EQ(h.Messages().Texts().size(), 1u);
        EXPECT_EQ(h.Messages().Texts()[0], c.message);
    }
}

TEST(Drop, AFolderGivesTheDelayedMessageAndOneArchiveOpens) {
    MainWindowHarness h;
    h.Setting(L"Language", L"Japanese", L"0");
    auto& f = h.Start();
    f.DropFiles({h.Folder().Path()});
    EXPECT_TRUE(h.Messages().Texts().empty());  // it comes 300 ms later
    quibtest::WaitFor([&] { return !h.Messages().Texts().empty(); });
    ASSERT_EQ(h.Messages().Texts().size(), 1u);
    EXPECT_EQ(h.Messages().Texts()[0], L"Information : File is not exist.[OK]");
    f.DropFiles({ProgramFixture(L"levels.zip")});
    EXPECT_EQ(f.StrLoadFileName, ProgramFixture(L"levels.zip"));
    EXPECT_EQ(f.StrListArchiveDirFile.size(), 5u);
}

TEST(CopyData, FilerIdentifiersAreConsumedOthersAreNot) {
    MainWindowHarness h;
    auto& f = h.Start();
    for (ULONG_PTR id : {0x8010u, 0x8020u, 0x8040u, 0x8011u}) {
        COPYDATASTRUCT cds{id, 0, nullptr};
        const LRESULT r = SendMessageW(f.Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds));
        EXPECT_EQ(r, id == 0x8011u ? 0 : 1) << id;
    }
}

TEST(Settings, VisualStyleNamesAreExact) {
    struct Case {
        const wchar_t* text;
        int style;
    } cases[] = {{L"Windows", 0}, {L"Carbon", 1}, {L"carbon", 0}, {L"Charcoal Dark Slate", 2},
                 {L"Windows10 Dark", 3}, {L"Other", 0}};
    for (const auto& c : cases) {
        MainWindowHarness h;
        h.Setting(L"VclStyle", L"Text", c.text);
        EXPECT_EQ(h.Start().IntVclStyle, c.style) << c.text;
    }
}

TEST(Settings, BadExtensionListIsReportedAndStartupGoesOn) {
    MainWindowHarness h;
    h.Setting(L"Language", L"Japanese", L"0");
    h.Setting(L"Txt", L"Ext", L".txt;.log");
    auto& f = h.Start();
    ASSERT_FALSE(h.Messages().Texts().empty());
    EXPECT_EQ(h.Messages().Texts()[0],
              L"Information : Number of .[Piriod] and ;[Semicolon] is not match.\r\n[OK]\r\n");
    ASSERT_EQ(f.StrListTxtExt.size(), 1u);
    EXPECT_EQ(f.StrListTxtExt[0], L".txt");
    EXPECT_TRUE(f.BoolFormShow);
}
