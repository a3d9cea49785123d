// The grid viewer as the user meets it: a Shift_JIS CSV from a zip, brought
// into the temporary folder by the main window and shown as a grid; keys
// moving the current cell, the cell editor, searches, the clipboard formats,
// the messages of faulty files, closing with changes, the settings.
#include <gtest/gtest.h>

#include <shlobj.h>

#include "FormTestSupport.h"
#include "MainWindowHarness.h"
#include "TestSupport.h"
#include "app/Application.h"
#include "app/MainMenuTable.h"
#include "util/IniFile.h"
#include "util/MyUtility.h"
#include "util/StrConv.h"
#include "viewers/grid/FormViewGrid.h"

using quib::TFormViewGrid;
using quib::TMLStringGrid;
using quibtest::MsgCapture;
using quibtest::PressKey;
using quibtest::TempDir;
using quibtest::TestProgramFolder;
using quibtest::WaitFor;

namespace {

std::wstring GridFixture(const std::wstring& name) { return quibtest::FixturesDir() + L"\\grid\\" + name; }

// What the grid control holds at a cell, asked through its window.
std::wstring CellOf(HWND grid, int col, int row) { return TMLStringGrid::FromHandle(grid)->Cell(col, row); }


const wchar_t kMixedLineEnds[] = L"Information : 改行(CrLf)までに、さらに改行(Lf)があります";
const wchar_t kMixedLineEndsEnglish[] =
    L"Information : LineFeed [Lf] is exist, before CarrigeRetun and LineFeed [CrLf].\r\n[OK]";

// What the user was told, but the mixed line-end notice that files with LF
// inside their CR LF lines bring a moment after loading.
std::vector<std::wstring> Said(const MsgCapture& msgs) {
    std::vector<std::wstring> out;
    for (const auto& t : msgs.Texts())
        if (t != kMixedLineEnds && t != kMixedLineEndsEnglish) out.push_back(t);
    return out;
}

// A grid window shown (not modally) on a file in a program folder of its own.
struct OpenGrid {
    explicit OpenGrid(const std::wstring& file, bool japanese = true) {
        quib::SetUiJapanese(japanese);
        form = std::make_unique<quib::FormInstance<TFormViewGrid>>(file);
        form->Show();
        quibtest::Pump(20);
    }
    ~OpenGrid() { quib::SetUiJapanese(true); }
    TFormViewGrid& f() { return *form; }
    HWND grid() { return form->StringGrid1().Handle(); }
    std::unique_ptr<quib::FormInstance<TFormViewGrid>> form;
};

}  // namespace

