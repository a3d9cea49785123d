// The exported entry points. Every command function and every enumeration
// quartet shares one implementation; the export name only picks the family's
// command-line grammar and the formats it accepts.
#include <windows.h>

#include <cstring>
#include <memory>
#include <set>

#include "call_log.h"
#include "catalog.h"
#include "commands.h"
#include "entry_record.h"
#include "guard.h"
#include "result_codes.h"
#include "text.h"

namespace standin {

namespace {

// One open archive. A zip is listed from its central directory alone, read
// in one piece at open time; other formats are read entry by entry as
// FindNext asks, with one libarchive reader kept open. No entry list is built.
struct Session {
  Family family;
  std::wstring path;
  ZipDirectory zip;  // entries here: the archive is a zip listed from its directory
  size_t cursor = 0;
  std::unique_ptr<ArchiveReader> reader;
  bool readerFresh = false;  // nothing read from the reader since it was opened
  EntryInfo entry;           // reused, so its strings keep their room
  std::wstring pattern;
  bool all = true;
  std::wstring logPath;  // the call log in force at open time
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

bool FamilyReadsZip(Family family) {
  switch (family) {
    case Family::Lha:
    case Family::Cab:
    case Family::Rar:
    case Family::Tar:
    case Family::Iso: return false;
    default: return true;
  }
}

std::string Decimal(long long v) { return std::to_string(v); }

std::string OwnerText(HWND owner) { return HexValue(reinterpret_cast<ULONG_PTR>(owner)); }

void CopyText(char* dst, size_t capacity, std::string_view text) {
  size_t n = text.size() < capacity - 1 ? text.size() : capacity - 1;
  std::memcpy(dst, text.data(), n);
  dst[n] = '\0';
}

std::uint32_t Clamp32(std::uint64_t v) { return v > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<std::uint32_t>(v); }

std::uint16_t Ratio(std::uint64_t packed, std::uint64_t size) {
  if (size == 0) return 0;
  std::uint64_t ratio = (packed * 1000 + size / 2) / size;
  return static_cast<std::uint16_t>(ratio > 0xFFFF ? 0xFFFF : ratio);
}

void FillRecord(const EntryInfo& e, EntryRecord* r) {
  std::memset(r, 0, sizeof *r);
  r->originalSize = Clamp32(e.size);
  r->compressedSize = Clamp32(e.packedSize.value_or(0));
  r->crc = e.crc;
  r->osType = e.osType;
  if (e.packedSize) r->ratio = Ratio(*e.packedSize, e.size);
  ToDosDateTime(e, r->dosDate, r->dosTime);
  CopyText(r->name, sizeof r->name, e.recordName);
  CopyText(r->attribute, sizeof r->attribute, e.attributes);
  CopyText(r->method, sizeof r->method, e.method);
}

// The record of a zip entry straight from its directory record: the same
// facts ArchiveReader gives (catalog.cpp), without a string per entry.
void FillZipRecord(const ZipDirectory& zip, const ZipDirectoryEntry& e, EntryRecord* r) {
  std::memset(r, 0, sizeof *r);
  r->originalSize = Clamp32(e.size);
  r->compressedSize = Clamp32(e.packedSize);
  r->crc = e.crc;
  r->osType = e.madeBySystem;
  r->ratio = Ratio(e.packedSize, e.size);
  if (e.hasUnixTime) {
    UnixToDosDateTime(e.unixTime, r->dosDate, r->dosTime);
  } else if (e.dosDate != 0) {
    r->dosDate = e.dosDate;
    r->dosTime = e.dosTime;
  } else {
    r->dosDate = (0 << 9) | (1 << 5) | 1;
  }
  bool directory = zip.IsDirectory(e);
  std::string_view raw = zip.RawName(e);
  size_t n = raw.size() < sizeof r->name - 2 ? raw.size() : sizeof r->name - 2;
  for (size_t i = 0; i < n; ++i) {
    unsigned char c = static_cast<unsigned char>(raw[i]);
    r->name[i] = c < 0x20 || c == 0x7F ? '?' : static_cast<char>(c);  // one line, one field
  }
  if (directory && n > 0 && r->name[n - 1] != '/' && r->name[n - 1] != '\\') r->name[n++] = '/';
  r->name[n] = '\0';
  std::string attributes;
  if (e.madeBySystem == 0 || e.madeBySystem == 11 || e.madeBySystem == 14) {  // MS-DOS, NTFS, VFAT
    std::uint32_t dos = e.externalAttributes & 0xFF;
    attributes = AttributeText(directory, dos & 0x01, dos & 0x02, dos & 0x04, dos & 0x20);
  } else {
    std::uint32_t mode = e.madeBySystem == 3 ? e.externalAttributes >> 16 : 0;
    attributes = AttributeText(directory, !directory && mode != 0 && (mode & 0222) == 0, false, false, !directory);
  }
  CopyText(r->attribute, sizeof r->attribute, attributes);
  CopyText(r->method, sizeof r->method, ZipMethodName(e.method));
}

bool PatternMatches(const Session& s, const std::wstring& path, std::string_view recordName) {
  return WildcardMatch(s.pattern, WithoutTrailingSeparators(path)) ||
         WildcardMatch(s.pattern, WithoutTrailingSeparators(AnsiToWide(Printable(recordName))));
}

int NextMatching(Session& s, EntryRecord* record) {
  if (!s.zip.empty()) {
    while (s.cursor < s.zip.entries.size()) {
      const ZipDirectoryEntry& e = s.zip.entries[s.cursor++];
      if (IsDotName(e.unicodeLength > 0 ? s.zip.UnicodeName(e) : s.zip.RawName(e))) continue;
      if (!s.all && !PatternMatches(s, s.zip.WideName(e), s.zip.RawName(e))) continue;
      if (record) FillZipRecord(s.zip, e, record);
      return kOk;
    }
    return kNoMoreEntries;
  }
  if (!s.reader) return kNoMoreEntries;
  s.readerFresh = false;
  // A damaged tail still lists what could be read before it.
  while (s.reader->Next(s.entry) == kOk) {
    if (!s.all && !PatternMatches(s, s.entry.path, s.entry.recordName)) continue;
    if (record) FillRecord(s.entry, record);
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
  std::wstring wide = AnsiToWide(ansi);
  auto session = std::make_unique<Session>();
  session->family = family;
  session->path = wide;
  session->logPath = CallLogPath();
  if (FamilyReadsZip(family)) session->zip = ReadZipDirectory(wide);
  if (session->zip.empty()) {
    session->reader = std::make_unique<ArchiveReader>();
    if (session->reader->Open(family, wide, std::nullopt) == kOk) session->readerFresh = true;
    else session.reset();
  }
  if (session) Sessions().insert(session.get());
  Session* handle = session.release();
  char modeText[16];
  wsprintfA(modeText, "0x%08lX", mode);
  LogCallTo(handle ? handle->logPath : CallLogPath(), name, OwnerText(owner), wide, modeText,
            HexValue(reinterpret_cast<ULONG_PTR>(handle)));
  return handle;
}

int Close(const char* name, HANDLE handle) {
  Session* s = Lookup(handle);
  int result = kErrHandle;
  std::wstring logPath = s ? s->logPath : CallLogPath();
  if (s) {
    Sessions().erase(s);
    delete s;
    result = kOk;
  }
  LogCallTo(logPath, name, "-", L"", HexValue(reinterpret_cast<ULONG_PTR>(handle)), Decimal(result));
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
    if (s->zip.empty() && !s->readerFresh) {
      // A second FindFirst: read from the start again.
      s->reader = std::make_unique<ArchiveReader>();
      if (s->reader->Open(s->family, s->path, std::nullopt) == kOk) s->readerFresh = true;
      else s->reader.reset();
    }
    result = NextMatching(*s, record);
  }
  LogCallTo(s ? s->logPath : CallLogPath(), name, "-", AnsiToWide(pattern), HexValue(reinterpret_cast<ULONG_PTR>(handle)),
            Decimal(result));
  return result;
}

int FindNext(const char* name, HANDLE handle, EntryRecord* record) {
  Session* s = Lookup(handle);
  int result = s ? NextMatching(*s, record) : kErrHandle;
  // Nothing is built for the log line unless there is a log.
  const std::wstring& logPath = s ? s->logPath : CallLogPath();
  if (!logPath.empty())
    LogCallTo(logPath, name, "-", L"", HexValue(reinterpret_cast<ULONG_PTR>(handle)), Decimal(result));
  return result;
}

// The report for a command that ended by an exception: nothing allocated.
int CommandFailed(int code, LPSTR out, DWORD outSize) {
  static const char kText[] = "Error: out of memory or unreadable archive\r\n";
  if (out && outSize > 0) {
    size_t n = sizeof kText - 1 < outSize - 1 ? sizeof kText - 1 : outSize - 1;
    std::memcpy(out, kText, n);
    out[n] = '\0';
  }
  return code;
}

}  // namespace

}  // namespace standin

using standin::EntryRecord;
using standin::Family;

#define STANDIN_COMMAND(NAME, FAMILY)                                                   \
  extern "C" int WINAPI NAME(HWND owner, LPCSTR commandLine, LPSTR out, DWORD outSize); \
  extern "C" int WINAPI NAME(HWND owner, LPCSTR commandLine, LPSTR out, DWORD outSize) { \
    return standin::Guarded([&] { return standin::Command(#NAME, FAMILY, owner, commandLine, out, outSize); }, \
                            [&](int code) { return standin::CommandFailed(code, out, outSize); });      \
  }                                                                                     \
  extern "C" WORD WINAPI NAME##GetVersion();                                            \
  extern "C" WORD WINAPI NAME##GetVersion() { return 100; }

#define STANDIN_ENUMERATION(P, FAMILY)                                                        \
  extern "C" HANDLE WINAPI P##OpenArchive(HWND owner, LPCSTR path, DWORD mode);               \
  extern "C" HANDLE WINAPI P##OpenArchive(HWND owner, LPCSTR path, DWORD mode) {              \
    return standin::Guarded([&] { return standin::Open(#P "OpenArchive", FAMILY, owner, path, mode); }, \
                            [](int) -> HANDLE { return nullptr; });                                   \
  }                                                                                           \
  extern "C" int WINAPI P##CloseArchive(HANDLE handle);                                       \
  extern "C" int WINAPI P##CloseArchive(HANDLE handle) {                                      \
    return standin::Guarded([&] { return standin::Close(#P "CloseArchive", handle); },          \
                            [](int code) { return code; });                                           \
  }                                                                                           \
  extern "C" int WINAPI P##FindFirst(HANDLE handle, LPCSTR wildcard, EntryRecord* record);    \
  extern "C" int WINAPI P##FindFirst(HANDLE handle, LPCSTR wildcard, EntryRecord* record) {   \
    return standin::Guarded([&] { return standin::FindFirst(#P "FindFirst", handle, wildcard, record); }, \
                            [](int code) { return code; });                                           \
  }                                                                                           \
  extern "C" int WINAPI P##FindNext(HANDLE handle, EntryRecord* record);                      \
  extern "C" int WINAPI P##FindNext(HANDLE handle, EntryRecord* record) {                     \
    return standin::Guarded([&] { return standin::FindNext(#P "FindNext", handle, record); },   \
                            [](int code) { return code; });                                           \
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
