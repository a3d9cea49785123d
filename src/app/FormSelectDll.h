#pragma once
// The DLL selection dialog of the self-extracting listings: which of the
// seven embedded kinds the file is read as. OK writes the choice to
// [SfxSelectDll] Index; Cancel writes nothing.
#include <windows.h>

#include <array>
#include <string>

#include "app/FormBase.h"

namespace quib {

class TFormSelectDll : public TFormBase {
public:
    enum : int {
        kTagButtonOK = 2011,
        kTagButtonCancel = 2012,
        kTagForm = 2999,
        kTagRadioGroup = 5001,
    };

    // currentKind: the kind shown in the main window's status bar (".rar", ...);
    // the item preselected is that kind's, "7Z" for any other text.
    explicit TFormSelectDll(std::wstring currentKind);

    int SelectedIndex() const;  // 0 to 6
    HWND Radio(int index) const;
    HWND Button(int tag) const;

    void ButtonOKClick();
    void ButtonCancelClick();

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int clientWidth, int clientHeight) override;
    void FormClose() override;
    void ControlCommand(HWND control, int id, int code) override;

private:
    std::wstring currentKind_;
    HWND group_ = nullptr;
    std::array<HWND, 7> radios_{};
    HWND ok_ = nullptr, cancel_ = nullptr;
};

}  // namespace quib
