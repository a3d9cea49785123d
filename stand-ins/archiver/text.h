// Text conversions and name comparisons. ANSI (the system code page) is what
// crosses the DLL boundary; inside, names are UTF-16 or raw stored bytes.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace standin {

std::wstring ToWide(std::string_view text, UINT codePage);
// Characters the code page lacks become '?'.
std::string FromWide(std::wstring_view text, UINT codePage);
inline std::wstring AnsiToWide(std::string_view text) { return ToWide(text, CP_ACP); }
inline std::string WideToAnsi(std::wstring_view text) { return FromWide(text, CP_ACP); }
inline std::wstring Utf8ToWide(std::string_view text) { return ToWide(text, CP_UTF8); }
inline std::string WideToUtf8(std::wstring_view text) { return FromWide(text, CP_UTF8); }

bool IsAscii(std::string_view text);
// Control characters (tab, CR, LF, ...) as "?", so a name stays one line and one field.
std::string Printable(std::string_view text);
bool HasControlCharacter(std::string_view text);
bool IsValidUtf8(std::string_view text);

// "/" and "\" are one separator; letter case is ignored (ordinal, as the file
// system does) unless exact is asked for.
bool SamePath(std::wstring_view a, std::wstring_view b, bool exact = false);
// True when path lies below folder (folder given with or without a final separator).
bool IsBelowFolder(std::wstring_view path, std::wstring_view folder, bool exact = false);
// '*' any run, '?' one character; separators compare equal, case ignored.
bool WildcardMatch(std::wstring_view pattern, std::wstring_view name);
bool HasWildcard(std::wstring_view text);

std::wstring WithoutTrailingSeparators(std::wstring_view path);
std::wstring LastComponent(std::wstring_view path);  // of a path without final separator
bool IsSeparator(wchar_t c);

}  // namespace standin
