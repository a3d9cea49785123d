#include "viewers/Taskbar.h"

namespace quib {
namespace {

// The taskbar hidden by full screen, and the filter that gives it back when
// the program dies of a fault no handler caught.
HWND g_hiddenTaskbar = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER g_previousFilter = nullptr;
bool g_filterInstalled = false;

LONG WINAPI RestoreTaskbarOnCrash(EXCEPTION_POINTERS* info) {
    RestoreTaskbar();
    return g_previousFilter ? g_previousFilter(info) : EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

void HideTaskbar() {
    HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
    if (!tray || !IsWindowVisible(tray)) return;
    if (!g_filterInstalled) {
        g_previousFilter = SetUnhandledExceptionFilter(RestoreTaskbarOnCrash);
        g_filterInstalled = true;
    }
    ShowWindow(tray, SW_HIDE);
    g_hiddenTaskbar = tray;
}

void RestoreTaskbar() {
    if (!g_hiddenTaskbar) return;
    if (IsWindow(g_hiddenTaskbar)) ShowWindow(g_hiddenTaskbar, SW_SHOW);
    g_hiddenTaskbar = nullptr;
}

bool TaskbarHiddenByViewer() { return g_hiddenTaskbar != nullptr; }

}  // namespace quib
