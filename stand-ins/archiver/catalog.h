// Reading an archive with libarchive for one family: which formats the family
// accepts, the header character sets, and the facts of each entry as the
// entry record and the commands need them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
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
};

class ArchiveReader {
 public:
  ArchiveReader() = default;
  ~ArchiveReader();
  ArchiveReader(const ArchiveReader&) = delete;
  ArchiveReader& operator=(const ArchiveReader&) = delete;

  // kOk, kErrArchiveOpen (file unreadable) or kErrNotArchive (no format of the family).
  int Open(Family family, const std::wstring& path, const std::optional<std::string>& password);
  // kOk with the entry's facts, kNoMoreEntries at the end, or an error code.
  int Next(EntryInfo& info);
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
  std::vector<ZipDirectoryEntry> zipDirectory_;
  size_t zipCursor_ = 0;
};

}  // namespace standin
