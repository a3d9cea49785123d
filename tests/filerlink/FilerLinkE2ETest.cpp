// Real instances of the program and the stand-in filer, each a process of its
// own, driven with key messages: the switch to the next instance in the
// order of the rotation file, and the filer that started the program brought
// back (restored from minimised) at exit when the program is told to.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "FilerLinkTestSupport.h"
#include "TestSupport.h"
#include "app/FilerLink.h"
#include "util/IniFile.h"
#include "util/TextFile.h"

using namespace quibtest;

namespace {

std::wstring Text(HWND w) { return std::to_wstring(reinterpret_cast<UINT_PTR>(w)); }

// A key pressed in another program's window: the key messages posted to it
// once that program waits for input. A window can show its caption before the
// program has finished starting (its key map applied), and a key a user
// presses only after the window stands must not be raced against that.
void PostKey(HWND window, WORD vk) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid)) {
        WaitForInputIdle(process, 10000);
        CloseHandle(process);
    }
    PostMessageW(window, WM_KEYDOWN, vk, 1);
    PostMessageW(window, WM_KEYUP, vk, 0xC0000001);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000) {
    const DWORD start = GetTickCount();
    do {
        if (condition()) return true;
        Sleep(20);
    } while (GetTickCount() - start < timeoutMs);
    return condition();
}

// The foreground window. (Wine without a window manager raises it above the
// others a moment later, or not at all; the switch does not depend on that.)
bool AtTheFront(HWND window) { return GetForegroundWindow() == window; }

struct Instance {
    std::unique_ptr<RunningProgram> program;
    HWND window = nullptr;
};

Instance StartInstance(const ProgramFolder& folder) {
    Instance i;
    i.program = std::make_unique<RunningProgram>(folder.Exe(), L"");
    i.window = i.program->WaitForWindow(L" - quibFMarchive");
    return i;
}

// The main window of a process this test did not start.
struct ProcessWalk {
    DWORD pid;
    const std::wstring* suffix;
    HWND found;
};

BOOL CALLBACK MatchProcessWindow(HWND w, LPARAM p) {
    auto* walk = reinterpret_cast<ProcessWalk*>(p);
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner != walk->pid || !IsWindowVisible(w) || !WindowText(w).ends_with(*walk->suffix)) return TRUE;
    walk->found = w;
    return FALSE;
}

HWND ProcessWindow(DWORD pid, const std::wstring& suffix) {
    ProcessWalk walk{pid, &suffix, nullptr};
    WaitUntil([&] {
        EnumWindows(MatchProcessWindow, reinterpret_cast<LPARAM>(&walk));
        return walk.found != nullptr;
    });
    return walk.found;
}

// A process started by someone else, ended when the test is done with it.
class Process {
public:
    explicit Process(DWORD pid) : handle_(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid)) {}
    ~Process() {
        if (!handle_) return;
        if (WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT) TerminateProcess(handle_, 99);
        CloseHandle(handle_);
    }
    bool WaitExit(DWORD ms) const { return handle_ && WaitForSingleObject(handle_, ms) == WAIT_OBJECT_0; }

private:
    HANDLE handle_;
};

}  // namespace

TEST(InstanceSwitch, TwoInstancesAlternate) {
    ProgramFolder folder;
    WriteMainKeyMap(folder.Path(), {{L"1401", L"F11"}});
    Instance a = StartInstance(folder);
    Instance b = StartInstance(folder);
    ASSERT_NE(a.window, nullptr);
    ASSERT_NE(b.window, nullptr);
    quib::BringWindowToFront(b.window);
    ASSERT_TRUE(WaitUntil([&] { return AtTheFront(b.window); }));
    HWND expected = a.window;
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        PostKey(GetForegroundWindow(), VK_F11);
        ASSERT_TRUE(WaitUntil([&] { return AtTheFront(expected); }));
        expected = expected == a.window ? b.window : a.window;
    }
    const auto rotation = ReadUtf16File(folder / L"quibFMarchive-Sel.txt");
    ASSERT_EQ(rotation.size(), 2u);
    EXPECT_NE(rotation[0], rotation[1]);
    for (const auto& h : rotation) EXPECT_TRUE(h == Text(a.window) || h == Text(b.window)) << h.size();
}

