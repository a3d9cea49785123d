#pragma once
// Everything the program decides about an archive from its extension and the
// archive settings: the DLL family, the mode flags for OpenArchive, and the
// command texts put in front of the archive path.
#include <windows.h>

#include <string>
#include <vector>

#include "archive/Archive.h"
#include "util/IniFile.h"

namespace quib {

// The archive settings of the settings file. Field names follow the settings:
// "Str" + family prefix + key. Keys that are never read stay empty (deletion
// is then not offered for that family).
struct ArchiveSettings {
    std::wstring StrLhaTemp, StrLhaNormal1, StrLhaNormal2, StrLhaList, StrLhaDelete, StrLhaTest;
    std::wstring StrZipTemp, StrZipNormal1, StrZipNormal2, StrZipList, StrZipDelete, StrZipTest;
    std::wstring StrLMZIPTemp, StrLMZIPNormal1, StrLMZIPNormal2, StrLMZIPList, StrLMZIPDelete, StrLMZIPTest;
    std::wstring StrCabTemp, StrCabNormal1, StrCabNormal2, StrCabList, StrCabDelete, StrCabTest;
    std::wstring Str7zTemp, Str7zNormal1, Str7zNormal2, Str7zList, Str7zDelete, Str7zTest;
    std::wstring StrRarTemp, StrRarNormal1, StrRarNormal2, StrRarList, StrRarDelete, StrRarTest;
    std::wstring StrGzTemp, StrGzNormal1, StrGzNormal2, StrGzList, StrGzDelete, StrGzTest;
    std::wstring StrIsoTemp, StrIsoNormal1, StrIsoNormal2, StrIsoList, StrIsoDelete, StrIsoTest;
    std::wstring StrGcaTemp, StrGcaNormal1, StrGcaNormal2, StrGcaList, StrGcaDelete, StrGcaTest;
    std::wstring StrBgaTemp, StrBgaNormal1, StrBgaNormal2, StrBgaList, StrBgaDelete, StrBgaTest;
    std::wstring StrArjTemp, StrArjNormal1, StrArjNormal2, StrArjList, StrArjDelete, StrArjTest;
    std::wstring StrYz1Temp, StrYz1Normal1, StrYz1Normal2, StrYz1List, StrYz1Delete, StrYz1Test;
    // [7z(zip)]: zip archives handled by 7-zip32.dll; only these two keys exist.
    std::wstring Str7zZipDelete, Str7zZipTest;

    int IntUnZipDll = 0;     // [UnzipDll] Index: 0 UNZIP32.DLL, 1 LMZIP32.dll, 2 7-zip32.dll
    int IntDeleteZipDll = 0; // [DeleteZipDll] Index: 0 ZIP32J.DLL, 1 LMZIP32.dll, 2 7-zip32.dll
    bool BoolAutoCheckSfxLha = false, BoolAutoCheckSfxZip = false, BoolAutoCheckSfx7z = false,
         BoolAutoCheckSfxCab = false, BoolAutoCheckSfxRar = false, BoolAutoCheckSfxGz = false,
         BoolAutoCheckSfxIso = false;
    // [SelectDllFolder] Index 0: DLLs only from the system and program folders.
    bool BoolReadDllSystem32andApplication = true;
};

// Reads every archive setting afresh with its default.
ArchiveSettings ReadArchiveSetting(const IniFile& ini);

// Every command text the archive settings hold, with its section, key and
// default, in the order they are read (the archive settings dialog edits them).
struct ArchiveCommandTextKey {
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* def;
};
std::vector<ArchiveCommandTextKey> ArchiveCommandTextKeys();

// The family that lists and extracts an archive, by extension (without regard
// to case): ".lzh" Lha, ".zip" by the zip DLL choice, ".cab" Cab, ".7z"
// SevenZip, ".rar" Rar, ".gz" Tar, ".iso" Iso, ".bza" and ".gza" Bga, ".gca"
// Gca, ".arj" Arj, ".yz1" Yz1; None for anything else. The zip DLL choice 0
// is UNZIP32.DLL, 1 LMZIP32.dll, and any other value 7-zip32.dll, as the
// extraction and deletion commands read it too.
ArchiveFamily ArchiveFamilyOfExtension(const std::wstring& ext, int unzipDllIndex);
ArchiveFamily ArchiveFamilyOfPath(const std::wstring& path, int unzipDllIndex);

// OpenArchive mode flags: 0x00400100 for 7-zip32.dll and UnIso32.dll, 0 otherwise.
DWORD ArchiveOpenModeFlags(ArchiveFamily family);

// Index of the first element of list equal to the file's extension (with its
// dot), without regard to case; -1 when none.
int GetExtType(const std::wstring& fileName, const std::vector<std::wstring>& list);

enum class ArchiveCommandKey { Temp, Normal1, Normal2, List, Delete, Test };

// The command text of a family's settings section; empty for None and for
// ZIP32J.DLL, whose deletion command lives in the [Zip] section. For zip
// archives the family already carries the zip DLL choice, so a ".zip" listed
// by 7-zip32.dll takes the [7z] texts.
std::wstring ArchiveCommandText(const ArchiveSettings& s, ArchiveFamily family, ArchiveCommandKey key);

// The List and Test commands of the family that handles path.
std::wstring ArchiveListCommandText(const ArchiveSettings& s, const std::wstring& path);
std::wstring ArchiveTestCommandText(const ArchiveSettings& s, const std::wstring& path);

}  // namespace quib
