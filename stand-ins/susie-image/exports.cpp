// The Susie image plug-in interface over ppm.cpp: file and memory input,
// results in LocalAlloc blocks the caller frees.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "ppm.h"

namespace {

enum : int { kOk = 0, kNotImplemented = -1, kUnknownFormat = 2, kBroken = 3, kNoMemory = 4, kReadError = 6 };

#pragma pack(push, 1)
struct PictureInfo {
    long left, top;
    long width, height;
    WORD xDensity, yDensity;
    short colorDepth;
    HLOCAL hInfo;
};
#pragma pack(pop)

// The input as the flag says: a file from offset len, or len bytes of memory.
int ReadInput(LPCSTR buf, LONG_PTR len, unsigned int flag, std::vector<std::uint8_t>& out) {
    if ((flag & 7) == 1) {
        if (!buf || len < 0) return kReadError;
        out.assign(reinterpret_cast<const std::uint8_t*>(buf), reinterpret_cast<const std::uint8_t*>(buf) + len);
        return kOk;
    }
    if (!buf) return kReadError;
    HANDLE h = CreateFileA(buf, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return kReadError;
    LARGE_INTEGER size{};
    int result = kReadError;
    if (GetFileSizeEx(h, &size) && size.QuadPart >= len && size.QuadPart - len < (256ll << 20)) {
        LARGE_INTEGER pos{};
        pos.QuadPart = len;
        out.resize(static_cast<size_t>(size.QuadPart - len));
        DWORD got = 0;
        if (SetFilePointerEx(h, pos, nullptr, FILE_BEGIN) &&
            ReadFile(h, out.data(), static_cast<DWORD>(out.size()), &got, nullptr) && got == out.size())
            result = kOk;
    }
    CloseHandle(h);
    return result;
}

HLOCAL Block(const std::vector<std::uint8_t>& bytes) {
    HLOCAL h = LocalAlloc(LMEM_MOVEABLE, bytes.size());
    if (!h) return nullptr;
    if (void* p = LocalLock(h)) {
        std::memcpy(p, bytes.data(), bytes.size());
        LocalUnlock(h);
    }
    return h;
}

void Copy(LPSTR buf, int buflen, const char* text) {
    if (!buf || buflen <= 0) return;
    std::strncpy(buf, text, static_cast<size_t>(buflen));
    buf[buflen - 1] = 0;
}

}  // namespace

// Exported by name through plugin.def (undecorated in the 32-bit build too).
extern "C" {

int WINAPI GetPluginInfo(int infono, LPSTR buf, int buflen) {
    switch (infono) {
        case 0: Copy(buf, buflen, "00IN"); return static_cast<int>(std::strlen("00IN"));
        case 1: Copy(buf, buflen, "quibFMarchive stand-in PPM plug-in"); return 34;
        case 2: Copy(buf, buflen, "*.ppm;*.pgm"); return 11;
        case 3: Copy(buf, buflen, "Netpbm picture"); return 14;
        default: return 0;
    }
}

// dw: the address of the caller's 2,048 bytes (a handle has no high word).
int WINAPI IsSupported(LPCSTR /*filename*/, void* dw) {
    const auto value = reinterpret_cast<UINT_PTR>(dw);
    std::uint8_t head[64] = {};
    if ((value & ~static_cast<UINT_PTR>(0xFFFF)) == 0) {
        DWORD got = 0;
        if (!ReadFile(reinterpret_cast<HANDLE>(dw), head, sizeof head, &got, nullptr)) return 0;
    } else {
        std::memcpy(head, dw, sizeof head);
    }
    standin_spi::PpmHeader h;
    return standin_spi::ParsePpmHeader(head, sizeof head, h) ? 1 : 0;
}

int WINAPI GetPictureInfo(LPCSTR buf, LONG_PTR len, unsigned int flag, PictureInfo* info) {
    if (!info) return kReadError;
    std::vector<std::uint8_t> data;
    if (const int r = ReadInput(buf, len, flag, data); r != kOk) return r;
    standin_spi::PpmHeader h;
    if (!standin_spi::ParsePpmHeader(data.data(), data.size(), h)) return kUnknownFormat;
    *info = PictureInfo{0, 0, h.width, h.height, 0, 0, static_cast<short>(h.colour ? 24 : 8), nullptr};
    return kOk;
}

int WINAPI GetPicture(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* pHBInfo,
                                            HLOCAL* pHBm, FARPROC /*progress*/, LONG_PTR /*lData*/) {
    if (!pHBInfo || !pHBm) return kReadError;
    std::vector<std::uint8_t> data;
    if (const int r = ReadInput(buf, len, flag, data); r != kOk) return r;
    standin_spi::PpmHeader h;
    if (!standin_spi::ParsePpmHeader(data.data(), data.size(), h)) return kUnknownFormat;
    std::vector<std::uint8_t> info, bits;
    if (!standin_spi::PpmToDib(data.data(), data.size(), info, bits)) return kBroken;
    HLOCAL hi = Block(info), hb = Block(bits);
    if (!hi || !hb) {
        if (hi) LocalFree(hi);
        if (hb) LocalFree(hb);
        return kNoMemory;
    }
    *pHBInfo = hi;
    *pHBm = hb;
    return kOk;
}

int WINAPI GetPreview(LPCSTR, LONG_PTR, unsigned int, HLOCAL*, HLOCAL*, FARPROC, LONG_PTR) {
    return kNotImplemented;
}

}  // extern "C"