TEST(GridWindow, ShiftJisCsvFromZipShowsItsCells) {
    quibtest::MainWindowHarness h;
    h.Setting(L"ExpandFile05", L"Ext", L".csv;");
    h.Setting(L"ExpandFile05", L"Exe", L"@TextViewer");
    quib::TFormMain& main = h.Start({GridFixture(L"sjis.zip")});
    h.Command(quib::tag::MenuMoveEnd);
    const std::wstring file = main.StrExtractBase + L"data.csv";

    // Enter shows the extracted file in the text viewer; its grid command
    // shows it in the grid viewer, each modal on the one before.
    struct Seen {
        std::wstring caption, status3, status4, status5, c22, c33, c43, c44, c05, c15, top2, top4, memo;
        int rows = 0, cols = 0;
    } seen;
    bool gridAsked = false;
    quibtest::DuringModal drive([&] {
        HWND w = quibtest::FindThreadWindow(file + L" - グリッド表示");
        auto* f = w ? dynamic_cast<TFormViewGrid*>(quib::TFormBase::FromHandle(w)) : nullptr;
        if (!f) {
            HWND text = quibtest::FindThreadWindow(file + L" - テキスト表示");
            if (text && !gridAsked) gridAsked = PostMessageW(text, WM_COMMAND, 1051, 0) != 0;
            return false;
        }
        // The comma rule that knows quotes: 3 fields a line.
        f->RunCommand(1033);
        HWND grid = f->StringGrid1().Handle();
        seen.caption = quibtest::WindowText(w);
        seen.status3 = f->StatusText(1, 3);
        seen.status4 = f->StatusText(2, 4);
        seen.status5 = f->StatusText(1, 5);
        seen.rows = f->StringGrid1().RowCount();
        seen.cols = f->StringGrid1().ColCount();
        seen.c22 = CellOf(grid, 2, 2);
        seen.c33 = CellOf(grid, 3, 3);
        seen.c43 = CellOf(grid, 4, 3);
        seen.c44 = CellOf(grid, 4, 4);
        seen.c05 = CellOf(grid, 0, 4);
        seen.c15 = CellOf(grid, 1, 4);
        seen.top2 = CellOf(grid, 2, 0);
        seen.top4 = CellOf(grid, 4, 0);
        // Down and right twice with real keys: the editor shows the cell's lines.
        SetFocus(grid);
        PressKey(grid, VK_DOWN);
        PressKey(grid, VK_RIGHT);
        PressKey(grid, VK_RIGHT);
        seen.memo = quibtest::WindowText(f->Memo1());
        PressKey(grid, VK_ESCAPE);
        return true;
    });
    quibtest::DuringModal closeText([&] {
        if (!drive.Done()) return false;
        HWND text = quibtest::FindThreadWindow(file + L" - テキスト表示");
        if (!text) return false;
        PostMessageW(text, WM_CLOSE, 0, 0);
        return true;
    });
    h.Messages().Clear();
    PressKey(main.ListView1(), VK_RETURN);
    ASSERT_TRUE(drive.Done());
    ASSERT_TRUE(closeText.Done());
    EXPECT_EQ(main.StrExtractFolderFileName, file);
    EXPECT_TRUE(quibtest::FileExists(file));
    EXPECT_EQ(seen.caption, file + L" - グリッド表示");
    EXPECT_EQ(seen.status3, L",");
    EXPECT_EQ(seen.status4, L"Shift_JIS");
    EXPECT_EQ(seen.status5, L"Cr+Lf(Windows) ");
    EXPECT_EQ(seen.rows, 5);
    EXPECT_EQ(seen.cols, 5);
    EXPECT_EQ(seen.c22, L"名前");
    EXPECT_EQ(seen.c33, L"東京都,千代田区");
    EXPECT_EQ(seen.c43, L"一行目\r\n二行目");
    // The last line has no line end and is shown whole.
    EXPECT_EQ(seen.c44, L"say \"hi\"");
    EXPECT_EQ(seen.c05, L"00003");
    EXPECT_EQ(seen.c15, L"00003:3");
    EXPECT_EQ(seen.top2, L"1");
    EXPECT_EQ(seen.top4, L"3");
    EXPECT_EQ(seen.memo, L"一行目\r\n二行目");
    EXPECT_TRUE(Said(h.Messages()).empty());
}

TEST(GridWindow, AutomaticRuleAndLfToTab) {
    TestProgramFolder folder;
    MsgCapture msgs;
    OpenGrid g(GridFixture(L"data.csv"));
    // The automatic rule cuts at every comma, quotes or not.
    EXPECT_EQ(CellOf(g.grid(), 1, 3), L"00002:4");
    EXPECT_EQ(CellOf(g.grid(), 3, 3), L"\"東京都");
    EXPECT_EQ(CellOf(g.grid(), 5, 3), L"\"一行目\r\n二行目\"");
    // LF to tab, then reload: the line has a tab and is cut at tabs only.
    g.f().RunCommand(1021);
    g.f().RunCommand(1011);
    EXPECT_EQ(CellOf(g.grid(), 1, 3), L"00002:2");
    EXPECT_EQ(CellOf(g.grid(), 2, 3), L"山田,\"東京都,千代田区\",\"一行目");
    // Edit mode becomes available with the first reload.
    EXPECT_TRUE(g.f().MenuEnabled(1111));
    // The LF inside the CR LF lines is told once the window stands.
    ASSERT_TRUE(WaitFor([&] { return !msgs.Texts().empty(); }, 3000));
    EXPECT_EQ(msgs.Texts()[0], L"Information : 改行(CrLf)までに、さらに改行(Lf)があります");
}

