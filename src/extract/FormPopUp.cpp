#include "extract/FormPopUp.h"
#include "keymap/KeyMapRegistry.h"
#include "settings/SettingKeys.h"

#include <shlobj.h>

#include <algorithm>

#include "extract/ExtractCommand.h"
#include "extract/ExtractPaths.h"
#include "extract/ExtractPopUp.h"
#include "extract/ExtractTemp.h"
#include "extract/FormBrowse.h"
#include "extract/FormTree.h"
#include "util/Controls.h"
#include "util/Message.h"
#include "util/MyUtility.h"
#include "util/StrConv.h"

namespace quib {
namespace {

enum : int { kZipDllId = 100 };

FormDescription PopUpDescription() {
    FormDescription d = FormDescription::Window(L"FormPopUp", SIZE{700, 520}, SIZE{700, 520});
    d.languageFile = L"PopUp.txt";
    d.commands = &PopUpCommandTable();
    d.keyMap = KeyMapWindow::PopUp;
    // Enter belongs to the focused button; the buttons are the window.
    d.dialogKeys = true;
    return d;
}

std::wstring WithBackslash(std::wstring s) {
    if (!s.empty() && s.back() != L'\\') s.push_back(L'\\');
    return s;
}

std::wstring FolderOf(const std::wstring& path) {
    const size_t at = path.find_last_of(L"\\/");
    return at == std::wstring::npos ? std::wstring() : path.substr(0, at + 1);
}

const wchar_t* const kButtonCaptions[12] = {
    L"このフォルダに解凍", L"解凍フォルダを指定（一覧）", L"解凍フォルダを指定（ツリー）", L"解凍フォルダを指定（参照）",
    L"1:解凍先",          L"2:解凍先",                  L"3:解凍先",                    L"4:解凍先",
    L"5:解凍先",          L"quibFM解凍",               L"閲覧(一覧に戻る)",             L"終了"};

const wchar_t* const kCheckCaptions[5] = {
    L"パス付で解凍", L"圧縮ファイル名と同名のフォルダを自動で作成して解凍",
    L"圧縮ファイルにフォルダがある場合はフォルダ名で作成", L"解凍後quibFMを前面に表示", L"解凍後にパスをクリップへ"};

// The switches and their menu commands, in check-box order.
const int kCheckMenus[5] = {TFormPopUp::kMenuCheckBox51, TFormPopUp::kMenuCheckBox52, TFormPopUp::kMenuCheckBox53,
                            TFormPopUp::kMenuCheckBox54, TFormPopUp::kMenuCheckBox55};

struct WindowsFound {
    std::vector<std::wstring> names;
    std::vector<HWND> handles;
};

BOOL CALLBACK CollectFamilyWindow(HWND hwnd, LPARAM lp) {
    wchar_t caption[513] = {};
    GetWindowTextW(hwnd, caption, 512);
    if (FamilyWindowCaption(caption)) {
        auto* found = reinterpret_cast<WindowsFound*>(lp);
        found->names.push_back(caption);
        found->handles.push_back(hwnd);
    }
    return TRUE;
}

}  // namespace

TFormPopUp::TFormPopUp(PopUpHost& host) : TFormBase(PopUpDescription()), host_(host) {}

void TFormPopUp::FormCreate() {
    SetCaption(L"解凍画面");
    for (int i = 0; i < 12; ++i) buttons_[static_cast<size_t>(i)] = AddButton(kTagButtonThis + i, kButtonCaptions[i]);
    for (int i = 0; i < 5; ++i)
        checks_[static_cast<size_t>(i)] = AddControl(ComponentKind::CheckBox, kTagCheckBox51 + i, L"BUTTON",
                                                     kCheckCaptions[i], WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX);
    label11_ = AddControl(ComponentKind::Label, kTagLabel11, L"STATIC",
                          L"Susieの圧縮ファイルの場合は、必ずパス付になります", WS_VISIBLE | SS_LEFT);
    label26_ = AddControl(ComponentKind::Label, kTagLabel26, L"STATIC", L"解凍用ZipDLL選択", WS_VISIBLE | SS_LEFT);
    zipDll_ = AddControl(ComponentKind::Other, 0, L"COMBOBOX", L"", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                         0, kZipDllId);
    for (const wchar_t* item : {L"UNZIP.DLL", L"LMZIP32.DLL", L"7-ZIP32.DLL"})
        SendMessageW(zipDll_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));

