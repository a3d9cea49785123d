// The rows of the main window on a real archive: both display forms, walking
// folders with the keyboard, cursor return, colours, totals and list commands.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "FormTestSupport.h"
#include "MainWindowHarness.h"
#include "app/MainMenuTable.h"

using namespace quibtest;
namespace tag = quib::tag;

namespace {

// The rows as the list control shows them.
std::vector<std::wstring> RowNames(quib::TFormMain& f) { return ListColumnTexts(f.ListView1(), 1); }

int RowOf(quib::TFormMain& f, const std::wstring& name) {
    const auto names = RowNames(f);
    const auto it = std::find(names.begin(), names.end(), name);
    return it == names.end() ? -1 : static_cast<int>(it - names.begin());
}

std::wstring Cell(quib::TFormMain& f, int row, int column) { return ListCellText(f.ListView1(), row, column); }
int Rows(quib::TFormMain& f) { return ListRowCount(f.ListView1()); }
int Selected(quib::TFormMain& f) { return ListSelectedRow(f.ListView1()); }

// A real key press through the application's message loop (key preview and
// the key map decide what it does).
void PressKey(MainWindowHarness& h, WORD vk) {
    HWND target = h.Form().ListView1();
    SetFocus(target);
    PostMessageW(target, WM_KEYDOWN, vk, 1);
    PostMessageW(target, WM_KEYUP, vk, 0xC0000001);
    h.Pump();
}

}  // namespace

TEST(EntryList, FilerFormShowsOneFolderAtATimeWithMadeUpFolders) {
    MainWindowHarness h;
    auto& f = h.Start({ProgramFixture(L"filer.zip")});
    const std::vector<std::wstring> root = {L"<\\>",    L"deep",      L"docs",       L"img",
                                            L"img2",    L"hidden.txt", L"img.txt",   L"inner.zip",
                                            L"ro.txt",  L"sys.txt",    L"tool.exe"};
    EXPECT_EQ(RowNames(f), root);
    const int img = RowOf(f, L"img");
    EXPECT_EQ(Cell(f, img, 3), L" <DIR>");
    EXPECT_EQ(Cell(f, img, 4), L"");  // made up: no date, time or attributes
    EXPECT_EQ(Cell(f, img, 6), L"");
    EXPECT_NE(Cell(f, RowOf(f, L"docs"), 4), L"");  // has its own entry
    // Totals of the rows shown: every row but "<\>".
    EXPECT_EQ(f.Int64FileNumAll, 10);
    EXPECT_EQ(f.StatusText(2), std::wstring(9, L' ') + L"10");
}

TEST(EntryList, EnterAndLeaveFoldersWithTheKeyboardAndTheCursorComesBack) {
    MainWindowHarness h;
    auto& f = h.Start({ProgramFixture(L"filer.zip")});
    f.SelectRow(RowOf(f, L"docs"), false);
    PressKey(h, VK_RETURN);
    EXPECT_EQ(f.StrFilerCurrent, L"/docs/");
    ASSERT_EQ(Rows(f), 8);
    EXPECT_EQ(Cell(f, 0, 1), L"<..>");
    EXPECT_EQ(f.InfoValue(1), L"/docs/");
    // Fifth row, up, and in again: the cursor is back on it; going up lands on "docs".
    for (int i = 0; i < 5; ++i) PressKey(h, VK_DOWN);
    EXPECT_EQ(Selected(f), 5);
    EXPECT_EQ(Cell(f, 5, 1), L"5.txt");
    PressKey(h, VK_BACK);
    EXPECT_EQ(f.StrFilerCurrent, L"/");
    EXPECT_EQ(Cell(f, Selected(f), 1), L"docs");
    PressKey(h, VK_RETURN);
    EXPECT_EQ(Cell(f, Selected(f), 1), L"5.txt");
    // Enter on "<..>" goes up too.
    f.SelectRow(0, false);
    PressKey(h, VK_RETURN);
    EXPECT_EQ(f.StrFilerCurrent, L"/");
    // Three levels down through made-up folders and back.
    f.SelectRow(RowOf(f, L"deep"), false);
    PressKey(h, VK_RETURN);
    PressKey(h, VK_DOWN);
    PressKey(h, VK_RETURN);
    PressKey(h, VK_DOWN);
    PressKey(h, VK_RETURN);
    EXPECT_EQ(f.StrFilerCurrent, L"/deep/x/y/");
    EXPECT_EQ(RowNames(f), (std::vector<std::wstring>{L"<..>", L"z.txt"}));
    PressKey(h, VK_BACK);
    EXPECT_EQ(f.StrFilerCurrent, L"/deep/x/");
    EXPECT_EQ(Cell(f, Selected(f), 1), L"y");
    EXPECT_TRUE(h.Messages().Messages().empty());
}

