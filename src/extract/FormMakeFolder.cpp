#include "extract/FormMakeFolder.h"

#include <algorithm>

#include "extract/ExtractTemp.h"
#include "extract/FolderDialogParts.h"
#include "extract/FolderDialogRules.h"
#include "util/Controls.h"
#include "util/Message.h"

namespace quib {
namespace {

enum ControlId : int { kFolderField = 100, kNameField };

FormDescription MakeFolderDescription() {
    FormDescription d = FormDescription::Window(L"FormMakeFolder", SIZE{770, 240}, SIZE{770, 240});
    d.languageFile = L"MakeFolder.txt";
    return d;
}

}  // namespace

TFormMakeFolder::TFormMakeFolder(std::wstring folder, std::wstring& result)
    : TFormBase(MakeFolderDescription()), StrSetFormMakeFolder(std::move(folder)), StrRetFormMakeFolder(result) {
    StrRetFormMakeFolder.clear();
}

HWND TFormMakeFolder::Button(int tag) const {
    return tag == kTagButtonOK ? ok_ : tag == kTagButtonCancel ? cancel_ : nullptr;
}

void TFormMakeFolder::FormCreate() {
    SetCaption(L"フォルダ作成");
    labelCurrent_ = AddControl(ComponentKind::Label, kTagLabelCurrent, L"STATIC", L"カレントフォルダ名(&L)", WS_VISIBLE);
    folder_ = AddControl(ComponentKind::Other, 0, L"EDIT", StrSetFormMakeFolder,
                         WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY, WS_EX_CLIENTEDGE, kFolderField);
    labelName_ = AddControl(ComponentKind::Label, kTagLabelName, L"STATIC", L"作成するフォルダ名(&K)", WS_VISIBLE);
    name_ = AddControl(ComponentKind::Other, 0, L"EDIT", L"", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                       WS_EX_CLIENTEDGE, kNameField);
    labelHint_ = AddControl(ComponentKind::Label, kTagLabelHint, L"STATIC", kInvalidNameHint,
                            WS_VISIBLE | SS_NOPREFIX);
    // Without a Tag no language line reaches the fields; they still take the language's font.
    RegisterComponent({ComponentKind::Edit, 0, folder_});
    RegisterComponent({ComponentKind::Edit, 0, name_});
    ok_ = AddButton(kTagButtonOK, L"作成(&O)", 0, true);
    cancel_ = AddButton(kTagButtonCancel, L"ｷｬﾝｾﾙ(&C)");
}

void TFormMakeFolder::FormShow() { SetFocus(name_); }

void TFormMakeFolder::FormResize(int w, int h) {
    if (!ok_) return;
    w = Unscale(w);
    h = Unscale(h);
    const int fieldWidth = std::max(60, w - 60);
    Place(labelCurrent_, 30, 10, fieldWidth, 22);
    Place(folder_, 30, 34, fieldWidth, 24);
    Place(labelName_, 30, 66, fieldWidth, 22);
    Place(name_, 30, 90, fieldWidth, 24);
    Place(labelHint_, 30, 118, fieldWidth, 22);
    const int top = std::max(150, h - 40);
    Place(cancel_, w - 30 - 120, top, 120, 30);
    Place(ok_, w - 30 - 2 * 120 - 10, top, 120, 30);
}

void TFormMakeFolder::ButtonOKClick() {
    const std::wstring typed = GetText(name_);
    if (HasInvalidNameCharacter(typed)) {
        ShowMsgJE(handle_, L"Information : フォルダに不正な文字が含まれています",
                  L"Information : Some letter in folder can not accept.\r\n[OK]");
        return;
    }
    const std::wstring name = NormaliseName(typed);
    SetText(name_, name);
    const std::wstring path = MakeFolderPath(StrSetFormMakeFolder, name);
    if (!ForceDirectories(path)) {
        ShowMsgJE(handle_, L"Error : フォルダが作成できませんでした", L"Error : Folder can not make.\r\n[OK]",
                  MsgButtons::Ok, MsgStyle::Error);
        return;
    }
    StrRetFormMakeFolder = path;
    SetModalResult(mrOK);
}

void TFormMakeFolder::ButtonCancelClick() {
    StrRetFormMakeFolder.clear();
    SetModalResult(mrCancel);
}

void TFormMakeFolder::ControlCommand(HWND, int id, int code) {
    if (code != BN_CLICKED) return;
    if (id == kTagButtonOK) ButtonOKClick();
    if (id == kTagButtonCancel) ButtonCancelClick();
}

bool TFormMakeFolder::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    return BlueFieldColor(handle_, msg, wp, lp, {folder_}, result);
}

}  // namespace quib
