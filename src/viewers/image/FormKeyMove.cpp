#include "viewers/image/FormKeyMove.h"

#include <algorithm>

#include "util/Controls.h"
#include "viewers/image/FormImage.h"
#include "viewers/image/ImageGeometry.h"

namespace quib {
namespace {

enum ControlId : int { kCombo0 = 100 };

const wchar_t* const kNameKeys[4] = {L"Prev", L"Up", L"Down", L"Next"};
const wchar_t* const kIndexKeys[4] = {L"PrevIndex", L"UpIndex", L"DownIndex", L"NextIndex"};
const int kDefaultIndex[4] = {38, 36, 37, 39};

FormDescription KeyMoveDescription() {
    FormDescription d = FormDescription::Window(L"FormKeyMove", SIZE{330, 230}, SIZE{330, 230});
    d.languageFile = L"KeyMove.txt";
    d.style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    d.exStyle = WS_EX_CONTROLPARENT | WS_EX_TOOLWINDOW;
    return d;
}

}  // namespace

TFormKeyMove::TFormKeyMove(TFormImage* viewer) : TFormBase(KeyMoveDescription()), viewer_(viewer) {}

void TFormKeyMove::FormCreate() {
    SetCaption(L"キーボード設定(移動)");
    const wchar_t* captions[4] = {L"上＋移動(&P)", L"上移動(&U)", L"下移動(&D)", L"下＋移動(&N)"};
    for (int i = 0; i < 4; ++i) {
        labels_[i] = AddControl(ComponentKind::Label, kTagLabelPrev + i, L"STATIC", captions[i], WS_VISIBLE);
        combos_[i] = AddControl(ComponentKind::Other, 0, L"COMBOBOX", L"",
                                WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, kCombo0 + i);
        for (const std::wstring& name : MoveKeyNames())
            SendMessageW(combos_[i], CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    save_ = AddButton(kTagButtonSave, L"保存(&O)", 0, true);
    close_ = AddButton(kTagButtonClose, L"閉じる(&C)");
}

void TFormKeyMove::FormShow() {
    // Centred on its owner, the viewer.
    if (viewer_ && viewer_->Handle()) {
        RECT o, r;
        GetWindowRect(viewer_->Handle(), &o);
        GetWindowRect(handle_, &r);
        SetWindowPos(handle_, nullptr, (o.left + o.right - (r.right - r.left)) / 2,
                     (o.top + o.bottom - (r.bottom - r.top)) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    const IniFile ini = Settings();
    const int count = static_cast<int>(MoveKeyNames().size());
    for (int i = 0; i < 4; ++i) {
        int index = ini.ReadInteger(L"FormMoveKey", kIndexKeys[i], kDefaultIndex[i]);
        if (index < 0 || index >= count) index = kDefaultIndex[i];
        SendMessageW(combos_[i], CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    SetFocus(combos_[0]);
}

void TFormKeyMove::FormResize(int w, int) {
    if (!save_) return;
    for (int i = 0; i < 4; ++i) {
        MoveWindow(labels_[i], Scale(12), Scale(16 + i * 36), Scale(130), Scale(20), TRUE);
        MoveWindow(combos_[i], Scale(150), Scale(12 + i * 36), Scale(160), Scale(300), TRUE);
    }
    MoveWindow(save_, w - Scale(12 + 200 + 8), Scale(160), Scale(100), Scale(28), TRUE);
    MoveWindow(close_, w - Scale(12 + 100), Scale(160), Scale(100), Scale(28), TRUE);
}

void TFormKeyMove::ButtonSaveClick() {
    const IniFile ini = Settings();
    int* codes[4] = {nullptr, nullptr, nullptr, nullptr};
    if (viewer_) codes[0] = &viewer_->IntMovePrevKey, codes[1] = &viewer_->IntMoveUpKey,
        codes[2] = &viewer_->IntMoveDownKey, codes[3] = &viewer_->IntMoveNextKey;
    const auto& names = MoveKeyNames();
    for (int i = 0; i < 4; ++i) {
        const LRESULT sel = SendMessageW(combos_[i], CB_GETCURSEL, 0, 0);
        if (sel < 0 || static_cast<size_t>(sel) >= names.size()) continue;
        const std::wstring& name = names[static_cast<size_t>(sel)];
        if (codes[i]) SetMoveKey(name, *codes[i]);
        ini.WriteString(L"FormMoveKey", kNameKeys[i], name);
        ini.WriteInteger(L"FormMoveKey", kIndexKeys[i], static_cast<int>(sel));
    }
    SetModalResult(mrOK);
}

void TFormKeyMove::ControlCommand(HWND, int id, int code) {
    if (code != BN_CLICKED) return;
    if (id == kTagButtonSave) ButtonSaveClick();
    if (id == kTagButtonClose) SetModalResult(mrCancel);
}

}  // namespace quib
