// A scripted Susie archive plug-in for the unit tests. Records are written at
// their byte offsets (428 bytes each), independently of the program's struct.
//
// IsSupported answers the digit after "QSPI" at the start of the buffer (0
// when the buffer does not start so; "QSPIX" makes it write through a null
// pointer, as a broken plug-in does) and copies the whole 2,048-byte buffer to
// the file named by QUIB_FAKE_LOG plus ".buf".
// GetArchiveInfo reads the named file as a manifest:
//   S|method|position|compsize|filesize|timestamp|dir|name   one record (numbers decimal)
//   RET|n                                                    return n (the block is still given)
//   NOBLOCK                                                  no block at all
//   CRASH                                                    leave a junk handle, then fault
// and ends the block with a record whose method is empty, as plug-ins do.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void Log(const std::string& line) {
    char path[MAX_PATH];
    const DWORD n = GetEnvironmentVariableA("QUIB_FAKE_LOG", path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    HANDLE h = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(h);
}

void DumpBuffer(const void* data, DWORD size) {
    char path[MAX_PATH];
    const DWORD n = GetEnvironmentVariableA("QUIB_FAKE_LOG", path, MAX_PATH);
    if (n == 0 || n + 4 >= MAX_PATH) return;
    std::strcat(path, ".buf");
    HANDLE h = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(h, data, size, &written, nullptr);
    CloseHandle(h);
}

[[maybe_unused]] std::vector<std::string> Split(const std::string& s, char sep) {
    std::vector<std::string> out;
    size_t start = 0;
    for (;;) {
        const size_t at = s.find(sep, start);
        if (at == std::string::npos) {
            out.push_back(s.substr(start));
            return out;
        }
        out.push_back(s.substr(start, at - start));
        start = at + 1;
    }
}

[[maybe_unused]] void Put32(unsigned char* rec, size_t off, unsigned long v) {
    for (int i = 0; i < 4; ++i) rec[off + i] = static_cast<unsigned char>(v >> (8 * i));
}
[[maybe_unused]] void PutText(unsigned char* rec, size_t off, size_t size, const std::string& s) {
    const size_t n = s.size() < size ? s.size() : size;
    std::memcpy(rec + off, s.data(), n);
}

}  // namespace

extern "C" __declspec(dllexport) int WINAPI IsSupported(LPCSTR filename, void* dw) {
    Log(std::string("IsSupported name=") + filename);
    const unsigned char* buf = static_cast<const unsigned char*>(dw);
    DumpBuffer(buf, 2048);
    if (std::memcmp(buf, "QSPIX", 5) == 0) *static_cast<volatile int*>(nullptr) = 1;
    if (std::memcmp(buf, "QSPI", 4) == 0 && buf[4] >= '0' && buf[4] <= '9') return buf[4] - '0';
    return 0;
}

#ifndef QUIB_FAKE_SPI_NO_GETARCHIVEINFO
extern "C" __declspec(dllexport) int WINAPI GetArchiveInfo(LPCSTR buf, LONG_PTR len, unsigned int flag,
                                                           HLOCAL* lphInf) {
    char head[64];
    std::snprintf(head, sizeof head, "GetArchiveInfo len=%ld flag=%u name=", static_cast<long>(len), flag);
    Log(head + std::string(buf));
    HANDLE h = CreateFileA(buf, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return 6;
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(h, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    CloseHandle(h);

    int ret = 0;
    bool noBlock = false;
    std::vector<std::vector<std::string>> records;
    for (const std::string& line : Split(bytes, '\n')) {
        if (line.rfind("RET|", 0) == 0) ret = std::atoi(line.c_str() + 4);
        if (line == "NOBLOCK") noBlock = true;
        if (line == "CRASH") {
            *lphInf = reinterpret_cast<HLOCAL>(static_cast<UINT_PTR>(0xDEAD0000));
            *static_cast<volatile int*>(nullptr) = 1;
        }
        if (line.rfind("S|", 0) == 0) {
            std::vector<std::string> f = Split(line, '|');
            if (f.size() >= 8) records.push_back(f);
        }
    }
    if (noBlock) return ret;
    const size_t count = records.size() + 1;
    HLOCAL block = LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, count * 428);
    if (!block) return 4;
    unsigned char* p = static_cast<unsigned char*>(LocalLock(block));
    for (size_t i = 0; i < records.size(); ++i) {
        unsigned char* rec = p + i * 428;
        const std::vector<std::string>& f = records[i];
        PutText(rec, 0, 8, f[1]);
        Put32(rec, 8, std::strtoul(f[2].c_str(), nullptr, 10));
        Put32(rec, 12, std::strtoul(f[3].c_str(), nullptr, 10));
        Put32(rec, 16, std::strtoul(f[4].c_str(), nullptr, 10));
        Put32(rec, 20, std::strtoul(f[5].c_str(), nullptr, 10));
        PutText(rec, 24, 199, f[6]);
        PutText(rec, 224, 199, f[7]);
        Put32(rec, 424, 0xDEADBEEF);
    }
    LocalUnlock(block);
    *lphInf = block;
    return ret;
}
#endif
