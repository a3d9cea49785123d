#pragma once
// The log window: the start-up log of the main window (arguments and the
// windows found at start-up), read-only, as it stood when the window opened.
#include "app/FormTextWindow.h"

namespace quib {

class TFormLog : public TFormTextWindow {
public:
    TFormLog();

protected:
    void FormCreate() override;
};

}  // namespace quib
