#include "viewers/grid/MlsGrid.h"

#include <windowsx.h>

#include <algorithm>

namespace quib {
namespace {

const wchar_t kClassName[] = L"QuibMLStringGrid";

// A row's cells as views, at least `atLeast` of them (the missing ones empty).
std::vector<std::wstring_view> RowViews(const GridRowCells& row, size_t atLeast = 0) {
    std::vector<std::wstring_view> views(std::max(row.Count(), atLeast));
    for (size_t i = 0; i < row.Count(); ++i) views[i] = row.At(i);
    return views;
}

void RegisterGridClass(HINSTANCE instance) {
    static bool done = false;
    if (done) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);
    done = true;
}

COLORREF Darker(COLORREF c) {
    return RGB(GetRValue(c) * 3 / 4, GetGValue(c) * 3 / 4, GetBValue(c) * 3 / 4);
}

}  // namespace

TMLStringGrid::~TMLStringGrid() {
    if (hwnd_ && IsWindow(hwnd_)) {
        RemovePropW(hwnd_, kClassName);
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcW));
    }
}

HWND TMLStringGrid::Create(HWND parent, int id) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    RegisterGridClass(instance);
    hwnd_ = CreateWindowExW(WS_EX_CLIENTEDGE, kClassName, L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | WS_CLIPSIBLINGS, 0, 0, 10,
                            10, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (!hwnd_) return nullptr;
    SetPropW(hwnd_, kClassName, this);
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TMLStringGrid::WndProc));
    UpdateScrollBars();
    return hwnd_;
}

TMLStringGrid* TMLStringGrid::FromHandle(HWND hwnd) {
    return static_cast<TMLStringGrid*>(GetPropW(hwnd, kClassName));
}

// ---------------------------------------------------------------- cells

void TMLStringGrid::SetColCount(int count) {
    colCount_ = std::max(count, 0);
    colWidths_.resize(static_cast<size_t>(colCount_), defaultColWidth_);
    for (auto& r : rows_)
        if (r.Count() > static_cast<size_t>(colCount_)) {
            std::vector<std::wstring_view> views = RowViews(r);
            views.resize(static_cast<size_t>(colCount_));
            r = GridRowCells(views);
        }
    col_ = std::min(col_, std::max(colCount_ - 1, 0));
    anchorCol_ = std::min(anchorCol_, std::max(colCount_ - 1, 0));
    leftCol_ = std::clamp(leftCol_, std::min(FixedCols, colCount_), std::max(MaxLeftCol(), 0));
    UpdateScrollBars();
    Invalidate();
}

void TMLStringGrid::SetRowCount(int count) {
    const size_t n = static_cast<size_t>(std::max(count, 0));
    const int dataHeight = rowHeights_.size() > static_cast<size_t>(FixedRows) ? rowHeights_.back() : defaultRowHeight_;
    rows_.resize(n);
    rows_.shrink_to_fit();
    rowHeights_.resize(n, dataHeight);
    row_ = std::min(row_, std::max(count - 1, 0));
    anchorRow_ = std::min(anchorRow_, std::max(count - 1, 0));
    topRow_ = std::clamp(topRow_, std::min(FixedRows, count), std::max(MaxTopRow(), 0));
    UpdateScrollBars();
    Invalidate();
}

std::wstring_view TMLStringGrid::CellView(int col, int row) const {
    if (row < 0 || row >= RowCount() || col < 0) return {};
    return rows_[static_cast<size_t>(row)].At(static_cast<size_t>(col));
}

void TMLStringGrid::SetCell(int col, int row, std::wstring_view text) {
    if (row < 0 || row >= RowCount() || col < 0 || col >= colCount_) return;
    auto& r = rows_[static_cast<size_t>(row)];
    if (static_cast<size_t>(col) >= r.Count() && text.empty()) return;
    std::vector<std::wstring_view> views = RowViews(r, static_cast<size_t>(col) + 1);
    views[static_cast<size_t>(col)] = text;
    r = GridRowCells(views);
    if (!updating_ && hwnd_) {
        const RECT rc = CellRect(col, row);
        InvalidateRect(hwnd_, &rc, FALSE);
    }
}

void TMLStringGrid::SetRow(int row, const std::vector<std::wstring>& cells) { SetRow(row, GridRowCells(cells)); }

