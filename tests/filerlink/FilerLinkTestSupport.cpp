#include "FilerLinkTestSupport.h"

#include <algorithm>

#include "app/FormBase.h"
#include "app/MainMenuTable.h"
#include "keymap/KeyMap.h"
#include "util/StrConv.h"
#include "util/TextFile.h"

namespace quibtest {

std::wstring StandInFilerExe() { return UnixToWin(QUIB_STANDIN_FILER_DIR) + L"\\standin-filer.exe"; }

StandInFiler::StandInFiler(const std::wstring& extraArgs) : report_(dir_ / L"report.txt") {
    std::wstring args = L"--report \"" + report_ + L"\"";
    if (!extraArgs.empty()) args += L" " + extraArgs;
    program_ = std::make_unique<RunningProgram>(StandInFilerExe(), args);
    window_ = program_->WaitForWindow(L"");
    // The window stands once its report says so.
    WaitForReport(L"started " + std::to_wstring(reinterpret_cast<UINT_PTR>(window_)));
}

std::vector<std::wstring> StandInFiler::Report() const { return quib::SplitLines(ReadUtf8File(report_)); }

bool StandInFiler::Reported(const std::wstring& line) const {
    const auto lines = Report();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

bool StandInFiler::WaitForReport(const std::wstring& line, DWORD timeoutMs) const {
    const DWORD start = GetTickCount();
    do {
        if (Reported(line)) return true;
        Sleep(20);
    } while (GetTickCount() - start < timeoutMs);
    return false;
}

DWORD StandInFiler::LaunchedProcessId(DWORD timeoutMs) const {
    const DWORD start = GetTickCount();
    do {
        for (const auto& line : Report())
            if (line.rfind(L"launched ", 0) == 0) return static_cast<DWORD>(std::stoul(line.substr(9)));
        Sleep(20);
    } while (GetTickCount() - start < timeoutMs);
    return 0;
}

void WriteMainKeyMap(const std::wstring& programFolder,
                     const std::vector<std::pair<std::wstring, std::wstring>>& numberAndKey) {
    quib::KeyMapTable table = quib::BuiltInKeyTable(quib::MainCommandTable(), nullptr);
    for (const auto& [number, key] : numberAndKey)
        if (quib::KeyMapLine* line = quib::FindKeyMapLine(table, number)) line->keyText = key;
    quib::WriteKeyMapFile(programFolder + L"\\quibFMarchive-KeyMap.txt", table);
}

std::vector<std::wstring> ReadUtf16File(const std::wstring& path) {
    std::vector<std::wstring> lines;
    quib::ReadUtf16Lines(path, lines);
    return lines;
}

}  // namespace quibtest
