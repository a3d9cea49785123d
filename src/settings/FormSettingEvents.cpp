// The parameter settings dialog's values and handlers: reading the settings
// into the controls, the colour page, the pickers, the checks on OK and the
// writing.

#include "settings/FormSetting.h"
#include "extract/FormInputExtract.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include "extract/FormBrowse.h"
#include "launch/FormExtention.h"
#include "settings/SettingKeys.h"
#include "util/ColorText.h"
#include "util/Controls.h"
#include "util/Message.h"
#include "util/MyUtility.h"
#include "util/PathPrefix.h"

namespace quib {
namespace {

// Where the dialog keeps the page it showed last.
constexpr IniKey kActivePage{L"Setting", L"ActivePageIndex", L"0"};

// The fields OK checks, in order, with the names its messages give them
// (executable, archive, WIC, GDI+, text, movie and music).
struct ExtCheck {
    int field;
    const wchar_t* name;
};
const ExtCheck kOkChecks[] = {{0, L"「実行ファイル名 拡張子」"}, {1, L"「圧縮 拡張子」"},    {2, L"「画像[WIC] 拡張子」"},
                              {3, L"「画像[GDI] 拡張子」"},      {4, L"「ﾃｷｽﾄﾋﾞｭｰﾜ 拡張子」"}, {6, L"「動画・音楽 拡張子」"}};
// The names a field is given when the user leaves it.
const wchar_t* const kLeaveNames[7] = {L"「実行ファイル名」", L"「圧縮 拡張子」", L"「画像 拡張子」",
                                       L"「画像 拡張子」", L"「ﾃｷｽﾄﾋﾞｭｰﾜ 拡張子」", nullptr, nullptr};

bool Checked(HWND check) { return SendMessageW(check, BM_GETCHECK, 0, 0) == BST_CHECKED; }
int Selection(HWND combo) { return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)); }
void Select(HWND combo, int index) { SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

int PositionOf(const std::vector<std::wstring>& items, const std::wstring& text) {
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i] == text) return static_cast<int>(i);
    return -1;
}

bool FileExists(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

// ------------------------------------------------------------------ reading and writing

void TFormSetting::ReadIniFileValue() {
    const IniFile ini = Settings();
    ReadSettingValues(ini, ProgramFolder(), values_, handle_);
    const MainSettings& m = values_.main;
    items_ = ColorItemsOf(values_);

    const bool boot[12] = {m.BoolHiddenFileShow, m.BoolSystemFileShow, m.BoolListViewTitleShow, m.BoolFileSizeFull,
                           m.BoolFileSize1024,   values_.ext12,        values_.unicodeShow,     values_.dateShow,
                           values_.attrShow,     values_.timeShow,     m.BoolSizeAlignmentRight, m.BoolFilerSortExplorer};
    for (size_t i = 0; i < 12; ++i) SendMessageW(bootChecks_[i], BM_SETCHECK, boot[i] ? BST_CHECKED : BST_UNCHECKED, 0);
    // Each browse sort switch is set as a click sets it: at most one stays on.
    const bool sorts[3] = {values_.browseExplorer, values_.browseSJIS, values_.browseUnicode};
    for (size_t i = 0; i < 3; ++i) {
        SendMessageW(browseChecks_[i], BM_SETCHECK, sorts[i] ? BST_CHECKED : BST_UNCHECKED, 0);
        BrowseSortClick(browseChecks_[i]);
    }
    SelectCombos();

    const StringList* lists[7] = {&m.StrListExeExt, &m.StrListArcExt, &m.StrListWicExt,  &m.StrListGdiExt,
                                  &m.StrListTxtExt, &m.StrListOthersExt, &m.StrListWmpExt};
    for (size_t i = 0; i < 7; ++i) SetText(extFields_[i], JoinExtList(*lists[i]));
    SendMessageW(extractList_, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < 5; ++i) SendMessageW(extractList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L""));
    for (int i = 0; i < 5; ++i) RefreshExtractLine(i);
    SendMessageW(extractList_, LB_SETCURSEL, 0, 0);
    const std::wstring* susie[4] = {&m.StrSpiTextFileName, &m.StrSpmTextFileName, &m.StrQuibFMsusieFileName,
                                    &m.StrQuibFMimageFileName};
    for (size_t i = 0; i < 4; ++i) SetText(susieFields_[i], *susie[i]);
    SetText(exifFile_, values_.exifFileName);
    SetText(exifOption_, values_.exifOption);
    SetText(rotateExcept_, values_.rotateAutoExcept);
    SendMessageW(notUse_, BM_SETCHECK, m.BoolQuibFMextNotUse ? BST_CHECKED : BST_UNCHECKED, 0);
    for (size_t i = 0; i < 18; ++i) {
        SetText(slotExt_[i], JoinExtList(m.StrListFileExt[i]));
        SetText(slotExe_[i], m.StrFileExe[i]);
    }
    const int first = context_.StrSettingType == L"FormText" ? 13 : 0;
    SendMessageW(colorList_, LB_SETCURSEL, static_cast<WPARAM>(first), 0);
    ShowColorItem(first);
}

