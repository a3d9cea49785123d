// A disabled menu disables its commands for the keyboard too: in the simple
// and test listing modes the operation menu is off, and none of its keys may
// act on the rows of the last listing that the list no longer shows.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "FormTestSupport.h"
#include "MainWindowHarness.h"
#include "app/MainMenuTable.h"
#include "keymap/KeyMap.h"

using namespace quibtest;
namespace tag = quib::tag;

namespace {

std::vector<std::wstring> MarkColumn(HWND list) {
    std::vector<std::wstring> marks;
    const int n = ListView_GetItemCount(list);
    for (int i = 0; i < n; ++i) {
        wchar_t buf[16] = {};
        ListView_GetItemText(list, i, 0, buf, 16);
        marks.push_back(buf);
    }
    return marks;
}

}  // namespace

TEST(ModeKeys, OperationKeysDoNothingInTheSimpleAndTestModes) {
    for (int mode : {tag::MenuFileSimple, tag::MenuFileTest}) {
        SCOPED_TRACE(mode);
        MainWindowHarness h;
        auto& f = h.Start({ProgramFixture(L"levels.zip")});
        const std::vector<std::wstring> unmarked = MarkColumn(f.ListView1());
        ASSERT_EQ(unmarked.size(), 3u);
        h.Command(mode);
        EXPECT_FALSE(f.MenuEnabled(tag::MenuMark));
        ASSERT_TRUE(SetClipboardText(L"before"));
        const std::wstring report = WindowText(f.Memo1());
        SetFocus(f.Memo1());
        // Backspace (exit question at the root), Space and Home (marks), Ctrl+Z
        // (reverse marks), Shift+B (copy names), Enter (open).
        const struct {
            WORD key;
            BYTE mods;
        } keys[] = {{VK_BACK, 0}, {VK_SPACE, 0}, {VK_HOME, 0}, {VK_HOME, quib::kKeyShift}, {'Z', quib::kKeyCtrl},
                    {'B', quib::kKeyShift}, {VK_RETURN, 0}};
        for (const auto& k : keys) PressKey(f.Memo1(), k.key, k.mods);
        EXPECT_TRUE(h.Messages().Texts().empty());
        EXPECT_EQ(ClipboardText(), L"before");
        EXPECT_EQ(WindowText(f.Memo1()), report);
        EXPECT_TRUE(IsWindow(f.Handle()));
        // Back in the list mode no row was marked meanwhile, and the keys work.
        h.Command(tag::MenuFileArchive);
        EXPECT_EQ(MarkColumn(f.ListView1()), unmarked);
        SetFocus(f.ListView1());
        PressKey(f.ListView1(), VK_HOME);
        EXPECT_NE(MarkColumn(f.ListView1()), unmarked) << "Home marks all files in the list mode";
    }
}

namespace {

COLORREF BrushColor(HBRUSH brush) {
    LOGBRUSH lb{};
    GetObjectW(brush, sizeof(lb), &lb);
    return lb.lbColor;
}

}  // namespace

// The report of the simple and test modes has the list's colours, and the
// window the colour worked out for it (the style's own under a dark style).
TEST(SimpleTestMode, TheReportHasTheListColoursAndTheWindowItsColour) {
    const struct {
        const wchar_t* style;
        COLORREF window, back, text;
    } cases[] = {
        {L"Windows", 0x112233, 0x112233, 0x445566},
        {L"Carbon", 0x0A0B0C, 0x0A0B0C, 0x445566},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.style, c.style + wcslen(c.style)));
        MainWindowHarness h;
        h.Setting(L"MainColor", L"SameAsQuibFM", L"0");
        h.Setting(L"FListView", L"Color", L"$00112233");
        h.Setting(L"FListView", L"FontColor", L"$00445566");
        h.Setting(L"FListView", L"ColorCarbon", L"$000A0B0C");
        h.Setting(L"VclStyle", L"Text", c.style);
        auto& f = h.Start({ProgramFixture(L"levels.zip")});
        h.Command(tag::MenuFileTest);
        ASSERT_TRUE(IsWindowVisible(f.Memo1()));
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bmp = CreateCompatibleBitmap(screen, 8, 8);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(dc, bmp);
        const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
            f.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(f.Memo1())));
        EXPECT_EQ(BrushColor(brush), c.back);
        EXPECT_EQ(GetBkColor(dc), c.back);
        EXPECT_EQ(GetTextColor(dc), c.text);
        SendMessageW(f.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        EXPECT_EQ(GetPixel(dc, 3, 3), c.window);
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
    }
}

// A command that arrives while a listing lets messages run waits for the
// listing: it then works on the finished rows.
TEST(ListingReentry, ACommandDuringTheListingRunsAfterIt) {
    MainWindowHarness h;
    h.Setting(L"ListText", L"Enabled", L"0");
    h.Setting(L"ListFiler", L"Enabled", L"1");
    auto& f = h.Start();
    // Queued before the listing; the listing's first pump takes it.
    PostMessageW(f.Handle(), WM_COMMAND, MAKEWPARAM(tag::MenuListText, 0), 0);
    Sleep(80);
    f.OpenArchive(ProgramFixture(L"filer.zip"));
    EXPECT_TRUE(f.MenuChecked(tag::MenuListText)) << "the command ran once the listing was done";
    EXPECT_FALSE(f.Busy());
    // The text form shows every entry line once, the root included.
    const int n = ListView_GetItemCount(f.ListView1());
    EXPECT_EQ(static_cast<size_t>(n), f.StrListArchiveDirFile.size());
    std::vector<std::wstring> names;
    for (int i = 0; i < n; ++i) {
        wchar_t buf[260] = {};
        ListView_GetItemText(f.ListView1(), i, 1, buf, 260);
        names.push_back(buf);
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(std::unique(names.begin(), names.end()), names.end()) << "no row twice";
}

// The status bar names the listing mode by its caption alone, also when the
// user gave the mode's menu item a key.
TEST(SimpleTestMode, TheModeInTheStatusBarCarriesNoKey) {
    MainWindowHarness h;
    h.Start();
    h.Close();
    const std::wstring keyMap = h.Folder() / L"quibFMarchive-KeyMap.txt";
    quib::KeyMapTable map;
    ASSERT_TRUE(quib::ReadKeyMapFile(keyMap, map));
    quib::FindKeyMapLine(map, L"1011")->keyText = L"F11";
    quib::FindKeyMapLine(map, L"1012")->keyText = L"F12";
    ASSERT_TRUE(quib::WriteKeyMapFile(keyMap, map));
    auto& f = h.Start({ProgramFixture(L"levels.zip")});
    ASSERT_EQ(f.GetShortCut(tag::MenuFileArchive), (quib::KeyCode{VK_F11, 0}));
    EXPECT_EQ(f.StatusText(0), L"一覧表示 [通常書庫] (A)");
    PressKey(f.ListView1(), VK_F12);
    EXPECT_EQ(f.StatusText(0), L"簡易表示 [通常書庫] (M)");
}
