#include "extract/ExtractTemp.h"

#include <shellapi.h>

#include <sstream>
#include <vector>

#include "util/Message.h"

namespace quib {

std::wstring ExtractBaseFolder(const std::wstring& programFolder, HWND mainWindow) {
    std::wstringstream ss;
    ss << programFolder << L"\\TmpArchive\\" << static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(mainWindow))
       << L"\\";
    return ss.str();
}

bool ForceDirectories(const std::wstring& folder) {
    std::wstring f = folder;
    while (f.size() > 3 && (f.back() == L'\\' || f.back() == L'/')) f.pop_back();
    // Beyond the longest path Windows takes, nothing can be made.
    if (f.empty() || f.size() >= 32767) return false;
    // Up to the deepest folder that exists, then down making each missing
    // level: a loop, since the depth can come from an archive's stored paths.
    std::vector<size_t> missing;
    size_t end = f.size();
    for (;;) {
        const DWORD a = GetFileAttributesW(f.substr(0, end).c_str());
        if (a != INVALID_FILE_ATTRIBUTES) {
            if (!(a & FILE_ATTRIBUTE_DIRECTORY)) return false;
            break;
        }
        missing.push_back(end);
        const size_t slash = f.find_last_of(L"\\/", end - 1);
        if (slash == std::wstring::npos || slash <= 2) break;
        end = slash;
    }
    for (size_t i = missing.size(); i-- > 0;) {
        const std::wstring level = f.substr(0, missing[i]);
        if (!CreateDirectoryW(level.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    }
    return true;
}

bool IsExtractTempFolder(const std::wstring& folder) {
    std::wstring f = folder;
    if (!f.empty() && f.back() == L'\\') f.pop_back();
    // The shell's delete takes wildcards and several NUL-separated names.
    if (f.find_first_of(L"*?/") != std::wstring::npos || f.find(L'\0') != std::wstring::npos) return false;
    const size_t last = f.find_last_of(L'\\');
    if (last == std::wstring::npos || last + 1 >= f.size()) return false;
    const std::wstring handle = f.substr(last + 1);
    for (wchar_t c : handle)
        if (c < L'0' || c > L'9') return false;
    const std::wstring parent = f.substr(0, last);
    const size_t parentStart = parent.find_last_of(L'\\');
    if (parentStart == std::wstring::npos || parent.substr(parentStart + 1) != L"TmpArchive") return false;
    // A full path of a drive or a share, no "." or ".." anywhere in it.
    if (!((f.size() > 3 && f[1] == L':' && f[2] == L'\\') || f.compare(0, 2, L"\\\\") == 0)) return false;
    for (size_t start = 0; start < f.size();) {
        size_t end = f.find(L'\\', start);
        if (end == std::wstring::npos) end = f.size();
        const std::wstring level = f.substr(start, end - start);
        if (level == L"." || level == L"..") return false;
        start = end + 1;
    }
    return true;
}

bool ArchiveDeleteExtractTemp(const std::wstring& folder, HWND owner) {
    if (folder.find(L"TmpArchive") == std::wstring::npos || folder.size() < 10 || !IsExtractTempFolder(folder)) {
        ShowMsgJE(owner, L"Information : このフォルダは削除できません\r\n" + folder,
                  L"Information : This folder can not deletet.\r\n[OK]\r\n" + folder);
        return false;
    }
    std::wstring path = folder;
    if (!path.empty() && path.back() == L'\\') path.pop_back();
    std::wstring from = path;
    from.push_back(L'\0');
    from.push_back(L'\0');
    SHFILEOPSTRUCTW op{};
    op.hwnd = owner;
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = 0x0414;  // silent, no confirmation, no error dialogs; nothing to the recycle bin
    const int r = SHFileOperationW(&op);
    if (r != 0) {
        ShowMsgJE(owner, L"Information : フォルダは削除できませんでした\r\n" + path,
                  L"Information : This folder can not delete.\r\n" + path);
        return false;
    }
    return true;
}

}  // namespace quib
