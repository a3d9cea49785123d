// The zip central directory read directly: libarchive does not hand out the
// stored name bytes, the UTF-8 flag, packed sizes or CRCs, all of which the
// entry record reports. The directory is read in one piece and the entries
// point into it, so a big archive costs no allocation per entry.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

struct ZipDirectoryEntry {
  std::uint32_t nameOffset = 0;     // into ZipDirectory::bytes
  std::uint16_t nameLength = 0;
  std::uint32_t unicodeOffset = 0;  // UTF-8 name of an Info-ZIP 0x7075 field whose CRC fits the name
  std::uint16_t unicodeLength = 0;
  std::uint16_t commentLength = 0;  // the entry's own comment
  std::uint16_t flags = 0;          // general purpose bits; 0x0001 encrypted, 0x0800 name is UTF-8
  std::uint16_t method = 0;
  std::uint8_t madeBySystem = 0;
  bool hasUnixTime = false;         // a 0x5455 field with the modification time
  std::uint16_t dosDate = 0;
  std::uint16_t dosTime = 0;
  std::uint32_t crc = 0;
  std::int64_t unixTime = 0;
  std::uint64_t packedSize = 0;
  std::uint64_t size = 0;
  std::uint32_t externalAttributes = 0;
  std::uint64_t localHeaderOffset = 0;
};

struct ZipDirectory {
  std::vector<unsigned char> bytes;        // the central directory as stored
  std::vector<ZipDirectoryEntry> entries;  // local-header order, one per local header
  std::uint64_t prefixBytes = 0;           // data in front of the archive (a self-extractor's program)
  std::uint16_t archiveCommentLength = 0;
  bool duplicateOffsets = false;           // two central records named one local header

  bool empty() const { return entries.empty(); }
  std::string_view RawName(const ZipDirectoryEntry& e) const {
    return {reinterpret_cast<const char*>(bytes.data()) + e.nameOffset, e.nameLength};
  }
  std::string_view UnicodeName(const ZipDirectoryEntry& e) const {
    return {reinterpret_cast<const char*>(bytes.data()) + e.unicodeOffset, e.unicodeLength};
  }
  // The name as every command uses it: UTF-8 when flagged, else the valid
  // Unicode-path field, else the stored bytes in the system code page.
  std::wstring WideName(const ZipDirectoryEntry& e) const;
  // Folders: a final separator, or the folder bit of the attributes.
  bool IsDirectory(const ZipDirectoryEntry& e) const;
};

// Entries in local-header order (the order libarchive's seekable zip reader
// walks them; like it, a local header named twice counts once). Nothing when
// the directory cannot be found or parsed.
ZipDirectory ReadZipDirectory(const std::wstring& path);

// Short method text for the entry record (at most seven characters).
const char* ZipMethodName(std::uint16_t method);

}  // namespace standin
