#pragma once
// The stand-in filer started from a test, its report read back, and main key
// maps written with the keys a test presses.
#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "TestSupport.h"

namespace quibtest {

std::wstring StandInFilerExe();

class StandInFiler {
public:
    // extraArgs: more of the stand-in's arguments (--kind, --minimized, --start ...).
    explicit StandInFiler(const std::wstring& extraArgs = L"");
    HWND Window() const { return window_; }
    DWORD ProcessId() const { return program_->ProcessId(); }
    // The report's lines so far.
    std::vector<std::wstring> Report() const;
    bool Reported(const std::wstring& line) const;
    // Waits until the line is in the report.
    bool WaitForReport(const std::wstring& line, DWORD timeoutMs = 10000) const;
    // The process the stand-in started (from its "launched" line); 0 when none.
    DWORD LaunchedProcessId(DWORD timeoutMs = 10000) const;

private:
    TempDir dir_;
    std::wstring report_;
    std::unique_ptr<RunningProgram> program_;
    HWND window_ = nullptr;
};

// Writes the main window's key-map file into the program folder: the
// built-in table with these keys given to these function numbers.
void WriteMainKeyMap(const std::wstring& programFolder,
                     const std::vector<std::pair<std::wstring, std::wstring>>& numberAndKey);

// A file's UTF-16 lines (after the byte-order mark).
std::vector<std::wstring> ReadUtf16File(const std::wstring& path);

}  // namespace quibtest
