// The zip central directory read directly: libarchive does not hand out the
// stored name bytes, the UTF-8 flag, packed sizes or CRCs, all of which the
// entry record reports.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace standin {

struct ZipDirectoryEntry {
  std::string rawName;        // bytes as stored
  std::string unicodePath;    // UTF-8 name of an Info-ZIP 0x7075 field, if any
  std::uint16_t flags = 0;    // general purpose bits; 0x0800 = name is UTF-8
  std::uint16_t method = 0;
  std::uint8_t madeBySystem = 0;
  std::uint32_t crc = 0;
  std::uint64_t packedSize = 0;
  std::uint64_t size = 0;
  std::uint32_t externalAttributes = 0;
  std::uint64_t localHeaderOffset = 0;
};

// Entries in local-header order (the order libarchive's seekable zip reader
// walks them). Empty when the directory cannot be found or parsed.
std::vector<ZipDirectoryEntry> ReadZipDirectory(const std::wstring& path);

// Short method text for the entry record (at most seven characters).
const char* ZipMethodName(std::uint16_t method);

}  // namespace standin
