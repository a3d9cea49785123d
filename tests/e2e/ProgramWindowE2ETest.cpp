// The real program's window read from outside: the rows of its list and the
// totals of its status bar in both display forms, folders entered with real
// key presses, legacy Japanese names under the Japanese code page, and the
// message a missing archiver DLL gives. Nothing here looks at pixels, so the
// same checks hold wherever the program runs, painting or not.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "OtherProcess.h"
#include "TestSupport.h"
#include "util/IniFile.h"
#include "util/StrConv.h"

using namespace quibtest;

namespace {

std::wstring Fixture(const std::wstring& name) { return FixturesDir() + L"\\program\\" + name; }

bool Contains(const std::vector<std::wstring>& texts, const std::wstring& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

std::string Joined(const std::vector<std::wstring>& texts) {
    std::string out;
    for (const auto& t : texts) {
        out += '[';
        out += quib::WideToUtf8(t);
        out += ']';
    }
    return out;
}

// The program started on one archive in a fresh folder, its list and status
// bar found inside its main window.
class ProgramWindow {
public:
    void Set(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
        quib::IniFile::CreateEmptyUnicode(folder_.Ini());  // keeps a file that is there
        quib::IniFile(folder_.Ini()).WriteString(section, key, value);
    }
    ProgramFolder& Folder() { return folder_; }

    void Start(const std::wstring& archive) {
        archive_ = archive;
        program_ = std::make_unique<RunningProgram>(folder_.Exe(), L"\"" + archive + L"\"");
        ASSERT_TRUE(program_->Started());
    }
    // Waits for the main window showing the archive.
    void WaitForWindow() {
        window_ = program_->WaitForWindow(archive_ + L" - quibFMarchive");
        ASSERT_NE(window_, nullptr);
        list_ = FindDescendant(window_, WC_LISTVIEWW);
        status_ = FindDescendant(window_, STATUSCLASSNAMEW);
        ASSERT_NE(list_, nullptr);
        ASSERT_NE(status_, nullptr);
    }
    // ... and its rows.
    void WaitForList() {
        ASSERT_NO_FATAL_FAILURE(WaitForWindow());
        ASSERT_TRUE(PollFor([&] { return OtherListRowCount(list_) > 0; }));
    }
    RunningProgram& Program() { return *program_; }
    HWND List() const { return list_; }
    std::vector<std::wstring> Names() const { return OtherListColumn(list_, 1); }
    std::wstring Cell(int row, int column) const { return OtherListCellText(list_, row, column); }
    int RowOf(const std::wstring& name) const {
        const auto names = Names();
        const auto it = std::find(names.begin(), names.end(), name);
        return it == names.end() ? -1 : static_cast<int>(it - names.begin());
    }
    std::wstring Status(int part) const { return OtherStatusText(status_, part); }

    // A key press as the keyboard delivers it to the list: through the
    // program's message loop, where its key map sees it first.
    void Press(WORD vk) const {
        PostMessageW(list_, WM_KEYDOWN, vk, 1);
        PostMessageW(list_, WM_KEYUP, vk, 0xC0000001);
    }
    int Close() { return program_->CloseAndWait(window_); }

private:
    ProgramFolder folder_;
    std::wstring archive_;
    std::unique_ptr<RunningProgram> program_;
    HWND window_ = nullptr, list_ = nullptr, status_ = nullptr;
};

}  // namespace

TEST(ProgramWindowE2E, TheProgramRunsWithTheBitnessOfTheTests) {
    // The i686 suite runs 32-bit test programs; the program they start must be
    // 32-bit code too, or the suite would prove nothing about the shipped build.
    ProgramWindow w;
    w.Start(Fixture(L"levels.zip"));
    ASSERT_NO_FATAL_FAILURE(w.WaitForList());
    EXPECT_EQ(IsWow64(w.Program().ProcessId()), sizeof(void*) == 4);
    EXPECT_EQ(IsWow64(GetCurrentProcessId()), sizeof(void*) == 4);
    EXPECT_EQ(w.Close(), 0);
}

TEST(ProgramWindowE2E, TextFormShowsEveryStoredPathWithItsCellsAndTotals) {
    ProgramWindow w;
    w.Set(L"ListText", L"Enabled", L"1");
    w.Set(L"ListFiler", L"Enabled", L"0");
    w.Start(Fixture(L"levels.zip"));
    ASSERT_NO_FATAL_FAILURE(w.WaitForList());
    const std::vector<std::wstring> expected = {L"<\\>", L"b.txt", L"a/", L"a/x.txt", L"a/b/c.txt"};
    ASSERT_EQ(w.Names(), expected) << Joined(w.Names());
    EXPECT_EQ(w.Cell(1, 2), L".txt");
    EXPECT_EQ(w.Cell(1, 3), L"      2");
    EXPECT_EQ(w.Cell(2, 3), L" <DIR>");
    EXPECT_EQ(w.Cell(1, 4), L"2024/05/01");
    EXPECT_EQ(w.Cell(1, 5), L"12:34:56");
    EXPECT_EQ(w.Cell(4, 3), L"      3");
    // Totals: the sizes and the count of the rows other than the root line.
    EXPECT_EQ(w.Status(2), std::wstring(10, L' ') + L"4");
    EXPECT_EQ(w.Close(), 0);
}

TEST(ProgramWindowE2E, FilerFormShowsOneFolderAndKeysWalkInAndOut) {
    ProgramWindow w;
    w.Start(Fixture(L"filer.zip"));
    ASSERT_NO_FATAL_FAILURE(w.WaitForList());
    const std::vector<std::wstring> root = {L"<\\>",   L"deep",       L"docs",    L"img",
                                            L"img2",   L"hidden.txt", L"img.txt", L"inner.zip",
                                            L"ro.txt", L"sys.txt",    L"tool.exe"};
    ASSERT_EQ(w.Names(), root) << Joined(w.Names());
    EXPECT_EQ(w.Cell(w.RowOf(L"img"), 3), L" <DIR>");
    EXPECT_EQ(w.Cell(w.RowOf(L"img"), 4), L"");  // known only through its files
    EXPECT_EQ(w.Status(2), std::wstring(9, L' ') + L"10");

    // Down to "docs" and in.
    w.Press(VK_HOME);
    ASSERT_TRUE(PollFor([&] { return OtherListSelectedRow(w.List()) == 0; }));
    w.Press(VK_DOWN);
    w.Press(VK_DOWN);
    ASSERT_TRUE(PollFor([&] { return OtherListSelectedRow(w.List()) == 2; }));
    w.Press(VK_RETURN);
    ASSERT_TRUE(PollFor([&] { return w.Cell(0, 1) == L"<..>"; })) << Joined(w.Names());
    const std::vector<std::wstring> docs = {L"<..>",  L"1.txt", L"2.txt", L"3.txt",
                                            L"4.txt", L"5.txt", L"6.txt", L"7.txt"};
    EXPECT_EQ(w.Names(), docs);
    EXPECT_EQ(w.Cell(3, 3), L"  3,000");
    // Back up: the root again, the cursor on the folder just left.
    w.Press(VK_BACK);
    ASSERT_TRUE(PollFor([&] { return w.Cell(0, 1) == L"<\\>"; })) << Joined(w.Names());
    EXPECT_EQ(w.Names(), root);
    ASSERT_TRUE(PollFor([&] { return OtherListSelectedRow(w.List()) == 2; }));
    EXPECT_EQ(w.Close(), 0);
}

TEST(ProgramWindowE2E, LegacyJapaneseNamesUnderTheJapaneseCodePage) {
    // The zip stores its names in Shift_JIS without the UTF-8 flag: only a
    // system with the Japanese code page reads them as Japanese.
    if (GetACP() != 932) GTEST_SKIP() << "needs the Japanese system code page";
    ProgramWindow w;
    w.Set(L"ListText", L"Enabled", L"1");
    w.Set(L"ListFiler", L"Enabled", L"0");
    w.Start(Fixture(L"sample.zip"));
    ASSERT_NO_FATAL_FAILURE(w.WaitForList());
    const auto names = w.Names();
    EXPECT_TRUE(Contains(names, L"文書/メモ.txt")) << Joined(names);
    EXPECT_TRUE(Contains(names, L"画像/2024/夕焼け.png")) << Joined(names);
    EXPECT_EQ(names.at(1), L"readme.txt");
    EXPECT_EQ(w.Cell(w.RowOf(L"文書/メモ.txt"), 2), L".txt");
    EXPECT_EQ(w.Close(), 0);
}

TEST(ProgramWindowE2E, AMissingArchiverDllIsReportedAndTheProgramStaysUsable) {
    for (const wchar_t* japanese : {L"1", L"0"}) {
        SCOPED_TRACE(quib::WideToUtf8(japanese));
        ProgramWindow w;
        w.Set(L"Language", L"Japanese", japanese);
        ASSERT_TRUE(DeleteFileW((w.Folder() / L"UNLHA32.DLL").c_str()));
        w.Start(Fixture(L"sample.lzh"));
        HWND box = nullptr;
        ASSERT_TRUE(PollFor([&] { return (box = FindProcessWindow(w.Program().ProcessId(), L"#32770")) != nullptr; }, 20000));
        EXPECT_EQ(WindowText(box), L"quibFMarchive");
        // The text is the same in both languages: it names the missing entry point.
        EXPECT_EQ(WindowText(GetDlgItem(box, 0xFFFF)), L"DLLの関数 UnlhaOpenArchive のアドレスが見つかりません.");
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        // The window comes up with the listing that failed left empty.
        ASSERT_NO_FATAL_FAILURE(w.WaitForWindow());
        EXPECT_EQ(OtherListRowCount(w.List()), 0);
        EXPECT_EQ(FindProcessWindow(w.Program().ProcessId(), L"#32770"), nullptr);
        EXPECT_EQ(w.Close(), 0);
    }
}

// The font probe that lets the 32-bit run step over windows Wine's WoW64 mode
// cannot show must not step over anything where fonts work.
TEST(ProgramWindowE2E, TheFontProbeFindsFontsWhereverTheyWork) {
    const bool fonts = GdiSelectsFonts();
    RecordProperty("gdi_selects_fonts", fonts ? "yes" : "no");
    if (sizeof(void*) == 8) {
        EXPECT_TRUE(fonts);
    }
}
