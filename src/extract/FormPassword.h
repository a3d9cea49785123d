#pragma once
// The password dialog: the password every later extraction (and deletion
// from zip and 7-Zip archives) passes to the archiver DLLs. OK hands back the
// text typed, an empty one too; Cancel and Esc hand back nothing, which
// clears the password in force.
#include <windows.h>

#include <string>

#include "app/FormBase.h"

namespace quib {

class TFormPassword : public TFormBase {
public:
    enum : int {
        kTagLabelPassword = 2001,
        kTagButtonOK = 2011,
        kTagButtonCancel = 2012,
        kTagForm = 2999,
        kTagCheckBoxShow = 6001,
    };

    TFormPassword();

    // The password on OK, empty otherwise (StrArchivePasswordExtract).
    std::wstring ModalOutput(int result) const { return result == mrOK ? password_ : std::wstring(); }

    HWND PasswordEdit() const { return edit_; }
    HWND ShowCheck() const { return show_; }
    HWND Button(int tag) const;
    bool ShowsPassword() const;

    void ButtonOKClick();
    void ButtonCancelClick();
    void CheckBoxShowClick();

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int clientWidth, int clientHeight) override;
    void FormClose() override;
    void FormDestroy() override;
    void ControlCommand(HWND control, int id, int code) override;

private:
    std::wstring password_;
    HWND label_ = nullptr, edit_ = nullptr, show_ = nullptr, ok_ = nullptr, cancel_ = nullptr;
};

}  // namespace quib
