#pragma once
// The system taskbar, hidden while a viewer fills the screen. Whatever ends
// the full screen or the program — leaving it, closing the viewer, an
// exception unwinding the window, a crash reaching the unhandled-exception
// filter — shows it again.
#include <windows.h>

namespace quib {

void HideTaskbar();
void RestoreTaskbar();
bool TaskbarHiddenByViewer();

}  // namespace quib
