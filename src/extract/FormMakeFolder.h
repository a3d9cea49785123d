#pragma once
// The new-folder dialog: shows the folder it creates in, takes the name of
// the folder to create, creates it with every missing parent and hands
// back its path ending with "\" (empty on cancel).
#include <windows.h>

#include <string>

#include "app/FormBase.h"

namespace quib {

class TFormMakeFolder : public TFormBase {
public:
    enum : int {
        kTagLabelCurrent = 2001,
        kTagLabelName = 2002,
        kTagLabelHint = 2003,
        kTagButtonOK = 2011,
        kTagButtonCancel = 2012,
        kTagForm = 2999,
    };

    // folder: the opener's StrSetFormMakeFolder; result: its
    // StrRetFormMakeFolder, set on OK and cleared otherwise.
    TFormMakeFolder(std::wstring folder, std::wstring& result);

    HWND FolderField() const { return folder_; }
    HWND NameField() const { return name_; }
    HWND Button(int tag) const;

    void ButtonOKClick();
    void ButtonCancelClick();

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int clientWidth, int clientHeight) override;
    void ControlCommand(HWND control, int id, int code) override;
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    std::wstring StrSetFormMakeFolder;
    std::wstring& StrRetFormMakeFolder;
    HWND labelCurrent_ = nullptr, labelName_ = nullptr, labelHint_ = nullptr;
    HWND folder_ = nullptr, name_ = nullptr, ok_ = nullptr, cancel_ = nullptr;
};

}  // namespace quib
