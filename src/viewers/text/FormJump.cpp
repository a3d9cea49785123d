#include "viewers/text/FormJump.h"

#include "util/Controls.h"
#include "viewers/text/TextRules.h"

namespace quib {
namespace {

enum : int { kTagLabel = 2001, kTagOK = 2011, kTagCancel = 2012 };

}  // namespace

TFormJump::TFormJump() : TFormBase([] {
    FormDescription d = FormDescription::Window(L"FormJump", SIZE{335, 135}, SIZE{335, 135});
    d.languageFile = L"Jump.txt";
    d.style = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
    return d;
}()) {}

void TFormJump::FormCreate() {
    SetCaption(L"行へ移動");
    label_ = AddControl(ComponentKind::Label, kTagLabel, L"STATIC", L"行番号(&N)", WS_VISIBLE);
    edit_ = AddControl(ComponentKind::Other, 0, L"EDIT", L"", WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL,
                       WS_EX_CLIENTEDGE, 100);
    decEdit_.Attach(edit_, DecimalUnSigned);
    ok_ = AddButton(kTagOK, L"OK(&O)", 0, true);
    cancel_ = AddButton(kTagCancel, L"ｷｬﾝｾﾙ(&C)");
}

void TFormJump::FormShow() {
    SetText(edit_, Settings().ReadString(L"Editor", L"Jump", L"1"));
    SetFocus(edit_);
    SendMessageW(edit_, EM_SETSEL, 0, -1);
}

void TFormJump::FormResize(int w, int h) {
    if (!ok_) return;
    MoveWindow(label_, Scale(10), Scale(14), Scale(90), Scale(20), TRUE);
    MoveWindow(edit_, Scale(100), Scale(10), w - Scale(110), Scale(24), TRUE);
    MoveWindow(ok_, w - Scale(220), h - Scale(38), Scale(100), Scale(28), TRUE);
    MoveWindow(cancel_, w - Scale(110), h - Scale(38), Scale(100), Scale(28), TRUE);
}

void TFormJump::ButtonOKClick() {
    Settings().WriteString(L"Editor", L"Jump", GetText(edit_));
    SetModalResult(mrOK);
}

void TFormJump::ControlCommand(HWND control, int /*id*/, int code) {
    if (code != BN_CLICKED) return;
    if (control == ok_) ButtonOKClick();
    if (control == cancel_) SetModalResult(mrCancel);
}

}  // namespace quib