void TMLStringGrid::SetRow(int row, GridRowCells cells) {
    if (row < 0 || row >= RowCount()) return;
    rows_[static_cast<size_t>(row)] = std::move(cells);
    Invalidate();
}

void TMLStringGrid::ClearCells() {
    for (auto& r : rows_) r = GridRowCells();
    Invalidate();
}

void TMLStringGrid::DeleteRow(int row) {
    if (row < 0 || row >= RowCount()) return;
    rows_.erase(rows_.begin() + row);
    rowHeights_.erase(rowHeights_.begin() + row);
    SetRowCount(RowCount());
}

void TMLStringGrid::DeleteColumn(int col) {
    if (col < 0 || col >= colCount_) return;
    for (auto& r : rows_)
        if (static_cast<size_t>(col) < r.Count()) {
            std::vector<std::wstring_view> views = RowViews(r);
            views.erase(views.begin() + col);
            r = GridRowCells(views);
        }
    colWidths_.erase(colWidths_.begin() + col);
    --colCount_;
    SetColCount(colCount_);
}

void TMLStringGrid::MoveRow(int fromIndex, int toIndex) {
    if (fromIndex < 0 || toIndex < 0 || fromIndex >= RowCount() || toIndex >= RowCount() || fromIndex == toIndex)
        return;
    auto moved = std::move(rows_[static_cast<size_t>(fromIndex)]);
    const int height = rowHeights_[static_cast<size_t>(fromIndex)];
    rows_.erase(rows_.begin() + fromIndex);
    rowHeights_.erase(rowHeights_.begin() + fromIndex);
    rows_.insert(rows_.begin() + toIndex, std::move(moved));
    rowHeights_.insert(rowHeights_.begin() + toIndex, height);
    Invalidate();
}

void TMLStringGrid::MoveColumn(int fromIndex, int toIndex) {
    if (fromIndex < 0 || toIndex < 0 || fromIndex >= colCount_ || toIndex >= colCount_ || fromIndex == toIndex) return;
    for (auto& r : rows_) {
        if (r.Count() == 0) continue;
        std::vector<std::wstring_view> views = RowViews(r, static_cast<size_t>(colCount_));
        const std::wstring_view moved = views[static_cast<size_t>(fromIndex)];
        views.erase(views.begin() + fromIndex);
        views.insert(views.begin() + toIndex, moved);
        r = GridRowCells(views);
    }
    const int width = colWidths_[static_cast<size_t>(fromIndex)];
    colWidths_.erase(colWidths_.begin() + fromIndex);
    colWidths_.insert(colWidths_.begin() + toIndex, width);
    Invalidate();
}

// ---------------------------------------------------------------- geometry

void TMLStringGrid::SetDefaultColWidth(int width) {
    defaultColWidth_ = width;
    std::fill(colWidths_.begin(), colWidths_.end(), width);
    UpdateScrollBars();
    Invalidate();
}

int TMLStringGrid::ColWidth(int col) const {
    return col >= 0 && col < colCount_ ? colWidths_[static_cast<size_t>(col)] : 0;
}

void TMLStringGrid::SetColWidth(int col, int width) {
    if (col < 0 || col >= colCount_) return;
    colWidths_[static_cast<size_t>(col)] = std::max(width, 0);
    if (!updating_) {
        UpdateScrollBars();
        Invalidate();
    }
}

int TMLStringGrid::RowHeight(int row) const {
    return row >= 0 && row < RowCount() ? rowHeights_[static_cast<size_t>(row)] : 0;
}

void TMLStringGrid::SetRowHeight(int row, int height) {
    if (row < 0 || row >= RowCount()) return;
    rowHeights_[static_cast<size_t>(row)] = std::max(height, 0);
    if (!updating_) {
        UpdateScrollBars();
        Invalidate();
    }
}

void TMLStringGrid::SetRowHeights(int fixedHeight, int dataHeight) {
    defaultRowHeight_ = dataHeight;
    for (int r = 0; r < RowCount(); ++r) rowHeights_[static_cast<size_t>(r)] = r < FixedRows ? fixedHeight : dataHeight;
    UpdateScrollBars();
    Invalidate();
}

void TMLStringGrid::SetGridLineWidth(int width) {
    gridLineWidth_ = std::max(width, 0);
    Invalidate();
}

int TMLStringGrid::CellTextWidth(std::wstring_view text) const {
    if (text.empty() || !hwnd_) return 0;
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    RECT rc{0, 0, 0, 0};
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &rc, DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    return rc.right - rc.left;
}