TEST(EntryList, BackspaceAtTheRootAsksToExit) {
    for (bool textForm : {false, true}) {
        MainWindowHarness h;
        h.Setting(L"Language", L"Japanese", L"0");
        if (textForm) {
            h.Setting(L"ListText", L"Enabled", L"1");
            h.Setting(L"ListFiler", L"Enabled", L"0");
        }
        auto& f = h.Start({ProgramFixture(L"filer.zip")});
        h.Messages().Answer([](const quib::MsgRecord&) { return IDNO; });
        if (textForm) f.SelectRow(5, false);  // anywhere in the text form
        PressKey(h, VK_BACK);
        ASSERT_EQ(h.Messages().Texts().size(), 1u) << textForm;
        EXPECT_EQ(h.Messages().Texts()[0], L"Exit ?\r\n[OK] / [NO]");
        EXPECT_EQ(h.Messages().Messages()[0].buttons, quib::MsgButtons::YesNo);
        EXPECT_NE(f.Handle(), nullptr);  // No keeps the program running
        h.Messages().Answer([](const quib::MsgRecord&) { return IDYES; });
        PressKey(h, VK_BACK);
        EXPECT_EQ(f.Handle(), nullptr);  // Yes closes it
    }
}

TEST(EntryList, TextFormListsEveryEntryAndRefusesFolders) {
    MainWindowHarness h;
    h.Setting(L"Language", L"Japanese", L"0");
    auto& f = h.Start({ProgramFixture(L"filer.zip")});
    h.Command(tag::MenuListText);
    EXPECT_TRUE(f.TextForm());
    EXPECT_EQ(Rows(f), static_cast<int>(f.StrListArchiveDirFile.size()));
    // Every entry line is a row, in the same order, with its date and time.
    EXPECT_EQ(RowNames(f), h.EntryField(0));
    EXPECT_EQ(ListColumnTexts(f.ListView1(), 4), h.EntryField(3));
    EXPECT_EQ(ListColumnTexts(f.ListView1(), 5), h.EntryField(4));
    EXPECT_EQ(Cell(f, 1, 1).find(L'/'), std::wstring::npos);  // level order: top-level files first
    const int docs = RowOf(f, L"docs/");
    ASSERT_GT(docs, 0);
    f.SelectRow(docs, false);
    PressKey(h, VK_RETURN);
    ASSERT_EQ(h.Messages().Texts().size(), 1u);
    EXPECT_EQ(h.Messages().Texts()[0], L"Information : This folder can not accept.\r\n[OK]");
    EXPECT_EQ(f.InfoValue(1), L"<\\>");
    h.Command(tag::MenuListFiler);
    EXPECT_EQ(f.StrFilerCurrent, L"/");
    EXPECT_EQ(Cell(f, 0, 1), L"<\\>");
}

TEST(EntryList, RowColoursFollowAttributesAndExtensions) {
    MainWindowHarness h;
    h.Setting(L"MainColor", L"SameAsQuibFM", L"0");
    auto& f = h.Start({ProgramFixture(L"filer.zip")});
    struct Case {
        const wchar_t* name;
        COLORREF colour;
    } cases[] = {
        {L"<\\>", f.ColorFDirectory},    {L"img", f.ColorFDirectory},      {L"docs", f.ColorFDirectory},
        {L"ro.txt", f.ColorFReadOnly},   {L"hidden.txt", f.ColorFHidden}, {L"sys.txt", f.ColorFSystem},
        {L"tool.exe", f.ColorFExecuteFile}, {L"inner.zip", f.ColorFArchiveFile}, {L"img.txt", f.ColorFNormalFile},
    };
    for (const auto& c : cases) {
        const int r = RowOf(f, c.name);
        ASSERT_GE(r, 0) << c.name;
        EXPECT_EQ(f.RowTextColor(r), c.colour) << c.name;
    }
    EXPECT_EQ(Cell(f, RowOf(f, L"ro.txt"), 6).substr(0, 1), L"R");
}