// The lists' choices; again after a language file replaced their items.
void TFormSetting::SelectCombos() {
    Select(bootCombos_[0], values_.main.IntVclStyle);
    Select(bootCombos_[1], values_.folderSelect);
    Select(bootCombos_[2], values_.sortMode);
    Select(bootCombos_[3], values_.sortMethod);
    for (size_t i = 0; i < 5; ++i)
        Select(imageCombos_[i], PositionOf(ImageListItems(static_cast<ImageList>(i)), values_.imageTexts[i]));
    Select(imageCombos_[5], values_.imageIntervalIndex);
    for (size_t i = 0; i < 3; ++i) Select(fileSelect_[i], values_.fileSelect[i]);
}

void TFormSetting::WriteIniFileValue() {
    MainSettings& m = values_.main;
    SetColorItems(values_, items_);
    bool* boot[12] = {&m.BoolHiddenFileShow, &m.BoolSystemFileShow, &m.BoolListViewTitleShow, &m.BoolFileSizeFull,
                      &m.BoolFileSize1024,   &values_.ext12,        &values_.unicodeShow,     &values_.dateShow,
                      &values_.attrShow,     &values_.timeShow,     &m.BoolSizeAlignmentRight, &m.BoolFilerSortExplorer};
    for (size_t i = 0; i < 12; ++i) *boot[i] = Checked(bootChecks_[i]);
    values_.browseExplorer = Checked(browseChecks_[0]);
    values_.browseSJIS = Checked(browseChecks_[1]);
    values_.browseUnicode = Checked(browseChecks_[2]);
    // A list without a choice keeps the value it was opened with.
    auto take = [](HWND combo, int& value) {
        if (Selection(combo) >= 0) value = Selection(combo);
    };
    take(bootCombos_[0], m.IntVclStyle);
    take(bootCombos_[1], values_.folderSelect);
    take(bootCombos_[2], values_.sortMode);
    take(bootCombos_[3], values_.sortMethod);
    StringList* lists[7] = {&m.StrListExeExt, &m.StrListArcExt, &m.StrListWicExt,  &m.StrListGdiExt,
                            &m.StrListTxtExt, &m.StrListOthersExt, &m.StrListWmpExt};
    for (size_t i = 0; i < 7; ++i) *lists[i] = SplitExtList(GetText(extFields_[i]));
    std::wstring* susie[4] = {&m.StrSpiTextFileName, &m.StrSpmTextFileName, &m.StrQuibFMsusieFileName,
                              &m.StrQuibFMimageFileName};
    for (size_t i = 0; i < 4; ++i) *susie[i] = GetText(susieFields_[i]);
    values_.exifFileName = GetText(exifFile_);
    values_.exifOption = GetText(exifOption_);
    values_.rotateAutoExcept = GetText(rotateExcept_);
    for (size_t i = 0; i < 5; ++i) {
        const int sel = Selection(imageCombos_[i]);
        if (sel >= 0) values_.imageTexts[i] = ImageListItems(static_cast<ImageList>(i))[static_cast<size_t>(sel)];
    }
    take(imageCombos_[5], values_.imageIntervalIndex);
    m.BoolQuibFMextNotUse = Checked(notUse_);
    for (size_t i = 0; i < 18; ++i) {
        m.StrListFileExt[i] = SplitExtList(GetText(slotExt_[i]));
        m.StrFileExe[i] = GetText(slotExe_[i]);
    }
    for (size_t i = 0; i < 3; ++i) take(fileSelect_[i], values_.fileSelect[i]);
    WriteSettingValues(Settings(), values_);
}

