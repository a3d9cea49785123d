#include "extract/ExtractSusie.h"

#include <cwchar>

#include "archive/SusieApi.h"
#include "extract/ExtractPaths.h"
#include "util/MyUtility.h"

namespace quib {
namespace {

long long ReadNumber(const std::wstring& text) {
    std::wstring digits;
    for (wchar_t c : text)
        if (c != L',' && c != L' ') digits.push_back(c);
    if (digits.empty()) return 0;
    return std::wcstoll(digits.c_str(), nullptr, 10);
}

size_t LastSeparator(const std::wstring& path) { return path.find_last_of(L"\\/"); }

}  // namespace

std::wstring SusieItemText(const std::wstring& storedPath, const std::wstring& position, const std::wstring& size) {
    return storedPath + L"\t" + position + L"\t" + size;
}

SusieItem ParseSusieItem(const std::wstring& item) {
    std::vector<std::wstring> f;
    StringToCsvList(item, f);
    f.resize(3);
    return SusieItem{f[0], ReadNumber(f[1]), ReadNumber(f[2])};
}

std::wstring StoredFolderPart(const std::wstring& storedPath) {
    const size_t at = LastSeparator(storedPath);
    if (at == std::wstring::npos) return {};
    std::wstring folder = storedPath.substr(0, at + 1);
    for (wchar_t& c : folder)
        if (c == L'/') c = L'\\';
    return folder;
}

std::wstring StoredNamePart(const std::wstring& storedPath) {
    const size_t at = LastSeparator(storedPath);
    return at == std::wstring::npos ? storedPath : storedPath.substr(at + 1);
}

SusieFetchResult FetchSusieEntry(const std::wstring& plugin, const std::wstring& archive, const std::wstring& base,
                                 const SusieItem& item, bool restrictedSearch, const std::wstring& programPath) {
    SusieFetchResult r;
    r.folder = base + StoredFolderPart(item.storedPath);
    r.name = StoredNamePart(item.storedPath);
    // The plug-in writes where the stored path says: a path that could climb
    // out of the destination is never handed on.
    if (!ContainedPath(base, item.storedPath) || r.name.empty()) {
        r.contained = false;
        return r;
    }
    r.ret1 = FileGetArchiveFileCore(plugin, archive, r.folder, item.position, restrictedSearch, programPath);
    if (r.ret1 == kSusieCallFaulted) r.faulted = true;
    if (r.ret1 != 0) {
        r.ret2 = FileGetArchiveMemoryCore(plugin, archive, r.folder, item.position, item.size, r.name,
                                          restrictedSearch);
        if (r.ret2 == kSusieCallFaulted) r.faulted = true;
    }
    return r;
}

std::wstring SusieFetchFailureText(const SusieFetchResult& r, bool japanese) {
    const std::wstring tail = std::to_wstring(r.ret1) + L"\r\n" + L"Ret2= " + std::to_wstring(r.ret2) + L"\r\n" +
                              r.folder + L"\r\n" + r.name;
    return japanese ? L"Error : 解凍できませんでした\r\nRet1= " + tail
                    : L"Error : Extract archive file failed.\r\n[OK]\r\nRet1= " + tail;
}

}  // namespace quib
