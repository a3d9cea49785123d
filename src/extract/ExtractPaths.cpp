#include "extract/ExtractPaths.h"

#include <windows.h>

#include <algorithm>
#include <set>

#include "util/StrConv.h"
#include "util/TextFile.h"

namespace quib {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// CON, PRN, AUX, NUL, COM1-9, LPT1-9, CONIN$, CONOUT$, with or without an
// extension (and trailing blanks before it, which Windows ignores too).
bool DeviceName(std::wstring level) {
    if (const size_t dot = level.find(L'.'); dot != std::wstring::npos) level.erase(dot);
    while (!level.empty() && level.back() == L' ') level.pop_back();
    const std::wstring u = ToUpper(level);
    if (u == L"CON" || u == L"PRN" || u == L"AUX" || u == L"NUL" || u == L"CONIN$" || u == L"CONOUT$") return true;
    if (u.size() == 4 && (u.compare(0, 3, L"COM") == 0 || u.compare(0, 3, L"LPT") == 0)) {
        const wchar_t d = u[3];
        // Windows also takes the superscript digits as port numbers.
        return (d >= L'1' && d <= L'9') || d == L'\u00B9' || d == L'\u00B2' || d == L'\u00B3';
    }
    return false;
}

bool WideLevelsSafe(const std::wstring& path) {
    if (path.empty() || IsSeparator(path[0])) return false;
    size_t start = 0;
    bool anyLevel = false;
    while (start <= path.size()) {
        size_t end = start;
        while (end < path.size() && !IsSeparator(path[end])) ++end;
        const std::wstring level = path.substr(start, end - start);
        if (!level.empty()) {
            anyLevel = true;
            if (level == L"." || level == L"..") return false;
            if (level.back() == L'.' || level.back() == L' ') return false;
            for (wchar_t c : level) {
                if (c < 0x20 || c == L':' || c == L'<' || c == L'>' || c == L'"' || c == L'|' || c == L'?' ||
                    c == L'*')
                    return false;
            }
            if (DeviceName(level)) return false;
        } else if (end < path.size() && start == 0) {
            return false;
        }
        if (end >= path.size()) break;
        start = end + 1;
    }
    return anyLevel;
}

// The bytes a DLL receives, split at every 0x5C and 0x2F whatever byte came
// before: no level may be "." or "..", none may hold a colon, and the path
// must not start with a separator.
bool AnsiBytesSafe(const std::wstring& path) {
    const int n = WideCharToMultiByte(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0, nullptr,
                                      nullptr);
    if (n <= 0) return path.empty();
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, path.data(), static_cast<int>(path.size()), bytes.data(), n, nullptr, nullptr);
    if (bytes.empty() || bytes[0] == '\\' || bytes[0] == '/') return false;
    size_t start = 0;
    while (start <= bytes.size()) {
        size_t end = bytes.find_first_of("\\/", start);
        if (end == std::string::npos) end = bytes.size();
        const std::string level = bytes.substr(start, end - start);
        if (level == "." || level == ".." || level.find(':') != std::string::npos) return false;
        if (end >= bytes.size()) break;
        start = end + 1;
    }
    return true;
}

}  // namespace

bool StoredPathContained(const std::wstring& storedPath) {
    return WideLevelsSafe(storedPath) && AnsiBytesSafe(storedPath);
}

std::optional<std::wstring> ContainedPath(const std::wstring& base, const std::wstring& storedPath) {
    if (!StoredPathContained(storedPath)) return std::nullopt;
    std::wstring rel = storedPath;
    std::replace(rel.begin(), rel.end(), L'/', L'\\');
    std::wstring b = base;
    if (!b.empty() && b.back() != L'\\') b.push_back(L'\\');
    return b + rel;
}

StringList UncontainedPaths(const StringList& storedPaths) {
    StringList out;
    for (const auto& p : storedPaths)
        if (!StoredPathContained(p)) out.push_back(p);
    return out;
}

