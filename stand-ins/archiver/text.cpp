#include "text.h"

#include <vector>

namespace standin {

std::wstring ToWide(std::string_view text, UINT codePage) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string FromWide(std::wstring_view text, UINT codePage) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

bool IsAscii(std::string_view text) {
  for (unsigned char c : text)
    if (c >= 0x80) return false;
  return true;
}

std::string Printable(std::string_view text) {
  std::string out(text);
  for (auto& c : out)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  return out;
}

bool HasControlCharacter(std::string_view text) {
  for (unsigned char c : text)
    if (c < 0x20 || c == 0x7F) return true;
  return false;
}

bool IsValidUtf8(std::string_view text) {
  if (text.empty()) return true;
  return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                             nullptr, 0) > 0;
}

bool IsSeparator(wchar_t c) { return c == L'/' || c == L'\\'; }

namespace {

std::wstring Normalised(std::wstring_view path) {
  std::wstring out(path);
  for (auto& c : out)
    if (c == L'\\') c = L'/';
  return out;
}

bool SameChars(std::wstring_view a, std::wstring_view b, bool exact = false) {
  if (a.size() != b.size()) return false;
  if (a.empty()) return true;
  if (exact) return a == b;
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                              TRUE) == CSTR_EQUAL;
}

wchar_t FoldChar(wchar_t c) {
  if (c == L'\\') return L'/';
  wchar_t buf[2] = {c, 0};
  CharUpperBuffW(buf, 1);
  return buf[0];
}

}  // namespace

bool SamePath(std::wstring_view a, std::wstring_view b, bool exact) {
  return SameChars(Normalised(a), Normalised(b), exact);
}

std::wstring WithoutTrailingSeparators(std::wstring_view path) {
  size_t n = path.size();
  while (n > 0 && IsSeparator(path[n - 1])) --n;
  return std::wstring(path.substr(0, n));
}

bool IsBelowFolder(std::wstring_view path, std::wstring_view folder, bool exact) {
  std::wstring f = Normalised(WithoutTrailingSeparators(folder));
  std::wstring p = Normalised(path);
  if (f.empty() || p.size() <= f.size() + 1) return false;
  return p[f.size()] == L'/' && SameChars(std::wstring_view(p).substr(0, f.size()), f, exact);
}

std::wstring LastComponent(std::wstring_view path) {
  size_t pos = path.find_last_of(L"/\\");
  return std::wstring(pos == std::wstring_view::npos ? path : path.substr(pos + 1));
}

bool HasWildcard(std::wstring_view text) { return text.find_first_of(L"*?") != std::wstring_view::npos; }

bool WildcardMatch(std::wstring_view pattern, std::wstring_view name) {
  // Iterative matcher with one back-track point: linear in practice, no recursion.
  size_t p = 0, n = 0, starP = std::wstring_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == L'*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && (pattern[p] == L'?' || FoldChar(pattern[p]) == FoldChar(name[n]))) {
      ++p;
      ++n;
    } else if (starP != std::wstring_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == L'*') ++p;
  return p == pattern.size();
}

}  // namespace standin
