#pragma once
// The one road by which every extraction reaches an archiver DLL: the family
// chosen by the archive's extension, the command prefix of the mode, the
// password switch, the command line in the family's own form, and the
// response file that lists the entries.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "archive/Archive.h"
#include "archive/ArchiveKind.h"
#include "util/IniFile.h"

namespace quib {

using StringList = std::vector<std::wstring>;

// The response file's name inside the temporary folder.
inline const wchar_t kResponseFileName[] = L"quibFMarchive-Responce.txt";

// The family that extracts an archive: by its extension, a self-extracting
// ".exe" by the type chosen when it was listed (an extension such as ".lzh").
ArchiveFamily UnpackFamily(const std::wstring& archivePath, const std::wstring& sfxType, int unzipDllIndex);

enum class UnpackMode { Temporary, WithPath, WithoutPath };

// The prefix of the mode: Temp, Normal2 (with the stored folders) or Normal1.
std::wstring UnpackPrefix(const ArchiveSettings& settings, ArchiveFamily family, UnpackMode mode);

// The password as one more switch, blank first, or empty: "-P" for UNZIP32
// and LMZIP32, "-p" for 7-Zip and RAR, the switch in double quotes when the
// password has a blank; other families take none.
std::wstring PasswordSwitch(ArchiveFamily family, const std::wstring& password);

// The command line in the family's form (prefix already with its password).
// listArgument is "@" + the response file; ARJ gets "!" instead of "@".
std::wstring UnpackCommandLine(ArchiveFamily family, const std::wstring& prefix, const std::wstring& archivePath,
                               const std::wstring& destination, const std::wstring& listArgument);

// The response file's lines for the selection, by the archive's extension:
// ".lzh" drops a final "/", ".bza"/".gza" leave folder entries (final "\")
// out, every line in double quotes.
StringList ResponseFileLines(const std::wstring& archivePath, const StringList& storedPaths);

// Writes the lines, CR LF after each, in the ANSI code page exactly, without a
// byte-order mark, replacing the file. Raises UnrepresentableNameErr for a
// line the code page cannot hold (nothing is written then). False when the
// file cannot be written.
bool WriteResponseFile(const std::wstring& path, const StringList& lines);

struct UnpackRequest {
    std::wstring archivePath;
    std::wstring destination;   // ends with "\"
    std::wstring listArgument;  // "@" + the response file
    UnpackMode mode = UnpackMode::WithPath;
    HWND owner = nullptr;
    std::wstring sfxType;       // StrRetFormSelectSfxArchive
    std::wstring password;      // StrArchivePasswordExtract
};

// What the DLL answered: the family used (None: no DLL was called, code
// -9999) and its result code.
struct UnpackOutcome {
    ArchiveFamily family = ArchiveFamily::None;
    int code = -9999;
    std::wstring commandLine;
};

// Runs the DLL call; the main window lets it run on a worker thread while
// its own messages go on. Null: called directly.
using UnpackRunner = std::function<int(const std::function<int()>& call)>;

// Builds the command line and calls the family's command function (BGA with
// the current folder set to the destination for the call). The zip DLL
// choice ([UnzipDll] Index) is read from the settings at every call.
UnpackOutcome ArchiveUnpackCall(const IniFile& ini, const ArchiveSettings& settings, const UnpackRequest& request,
                                const UnpackRunner& runner = nullptr);

// Success as the program counts it: 0, any result of the RAR family, or any
// result at all when [ExtractError] Disabled is set.
bool UnpackSucceeded(const UnpackOutcome& outcome, bool extractErrorDisabled);

// ArchiveUnpackCall and UnpackSucceeded in one.
bool ArchiveUnpack(const IniFile& ini, const ArchiveSettings& settings, const UnpackRequest& request,
                   const UnpackRunner& runner = nullptr);

}  // namespace quib
