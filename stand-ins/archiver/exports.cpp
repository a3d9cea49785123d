// The exported entry points. Every command function and every enumeration
// quartet shares one implementation; the export name only picks the family's
// command-line grammar and the formats it accepts.
#include <windows.h>

#include <cstring>
#include <set>

#include "call_log.h"
#include "catalog.h"
#include "commands.h"
#include "entry_record.h"
#include "result_codes.h"
#include "text.h"

namespace standin {

namespace {

// One open archive: its entries are read completely at open time, so
// FindFirst/FindNext only walk a list and no libarchive state stays open.
struct Session {
  Family family;
  std::vector<EntryInfo> entries;
  size_t cursor = 0;
  std::wstring pattern;
  bool all = true;
};

// Live handles, so that a stale or foreign handle is refused instead of used.
std::set<Session*>& Sessions() {
  static std::set<Session*> sessions;
  return sessions;
}

Session* Lookup(HANDLE handle) {
  auto* s = static_cast<Session*>(handle);
  return Sessions().count(s) ? s : nullptr;
}

std::string Decimal(long long v) { return std::to_string(v); }

std::string OwnerText(HWND owner) { return HexValue(reinterpret_cast<ULONG_PTR>(owner)); }

void CopyText(char* dst, size_t capacity, const std::string& text) {
  size_t n = text.size() < capacity - 1 ? text.size() : capacity - 1;
  std::memcpy(dst, text.data(), n);
  dst[n] = '\0';
}

void FillRecord(const EntryInfo& e, EntryRecord* r) {
  std::memset(r, 0, sizeof *r);
  r->originalSize = e.size > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<std::uint32_t>(e.size);
  std::uint64_t packed = e.packedSize.value_or(0);
  r->compressedSize = packed > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<std::uint32_t>(packed);
  r->crc = e.crc;
  r->osType = e.osType;
  if (e.packedSize && e.size > 0) {
    std::uint64_t ratio = (*e.packedSize * 1000 + e.size / 2) / e.size;
    r->ratio = static_cast<std::uint16_t>(ratio > 0xFFFF ? 0xFFFF : ratio);
  }
  ToDosDateTime(e, r->dosDate, r->dosTime);
  CopyText(r->name, sizeof r->name, e.recordName);
  CopyText(r->attribute, sizeof r->attribute, e.attributes);
  CopyText(r->method, sizeof r->method, e.method);
}

bool PatternMatches(const Session& s, const EntryInfo& e) {
  return s.all || WildcardMatch(s.pattern, WithoutTrailingSeparators(e.path)) ||
         WildcardMatch(s.pattern, WithoutTrailingSeparators(AnsiToWide(e.recordName)));
}

int NextMatching(Session& s, EntryRecord* record) {
  while (s.cursor < s.entries.size()) {
    const EntryInfo& e = s.entries[s.cursor++];
    if (!PatternMatches(s, e)) continue;
    if (record) FillRecord(e, record);
    return kOk;
  }
  return kNoMoreEntries;
}

int Command(const char* name, Family family, HWND owner, LPCSTR commandLine, LPSTR out, DWORD outSize) {
  std::string line = commandLine ? commandLine : "";
  std::string report;
  int result = RunCommand(family, line, report);
  if (out && outSize > 0) {
    size_t n = report.size() < outSize - 1 ? report.size() : outSize - 1;
    // Never end on the first half of a double-byte character.
    if (n < report.size() && n > 0) {
      size_t i = 0;
      while (i < n) {
        size_t step = IsDBCSLeadByte(static_cast<BYTE>(report[i])) ? 2 : 1;
        if (i + step > n) break;
        i += step;
      }
      n = i;
    }
    std::memcpy(out, report.data(), n);
    out[n] = '\0';
  }
  LogCall(name, OwnerText(owner), AnsiToWide(line), Decimal(outSize), Decimal(result));
  return result;
}

HANDLE Open(const char* name, Family family, HWND owner, LPCSTR path, DWORD mode) {
  std::string ansi = path ? path : "";
  Session* session = nullptr;
  ArchiveReader reader;
  if (reader.Open(family, AnsiToWide(ansi), std::nullopt) == kOk) {
    session = new Session{family, {}, 0, {}, true};
    EntryInfo entry;
    // A damaged tail still lists what could be read before it.
    while (reader.Next(entry) == kOk) session->entries.push_back(entry);
    Sessions().insert(session);
  }
  char modeText[16];
  wsprintfA(modeText, "0x%08lX", mode);
  LogCall(name, OwnerText(owner), AnsiToWide(ansi), modeText,
          HexValue(reinterpret_cast<ULONG_PTR>(session)));
  return session;
}

int Close(const char* name, HANDLE handle) {
  Session* s = Lookup(handle);
  int result = kErrHandle;
  if (s) {
    Sessions().erase(s);
    delete s;
    result = kOk;
  }
  LogCall(name, "-", L"", HexValue(reinterpret_cast<ULONG_PTR>(handle)), Decimal(result));
  return result;
}

int FindFirst(const char* name, HANDLE handle, LPCSTR wildcard, EntryRecord* record) {
  Session* s = Lookup(handle);
  std::string pattern = wildcard ? wildcard : "";
  int result = kErrHandle;
  if (s) {
    std::wstring wide = AnsiToWide(pattern);
    s->all = wide.empty() || wide == L"*" || wide == L"*.*";
    s->pattern = WithoutTrailingSeparators(wide);
    s->cursor = 0;
    result = NextMatching(*s, record);
  }
  LogCall(name, "-", AnsiToWide(pattern), HexValue(reinterpret_cast<ULONG_PTR>(handle)), Decimal(result));
  return result;
}

int FindNext(const char* name, HANDLE handle, EntryRecord* record) {
  Session* s = Lookup(handle);
  int result = s ? NextMatching(*s, record) : kErrHandle;
  LogCall(name, "-", L"", HexValue(reinterpret_cast<ULONG_PTR>(handle)), Decimal(result));
  return result;
}

}  // namespace

}  // namespace standin

