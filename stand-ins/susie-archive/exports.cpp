// The Susie archive plug-in interface over qsa.cpp: archive input from a
// file, entries out to a folder or to a LocalAlloc block the caller frees.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "qsa.h"

namespace {

enum : int { kOk = 0, kNotImplemented = -1, kUnknownFormat = 2, kBroken = 3, kNoMemory = 4, kReadError = 6,
             kWriteError = 7 };
constexpr unsigned int kToMemory = 0x0700;
constexpr size_t kRecordSize = 428;

bool EnvIsOne(const char* name) {
    char value[8] = {};
    const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    return n == 1 && value[0] == '1';
}

void Log(const std::string& line) {
    char path[MAX_PATH];
    const DWORD n = GetEnvironmentVariableA("QUIB_QSA_LOG", path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    HANDLE h = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(h);
}

std::string Number(long long v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%lld", v);
    return buf;
}

int ReadArchive(LPCSTR name, LONG_PTR offset, std::vector<std::uint8_t>& out) {
    if (!name || offset < 0) return kReadError;
    HANDLE h = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return kReadError;
    LARGE_INTEGER size{};
    int result = kReadError;
    if (GetFileSizeEx(h, &size) && size.QuadPart >= offset && size.QuadPart - offset < (256ll << 20)) {
        LARGE_INTEGER pos{};
        pos.QuadPart = offset;
        out.resize(static_cast<size_t>(size.QuadPart - offset));
        DWORD got = 0;
        if (SetFilePointerEx(h, pos, nullptr, FILE_BEGIN) &&
            (out.empty() || ReadFile(h, out.data(), static_cast<DWORD>(out.size()), &got, nullptr)) &&
            got == out.size())
            result = kOk;
    }
    CloseHandle(h);
    return result;
}

void PutText(unsigned char* rec, size_t off, size_t room, const std::string& s) {
    const size_t n = s.size() < room - 1 ? s.size() : room - 1;
    std::memcpy(rec + off, s.data(), n);
}

void Put32(unsigned char* rec, size_t off, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) rec[off + i] = static_cast<unsigned char>(v >> (8 * i));
}

void WriteRecord(unsigned char* rec, const standin_qsa::Entry& e) {
    PutText(rec, 0, 8, e.method);
    Put32(rec, 8, e.position);
    Put32(rec, 12, e.size);
    Put32(rec, 16, e.size);
    Put32(rec, 20, e.time);
    PutText(rec, 24, 200, standin_qsa::FolderPart(e.path));
    PutText(rec, 224, 200, standin_qsa::NamePart(e.path));
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
    const char* texts[] = {"00AM", "quibFMarchive stand-in QSA archive plug-in", "*.qsa", "QSA archive"};
    if (infono < 0 || infono > 3) return 0;
    Copy(buf, buflen, texts[infono]);
    return static_cast<int>(std::strlen(texts[infono]));
}

// dw: the address of the caller's 2,048 bytes (a handle has no high word).
int WINAPI IsSupported(LPCSTR filename, void* dw) {
    Log(std::string("IsSupported\t") + (filename ? filename : ""));
    const auto value = reinterpret_cast<UINT_PTR>(dw);
    std::uint8_t head[16] = {};
    if ((value & ~static_cast<UINT_PTR>(0xFFFF)) == 0) {
        DWORD got = 0;
        if (!ReadFile(reinterpret_cast<HANDLE>(dw), head, sizeof head, &got, nullptr)) return 0;
    } else {
        std::memcpy(head, dw, sizeof head);
    }
    return standin_qsa::HasSignature(head, sizeof head) ? 1 : 0;
}

int WINAPI GetArchiveInfo(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* lphInf) {
    Log(std::string("GetArchiveInfo\t") + (buf ? buf : "") + "\t" + Number(len) + "\t" + Number(flag));
    if (!lphInf) return kReadError;
    if ((flag & 7) != 0) return kNotImplemented;
    std::vector<std::uint8_t> data;
    if (const int r = ReadArchive(buf, len, data); r != kOk) return r;
    std::vector<standin_qsa::Entry> entries;
    if (!standin_qsa::ParseArchive(data, entries)) return kUnknownFormat;
    HLOCAL block = LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, (entries.size() + 1) * kRecordSize);
    if (!block) return kNoMemory;
    auto* p = static_cast<unsigned char*>(LocalLock(block));
    for (size_t i = 0; i < entries.size(); ++i) WriteRecord(p + i * kRecordSize, entries[i]);
    LocalUnlock(block);
    *lphInf = block;
    return kOk;
}

