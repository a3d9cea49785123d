#include "commands.h"

#include <windows.h>

#include "result_codes.h"
#include "text.h"

namespace standin {

int RunCommand(Family family, std::string_view commandLine, std::string& report) {
  Request request = ParseCommandLine(family, commandLine);
  if (request.errorCode != 0) {
    report = "Error: " + request.error + "\r\n";
    return request.errorCode;
  }
  switch (request.action) {
    case Action::Extract:
      if (family == Family::ZipJ) break;
      return RunExtract(family, request, report);
    case Action::Test:
      if (family == Family::ZipJ) break;
      return RunTest(family, request, report);
    case Action::List:
      if (family == Family::ZipJ) break;
      return RunList(family, request, report);
    case Action::Delete:
      return RunDelete(family, request, report);
    default:
      break;
  }
  report = "Error: this command is not supported by this archiver\r\n";
  return kErrNotSupported;
}

namespace {

std::string UnifiedBytes(std::string s) {
  for (auto& c : s)
    if (c == '\\') c = '/';
  while (!s.empty() && s.back() == '/') s.pop_back();
  return s;
}

bool SameBytesNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

}  // namespace

Selection::Selection(const std::vector<std::string>& names, bool namesGiven) {
  all_ = !namesGiven;
  for (const std::string& n : names) {
    Name name;
    name.bytes = UnifiedBytes(n);
    name.wide = WithoutTrailingSeparators(AnsiToWide(n));
    name.wildcard = HasWildcard(name.wide);
    if (name.wide == L"*" || name.wide == L"*.*") {
      all_ = true;
      continue;
    }
    if (!name.bytes.empty()) names_.push_back(std::move(name));
  }
}

bool Selection::Matches(const EntryInfo& entry) {
  if (all_) return true;
  std::string record = UnifiedBytes(entry.recordName);
  std::wstring path = WithoutTrailingSeparators(entry.path);
  bool any = false;
  for (Name& n : names_) {
    bool hit;
    if (n.wildcard) {
      hit = WildcardMatch(n.wide, path);
    } else {
      hit = SameBytesNoCase(n.bytes, record) || SamePath(n.wide, path) || IsBelowFolder(path, n.wide) ||
            (record.size() > n.bytes.size() && record[n.bytes.size()] == '/' &&
             SameBytesNoCase(std::string_view(record).substr(0, n.bytes.size()), n.bytes));
    }
    if (hit) {
      n.used = true;
      any = true;
    }
  }
  return any;
}

std::vector<std::string> Selection::Unmatched() const {
  std::vector<std::string> out;
  for (const Name& n : names_)
    if (!n.used) out.push_back(n.bytes);
  return out;
}

std::vector<std::wstring> SafeComponents(const std::wstring& storedPath) {
  std::vector<std::wstring> parts;
  if (storedPath.empty() || IsSeparator(storedPath[0])) return {};  // "/etc", "\x", "\\server"
  if (storedPath.find(L':') != std::wstring::npos) return {};       // "C:", "C:x", "name:stream"
  std::wstring part;
  auto flush = [&]() -> bool {
    if (part == L"..") return false;
    // Windows drops trailing dots and blanks, so "... " could still climb out.
    std::wstring trimmed = part;
    while (!trimmed.empty() && (trimmed.back() == L'.' || trimmed.back() == L' ')) trimmed.pop_back();
    if (trimmed.empty() && !part.empty() && part != L".") return false;
    if (!part.empty() && part != L".") parts.push_back(part);
    part.clear();
    return true;
  };
  for (wchar_t c : storedPath) {
    if (c < 0x20) return {};
    if (IsSeparator(c)) {
      if (!flush()) return {};
    } else {
      part += c;
    }
  }
  if (!flush()) return {};
  return parts;
}

void ToDosDateTime(const EntryInfo& entry, unsigned short& date, unsigned short& time) {
  date = (0 << 9) | (1 << 5) | 1;  // 1980-01-01, the earliest MS-DOS date
  time = 0;
  if (!entry.mtime) return;
  // Archivers of this interface report local time, as Explorer shows it.
  ULONGLONG ticks = static_cast<ULONGLONG>(*entry.mtime) * 10000000ULL + 116444736000000000ULL;
  if (*entry.mtime < 315532800) return;  // before 1980
  FILETIME utc{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)}, local{};
  WORD d = 0, t = 0;
  if (FileTimeToLocalFileTime(&utc, &local) && FileTimeToDosDateTime(&local, &d, &t)) {
    date = d;
    time = t;
  }
}

std::wstring FullPath(const std::wstring& path) {
  DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (n == 0) return path;
  std::wstring out(n, L'\0');
  n = GetFullPathNameW(path.c_str(), n, out.data(), nullptr);
  out.resize(n);
  return out;
}

std::wstring ForWin32(const std::wstring& fullPath) {
  if (fullPath.size() < 240 || fullPath.rfind(L"\\\\?\\", 0) == 0) return fullPath;
  if (fullPath.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + fullPath.substr(2);
  return L"\\\\?\\" + fullPath;
}

bool MakeDirectories(const std::wstring& fullPath) {
  std::wstring path = WithoutTrailingSeparators(fullPath);
  DWORD attrs = GetFileAttributesW(ForWin32(path).c_str());
  if (attrs != INVALID_FILE_ATTRIBUTES) return (attrs & FILE_ATTRIBUTE_DIRECTORY) != 0;
  size_t cut = path.find_last_of(L"\\/");
  if (cut != std::wstring::npos && cut > 0 && path[cut - 1] != L':' && !MakeDirectories(path.substr(0, cut)))
    return false;
  if (CreateDirectoryW(ForWin32(path).c_str(), nullptr)) return true;
  attrs = GetFileAttributesW(ForWin32(path).c_str());
  return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring CreateSiblingTemp(const std::wstring& directory, const wchar_t* tag, HANDLE& handle) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    wchar_t name[64];
    wsprintfW(name, L"\\~%s%08lX%04X.tmp", tag, GetTickCount() ^ (GetCurrentProcessId() << 16),
              (++counter) & 0xFFFF);
    std::wstring candidate = WithoutTrailingSeparators(directory) + name;
    handle = CreateFileW(ForWin32(candidate).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) return candidate;
    if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  handle = INVALID_HANDLE_VALUE;
  return {};
}

}  // namespace standin