int TMLStringGrid::WidestTextInColumn(int col) const {
    if (!hwnd_) return 0;
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    int widest = 0;
    for (int r = 0; r < RowCount(); ++r) {
        const std::wstring_view text = CellView(col, r);
        if (text.empty()) continue;
        if (text.find(L'\n') == std::wstring_view::npos) {
            // One line: the plain extent is the same width, and cheaper.
            SIZE size{};
            GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
            widest = std::max<int>(widest, size.cx);
        } else {
            RECT rc{0, 0, 0, 0};
            DrawTextW(dc, text.data(), static_cast<int>(text.size()), &rc, DT_CALCRECT | DT_NOPREFIX);
            widest = std::max<int>(widest, rc.right - rc.left);
        }
    }
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    return widest;
}

int TMLStringGrid::ColLeft(int col) const {
    // Fixed columns from 0, then the scrolled ones from leftCol_.
    int x = 0;
    if (col < FixedCols) {
        for (int c = 0; c < col; ++c) x += ColWidth(c) + gridLineWidth_;
        return x;
    }
    for (int c = 0; c < std::min(FixedCols, colCount_); ++c) x += ColWidth(c) + gridLineWidth_;
    if (col < leftCol_) return -1;
    for (int c = leftCol_; c < col; ++c) x += ColWidth(c) + gridLineWidth_;
    return x;
}

int TMLStringGrid::RowTop(int row) const {
    int y = 0;
    if (row < FixedRows) {
        for (int r = 0; r < row; ++r) y += RowHeight(r) + gridLineWidth_;
        return y;
    }
    for (int r = 0; r < std::min(FixedRows, RowCount()); ++r) y += RowHeight(r) + gridLineWidth_;
    if (row < topRow_) return -1;
    // Only rows on the screen are ever asked for: the walk stops at the bottom.
    RECT client{};
    if (hwnd_) GetClientRect(hwnd_, &client);
    for (int r = topRow_; r < row; ++r) {
        y += RowHeight(r) + gridLineWidth_;
        if (hwnd_ && y > client.bottom) return y;
    }
    return y;
}

RECT TMLStringGrid::CellRect(int col, int row) const {
    RECT rc{0, 0, 0, 0};
    if (col < 0 || row < 0 || col >= colCount_ || row >= RowCount()) return rc;
    const int x = ColLeft(col), y = RowTop(row);
    if (x < 0 || y < 0) return rc;
    RECT client{};
    GetClientRect(hwnd_, &client);
    if (x > client.right || y > client.bottom) return rc;
    rc = RECT{x, y, x + ColWidth(col), y + RowHeight(row)};
    return rc;
}

int TMLStringGrid::LastFullRowFrom(int top) const {
    RECT client{};
    if (hwnd_) GetClientRect(hwnd_, &client);
    int y = 0;
    for (int r = 0; r < std::min(FixedRows, RowCount()); ++r) y += RowHeight(r) + gridLineWidth_;
    int last = top - 1;
    for (int r = top; r < RowCount(); ++r) {
        y += RowHeight(r);
        if (y > client.bottom && r > top) break;
        last = r;
        y += gridLineWidth_;
        if (y > client.bottom) break;
    }
    return last;
}

int TMLStringGrid::VisibleRowCount() const { return std::max(1, LastFullRowFrom(topRow_) - topRow_ + 1); }

int TMLStringGrid::VisibleColCount() const {
    RECT client{};
    if (hwnd_) GetClientRect(hwnd_, &client);
    int x = 0;
    for (int c = 0; c < std::min(FixedCols, colCount_); ++c) x += ColWidth(c) + gridLineWidth_;
    int n = 0;
    for (int c = leftCol_; c < colCount_; ++c) {
        x += ColWidth(c);
        if (x > client.right && n > 0) break;
        ++n;
        x += gridLineWidth_;
    }
    return std::max(n, 1);
}

int TMLStringGrid::MaxTopRow() const {
    // The last page: as many rows from the bottom as fit.
    RECT client{};
    if (hwnd_) GetClientRect(hwnd_, &client);
    int y = client.bottom;
    for (int r = 0; r < std::min(FixedRows, RowCount()); ++r) y -= RowHeight(r) + gridLineWidth_;
    int top = RowCount() - 1;
    for (int r = RowCount() - 1; r >= FixedRows; --r) {
        y -= RowHeight(r) + gridLineWidth_;
        if (y < 0 && r < RowCount() - 1) break;
        top = r;
    }
    return std::max(top, FixedRows);
}