TEST(GridWindow, SearchFindsTheNearestCellBothWaysAndSaysWhenNone) {
    TestProgramFolder folder;
    TempDir dir;
    ASSERT_TRUE(quibtest::WriteFileBytes(dir / L"s.csv", "x,apple,y,apple,z\r\napple,b,c,d,e\r\n"));
    MsgCapture msgs;
    OpenGrid g(dir / L"s.csv");
    TMLStringGrid& grid = g.f().StringGrid1();
    quib::SetText(g.f().Edit1(), L"APPLE");
    // From the first cell forward: column 3 (the nearer), not column 5.
    SendMessageW(g.f().Button(TFormViewGrid::kTagButtonGridNext), BM_CLICK, 0, 0);
    EXPECT_EQ(grid.Col(), 3);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(GetFocus(), grid.Handle());
    PressKey(grid.Handle(), VK_F3);
    EXPECT_EQ(grid.Col(), 5);
    PressKey(grid.Handle(), VK_F3);
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Row(), 3);
    // Backward from there: the row above from its last column.
    PressKey(grid.Handle(), VK_F3, 1);
    EXPECT_EQ(grid.Col(), 5);
    EXPECT_EQ(grid.Row(), 2);
    PressKey(grid.Handle(), VK_F3, 1);
    EXPECT_EQ(grid.Col(), 3);
    EXPECT_TRUE(Said(msgs).empty());
    PressKey(grid.Handle(), VK_F3, 1);
    ASSERT_EQ(Said(msgs).size(), 1u);
    EXPECT_EQ(Said(msgs)[0], L"Information : 検索文字がありません");
    EXPECT_EQ(grid.Col(), 3);
}

