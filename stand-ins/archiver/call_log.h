// Optional call log for tests and diagnosis. When the environment variable
// QUIB_ARCHIVER_LOG names a file, every exported call appends one UTF-8 line
// of six tab-separated fields, ended by LF:
//   1 entry point name (e.g. "SevenZip", "UnlhaFindFirst")
//   2 file name of the DLL as loaded (e.g. "7-zip32.dll")
//   3 owner window as "0x" + hex digits, or "-" for calls without one
//   4 main argument decoded from the system code page: the full command line,
//     the archive path (OpenArchive) or the wildcard (FindFirst); "" otherwise
//   5 second argument: output buffer size in decimal (command functions),
//     mode as "0x%08X" (OpenArchive), the handle as "0x" + hex (the others)
//   6 result: the returned value in decimal; OpenArchive the handle as "0x" + hex, "0x0" for NULL
// Control characters (tab, CR, LF, ...) inside fields are written as the
// Unicode control pictures U+2400 + code, so a field never breaks the layout.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace standin {

// The log file named by the environment now; empty when there is none.
std::wstring CallLogPath();
// Appends the line to the log file named by the environment.
void LogCall(const char* entryPoint, const std::string& owner, std::wstring_view argument,
             const std::string& extra, const std::string& result);
// Appends the line to logPath (nothing when it is empty). An open archive
// keeps the path it was opened with, so a listing does not ask the
// environment once per entry.
void LogCallTo(const std::wstring& logPath, const char* entryPoint, const std::string& owner,
               std::wstring_view argument, const std::string& extra, const std::string& result);
std::string HexValue(unsigned long long value);

}  // namespace standin
