#include "viewers/ViewerStart.h"

#include <shellapi.h>

#include <cstdio>

#include "util/PathPrefix.h"
#include "util/StrConv.h"

namespace quib {
namespace {

std::function<bool(const ProgramStart&)>& StartHook() {
    static std::function<bool(const ProgramStart&)> hook;
    return hook;
}

bool FileThere(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderThere(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring Unquoted(std::wstring s) {
    if (s.size() >= 2 && s.front() == L'"' && s.back() == L'"') s = s.substr(1, s.size() - 2);
    return s;
}

std::wstring Trimmed(const std::wstring& s) {
    const size_t b = s.find_first_not_of(L" \t");
    if (b == std::wstring::npos) return {};
    const size_t e = s.find_last_not_of(L" \t");
    return s.substr(b, e - b + 1);
}

std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

}  // namespace

ProgramLine SplitProgramLine(const std::wstring& line) {
    ProgramLine out;
    const size_t q1 = line.find(L'"');
    if (q1 == std::wstring::npos) {
        out.path = line;
    } else {
        const size_t q2 = line.find(L'"', q1 + 1);
        if (q2 == std::wstring::npos) {
            out.path = line.substr(q1 + 1);
        } else {
            out.path = line.substr(q1 + 1, q2 - q1 - 1);
            out.options = line.substr(q2 + 1);
        }
    }
    out.path = Unquoted(out.path);
    return out;
}

std::optional<ProgramStart> PrepareExecuteProgram(const std::wstring& programLine, const std::wstring& option,
                                                  const std::wstring& file, const std::wstring& programPath,
                                                  HWND mainWindow) {
    const ProgramLine parts = SplitProgramLine(programLine);
    std::wstring path = ExpandPathPrefix(parts.path, programPath);
    if (!FileThere(path)) {
        const std::wstring name = path.substr(path.find_last_of(L"\\/:") + 1);
        const std::wstring beside = ProgramFolderOf(programPath) + L"\\" + name;
        if (name.empty() || !FileThere(beside)) return std::nullopt;
        path = beside;
    }
    ProgramStart start;
    start.program = path;
    start.parameters = ReplaceHandleMark(Trimmed(parts.options) + L" " + option, mainWindow);
    if (!file.empty()) start.parameters += L" \"" + file + L"\"";
    const std::wstring folder = FolderOf(path);
    if (FolderThere(folder)) start.folder = folder;
    return start;
}

std::optional<ProgramStart> PrepareExecuteProgramEx3(const std::wstring& program, const std::wstring& option,
                                                     const std::wstring& file, const std::wstring& programPath,
                                                     std::wstring* missingPath) {
    const std::wstring path = Unquoted(ExpandPathPrefix(program, programPath));
    if (!FileThere(path)) {
        if (missingPath) *missingPath = path;
        return std::nullopt;
    }
    ProgramStart start;
    start.program = path;
    start.parameters = option;
    if (!file.empty()) start.parameters += L" \"" + file + L"\"";
    const std::wstring folder = FolderOf(path);
    if (FolderThere(folder)) start.folder = folder;
    return start;
}

bool StartProgram(const ProgramStart& start, HWND owner) {
    if (StartHook()) return StartHook()(start);
    if (!start.openFile && !start.folder.empty()) SetCurrentDirectoryW(start.folder.c_str());
    const std::wstring target = L"\"" + start.program + L"\"";
    const HINSTANCE r = ShellExecuteW(owner, L"open", target.c_str(),
                                      start.parameters.empty() ? nullptr : start.parameters.c_str(),
                                      start.folder.empty() ? nullptr : start.folder.c_str(), SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(r) > 32;
}

void SetProgramStartHookForTests(std::function<bool(const ProgramStart&)> hook) { StartHook() = std::move(hook); }

std::wstring SiblingResponseFolder(const std::wstring& programFolder, const std::wstring& kind) {
    return programFolder + (EqualsNoCase(kind, L"PLAYER") ? L"\\PlayerResponce" : L"\\ImageResponce");
}

std::wstring SiblingResponseFileName(HWND mainWindow, const SYSTEMTIME& t,
                                     const std::function<bool(const std::wstring&)>& taken) {
    wchar_t stamp[32];
    swprintf(stamp, 32, L"%04u%02u%02u-%02u%02u%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
    const std::wstring base =
        L"@" + std::to_wstring(reinterpret_cast<UINT_PTR>(mainWindow)) + L"-" + stamp;
    std::wstring name = base + L".txt";
    for (int n = 2; taken && taken(name); ++n) name = base + L"-" + std::to_wstring(n) + L".txt";
    return name;
}

StringList SiblingResponseLines(const StringList& extractedFiles, bool susie) {
    StringList lines;
    if (extractedFiles.empty()) return lines;
    if (susie) {
        lines.push_back(L"1 0 1 0 0 " + extractedFiles.front());
        return lines;
    }
    for (size_t i = 0; i < extractedFiles.size(); ++i)
        lines.push_back((i == 0 ? L"1 1 1 0 0 " : L"0 1 1 0 0 ") + extractedFiles[i]);
    return lines;
}

StringList StaleResponseFiles(const StringList& fileNames, const std::function<bool(HWND)>& keep) {
    StringList stale;
    for (const auto& name : fileNames) {
        if (name.empty() || name[0] != L'@') continue;
        const size_t dash = name.find(L'-');
        const std::wstring handleText = name.substr(1, dash == std::wstring::npos ? std::wstring::npos : dash - 1);
        bool digits = !handleText.empty() && handleText.size() <= 19;
        for (wchar_t c : handleText) digits = digits && c >= L'0' && c <= L'9';
        HWND h = nullptr;
        if (digits) h = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::stoull(handleText)));
        if (h && IsWindow(h) && keep(h)) continue;
        stale.push_back(name);
    }
    return stale;
}

bool ResponseFileReader(HWND window) {
    wchar_t caption[513] = {};
    GetWindowTextW(window, caption, 512);
    const std::wstring c = caption;
    return c.find(L" - quibFMarchive") != std::wstring::npos || c.find(L" - PellFMmini") != std::wstring::npos;
}

void RemoveStaleResponseFiles(const std::wstring& folder) {
    StringList names;
    WIN32_FIND_DATAW fd{};
    const HANDLE find = FindFirstFileW((folder + L"\\@*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(fd.cFileName);
        } while (FindNextFileW(find, &fd));
        FindClose(find);
    }
    for (const auto& name : StaleResponseFiles(names, ResponseFileReader)) DeleteFileW((folder + L"\\" + name).c_str());
}

}  // namespace quib
