// The command functions' work: extraction, test, list report and deletion.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog.h"
#include "command_line.h"

namespace standin {

// Parses the command line of the family and carries it out; the report is
// what goes to the caller's output buffer.
int RunCommand(Family family, std::string_view commandLine, std::string& report);

int RunExtract(Family family, const Request& request, std::string& report);
int RunTest(Family family, const Request& request, std::string& report);
int RunList(Family family, const Request& request, std::string& report);
int RunDelete(Family family, const Request& request, std::string& report);

// The names an entry answers to, without a final separator: its Unicode name
// and its reported name (the record bytes decoded in the system code page,
// as the caller's copy of them decodes).
struct EntryKey {
  std::wstring path;
  std::wstring reported;
};
EntryKey KeyOf(const EntryInfo& entry);

// Which entries a command works on: every entry when no name was given,
// otherwise the entries named (a named folder brings everything below it).
// Names are compared in characters of the code page, never byte by byte, so
// a trail byte 0x5C is no separator and letters are folded only where they
// are letters.
//
// First round: a name chooses the entries it names exactly, letter for
// letter and case for case; "*" and "?" are ordinary characters here, so a
// name that is exactly an entry's reported name means that entry alone.
// Second round, only for names that found nothing so: "*" and "?" work as
// wildcards, and letter case is ignored.
class Selection {
 public:
  Selection(const std::vector<std::string>& names, bool namesGiven);
  bool SelectsAll() const { return all_; }
  bool Empty() const { return !all_ && names_.empty(); }

  bool MatchExact(const EntryKey& key);
  // Some name found nothing in the first round: a second round is needed.
  bool NeedsSecondRound() const;
  bool MatchSecond(const EntryKey& key);
  // Both rounds over a whole catalog; true for each entry chosen.
  std::vector<bool> Resolve(const std::vector<EntryKey>& keys);

  // Names that matched no entry, for the report.
  std::vector<std::string> Unmatched() const;
  // Names that are exactly the reported name of entries with different
  // Unicode names (characters the code page lacks show as "?"): which one
  // the caller meant cannot be told.
  std::vector<std::string> Ambiguous() const;

 private:
  struct Name {
    std::string bytes;  // as given, for reports
    std::wstring wide;  // decoded, no final separator
    bool wildcard = false;
    bool exactHit = false;
    bool secondHit = false;
    bool ambiguous = false;
    std::wstring exactPath;  // Unicode name of the first entry the name equals
  };
  bool all_ = false;
  std::vector<Name> names_;
};

// Walks the entries a command works on, each once, in archive order per
// round: the reader's entries first, then (only when a name found nothing
// exactly) a second reading of the archive for the second round. body returns
// false to stop. The result is kOk or the error of a failed reading, with its text.
int ForEachSelected(Family family, const Request& request, Selection& selection, ArchiveReader& reader,
                    const std::function<bool(ArchiveReader&, const EntryInfo&)>& body, std::string& errorText);

// A stored path checked for creation below a destination.
struct StoredPathCheck {
  std::vector<std::wstring> parts;  // empty when refused
  int code = 0;                     // kOk, kErrUnsafeName or kErrLongName
  const char* why = "";             // for the report: "Refused (...)"
};
// Refuses what would leave the destination (absolute, drive, UNC, ".."),
// what Windows would create as something else (stream names "a:b", device
// names, final dots or blanks, characters file names cannot hold, control
// characters) and what it cannot create (a name over 255 characters, a stored
// path of MAX_PATH characters or more).
StoredPathCheck CheckStoredPath(const std::wstring& storedPath);
// The components of an acceptable stored path, or empty.
std::vector<std::wstring> SafeComponents(const std::wstring& storedPath);

// Seconds since 1970 (UTC) to MS-DOS date and time in local time.
void ToDosDateTime(const EntryInfo& entry, unsigned short& date, unsigned short& time);
void UnixToDosDateTime(std::int64_t seconds, unsigned short& date, unsigned short& time);

std::wstring FullPath(const std::wstring& path);
// The \\?\ form for paths beyond MAX_PATH (Win32 calls accept both).
std::wstring ForWin32(const std::wstring& fullPath);
// Creates a folder and its missing parents, one level after another (no
// recursion: the depth is the archive's to choose). False beyond 32,767
// characters or when a level cannot be made.
bool MakeDirectories(const std::wstring& fullPath);
// A fresh, empty file beside target for writing; its name or empty on failure.
std::wstring CreateSiblingTemp(const std::wstring& directory, const wchar_t* tag, HANDLE& handle);

}  // namespace standin
