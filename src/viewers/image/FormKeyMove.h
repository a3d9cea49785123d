#pragma once
// The four keys that move between pictures in full screen (where the menu
// keys do not work): chosen from drop-down lists, saved to the settings file
// and given at once to the open viewer.
#include <windows.h>

#include "app/FormBase.h"

namespace quib {

class TFormImage;

class TFormKeyMove : public TFormBase {
public:
    enum : int {
        kTagLabelPrev = 2001, kTagLabelUp, kTagLabelDown, kTagLabelNext,
        kTagButtonSave = 2011, kTagButtonClose = 2012, kTagForm = 2999,
    };
    // viewer: the open viewer whose keys change on saving (may be null).
    explicit TFormKeyMove(TFormImage* viewer);

    HWND Combo(int i) const { return combos_[i]; }
    void ButtonSaveClick();

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int clientWidth, int clientHeight) override;
    void ControlCommand(HWND control, int id, int code) override;

private:
    TFormImage* viewer_;
    HWND labels_[4] = {}, combos_[4] = {}, save_ = nullptr, close_ = nullptr;
};

}  // namespace quib
