#include "viewers/image/SusiePicture.h"

#include <cstring>

#include "archive/SusieApi.h"
#include "util/ForeignCall.h"
#include "util/StrConv.h"

namespace quib {
namespace {

class PluginModule {
public:
    explicit PluginModule(const std::wstring& path) : module_(LoadSusiePlugin(path, true)) {}
    ~PluginModule() {
        if (module_) FreeLibrary(module_);
    }
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;
    FARPROC Entry(const char* name) const { return module_ ? GetProcAddress(module_, name) : nullptr; }

private:
    HMODULE module_;
};

bool FileThere(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

// Copies a plug-in's block out and frees it.
std::vector<unsigned char> TakeBlock(HLOCAL h) {
    std::vector<unsigned char> out;
    if (!h) return out;
    const SIZE_T size = LocalSize(h);
    if (const void* p = LocalLock(h)) {
        out.assign(static_cast<const unsigned char*>(p), static_cast<const unsigned char*>(p) + size);
        LocalUnlock(h);
    }
    LocalFree(h);
    return out;
}

}  // namespace

int FileIsSupportedPicture(const std::wstring& spiFileName, const std::wstring& imgFileName) {
    if (!FileThere(imgFileName)) return kSusieFileMissing;
    unsigned char header[kSusieHeaderSize];
    std::memset(header, 0, sizeof header);
    HANDLE h = CreateFileW(imgFileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        DWORD got = 0;
        if (!ReadFile(h, header, sizeof header, &got, nullptr)) std::memset(header, 0, sizeof header);
        CloseHandle(h);
    }
    PluginModule module(spiFileName);
    auto isSupported = reinterpret_cast<SusieIsSupportedFn>(module.Entry("IsSupported"));
    if (!isSupported) return 0;
    const std::string ansi = WideToAnsi(imgFileName);
    int answer = 0;
    auto call = [&] { answer = isSupported(ansi.c_str(), header); };
    return CallForeign(call) ? answer : 0;
}

int FileGetPicture(const std::wstring& spiFileName, const std::wstring& imgFileName, SusieDib& dib) {
    dib = {};
    PluginModule module(spiFileName);
    auto getPicture = reinterpret_cast<SusieGetPictureFn>(module.Entry("GetPicture"));
    if (!getPicture) return kSusieNotImplemented;
    const std::string ansi = WideToAnsi(imgFileName);
    HLOCAL info = nullptr, bits = nullptr;
    int result = 0;
    auto call = [&] { result = getPicture(ansi.c_str(), 0, 0, &info, &bits, nullptr, 0); };
    if (!CallForeign(call)) return kSusieCallFaulted;
    if (result != 0) return result;
    dib.info = TakeBlock(info);
    dib.bits = TakeBlock(bits);
    return 0;
}

}  // namespace quib