TEST(GridWindow, CellEditorSearchAndNotFoundInEnglish) {
    TestProgramFolder folder;
    TempDir dir;
    ASSERT_TRUE(quibtest::WriteFileBytes(dir / L"m.csv", "\"word one\nand word\",x\r\n"));
    MsgCapture msgs;
    OpenGrid g(dir / L"m.csv", false);
    g.f().RunCommand(1033);
    HWND memo = g.f().Memo1();
    ASSERT_EQ(quibtest::WindowText(memo), L"word one\r\nand word");
    quib::SetText(g.f().Edit1(), L"word");
    SetFocus(memo);
    SendMessageW(memo, EM_SETSEL, 0, 0);
    PressKey(memo, VK_F3);
    DWORD s = 0, e = 0;
    SendMessageW(memo, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    EXPECT_EQ(s, 0u);
    EXPECT_EQ(e, 4u);
    PressKey(memo, VK_F3);
    SendMessageW(memo, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    EXPECT_EQ(s, 14u);
    // Backward from there: the match at the very start counts.
    PressKey(memo, VK_F3, 1);
    SendMessageW(memo, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    EXPECT_EQ(s, 0u);
    EXPECT_EQ(GetFocus(), memo);
    PressKey(memo, VK_F3, 1);
    ASSERT_EQ(Said(msgs).size(), 1u);
    EXPECT_EQ(Said(msgs)[0], L"Information : Search word can not find.\r\n[OK]");
    // English status texts of the editor.
    EXPECT_EQ(g.f().StatusText(3, 1), L"Row:2");
}

TEST(GridWindow, FourCopyFormatsReachTheClipboard) {
    TestProgramFolder folder;
    // Files with LF inside CR LF lines bring the mixed line-end notice.
    MsgCapture msgs;
    TempDir dir;
    ASSERT_TRUE(quibtest::WriteFileBytes(dir / L"c.csv", "a,\"b,c\",\"q\"\"x\"\r\n\"l1\nl2\",,z\r\n"));
    OpenGrid g(dir / L"c.csv");
    g.f().RunCommand(1033);
    HWND grid = g.grid();
    SetFocus(grid);
    // A 3 x 2 block by Shift+arrows from the first cell.
    PressKey(grid, VK_RIGHT, 1);
    PressKey(grid, VK_RIGHT, 1);
    PressKey(grid, VK_DOWN, 1);
    const RECT sel = g.f().StringGrid1().Selection();
    EXPECT_EQ(sel.left, 2);
    EXPECT_EQ(sel.right, 4);
    EXPECT_EQ(sel.bottom, 3);
    const struct {
        int tag;
        const wchar_t* text;
    } formats[] = {
        {1121, L"a\tb,c\tq\"x\r\nl1\nl2\t\tz\r\n"},
        {1122, L"\"a\",\"b,c\",\"q\"x\"\r\n\"l1\nl2\",\"\",\"z\"\r\n"},
        {1123, L"a,b,c,q\"x\r\nl1\nl2,,z\r\n"},
        {1125, L"a,\"b,c\",\"q\"\"x\"\r\n\"l1\nl2\",,z\r\n"},
    };
    for (const auto& fm : formats) {
        SCOPED_TRACE(fm.tag);
        quibtest::SetClipboardText(L"before");
        g.f().RunCommand(fm.tag);
        EXPECT_TRUE(g.f().MenuChecked(fm.tag));
        g.f().RunCommand(1124);
        EXPECT_EQ(quibtest::ClipboardText(), fm.text);
    }
}

TEST(GridWindow, TitleRowAndColumn) {
    TestProgramFolder folder;
    // Files with LF inside CR LF lines bring the mixed line-end notice.
    MsgCapture msgs;
    OpenGrid g(GridFixture(L"data.csv"));
    g.f().RunCommand(1033);
    HWND grid = g.grid();
    g.f().RunCommand(1321);  // the current (first) row becomes the title row
    EXPECT_EQ(CellOf(grid, 2, 1), L"名前");
    EXPECT_EQ(CellOf(grid, 4, 1), L"メモ");
    PressKey(grid, VK_RIGHT);
    g.f().RunCommand(1331);
    EXPECT_EQ(CellOf(grid, 1, 2), L"住所");
    EXPECT_EQ(CellOf(grid, 1, 3), L"東京都,千代田区");
    g.f().RunCommand(1322);
    EXPECT_EQ(CellOf(grid, 2, 1), L"");
    g.f().RunCommand(1332);
    EXPECT_EQ(CellOf(grid, 1, 3), L"");
    // Panel 0: [column,row] by default, [row,column] when chosen.
    PressKey(grid, VK_DOWN);
    EXPECT_EQ(g.f().StatusText(1, 0), L"[2,2]");
    PressKey(grid, VK_RIGHT);
    EXPECT_EQ(g.f().StatusText(2, 0), L"[3,2]");
    g.f().RunCommand(1341);
    EXPECT_EQ(g.f().StatusText(1, 0), L"[2,3]");
}

TEST(GridWindow, LineBreakMarksGoWhereTheEditorEndsEachLine) {
    struct Case {
        std::wstring text;
        std::vector<size_t> marks;
    };
    // CR LF counts once, at its CR; a lone CR at the character after it; a
    // lone LF at itself.
    for (const Case& c : {Case{L"", {}}, Case{L"abc", {}}, Case{L"a\r\nb", {1}}, Case{L"a\nb\n", {1, 3}},
                          Case{L"a\rb", {2}}, Case{L"\r\n\r\n", {0, 2}}, Case{L"a\r", {2}}, Case{L"\n\r\n", {0, 1}}})
        EXPECT_EQ(quib::CrLfMarkChars(c.text), c.marks) << testing::PrintToString(c.text);
    EXPECT_EQ(quib::CrLfMarkChars(L"a\r\nb\r\nc\r\n", 3, 7), (std::vector<size_t>{4}));
}

TEST(GridWindow, TheCellEditorShowsItsLineBreaksInTheirColour) {
    TestProgramFolder folder;
    MsgCapture msgs;
    OpenGrid g(GridFixture(L"data.csv"));
    g.f().RunCommand(1033);
    HWND grid = g.grid();
    SetFocus(grid);
    PressKey(grid, VK_DOWN);
    PressKey(grid, VK_RIGHT);
    PressKey(grid, VK_RIGHT);
    HWND memo = g.f().Memo1();
    ASSERT_EQ(quibtest::WindowText(memo), L"一行目\r\n二行目");
    // The mark colour the user sees where the first line ends.
    auto markPixels = [&](POINT at) {
        InvalidateRect(memo, nullptr, TRUE);
        UpdateWindow(memo);
        HDC dc = GetDC(memo);
        TEXTMETRICW tm{};
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(memo, WM_GETFONT, 0, 0)));
        GetTextMetricsW(dc, &tm);
        SelectObject(dc, old);
        int blue = 0;
        for (int y = at.y; y < at.y + tm.tmHeight; ++y)
            for (int x = at.x; x < at.x + tm.tmMaxCharWidth; ++x) {
                const COLORREF c = GetPixel(dc, x, y);
                if (GetBValue(c) > 160 && GetRValue(c) < 100 && GetGValue(c) < 100) ++blue;
            }
        ReleaseDC(memo, dc);
        return blue;
    };
    InvalidateRect(memo, nullptr, TRUE);
    UpdateWindow(memo);
    const std::vector<POINT> marks = g.f().MemoCrLf().LastMarks();
    ASSERT_EQ(marks.size(), 1u);
    // On the first line, after its text.
    const LRESULT firstChar = SendMessageW(memo, EM_POSFROMCHAR, 0, 0);
    EXPECT_EQ(marks[0].y, static_cast<short>(HIWORD(firstChar)));
    EXPECT_GT(marks[0].x, static_cast<short>(LOWORD(firstChar)));
    EXPECT_GT(markPixels(marks[0]), 3) << "a blue mark after the first line";
    EXPECT_EQ(g.f().MemoCrLf().CrLfColor(), RGB(0, 0, 255));
    // A cell of one line: no mark, and none left behind.
    PressKey(grid, VK_LEFT);
    ASSERT_EQ(quibtest::WindowText(memo).find(L'\n'), std::wstring::npos);
    EXPECT_TRUE(g.f().MemoCrLf().LastMarks().empty());
    EXPECT_EQ(markPixels(marks[0]), 0);
}

TEST(GridWindow, CtrlArrowsFromTheEditorMoveTheGridWithinTheData) {
    TestProgramFolder folder;
    // Files with LF inside CR LF lines bring the mixed line-end notice.
    MsgCapture msgs;
    OpenGrid g(GridFixture(L"data.csv"));
    TMLStringGrid& grid = g.f().StringGrid1();
    HWND memo = g.f().Memo1();
    SetFocus(memo);
    PressKey(memo, VK_UP, 4);  // the first data row: nothing happens
    EXPECT_EQ(grid.Row(), 2);
    PressKey(memo, VK_LEFT, 4);
    EXPECT_EQ(grid.Col(), 2);
    PressKey(memo, VK_DOWN, 4);
    PressKey(memo, VK_RIGHT, 4);
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid.Col(), 3);
    EXPECT_EQ(GetFocus(), memo);
    EXPECT_EQ(quibtest::WindowText(memo), L"\"東京都");
}