TEST(InstanceSwitch, ThreeInstancesInTheOrderOfTheRotationFile) {
    ProgramFolder folder;
    WriteMainKeyMap(folder.Path(), {{L"1401", L"F11"}});
    Instance a = StartInstance(folder);
    Instance b = StartInstance(folder);
    Instance c = StartInstance(folder);
    ASSERT_TRUE(a.window && b.window && c.window);
    // The order kept from before (and a window long gone), the last visit
    // at the first position.
    ASSERT_TRUE(quib::WriteUtf16Lines(folder / L"quibFMarchive-Sel.txt",
                                      {Text(c.window), L"424242", Text(a.window), Text(b.window)}));
    quib::IniFile(folder.Ini()).WriteInteger(L"QuibFMText", L"Index", 0);
    quib::BringWindowToFront(c.window);
    ASSERT_TRUE(WaitUntil([&] { return AtTheFront(c.window); }));
    const struct {
        HWND next;
        int index;
    } steps[] = {{a.window, 1}, {b.window, 2}, {c.window, 0}, {a.window, 1}};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.index);
        PostKey(GetForegroundWindow(), VK_F11);
        ASSERT_TRUE(WaitUntil([&] { return AtTheFront(s.next); }));
        EXPECT_TRUE(WaitUntil([&] { return quib::IniFile(folder.Ini()).ReadInteger(L"QuibFMText", L"Index", -1) == s.index; }));
    }
    EXPECT_EQ(ReadUtf16File(folder / L"quibFMarchive-Sel.txt"),
              (std::vector<std::wstring>{Text(c.window), Text(a.window), Text(b.window)}));
}

TEST(InstanceSwitch, AloneItDoesNothing) {
    ProgramFolder folder;
    WriteMainKeyMap(folder.Path(), {{L"1401", L"F11"}});
    Instance a = StartInstance(folder);
    ASSERT_NE(a.window, nullptr);
    PostKey(a.window, VK_F11);
    Sleep(300);
    EXPECT_TRUE(IsWindow(a.window));
    EXPECT_FALSE(FileExists(folder / L"quibFMarchive-Sel.txt"));
    EXPECT_EQ(a.program->CloseAndWait(a.window), 0);
}

class FilerAtExit : public testing::TestWithParam<bool> {};

TEST_P(FilerAtExit, AMinimisedFilerIsRestoredOnlyWhenAsked) {
    const bool asked = GetParam();
    ProgramFolder folder;
    // F11: "bring the filer to the front at exit" (no key of its own).
    WriteMainKeyMap(folder.Path(), {{L"1451", L"F11"}});
    const std::wstring archive = FixturesDir() + L"\\program\\levels.zip";
    StandInFiler filer(L"--minimized --start \"" + folder.Exe() + L"\" \"" + archive + L"\"");
    ASSERT_TRUE(filer.WaitForReport(L"minimized"));
    const DWORD pid = filer.LaunchedProcessId();
    ASSERT_NE(pid, 0u);
    Process program(pid);
    HWND main = ProcessWindow(pid, archive + L" - quibFMarchive");
    ASSERT_NE(main, nullptr) << "the program started by the filer shows its archive";
    ASSERT_TRUE(IsIconic(filer.Window()));
    if (asked) {
        PostKey(main, VK_F11);
        // The program lets a few queued messages run while it takes a key:
        // the close must not be among them.
        Sleep(300);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
    }
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitExit(20000));
    if (asked) {
        EXPECT_TRUE(filer.WaitForReport(L"restore-command")) << testing::PrintToString(filer.Report());
        EXPECT_TRUE(filer.WaitForReport(L"restored"));
        EXPECT_TRUE(filer.WaitForReport(L"activated"));
        EXPECT_FALSE(IsIconic(filer.Window()));
    } else {
        Sleep(300);
        EXPECT_FALSE(filer.Reported(L"restore-command"));
        EXPECT_TRUE(IsIconic(filer.Window()));
    }
}

INSTANTIATE_TEST_SUITE_P(SwitchOnOrOff, FilerAtExit, testing::Bool());
