#pragma once
// The drive dialog: the drives of the main window's drive table in a list;
// a drive is chosen with the list and OK, a double click, Enter, or its
// letter key, and handed back as its root ("C:\"; empty on cancel).
#include <windows.h>

#include <string>
#include <vector>

#include "app/FormBase.h"
#include "extract/FolderDialogRules.h"
#include "util/MyListView.h"

namespace quib {

class TFormDrive : public TFormBase {
public:
    enum : int {
        kTagLabelDrives = 2001,
        kTagButtonOK = 2011,
        kTagButtonCancel = 2012,
        kTagForm = 2999,
    };

    // driveTable: the main window's StrListDriveInfo (header line first);
    // result: its StrRetFormDrive, set on OK and cleared otherwise; browse:
    // the browse window that opened the dialog (its folder's drive is
    // preselected), null for another opener.
    TFormDrive(StringList driveTable, std::wstring& result, const BrowseDialogFields* browse = nullptr);

    HWND ListView1() const { return list_.Handle(); }
    HWND Button(int tag) const;

    void ButtonOKClick();
    void ButtonCancelClick();

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int clientWidth, int clientHeight) override;
    void FormDestroy() override;
    bool FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) override;
    void ControlCommand(HWND control, int id, int code) override;
    LRESULT Notify(NMHDR* hdr) override;

private:
    StringList StrListDriveInfo;
    std::wstring& StrRetFormDrive;
    const BrowseDialogFields* browse_;
    std::vector<StringList> rows_;
    TMyListView list_;
    HWND label_ = nullptr, ok_ = nullptr, cancel_ = nullptr;
};

}  // namespace quib