void TFormSetting::FormShow() {
    CloseIme();
    for (HWND list : {colorList_, namedColors_, extractList_}) SetListBoxRowHeight(list, Scale(16));
    int page = ReadKeyInt(Settings(), kActivePage);
    if (page < 0 || page >= kPageCount || !shownPage_[static_cast<size_t>(page)]) page = tabPages_.front();
    ShowPage(static_cast<Page>(page));
    if (HWND first = GetNextDlgTabItem(pages_[static_cast<size_t>(page)], nullptr, FALSE)) SetFocus(first);
}

void TFormSetting::LanguageApplied() {
    SelectCombos();
    // The rows follow the lists' font, which the language file may change.
    for (HWND list : {colorList_, namedColors_, extractList_}) SetListBoxRowHeight(list, Scale(16));
}

void TFormSetting::FormDestroy() {
    const int page = ActivePage();
    if (page >= 0) WriteKeyInt(Settings(), kActivePage, page);
    if (sampleBrush_) DeleteObject(sampleBrush_);
}

// ------------------------------------------------------------------ pages and keys

int TFormSetting::ActivePage() const {
    const int tab = static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0));
    return tab >= 0 && tab < static_cast<int>(tabPages_.size()) ? tabPages_[static_cast<size_t>(tab)] : -1;
}

void TFormSetting::ShowPage(Page p) {
    for (size_t t = 0; t < tabPages_.size(); ++t)
        if (tabPages_[t] == static_cast<int>(p)) SendMessageW(tabs_, TCM_SETCURSEL, t, 0);
    for (size_t i = 0; i < pages_.size(); ++i)
        ShowWindow(pages_[i], static_cast<int>(i) == static_cast<int>(p) ? SW_SHOW : SW_HIDE);
}

LRESULT TFormSetting::Notify(NMHDR* hdr) {
    if (hdr->hwndFrom == tabs_ && hdr->code == TCN_SELCHANGE) {
        const int page = ActivePage();
        if (page >= 0) ShowPage(static_cast<Page>(page));
    }
    return 0;
}

HWND TFormSetting::PathFieldOf(HWND control) const {
    for (HWND f : susieFields_)
        if (f == control) return f;
    if (control == exifFile_ || control == exifOption_) return control;
    return nullptr;
}

bool TFormSetting::FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) {
    if (key == VK_TAB && ctrl && !alt) {
        // Ctrl+Tab and Ctrl+Shift+Tab walk the pages shown.
        const int count = static_cast<int>(tabPages_.size());
        int tab = static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0));
        tab = ((tab + (shift ? -1 : 1)) % count + count) % count;
        ShowPage(static_cast<Page>(tabPages_[static_cast<size_t>(tab)]));
        return true;
    }
    if (key == VK_RETURN && !shift && !ctrl && !alt) {
        HWND field = PathFieldOf(GetFocus());
        if (!field) return false;
        // Enter never presses a button from a path field; in an empty one it
        // opens the field's picker.
        if (field != exifOption_ && GetText(field).empty()) {
            const bool program = field == susieFields_[2] || field == susieFields_[3] || field == exifFile_;
            const wchar_t* filter =
                program ? L"Exe(*.exe)\0*.exe\0All(*.*)\0*.*\0" : L"Text(*.txt)\0*.txt\0All(*.*)\0*.*\0";
            // The plug-in setup programs always by the file dialog; the list
            // files and the Exif program by the picker the settings name.
            const bool setupProgram = field == susieFields_[2] || field == susieFields_[3];
            if (setupProgram || Settings().ReadInteger(L"FolderSelect", L"Index", 1) == 0) {
                PickFile(field, filter);
            } else {
                BrowseFile(field, filter);
            }
        }
        return true;
    }
    return false;
}

