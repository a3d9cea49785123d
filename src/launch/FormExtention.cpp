#include "launch/FormExtention.h"

#include <algorithm>

#include "util/IniFile.h"

namespace quib {
namespace {
enum ControlId : int { kExtList = 100, kProgramList };

FormDescription ExtentionDescription() {
    FormDescription d = FormDescription::Window(L"FormExtention", SIZE{770, 540}, SIZE{770, 540});
    d.languageFile = L"Extention.txt";
    return d;
}
}  // namespace

TFormExtention::TFormExtention() : TFormBase(ExtentionDescription()) {}

void TFormExtention::FormCreate() {
    SetCaption(L"拡張子設定");
    const DWORD listStyle =
        WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    labelExt_ = AddControl(ComponentKind::Label, kTagLabelExt, L"STATIC", L"拡張子(&E)", WS_VISIBLE);
    extList_ = AddControl(ComponentKind::Other, 0, L"LISTBOX", L"", listStyle, 0, kExtList);
    labelProgram_ = AddControl(ComponentKind::Label, kTagLabelProgram, L"STATIC", L"プログラム名(&P)", WS_VISIBLE);
    programList_ = AddControl(ComponentKind::Other, 0, L"LISTBOX", L"", listStyle, 0, kProgramList);
    ok_ = AddButton(kTagButtonOK, L"実行(&O)", 0, true);
    cancel_ = AddButton(kTagButtonCancel, L"ｷｬﾝｾﾙ(&C)");
    for (HWND l : {extList_, programList_}) SendMessageW(l, LB_SETHORIZONTALEXTENT, 1380, 0);
    rows_ = ExtentionRows(ReadQuibFMExt(ProgramFolder(), 100));
    for (const auto& r : rows_) {
        SendMessageW(extList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(r.extensions.c_str()));
        SendMessageW(programList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(r.program.c_str()));
    }
    if (!rows_.empty()) {
        SendMessageW(extList_, LB_SETCURSEL, 0, 0);
        SendMessageW(programList_, LB_SETCURSEL, 0, 0);
    }
}

void TFormExtention::FormShow() { SetFocus(extList_); }

void TFormExtention::FormResize(int w, int h) {
    if (!ok_) return;
    w = Unscale(w);
    h = Unscale(h);
    const int left = std::max(100, w / 3);
    const int listHeight = std::max(40, h - 32 - 48);
    Place(labelExt_, 8, 6, left - 12, 22);
    Place(extList_, 8, 30, left - 12, listHeight);
    Place(labelProgram_, left + 4, 6, w - left - 12, 22);
    Place(programList_, left + 4, 30, w - left - 12, listHeight);
    Place(cancel_, w - 8 - 120, h - 40, 120, 30);
    Place(ok_, w - 16 - 240, h - 40, 120, 30);
}

void TFormExtention::SelectBoth(HWND from) {
    const LRESULT i = SendMessageW(from, LB_GETCURSEL, 0, 0);
    HWND other = from == extList_ ? programList_ : extList_;
    SendMessageW(other, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
}

void TFormExtention::ButtonOKClick() {
    const LRESULT i = SendMessageW(extList_, LB_GETCURSEL, 0, 0);
    StrRetFormExtention1.clear();
    StrRetFormExtention2.clear();
    if (i >= 0 && static_cast<size_t>(i) < rows_.size()) {
        StrRetFormExtention1 = rows_[static_cast<size_t>(i)].extensions;
        StrRetFormExtention2 = rows_[static_cast<size_t>(i)].program;
    }
    SetModalResult(mrOK);
}

bool TFormExtention::FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) {
    HWND focus = GetFocus();
    if (key == VK_RETURN && !shift && !ctrl && !alt && (focus == extList_ || focus == programList_)) {
        ButtonOKClick();
        return true;
    }
    return false;
}

void TFormExtention::ControlCommand(HWND control, int id, int code) {
    if (control == extList_ || control == programList_) {
        if (code == LBN_SELCHANGE) SelectBoth(control);
        if (code == LBN_DBLCLK) ButtonOKClick();
        return;
    }
    if (code != BN_CLICKED) return;
    if (id == kTagButtonOK) ButtonOKClick();
    if (id == kTagButtonCancel) {
        StrRetFormExtention1.clear();
        StrRetFormExtention2.clear();
        SetModalResult(mrCancel);
    }
}

}  // namespace quib
