#pragma once
// The filer selection dialog: lists the windows whose captions hold one of
// the four caption fragments of the title file ("quibFMarchive-Title.txt"),
// never a window of this program, and brings the chosen one to the front.
// Its run and close items take the keys of the main window's filer-selection
// and close commands from the main key map.
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "app/FilerLink.h"
#include "app/FormBase.h"

namespace quib {

class TFormSelectFiler : public TFormBase {
public:
    // Tags of the components, for the language file "SelectFiler.txt".
    enum : int {
        kTagMenuFile = 1000,
        kTagMenuRun = 1001,
        kTagMenuClose = 1002,
        kTagLabelProgram = 2001,
        kTagButtonRun = 2201,
        kTagButtonReload = 2202,
        kTagButtonSave = 2203,
        kTagButtonInit = 2204,
        kTagButtonCancel = 2205,
        kTagForm = 2999,
        kTagCheckBox1 = 6001,  // .. 6004
    };
    static constexpr int kTitleRows = 4;

    TFormSelectFiler();

    // --- state (names as the program uses them)
    FilerTitleLines StrListTitle;         // the title lines in force
    std::vector<std::wstring> StrListWindowName;  // captions listed
    std::vector<std::wstring> StrListWindowHwnd;  // their handles in decimal

    void MenuRunClick();
    void MenuCloseClick();
    void ButtonReloadClick();
    void ButtonSaveClick();
    void ButtonInitClick();
    // Lists the windows the title lines find; the first is selected.
    void FindFilers();
    // The window chosen with run (null when the list was empty or the dialog
    // was closed otherwise); the caller brings it to the front.
    HWND ModalOutput(int result) const { return result == mrOK ? chosen_ : nullptr; }

    HWND ListBox1() const { return list_; }
    HWND CheckBox(int row) const { return checks_[static_cast<size_t>(row)]; }
    HWND Edit(int row) const { return edits_[static_cast<size_t>(row)]; }
    HWND Button(int tag) const;

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int clientWidth, int clientHeight) override;
    bool FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) override;
    void ControlCommand(HWND control, int id, int code) override;
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void LanguageApplied() override;
    void FormDpiChanged(UINT oldDpi) override;

private:
    // The title lines as the check boxes and edit boxes show them.
    FilerTitleLines TitleLinesFromControls() const;
    void ShowTitleLines(const FilerTitleLines& lines);
    void SetItemHeight();

    HWND chosen_ = nullptr;
    HWND list_ = nullptr;
    HWND labelProgram_ = nullptr;
    std::array<HWND, kTitleRows> checks_{};
    std::array<HWND, kTitleRows> edits_{};
    std::array<HWND, 5> buttons_{};  // run, reload, save, init, cancel
};

}  // namespace quib
