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

EntryKey KeyOf(const EntryInfo& entry) {
  return {WithoutTrailingSeparators(entry.path), WithoutTrailingSeparators(AnsiToWide(entry.recordName))};
}

Selection::Selection(const std::vector<std::string>& names, bool namesGiven) {
  all_ = !namesGiven;
  for (const std::string& n : names) {
    Name name;
    name.bytes = Printable(n);
    name.wide = WithoutTrailingSeparators(AnsiToWide(n));
    name.wildcard = HasWildcard(name.wide);
    if (name.wide == L"*" || name.wide == L"*.*") {
      all_ = true;
      continue;
    }
    if (!name.wide.empty()) names_.push_back(std::move(name));
  }
}

bool Selection::MatchExact(const EntryKey& key) {
  if (all_) return true;
  bool any = false;
  for (Name& n : names_) {
    bool equal = SamePath(n.wide, key.reported, true) || SamePath(n.wide, key.path, true);
    if (equal) {
      if (!n.exactHit) n.exactPath = key.path;
      else if (!SamePath(n.exactPath, key.path, true)) n.ambiguous = true;
    }
    if (equal || IsBelowFolder(key.reported, n.wide, true) || IsBelowFolder(key.path, n.wide, true)) {
      n.exactHit = true;
      any = true;
    }
  }
  return any;
}

bool Selection::NeedsSecondRound() const {
  if (all_) return false;
  for (const Name& n : names_)
    if (!n.exactHit) return true;
  return false;
}

bool Selection::MatchSecond(const EntryKey& key) {
  if (all_) return true;
  bool any = false;
  for (Name& n : names_) {
    if (n.exactHit) continue;
    bool hit = n.wildcard ? WildcardMatch(n.wide, key.path) || WildcardMatch(n.wide, key.reported)
                          : SamePath(n.wide, key.reported) || SamePath(n.wide, key.path) ||
                                IsBelowFolder(key.reported, n.wide) || IsBelowFolder(key.path, n.wide);
    if (hit) {
      n.secondHit = true;
      any = true;
    }
  }
  return any;
}

std::vector<bool> Selection::Resolve(const std::vector<EntryKey>& keys) {
  std::vector<bool> chosen(keys.size(), false);
  for (size_t i = 0; i < keys.size(); ++i) chosen[i] = MatchExact(keys[i]);
  if (NeedsSecondRound())
    for (size_t i = 0; i < keys.size(); ++i)
      if (!chosen[i]) chosen[i] = MatchSecond(keys[i]);
  return chosen;
}

std::vector<std::string> Selection::Unmatched() const {
  std::vector<std::string> out;
  for (const Name& n : names_)
    if (!n.exactHit && !n.secondHit) out.push_back(n.bytes);
  return out;
}

std::vector<std::string> Selection::Ambiguous() const {
  std::vector<std::string> out;
  for (const Name& n : names_)
    if (n.ambiguous) out.push_back(n.bytes);
  return out;
}

int ForEachSelected(Family family, const Request& request, Selection& selection, ArchiveReader& reader,
                    const std::function<bool(ArchiveReader&, const EntryInfo&)>& body, std::string& errorText) {
  EntryInfo entry;
  std::vector<bool> done;
  for (;;) {
    int r = reader.Next(entry);
    if (r == kNoMoreEntries) break;
    if (r != kOk) {
      errorText = Printable(reader.ErrorText());
      return r;
    }
    bool chosen = selection.SelectsAll() || selection.MatchExact(KeyOf(entry));
    done.push_back(chosen);
    if (chosen && !body(reader, entry)) return kOk;
  }
  if (!selection.NeedsSecondRound()) return kOk;
  ArchiveReader again;
  int rc = again.Open(family, AnsiToWide(request.archive), request.password);
  if (rc != kOk) {
    errorText = "cannot read the archive again";
    return rc;
  }
  for (size_t index = 0;; ++index) {
    int r = again.Next(entry);
    if (r == kNoMoreEntries) break;
    if (r != kOk) {
      errorText = Printable(again.ErrorText());
      return r;
    }
    if (index < done.size() && done[index]) continue;
    if (selection.MatchSecond(KeyOf(entry)) && !body(again, entry)) return kOk;
  }
  return kOk;
}

namespace {

// Names Windows opens as devices whatever the folder or extension ("nul.txt" too).
bool IsDeviceName(std::wstring_view component) {
  std::wstring base(component.substr(0, component.find(L'.')));
  while (!base.empty() && base.back() == L' ') base.pop_back();
  for (auto& c : base)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - 32);
  static const wchar_t* const kFixed[] = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
  for (const wchar_t* d : kFixed)
    if (base == d) return true;
  if (base.size() == 4 && (base.compare(0, 3, L"COM") == 0 || base.compare(0, 3, L"LPT") == 0)) {
    wchar_t n = base[3];
    return (n >= L'1' && n <= L'9') || n == 0x00B9 || n == 0x00B2 || n == 0x00B3;
  }
  return false;
}

}  // namespace

