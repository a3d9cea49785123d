#include "settings/FormArchiveSetting.h"

#include <commctrl.h>

#include <algorithm>

#include "settings/SettingKeys.h"
#include "util/Controls.h"
#include "util/Message.h"

namespace quib {
namespace {

constexpr IniKey kActivePage{L"ArchiveSetting", L"ActivePageIndex", L"0"};

FormDescription ArchiveSettingDescription() {
    FormDescription d = FormDescription::Window(L"FormArchiveSetting", SIZE{840, 605}, SIZE{840, 605});
    d.languageFile = L"ArchiveSetting.txt";
    return d;
}

const wchar_t* const kPageCaptions[TFormArchiveSetting::kPageCount] = {
    L"Setting(&1)", L"Archive1(&2)", L"Archive2(&3)", L"UnPack1(&4)", L"UnPack2(&5)", L"Delete1(&6)"};
const wchar_t* const kProbeCaptions[7] = {L"lha(&L)", L"zip(&Z)", L"7z(&S)", L"cab(&B)", L"rar(&R)", L"gz(&G)", L"iso(&I)"};
const wchar_t* const kSwitchCaptions[TFormArchiveSetting::SwitchCount] = {
    L"ファイル削除時にタイムスタンプを保持(&T)",
    L"ファイル削除時にファイル属性を保持(&A)",
    L"パス付で解凍(&N)",
    L"圧縮ファイル名と同名のフォルダを自動で作成して解凍(&M)",
    L"圧縮ファイルにフォルダがある場合はフォルダ名で作成(&D)",
    L"解凍後quibFMを前面に表示(&J)",
    L"解凍後にパスをクリップへ(&P)",
    L"解凍時にエラーでも正常として処理を続行[通常は使用しないで下さい](&E)"};

bool Checked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

}  // namespace

TFormArchiveSetting::TFormArchiveSetting() : TFormBase(ArchiveSettingDescription()) {}

void TFormArchiveSetting::FormCreate() {
    SetCaption(L"アーカイブパラメータ設定");
    BoolButtomOK = BoolButtomCancel = BoolFormShow = false;
    // The page control takes no tab stop: Tab walks the page's boxes.
    tabs_ = AddControl(ComponentKind::Other, 0, WC_TABCONTROLW, L"", WS_VISIBLE | WS_CLIPSIBLINGS);
    for (int i = 0; i < kPageCount; ++i) {
        HWND page = CreatePanel(handle_, 3000 + i, GetSysColor(COLOR_BTNFACE));
        SetWindowLongPtrW(page, GWL_EXSTYLE, GetWindowLongPtrW(page, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
        pages_[static_cast<size_t>(i)] = page;
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(kPageCaptions[i]);
        SendMessageW(tabs_, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        Component sheet{ComponentKind::TabSheet, 2101 + i, page};
        sheet.tabControl = tabs_;
        sheet.tabIndex = i;
        RegisterComponent(sheet);
    }
    auto other = [this](HWND h) {
        RegisterComponent({ComponentKind::Other, 0, h});
        return h;
    };
    // Setting page.
    HWND setting = Page(ArchivePage::Setting);
    probeLabel_ = AddControl(ComponentKind::Label, 2001, L"STATIC", L"自己解凍式を自動チェック", WS_VISIBLE, 0, 0, setting);
    for (size_t i = 0; i < 7; ++i)
        probes_[i] = AddControl(ComponentKind::CheckBox, 6001 + static_cast<int>(i), L"BUTTON", kProbeCaptions[i],
                                WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0, setting);
    unzipLabel_ = AddControl(ComponentKind::Label, 2002, L"STATIC", L"解凍用ZipDLL選択(&V)", WS_VISIBLE, 0, 0, setting);
    unzipDll_ = other(AddControl(ComponentKind::Other, 0, L"COMBOBOX", L"", WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST,
                                 0, 7001, setting));
    deleteLabel_ = AddControl(ComponentKind::Label, 2003, L"STATIC", L"削除用ZipDLL選択(&W)", WS_VISIBLE, 0, 0, setting);
    deleteZipDll_ = other(AddControl(ComponentKind::Other, 0, L"COMBOBOX", L"",
                                     WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, 0, 7002, setting));
    for (const wchar_t* item : {L"UNZIP.DLL", L"LMZIP32.DLL", L"7-ZIP32.DLL"})
        SendMessageW(unzipDll_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    for (const wchar_t* item : {L"ZIP.DLL", L"LMZIP32.DLL", L"7-ZIP32.DLL"})
        SendMessageW(deleteZipDll_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    for (size_t i = 0; i < SwitchCount; ++i)
        switches_[i] = AddControl(ComponentKind::CheckBox, 6011 + static_cast<int>(i), L"BUTTON", kSwitchCaptions[i],
                                  WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0, setting);
    dllGroup_ = AddControl(ComponentKind::Other, 0, L"BUTTON", L"DLL読込フォルダ設定(&L)", WS_VISIBLE | BS_GROUPBOX, 0,
                           5001, setting);
    dllFolder_[0] = AddControl(ComponentKind::Other, 0, L"BUTTON", L"DLLはSYSTEM32とアプリケーションの起動フォルダ(推奨)",
                               WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 0, 5101, setting);
    dllFolder_[1] = AddControl(ComponentKind::Other, 0, L"BUTTON",
                               L"DLLはアプリケーションの起動フォルダのフルパス(推奨で起動できない場合)",
                               WS_VISIBLE | BS_AUTORADIOBUTTON, 0, 5102, setting);
    Component group{ComponentKind::RadioGroup, 5001, dllGroup_};
    group.radioButtons = {dllFolder_[0], dllFolder_[1]};
    RegisterComponent(group);
    for (HWND h : {dllGroup_, dllFolder_[0], dllFolder_[1]}) other(h);

    // Command-text pages.
    for (int p = 1; p < kPageCount; ++p) {
        const ArchivePage page = static_cast<ArchivePage>(p);
        HWND panel = Page(page);
        int tag = 2300 + p * 20;
        for (const std::wstring& heading : ArchivePageColumns(page))
            headings_[static_cast<size_t>(p)].push_back(
                AddControl(ComponentKind::Label, tag++, L"STATIC", heading, WS_VISIBLE, 0, 0, panel));
        for (const std::wstring& row : ArchivePageRows(page))
            rowLabels_[static_cast<size_t>(p)].push_back(
                AddControl(ComponentKind::Label, tag++, L"STATIC", row, WS_VISIBLE, 0, 0, panel));
        resets_[static_cast<size_t>(p)] =
            AddControl(ComponentKind::Button, 2200 + p, L"BUTTON", L"設定を初期値に戻す(&T)",
                       WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, panel);
    }
    for (const ArchiveTextBox& b : ArchiveTextBoxes()) {
        HWND box = other(AddControl(ComponentKind::Other, 0, L"EDIT", L"",
                                    (b.hidden ? 0 : WS_VISIBLE) | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 0,
                                    Page(b.page)));
        texts_.push_back(box);
        // A hidden row's label goes with it.
        if (b.hidden) ShowWindow(rowLabels_[static_cast<size_t>(b.page)][static_cast<size_t>(b.row)], SW_HIDE);
    }
    ok_ = AddButton(2901, L"OK(&O)", 0, true);
    cancel_ = AddButton(2902, L"ｷｬﾝｾﾙ(&C)");
    ReadIniFileValue();
}

void TFormArchiveSetting::SetCheck(HWND box, bool checked) {
    SendMessageW(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (box == switches_[MakeFolder]) CheckBox52Click();
    if (box == switches_[DouleDisabled]) CheckBox53Click();
}

void TFormArchiveSetting::CheckBox52Click() {
    const bool on = Checked(switches_[MakeFolder]);
    if (!on) SendMessageW(switches_[DouleDisabled], BM_SETCHECK, BST_UNCHECKED, 0);
    EnableWindow(switches_[DouleDisabled], on);
}

void TFormArchiveSetting::CheckBox53Click() {
    if (Checked(switches_[DouleDisabled])) SendMessageW(switches_[WithPath], BM_SETCHECK, BST_CHECKED, 0);
}

void TFormArchiveSetting::ReadIniFileValue() {
    ReadArchiveSettingValues(Settings(), values_);
    for (HWND box : probes_) SendMessageW(box, BM_SETCHECK, BST_UNCHECKED, 0);
    for (HWND box : switches_) SendMessageW(box, BM_SETCHECK, BST_UNCHECKED, 0);
    SelectIndexes();
    for (size_t i = 0; i < 7; ++i) SetCheck(probes_[i], values_.autoCheckSfx[i]);
    SetCheck(switches_[WithPath], values_.withPath);
    SetCheck(switches_[MakeFolder], values_.makeFolder);
    SetCheck(switches_[DouleDisabled], values_.douleDisabled);
    SetCheck(switches_[MoveExtractFolder], values_.moveExtractFolder);
    SetCheck(switches_[CopyPathToClip], values_.copyPathToClip);
    SetCheck(switches_[TimeStamp], values_.timeStampKeep);
    SetCheck(switches_[Attribute], values_.attributeKeep);
    SetCheck(switches_[ExtractError], values_.extractErrorDisabled);
    CheckBox52Click();
    for (size_t i = 0; i < texts_.size(); ++i) SetText(texts_[i], values_.texts[i]);
}

// The DLL folder and ZIP DLL choices; again after a language file replaced the lists' items.
void TFormArchiveSetting::SelectIndexes() {
    for (size_t i = 0; i < 2; ++i)
        SendMessageW(dllFolder_[i], BM_SETCHECK, static_cast<int>(i) == values_.selectDllFolder ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageW(unzipDll_, CB_SETCURSEL, static_cast<WPARAM>(values_.unzipDll), 0);
    SendMessageW(deleteZipDll_, CB_SETCURSEL, static_cast<WPARAM>(values_.deleteZipDll), 0);
}

void TFormArchiveSetting::WriteIniFileValue() {
    // A choice that shows nothing keeps the value it was opened with.
    if (Checked(dllFolder_[0])) values_.selectDllFolder = 0;
    if (Checked(dllFolder_[1])) values_.selectDllFolder = 1;
    const int unzip = static_cast<int>(SendMessageW(unzipDll_, CB_GETCURSEL, 0, 0));
    const int del = static_cast<int>(SendMessageW(deleteZipDll_, CB_GETCURSEL, 0, 0));
    if (unzip >= 0) values_.unzipDll = unzip;
    if (del >= 0) values_.deleteZipDll = del;
    for (size_t i = 0; i < 7; ++i) values_.autoCheckSfx[i] = Checked(probes_[i]);
    values_.timeStampKeep = Checked(switches_[TimeStamp]);
    values_.attributeKeep = Checked(switches_[Attribute]);
    values_.withPath = Checked(switches_[WithPath]);
    values_.makeFolder = Checked(switches_[MakeFolder]);
    values_.douleDisabled = Checked(switches_[DouleDisabled]);
    values_.moveExtractFolder = Checked(switches_[MoveExtractFolder]);
    values_.copyPathToClip = Checked(switches_[CopyPathToClip]);
    values_.extractErrorDisabled = Checked(switches_[ExtractError]);
    for (size_t i = 0; i < texts_.size(); ++i) values_.texts[i] = GetText(texts_[i]);
    WriteArchiveSettingValues(Settings(), values_);
}

void TFormArchiveSetting::FormShow() {
    BoolFormShow = true;
    CloseIme();
    int page = ReadKeyInt(Settings(), kActivePage);
    if (page < 0 || page >= kPageCount) page = 0;
    ShowPage(static_cast<ArchivePage>(page));
    if (HWND first = GetNextDlgTabItem(pages_[static_cast<size_t>(page)], nullptr, FALSE)) SetFocus(first);
}

void TFormArchiveSetting::LanguageApplied() { SelectIndexes(); }

void TFormArchiveSetting::FormDestroy() {
    const int page = ActivePage();
    if (page >= 0) WriteKeyInt(Settings(), kActivePage, page);
}

int TFormArchiveSetting::ActivePage() const { return static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0)); }

void TFormArchiveSetting::ShowPage(ArchivePage p) {
    SendMessageW(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(p), 0);
    for (size_t i = 0; i < pages_.size(); ++i)
        ShowWindow(pages_[i], static_cast<int>(i) == static_cast<int>(p) ? SW_SHOW : SW_HIDE);
}

LRESULT TFormArchiveSetting::Notify(NMHDR* hdr) {
    if (hdr->hwndFrom == tabs_ && hdr->code == TCN_SELCHANGE && ActivePage() >= 0)
        ShowPage(static_cast<ArchivePage>(ActivePage()));
    return 0;
}

bool TFormArchiveSetting::FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) {
    if (key == VK_TAB && ctrl && !alt) {
        const int page = ((ActivePage() + (shift ? -1 : 1)) % kPageCount + kPageCount) % kPageCount;
        ShowPage(static_cast<ArchivePage>(page));
        return true;
    }
    return false;
}

bool TFormArchiveSetting::FormCloseQuery() {
    if (BoolButtomOK || BoolButtomCancel) return true;
    return ShowMsgJE(handle_, L"設定が保存されません\r\n終了しますか？", L"Set value will not save.\r\nExit this ?\r\n[OK] / [NO]",
                     MsgButtons::YesNo, MsgStyle::Question) == mrYes;
}

void TFormArchiveSetting::FormClose() { CloseIme(); }

void TFormArchiveSetting::ButtonOKClick() {
    WriteIniFileValue();
    BoolButtomOK = true;
    SetModalResult(mrOK);
}

void TFormArchiveSetting::ButtonCancelClick() {
    BoolButtomCancel = true;
    SetModalResult(mrCancel);
}

void TFormArchiveSetting::ResetPage(ArchivePage page) {
    const auto& boxes = ArchiveTextBoxes();
    for (size_t i = 0; i < boxes.size(); ++i)
        if (boxes[i].page == page) SetText(texts_[i], boxes[i].def);
}

void TFormArchiveSetting::ControlCommand(HWND control, int, int code) {
    if (code != BN_CLICKED) return;
    if (control == ok_) return ButtonOKClick();
    if (control == cancel_) return ButtonCancelClick();
    if (control == switches_[MakeFolder]) return CheckBox52Click();
    if (control == switches_[DouleDisabled]) return CheckBox53Click();
    for (int p = 1; p < kPageCount; ++p)
        if (control == resets_[static_cast<size_t>(p)]) return ResetPage(static_cast<ArchivePage>(p));
}

void TFormArchiveSetting::FormResize(int w, int h) {
    if (!ok_) return;
    w = Unscale(w);
    h = Unscale(h);
    Place(tabs_, 4, 4, w - 8, h - 52);
    Place(cancel_, w - 8 - 130, h - 40, 130, 32);
    Place(ok_, w - 16 - 260, h - 40, 130, 32);
    RECT area{0, 0, Scale(w - 8), Scale(h - 52)};
    SendMessageW(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    for (HWND page : pages_)
        MoveWindow(page, Scale(4) + area.left, Scale(4) + area.top, area.right - area.left, area.bottom - area.top, TRUE);
    const int c = Unscale(area.right - area.left);
    // Setting page.
    Place(probeLabel_, 8, 8, c - 16, 22);
    for (size_t i = 0; i < 7; ++i) Place(probes_[i], 8 + 104 * static_cast<int>(i), 32, 100, 24);
    Place(unzipLabel_, 8, 66, 300, 22);
    Place(unzipDll_, 8, 88, 260, 200);
    Place(deleteLabel_, 330, 66, 300, 22);
    Place(deleteZipDll_, 330, 88, 260, 200);
    for (size_t i = 0; i < SwitchCount; ++i) {
        const int indent = i == DouleDisabled ? 32 : 8;
        Place(switches_[i], indent, 126 + 27 * static_cast<int>(i), c - indent - 8, 24);
    }
    Place(dllGroup_, 8, 348, c - 16, 92);
    Place(dllFolder_[0], 20, 372, c - 40, 24);
    Place(dllFolder_[1], 20, 404, c - 40, 24);
    // Command pages: two wide columns sharing what the row labels and the
    // Test column leave (the labels keep 110 so "zip[7z](&P)" stays whole at
    // every scale).
    const int wide = (c - 230) / 2;
    const int xs[3] = {110, wide + 120, c - 85};
    for (int p = 1; p < kPageCount; ++p) {
        const auto& headings = headings_[static_cast<size_t>(p)];
        for (size_t col = 0; col < headings.size(); ++col) {
            const int x = xs[col];
            Place(headings[col], x, 8, col == 2 ? 80 : wide, 22);
        }
        const auto& rows = rowLabels_[static_cast<size_t>(p)];
        for (size_t r = 0; r < rows.size(); ++r) Place(rows[r], 6, 36 + 32 * static_cast<int>(r), 102, 22);
        Place(resets_[static_cast<size_t>(p)], 8, 36 + 32 * static_cast<int>(rows.size()) + 8, 260, 30);
    }
    const auto& boxes = ArchiveTextBoxes();
    for (size_t i = 0; i < boxes.size(); ++i) {
        const ArchiveTextBox& b = boxes[i];
        Place(texts_[i], xs[b.column], 34 + 32 * b.row, b.column == 2 ? 75 : wide, 24);
    }
}

}  // namespace quib
