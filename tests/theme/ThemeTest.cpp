// The dark visual styles on a real window with the program's kinds of
// controls: the colours are read back from the controls, from the answers to
// the messages they send their parent, and from what they paint.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "util/Controls.h"
#include "util/Theme.h"

using quib::ThemePalette;
using quib::VisualStyle;

namespace {

constexpr COLORREF kUnpainted = RGB(255, 0, 255);
constexpr COLORREF kPanelColor = RGB(0x20, 0x30, 0x40);

int Luma(COLORREF c) { return (GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114) / 1000; }

// A 32-bit bitmap to paint into and read back.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        RECT all{0, 0, width, height};
        HBRUSH b = CreateSolidBrush(kUnpainted);
        FillRect(dc_, &all, b);
        DeleteObject(b);
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const uint32_t v = bits_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    int Count(COLORREF c, RECT r) const {
        int n = 0;
        for (int y = std::max<int>(0, r.top); y < std::min<int>(height_, r.bottom); ++y)
            for (int x = std::max<int>(0, r.left); x < std::min<int>(width_, r.right); ++x) n += At(x, y) == c;
        return n;
    }
    int Count(COLORREF c) const { return Count(c, RECT{0, 0, width_, height_}); }
    std::vector<uint32_t> Pixels() const {
        GdiFlush();
        return std::vector<uint32_t>(bits_, bits_ + static_cast<size_t>(width_) * static_cast<size_t>(height_));
    }

private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    uint32_t* bits_ = nullptr;
};

SIZE ClientSize(HWND h) {
    RECT rc;
    GetClientRect(h, &rc);
    return {rc.right, rc.bottom};
}

// What the control paints of itself, as WM_PRINTCLIENT asks it to.
std::vector<uint32_t> PaintedPixels(HWND h) {
    const SIZE s = ClientSize(h);
    Canvas c(s.cx, s.cy);
    SendMessageW(h, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(c.Dc()), PRF_CLIENT | PRF_ERASEBKGND);
    return c.Pixels();
}

COLORREF BrushColor(HBRUSH brush) {
    LOGBRUSH lb{};
    if (!brush || GetObjectW(brush, sizeof(lb), &lb) != sizeof(lb)) return CLR_INVALID;
    return lb.lbColor;
}

LRESULT CALLBACK FormProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = 0;
    if (quib::ThemeHandleMessage(h, msg, wp, lp, result)) return result;
    return DefWindowProcW(h, msg, wp, lp);
}

void EnsureSetUp() {
    static bool done = false;
    if (done) return;
    done = true;
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES |
                                              ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSEXW wc{sizeof(wc)};
    wc.lpfnWndProc = FormProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"quibThemeTestForm";
    RegisterClassExW(&wc);
}

enum MenuId : UINT { kOpen = 101, kChecked = 102, kDisabled = 103, kInner = 111, kList = 201 };

// A form like the program's: menu bar, list with header, edits, labels,
// buttons, combo box, tree, tabs, a coloured panel and a status bar.
struct TestWindow {
    HWND form{}, list{}, header{}, edit{}, readOnly{}, label{}, disabledLabel{}, button{}, check{}, radio{}, group{},
        combo{}, tree{}, tab{}, tabGroup{}, groupInside{}, status{}, panel{}, panelLabel{};
    HMENU bar{}, file{}, more{};

