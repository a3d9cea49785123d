// Reading an archive with libarchive for one family: which formats the family
// accepts, the header character sets, and the facts of each entry as the
// entry record and the commands need them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "command_line.h"
#include "zip_directory.h"

struct archive;
struct archive_entry;

namespace standin {

struct EntryInfo {
  std::wstring path;        // Unicode name, the one files are created with; '/' or '\' separators
  std::string recordName;   // bytes for the entry record and reports (see NameForRecord)
  bool isDirectory = false;
  bool isRegular = false;   // a plain file with data (not a link or device)
  bool encrypted = false;
  bool sparse = false;      // holes are not in the data stream
  std::uint64_t size = 0;
  std::optional<std::uint64_t> packedSize;
  std::uint32_t crc = 0;
  std::uint32_t osType = 0;
  std::optional<std::int64_t> mtime;  // seconds since 1970, UTC
  std::string method;
  std::string attributes;
  // zip: the local header's name or type is not the central directory's. The
  // central directory's name is the one listed, so it is the one used.
  bool recordsDisagree = false;
  bool typesDisagree = false;
  bool hasComment = false;          // zip: the entry carries a comment of its own
  std::uint32_t dosAttributes = 0;  // zip made on MS-DOS/Windows: the attribute byte
  bool dotEntry = false;            // ".", "./" or "/": no entry of its own (see KeepDotEntries)
};

// True for ".", "./", "/" and the like: names that stand for no entry.
bool IsDotName(std::wstring_view path);
bool IsDotName(std::string_view bytes);

// The record's attribute text: read-only, hidden, system, archive, folder.
std::string AttributeText(bool directory, bool readOnly, bool hidden, bool system, bool archiveBit);

class ArchiveReader {
 public:
  ArchiveReader() = default;
  ~ArchiveReader();
  ArchiveReader(const ArchiveReader&) = delete;
  ArchiveReader& operator=(const ArchiveReader&) = delete;

  // kOk, kErrArchiveOpen (file unreadable) or kErrNotArchive (no format of the family).
  int Open(Family family, const std::wstring& path, const std::optional<std::string>& password);
  // kOk with the entry's facts, kNoMoreEntries at the end, or an error code.
  // Entries named ".", "./" or "/" (an ISO's root) are passed over, however
  // many there are, unless KeepDotEntries() asked for them.
  int Next(EntryInfo& info);
  void KeepDotEntries() { keepDotEntries_ = true; }
  const ZipDirectory& zipDirectory() const { return zipDirectory_; }
  // The open libarchive handle, positioned at the data of the last entry.
  archive* handle() const { return a_; }
  archive_entry* entry() const { return entry_; }
  // Short format name for reports ("7z", "zip", "tar", "gzip", "iso", ...).
  std::string TypeName() const;
  std::string ErrorText() const;
  bool IsZip() const;
  bool Is7z() const;

 private:
  void FillInfo(EntryInfo& info);
  void MatchZipDirectory(EntryInfo& info);

  archive* a_ = nullptr;
  archive_entry* entry_ = nullptr;
  std::wstring path_;
  bool pending_ = false;      // Open() has read the first header already
  int pendingResult_ = 0;
  bool rockRidgeNames_ = false;
  bool keepDotEntries_ = false;
  ZipDirectory zipDirectory_;
  size_t zipCursor_ = 0;
};

}  // namespace standin
