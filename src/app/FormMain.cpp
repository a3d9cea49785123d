#include "app/FormMain.h"

namespace quib {

TFormMain::TFormMain() : TFormBase(L"FormMain", SIZE{780, 550}, SIZE{780, 550}) {}

TFormMain::~TFormMain() = default;

void TFormMain::FormCreate() {
    SetCaption(L" - quibFMarchive");
}

void TFormMain::FormShow() {}

void TFormMain::FormDestroy() {
    WritePlacement(Settings());
}

}  // namespace quib
