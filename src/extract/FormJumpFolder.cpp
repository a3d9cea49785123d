#include "extract/FormJumpFolder.h"

#include <shlobj.h>

#include <algorithm>

#include "extract/FolderDialogParts.h"
#include "extract/FormBrowse.h"
#include "extract/FormTree.h"
#include "util/MyUtility.h"
#include "util/Controls.h"
#include "util/IniFile.h"
#include "util/Message.h"
#include "util/PathPrefix.h"
#include "util/StrConv.h"
#include "util/Theme.h"

namespace quib {
namespace {

enum ControlId : int { kListBox1 = 100, kNameEdit, kFolderEdit };

template <class F>
CommandHandler H(F f) {
    return Handler<TFormJumpFolder>(f);
}

const CommandTable& JumpFolderCommands() {
    static const CommandTable table = {
        {{L"ファイル", L"ファイル(&F)", 1000}, {L"操作", L"操作(&S)", 1100}},
        {
            {1001, L"ファイル", L"MenuClose", L"終了(&Q && &X)", L"", kCommandPlain, H(&TFormJumpFolder::MenuCloseClick)},
            {1101, L"操作", L"MenuInput", L"ジャンプフォルダの入力(&I)", L"", kCommandPlain, H(&TFormJumpFolder::MenuInputClick)},
            {1102, L"操作", L"MenuDelete", L"ジャンプフォルダの削除(&D)", L"", kCommandPlain, H(&TFormJumpFolder::MenuDeleteClick)},
        }};
    return table;
}

FormDescription JumpFolderDescription() {
    FormDescription d = FormDescription::Window(L"FormJumpFolder", SIZE{770, 500}, SIZE{770, 500});
    d.languageFile = L"JumpFolder.txt";
    d.commands = &JumpFolderCommands();
    return d;
}

FormDescription InputFolderDescription() {
    FormDescription d = FormDescription::Window(L"FormInputFolder", SIZE{750, 230}, SIZE{750, 230});
    d.languageFile = L"InputFolder.txt";
    return d;
}

std::wstring Expand(const std::wstring& path) { return ExpandPathPrefix(path, ProgramFolder() + L"\\quibFMarchive.exe"); }

}  // namespace

// ---------------------------------------------------------------- jump-folder window

TFormJumpFolder::TFormJumpFolder(FolderPickerHost& host, std::wstring& result)
    : TFormBase(JumpFolderDescription()), host_(host), StrRetFormJumpFolder(result) {}

std::wstring TFormJumpFolder::FilePath() const { return JumpFolderFilePath(ProgramFolder()); }

void TFormJumpFolder::FormCreate() {
    SetCaption(L"ジャンプフォルダ");
    const bool extract = EqualsNoCase(Settings().ReadString(L"FormJumpFolder", L"Parent", L"Main"), L"Extract");
    ownerDraw_ = host_.vclStyle == 0;
    DWORD style = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    if (ownerDraw_) style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
    list_ = AddControl(ComponentKind::Other, 0, L"LISTBOX", L"", style, WS_EX_CLIENTEDGE, kListBox1);
    ok_ = AddButton(kTagButtonOK, L"実行(&O)");
    cancel_ = AddButton(kTagButtonCancel, L"ｷｬﾝｾﾙ(&C)");
    EnableWindow(ok_, extract ? TRUE : FALSE);
    if (!ReadJumpFolderFile(FilePath(), StrListJumpFolder)) WriteJumpFolderFile(FilePath(), StrListJumpFolder);
    FillList();
    LanguageApplied();
}

// The lines have fixed byte columns: they are shown in the main list's font
// (a fixed-pitch one by default), whatever font the language gives the window.
void TFormJumpFolder::LanguageApplied() {
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(listFont_.Get(host_.listFontName, host_.listFontSize, Dpi())),
                 TRUE);
    if (ownerDraw_) SetListBoxRowHeight(list_, Scale(19));
}

