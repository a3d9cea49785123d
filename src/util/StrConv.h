#pragma once
// Conversions at the program's edges: everything inside is UTF-16 std::wstring;
// archiver DLLs, plug-ins and response files speak the ANSI code page.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace quib {

std::wstring AnsiToWide(std::string_view text, UINT codePage = CP_ACP);
std::string WideToAnsi(std::wstring_view text, UINT codePage = CP_ACP);
// The text in the code page exactly, or false when it has a character the
// code page lacks. Never a best-fit stand-in: a full-width quote, colon or
// asterisk must not turn into a real one, nor "ｘ" into "x".
bool WideToAnsiExact(std::wstring_view text, std::string& out, UINT codePage = CP_ACP);
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

// Splits at CR LF, CR or LF; a final line break does not add an empty line.
std::vector<std::wstring> SplitLines(std::wstring_view text);

std::wstring ToUpper(std::wstring_view text);
std::wstring ToLower(std::wstring_view text);
// Case-insensitive comparison by the system's rules (ordinal, like file names).
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);
bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix);

}  // namespace quib
