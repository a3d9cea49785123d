#include "util/PathPrefix.h"

namespace quib {

std::wstring ProgramDriveOf(const std::wstring& programPath) { return programPath.substr(0, 2); }

std::wstring ProgramFolderOf(const std::wstring& programPath) {
    const size_t slash = programPath.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : programPath.substr(0, slash);
}

std::wstring ExpandPathPrefix(const std::wstring& path, const std::wstring& programPath) {
    if (path.size() < 2 || path[0] != L'%') return path;
    switch (path[1]) {
        case L'd':
        case L'D': return ProgramDriveOf(programPath) + path.substr(2);
        case L'p':
        case L'P': return ProgramFolderOf(programPath) + path.substr(2);
        default: return path;
    }
}

std::wstring ReplaceHandleMark(const std::wstring& line, std::uintptr_t handle) {
    const std::wstring number = std::to_wstring(handle);
    std::wstring out;
    out.reserve(line.size() + number.size());
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == L'%' && i + 1 < line.size() && line[i + 1] == L'h') {
            out += number;
            ++i;
        } else {
            out += line[i];
        }
    }
    return out;
}

}  // namespace quib