int TMLStringGrid::MaxLeftCol() const {
    RECT client{};
    if (hwnd_) GetClientRect(hwnd_, &client);
    int x = client.right;
    for (int c = 0; c < std::min(FixedCols, colCount_); ++c) x -= ColWidth(c) + gridLineWidth_;
    int left = colCount_ - 1;
    for (int c = colCount_ - 1; c >= FixedCols; --c) {
        x -= ColWidth(c) + gridLineWidth_;
        if (x < 0 && c < colCount_ - 1) break;
        left = c;
    }
    return std::max(left, FixedCols);
}

// ---------------------------------------------------------------- selection and scrolling

RECT TMLStringGrid::Selection() const {
    return RECT{std::min(col_, anchorCol_), std::min(row_, anchorRow_), std::max(col_, anchorCol_),
                std::max(row_, anchorRow_)};
}

void TMLStringGrid::SetSelection(int left, int top, int right, int bottom) {
    anchorCol_ = std::clamp(left, FixedCols, std::max(colCount_ - 1, FixedCols));
    anchorRow_ = std::clamp(top, FixedRows, std::max(RowCount() - 1, FixedRows));
    col_ = std::clamp(right, FixedCols, std::max(colCount_ - 1, FixedCols));
    row_ = std::clamp(bottom, FixedRows, std::max(RowCount() - 1, FixedRows));
    Invalidate();
}

void TMLStringGrid::SelectCell(int col, int row) { MoveTo(col, row, false); }

void TMLStringGrid::MoveTo(int col, int row, bool extend) {
    if (colCount_ <= FixedCols || RowCount() <= FixedRows) return;
    col = std::clamp(col, FixedCols, colCount_ - 1);
    row = std::clamp(row, FixedRows, RowCount() - 1);
    const bool changed = col != col_ || row != row_;
    col_ = col;
    row_ = row;
    if (!extend) {
        anchorCol_ = col;
        anchorRow_ = row;
    }
    ScrollIntoView(col, row);
    Invalidate();
    if (OnSelectCell) OnSelectCell(col_, row_);
    (void)changed;
}

void TMLStringGrid::ScrollIntoView(int col, int row) {
    if (row >= FixedRows) {
        if (row < topRow_) {
            topRow_ = row;
        } else if (LastFullRowFrom(topRow_) < row) {
            // The row becomes the last one wholly shown: the rows above it are
            // counted upwards for one page only, however far the jump.
            RECT client{};
            GetClientRect(hwnd_, &client);
            int room = client.bottom;
            for (int r = 0; r < std::min(FixedRows, RowCount()); ++r) room -= RowHeight(r) + gridLineWidth_;
            room -= RowHeight(row);
            int top = row;
            while (top - 1 >= FixedRows && room - (RowHeight(top - 1) + gridLineWidth_) >= 0) {
                room -= RowHeight(top - 1) + gridLineWidth_;
                --top;
            }
            topRow_ = top;
        }
        topRow_ = std::min(topRow_, std::max(MaxTopRow(), FixedRows));
    }
    if (col >= FixedCols) {
        if (col < leftCol_) {
            leftCol_ = col;
        } else {
            while (leftCol_ < col && leftCol_ + VisibleColCount() - 1 < col) ++leftCol_;
        }
    }
    UpdateScrollBars();
}

void TMLStringGrid::SetTopRow(int row) {
    topRow_ = std::clamp(row, FixedRows, std::max(MaxTopRow(), FixedRows));
    UpdateScrollBars();
    Invalidate();
}

void TMLStringGrid::SetLeftCol(int col) {
    leftCol_ = std::clamp(col, FixedCols, std::max(MaxLeftCol(), FixedCols));
    UpdateScrollBars();
    Invalidate();
}