    TestWindow() {
        EnsureSetUp();
        HINSTANCE inst = GetModuleHandleW(nullptr);
        bar = CreateMenu();
        file = CreatePopupMenu();
        more = CreatePopupMenu();
        AppendMenuW(file, MF_STRING, kOpen, L"&Open\tCtrl+O");
        AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(file, MF_STRING | MF_CHECKED, kChecked, L"&Checked");
        AppendMenuW(file, MF_STRING | MF_GRAYED, kDisabled, L"&Disabled");
        AppendMenuW(more, MF_STRING, kInner, L"&Inner");
        AppendMenuW(more, MF_STRING, kInner + 1, L"Copy && &Paste");
        AppendMenuW(file, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(more), L"&More");
        AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(file), L"&File");
        HMENU view = CreatePopupMenu();
        AppendMenuW(view, MF_STRING, kList, L"&List");
        AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(view), L"&View");
        form = CreateWindowExW(WS_EX_CONTROLPARENT, L"quibThemeTestForm", L"Theme test",
                               WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 20, 700, 540, nullptr, bar, inst, nullptr);
        auto make = [&](DWORD ex, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h,
                        HWND parent = nullptr) {
            HWND c = CreateWindowExW(ex, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent ? parent : form,
                                     nullptr, inst, nullptr);
            SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
            return c;
        };
        list = make(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", LVS_REPORT, 10, 10, 320, 150);
        LVCOLUMNW col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.cx = 160;
        col.pszText = const_cast<wchar_t*>(L"Name");
        ListView_InsertColumn(list, 0, &col);
        col.pszText = const_cast<wchar_t*>(L"Size");
        ListView_InsertColumn(list, 1, &col);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.pszText = const_cast<wchar_t*>(L"readme.txt");
        ListView_InsertItem(list, &item);
        header = ListView_GetHeader(list);
        tree = make(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"", TVS_HASLINES | TVS_HASBUTTONS, 340, 10, 160, 150);
        TVINSERTSTRUCTW tvi{};
        tvi.hInsertAfter = TVI_LAST;
        tvi.item.mask = TVIF_TEXT;
        tvi.item.pszText = const_cast<wchar_t*>(L"folder");
        TreeView_InsertItem(tree, &tvi);
        edit = make(WS_EX_CLIENTEDGE, WC_EDITW, L"edit text", ES_AUTOHSCROLL, 10, 170, 200, 24);
        readOnly = make(WS_EX_CLIENTEDGE, WC_EDITW, L"read only", ES_READONLY, 220, 170, 120, 24);
        label = make(0, WC_STATICW, L"Label text", SS_LEFT, 10, 200, 200, 20);
        disabledLabel = make(0, WC_STATICW, L"Disabled label", SS_LEFT | WS_DISABLED, 220, 200, 200, 20);
        button = make(0, WC_BUTTONW, L"&Button", BS_PUSHBUTTON, 10, 230, 100, 28);
        check = make(0, WC_BUTTONW, L"&Check box", BS_AUTOCHECKBOX, 120, 230, 120, 24);
        radio = make(0, WC_BUTTONW, L"&Radio", BS_AUTORADIOBUTTON, 250, 230, 100, 24);
        group = make(0, WC_BUTTONW, L"Group", BS_GROUPBOX, 360, 220, 180, 80);
        groupInside = make(0, WC_BUTTONW, L"Inside", BS_AUTOCHECKBOX, 372, 245, 100, 22);
        combo = make(0, WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_VSCROLL, 10, 270, 200, 200);
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"First"));
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Second"));
        SendMessageW(combo, CB_SETCURSEL, 1, 0);
        tab = make(0, WC_TABCONTROLW, L"", 0, 10, 310, 330, 90);
        TCITEMW ti{};
        ti.mask = TCIF_TEXT;
        ti.pszText = const_cast<wchar_t*>(L"General");
        TabCtrl_InsertItem(tab, 0, &ti);
        ti.pszText = const_cast<wchar_t*>(L"Colours");
        TabCtrl_InsertItem(tab, 1, &ti);
        // Controls of a tab page lie over the tab control, as its siblings.
        tabGroup = make(0, WC_BUTTONW, L"On the tab", BS_GROUPBOX, 20, 340, 150, 50);
        panel = quib::CreatePanel(form, 500, kPanelColor);
        MoveWindow(panel, 360, 310, 180, 60, FALSE);
        panelLabel = make(0, WC_STATICW, L"On the panel", SS_LEFT, 8, 8, 150, 20, panel);
        status = make(0, STATUSCLASSNAMEW, L"", SBARS_SIZEGRIP, 0, 0, 0, 0);
        const int parts[2] = {200, -1};
        SendMessageW(status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
        SendMessageW(status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"12 files"));
        SendMessageW(status, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(L"archive.zip"));
    }
    ~TestWindow() { DestroyWindow(form); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    // The parent's answer to a WM_CTLCOLOR* message, as the control sees it.
    struct CtlColor {
        bool handled;
        COLORREF brush, text, back;
        HBRUSH handle;
    };
    CtlColor AskColors(UINT msg, HWND control) const {
        Canvas c(4, 4);
        SetTextColor(c.Dc(), kUnpainted);
        SetBkColor(c.Dc(), kUnpainted);
        LRESULT r = 0;
        const bool handled = quib::ThemeHandleMessage(form, msg, reinterpret_cast<WPARAM>(c.Dc()),
                                                      reinterpret_cast<LPARAM>(control), r);
        auto brush = reinterpret_cast<HBRUSH>(r);
        return {handled, BrushColor(brush), GetTextColor(c.Dc()), GetBkColor(c.Dc()), brush};
    }
};

UINT_PTR ItemData(HMENU menu, UINT id, BOOL byPosition = FALSE) {
    MENUITEMINFOW mii{sizeof(mii)};
    mii.fMask = MIIM_DATA;
    GetMenuItemInfoW(menu, id, byPosition, &mii);
    return mii.dwItemData;
}

UINT ItemType(HMENU menu, UINT position) {
    MENUITEMINFOW mii{sizeof(mii)};
    mii.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(menu, position, TRUE, &mii);
    return mii.fType;
}

// Measures and draws one menu item through the form, as the menu would.
std::unique_ptr<Canvas> DrawMenuItem(HWND form, HMENU menu, UINT position, UINT state) {
    MENUITEMINFOW mii{sizeof(mii)};
    mii.fMask = MIIM_ID | MIIM_DATA;
    GetMenuItemInfoW(menu, position, TRUE, &mii);
    MEASUREITEMSTRUCT mis{};
    mis.CtlType = ODT_MENU;
    mis.itemID = mii.wID;
    mis.itemData = mii.dwItemData;
    if (SendMessageW(form, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis)) != TRUE) return nullptr;
    if (mis.itemWidth == 0 || mis.itemHeight == 0) return nullptr;
    auto canvas = std::make_unique<Canvas>(static_cast<int>(mis.itemWidth) + 40, static_cast<int>(mis.itemHeight));
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemID = mii.wID;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = state;
    dis.hwndItem = reinterpret_cast<HWND>(menu);
    dis.hDC = canvas->Dc();
    dis.rcItem = RECT{0, 0, canvas->Width(), canvas->Height()};
    dis.itemData = mii.dwItemData;
    if (SendMessageW(form, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis)) != TRUE) return nullptr;
    return canvas;
}

struct StyleCase {
    const char* name;
    VisualStyle style;
    COLORREF base;
};