TEST(GridWindow, EditModeChangesAskBeforeClosingAndNoKeepsTheWindow) {
    TestProgramFolder folder;
    MsgCapture msgs;
    OpenGrid g(GridFixture(L"data.csv"));
    // Edit mode becomes available only after a reload.
    EXPECT_FALSE(g.f().MenuEnabled(1111));
    g.f().RunCommand(1011);
    PressKey(g.grid(), 'E', 4);
    ASSERT_TRUE(g.f().InEditMode());
    EXPECT_EQ(g.f().StatusText(1, 1), L"編集中");
    HWND memo = g.f().Memo1();
    SetFocus(memo);
    SendMessageW(memo, EM_SETSEL, 0, -1);
    SendMessageW(memo, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"新しい"));
    PressKey(memo, VK_DOWN, 4);  // the text goes back into the cell it came from
    EXPECT_EQ(CellOf(g.grid(), 2, 2), L"新しい");
    EXPECT_TRUE(g.f().BoolEditModified);
    // Esc does not close in edit mode; closing asks, and No keeps the window.
    PressKey(memo, VK_ESCAPE);
    quibtest::Pump(20);
    EXPECT_TRUE(IsWindow(g.f().Handle()));
    msgs.Answer([](const quib::MsgRecord&) { return IDNO; });
    SendMessageW(g.f().Handle(), WM_CLOSE, 0, 0);
    quibtest::Pump(20);
    ASSERT_EQ(Said(msgs).size(), 1u);
    EXPECT_EQ(Said(msgs)[0], L"Information : 編集されています\r\n終了しますか？");
    EXPECT_TRUE(IsWindow(g.f().Handle()));
    // A reload ends edit mode and the edits.
    g.f().RunCommand(1011);
    EXPECT_FALSE(g.f().InEditMode());
    EXPECT_EQ(CellOf(g.grid(), 2, 2), L"名前");
}

