#include "archive/SusieApi.h"

#include <cstring>

#include "archive/EntryModel.h"
#include "util/ForeignCall.h"
#include "util/Message.h"
#include "util/PathPrefix.h"
#include "util/StrConv.h"

namespace quib {
namespace {

// Frees the plug-in when the call is over, whatever happens in between.
class PluginModule {
public:
    PluginModule(const std::wstring& path, bool restricted) : module_(LoadSusiePlugin(path, restricted)) {}
    ~PluginModule() {
        if (module_) FreeLibrary(module_);
    }
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;
    FARPROC Entry(const char* name) const { return module_ ? GetProcAddress(module_, name) : nullptr; }

private:
    HMODULE module_;
};

// The plug-ins see the archive by its ANSI name, so that is the name that must exist.
bool AnsiNameExists(const std::wstring& path) {
    const std::wstring roundTrip = AnsiToWide(WideToAnsi(path));
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(roundTrip.c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return false;
    FindClose(h);
    return true;
}

void ReadHeader(const std::wstring& path, unsigned char* buf, DWORD size) {
    std::memset(buf, 0, size);
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    DWORD total = 0;
    while (total < size) {
        DWORD got = 0;
        if (!ReadFile(h, buf + total, size - total, &got, nullptr) || got == 0) break;
        total += got;
    }
    CloseHandle(h);
}

// Every missing level of a folder, from the top down.
void CreateFolderPath(const std::wstring& folder) {
    std::wstring path = folder;
    while (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
    if (path.empty()) return;
    const DWORD a = GetFileAttributesW(path.c_str());
    if (a != INVALID_FILE_ATTRIBUTES) return;
    for (size_t i = 0; i < path.size(); ++i) {
        if ((path[i] == L'\\' || path[i] == L'/') && i > 2) CreateDirectoryW(path.substr(0, i).c_str(), nullptr);
    }
    CreateDirectoryW(path.c_str(), nullptr);
}

}  // namespace

HMODULE LoadSusiePlugin(const std::wstring& pluginPath, bool restrictedSearch) {
    if (restrictedSearch) {
        return LoadLibraryExW(pluginPath.c_str(), nullptr,
                              LOAD_LIBRARY_SEARCH_SYSTEM32 | LOAD_LIBRARY_SEARCH_APPLICATION_DIR);
    }
    return LoadLibraryW(pluginPath.c_str());
}

int FileIsSupportedArchive(const std::wstring& pluginPath, const std::wstring& archivePath, bool restrictedSearch,
                           const std::wstring& programPath, HWND owner, bool* faulted) {
    if (faulted) *faulted = false;
    const std::wstring plugin = ExpandPathPrefix(pluginPath, programPath);
    if (!AnsiNameExists(archivePath)) {
        ShowMsgJE(owner, L"Information : ファイルがありません", L"Information : File is not exist.\r\n[OK]");
        return 0;
    }
    // Plug-ins may read up to the full buffer whatever the file's length, so
    // the buffer is always the full size and zero beyond the file's end.
    unsigned char header[kSusieHeaderSize];
    ReadHeader(archivePath, header, kSusieHeaderSize);
    PluginModule module(plugin, restrictedSearch);
    auto isSupported = reinterpret_cast<SusieIsSupportedFn>(module.Entry("IsSupported"));
    if (!isSupported) return 0;
    const std::string ansiName = WideToAnsi(archivePath);
    int answer = 0;
    auto call = [&] { answer = isSupported(ansiName.c_str(), header); };
    // A plug-in that faults while asked does not handle the archive.
    if (CallForeign(call)) return answer;
    if (faulted) *faulted = true;
    return 0;
}

int FileGetArchiveFileInfoCore(const std::wstring& pluginPath, const std::wstring& archivePath, bool restrictedSearch,
                               std::vector<std::wstring>& dirFile, std::vector<std::wstring>& pathList) {
    PluginModule module(pluginPath, restrictedSearch);
    auto getArchiveInfo = reinterpret_cast<SusieGetArchiveInfoFn>(module.Entry("GetArchiveInfo"));
    // 0 means success to every caller: a plug-in that is missing or cannot
    // list says so with the interface's own "not implemented".
    if (!getArchiveInfo) return kSusieNotImplemented;

    const std::string ansiName = WideToAnsi(archivePath);
    HLOCAL block = nullptr;
    int result = 0;
    auto call = [&] { result = getArchiveInfo(ansiName.c_str(), 0, 0, &block); };
    // After a fault the handle variable holds whatever the plug-in left
    // there: it is not ours to read or free.
    if (!CallForeign(call)) return kSusieCallFaulted;

    dirFile.clear();
    pathList.clear();
    dirFile.push_back(RootEntryLine());
    if (block) {
        const SIZE_T bytes = LocalSize(block);
        const unsigned char* records = static_cast<const unsigned char*>(LocalLock(block));
        if (records) {
            const size_t count = bytes / sizeof(TSusieFileInfo);
            for (size_t i = 0; i < count; ++i) {
                TSusieFileInfo info;
                std::memcpy(&info, records + i * sizeof(TSusieFileInfo), sizeof info);
                if (!SusieRecordIsEntry(info)) continue;
                SusieEntryLine entry = BuildSusieEntryLine(info);
                pathList.push_back(std::move(entry.storedPath));
                dirFile.push_back(std::move(entry.line));
            }
            LocalUnlock(block);
        }
        LocalFree(block);
    }
    return result;
}

int FileGetArchiveFileCore(const std::wstring& pluginPath, const std::wstring& archivePath,
                           const std::wstring& dstFolder, long long position, bool restrictedSearch,
                           const std::wstring& programPath) {
    const std::wstring plugin = ExpandPathPrefix(pluginPath, programPath);
    if (!dstFolder.empty()) CreateFolderPath(dstFolder);
    PluginModule module(plugin, restrictedSearch);
    auto getFile = reinterpret_cast<SusieGetFileFn>(module.Entry("GetFile"));
    if (!getFile) return kSusieNotImplemented;
    const std::string ansiName = WideToAnsi(archivePath);
    std::string ansiFolder = WideToAnsi(dstFolder);
    int result = 0;
    const LONG_PTR pos = static_cast<LONG_PTR>(position);
    auto call = [&] { result = getFile(ansiName.c_str(), pos, ansiFolder.data(), 0, nullptr, 0); };
    if (!CallForeign(call)) return kSusieCallFaulted;
    return result;
}

int FileGetArchiveMemoryCore(const std::wstring& pluginPath, const std::wstring& archivePath,
                             const std::wstring& dstFolder, long long position, long long fileSize,
                             const std::wstring& fileName, bool restrictedSearch) {
    PluginModule module(pluginPath, restrictedSearch);
    auto getFile = reinterpret_cast<SusieGetFileFn>(module.Entry("GetFile"));
    if (!getFile) return kSusieNotImplemented;
    const std::string ansiName = WideToAnsi(archivePath);
    HLOCAL block = nullptr;
    int result = 0;
    const LONG_PTR pos = static_cast<LONG_PTR>(position);
    auto call = [&] {
        result = getFile(ansiName.c_str(), pos, reinterpret_cast<LPSTR>(&block), kSusieFileToMemory, nullptr, 0);
    };
    if (!CallForeign(call)) return kSusieCallFaulted;
    if (result != 0) return result;
    if (!block) return kSusieNoBlock;
    std::vector<unsigned char> bytes;
    const SIZE_T held = LocalSize(block);
    if (const void* p = LocalLock(block)) {
        const SIZE_T wanted = fileSize < 0 ? 0 : static_cast<SIZE_T>(fileSize);
        const SIZE_T n = wanted < held ? wanted : held;
        bytes.assign(static_cast<const unsigned char*>(p), static_cast<const unsigned char*>(p) + n);
        LocalUnlock(block);
    }
    LocalFree(block);
    if (!dstFolder.empty()) CreateFolderPath(dstFolder);
    std::wstring target = dstFolder;
    if (!target.empty() && target.back() != L'\\') target.push_back(L'\\');
    target += fileName;
    HANDLE h = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return kSusieWriteFailed;
    DWORD written = 0;
    const bool ok = bytes.empty() ||
                    (WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                     written == bytes.size());
    CloseHandle(h);
    return ok ? 0 : kSusieWriteFailed;
}

void ReportSusieFault(HWND owner, const std::wstring& pluginPath) {
    ShowMsgJE(owner, L"Error : Susie プラグインの内部で障害が発生しました\r\n" + pluginPath,
              L"Error : The Susie plug-in failed inside.\r\n[OK]\r\n" + pluginPath, MsgButtons::Ok, MsgStyle::Error);
}

}  // namespace quib