bool TFormSetting::FormCloseQuery() {
    if (BoolButtomOK || BoolButtomCancel) return true;
    return ShowMsgJE(handle_, L"設定が保存されません\r\n終了しますか？", L"Change is not saved.\r\nExit this ?\r\n[OK] / [NO]",
                     MsgButtons::YesNo, MsgStyle::Question) == mrYes;
}

void TFormSetting::FormClose() { CloseIme(); }

// ------------------------------------------------------------------ buttons

bool TFormSetting::ExtensionListsValid() {
    for (const ExtCheck& c : kOkChecks)
        if (!ExtStrCheck(GetText(extFields_[static_cast<size_t>(c.field)]), c.name, handle_)) {
            ShowPage(Page::Setting);
            SetFocus(extFields_[static_cast<size_t>(c.field)]);
            return false;
        }
    const std::wstring refused = FirstRefusedArchiveExtension(GetText(extFields_[1]));
    if (!refused.empty()) {
        ShowMsgJE(handle_, L"Information : 無効な拡張子です\r\n" + refused,
                  L"Information : This extention is not accept.\r\n[OK]\r\n" + refused);
        ShowPage(Page::Setting);
        SetFocus(extFields_[1]);
        return false;
    }
    return true;
}

void TFormSetting::ButtonOKClick() {
    if (!ExtensionListsValid()) return;
    WriteIniFileValue();
    BoolButtomOK = true;
    SetModalResult(mrOK);
}

void TFormSetting::ButtonCancelClick() {
    BoolButtomCancel = true;
    SetModalResult(mrCancel);
}

void TFormSetting::ControlCommand(HWND control, int, int code) {
    if (code == BN_CLICKED) {
        if (control == ok_) return ButtonOKClick();
        if (control == cancel_) return ButtonCancelClick();
        if (control == fontButton_) return ButtonFontClick();
        if (control == applyColor_) return ButtonApplyColorClick();
        if (control == defaultColors_) return ButtonDefaultColorClick();
        if (control == filerColors_) return ButtonFilerColorClick();
        for (HWND c : browseChecks_)
            if (control == c) return BrowseSortClick(c);
        if (control == extractSet_) return ButtonExtractSetClick();
        if (control == extractDelete_) return ButtonExtractDeleteClick();
        if (control == susieStart_) return ButtonSusieStartClick();
        for (size_t i = 0; i < 4; ++i) {
            const wchar_t* filter =
                i < 2 ? L"Text(*.txt)\0*.txt\0All(*.*)\0*.*\0" : L"Exe(*.exe)\0*.exe\0All(*.*)\0*.*\0";
            if (control == susieList_[i]) return PickFile(susieFields_[i], filter);
            if (control == susieBrowse_[i]) return BrowseFile(susieFields_[i], filter);
        }
        if (control == exifList_) return PickFile(exifFile_, L"Exe(*.exe)\0*.exe\0All(*.*)\0*.*\0");
        if (control == exifBrowse_) return BrowseFile(exifFile_, L"Exe(*.exe)\0*.exe\0All(*.*)\0*.*\0");
        if (control == initSlots_) return ButtonInitSlotsClick();
        for (size_t i = 0; i < 18; ++i) {
            if (control == slotRead_[i]) return SlotReadClick(static_cast<int>(i));
            if (control == slotList_[i]) return ListBrowseFileName(static_cast<int>(i));
        }
        return;
    }
    if (code == LBN_SELCHANGE && control == colorList_) return ColorListClick();
    if (code == LBN_SELCHANGE && control == namedColors_) return NamedColorListClick();
    if (code == EN_CHANGE) {
        for (int i = 0; i < 3; ++i)
            if (control == rgb_[static_cast<size_t>(i)]) return ColorFieldChange(i);
    }
    if (code == EN_KILLFOCUS) {
        // Leaving an extension field for another control of its page checks
        // it; leaving for the buttons (OK checks everything itself, Cancel
        // keeps nothing) or another window does not.
        HWND to = GetFocus();
        if (!to || GetParent(to) != pages_[static_cast<size_t>(Page::Setting)]) return;
        for (size_t i = 0; i < 7; ++i)
            if (control == extFields_[i] && kLeaveNames[i]) ExtStrCheck(GetText(control), kLeaveNames[i], handle_);
        return;
    }
    if (code == CBN_SELCHANGE && control == exifArgs_) {
        SetText(exifOption_, Selection(exifArgs_) == 1 ? L"$(FileNameEx)" : L"");
        return;
    }
    if (code == CBN_SELCHANGE) {
        for (HWND tokens : viewerTokens_) {
            if (control != tokens || Selection(tokens) < 0) continue;
            // The token goes to the clipboard, to be pasted into a program field.
            wchar_t text[64] = {};
            SendMessageW(tokens, CB_GETLBTEXT, static_cast<WPARAM>(Selection(tokens)), reinterpret_cast<LPARAM>(text));
            SetClipboardText(handle_, text);
        }
    }
}

