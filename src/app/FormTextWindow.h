#pragma once
// What the log and help windows share: one read-only text filling the window
// (both scroll bars, no word wrap, Enter not taken), a pop-up menu with its
// copy item on Ctrl+C, tab stops of 16 dialog units, and the copy caption in
// the window's language.
#include <windows.h>

#include <string>
#include <vector>

#include "app/FormBase.h"

namespace quib {

class TFormTextWindow : public TFormBase {
public:
    // The pop-up menu and its copy item (command ids only: the language file
    // does not carry them, the copy caption follows the language in code).
    enum : int { kTagPopUpMenu = 9000, kTagPopUpCopy = 9001 };
    // The pop-up menu's line of a window's command table.
    static FormMenu PopUpMenu();
    static FormCommand PopUpCopyCommand();

    HWND Memo1() const { return memo1_; }
    std::wstring MemoText() const;
    void SetMemoText(const std::wstring& text);
    void SetMemoLines(const std::vector<std::wstring>& lines);
    // Copies the selection (one character or more) to the clipboard; nothing
    // selected leaves the clipboard as it was.
    void PopUpCopyClick();
    std::wstring PopUpCopyCaption() const { return MenuItemCaption(kTagPopUpCopy); }

    int TabStops = 16;

protected:
    explicit TFormTextWindow(FormDescription description);
    ~TFormTextWindow() override;

    void FormCreate() override;
    void FormResize(int clientWidth, int clientHeight) override;
    void LanguageApplied() override;
    // These windows have no key map of their own: the item with this tag takes
    // the key the user gave the main window's close command (1041), read
    // afresh from the main window's key-map file at each showing.
    void TakeMainCloseKey(int tag);

private:
    HWND memo1_ = nullptr;
    HMENU popUp_ = nullptr;
};

}  // namespace quib
