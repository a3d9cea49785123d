#pragma once
// The small dialog that edits one named destination of the pop-up
// extraction window: its name and its folder (keys "0" .. "4" of the
// sections ExtractName and ExtractFolder). OK writes both; Cancel nothing.
#include <windows.h>

#include <string>

#include "app/FormBase.h"
#include "extract/FolderPickerHost.h"

namespace quib {

class TFormInputExtract : public TFormBase {
public:
    enum : int {
        kTagLabelName = 2001,
        kTagLabelFolder = 2002,
        kTagButtonOK = 2201,
        kTagButtonCancel = 2202,
        kTagButtonList = 2203,
        kTagButtonTree = 2204,
        kTagButtonBrowse = 2205,
        kTagForm = 2999,
    };

    // index: the destination edited (IntExtractIndex, 0 to 4); without
    // pickers the tree and browse buttons stay disabled.
    TFormInputExtract(int index, FolderPickerHost* pickers, std::wstring archivePath = {});

    HWND NameField() const { return name_; }
    HWND FolderField() const { return folder_; }
    HWND Control(int tag) const;

    void ButtonOKClick();
    void ButtonCancelClick();
    void ButtonListClick();
    void ButtonTreeClick();
    void ButtonBrowseClick();

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int clientWidth, int clientHeight) override;
    void FormClose() override;
    bool FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) override;
    void ControlCommand(HWND control, int id, int code) override;

private:
    std::wstring PickerStart();
    int index_;
    FolderPickerHost* pickers_;
    std::wstring archivePath_;
    HWND labelName_ = nullptr, labelFolder_ = nullptr, name_ = nullptr, folder_ = nullptr;
    HWND buttonList_ = nullptr, buttonTree_ = nullptr, buttonBrowse_ = nullptr, buttonOK_ = nullptr,
         buttonCancel_ = nullptr;
};

}  // namespace quib
