#pragma once
// The rules of the small folder dialogs (drive, new folder, sort, rename,
// current folder) that need no window: name checks and their clean-up, the
// folder a typed path names, the current-folder history, the folder a filer
// caption names, the drive table's rows and the rename of one file or
// folder. The fields the browse window hands to those dialogs and gets back
// from them travel in BrowseDialogFields.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace quib {

using StringList = std::vector<std::wstring>;

// What the browse window gives the dialogs and what they give back to it.
struct BrowseDialogFields {
    // The folder it shows (the drive dialog preselects its drive).
    std::wstring StrFolder;
    // Sort: the switches in force, and the answers ("0"/"1"; the mode "0".."4").
    bool BoolSortExplorer = false, BoolSortSJIS = false, BoolSortUnicode = false;
    std::wstring StrRetFormSortMode, StrRetFormSortOrder, StrRetFormSortExplorer, StrRetFormSortQuibFM,
        StrRetFormSortUnicode;
    // Rename: the names (a folder's ends with "\"), their folder, and the new
    // name of the last rename that succeeded.
    StringList StrListRenameSrc;
    std::wstring StrSetFormRename;
    std::wstring StrRetFormRename;
    // Current folder: the history as read from its file, and the text chosen.
    StringList StrListCurrentHistory;
    std::wstring StrRetFormJumpFolderEx;
};

// A folder or file name holds one of * | \ : " < > ? /.
bool HasInvalidNameCharacter(const std::wstring& name);

// A typed name cleaned up: leading blanks (and other control characters)
// removed, then every tab, CR LF, CR and LF turned into one blank.
std::wstring NormaliseName(const std::wstring& name);

// The folder to create: folder + name, ending with "\".
std::wstring MakeFolderPath(const std::wstring& folder, const std::wstring& name);

// The folder a typed path names: the text itself when it ends with "\" (a
// folder), else its folder part up to and with the last "\" (a file).
std::wstring FolderPartOf(const std::wstring& text);

// The folder part of a path ("C:\a\b\" for "C:\a\b\name"): up to and with
// the last "\" or ":"; empty when there is neither.
std::wstring ExtractFilePath(const std::wstring& path);

// The current-folder history after choosing text: a line equal to it
// without regard to case removed, the text on top, at most 32 lines.
constexpr size_t kCurrentHistoryMax = 32;
StringList UpdateCurrentHistory(const StringList& history, const std::wstring& text);

// "quibFMarchive-Current.txt" in the program folder (UTF-16 with a
// byte-order mark). Reading: nothing when the file does not exist.
std::wstring CurrentHistoryPath(const std::wstring& programFolder);
std::optional<StringList> ReadCurrentHistory(const std::wstring& programFolder);
bool WriteCurrentHistory(const std::wstring& programFolder, const StringList& history);

// The folder a filer window's caption names for the current-folder field:
// the text before " - quibFM", then before " - PellFMmini", leading blanks
// removed each time. Nothing when the caption has neither suffix (the field
// keeps what it had).
std::optional<std::wstring> FolderOfFilerCaption(const std::wstring& caption);

// The drive table's rows without its header line, each cut at its tabs into
// the eight fields (root, volume, type, serial, file system, disk, free, use).
std::vector<StringList> DriveRows(const StringList& driveTable);
// The row whose root equals root exactly; -1 when none.
int DriveRowOfRoot(const std::vector<StringList>& rows, const std::wstring& root);

// Renaming one file or folder of a folder.
enum class RenameOutcome {
    Renamed,
    InvalidCharacter,
    AlreadyExists,
    AttributeReadFailed,
    FolderMoveFailed,
    FileMoveFailed,
    FolderAttributeFailed,
    FileAttributeFailed,
    NeitherFolderNorFile,
};
struct RenameResult {
    RenameOutcome outcome = RenameOutcome::Renamed;
    std::wstring newName;  // the new name as cleaned up (shown in the field)
};
// Renames path + oldName to path + newName (path ends with "\"); the new
// entry keeps the old one's attributes (a read-only file stays read-only).
// A new name that exists already, also one differing only in case, is
// refused.
RenameResult RenameFileFolder(const std::wstring& path, const std::wstring& oldName, const std::wstring& newName);
// The message of a failed rename in the two languages (empty for Renamed).
struct MessageTexts {
    std::wstring japanese, english;
    bool error = false;  // an "Error : " text, shown as an error
};
MessageTexts RenameMessage(RenameOutcome outcome);

}  // namespace quib
