#pragma once
// Where extracted entries land, decided once for every caller: the one
// containment check for stored paths, the selection of entries under a
// marked folder, the destination folder with its automatic archive-named
// folder, and the destination history.
#include <optional>
#include <string>
#include <vector>

namespace quib {

using StringList = std::vector<std::wstring>;

// The file a stored path names below base (base ends with "\"), "/" turned
// into "\", or nothing when the path could reach outside base or name
// something that is no plain file there: empty, absolute, UNC or device
// forms, a drive or stream colon, "." or ".." levels, device names (CON,
// NUL, COM1, ... with any extension), characters no file name can hold, a
// level ending with a dot or blank (Windows would drop them), and the same
// tests on the bytes the ANSI code page turns the path into, read the way a
// DLL that knows no double-byte characters reads them (so "．．" that a
// best-fit conversion makes "..", or a trail byte 0x5C, cannot climb).
std::optional<std::wstring> ContainedPath(const std::wstring& base, const std::wstring& storedPath);
bool StoredPathContained(const std::wstring& storedPath);

// The stored paths of the selection that fail the check, in order.
StringList UncontainedPaths(const StringList& storedPaths);

// Whether an entry's stored path lies inside a folder of the filer display:
// "\" read as "/", compared without regard to case with the current folder
// ("/" or "/a/b/") without its leading "/", the folder's name and "/".
bool InsideFolder(const std::wstring& storedPath, const std::wstring& currentFolder, const std::wstring& folderName);

// The archive's top level: distinct first levels (upper-cased) of paths
// with a separator, and whether any path has none. Root and parent lines
// ("<\>", "<..>") are passed over.
struct TopLevel {
    StringList folders;  // sorted, distinct
    bool anyFile = false;
};
TopLevel AnalyseTopLevel(const StringList& storedPaths);

// The destination: folder (ending with "\"), or folder + the archive's name
// without extension + "\" when makeFolder asks for it, unless doubleDisabled
// and the archive holds exactly one top-level folder and no top-level file.
std::wstring ExtractDestination(const std::wstring& folder, const std::wstring& archivePath, bool makeFolder,
                                bool doubleDisabled, const TopLevel& top);

// The history after choosing folder: that folder on top, its other copies
// and empty items gone, at most 32 items.
constexpr size_t kHistoryMax = 32;
StringList UpdateHistory(const StringList& history, const std::wstring& folder);

// "quibFMarchive-History.txt" in the program folder (UTF-16 with a
// byte-order mark); a missing file is an empty history.
std::wstring HistoryFilePath(const std::wstring& programFolder);
StringList ReadHistory(const std::wstring& programFolder);
bool WriteHistory(const std::wstring& programFolder, const StringList& history);

// A destination text holds one of * | " < > ? /.
bool HasForbiddenFolderCharacter(const std::wstring& text);

// The current folder of a filer window from its caption: the text before
// " - quibFM", else before " - PellFM", else the caption; trailing blanks gone.
std::wstring FilerFolderFromCaption(const std::wstring& caption);

// The filer windows the extraction dialog offers, from a caption search that
// listed a window once per suffix its caption holds: own window dropped, then
// three passes from the last entry to the first (" - PellFM", then the rest
// with " - PellFMmini", then the rest with " - quibFM"). Captions and handles
// stay parallel.
void OrderFilerWindows(const StringList& names, const StringList& handles, const std::wstring& ownHandle,
                       StringList& outNames, StringList& outHandles);

}  // namespace quib