void TMLStringGrid::UpdateScrollBars() {
    if (!hwnd_ || updating_) return;
    // Setting a scroll bar redraws it at once; a move that leaves a bar as it
    // was must not pay for that.
    auto set = [this](int bar, int max, int page, int pos, ScrollState& last) {
        const ScrollState now{max, page, pos};
        if (last.valid && last.max == now.max && last.page == now.page && last.pos == now.pos) return;
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
        si.nMin = 0;
        si.nMax = max;
        si.nPage = static_cast<UINT>(page);
        si.nPos = pos;
        SetScrollInfo(hwnd_, bar, &si, TRUE);
        last = now;
        last.valid = true;
    };
    const int dataRows = std::max(RowCount() - FixedRows, 0);
    const int rowMax = std::max(dataRows - 1, 0);
    int rowPage = std::min(VisibleRowCount(), std::max(dataRows, 1));
    if (MaxTopRow() <= FixedRows && dataRows <= rowPage) rowPage = rowMax + 1;
    set(SB_VERT, rowMax, rowPage, std::max(topRow_ - FixedRows, 0), lastVert_);
    const int dataCols = std::max(colCount_ - FixedCols, 0);
    set(SB_HORZ, std::max(dataCols - 1, 0), std::min(VisibleColCount(), std::max(dataCols, 1)),
        std::max(leftCol_ - FixedCols, 0), lastHorz_);
}

void TMLStringGrid::Scroll(int bar, int code) {
    const bool vert = bar == SB_VERT;
    int pos = vert ? topRow_ : leftCol_;
    const int page = vert ? VisibleRowCount() : VisibleColCount();
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_TRACKPOS;
    GetScrollInfo(hwnd_, bar, &si);
    const int first = vert ? FixedRows : FixedCols;
    switch (code) {
        case SB_LINEUP: --pos; break;
        case SB_LINEDOWN: ++pos; break;
        case SB_PAGEUP: pos -= page; break;
        case SB_PAGEDOWN: pos += page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: pos = si.nTrackPos + first; break;
        case SB_TOP: pos = first; break;
        case SB_BOTTOM: pos = vert ? RowCount() : colCount_; break;
        default: return;
    }
    if (vert) {
        SetTopRow(pos);
    } else {
        SetLeftCol(pos);
    }
}

void TMLStringGrid::EndUpdate() {
    if (updating_ > 0 && --updating_ == 0) {
        UpdateScrollBars();
        Invalidate();
    }
}

void TMLStringGrid::Invalidate() const {
    if (hwnd_ && !updating_) InvalidateRect(hwnd_, nullptr, FALSE);
}

// ---------------------------------------------------------------- look

void TMLStringGrid::SetFont(HFONT font) {
    font_ = font;
    Invalidate();
}

void TMLStringGrid::SetColor(COLORREF color) {
    if (Color == color) return;
    Color = color;
    Invalidate();
}

void TMLStringGrid::SetFontColor(COLORREF color) {
    if (FontColor == color) return;
    FontColor = color;
    Invalidate();
}

void TMLStringGrid::SetWordWrap(bool on) {
    if (FWordWrap == on) return;
    FWordWrap = on;
    Invalidate();
}

void TMLStringGrid::SetCurrentBackColor(COLORREF color) {
    if (FCurrentBackColor == color) return;
    FCurrentBackColor = color;
    Invalidate();
}

void TMLStringGrid::SetFixedBackColor(COLORREF color) {
    if (FFixedBackColor == color) return;
    FFixedBackColor = color;
    Invalidate();
}

void TMLStringGrid::SetDarkMode(bool on) {
    if (FDarkMode == on) return;
    FDarkMode = on;
    Invalidate();
}

// ---------------------------------------------------------------- painting

