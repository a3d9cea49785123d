#pragma once
// The go-to-line dialog: a number-only field; OK writes it to the settings
// file, where the text viewer reads it.
#include "app/FormBase.h"
#include "viewers/text/DecEdit.h"

namespace quib {

class TFormJump : public TFormBase {
public:
    TFormJump();
    HWND Edit1() const { return edit_; }
    void ButtonOKClick();

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int clientWidth, int clientHeight) override;
    void ControlCommand(HWND control, int id, int code) override;

private:
    HWND label_ = nullptr, edit_ = nullptr, ok_ = nullptr, cancel_ = nullptr;
    TDecEdit decEdit_;
};

}  // namespace quib
