#pragma once
// The software launcher: 108 program slots bound to the letters and digits
// alone, with Shift and with Ctrl. A slot's key picks it and runs it; the
// window hands the chosen program back to the main window, which starts it
// with the entry brought out of the archive.
#include <windows.h>

#include <string>
#include <vector>

#include "app/FormBase.h"
#include "extract/FolderPickerHost.h"
#include "launch/LauncherFile.h"

namespace quib {

// What the launcher returns on OK (StrRetFormLauncher...).
struct LauncherChoice {
    std::wstring name;    // the program's path, expanded and unquoted
    std::wstring file;    // the slot's file switch: "1" hands the file over
    std::wstring option;  // the slot's options
};

// "quibFM.lnc" in the program folder.
std::wstring LauncherFilePath();
// Writes the launcher file; a character the file's code page lacks is
// reported and nothing is written. False when not written.
bool SaveLauncherFile(HWND owner, const LauncherFile& file);

class TFormLauncher : public TFormBase {
public:
    enum : int {
        kTagMenuFile = 1000,
        kTagMenuClose = 1001,
        kTagMenuOperation = 1100,
        kTagMenuInput = 1101,
        kTagMenuDelete = 1102,
        kTagMenuKey = 1200,
        kTagSlotFirst = 3001,  // the hidden slot commands, 3001 .. 3108
        kTagButtonOK = 2201,
        kTagButtonCancel = 2202,
        kTagForm = 2999,
    };

    // The browse window serves the registration dialog as its picker.
    explicit TFormLauncher(FolderPickerHost* pickers);
    ~TFormLauncher() override;

    // --- state (names as the program uses them)
    LauncherFile StrListLauncher;  // the file's lines and encoding
    int IntLauncherIndex = -1;     // the slot the registration dialog edits
    LauncherChoice Choice;         // set on OK

    LauncherChoice ModalOutput(int result) const { return result == mrOK ? Choice : LauncherChoice{}; }

    void SetItemList();
    void ButtonOKClick();
    void MenuCloseClick();
    void MenuInputClick();
    void MenuDeleteClick();

    HWND ListBox8() const { return list_; }
    HWND Button(int tag) const { return tag == kTagButtonOK ? ok_ : tag == kTagButtonCancel ? cancel_ : nullptr; }
    std::wstring RowText(int row) const;

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormDestroy() override;
    void FormResize(int clientWidth, int clientHeight) override;
    bool FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) override;
    void MenuCommand(int id) override;
    void ControlCommand(HWND control, int id, int code) override;
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void ReadFile();
    void SetRow(int slot);
    int SelectedRow() const;

    FolderPickerHost* pickers_;
    HWND list_ = nullptr, ok_ = nullptr, cancel_ = nullptr;
    HFONT listFont_ = nullptr;
};

}  // namespace quib
