#include "zip_directory.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace standin {

namespace {

std::uint16_t Le16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t Le32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint64_t Le64(const unsigned char* p) {
  return static_cast<std::uint64_t>(Le32(p)) | (static_cast<std::uint64_t>(Le32(p + 4)) << 32);
}

class File {
 public:
  explicit File(const std::wstring& path)
      : h_(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~File() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  bool ok() const { return h_ != INVALID_HANDLE_VALUE; }
  std::uint64_t size() const {
    LARGE_INTEGER s{};
    return GetFileSizeEx(h_, &s) ? static_cast<std::uint64_t>(s.QuadPart) : 0;
  }
  bool Read(std::uint64_t offset, void* buf, size_t n) const {
    LARGE_INTEGER pos;
    pos.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(h_, pos, nullptr, FILE_BEGIN)) return false;
    auto* out = static_cast<unsigned char*>(buf);
    while (n > 0) {
      DWORD chunk = n > (1u << 30) ? (1u << 30) : static_cast<DWORD>(n), got = 0;
      if (!ReadFile(h_, out, chunk, &got, nullptr) || got == 0) return false;
      out += got;
      n -= got;
    }
    return true;
  }

 private:
  HANDLE h_;
};

void ApplyExtraFields(const unsigned char* p, size_t len, ZipDirectoryEntry& e, bool sizeMax, bool packedMax,
                      bool offsetMax) {
  size_t pos = 0;
  while (pos + 4 <= len) {
    std::uint16_t id = Le16(p + pos), n = Le16(p + pos + 2);
    const unsigned char* d = p + pos + 4;
    if (pos + 4 + n > len) break;
    if (id == 0x0001) {  // zip64: only the fields that overflowed, in this order
      size_t q = 0;
      if (sizeMax && q + 8 <= n) { e.size = Le64(d + q); q += 8; }
      if (packedMax && q + 8 <= n) { e.packedSize = Le64(d + q); q += 8; }
      if (offsetMax && q + 8 <= n) { e.localHeaderOffset = Le64(d + q); q += 8; }
    } else if (id == 0x7075 && n > 5 && d[0] == 1) {
      e.unicodePath.assign(reinterpret_cast<const char*>(d + 5), n - 5);
    }
    pos += 4 + n;
  }
}

}  // namespace

std::vector<ZipDirectoryEntry> ReadZipDirectory(const std::wstring& path) {
  std::vector<ZipDirectoryEntry> entries;
  File file(path);
  if (!file.ok()) return entries;
  std::uint64_t fileSize = file.size();
  if (fileSize < 22) return entries;
  // The end record sits in the last 64 KiB + 22 bytes (its comment is at most 64 KiB).
  std::uint64_t tailSize = std::min<std::uint64_t>(fileSize, 65557);
  std::vector<unsigned char> tail(static_cast<size_t>(tailSize));
  if (!file.Read(fileSize - tailSize, tail.data(), tail.size())) return entries;
  size_t eocd = std::string::npos;
  for (size_t i = tail.size() - 22 + 1; i-- > 0;) {
    if (Le32(&tail[i]) == 0x06054b50) {
      eocd = i;
      break;
    }
  }
  if (eocd == std::string::npos) return entries;
  std::uint64_t eocdPos = fileSize - tailSize + eocd;
  std::uint64_t count = Le16(&tail[eocd + 10]);
  std::uint64_t dirSize = Le32(&tail[eocd + 12]);
  std::uint64_t dirOffset = Le32(&tail[eocd + 16]);
  if (eocd >= 20 && Le32(&tail[eocd - 20]) == 0x07064b50) {  // zip64 locator
    std::uint64_t z64 = Le64(&tail[eocd - 20 + 8]);
    unsigned char rec[56];
    if (file.Read(z64, rec, sizeof rec) && Le32(rec) == 0x06064b50) {
      count = Le64(rec + 32);
      dirSize = Le64(rec + 40);
      dirOffset = Le64(rec + 48);
      eocdPos = z64;
    }
  }
  // Self-extracting files and prepended data shift every offset by the same amount.
  if (dirSize > eocdPos || dirSize > (std::uint64_t{1} << 31)) return entries;
  std::uint64_t actualDir = eocdPos - dirSize;
  std::uint64_t correction = actualDir - dirOffset;
  std::vector<unsigned char> dir(static_cast<size_t>(dirSize));
  if (!dir.empty() && !file.Read(actualDir, dir.data(), dir.size())) return entries;
  size_t pos = 0;
  for (std::uint64_t i = 0; i < count; ++i) {
    if (pos + 46 > dir.size() || Le32(&dir[pos]) != 0x02014b50) return {};
    const unsigned char* p = &dir[pos];
    ZipDirectoryEntry e;
    e.madeBySystem = p[5];
    e.flags = Le16(p + 8);
    e.method = Le16(p + 10);
    e.crc = Le32(p + 16);
    std::uint32_t packed = Le32(p + 20), size = Le32(p + 24), offset = Le32(p + 42);
    e.packedSize = packed;
    e.size = size;
    e.localHeaderOffset = offset;
    std::uint16_t nameLen = Le16(p + 28), extraLen = Le16(p + 30), commentLen = Le16(p + 32);
    e.externalAttributes = Le32(p + 38);
    if (pos + 46 + nameLen + extraLen + commentLen > dir.size()) return {};
    e.rawName.assign(reinterpret_cast<const char*>(p + 46), nameLen);
    ApplyExtraFields(p + 46 + nameLen, extraLen, e, size == 0xFFFFFFFF, packed == 0xFFFFFFFF,
                     offset == 0xFFFFFFFF);
    e.localHeaderOffset += correction;
    entries.push_back(std::move(e));
    pos += 46 + nameLen + extraLen + commentLen;
  }
  std::stable_sort(entries.begin(), entries.end(), [](const ZipDirectoryEntry& a, const ZipDirectoryEntry& b) {
    return a.localHeaderOffset < b.localHeaderOffset;
  });
  return entries;
}

const char* ZipMethodName(std::uint16_t method) {
  switch (method) {
    case 0: return "Store";
    case 8: return "Deflate";
    case 9: return "Defl64";
    case 12: return "BZip2";
    case 14: return "LZMA";
    case 93: return "Zstd";
    case 95: return "XZ";
    case 98: return "PPMd";
    case 99: return "AES";
    default: return "Unknown";
  }
}

}  // namespace standin
