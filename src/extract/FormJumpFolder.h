#pragma once
// The jump-folder window: the 108 key-bound folders of "quibFM.jp2" (shared
// with the filer), each chosen by its key or the list; a line is edited in
// the input dialog or deleted. It hands back the folder of the line chosen,
// its "%D" / "%P" prefix expanded.
#include <windows.h>

#include <string>

#include "app/FormBase.h"
#include "extract/FolderPickerHost.h"
#include "extract/JumpFolderRules.h"
#include "util/Controls.h"

namespace quib {

class TFormJumpFolder : public TFormBase {
public:
    enum : int {
        kTagMenuFile = 1000,
        kTagMenuClose = 1001,
        kTagMenuOperation = 1100,
        kTagMenuInput = 1101,
        kTagMenuDelete = 1102,
        kTagButtonOK = 2201,
        kTagButtonCancel = 2202,
        kTagForm = 2999,
    };

    // result: StrRetFormJumpFolder, set on OK. [FormJumpFolder] Parent
    // "Extract" enables the run button; "Main" (the default) does not.
    TFormJumpFolder(FolderPickerHost& host, std::wstring& result);

    JumpFolderFile StrListJumpFolder;
    int IntJumpFolderIndex = -1;

    void ButtonOKClick();
    void ButtonCancelClick();
    void MenuInputClick();
    void MenuDeleteClick();
    void MenuCloseClick() { ButtonCancelClick(); }

    HWND ListBox1() const { return list_; }
    HWND Button(int tag) const { return tag == kTagButtonOK ? ok_ : tag == kTagButtonCancel ? cancel_ : nullptr; }

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int clientWidth, int clientHeight) override;
    bool FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) override;
    void ControlCommand(HWND control, int id, int code) override;
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void LanguageApplied() override;

private:
    void FillList();
    std::wstring FilePath() const;

    FolderPickerHost& host_;
    std::wstring& StrRetFormJumpFolder;
    bool ownerDraw_ = true;
    FontHolder listFont_;
    HWND list_ = nullptr, ok_ = nullptr, cancel_ = nullptr;
};

// The input dialog of one jump-folder line: its name and folder, typed or
// picked with the shell's folder dialog, the tree or the browse window.
class TFormInputFolder : public TFormBase {
public:
    enum : int {
        kTagLabelName = 2001,
        kTagLabelFolder = 2002,
        kTagButtonList = 2201,
        kTagButtonTree = 2202,
        kTagButtonBrowse = 2203,
        kTagButtonOK = 2204,
        kTagButtonCancel = 2205,
        kTagForm = 2999,
    };

    // row: IntJumpFolderIndex, the line edited.
    TFormInputFolder(FolderPickerHost& host, int row);

    void ButtonOKClick();
    void ButtonCancelClick();
    void ButtonListClick();
    void ButtonTreeClick();
    void ButtonBrowseClick();

    HWND NameField() const { return name_; }
    HWND FolderField() const { return folder_; }
    HWND Button(int tag) const;

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int clientWidth, int clientHeight) override;
    bool FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) override;
    void ControlCommand(HWND control, int id, int code) override;

private:
    // The start of the tree and browse windows from the folder field.
    std::wstring PickerStart();

    FolderPickerHost& host_;
    int row_;
    JumpFolderFile file_;
    HWND labelName_ = nullptr, labelFolder_ = nullptr, name_ = nullptr, folder_ = nullptr;
    HWND buttons_[5] = {};
};

}  // namespace quib
