// A scripted archiver DLL for the unit tests: every export of the thirteen
// archiver DLLs, reading its "archive" from a plain manifest file so that each
// test states the entries and reports it needs. The records are written at
// their byte offsets, independently of the program's own struct, so that a
// wrong layout on the program's side shows up as wrong fields.
//
// Manifest lines (bytes, "\n"-separated):
//   E|name|size|packed|dosdate|dostime|attr|method   one entry (numbers decimal)
//   R|text                                            one report line ("\r", "\n" escapes: \r \n)
//   OPENFAIL                                          OpenArchive returns null
//   CMDRET|n                                          the command function returns n
//   CMDFILL                                           the report fills the whole buffer, no NUL
// Every call is appended to the file named by the variable QUIB_FAKE_LOG.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Entry {
    std::string name, attr, method;
    unsigned long size = 0, packed = 0;
    unsigned dosDate = 0, dosTime = 0;
};

struct Manifest {
    std::vector<Entry> entries;
    std::vector<std::string> report;
    bool openFail = false;
    bool fill = false;
    int cmdRet = 0;
};

struct Arc {
    Manifest manifest;
    size_t next = 0;
};

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

std::vector<std::string> Split(const std::string& s, char sep) {
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

std::string Unescape(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size() && (s[i + 1] == 'r' || s[i + 1] == 'n')) {
            out += s[i + 1] == 'r' ? '\r' : '\n';
            ++i;
        } else {
            out += s[i];
        }
    }
    return out;
}

bool ReadManifest(const char* path, Manifest& m) {
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    std::string bytes;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) bytes.append(buf, got);
    CloseHandle(h);
    for (const std::string& line : Split(bytes, '\n')) {
        if (line.empty()) continue;
        if (line == "OPENFAIL") {
            m.openFail = true;
        } else if (line == "CMDFILL") {
            m.fill = true;
        } else if (line.rfind("CMDRET|", 0) == 0) {
            m.cmdRet = std::atoi(line.c_str() + 7);
        } else if (line.rfind("R|", 0) == 0) {
            m.report.push_back(Unescape(line.substr(2)));
        } else if (line.rfind("E|", 0) == 0) {
            const std::vector<std::string> f = Split(line, '|');
            if (f.size() < 8) continue;
            Entry e;
            e.name = f[1];
            e.size = std::strtoul(f[2].c_str(), nullptr, 10);
            e.packed = std::strtoul(f[3].c_str(), nullptr, 10);
            e.dosDate = static_cast<unsigned>(std::strtoul(f[4].c_str(), nullptr, 10));
            e.dosTime = static_cast<unsigned>(std::strtoul(f[5].c_str(), nullptr, 10));
            e.attr = f[6];
            e.method = f[7];
            m.entries.push_back(e);
        }
    }
    return true;
}

void Put32(unsigned char* rec, size_t off, unsigned long v) {
    for (int i = 0; i < 4; ++i) rec[off + i] = static_cast<unsigned char>(v >> (8 * i));
}
void Put16(unsigned char* rec, size_t off, unsigned v) {
    rec[off] = static_cast<unsigned char>(v);
    rec[off + 1] = static_cast<unsigned char>(v >> 8);
}
// Copies up to size bytes; NUL-terminated only when the text is shorter.
void PutText(unsigned char* rec, size_t off, size_t size, const std::string& s) {
    const size_t n = s.size() < size ? s.size() : size;
    std::memcpy(rec + off, s.data(), n);
    if (n < size) rec[off + n] = 0;
}

int Fill(Arc* arc, void* info) {
    if (!arc || arc->next >= arc->manifest.entries.size()) return -1;
    const Entry& e = arc->manifest.entries[arc->next++];
    unsigned char* rec = static_cast<unsigned char*>(info);
    Put32(rec, 0, e.size);
    Put32(rec, 4, e.packed);
    Put16(rec, 22, e.dosDate);
    Put16(rec, 24, e.dosTime);
    PutText(rec, 26, 513, e.name);
    PutText(rec, 542, 8, e.attr);
    PutText(rec, 550, 8, e.method);
    return 0;
}

HANDLE FakeOpen(const char* name, HWND owner, LPCSTR path, DWORD mode) {
    char line[1024];
    std::snprintf(line, sizeof line, "%s mode=%08lX owner=%llX path=%s", name, static_cast<unsigned long>(mode),
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(owner)), path);
    Log(line);
    Arc* arc = new Arc;
    if (!ReadManifest(path, arc->manifest) || arc->manifest.openFail) {
        delete arc;
        return nullptr;
    }
    return reinterpret_cast<HANDLE>(arc);
}

