// The main window's menus, controls, layout, colours and fonts.
#include "app/FormMain.h"

#include <commctrl.h>

#include <algorithm>

#include "util/StrConv.h"

namespace quib {
namespace {

enum ControlId {
    kListView1 = 100,
    kMemo1,
    kMemo4,
    kStatusBar1,
    kPanel1 = 110,
    kPanel7,
    kPanel8,
    kPanel9,
    kLabelBase = 200,
};

// Lengths in pixels at 96 DPI (the window scales them to its own).
constexpr int kPanel1Height = 67;
constexpr int kPanel9Height = 112;
constexpr int kWideLayoutWidth = 1120;
// Status-bar parts: entry count, size, count, marked size, marked count, rest.
constexpr int kStatusPartWidths[5] = {160, 95, 55, 95, 55};
constexpr int kMinimumNameWidth = 70;

}  // namespace

void TFormMain::CreateControls() {
    HINSTANCE inst = Instance();
    list_.Create(handle_, kListView1, BoolWindows7Later ? 0 : LVS_SHOWSELALWAYS);
    // The rows are looked at only for the rows the list shows.
    list_.SetTextSource([this](int row, int column) -> std::wstring_view {
        return row >= 0 && row < RowCount() ? rows_.Cell(static_cast<size_t>(row), column, cellScratch_)
                                            : std::wstring_view();
    });
    list_.SetColorSource([this](int row) { return RowTextColor(row); });
    memo1_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                             WS_CHILD | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY |
                                 ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL,
                             0, 0, 10, 10, handle_, reinterpret_cast<HMENU>(kMemo1), inst, nullptr);
    SendMessageW(memo1_, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
    memo4_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_MULTILINE, 0, 0, 10, 10, handle_,
                             reinterpret_cast<HMENU>(kMemo4), inst, nullptr);
    statusBar_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                                 handle_, reinterpret_cast<HMENU>(kStatusBar1), inst, nullptr);
    // The window's font, made for its DPI and replaced when the DPI changes
    // (the bar's own font is the system's, for the system DPI).
    SendMessageW(statusBar_, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont()), FALSE);
    SetStatusParts();

    panel9_ = CreatePanel(handle_, kPanel9, ColorPanelNow);
    panel1_ = CreatePanel(panel9_, kPanel1, ColorPanelNow);
    panel7_ = CreatePanel(panel9_, kPanel7, ColorPanelNow);
    panel8_ = CreatePanel(panel9_, kPanel8, ColorPanelNow);
    int id = kLabelBase;
    // Caption labels carry Tags 2001.. for the language file; value labels are data.
    int labelTag = 2001;
    auto pair = [&](HWND parent, const wchar_t* caption) {
        InfoLabel l;
        l.caption = CreateLabel(parent, caption, id++, nullptr);
        l.value = CreateLabel(parent, L"", id++, nullptr);
        RegisterComponent({ComponentKind::Label, labelTag++, l.caption, false});
        return l;
    };
    labelFile_ = pair(panel1_, L"file:");
    labelPath_ = pair(panel1_, L"path:");
    labelName_ = pair(panel1_, L"name:");
    labelPacked_ = pair(panel7_, L"size:");
    labelTime_ = pair(panel7_, L"time:");
    labelSize_ = pair(panel7_, L"size:");
    labelAttr_ = pair(panel7_, L"attr:");
    labelMode_ = pair(panel7_, L"mode:");
    static const wchar_t* wideCaptions[8] = {L"file:", L"", L"", L"files", L"tag:", L"", L"", L"files"};
    for (int i = 0; i < 8; ++i) {
        wideTotals_[static_cast<size_t>(i)] = CreateLabel(panel7_, wideCaptions[i], id++, nullptr);
        if (wideCaptions[i][0]) RegisterComponent({ComponentKind::Label, labelTag++, wideTotals_[static_cast<size_t>(i)], false});
    }
    labelTotalSize_ = pair(panel8_, L"file:");
    labelTotalCount_ = pair(panel8_, L"files");
    labelMarkSize_ = pair(panel8_, L"tag:");
    labelMarkCount_ = pair(panel8_, L"files");
    // Sizes and counts come padded to a fixed number of characters: flush
    // right, their digits stay in view whatever the font makes of the padding.
    for (HWND number : {labelPacked_.value, labelSize_.value, labelTotalSize_.value, labelTotalCount_.value,
                        labelMarkSize_.value, labelMarkCount_.value, wideTotals_[1], wideTotals_[2], wideTotals_[5],
                        wideTotals_[6]})
        SetWindowLongPtrW(number, GWL_STYLE, GetWindowLongPtrW(number, GWL_STYLE) | SS_RIGHT);
    ShowWindow(panel8_, SW_HIDE);
}

