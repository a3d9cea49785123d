#pragma once
// The find dialog: modeless and always on top, with a history of search
// words and the search options, searching the text viewer it was opened
// from. Closing hides it; it is shown again with Open.
#include <string>
#include <vector>

#include "app/FormBase.h"

namespace quib {

class TFormText;

const CommandTable& FindCommandTable();

class TFormFind : public TFormBase {
public:
    explicit TFormFind(TFormText& viewer);

    // Shows the dialog with the settings and the history read afresh.
    void Open();
    HWND ComboBox1() const { return combo_; }
    HWND CheckBox1() const { return autoClose_; }
    HWND ButtonNext() const { return next_; }
    HWND ButtonPrev() const { return prev_; }
    std::vector<std::wstring> History() const;

    void ButtonNextClick();
    void ButtonPrevClick();
    void MenuCloseClick();
    void MenuNextClick();
    void MenuPrevClick();
    void MenuCopyClick();
    void MenuCutClick();
    void MenuPasteClick();

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int clientWidth, int clientHeight) override;
    bool FormCloseQuery() override;
    bool FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) override;
    void ControlCommand(HWND control, int id, int code) override;
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void Search(bool forward);
    void ReadState();
    void ApplyViewerKeys();
    TFormText& viewer_;
    HWND combo_ = nullptr, group_ = nullptr, matchCase_ = nullptr, wholeWord_ = nullptr, regExp_ = nullptr,
         includeCrLf_ = nullptr, autoClose_ = nullptr, prev_ = nullptr, next_ = nullptr, cancel_ = nullptr;
};

}  // namespace quib