class DarkStyle : public ::testing::TestWithParam<StyleCase> {
protected:
    void SetUp() override {
        quib::SetApplicationStyle(GetParam().style, GetParam().base);
        p = quib::CurrentPalette();
        w = std::make_unique<TestWindow>();
        quib::ApplyThemeToWindow(w->form);
    }
    void TearDown() override {
        w.reset();
        quib::SetApplicationStyle(VisualStyle::System, 0);
    }
    // Text must stand out from what it is drawn on; disabled text less so.
    void ExpectReadable(COLORREF text, COLORREF back) const {
        EXPECT_GE(std::abs(Luma(text) - Luma(back)), text == p.grayText ? 50 : 90) << std::hex << text << " on " << back;
    }
    ThemePalette p{};
    std::unique_ptr<TestWindow> w;
};

TEST_P(DarkStyle, StyleIsTheApplicationsAndItsWindowIsTheBaseColour) {
    EXPECT_EQ(quib::ApplicationStyle(), GetParam().style);
    EXPECT_TRUE(quib::DarkStyleActive());
    EXPECT_EQ(p.window, GetParam().base);
    const ThemePalette made = quib::MakePalette(GetParam().style, GetParam().base);
    EXPECT_EQ(made.control, p.control);
    EXPECT_EQ(made.menuHighlight, p.menuHighlight);
}

TEST_P(DarkStyle, ListAndTreeShowTheBaseColourWithLightText) {
    EXPECT_EQ(ListView_GetBkColor(w->list), GetParam().base);
    EXPECT_EQ(ListView_GetTextBkColor(w->list), GetParam().base);
    EXPECT_EQ(ListView_GetTextColor(w->list), p.windowText);
    EXPECT_EQ(TreeView_GetBkColor(w->tree), GetParam().base);
    EXPECT_EQ(TreeView_GetTextColor(w->tree), p.windowText);
    ExpectReadable(p.windowText, GetParam().base);
}

TEST_P(DarkStyle, ParentAnswersEveryControlColourMessageDark) {
    COMBOBOXINFO ci{sizeof(ci)};
    ASSERT_TRUE(GetComboBoxInfo(w->combo, &ci));
    struct Row {
        const char* what;
        UINT msg;
        HWND control;
        COLORREF back, text;
    };
    const Row rows[] = {
        {"edit", WM_CTLCOLOREDIT, w->edit, p.window, p.windowText},
        {"read-only edit", WM_CTLCOLORSTATIC, w->readOnly, p.control, p.controlText},
        {"label", WM_CTLCOLORSTATIC, w->label, p.control, p.controlText},
        {"disabled label", WM_CTLCOLORSTATIC, w->disabledLabel, p.control, p.grayText},
        {"label on a panel", WM_CTLCOLORSTATIC, w->panelLabel, kPanelColor, p.controlText},
        {"button", WM_CTLCOLORBTN, w->button, p.control, p.buttonText},
        {"check box", WM_CTLCOLORSTATIC, w->check, p.control, p.controlText},
        {"combo list", WM_CTLCOLORLISTBOX, ci.hwndList, p.window, p.windowText},
        {"dialog face", WM_CTLCOLORDLG, w->form, p.control, p.controlText},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const TestWindow::CtlColor c = w->AskColors(r.msg, r.control);
        ASSERT_TRUE(c.handled);
        EXPECT_EQ(c.brush, r.back);
        EXPECT_EQ(c.back, r.back);
        EXPECT_EQ(c.text, r.text);
        ExpectReadable(c.text, c.back);
        // The same brush every time: none is made per message.
        EXPECT_EQ(w->AskColors(r.msg, r.control).handle, c.handle);
    }
}

TEST_P(DarkStyle, FormFaceIsErasedDark) {
    const SIZE s = ClientSize(w->form);
    Canvas c(s.cx, s.cy);
    LRESULT r = 0;
    ASSERT_TRUE(quib::ThemeHandleMessage(w->form, WM_ERASEBKGND, reinterpret_cast<WPARAM>(c.Dc()), 0, r));
    EXPECT_EQ(r, 1);
    EXPECT_EQ(c.At(0, 0), p.control);
    EXPECT_EQ(c.At(s.cx - 1, s.cy - 1), p.control);
}

TEST_P(DarkStyle, MenuBarAndMenusHaveTheMenuBackground) {
    MENUINFO mi{sizeof(mi)};
    mi.fMask = MIM_BACKGROUND;
    ASSERT_TRUE(GetMenuInfo(w->bar, &mi));
    EXPECT_EQ(BrushColor(mi.hbrBack), p.menu);
    if (quib::NativeDarkModeAvailable()) return;  // Windows draws its dark pop-ups itself
    for (HMENU m : {w->file, w->more}) {
        MENUINFO pi{sizeof(pi)};
        pi.fMask = MIM_BACKGROUND;
        ASSERT_TRUE(GetMenuInfo(m, &pi));
        EXPECT_EQ(BrushColor(pi.hbrBack), p.menu);
    }
}

