#pragma once
// The key-map viewer: shows one window's key-map file, or its difference
// file, read-only, in file order or grouped by modifiers, in the interface
// language. Opened by the keyboard dialog, which names the window in
// [FormKeyBoard] Parent and chooses whole map or differences in
// [ShowKeyMapItem] All.
#include <windows.h>

#include <string>
#include <vector>

#include "app/FormBase.h"
#include "keymap/KeyMap.h"
#include "util/MyListView.h"

namespace quib {

class TFormKeyMap : public TFormBase {
public:
    // Tags of the components, for the language file "KeyMap.txt".
    enum : int {
        kTagButtonSort0 = 2201,
        kTagButtonSort1 = 2202,
        kTagButtonCopy = 2203,
        kTagButtonClose = 2204,
        kTagForm = 2999,
    };

    TFormKeyMap();
    ~TFormKeyMap() override;

    // --- state (names as the program uses them)
    // StrListKeyMap (the base's): the file's lines, rewritten into the
    // language, file order.
    KeyMapTable StrListKeyMapSort;  // the same lines in the grouped order
    std::wstring StrParentForm;     // [FormKeyBoard] Parent
    std::wstring StrKeyMapFileName; // the file read last
    bool BoolShowAll = true;        // [ShowKeyMapItem] All

    // Step by step, as the window runs them.
    // Reads the parent window's key-map file (or its difference file) into
    // StrListKeyMap; a missing file leaves it empty and starts the timer
    // whose message tells the user.
    void ReadKeyMapFromFile();
    // Rewrites StrListKeyMap into the window's language with the parent
    // window's language file.
    void SetKeyMapJpnEng();
    // Builds StrListKeyMapSort.
    void GetKeySort1();
    // Shows the lines in file order / grouped.
    void SetKeySort0();
    void SetKeySort1();
    // Puts the lines last shown on the clipboard, one line each.
    void CopyToClipboard();
    // Ctrl+Shift+J / Ctrl+Shift+E in developer mode: the list is read and
    // rewritten again in the new language.
    void SwitchLanguage(bool japanese) override;

    HWND ListView1() const { return list_.Handle(); }
    HWND Button(int tag) const;
    // The lines in the order last shown.
    const KeyMapTable& ShownLines() const { return *shown_; }

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int clientWidth, int clientHeight) override;
    void ControlCommand(HWND control, int id, int code) override;
    void LanguageApplied() override;

private:
    void SetColumnCaptions();
    void FillList(const KeyMapTable& lines);
    void SizeColumns();

    TMyListView list_;
    HWND buttonSort0_ = nullptr, buttonSort1_ = nullptr, buttonCopy_ = nullptr, buttonClose_ = nullptr;
    const KeyMapTable* shown_ = &StrListKeyMap;
};

}  // namespace quib
