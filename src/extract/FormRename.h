#pragma once
// The rename dialog of the browse window: the names handed over are renamed
// one after another in their folder (or passed over with Skip); each new
// entry keeps its attributes. The last new name that took is handed back.
#include <windows.h>

#include <string>

#include "app/FormBase.h"
#include "extract/FolderDialogRules.h"

namespace quib {

class TFormRename : public TFormBase {
public:
    enum : int {
        kTagLabelOld = 2001,
        kTagLabelArrow = 2002,
        kTagLabelNew = 2003,
        kTagLabelPath = 2004,
        kTagLabelHint = 2005,
        kTagButtonOK = 2011,
        kTagButtonCancel = 2012,
        kTagButtonSkip = 2013,
        kTagForm = 2999,
    };

    // browse: StrListRenameSrc and StrSetFormRename in, StrRetFormRename out.
    explicit TFormRename(BrowseDialogFields& browse);

    HWND OldField() const { return old_; }
    HWND NewField() const { return new_; }
    HWND PathField() const { return path_; }
    HWND NameList() const { return list_; }
    HWND Button(int tag) const;
    // The row of the name being renamed.
    int Current() const { return current_; }

    void ButtonOKClick();
    void ButtonSkipClick();

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int clientWidth, int clientHeight) override;
    void ControlCommand(HWND control, int id, int code) override;
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void LanguageApplied() override;

private:
    void ShowName(int row);
    bool AtLastName() const;
    bool RenameCurrent();

    BrowseDialogFields& browse_;
    int current_ = 0;
    HWND labelOld_ = nullptr, labelArrow_ = nullptr, labelNew_ = nullptr, labelPath_ = nullptr, labelHint_ = nullptr;
    HWND old_ = nullptr, new_ = nullptr, path_ = nullptr, list_ = nullptr;
    HWND ok_ = nullptr, cancel_ = nullptr, skip_ = nullptr;
};

}  // namespace quib