TEST_P(DarkStyle, MenuItemsAreDrawnReadableAndKeepTheirCaptions) {
    if (quib::NativeDarkModeAvailable()) GTEST_SKIP() << "Windows draws the dark menus";
    for (HMENU m : {w->bar, w->file, w->more}) {
        for (int i = 0; i < GetMenuItemCount(m); ++i) EXPECT_TRUE(ItemType(m, static_cast<UINT>(i)) & MFT_OWNERDRAW);
    }
    // The program reads captions back (language files, shortcuts).
    wchar_t buf[64] = {};
    GetMenuStringW(w->file, kOpen, buf, 64, MF_BYCOMMAND);
    EXPECT_STREQ(buf, L"&Open\tCtrl+O");

    struct Row {
        const char* what;
        HMENU menu;
        UINT position, state;
        COLORREF back, text;
    };
    const Row rows[] = {
        {"item", w->file, 0, 0, p.menu, p.menuText},
        {"selected item", w->file, 0, ODS_SELECTED, p.menuHighlight, p.menuText},
        {"disabled item", w->file, 3, ODS_GRAYED, p.menu, p.grayText},
        {"sub-menu item", w->file, 4, 0, p.menu, p.menuText},
        {"menu bar item", w->bar, 0, 0, p.menu, p.menuText},
        {"hot menu bar item", w->bar, 1, ODS_HOTLIGHT, p.menuHighlight, p.menuText},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        auto c = DrawMenuItem(w->form, r.menu, r.position, r.state);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->At(1, 1), r.back);
        EXPECT_GT(c->Count(r.text), 3);
        EXPECT_EQ(c->Count(kUnpainted), 0);
        ExpectReadable(r.text, r.back);
    }
    // The separator is a line, no text.
    auto sep = DrawMenuItem(w->form, w->file, 1, 0);
    ASSERT_NE(sep, nullptr);
    EXPECT_GT(sep->Count(p.border), 0);
    EXPECT_EQ(sep->Count(p.menuText), 0);
    // Check mark in the first column of the checked item only; arrow in the
    // last column of the sub-menu item only.
    auto checked = DrawMenuItem(w->form, w->file, 2, ODS_CHECKED);
    auto plain = DrawMenuItem(w->form, w->file, 0, 0);
    auto sub = DrawMenuItem(w->form, w->file, 4, 0);
    ASSERT_TRUE(checked && plain && sub);
    const int h = checked->Height();
    EXPECT_GT(checked->Count(p.menuText, RECT{0, 0, h, h}), 3);
    EXPECT_EQ(plain->Count(p.menuText, RECT{0, 0, h, h}), 0);
    EXPECT_GT(sub->Count(p.menuText, RECT{sub->Width() - h, 0, sub->Width(), h}), 2);
    EXPECT_EQ(plain->Count(p.menuText, RECT{plain->Width() - h, 0, plain->Width(), h}), 0);
}

TEST_P(DarkStyle, MnemonicsOfDrawnItemsStillChooseThem) {
    if (quib::NativeDarkModeAvailable()) GTEST_SKIP() << "Windows draws the dark menus";
    struct Row {
        HMENU menu;
        wchar_t key;
        bool found;
        int position;
    };
    const Row rows[] = {
        {w->file, L'c', true, 2}, {w->file, L'M', true, 4}, {w->file, L'o', true, 0},
        {w->bar, L'v', true, 1},  {w->file, L'z', false, 0}, {w->file, L'p', false, 0},
        {w->more, L'p', true, 1}, {w->more, L' ', false, 0},
    };
    for (const Row& r : rows) {
        LRESULT result = 0;
        const bool handled = quib::ThemeHandleMessage(w->form, WM_MENUCHAR, MAKEWPARAM(r.key, MF_POPUP),
                                                      reinterpret_cast<LPARAM>(r.menu), result);
        EXPECT_EQ(handled, r.found) << static_cast<char>(r.key);
        if (r.found) {
            EXPECT_EQ(result, MAKELRESULT(r.position, MNC_EXECUTE)) << static_cast<char>(r.key);
        }
    }
}

TEST_P(DarkStyle, MenuCaptionChangesAndNewItemsStayDark) {
    if (quib::NativeDarkModeAvailable()) GTEST_SKIP() << "Windows draws the dark menus";
    const UINT_PTR tag = ItemData(w->file, kOpen);
    auto before = DrawMenuItem(w->form, w->file, 0, 0);
    // A language switch rewrites captions in place.
    MENUITEMINFOW mii{sizeof(mii)};
    mii.fMask = MIIM_STRING;
    mii.dwTypeData = const_cast<wchar_t*>(L"&Close archive\tCtrl+W");
    ASSERT_TRUE(SetMenuItemInfoW(w->file, kOpen, FALSE, &mii));
    EXPECT_TRUE(ItemType(w->file, 0) & MFT_OWNERDRAW);
    auto after = DrawMenuItem(w->form, w->file, 0, 0);
    ASSERT_TRUE(before && after);
    EXPECT_GT(after->Width(), before->Width());
    EXPECT_GT(after->Count(p.menuText), before->Count(p.menuText));
    // Applying again changes nothing that is already themed.
    quib::ApplyThemeToWindow(w->form);
    EXPECT_EQ(ItemData(w->file, kOpen), tag);
    // Items added later and context menus are themed when they open.
    AppendMenuW(w->file, MF_STRING, 150, L"&Added later");
    HMENU context = CreatePopupMenu();
    AppendMenuW(context, MF_STRING, 160, L"&Extract");
    for (HMENU m : {w->file, context}) {
        EXPECT_FALSE(ItemType(m, static_cast<UINT>(GetMenuItemCount(m) - 1)) & MFT_OWNERDRAW);
        LRESULT r = 0;
        EXPECT_FALSE(quib::ThemeHandleMessage(w->form, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(m), 0, r))
            << "the form still sets its items' states";
        EXPECT_TRUE(ItemType(m, static_cast<UINT>(GetMenuItemCount(m) - 1)) & MFT_OWNERDRAW);
    }
    auto added = DrawMenuItem(w->form, context, 0, 0);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->At(1, 1), p.menu);
    DestroyMenu(context);
}

