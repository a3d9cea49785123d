#pragma once
// Driving the program's real windows inside a test program: the application
// object, the message queue handled until a condition holds (never a fixed
// sleep), key presses as the user makes them, steps run from inside a modal
// loop, and the clipboard.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace quibtest {

// The application object, created once for the window tests.
void EnsureApplication();

// A program folder of its own for windows made in the test program: the
// settings file the forms read and write (and the application object).
class TestProgramFolder {
public:
    TestProgramFolder();
    ~TestProgramFolder();
    std::wstring Ini() const;
    std::wstring Read(const std::wstring& section, const std::wstring& key) const;
    void Write(const std::wstring& section, const std::wstring& key, const std::wstring& value) const;

private:
    TempDir dir_;
};

// Handles everything queued, then, for ms more milliseconds, whatever
// arrives (timers included).
void Pump(DWORD ms = 0);

// Handles messages until the condition holds or the time is up; returns the
// condition's last value. The queue is handled at least once.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

// A key press as the user makes it: the modifier keys held (keyboard state),
// WM_KEYDOWN (WM_SYSKEYDOWN with Alt) posted to the control that has the
// focus (or the given window), the queue handled (so TranslateMessage makes
// the WM_CHAR / WM_SYSCHAR), the modifiers released. Modifier bits: Shift 1,
// Alt 2, Ctrl 4.
void PressKey(HWND target, WORD vk, BYTE mods = 0);
// The same to whatever control has the focus now.
void PressKeyOnFocus(WORD vk, BYTE mods = 0);

// Runs the step again and again from the message loop (every 20 ms, also
// inside a modal loop) until it returns true. Used to drive a modal window
// from the test while ShowModal is running. A step that has not finished
// within the time limit fails the test and closes the active window, so a
// modal run never hangs the test program.
class DuringModal {
public:
    explicit DuringModal(std::function<bool()> step, DWORD timeoutMs = 15000);
    ~DuringModal();
    bool Done() const { return done_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    std::function<bool()> step_;
    UINT_PTR timer_ = 0;
    bool done_ = false;
    bool running_ = false;
    DWORD deadline_ = 0;
};

// The visible top-level window of this thread whose caption is this text.
HWND FindThreadWindow(const std::wstring& caption);

// The clipboard text (retried while another program holds the clipboard);
// SetClipboardText puts a known text there first.
std::wstring ClipboardText();
bool SetClipboardText(const std::wstring& text);

// Menu text of an item as the menu shows it (caption, tab, key).
std::wstring MenuText(HMENU menu, int id);

// What a list-view shows, asked of the control itself (never of the rows
// behind it): the row count, a cell's text (LVM_GETITEMTEXTW), every text of
// a column, the selected and the focused row (-1 when none).
int ListRowCount(HWND list);
std::wstring ListCellText(HWND list, int row, int column);
std::vector<std::wstring> ListColumnTexts(HWND list, int column);
int ListSelectedRow(HWND list);
int ListFocusedRow(HWND list);

}  // namespace quibtest
