#pragma once
// Reading the controls of the real program from outside, as a separate tool
// does: list view cells and status-bar parts are copied through a buffer
// placed in the program's own address space (a pointer of the test program
// means nothing there). The test program must have the program's bitness:
// the item records are laid out as the test program compiles them.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace quibtest {

// Polls the condition every 20 ms (the program runs on its own; nothing to
// pump here) until it holds or the time is up; returns its last value.
bool PollFor(const std::function<bool()>& condition, DWORD timeoutMs = 10000);

// The first descendant window of the class (e.g. WC_LISTVIEWW), or null.
HWND FindDescendant(HWND parent, const std::wstring& className);
// A visible top-level window of the process with the class ("#32770" for a
// message box), or null.
HWND FindProcessWindow(DWORD pid, const std::wstring& className);

// Whether the process runs as 32-bit code on a 64-bit system.
bool IsWow64(DWORD pid);

int OtherListRowCount(HWND list);
int OtherListSelectedRow(HWND list);
std::wstring OtherListCellText(HWND list, int row, int column);
std::vector<std::wstring> OtherListColumn(HWND list, int column);
std::wstring OtherStatusText(HWND statusBar, int part);

}  // namespace quibtest
