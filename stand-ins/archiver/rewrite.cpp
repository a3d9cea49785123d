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

  // First pass: which entries go, whether what stays can be written back as
  // it is, and which name encoding the copy needs.
  struct Facts {
    bool encrypted = false;
    bool aes = false;
    bool dot = false;
    bool folder = false;
    const char* cannotKeep = nullptr;  // why this entry could not be written back unchanged
  };
  bool zip = false, legacyNames = false, utf8Names = false;
  std::vector<Facts> facts;
  std::vector<EntryKey> keys;
  const char* archiveProblem = nullptr;
  {
    ArchiveReader reader;
    reader.KeepDotEntries();
    int rc = reader.Open(family, archivePath, request.password);
    if (rc != kOk) {
      report = (rc == kErrArchiveOpen ? "Cannot open " : "Not an archive: ") + Printable(request.archive) + "\r\n";
      return rc;
    }
    if (!reader.IsZip() && !reader.Is7z()) {
      report = "Only zip and 7z archives can be changed\r\n";
      return kErrNotSupported;
    }
    zip = reader.IsZip();
    if (zip) {
      const ZipDirectory& d = reader.zipDirectory();
      if (d.empty()) archiveProblem = "the central directory cannot be read";
      else if (d.prefixBytes > 0) archiveProblem = "data in front of the archive (a self-extractor's program)";
      else if (d.archiveCommentLength > 0) archiveProblem = "the archive comment";
      else if (d.duplicateOffsets) archiveProblem = "two directory records for one entry";
    }
    EntryInfo entry;
    for (;;) {
      int r = reader.Next(entry);
      if (r == kNoMoreEntries) break;
      if (r != kOk) {
        report = "Error: " + Printable(reader.ErrorText()) + "\r\n";
        return r;
      }
      Facts f;
      f.dot = entry.dotEntry;
      f.folder = entry.isDirectory;
      f.encrypted = entry.encrypted;
      f.aes = entry.method == "AES";
      mode_t type = archive_entry_filetype(reader.entry());
      if (entry.recordsDisagree) f.cannotKeep = "its local header and directory record disagree";
      else if (entry.hasComment) f.cannotKeep = "its comment";
      else if (entry.dosAttributes & 0x06) f.cannotKeep = "its hidden or system attribute";
      else if (type != AE_IFREG && type != AE_IFDIR && !(zip && type == AE_IFLNK))
        f.cannotKeep = "its kind (link or special file)";
      else if (archive_entry_hardlink(reader.entry())) f.cannotKeep = "its kind (hard link)";
      facts.push_back(f);
      // "." entries are no entry of their own: never chosen, always kept.
      keys.push_back(entry.dotEntry ? EntryKey{} : KeyOf(entry));
      if (!IsAscii(entry.recordName)) {
        // The record holds UTF-8 exactly for names the archive flags as UTF-8.
        bool isUtf8 = WideToUtf8(entry.path) == entry.recordName || !zip;
        (isUtf8 ? utf8Names : legacyNames) = true;
      }
    }
  }
  std::vector<bool> remove = selection.Resolve(keys);
  std::vector<std::string> ambiguous = selection.Ambiguous();
  if (!ambiguous.empty()) {
    for (const std::string& name : ambiguous)
      report += "Refused (the name stands for several different entries): " + name + "\r\n";
    return kErrSameName;
  }
  std::vector<std::string> missing = selection.Unmatched();
  if (!missing.empty()) {
    for (const std::string& name : missing) report += "Not found: " + name + "\r\n";
    return kErrNotFound;
  }
  size_t kept = 0, removed = 0;
  bool anyEncrypted = false, anyPlain = false, aes = false;
  for (size_t i = 0; i < facts.size(); ++i) {
    if (remove[i]) {
      ++removed;
      continue;
    }
    if (!facts[i].dot) ++kept;
    if (facts[i].cannotKeep && !archiveProblem) archiveProblem = facts[i].cannotKeep;
    if (facts[i].encrypted) anyEncrypted = true;
    else if (!facts[i].dot && !facts[i].folder) anyPlain = true;  // folders hold no data to encrypt
    aes = aes || facts[i].aes;
  }
  // One password setting holds for a whole new zip: encrypted and plain
  // entries side by side cannot both stay as they are.
  if (!archiveProblem && anyEncrypted && anyPlain) archiveProblem = "encrypted and plain entries side by side";
  if (archiveProblem) {
    report = std::string("Refused: this archiver cannot keep ") + archiveProblem + "\r\n";
    return kErrNotSupported;
  }
  bool encrypted = anyEncrypted;

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
    reader.KeepDotEntries();
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
        why = Printable(reader.ErrorText());
        break;
      }
      if (index < remove.size() && remove[index]) {
        report += "Deleted: " + entry.recordName + "\r\n";
        continue;
      }
      archive_entry* copy = archive_entry_clone(reader.entry());
      // The listed name (the central directory's, for zip) is the one kept.
      archive_entry_copy_pathname_w(copy, entry.path.c_str());
      if (zip) {
        // Stored entries stay stored; every other method is written deflated.
        if (entry.method == "Store") archive_write_zip_set_compression_store(writer.w);
        else archive_write_zip_set_compression_deflate(writer.w);
      }
      if (archive_write_header(writer.w, copy) != ARCHIVE_OK) {
        archive_entry_free(copy);
        result = kErrMakeArchive;
        why = entry.recordName + ": " + Printable(archive_error_string(writer.w) ? archive_error_string(writer.w) : "");
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
          why = entry.recordName + ": " + Printable(reader.ErrorText());
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
