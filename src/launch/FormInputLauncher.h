#pragma once
// The registration dialog of one launcher slot: its name, whether the file is
// handed over, the program (typed, listed by the file dialog or picked in the
// browse window) and its options. OK writes the launcher file.
#include <windows.h>

#include <string>

#include "app/FormBase.h"
#include "extract/FolderPickerHost.h"
#include "launch/LauncherFile.h"

namespace quib {

class TFormInputLauncher : public TFormBase {
public:
    enum : int {
        kTagLabelName = 2001,
        kTagLabelProgram = 2002,
        kTagLabelOptions = 2003,
        kTagButtonOK = 2201,
        kTagButtonCancel = 2202,
        kTagButtonList = 2203,
        kTagButtonBrowse = 2204,
        kTagCheckFile = 6001,
        kTagForm = 2999,
    };

    TFormInputLauncher(FolderPickerHost* pickers, int slot);

    int IntLauncherIndex;
    LauncherFile StrListLauncher;

    void ButtonOKClick();
    void ButtonListClick();
    void ButtonBrowseClick();

    HWND NameEdit() const { return name_; }
    HWND FileCheck() const { return check_; }
    HWND ProgramEdit() const { return program_; }
    HWND OptionsEdit() const { return options_; }
    HWND Button(int tag) const;

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int clientWidth, int clientHeight) override;
    bool FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) override;
    void ControlCommand(HWND control, int id, int code) override;

private:
    void OpenFolderSelectPicker();

    FolderPickerHost* pickers_;
    HWND labelName_ = nullptr, name_ = nullptr, check_ = nullptr, labelProgram_ = nullptr, program_ = nullptr,
         list_ = nullptr, browse_ = nullptr, labelOptions_ = nullptr, options_ = nullptr, ok_ = nullptr,
         cancel_ = nullptr;
};

}  // namespace quib
