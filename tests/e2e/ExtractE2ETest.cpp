// The real program started from outside: two entries marked with the
// keyboard, extracted through the dialog, the files compared with the
// originals; and two instances side by side with their own temporary folders.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>

#include "TestSupport.h"
#include "util/IniFile.h"
#include "util/StrConv.h"

using namespace quibtest;

namespace {

std::wstring Standin(const std::wstring& name) { return FixturesDir() + L"\\standin\\" + name; }

struct Found {
    DWORD pid;
    const wchar_t* cls;
    const wchar_t* caption;
    HWND hwnd = nullptr;
};

BOOL CALLBACK MatchWindow(HWND w, LPARAM lp) {
    auto* f = reinterpret_cast<Found*>(lp);
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner != f->pid || !IsWindowVisible(w)) return TRUE;
    wchar_t c[256] = {};
    GetClassNameW(w, c, 256);
    if (f->cls && lstrcmpW(c, f->cls) != 0) return TRUE;
    if (f->caption && WindowText(w) != f->caption) return TRUE;
    f->hwnd = w;
    return FALSE;
}

// A visible top-level window of the process, by class and (when given) caption.
HWND FindProcessWindow(DWORD pid, const wchar_t* cls, const wchar_t* caption, DWORD timeoutMs = 15000) {
    const DWORD end = GetTickCount() + timeoutMs;
    while (GetTickCount() < end) {
        Found f{pid, cls, caption};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&f));
        if (f.hwnd) return f.hwnd;
        Sleep(50);
    }
    return nullptr;
}

void Key(HWND target, WORD vk) {
    PostMessageW(target, WM_KEYDOWN, vk, 1);
    PostMessageW(target, WM_KEYUP, vk, 0xC0000001);
    Sleep(150);
}

// Keys are posted to another process: each one is waited for through what it
// changes, so a busy machine cannot reorder or lose the next one.
bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = 10000) {
    const DWORD end = GetTickCount() + timeoutMs;
    while (GetTickCount() < end) {
        if (done()) return true;
        Sleep(30);
    }
    return done();
}
int FocusedRow(HWND list) {
    return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

}  // namespace

TEST(ExtractE2E, TwoEntriesMarkedWithTheKeyboardAreExtractedByteForByte) {
    if (!GdiSelectsFonts()) GTEST_SKIP() << kNoFontsUnderThisWine;
    ProgramFolder folder;
    TempDir out;
    const std::wstring dest = out / L"dest";
    CreateDirectoryW(dest.c_str(), nullptr);
    const std::wstring archive = Standin(L"basic.zip");
    RunningProgram program(folder.Exe(), L"\"" + archive + L"\"");
    ASSERT_TRUE(program.Started());
    HWND main = program.WaitForWindow(archive + L" - quibFMarchive");
    ASSERT_NE(main, nullptr);
    HWND list = FindWindowExW(main, nullptr, L"SysListView32", nullptr);
    ASSERT_NE(list, nullptr);
    // The filer display: <\>, docs, bin.dat, hello.txt. Two downs, two marks.
    ASSERT_TRUE(WaitFor([&] { return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 4 && FocusedRow(list) == 0; }));
    Key(list, VK_DOWN);
    ASSERT_TRUE(WaitFor([&] { return FocusedRow(list) == 1; }));
    Key(list, VK_DOWN);
    ASSERT_TRUE(WaitFor([&] { return FocusedRow(list) == 2; }));
    Key(list, VK_SPACE);
    ASSERT_TRUE(WaitFor([&] { return FocusedRow(list) == 3; }));
    Key(list, VK_SPACE);
    Key(list, 'U');
    HWND dialog = FindProcessWindow(program.ProcessId(), nullptr, L"ファイル解凍");
    ASSERT_NE(dialog, nullptr);
    HWND combo = FindWindowExW(dialog, nullptr, L"ComboBox", nullptr);
    combo = FindWindowExW(dialog, combo, L"ComboBox", nullptr);
    HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(dest.c_str()));
    Key(edit, VK_RETURN);
    // The report box: closed with its OK button.
    HWND box = FindProcessWindow(program.ProcessId(), L"#32770", nullptr);
    ASSERT_NE(box, nullptr);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    Sleep(200);
    EXPECT_EQ(program.CloseAndWait(main), 0);
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW fd{};
    HANDLE h = FindFirstFileW((dest + L"\\*").c_str(), &fd);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    do {
        if (fd.cFileName[0] != L'.') names.push_back(fd.cFileName);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"bin.dat", L"hello.txt"}));
    for (const auto& n : names) EXPECT_EQ(ReadFileBytes(dest + L"\\" + n), ReadFileBytes(Standin(L"src\\" + n)));
    // The destination went into the history.
    EXPECT_TRUE(FileExists(folder / L"quibFMarchive-History.txt"));
}

TEST(ExtractE2E, TwoInstancesKeepTheirOwnTemporaryFolders) {
    ProgramFolder folder;
    const std::wstring archive = Standin(L"basic.zip");
    RunningProgram first(folder.Exe(), L"\"" + archive + L"\"");
    HWND a = first.WaitForWindow(archive + L" - quibFMarchive");
    ASSERT_NE(a, nullptr);
    RunningProgram second(folder.Exe(), L"\"" + archive + L"\"");
    HWND b = nullptr;
    const DWORD end = GetTickCount() + 20000;
    while (!b && GetTickCount() < end) {
        b = FindProcessWindow(second.ProcessId(), nullptr, (archive + L" - quibFMarchive").c_str(), 500);
    }
    ASSERT_NE(b, nullptr);
    const std::wstring tmpA = folder / (L"TmpArchive\\" + std::to_wstring(reinterpret_cast<UINT_PTR>(a)));
    const std::wstring tmpB = folder / (L"TmpArchive\\" + std::to_wstring(reinterpret_cast<UINT_PTR>(b)));
    ASSERT_NE(tmpA, tmpB);
    EXPECT_TRUE(DirExists(tmpA));
    EXPECT_TRUE(DirExists(tmpB));
    WriteFileBytes(tmpB + L"\\in-use.txt", "b");
    EXPECT_EQ(first.CloseAndWait(a), 0);
    EXPECT_FALSE(DirExists(tmpA));
    EXPECT_TRUE(FileExists(tmpB + L"\\in-use.txt"));
    EXPECT_EQ(second.CloseAndWait(b), 0);
    EXPECT_FALSE(DirExists(tmpB));
}