void TMLStringGrid::Paint(HDC target, const RECT& clip) {
    RECT client{};
    GetClientRect(hwnd_, &client);
    // Drawn off screen and copied in one piece: no flicker while scrolling.
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bmp = CreateCompatibleBitmap(target, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1));
    HGDIOBJ oldBmp = SelectObject(dc, bmp);
    HGDIOBJ oldFont = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, FontColor);

    // The grid lines are what shows between cells.
    HBRUSH lineBrush = CreateSolidBrush(FDarkMode ? Darker(Color) : RGB(0xC0, 0xC0, 0xC0));
    FillRect(dc, &client, lineBrush);
    HBRUSH backBrush = CreateSolidBrush(Color);
    HBRUSH fixedBrush = CreateSolidBrush(FFixedBackColor);
    HBRUSH currentBrush = CreateSolidBrush(FCurrentBackColor);
    const RECT sel = Selection();
    const UINT format = DT_NOPREFIX | DT_LEFT | DT_TOP | (FWordWrap ? DT_WORDBREAK : 0);

    auto drawCell = [&](int c, int r, const RECT& rc) {
        RECT cell = rc;
        if (!FDarkMode) {
            HBRUSH brush = backBrush;
            const bool fixed = c < FixedCols || r < FixedRows;
            if (fixed) {
                brush = fixedBrush;
            } else if ((c == col_ && r == row_) ||
                       (c >= sel.left && c <= sel.right && r >= sel.top && r <= sel.bottom)) {
                brush = currentBrush;
            }
            FillRect(dc, &cell, brush);
        } else {
            FillRect(dc, &cell, backBrush);
        }
        const std::wstring_view text = CellView(c, r);
        if (text.empty()) return;
        RECT inner{cell.left + 2, cell.top + 2, cell.right - 2, cell.bottom - 1};
        DrawTextW(dc, text.data(), static_cast<int>(text.size()), &inner, format);
    };

    // Columns on screen: the fixed ones, then from leftCol_ to the right edge.
    std::vector<std::pair<int, int>> cols;  // column, left
    int x = 0;
    for (int c = 0; c < std::min(FixedCols, colCount_); ++c) {
        cols.emplace_back(c, x);
        x += ColWidth(c) + gridLineWidth_;
    }
    for (int c = std::max(leftCol_, FixedCols); c < colCount_ && x < client.right; ++c) {
        cols.emplace_back(c, x);
        x += ColWidth(c) + gridLineWidth_;
    }
    int y = 0;
    auto drawRow = [&](int r) {
        const int h = RowHeight(r);
        if (y + h >= clip.top && y <= clip.bottom) {
            for (const auto& [c, left] : cols) {
                const RECT rc{left, y, left + ColWidth(c), y + h};
                if (rc.right < clip.left || rc.left > clip.right) continue;
                drawCell(c, r, rc);
            }
        }
        y += h + gridLineWidth_;
    };
    for (int r = 0; r < std::min(FixedRows, RowCount()); ++r) drawRow(r);
    for (int r = std::max(topRow_, FixedRows); r < RowCount() && y < client.bottom; ++r) drawRow(r);
    // Beyond the last column and row: the grid's colour.
    if (x < client.right) {
        RECT rest{x, 0, client.right, client.bottom};
        FillRect(dc, &rest, backBrush);
    }
    if (y < client.bottom) {
        RECT rest{0, y, client.right, client.bottom};
        FillRect(dc, &rest, backBrush);
    }
    // The current cell's frame when the grid has the focus.
    if (GetFocus() == hwnd_) {
        const RECT rc = CellRect(col_, row_);
        if (rc.right > rc.left) DrawFocusRect(dc, &rc);
    }

    BitBlt(target, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, dc, clip.left, clip.top,
           SRCCOPY);
    DeleteObject(lineBrush);
    DeleteObject(backBrush);
    DeleteObject(fixedBrush);
    DeleteObject(currentBrush);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBmp);
    DeleteObject(bmp);
    DeleteDC(dc);
}

// ---------------------------------------------------------------- input

void TMLStringGrid::KeyDown(WPARAM key) {
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const int page = VisibleRowCount();
    int col = col_, row = row_;
    switch (key) {
        case VK_LEFT: --col; break;
        case VK_RIGHT: ++col; break;
        case VK_UP: --row; break;
        case VK_DOWN: ++row; break;
        case VK_PRIOR:
            row -= page;
            topRow_ = std::max(topRow_ - page, FixedRows);
            break;
        case VK_NEXT:
            row += page;
            topRow_ = std::min(topRow_ + page, std::max(MaxTopRow(), FixedRows));
            break;
        case VK_HOME:
            if (ctrl) row = FixedRows;
            col = FixedCols;
            break;
        case VK_END:
            if (ctrl) row = RowCount() - 1;
            col = colCount_ - 1;
            break;
        default: return;
    }
    MoveTo(col, row, shift);
}

