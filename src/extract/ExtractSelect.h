#pragma once
// Which entries a command works on, read from the rows shown: the marked
// rows, a marked folder of the filer display opened up into every entry
// inside it, or the row under the cursor when nothing is marked.
#include <string>
#include <vector>

#include "archive/EntryStore.h"
#include "util/RowModel.h"

namespace quib {

using StringList = std::vector<std::wstring>;

// One selected entry: the path the archiver DLL knows it by (the stored
// bytes read in the ANSI code page, as the response file must give them)
// and the path as the list shows it.
struct SelectedEntry {
    std::wstring dllPath;
    std::wstring shownPath;
    bool folder = false;
};

// The entry a row was made from (the row's own entry for file rows).
SelectedEntry RowEntry(const EntryRows& rows, const EntryLines& lines, size_t row);

// Every entry inside a folder of the filer display (InsideFolder), in line order.
std::vector<SelectedEntry> EntriesInside(const EntryLines& lines, const std::wstring& currentFolder,
                                         const std::wstring& folderName);

enum class SelectionRefusal { None, RootFocused, NoFocus };

// The extraction selection: in the text display every marked row; in the
// filer display marked files and, for a marked folder, every entry inside
// it; with no mark the focused row alone (opened up likewise). The root row
// focused with nothing marked refuses.
std::vector<SelectedEntry> ExtractSelection(const EntryRows& rows, const EntryLines& lines, int focusedRow,
                                            bool textForm, const std::wstring& currentFolder,
                                            SelectionRefusal& refusal);

// The rows marked, in list order.
std::vector<size_t> MarkedRows(const EntryRows& rows);

StringList DllPaths(const std::vector<SelectedEntry>& entries);
StringList ShownPaths(const std::vector<SelectedEntry>& entries);

}  // namespace quib
