#include "app/FormSelectDll.h"
#include "settings/SettingKeys.h"

#include <algorithm>

#include "archive/SfxArchive.h"
#include "util/Controls.h"

namespace quib {
namespace {

constexpr int kFirstRadioId = 5101;
const wchar_t* const kItems[kSfxKindCount] = {L"LHA", L"ZIP", L"7Z", L"CAB", L"RAR", L"GZ", L"ISO"};

FormDescription SelectDllDescription() {
    FormDescription d = FormDescription::Window(L"FormSelectDll", SIZE{580, 190}, SIZE{580, 190});
    d.languageFile = L"SelectDll.txt";
    return d;
}

}  // namespace

TFormSelectDll::TFormSelectDll(std::wstring currentKind)
    : TFormBase(SelectDllDescription()), currentKind_(std::move(currentKind)) {}

HWND TFormSelectDll::Radio(int index) const {
    return index >= 0 && index < kSfxKindCount ? radios_[static_cast<size_t>(index)] : nullptr;
}

HWND TFormSelectDll::Button(int tag) const {
    return tag == kTagButtonOK ? ok_ : tag == kTagButtonCancel ? cancel_ : nullptr;
}

void TFormSelectDll::FormCreate() {
    SetCaption(L"DLL選択");
    group_ = AddControl(ComponentKind::Other, 0, L"BUTTON", L"DLL選択(&D)", WS_VISIBLE | BS_GROUPBOX, 0, kTagRadioGroup);
    for (int i = 0; i < kSfxKindCount; ++i)
        radios_[static_cast<size_t>(i)] =
            AddControl(ComponentKind::Other, 0, L"BUTTON", kItems[i],
                       WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP : 0), 0, kFirstRadioId + i);
    Component group{ComponentKind::RadioGroup, kTagRadioGroup, group_};
    group.radioButtons.assign(radios_.begin(), radios_.end());
    RegisterComponent(group);
    ok_ = AddButton(kTagButtonOK, L"OK(&O)", 0, true);
    cancel_ = AddButton(kTagButtonCancel, L"ｷｬﾝｾﾙ(&C)");
    int index = SfxIndexOfKind(currentKind_);
    if (index < 0) index = SfxIndexOfKind(L".7z");
    SendMessageW(radios_[static_cast<size_t>(index)], BM_SETCHECK, BST_CHECKED, 0);
}

void TFormSelectDll::FormShow() { SetFocus(radios_[static_cast<size_t>(SelectedIndex())]); }

void TFormSelectDll::FormResize(int w, int h) {
    if (!ok_) return;
    w = Unscale(w);
    h = Unscale(h);
    const int groupWidth = std::max(200, w - 40);
    Place(group_, 20, 10, groupWidth, 64);
    // Seven columns of equal width inside the group.
    const int column = (groupWidth - 20) / kSfxKindCount;
    for (int i = 0; i < kSfxKindCount; ++i) Place(radios_[static_cast<size_t>(i)], 30 + i * column, 36, column - 4, 24);
    const int top = std::max(84, h - 44);
    Place(cancel_, w - 20 - 120, top, 120, 30);
    Place(ok_, w - 20 - 2 * 120 - 10, top, 120, 30);
}

int TFormSelectDll::SelectedIndex() const {
    for (int i = 0; i < kSfxKindCount; ++i)
        if (SendMessageW(radios_[static_cast<size_t>(i)], BM_GETCHECK, 0, 0) == BST_CHECKED) return i;
    return SfxIndexOfKind(L".7z");
}

void TFormSelectDll::ButtonOKClick() {
    WriteKeyInt(Settings(), key::SfxSelectDllIndex, SelectedIndex());
    SetModalResult(mrOK);
}

void TFormSelectDll::ButtonCancelClick() { SetModalResult(mrCancel); }

void TFormSelectDll::ControlCommand(HWND, int id, int code) {
    if (code != BN_CLICKED) return;
    if (id == kTagButtonOK) ButtonOKClick();
    if (id == kTagButtonCancel) ButtonCancelClick();
}

void TFormSelectDll::FormClose() { CloseIme(); }

}  // namespace quib