void TFormMain::AddListColumns() {
    // The columns are made before the display settings are read.
    ReadMainSetting(Ini(), StrExePath, &MainSettings::BoolSizeAlignmentRight, *this);
    const std::wstring sizeCaption = BoolSizeAlignmentRight ? L"Size" + std::wstring(40, L' ') : L"Size";
    // Default widths; the settings file keeps the user's.
    list_.SetColumns({{L"\u3000", 30},
                      {L"Name", 286},
                      {L"Ext", 65},
                      {sizeCaption, 88, BoolSizeAlignmentRight},
                      {L"Date", 115},
                      {L"Time", 95},
                      {L"Attr", 70}},
                     L"ListViewWidthMain");
}

void TFormMain::SetStatusParts() {
    int parts[6] = {};
    int right = 0;
    for (int i = 0; i < 5; ++i) parts[i] = right += Scale(kStatusPartWidths[i]);
    parts[5] = -1;
    SendMessageW(statusBar_, SB_SETPARTS, 6, reinterpret_cast<LPARAM>(parts));
}

bool TFormMain::WideLayout() const {
    RECT wr{};
    GetWindowRect(handle_, &wr);
    return (wr.right - wr.left) >= Scale(kWideLayoutWidth);
}

void TFormMain::FormResize(int clientWidth, int clientHeight) {
    if (!list_.Handle()) return;
    SetStatusParts();
    SendMessageW(statusBar_, WM_SIZE, 0, 0);
    RECT sb{};
    GetWindowRect(statusBar_, &sb);
    const int statusHeight = sb.bottom - sb.top;
    const int panel9Height = Scale(kPanel9Height), panel1Height = Scale(kPanel1Height);
    const int infoTop = clientHeight - statusHeight - panel9Height;
    const int listHeight = infoTop > 0 ? infoTop : 0;
    MoveWindow(list_.Handle(), 0, 0, clientWidth, listHeight, TRUE);
    MoveWindow(memo1_, 0, 0, clientWidth, listHeight, TRUE);
    MoveWindow(panel9_, 0, infoTop, clientWidth, panel9Height, TRUE);
    MoveWindow(panel1_, 0, 0, clientWidth, panel1Height, TRUE);
    MoveWindow(panel7_, 0, panel1Height, clientWidth, panel9Height - panel1Height, TRUE);
    MoveWindow(panel8_, 0, panel1Height, clientWidth, panel9Height - panel1Height, TRUE);
    LayoutControls();

    // The Name column takes what the other columns leave.
    RECT lc{};
    GetClientRect(list_.Handle(), &lc);
    int others = 0;
    for (int i = 0; i < list_.ColumnCount(); ++i)
        if (i != 1) others += list_.ColumnWidth(i);
    int nameWidth = (lc.right - lc.left) - others;
    if (nameWidth < Scale(kMinimumNameWidth)) nameWidth = Scale(kMinimumNameWidth);
    list_.SetColumnWidth(1, nameWidth);

    const bool wide = WideLayout();
    if (wide) {
        ShowWindow(panel7_, SW_SHOW);
        ShowWindow(panel8_, SW_HIDE);
        IntInfoSelect = 0;
    }
    for (HWND h : wideTotals_) ShowWindow(h, wide ? SW_SHOW : SW_HIDE);
}

