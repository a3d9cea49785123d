// Initial search in the main window, driven with real key presses: the two
// modes, the letter and digit menus, the indicator in the information panel,
// the wrap-around search in both display forms, and the key map given back
// when the search ends.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "FilerLinkTestSupport.h"
#include "FormTestSupport.h"
#include "MainWindowHarness.h"
#include "app/MainMenuTable.h"

using namespace quibtest;
namespace tag = quib::tag;

namespace {

std::vector<std::wstring> RowNames(quib::TFormMain& f) { return ListColumnTexts(f.ListView1(), 1); }

int RowOf(quib::TFormMain& f, const std::wstring& name) {
    const auto names = RowNames(f);
    const auto it = std::find(names.begin(), names.end(), name);
    return it == names.end() ? -1 : static_cast<int>(it - names.begin());
}

int Selected(quib::TFormMain& f) { return ListSelectedRow(f.ListView1()); }

void Press(MainWindowHarness& h, WORD vk, BYTE mods = 0) {
    HWND list = h.Form().ListView1();
    SetFocus(list);
    PressKey(list, vk, mods);
    h.Pump();
}

int BarItems(quib::TFormMain& f) { return GetMenuItemCount(GetMenu(f.Handle())); }

struct ChildWalk {
    const std::wstring* text;
    HWND found;
};

BOOL CALLBACK MatchChildText(HWND w, LPARAM p) {
    auto* walk = reinterpret_cast<ChildWalk*>(p);
    if (WindowText(w) != *walk->text) return TRUE;
    walk->found = w;
    return FALSE;
}

HWND FindChildWithText(HWND parent, const std::wstring& text) {
    ChildWalk walk{&text, nullptr};
    EnumChildWindows(parent, MatchChildText, reinterpret_cast<LPARAM>(&walk));
    return walk.found;
}

// The text colour the window gives a label when it paints it.
COLORREF LabelTextColor(quib::TFormMain& f, HWND label) {
    HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, RGB(1, 2, 3));
    SendMessageW(f.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label));
    const COLORREF c = GetTextColor(dc);
    DeleteDC(dc);
    return c;
}

// The letter E carries "last row" in the key map (a key no command has by
// default), so a letter bound to a command can be told from a search.
void StartWithE(MainWindowHarness& h, const std::vector<std::wstring>& args) {
    WriteMainKeyMap(h.Folder().Path(), {{L"1212", L"E"}});
    h.Start(args);
}

}  // namespace