bool TFormSetting::HandleMessage(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
    if (msg == WM_DRAWITEM) {
        const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (!dis || (dis->hwndItem != colorList_ && dis->hwndItem != namedColors_ && dis->hwndItem != extractList_))
            return false;
        DrawListBoxRow(*dis);
        result = TRUE;
        return true;
    }
    if ((msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN) && reinterpret_cast<HWND>(lp) == sample_) {
        if (sampleBrush_) DeleteObject(sampleBrush_);
        sampleBrush_ = CreateSolidBrush(ImageColor);
        result = reinterpret_cast<LRESULT>(sampleBrush_);
        return true;
    }
    return false;
}

// ------------------------------------------------------------------ colour page

void TFormSetting::SetImageColor(COLORREF color) {
    ImageColor = color;
    InvalidateRect(sample_, nullptr, TRUE);
}

void TFormSetting::ColorToDigit(COLORREF color) {
    settingDigits_ = true;
    SetText(rgb_[0], std::to_wstring(GetRValue(color)));
    SetText(rgb_[1], std::to_wstring(GetGValue(color)));
    SetText(rgb_[2], std::to_wstring(GetBValue(color)));
    settingDigits_ = false;
}

COLORREF TFormSetting::DigitToColor() {
    int v[3];
    for (size_t i = 0; i < 3; ++i) {
        std::wstring replacement;
        v[i] = ColorFieldValue(GetText(rgb_[i]), replacement);
    }
    return RGB(v[0], v[1], v[2]);
}

void TFormSetting::ShowColorItem(int item) {
    currentItem_ = item;
    const ColorItem& c = items_[static_cast<size_t>(item)];
    SetImageColor(c.color);
    ColorToDigit(c.color);
    const bool font = ColorItemHasFont(item);
    SetText(fontName_, font ? c.fontName : L"");
    SetText(fontSize_, font ? std::to_wstring(c.fontSize) : L"");
    EnableWindow(fontButton_, font);
}

void TFormSetting::ColorListClick() {
    int item = static_cast<int>(SendMessageW(colorList_, LB_GETCURSEL, 0, 0));
    if (item < 0) return;
    if (context_.StrSettingType == L"FormText" && (item < 13 || item > 15)) {
        item = 13;
        SendMessageW(colorList_, LB_SETCURSEL, 13, 0);
        ShowColorItem(item);
        ShowMsgJE(handle_, L"Information : [Text ﾃｷｽﾄ] 以外は選択できません",
                  L"Information : Item can not selected without [Text].\r\n[OK]");
        return;
    }
    ShowColorItem(item);
}

void TFormSetting::ColorFieldChange(int rgb) {
    if (settingDigits_) return;
    HWND field = rgb_[static_cast<size_t>(rgb)];
    std::wstring replacement;
    ColorFieldValue(GetText(field), replacement);
    if (!replacement.empty()) {
        settingDigits_ = true;
        SetText(field, replacement);
        SendMessageW(field, EM_SETSEL, 3, 3);
        settingDigits_ = false;
    }
    SetImageColor(DigitToColor());
}

