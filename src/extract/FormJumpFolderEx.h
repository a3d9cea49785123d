#pragma once
// The current-folder dialog of the browse window: a folder (ending with
// "\") or a file path typed, or taken from a filer window's caption or from
// the history of earlier choices ("quibFMarchive-Current.txt"). The text
// chosen is handed back (empty on cancel) and put on top of the history.
#include <windows.h>

#include <string>

#include "app/FormBase.h"
#include "extract/FolderDialogRules.h"

namespace quib {

class TFormJumpFolderEx : public TFormBase {
public:
    enum : int {
        kTagLabelName = 2001,
        kTagLabelHint = 2002,
        kTagLabelFilers = 2003,
        kTagLabelHistory = 2004,
        kTagButtonOK = 2011,
        kTagButtonCancel = 2012,
        kTagForm = 2999,
    };

    // filerCaptions: the main window's StrListWindowName; browse: the
    // history (StrListCurrentHistory) and the answer (StrRetFormJumpFolderEx).
    TFormJumpFolderEx(StringList filerCaptions, BrowseDialogFields& browse);

    HWND NameField() const { return name_; }
    HWND FilerList() const { return filers_; }
    HWND HistoryList() const { return history_; }
    HWND Button(int tag) const;

    void ButtonOKClick();
    void ButtonCancelClick();

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int clientWidth, int clientHeight) override;
    bool FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) override;
    void ControlCommand(HWND control, int id, int code) override;
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void LanguageApplied() override;

private:
    // The field from the list's selected row; false after a message.
    bool FilerListSelected();
    bool HistoryListSelected(bool focusField);
    void Message(const wchar_t* japanese, const wchar_t* english);

    StringList StrListWindowName;
    BrowseDialogFields& browse_;
    // A message box gives the focus back to the list it was shown for: that
    // is no new entry into the list.
    bool messageShowing_ = false;
    HWND labelName_ = nullptr, labelHint_ = nullptr, labelFilers_ = nullptr, labelHistory_ = nullptr;
    HWND name_ = nullptr, filers_ = nullptr, history_ = nullptr, ok_ = nullptr, cancel_ = nullptr;
};

}  // namespace quib
