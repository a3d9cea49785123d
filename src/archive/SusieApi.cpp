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

}  // namespace

HMODULE LoadSusiePlugin(const std::wstring& pluginPath, bool restrictedSearch) {
    if (restrictedSearch) {
        return LoadLibraryExW(pluginPath.c_str(), nullptr,
                              LOAD_LIBRARY_SEARCH_SYSTEM32 | LOAD_LIBRARY_SEARCH_APPLICATION_DIR);
    }
    return LoadLibraryW(pluginPath.c_str());
}

int FileIsSupportedArchive(const std::wstring& pluginPath, const std::wstring& archivePath, bool restrictedSearch,
                           const std::wstring& programPath, HWND owner) {
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
    return CallForeign(call) ? answer : 0;
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

}  // namespace quib
