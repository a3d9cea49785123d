#include "extract/FormInputExtract.h"

#include <shlobj.h>

#include <algorithm>

#include "extract/FormBrowse.h"
#include "extract/FormTree.h"
#include "util/MyUtility.h"
#include "util/Controls.h"
#include "util/Message.h"
#include "util/PathPrefix.h"

namespace quib {
namespace {

enum ControlId : int { kNameEdit = 100, kFolderEdit };

FormDescription InputExtractDescription() {
    FormDescription d = FormDescription::Window(L"FormInputExtract", SIZE{750, 230}, SIZE{750, 230});
    d.languageFile = L"InputExtract.txt";
    return d;
}

}  // namespace

TFormInputExtract::TFormInputExtract(int index, FolderPickerHost* pickers, std::wstring archivePath)
    : TFormBase(InputExtractDescription()), index_(index), pickers_(pickers), archivePath_(std::move(archivePath)) {}

void TFormInputExtract::FormCreate() {
    SetCaption(L"解凍先フォルダの入力");
    labelName_ = AddControl(ComponentKind::Label, kTagLabelName, L"STATIC", L"名前(&N)", WS_VISIBLE | SS_LEFT);
    name_ = AddControl(ComponentKind::Other, 0, L"EDIT", L"", WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 0,
                       kNameEdit);
    labelFolder_ =
        AddControl(ComponentKind::Label, kTagLabelFolder, L"STATIC", L"フォルダ名(&F)", WS_VISIBLE | SS_LEFT);
    folder_ = AddControl(ComponentKind::Other, 0, L"EDIT", L"", WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL,
                         0, kFolderEdit);
    buttonList_ = AddButton(kTagButtonList, L"一覧(&L)");
    buttonTree_ = AddButton(kTagButtonTree, L"ツリー(&T)");
    buttonBrowse_ = AddButton(kTagButtonBrowse, L"参照(&B)");
    buttonOK_ = AddButton(kTagButtonOK, L"OK(&O)");
    buttonCancel_ = AddButton(kTagButtonCancel, L"ｷｬﾝｾﾙ(&C)");
    for (HWND b : {buttonTree_, buttonBrowse_}) EnableWindow(b, pickers_ ? TRUE : FALSE);
    const IniFile ini = Settings();
    const std::wstring key = std::to_wstring(index_);
    SetText(name_, ini.ReadString(L"ExtractName", key, L""));
    SetText(folder_, ini.ReadString(L"ExtractFolder", key, L""));
}

void TFormInputExtract::FormShow() { SetFocus(name_); }

void TFormInputExtract::FormResize(int w, int /*h*/) {
    if (!buttonCancel_) return;
    w = Unscale(w);
    const int inner = std::max(0, w - 16);
    Place(labelName_, 8, 8, 200, 22);
    Place(name_, 8, 30, std::min(inner, 300), 24);
    Place(labelFolder_, 8, 62, 200, 22);
    Place(folder_, 8, 84, std::max(0, inner - 40), 24);
    Place(buttonList_, 8, 120, 100, 30);
    Place(buttonTree_, 116, 120, 100, 30);
    Place(buttonBrowse_, 224, 120, 100, 30);
    Place(buttonOK_, w - 8 - 2 * 110 - 8, 120, 110, 30);
    Place(buttonCancel_, w - 8 - 110, 120, 110, 30);
}

HWND TFormInputExtract::Control(int tag) const {
    switch (tag) {
        case kTagButtonOK: return buttonOK_;
        case kTagButtonCancel: return buttonCancel_;
        case kTagButtonList: return buttonList_;
        case kTagButtonTree: return buttonTree_;
        case kTagButtonBrowse: return buttonBrowse_;
        case kTagLabelName: return labelName_;
        case kTagLabelFolder: return labelFolder_;
        default: return nullptr;
    }
}

void TFormInputExtract::ButtonListClick() {
    BROWSEINFOW bi{};
    bi.hwndOwner = handle_;
    bi.lpszTitle = L"Select Directory";
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_VALIDATE;
    if (PIDLIST_ABSOLUTE pidl = SHBrowseForFolderW(&bi)) {
        wchar_t path[MAX_PATH] = {};
        if (SHGetPathFromIDListW(pidl, path) && path[0]) SetText(folder_, std::wstring(path) + L"\\");
        CoTaskMemFree(pidl);
    }
    SetFocus(folder_);
}

std::wstring TFormInputExtract::PickerStart() {
    const std::wstring text = GetText(folder_);
    if (text.empty()) return archivePath_;
    if (FolderExists(text)) return text;
    ShowMsgJE(handle_, L"Information : フォルダがありません\r\nカレントを C:\\ に変更します\r\n" + text,
              L"Information : Folder is not exist.\r\nChange current to C:\\\r\n[OK]\r\n" + text);
    return L"C:\\";
}

void TFormInputExtract::ButtonTreeClick() {
    if (pickers_) {
        std::wstring chosen;
        FormInstance<TFormTree> tree(*pickers_, PickerStart(), chosen);
        if (tree.ShowModal() == mrOK && !chosen.empty() && FolderExists(chosen)) SetText(folder_, chosen);
    }
    SetFocus(folder_);
}

void TFormInputExtract::ButtonBrowseClick() {
    if (pickers_) {
        const std::wstring start = PickerStart();
        Settings().WriteString(L"Browse", L"Target", L"Folder");
        std::wstring chosen;
        FormInstance<TFormBrowse> browse(*pickers_, start, chosen);
        if (browse.ShowModal() == mrOK && !chosen.empty() && FolderExists(chosen)) SetText(folder_, chosen);
    }
    SetFocus(folder_);
}

void TFormInputExtract::ButtonOKClick() {
    const IniFile ini = Settings();
    const std::wstring key = std::to_wstring(index_);
    std::wstring text = GetText(folder_);
    if (text.empty()) {
        ini.WriteString(L"ExtractName", key, GetText(name_));
        ini.WriteString(L"ExtractFolder", key, L"");
        SetModalResult(mrOK);
        return;
    }
    if (text.back() != L'\\') {
        text.push_back(L'\\');
        SetText(folder_, text);
    }
    const std::wstring folder = ExpandPathPrefix(text, ProgramPath());
    if (!FolderExists(folder)) {
        ShowMsgJE(handle_, L"Information : 解凍先のフォルダがありません\r\n" + folder,
                  L"Information : Extract folder is not exist.\r\n" + folder + L"\r\n" + L"[OK]");
        return;
    }
    ini.WriteString(L"ExtractName", key, GetText(name_));
    ini.WriteString(L"ExtractFolder", key, folder);
    SetModalResult(mrOK);
}

void TFormInputExtract::ButtonCancelClick() { SetModalResult(mrCancel); }

bool TFormInputExtract::FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) {
    if (key != VK_RETURN) return false;
    HWND focus = GetFocus();
    if (focus == folder_ && !shift && !ctrl && !alt) {
        if (!GetText(folder_).empty()) {
            ButtonOKClick();
        } else {
            const int index = Settings().ReadInteger(L"FolderSelect", L"Index", 1);
            if (index == 0 || !pickers_)
                ButtonListClick();
            else if (index == 2)
                ButtonBrowseClick();
            else
                ButtonTreeClick();
        }
        return true;
    }
    // Enter types nothing into the name field.
    return focus == name_;
}

void TFormInputExtract::ControlCommand(HWND /*control*/, int id, int code) {
    if (code != BN_CLICKED) return;
    switch (id) {
        case kTagButtonOK: ButtonOKClick(); break;
        case kTagButtonCancel: ButtonCancelClick(); break;
        case kTagButtonList: ButtonListClick(); break;
        case kTagButtonTree: ButtonTreeClick(); break;
        case kTagButtonBrowse: ButtonBrowseClick(); break;
        default: break;
    }
}

void TFormInputExtract::FormClose() { CloseIme(); }

}  // namespace quib
