#include "util/MyListView.h"

#include <algorithm>
#include <cwchar>

#include "util/Dpi.h"

namespace quib {

TMyListView::~TMyListView() { Detach(); }

bool TMyListView::Create(HWND parent, int id, DWORD extraStyle) {
    HWND list = CreateWindowExW(kExStyle, WC_LISTVIEWW, L"", kStyle | extraStyle, 0, 0, 10, 10, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!list) return false;
    if (!Attach(list)) {
        DestroyWindow(list);
        return false;
    }
    return true;
}

bool TMyListView::Attach(HWND list) {
    Detach();
    if (!list || !(GetWindowLongPtrW(list, GWL_STYLE) & LVS_OWNERDATA)) return false;
    handle_ = list;
    parent_ = GetParent(list);
    dpi_ = DpiOfWindow(list);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    // One hook per list on the parent: two lists on one dialog each answer
    // only their own notifications.
    const auto id = reinterpret_cast<UINT_PTR>(this);
    SetWindowSubclass(list, ListProc, id, reinterpret_cast<DWORD_PTR>(this));
    if (parent_) SetWindowSubclass(parent_, ParentProc, id, reinterpret_cast<DWORD_PTR>(this));
    return true;
}

void TMyListView::Detach() {
    const auto id = reinterpret_cast<UINT_PTR>(this);
    if (handle_) RemoveWindowSubclass(handle_, ListProc, id);
    if (parent_) RemoveWindowSubclass(parent_, ParentProc, id);
    handle_ = nullptr;
    parent_ = nullptr;
}

bool TMyListView::FilteredKey(WPARAM key) {
    switch (key) {
        case VK_BACK:
        case VK_DELETE:
        case VK_HOME:
        case VK_END:
        case VK_LEFT:
        case VK_RIGHT:
            return true;
        default:
            return false;
    }
}

LRESULT CALLBACK TMyListView::ListProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
    auto* self = reinterpret_cast<TMyListView*>(ref);
    switch (msg) {
        case WM_KEYDOWN:
        case WM_KEYUP:
            if (self->keyFilter_ && FilteredKey(wp)) return 0;
            break;
        case WM_CHAR:
            // No type-ahead search of the list itself.
            if (self->keyFilter_) return 0;
            break;
        case WM_NCDESTROY:
            self->Detach();
            break;
        default:
            if (msg == ControlDpiChangedMessage()) {
                self->RescaleColumns(static_cast<UINT>(wp));
                return 0;
            }
            break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

LRESULT CALLBACK TMyListView::ParentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR ref) {
    auto* self = reinterpret_cast<TMyListView*>(ref);
    if (msg == WM_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(lp);
        LRESULT result = 0;
        if (hdr && hdr->hwndFrom == self->handle_ && self->Notify(hdr, result)) return result;
    } else if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, ParentProc, id);
        self->parent_ = nullptr;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

bool TMyListView::Notify(NMHDR* hdr, LRESULT& result) {
    switch (hdr->code) {
        case LVN_GETDISPINFOW: {
            auto* di = reinterpret_cast<NMLVDISPINFOW*>(hdr);
            if ((di->item.mask & LVIF_TEXT) && di->item.pszText && di->item.cchTextMax > 0) {
                std::wstring_view t;
                // Nothing may leave a window procedure; a row that cannot
                // give its text shows none.
                try {
                    if (text_) t = text_(di->item.iItem, di->item.iSubItem);
                } catch (...) {
                    t = {};
                }
                const size_t n = std::min(t.size(), static_cast<size_t>(di->item.cchTextMax - 1));
                std::wmemcpy(di->item.pszText, t.data(), n);
                di->item.pszText[n] = L'\0';
            }
            result = 0;
            return true;
        }
        case NM_CUSTOMDRAW: {
            if (!color_) return false;
            auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(hdr);
            result = CDRF_DODEFAULT;
            if (cd->nmcd.dwDrawStage == CDDS_PREPAINT) {
                result = CDRF_NOTIFYITEMDRAW;
            } else if (cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
                try {
                    cd->clrText = color_(static_cast<int>(cd->nmcd.dwItemSpec));
                } catch (...) {
                }
                if (background_ != CLR_NONE) cd->clrTextBk = background_;
            }
            return true;
        }
        default:
            return false;
    }
}

// ---------------------------------------------------------------- rows

void TMyListView::BeginRefill() {
    if (!handle_) return;
    SendMessageW(handle_, WM_SETREDRAW, FALSE, 0);
    ListView_SetItemCountEx(handle_, 0, 0);
}

void TMyListView::EndRefill(int count) {
    if (!handle_) return;
    ListView_SetItemCountEx(handle_, count, LVSICF_NOSCROLL);
    SendMessageW(handle_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(handle_, nullptr, TRUE);
}

void TMyListView::SetRowCount(int count) {
    if (handle_) ListView_SetItemCountEx(handle_, count, LVSICF_NOSCROLL);
}

int TMyListView::RowCount() const { return handle_ ? ListView_GetItemCount(handle_) : 0; }

std::wstring TMyListView::Text(int row, int column) const {
    if (!handle_) return {};
    std::vector<wchar_t> buffer(260);
    for (;;) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const auto n = static_cast<size_t>(
            SendMessageW(handle_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        // A text that filled the buffer may have been cut.
        if (n + 1 < buffer.size() || buffer.size() >= 65536) return std::wstring(item.pszText, std::min(n, buffer.size()));
        buffer.resize(buffer.size() * 4);
    }
}

void TMyListView::RedrawRow(int row) {
    if (handle_) ListView_RedrawItems(handle_, row, row);
}

void TMyListView::RedrawAll(bool erase) {
    if (handle_) InvalidateRect(handle_, nullptr, erase);
}

// ---------------------------------------------------------------- selection

int TMyListView::FocusedRow() const { return handle_ ? ListView_GetNextItem(handle_, -1, LVNI_FOCUSED) : -1; }

int TMyListView::SelectedRow() const {
    if (!handle_) return -1;
    // The focused row is known at once, the selected one only by asking row
    // after row from the top; in a list of one selection they are nearly
    // always the same row.
    if (GetWindowLongPtrW(handle_, GWL_STYLE) & LVS_SINGLESEL) {
        const int focused = FocusedRow();
        if (focused >= 0 && ListView_GetItemState(handle_, focused, LVIS_SELECTED)) return focused;
    }
    return ListView_GetNextItem(handle_, -1, LVNI_SELECTED);
}

void TMyListView::SelectRow(int row, bool centre) {
    if (!handle_ || row < 0 || row >= RowCount()) return;
    // Only the rows that carry the state are touched: "all rows" (-1) walks
    // every row of a virtual list, a quarter million of them in a big archive.
    const int selected = SelectedRow();
    const int focused = FocusedRow();
    for (const int old : {selected, focused}) {
        if (old >= 0 && old != row) ListView_SetItemState(handle_, old, 0, LVIS_SELECTED | LVIS_FOCUSED);
    }
    ListView_SetItemState(handle_, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(handle_, row, FALSE);
    if (centre) {
        RECT ir{}, cr{};
        ListView_GetItemRect(handle_, row, &ir, LVIR_BOUNDS);
        GetClientRect(handle_, &cr);
        const int rowHeight = ir.bottom - ir.top;
        const int top = ListView_GetTopIndex(handle_);
        const int dy = (row - top + 1) * rowHeight - (cr.bottom - cr.top) / 2;
        ListView_Scroll(handle_, 0, dy);
    }
}

// ---------------------------------------------------------------- columns

void TMyListView::SetColumns(const std::vector<ListColumn>& columns, const std::wstring& widthSection) {
    columns_ = columns;
    widthSection_ = widthSection;
    if (!handle_) return;
    while (ListView_DeleteColumn(handle_, 0)) {
    }
    for (size_t i = 0; i < columns_.size(); ++i) {
        LVCOLUMNW c{};
        c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        c.fmt = columns_[i].rightAligned ? LVCFMT_RIGHT : LVCFMT_LEFT;
        c.cx = ScaleToDpi(columns_[i].width, dpi_);
        c.pszText = const_cast<wchar_t*>(columns_[i].caption.c_str());
        c.iSubItem = static_cast<int>(i);
        ListView_InsertColumn(handle_, static_cast<int>(i), &c);
    }
}

void TMyListView::SetColumnCaption(int column, const std::wstring& caption) {
    if (column < 0 || column >= ColumnCount()) return;
    columns_[static_cast<size_t>(column)].caption = caption;
    if (!handle_) return;
    LVCOLUMNW c{};
    c.mask = LVCF_TEXT;
    c.pszText = const_cast<wchar_t*>(caption.c_str());
    ListView_SetColumn(handle_, column, &c);
}

int TMyListView::ColumnWidth(int column) const { return handle_ ? ListView_GetColumnWidth(handle_, column) : 0; }

void TMyListView::SetColumnWidth(int column, int width) {
    if (handle_) ListView_SetColumnWidth(handle_, column, width);
}

int TMyListView::DefaultColumnWidth(int column) const {
    if (column < 0 || column >= ColumnCount()) return 0;
    return ScaleToDpi(columns_[static_cast<size_t>(column)].width, dpi_);
}

void TMyListView::ReadColumnWidths(const IniFile& ini) {
    if (widthSection_.empty()) return;
    for (int i = 0; i < ColumnCount(); ++i)
        SetColumnWidth(i, ini.ReadInteger(widthSection_, std::to_wstring(i), DefaultColumnWidth(i)));
}

void TMyListView::RescaleColumns(UINT dpi) {
    // The widths the user has, kept in proportion to the text on the new scale.
    if (!handle_ || dpi == dpi_ || dpi == 0) return;
    for (int i = 0; i < ColumnCount(); ++i) SetColumnWidth(i, RescaleDpi(ColumnWidth(i), dpi_, dpi));
    dpi_ = dpi;
}

void TMyListView::WriteColumnWidths(const IniFile& ini) const {
    if (widthSection_.empty() || !handle_) return;
    for (int i = 0; i < ColumnCount(); ++i) ini.WriteInteger(widthSection_, std::to_wstring(i), ColumnWidth(i));
}

// ---------------------------------------------------------------- look

void TMyListView::SetColors(COLORREF background, COLORREF text) {
    background_ = background;
    if (!handle_) return;
    ListView_SetBkColor(handle_, background);
    ListView_SetTextBkColor(handle_, background);
    ListView_SetTextColor(handle_, text);
}

void TMyListView::SetFont(HFONT font) {
    if (handle_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void TMyListView::ShowHeader(bool show) {
    if (!handle_) return;
    LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
    style = show ? (style & ~LVS_NOCOLUMNHEADER) : (style | LVS_NOCOLUMNHEADER);
    SetWindowLongPtrW(handle_, GWL_STYLE, style);
}

}  // namespace quib