// Windows 10's themed menu bar asks its window to paint it through these
// undocumented messages (Wine never sends them): the test sends them as
// Windows does, with the same layouts.
constexpr UINT kUahDrawMenu = 0x0091, kUahDrawMenuItem = 0x0092;
struct UahMenu {
    HMENU menu;
    HDC dc;
    DWORD flags;
};
struct UahDrawMenuItem {
    DRAWITEMSTRUCT dis;
    UahMenu um;
    int position;
    DWORD metrics[8];
    DWORD popupMetrics[5];
};

TEST_P(DarkStyle, ThemedMenuBarMessagesPaintTheBarDark) {
    RECT window;
    GetWindowRect(w->form, &window);
    MENUBARINFO mbi{sizeof(mbi)};
    ASSERT_TRUE(GetMenuBarInfo(w->form, OBJID_MENU, 0, &mbi));
    RECT bar = mbi.rcBar;
    OffsetRect(&bar, -window.left, -window.top);
    ASSERT_FALSE(IsRectEmpty(&bar));
    Canvas whole(window.right - window.left, window.bottom - window.top);
    UahMenu um{w->bar, whole.Dc(), 0};
    LRESULT r = 0;
    ASSERT_TRUE(quib::ThemeHandleMessage(w->form, kUahDrawMenu, 0, reinterpret_cast<LPARAM>(&um), r));
    EXPECT_EQ(whole.Count(p.menu, bar), (bar.right - bar.left) * (bar.bottom - bar.top));
    EXPECT_EQ(whole.At(bar.left + 2, bar.bottom + 2), kUnpainted) << "nothing below the bar";

    struct Row {
        const char* what;
        int position;
        UINT state;
        COLORREF back, text;
    };
    const Row rows[] = {
        {"item", 0, 0, p.menu, p.menuText},
        {"hot item", 1, ODS_HOTLIGHT, p.menuHighlight, p.menuText},
        {"open item", 0, ODS_SELECTED, p.menuHighlight, p.menuText},
        {"inactive window", 0, ODS_INACTIVE, p.menu, p.grayText},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Canvas c(60, 20);
        UahDrawMenuItem d{};
        d.dis.CtlType = ODT_MENU;
        d.dis.itemState = row.state;
        d.dis.hDC = c.Dc();
        d.dis.rcItem = RECT{0, 0, 60, 20};
        d.um = UahMenu{w->bar, c.Dc(), 0};
        d.position = row.position;
        ASSERT_TRUE(quib::ThemeHandleMessage(w->form, kUahDrawMenuItem, 0, reinterpret_cast<LPARAM>(&d), r));
        EXPECT_EQ(c.At(1, 1), row.back);
        EXPECT_GT(c.Count(row.text), 3);
        EXPECT_EQ(c.Count(kUnpainted), 0);
    }
}

TEST_P(DarkStyle, HeaderStatusBarTabsAndComboPaintDark) {
    // The status bar also keeps the colour for anyone who asks.
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(w->status, SB_SETBKCOLOR, 0, static_cast<LPARAM>(p.control))),
              p.control);
    struct Row {
        const char* what;
        HWND control;
        POINT facePoint;
        COLORREF face, text;
        RECT hole;  // where controls lying on it paint themselves
    };
    RECT part0{};
    SendMessageW(w->status, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&part0));
    COMBOBOXINFO ci{sizeof(ci)};
    ASSERT_TRUE(GetComboBoxInfo(w->combo, &ci));
    RECT firstTab{};
    TabCtrl_GetItemRect(w->tab, 0, &firstTab);
    RECT onTab;
    GetWindowRect(w->tabGroup, &onTab);
    MapWindowPoints(nullptr, w->tab, reinterpret_cast<POINT*>(&onTab), 2);
    const Row rows[] = {
        {"header", w->header, {2, 2}, p.control, p.controlText, {}},
        {"status bar", w->status, {part0.left + 2, part0.bottom - 3}, p.control, p.controlText, {}},
        {"selected tab", w->tab, {firstTab.left + 3, firstTab.top + 2}, p.button, p.buttonText, onTab},
        {"combo box", w->combo, {ci.rcItem.left + 1, ci.rcItem.top + 1}, p.window, p.windowText, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const SIZE s = ClientSize(r.control);
        Canvas c(s.cx, s.cy);
        SendMessageW(r.control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(c.Dc()), PRF_CLIENT);
        EXPECT_EQ(c.At(r.facePoint.x, r.facePoint.y), r.face);
        EXPECT_GT(c.Count(r.text), 5) << "no text painted";
        const int hole = (r.hole.right - r.hole.left) * (r.hole.bottom - r.hole.top);
        EXPECT_EQ(c.Count(kUnpainted), hole);
        EXPECT_EQ(c.Count(kUnpainted, r.hole), hole);
        ExpectReadable(r.text, r.face);
    }
    // Every header item's text, and the divider between them.
    const SIZE hs = ClientSize(w->header);
    Canvas hc(hs.cx, hs.cy);
    SendMessageW(w->header, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hc.Dc()), PRF_CLIENT);
    for (int i = 0; i < 2; ++i) {
        RECT item;
        Header_GetItemRect(w->header, i, &item);
        EXPECT_GT(hc.Count(p.controlText, item), 5) << "column " << i;
        if (i == 0) {
            EXPECT_EQ(hc.At(item.right - 1, hs.cy / 2), p.border) << "divider";
        }
    }
    // Both status-bar parts carry their text.
    RECT part1{};
    SendMessageW(w->status, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&part1));
    const SIZE ss = ClientSize(w->status);
    Canvas sc(ss.cx, ss.cy);
    SendMessageW(w->status, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(sc.Dc()), PRF_CLIENT);
    EXPECT_GT(sc.Count(p.controlText, part0), 5);
    EXPECT_GT(sc.Count(p.controlText, part1), 5);
}

