#include "catalog.h"

#include <archive.h>
#include <archive_entry.h>
#include <windows.h>

#include <cstring>

#include "result_codes.h"
#include "text.h"

namespace standin {

namespace {

// Images with a Joliet volume are read through it: its UTF-16 names are what
// Windows shows. Rock Ridge names are bytes of whatever the author's system
// used, so they are only the fallback.
bool HasJolietVolume(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  bool found = false;
  unsigned char sector[2048];
  for (int i = 16; i < 16 + 32 && !found; ++i) {
    LARGE_INTEGER pos;
    pos.QuadPart = static_cast<LONGLONG>(i) * 2048;
    DWORD got = 0;
    if (!SetFilePointerEx(h, pos, nullptr, FILE_BEGIN) || !ReadFile(h, sector, sizeof sector, &got, nullptr) ||
        got != sizeof sector || memcmp(sector + 1, "CD001", 5) != 0)
      break;
    if (sector[0] == 255) break;
    if (sector[0] == 2 && sector[88] == '%' && sector[89] == '/' &&
        (sector[90] == '@' || sector[90] == 'C' || sector[90] == 'E'))
      found = true;
  }
  CloseHandle(h);
  return found;
}

void EnableFormats(archive* a, Family family) {
  switch (family) {
    case Family::Lha: archive_read_support_format_lha(a); break;
    case Family::UnZip32:
    case Family::LmZip:
    case Family::ZipJ: archive_read_support_format_zip_seekable(a); break;
    case Family::Cab: archive_read_support_format_cab(a); break;
    case Family::Rar:
      archive_read_support_format_rar(a);
      archive_read_support_format_rar5(a);
      break;
    case Family::Tar:
      archive_read_support_format_tar(a);
      archive_read_support_format_cpio(a);
      archive_read_support_format_raw(a);
      break;
    case Family::Iso: archive_read_support_format_iso9660(a); break;
    case Family::SevenZip:
    case Family::Gca:
    case Family::Bga:
    case Family::Arj:
    case Family::Yz1:
      // Every format libarchive reads except mtree, which would take any text
      // file (and a lone .gz) for a listing of paths.
      archive_read_support_format_7zip(a);
      archive_read_support_format_ar(a);
      archive_read_support_format_cab(a);
      archive_read_support_format_cpio(a);
      archive_read_support_format_iso9660(a);
      archive_read_support_format_lha(a);
      archive_read_support_format_rar(a);
      archive_read_support_format_rar5(a);
      archive_read_support_format_tar(a);
      archive_read_support_format_zip_seekable(a);
      archive_read_support_format_raw(a);
      break;
  }
  archive_read_support_filter_all(a);
}

std::string CodePageCharset(UINT cp) { return "CP" + std::to_string(cp); }

}  // namespace

// Read-only, hidden, system, archive, folder: the first three positions are
// where the archive browser looks for R, H and S to colour an entry.
std::string AttributeText(bool directory, bool readOnly, bool hidden, bool system, bool archiveBit) {
  std::string s = "-----";
  if (readOnly) s[0] = 'R';
  if (hidden) s[1] = 'H';
  if (system) s[2] = 'S';
  if (archiveBit) s[3] = 'A';
  if (directory) s[4] = 'D';
  return s;
}

bool IsDotName(std::wstring_view path) {
  size_t n = path.size();
  while (n > 0 && IsSeparator(path[n - 1])) --n;
  return n == 0 || (n == 1 && path[0] == L'.');
}

bool IsDotName(std::string_view bytes) {
  size_t n = bytes.size();
  while (n > 0 && (bytes[n - 1] == '/' || bytes[n - 1] == '\\')) --n;
  return n == 0 || (n == 1 && bytes[0] == '.');
}

ArchiveReader::~ArchiveReader() {
  if (a_) archive_read_free(a_);
}

int ArchiveReader::Open(Family family, const std::wstring& path, const std::optional<std::string>& password) {
  path_ = path;
  DWORD attrs = GetFileAttributesW(path.c_str());
  if (attrs == INVALID_FILE_ATTRIBUTES || (attrs & FILE_ATTRIBUTE_DIRECTORY)) return kErrArchiveOpen;
  a_ = archive_read_new();
  if (!a_) return kErrArchiveOpen;
  EnableFormats(a_, family);
  // Legacy zip names are in the system code page (read raw from the central
  // directory for the record); LZH names are Shift_JIS by the format's custom.
  std::string ansi = CodePageCharset(GetACP());
  archive_read_set_format_option(a_, "zip", "hdrcharset", ansi.c_str());
  archive_read_set_format_option(a_, "cab", "hdrcharset", ansi.c_str());
  archive_read_set_format_option(a_, "lha", "hdrcharset", "CP932");
  archive_read_set_format_option(a_, "tar", "hdrcharset", "UTF-8");
  archive_clear_error(a_);
  bool joliet = HasJolietVolume(path);
  if (joliet) archive_read_set_format_option(a_, "iso9660", "rockridge", nullptr);
  archive_clear_error(a_);
  if (password) archive_read_add_passphrase(a_, password->c_str());

  if (archive_read_open_filename_w(a_, path.c_str(), 65536) != ARCHIVE_OK) {
    // A file we can open but libarchive cannot bid on is simply not an archive.
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return kErrArchiveOpen;
    CloseHandle(h);
    return kErrNotArchive;
  }
  pendingResult_ = archive_read_next_header(a_, &entry_);
  pending_ = true;
  if (pendingResult_ < ARCHIVE_WARN) return kErrNotArchive;
  // The raw reader accepts anything; only a compressed single file counts.
  if (archive_format(a_) == ARCHIVE_FORMAT_RAW && archive_filter_code(a_, 0) == ARCHIVE_FILTER_NONE)
    return kErrNotArchive;
  rockRidgeNames_ = archive_format(a_) == ARCHIVE_FORMAT_ISO9660_ROCKRIDGE && !joliet;
  if (IsZip()) zipDirectory_ = ReadZipDirectory(path);
  return kOk;
}

bool ArchiveReader::IsZip() const { return (archive_format(a_) & ARCHIVE_FORMAT_BASE_MASK) == ARCHIVE_FORMAT_ZIP; }
bool ArchiveReader::Is7z() const { return archive_format(a_) == ARCHIVE_FORMAT_7ZIP; }

std::string ArchiveReader::TypeName() const {
  switch (archive_format(a_) & ARCHIVE_FORMAT_BASE_MASK) {
    case ARCHIVE_FORMAT_7ZIP: return "7z";
    case ARCHIVE_FORMAT_ZIP: return "zip";
    case ARCHIVE_FORMAT_LHA: return "lzh";
    case ARCHIVE_FORMAT_CAB: return "Cab";
    case ARCHIVE_FORMAT_RAR: return "Rar";
    case ARCHIVE_FORMAT_RAR_V5: return "Rar5";
    case ARCHIVE_FORMAT_ISO9660: return "Iso";
    case ARCHIVE_FORMAT_CPIO: return "Cpio";
    case ARCHIVE_FORMAT_AR: return "Ar";
    case ARCHIVE_FORMAT_TAR:
    case ARCHIVE_FORMAT_RAW: {
      std::string base = (archive_format(a_) & ARCHIVE_FORMAT_BASE_MASK) == ARCHIVE_FORMAT_TAR ? "tar" : "";
      switch (archive_filter_code(a_, 0)) {
        case ARCHIVE_FILTER_GZIP: return base.empty() ? "gzip" : "tar.gzip";
        case ARCHIVE_FILTER_BZIP2: return base.empty() ? "bzip2" : "tar.bzip2";
        case ARCHIVE_FILTER_XZ: return base.empty() ? "xz" : "tar.xz";
        case ARCHIVE_FILTER_ZSTD: return base.empty() ? "zstd" : "tar.zstd";
        case ARCHIVE_FILTER_LZMA: return base.empty() ? "lzma" : "tar.lzma";
        default: return base.empty() ? "raw" : base;
      }
    }
    default: return "unknown";
  }
}

std::string ArchiveReader::ErrorText() const {
  const char* s = a_ ? archive_error_string(a_) : nullptr;
  return s ? s : "";
}

int ArchiveReader::Next(EntryInfo& info) {
  // A loop, not a call per passed-over entry: an archive can hold any number of them.
  for (;;) {
    int r;
    if (pending_) {
      pending_ = false;
      r = pendingResult_;
    } else {
      r = archive_read_next_header(a_, &entry_);
    }
    if (r == ARCHIVE_EOF) return kNoMoreEntries;
    if (r < ARCHIVE_WARN) {
      const char* s = archive_error_string(a_);
      bool password = archive_read_has_encrypted_entries(a_) > 0 && s && strstr(s, "assphrase");
      return password ? kErrPassword : kErrDataBroken;
    }
    info = EntryInfo{};
    FillInfo(info);
    // ISO images list their root as "."; it is no entry of the archive.
    info.dotEntry = IsDotName(info.path);
    if (!info.dotEntry || keepDotEntries_) return kOk;
  }
}

void ArchiveReader::FillInfo(EntryInfo& info) {
  archive_entry* e = entry_;
  const wchar_t* w = archive_entry_pathname_w(e);
  if (rockRidgeNames_ && archive_entry_pathname(e)) {
    std::string raw = archive_entry_pathname(e);
    info.path = IsValidUtf8(raw) ? Utf8ToWide(raw) : AnsiToWide(raw);
  } else if (w) {
    info.path = w;
  } else if (const char* u = archive_entry_pathname_utf8(e)) {
    info.path = Utf8ToWide(u);
  } else if (const char* m = archive_entry_pathname(e)) {
    info.path = AnsiToWide(m);
  }
  if (archive_format(a_) == ARCHIVE_FORMAT_RAW) {
    // A lone compressed file: name it after the archive less its last extension.
    std::wstring base = LastComponent(path_);
    size_t dot = base.find_last_of(L'.');
    info.path = dot == std::wstring::npos || dot == 0 ? base + L".out" : base.substr(0, dot);
    // The size is not known before decompressing; gzip keeps it (mod 2^32) in its last four bytes.
    if (archive_filter_code(a_, 0) == ARCHIVE_FILTER_GZIP) {
      HANDLE h = CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, 0, nullptr);
      unsigned char tail[4];
      DWORD got = 0;
      LARGE_INTEGER back;
      back.QuadPart = -4;
      if (h != INVALID_HANDLE_VALUE) {
        if (SetFilePointerEx(h, back, nullptr, FILE_END) && ReadFile(h, tail, 4, &got, nullptr) && got == 4)
          archive_entry_set_size(e, tail[0] | (tail[1] << 8) | (tail[2] << 16) | (static_cast<la_int64_t>(tail[3]) << 24));
        CloseHandle(h);
      }
    }
  }
  mode_t type = archive_entry_filetype(e);
  info.isDirectory = type == AE_IFDIR;
  info.isRegular = type == AE_IFREG && archive_entry_hardlink(e) == nullptr;
  if (info.isDirectory && !info.path.empty() && !IsSeparator(info.path.back())) info.path += L'/';
  info.encrypted = archive_entry_is_encrypted(e) != 0;
  info.sparse = archive_entry_sparse_count(e) > 0;
  // Folders have no size of their own (ISO reports the directory extent).
  info.size = archive_entry_size_is_set(e) && !info.isDirectory ? static_cast<std::uint64_t>(archive_entry_size(e)) : 0;
  if (archive_entry_mtime_is_set(e)) {
    info.mtime = archive_entry_mtime(e);
  } else if (archive_format(a_) == ARCHIVE_FORMAT_RAW) {
    // A lone compressed file carries no usable time here: the archive's own stands in.
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (GetFileAttributesExW(path_.c_str(), GetFileExInfoStandard, &data)) {
      ULONGLONG ticks = (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                        data.ftLastWriteTime.dwLowDateTime;
      info.mtime = static_cast<std::int64_t>((ticks - 116444736000000000ULL) / 10000000ULL);
    }
  }
  bool readOnly = (archive_entry_perm(e) & 0222) == 0 && !info.isDirectory;
  info.attributes = AttributeText(info.isDirectory, readOnly, false, false, !info.isDirectory);

  int base = archive_format(a_) & ARCHIVE_FORMAT_BASE_MASK;
  if (base == ARCHIVE_FORMAT_LHA) {
    // Shift_JIS bytes, as the format stores them; the format name carries "-lhN-".
    info.recordName = Printable(FromWide(info.path, 932));
    const char* fmt = archive_format_name(a_);
    const char* dash = fmt ? strchr(fmt, '-') : nullptr;
    info.method = dash ? std::string(dash).substr(0, 7) : "LZH";
  } else {
    info.recordName = Printable(WideToAnsi(info.path));
  }
  switch (base) {
    case ARCHIVE_FORMAT_7ZIP: info.method = "7z"; break;
    case ARCHIVE_FORMAT_CAB: info.method = "CAB"; break;
    case ARCHIVE_FORMAT_RAR:
    case ARCHIVE_FORMAT_RAR_V5: info.method = "RAR"; break;
    case ARCHIVE_FORMAT_ISO9660:
      info.method = "Store";
      info.packedSize = info.size;
      break;
    case ARCHIVE_FORMAT_TAR:
    case ARCHIVE_FORMAT_CPIO:
    case ARCHIVE_FORMAT_AR:
    case ARCHIVE_FORMAT_RAW:
      info.method = archive_filter_code(a_, 0) == ARCHIVE_FILTER_NONE ? "Store" : archive_filter_name(a_, 0);
      if (info.method.size() > 7) info.method.resize(7);
      if (archive_filter_code(a_, 0) == ARCHIVE_FILTER_NONE) info.packedSize = info.size;
      break;
    default: break;
  }
  if (base == ARCHIVE_FORMAT_ZIP) MatchZipDirectory(info);
}

// libarchive walks zip entries in local-header order, one per local header,
// as ReadZipDirectory gives them, so the n-th entry is the n-th record. The
// central directory's name is the one listed; it is the one every command
// uses, whatever the local header says.
void ArchiveReader::MatchZipDirectory(EntryInfo& info) {
  if (zipCursor_ >= zipDirectory_.entries.size()) {
    info.recordsDisagree = true;
    return;
  }
  const ZipDirectoryEntry& d = zipDirectory_.entries[zipCursor_++];
  std::wstring central = zipDirectory_.WideName(d);
  bool directory = zipDirectory_.IsDirectory(d);
  info.recordsDisagree = !SamePath(WithoutTrailingSeparators(central), WithoutTrailingSeparators(info.path), true);
  info.typesDisagree = directory != info.isDirectory;
  info.recordsDisagree = info.recordsDisagree || info.typesDisagree;
  info.path = central;
  if (directory && !info.path.empty() && !IsSeparator(info.path.back())) info.path += L'/';
  // A name flagged UTF-8 goes out as UTF-8; any other as the bytes stored.
  info.recordName = Printable(zipDirectory_.RawName(d));
  if (directory && !info.recordName.empty() && info.recordName.back() != '/' && info.recordName.back() != '\\')
    info.recordName += '/';
  info.packedSize = d.packedSize;
  info.crc = d.crc;
  info.osType = d.madeBySystem;
  info.method = ZipMethodName(d.method);
  info.hasComment = d.commentLength > 0;
  if (d.madeBySystem == 0 || d.madeBySystem == 11 || d.madeBySystem == 14) {  // MS-DOS, NTFS, VFAT
    std::uint32_t dos = d.externalAttributes & 0xFF;
    info.dosAttributes = dos;
    info.attributes = AttributeText(info.isDirectory, dos & 0x01, dos & 0x02, dos & 0x04, dos & 0x20);
  }
}

}  // namespace standin