void TFormSetting::NamedColorListClick() {
    const LRESULT sel = SendMessageW(namedColors_, LB_GETCURSEL, 0, 0);
    if (sel < 0) return;
    wchar_t text[128] = {};
    SendMessageW(namedColors_, LB_GETTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(text));
    std::wstring name = text;
    name = name.substr(0, name.find(L' '));
    COLORREF color = 0;
    if (!ParseColorText(name, color)) return;
    SetImageColor(color);
    ColorToDigit(color);
}

void TFormSetting::ButtonApplyColorClick() {
    ColorItem& c = items_[static_cast<size_t>(currentItem_)];
    c.color = ImageColor;
    if (ColorItemHasFont(currentItem_)) {
        c.fontName = GetText(fontName_);
        c.fontSize = _wtoi(GetText(fontSize_).c_str());
    }
}

void TFormSetting::ButtonDefaultColorClick() {
    items_ = DefaultColorItems(ProgramFolder());
    ShowColorItem(currentItem_);
}

void TFormSetting::ButtonFilerColorClick() {
    ImportFilerColors(ProgramFolder(), items_);
    ShowColorItem(currentItem_);
}

void TFormSetting::ButtonFontClick() {
    LOGFONTW lf{};
    const std::wstring name = GetText(fontName_);
    wcsncpy_s(lf.lfFaceName, LF_FACESIZE, name.c_str(), _TRUNCATE);
    HDC dc = GetDC(handle_);
    lf.lfHeight = -MulDiv(_wtoi(GetText(fontSize_).c_str()), GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(handle_, dc);
    lf.lfCharSet = DEFAULT_CHARSET;
    CHOOSEFONTW cf{};
    cf.lStructSize = sizeof(cf);
    cf.hwndOwner = handle_;
    cf.lpLogFont = &lf;
    cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    cf.rgbColors = ImageColor;
    if (!ChooseFontW(&cf)) return;
    SetImageColor(cf.rgbColors);
    ColorToDigit(cf.rgbColors);
    SetText(fontName_, lf.lfFaceName);
    SetText(fontSize_, std::to_wstring(cf.iPointSize / 10));
}

// ------------------------------------------------------------------ boot, extract, Susie, expand

void TFormSetting::BrowseSortClick(HWND check) {
    if (!Checked(check)) return;
    for (HWND other : browseChecks_)
        if (other != check) SendMessageW(other, BM_SETCHECK, BST_UNCHECKED, 0);
}

void TFormSetting::RefreshExtractLine(int index) {
    const IniFile ini = Settings();
    const std::wstring k = std::to_wstring(index);
    const std::wstring name = ini.ReadString(key::ExtractNameSection, k, L"");
    std::wstring folder = ini.ReadString(key::ExtractFolderSection, k, L"");
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    const std::wstring line = ExtractDestinationLine(index, name, folder, BoolJapanese);
    const LRESULT sel = SendMessageW(extractList_, LB_GETCURSEL, 0, 0);
    SendMessageW(extractList_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    SendMessageW(extractList_, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(line.c_str()));
    if (sel >= 0) SendMessageW(extractList_, LB_SETCURSEL, static_cast<WPARAM>(sel), 0);
}

void TFormSetting::ButtonExtractSetClick() {
    const LRESULT sel = SendMessageW(extractList_, LB_GETCURSEL, 0, 0);
    if (sel < 0 || sel > 4) return;
    const int index = static_cast<int>(sel);
    if (context_.noteExtractIndex) context_.noteExtractIndex(index);
    if (ShowModalForm<TFormInputExtract>(index, context_.pickers, std::wstring()) == mrOK) RefreshExtractLine(index);
    SetFocus(extractList_);
}

void TFormSetting::ButtonExtractDeleteClick() {
    const LRESULT sel = SendMessageW(extractList_, LB_GETCURSEL, 0, 0);
    if (sel < 0) return;
    const IniFile ini = Settings();
    const std::wstring k = std::to_wstring(sel);
    const std::wstring lines = L"Name=" + ini.ReadString(key::ExtractNameSection, k, L"") + L"\r\nFolder=" +
                               ini.ReadString(key::ExtractFolderSection, k, L"") + L"\r\n";
    if (ShowMsgJE(handle_, lines + L"削除しますか？", lines + L"Delete ?\r\n[OK] / [NO]", MsgButtons::YesNo,
                  MsgStyle::Question) != mrYes)
        return;
    ini.WriteString(key::ExtractNameSection, k, L"");
    ini.WriteString(key::ExtractFolderSection, k, L"");
    RefreshExtractLine(static_cast<int>(sel));
}

void TFormSetting::ButtonSusieStartClick() {
    const std::wstring name = GetText(susieFields_[2]);
    if (name.empty()) {
        ShowMsgJE(handle_, L"Information : ファイル名が設定されていません", L"Information : Filename is empty.\r\n[OK]");
        return;
    }
    const std::wstring program = ExpandPathPrefix(name, ProgramPath());
    if (!FileExists(program)) {
        ShowMsgJE(handle_, L"Information : ファイルがありません", L"Information : File is not exist.\r\n[OK]");
        return;
    }
    if (context_.startProgram) {
        context_.startProgram(program);
    } else {
        ShellExecuteW(handle_, nullptr, program.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
}

void TFormSetting::PickFile(HWND field, const wchar_t* filter) {
    const std::wstring current = ExpandPathPrefix(GetText(field), ProgramPath());
    wchar_t file[MAX_PATH] = {};
    std::wstring folder;
    if (FileExists(current)) {
        wcsncpy_s(file, MAX_PATH, current.c_str(), _TRUNCATE);
        folder = current.substr(0, current.find_last_of(L'\\'));
    }
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = handle_;
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (GetOpenFileNameW(&ofn)) SetText(field, file);
}

// The program's own browse window, picking a file; without a host (a window
// other than the main one opened the dialog) the file dialog stands in. An
// empty field starts at the open archive; a field naming a missing file is
// said (the program slots say it in words of their own) and starts at C:\.
void TFormSetting::BrowseFile(HWND field, const wchar_t* filter, bool programSlot) {
    if (!context_.pickers) return PickFile(field, filter);
    const std::wstring text = GetText(field);
    std::wstring start = ExpandPathPrefix(text, ProgramPath());
    if (text.empty()) {
        start = context_.pickers->loadFileName;
    } else if (!FileExists(start)) {
        if (programSlot) {
            ShowMsgJE(handle_, L"Information : 以下のファイルが在りませんでした\r\n" + start + L"\r\nカレントを C:\\ に変更します",
                      L"Information : File is not exist.\r\n" + start + L"\r\nCurrent change to C:\\\r\n[OK]");
        } else {
            ShowMsgJE(handle_, L"Information : ファイルがありません\r\nカレントを C:\\ に変更します\r\n" + start,
                      L"Information : File is not exist.\r\nChange current to C:\\\r\n[OK]\r\n" + start);
        }
        start = L"C:\\";
    }
    Settings().WriteString(L"Browse", L"Target", L"File");
    std::wstring chosen;
    FormInstance<TFormBrowse> browse(*context_.pickers, start, chosen);
    if (browse.ShowModal() == mrOK && FileExists(chosen)) SetText(field, chosen);
    SetFocus(field);
}

void TFormSetting::ListBrowseFileName(int slot) {
    HWND field = slotExe_[static_cast<size_t>(slot)];
    const wchar_t* filter = L"Exe(*.exe)\0*.exe\0All(*.*)\0*.*\0";
    const size_t page = static_cast<size_t>(slot / 6);
    if (SendMessageW(fileSelect_[page], CB_GETCURSEL, 0, 0) == 0) return PickFile(field, filter);
    BrowseFile(field, filter, true);
}

void TFormSetting::SlotReadClick(int slot) {
    const auto [ext, program] = ShowModalForm<TFormExtention>();
    if (ext.empty() && program.empty()) return;
    SetText(slotExt_[static_cast<size_t>(slot)], ext);
    SetText(slotExe_[static_cast<size_t>(slot)], program);
}

void TFormSetting::ButtonInitSlotsClick() {
    std::array<std::wstring, 6> ext, exe;
    DefaultLaunchSlots(ProgramPath(), ext, exe);
    for (size_t i = 0; i < 6; ++i) {
        SetText(slotExt_[i], ext[i]);
        SetText(slotExe_[i], exe[i]);
    }
}

}  // namespace quib