using standin::EntryRecord;
using standin::Family;

#define STANDIN_COMMAND(NAME, FAMILY)                                                   \
  extern "C" int WINAPI NAME(HWND owner, LPCSTR commandLine, LPSTR out, DWORD outSize); \
  extern "C" int WINAPI NAME(HWND owner, LPCSTR commandLine, LPSTR out, DWORD outSize) { \
    return standin::Command(#NAME, FAMILY, owner, commandLine, out, outSize);           \
  }                                                                                     \
  extern "C" WORD WINAPI NAME##GetVersion();                                            \
  extern "C" WORD WINAPI NAME##GetVersion() { return 100; }

#define STANDIN_ENUMERATION(P, FAMILY)                                                        \
  extern "C" HANDLE WINAPI P##OpenArchive(HWND owner, LPCSTR path, DWORD mode);               \
  extern "C" HANDLE WINAPI P##OpenArchive(HWND owner, LPCSTR path, DWORD mode) {              \
    return standin::Open(#P "OpenArchive", FAMILY, owner, path, mode);                        \
  }                                                                                           \
  extern "C" int WINAPI P##CloseArchive(HANDLE handle);                                       \
  extern "C" int WINAPI P##CloseArchive(HANDLE handle) {                                      \
    return standin::Close(#P "CloseArchive", handle);                                         \
  }                                                                                           \
  extern "C" int WINAPI P##FindFirst(HANDLE handle, LPCSTR wildcard, EntryRecord* record);    \
  extern "C" int WINAPI P##FindFirst(HANDLE handle, LPCSTR wildcard, EntryRecord* record) {   \
    return standin::FindFirst(#P "FindFirst", handle, wildcard, record);                      \
  }                                                                                           \
  extern "C" int WINAPI P##FindNext(HANDLE handle, EntryRecord* record);                      \
  extern "C" int WINAPI P##FindNext(HANDLE handle, EntryRecord* record) {                     \
    return standin::FindNext(#P "FindNext", handle, record);                                  \
  }

STANDIN_COMMAND(Unlha, Family::Lha)
STANDIN_COMMAND(UnZip, Family::UnZip32)
STANDIN_COMMAND(Unzip, Family::LmZip)
STANDIN_COMMAND(Zip, Family::ZipJ)
STANDIN_COMMAND(Cab, Family::Cab)
STANDIN_COMMAND(SevenZip, Family::SevenZip)
STANDIN_COMMAND(Unrar, Family::Rar)
STANDIN_COMMAND(Tar, Family::Tar)
STANDIN_COMMAND(UnIso, Family::Iso)
STANDIN_COMMAND(Bga, Family::Bga)
STANDIN_COMMAND(UnGCA, Family::Gca)
STANDIN_COMMAND(Unarj, Family::Arj)
STANDIN_COMMAND(Yz1, Family::Yz1)

STANDIN_ENUMERATION(Unlha, Family::Lha)
STANDIN_ENUMERATION(UnZip, Family::UnZip32)
STANDIN_ENUMERATION(Unzip, Family::LmZip)
STANDIN_ENUMERATION(Cab, Family::Cab)
STANDIN_ENUMERATION(SevenZip, Family::SevenZip)
STANDIN_ENUMERATION(Unrar, Family::Rar)
STANDIN_ENUMERATION(Tar, Family::Tar)
STANDIN_ENUMERATION(UnIso, Family::Iso)
STANDIN_ENUMERATION(Bga, Family::Bga)
STANDIN_ENUMERATION(UnGCA, Family::Gca)
STANDIN_ENUMERATION(Unarj, Family::Arj)
STANDIN_ENUMERATION(Yz1, Family::Yz1)
