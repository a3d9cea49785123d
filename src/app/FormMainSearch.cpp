// The main window's initial search: the continuous and one-shot modes, the
// letter and digit menus that carry the plain letter and digit keys while a
// mode is on, the indicator in the information panel, and the search itself.
#include "app/FormMain.h"

#include <commctrl.h>

#include <algorithm>

#include "app/InitialSearch.h"
#include "app/MainMenuTable.h"
#include "util/Theme.h"

namespace quib {
namespace {

constexpr int kLetters = 26;
constexpr int kDigits = 10;
// The indicator's colour: yellow.
constexpr COLORREF kIndicatorColor = 0x00FFFF;

// The character of a letter or digit item; 0 for any other id.
wchar_t SearchCharacterOf(int id) {
    if (id >= tag::MenuInitialSearchA && id < tag::MenuInitialSearchA + kLetters)
        return static_cast<wchar_t>(L'A' + (id - tag::MenuInitialSearchA));
    if (id >= tag::MenuInitialSearchNum0 && id < tag::MenuInitialSearchNum0 + kDigits)
        return static_cast<wchar_t>(L'0' + (id - tag::MenuInitialSearchNum0));
    return 0;
}

int SearchItemOf(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? tag::MenuInitialSearchA + (c - L'A') : tag::MenuInitialSearchNum0 + (c - L'0');
}

// The item's caption: "A(&A)" and so on; the item for 1 reads "1(&)".
std::wstring SearchItemCaption(wchar_t c) {
    if (c == L'1') return L"1(&)";
    return std::wstring(1, c) + L"(&" + std::wstring(1, c) + L")";
}

// The position of a top-level item on the bar by its id (a pop-up's too).
int BarPosition(HMENU bar, int id) {
    const int n = GetMenuItemCount(bar);
    for (int i = 0; i < n; ++i) {
        MENUITEMINFOW mii{sizeof(mii)};
        mii.fMask = MIIM_ID;
        if (GetMenuItemInfoW(bar, static_cast<UINT>(i), TRUE, &mii) && mii.wID == static_cast<UINT>(id)) return i;
    }
    return -1;
}

bool IsIndicatorText(const std::wstring& text) { return text.rfind(L"< Initial Search", 0) == 0; }

// The width the label's text needs in the label's font.
int TextWidth(HWND label, const std::wstring& text) {
    HDC dc = GetDC(label);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    if (old) SelectObject(dc, old);
    ReleaseDC(label, dc);
    return size.cx + 4;
}

}  // namespace

TFormMain::InitialSearchMenus::~InitialSearchMenus() {
    // On the bar they went with the window's menu.
    if (onBar) return;
    if (letters) DestroyMenu(letters);
    if (digits) DestroyMenu(digits);
}

LRESULT CALLBACK TFormMain::FileCaptionLabelProc(HWND label, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                                 DWORD_PTR ref) {
    auto* form = reinterpret_cast<TFormMain*>(ref);
    switch (msg) {
        case WM_WINDOWPOSCHANGING: {
            // A layout while the indicator stands keeps it readable.
            auto* pos = reinterpret_cast<WINDOWPOS*>(lp);
            const std::wstring text = GetText(label);
            if (!(pos->flags & SWP_NOSIZE) && IsIndicatorText(text)) pos->cx = std::max(pos->cx, TextWidth(label, text));
            break;
        }
        case WM_SETTEXT: {
            const bool wasIndicator = IsIndicatorText(GetText(label));
            const LRESULT r = DefSubclassProc(label, msg, wp, lp);
            const std::wstring text = lp ? reinterpret_cast<const wchar_t*>(lp) : L"";
            // The value label (empty meanwhile) would paint over the wide caption.
            if (IsIndicatorText(text)) {
                ShowWindow(form->labelFile_.value, SW_HIDE);
                RECT rc{};
                GetClientRect(label, &rc);
                SetWindowPos(label, HWND_TOP, 0, 0, rc.right, rc.bottom, SWP_NOMOVE | SWP_NOACTIVATE);
            } else if (wasIndicator) {
                form->LayoutControls();
                ShowWindow(form->labelFile_.value, SW_SHOW);
            }
            return r;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(label, FileCaptionLabelProc, id);
            break;
        default:
            break;
    }
    return DefSubclassProc(label, msg, wp, lp);
}

void TFormMain::CreateInitialSearchMenus() {
    InitialSearchMenus& m = initialSearchMenus_;
    if (m.letters) return;
    SetWindowSubclass(labelFile_.caption, FileCaptionLabelProc, 1, reinterpret_cast<DWORD_PTR>(this));
    m.letters = CreatePopupMenu();
    for (wchar_t c = L'A'; c <= L'Z'; ++c)
        AppendMenuW(m.letters, MF_STRING, static_cast<UINT_PTR>(SearchItemOf(c)), SearchItemCaption(c).c_str());
    m.digits = CreatePopupMenu();
    for (wchar_t c = L'0'; c <= L'9'; ++c)
        AppendMenuW(m.digits, MF_STRING, static_cast<UINT_PTR>(SearchItemOf(c)), SearchItemCaption(c).c_str());
    m.onBar = false;
}

// A menu that is not on the bar is neither seen nor reached by its keys: the
// letters and digits go back to whatever the key map gives them.
void TFormMain::ShowInitialSearchMenus(bool show) {
    InitialSearchMenus& m = initialSearchMenus_;
    HMENU bar = MenuHandle();
    if (!bar || !m.letters || m.onBar == show) return;
    if (show) {
        const struct {
            HMENU menu;
            int id;
            const wchar_t* caption;
        } menus[] = {{m.letters, tag::MenuInitialSearchChar, L"A-Z"}, {m.digits, tag::MenuInitialSearchNumber, L"0-9"}};
        for (const auto& menu : menus) {
            AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(menu.menu), menu.caption);
            MENUITEMINFOW mii{sizeof(mii)};
            mii.fMask = MIIM_ID;
            mii.wID = static_cast<UINT>(menu.id);
            SetMenuItemInfoW(bar, static_cast<UINT>(GetMenuItemCount(bar) - 1), TRUE, &mii);
        }
        m.onBar = true;
        // The plain letter and digit keys; the key map gives them nothing
        // while a mode is on, so these items are the first to have them.
        for (wchar_t c = L'A'; c <= L'Z'; ++c) SetShortCut(SearchItemOf(c), KeyCode{static_cast<WORD>(c), 0});
        for (wchar_t c = L'0'; c <= L'9'; ++c) SetShortCut(SearchItemOf(c), KeyCode{static_cast<WORD>(c), 0});
        SetMenuEnabled(tag::MenuInitialSearchChar, true);
        SetMenuEnabled(tag::MenuInitialSearchNumber, true);
    } else {
        for (int id : {tag::MenuInitialSearchNumber, tag::MenuInitialSearchChar}) {
            const int at = BarPosition(bar, id);
            if (at >= 0) RemoveMenu(bar, static_cast<UINT>(at), MF_BYPOSITION);
        }
        m.onBar = false;
    }
    if (DarkStyleActive()) ApplyThemeToWindow(handle_);
    DrawMenuBar(handle_);
}

bool TFormMain::InitialSearchLabelColor(HWND label, COLORREF& color) const {
    if (!initialSearchIndicator_) return false;
    if (label == labelFile_.caption) {
        color = kIndicatorColor;
        return true;
    }
    if (label == labelFile_.value) {
        color = ColorInitialSearchMemory2;
        return true;
    }
    return false;
}

void TFormMain::MenuInitialSearchClick() { SwitchInitialSearch(tag::MenuInitialSearch); }
void TFormMain::MenuInitialSearchOneTimeClick() { SwitchInitialSearch(tag::MenuInitialSearchOneTime); }

void TFormMain::SwitchInitialSearch(int modeTag) {
    if (MenuChecked(modeTag)) {
        InitialSearchOff();
        return;
    }
    if (RowCount() == 0) return;
    // From the other mode straight to this one the panel shows the other
    // mode's indicator: the texts to restore are the ones saved before it.
    if (!initialSearchIndicator_) {
        StrInitialSearchDriveMemory1 = GetText(labelFile_.caption);
        StrInitialSearchDriveMemory2 = GetText(labelFile_.value);
        ColorInitialSearchMemory1 = ColorPanelItemNow;
        ColorInitialSearchMemory2 = ColorPanelFontNow;
    }
    const bool continuous = modeTag == tag::MenuInitialSearch;
    SetMenuChecked(tag::MenuInitialSearch, continuous);
    SetMenuChecked(tag::MenuInitialSearchOneTime, !continuous);
    ShowInitialSearchMenus(true);
    initialSearchIndicator_ = true;
    SetText(labelFile_.caption, continuous ? L"< Initial Search >" : L"< Initial Search One Time >");
    SetText(labelFile_.value, L"");
    InvalidateRect(labelFile_.caption, nullptr, TRUE);
    InvalidateRect(labelFile_.value, nullptr, TRUE);
    BoolInitialSearchRun = false;
    SetShortCutKey();
}

void TFormMain::InitialSearchOff() {
    if (!InitialSearchOn() && !initialSearchIndicator_) return;
    SetMenuChecked(tag::MenuInitialSearch, false);
    SetMenuChecked(tag::MenuInitialSearchOneTime, false);
    ShowInitialSearchMenus(false);
    if (initialSearchIndicator_) {
        initialSearchIndicator_ = false;
        SetText(labelFile_.caption, StrInitialSearchDriveMemory1);
        // An archive opened while the search was on (a drop) is the one the
        // panel names now, not the one of the saved text.
        SetText(labelFile_.value, StrLoadFileName.empty() ? StrInitialSearchDriveMemory2 : StrLoadFileName);
        InvalidateRect(labelFile_.caption, nullptr, TRUE);
        InvalidateRect(labelFile_.value, nullptr, TRUE);
    }
    BoolInitialSearchRun = false;
    SetShortCutKey();
}

void TFormMain::MenuCommand(int id) {
    const wchar_t c = SearchCharacterOf(id);
    if (c) MenuInitialSearchCharClick(c);
}

void TFormMain::MenuInitialSearchCharClick(wchar_t character) {
    // A command message of an item that is off the bar searches nothing.
    if (BoolInitialSearchRun || !InitialSearchOn()) return;
    struct Run {
        bool& flag;
        explicit Run(bool& f) : flag(f) { flag = true; }
        ~Run() { flag = false; }
    } run(BoolInitialSearchRun);
    InitialSearch(character);
    if (MenuChecked(tag::MenuInitialSearchOneTime)) InitialSearchOff();
}

void TFormMain::InitialSearch(wchar_t character) {
    const int row = InitialSearchRow(rows_, SelectedRow(), character);
    if (row >= 0) SelectRow(row, true);
}

}  // namespace quib
