#include "app/Language.h"

#include "util/TextFile.h"

#include <commctrl.h>

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "app/FormBase.h"
#include "util/IniFile.h"
#include "util/Message.h"
#include "util/MyUtility.h"
#include "util/StrConv.h"

namespace quib {
namespace {

constexpr int kTitleTag = 2999;

// Selections remembered by a Clear until the list has grown back to them, and
// the next button of each radio group. Keyed by the control's window; the
// entries of a window are dropped after each language file.
std::map<HWND, int>& PendingSelections() {
    static std::map<HWND, int> pending;
    return pending;
}
std::map<HWND, size_t>& RadioCursors() {
    static std::map<HWND, size_t> cursors;
    return cursors;
}

// The integer value of a tag text; false for an empty text, any non-digit or
// a value too large to be a Tag.
bool TagValue(const std::wstring& tagText, int& value) {
    if (tagText.empty() || tagText.size() > 9 || !IsNumericStr(tagText)) return false;
    value = std::stoi(tagText);
    return true;
}

bool IsOneOf(ComponentKind kind, std::initializer_list<ComponentKind> kinds) {
    for (ComponentKind k : kinds)
        if (k == kind) return true;
    return false;
}

// The first registered component with the tag among the kinds a rule addresses.
const Component* FindComponent(const TFormBase& window, const std::wstring& tagText,
                               std::initializer_list<ComponentKind> kinds) {
    int tag = 0;
    if (!TagValue(tagText, tag)) return nullptr;
    for (const Component& c : window.Components())
        if (c.tag == tag && IsOneOf(c.kind, kinds)) return &c;
    return nullptr;
}

HWND FindControl(const TFormBase& window, const std::wstring& tagText, ComponentKind kind) {
    const Component* c = FindComponent(window, tagText, {kind});
    return c ? c->hwnd : nullptr;
}

std::wstring WindowTextOf(HWND hwnd) {
    const int n = GetWindowTextLengthW(hwnd);
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    const int got = GetWindowTextW(hwnd, s.data(), n + 1);
    s.resize(static_cast<size_t>(got < 0 ? 0 : got));
    return s;
}

void ForgetItemState(const TFormBase& window) {
    for (const Component& c : window.Components()) {
        if (!c.hwnd) continue;
        PendingSelections().erase(c.hwnd);
        RadioCursors().erase(c.hwnd);
    }
}

void ShowLineError(HWND owner, const wchar_t* japanese, const wchar_t* english, size_t lineNo,
                   const std::wstring& line) {
    const std::wstring where = std::to_wstring(lineNo) + L" : " + line;
    ShowMsgJE(owner, japanese + where, english + where, MsgButtons::Ok, MsgStyle::Information);
}

bool StartsWith(const std::wstring& text, wchar_t c) { return !text.empty() && text[0] == c; }

// field 4 = Japanese, field 5 = English.
void ApplyLanguageFile(TFormBase& window, const std::wstring& file, size_t field, bool japanese) {
    std::vector<std::wstring> lines;
    // A missing (or unreadable) file leaves the designed captions and font.
    if (!ReadLanguageFile(file, lines)) return;
    if (!CheckLanguageLines(lines, window.Handle())) {
        ShowMsgJE(window.Handle(), L"Error : 言語設定ファイルが不正です",
                  L"Error : This language file format is wrong.\r\n[OK]", MsgButtons::Ok, MsgStyle::Error);
        return;
    }
    // Item lists are emptied only when the tag changes from the previous
    // applied item line of the same kind, so one list may be split into
    // groups with other lines between them.
    bool listSeen = false, radioSeen = false, comboSeen = false;
    std::wstring listTag, radioTag, comboTag;
    for (const std::wstring& line : lines) {
        std::vector<std::wstring> f;
        StringToCsvList(line, f);
        if (f.size() != 6 || f[1] != L"1") continue;
        const std::wstring& t = f[0];
        const std::wstring& property = f[3];
        const std::wstring& text = f[field];
        const bool caption = property == L"Caption";
        const bool item = property == L"Item";
        // Every rule is tried; a "2999" line also reaches the "2" rule, which
        // finds nothing because the window is not among its own components.
        if (StartsWith(t, L'1') && caption) SetMenuCaption(window, t, text);
        if (StartsWith(t, L'2') && caption) SetLabelButtonPanelTabsheetGroupboxCaption(window, t, text);
        if (StartsWith(t, L'2') && caption) SetFormCaption(window, t, text);
        if (StartsWith(t, L'4') && item) {
            if (!listSeen || t != listTag) SetListBoxClear(window, t);
            SetListBoxItem(window, t, text);
            listSeen = true;
            listTag = t;
        }
        if (StartsWith(t, L'5') && caption) SetRadioGroupCaption(window, t, text);
        if (StartsWith(t, L'5') && item) {
            if (!radioSeen || t != radioTag) SetRadioGroupClear(window, t);
            SetRadioGroupItem(window, t, text);
            radioSeen = true;
            radioTag = t;
        }
        if (StartsWith(t, L'6') && caption) SetCheckBoxCaption(window, t, text);
        if (StartsWith(t, L'7') && item) {
            if (!comboSeen || t != comboTag) SetComboBoxClear(window, t);
            SetComboBoxItem(window, t, text);
            comboSeen = true;
            comboTag = t;
        }
        if (StartsWith(t, L'8') && property == L"Text") SetEditText(window, t, text);
    }
    ForgetItemState(window);

    const IniFile ini(ProgramIniPath());
    if (japanese) {
        window.SetFormFont(ini.ReadString(L"SystemFontJpn", L"Name", L"ＭＳ ゴシック"),
                           ini.ReadInteger(L"SystemFontJpn", L"Size", 14));
    } else {
        window.SetFormFont(ini.ReadString(L"SystemFontEng", L"Name", L"Courier New"),
                           ini.ReadInteger(L"SystemFontEng", L"Size", 12));
    }
}

}  // namespace

std::wstring LanguageFolder() {
    const std::wstring path = ProgramPath();
    const size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    if (const size_t dot = name.find_last_of(L'.'); dot != std::wstring::npos) name.erase(dot);
    return ProgramFolder() + L"\\Language\\" + name;
}

std::wstring LanguageFilePath(const std::wstring& windowFileName) { return LanguageFolder() + L"\\" + windowFileName; }

bool IsNumericStr(const std::wstring& text) {
    for (wchar_t c : text)
        if (c < L'0' || c > L'9') return false;
    return true;
}

bool ReadLanguageFile(const std::wstring& path, std::vector<std::wstring>& lines) {
    lines.clear();
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    return ReadUtf16Lines(path, lines);
}

bool CheckLanguageLines(const std::vector<std::wstring>& lines, HWND owner) {
    for (size_t i = 0; i < lines.size(); ++i) {
        std::vector<std::wstring> f;
        StringToCsvList(lines[i], f);
        if (f.size() != 6) {
            ShowLineError(owner, L"Information : 個数が6個ではありません\r\n",
                          L"Information : Items is not 6.\r\n[OK]\r\n", i + 1, lines[i]);
            return false;
        }
        if (!EqualsNoCase(f[0], L"Tag") && !IsNumericStr(f[0])) {
            ShowLineError(owner, L"Information : 先頭が番号ではありません\r\n",
                          L"Information : First column is not numeric.\r\n[OK]\r\n", i + 1, lines[i]);
            return false;
        }
    }
    return true;
}

bool CheckLanguageFile(const std::wstring& path, HWND owner) {
    std::vector<std::wstring> lines;
    if (!ReadLanguageFile(path, lines)) return true;
    return CheckLanguageLines(lines, owner);
}

void SetJapanese(TFormBase& window, const std::wstring& file) { ApplyLanguageFile(window, file, 4, true); }

void SetEnglish(TFormBase& window, const std::wstring& file) { ApplyLanguageFile(window, file, 5, false); }

void SetMenuCaption(TFormBase& window, const std::wstring& tagText, const std::wstring& text) {
    int tag = 0;
    if (!TagValue(tagText, tag)) return;
    // The items of every menu bar the window swaps in and of its pop-up
    // menus, not only of the bar shown now.
    const bool onBar = window.MenuHandle() &&
                       GetMenuState(window.MenuHandle(), static_cast<UINT>(tag), MF_BYCOMMAND) != static_cast<UINT>(-1);
    if (!onBar && window.MenuItemCaption(tag).empty()) return;
    window.SetMenuItemCaption(tag, text);
}

void SetLabelButtonPanelTabsheetGroupboxCaption(TFormBase& window, const std::wstring& tagText,
                                                const std::wstring& text) {
    int tag = 0;
    if (!TagValue(tagText, tag) || tag < 2001 || tag > kTitleTag) return;
    const Component* c =
        FindComponent(window, tagText,
                      {ComponentKind::Label, ComponentKind::Button, ComponentKind::Panel, ComponentKind::TabSheet,
                       ComponentKind::GroupBox, ComponentKind::RadioGroup, ComponentKind::CheckBox});
    if (!c) return;
    if (c->kind == ComponentKind::TabSheet) {
        if (!c->tabControl || c->tabIndex < 0) return;
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(text.c_str());
        SendMessageW(c->tabControl, TCM_SETITEMW, static_cast<WPARAM>(c->tabIndex), reinterpret_cast<LPARAM>(&item));
        return;
    }
    if (c->hwnd) SetWindowTextW(c->hwnd, text.c_str());
}

void SetFormCaption(TFormBase& window, const std::wstring& tagText, const std::wstring& text) {
    // Only the window's own Tag: a longer number that merely begins with the
    // same digits names some other component, not the title.
    int tag = 0;
    if (!TagValue(tagText, tag) || tag != kTitleTag) return;
    window.SetCaption(text);
}

void SetRadioGroupCaption(TFormBase& window, const std::wstring& tagText, const std::wstring& text) {
    if (HWND h = FindControl(window, tagText, ComponentKind::RadioGroup)) SetWindowTextW(h, text.c_str());
}

void SetCheckBoxCaption(TFormBase& window, const std::wstring& tagText, const std::wstring& text) {
    if (HWND h = FindControl(window, tagText, ComponentKind::CheckBox)) SetWindowTextW(h, text.c_str());
}

void SetEditText(TFormBase& window, const std::wstring& tagText, const std::wstring& text) {
    if (HWND h = FindControl(window, tagText, ComponentKind::Edit)) SetWindowTextW(h, text.c_str());
}

void SetListBoxClear(TFormBase& window, const std::wstring& tagText) {
    HWND h = FindControl(window, tagText, ComponentKind::ListBox);
    if (!h) return;
    const LRESULT sel = SendMessageW(h, LB_GETCURSEL, 0, 0);
    SendMessageW(h, LB_RESETCONTENT, 0, 0);
    if (sel >= 0) {
        PendingSelections()[h] = static_cast<int>(sel);
    } else {
        PendingSelections().erase(h);
    }
}

void SetListBoxItem(TFormBase& window, const std::wstring& tagText, const std::wstring& text) {
    HWND h = FindControl(window, tagText, ComponentKind::ListBox);
    if (!h) return;
    const LRESULT index = SendMessageW(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    auto it = PendingSelections().find(h);
    if (index >= 0 && it != PendingSelections().end() && it->second == static_cast<int>(index)) {
        SendMessageW(h, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        PendingSelections().erase(it);
    }
}

void SetComboBoxClear(TFormBase& window, const std::wstring& tagText) {
    HWND h = FindControl(window, tagText, ComponentKind::ComboBox);
    if (!h) return;
    const LRESULT sel = SendMessageW(h, CB_GETCURSEL, 0, 0);
    // Emptying the items also empties an editable combo box's text: a text
    // the user typed (no item selected) is put back.
    const std::wstring typed = sel < 0 ? WindowTextOf(h) : std::wstring();
    SendMessageW(h, CB_RESETCONTENT, 0, 0);
    if (sel >= 0) {
        PendingSelections()[h] = static_cast<int>(sel);
    } else {
        PendingSelections().erase(h);
        if (!typed.empty()) SetWindowTextW(h, typed.c_str());
    }
}

void SetComboBoxItem(TFormBase& window, const std::wstring& tagText, const std::wstring& text) {
    HWND h = FindControl(window, tagText, ComponentKind::ComboBox);
    if (!h) return;
    const LRESULT index = SendMessageW(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    auto it = PendingSelections().find(h);
    if (index >= 0 && it != PendingSelections().end() && it->second == static_cast<int>(index)) {
        SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        PendingSelections().erase(it);
    }
}

void SetRadioGroupClear(TFormBase& window, const std::wstring& tagText) {
    const Component* c = FindComponent(window, tagText, {ComponentKind::RadioGroup});
    if (c && c->hwnd) RadioCursors()[c->hwnd] = 0;
}

void SetRadioGroupItem(TFormBase& window, const std::wstring& tagText, const std::wstring& text) {
    const Component* c = FindComponent(window, tagText, {ComponentKind::RadioGroup});
    if (!c || !c->hwnd) return;
    size_t& next = RadioCursors()[c->hwnd];
    if (next < c->radioButtons.size()) SetWindowTextW(c->radioButtons[next], text.c_str());
    ++next;
}

}  // namespace quib