TEST(GridWindow, OddUtf16FileKeepsItsLinesAndSaysSo) {
    TestProgramFolder folder;
    TempDir dir;
    std::string bytes = "\xFF\xFE";
    bytes += quibtest::Utf16LeBytes(L"a,b\r\nc,d");
    bytes += 'A';
    ASSERT_TRUE(quibtest::WriteFileBytes(dir / L"odd.csv", bytes));
    MsgCapture msgs;
    OpenGrid g(dir / L"odd.csv", false);
    EXPECT_EQ(CellOf(g.grid(), 3, 3), L"d");
    ASSERT_EQ(Said(msgs).size(), 1u);
    EXPECT_EQ(Said(msgs)[0], L"Information : File size is odd, so the last byte can not read as UTF-16.\r\n[OK]\r\n" +
                                   dir / L"odd.csv");
    EXPECT_EQ(g.f().StatusText(1, 4), L"UTF16 [WithBOM LittleEndian]");
}

TEST(GridWindow, MissingFileAndJisFile) {
    TestProgramFolder folder;
    TempDir dir;
    {
        MsgCapture msgs;
        OpenGrid g(dir / L"none.csv");
        ASSERT_EQ(Said(msgs).size(), 1u);
        EXPECT_EQ(Said(msgs)[0], L"Information : ファイルがありません");
    }
    // Seven-bit JIS is shown decoded as Shift_JIS, its encoding unknown.
    ASSERT_TRUE(quibtest::WriteFileBytes(dir / L"jis.csv", "\x1b$B$\"\x1b(B,#a\r\n"));
    MsgCapture msgs;
    OpenGrid g(dir / L"jis.csv", false);
    EXPECT_EQ(g.f().StatusText(1, 4), L"UnKnown");
    EXPECT_EQ(CellOf(g.grid(), 3, 2), L"#a");
}

TEST(GridWindow, ReadErrorIsSaidAndWhatWasReadStays) {
    TestProgramFolder folder;
    TempDir dir;
    std::string text;
    for (int i = 0; i < 200000; ++i) text += "line" + std::to_string(i) + "," + std::string(40, 'x') + "\r\n";
    ASSERT_TRUE(quibtest::WriteFileBytes(dir / L"locked.csv", text));
    // The second piece of 4 MB fails to read, as a failing disk would.
    int pieces = 0;
    quib::SetPieceReaderForTests([&](HANDLE f, char* buffer, DWORD size, DWORD* got) {
        if (++pieces == 2) return false;
        return ReadFile(f, buffer, size, got, nullptr) != FALSE;
    });
    MsgCapture msgs;
    OpenGrid g(dir / L"locked.csv");
    quib::SetPieceReaderForTests(nullptr);
    ASSERT_EQ(Said(msgs).size(), 1u);
    EXPECT_EQ(Said(msgs)[0],
              L"Error : ファイルの読み込みに失敗しました\r\n読み込めた所までを表示します\r\n" + dir / L"locked.csv");
    // The lines of the first 4 MB are there.
    const int rows = g.f().StringGrid1().RowCount();
    EXPECT_GT(rows, 50000);
    EXPECT_LT(rows, 150000);
    EXPECT_EQ(CellOf(g.grid(), 2, 2), L"line0");
}

