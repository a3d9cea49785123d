// The main window's rows: building them from the entry lines (text form and
// filer form), walking folders, row colours, the information panel, marks,
// cursor moves and the small list commands. The rows are data (util/RowModel)
// shown by the list control (util/MyListView); what is here is the main
// window's own part.
#include "app/FormMain.h"
#include "settings/SettingKeys.h"

#include <commctrl.h>
#include <commdlg.h>

#include "app/Application.h"
#include "app/MainMenuTable.h"
#include "archive/ArchiveKind.h"
#include "util/Controls.h"
#include "util/Message.h"
#include "util/MyUtility.h"
#include "util/StrConv.h"

namespace quib {
namespace {

bool ExistsFile(const std::wstring& p) {
    const DWORD a = GetFileAttributesW(p.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring DoubleAmpersands(const std::wstring& s) {
    std::wstring out;
    for (wchar_t c : s) {
        out.push_back(c);
        if (c == L'&') out.push_back(L'&');
    }
    return out;
}

}  // namespace

bool TFormMain::TextForm() const { return MenuChecked(tag::MenuListText); }

// ---------------------------------------------------------------- rows

void TFormMain::SetItemNewListArchive() {
    BusyScope busy(*this);
    list_.BeginRefill();
    const SizeTextForm form{BoolFileSizeFull, BoolFileSize1024};
    if (StrListArchiveDirFile.empty()) {
        rows_.Clear();
    } else if (TextForm()) {
        rows_.Reset(StrListArchiveDirFile.SharedStore(), form);
        rows_.Reserve(StrListArchiveDirFile.size());
        for (size_t i = 0; i < StrListArchiveDirFile.size(); ++i)
            rows_.AddEntry(StrListArchiveDirFile.Entry(i), static_cast<int>(i));
    } else {
        BuildFilerRows(StrListArchiveDirFile, StrFilerCurrent, BoolFilerSortExplorer, form, rows_);
    }
    const RowTotals totals = ListTotals(rows_);
    Int64FileSizeAll = totals.size;
    Int64FileNumAll = totals.count;
    list_.EndRefill(RowCount());
    if (RowCount() > 0) {
        SelectRow(0, false);
        if (IsWindowVisible(list_.Handle())) SetFocus(list_.Handle());
    }
    InformationFileUpdate();
    ApplyTotals();
}

void TFormMain::ApplyTotals() {
    const std::wstring size = IntToCommaStr20(Int64FileSizeAll);
    const std::wstring count = IntToCommaStr11(Int64FileNumAll);
    SetText(labelTotalSize_.value, size);
    SetText(labelTotalCount_.value, count);
    SetText(labelMarkSize_.value, L"0");
    SetText(labelMarkCount_.value, L"0");
    SetText(wideTotals_[1], size);
    SetText(wideTotals_[2], count);
    SetText(wideTotals_[5], L"0");
    SetText(wideTotals_[6], L"0");
    SetStatusText(1, size);
    SetStatusText(2, count);
    SetStatusText(3, L"0");
    SetStatusText(4, L"0");
}

int TFormMain::SelectedRow() const { return list_.SelectedRow(); }

void TFormMain::SelectRow(int row, bool centre) {
    if (row < 0 || row >= RowCount()) return;
    list_.SelectRow(row, centre);
}

std::wstring TFormMain::RowMark(int row) const {
    return row >= 0 && row < RowCount() ? MarkText(rows_.Mark(static_cast<size_t>(row))) : std::wstring();
}

void TFormMain::SetRowMark(int row, const std::wstring& mark) {
    if (row < 0 || row >= RowCount()) return;
    rows_.SetMark(static_cast<size_t>(row), MarkFromText(mark));
    list_.RedrawRow(row);
}

std::wstring TFormMain::RowText(int row, int column) const {
    if (row < 0 || row >= RowCount()) return {};
    std::wstring scratch;
    return std::wstring(rows_.Cell(static_cast<size_t>(row), column, scratch));
}

COLORREF TFormMain::RowTextColor(int row) const {
    if (row < 0 || row >= RowCount()) return ColorListFontNow;
    const auto r = static_cast<size_t>(row);
    ExtensionLists lists{&StrListExeExt, &StrListArcExt, &StrListSpmExt, &StrListGdiExt, &StrListWicExt, &StrListSpiExt};
    const RowColor kind = ClassifyRow(rows_.Field(r, 2), rows_.Field(r, 5), rows_.Field(r, 1), lists);
    const bool filer = MenuChecked(tag::MenuSameAsQuibFM);
    switch (kind) {
        case RowColor::System: return filer ? FilerColorSystem : ColorFSystem;
        case RowColor::Hidden: return filer ? FilerColorHidden : ColorFHidden;
        case RowColor::ReadOnly: return filer ? FilerColorRonly : ColorFReadOnly;
        case RowColor::Directory: return filer ? FilerColorDir : ColorFDirectory;
        case RowColor::Execute: return filer ? FilerColorNormal : ColorFExecuteFile;
        case RowColor::Archive: return filer ? FilerColorNormal : ColorFArchiveFile;
        case RowColor::Image: return filer ? FilerColorNormal : ColorFImageFile;
        case RowColor::Normal: break;
    }
    return filer ? FilerColorNormal : ColorFNormalFile;
}

// ---------------------------------------------------------------- information panel

void TFormMain::InformationClear() {
    for (const InfoLabel* l : {&labelFile_, &labelPath_, &labelName_, &labelPacked_, &labelTime_, &labelSize_,
                               &labelAttr_, &labelMode_})
        SetText(l->value, L"");
    ClearTotalsAndPanels(4);
}

void TFormMain::InformationUpdate() {
    if (!StrLoadFileName.empty()) {
        if (!MenuChecked(tag::MenuInitialSearch)) {
            SetText(labelFile_.caption, L"file:");
            SetText(labelFile_.value, StrLoadFileName);
        }
        SetText(labelPath_.value, TextForm() ? L"<\\>" : StrFilerCurrent);
        SetText(labelName_.value, L"");
    } else {
        SetText(labelFile_.value, L"");
        SetText(labelPath_.value, L"");
        SetText(labelName_.value, L"");
    }
    const int row = SelectedRow();
    if (row < 0 || row >= RowCount()) return;
    const EntryRow r = rows_.Row(static_cast<size_t>(row));
    const bool susie = ListingModeNow == ListingMode::Susie;
    SetText(labelAttr_.caption, susie ? L"pos:" : L"attr:");
    SetText(labelPacked_.value, r.packedSize);
    SetText(labelMode_.caption, susie ? L"mtd:" : L"mode:");
    SetText(labelMode_.value, r.method);
    if (ListingModeNow == ListingMode::Normal || ListingModeNow == ListingMode::Sfx) {
        ShowWindow(labelMode_.caption, SW_SHOW);
        ShowWindow(labelMode_.value, SW_SHOW);
    }
    std::wstring name = r.storedPath;
    if (name != L"<\\>" && name != L"<..>") {
        name = DoubleAmpersands(name);
        if (!TextForm()) {
            StringList parts;
            StringToCsvListByYenBySlash(name, parts);
            if (!parts.empty()) name = parts.back();
        }
    }
    SetText(labelName_.value, name);
    SetCaption(StrLoadFileName + L" - quibFMarchive");
    SetText(labelTime_.value, r.date + L" " + r.time);
    SetText(labelSize_.value, r.Folder() ? IntToCommaStr20(0) : r.size);
    SetText(labelAttr_.value, r.attribute);
    InvalidateRect(labelName_.value, nullptr, TRUE);
    SetStatusText(3, GetText(labelMarkSize_.value));
    SetStatusText(4, GetText(labelMarkCount_.value));
}

COLORREF TFormMain::NameLabelColor() const {
    const int row = SelectedRow();
    return row >= 0 ? RowTextColor(row) : ColorPanelFontNow;
}

std::wstring TFormMain::InfoValue(int which) const {
    const InfoLabel* labels[8] = {&labelFile_,  &labelPath_, &labelName_, &labelPacked_,
                                  &labelTime_, &labelSize_, &labelAttr_, &labelMode_};
    return which >= 0 && which < 8 ? GetText(labels[which]->value) : std::wstring();
}

void TFormMain::InformationFileUpdate() {
    if (SelectedRow() < 0) return;
    for (int i = 0; i < 5; ++i) Application().HandleOneMessage();
    ShowMarkedTotals();
}

void TFormMain::ShowMarkedTotals() {
    const RowTotals marked = MarkedTotals(rows_, TextForm());
    const std::wstring s = IntToCommaStr20(marked.size), c = IntToCommaStr11(marked.count);
    SetText(labelMarkSize_.value, s);
    SetText(labelMarkCount_.value, c);
    SetText(wideTotals_[5], s);
    SetText(wideTotals_[6], c);
    SetStatusText(3, s);
    SetStatusText(4, c);
}

void TFormMain::ButtonPanelSelectClick() {
    if (!WideLayout()) {
        if (IntInfoSelect == 0) {
            ShowWindow(panel7_, SW_HIDE);
            ShowWindow(panel8_, SW_SHOW);
            IntInfoSelect = 1;
        } else {
            ShowWindow(panel7_, SW_SHOW);
            ShowWindow(panel8_, SW_HIDE);
            IntInfoSelect = 0;
        }
    } else {
        ShowWindow(panel7_, SW_SHOW);
        ShowWindow(panel8_, SW_HIDE);
        IntInfoSelect = 0;
    }
    RECT cr{};
    GetClientRect(handle_, &cr);
    FormResize(cr.right, cr.bottom);
    SetFocus(ListVisible() ? list_.Handle() : memo1_);
}

// ---------------------------------------------------------------- folders

bool TFormMain::ExitQuestion() {
    if (ShowMsgJE(handle_, L"終了しますか？", L"Exit ?\r\n[OK] / [NO]", MsgButtons::YesNo) == IDYES) {
        Close();
        return true;
    }
    return false;
}

void TFormMain::ShowFolderAgain() {
    SetItemNewListArchive();
    int target = StrListFilerHistory.FindRow(rows_.size(), [this](size_t r) { return rows_.StoredPath(r); });
    if (target < 0) target = 0;
    SelectRow(target, true);
    SetFocus(list_.Handle());
    InformationUpdate();
}

void TFormMain::EnterFolder(int row) {
    BusyScope busy(*this);
    if (row < 0 || row >= RowCount()) return;
    const std::wstring name(rows_.Name(static_cast<size_t>(row)));
    if (row != 0) StrListFilerHistory.Remember(rows_.StoredPath(static_cast<size_t>(row)));
    StrFilerCurrent += name + L"/";
    ShowFolderAgain();
}

void TFormMain::MenuBackSpaceClick() {
    const int selected = SelectedRow();
    if (selected < 0 || selected >= RowCount()) return;
    if (rows_.Root(0)) {
        ExitQuestion();
        return;
    }
    if (TextForm() || !rows_.Parent(0)) return;
    if (selected != 0) StrListFilerHistory.Remember(rows_.StoredPath(static_cast<size_t>(selected)));
    StrFilerCurrent = ParentFolderPath(StrFilerCurrent);
    ShowFolderAgain();
}

void TFormMain::MenuExecuteExtClick() {
    const int row = SelectedRow();
    if (row < 0 || row >= RowCount()) return;
    if (!ModeListsEntries(ListingModeNow)) return;
    const auto r = static_cast<size_t>(row);
    if (rows_.Root(r)) {
        ExitQuestion();
        return;
    }
    const bool folder = rows_.Folder(r);
    if (TextForm()) {
        if (folder) {
            ShowMsgJE(handle_, L"Information : このフォルダは指定できません",
                      L"Information : This folder can not accept.\r\n[OK]");
        } else {
            ExecuteExtFile();
        }
        return;
    }
    if (rows_.Parent(r)) {
        MenuBackSpaceClick();
        return;
    }
    if (folder)
        EnterFolder(row);
    else
        ExecuteExtFile();
}

void TFormMain::ListView1Click() {
    if (RowCount() > 0 && SelectedRow() < 0) {
        const int focused = list_.FocusedRow();
        if (focused >= 0) SelectRow(focused, false);
    }
    InformationUpdate();
}

void TFormMain::ListView1DblClick() {
    ListView1Click();
    const int row = SelectedRow();
    if (row < 0 || row >= RowCount()) return;
    BoolFormListViewRun = true;
    const auto r = static_cast<size_t>(row);
    if (rows_.Root(r)) {
        ExitQuestion();
    } else if (rows_.Parent(r)) {
        MenuBackSpaceClick();
    } else {
        MenuExecuteExtClick();
    }
    BoolFormListViewRun = false;
    list_.RedrawAll(true);
}

// ---------------------------------------------------------------- marks and moves

void TFormMain::MenuMarkClick() {
    const int row = SelectedRow();
    if (row < 0 || row >= RowCount()) return;
    if (ToggleMark(rows_, static_cast<size_t>(row))) list_.RedrawRow(row);
    InformationFileUpdate();
    if (row < RowCount() - 1) SelectRow(row + 1, false);
}

void TFormMain::MarkAll(bool withFolders) {
    if (SelectedRow() < 0) return;
    MarkAllRows(rows_, withFolders);
    list_.RedrawAll();
    InformationFileUpdate();
}

void TFormMain::MenuMarkReverseClick() {
    if (SelectedRow() < 0) return;
    ReverseMarks(rows_);
    list_.RedrawAll();
    InformationFileUpdate();
}

void TFormMain::MenuMoveTopClick() {
    if (RowCount() > 0) SelectRow(0, true);
}

void TFormMain::MenuMoveEndClick() {
    if (RowCount() > 0) SelectRow(RowCount() - 1, true);
}

// ---------------------------------------------------------------- list commands

void TFormMain::MenuListTextClick() {
    SetMenuChecked(tag::MenuListText, true);
    SetMenuChecked(tag::MenuListFiler, false);
    ReListForDisplayForm();
}

void TFormMain::MenuListFilerClick() {
    SetMenuChecked(tag::MenuListFiler, true);
    SetMenuChecked(tag::MenuListText, false);
    StrFilerCurrent = L"/";
    ReListForDisplayForm();
}

// The open archive listed again after the display form changed.
void TFormMain::ReListForDisplayForm() {
    BusyScope busy(*this);
    if (ExistsFile(StrLoadFileName) && ListingModeNow == ListingMode::Normal) {
        ListArchive(StrLoadFileName);
        SetItemNewListArchive();
    }
    if (ExistsFile(StrLoadFileName) && ListingModeNow == ListingMode::Sfx) {
        if (MenuChecked(tag::MenuFileSfxAuto)) {
            ListSfx(StrLoadFileName);
            SetItemNewListArchive();
        } else if (MenuChecked(tag::MenuFileSfxList)) {
            ArchiveListSfxDllSelected(StrLoadFileName);
            SetItemNewListArchive();
        }
    }
    if (ExistsFile(StrLoadFileName) && ListingModeNow == ListingMode::Susie) {
        ListSusie(StrLoadFileName);
        SetItemNewListArchive();
    }
    RECT cr{};
    GetClientRect(handle_, &cr);
    FormResize(cr.right, cr.bottom);
}

void TFormMain::MenuListViewWidthInitClick() {
    const IniFile ini = Ini();
    const bool ext12 = ReadKeyBool(ini, key::ExtentionLength12);
    ReadMainSetting(ini, StrExePath, &MainSettings::BoolFileSizeFull, *this);
    const bool full = BoolFileSizeFull;
    BoolShowDate = ReadKeyBool(ini, key::DateShow);
    BoolShowTime = ReadKeyBool(ini, key::TimeShow);
    BoolShowAttr = ReadKeyBool(ini, key::AttrShow);
    const int widths[7] = {30, 286, ext12 ? 130 : 65, full ? 220 : 88, BoolShowDate ? 115 : 0, BoolShowTime ? 95 : 0,
                           BoolShowAttr ? 70 : 0};
    for (int i = 0; i < 7; ++i) list_.SetColumnWidth(i, Scale(widths[i] * IntListViewFontSize / 14));
    if (ListVisible()) {
        RECT cr{};
        GetClientRect(handle_, &cr);
        FormResize(cr.right, cr.bottom);
        SetFocus(list_.Handle());
    }
}

void TFormMain::MenuCopyFileNameClick() {
    const int selected = SelectedRow();
    if (selected < 0) return;
    const std::wstring text = CopyNamesText(rows_, selected, TextForm());
    SetClipboardText(handle_, text);
}

void TFormMain::MenuShowListItemsClick() {
    const int row = SelectedRow();
    if (row < 0 || row >= RowCount()) return;
    std::wstring t = L"ListView\r\n";
    // Sub-item n is the column after the mark column's n: name, extension,
    // size, date, time, attributes.
    for (int n = 0; n <= 5; ++n) t += std::to_wstring(n) + L"@" + RowText(row, n + 1) + L"\r\n";
    t += L"\r\nStrList\r\n";
    for (int n = 0; n < EntryRow::kFieldCount; ++n) {
        t += std::to_wstring(n) + L"@" + rows_.Field(static_cast<size_t>(row), n);
        if (n < EntryRow::kFieldCount - 1) t += L"\r\n";
    }
    ShowMsg(handle_, t);
}

void TFormMain::MenuSameAsQuibFMClick() {
    bool on = !MenuChecked(tag::MenuSameAsQuibFM);
    // Without the filer's file there is nothing to be the same as, whichever
    // way the switch was turned.
    if (!ExistsFile(StrExePath + L"\\quibFM.ini")) {
        on = false;
        ShowMsg(handle_, L"quibFM.ini のファイルが無いのでチェックは無効です");
    }
    SetMenuChecked(tag::MenuSameAsQuibFM, on);
    Ini().WriteBool(L"MainColor", L"SameAsQuibFM", on);
    // Only the colours and fonts concerned are read again: the other settings
    // (and their messages) and the style colours wait for the next full read.
    const IniFile ini = Ini();
    if (on) {
        for (const MainSettingField field :
             {MainSettingField{&MainSettings::FilerColorSystem}, MainSettingField{&MainSettings::FilerColorHidden},
              MainSettingField{&MainSettings::FilerColorRonly}, MainSettingField{&MainSettings::FilerColorDir},
              MainSettingField{&MainSettings::FilerColorNormal}, MainSettingField{&MainSettings::FilerColorBack},
              MainSettingField{&MainSettings::FilerColorInfoData}, MainSettingField{&MainSettings::FilerColorInfoItem},
              MainSettingField{&MainSettings::StrFilerFontName}, MainSettingField{&MainSettings::IntFilerFontSize}})
            ReadMainSetting(ini, StrExePath, field, *this, handle_);
    } else {
        // The own fonts were replaced by the filer's while the switch was on.
        for (const MainSettingField field :
             {MainSettingField{&MainSettings::StrListViewFontName}, MainSettingField{&MainSettings::IntListViewFontSize},
              MainSettingField{&MainSettings::StrInfoFontName}, MainSettingField{&MainSettings::IntInfoFontSize}})
            ReadMainSetting(ini, StrExePath, field, *this, handle_);
    }
    ChooseListAndPanelColors(on);
    ApplyColorsAndFonts(false);
    SetItemNewListArchive();
}

void TFormMain::MenuOpenClick() {
    const ListingMode mode = ListingModeNow;
    static const wchar_t kArcFilter[] =
        L"Archive(*.lzh;*.zip;*.cab;*.7z;*.rar;*.gz;*.iso;*.bza;*.gza;*.gca;*.arj;*.yz1;)\0"
        L"*.lzh;*.zip;*.cab;*.7z;*.rar;*.gz;*.iso;*.bza;*.gza;*.gca;*.arj;*.yz1;\0All(*.*)\0*.*\0";
    static const wchar_t kSfxFilter[] = L"Archive(*.exe;)\0*.exe;\0All(*.*)\0*.*\0";
    static const wchar_t kSusieFilter[] =
        L"Archive(*.lzh;*.zip;*.cab;*.7z;*.rar;*.gz;*.iso;*.bza;*.gza;*.gca;*.arj;*.yz1;*.pdf;*.ani;*.gif;)\0"
        L"*.lzh;*.zip;*.cab;*.7z;*.rar;*.gz;*.iso;*.bza;*.gza;*.gca;*.arj;*.yz1;*.pdf;*.ani;*.gif;\0All(*.*)\0*.*\0";
    const wchar_t* section = mode == ListingMode::Sfx     ? L"LoadSfx"
                             : mode == ListingMode::Susie ? L"LoadSusie"
                                                          : L"LoadArchive";
    const std::wstring remembered = Ini().ReadString(section, L"FolderFile", L"");
    std::wstring folder;
    std::vector<wchar_t> file(32768, L'\0');
    if (ExistsFile(remembered)) {
        const size_t slash = remembered.find_last_of(L'\\');
        folder = remembered.substr(0, slash);
        const std::wstring name = remembered.substr(slash + 1);
        std::copy(name.begin(), name.end(), file.begin());
    }
    OPENFILENAMEW ofn{sizeof(ofn)};
    ofn.hwndOwner = handle_;
    ofn.lpstrFilter = mode == ListingMode::Sfx ? kSfxFilter : mode == ListingMode::Susie ? kSusieFilter : kArcFilter;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&ofn)) return;
    OpenChosenFile(file.data());
}

}  // namespace quib

