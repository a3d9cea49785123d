#pragma once
// The folder tree window: the drives as a tree whose folders open level by
// level, opened down to a start folder; it hands back the folder chosen
// (ending in "\"). New folders and drive changes go through the small dialogs.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/FormBase.h"
#include "extract/FolderPickerHost.h"
#include "extract/JumpFolderRules.h"
#include "util/Controls.h"

namespace quib {

const CommandTable& TreeCommandTable();

class TFormTree : public TFormBase {
public:
    enum : int {
        kTagMenuKey = 1000,
        kTagMenuReturn = 1003,
        kTagMenuOther = 1100,
        kTagMenuColorSet = 1103,
        kTagMenuFontBold = 1104,
        kTagLabelHint = 2001,
        kTagForm = 2999,
    };

    // start: StrSetFormTree (empty for "C:\"); result: StrRetFormTree, set on
    // OK and cleared on cancel.
    TFormTree(FolderPickerHost& host, std::wstring start, std::wstring& result);

    // --- state (names as the program uses them)
    std::vector<std::wstring> StrListLayer;
    std::vector<TreeFolder> StrListFolder;
    std::vector<std::wstring> StrListAddFolder;

    void MenuMakeFolderClick();
    void MenuDriveChangeClick();
    void MenuReturnClick();
    void MenuQuitClick();
    void MenuEscapeClick();
    void MenuKeyBoardClick();
    void MenuColorSetClick();
    void MenuFontBoldClick();

    // Opens the tree down to StrListLayer: at each level the part that exists
    // is selected; the walk stops at the deepest part that does.
    void MoveToCurrent();
    // Adds the selected node's sub-folders (once per build) and opens it.
    void LayerDown();

    HWND TreeView1() const { return tree_; }
    // The path of a node (the selected one when null).
    std::wstring NodePath(HTREEITEM item = nullptr) const;
    std::wstring NodeText(HTREEITEM item) const;
    std::vector<std::wstring> ChildTexts(HTREEITEM item) const;

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int clientWidth, int clientHeight) override;
    void FormDestroy() override;
    bool FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) override;
    LRESULT Notify(NMHDR* hdr) override;

private:
    void BuildDrives();
    HTREEITEM FindChild(HTREEITEM parent, const std::wstring& name) const;
    LRESULT CustomDraw(NMTVCUSTOMDRAW* cd);
    static LRESULT CALLBACK TreeProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    FolderPickerHost& host_;
    std::wstring StrSetFormTree;
    std::wstring& StrRetFormTree;
    HWND label_ = nullptr, tree_ = nullptr;
    HFONT boldFont_ = nullptr;
};

}  // namespace quib