    const IniFile ini = Settings();
    SendMessageW(zipDll_, CB_SETCURSEL, static_cast<WPARAM>(std::clamp(ReadKeyInt(ini, key::UnzipDllIndex), 0, 2)), 0);
    // This window starts with "make a folder" and "to the front" on when the
    // settings file has no say.
    SetCheck(kTagCheckBox51, ini.ReadBool(L"FormExtract", L"WithPath", true));
    SetCheck(kTagCheckBox51 + 1, ini.ReadBool(L"FormExtract", L"MakeFolder", true));
    SetCheck(kTagCheckBox51 + 2, ini.ReadBool(L"FormExtract", L"DouleDisabled", false));
    SetCheck(kTagCheckBox51 + 3, ini.ReadBool(L"FormExtract", L"MoveExtractFolder", true));
    SetCheck(kTagCheckBox51 + 4, ini.ReadBool(L"FormExtract", L"CopyPathToClip", true));
    Coupling();

    const bool susie = host_.ListingMode() == PopUpHost::Listing::Susie;
    ShowWindow(label11_, susie ? SW_SHOW : SW_HIDE);
    ShowWindow(checks_[0], susie ? SW_HIDE : SW_SHOW);
    const bool zip = EqualsNoCase(ExtractFileExt(host_.ArchivePath()), L".zip");
    ShowWindow(label26_, zip ? SW_SHOW : SW_HIDE);
    ShowWindow(zipDll_, zip ? SW_SHOW : SW_HIDE);
    SetMenuEnabled(kMenuLabel26, zip);
    for (int i = 0; i < 5; ++i) baseCaptions_[static_cast<size_t>(i)] = kButtonCaptions[4 + i];
}

void TFormPopUp::FormShow() {
    CloseIme();
    SetExtractButton();
    SetFocus(buttons_[0]);
}

void TFormPopUp::LanguageApplied() {
    for (int i = 0; i < 5; ++i) baseCaptions_[static_cast<size_t>(i)] = GetText(buttons_[static_cast<size_t>(4 + i)]);
}

void TFormPopUp::SwitchLanguage(bool japanese) {
    TFormBase::SwitchLanguage(japanese);
    SetExtractButton();
}

void TFormPopUp::FormResize(int w, int /*h*/) {
    if (!zipDll_) return;
    w = Unscale(w);
    const int inner = std::max(0, w - 16);
    int y = 6;
    for (HWND b : buttons_) {
        Place(b, 8, y, inner, 24);
        y += 26;
    }
    y += 4;
    Place(checks_[0], 8, y, inner, 22);
    Place(label11_, 50, y + 2, std::max(0, inner - 42), 22);
    y += 24;
    Place(checks_[1], 8, y, inner, 22);
    y += 24;
    Place(checks_[2], 32, y, std::max(0, inner - 24), 22);
    y += 24;
    Place(checks_[3], 8, y, inner / 2, 22);
    Place(checks_[4], 8 + inner / 2, y, inner - inner / 2, 22);
    y += 28;
    Place(label26_, 8, y + 3, 220, 22);
    Place(zipDll_, 232, y, 200, 200);
}

