#pragma once
// What a built-in viewer that steps through the open archive takes from the
// window that opens it: the entry list and its marks, the extraction of one
// entry, and the language. The main window gives it; tests give their own.
#include <windows.h>

#include <string>
#include <vector>

namespace quib {

class ArchiveStepHost {
public:
    virtual ~ArchiveStepHost() = default;

    // The file to show first (already extracted).
    virtual std::wstring FirstFile() const = 0;
    virtual bool Japanese() const = 0;
    virtual bool Developer() const { return false; }

    // The list: movement works only while it shows what the viewer may step
    // through (each viewer's host says which listings those are).
    virtual bool ListsArchive() const = 0;
    virtual int RowCount() const = 0;
    virtual int CurrentRow() const = 0;
    // Selects and focuses the row and brings it to about the list's middle.
    virtual void SelectRow(int row) = 0;
    virtual std::wstring StoredPath(int row) const = 0;
    // Neither the parent-folder row nor a folder row.
    virtual bool MarkableRow(int row) const = 0;
    virtual bool RowMarked(int row) const = 0;
    // Sets the mark and refreshes the list's marked totals.
    virtual void SetRowMarked(int row, bool marked) = 0;
    // The stored paths marked when the viewer opened (empty: none).
    virtual std::vector<std::wstring> MarkedAtOpening() const = 0;

    // Brings the row's entry into the temporary folder (extracting it only
    // when it is not there yet) and returns its file; empty when that failed,
    // the user having been told why. The host remembers it as the file shown.
    virtual std::wstring FetchRow(int row, HWND viewer) = 0;
};

}  // namespace quib