TEST(GridWindow, CloseOrReloadDuringTheLoadWaitUntilItIsDone) {
    TestProgramFolder folder;
    TempDir dir;
    std::string text;
    for (int i = 0; i < 3000; ++i) {
        text += 'a';
        text += std::to_string(i);
        text += ",b\r\n";
    }
    ASSERT_TRUE(quibtest::WriteFileBytes(dir / L"big.csv", text));
    MsgCapture msgs;
    OpenGrid g(dir / L"big.csv");
    HWND w = g.f().Handle();
    // The automatic rule lets messages run once per line; a reload and a
    // close queued before the load arrive in the middle of it.
    int pumps = 0;
    quib::SetPumpHook([&] {
        ++pumps;
        quib::Application().ProcessMessages();
    });
    PostMessageW(w, WM_COMMAND, 1011, 0);
    PostMessageW(w, WM_CLOSE, 0, 0);
    g.f().RunCommand(1011);
    quib::SetPumpHook(nullptr);
    EXPECT_GT(pumps, 1000);
    // The load ended whole; the close came afterwards.
    quibtest::Pump(50);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_TRUE(Said(msgs).empty());
}

TEST(GridWindow, SettingsAreWrittenAndReadBack) {
    TestProgramFolder folder;
    // Files with LF inside CR LF lines bring the mixed line-end notice.
    MsgCapture msgs;
    {
        OpenGrid g(GridFixture(L"data.csv"));
        g.f().RunCommand(1123);
        g.f().RunCommand(1153);
        quib::SetText(g.f().Edit1(), L"語");
        TFormViewGrid::SetColorPickerForTests([](HWND, COLORREF& c) {
            c = RGB(1, 2, 3);
            return true;
        });
        g.f().RunCommand(1412);
        TFormViewGrid::SetFontPickerForTests([](HWND, LOGFONTW& lf, COLORREF& c) {
            lstrcpyW(lf.lfFaceName, L"Arial");
            lf.lfHeight = -MulDiv(20, 96, 72);
            c = RGB(255, 0, 0);
            return true;
        });
        g.f().RunCommand(1411);
        TFormViewGrid::SetColorPickerForTests(nullptr);
        TFormViewGrid::SetFontPickerForTests(nullptr);
        EXPECT_EQ(g.f().StringGrid1().Color, RGB(1, 2, 3));
        EXPECT_EQ(g.f().StringGrid1().FontColor, RGB(255, 0, 0));
    }
    EXPECT_EQ(folder.Read(L"ViewGrid", L"ClipComma"), L"1");
    EXPECT_EQ(folder.Read(L"ViewGrid", L"ClipTAB"), L"0");
    EXPECT_EQ(folder.Read(L"ViewGlid", L"MemoHeightIndex"), L"3");
    EXPECT_EQ(folder.Read(L"ViewGlid", L"SearchWord"), L"語");
    EXPECT_EQ(folder.Read(L"ViewGlid", L"Color"), L"$00030201");
    EXPECT_EQ(folder.Read(L"ViewGlid", L"FontColor"), L"clRed");
    EXPECT_EQ(folder.Read(L"ViewGlid", L"FontName"), L"Arial");
    EXPECT_EQ(folder.Read(L"ViewGlid", L"FixedColor"), L"clSkyBlue");
    EXPECT_EQ(folder.Read(L"FormViewGrid", L"State"), L"NORMAL");
    OpenGrid again(GridFixture(L"data.csv"));
    EXPECT_TRUE(again.f().MenuChecked(1123));
    EXPECT_FALSE(again.f().MenuChecked(1121));
    EXPECT_TRUE(again.f().MenuChecked(1153));
    EXPECT_EQ(quibtest::WindowText(again.f().Edit1()), L"語");
    EXPECT_EQ(again.f().StringGrid1().Color, RGB(1, 2, 3));
    // Reset to the designed look.
    again.f().RunCommand(1431);
    EXPECT_EQ(again.f().StringGrid1().Color, RGB(255, 255, 255));
    EXPECT_EQ(again.f().StringGrid1().CurrentBackColor(), 0xFF8000u);
}