int FakeClose(const char* name, HANDLE h) {
    Log(std::string(name) + (h ? " handle" : " null"));
    delete reinterpret_cast<Arc*>(h);
    return 0;
}

int FakeFindFirst(const char* name, HANDLE h, LPCSTR wildcard, void* info) {
    Log(std::string(name) + " wildcard=" + wildcard);
    Arc* arc = reinterpret_cast<Arc*>(h);
    if (arc) arc->next = 0;
    return Fill(arc, info);
}

int FakeFindNext(const char* name, HANDLE h, void* info) {
    Log(name);
    return Fill(reinterpret_cast<Arc*>(h), info);
}

int FakeCommand(const char* name, HWND owner, LPCSTR cmd, LPSTR buf, DWORD size) {
    char head[128];
    std::snprintf(head, sizeof head, "%s size=%lu owner=%llX cmd=", name, static_cast<unsigned long>(size),
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(owner)));
    Log(head + std::string(cmd));
    // The archive is the last quoted text of the command line.
    std::string c = cmd;
    const size_t close = c.rfind('"');
    const size_t open = close == std::string::npos || close == 0 ? std::string::npos : c.rfind('"', close - 1);
    Manifest m;
    if (open != std::string::npos) ReadManifest(c.substr(open + 1, close - open - 1).c_str(), m);
    if (m.fill) {
        std::memset(buf, 'Z', size);
        return m.cmdRet;
    }
    std::string report = "CMD:" + c;
    for (const std::string& r : m.report) report += "\r\n" + r;
    const size_t n = report.size() < size ? report.size() : size - 1;
    std::memcpy(buf, report.data(), n);
    buf[n] = 0;
    return m.cmdRet;
}

}  // namespace

#define FAKE_EXPORT extern "C" __declspec(dllexport)

#define FAKE_COMMAND(NAME)                                                           \
    FAKE_EXPORT int WINAPI NAME(HWND owner, LPCSTR cmd, LPSTR buf, DWORD size) {     \
        return FakeCommand(#NAME, owner, cmd, buf, size);                            \
    }

#define FAKE_ENUM(P)                                                                 \
    FAKE_EXPORT HANDLE WINAPI P##OpenArchive(HWND owner, LPCSTR path, DWORD mode) {  \
        return FakeOpen(#P "OpenArchive", owner, path, mode);                        \
    }                                                                                \
    FAKE_EXPORT int WINAPI P##CloseArchive(HANDLE h) { return FakeClose(#P "CloseArchive", h); } \
    FAKE_EXPORT int WINAPI P##FindFirst(HANDLE h, LPCSTR wildcard, void* info) {     \
        return FakeFindFirst(#P "FindFirst", h, wildcard, info);                     \
    }

#define FAKE_FINDNEXT(P)                                                             \
    FAKE_EXPORT int WINAPI P##FindNext(HANDLE h, void* info) { return FakeFindNext(#P "FindNext", h, info); }

FAKE_COMMAND(Unlha)
FAKE_COMMAND(UnZip)
FAKE_COMMAND(Unzip)
FAKE_COMMAND(Zip)
FAKE_COMMAND(Cab)
FAKE_COMMAND(SevenZip)
FAKE_COMMAND(Unrar)
FAKE_COMMAND(Tar)
FAKE_COMMAND(UnIso)
FAKE_COMMAND(Bga)
FAKE_COMMAND(UnGCA)
FAKE_COMMAND(Unarj)
FAKE_COMMAND(Yz1)

FAKE_ENUM(Unlha)
FAKE_ENUM(UnZip)
FAKE_ENUM(Unzip)
FAKE_ENUM(Cab)
FAKE_ENUM(SevenZip)
FAKE_ENUM(Unrar)
FAKE_ENUM(Tar)
FAKE_ENUM(UnIso)
FAKE_ENUM(Bga)
FAKE_ENUM(UnGCA)
FAKE_ENUM(Unarj)
FAKE_ENUM(Yz1)

FAKE_FINDNEXT(Unlha)
FAKE_FINDNEXT(UnZip)
FAKE_FINDNEXT(Unzip)
FAKE_FINDNEXT(Cab)
FAKE_FINDNEXT(SevenZip)
FAKE_FINDNEXT(Unrar)
FAKE_FINDNEXT(Tar)
FAKE_FINDNEXT(UnIso)
FAKE_FINDNEXT(Bga)
FAKE_FINDNEXT(UnGCA)
#ifndef QUIB_FAKE_OMIT_UNARJ_FINDNEXT
FAKE_FINDNEXT(Unarj)
#endif
FAKE_FINDNEXT(Yz1)
