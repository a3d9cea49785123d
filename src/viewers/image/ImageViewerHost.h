#pragma once
// What the image viewer takes from the window that opens it: the entry list
// it steps through, its decoders' extension lists, the extraction of one
// entry, and the language. The main window gives it; tests give their own.
#include <windows.h>

#include <string>
#include <vector>

namespace quib {

class ImageViewerHost {
public:
    virtual ~ImageViewerHost() = default;

    // The picture to show first (already extracted).
    virtual std::wstring FirstFile() const = 0;
    // 0 = WIC, 1 = GDI+, 2 = Susie.
    virtual int DecoderIndex() const = 0;
    virtual bool Japanese() const = 0;
    virtual bool Developer() const { return false; }

    // The list: movement works only while it shows an archive's entries.
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
    // The extensions (with their dots) of a decoder.
    virtual std::vector<std::wstring> DecoderExtensions(int decoder) const = 0;
    // The stored paths marked when the viewer opened (empty: none).
    virtual std::vector<std::wstring> MarkedAtOpening() const = 0;

    // Brings the row's entry into the temporary folder (extracting it only
    // when it is not there yet) and returns its file; empty when that failed,
    // the user having been told why. The host remembers it as the file shown.
    virtual std::wstring FetchRow(int row, HWND viewer) = 0;

    // Starts the external Exif program (program path already expanded).
    virtual bool StartProgram(const std::wstring& program, const std::wstring& options) = 0;
};

}  // namespace quib