void TFormMain::LayoutControls() {
    RECT rc{};
    GetClientRect(panel1_, &rc);
    const int w = rc.right;
    // Rows as tall as the panel allows, so descenders such as "_" are not cut
    // off. Every length below is at 96 DPI; S gives it at the window's DPI.
    const auto S = [this](int length96) { return Scale(length96); };
    const int row = 22, capW = 52, top = 0;
    auto place = [&](const InfoLabel& l, int x, int y, int valueWidth) {
        MoveWindow(l.caption, S(x), S(y), S(capW), S(row), TRUE);
        MoveWindow(l.value, S(x + capW), S(y), S(valueWidth), S(row), TRUE);
    };
    // The values of the first panel reach its right edge.
    auto placeFull = [&](const InfoLabel& l, int y) {
        MoveWindow(l.caption, S(4), S(y), S(capW), S(row), TRUE);
        MoveWindow(l.value, S(4 + capW), S(y), std::max(0, w - S(capW + 8)), S(row), TRUE);
    };
    placeFull(labelFile_, top);
    placeFull(labelPath_, top + row);
    placeFull(labelName_, top + 2 * row);
    // Entry details on one row; the archive totals follow on wide windows.
    place(labelPacked_, 4, top, 150);
    place(labelTime_, 210, top, 200);
    place(labelSize_, 470, top, 160);
    place(labelAttr_, 4, top + row, 150);
    place(labelMode_, 210, top + row, 150);
    const int wx = 700;
    for (size_t i = 0; i < 8; ++i) {
        const int col = static_cast<int>(i % 4), line = static_cast<int>(i / 4);
        static const int xs[4] = {0, 52, 222, 332};
        static const int ws[4] = {50, 168, 108, 50};
        MoveWindow(wideTotals_[i], S(wx + xs[col]), S(top + line * row), S(ws[col]), S(row), TRUE);
    }
    place(labelTotalSize_, 4, top, 170);
    place(labelTotalCount_, 240, top, 110);
    place(labelMarkSize_, 4, top + row, 170);
    place(labelMarkCount_, 240, top + row, 110);
}

void TFormMain::ApplyColorsAndFonts(bool textArea) {
    HFONT lf = listFont_.Get(StrListViewFontName, IntListViewFontSize, Dpi());
    HFONT inf = infoFont_.Get(StrInfoFontName, IntInfoFontSize, Dpi());
    if (list_.Handle()) {
        list_.SetFont(lf);
        if (textArea) {
            // The text area keeps a font of its own: the list's font object
            // changes with the filer switch.
            memoFont_.Get(StrListViewFontName, IntListViewFontSize, Dpi());
            SendMessageW(memo1_, WM_SETFONT, reinterpret_cast<WPARAM>(memoFont_.Handle()), TRUE);
            ColorMemoNow = ColorListNow;
            ColorMemoFontNow = ColorListFontNow;
        }
        list_.SetColors(ColorListNow, ColorListFontNow);
        for (HWND p : {panel1_, panel7_, panel8_, panel9_}) {
            SetPanelColor(p, ColorPanelNow);
            for (HWND c = GetWindow(p, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                if (!FromHandle(c)) SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(inf), TRUE);
            }
        }
        list_.ShowHeader(BoolListViewTitleShow);
        InvalidateRect(handle_, nullptr, TRUE);
    }
}

}  // namespace quib

namespace quib {

void TFormMain::FormDpiChanged(UINT /*oldDpi*/) {
    // The list's and panels' fonts at the new DPI, from the sizes in force;
    // the text area keeps its own face and size, at the new DPI too.
    ApplyColorsAndFonts(false);
    if (HFONT memo = memoFont_.ForDpi(Dpi())) SendMessageW(memo1_, WM_SETFONT, reinterpret_cast<WPARAM>(memo), TRUE);
}

}  // namespace quib
