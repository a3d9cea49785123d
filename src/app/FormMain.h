#pragma once
// The main window: the hub of the program, alive for the whole run.
#include "app/FormBase.h"

namespace quib {

class TFormMain : public TFormBase {
public:
    TFormMain();
    ~TFormMain() override;

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormDestroy() override;
    bool EscCloses() const override { return false; }
};

}  // namespace quib
