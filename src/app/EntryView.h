#pragma once
// The rules behind the main window's rows, as plain functions: size texts,
// the folder view built from entry lines, the way up, and the colour kind of a row.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "archive/EntryStore.h"
#include "util/RowModel.h"

namespace quib {

// The size column's text from an entry line's comma size text (field 2).
// full: the comma text padded to 20; unit1024: sizes in units of 1024;
// otherwise the comma text cut to KB, MB, GB or TB by its length.
std::wstring DisplaySizeText(const std::wstring& commaText, bool full, bool unit1024);

// The rows of one folder inside the archive (filer form): the "<\>" row at
// the root or "<..>" elsewhere, then the folders (made up for paths that have
// no entry of their own), then the files. current is "/" or "/a/b/".
void BuildFilerRows(const EntryLines& source, const std::wstring& current, bool sortLikeExplorer,
                    SizeTextForm form, EntryRows& rows);

// The lines of one folder inside the archive (filer form): the "<\>" line at
// the root or "<..>" elsewhere, then the folders (made up for paths that have
// no entry of their own), then the files. source is the archive's entry
// lines with the root line first; current is "/" or "/a/b/".
std::vector<std::wstring> FilerViewLines(const std::vector<std::wstring>& source, const std::wstring& current,
                                         bool sortLikeExplorer);

// The folder above current ("/a/b/" -> "/a/", "/a/" -> "/").
std::wstring ParentFolderPath(const std::wstring& current);

// Stored paths remembered for placing the cursor, most recent first.
class FilerHistory {
public:
    static constexpr size_t kLimit = 1024;
    void Remember(const std::wstring& storedPath);
    const std::vector<std::wstring>& Entries() const { return entries_; }
    // Index of the first row whose stored path equals the most recent
    // remembered path that any row has; -1 when none.
    int FindRow(const std::vector<std::wstring>& rowStoredPaths) const;
    // The same over count rows whose stored paths the function gives.
    int FindRow(size_t count, const std::function<std::wstring(size_t)>& storedPathOf) const;

private:
    std::vector<std::wstring> entries_;
};

enum class RowColor { System, Hidden, ReadOnly, Directory, Normal, Execute, Archive, Image };

struct ExtensionLists {
    const std::vector<std::wstring>* exe = nullptr;
    const std::vector<std::wstring>* arc = nullptr;
    const std::vector<std::wstring>* spm = nullptr;
    const std::vector<std::wstring>* gdi = nullptr;
    const std::vector<std::wstring>* wic = nullptr;
    const std::vector<std::wstring>* spi = nullptr;
};

// The colour kind of a row from its size text (" <DIR>" for folders), its
// attribute text (positions 1, 2, 3 tested for R, H, S) and its extension.
RowColor ClassifyRow(const std::wstring& sizeText, const std::wstring& attributes, const std::wstring& extension,
                     const ExtensionLists& lists);

// Digits of a comma text as a number (0 when none).
long long CommaTextValue(const std::wstring& text);

}  // namespace quib