TEST(InitialSearch, ContinuousModeTakesTheLettersAndWrapsRound) {
    MainWindowHarness h;
    StartWithE(h, {ProgramFixture(L"filer.zip")});
    auto& f = h.Form();
    ASSERT_TRUE(h.Messages().Texts().empty());
    // Rows: <\>, deep, docs, img, img2, hidden.txt, img.txt, inner.zip, ro.txt, sys.txt, tool.exe
    ASSERT_EQ(RowOf(f, L"img"), 3);
    const int bar = BarItems(f);
    EXPECT_EQ(MenuText(GetMenu(f.Handle()), tag::MenuInitialSearchA), L"");  // hidden at start

    Press(h, 'E');  // search off: the key map's command
    EXPECT_EQ(Selected(f), 10);
    f.SelectRow(0, false);

    Press(h, VK_F9);
    EXPECT_TRUE(f.MenuChecked(tag::MenuInitialSearch));
    EXPECT_FALSE(f.MenuChecked(tag::MenuInitialSearchOneTime));
    EXPECT_EQ(BarItems(f), bar + 2);
    HMENU menu = GetMenu(f.Handle());
    EXPECT_EQ(MenuText(menu, tag::MenuInitialSearchA), L"A(&A)\tA");
    EXPECT_EQ(MenuText(menu, tag::MenuInitialSearchA + 25), L"Z(&Z)\tZ");
    EXPECT_EQ(MenuText(menu, tag::MenuInitialSearchNum0 + 1), L"1(&)\t1");
    EXPECT_EQ(MenuText(menu, tag::MenuInitialSearchNum0 + 9), L"9(&9)\t9");

    // I: img, img2, img.txt, inner.zip, then round to img again.
    for (const wchar_t* name : {L"img", L"img2", L"img.txt", L"inner.zip", L"img"}) {
        Press(h, 'I');
        EXPECT_EQ(Selected(f), RowOf(f, name)) << testing::PrintToString(std::wstring(name));
        EXPECT_EQ(ListFocusedRow(f.ListView1()), Selected(f));
    }
    // The selected row itself as the only match stays; a letter without a
    // match and a digit change nothing; E searches now.
    f.SelectRow(RowOf(f, L"tool.exe"), false);
    Press(h, 'T');
    EXPECT_EQ(Selected(f), RowOf(f, L"tool.exe"));
    for (WORD key : {WORD('Q'), WORD('7'), WORD('E')}) {
        Press(h, key);
        EXPECT_EQ(Selected(f), RowOf(f, L"tool.exe")) << key;
    }
    // D is the deletion command's key; during the search it is a letter.
    Press(h, 'D');
    EXPECT_EQ(Selected(f), RowOf(f, L"deep"));
    EXPECT_TRUE(h.Messages().Texts().empty());

    Press(h, VK_F9);
    EXPECT_FALSE(f.MenuChecked(tag::MenuInitialSearch));
    EXPECT_EQ(BarItems(f), bar);
    EXPECT_EQ(MenuText(GetMenu(f.Handle()), tag::MenuInitialSearchA), L"");
    Press(h, 'I');  // the key map's command (the player, no work here): no search
    EXPECT_EQ(Selected(f), RowOf(f, L"deep"));
    Press(h, 'E');
    EXPECT_EQ(Selected(f), 10);
}

TEST(InitialSearch, IndicatorInThePanelAndTheLabelsRestored) {
    MainWindowHarness h;
    ASSERT_TRUE(CopyTree(BinDir() + L"\\Language", h.Folder() / L"Language"));
    auto& f = h.Start({ProgramFixture(L"filer.zip")});
    EXPECT_EQ(f.InfoValue(0), ProgramFixture(L"filer.zip"));
    Press(h, VK_F9);
    HWND caption = FindChildWithText(f.Handle(), L"< Initial Search >");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(f.InfoValue(0), L"");
    EXPECT_EQ(LabelTextColor(f, caption), COLORREF(0x00FFFF));
    // The whole indicator is readable, over the emptied value label.
    const auto width = [](HWND w) {
        RECT r{};
        GetWindowRect(w, &r);
        return r.right - r.left;
    };
    const auto textWidth = [](HWND w) {
        HDC dc = GetDC(w);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0)));
        SIZE size{};
        const std::wstring text = WindowText(w);
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(w, dc);
        return static_cast<int>(size.cx);
    };
    const int wide = width(caption);
    EXPECT_GE(width(caption), textWidth(caption));
    HWND value = FindChildWithText(GetParent(caption), L"");
    ASSERT_NE(value, nullptr);
    EXPECT_FALSE(IsWindowVisible(value));
    SetWindowPos(f.Handle(), nullptr, 0, 0, 900, 600, SWP_NOMOVE | SWP_NOZORDER);  // a new layout keeps it
    h.Pump();
    EXPECT_GE(width(caption), textWidth(caption));
    EXPECT_EQ(f.StrInitialSearchDriveMemory1, L"file:");
    EXPECT_EQ(f.StrInitialSearchDriveMemory2, ProgramFixture(L"filer.zip"));
    EXPECT_EQ(f.ColorInitialSearchMemory1, f.ColorPanelItemNow);
    EXPECT_EQ(f.ColorInitialSearchMemory2, f.ColorPanelFontNow);
    // Moving the cursor leaves the indicator alone in the continuous mode.
    Press(h, VK_DOWN);
    Press(h, 'I');
    EXPECT_EQ(WindowText(caption), L"< Initial Search >");
    EXPECT_EQ(f.InfoValue(0), L"");

    // Straight to the one-shot mode: its indicator; off again: the texts of
    // before the first mode, not the other mode's indicator.
    Press(h, VK_F10);
    EXPECT_TRUE(f.MenuChecked(tag::MenuInitialSearchOneTime));
    EXPECT_FALSE(f.MenuChecked(tag::MenuInitialSearch));
    EXPECT_EQ(WindowText(caption), L"< Initial Search One Time >");
    Press(h, VK_F10);
    EXPECT_FALSE(f.MenuChecked(tag::MenuInitialSearchOneTime));
    EXPECT_EQ(WindowText(caption), L"file:");
    EXPECT_EQ(f.InfoValue(0), ProgramFixture(L"filer.zip"));
    EXPECT_EQ(LabelTextColor(f, caption), f.ColorPanelItemNow);
    EXPECT_LT(width(caption), wide);  // the layout's width again
    EXPECT_TRUE(IsWindowVisible(value));
}

