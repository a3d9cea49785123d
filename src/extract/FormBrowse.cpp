#include "extract/FormBrowse.h"

#include <algorithm>

#include "app/Application.h"
#include "app/EntryView.h"
#include "extract/FormDrive.h"
#include "extract/FormJumpFolderEx.h"
#include "extract/FormMakeFolder.h"
#include "extract/FormRename.h"
#include "extract/FormSort.h"
#include "keymap/KeyMapRegistry.h"
#include "util/Message.h"
#include "util/MyUtility.h"
#include "util/StrConv.h"

namespace quib {
namespace {

enum ControlId : int { kListView1 = 100, kLabelCurrent, kLabelSelected };

constexpr int kButtonCount = 7;
constexpr int kMargin = 8;

FormDescription BrowseDescription() {
    FormDescription d = FormDescription::Window(L"FormBrowse", SIZE{790, 500}, SIZE{790, 500});
    d.languageFile = L"Browse.txt";
    d.commands = &BrowseCommandTable();
    d.keyMap = KeyMapWindow::Browse;
    // Esc is a command of the key map (MenuEscape), Enter another (into a folder).
    d.escCloses = false;
    return d;
}

bool FileExistsNotFolder(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring RootOfDrive(int drive) {
    std::wstring root;
    root.push_back(static_cast<wchar_t>(L'A' + drive));
    root += L":\\";
    return root;
}

}  // namespace

TFormBrowse::TFormBrowse(FolderPickerHost& host, std::wstring start, std::wstring& result)
    : TFormBase(BrowseDescription()), host_(host), StrSetFormBrowse(std::move(start)), StrRetFormBrowse(result) {}

HWND TFormBrowse::Button(int tag) const {
    return tag >= kTagButtonCurrent && tag <= kTagButtonCancel ? buttons_[tag - kTagButtonCurrent] : nullptr;
}

void TFormBrowse::FormCreate() {
    SetCaption(L"参照");
    const IniFile ini = Settings();
    StrTarget = ini.ReadString(L"Browse", L"Target", L"Folder");
    const bool buffering = ini.ReadBool(L"Buffering", L"Enabled", true);
    const bool titles = ini.ReadBool(L"ListViewTitle", L"Show", true);
    // Read for the settings' sake: this window always lists hidden entries.
    (void)ini.ReadBool(L"HiddenFile", L"Show", true);
    BoolShowSystem = ini.ReadBool(L"SystemFile", L"Show", true);
    BoolSortExplorer = ini.ReadBool(L"BrowseExplorer", L"Sort", true);
    BoolSortSJIS = ini.ReadBool(L"BrowseSJIS", L"Sort", false);
    BoolSortUnicode = ini.ReadBool(L"BrowseUnicode", L"Sort", false);
    BoolFileSize1024 = ini.ReadBool(L"FileSize", L"1024", false);
    BoolFileSizeFull = ini.ReadBool(L"FileSizeLength", L"Full", false);
    IntSortMode1 = ini.ReadInteger(L"SortMode", L"Index", 1);
    IntSortOrder1 = ini.ReadInteger(L"SortMethod", L"Index", 0);

    labelTitle_ = AddControl(ComponentKind::Label, kTagLabelTitle, L"STATIC", L"フォルダ選択・ファイル選択",
                             WS_VISIBLE | SS_LEFT);
    labelCurrent_ = AddControl(ComponentKind::Other, 0, L"STATIC", L"", WS_VISIBLE | SS_LEFT | SS_PATHELLIPSIS,
                               0, kLabelCurrent);
    DWORD style = TMyListView::kStyle;
    if (host_.windows7Later) style &= ~static_cast<DWORD>(LVS_SHOWSELALWAYS);
    else style |= LVS_SHOWSELALWAYS;
    list_.Attach(AddControl(ComponentKind::Other, 0, WC_LISTVIEWW, L"", style, TMyListView::kExStyle, kListView1));
    ListView_SetExtendedListViewStyleEx(list_.Handle(), LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER,
                                        LVS_EX_FULLROWSELECT | (buffering ? LVS_EX_DOUBLEBUFFER : 0));
    const std::wstring sizeTitle = host_.sizeAlignmentRight ? L"Size" + std::wstring(40, L' ') : L"Size";
    list_.SetColumns({{L"\u3000", 30},
                      {L"Name", 286},
                      {L"Ext", 65},
                      {sizeTitle, 88, host_.sizeAlignmentRight},
                      {L"Date", 115},
                      {L"Time", 95},
                      {L"Attr", 70},
                      {L"...", 0},
                      {L"SizeActual", 0},
                      {L"Name", 0},
                      {L"SizeCompressed", 0}},
                     L"ListViewWidthBrowse");
    list_.ReadColumnWidths(ini);
    list_.ShowHeader(titles);
    list_.SetColors(host_.listBack, host_.listText);
    list_.SetFont(listFont_.Get(host_.listFontName, host_.listFontSize, Dpi()));
    list_.SetTextSource([this](int row, int column) -> std::wstring_view {
        if (row < 0 || static_cast<size_t>(row) >= rows_.size() || column < 1 || column > 10) return {};
        const DirectoryLine& l = rows_[static_cast<size_t>(row)];
        if (column == 3) {
            sizeScratch_ = IsFolderLine(l) ? std::wstring(kDirSizeText)
                                           : DisplaySizeText(l[2], BoolFileSizeFull, BoolFileSize1024);
            return sizeScratch_;
        }
        return l[static_cast<size_t>(column - 1)];
    });
    list_.SetColorSource([this](int row) { return RowColor(row); });
    labelSelected_ = AddControl(ComponentKind::Other, 0, L"STATIC", L"", WS_VISIBLE | SS_LEFT | SS_PATHELLIPSIS,
                                0, kLabelSelected);
    labelHint_ = AddControl(ComponentKind::Label, kTagLabelHint, L"STATIC", L"「Shift+Enter」または「確定」のボタンで決定",
                            WS_VISIBLE | SS_LEFT);
    const wchar_t* captions[kButtonCount] = {L"ｶﾚﾝﾄ変更(&H)", L"ﾄﾞﾗｲﾌﾞ(&L)", L"ｿｰﾄ(&S)", L"ﾌｫﾙﾀﾞ作成(&K)",
                                             L"名前変更(&N)",  L"確定(&O)",   L"ｷｬﾝｾﾙ(&C)"};
    for (int i = 0; i < kButtonCount; ++i) buttons_[i] = AddButton(kTagButtonCurrent + i, captions[i]);

    StrCurrent = StrSetFormBrowse.empty() ? std::wstring(L"C:\\") : StrSetFormBrowse;
    if (host_.driveTable) GetDriveList(StrCurrent.substr(0, 3), *host_.driveTable);
    IntDriveNumber = DriveLetterToIndex(StrCurrent);
    BoolShowHidden = true;
}

void TFormBrowse::FormShow() {
    CloseIme();
    BoolChangeDriveFirst = true;
    ChangeDrive(FolderPartOfPath(StrCurrent));
    RecordFolder(StrCurrent.empty() || StrCurrent.back() == L'\\' ? StrCurrent : FolderPartOfPath(StrCurrent));
    RECT r{};
    GetWindowRect(handle_, &r);
    SetCursorPos(r.left + 25, r.top + 115);
    if (!StrSetFormBrowse.empty() && FileExistsNotFolder(StrSetFormBrowse)) JumpFile(StrSetFormBrowse, false);
    SetFocus(list_.Handle());
}

void TFormBrowse::FormResize(int w, int h) {
    if (!buttons_[kButtonCount - 1]) return;
    w = Unscale(w);
    h = Unscale(h);
    const int inner = std::max(100, w - 2 * kMargin);
    Place(labelTitle_, kMargin, 6, inner, 20);
    Place(labelCurrent_, kMargin, 28, inner, 22);
    const int listTop = 52;
    const int listBottom = std::max(listTop + 60, h - 108);
    Place(list_.Handle(), kMargin, listTop, inner, listBottom - listTop);
    Place(labelSelected_, kMargin, listBottom + 4, inner, 22);
    Place(labelHint_, kMargin, listBottom + 30, inner, 20);
    const int by = h - 44;
    // Each button as wide as its caption needs; all of them shrunk alike
    // when the row would be wider than the window.
    int widths[kButtonCount];
    int total = 0;
    for (int i = 0; i < kButtonCount; ++i) {
        widths[i] = std::max(72, Unscale(TextExtent(buttons_[i]).cx) + 14);
        total += widths[i];
    }
    const int gap = 4;
    const int room = inner - gap * (kButtonCount - 1);
    for (int i = 0, x = kMargin; i < kButtonCount; ++i) {
        const int width = total > room ? widths[i] * room / total : widths[i];
        Place(buttons_[i], x, by, width, 32);
        x += width + gap;
    }
    ResizeNameColumn();
}

void TFormBrowse::ResizeNameColumn() {
    RECT rc{};
    GetClientRect(list_.Handle(), &rc);
    int others = list_.ColumnWidth(0);
    for (int c = 2; c <= 6; ++c) others += list_.ColumnWidth(c);
    list_.SetColumnWidth(1, std::max(70, static_cast<int>(rc.right - rc.left) - others));
}

void TFormBrowse::FormDpiChanged(UINT) {
    list_.SetFont(listFont_.Get(host_.listFontName, host_.listFontSize, Dpi()));
    LanguageApplied();
    InvalidateRect(handle_, nullptr, TRUE);
}

void TFormBrowse::LanguageApplied() {
    HFONT info = infoFont_.Get(host_.infoFontName, host_.infoFontSize, Dpi());
    for (HWND label : {labelCurrent_, labelSelected_}) SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(info), TRUE);
}

void TFormBrowse::FormDestroy() { list_.WriteColumnWidths(Settings()); }

// ---------------------------------------------------------------- listing

void TFormBrowse::Message(const wchar_t* japanese, const wchar_t* english, const std::wstring& tail) {
    ShowMsgJE(handle_, japanese + tail, english + tail);
}

void TFormBrowse::GetDirFileList(int reason) {
    {
        BusyScope busy(*this);
        for (int i = 0; i < 5; ++i) Application().HandleOneMessage();
    }
    if (reason == kUp) {
        const std::wstring folder = FolderPartOfPath(StrCurrent);
        if (IsDriveRoot(folder)) return;
        StrCurrent = ParentFolderOf(folder);
    }
    const int selected = list_.SelectedRow();
    const bool hasRow = selected >= 0 && static_cast<size_t>(selected) < rows_.size();
    if (reason == kInto && hasRow && !(StrListDir.empty() && StrListFile.empty())) {
        const DirectoryLine& row = rows_[static_cast<size_t>(selected)];
        if (IsRootLine(row) || !IsFolderLine(row)) return;
        if (IsParentLine(row)) {
            StrCurrent = ParentFolderOf(StrCurrent);
        } else {
            if (FolderRefused(StrCurrent, row[8])) {
                Message(L"Information : このフォルダは指定できません", L"Information : This folder can not accept.\r\n[OK]");
                return;
            }
            StrCurrent = StrCurrent + row[8] + L"\\";
        }
    }
    std::wstring keepName, keepExt;
    bool keep = false;
    if (reason == kRefresh && hasRow) {
        keepName = rows_[static_cast<size_t>(selected)][0];
        keepExt = rows_[static_cast<size_t>(selected)][1];
        keep = true;
    }
    if (!ReadFolder(StrCurrent, StrListDir, StrListFile)) {
        Message(L"Information : フォルダがありません\r\nカレントを C:\\ に変更します\r\n",
                L"Information : Folder is not exist.\r\nChange current to C:\\\r\n[OK]\r\n", StrCurrent);
        StrCurrent = L"C:\\";
        IntDriveNumber = DriveLetterToIndex(StrCurrent);
        ReadFolder(StrCurrent, StrListDir, StrListFile);
    }
    SetItemNewList();
    if (!rows_.empty()) {
        int row = DriveArray.RestoreRow(StrCurrent, rows_);
        if (keep) {
            row = 0;
            for (size_t r = 0; r < rows_.size(); ++r)
                if (rows_[r][0] == keepName && rows_[r][1] == keepExt) {
                    row = static_cast<int>(r);
                    break;
                }
        }
        SelectRow(row < 0 ? 0 : row);
    }
    SetFocus(list_.Handle());
    if (reason == kUp || reason == kInto) RecordFolder(StrCurrent);
    InformationUpdate();
}

void TFormBrowse::SetItemNewList() {
    BrowseSort sort;
    sort.mode = IntSortMode1;
    sort.order = IntSortOrder1;
    sort.explorer = BoolSortExplorer;
    sort.sjis = BoolSortSJIS;
    sort.unicode = BoolSortUnicode;
    sort.showSystem = BoolShowSystem;
    sort.showHidden = BoolShowHidden;
    list_.BeginRefill();
    rows_ = BuildBrowseRows(StrCurrent, StrListDir, StrListFile, sort);
    list_.EndRefill(static_cast<int>(rows_.size()));
}

void TFormBrowse::SelectRow(int row) {
    if (row < 0 || static_cast<size_t>(row) >= rows_.size()) return;
    list_.SelectRow(row, true);
    InformationUpdate();
}

void TFormBrowse::InformationUpdate() {
    const int row = list_.SelectedRow();
    if (row < 0 || static_cast<size_t>(row) >= rows_.size()) return;
    SetText(labelCurrent_, LabelText(StrCurrent));
    SetText(labelSelected_, LabelText(SelectedPath(StrCurrent, rows_[static_cast<size_t>(row)])));
}

COLORREF TFormBrowse::RowColor(int row) const {
    if (row < 0 || static_cast<size_t>(row) >= rows_.size()) return host_.listText;
    const DirectoryLine& l = rows_[static_cast<size_t>(row)];
    ExtensionLists lists{&host_.exeExt, &host_.arcExt, nullptr, nullptr, &host_.wicExt, nullptr};
    const bool folder = IsFolderLine(l);
    const quib::RowColor kind = ClassifyRow(folder ? std::wstring(kDirSizeText) : std::wstring(),
                                            l[5], folder ? std::wstring() : ExtractFileExt(l[8]), lists);
    switch (kind) {
        case RowColor::System: return host_.rowColors[0];
        case RowColor::Hidden: return host_.rowColors[1];
        case RowColor::ReadOnly: return host_.rowColors[2];
        case RowColor::Directory: return host_.rowColors[3];
        case RowColor::Execute: return host_.rowColors[5];
        case RowColor::Archive: return host_.rowColors[6];
        case RowColor::Image: return host_.rowColors[7];
        case RowColor::Normal: break;
    }
    return host_.rowColors[4];
}

// ---------------------------------------------------------------- drives and jumps

bool TFormBrowse::DrivePresent(const std::wstring& root) {
    if (host_.driveTable) return GetDriveList(root, *host_.driveTable);
    std::vector<std::wstring> table;
    return GetDriveList(root, table);
}

void TFormBrowse::ChangeDrive(const std::wstring& folder) {
    IntDriveNumber = DriveLetterToIndex(folder);
    if (BoolChangeDriveFirst) {
        StrCurrent = folder;
    } else {
        const std::wstring last = DriveArray.LastFolder(IntDriveNumber);
        StrCurrent = last.empty() ? folder : last;
    }
    GetDirFileList(kRefresh);
}

void TFormBrowse::JumpFile(const std::wstring& path, bool fromDialog) {
    const std::wstring folder = FolderPartOf(path);
    if (folder.empty() || !FolderExists(folder)) {
        if (fromDialog)
            After(1000, [this, path] {
                Message(L"Information : フォルダがありません\r\n", L"Information : Folder is not exist.\r\n[OK]\r\n", path);
            });
        return;
    }
    IntDriveNumber = DriveLetterToIndex(folder);
    DriveArray.RecordJump(folder);
    StrCurrent = folder;
    ChangeDrive(folder);
    const std::wstring name = path.substr(folder.size());
    if (!name.empty() && name != kParentName) {
        for (size_t r = 0; r < rows_.size(); ++r)
            if (EqualsNoCase(rows_[r][8], name)) {
                SelectRow(static_cast<int>(r));
                break;
            }
    }
}

// ---------------------------------------------------------------- commands

void TFormBrowse::MenuJumpFolderExClick() {
    Fields.StrFolder = StrCurrent;
    const int r = ShowModalForm<TFormJumpFolderEx>(host_.filerCaptions, Fields);
    SetFocus(list_.Handle());
    if (r == mrOK) JumpFile(Fields.StrRetFormJumpFolderEx, true);
}

void TFormBrowse::MenuMakeFolderClick() {
    if (list_.SelectedRow() < 0) return;
    std::wstring made;
    const int r = ShowModalForm<TFormMakeFolder>(StrCurrent, made);
    SetFocus(list_.Handle());
    if (r == mrOK) GetDirFileList(kRefresh);
}

void TFormBrowse::MenuDriveChangeClick() {
    std::vector<std::wstring> local;
    std::vector<std::wstring>& table = host_.driveTable ? *host_.driveTable : local;
    GetDriveList(StrCurrent.substr(0, 3), table);
    Fields.StrFolder = StrCurrent;
    std::wstring root;
    ShowModalForm<TFormDrive>(table, root, &Fields);
    SetFocus(list_.Handle());
    if (root.empty()) return;
    bool present = false;
    for (size_t i = 1; i < table.size(); ++i)
        if (EqualsNoCase(table[i].substr(0, std::min<size_t>(3, table[i].size())), root.substr(0, 3))) present = true;
    if (!present) return;
    BoolChangeDriveFirst = false;
    ChangeDrive(root);
}

void TFormBrowse::MenuRenameClick() {
    const int selected = list_.SelectedRow();
    if (selected < 0 || static_cast<size_t>(selected) >= rows_.size()) return;
    const DirectoryLine& row = rows_[static_cast<size_t>(selected)];
    // The root row names no entry (its field 8 is "0"): renaming it would
    // rename a real entry called "0".
    if (IsParentLine(row) || IsRootLine(row)) {
        Message(L"Information : このフォルダは指定できません", L"Information : This folder can not accept.\r\n[OK]");
        return;
    }
    Fields.StrListRenameSrc = {RenameSourceOf(row)};
    Fields.StrSetFormRename = StrCurrent;
    Fields.StrRetFormRename = StrCurrent;
    const int r = ShowModalForm<TFormRename>(Fields);
    SetFocus(list_.Handle());
    if (r != mrOK) return;
    GetDirFileList(kRefresh);
    for (size_t i = 0; i < rows_.size(); ++i)
        if (EqualsNoCase(rows_[i][8], Fields.StrRetFormRename)) {
            SelectRow(static_cast<int>(i));
            return;
        }
    SelectRow(std::min(selected, static_cast<int>(rows_.size()) - 1));
}

void TFormBrowse::MenuSortClick() {
    Fields.BoolSortExplorer = BoolSortExplorer;
    Fields.BoolSortSJIS = BoolSortSJIS;
    Fields.BoolSortUnicode = BoolSortUnicode;
    const int r = ShowModalForm<TFormSort>(Fields);
    SetFocus(list_.Handle());
    if (r != mrOK) return;
    IntSortOrder1 = _wtoi(Fields.StrRetFormSortOrder.c_str());
    IntSortMode1 = _wtoi(Fields.StrRetFormSortMode.c_str());
    BoolSortExplorer = Fields.StrRetFormSortExplorer != L"0";
    BoolSortSJIS = Fields.StrRetFormSortQuibFM != L"0";
    BoolSortUnicode = Fields.StrRetFormSortUnicode != L"0";
    GetDirFileList(kRefresh);
}

void TFormBrowse::MenuQuitClick() { SetModalResult(mrCancel); }
void TFormBrowse::MenuEscapeClick() { SetModalResult(mrCancel); }
void TFormBrowse::MenuBackSpaceClick() { GetDirFileList(kUp); }
void TFormBrowse::MenuExecuteExtClick() { GetDirFileList(kInto); }

void TFormBrowse::MenuShiftReturnClick() {
    SetFocus(Button(kTagButtonOK));
    ButtonOKClick();
}

void TFormBrowse::MenuListViewWidthInitClick() {
    for (size_t c = 0; c < host_.mainColumnWidths.size() && c <= 6; ++c)
        list_.SetColumnWidth(static_cast<int>(c), host_.mainColumnWidths[c]);
    ResizeNameColumn();
    SetFocus(list_.Handle());
}

void TFormBrowse::MenuMoveTopClick() {
    if (!rows_.empty()) SelectRow(0);
}

void TFormBrowse::MenuMoveEndClick() {
    if (!rows_.empty()) SelectRow(static_cast<int>(rows_.size()) - 1);
}

void TFormBrowse::MenuMovePrevClick() { SendMessageW(list_.Handle(), WM_KEYDOWN, VK_PRIOR, 0); }
void TFormBrowse::MenuMoveUpClick() { SendMessageW(list_.Handle(), WM_KEYDOWN, VK_UP, 0); }
void TFormBrowse::MenuMoveDownClick() { SendMessageW(list_.Handle(), WM_KEYDOWN, VK_DOWN, 0); }
void TFormBrowse::MenuMoveNextClick() { SendMessageW(list_.Handle(), WM_KEYDOWN, VK_NEXT, 0); }

// The keyboard settings dialog is not part of the program yet: the window
// names itself to it as every opener does, and the key map stays as it is.
void TFormBrowse::MenuKeyBoardClick() {
    if (ShowKeyBoardFor(KeyMapWindow::Browse) == mrOK) SetShortCutKey();
}

void TFormBrowse::MenuDriveUpdateClick() {
    if (list_.SelectedRow() >= 0) GetDirFileList(kRefresh);
}

void TFormBrowse::MenuDriveClick(int drive) {
    const std::wstring root = RootOfDrive(drive);
    if (!DrivePresent(root)) return;
    BoolChangeDriveFirst = false;
    ChangeDrive(root);
}

void TFormBrowse::MenuCommand(int id) {
    if (id >= kTagMenuDriveA && id < kTagMenuDriveA + 26) MenuDriveClick(id - kTagMenuDriveA);
}

void TFormBrowse::ButtonOKClick() {
    const int selected = list_.SelectedRow();
    if (selected < 0 || static_cast<size_t>(selected) >= rows_.size()) return;
    const BrowseOkResult r = BrowseOk(EqualsNoCase(StrTarget, L"File"), StrCurrent, rows_[static_cast<size_t>(selected)]);
    if (!r.accepted) {
        ShowMsgJE(handle_, r.japanese, r.english);
        return;
    }
    StrRetFormBrowse = r.path;
    SetModalResult(mrOK);
}

void TFormBrowse::ButtonCancelClick() {
    StrRetFormBrowse.clear();
    SetModalResult(mrCancel);
}

void TFormBrowse::ControlCommand(HWND, int id, int code) {
    if (code != BN_CLICKED) return;
    switch (id) {
        case kTagButtonCurrent: RunCommand(1001); break;
        case kTagButtonDrive: RunCommand(1003); break;
        case kTagButtonSort: RunCommand(1005); break;
        case kTagButtonMakeFolder: RunCommand(1002); break;
        case kTagButtonRename: RunCommand(1004); break;
        case kTagButtonOK: ButtonOKClick(); break;
        case kTagButtonCancel: ButtonCancelClick(); break;
        default: break;
    }
}

LRESULT TFormBrowse::Notify(NMHDR* hdr) {
    if (!hdr || hdr->hwndFrom != list_.Handle()) return 0;
    if (hdr->code == NM_DBLCLK) {
        MenuExecuteExtClick();
    } else if (hdr->code == LVN_ITEMCHANGED) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(hdr);
        if (change->uNewState & LVIS_SELECTED) InformationUpdate();
    }
    return 0;
}

bool TFormBrowse::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_CTLCOLORSTATIC) {
        const HWND control = reinterpret_cast<HWND>(lp);
        if (control == labelCurrent_ || control == labelSelected_) {
            HDC dc = reinterpret_cast<HDC>(wp);
            SetTextColor(dc, host_.infoText);
            SetBkColor(dc, host_.infoBack);
            result = reinterpret_cast<LRESULT>(infoBrush_.Get(host_.infoBack));
            return true;
        }
    }
    return false;
}

}  // namespace quib