TEST(EntryList, MarkedTotalsCountFoldersOnlyInTheFilerForm) {
    MainWindowHarness h;
    auto& f = h.Start({ProgramFixture(L"filer.zip")});
    f.SelectRow(RowOf(f, L"docs"), false);
    PressKey(h, VK_SPACE);  // mark: moves down one row
    f.SelectRow(RowOf(f, L"ro.txt"), false);
    PressKey(h, VK_SPACE);
    f.SelectRow(RowOf(f, L"img.txt"), false);
    PressKey(h, VK_SPACE);
    EXPECT_EQ(Cell(f, RowOf(f, L"docs"), 0), L"\u25CF");
    const std::wstring marked = L"\u25CF", blank;
    EXPECT_EQ(ListColumnTexts(f.ListView1(), 0),
              (std::vector<std::wstring>{blank, blank, marked, blank, blank, blank, marked, blank, marked, blank,
                                         blank}));
    // Space again unmarks: the column shows an ideographic space, no longer blank.
    f.SelectRow(RowOf(f, L"ro.txt"), false);
    PressKey(h, VK_SPACE);
    EXPECT_EQ(Cell(f, RowOf(f, L"ro.txt"), 0), L"\u3000");
    EXPECT_EQ(f.StatusText(4), std::wstring(10, L' ') + L"2");
    f.SelectRow(RowOf(f, L"ro.txt"), false);
    PressKey(h, VK_SPACE);
    EXPECT_EQ(f.StatusText(4), std::wstring(10, L' ') + L"3");
    EXPECT_EQ(f.StatusText(3), std::wstring(19, L' ') + L"2");

    h.Command(tag::MenuListText);
    f.SelectRow(RowOf(f, L"docs/"), false);
    PressKey(h, VK_SPACE);
    f.SelectRow(RowOf(f, L"ro.txt"), false);
    PressKey(h, VK_SPACE);
    f.SelectRow(RowOf(f, L"img.txt"), false);
    PressKey(h, VK_SPACE);
    EXPECT_EQ(f.StatusText(4), std::wstring(10, L' ') + L"2");
}

TEST(EntryList, MarkingAllFilesFoldersAndReversingWithTheirKeys) {
    MainWindowHarness h;
    auto& f = h.Start({ProgramFixture(L"filer.zip")});
    HWND list = f.ListView1();
    // Rows: <\>, deep, docs, img, img2, then six files of 8 bytes in all.
    const std::wstring on = L"\u25CF", off = L"\u3000", blank;
    const int start = RowOf(f, L"img.txt");
    f.SelectRow(start, false);
    struct Step {
        WORD key;
        BYTE mods;
        std::vector<std::wstring> marks;
        const wchar_t* count;
        const wchar_t* size;
    } steps[] = {
        // Home: all files. The list itself does not jump to the top.
        {VK_HOME, 0, {blank, blank, blank, blank, blank, on, on, on, on, on, on}, L"6", L"8"},
        {VK_HOME, 0, {blank, blank, blank, blank, blank, off, off, off, off, off, off}, L"0", L"0"},
        // Shift+Home: folders and files; the filer form counts the folders too.
        {VK_HOME, quib::kKeyShift, {blank, on, on, on, on, on, on, on, on, on, on}, L"10", L"8"},
        // Ctrl+Z: the files change, the folders keep their marks.
        {'Z', quib::kKeyCtrl, {blank, on, on, on, on, off, off, off, off, off, off}, L"4", L"0"},
        {'Z', quib::kKeyCtrl, {blank, on, on, on, on, on, on, on, on, on, on}, L"10", L"8"},
    };
    for (const auto& s : steps) {
        SetFocus(list);
        quibtest::PressKey(list, s.key, s.mods);
        h.Pump();
        EXPECT_EQ(ListColumnTexts(list, 0), s.marks) << s.key << "+" << int(s.mods);
        EXPECT_EQ(f.StatusText(4), std::wstring(11 - wcslen(s.count), L' ') + s.count) << s.key;
        EXPECT_EQ(f.StatusText(3), std::wstring(20 - wcslen(s.size), L' ') + s.size) << s.key;
        EXPECT_EQ(Selected(f), start) << s.key;
    }
}

TEST(EntryList, CopyFileNameAndItemDisplay) {
    MainWindowHarness h;
    auto& f = h.Start({ProgramFixture(L"filer.zip")});
    f.SelectRow(RowOf(f, L"img.txt"), false);
    h.Command(tag::MenuCopyFileName);
    EXPECT_EQ(quibtest::ClipboardText(), L"img.txt\r\n");

    h.Command(tag::MenuShowListItems);
    ASSERT_EQ(h.Messages().Texts().size(), 1u);
    const std::wstring shown = h.Messages().Texts()[0];
    // The six sub-items: name, extension, size, date, time, attributes.
    EXPECT_EQ(shown.substr(0, shown.find(L"3@")), L"ListView\r\n0@img.txt\r\n1@.txt\r\n2@      1\r\n");
    EXPECT_NE(shown.find(L"\r\n5@---A-\r\n"), std::wstring::npos) << std::string(shown.begin(), shown.end());
    EXPECT_NE(shown.find(L"\r\n\r\nStrList\r\n0@img.txt\r\n"), std::wstring::npos);
    EXPECT_EQ(shown.substr(shown.size() - 9), L"9@img.txt");
}

