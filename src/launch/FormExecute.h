#pragma once
// The chooser of launching by extension: the programs associated with one
// extension; the one chosen is returned as its table line and its mode.
#include <windows.h>

#include <string>
#include <vector>

#include "app/FormBase.h"
#include "launch/Associations.h"

namespace quib {

class TFormExecute : public TFormBase {
public:
    enum : int { kTagLabel = 2001, kTagButtonOK = 2011, kTagButtonCancel = 2012, kTagForm = 2999 };

    explicit TFormExecute(std::vector<Association> candidates);

    std::wstring StrRetFormExecute;      // the chosen candidate's line
    std::wstring StrRetFormExecuteMode;  // its mode field
    struct Choice {
        std::wstring line, mode;
    };
    Choice ModalOutput(int result) const {
        return result == mrOK ? Choice{StrRetFormExecute, StrRetFormExecuteMode} : Choice{};
    }

    HWND ProgramList() const { return list_; }
    HWND ExtensionEdit() const { return edit_; }
    void ButtonOKClick();

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int clientWidth, int clientHeight) override;
    bool FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) override;
    void ControlCommand(HWND control, int id, int code) override;

private:
    std::vector<Association> candidates_;
    HWND label_ = nullptr, edit_ = nullptr, list_ = nullptr, ok_ = nullptr, cancel_ = nullptr;
};

}  // namespace quib
