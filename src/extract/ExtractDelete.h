#pragma once
// Deleting entries from an archive through the archiver DLLs: the DLL and
// command line by the archive's extension and the zip DLL chosen for
// deletion, and the archive file's last-write time and attributes kept
// across the DLL's rewrite when the settings ask for it.
#include <windows.h>

#include <string>
#include <vector>

#include "archive/Archive.h"
#include "archive/ArchiveKind.h"
#include "util/IniFile.h"

namespace quib {

// Whether entries can be deleted from an archive of this name: ".lzh", ".zip"
// and ".7z", without regard to case.
bool DeleteExtensionAccepted(const std::wstring& archivePath);

struct DeleteCall {
    // The DLL asked: Lha, Zip32J, LMZip (its second command function "Zip"),
    // SevenZip; None when the extension offers no deletion.
    ArchiveFamily family = ArchiveFamily::None;
    std::wstring commandLine;
};

// The deletion command: the family's delete prefix (LHA [Lha]; zip by
// deleteZipDll: 0 [Zip] to ZIP32J.DLL, 1 [LMZIP] to LMZIP32.dll, anything
// else [7z(zip)] to 7-zip32.dll; 7-Zip [7z]), the password switch (zip and
// 7-Zip only: "-P" for ZIP32J and LMZIP32, "-p" for 7-zip32, in double quotes
// when the password has a blank), a blank, the quoted archive, a blank, the
// quoted list argument.
DeleteCall DeleteCommand(const ArchiveSettings& settings, const std::wstring& archivePath, int deleteZipDll,
                         const std::wstring& password, const std::wstring& listArgument);

struct DeleteRequest {
    std::wstring archivePath;
    std::wstring listArgument;  // "@" + the response file's full path
    std::wstring password;      // StrArchivePasswordExtract
    HWND owner = nullptr;
};

// One deletion call. The archive's extension must be in arcExtList and the
// file must exist. The keep switches and the zip DLL choice are read from
// the settings at the call. With the time-stamp switch on, the last-write
// time is read first (a failure is told and nothing is deleted) and put back
// after the DLL's work; with the attribute switch on, the attributes are put
// back likewise. Failures to put them back are told but do not change the
// result: true exactly when the DLL returned 0.
bool ArchiveDeleteFileCore(const IniFile& ini, const ArchiveSettings& settings,
                           const std::vector<std::wstring>& arcExtList, const DeleteRequest& request);

}  // namespace quib
