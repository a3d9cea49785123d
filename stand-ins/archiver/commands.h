// The command functions' work: extraction, test, list report and deletion.
#pragma once

#include <windows.h>

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

// Which entries a command works on: every entry when no name was given,
// otherwise the entries named (a named folder brings everything below it).
// A name is compared with the record bytes and, decoded from the system code
// page, with the Unicode name, so either form the caller kept finds the entry.
class Selection {
 public:
  Selection(const std::vector<std::string>& names, bool namesGiven);
  bool Matches(const EntryInfo& entry);
  bool SelectsAll() const { return all_; }
  bool Empty() const { return !all_ && names_.empty(); }
  // Names that matched no entry, for the report.
  std::vector<std::string> Unmatched() const;

 private:
  struct Name {
    std::string bytes;  // separators unified, no final separator
    std::wstring wide;
    bool wildcard = false;
    bool used = false;
  };
  bool all_ = false;
  std::vector<Name> names_;
};

// A stored path as components safe to create below a destination, or empty
// when it names a place outside (absolute, drive, UNC, "..", stream names).
std::vector<std::wstring> SafeComponents(const std::wstring& storedPath);

// Seconds since 1970 (UTC) to MS-DOS date and time in local time.
void ToDosDateTime(const EntryInfo& entry, unsigned short& date, unsigned short& time);

std::wstring FullPath(const std::wstring& path);
// The \\?\ form for paths beyond MAX_PATH (Win32 calls accept both).
std::wstring ForWin32(const std::wstring& fullPath);
bool MakeDirectories(const std::wstring& fullPath);
// A fresh, empty file beside target for writing; its name or empty on failure.
std::wstring CreateSiblingTemp(const std::wstring& directory, const wchar_t* tag, HANDLE& handle);

}  // namespace standin
