#pragma once
// TMLStringGrid: a string grid whose cells may hold several lines. Win32 has
// no grid, so this control keeps the cells itself and draws only the cells
// that are visible, so a grid of a hundred thousand rows costs no more to
// paint or scroll than one of ten. It scrolls by whole rows and columns, like
// the grids users of the program know; the fixed rows and columns stay put.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "viewers/grid/GridRowCells.h"

namespace quib {

class TMLStringGrid {
public:
    TMLStringGrid() = default;
    ~TMLStringGrid();
    TMLStringGrid(const TMLStringGrid&) = delete;
    TMLStringGrid& operator=(const TMLStringGrid&) = delete;

    // Creates the control as a child of parent.
    HWND Create(HWND parent, int id);
    HWND Handle() const { return hwnd_; }
    static TMLStringGrid* FromHandle(HWND hwnd);

    // --- size and cells
    int ColCount() const { return colCount_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    void SetColCount(int count);
    void SetRowCount(int count);
    int FixedCols = 2;
    int FixedRows = 2;
    std::wstring Cell(int col, int row) const { return std::wstring(CellView(col, row)); }
    // Valid until the row changes.
    std::wstring_view CellView(int col, int row) const;
    void SetCell(int col, int row, std::wstring_view text);
    // A whole row at once (the load fills rows this way).
    void SetRow(int row, const std::vector<std::wstring>& cells);
    void SetRow(int row, GridRowCells cells);
    // Every cell empty, the sizes kept.
    void ClearCells();

    // The grid's ordinary row and column operations.
    void DeleteRow(int row);
    void DeleteColumn(int col);
    void MoveRow(int fromIndex, int toIndex);
    void MoveColumn(int fromIndex, int toIndex);

    // --- geometry
    int DefaultColWidth() const { return defaultColWidth_; }
    void SetDefaultColWidth(int width);
    int ColWidth(int col) const;
    void SetColWidth(int col, int width);
    int RowHeight(int row) const;
    void SetRowHeight(int row, int height);
    // Every data row (from FixedRows on) the same height, and the fixed rows another.
    void SetRowHeights(int fixedHeight, int dataHeight);
    int GridLineWidth() const { return gridLineWidth_; }
    void SetGridLineWidth(int width);
    // The width of a cell's widest line in the grid's font.
    int CellTextWidth(std::wstring_view text) const;
    // The widest cell text of a column (one device context for all cells).
    int WidestTextInColumn(int col) const;
    // Where a cell stands in the client area (empty when not visible).
    RECT CellRect(int col, int row) const;

    // --- current cell, selection, scrolling
    int Col() const { return col_; }
    int Row() const { return row_; }
    // Makes the cell current (the selection collapses onto it) and scrolls it
    // into view; the selection callback runs.
    void SelectCell(int col, int row);
    // The selected block: left, top, right, bottom (inclusive).
    RECT Selection() const;
    void SetSelection(int left, int top, int right, int bottom);
    int TopRow() const { return topRow_; }
    int LeftCol() const { return leftCol_; }
    void SetTopRow(int row);
    void SetLeftCol(int col);
    // Rows that fit wholly below the fixed rows from the top row on.
    int VisibleRowCount() const;
    int VisibleColCount() const;

    // Redrawing waits until the outermost EndUpdate.
    void BeginUpdate() { ++updating_; }
    void EndUpdate();

    // --- look
    void SetFont(HFONT font);  // not owned
    HFONT Font() const { return font_; }
    COLORREF Color = RGB(255, 255, 255);
    COLORREF FontColor = RGB(0, 0, 0);
    void SetColor(COLORREF color);
    void SetFontColor(COLORREF color);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool on);
    COLORREF CurrentBackColor() const { return FCurrentBackColor; }
    void SetCurrentBackColor(COLORREF color);
    COLORREF FixedBackColor() const { return FFixedBackColor; }
    void SetFixedBackColor(COLORREF color);
    bool DarkMode() const { return FDarkMode; }
    void SetDarkMode(bool on);

    // Called after the current cell changed (by key, mouse or SelectCell).
    std::function<void(int col, int row)> OnSelectCell;

    void Invalidate() const;

private:
    bool FWordWrap = false;
    COLORREF FCurrentBackColor = RGB(0, 0x80, 0xFF);
    COLORREF FFixedBackColor = RGB(0xA6, 0xCA, 0xF0);
    bool FDarkMode = false;

    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
    void Paint(HDC dc, const RECT& clip);
    void KeyDown(WPARAM key);
    void MoveTo(int col, int row, bool extend);
    void ScrollIntoView(int col, int row);
    void UpdateScrollBars();
    void Scroll(int bar, int code);
    bool HitCell(int x, int y, int& col, int& row) const;
    int ColumnBorderAt(int x, int y) const;
    int ColLeft(int col) const;
    int RowTop(int row) const;
    int LastFullRowFrom(int top) const;
    int MaxTopRow() const;
    int MaxLeftCol() const;

    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;
    int colCount_ = 0;
    std::vector<GridRowCells> rows_;  // short rows end early
    std::vector<int> colWidths_;
    std::vector<int> rowHeights_;
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    int gridLineWidth_ = 1;
    int col_ = 0, row_ = 0;
    int anchorCol_ = 0, anchorRow_ = 0;
    int topRow_ = 0, leftCol_ = 0;
    int updating_ = 0;
    bool selecting_ = false;
    int sizingCol_ = -1;
    int sizingStartX_ = 0, sizingStartWidth_ = 0;
    int wheelRest_ = 0;
    struct ScrollState {
        int max = 0, page = 0, pos = 0;
        bool valid = false;
    };
    ScrollState lastVert_, lastHorz_;
};

}  // namespace quib