TEST(EntryList, OpenDialogPathRemembersTheFileAndStartsAtTheRoot) {
    MainWindowHarness h;
    h.Setting(L"Language", L"Japanese", L"0");
    auto& f = h.Start({ProgramFixture(L"filer.zip")});
    f.SelectRow(RowOf(f, L"docs"), false);
    PressKey(h, VK_RETURN);
    f.OpenChosenFile(ProgramFixture(L"levels.zip"));
    EXPECT_EQ(f.StrFilerCurrent, L"/");
    EXPECT_EQ(h.ReadSetting(L"LoadArchive", L"FolderFile"), ProgramFixture(L"levels.zip"));
    EXPECT_EQ(RowNames(f), (std::vector<std::wstring>{L"<\\>", L"a", L"b.txt"}));
    f.OpenChosenFile(L"");
    ASSERT_EQ(h.Messages().Texts().size(), 1u);
    EXPECT_EQ(h.Messages().Texts()[0], L"Information : Filename is empty.\r\n[OK]");
}

TEST(EntryList, ColumnWidthsReset) {
    MainWindowHarness h;
    h.Setting(L"ExtentionLength", L"12", L"1");
    h.Setting(L"Date", L"Show", L"0");
    auto& f = h.Start({ProgramFixture(L"levels.zip")});
    h.Command(tag::MenuListViewWidthInit);
    EXPECT_EQ(ListView_GetColumnWidth(f.ListView1(), 0), 30);
    EXPECT_EQ(ListView_GetColumnWidth(f.ListView1(), 2), 130);
    EXPECT_EQ(ListView_GetColumnWidth(f.ListView1(), 3), 88);
    EXPECT_EQ(ListView_GetColumnWidth(f.ListView1(), 4), 0);
    EXPECT_EQ(ListView_GetColumnWidth(f.ListView1(), 5), 95);
}

TEST(EntryList, ARemappedKeyInTheKeyMapFileMovesTheCommand) {
    MainWindowHarness h;
    h.Start({ProgramFixture(L"filer.zip")});
    h.Close();
    const std::wstring keyMap = h.Folder() / L"quibFMarchive-KeyMap.txt";
    std::string bytes = ReadFileBytes(keyMap);
    ASSERT_GT(bytes.size(), 2u);
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    const std::wstring from = L"\tEnter\t1112", to = L"\tF5\t1112";
    const size_t at = text.find(from);
    ASSERT_NE(at, std::wstring::npos);
    text.replace(at, from.size(), to);
    WriteFileBytes(keyMap, std::string("\xFF\xFE") +
                               std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t)));

    auto& f = h.Start({ProgramFixture(L"filer.zip")});
    EXPECT_TRUE(h.Messages().Messages().empty());  // same lines: no reset notice
    f.SelectRow(RowOf(f, L"docs"), false);
    PressKey(h, VK_RETURN);
    EXPECT_EQ(f.StrFilerCurrent, L"/");
    PressKey(h, VK_F5);
    EXPECT_EQ(f.StrFilerCurrent, L"/docs/");
}

TEST(EntryList, AKeyMapFileWithALineMissingIsResetWithOneNotice) {
    MainWindowHarness h;
    h.Setting(L"Language", L"Japanese", L"0");
    h.Start();
    h.Close();
    const std::wstring keyMap = h.Folder() / L"quibFMarchive-KeyMap.txt";
    std::string bytes = ReadFileBytes(keyMap);
    const size_t lastLine = bytes.rfind(std::string("\r\0\n\0", 4), bytes.size() - 5);
    ASSERT_NE(lastLine, std::string::npos);
    WriteFileBytes(keyMap, bytes.substr(0, lastLine + 4));
    auto& f = h.Start();
    quibtest::WaitFor([&] { return !h.Messages().Texts().empty(); });
    EXPECT_TRUE(IsWindowVisible(f.Handle()));
    // Told once only.
    h.Pump(400);
    ASSERT_EQ(h.Messages().Texts().size(), 1u);
    EXPECT_EQ(h.Messages().Texts()[0].substr(0, 60),
              std::wstring(L"Information : Key board map had initialized, because of orijinal key board map had updated.")
                  .substr(0, 60));
    EXPECT_EQ(ReadFileBytes(keyMap).size(), bytes.size());  // the built-in table again
}
