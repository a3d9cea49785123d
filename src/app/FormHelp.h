#pragma once
// The help window: one of the three help files beside the program, read-only.
// It closes with the key the main window's own close command has in the main
// key map, and with Esc.
#include "app/FormTextWindow.h"

namespace quib {

class TFormHelp : public TFormTextWindow {
public:
    enum : int {
        kTagMenuFile = 1000,
        kTagMenuClose = 1001,
        kTagMenuReadHelp = 1002,
        kTagMenuReadFirst = 1003,
        kTagMenuReadCsv = 1004,
    };
    TFormHelp();

    void MenuReadHelpClick();
    void MenuReadFirstClick();
    void MenuReadCsvClick();
    void MenuCloseClick();

protected:
    void FormCreate() override;
    void FormShow() override;

private:
    // Shows a help file of the program folder; a missing one empties the text.
    void LoadHelpFile(const wchar_t* fileName);
};

}  // namespace quib