HWND TFormPopUp::Control(int tag) const {
    if (tag >= kTagButtonThis && tag <= kTagButtonClose) return buttons_[static_cast<size_t>(tag - kTagButtonThis)];
    if (tag >= kTagCheckBox51 && tag < kTagCheckBox51 + 5) return checks_[static_cast<size_t>(tag - kTagCheckBox51)];
    if (tag == kTagLabel11) return label11_;
    if (tag == kTagLabel26) return label26_;
    return nullptr;
}

bool TFormPopUp::Checked(int checkTag) const {
    return SendMessageW(Control(checkTag), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TFormPopUp::SetCheck(int checkTag, bool on) {
    SendMessageW(Control(checkTag), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    SetMenuChecked(kCheckMenus[checkTag - kTagCheckBox51], on);
}

// "Make a folder" off takes "name it after the archive's folder" off and
// greys it; that one on needs the stored folders, so it turns "with paths" on.
void TFormPopUp::Coupling() {
    const HWND doule = checks_[2];
    if (!Checked(kTagCheckBox51 + 1)) {
        SetCheck(kTagCheckBox51 + 2, false);
        EnableWindow(doule, FALSE);
        SetMenuEnabled(kMenuCheckBox53, false);
    } else {
        EnableWindow(doule, TRUE);
        SetMenuEnabled(kMenuCheckBox53, true);
    }
    if (Checked(kTagCheckBox51 + 2)) SetCheck(kTagCheckBox51, true);
}

void TFormPopUp::SetExtractButton() {
    const IniFile ini = Settings();
    for (int i = 0; i < 5; ++i) {
        const std::wstring k = std::to_wstring(i);
        const std::wstring name = ini.ReadString(L"ExtractName", k, L"");
        const std::wstring folder = PopUpDestinationFolder(ini.ReadString(L"ExtractFolder", k, L""));
        HWND b = buttons_[static_cast<size_t>(4 + i)];
        // A destination that was unusable once stays off while the window is open.
        if (folder.empty()) EnableWindow(b, FALSE);
        StrExtractPathN[static_cast<size_t>(i)] = folder;
        SetText(b, PopUpButtonCaption(baseCaptions_[static_cast<size_t>(i)], name));
    }
    StrExtractPathThis = WithBackslash(FolderOf(host_.ArchivePath()));
    StrExtractPathQuibFM = WithBackslash(ProgramFolder());
}

void TFormPopUp::WriteIniFile() {
    const IniFile ini = Settings();
    ini.WriteBool(L"FormExtract", L"WithPath", Checked(kTagCheckBox51));
    ini.WriteBool(L"FormExtract", L"MakeFolder", Checked(kTagCheckBox51 + 1));
    ini.WriteBool(L"FormExtract", L"DouleDisabled", Checked(kTagCheckBox51 + 2));
    ini.WriteBool(L"FormExtract", L"MoveExtractFolder", Checked(kTagCheckBox51 + 3));
    ini.WriteBool(L"FormExtract", L"CopyPathToClip", Checked(kTagCheckBox51 + 4));
}

bool TFormPopUp::AskExtract(const std::wstring& destination) {
    return ShowMsgJE(handle_, L"解凍しますか？\r\n" + destination,
                     L"Extract archive file ?\r\n[OK] / [NO]\r\n" + destination, MsgButtons::YesNo,
                     MsgStyle::Question) == IDYES;
}

void TFormPopUp::MenuThisClick() {
    if (!AskExtract(StrExtractPathThis)) return;
    WriteIniFile();
    StrExtractPath = StrExtractPathThis;
    ExtractFile();
}

void TFormPopUp::MenuExtractClick(int n) {
    if (!IsWindowEnabled(buttons_[static_cast<size_t>(4 + n)])) return;
    const std::wstring folder = StrExtractPathN[static_cast<size_t>(n)];
    if (!AskExtract(folder)) return;
    WriteIniFile();
    StrExtractPath = folder;
    ExtractFile();
}

void TFormPopUp::ExtractToPicked(const std::wstring& chosen) {
    if (!FolderExists(chosen)) {
        ShowMsgJE(handle_, L"Information : 解凍するフォルダがありません\r\n" + chosen,
                  L"Information : Extract folder is not exist.\r\n[OK]\r\n" + chosen);
        return;
    }
    WriteIniFile();
    StrExtractPath = WithBackslash(chosen);
    ExtractFile();
}

void TFormPopUp::MenuListClick() {
    BROWSEINFOW bi{};
    bi.hwndOwner = handle_;
    bi.lpszTitle = L"Select Directory";
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_VALIDATE;
    PIDLIST_ABSOLUTE pidl = SHBrowseForFolderW(&bi);
    if (!pidl) return;
    wchar_t path[MAX_PATH] = {};
    const bool ok = SHGetPathFromIDListW(pidl, path) != FALSE;
    CoTaskMemFree(pidl);
    if (ok) ExtractToPicked(path);
}

void TFormPopUp::MenuTreeClick() {
    FolderPickerHost* pickers = host_.Pickers();
    if (!pickers) return;
    std::wstring chosen;
    int result = mrCancel;
    {
        FormInstance<TFormTree> tree(*pickers, L"C:\\", chosen);
        result = tree.ShowModal();
    }
    if (result == mrOK) ExtractToPicked(chosen);
}

void TFormPopUp::MenuBrowseClick() {
    FolderPickerHost* pickers = host_.Pickers();
    if (!pickers) return;
    Settings().WriteString(L"Browse", L"Target", L"Folder");
    std::wstring chosen;
    int result = mrCancel;
    {
        FormInstance<TFormBrowse> browse(*pickers, L"C:\\", chosen);
        result = browse.ShowModal();
    }
    if (result == mrOK) ExtractToPicked(chosen);
}

void TFormPopUp::Finished(bool ok, const std::wstring& destination, bool moveFolder) {
    if (!ok) {
        ShowMsgJE(handle_, L"Error : 解凍に失敗しました\r\n" + destination,
                  L"Information : Extract file failed.\r\n[OK]\r\n" + destination, MsgButtons::Ok, MsgStyle::Error);
        return;
    }
    if (moveFolder) {
        if (Checked(kTagCheckBox51 + 4)) SetClipboardText(handle_, destination);
        ShowMsgJE(handle_,
                  L"Information : 解凍が完了しました\r\nquibFMでカレントフォルダの変更(H キー)を操作して\r\nCtrl+V "
                  L"で貼り付けを実行後に、「変更」を操作してください\r\n" +
                      destination,
                  L"Information : Extract had done.\r\nOperate change current(H key) in quibFM and operate "
                  L"Ctrl+V.\r\nFinally operate [change].\r\n[OK]\r\n" +
                      destination);
        if (HWND filer = host_.FilerWindow()) SetForegroundWindow(filer);
        return;
    }
    ShowMsgJE(handle_, L"Information : 解凍が完了しました\r\n" + destination,
              L"Information : Extract had done.\r\n[OK]\r\n" + destination);
}

void TFormPopUp::ExtractFile() {
    if (StrExtractPath.empty() || !FolderExists(StrExtractPath)) {
        ShowMsgJE(handle_, L"Information : 解凍するフォルダがありません\r\n" + StrExtractPath,
                  L"Information : Extract folder is not exist.\r\n[OK]\r\n" + StrExtractPath);
        return;
    }
    const std::vector<std::wstring> lines = host_.EntryLines();
    if (lines.empty()) return;
    const bool susie = host_.ListingMode() == PopUpHost::Listing::Susie;
    const std::wstring archive = host_.ArchivePath();
    const std::vector<std::wstring> stored = PopUpSelection(lines);
    StrListListViewMark = susie ? PopUpSusieSelection(lines) : stored;
    if (StrListListViewMark.empty()) {
        ShowMsgJE(handle_, L"Information : 解凍するファイルが設定されていません",
                  L"Information : Extract file is empty.\r\n[OK]");
        return;
    }
    // Entries whose stored path would land outside the destination are left
    // out, and the user is told which.
    const StringList outside = UncontainedPaths(stored);
    if (!outside.empty()) {
        std::wstring list;
        for (const auto& p : outside) list += L"\r\n" + p;
        ShowMsgJE(handle_, L"Information : 解凍先の外を指すパスは解凍しません" + list,
                  L"Information : Stored paths that point outside the destination are not extracted.\r\n[OK]" + list);
        std::vector<std::wstring> kept;
        for (size_t i = 0; i < stored.size(); ++i)
            if (StoredPathContained(stored[i])) kept.push_back(StrListListViewMark[i]);
        StrListListViewMark = std::move(kept);
        if (StrListListViewMark.empty()) return;
    }

    StringList responseLines;
    if (!susie) {
        responseLines = ResponseFileLines(archive, StrListListViewMark);
        if (responseLines.empty()) {
            ShowMsgJE(handle_, L"Information : 解凍するファイルが設定されていません",
                      L"Information : Extract file is empty.\r\n[OK]");
            return;
        }
    }
    const IniFile ini = Settings();
    const bool withPath = ini.ReadBool(L"FormExtract", L"WithPath", true);
    const bool makeFolder = ini.ReadBool(L"FormExtract", L"MakeFolder", true);
    const bool doubleDisabled = ini.ReadBool(L"FormExtract", L"DouleDisabled", false);
    const bool moveFolder = ini.ReadBool(L"FormExtract", L"MoveExtractFolder", true);
    if (!susie) ini.WriteInteger(L"UnzipDll", L"Index", static_cast<int>(SendMessageW(zipDll_, CB_GETCURSEL, 0, 0)));

    std::vector<std::wstring> allStored;
    for (const auto& l : lines) allStored.push_back(l.substr(0, l.find(L'\t')));
    const std::wstring destination =
        ExtractDestination(WithBackslash(StrExtractPath), archive, makeFolder, doubleDisabled, AnalyseTopLevel(allStored));
    if (!FolderExists(destination) && !ForceDirectories(destination)) {
        ShowMsgJE(handle_, L"Error : フォルダが作成できませんでした\r\n" + destination,
                  L"Error : Folder can not make.\r\n[OK]\r\n" + destination, MsgButtons::Ok, MsgStyle::Error);
        return;
    }
    bool ok = false;
    if (susie) {
        ok = host_.SusieExtract(StrListListViewMark, destination, handle_);
    } else {
        const std::wstring base = host_.ExtractBase();
        if (!ForceDirectories(base) || !WriteResponseFile(host_.ResponseFilePath(), responseLines)) {
            Finished(false, destination, moveFolder);
            return;
        }
        ok = host_.Unpack(destination, L"@" + host_.ResponseFilePath(), withPath, handle_);
    }
    Finished(ok, destination, moveFolder);
}

void TFormPopUp::MenuExtractQuibFMClick() {
    if (!EqualsNoCase(ExtractFileExt(host_.ArchivePath()), L".zip")) {
        ShowMsgJE(handle_, L"Information : 拡張子が .zip ではありません", L"Information : Extention is not .zip.\r\n[OK]");
        return;
    }
    if (!AskExtract(StrExtractPathQuibFM)) return;
    WindowsFound found;
    EnumWindows(CollectFamilyWindow, reinterpret_cast<LPARAM>(&found));
    for (HWND w : found.handles) SendMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0);
    WriteIniFile();
    StrExtractPath = StrExtractPathQuibFM;
    ExtractFileQuibFM();
}

void TFormPopUp::ExtractFileQuibFM() {
    size_t rowCount = 0;
    const std::vector<std::wstring> paths = host_.FileRowPaths(rowCount);
    if (rowCount == 0) return;
    if (paths.empty()) {
        ShowMsgJE(handle_, L"Information : 解凍するファイルが設定されていません",
                  L"Information : Extract file is empty.\r\n[OK]");
        return;
    }
    StrListListViewMark.clear();
    for (const auto& p : paths)
        if (StoredPathContained(p)) StrListListViewMark.push_back(p);
    StringList responseLines;
    for (const auto& p : StrListListViewMark) responseLines.push_back(L"\"" + p + L"\"");
    const std::wstring archive = host_.ArchivePath();
    bool ok = ForceDirectories(host_.ExtractBase()) && WriteResponseFile(host_.ResponseFilePath(), responseLines) &&
              host_.Unpack(StrExtractPath, L"@" + host_.ResponseFilePath(), false, handle_);
    if (!ok) {
        ShowMsgJE(handle_, L"Error : 解凍に失敗しました\r\n" + archive,
                  L"Information : Extract file failed.\r\n[OK]\r\n" + archive, MsgButtons::Ok, MsgStyle::Error);
        return;
    }
    if (Checked(kTagCheckBox51 + 4)) SetClipboardText(handle_, StrExtractPath);
    ShowMsgJE(handle_,
              L"Information : 解凍が完了しました\r\nquibFMでカレントフォルダの変更(H キー)を操作して\r\nCtrl+V "
              L"で貼り付けを実行後に、「変更」を操作してください\r\n" +
                  StrExtractPath,
              L"Information : Extract had done.\r\nOperate change current(H key) in quibFM and operate "
              L"Ctrl+V.\r\nFinally operate [change].\r\n[OK]\r\n" +
                  StrExtractPath);
}

void TFormPopUp::MenuReturnListClick() { SetModalResult(mrCancel); }

void TFormPopUp::MenuCloseClick() {
    SetModalResult(mrCancel);
    host_.CloseProgram();
}

void TFormPopUp::MenuCheckBox51Click() { SetCheck(kTagCheckBox51, MenuChecked(kMenuCheckBox51)); Coupling(); }
void TFormPopUp::MenuCheckBox52Click() { SetCheck(kTagCheckBox51 + 1, MenuChecked(kMenuCheckBox52)); Coupling(); }
void TFormPopUp::MenuCheckBox53Click() { SetCheck(kTagCheckBox51 + 2, MenuChecked(kMenuCheckBox53)); Coupling(); }
void TFormPopUp::MenuCheckBox54Click() { SetCheck(kTagCheckBox51 + 3, MenuChecked(kMenuCheckBox54)); }
void TFormPopUp::MenuCheckBox55Click() { SetCheck(kTagCheckBox51 + 4, MenuChecked(kMenuCheckBox55)); }
void TFormPopUp::MenuLabel26Click() { SetFocus(zipDll_); }

void TFormPopUp::MenuKeyBoardClick() {
    if (ShowKeyBoardFor(KeyMapWindow::PopUp) == mrOK) SetShortCutKey();
}

void TFormPopUp::ControlCommand(HWND control, int id, int code) {
    if (code != BN_CLICKED) return;
    if (id >= kTagCheckBox51 && id < kTagCheckBox51 + 5) {
        SetCheck(id, SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED);
        Coupling();
        return;
    }
    switch (id) {
        case kTagButtonThis: MenuThisClick(); break;
        case kTagButtonList: MenuListClick(); break;
        case kTagButtonTree: MenuTreeClick(); break;
        case kTagButtonBrowse: MenuBrowseClick(); break;
        case kTagButtonExtractQuibFM: MenuExtractQuibFMClick(); break;
        case kTagButtonReturnList: MenuReturnListClick(); break;
        case kTagButtonClose: MenuCloseClick(); break;
        default:
            if (id >= kTagButtonExtract1 && id < kTagButtonExtract1 + 5) MenuExtractClick(id - kTagButtonExtract1);
            break;
    }
}

void TFormPopUp::FormClose() { CloseIme(); }

void TFormPopUp::FormDestroy() { WriteIniFile(); }

}  // namespace quib