bool InsideFolder(const std::wstring& storedPath, const std::wstring& currentFolder, const std::wstring& folderName) {
    std::wstring path = storedPath;
    std::replace(path.begin(), path.end(), L'\\', L'/');
    std::wstring current = currentFolder;
    if (!current.empty() && current[0] == L'/') current.erase(0, 1);
    return StartsWithNoCase(path, current + folderName + L"/");
}

TopLevel AnalyseTopLevel(const StringList& storedPaths) {
    TopLevel top;
    std::set<std::wstring> folders;
    for (const auto& p : storedPaths) {
        if (p == L"<..>" || p == L"<\\>") continue;
        const size_t back = p.find(L'\\');
        const size_t slash = p.find(L'/');
        if (back != std::wstring::npos) folders.insert(ToUpper(p.substr(0, back)));
        if (slash != std::wstring::npos) folders.insert(ToUpper(p.substr(0, slash)));
        if (back == std::wstring::npos && slash == std::wstring::npos) top.anyFile = true;
    }
    top.folders.assign(folders.begin(), folders.end());
    return top;
}

std::wstring ExtractDestination(const std::wstring& folder, const std::wstring& archivePath, bool makeFolder,
                                bool doubleDisabled, const TopLevel& top) {
    std::wstring d = folder;
    if (!d.empty() && d.back() != L'\\') d.push_back(L'\\');
    if (!makeFolder) return d;
    std::wstring name = archivePath.substr(archivePath.find_last_of(L"\\/:") + 1);
    if (const size_t dot = name.find_last_of(L'.'); dot != std::wstring::npos) name.erase(dot);
    if (top.folders.size() == 1 && doubleDisabled && !top.anyFile) return d;
    return d + name + L"\\";
}

StringList UpdateHistory(const StringList& history, const std::wstring& folder) {
    StringList out{folder};
    for (const auto& h : history)
        if (!h.empty() && h != folder) out.push_back(h);
    if (out.size() > kHistoryMax) out.resize(kHistoryMax);
    return out;
}

std::wstring HistoryFilePath(const std::wstring& programFolder) {
    return programFolder + L"\\quibFMarchive-History.txt";
}

StringList ReadHistory(const std::wstring& programFolder) {
    StringList lines;
    if (!ReadUtf16Lines(HistoryFilePath(programFolder), lines)) return {};
    return lines;
}

bool WriteHistory(const std::wstring& programFolder, const StringList& history) {
    StringList lines = history;
    if (lines.size() > kHistoryMax) lines.resize(kHistoryMax);
    return WriteUtf16Lines(HistoryFilePath(programFolder), lines);
}

bool HasForbiddenFolderCharacter(const std::wstring& text) {
    return text.find_first_of(L"*|\"<>?/") != std::wstring::npos;
}

std::wstring FilerFolderFromCaption(const std::wstring& caption) {
    std::wstring folder = caption;
    if (const size_t q = caption.find(L" - quibFM"); q != std::wstring::npos) {
        folder = caption.substr(0, q);
    } else if (const size_t p = caption.find(L" - PellFM"); p != std::wstring::npos) {
        folder = caption.substr(0, p);
    }
    while (!folder.empty() && folder.back() == L' ') folder.pop_back();
    return folder;
}

void OrderFilerWindows(const StringList& names, const StringList& handles, const std::wstring& ownHandle,
                       StringList& outNames, StringList& outHandles) {
    outNames.clear();
    outHandles.clear();
    std::vector<bool> taken(names.size(), false);
    for (size_t i = 0; i < names.size() && i < handles.size(); ++i)
        if (handles[i] == ownHandle) taken[i] = true;
    for (const wchar_t* suffix : {L" - PellFM", L" - PellFMmini", L" - quibFM"}) {
        for (size_t i = std::min(names.size(), handles.size()); i-- > 0;) {
            if (taken[i] || names[i].find(suffix) == std::wstring::npos) continue;
            taken[i] = true;
            outNames.push_back(names[i]);
            outHandles.push_back(handles[i]);
        }
    }
}

}  // namespace quib