TEST_P(DarkStyle, ButtonsCheckBoxesAndGroupBoxesPaintDark) {
    SendMessageW(w->check, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(w->radio, BM_SETCHECK, BST_CHECKED, 0);
    struct Row {
        const char* what;
        HWND control;
        POINT facePoint;
        COLORREF face, text;
    };
    const SIZE gs = ClientSize(w->group);
    const Row rows[] = {
        {"push button", w->button, {4, 4}, p.button, p.buttonText},
        {"check box", w->check, {ClientSize(w->check).cx - 2, 1}, p.control, p.controlText},
        {"radio button", w->radio, {ClientSize(w->radio).cx - 2, 1}, p.control, p.controlText},
        {"group box", w->group, {0, gs.cy - 1}, p.border, p.controlText},
        {"group box on a tab", w->tabGroup, {0, ClientSize(w->tabGroup).cy - 1}, p.border, p.controlText},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const SIZE s = ClientSize(r.control);
        Canvas c(s.cx, s.cy);
        SendMessageW(r.control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(c.Dc()), PRF_CLIENT);
        EXPECT_EQ(c.At(r.facePoint.x, r.facePoint.y), r.face);
        EXPECT_GT(c.Count(r.text), 5) << "no caption painted";
    }
    // The group box leaves the controls lying on it to paint themselves.
    {
        const SIZE s = ClientSize(w->group);
        Canvas c(s.cx, s.cy);
        SendMessageW(w->group, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(c.Dc()), PRF_CLIENT);
        EXPECT_EQ(c.At(12 + 50, 25 + 11), kUnpainted);
        EXPECT_EQ(c.At(s.cx - 8, s.cy - 8), p.control);
    }
    // The check box shows its mark in the text colour inside a window-coloured box.
    const SIZE cs = ClientSize(w->check);
    auto glyph = [&](UINT state) {
        SendMessageW(w->check, BM_SETCHECK, state, 0);
        Canvas c(cs.cx, cs.cy);
        SendMessageW(w->check, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(c.Dc()), PRF_CLIENT);
        const RECT box{0, 0, MulDiv(14, GetDeviceCaps(c.Dc(), LOGPIXELSY), 96), cs.cy};
        return std::make_pair(c.Count(p.window, box), c.Count(p.windowText, box));
    };
    const auto on = glyph(BST_CHECKED), off = glyph(BST_UNCHECKED);
    EXPECT_GT(on.first, 10);
    EXPECT_GT(off.first, 10);
    EXPECT_GT(on.second, 3);
    EXPECT_EQ(off.second, 0);
    // Pressing shows, releasing restores the look.
    const std::vector<uint32_t> before = PaintedPixels(w->button);
    SendMessageW(w->button, BM_SETSTATE, TRUE, 0);
    EXPECT_NE(PaintedPixels(w->button), before) << "pressed looks the same";
    SendMessageW(w->button, BM_SETSTATE, FALSE, 0);
    EXPECT_EQ(PaintedPixels(w->button), before);
}

TEST_P(DarkStyle, ControlsCreatedLaterAreThemedOnCreation) {
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 100, 100, w->form,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    HWND button = CreateWindowExW(0, WC_BUTTONW, L"Later", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 80, 24,
                                  w->form, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(list && button);
    EXPECT_EQ(ListView_GetBkColor(list), GetParam().base);
    EXPECT_EQ(ListView_GetTextColor(list), p.windowText);
    const SIZE s = ClientSize(button);
    Canvas c(s.cx, s.cy);
    SendMessageW(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(c.Dc()), PRF_CLIENT);
    EXPECT_EQ(c.At(4, 4), p.button);
}

TEST_P(DarkStyle, PaintingDoesNotLeakGdiObjects) {
    auto paintAll = [&] {
        for (HWND h : {w->header, w->status, w->tab, w->combo, w->button, w->check, w->radio, w->group}) {
            PaintedPixels(h);
        }
        for (int i = 0; i < 5; ++i) DrawMenuItem(w->form, w->file, static_cast<UINT>(i), ODS_SELECTED);
        w->AskColors(WM_CTLCOLOREDIT, w->edit);
        w->AskColors(WM_CTLCOLORSTATIC, w->label);
    };
    paintAll();  // fonts and brushes made once
    const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 50; ++i) paintAll();
    const DWORD after = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    EXPECT_LE(after, before + 2);
}

// The message box of the one message routine: dark face, text and buttons.
struct BoxProbe {
    HWND box = nullptr;
    bool themeBefore = false;
    TestWindow::CtlColor face{}, text{};
    COLORREF buttonFace = CLR_INVALID;
    int buttonTextPixels = 0;
};
BoxProbe* g_probe = nullptr;
HHOOK g_boxHook = nullptr;

BOOL CALLBACK FindBoxChildren(HWND child, LPARAM lp) {
    auto* found = reinterpret_cast<std::pair<HWND, HWND>*>(lp);
    wchar_t cls[32] = {};
    GetClassNameW(child, cls, 32);
    if (!lstrcmpiW(cls, L"Static") && quibtest::WindowText(child) == L"Archive damaged") found->first = child;
    if (!lstrcmpiW(cls, L"Button")) found->second = child;
    return TRUE;
}

void CALLBACK InspectBox(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    BoxProbe& pr = *g_probe;
    std::pair<HWND, HWND> children{};
    EnumChildWindows(pr.box, FindBoxChildren, reinterpret_cast<LPARAM>(&children));
    auto ask = [&](UINT msg, HWND control) {
        Canvas c(4, 4);
        auto brush = reinterpret_cast<HBRUSH>(
            SendMessageW(pr.box, msg, reinterpret_cast<WPARAM>(c.Dc()), reinterpret_cast<LPARAM>(control)));
        return TestWindow::CtlColor{true, BrushColor(brush), GetTextColor(c.Dc()), GetBkColor(c.Dc()), brush};
    };
    pr.face = ask(WM_CTLCOLORDLG, pr.box);
    if (children.first) pr.text = ask(WM_CTLCOLORSTATIC, children.first);
    if (children.second) {
        const SIZE s = ClientSize(children.second);
        Canvas c(s.cx, s.cy);
        SendMessageW(children.second, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(c.Dc()), PRF_CLIENT);
        pr.buttonFace = c.At(4, 4);
        pr.buttonTextPixels = c.Count(quib::CurrentPalette().buttonText);
    }
    PostMessageW(pr.box, WM_COMMAND, IDOK, 0);
}

LRESULT CALLBACK BoxHook(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE && g_probe && !g_probe->box) {
        g_probe->box = reinterpret_cast<HWND>(wp);
        quib::ThemeMessageBox(g_probe->box);
        SetTimer(nullptr, 0, 50, InspectBox);
    }
    return CallNextHookEx(g_boxHook, code, wp, lp);
}

