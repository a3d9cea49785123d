#pragma once
// The sort dialog of the browse window: a sort key (name, extension, date,
// size, none), then ascending or descending; three exclusive switches for
// the name order (explorer, quibFM's Shift_JIS order, Unicode).
#include <windows.h>

#include <array>
#include <string>

#include "app/FormBase.h"
#include "extract/FolderDialogRules.h"

namespace quib {

class TFormSort : public TFormBase {
public:
    enum : int {
        kTagLabelTitle = 2001,
        kTagButtonName = 2011,
        kTagButtonExtension = 2012,
        kTagButtonDate = 2013,
        kTagButtonSize = 2014,
        kTagButtonNone = 2015,
        kTagButtonAscending = 2021,
        kTagButtonDescending = 2022,
        kTagButtonCancel = 2023,
        kTagForm = 2999,
        kTagCheckExplorer = 6001,
        kTagCheckQuibFM = 6002,
        kTagCheckUnicode = 6003,
    };

    // browse: the browse window's switches in, its StrRetFormSort... answers out.
    explicit TFormSort(BrowseDialogFields& browse);

    HWND Control(int tag) const;
    void KeyButtonClick(int mode);
    void OrderButtonClick(bool descending);

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int clientWidth, int clientHeight) override;
    void ControlCommand(HWND control, int id, int code) override;

private:
    BrowseDialogFields& browse_;
    int mode_ = 0;
    HWND title_ = nullptr;
    std::array<HWND, 5> keys_{};   // name, extension, date, size, none
    std::array<HWND, 3> checks_{};  // explorer, quibFM, Unicode
    HWND ascending_ = nullptr, descending_ = nullptr, cancel_ = nullptr;
};

}  // namespace quib
