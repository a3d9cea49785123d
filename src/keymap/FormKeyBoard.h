#pragma once
// The keyboard settings dialog: one window's key map, edited category by
// category in a working copy; every new key is checked against all the
// others before it is taken. The window it edits is named in
// [FormKeyBoard] Parent; that window applies its key-map file again when the
// dialog ends with OK (saved, initialised, or differences applied).
#include <windows.h>

#include <string>
#include <vector>

#include "app/FormBase.h"
#include "keymap/KeyBoardRules.h"
#include "keymap/KeyMap.h"
#include "util/MyListView.h"

namespace quib {

struct KeyMapDescription;

class TFormKeyBoard : public TFormBase {
public:
    // Tags of the components, for the language file "KeyBoard.txt".
    enum : int {
        kTagLabelCategory = 2001,
        kTagLabelNewKey = 2002,
        kTagButtonOK = 2201,
        kTagButtonCancel = 2202,
        kTagButtonDiffToFile = 2203,
        kTagButtonLoadFromFile = 2204,
        kTagButtonShowAll = 2205,
        kTagButtonShowDiff = 2206,
        kTagButtonInitQuibFM = 2207,
        kTagButtonInitMemo = 2208,
        kTagButtonClear = 2209,
        kTagForm = 2999,
    };
    // The four key fields.
    enum KeyField : int { kFieldShift = 0, kFieldCtrl, kFieldAlt, kFieldKey };

    TFormKeyBoard();
    ~TFormKeyBoard() override;

    // --- state (names as the program uses them)
    std::wstring StrParentForm;   // [FormKeyBoard] Parent
    // StrListKeyMap (the base's): the working copy of the parent's key map.
    bool BoolSaveToFile = false;  // the parent's file was rewritten by an initialisation or the differences

    // Closing by "閉じる" or Esc still ends with OK once the file was rewritten.
    int ModalOutput(int result) const { return result == mrOK || BoolSaveToFile ? mrOK : mrCancel; }

    // Step by step, as the dialog runs them.
    void ReadKeyMapFromFile();
    void SetKeyMapJpnEng();
    void SetThisCategory();
    void SetCommand();
    void SetPresentKey();
    void ChangePresentKey();
    void SwitchLanguage(bool japanese) override;

    void ButtonOKClick();
    void ButtonCancelClick();
    void ButtonDiffToFileClick();
    void ButtonLoadFromFileClick();
    void ButtonShowAllClick();
    void ButtonShowDiffClick();
    void ButtonClearClick();
    // Variant 0 ("初期化:quibFM") or 1 (the second button).
    void InitKeyMapClick(int variant);

    // --- what tests look at
    HWND ListView1() const { return list_.Handle(); }
    HWND CategoryBox() const { return comboCategory_; }
    HWND KeyFieldBox(KeyField field) const { return comboKey_[field]; }
    HWND Button(int tag) const;
    // Picks an item of a key field as the user does (the change runs).
    void PickKeyField(KeyField field, int item);
    // Picks a category as the user does.
    void PickCategory(int item);
    // The working-map lines the rows show.
    const std::vector<size_t>& RowLines() const { return rows_; }

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int clientWidth, int clientHeight) override;
    void ControlCommand(HWND control, int id, int code) override;
    LRESULT Notify(NMHDR* hdr) override;
    void LanguageApplied() override;

private:
    const KeyMapDescription* Parent() const;
    KeyMapWindow ParentWindow() const;
    void SetColumnCaptions();
    void SetInitMemoButton();
    void SizeColumns();
    int SelectedRowOrFirst();
    std::wstring ComboText(HWND combo) const;
    void ReloadAfterFileChange();

    TMyListView list_;
    HWND labelCategory_ = nullptr, comboCategory_ = nullptr, labelNewKey_ = nullptr;
    HWND labelKey_[4] = {}, comboKey_[4] = {};
    HWND buttonOK_ = nullptr, buttonCancel_ = nullptr, buttonDiffToFile_ = nullptr, buttonLoadFromFile_ = nullptr,
         buttonShowAll_ = nullptr, buttonShowDiff_ = nullptr, buttonInitQuibFM_ = nullptr, buttonInitMemo_ = nullptr,
         buttonClear_ = nullptr;
    std::vector<size_t> rows_;
    bool filling_ = false;
};

}  // namespace quib