void TFormJumpFolder::FillList() {
    const LRESULT keep = SendMessageW(list_, LB_GETCURSEL, 0, 0);
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    for (const auto& line : StrListJumpFolder.lines) {
        const std::wstring text = JumpLineText(line);
        SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageW(list_, LB_SETCURSEL, keep >= 0 ? static_cast<WPARAM>(keep) : 0, 0);
}

void TFormJumpFolder::FormShow() {
    SetFocus(list_);
    SendMessageW(list_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(Scale(1380)), 0);
}

void TFormJumpFolder::FormResize(int w, int h) {
    if (!cancel_) return;
    w = Unscale(w);
    h = Unscale(h);
    Place(list_, 8, 8, std::max(60, w - 16), std::max(60, h - 60));
    Place(cancel_, w - 8 - 120, h - 44, 120, 32);
    Place(ok_, w - 8 - 250, h - 44, 120, 32);
}

void TFormJumpFolder::ButtonOKClick() {
    const LRESULT count = SendMessageW(list_, LB_GETCOUNT, 0, 0);
    const LRESULT row = SendMessageW(list_, LB_GETCURSEL, 0, 0);
    if (count <= 0) {
        ShowMsgJE(handle_, L"Information : 内容が設定されていません", L"Information : Item is empty.\r\n[OK]");
        return;
    }
    if (row < 0 || static_cast<size_t>(row) >= StrListJumpFolder.lines.size()) {
        ShowMsgJE(handle_, L"Information : 内容が選択されていません", L"Information : Item is not selected.\r\n[OK]");
        return;
    }
    const std::wstring folder = Expand(JumpLinePath(StrListJumpFolder.lines[static_cast<size_t>(row)]));
    if (!folder.empty() && FolderExists(folder)) {
        StrRetFormJumpFolder = folder;
        SetModalResult(mrOK);
        return;
    }
    ShowMsgJE(handle_, L"Information : 登録したフォルダがありません\r\n" + folder,
              L"Information : Registerd folder is not exist.\r\n" + folder + L"\r\n[OK]");
}

void TFormJumpFolder::ButtonCancelClick() { SetModalResult(mrCancel); }

void TFormJumpFolder::MenuInputClick() {
    const LRESULT row = SendMessageW(list_, LB_GETCURSEL, 0, 0);
    if (row < 0) return;
    IntJumpFolderIndex = static_cast<int>(row);
    const int r = ShowModalForm<TFormInputFolder>(host_, IntJumpFolderIndex);
    SetFocus(list_);
    if (r != mrOK) return;
    ReadJumpFolderFile(FilePath(), StrListJumpFolder);
    FillList();
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

void TFormJumpFolder::MenuDeleteClick() {
    const LRESULT row = SendMessageW(list_, LB_GETCURSEL, 0, 0);
    if (row < 0 || static_cast<size_t>(row) >= StrListJumpFolder.lines.size()) return;
    std::string& line = StrListJumpFolder.lines[static_cast<size_t>(row)];
    std::wstring label = JumpLineLabel(line);
    label.erase(std::remove(label.begin(), label.end(), L' '), label.end());
    const std::wstring head =
        L"Key=" + label + L"\r\nName=" + JumpLineName(line) + L"\r\nFolder=" + JumpLinePath(line) + L"\r\n";
    if (ShowMsgJE(handle_, head + L"削除しますか？", head + L"Delete ?\r\n[OK] / [NO]", MsgButtons::YesNo,
                  MsgStyle::Question) != IDYES)
        return;
    line = DeletedJumpLine(line, static_cast<int>(row));
    WriteJumpFolderFile(FilePath(), StrListJumpFolder);
    FillList();
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

// A letter, a digit, or one of them with Shift or Ctrl chooses the line
// labelled with that key ("  A", "s+A", "c+A", ...) and runs at once, also
// when the run button is disabled.
bool TFormJumpFolder::FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) {
    if (alt) return false;
    if (!shift && !ctrl && key == VK_ESCAPE) {
        ButtonCancelClick();
        return true;
    }
    if (!shift && !ctrl && key == VK_RETURN) {
        if (IsWindowEnabled(ok_))
            ButtonOKClick();
        else
            ButtonCancelClick();
        return true;
    }
    if (GetFocus() != list_) return false;
    const int row = JumpRowForKey(key, shift, ctrl);
    if (row < 0 || static_cast<size_t>(row) >= StrListJumpFolder.lines.size()) return false;
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    ButtonOKClick();
    return true;
}

void TFormJumpFolder::ControlCommand(HWND control, int id, int code) {
    if (control == list_ && code == LBN_DBLCLK) {
        ButtonOKClick();
        return;
    }
    if (code != BN_CLICKED) return;
    if (id == kTagButtonOK) ButtonOKClick();
    if (id == kTagButtonCancel) ButtonCancelClick();
}

bool TFormJumpFolder::HandleMessage(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
    if (msg != WM_DRAWITEM || !ownerDraw_) return false;
    const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
    if (!dis || dis->hwndItem != list_) return false;
    DrawListBoxRow(*dis);
    result = TRUE;
    return true;
}

// ---------------------------------------------------------------- input dialog

TFormInputFolder::TFormInputFolder(FolderPickerHost& host, int row)
    : TFormBase(InputFolderDescription()), host_(host), row_(row) {}

HWND TFormInputFolder::Button(int tag) const {
    return tag >= kTagButtonList && tag <= kTagButtonCancel ? buttons_[tag - kTagButtonList] : nullptr;
}

void TFormInputFolder::FormCreate() {
    SetCaption(L"ジャンプフォルダの入力");
    ReadJumpFolderFile(JumpFolderFilePath(ProgramFolder()), file_);
    labelName_ = AddControl(ComponentKind::Label, kTagLabelName, L"STATIC", L"名前(&N)", WS_VISIBLE);
    name_ = AddControl(ComponentKind::Other, 0, L"EDIT", L"", WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 0,
                       kNameEdit);
    labelFolder_ = AddControl(ComponentKind::Label, kTagLabelFolder, L"STATIC", L"フォルダ名(&F)", WS_VISIBLE);
    folder_ = AddControl(ComponentKind::Other, 0, L"EDIT", L"", WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL,
                         0, kFolderEdit);
    RegisterComponent({ComponentKind::Edit, 0, name_});
    RegisterComponent({ComponentKind::Edit, 0, folder_});
    const wchar_t* captions[5] = {L"一覧(&L)", L"ツリー(&T)", L"参照(&B)", L"OK(&O)", L"ｷｬﾝｾﾙ(&C)"};
    for (int i = 0; i < 5; ++i) buttons_[i] = AddButton(kTagButtonList + i, captions[i]);
    if (row_ >= 0 && static_cast<size_t>(row_) < file_.lines.size()) {
        SetText(name_, JumpLineName(file_.lines[static_cast<size_t>(row_)]));
        SetText(folder_, JumpLinePath(file_.lines[static_cast<size_t>(row_)]));
    }
}

void TFormInputFolder::FormShow() { SetFocus(folder_); }

void TFormInputFolder::FormResize(int w, int h) {
    if (!buttons_[4]) return;
    w = Unscale(w);
    h = Unscale(h);
    const int inner = std::max(100, w - 60);
    Place(labelName_, 30, 10, inner, 20);
    Place(name_, 30, 32, std::min(inner, 300), 24);
    Place(labelFolder_, 30, 64, inner, 20);
    Place(folder_, 30, 86, inner, 24);
    for (int i = 0; i < 5; ++i) Place(buttons_[i], 30 + i * 126, h - 46, 120, 32);
}

void TFormInputFolder::ButtonOKClick() {
    std::wstring folder = GetText(folder_);
    if (folder.empty()) {
        ButtonListClick();
        return;
    }
    if (folder.back() != L'\\') folder.push_back(L'\\');
    SetText(folder_, folder);
    const std::wstring expanded = Expand(folder);
    if (!FolderExists(expanded)) {
        ShowMsgJE(handle_, L"Information : 登録したフォルダがありません\r\n" + expanded,
                  L"Information : Registerd folder is not exist.\r\n" + expanded + L"\r\n[OK]");
        return;
    }
    if (row_ < 0 || static_cast<size_t>(row_) >= file_.lines.size()) return;
    std::string& line = file_.lines[static_cast<size_t>(row_)];
    line = MakeJumpLine(line, row_, GetText(name_), folder);
    WriteJumpFolderFile(JumpFolderFilePath(ProgramFolder()), file_);
    SetModalResult(mrOK);
}

void TFormInputFolder::ButtonCancelClick() { SetModalResult(mrCancel); }

void TFormInputFolder::ButtonListClick() {
    BROWSEINFOW bi{};
    bi.hwndOwner = handle_;
    bi.lpszTitle = L"Select Directory";
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    if (PIDLIST_ABSOLUTE pidl = SHBrowseForFolderW(&bi)) {
        wchar_t path[MAX_PATH] = {};
        if (SHGetPathFromIDListW(pidl, path) && path[0]) SetText(folder_, std::wstring(path) + L"\\");
        CoTaskMemFree(pidl);
    }
    SetFocus(folder_);
}

std::wstring TFormInputFolder::PickerStart() {
    const std::wstring text = GetText(folder_);
    if (text.empty()) return host_.loadFileName;
    const std::wstring expanded = Expand(text);
    if (FolderExists(expanded)) return expanded;
    ShowMsgJE(handle_, L"Information : フォルダがありません\r\nカレントを C:\\ に変更します\r\n" + text,
              L"Information : Folder is not exist.\r\nChange current to C:\\\r\n[OK]\r\n" + text);
    return L"C:\\";
}

void TFormInputFolder::ButtonTreeClick() {
    std::wstring chosen;
    const int r = ShowModalForm<TFormTree>(host_, PickerStart(), chosen);
    if (r == mrOK && FolderExists(chosen)) SetText(folder_, chosen);
    SetFocus(folder_);
}

void TFormInputFolder::ButtonBrowseClick() {
    const std::wstring start = PickerStart();
    Settings().WriteString(L"Browse", L"Target", L"Folder");
    std::wstring chosen;
    const int r = ShowModalForm<TFormBrowse>(host_, start, chosen);
    if (r == mrOK && FolderExists(chosen)) SetText(folder_, chosen);
    SetFocus(folder_);
}

// Enter and Esc never reach the fields as characters.
bool TFormInputFolder::FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) {
    if (shift || ctrl || alt) return false;
    if (key == VK_ESCAPE) {
        ButtonCancelClick();
        return true;
    }
    if (key != VK_RETURN) return false;
    HWND focus = GetFocus();
    if (focus == folder_) {
        if (GetText(folder_).empty())
            ButtonListClick();
        else
            ButtonOKClick();
        return true;
    }
    if (focus == name_) return true;
    return false;
}

void TFormInputFolder::ControlCommand(HWND, int id, int code) {
    if (code != BN_CLICKED) return;
    switch (id) {
        case kTagButtonList: ButtonListClick(); break;
        case kTagButtonTree: ButtonTreeClick(); break;
        case kTagButtonBrowse: ButtonBrowseClick(); break;
        case kTagButtonOK: ButtonOKClick(); break;
        case kTagButtonCancel: ButtonCancelClick(); break;
        default: break;
    }
}

}  // namespace quib
