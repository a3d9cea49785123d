// Extraction and test. Each file is written to a temporary name beside its
// target and renamed only after its data has been read to the end without any
// complaint from libarchive, so a bad CRC or password never leaves a partial
// or truncated file behind.
#include <archive.h>
#include <archive_entry.h>
#include <windows.h>

#include "commands.h"
#include "result_codes.h"
#include "text.h"

namespace standin {

namespace {

struct Outcome {
  int code = kOk;
  std::string firstError;
  void Fail(int c, const std::string& line, std::string& report) {
    report += line + "\r\n";
    if (code == kOk) {
      code = c;
      firstError = line;
    }
  }
};

int DataFailureCode(const EntryInfo& entry) { return entry.encrypted ? kErrPassword : kErrDataBroken; }

std::string ArchiveError(archive* a) {
  const char* s = archive_error_string(a);
  return s ? s : "read error";
}

// Reads the current entry's data to the end. libarchive reports a CRC
// mismatch (and a wrong ZipCrypto password that passed its one-byte check)
// only as ARCHIVE_WARN here, so anything but OK counts as a failure.
template <typename Sink>
bool ReadEntryData(archive* a, Sink&& sink) {
  for (;;) {
    const void* buf = nullptr;
    size_t size = 0;
    la_int64_t offset = 0;
    int r = archive_read_data_block(a, &buf, &size, &offset);
    if (r == ARCHIVE_EOF) return true;
    if (r != ARCHIVE_OK) return false;
    if (size > 0 && !sink(buf, size, offset)) return false;
  }
}

void SetModificationTime(HANDLE file, const EntryInfo& entry) {
  if (!entry.mtime) return;
  ULONGLONG ticks = static_cast<ULONGLONG>(*entry.mtime) * 10000000ULL + 116444736000000000ULL;
  FILETIME ft{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  SetFileTime(file, nullptr, nullptr, &ft);
}

// Writes the entry to a temporary file in the target's folder, then renames it.
int WriteEntry(archive* a, const EntryInfo& entry, const std::wstring& target, std::string& why) {
  std::wstring dir = target.substr(0, target.find_last_of(L'\\'));
  HANDLE h = INVALID_HANDLE_VALUE;
  std::wstring temp = CreateSiblingTemp(dir, L"qsx", h);
  if (temp.empty()) {
    why = "cannot create a file in the destination";
    return kErrCannotWrite;
  }
  la_int64_t written = 0;
  bool writeFailed = false;
  bool ok = ReadEntryData(a, [&](const void* buf, size_t size, la_int64_t offset) {
    if (offset != written) {  // sparse entries: the gap reads as zeros
      LARGE_INTEGER pos;
      pos.QuadPart = offset;
      if (!SetFilePointerEx(h, pos, nullptr, FILE_BEGIN) || !SetEndOfFile(h)) return !(writeFailed = true);
    }
    const char* p = static_cast<const char*>(buf);
    while (size > 0) {
      DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size), done = 0;
      if (!WriteFile(h, p, chunk, &done, nullptr) || done == 0) return !(writeFailed = true);
      p += done;
      size -= done;
      offset += done;
    }
    written = offset;
    return true;
  });
  if (ok && entry.sparse && entry.size > static_cast<std::uint64_t>(written)) {  // a trailing hole
    LARGE_INTEGER pos;
    pos.QuadPart = static_cast<LONGLONG>(entry.size);
    ok = SetFilePointerEx(h, pos, nullptr, FILE_BEGIN) && SetEndOfFile(h);
    writeFailed = !ok;
  }
  if (ok) SetModificationTime(h, entry);
  CloseHandle(h);
  if (!ok) {
    DeleteFileW(ForWin32(temp).c_str());
    if (writeFailed) {
      why = "write error";
      return kErrCannotWrite;
    }
    why = ArchiveError(a);
    return DataFailureCode(entry);
  }
  if (!MoveFileExW(ForWin32(temp).c_str(), ForWin32(target).c_str(), MOVEFILE_REPLACE_EXISTING)) {
    DeleteFileW(ForWin32(temp).c_str());
    why = "cannot replace the existing file";
    return kErrCannotWrite;
  }
  return kOk;
}

std::wstring Join(const std::wstring& base, const std::vector<std::wstring>& parts, size_t count) {
  std::wstring out = WithoutTrailingSeparators(base);
  for (size_t i = 0; i < count; ++i) out += L"\\" + parts[i];
  return out;
}

void ReportUnmatched(const Selection& selection, Outcome& outcome, std::string& report) {
  for (const std::string& name : selection.Unmatched())
    outcome.Fail(kErrNotFound, "Not found: " + name, report);
}

}  // namespace

int RunExtract(Family family, const Request& request, std::string& report) {
  ArchiveReader reader;
  std::wstring archivePath = AnsiToWide(request.archive);
  int rc = reader.Open(family, archivePath, request.password);
  if (rc != kOk) {
    report = (rc == kErrArchiveOpen ? "Cannot open " : "Not an archive: ") + Printable(request.archive) + "\r\n";
    return rc;
  }
  // BGA takes no destination: the caller sets the current folder instead.
  std::wstring dest;
  if (family == Family::Bga || request.destination.empty()) {
    wchar_t cwd[MAX_PATH * 2];
    DWORD n = GetCurrentDirectoryW(MAX_PATH * 2, cwd);
    dest.assign(cwd, n);
  } else {
    dest = FullPath(AnsiToWide(request.destination));
  }
  dest = WithoutTrailingSeparators(dest);
  if (dest.size() == 2 && dest[1] == L':') dest += L'\\';  // "C:" alone means the drive's current folder
  if (!MakeDirectories(dest)) {
    report = "Cannot make folder " + WideToAnsi(dest) + "\r\n";
    return kErrMakeDirectory;
  }
  Selection selection(request.names, request.namesGiven);
  if (selection.Empty()) {
    report = "No entry named\r\n";
    return kErrNotFound;
  }
  Outcome outcome;
  size_t extracted = 0, skipped = 0;
  std::string readError;
  int r = ForEachSelected(family, request, selection, reader, [&](ArchiveReader& from, const EntryInfo& entry) {
    StoredPathCheck check = CheckStoredPath(entry.path);
    const std::vector<std::wstring>& parts = check.parts;
    if (parts.empty()) {
      outcome.Fail(check.code, std::string(check.why) + ": " + entry.recordName, report);
      return true;
    }
    if (entry.typesDisagree) {
      outcome.Fail(kErrHeaderBroken, "Refused (the archive's records disagree on the kind): " + entry.recordName,
                   report);
      return true;
    }
    if (entry.isDirectory) {
      if (request.keepFolders && !MakeDirectories(Join(dest, parts, parts.size())))
        outcome.Fail(kErrMakeDirectory, "Cannot make folder: " + entry.recordName, report);
      return true;
    }
    if (!entry.isRegular) {
      report += "Skipped (link or special file): " + entry.recordName + "\r\n";
      return true;
    }
    std::wstring target;
    if (request.keepFolders) {
      if (!MakeDirectories(Join(dest, parts, parts.size() - 1))) {
        outcome.Fail(kErrMakeDirectory, "Cannot make folder for: " + entry.recordName, report);
        return true;
      }
      target = Join(dest, parts, parts.size());
    } else {
      target = Join(dest, {parts.back()}, 1);
    }
    if (request.overwrite == Overwrite::Skip &&
        GetFileAttributesW(ForWin32(target).c_str()) != INVALID_FILE_ATTRIBUTES) {
      ++skipped;
      report += "Skipped (exists): " + entry.recordName + "\r\n";
      return true;
    }
    std::string why;
    int w = WriteEntry(from.handle(), entry, target, why);
    if (w != kOk) {
      outcome.Fail(w, "Error: " + entry.recordName + ": " + Printable(why), report);
      return true;
    }
    ++extracted;
    report += "Extracted: " + entry.recordName + "\r\n";
    return true;
  }, readError);
  if (r != kOk) outcome.Fail(r, "Error: " + readError, report);
  ReportUnmatched(selection, outcome, report);
  report += std::to_string(extracted) + " file(s) extracted, " + std::to_string(skipped) + " skipped\r\n";
  return outcome.code;
}

int RunTest(Family family, const Request& request, std::string& report) {
  ArchiveReader reader;
  int rc = reader.Open(family, AnsiToWide(request.archive), request.password);
  if (rc != kOk) {
    report = (rc == kErrArchiveOpen ? "Cannot open " : "Not an archive: ") + Printable(request.archive) + "\r\n";
    return rc;
  }
  Selection selection(request.names, request.namesGiven);
  Outcome outcome;
  size_t tested = 0;
  std::string readError;
  int r = ForEachSelected(family, request, selection, reader, [&](ArchiveReader& from, const EntryInfo& entry) {
    if (!entry.isRegular) return true;
    ++tested;
    std::uint64_t total = 0;
    bool ok = ReadEntryData(from.handle(), [&](const void*, size_t size, la_int64_t) {
      total += size;
      return true;
    });
    if (!ok)
      outcome.Fail(DataFailureCode(entry), "Error: " + entry.recordName + ": " + Printable(ArchiveError(from.handle())),
                   report);
    else
      report += "OK: " + entry.recordName + "\r\n";
    return true;
  }, readError);
  if (r != kOk) outcome.Fail(r, "Error: " + readError, report);
  ReportUnmatched(selection, outcome, report);
  if (outcome.code == kOk)
    report += "Everything is OK (" + std::to_string(tested) + " file(s) tested)\r\n";
  else
    report += "Errors found in " + Printable(request.archive) + "\r\n";
  return outcome.code;
}

}  // namespace standin
