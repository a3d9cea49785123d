// Helpers for the stand-in archiver tests: loading the DLL under its file
// names, calling entry points by name, scratch folders and fixture paths.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace standin_test {

// The caller's view of the entry record, written from the documented layout
// (deliberately not the DLL's own header, so a layout slip there shows here).
#pragma pack(push, 1)
struct ArcRecord {
  std::uint32_t originalSize;
  std::uint32_t compressedSize;
  std::uint32_t crc;
  std::uint32_t flag;
  std::uint32_t osType;
  std::uint16_t ratio;
  std::uint16_t dosDate;
  std::uint16_t dosTime;
  char name[513];
  char dummy[3];
  char attribute[8];
  char method[8];
};
#pragma pack(pop)
static_assert(sizeof(ArcRecord) == 558);
static_assert(offsetof(ArcRecord, dosDate) == 22 && offsetof(ArcRecord, dosTime) == 24);
static_assert(offsetof(ArcRecord, name) == 26 && offsetof(ArcRecord, attribute) == 542);
static_assert(offsetof(ArcRecord, method) == 550);

using CommandFn = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);
using OpenFn = HANDLE(WINAPI*)(HWND, LPCSTR, DWORD);
using CloseFn = int(WINAPI*)(HANDLE);
using FindFirstFn = int(WINAPI*)(HANDLE, LPCSTR, ArcRecord*);
using FindNextFn = int(WINAPI*)(HANDLE, ArcRecord*);

inline constexpr std::time_t kFixtureTime = 1614834368;  // make_archives.py MTIME

// The DLL loaded from the program folder under one of its thirteen names.
HMODULE LoadArchiver(const std::wstring& fileName);
FARPROC Entry(const std::wstring& dll, const char* name);  // fails the test when missing

struct Listed {
  std::string name;  // record bytes
  ArcRecord record;
};
// OpenArchive, FindFirst(wildcard), FindNext..., CloseArchive; ok=false when Open fails.
std::vector<Listed> Enumerate(const std::wstring& dll, const std::string& prefix, const std::string& archive,
                              bool* ok = nullptr, const char* wildcard = "*.*");
const Listed* FindListed(const std::vector<Listed>& list, const std::string& name);

struct Outcome {
  int code;
  std::string report;
};
Outcome RunCommand(const std::wstring& dll, const char* function, const std::string& commandLine,
                   DWORD bufferSize = 655351, HWND owner = nullptr);

// Windows paths (Z: + the Unix path under Wine) of fixture files.
std::wstring FixtureDir();
std::string FixtureAnsi(const char* name);
std::wstring Original(const std::wstring& rel);  // file under the fixture's src folder
std::string ReadBytes(const std::wstring& path);
bool FileExists(const std::wstring& path);
void WriteBytes(const std::wstring& path, const std::string& bytes);

// A fresh folder for one test, removed afterwards.
class Scratch {
 public:
  Scratch();
  ~Scratch();
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  const std::wstring& path() const { return path_; }           // with final backslash
  std::string ansi() const;                                     // with final backslash
  std::wstring Sub(const std::wstring& rel) const;             // path() + rel, created when folder=true
  std::wstring MakeFolder(const std::wstring& rel) const;
  // Writes a list file (system code page, each line quoted, CR LF) and returns its ANSI path.
  std::string ListFile(const std::vector<std::string>& lines, const wchar_t* name = L"list.txt") const;

 private:
  std::wstring path_;
};

// Relative paths (backslashes) of every file below folder, sorted.
std::vector<std::wstring> FilesUnder(const std::wstring& folder);

std::string ToAnsi(const std::wstring& text);
std::wstring FromAnsi(const std::string& text);
std::string ToCodePage(const std::wstring& text, UINT cp);
std::string Utf8(const std::wstring& text);
bool JapaneseCodePage();

// What the record must hold for a time stamp: local time, MS-DOS format.
void ExpectedDos(std::time_t t, std::uint16_t& date, std::uint16_t& time);
std::time_t FileMTime(const std::wstring& path);
std::string Quoted(const std::string& s);

}  // namespace standin_test
