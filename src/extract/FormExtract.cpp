#include "extract/FormExtract.h"
#include "settings/SettingKeys.h"

#include <shlobj.h>

#include <algorithm>

#include "extract/ExtractPaths.h"
#include "extract/ExtractTemp.h"
#include "extract/FormBrowse.h"
#include "extract/FormJumpFolder.h"
#include "extract/FormTree.h"
#include "util/Controls.h"
#include "util/Message.h"
#include "util/MyUtility.h"
#include "util/StrConv.h"

namespace quib {
namespace {

enum ControlId : int { kArchiveEdit = 100, kZipDll, kFileList, kDestination, kFilerList };

constexpr int kMargin = 8;
constexpr int kLabelHeight = 22;
constexpr int kRowHeight = 26;
constexpr int kButtonWidth = 120;
constexpr int kHorizontalExtent = 1390;

FormDescription ExtractDescription() {
    FormDescription d = FormDescription::Window(L"FormExtract", SIZE{770, 600}, SIZE{770, 600});
    d.languageFile = L"Extract.txt";
    return d;
}

std::wstring WithBackslash(std::wstring s) {
    if (!s.empty() && s.back() != L'\\') s.push_back(L'\\');
    return s;
}

bool Checked(HWND h) { return SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void SetChecked(HWND h, bool on) { SendMessageW(h, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

}  // namespace

TFormExtract::TFormExtract(ExtractDialogInput input) : TFormBase(ExtractDescription()), input_(std::move(input)) {}

HWND TFormExtract::AddLabel(int tag, const std::wstring& text) {
    return AddControl(ComponentKind::Label, tag, L"STATIC", text, WS_VISIBLE | SS_LEFT);
}

HWND TFormExtract::AddCheck(int tag, const std::wstring& text) {
    return AddControl(ComponentKind::CheckBox, tag, L"BUTTON", text, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX);
}

void TFormExtract::FormCreate() {
    SetCaption(L"ファイル解凍");
    labelArchive_ = AddLabel(kTagLabelArchive, L"圧縮ファイル名(&N)");
    archiveEdit_ = AddControl(ComponentKind::Other, 0, L"EDIT", L"",
                              WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | ES_READONLY, 0, kArchiveEdit);
    labelZipDll_ = AddLabel(kTagLabelZipDll, L"解凍用ZipDLL選択(&V)");
    zipDll_ = AddControl(ComponentKind::Other, 0, L"COMBOBOX", L"",
                         WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, kZipDll);
    labelFiles_ = AddLabel(kTagLabelFiles, L"選択ファイル名(&M)");
    fileList_ = AddControl(ComponentKind::Other, 0, L"LISTBOX", L"",
                           WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY |
                               LBS_NOINTEGRALHEIGHT,
                           0, kFileList);
    labelDestination_ = AddLabel(kTagLabelDestination, L"解凍先パス(&P)");
    destination_ = AddControl(ComponentKind::Other, 0, L"COMBOBOX", L"",
                              WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, kDestination);
    buttonCurrent_ = AddButton(kTagButtonCurrent, L"ｶﾚﾝﾄ(&R)");
    buttonJump_ = AddButton(kTagButtonJumpFolder, L"ｼﾞｬﾝﾌﾟﾌｫﾙﾀﾞ(&J)");
    buttonList_ = AddButton(kTagButtonFolderList, L"一覧(&L)");
    buttonTree_ = AddButton(kTagButtonTree, L"ツリー(&T)");
    buttonBrowse_ = AddButton(kTagButtonBrowse, L"参照(&B)");
    // The pickers need what the opener knows of the main window.
    for (HWND b : {buttonJump_, buttonTree_, buttonBrowse_}) EnableWindow(b, input_.pickers ? TRUE : FALSE);
    labelFilers_ = AddLabel(kTagLabelFilers, L"quibFM,PellFM(&F)");
    filerList_ = AddControl(ComponentKind::Other, 0, L"LISTBOX", L"",
                            WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY |
                                LBS_NOINTEGRALHEIGHT,
                            0, kFilerList);
    withPath_ = AddCheck(kTagWithPath, L"パス付で解凍(&N)");
    makeFolder_ = AddCheck(kTagMakeFolder, L"圧縮ファイル名と同名のフォルダを自動で作成して解凍(&M)");
    douleDisabled_ = AddCheck(kTagDouleDisabled, L"圧縮ファイルにフォルダがある場合はフォルダ名で作成(&D)");
    moveExtractFolder_ = AddCheck(kTagMoveExtractFolder, L"解凍後解凍先フォルダに移動(&J)");
    labelSusie_ = AddLabel(kTagLabelSusie, L"Susieの圧縮ファイルの場合は、必ずパス付になります");
    buttonOK_ = AddButton(kTagButtonOK, L"解凍(&O)", 0, true);
    buttonCancel_ = AddButton(kTagButtonCancel, L"ｷｬﾝｾﾙ(&C)");

    for (HWND list : {fileList_, filerList_})
        SendMessageW(list, LB_SETHORIZONTALEXTENT, kHorizontalExtent, 0);
    SendMessageW(destination_, CB_SETHORIZONTALEXTENT, kHorizontalExtent, 0);

    const IniFile ini = Settings();
    SetChecked(withPath_, ReadKeyBool(ini, key::ExtractWithPath));
    SetChecked(makeFolder_, ReadKeyBool(ini, key::ExtractMakeFolder));
    SetChecked(douleDisabled_, ReadKeyBool(ini, key::ExtractDouleDisabled));
    SetChecked(moveExtractFolder_, ReadKeyBool(ini, key::ExtractMoveExtractFolder));
    if (!Checked(makeFolder_)) {
        SetChecked(douleDisabled_, false);
        EnableWindow(douleDisabled_, FALSE);
    }

    for (const wchar_t* item : {L"UNZIP.DLL", L"LMZIP32.DLL", L"7-ZIP32.DLL"})
        SendMessageW(zipDll_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    const int zipIndex = std::clamp(ReadKeyInt(ini, key::UnzipDllIndex), 0, 2);
    SendMessageW(zipDll_, CB_SETCURSEL, static_cast<WPARAM>(zipIndex), 0);
    const bool zip = EqualsNoCase(ExtractFileExt(input_.archivePath), L".zip");
    ShowWindow(zipDll_, zip ? SW_SHOW : SW_HIDE);
    ShowWindow(labelZipDll_, zip ? SW_SHOW : SW_HIDE);

    ShowWindow(withPath_, input_.susie ? SW_HIDE : SW_SHOW);
    ShowWindow(labelSusie_, input_.susie ? SW_SHOW : SW_HIDE);

    SetText(archiveEdit_, input_.archivePath);
    for (const auto& line : input_.fileLines)
        SendMessageW(fileList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    for (const auto& caption : input_.filerCaptions)
        SendMessageW(filerList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(caption.c_str()));
    if (!input_.filerCaptions.empty()) SendMessageW(filerList_, LB_SETCURSEL, 0, 0);

    history_ = ReadHistory(ProgramFolder());
    for (const auto& h : history_)
        SendMessageW(destination_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(h.c_str()));
    SetText(destination_, L"");
}

void TFormExtract::FormShow() { SetFocus(destination_); }

void TFormExtract::FormResize(int w, int h) {
    if (!buttonOK_) return;
    w = Unscale(w);
    h = Unscale(h);
    const int inner = std::max(0, w - 2 * kMargin);
    int y = kMargin;
    auto place = [this](HWND c, int x, int top, int width, int height) { Place(c, x, top, width, height); };
    place(labelArchive_, kMargin, y, inner, kLabelHeight);
    y += kLabelHeight;
    place(archiveEdit_, kMargin, y, inner, 24);
    y += kRowHeight + 4;
    place(labelZipDll_, kMargin, y + 3, 200, kLabelHeight);
    place(zipDll_, kMargin + 204, y, 200, 200);
    y += kRowHeight + 4;
    place(labelFiles_, kMargin, y, inner, kLabelHeight);
    y += kLabelHeight;
    // The lists share what the fixed rows leave.
    const int fixed = y + kLabelHeight + kRowHeight + 6 + kRowHeight + 6 + kLabelHeight + 4 * 24 + kLabelHeight + 8 +
                      32 + kMargin;
    const int lists = std::max(60, h - fixed);
    const int fileHeight = lists / 2;
    place(fileList_, kMargin, y, inner, fileHeight);
    y += fileHeight + 6;
    place(labelDestination_, kMargin, y, inner, kLabelHeight);
    y += kLabelHeight;
    place(destination_, kMargin, y, inner, 300);
    y += kRowHeight + 6;
    HWND buttons[5] = {buttonCurrent_, buttonJump_, buttonList_, buttonTree_, buttonBrowse_};
    // Each as wide as its caption needs (the captions differ a lot in length).
    for (int i = 0, x = kMargin; i < 5; ++i) {
        const int width = std::max(kButtonWidth * 5 / 6, Unscale(TextExtent(buttons[i]).cx) + 16);
        place(buttons[i], x, y, width, kRowHeight);
        x += width + 6;
    }
    y += kRowHeight + 6;
    place(labelFilers_, kMargin, y, inner, kLabelHeight);
    y += kLabelHeight;
    const int filerHeight = lists - fileHeight;
    place(filerList_, kMargin, y, inner, filerHeight);
    y += filerHeight + 6;
    place(withPath_, kMargin, y, inner, 22);
    place(labelSusie_, kMargin, y + 2, inner, 22);
    y += 24;
    place(makeFolder_, kMargin, y, inner, 22);
    y += 24;
    place(douleDisabled_, kMargin + 24, y, inner - 24, 22);
    y += 24;
    place(moveExtractFolder_, kMargin, y, inner, 22);
    const int by = std::max(y + 26, h - kMargin - 32);
    place(buttonCancel_, w - kMargin - kButtonWidth, by, kButtonWidth, 30);
    place(buttonOK_, w - kMargin - 2 * kButtonWidth - 8, by, kButtonWidth, 30);
}

bool TFormExtract::WithPath() const { return Checked(withPath_); }
bool TFormExtract::MakeFolder() const { return Checked(makeFolder_); }
bool TFormExtract::DouleDisabled() const { return Checked(douleDisabled_); }
bool TFormExtract::MoveExtractFolder() const { return Checked(moveExtractFolder_); }

HWND TFormExtract::Control(int tag) const {
    switch (tag) {
        case kTagButtonCurrent: return buttonCurrent_;
        case kTagButtonJumpFolder: return buttonJump_;
        case kTagButtonFolderList: return buttonList_;
        case kTagButtonTree: return buttonTree_;
        case kTagButtonBrowse: return buttonBrowse_;
        case kTagButtonOK: return buttonOK_;
        case kTagButtonCancel: return buttonCancel_;
        case kTagWithPath: return withPath_;
        case kTagMakeFolder: return makeFolder_;
        case kTagDouleDisabled: return douleDisabled_;
        case kTagMoveExtractFolder: return moveExtractFolder_;
        case kTagLabelSusie: return labelSusie_;
        default: return nullptr;
    }
}

std::wstring TFormExtract::DestinationText() const { return GetText(destination_); }
void TFormExtract::SetDestinationText(const std::wstring& text) { SetText(destination_, text); }

void TFormExtract::CheckBoxMakeFolderClick() {
    if (Checked(makeFolder_)) {
        EnableWindow(douleDisabled_, TRUE);
    } else {
        SetChecked(douleDisabled_, false);
        EnableWindow(douleDisabled_, FALSE);
    }
}

void TFormExtract::CheckBoxDouleDisabledClick() {
    if (Checked(douleDisabled_)) SetChecked(withPath_, true);
}

void TFormExtract::FilerSelected() {
    const LRESULT i = SendMessageW(filerList_, LB_GETCURSEL, 0, 0);
    if (i < 0 || static_cast<size_t>(i) >= input_.filerCaptions.size()) return;
    SetDestinationText(FilerFolderFromCaption(input_.filerCaptions[static_cast<size_t>(i)]));
}

void TFormExtract::ButtonCurrentClick() {
    const size_t slash = input_.archivePath.find_last_of(L"\\/");
    SetDestinationText(slash == std::wstring::npos ? std::wstring() : input_.archivePath.substr(0, slash + 1));
}

void TFormExtract::ButtonFolderListClick() {
    BROWSEINFOW bi{};
    bi.hwndOwner = handle_;
    bi.lpszTitle = L"Select Directory";
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_VALIDATE;
    PIDLIST_ABSOLUTE pidl = SHBrowseForFolderW(&bi);
    if (!pidl) return;
    wchar_t path[MAX_PATH] = {};
    const bool ok = SHGetPathFromIDListW(pidl, path) != FALSE;
    CoTaskMemFree(pidl);
    if (ok && path[0]) SetDestinationText(WithBackslash(path));
}

std::wstring TFormExtract::PickerStart() {
    const std::wstring text = DestinationText();
    if (text.empty()) return input_.archivePath;
    if (FolderExists(text)) return WithBackslash(text);
    ShowMsgJE(handle_, L"Information : フォルダがありません\r\nカレントを C:\\ に変更します\r\n" + text,
              L"Information : Folder is not exist.\r\nChange current to C:\\\r\n[OK]\r\n" + text);
    return L"C:\\";
}

void TFormExtract::ButtonBrowseClick() {
    if (!input_.pickers) return;
    const std::wstring start = PickerStart();
    Settings().WriteString(L"Browse", L"Target", L"Folder");
    std::wstring chosen;
    FormInstance<TFormBrowse> browse(*input_.pickers, start, chosen);
    const int result = browse.ShowModal();
    if (result == mrOK && !chosen.empty() && FolderExists(chosen)) SetDestinationText(chosen);
    SetFocus(destination_);
}

void TFormExtract::ButtonTreeClick() {
    if (!input_.pickers) return;
    std::wstring chosen;
    FormInstance<TFormTree> tree(*input_.pickers, PickerStart(), chosen);
    const int result = tree.ShowModal();
    if (result == mrOK && !chosen.empty() && FolderExists(chosen)) SetDestinationText(chosen);
    SetFocus(destination_);
}

void TFormExtract::ButtonJumpFolderClick() {
    if (!input_.pickers) return;
    Settings().WriteString(L"FormJumpFolder", L"Parent", L"Extract");
    std::wstring chosen;
    FormInstance<TFormJumpFolder> jump(*input_.pickers, chosen);
    const int result = jump.ShowModal();
    if (result == mrOK && !chosen.empty() && FolderExists(chosen)) SetDestinationText(chosen);
    SetFocus(destination_);
}

// Enter on an empty destination opens the picker [FolderSelect] Index names:
// 0 the shell's folder dialog, 2 the browse window, any other the tree
// window (the shell's dialog when the opener gave no pickers).
void TFormExtract::EnterOnEmptyDestination() {
    const int index = Settings().ReadInteger(L"FolderSelect", L"Index", 1);
    if (index == 0 || !input_.pickers)
        ButtonFolderListClick();
    else if (index == 2)
        ButtonBrowseClick();
    else
        ButtonTreeClick();
}

void TFormExtract::ButtonOKClick() {
    std::wstring folder = DestinationText();
    if (folder.empty()) {
        ShowMsgJE(handle_, L"Information : フォルダが設定されていません", L"Information : Folder is empty.\r\n[OK]");
        return;
    }
    if (!FolderExists(folder)) {
        if (ShowMsgJE(handle_, L"フォルダがありません\r\n作成しますか？", L"Folder is not exist.\r\nMake folder ?\r\n[OK] / [NO]",
                      MsgButtons::YesNo) != IDYES) {
            StrRetFormExtract.clear();
            return;
        }
        if (HasForbiddenFolderCharacter(folder)) {
            ShowMsgJE(handle_, L"Information : 不正な文字が含まれています", L"Information : Some letter can not accept.\r\n[OK]");
            return;
        }
        folder = WithBackslash(folder);
        if (!ForceDirectories(folder)) {
            ShowMsgJE(handle_, L"Error : フォルダが作成できませんでした\r\n" + folder,
                      L"Error : Folder can not make.\r\n[OK]\r\n" + folder, MsgButtons::Ok, MsgStyle::Error);
            StrRetFormExtract.clear();
            return;
        }
    }
    folder = WithBackslash(folder);
    history_ = UpdateHistory(history_, folder);
    WriteHistory(ProgramFolder(), history_);
    Settings().WriteInteger(L"UnzipDll", L"Index", static_cast<int>(SendMessageW(zipDll_, CB_GETCURSEL, 0, 0)));
    StrRetFormExtract = folder;
    SetModalResult(mrOK);
}

void TFormExtract::ButtonCancelClick() {
    StrRetFormExtract.clear();
    SetModalResult(mrCancel);
}

bool TFormExtract::FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) {
    if (key != VK_RETURN || shift || ctrl || alt) return false;
    HWND focus = GetFocus();
    const bool inDestination = focus == destination_ || (focus && GetParent(focus) == destination_);
    if (inDestination || focus == filerList_) {
        // The combo's own list may be dropped down: Enter closes it first.
        SendMessageW(destination_, CB_SHOWDROPDOWN, FALSE, 0);
        if (DestinationText().empty())
            EnterOnEmptyDestination();
        else
            ButtonOKClick();
        return true;
    }
    return false;
}

void TFormExtract::ControlCommand(HWND control, int id, int code) {
    if (control == filerList_ && (code == LBN_SELCHANGE || code == LBN_SETFOCUS)) {
        FilerSelected();
        return;
    }
    if (code != BN_CLICKED) return;
    switch (id) {
        case kTagButtonOK: ButtonOKClick(); break;
        case kTagButtonCancel: ButtonCancelClick(); break;
        case kTagButtonCurrent: ButtonCurrentClick(); break;
        case kTagButtonFolderList: ButtonFolderListClick(); break;
        case kTagButtonBrowse: ButtonBrowseClick(); break;
        case kTagButtonTree: ButtonTreeClick(); break;
        case kTagButtonJumpFolder: ButtonJumpFolderClick(); break;
        case kTagMakeFolder: CheckBoxMakeFolderClick(); break;
        case kTagDouleDisabled: CheckBoxDouleDisabledClick(); break;
        default: break;
    }
}

void TFormExtract::FormClose() { CloseIme(); }

void TFormExtract::FormDestroy() {
    const IniFile ini = Settings();
    ini.WriteBool(L"FormExtract", L"WithPath", WithPath());
    ini.WriteBool(L"FormExtract", L"MakeFolder", MakeFolder());
    ini.WriteBool(L"FormExtract", L"DouleDisabled", DouleDisabled());
    ini.WriteBool(L"FormExtract", L"MoveExtractFolder", MoveExtractFolder());
    ini.WriteInteger(L"UnzipDll", L"Index", static_cast<int>(SendMessageW(zipDll_, CB_GETCURSEL, 0, 0)));
}

}  // namespace quib