int WINAPI GetFileInfo(LPCSTR buf, LONG_PTR len, LPCSTR filename, unsigned int flag, void* lpInfo) {
    Log(std::string("GetFileInfo\t") + (buf ? buf : "") + "\t" + (filename ? filename : ""));
    if (!lpInfo || !filename) return kReadError;
    std::vector<std::uint8_t> data;
    if (const int r = ReadArchive(buf, len, data); r != kOk) return r;
    std::vector<standin_qsa::Entry> entries;
    if (!standin_qsa::ParseArchive(data, entries)) return kUnknownFormat;
    const bool noCase = (flag & 0x80) == 0;
    for (const auto& e : entries) {
        const bool same = noCase ? lstrcmpiA(e.path.c_str(), filename) == 0 : e.path == filename;
        if (!same) continue;
        std::memset(lpInfo, 0, kRecordSize);
        WriteRecord(static_cast<unsigned char*>(lpInfo), e);
        return kOk;
    }
    return kBroken;
}

int WINAPI GetFile(LPCSTR src, LONG_PTR len, LPSTR dest, unsigned int flag, FARPROC /*progress*/,
                   LONG_PTR /*lData*/) {
    const bool toMemory = (flag & 0x0700) == kToMemory;
    Log(std::string("GetFile\t") + (src ? src : "") + "\t" + Number(len) + "\t" + Number(flag) + "\t" +
        (toMemory ? std::string("<memory>") : std::string(dest ? dest : "")));
    if (EnvIsOne("QUIB_QSA_CRASH")) *static_cast<volatile int*>(nullptr) = 1;
    if (!dest) return kWriteError;
    if (!toMemory && EnvIsOne("QUIB_QSA_NODISK")) return kNotImplemented;
    std::vector<std::uint8_t> data;
    if (const int r = ReadArchive(src, 0, data); r != kOk) return r;
    std::vector<standin_qsa::Entry> entries;
    if (!standin_qsa::ParseArchive(data, entries)) return kUnknownFormat;
    for (const auto& e : entries) {
        if (static_cast<LONG_PTR>(e.position) != len) continue;
        if (toMemory) {
            HLOCAL block = LocalAlloc(LMEM_MOVEABLE, e.size ? e.size : 1);
            if (!block) return kNoMemory;
            if (void* p = LocalLock(block)) {
                if (e.size) std::memcpy(p, data.data() + e.content, e.size);
                LocalUnlock(block);
            }
            *reinterpret_cast<HLOCAL*>(dest) = block;
            return kOk;
        }
        // Only the file name goes below the folder, never the stored folders.
        const std::string name = standin_qsa::NamePart(e.path);
        if (name.empty() || name == "." || name == "..") return kBroken;
        std::string target = dest;
        if (!target.empty() && target.back() != '\\' && target.back() != '/') target += '\\';
        target += name;
        HANDLE h = CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return kWriteError;
        DWORD written = 0;
        const bool ok = e.size == 0 || (WriteFile(h, data.data() + e.content, e.size, &written, nullptr) &&
                                        written == e.size);
        CloseHandle(h);
        return ok ? kOk : kWriteError;
    }
    return kBroken;
}

}  // extern "C"
