#pragma once
// The rules of the browse window that need no window: the directory lines of
// a real folder, the rows built from them in the chosen order (including the
// Shift_JIS order table of the filer family), the cursor memory per drive
// and folder depth, the labels, and what OK may hand back.
#include <windows.h>

#include <array>
#include <string>
#include <vector>

namespace quib {

// One entry of the folder shown, ten fields (see BrowseRules.cpp for their
// meaning per kind of entry).
using DirectoryLine = std::array<std::wstring, 10>;

inline const wchar_t kDirSizeText[] = L" <DIR>";
inline const wchar_t kParentName[] = L"<..>";
inline const wchar_t kRootName[] = L"<\\>";

// "X:\" (three characters, any case letter).
bool IsDriveRoot(const std::wstring& folder);
// The folder part of a path: up to and with the last "\" or ":".
std::wstring FolderPartOfPath(const std::wstring& path);
// The parent of a folder ending in "\": the folder part of it without its
// final "\" ("C:\a\b\" gives "C:\a\"; a root gives itself).
std::wstring ParentFolderOf(const std::wstring& folder);

// A directory line of one found entry; "." becomes the parent row "<..>".
DirectoryLine MakeDirectoryLine(const WIN32_FIND_DATAW& found);
// The root row: "<\>", "", " <DIR>", "", "", "", "", "0", "0", "ROOT_MARK".
DirectoryLine RootDirectoryLine();
bool IsFolderLine(const DirectoryLine& line);  // size text " <DIR>" (also "<..>" and "<\>")
bool IsParentLine(const DirectoryLine& line);
bool IsRootLine(const DirectoryLine& line);

// Enumerates folder ("*.*", ending in "\") into folders and files in the
// system's order; ".." is skipped, "." kept as the parent row except on a
// drive root. False when the folder does not exist.
bool ReadFolder(const std::wstring& folder, std::vector<DirectoryLine>& folders, std::vector<DirectoryLine>& files);

// How the rows are ordered and what is listed.
struct BrowseSort {
    int mode = 1;   // 0 none, 1 name, 2 extension, 3 date, 4 size
    int order = 0;  // 0 ascending, 1 descending
    bool explorer = true, sjis = false, unicode = false;
    bool showSystem = true;
    bool showHidden = true;
};

// The rows of the folder: the root row when it is a drive root, then "<..>",
// the system, hidden, read-only and normal folders, then the files in the same
// groups, each group sorted on its own.
std::vector<DirectoryLine> BuildBrowseRows(const std::wstring& folder, const std::vector<DirectoryLine>& folders,
                                           const std::vector<DirectoryLine>& files, const BrowseSort& sort);

// The order table of the Shift_JIS order (577 characters).
extern const wchar_t* const kSjisOrderTable;
// 1-based position of the character in the table, 0 when absent.
int SjisOrderPosition(wchar_t c);
// The Shift_JIS order of two name keys (mode 1): negative, zero, positive.
int CompareSjisNameKeys(const std::wstring& a, const std::wstring& b);
// Sorts lines (key, line) of one group by the Shift_JIS order: names
// beginning with printable ASCII first, each part on its own.
struct KeyedLine {
    std::wstring key;
    DirectoryLine line;
};
void SortSjis(std::vector<KeyedLine>& group, int mode);

// A row's path: folder shown + field 8 + "\" for folders and "<..>",
// folder shown + field 8 for files.
std::wstring RowPath(const std::wstring& folder, const DirectoryLine& row);

// Labels of the window: the folder shown, and the selected row's path
// (the folder shown for "<..>" and "<\>"); "&" doubled for display.
std::wstring SelectedPath(const std::wstring& folder, const DirectoryLine& row);
std::wstring LabelText(const std::wstring& path);

// The layers of a folder path in the cursor memory.
int WriteLayer(const std::wstring& folder);
int ReadLayer(const std::wstring& folder);

// Where the cursor was, per drive and folder depth: list 0 of a drive holds
// the folder last shown on it; lists 1 .. 33 hold, most recent first, at most
// one folder per parent folder. Folders deeper than 33 layers have no list:
// nothing is recorded for them and nothing restored, which is all the memory
// has room for.
class CursorMemory {
public:
    static constexpr int kDrives = 26;
    static constexpr int kLayers = 33;
    CursorMemory();

    // The folder last shown on the drive (0 .. 25); empty for a bad index.
    std::wstring LastFolder(int drive) const;
    void SetLastFolder(int drive, const std::wstring& folder);
    // The layer list (1 .. 33); empty for a layer out of range.
    const std::vector<std::wstring>& Layer(int drive, int layer) const;

    // A folder shown by moving up or into it (drive by its letter).
    void Record(const std::wstring& folder);
    // A folder reached by a typed path: every folder of the walk up to the
    // root appended to its layer, the folder itself put in front of its own.
    void RecordJump(const std::wstring& folder);
    // The row to select after listing folder (rows as built): the first
    // remembered entry that names a row; -1 when none does.
    int RestoreRow(const std::wstring& folder, const std::vector<DirectoryLine>& rows) const;

private:
    std::vector<std::wstring>* LayerList(int drive, int layer);
    std::array<std::array<std::vector<std::wstring>, kLayers + 1>, kDrives> lists_;
};

// What OK does with the selected row.
struct BrowseOkResult {
    bool accepted = false;
    std::wstring path;                      // the path handed back
    std::wstring japanese, english;         // the message when refused
};
BrowseOkResult BrowseOk(bool pickFile, const std::wstring& folder, const DirectoryLine& row);

// Entering a folder row is refused for "Documents and Settings" on C:\ and
// "System Volume Information" anywhere (any case).
bool FolderRefused(const std::wstring& folder, const std::wstring& name);

// The row's file name part for the rename dialog (a folder's ends with "\");
// empty for "<..>" and the root row, which cannot be renamed.
std::wstring RenameSourceOf(const DirectoryLine& row);

}  // namespace quib