bool TMLStringGrid::HitCell(int x, int y, int& col, int& row) const {
    col = row = -1;
    int left = 0;
    auto testCol = [&](int c) {
        if (x >= left && x < left + ColWidth(c) + gridLineWidth_) col = c;
        left += ColWidth(c) + gridLineWidth_;
    };
    for (int c = 0; c < std::min(FixedCols, colCount_) && col < 0; ++c) testCol(c);
    RECT client{};
    GetClientRect(hwnd_, &client);
    for (int c = leftCol_; c < colCount_ && col < 0 && left <= client.right; ++c) testCol(c);
    int top = 0;
    auto testRow = [&](int r) {
        if (y >= top && y < top + RowHeight(r) + gridLineWidth_) row = r;
        top += RowHeight(r) + gridLineWidth_;
    };
    for (int r = 0; r < std::min(FixedRows, RowCount()) && row < 0; ++r) testRow(r);
    for (int r = topRow_; r < RowCount() && row < 0 && top <= client.bottom; ++r) testRow(r);
    return col >= 0 && row >= 0;
}

int TMLStringGrid::ColumnBorderAt(int x, int y) const {
    // Column sizing by mouse: a border within 3 pixels in the fixed rows.
    int fixedHeight = 0;
    for (int r = 0; r < std::min(FixedRows, RowCount()); ++r) fixedHeight += RowHeight(r) + gridLineWidth_;
    if (y >= fixedHeight) return -1;
    int left = 0;
    auto atBorder = [&](int c) {
        left += ColWidth(c) + gridLineWidth_;
        return std::abs(x - left) <= 3;
    };
    for (int c = 0; c < std::min(FixedCols, colCount_); ++c)
        if (atBorder(c)) return c;
    for (int c = leftCol_; c < colCount_; ++c)
        if (atBorder(c)) return c;
    return -1;
}

LRESULT CALLBACK TMLStringGrid::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    TMLStringGrid* grid = FromHandle(hwnd);
    if (!grid) return DefWindowProcW(hwnd, msg, wp, lp);
    return grid->Handle(msg, wp, lp);
}

LRESULT TMLStringGrid::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd_, &ps);
            Paint(dc, ps.rcPaint);
            EndPaint(hwnd_, &ps);
            return 0;
        }
        case WM_SIZE:
            topRow_ = std::clamp(topRow_, std::min(FixedRows, RowCount()), std::max(MaxTopRow(), FixedRows));
            UpdateScrollBars();
            Invalidate();
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: Invalidate(); return 0;
        case WM_KEYDOWN: KeyDown(wp); return 0;
        case WM_VSCROLL: Scroll(SB_VERT, LOWORD(wp)); return 0;
        case WM_HSCROLL: Scroll(SB_HORZ, LOWORD(wp)); return 0;
        case WM_MOUSEWHEEL: {
            wheelRest_ += GET_WHEEL_DELTA_WPARAM(wp);
            UINT lines = 3;
            SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
            const int notches = wheelRest_ / WHEEL_DELTA;
            wheelRest_ %= WHEEL_DELTA;
            if (notches) SetTopRow(topRow_ - notches * static_cast<int>(std::max(lines, 1u)));
            return 0;
        }
        case WM_SETCURSOR: {
            POINT pt;
            GetCursorPos(&pt);
            ScreenToClient(hwnd_, &pt);
            if (LOWORD(lp) == HTCLIENT && (sizingCol_ >= 0 || ColumnBorderAt(pt.x, pt.y) >= 0)) {
                SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
                return TRUE;
            }
            break;
        }
        case WM_LBUTTONDOWN: {
            SetFocus(hwnd_);
            const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
            const int border = ColumnBorderAt(x, y);
            if (border >= 0) {
                sizingCol_ = border;
                sizingStartX_ = x;
                sizingStartWidth_ = ColWidth(border);
                SetCapture(hwnd_);
                return 0;
            }
            int c, r;
            if (HitCell(x, y, c, r) && c >= FixedCols && r >= FixedRows) {
                MoveTo(c, r, (wp & MK_SHIFT) != 0);
                selecting_ = true;
                SetCapture(hwnd_);
            }
            return 0;
        }
        case WM_MOUSEMOVE: {
            const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
            if (sizingCol_ >= 0) {
                SetColWidth(sizingCol_, std::max(4, sizingStartWidth_ + x - sizingStartX_));
                return 0;
            }
            int c, r;
            if (selecting_ && HitCell(x, y, c, r) && c >= FixedCols && r >= FixedRows && (c != col_ || r != row_))
                MoveTo(c, r, true);
            return 0;
        }
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            if (sizingCol_ >= 0 || selecting_) {
                sizingCol_ = -1;
                selecting_ = false;
                if (msg == WM_LBUTTONUP) ReleaseCapture();
            }
            return 0;
        default: break;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace quib
