// The main window's rows: building them from the entry lines (text form and
// filer form), walking folders, row colours, the information panel, marks,
// cursor moves and the small list commands.
#include "app/FormMain.h"

#include <commctrl.h>
#include <commdlg.h>

#include "app/Application.h"
#include "app/MainMenuTable.h"
#include "archive/ArchiveKind.h"
#include "util/Message.h"
#include "util/MyUtility.h"
#include "util/StrConv.h"

namespace quib {
namespace {

constexpr wchar_t kMarked[] = L"\u25CF";      // ●
constexpr wchar_t kUnmarked[] = L"\u3000";    // ideographic space

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

void TFormMain::SetListViewNewItem(int /*index*/, const std::wstring& line) {
    StringList f;
    StringToCsvList(line, f);
    f.resize(10);
    f[2] = DisplaySizeText(f[2], BoolFileSizeFull, BoolFileSize1024);
    if (!f[7].empty()) Int64FileSizeAll += CommaTextValue(f[7]);
    const bool rootOrParent = f[2] == L" <DIR>" && (f[0] == L"<\\>" || f[0] == L"<..>");
    if (!rootOrParent) ++Int64FileNumAll;
    std::wstring shown;
    for (size_t i = 0; i < 10; ++i) {
        if (i) shown += L"\t";
        shown += f[i];
        StrListItem[i].push_back(f[i]);
    }
    StrListListView.push_back(shown);
    marks_.emplace_back();
}

void TFormMain::SetItemNewListArchive() {
    StrListListView.clear();
    StrListListViewMark.clear();
    marks_.clear();
    for (auto& l : StrListItem) l.clear();
    Int64FileSizeAll = 0;
    Int64FileNumAll = 0;
    SendMessageW(listView_, WM_SETREDRAW, FALSE, 0);
    ListView_SetItemCountEx(listView_, 0, 0);
    if (!StrListArchiveDirFile.empty()) {
        if (TextForm()) {
            StrListListView.reserve(StrListArchiveDirFile.size());
            for (size_t i = 0; i < StrListArchiveDirFile.size(); ++i)
                SetListViewNewItem(static_cast<int>(i), StrListArchiveDirFile[i]);
        } else {
            StrListArchiveDirFileFiler = FilerViewLines(StrListArchiveDirFile, StrFilerCurrent, BoolFilerSortExplorer);
            for (size_t i = 0; i < StrListArchiveDirFileFiler.size(); ++i)
                SetListViewNewItem(static_cast<int>(i), StrListArchiveDirFileFiler[i]);
        }
    }
    ListView_SetItemCountEx(listView_, RowCount(), LVSICF_NOSCROLL);
    SendMessageW(listView_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(listView_, nullptr, TRUE);
    if (RowCount() > 0) {
        SelectRow(0, false);
        if (IsWindowVisible(listView_)) SetFocus(listView_);
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

int TFormMain::SelectedRow() const { return ListView_GetNextItem(listView_, -1, LVNI_SELECTED); }

void TFormMain::SelectRow(int row, bool centre) {
    if (row < 0 || row >= RowCount()) return;
    // Only the rows that carry the state are touched: "all rows" (-1) walks every
    // row of a virtual list, a quarter million of them in a big archive.
    for (const UINT which : {LVNI_SELECTED, LVNI_FOCUSED}) {
        const int old = ListView_GetNextItem(listView_, -1, which);
        if (old >= 0 && old != row) ListView_SetItemState(listView_, old, 0, LVIS_SELECTED | LVIS_FOCUSED);
    }
    ListView_SetItemState(listView_, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(listView_, row, FALSE);
    if (centre) {
        // Scroll the row to the middle of the list.
        RECT ir{}, cr{};
        ListView_GetItemRect(listView_, row, &ir, LVIR_BOUNDS);
        GetClientRect(listView_, &cr);
        const int rowHeight = ir.bottom - ir.top;
        const int top = ListView_GetTopIndex(listView_);
        const int dy = (row - top + 1) * rowHeight - (cr.bottom - cr.top) / 2;
        ListView_Scroll(listView_, 0, dy);
    }
}

std::wstring TFormMain::RowMark(int row) const {
    return row >= 0 && row < RowCount() ? marks_[static_cast<size_t>(row)] : std::wstring();
}

void TFormMain::SetRowMark(int row, const std::wstring& mark) {
    if (row < 0 || row >= RowCount()) return;
    marks_[static_cast<size_t>(row)] = mark;
    ListView_RedrawItems(listView_, row, row);
}

std::wstring TFormMain::RowText(int row, int column) const {
    if (row < 0 || row >= RowCount()) return {};
    const auto r = static_cast<size_t>(row);
    switch (column) {
        case 0: return marks_[r];
        case 1: return StrListItem[0][r];
        case 2: return StrListItem[1][r];
        case 3: return StrListItem[2][r];
        case 4: return StrListItem[3][r];
        case 5: return StrListItem[4][r];
        case 6: return StrListItem[5][r];
        default: return {};
    }
}

COLORREF TFormMain::RowTextColor(int row) const {
    if (row < 0 || row >= RowCount()) return ColorListFontNow;
    const auto r = static_cast<size_t>(row);
    ExtensionLists lists{&StrListExeExt, &StrListArcExt, &StrListSpmExt, &StrListGdiExt, &StrListWicExt, &StrListSpiExt};
    const RowColor kind = ClassifyRow(StrListItem[2][r], StrListItem[5][r], StrListItem[1][r], lists);
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
    StringList f;
    StringToCsvList(StrListListView[static_cast<size_t>(row)], f);
    f.resize(10);
    const bool susie = ListingModeNow == ListingMode::Susie;
    SetText(labelAttr_.caption, susie ? L"pos:" : L"attr:");
    SetText(labelPacked_.value, f[8]);
    SetText(labelMode_.caption, susie ? L"mtd:" : L"mode:");
    SetText(labelMode_.value, f[6]);
    if (ListingModeNow == ListingMode::Normal || ListingModeNow == ListingMode::Sfx) {
        ShowWindow(labelMode_.caption, SW_SHOW);
        ShowWindow(labelMode_.value, SW_SHOW);
    }
    std::wstring name = f[9];
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
    SetText(labelTime_.value, f[3] + L" " + f[4]);
    SetText(labelSize_.value, f[2] == L" <DIR>" ? IntToCommaStr20(0) : f[7]);
    SetText(labelAttr_.value, f[5]);
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
    long long size = 0, count = 0;
    const bool text = TextForm();
    for (int r = 0; r < RowCount(); ++r) {
        if (marks_[static_cast<size_t>(r)] != kMarked) continue;
        const bool folder = StrListItem[2][static_cast<size_t>(r)] == L" <DIR>";
        if (!folder) size += CommaTextValue(StrListItem[7][static_cast<size_t>(r)]);
        if (!text || !folder) ++count;
    }
    const std::wstring s = IntToCommaStr20(size), c = IntToCommaStr11(count);
    SetText(labelMarkSize_.value, s);
    SetText(labelMarkCount_.value, c);
    SetText(wideTotals_[5], s);
    SetText(wideTotals_[6], c);
    SetStatusText(3, s);
    SetStatusText(4, c);
}

void TFormMain::ButtonPanelSelectClick() {
    RECT wr{};
    GetWindowRect(handle_, &wr);
    if (wr.right - wr.left < 1120) {
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
    SetFocus(ListVisible() ? listView_ : memo1_);
}

// ---------------------------------------------------------------- folders

bool TFormMain::ExitQuestion() {
    if (ShowMsgJE(handle_, L"終了しますか？", L"Exit ?\r\n[OK] / [NO]", MsgButtons::YesNo) == IDYES) {
        Close();
        return true;
    }
    return false;
}

void TFormMain::EnterFolder(int row) {
    if (row < 0 || row >= RowCount()) return;
    const std::wstring name = StrListItem[0][static_cast<size_t>(row)];
    if (row != 0) StrListFilerHistory.Remember(StrListItem[9][static_cast<size_t>(row)]);
    StrFilerCurrent += name + L"/";
    SetItemNewListArchive();
    int target = StrListFilerHistory.FindRow(StrListItem[9]);
    if (target < 0) target = 0;
    SelectRow(target, true);
    SetFocus(listView_);
    InformationUpdate();
}

void TFormMain::MenuBackSpaceClick() {
    const int selected = SelectedRow();
    if (selected < 0 || RowCount() == 0) return;
    if (StrListItem[0][0] == L"<\\>") {
        ExitQuestion();
        return;
    }
    if (TextForm() || StrListItem[0][0] != L"<..>") return;
    if (selected != 0) StrListFilerHistory.Remember(StrListItem[9][static_cast<size_t>(selected)]);
    StrFilerCurrent = ParentFolderPath(StrFilerCurrent);
    SetItemNewListArchive();
    int target = StrListFilerHistory.FindRow(StrListItem[9]);
    if (target < 0) target = 0;
    SelectRow(target, true);
    SetFocus(listView_);
    InformationUpdate();
}

void TFormMain::MenuExecuteExtClick() {
    const int row = SelectedRow();
    if (row < 0 || RowCount() == 0) return;
    if (!ModeListsEntries(ListingModeNow)) return;
    const auto r = static_cast<size_t>(row);
    const std::wstring& name = StrListItem[0][r];
    if (name == L"<\\>") {
        ExitQuestion();
        return;
    }
    const bool folder = StrListItem[2][r] == L" <DIR>";
    if (TextForm()) {
        if (folder) {
            ShowMsgJE(handle_, L"Information : このフォルダは指定できません",
                      L"Information : This folder can not accept.\r\n[OK]");
        }
        return;
    }
    if (name == L"<..>") {
        MenuBackSpaceClick();
        return;
    }
    if (folder) EnterFolder(row);
    // Opening a file with its associated program arrives with the viewers.
}

void TFormMain::ListView1Click() {
    if (RowCount() > 0 && SelectedRow() < 0) {
        const int focused = ListView_GetNextItem(listView_, -1, LVNI_FOCUSED);
        if (focused >= 0) SelectRow(focused, false);
    }
    InformationUpdate();
}

void TFormMain::ListView1DblClick() {
    ListView1Click();
    const int row = SelectedRow();
    if (row < 0) return;
    BoolFormListViewRun = true;
    const std::wstring name = StrListItem[0][static_cast<size_t>(row)];
    if (name == L"<\\>") {
        ExitQuestion();
    } else if (name == L"<..>") {
        MenuBackSpaceClick();
    } else {
        MenuExecuteExtClick();
    }
    BoolFormListViewRun = false;
    if (listView_) InvalidateRect(listView_, nullptr, TRUE);
}

// ---------------------------------------------------------------- marks and moves

void TFormMain::MenuMarkClick() {
    const int row = SelectedRow();
    if (row < 0) return;
    const std::wstring& name = StrListItem[0][static_cast<size_t>(row)];
    if (name != L"<\\>" && name != L"<..>") SetRowMark(row, RowMark(row) == kMarked ? kUnmarked : kMarked);
    InformationFileUpdate();
    if (row < RowCount() - 1) SelectRow(row + 1, false);
}

void TFormMain::MarkAll(bool withFolders) {
    if (SelectedRow() < 0) return;
    bool anyMarked = false;
    for (const auto& m : marks_) anyMarked |= m == kMarked;
    for (int r = 0; r < RowCount(); ++r) {
        const auto i = static_cast<size_t>(r);
        const std::wstring& name = StrListItem[0][i];
        if (name == L"<\\>") continue;
        const bool folder = StrListItem[2][i] == L" <DIR>";
        if (!folder) {
            marks_[i] = anyMarked ? kUnmarked : kMarked;
        } else if (name != L"<..>") {
            if (withFolders) {
                marks_[i] = anyMarked ? kUnmarked : kMarked;
            } else if (marks_[i] == kMarked && anyMarked) {
                marks_[i] = kUnmarked;
            }
        }
    }
    InvalidateRect(listView_, nullptr, FALSE);
    InformationFileUpdate();
}

void TFormMain::MenuMarkReverseClick() {
    if (SelectedRow() < 0) return;
    for (int r = 0; r < RowCount(); ++r) {
        const auto i = static_cast<size_t>(r);
        if (StrListItem[0][i] == L"<\\>" || StrListItem[2][i] == L" <DIR>") continue;
        marks_[i] = marks_[i] == kMarked ? kUnmarked : kMarked;
    }
    InvalidateRect(listView_, nullptr, FALSE);
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
    if (ExistsFile(StrLoadFileName) && ListingModeNow == ListingMode::Normal) {
        ListArchive(StrLoadFileName);
        SetItemNewListArchive();
    }
    RECT cr{};
    GetClientRect(handle_, &cr);
    FormResize(cr.right, cr.bottom);
}

void TFormMain::MenuListViewWidthInitClick() {
    const IniFile ini = Ini();
    const bool ext12 = ini.ReadBool(L"ExtentionLength", L"12", false);
    const bool full = ini.ReadBool(L"FileSizeLength", L"Full", false);
    BoolShowDate = ini.ReadBool(L"Date", L"Show", true);
    BoolShowTime = ini.ReadBool(L"Time", L"Show", true);
    BoolShowAttr = ini.ReadBool(L"Attr", L"Show", true);
    const int widths[7] = {30, 286, ext12 ? 130 : 65, full ? 220 : 88, BoolShowDate ? 115 : 0, BoolShowTime ? 95 : 0,
                           BoolShowAttr ? 70 : 0};
    for (int i = 0; i < 7; ++i) ListView_SetColumnWidth(listView_, i, widths[i] * IntListViewFontSize / 14);
    if (ListVisible()) {
        RECT cr{};
        GetClientRect(handle_, &cr);
        FormResize(cr.right, cr.bottom);
        SetFocus(listView_);
    }
}

void TFormMain::MenuCopyFileNameClick() {
    const int selected = SelectedRow();
    if (selected < 0) return;
    const bool filer = !TextForm();
    std::wstring text;
    bool anyMarked = false;
    for (int r = 0; r < RowCount(); ++r) {
        const auto i = static_cast<size_t>(r);
        if (marks_[i] != kMarked) continue;
        anyMarked = true;
        if (filer && StrListItem[3][i].empty()) continue;
        text += StrListItem[0][i] + L"\r\n";
    }
    if (!anyMarked) {
        const auto i = static_cast<size_t>(selected);
        if (!filer || !StrListItem[3][i].empty()) text = StrListItem[0][i] + L"\r\n";
    }
    if (!OpenClipboard(handle_)) return;
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        memcpy(GlobalLock(mem), text.c_str(), bytes);
        GlobalUnlock(mem);
        if (!SetClipboardData(CF_UNICODETEXT, mem)) GlobalFree(mem);
    }
    CloseClipboard();
}

void TFormMain::MenuShowListItemsClick() {
    const int row = SelectedRow();
    if (row < 0) return;
    std::wstring t = L"ListView\r\n";
    for (int n = 0; n <= 5; ++n) t += std::to_wstring(n) + L"@" + RowText(row, n) + L"\r\n";
    t += L"\r\nStrList\r\n";
    for (size_t n = 0; n < 10; ++n) {
        t += std::to_wstring(n) + L"@" + StrListItem[n][static_cast<size_t>(row)];
        if (n < 9) t += L"\r\n";
    }
    ShowMsg(handle_, t);
}

void TFormMain::MenuSameAsQuibFMClick() {
    bool on = !MenuChecked(tag::MenuSameAsQuibFM);
    if (on && !ExistsFile(StrExePath + L"\\quibFM.ini")) {
        on = false;
        SetMenuChecked(tag::MenuSameAsQuibFM, false);
        ShowMsg(handle_, L"quibFM.ini のファイルが無いのでチェックは無効です");
    }
    SetMenuChecked(tag::MenuSameAsQuibFM, on);
    Ini().WriteBool(L"MainColor", L"SameAsQuibFM", on);
    ReadIniValueSetting();
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
        case ListingMode::Susie:
            // Their listers come with the self-extracting and Susie work.
            ShowListOrMemo(true);
            StrListArchiveDirFile.clear();
            SetItemNewListArchive();
            if (mode == ListingMode::Sfx) ResetSfxSubModes(true);
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
