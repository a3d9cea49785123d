#pragma once
// The program's list of rows: a report-style virtual list. The control holds
// no rows; it asks its owner for a cell's text when it shows the cell, so a
// list of a quarter million rows costs one count, not a quarter million
// inserts. It answers its own notifications (texts, row colours) by hooking
// its parent, so it works the same on the main window, a dialog or a panel,
// and the parent still receives everything else (selection changes, clicks).
//
// The keys that reach the program only through the key map (Backspace,
// Delete, Home, End, Left, Right and typed characters) are discarded by the
// control, so it neither moves on them nor searches as one types.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "util/IniFile.h"

namespace quib {

struct ListColumn {
    std::wstring caption;
    // The first width, and the width when the settings have none, in pixels
    // at 96 DPI: the list shows it at its window's DPI.
    int width = 60;
    bool rightAligned = false;
};

class TMyListView {
public:
    // A row's text in a column. The text must stay valid until the call
    // returns (the control copies it at once); rows past the end may be asked
    // for while the count changes and get an empty text.
    using TextSource = std::function<std::wstring_view(int row, int column)>;
    // A row's text colour.
    using ColorSource = std::function<COLORREF(int row)>;

    // The styles of the list; a list made by the form base's AddControl needs
    // them before it is attached (a list cannot become virtual later).
    static constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDATA;
    static constexpr DWORD kExStyle = WS_EX_CLIENTEDGE;

    TMyListView() = default;
    ~TMyListView();
    TMyListView(const TMyListView&) = delete;
    TMyListView& operator=(const TMyListView&) = delete;

    // Makes the list as a child of parent; extraStyle adds list styles
    // (LVS_SHOWSELALWAYS, say).
    bool Create(HWND parent, int id, DWORD extraStyle = 0);
    // Takes over a list made elsewhere with kStyle. False when it is not a
    // virtual list.
    bool Attach(HWND list);
    // Lets the window go without destroying it.
    void Detach();
    HWND Handle() const { return handle_; }

    // --- rows
    void SetTextSource(TextSource source) { text_ = std::move(source); }
    void SetColorSource(ColorSource source) { color_ = std::move(source); }
    // A new set of rows: BeginRefill empties the list and stops painting
    // while the owner rebuilds its rows (a rebuild may let messages run);
    // EndRefill gives the new count and paints again.
    void BeginRefill();
    void EndRefill(int count);
    // The count alone, keeping the scroll position.
    void SetRowCount(int count);
    int RowCount() const;
    // A cell's text as the control shows it.
    std::wstring Text(int row, int column) const;
    void RedrawRow(int row);
    void RedrawAll(bool erase = false);

    // --- selection (one row at a time)
    int SelectedRow() const;
    int FocusedRow() const;
    // Selects and focuses the row and scrolls it into view (to the middle of
    // the list with centre); only the rows that change are touched.
    void SelectRow(int row, bool centre);

    // --- keys
    void SetKeyFilter(bool on) { keyFilter_ = on; }
    bool KeyFilter() const { return keyFilter_; }
    // Whether the filter discards this key of WM_KEYDOWN / WM_KEYUP.
    static bool FilteredKey(WPARAM key);

    // --- columns
    // Replaces the columns. widthSection names the settings section whose
    // keys "0", "1", ... hold the widths (ReadColumnWidths, WriteColumnWidths).
    // Widths read from and written to the settings are the list's pixels, as
    // the user left them; only the defaults follow the DPI. When the window
    // moves to a monitor of another scale every width is rescaled.
    void SetColumns(const std::vector<ListColumn>& columns, const std::wstring& widthSection = L"");
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    const std::wstring& WidthSection() const { return widthSection_; }
    void SetColumnCaption(int column, const std::wstring& caption);
    int ColumnWidth(int column) const;
    void SetColumnWidth(int column, int width);
    // A column's default width at the list's DPI.
    int DefaultColumnWidth(int column) const;
    // The DPI the list is laid out for.
    UINT Dpi() const { return dpi_; }
    void ReadColumnWidths(const IniFile& ini);
    void WriteColumnWidths(const IniFile& ini) const;

    // --- look
    // Background (behind the rows and their texts) and the text colour of
    // rows the colour source does not colour.
    void SetColors(COLORREF background, COLORREF text);
    COLORREF Background() const { return background_; }
    void SetFont(HFONT font);
    void ShowHeader(bool show);

private:
    static LRESULT CALLBACK ListProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    static LRESULT CALLBACK ParentProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    bool Notify(NMHDR* hdr, LRESULT& result);

    HWND handle_ = nullptr;
    HWND parent_ = nullptr;
    TextSource text_;
    ColorSource color_;
    std::vector<ListColumn> columns_;
    std::wstring widthSection_;
    COLORREF background_ = CLR_NONE;
    bool keyFilter_ = true;
    UINT dpi_ = 96;
    void RescaleColumns(UINT dpi);
};

}  // namespace quib