namespace quib {

void TFormMain::OpenChosenFile(const std::wstring& path) {
    if (path.empty()) {
        ShowMsgJE(handle_, L"Information : ファイル名が設定されていません", L"Information : Filename is empty.\r\n[OK]");
        return;
    }
    const ListingMode mode = ListingModeNow;
    const wchar_t* section = mode == ListingMode::Sfx     ? L"LoadSfx"
                             : mode == ListingMode::Susie ? L"LoadSusie"
                                                          : L"LoadArchive";
    Ini().WriteString(section, L"FolderFile", path);
    ReadArchiveSetting();
    StrLoadFileName = path;
    InformationUpdate();
    if (!TextForm()) StrFilerCurrent = L"/";
    InitialSearchOff();
    switch (mode) {
        case ListingMode::Simple:
        case ListingMode::Test:
            ShowListOrMemo(false);
            if (mode == ListingMode::Simple) {
                ArchiveListSimple(path);
                SetMemo1Lines(StrListSimpleResult);
            } else {
                ArchiveListTest(path);
                SetMemo1Lines(StrListTestResult);
            }
            break;
        case ListingMode::Sfx:
            ShowListOrMemo(true);
            ListSfx(path);
            SetItemNewListArchive();
            ResetSfxSubModes(true);
            break;
        case ListingMode::Susie:
            ShowListOrMemo(true);
            ListSusie(path);
            SetItemNewListArchive();
            break;
        case ListingMode::Normal:
            ShowListOrMemo(true);
            ListArchive(path);
            SetItemNewListArchive();
            break;
    }
    SetCaption(path + L" - quibFMarchive");
    RECT cr{};
    GetClientRect(handle_, &cr);
    FormResize(cr.right, cr.bottom);
}

}  // namespace quib