TEST(GridWindow, SameAsQuibViewWithoutItsFile) {
    TestProgramFolder folder;
    MsgCapture msgs;
    OpenGrid g(GridFixture(L"data.csv"), false);
    g.f().RunCommand(1432);
    EXPECT_FALSE(g.f().MenuChecked(1432));
    ASSERT_EQ(Said(msgs).size(), 1u);
    const std::wstring path = quib::ProgramFolder() + L"\\quibFM.ini";
    EXPECT_EQ(Said(msgs)[0],
              L"Information : Checked can not accept, because of quibFM.ini is not exists.\r\n" + path + L"\r\n[OK]");
}

TEST(GridWindow, KeysScrollAndJumpOverManyRows) {
    TestProgramFolder folder;
    // Files with LF inside CR LF lines bring the mixed line-end notice.
    MsgCapture msgs;
    TempDir dir;
    std::string text;
    for (int i = 1; i <= 5000; ++i) text += std::to_string(i) + ",\"m\nl\"\r\n";
    ASSERT_TRUE(quibtest::WriteFileBytes(dir / L"many.csv", text));
    OpenGrid g(dir / L"many.csv");
    TMLStringGrid& grid = g.f().StringGrid1();
    HWND h = grid.Handle();
    SetFocus(h);
    PressKey(h, VK_END, 4);
    EXPECT_EQ(grid.Row(), 5001);
    EXPECT_EQ(grid.Col(), 3);
    EXPECT_GT(grid.TopRow(), 4900);
    EXPECT_EQ(quibtest::WindowText(g.f().Memo1()), L"\"m\r\nl\"");
    PressKey(h, VK_HOME, 4);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.TopRow(), 2);
    const int page = grid.VisibleRowCount();
    PressKey(h, VK_NEXT);
    EXPECT_EQ(grid.Row(), 2 + page);
    // The wheel scrolls the view by three rows a notch.
    const int top = grid.TopRow();
    SendMessageW(h, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(grid.TopRow(), top + 3);
}

TEST(GridWindow, EnglishCaptionsFromTheLanguageFile) {
    TestProgramFolder folder;
    MsgCapture msgs;
    const std::wstring dir = quib::ProgramFolder() + L"\\Language\\quibFMarchive";
    ASSERT_EQ(SHCreateDirectoryExW(nullptr, dir.c_str(), nullptr), ERROR_SUCCESS);
    ASSERT_TRUE(CopyFileW((quibtest::BinDir() + L"\\Language\\quibFMarchive\\ViewGrid.txt").c_str(),
                          (dir + L"\\ViewGrid.txt").c_str(), FALSE));
    OpenGrid g(GridFixture(L"data.csv"), false);
    EXPECT_EQ(g.f().MenuItemCaption(1011), L"&Reload");
    EXPECT_EQ(g.f().MenuItemCaption(TFormViewGrid::kTagMenuRead), L"&Read");
    EXPECT_EQ(g.f().MenuItemCaption(1124), L"Copy selection to clipboard(&Z)");
    EXPECT_EQ(quibtest::WindowText(g.f().Button(TFormViewGrid::kTagButtonGridNext)), L"Next(&V)");
    EXPECT_EQ(quibtest::WindowText(g.f().Handle()), GridFixture(L"data.csv") + L" - ViewGrid");
    EXPECT_EQ(g.f().StatusText(1, 5), L"Cr+Lf(Windows) ");
    // Back to Japanese with the developer keys' switch.
    g.f().SwitchLanguage(true);
    EXPECT_EQ(g.f().MenuItemCaption(1011), L"再読み込み(&R)");
    EXPECT_EQ(quibtest::WindowText(g.f().Handle()), GridFixture(L"data.csv") + L" - グリッド表示");
}
