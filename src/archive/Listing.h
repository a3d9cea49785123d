#pragma once
// The DLL-facing cores of the three archive listings: the normal listing into
// entry lines, and the simple and test listings, which are the DLL's own
// report. The main window keeps the results in its lists and shows them.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "archive/ArchiveKind.h"
#include "archive/EntryModel.h"
#include "archive/EntryStore.h"

namespace quib {

// What every listing needs from the main window.
struct ArchiveListContext {
    HWND owner = nullptr;               // owner of the DLL's own windows
    ArchiveSettings settings;           // command texts, zip DLL choice, DLL search
    std::wstring programFolder;         // with or without the final backslash
    bool utf8Display = false;           // names shown decoded as UTF-8 (MenuEncode)
    DateTimeSeparators separators;      // the locale's, see LocaleDateTimeSeparators
    // Told the number of records read, every few thousand records, so that a
    // long listing can show how far it is and let the window breathe.
    std::function<void(size_t records)> progress;
};

// Size of the report buffer of the simple and test listings (0x9FFF7 bytes).
constexpr DWORD kListReportBufferSize = 655351;

// Sets the DLL folder as every DLL use needs it: empty for the restricted
// search, else the program folder with its final backslash.
void SetDllFolderForListing(const ArchiveListContext& ctx);

struct NormalListing {
    EntryLines lines;        // StrListArchiveDirFile: root line, then by level
    EntryPathList pathList;  // StrListPathFile: ANSI-decoded stored paths in DLL order
};

// The normal listing. False, with empty lines, when the archive's extension is
// not in arcExtList (no message here). An extension in the list that no DLL
// family handles, or an archive the DLL cannot open or enumerate, gives the
// root line alone. DLLAddressErr passes through; out then holds what it held
// at that moment (the open archive is closed first when possible).
bool ArchiveListNormalCore(const ArchiveListContext& ctx, const std::wstring& archivePath,
                           const std::vector<std::wstring>& arcExtList, NormalListing& out);

// Steps after the extension test, with the family chosen by the caller (the
// self-extracting listings pass the detected kind's family).
void ArchiveListNormalByFamily(const ArchiveListContext& ctx, const std::wstring& archivePath, ArchiveFamily family,
                               NormalListing& out);

// The simple (List command) and test (Test command) listings. A missing
// archive changes nothing; otherwise result is replaced by the report's lines
// when the command function returns 0 and emptied else. Always true.
bool ArchiveListSimpleCore(const ArchiveListContext& ctx, const std::wstring& archivePath,
                           std::vector<std::wstring>& result);
bool ArchiveListTestCore(const ArchiveListContext& ctx, const std::wstring& archivePath,
                         std::vector<std::wstring>& result);

// One report listing with a family and command text chosen by the caller:
// command text, " ", the quoted path, to the family's command function with a
// buffer of kListReportBufferSize bytes. None empties result.
void ArchiveListReport(const ArchiveListContext& ctx, const std::wstring& archivePath, ArchiveFamily family,
                       const std::wstring& commandText, std::vector<std::wstring>& result);

}  // namespace quib
