#pragma once
// The picker that imports an association from the filer's "quibFM.ext": each
// row an extension list and a program line; the two lists select together.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "app/FormBase.h"
#include "launch/Associations.h"

namespace quib {

class TFormExtention : public TFormBase {
public:
    enum : int {
        kTagLabelExt = 2001,
        kTagLabelProgram = 2002,
        kTagButtonOK = 2011,
        kTagButtonCancel = 2012,
        kTagForm = 2999,
    };

    TFormExtention();

    std::wstring StrRetFormExtention1;  // extension list
    std::wstring StrRetFormExtention2;  // program line
    std::pair<std::wstring, std::wstring> ModalOutput(int result) const {
        if (result != mrOK) return {};
        return {StrRetFormExtention1, StrRetFormExtention2};
    }

    HWND ExtensionList() const { return extList_; }
    HWND ProgramList() const { return programList_; }
    const std::vector<ExtentionRow>& Rows() const { return rows_; }
    void ButtonOKClick();

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int clientWidth, int clientHeight) override;
    bool FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) override;
    void ControlCommand(HWND control, int id, int code) override;

private:
    void SelectBoth(HWND from);
    std::vector<ExtentionRow> rows_;
    HWND labelExt_ = nullptr, labelProgram_ = nullptr, extList_ = nullptr, programList_ = nullptr, ok_ = nullptr,
         cancel_ = nullptr;
};

}  // namespace quib
