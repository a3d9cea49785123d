#pragma once
// The browse window: the program's own keyboard picker of a folder or a file
// on the real file system. One folder at a time, into folders and back up,
// drive changes, new folders, renames, the sort of the list, and a memory of
// where the cursor was per drive and folder depth. The opener names what is
// wanted ([Browse] Target "Folder" or "File") and where to start; the window
// hands back the chosen path.
#include <windows.h>

#include <string>
#include <vector>

#include "app/FormBase.h"
#include "extract/BrowseRules.h"
#include "extract/FolderDialogRules.h"
#include "extract/FolderPickerHost.h"
#include "util/Controls.h"
#include "util/MyListView.h"

namespace quib {

const CommandTable& BrowseCommandTable();

class TFormBrowse : public TFormBase {
public:
    enum : int {
        kTagMenuKey = 1000,
        kTagMenuOther = 1100,
        kTagMenuDrive = 1200,
        kTagMenuDriveUpdate = 1201,
        kTagMenuDriveA = 1202,  // .. 1227 for Z
        kTagLabelTitle = 2001,
        kTagLabelHint = 2002,
        kTagButtonCurrent = 2201,
        kTagButtonDrive = 2202,
        kTagButtonSort = 2203,
        kTagButtonMakeFolder = 2204,
        kTagButtonRename = 2205,
        kTagButtonOK = 2206,
        kTagButtonCancel = 2207,
        kTagForm = 2999,
    };
    // Why the folder is listed again.
    enum ListReason : int { kRefresh = 0, kUp = 8, kInto = 13 };

    // start: StrSetFormBrowse (a folder ending in "\" or a file; empty for
    // "C:\"); result: StrRetFormBrowse, set on OK, cleared by the cancel button.
    TFormBrowse(FolderPickerHost& host, std::wstring start, std::wstring& result);

    // --- state (names as the program uses them)
    std::wstring StrCurrent;
    std::wstring StrTarget;
    int IntDriveNumber = 2;
    bool BoolChangeDriveFirst = true;
    bool BoolShowHidden = true, BoolShowSystem = true;
    bool BoolSortExplorer = true, BoolSortSJIS = false, BoolSortUnicode = false;
    int IntSortMode1 = 1, IntSortOrder1 = 0;
    bool BoolFileSize1024 = false, BoolFileSizeFull = false;
    std::vector<DirectoryLine> StrListDir, StrListFile;
    CursorMemory DriveArray;
    // The small dialogs' hand-over fields (sort answers, rename, current folder).
    BrowseDialogFields Fields;

    // --- commands
    void MenuJumpFolderExClick();
    void MenuMakeFolderClick();
    void MenuDriveChangeClick();
    void MenuRenameClick();
    void MenuSortClick();
    void MenuQuitClick();
    void MenuBackSpaceClick();
    void MenuExecuteExtClick();
    void MenuShiftReturnClick();
    void MenuListViewWidthInitClick();
    void MenuMoveTopClick();
    void MenuMovePrevClick();
    void MenuMoveUpClick();
    void MenuMoveDownClick();
    void MenuMoveNextClick();
    void MenuMoveEndClick();
    void MenuEscapeClick();
    void MenuKeyBoardClick();
    void MenuDriveUpdateClick();
    void MenuDriveClick(int drive);
    void ButtonOKClick();
    void ButtonCancelClick();

    // The listing with its reason; the change to a drive's folder; the jump
    // to a typed path (after the current-folder dialog: timer message when its
    // folder is missing).
    void GetDirFileList(int reason);
    void ChangeDrive(const std::wstring& folder);
    void JumpFile(const std::wstring& path, bool fromDialog);

    // --- what the user sees
    HWND ListView1() const { return list_.Handle(); }
    HWND Button(int tag) const;
    std::wstring UpperLabel() const { return GetText(labelCurrent_); }
    std::wstring LowerLabel() const { return GetText(labelSelected_); }
    const std::vector<DirectoryLine>& Rows() const { return rows_; }
    int SelectedRow() const { return list_.SelectedRow(); }
    void SelectRow(int row);

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int clientWidth, int clientHeight) override;
    void FormDestroy() override;
    void MenuCommand(int id) override;
    void ControlCommand(HWND control, int id, int code) override;
    LRESULT Notify(NMHDR* hdr) override;
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void FormDpiChanged(UINT oldDpi) override;
    void LanguageApplied() override;

private:
    void SetItemNewList();
    void InformationUpdate();
    void RecordFolder(const std::wstring& folder) { DriveArray.Record(folder); }
    void ResizeNameColumn();
    COLORREF RowColor(int row) const;
    bool DrivePresent(const std::wstring& root);
    void Message(const wchar_t* japanese, const wchar_t* english, const std::wstring& tail = L"");

    FolderPickerHost& host_;
    std::wstring StrSetFormBrowse;
    std::wstring& StrRetFormBrowse;
    std::vector<DirectoryLine> rows_;
    std::wstring sizeScratch_;
    TMyListView list_;
    FontHolder listFont_, infoFont_;
    SolidBrushCache infoBrush_;
    HWND panel_ = nullptr;
    HWND labelTitle_ = nullptr, labelHint_ = nullptr, labelCurrent_ = nullptr, labelSelected_ = nullptr;
    HWND buttons_[7] = {};
};

}  // namespace quib
