// Menus under a dark style. Windows 10 1903+ draws dark pop-up menus itself
// once the application asks for dark mode; its menu bar is still light, and
// is painted here through the undocumented WM_UAHDRAWMENU / WM_UAHDRAWMENUITEM
// messages the themed menu bar sends its window. Elsewhere (Windows 7/8, Wine)
// menu text is always drawn in the system's menu text colour, black on a dark
// background: every item there becomes owner-drawn, its caption staying the
// item's string so that GetMenuString and the language files keep working.
#include <algorithm>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "util/ThemeInternal.h"

namespace quib::theme {
namespace {

constexpr UINT WM_UAHDRAWMENU = 0x0091;
constexpr UINT WM_UAHDRAWMENUITEM = 0x0092;

// Layouts of the themed menu bar's undocumented messages (lParam).
struct UahMenu {
    HMENU hmenu;
    HDC hdc;
    DWORD dwFlags;
};
struct UahMenuItemMetrics {
    DWORD sizes[8];  // union of two bar and four pop-up {cx, cy} pairs
};
struct UahMenuPopupMetrics {
    DWORD rgcx[4];
    DWORD fUpdateMaxWidths;  // a 2-bit field
};
struct UahMenuItem {
    int iPosition;
    UahMenuItemMetrics umim;
    UahMenuPopupMetrics umpm;
};
struct UahDrawMenuItem {
    DRAWITEMSTRUCT dis;
    UahMenu um;
    UahMenuItem umi;
};

// What an owner-drawn item carries as its item data: where it lives, so that
// WM_MEASUREITEM (which names no menu) can find its caption.
struct ItemTag {
    HMENU menu;
    bool bar;
};

struct Tags {
    std::vector<std::unique_ptr<ItemTag>> owned;
    std::unordered_set<ULONG_PTR> known;
};

Tags& AllTags() {
    static Tags tags;
    return tags;
}

const ItemTag* FindTag(ULONG_PTR data) {
    return AllTags().known.count(data) ? reinterpret_cast<const ItemTag*>(data) : nullptr;
}

// Lengths at the DPI of the window whose menus are drawn.
int Scale(HWND form, int px) { return ScaleToDpi(px, DpiOfWindow(form)); }

struct ItemInfo {
    int position = -1;
    UINT type = 0;
    HMENU subMenu = nullptr;
    std::wstring label;  // before the tab
    std::wstring keys;   // after the tab (the shortcut)
};

bool ReadItem(HMENU menu, int position, ItemInfo& info) {
    MENUITEMINFOW mii{sizeof(mii)};
    mii.fMask = MIIM_FTYPE | MIIM_SUBMENU | MIIM_STRING;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &mii)) return false;
    std::wstring text(mii.cch + 1, L'\0');
    mii.dwTypeData = text.data();
    mii.cch += 1;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &mii)) return false;
    text.resize(mii.cch);
    info.position = position;
    info.type = mii.fType;
    info.subMenu = mii.hSubMenu;
    const size_t tab = text.find(L'\t');
    info.label = text.substr(0, tab);
    info.keys = tab == std::wstring::npos ? std::wstring() : text.substr(tab + 1);
    return true;
}

bool FindItem(const ItemTag* tag, ULONG_PTR data, ItemInfo& info) {
    const int n = GetMenuItemCount(tag->menu);
    for (int i = 0; i < n; ++i) {
        MENUITEMINFOW mii{sizeof(mii)};
        mii.fMask = MIIM_DATA;
        if (GetMenuItemInfoW(tag->menu, static_cast<UINT>(i), TRUE, &mii) && mii.dwItemData == data) {
            return ReadItem(tag->menu, i, info);
        }
    }
    return false;
}

void SetMenuBackground(HMENU menu) {
    MENUINFO mi{sizeof(mi)};
    mi.fMask = MIM_BACKGROUND;
    mi.hbrBack = Brush(CurrentPalette().menu);
    SetMenuInfo(menu, &mi);
}

void OwnerDrawItems(HMENU menu, bool bar) {
    SetMenuBackground(menu);
    const int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        MENUITEMINFOW mii{sizeof(mii)};
        mii.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii)) continue;
        if (mii.hSubMenu) OwnerDrawItems(mii.hSubMenu, false);
        // Already ours, or drawn by its owner or as a picture: leave it.
        if (mii.fType & (MFT_OWNERDRAW | MFT_BITMAP)) continue;
        Tags& tags = AllTags();
        tags.owned.push_back(std::make_unique<ItemTag>(ItemTag{menu, bar}));
        const auto data = reinterpret_cast<ULONG_PTR>(tags.owned.back().get());
        tags.known.insert(data);
        mii.fMask = MIIM_FTYPE | MIIM_DATA;
        mii.fType |= MFT_OWNERDRAW;
        mii.dwItemData = data;
        SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii);
    }
}

