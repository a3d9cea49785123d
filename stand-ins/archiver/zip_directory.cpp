#include "zip_directory.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include <zlib.h>

#include "text.h"

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

void ApplyExtraFields(const unsigned char* base, size_t at, size_t len, ZipDirectoryEntry& e, bool sizeMax,
                      bool packedMax, bool offsetMax, const unsigned char* name) {
  const unsigned char* p = base + at;
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
      // The field is stale (and ignored) when the name was changed without it.
      std::uint32_t crc = static_cast<std::uint32_t>(crc32(0L, name, e.nameLength));
      if (crc == Le32(d + 1)) {
        e.unicodeOffset = static_cast<std::uint32_t>(d + 5 - base);
        e.unicodeLength = static_cast<std::uint16_t>(n - 5);
      }
    } else if (id == 0x5455 && n >= 5 && (d[0] & 1)) {
      e.hasUnixTime = true;
      e.unixTime = static_cast<std::int32_t>(Le32(d + 1));
    }
    pos += 4 + n;
  }
}

}  // namespace

std::wstring ZipDirectory::WideName(const ZipDirectoryEntry& e) const {
  if (e.flags & 0x0800) return Utf8ToWide(RawName(e));
  if (e.unicodeLength > 0) return Utf8ToWide(UnicodeName(e));
  return AnsiToWide(RawName(e));
}

bool ZipDirectory::IsDirectory(const ZipDirectoryEntry& e) const {
  std::string_view name = RawName(e);
  if (!name.empty() && name.back() == '/') return true;
  // A name of only backslashes comes from a Windows tool that used them as separators.
  if (!name.empty() && name.back() == '\\' && name.find('/') == std::string_view::npos) return true;
  if (e.madeBySystem == 3) return ((e.externalAttributes >> 16) & 0170000) == 0040000;
  if (e.madeBySystem == 0) return (e.externalAttributes & 0x10) != 0;
  return false;
}

ZipDirectory ReadZipDirectory(const std::wstring& path) {
  ZipDirectory out;
  File file(path);
  if (!file.ok()) return out;
  std::uint64_t fileSize = file.size();
  if (fileSize < 22) return out;
  // The end record sits in the last 64 KiB + 22 bytes (its comment is at most 64 KiB).
  std::uint64_t tailSize = std::min<std::uint64_t>(fileSize, 65557);
  std::vector<unsigned char> tail(static_cast<size_t>(tailSize));
  if (!file.Read(fileSize - tailSize, tail.data(), tail.size())) return out;
  size_t eocd = std::string::npos;
  for (size_t i = tail.size() - 22 + 1; i-- > 0;) {
    if (Le32(&tail[i]) == 0x06054b50) {
      eocd = i;
      break;
    }
  }
  if (eocd == std::string::npos) return out;
  std::uint64_t eocdPos = fileSize - tailSize + eocd;
  std::uint64_t dirSize = Le32(&tail[eocd + 12]);
  std::uint64_t dirOffset = Le32(&tail[eocd + 16]);
  std::uint16_t commentLength = Le16(&tail[eocd + 20]);
  if (eocd >= 20 && Le32(&tail[eocd - 20]) == 0x07064b50) {  // zip64 locator
    std::uint64_t z64 = Le64(&tail[eocd - 20 + 8]);
    unsigned char rec[56];
    if (file.Read(z64, rec, sizeof rec) && Le32(rec) == 0x06064b50) {
      dirSize = Le64(rec + 40);
      dirOffset = Le64(rec + 48);
      eocdPos = z64;
    }
  }
  // Self-extracting files and prepended data shift every offset by the same amount.
  if (dirSize > eocdPos || dirSize > (std::uint64_t{1} << 31) || eocdPos - dirSize < dirOffset) return out;
  std::uint64_t actualDir = eocdPos - dirSize;
  std::uint64_t correction = actualDir - dirOffset;
  out.bytes.resize(static_cast<size_t>(dirSize));
  if (!out.bytes.empty() && !file.Read(actualDir, out.bytes.data(), out.bytes.size())) return ZipDirectory{};
  const std::vector<unsigned char>& dir = out.bytes;
  // Records follow each other up to the end of the directory; the count in the
  // end record is only 16 bits wide and not trusted.
  size_t pos = 0;
  out.entries.reserve(dir.size() / 64);
  bool sorted = true;
  while (pos + 4 <= dir.size()) {
    if (Le32(&dir[pos]) != 0x02014b50) break;
    if (pos + 46 > dir.size()) return ZipDirectory{};
    const unsigned char* p = &dir[pos];
    ZipDirectoryEntry e;
    e.madeBySystem = p[5];
    e.flags = Le16(p + 8);
    e.method = Le16(p + 10);
    e.dosTime = Le16(p + 12);
    e.dosDate = Le16(p + 14);
    e.crc = Le32(p + 16);
    std::uint32_t packed = Le32(p + 20), size = Le32(p + 24), offset = Le32(p + 42);
    e.packedSize = packed;
    e.size = size;
    e.localHeaderOffset = offset;
    std::uint16_t nameLen = Le16(p + 28), extraLen = Le16(p + 30), commentLen = Le16(p + 32);
    e.externalAttributes = Le32(p + 38);
    if (pos + 46 + nameLen + extraLen + commentLen > dir.size()) return ZipDirectory{};
    e.nameOffset = static_cast<std::uint32_t>(pos + 46);
    e.nameLength = nameLen;
    e.commentLength = commentLen;
    ApplyExtraFields(dir.data(), pos + 46 + nameLen, extraLen, e, size == 0xFFFFFFFF, packed == 0xFFFFFFFF,
                     offset == 0xFFFFFFFF, p + 46);
    e.localHeaderOffset += correction;
    if (!out.entries.empty() && out.entries.back().localHeaderOffset > e.localHeaderOffset) sorted = false;
    out.entries.push_back(e);
    pos += 46 + nameLen + extraLen + commentLen;
  }
  if (out.entries.empty() && pos != dir.size()) return ZipDirectory{};
  auto byOffset = [](const ZipDirectoryEntry& a, const ZipDirectoryEntry& b) {
    return a.localHeaderOffset < b.localHeaderOffset;
  };
  if (!sorted) std::stable_sort(out.entries.begin(), out.entries.end(), byOffset);
  // libarchive keeps the first record of a local header named twice.
  auto last = std::unique(out.entries.begin(), out.entries.end(),
                          [](const ZipDirectoryEntry& a, const ZipDirectoryEntry& b) {
                            return a.localHeaderOffset == b.localHeaderOffset;
                          });
  out.duplicateOffsets = last != out.entries.end();
  out.entries.erase(last, out.entries.end());
  // Whatever lies before the first local header: a self-extractor's program.
  out.prefixBytes = out.entries.empty() ? correction : out.entries.front().localHeaderOffset;
  out.archiveCommentLength = commentLength;
  return out;
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