TEST(InitialSearch, OneShotModeSearchesOnceThenGivesTheKeysBack) {
    MainWindowHarness h;
    StartWithE(h, {ProgramFixture(L"filer.zip")});
    auto& f = h.Form();
    const int bar = BarItems(f);
    Press(h, VK_F10);
    EXPECT_TRUE(f.MenuChecked(tag::MenuInitialSearchOneTime));
    EXPECT_EQ(BarItems(f), bar + 2);
    EXPECT_NE(FindChildWithText(f.Handle(), L"< Initial Search One Time >"), nullptr);
    Press(h, 'S');
    EXPECT_EQ(Selected(f), RowOf(f, L"sys.txt"));
    EXPECT_FALSE(f.MenuChecked(tag::MenuInitialSearchOneTime));
    EXPECT_EQ(BarItems(f), bar);
    EXPECT_EQ(f.InfoValue(0), ProgramFixture(L"filer.zip"));
    Press(h, 'E');  // the key map's again
    EXPECT_EQ(Selected(f), 10);
    // A search that finds nothing ends the one-shot mode as well.
    Press(h, VK_F10);
    Press(h, 'Q');
    EXPECT_FALSE(f.MenuChecked(tag::MenuInitialSearchOneTime));
    EXPECT_EQ(Selected(f), 10);
}

TEST(InitialSearch, TheKeyMapIsAppliedAgainOnEverySwitch) {
    MainWindowHarness h;
    auto& f = h.Start({ProgramFixture(L"filer.zip")});
    HMENU menu = GetMenu(f.Handle());
    const std::wstring unpack = MenuText(menu, tag::MenuUnpack);
    EXPECT_EQ(unpack.substr(unpack.find(L'\t')), L"\tU");
    Press(h, VK_F9);
    // Plain letters go to the search; keys with a modifier and other plain
    // keys stay where the key map puts them.
    EXPECT_EQ(MenuText(menu, tag::MenuUnpack).find(L'\t'), std::wstring::npos);
    EXPECT_EQ(f.GetShortCut(tag::MenuCopyFileName), (quib::KeyCode{'B', quib::kKeyShift}));
    EXPECT_EQ(f.GetShortCut(tag::MenuExecuteExt), (quib::KeyCode{VK_RETURN, 0}));
    EXPECT_EQ(f.GetShortCut(tag::MenuMark), (quib::KeyCode{VK_SPACE, 0}));
    Press(h, VK_F9);
    EXPECT_EQ(MenuText(menu, tag::MenuUnpack), unpack);
}

