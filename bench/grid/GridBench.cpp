// Opens a 10 MB CSV of 100,000 rows x 10 columns, with quoted cells of
// several lines, in the real grid window and prints: the time of reading and
// decoding the file alone, the time of opening it in the window (both
// splitting rules that matter), the time of one page move, a jump to the last
// row and a wheel notch with the repaint, and the memory the grid holds
// against the decoded text.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/Application.h"
#include "util/IniFile.h"
#include "util/Message.h"
#include "viewers/grid/FormViewGrid.h"
#include "viewers/grid/GridCharCode.h"
#include "viewers/grid/GridText.h"

namespace {

double Now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

size_t WorkingSet() {
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof(pmc);
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc));
    return pmc.WorkingSetSize;
}

void Pump() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

std::string MakeCsv() {
    std::string out;
    out.reserve(11u << 20);
    for (int r = 0; r < 100000; ++r) {
        for (int c = 0; c < 10; ++c) {
            if (c) out += ',';
            if (c % 3 == 2) {
                out += "\"l";
                out += std::to_string(r);
                out += "\n2, \"\"q\"\"\"";
            } else {
                out += 'c';
                out += std::to_string(r * 10 + c);
            }
        }
        out += "\r\n";
    }
    return out;
}

// Time of a key (or a message) on the grid with the repaints it causes.
double TimeInput(HWND grid, UINT msg, WPARAM wp, BYTE ctrl) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(keys);
    const double t = Now();
    SendMessageW(grid, msg, wp, 0);
    const double handled = Now();
    // Everything the move changed is painted: the grid, the cell editor, the status bars.
    RedrawWindow(GetParent(grid), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const double d = Now() - t;
    std::printf("  (handling %.4f s, painting %.4f s)\n", handled - t, d - (handled - t));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    return d;
}

}  // namespace

int wmain() {
    quib::Application().Initialize(GetModuleHandleW(nullptr));
    // The notice of LF inside CR LF lines would wait for a click.
    quib::SetMsgInterceptor([](const quib::MsgRecord&) { return IDOK; });
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring dir = std::wstring(temp) + L"quib-bench-grid";
    CreateDirectoryW(dir.c_str(), nullptr);
    quib::SetProgramPathForTests(dir + L"\\quibFMarchive.exe");
    quib::IniFile::CreateEmptyUnicode(dir + L"\\quibFMarchive.ini");
    const std::wstring file = dir + L"\\big.csv";
    {
        const std::string csv = MakeCsv();
        HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD w = 0;
        WriteFile(h, csv.data(), static_cast<DWORD>(csv.size()), &w, nullptr);
        CloseHandle(h);
        std::printf("file: %.1f MB, 100000 rows x 10 columns\n", csv.size() / 1048576.0);
    }

    // The floor: reading and decoding alone.
    double floor = 1e9;
    size_t decodedBytes = 0;
    for (int i = 0; i < 3; ++i) {
        const double t = Now();
        const quib::FileBytes bytes = quib::ReadFileBytesInPieces(file);
        const quib::GridCharCodeResult cc = quib::DetectGridCharCode(bytes.bytes);
        const quib::RawLines lines = quib::SplitRawLines(bytes.bytes, cc.charCode, cc.retCode);
        floor = std::min(floor, Now() - t);
        decodedBytes = 0;
        for (const auto& l : lines.lines) decodedBytes += l.size() * sizeof(wchar_t);
    }
    std::printf("read + decode alone:        %7.3f s (decoded text %.1f MB)\n", floor, decodedBytes / 1048576.0);

    const size_t before = WorkingSet();
    quib::FormInstance<quib::TFormViewGrid> form(file);
    double t = Now();
    form.Show();
    const double openAuto = Now() - t;
    Pump();
    std::printf("open, automatic rule:       %7.3f s (%.1fx the floor)\n", openAuto, openAuto / floor);
    t = Now();
    form.RunCommand(1033);
    const double openEx2 = Now() - t;
    Pump();
    std::printf("reload, quoted comma rule:  %7.3f s (%.1fx the floor)\n", openEx2, openEx2 / floor);
    const size_t after = WorkingSet();
    std::printf("memory held by the window:  %7.1f MB (%.1fx the decoded text)\n", (after - before) / 1048576.0,
                static_cast<double>(after - before) / static_cast<double>(decodedBytes));

    HWND grid = form.StringGrid1().Handle();
    SetFocus(grid);
    UpdateWindow(grid);
    {
        // The paint alone, to tell drawing from the work a key does.
        double best = 1e9;
        for (int i = 0; i < 5; ++i) {
            InvalidateRect(grid, nullptr, FALSE);
            const double t0 = Now();
            UpdateWindow(grid);
            best = std::min(best, Now() - t0);
        }
        std::printf("repaint alone (best of 5):  %7.4f s\n", best);
    }
    std::printf("page down + repaint:        %7.4f s\n", TimeInput(grid, WM_KEYDOWN, VK_NEXT, 0));
    std::printf("Ctrl+End (last row):        %7.4f s\n", TimeInput(grid, WM_KEYDOWN, VK_END, 1));
    std::printf("page up + repaint:          %7.4f s\n", TimeInput(grid, WM_KEYDOWN, VK_PRIOR, 0));
    std::printf("wheel notch + repaint:      %7.4f s\n", TimeInput(grid, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0));
    std::printf("rows %d, last row shown from %d\n", form.StringGrid1().RowCount(), form.StringGrid1().TopRow());
    DeleteFileW(file.c_str());
    return 0;
}
