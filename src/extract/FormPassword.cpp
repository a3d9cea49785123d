#include "extract/FormPassword.h"

#include <algorithm>

#include "util/Controls.h"

namespace quib {
namespace {

enum ControlId : int { kPasswordEdit = 100 };

FormDescription PasswordDescription() {
    FormDescription d = FormDescription::Window(L"FormPassword", SIZE{640, 205}, SIZE{640, 205});
    d.languageFile = L"Password.txt";
    return d;
}

bool Checked(HWND h) { return SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED; }

}  // namespace

TFormPassword::TFormPassword() : TFormBase(PasswordDescription()) {}

HWND TFormPassword::Button(int tag) const {
    return tag == kTagButtonOK ? ok_ : tag == kTagButtonCancel ? cancel_ : nullptr;
}

void TFormPassword::FormCreate() {
    SetCaption(L"解凍パスワード入力");
    label_ = AddControl(ComponentKind::Label, kTagLabelPassword, L"STATIC", L"パスワード(&P)", WS_VISIBLE);
    // ES_PASSWORD from the start: the character shown is switched with the check box.
    edit_ = AddControl(ComponentKind::Other, 0, L"EDIT", L"", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_PASSWORD,
                       WS_EX_CLIENTEDGE, kPasswordEdit);
    RegisterComponent({ComponentKind::Edit, 0, edit_});
    show_ = AddControl(ComponentKind::CheckBox, kTagCheckBoxShow, L"BUTTON", L"パスワード表示(&I)",
                       WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX);
    ok_ = AddButton(kTagButtonOK, L"設定(&O)", 0, true);
    cancel_ = AddButton(kTagButtonCancel, L"ｷｬﾝｾﾙ(&C)");
    const bool show = Settings().ReadBool(L"Password", L"Show", false);
    SendMessageW(show_, BM_SETCHECK, show ? BST_CHECKED : BST_UNCHECKED, 0);
    CheckBoxShowClick();
}

void TFormPassword::FormShow() { SetFocus(edit_); }

void TFormPassword::FormResize(int w, int h) {
    if (!ok_) return;
    w = Unscale(w);
    h = Unscale(h);
    const int fieldWidth = std::max(60, w - 60);
    Place(label_, 30, 12, fieldWidth, 22);
    Place(edit_, 30, 36, fieldWidth, 24);
    Place(show_, 30, 70, fieldWidth, 24);
    const int top = std::max(104, h - 44);
    Place(cancel_, w - 30 - 120, top, 120, 30);
    Place(ok_, w - 30 - 2 * 120 - 10, top, 120, 30);
}

bool TFormPassword::ShowsPassword() const { return Checked(show_); }

void TFormPassword::CheckBoxShowClick() {
    SendMessageW(edit_, EM_SETPASSWORDCHAR, ShowsPassword() ? 0 : L'*', 0);
    InvalidateRect(edit_, nullptr, TRUE);
}

void TFormPassword::ButtonOKClick() {
    password_ = GetText(edit_);
    SetModalResult(mrOK);
}

void TFormPassword::ButtonCancelClick() {
    password_.clear();
    SetModalResult(mrCancel);
}

void TFormPassword::ControlCommand(HWND, int id, int code) {
    if (code != BN_CLICKED) return;
    if (id == kTagButtonOK) ButtonOKClick();
    if (id == kTagButtonCancel) ButtonCancelClick();
    if (id == kTagCheckBoxShow) CheckBoxShowClick();
}

void TFormPassword::FormClose() { CloseIme(); }

void TFormPassword::FormDestroy() { Settings().WriteBool(L"Password", L"Show", ShowsPassword()); }

}  // namespace quib
