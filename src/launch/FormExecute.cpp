#include "launch/FormExecute.h"

#include <algorithm>

#include "util/Controls.h"

namespace quib {
namespace {
enum ControlId : int { kEdit = 100, kList };

FormDescription ExecuteDescription() {
    FormDescription d = FormDescription::Window(L"FormExecute", SIZE{770, 400}, SIZE{770, 400});
    d.languageFile = L"Execute.txt";
    return d;
}
}  // namespace

TFormExecute::TFormExecute(std::vector<Association> candidates)
    : TFormBase(ExecuteDescription()), candidates_(std::move(candidates)) {}

void TFormExecute::FormCreate() {
    SetCaption(L"プログラム実行");
    label_ = AddControl(ComponentKind::Label, kTagLabel, L"STATIC", L"拡張子プログラムの選択(&E)", WS_VISIBLE);
    edit_ = AddControl(ComponentKind::Other, 0, L"EDIT", L"", WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | ES_READONLY, 0,
                       kEdit);
    list_ = AddControl(ComponentKind::Other, 0, L"LISTBOX", L"",
                       WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                       0, kList);
    ok_ = AddButton(kTagButtonOK, L"実行(&O)", 0, true);
    cancel_ = AddButton(kTagButtonCancel, L"ｷｬﾝｾﾙ(&C)");
    SendMessageW(list_, LB_SETHORIZONTALEXTENT, 1390, 0);
    if (!candidates_.empty()) SetText(edit_, candidates_.front().extension);
    for (const auto& c : candidates_) SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(c.program.c_str()));
    if (!candidates_.empty()) SendMessageW(list_, LB_SETCURSEL, 0, 0);
}

void TFormExecute::FormShow() { SetFocus(list_); }

void TFormExecute::FormResize(int w, int h) {
    if (!ok_) return;
    w = Unscale(w);
    h = Unscale(h);
    Place(label_, 8, 10, 300, 22);
    // The edit follows the window's width, less the room of the label and buttons.
    Place(edit_, 312, 8, std::max(60, w - 440), 24);
    Place(list_, 8, 40, w - 16, std::max(40, h - 40 - 48));
    Place(cancel_, w - 8 - 120, h - 40, 120, 30);
    Place(ok_, w - 16 - 240, h - 40, 120, 30);
}

void TFormExecute::ButtonOKClick() {
    const LRESULT i = SendMessageW(list_, LB_GETCURSEL, 0, 0);
    if (i < 0 || static_cast<size_t>(i) >= candidates_.size()) return;
    const Association& a = candidates_[static_cast<size_t>(i)];
    StrRetFormExecute = AssociationLine(a);
    StrRetFormExecuteMode = a.mode;
    SetModalResult(mrOK);
}

bool TFormExecute::FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) {
    if (key == VK_RETURN && !shift && !ctrl && !alt && GetFocus() == list_) {
        ButtonOKClick();
        return true;
    }
    return false;
}

void TFormExecute::ControlCommand(HWND control, int id, int code) {
    if (control == list_ && code == LBN_DBLCLK) {
        ButtonOKClick();
        return;
    }
    if (code != BN_CLICKED) return;
    if (id == kTagButtonOK) ButtonOKClick();
    if (id == kTagButtonCancel) {
        StrRetFormExecute.clear();
        StrRetFormExecuteMode.clear();
        SetModalResult(mrCancel);
    }
}

}  // namespace quib