StoredPathCheck CheckStoredPath(const std::wstring& storedPath) {
  StoredPathCheck out;
  auto refuse = [&](int code, const char* why) {
    out.parts.clear();
    out.code = code;
    out.why = why;
    return out;
  };
  if (storedPath.empty() || IsSeparator(storedPath[0]))  // "/etc", "\x", "\\server"
    return refuse(kErrUnsafeName, "Refused (outside the destination)");
  size_t colon = storedPath.find(L':');
  if (colon != std::wstring::npos)
    return refuse(kErrUnsafeName, colon == 1 ? "Refused (outside the destination)" : "Refused (stream name)");
  std::wstring part;
  size_t length = 0;
  for (size_t i = 0; i <= storedPath.size(); ++i) {
    wchar_t c = i < storedPath.size() ? storedPath[i] : L'/';
    if (c < 0x20) return refuse(kErrUnsafeName, "Refused (control character in the name)");
    if (!IsSeparator(c)) {
      if (c == L'<' || c == L'>' || c == L'"' || c == L'|' || c == L'?' || c == L'*')
        return refuse(kErrUnsafeName, "Refused (a character file names cannot hold)");
      part += c;
      continue;
    }
    if (part.empty() || part == L".") {
      part.clear();
      continue;
    }
    if (part == L"..") return refuse(kErrUnsafeName, "Refused (outside the destination)");
    // Windows drops final dots and blanks: "a." would become "a", and "... " would climb out.
    if (part.back() == L'.' || part.back() == L' ') {
      size_t kept = part.find_last_not_of(L". ");
      return refuse(kErrUnsafeName, kept == std::wstring::npos ? "Refused (outside the destination)"
                                                               : "Refused (name ends with a dot or blank)");
    }
    if (IsDeviceName(part)) return refuse(kErrUnsafeName, "Refused (device name)");
    if (part.size() > 255) return refuse(kErrLongName, "Refused (name too long)");
    length += (out.parts.empty() ? 0 : 1) + part.size();
    if (length >= MAX_PATH) return refuse(kErrLongName, "Refused (path too long)");
    out.parts.push_back(std::move(part));
    part.clear();
  }
  return out;
}

std::vector<std::wstring> SafeComponents(const std::wstring& storedPath) { return CheckStoredPath(storedPath).parts; }

void UnixToDosDateTime(std::int64_t seconds, unsigned short& date, unsigned short& time) {
  date = (0 << 9) | (1 << 5) | 1;  // 1980-01-01, the earliest MS-DOS date
  time = 0;
  if (seconds < 315532800) return;  // before 1980
  // Archivers of this interface report local time, as Explorer shows it. The
  // offset from UTC only changes at a quarter hour, so it is asked for once
  // per quarter hour seen, not once per entry.
  thread_local std::int64_t cachedQuarter = -1;
  thread_local std::int64_t cachedOffset = 0;
  std::int64_t quarter = seconds / 900;
  if (quarter != cachedQuarter) {
    ULONGLONG ticks = static_cast<ULONGLONG>(quarter * 900) * 10000000ULL + 116444736000000000ULL;
    FILETIME utc{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)}, local{};
    if (!FileTimeToLocalFileTime(&utc, &local)) return;
    ULONGLONG localTicks = (static_cast<ULONGLONG>(local.dwHighDateTime) << 32) | local.dwLowDateTime;
    cachedOffset = static_cast<std::int64_t>(localTicks - ticks);
    cachedQuarter = quarter;
  }
  ULONGLONG ticks = static_cast<ULONGLONG>(seconds) * 10000000ULL + 116444736000000000ULL + cachedOffset;
  FILETIME local{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  WORD d = 0, t = 0;
  if (FileTimeToDosDateTime(&local, &d, &t)) {
    date = d;
    time = t;
  }
}

void ToDosDateTime(const EntryInfo& entry, unsigned short& date, unsigned short& time) {
  if (!entry.mtime) {
    date = (0 << 9) | (1 << 5) | 1;
    time = 0;
    return;
  }
  UnixToDosDateTime(*entry.mtime, date, time);
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
  if (path.empty() || path.size() > 32000) return false;
  auto isFolder = [](const std::wstring& p, bool& exists) {
    DWORD attrs = GetFileAttributesW(ForWin32(p).c_str());
    exists = attrs != INVALID_FILE_ATTRIBUTES;
    return exists && (attrs & FILE_ATTRIBUTE_DIRECTORY);
  };
  // Up from the end to the deepest folder that exists, then down making each level.
  std::vector<size_t> missing;
  size_t end = path.size();
  for (;;) {
    bool exists = false;
    bool folder = isFolder(path.substr(0, end), exists);
    if (exists) {
      if (!folder) return false;
      break;
    }
    missing.push_back(end);
    size_t cut = path.find_last_of(L"\\/", end - 1);
    if (cut == std::wstring::npos || cut == 0 || path[cut - 1] == L':' || IsSeparator(path[cut - 1])) break;
    end = cut;
  }
  for (size_t i = missing.size(); i-- > 0;) {
    std::wstring level = path.substr(0, missing[i]);
    if (CreateDirectoryW(ForWin32(level).c_str(), nullptr)) continue;
    bool exists = false;
    if (!isFolder(level, exists)) return false;
  }
  return true;
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
