// A stand-in for the filer of the family: a plain window whose caption ends
// with " - quibFM" (or " - PellFM", " - PellFMmini"), that can start minimised,
// can start the archive program the way the filer does, and writes what
// happens to its window to a report file (see README.md).
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace {

std::wstring g_report;
std::wstring g_caption;
bool g_wasMinimized = false;

void Report(const std::wstring& line) {
    if (g_report.empty()) return;
    const std::wstring text = line + L"\n";
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                      nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
    HANDLE f = CreateFileW(g_report.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
}

std::wstring HandleText(HWND w) { return std::to_wstring(reinterpret_cast<UINT_PTR>(w)); }

LRESULT CALLBACK FilerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ACTIVATE:
            if (LOWORD(wp) != WA_INACTIVE) Report(L"activated");
            break;
        case WM_SYSCOMMAND:
            if ((wp & 0xFFF0) == SC_RESTORE) Report(L"restore-command");
            break;
        case WM_SIZE:
            if (wp == SIZE_MINIMIZED) {
                if (!g_wasMinimized) Report(L"minimized");
                g_wasMinimized = true;
            } else if (g_wasMinimized) {
                g_wasMinimized = false;
                Report(L"restored");
            }
            break;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT rc;
            GetClientRect(hwnd, &rc);
            FillRect(dc, &rc, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
            const std::wstring text = L"Stand-in filer\n" + g_caption;
            DrawTextW(dc, text.c_str(), -1, &rc, DT_CENTER | DT_VCENTER | DT_NOPREFIX);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// Starts the program as the filer does: its handle, then the archive.
void Launch(HWND self, const std::wstring& program, const std::wstring& archive, const std::wstring& sw) {
    std::wstring cmd = L"\"" + program + L"\" " + sw + L"=" + HandleText(self) + L" \"" + archive + L"\"";
    std::wstring folder = program;
    if (const size_t slash = folder.find_last_of(L"\\/"); slash != std::wstring::npos) folder.erase(slash);
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    if (CreateProcessW(program.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) {
        Report(L"launched " + std::to_wstring(pi.dwProcessId));
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    } else {
        Report(L"launch-failed " + std::to_wstring(GetLastError()));
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::wstring kind = L"quibFM", name = L"C:\\", program, archive, sw = L"hwnd";
    bool minimized = false;
    for (int i = 1; i < argc; ++i) {
        const std::wstring a = argv[i];
        const bool more = i + 1 < argc;
        if (a == L"--kind" && more) {
            kind = argv[++i];
        } else if (a == L"--name" && more) {
            name = argv[++i];
        } else if (a == L"--minimized") {
            minimized = true;
        } else if (a == L"--report" && more) {
            g_report = argv[++i];
        } else if (a == L"--start" && i + 2 < argc) {
            program = argv[++i];
            archive = argv[++i];
        } else if (a == L"--switch" && more) {
            sw = argv[++i];
        }
    }
    LocalFree(argv);
    if (kind != L"quibFM" && kind != L"PellFM" && kind != L"PellFMmini") kind = L"quibFM";
    g_caption = name + L" - " + kind;

    WNDCLASSEXW wc{sizeof(wc)};
    wc.lpfnWndProc = FilerProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = L"quibStandInFiler";
    RegisterClassExW(&wc);
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, g_caption.c_str(), WS_OVERLAPPEDWINDOW, 40, 40, 480, 300,
                                nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    Report(L"started " + HandleText(hwnd));
    ShowWindow(hwnd, minimized ? SW_SHOWMINNOACTIVE : SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    if (!program.empty()) Launch(hwnd, program, archive, sw);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
