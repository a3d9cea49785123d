// Deletion: libarchive cannot change an archive in place, so every entry but
// the named ones is copied into a new archive beside the original, which then
// replaces it. Any failure removes the new file and leaves the original as it was.
#include <archive.h>
#include <archive_entry.h>
#include <windows.h>

#include "commands.h"
#include "result_codes.h"
#include "text.h"

namespace standin {

namespace {

struct WriterGuard {
  archive* w = nullptr;
  ~WriterGuard() {
    if (w) archive_write_free(w);
  }
};

}  // namespace

int RunDelete(Family family, const Request& request, std::string& report) {
  if (family == Family::Lha) {
    report = "LZH archives cannot be written by this archiver\r\n";
    return kErrNotSupported;
  }
  if (family != Family::SevenZip && family != Family::ZipJ && family != Family::LmZip) {
    report = "Deletion is not supported by this archiver\r\n";
    return kErrNotSupported;
  }
  Selection selection(request.names, request.namesGiven);
  if (!request.namesGiven || selection.Empty() || selection.SelectsAll()) {
    report = "No entry named for deletion\r\n";
    return kErrNotFound;
  }
  std::wstring archivePath = FullPath(AnsiToWide(request.archive));

  // First pass: which entries go, and which name encoding the copy needs.
  bool zip = false, legacyNames = false, utf8Names = false, encrypted = false, aes = false;
  size_t kept = 0, removed = 0;
  std::vector<bool> remove;
  {
    ArchiveReader reader;
    int rc = reader.Open(family, archivePath, request.password);
    if (rc != kOk) {
      report = (rc == kErrArchiveOpen ? "Cannot open " : "Not an archive: ") + request.archive + "\r\n";
      return rc;
    }
    if (!reader.IsZip() && !reader.Is7z()) {
      report = "Only zip and 7z archives can be changed\r\n";
      return kErrNotSupported;
    }
    zip = reader.IsZip();
    EntryInfo entry;
    for (;;) {
      int r = reader.Next(entry);
      if (r == kNoMoreEntries) break;
      if (r != kOk) {
        report = "Error: " + reader.ErrorText() + "\r\n";
        return r;
      }
      bool goes = selection.Matches(entry);
      remove.push_back(goes);
      goes ? ++removed : ++kept;
      encrypted = encrypted || entry.encrypted;
      aes = aes || entry.method == "AES";
      if (!IsAscii(entry.recordName)) {
        // The record holds UTF-8 exactly for names the archive flags as UTF-8.
        bool isUtf8 = WideToUtf8(entry.path) == entry.recordName || !zip;
        (isUtf8 ? utf8Names : legacyNames) = true;
      }
    }
  }
  std::vector<std::string> missing = selection.Unmatched();
  if (!missing.empty()) {
    for (const std::string& name : missing) report += "Not found: " + name + "\r\n";
    return kErrNotFound;
  }

  std::wstring dir = archivePath.substr(0, archivePath.find_last_of(L"\\/"));
  HANDLE h = INVALID_HANDLE_VALUE;
  std::wstring temp = CreateSiblingTemp(dir, L"qsd", h);
  if (temp.empty()) {
    report = "Cannot create a temporary archive\r\n";
    return kErrTempFile;
  }
  CloseHandle(h);

  int result = kOk;
  std::string why;
  {
    ArchiveReader reader;
    WriterGuard writer;
    int rc = reader.Open(family, archivePath, request.password);
    writer.w = archive_write_new();
    if (rc != kOk || !writer.w) {
      result = rc != kOk ? rc : kErrMakeArchive;
      why = "cannot reopen the archive";
    } else {
      if (zip) {
        archive_write_set_format_zip(writer.w);
        // Legacy names go back in the system code page they were read with, so
        // their stored bytes do not change; otherwise UTF-8 with the flag.
        std::string charset = legacyNames && !utf8Names ? "CP" + std::to_string(GetACP()) : "UTF-8";
        archive_write_set_format_option(writer.w, "zip", "hdrcharset", charset.c_str());
        // An encrypted archive stays encrypted (AES stays AES): refuse rather than write it in the clear.
        if (encrypted && request.password &&
            (archive_write_set_format_option(writer.w, "zip", "encryption", aes ? "aes256" : "traditional") !=
                 ARCHIVE_OK ||
             archive_write_set_passphrase(writer.w, request.password->c_str()) != ARCHIVE_OK)) {
          result = kErrMakeArchive;
          why = "cannot encrypt the new archive";
        }
      } else {
        archive_write_set_format_7zip(writer.w);
      }
      archive_write_set_bytes_in_last_block(writer.w, 1);
      if (result == kOk && archive_write_open_filename_w(writer.w, temp.c_str()) != ARCHIVE_OK) {
        result = kErrMakeArchive;
        why = "cannot write the temporary archive";
      }
    }
    EntryInfo entry;
    for (size_t index = 0; result == kOk; ++index) {
      int r = reader.Next(entry);
      if (r == kNoMoreEntries) break;
      if (r != kOk) {
        result = r;
        why = reader.ErrorText();
        break;
      }
      if (index < remove.size() && remove[index]) {
        report += "Deleted: " + entry.recordName + "\r\n";
        continue;
      }
      archive_entry* copy = archive_entry_clone(reader.entry());
      if (archive_write_header(writer.w, copy) != ARCHIVE_OK) {
        archive_entry_free(copy);
        result = kErrMakeArchive;
        why = entry.recordName + ": " + (archive_error_string(writer.w) ? archive_error_string(writer.w) : "");
        break;
      }
      archive_entry_free(copy);
      if (!entry.isRegular) continue;
      for (;;) {
        const void* buf = nullptr;
        size_t size = 0;
        la_int64_t offset = 0;
        int d = archive_read_data_block(reader.handle(), &buf, &size, &offset);
        if (d == ARCHIVE_EOF) break;
        if (d != ARCHIVE_OK) {  // ARCHIVE_WARN is a CRC error here too
          result = entry.encrypted ? kErrPassword : kErrDataBroken;
          why = entry.recordName + ": " + reader.ErrorText();
          break;
        }
        if (size > 0 && archive_write_data(writer.w, buf, size) != static_cast<la_ssize_t>(size)) {
          result = kErrMakeArchive;
          why = entry.recordName + ": write failed";
          break;
        }
      }
    }
    if (writer.w && result == kOk && archive_write_close(writer.w) != ARCHIVE_OK) {
      result = kErrMakeArchive;
      why = archive_error_string(writer.w) ? archive_error_string(writer.w) : "closing failed";
    }
  }
  if (result == kOk &&
      !MoveFileExW(temp.c_str(), archivePath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    result = kErrCannotWrite;
    why = "cannot replace the archive";
  }
  if (result != kOk) {
    DeleteFileW(temp.c_str());
    report += "Error: " + why + "\r\n";
    return result;
  }
  report += std::to_string(removed) + " entr" + (removed == 1 ? "y" : "ies") + " deleted, " +
            std::to_string(kept) + " kept\r\n";
  return kOk;
}

}  // namespace standin
