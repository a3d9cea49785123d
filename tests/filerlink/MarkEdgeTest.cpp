// The edges of marking with the keys: the last row, the root and parent rows,
// "all files" with only a folder marked, reversing with marked folders.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "FormTestSupport.h"
#include "MainWindowHarness.h"
#include "app/MainMenuTable.h"

using namespace quibtest;

namespace {

const std::wstring kOn = L"\u25CF", kOff = L"\u3000", kBlank;

int RowOf(quib::TFormMain& f, const std::wstring& name) {
    const auto names = ListColumnTexts(f.ListView1(), 1);
    const auto it = std::find(names.begin(), names.end(), name);
    return it == names.end() ? -1 : static_cast<int>(it - names.begin());
}

void Press(MainWindowHarness& h, WORD vk, BYTE mods = 0) {
    HWND list = h.Form().ListView1();
    SetFocus(list);
    PressKey(list, vk, mods);
    h.Pump();
}

std::vector<std::wstring> Marks(quib::TFormMain& f) { return ListColumnTexts(f.ListView1(), 0); }

}  // namespace

TEST(MarkEdges, TheLastRowIsMarkedAndTheCursorStaysThere) {
    MainWindowHarness h;
    auto& f = h.Start({ProgramFixture(L"filer.zip")});
    const int last = ListRowCount(f.ListView1()) - 1;
    Press(h, VK_END, quib::kKeyCtrl);
    ASSERT_EQ(ListSelectedRow(f.ListView1()), last);
    Press(h, VK_SPACE);
    EXPECT_EQ(ListCellText(f.ListView1(), last, 0), kOn);
    EXPECT_EQ(ListSelectedRow(f.ListView1()), last);
    EXPECT_EQ(ListFocusedRow(f.ListView1()), last);
    Press(h, VK_SPACE);
    EXPECT_EQ(ListCellText(f.ListView1(), last, 0), kOff);
    EXPECT_EQ(ListSelectedRow(f.ListView1()), last);
}

TEST(MarkEdges, TheRootAndParentRowsAreNeverMarkedButTheCursorMovesOn) {
    MainWindowHarness h;
    auto& f = h.Start({ProgramFixture(L"filer.zip")});
    Press(h, VK_SPACE);  // on "<\>"
    EXPECT_EQ(ListCellText(f.ListView1(), 0, 0), kBlank);
    EXPECT_EQ(ListSelectedRow(f.ListView1()), 1);
    f.SelectRow(RowOf(f, L"docs"), false);
    Press(h, VK_RETURN);
    ASSERT_EQ(ListCellText(f.ListView1(), 0, 1), L"<..>");
    f.SelectRow(0, false);
    Press(h, VK_SPACE);
    EXPECT_EQ(ListCellText(f.ListView1(), 0, 0), kBlank);
    EXPECT_EQ(ListSelectedRow(f.ListView1()), 1);
    // "All files and folders" leaves "<..>" alone as well.
    Press(h, VK_HOME, quib::kKeyShift);
    const auto marks = Marks(f);
    EXPECT_EQ(marks[0], kBlank);
    EXPECT_EQ(std::count(marks.begin(), marks.end(), kOn), static_cast<std::ptrdiff_t>(marks.size()) - 1);
}

TEST(MarkEdges, AllFilesWithOnlyAFolderMarkedClearsItAndMarksNothing) {
    MainWindowHarness h;
    auto& f = h.Start({ProgramFixture(L"filer.zip")});
    // Rows: <\>, deep, docs, img, img2, then six files.
    f.SelectRow(RowOf(f, L"docs"), false);
    Press(h, VK_SPACE);
    ASSERT_EQ(ListCellText(f.ListView1(), RowOf(f, L"docs"), 0), kOn);
    Press(h, VK_HOME);
    EXPECT_EQ(Marks(f), (std::vector<std::wstring>{kBlank, kBlank, kOff, kBlank, kBlank, kOff, kOff, kOff, kOff, kOff,
                                                   kOff}));
    EXPECT_EQ(f.StatusText(4), std::wstring(10, L' ') + L"0");
    // Nothing marked now: the next press marks every file, still no folder.
    Press(h, VK_HOME);
    EXPECT_EQ(Marks(f), (std::vector<std::wstring>{kBlank, kBlank, kOff, kBlank, kBlank, kOn, kOn, kOn, kOn, kOn,
                                                   kOn}));
}

TEST(MarkEdges, ReverseKeepsTheFolderMarks) {
    MainWindowHarness h;
    auto& f = h.Start({ProgramFixture(L"filer.zip")});
    for (const wchar_t* name : {L"docs", L"img2", L"ro.txt"}) {
        f.SelectRow(RowOf(f, name), false);
        Press(h, VK_SPACE);
    }
    Press(h, 'Z', quib::kKeyCtrl);
    // <\>, deep, docs, img, img2, hidden.txt, img.txt, inner.zip, ro.txt, sys.txt, tool.exe
    EXPECT_EQ(Marks(f), (std::vector<std::wstring>{kBlank, kBlank, kOn, kBlank, kOn, kOn, kOn, kOn, kOff, kOn, kOn}));
    // Two folders and five files marked, counted in the filer form.
    EXPECT_EQ(f.StatusText(4), std::wstring(10, L' ') + L"7");
}
