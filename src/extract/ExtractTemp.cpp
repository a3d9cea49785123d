#include "extract/ExtractTemp.h"

#include <shellapi.h>

#include <sstream>

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
    if (f.empty()) return false;
    const DWORD a = GetFileAttributesW(f.c_str());
    if (a != INVALID_FILE_ATTRIBUTES) return (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const size_t slash = f.find_last_of(L"\\/");
    if (slash != std::wstring::npos && slash > 2) {
        if (!ForceDirectories(f.substr(0, slash))) return false;
    }
    return CreateDirectoryW(f.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool ArchiveDeleteExtractTemp(const std::wstring& folder, HWND owner) {
    if (folder.find(L"TmpArchive") == std::wstring::npos || folder.size() < 10) {
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