SIZE TextSize(HDC dc, const std::wstring& text) {
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), -1, &r, DT_SINGLELINE | DT_CALCRECT);
    return {r.right - r.left, r.bottom - r.top};
}

int PopupItemHeight(HWND form, HDC dc) {
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    return std::max<int>(tm.tmHeight + Scale(form, 8),
                         SystemMetricForDpi(SM_CYMENUCHECK, DpiOfWindow(form)) + Scale(form, 4));
}

bool Measure(HWND form, MEASUREITEMSTRUCT* mis) {
    if (mis->CtlType != ODT_MENU) return false;
    const ItemTag* tag = FindTag(mis->itemData);
    ItemInfo item;
    if (!tag || !FindItem(tag, mis->itemData, item)) return false;
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, MenuFont(form));
    const int height = PopupItemHeight(form, dc);
    if (item.type & MFT_SEPARATOR) {
        mis->itemWidth = 1;
        mis->itemHeight = static_cast<UINT>(Scale(form, 7));
    } else if (tag->bar) {
        const SIZE s = TextSize(dc, item.label);
        mis->itemWidth = static_cast<UINT>(s.cx + Scale(form, 12));
        mis->itemHeight = static_cast<UINT>(SystemMetricForDpi(SM_CYMENU, DpiOfWindow(form)));
    } else {
        // check column | caption | gap | shortcut | sub-menu arrow column
        int width = height + TextSize(dc, item.label).cx + height;
        if (!item.keys.empty()) width += Scale(form, 24) + TextSize(dc, item.keys).cx;
        mis->itemWidth = static_cast<UINT>(width);
        mis->itemHeight = static_cast<UINT>(height);
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return true;
}

bool Draw(HWND form, const DRAWITEMSTRUCT* dis) {
    if (dis->CtlType != ODT_MENU) return false;
    const ItemTag* tag = FindTag(dis->itemData);
    ItemInfo item;
    if (!tag || !FindItem(tag, dis->itemData, item)) return false;
    const ThemePalette& p = CurrentPalette();
    HDC dc = dis->hDC;
    const RECT rc = dis->rcItem;
    const UINT state = dis->itemState;
    const bool disabled = state & (ODS_GRAYED | ODS_DISABLED);
    const bool selected = (state & ODS_SELECTED) || (tag->bar && (state & ODS_HOTLIGHT));
    Fill(dc, rc, selected ? p.menuHighlight : p.menu);
    if (item.type & MFT_SEPARATOR) {
        const int mid = (rc.top + rc.bottom) / 2;
        Fill(dc, RECT{rc.left + Scale(form, 4), mid, rc.right - Scale(form, 4), mid + 1}, p.border);
        return true;
    }
    const int saved = SaveDC(dc);
    SelectObject(dc, MenuFont(form));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, disabled ? p.grayText : p.menuText);
    const UINT prefix = (state & ODS_NOACCEL) ? DT_HIDEPREFIX : 0;
    RECT text = rc;
    if (tag->bar) {
        DrawTextW(dc, item.label.c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | prefix);
        RestoreDC(dc, saved);
        return true;
    }
    const int column = rc.bottom - rc.top;
    if (state & ODS_CHECKED) {
        RECT box{rc.left, rc.top, rc.left + column, rc.bottom};
        InflateRect(&box, -column / 5, -column / 5);
        const COLORREF mark = disabled ? p.grayText : p.menuText;
        if (item.type & MFT_RADIOCHECK) {
            DrawBullet(dc, box, mark);
        } else {
            DrawCheckMark(dc, box, mark);
        }
    }
    text.left += column;
    text.right -= column;
    DrawTextW(dc, item.label.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | prefix);
    if (!item.keys.empty()) DrawTextW(dc, item.keys.c_str(), -1, &text, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    RestoreDC(dc, saved);
    if (item.subMenu) {
        RECT arrow{rc.right - column, rc.top, rc.right, rc.bottom};
        DrawArrow(dc, arrow, Arrow::Right, disabled ? p.grayText : p.menuText);
        // Windows and Wine add their own black arrow after this returns: keep
        // it out of the item.
        ExcludeClipRect(dc, arrow.left, arrow.top, arrow.right, arrow.bottom);
    }
    return true;
}

wchar_t Upper(wchar_t c) {
    CharUpperBuffW(&c, 1);
    return c;
}

// Windows may leave the mnemonics of owner-drawn items to the owner: the key
// picks the item whose caption underlines it.
bool MatchMnemonic(HMENU menu, wchar_t key, LRESULT& result) {
    const int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        MENUITEMINFOW mii{sizeof(mii)};
        mii.fMask = MIIM_DATA;
        ItemInfo item;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii) || !FindTag(mii.dwItemData)) continue;
        if (!ReadItem(menu, i, item)) continue;
        // "&&" is a literal ampersand; the first single one marks the key.
        size_t at = item.label.find(L'&');
        while (at != std::wstring::npos && at + 1 < item.label.size() && item.label[at + 1] == L'&') {
            at = item.label.find(L'&', at + 2);
        }
        if (at != std::wstring::npos && at + 1 < item.label.size() && Upper(item.label[at + 1]) == Upper(key)) {
            result = MAKELRESULT(i, MNC_EXECUTE);
            return true;
        }
    }
    return false;
}

