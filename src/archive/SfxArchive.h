#pragma once
// Self-extracting archives: a program file that carries an archive of one of
// seven kinds. The kind is told by asking the archiver DLLs of the kinds the
// settings enable, in a fixed order, whether they can read the file; the
// kind found (an extension text such as ".zip") then chooses the family that
// lists, extracts and tests the file.
#include <windows.h>

#include <string>
#include <vector>

#include "archive/ArchiveKind.h"
#include "archive/Listing.h"

namespace quib {

// The seven kinds by the DLL selection's index ([SfxSelectDll] Index):
// 0 ".lzh", 1 ".zip", 2 ".7z", 3 ".cab", 4 ".rar", 5 ".gz", 6 ".iso".
constexpr int kSfxKindCount = 7;
// The kind of an index; empty outside 0 to 6.
std::wstring SfxKindOfIndex(int index);
// The index of a kind text (compared without regard to case); -1 for any
// other text.
int SfxIndexOfKind(const std::wstring& kind);
// The family of a kind: ".lzh" Lha, ".zip" by the zip DLL choice, ".7z"
// SevenZip, ".cab" Cab, ".rar" Rar, ".gz" Tar, ".iso" Iso; None otherwise.
ArchiveFamily SfxKindFamily(const std::wstring& kind, int unzipDllIndex);

// Size of the report buffer of one probe.
constexpr DWORD kSfxProbeBufferSize = 32768;

// One probe of the detection.
struct SfxProbe {
    std::wstring kind;         // ".lzh", ...
    ArchiveFamily family;      // whose command function is asked
    std::wstring commandLine;  // the family's List command with the quoted path
    bool needsSevenZipType;    // found only with a "Type = 7z" line in the report
};

// The probes of the kinds the settings enable, in the order they are asked:
// lha, cab, 7z, zip, rar, gz, iso.
std::vector<SfxProbe> SfxProbes(const ArchiveSettings& settings, const std::wstring& path);

// Whether a report line, upper-cased, begins with "TYPE" and holds "=" and
// "7Z" (how a 7-Zip report names the archive's type).
bool SfxReportSaysSevenZip(const std::vector<std::wstring>& reportLines);

struct SfxDetection {
    std::wstring kind;                // empty when none was found
    std::vector<std::wstring> report; // the last report of a probe that succeeded
    bool reportReplaced = false;      // some probe succeeded (report holds its lines)
};

// Asks the enabled kinds' DLLs in turn until one reads the file. Anything
// that goes wrong on the way (a missing DLL or entry point, a path the code
// page cannot hold) ends the detection without a kind.
SfxDetection DetectSfxKind(const ArchiveListContext& ctx, const std::wstring& path);

// The normal listing of a self-extracting file with the family of kind: false
// with no lines when the file's extension is not in sfxExtList; an empty or
// unknown kind gives the root line alone.
bool ArchiveListSfxCore(const ArchiveListContext& ctx, const std::wstring& path,
                        const std::vector<std::wstring>& sfxExtList, const std::wstring& kind, NormalListing& out);

// The simple (List) or test (Test) report of a self-extracting file read as
// kind, as the normal archive's reports: a missing file changes nothing; any
// other kind empties result.
void ArchiveListSfxReport(const ArchiveListContext& ctx, const std::wstring& path, const std::wstring& kind,
                          ArchiveCommandKey key, std::vector<std::wstring>& result);

}  // namespace quib