TEST(InitialSearch, FilerFormByTheRowsOwnNamesTextFormByTheFullPath) {
    MainWindowHarness h;
    auto& f = h.Start({ProgramFixture(L"filer.zip")});
    // Inside img/ the row's own name "a.png" starts with A.
    f.SelectRow(RowOf(f, L"img"), false);
    Press(h, VK_RETURN);
    ASSERT_EQ(f.StrFilerCurrent, L"/img/");
    Press(h, VK_F9);
    Press(h, 'A');
    EXPECT_EQ(Selected(f), RowOf(f, L"a.png"));
    Press(h, VK_F9);

    h.Command(tag::MenuListText);
    ASSERT_TRUE(f.TextForm());
    const auto names = RowNames(f);
    ASSERT_NE(std::find(names.begin(), names.end(), L"img/a.png"), names.end());
    f.SelectRow(0, false);
    Press(h, VK_F9);
    // No stored path starts with A: "img/a.png" is found by I, not by A.
    Press(h, 'A');
    EXPECT_EQ(Selected(f), 0);
    int expected = -1;
    for (size_t i = 1; i < names.size() && expected < 0; ++i)
        if (names[i][0] == L'i' || names[i][0] == L'I') expected = static_cast<int>(i);
    ASSERT_GT(expected, 0);
    Press(h, 'I');
    EXPECT_EQ(Selected(f), expected);
    // Round the list: every row starting with d, then the first again.
    std::vector<int> ds;
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i][0] == L'd') ds.push_back(static_cast<int>(i));
    ASSERT_GE(ds.size(), 2u);
    f.SelectRow(ds.back(), false);
    Press(h, 'D');
    EXPECT_EQ(Selected(f), ds.front());
    Press(h, 'D');
    EXPECT_EQ(Selected(f), ds[1]);
}

TEST(InitialSearch, ALetterIsIgnoredWhileASearchRuns) {
    MainWindowHarness h;
    auto& f = h.Start({ProgramFixture(L"filer.zip")});
    Press(h, VK_F9);
    f.BoolInitialSearchRun = true;
    Press(h, 'I');
    EXPECT_EQ(Selected(f), 0);
    f.BoolInitialSearchRun = false;
    Press(h, 'I');
    EXPECT_EQ(Selected(f), RowOf(f, L"img"));
}

TEST(InitialSearch, NeedsRowsToStartAndEndsWhenTheOpenDialogOpensAnArchive) {
    {
        MainWindowHarness h;
        auto& f = h.Start();
        const int bar = BarItems(f);
        Press(h, VK_F9);
        Press(h, VK_F10);
        EXPECT_FALSE(f.MenuChecked(tag::MenuInitialSearch));
        EXPECT_FALSE(f.MenuChecked(tag::MenuInitialSearchOneTime));
        EXPECT_EQ(BarItems(f), bar);
    }
    MainWindowHarness h;
    auto& f = h.Start({ProgramFixture(L"filer.zip")});
    const int bar = BarItems(f);
    Press(h, VK_F9);
    f.OpenChosenFile(ProgramFixture(L"levels.zip"));
    EXPECT_FALSE(f.MenuChecked(tag::MenuInitialSearch));
    EXPECT_EQ(BarItems(f), bar);
    EXPECT_EQ(f.InfoValue(0), ProgramFixture(L"levels.zip"));
    EXPECT_EQ(FindChildWithText(f.Handle(), L"< Initial Search >"), nullptr);
    Press(h, 'B');  // nothing bound to a plain B: no search, no move
    EXPECT_EQ(Selected(f), 0);
}

TEST(InitialSearch, ADropKeepsTheSearchAndTheNewArchiveIsNamedWhenItEnds) {
    MainWindowHarness h;
    auto& f = h.Start({ProgramFixture(L"filer.zip")});
    Press(h, VK_F9);
    f.DropFiles({ProgramFixture(L"levels.zip")});
    h.Pump();
    EXPECT_TRUE(f.MenuChecked(tag::MenuInitialSearch));
    EXPECT_NE(FindChildWithText(f.Handle(), L"< Initial Search >"), nullptr);
    Press(h, 'B');
    EXPECT_EQ(Selected(f), RowOf(f, L"b.txt"));
    Press(h, VK_F9);
    EXPECT_EQ(f.InfoValue(0), ProgramFixture(L"levels.zip"));
}