RECT MenuBarRect(HWND form) {
    MENUBARINFO mbi{sizeof(mbi)};
    if (!GetMenuBarInfo(form, OBJID_MENU, 0, &mbi)) return RECT{};
    RECT window;
    GetWindowRect(form, &window);
    OffsetRect(&mbi.rcBar, -window.left, -window.top);
    return mbi.rcBar;
}

bool DrawUahMenuBar(HWND form, const UahMenu* um) {
    RECT bar = MenuBarRect(form);
    bar.top -= 1;  // the themed bar leaves a light row above itself
    Fill(um->hdc, bar, CurrentPalette().menu);
    return true;
}

bool DrawUahMenuItem(const UahDrawMenuItem* udmi) {
    const ThemePalette& p = CurrentPalette();
    ItemInfo item;
    if (!ReadItem(udmi->um.hmenu, udmi->umi.iPosition, item)) return false;
    const UINT state = udmi->dis.itemState;
    const bool hot = state & (ODS_HOTLIGHT | ODS_SELECTED);
    const bool disabled = state & (ODS_INACTIVE | ODS_GRAYED | ODS_DISABLED);
    HDC dc = udmi->dis.hDC;
    RECT rc = udmi->dis.rcItem;
    Fill(dc, rc, hot ? p.menuHighlight : p.menu);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, disabled ? p.grayText : p.menuText);
    DrawTextW(dc, item.label.c_str(), -1, &rc,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | ((state & ODS_NOACCEL) ? DT_HIDEPREFIX : 0));
    return true;
}

// What the frame paints of the menu bar itself: the one-pixel row under it
// (Windows) and the part right of the last item (Wine and classic Windows
// fill it with the system menu colour whatever the menu's background brush).
void PaintMenuBarFrame(HWND form) {
    HMENU menu = GetMenu(form);
    if (!menu) return;
    const RECT bar = MenuBarRect(form);
    if (IsRectEmpty(&bar)) return;
    RECT window;
    GetWindowRect(form, &window);
    HRGN rest = CreateRectRgn(bar.left, bar.top, bar.right, bar.bottom + 1);
    const int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        RECT item;
        if (!GetMenuItemRect(form, menu, static_cast<UINT>(i), &item)) continue;
        OffsetRect(&item, -window.left, -window.top);
        HRGN r = CreateRectRgnIndirect(&item);
        CombineRgn(rest, rest, r, RGN_DIFF);
        DeleteObject(r);
    }
    if (HDC dc = GetWindowDC(form)) {
        FillRgn(dc, rest, Brush(CurrentPalette().menu));
        ReleaseDC(form, dc);
    }
    DeleteObject(rest);
}

}  // namespace

void ThemeMenuBar(HWND top) {
    HMENU menu = GetMenu(top);
    if (!menu || !IsMenu(menu)) return;
    if (NativeDarkModeAvailable()) {
        SetMenuBackground(menu);
    } else {
        OwnerDrawItems(menu, true);
    }
    DrawMenuBar(top);
}

void ThemePopupMenu(HMENU popup) {
    if (!NativeDarkModeAvailable() && popup && IsMenu(popup)) OwnerDrawItems(popup, false);
}

bool HandleMenuMessage(HWND form, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
        case WM_MEASUREITEM:
            if (!Measure(form, reinterpret_cast<MEASUREITEMSTRUCT*>(lp))) return false;
            result = TRUE;
            return true;
        case WM_DRAWITEM:
            if (!Draw(form, reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) return false;
            result = TRUE;
            return true;
        case WM_INITMENUPOPUP:
            // Items added since the window was themed, and context menus;
            // the form still gets the message to set its items' states.
            if (!HIWORD(lp)) ThemePopupMenu(reinterpret_cast<HMENU>(wp));
            return false;
        case WM_MENUCHAR:
            return MatchMnemonic(reinterpret_cast<HMENU>(lp), static_cast<wchar_t>(LOWORD(wp)), result);
        case WM_UAHDRAWMENU:
            result = DrawUahMenuBar(form, reinterpret_cast<const UahMenu*>(lp));
            return true;
        case WM_UAHDRAWMENUITEM:
            if (!DrawUahMenuItem(reinterpret_cast<const UahDrawMenuItem*>(lp))) return false;
            result = TRUE;
            return true;
        case WM_NCPAINT:
        case WM_NCACTIVATE:
            if (!GetMenu(form)) return false;
            result = DefWindowProcW(form, msg, wp, lp);
            PaintMenuBarFrame(form);
            return true;
        default:
            return false;
    }
}

}  // namespace quib::theme