BoxProbe ShowProbedBox() {
    BoxProbe probe;
    g_probe = &probe;
    g_boxHook = SetWindowsHookExW(WH_CBT, BoxHook, nullptr, GetCurrentThreadId());
    MessageBoxW(nullptr, L"Archive damaged", L"quibFMarchive", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    UnhookWindowsHookEx(g_boxHook);
    g_probe = nullptr;
    return probe;
}

TEST_P(DarkStyle, MessageBoxIsDark) {
    const BoxProbe box = ShowProbedBox();
    ASSERT_NE(box.box, nullptr);
    EXPECT_EQ(box.face.brush, p.control);
    EXPECT_EQ(box.text.brush, p.control);
    EXPECT_EQ(box.text.text, p.controlText);
    EXPECT_EQ(box.buttonFace, p.button);
    EXPECT_GT(box.buttonTextPixels, 5);
}

const StyleCase kDarkStyles[] = {
    {"Carbon", VisualStyle::Carbon, 0x191919},
    {"CharcoalDarkSlate", VisualStyle::CharcoalDarkSlate, 0x232323},
    {"Windows10Dark", VisualStyle::Windows10Dark, 0x000000},
    {"CarbonWithUserColour", VisualStyle::Carbon, RGB(0x30, 0x18, 0x08)},
};
INSTANTIATE_TEST_SUITE_P(Styles, DarkStyle, ::testing::ValuesIn(kDarkStyles),
                         [](const auto& info) { return std::string(info.param.name); });

// Under the system look the module must not touch anything: a themed window
// and one that never met the module look and answer the same.
TEST(SystemStyle, ChangesNothing) {
    quib::SetApplicationStyle(VisualStyle::Carbon, 0x191919);
    quib::SetApplicationStyle(VisualStyle::System, 0x191919);
    EXPECT_FALSE(quib::DarkStyleActive());
    TestWindow plain;
    TestWindow themed;
    quib::ApplyThemeToWindow(themed.form);
    for (HWND h = GetWindow(themed.form, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) quib::ApplyThemeToControl(h);
    quib::ThemeMessageBox(themed.form);

    EXPECT_EQ(ListView_GetBkColor(themed.list), ListView_GetBkColor(plain.list));
    EXPECT_EQ(ListView_GetBkColor(themed.list), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(ListView_GetTextColor(themed.list), ListView_GetTextColor(plain.list));
    EXPECT_EQ(TreeView_GetBkColor(themed.tree), TreeView_GetBkColor(plain.tree));
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(themed.status, SB_SETBKCOLOR, 0, CLR_DEFAULT)), CLR_DEFAULT);
    MENUINFO mi{sizeof(mi)};
    mi.fMask = MIM_BACKGROUND;
    ASSERT_TRUE(GetMenuInfo(themed.bar, &mi));
    EXPECT_EQ(mi.hbrBack, nullptr);
    for (int i = 0; i < GetMenuItemCount(themed.file); ++i) {
        EXPECT_FALSE(ItemType(themed.file, static_cast<UINT>(i)) & MFT_OWNERDRAW);
    }

    const UINT messages[] = {WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC, WM_CTLCOLORBTN, WM_CTLCOLORDLG,
                             WM_CTLCOLORLISTBOX, WM_ERASEBKGND, WM_NCPAINT, WM_NCACTIVATE, WM_INITMENUPOPUP,
                             WM_PARENTNOTIFY, 0x0091, 0x0092};
    for (UINT msg : messages) {
        LRESULT r = 0;
        EXPECT_FALSE(quib::ThemeHandleMessage(themed.form, msg, 0, 0, r)) << "message " << msg;
    }
    LRESULT r = 0;
    EXPECT_FALSE(quib::ThemeHandleMessage(themed.form, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(themed.file), 0, r));
    EXPECT_FALSE(ItemType(themed.file, 0) & MFT_OWNERDRAW);

    // Every control paints exactly as an untouched one.
    const std::pair<HWND, HWND> pairs[] = {{themed.header, plain.header}, {themed.status, plain.status},
                                           {themed.tab, plain.tab},       {themed.combo, plain.combo},
                                           {themed.button, plain.button}, {themed.check, plain.check},
                                           {themed.group, plain.group}};
    for (size_t i = 0; i < std::size(pairs); ++i) {
        EXPECT_EQ(PaintedPixels(pairs[i].first), PaintedPixels(pairs[i].second)) << "control " << i;
    }
}

TEST(SystemStyle, MessageBoxKeepsTheSystemLook) {
    quib::SetApplicationStyle(VisualStyle::System, 0);
    const BoxProbe box = ShowProbedBox();
    ASSERT_NE(box.box, nullptr);
    EXPECT_NE(box.face.brush, quib::MakePalette(VisualStyle::Carbon, 0x191919).control);
    EXPECT_GT(Luma(box.face.brush), 128) << "a light face";
}

TEST(VisualStyleName, OnlyTheExactNamesChooseADarkStyle) {
    struct Row {
        const wchar_t* text;
        VisualStyle style;
    };
    const Row rows[] = {
        {L"Carbon", VisualStyle::Carbon},
        {L"Charcoal Dark Slate", VisualStyle::CharcoalDarkSlate},
        {L"Windows10 Dark", VisualStyle::Windows10Dark},
        {L"carbon", VisualStyle::System},
        {L"CARBON", VisualStyle::System},
        {L"Carbon ", VisualStyle::System},
        {L"Charcoal", VisualStyle::System},
        {L"Windows10 dark", VisualStyle::System},
        {L"Windows", VisualStyle::System},
        {L"", VisualStyle::System},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(quib::VisualStyleFromName(r.text), r.style) << std::string(r.text, r.text + wcslen(r.text));
    }
}

TEST(Palette, DarkStylesBuildOnTheBaseColour) {
    const VisualStyle styles[] = {VisualStyle::Carbon, VisualStyle::CharcoalDarkSlate, VisualStyle::Windows10Dark};
    const COLORREF bases[] = {0x000000, 0x191919, 0x232323, RGB(0x10, 0x20, 0x40), RGB(0x50, 0x50, 0x50)};
    for (VisualStyle style : styles) {
        for (COLORREF base : bases) {
            SCOPED_TRACE(::testing::Message() << static_cast<int>(style) << " base " << std::hex << base);
            const ThemePalette p = quib::MakePalette(style, base);
            EXPECT_EQ(p.window, base);
            // Faces step up from the base: window < control < button < border.
            EXPECT_LT(Luma(p.window), Luma(p.control));
            EXPECT_LT(Luma(p.control), Luma(p.button));
            EXPECT_LT(Luma(p.button), Luma(p.border));
            EXPECT_EQ(p.menu, p.control);
            EXPECT_GT(Luma(p.menuHighlight), Luma(p.menu));
            // Every text is readable on what it is drawn on.
            const std::pair<COLORREF, COLORREF> pairs[] = {
                {p.windowText, p.window},  {p.controlText, p.control},   {p.buttonText, p.button},
                {p.menuText, p.menu},      {p.menuText, p.menuHighlight}, {p.highlightText, p.highlight}};
            for (const auto& [text, back] : pairs) EXPECT_GE(std::abs(Luma(text) - Luma(back)), 90);
            // Disabled text lies between the base and the normal text.
            EXPECT_GT(Luma(p.grayText), Luma(p.window));
            EXPECT_LT(Luma(p.grayText), Luma(p.windowText));
        }
    }
    EXPECT_EQ(quib::MakePalette(VisualStyle::Windows10Dark, 0).windowText, RGB(255, 255, 255));
    EXPECT_NE(quib::MakePalette(VisualStyle::Carbon, 0x191919).highlight,
              quib::MakePalette(VisualStyle::Windows10Dark, 0x191919).highlight);
}

TEST(Palette, LightBaseColourGetsDarkText) {
    const ThemePalette p = quib::MakePalette(VisualStyle::Carbon, RGB(0xF0, 0xF0, 0xF0));
    EXPECT_EQ(p.window, RGB(0xF0, 0xF0, 0xF0));
    EXPECT_LT(Luma(p.windowText), 64);
    EXPECT_LT(Luma(p.control), Luma(p.window));
    EXPECT_GE(std::abs(Luma(p.windowText) - Luma(p.window)), 90);
}

TEST(Palette, SystemLookIsTheSystemColours) {
    const ThemePalette p = quib::MakePalette(VisualStyle::System, 0x191919);
    EXPECT_EQ(p.window, GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(p.windowText, GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(p.control, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(p.menu, GetSysColor(COLOR_MENU));
    EXPECT_EQ(p.highlight, GetSysColor(COLOR_HIGHLIGHT));
    quib::SetApplicationStyle(VisualStyle::System, 0x191919);
    EXPECT_EQ(quib::CurrentPalette().window, GetSysColor(COLOR_WINDOW));
}

}  // namespace
