#include "standin_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>

namespace standin_test {

namespace {

std::wstring WindowsPath(const std::string& unixOrWindows) {
  std::wstring w(unixOrWindows.begin(), unixOrWindows.end());
  for (auto& c : w)
    if (c == L'/') c = L'\\';
  if (!unixOrWindows.empty() && unixOrWindows[0] == '/') w = L"Z:" + w;  // Wine maps / to Z:
  return w;
}

void RemoveTree(const std::wstring& dir) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = fd.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring full = dir + L"\\" + name;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(full);
      } else {
        SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(full.c_str());
      }
    } while (FindNextFileW(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryW(dir.c_str());
}

void Walk(const std::wstring& root, const std::wstring& rel, std::vector<std::wstring>& out) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((root + rel + L"*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    std::wstring name = fd.cFileName;
    if (name == L"." || name == L"..") continue;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      Walk(root, rel + name + L"\\", out);
    else
      out.push_back(rel + name);
  } while (FindNextFileW(h, &fd));
  FindClose(h);
}

}  // namespace

HMODULE LoadArchiver(const std::wstring& fileName) {
  static std::map<std::wstring, HMODULE> loaded;
  auto it = loaded.find(fileName);
  if (it != loaded.end()) return it->second;
  std::wstring path = WindowsPath(QUIB_BIN_DIR) + L"\\" + fileName;
  HMODULE m = LoadLibraryW(path.c_str());
  loaded[fileName] = m;
  return m;
}

FARPROC Entry(const std::wstring& dll, const char* name) {
  HMODULE m = LoadArchiver(dll);
  EXPECT_NE(m, nullptr) << "cannot load " << ToAnsi(dll);
  FARPROC p = m ? GetProcAddress(m, name) : nullptr;
  EXPECT_NE(p, nullptr) << "missing export " << name;
  return p;
}

std::vector<Listed> Enumerate(const std::wstring& dll, const std::string& prefix, const std::string& archive,
                              bool* ok, const char* wildcard) {
  std::vector<Listed> out;
  auto open = reinterpret_cast<OpenFn>(Entry(dll, (prefix + "OpenArchive").c_str()));
  auto close = reinterpret_cast<CloseFn>(Entry(dll, (prefix + "CloseArchive").c_str()));
  auto first = reinterpret_cast<FindFirstFn>(Entry(dll, (prefix + "FindFirst").c_str()));
  auto next = reinterpret_cast<FindNextFn>(Entry(dll, (prefix + "FindNext").c_str()));
  if (ok) *ok = false;
  if (!open || !close || !first || !next) return out;
  HANDLE h = open(nullptr, archive.c_str(), 0);
  if (!h) return out;
  if (ok) *ok = true;
  Listed item;
  std::memset(&item.record, 0x5A, sizeof item.record);  // garbage: every field must be written
  int r = first(h, wildcard, &item.record);
  while (r == 0) {
    item.name.assign(item.record.name, strnlen(item.record.name, sizeof item.record.name));
    out.push_back(item);
    std::memset(&item.record, 0x5A, sizeof item.record);
    r = next(h, &item.record);
  }
  EXPECT_EQ(r, -1) << "enumeration must end with -1";
  EXPECT_EQ(close(h), 0);
  return out;
}

const Listed* FindListed(const std::vector<Listed>& list, const std::string& name) {
  for (const Listed& l : list)
    if (l.name == name) return &l;
  return nullptr;
}

Outcome RunCommand(const std::wstring& dll, const char* function, const std::string& commandLine,
                   DWORD bufferSize, HWND owner) {
  auto fn = reinterpret_cast<CommandFn>(Entry(dll, function));
  if (!fn) return {-9999, ""};
  std::string buffer(bufferSize, '\x7F');
  int code = fn(owner, commandLine.c_str(), buffer.data(), bufferSize);
  size_t end = buffer.find('\0');
  EXPECT_NE(end, std::string::npos) << "report not NUL-terminated";
  buffer.resize(end == std::string::npos ? 0 : end);
  return {code, buffer};
}

std::wstring FixtureDir() { return WindowsPath(QUIB_FIXTURES_DIR) + L"\\standin"; }
std::string FixtureAnsi(const char* name) { return ToAnsi(FixtureDir() + L"\\" + FromAnsi(name)); }
std::wstring Original(const std::wstring& rel) {
  std::wstring r = rel;
  for (auto& c : r)
    if (c == L'/') c = L'\\';
  return FixtureDir() + L"\\src\\" + r;
}

std::string ReadBytes(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "<missing>";
  std::string out;
  char buf[65536];
  DWORD got = 0;
  while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) out.append(buf, got);
  CloseHandle(h);
  return out;
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD done = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
  CloseHandle(h);
}

Scratch::Scratch() {
  static int counter = 0;
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "scratch";
  for (auto& c : name)
    if (!isalnum(static_cast<unsigned char>(c)) && c != '.') c = '_';
  std::wstring base = FixtureDir() + L"\\work";
  CreateDirectoryW(base.c_str(), nullptr);
  path_ = base + L"\\" + FromAnsi(name) + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
          std::to_wstring(++counter);
  RemoveTree(path_);
  CreateDirectoryW(path_.c_str(), nullptr);
  path_ += L"\\";
}

// The \\?\ form reaches folders deeper than MAX_PATH that a test may leave.
Scratch::~Scratch() { RemoveTree(L"\\\\?\\" + path_.substr(0, path_.size() - 1)); }

std::string Scratch::ansi() const { return ToAnsi(path_); }
std::wstring Scratch::Sub(const std::wstring& rel) const { return path_ + rel; }
std::wstring Scratch::MakeFolder(const std::wstring& rel) const {
  std::wstring p = path_ + rel;
  CreateDirectoryW(p.c_str(), nullptr);
  return p + L"\\";
}

std::string Scratch::ListFile(const std::vector<std::string>& lines, const wchar_t* name) const {
  std::string text;
  for (const std::string& l : lines) text += "\"" + l + "\"\r\n";
  WriteBytes(path_ + name, text);
  return ToAnsi(path_ + name);
}

std::vector<std::wstring> FilesUnder(const std::wstring& folder) {
  std::vector<std::wstring> out;
  std::wstring root = folder;
  if (root.back() != L'\\') root += L'\\';
  Walk(root, L"", out);
  std::sort(out.begin(), out.end());
  return out;
}

std::string ToCodePage(const std::wstring& text, UINT cp) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(cp, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(cp, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}
std::string ToAnsi(const std::wstring& text) { return ToCodePage(text, CP_ACP); }
std::string Utf8(const std::wstring& text) { return ToCodePage(text, CP_UTF8); }
std::wstring FromAnsi(const std::string& text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}
bool JapaneseCodePage() { return GetACP() == 932; }

void ExpectedDos(std::time_t t, std::uint16_t& date, std::uint16_t& time) {
  ULONGLONG ticks = static_cast<ULONGLONG>(t) * 10000000ULL + 116444736000000000ULL;
  FILETIME utc{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)}, local{};
  WORD d = 0, tm = 0;
  FileTimeToLocalFileTime(&utc, &local);
  FileTimeToDosDateTime(&local, &d, &tm);
  date = d;
  time = tm;
}

std::time_t FileMTime(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  ULONGLONG ticks = (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                    data.ftLastWriteTime.dwLowDateTime;
  return static_cast<std::time_t>((ticks - 116444736000000000ULL) / 10000000ULL);
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

}  // namespace standin_test
