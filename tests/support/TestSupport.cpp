#include "TestSupport.h"

#include <shellapi.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "util/StrConv.h"

#ifndef QUIB_BIN_DIR
#define QUIB_BIN_DIR ""
#endif
#ifndef QUIB_FIXTURES_DIR
#define QUIB_FIXTURES_DIR ""
#endif
#ifndef QUIB_SOURCE_DIR
#define QUIB_SOURCE_DIR ""
#endif

namespace quibtest {

std::wstring UnixToWin(const std::string& unixPath) {
    std::wstring w = quib::Utf8ToWide(unixPath);
    for (auto& c : w)
        if (c == L'/') c = L'\\';
    if (!w.empty() && w[0] == L'\\') w = L"Z:" + w;
    return w;
}

std::wstring BinDir() { return UnixToWin(QUIB_BIN_DIR); }
std::wstring FixturesDir() { return UnixToWin(QUIB_FIXTURES_DIR); }
std::wstring SourceDir() { return UnixToWin(QUIB_SOURCE_DIR); }

MsgCapture::MsgCapture() {
    quib::SetMsgInterceptor([this](const quib::MsgRecord& m) {
        messages_.push_back(m);
        if (answer_) return answer_(m);
        return m.buttons == quib::MsgButtons::YesNo ? IDYES : IDOK;
    });
}

MsgCapture::~MsgCapture() { quib::SetMsgInterceptor(nullptr); }

std::vector<std::wstring> MsgCapture::Texts() const {
    std::vector<std::wstring> t;
    for (const auto& m : messages_) t.push_back(m.text);
    return t;
}

TempDir::TempDir() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static LONG counter = 0;
    for (;;) {
        std::wstringstream ss;
        ss << base << L"quibtest-" << GetCurrentProcessId() << L"-" << InterlockedIncrement(&counter) << L"-"
           << GetTickCount();
        path_ = ss.str();
        if (CreateDirectoryW(path_.c_str(), nullptr)) break;
    }
}

TempDir::~TempDir() { RemoveTree(path_); }

bool RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((path + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring full = path + L"\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full);
            } else {
                SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(full.c_str());
            }
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    return RemoveDirectoryW(path.c_str()) != FALSE;
}

bool FileExists(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirExists(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {
void CollectFiles(const std::wstring& root, const std::wstring& rel, std::vector<std::wstring>& out) {
    WIN32_FIND_DATAW fd{};
    HANDLE h = FindFirstFileW((root + L"\\" + rel + L"*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = fd.cFileName;
        if (name == L"." || name == L"..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CollectFiles(root, rel + name + L"\\", out);
        else
            out.push_back(rel + name);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
}
}  // namespace

std::vector<std::wstring> FilesBelow(const std::wstring& root) {
    std::vector<std::wstring> out;
    CollectFiles(root, L"", out);
    std::sort(out.begin(), out.end());
    return out;
}

std::string ReadFileBytes(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    std::string out;
    char buf[65536];
    DWORD n = 0;
    while (ReadFile(h, buf, sizeof(buf), &n, nullptr) && n > 0) out.append(buf, n);
    CloseHandle(h);
    return out;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD n = 0;
    const BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    CloseHandle(h);
    return ok && n == bytes.size();
}

std::string Utf16LeBytes(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>((c >> 8) & 0xFF);
    }
    return out;
}

std::string Utf16BeBytes(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        out += static_cast<char>((c >> 8) & 0xFF);
        out += static_cast<char>(c & 0xFF);
    }
    return out;
}

std::wstring ReadUtf8File(const std::wstring& path) { return quib::Utf8ToWide(ReadFileBytes(path)); }

bool CopyTree(const std::wstring& from, const std::wstring& to) {
    CreateDirectoryW(to.c_str(), nullptr);
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((from + L"\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    do {
        const std::wstring name = fd.cFileName;
        if (name == L"." || name == L"..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ok = CopyTree(from + L"\\" + name, to + L"\\" + name) && ok;
        } else {
            ok = CopyFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str(), FALSE) && ok;
        }
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return ok;
}

ProgramFolder::ProgramFolder() {
    // Only the program and the DLLs: a folder left by an earlier run of the
    // program (settings, key maps, temporary folders) must not leak into a test.
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((BinDir() + L"\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        std::wstring name = fd.cFileName;
        std::wstring lower = quib::ToLower(name);
        if (lower.size() > 4 && (lower.ends_with(L".exe") || lower.ends_with(L".dll") || lower.ends_with(L".spi"))) {
            CopyFileW((BinDir() + L"\\" + name).c_str(), (dir_ / name).c_str(), FALSE);
        }
    } while (FindNextFileW(h, &fd));
    FindClose(h);
}

RunningProgram::RunningProgram(const std::wstring& exe, const std::wstring& args,
                               const std::vector<std::wstring>& env) {
    std::wstring cmd = L"\"" + exe + L"\"";
    if (!args.empty()) cmd += L" " + args;
    // Environment: ours plus the extra variables.
    std::wstring block;
    if (wchar_t* cur = GetEnvironmentStringsW()) {
        for (wchar_t* p = cur; *p; p += wcslen(p) + 1) {
            block += p;
            block.push_back(L'\0');
        }
        FreeEnvironmentStringsW(cur);
    }
    for (const auto& e : env) {
        block += e;
        block.push_back(L'\0');
    }
    block.push_back(L'\0');
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
    if (CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT, block.data(),
                       folder.c_str(), &si, &pi)) {
        process_ = pi.hProcess;
        pid_ = pi.dwProcessId;
        CloseHandle(pi.hThread);
    }
}

RunningProgram::~RunningProgram() {
    if (process_) {
        if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_, 99);
            WaitForSingleObject(process_, 5000);
        }
        CloseHandle(process_);
    }
}

std::wstring WindowText(HWND hwnd) {
    wchar_t buf[1024] = {};
    GetWindowTextW(hwnd, buf, 1024);
    return buf;
}

bool GdiSelectsFonts() {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    const HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW tm{};
    const bool works = old != nullptr && GetTextMetricsW(dc, &tm);
    if (old) SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    return works;
}

namespace {
struct WindowSearch {
    DWORD pid;
    const std::wstring* suffix;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<WindowSearch*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != s->pid || !IsWindowVisible(w)) return TRUE;
    const std::wstring t = WindowText(w);
    if (t.size() >= s->suffix->size() && t.ends_with(*s->suffix)) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND RunningProgram::WaitForWindow(const std::wstring& captionSuffix, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        WindowSearch s{pid_, &captionSuffix, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&s));
        if (s.found) return s.found;
        if (WaitForSingleObject(process_, 50) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
}

int RunningProgram::WaitExit(DWORD timeoutMs) {
    if (!process_ || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return static_cast<int>(code);
}

int RunningProgram::CloseAndWait(HWND window, DWORD timeoutMs) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    return WaitExit(timeoutMs);
}

}  // namespace quibtest
