#include "extract/FormSort.h"

namespace quib {
namespace {

FormDescription SortDescription() {
    FormDescription d = FormDescription::Window(L"FormSort", SIZE{480, 345}, SIZE{480, 345});
    d.languageFile = L"Sort.txt";
    return d;
}

// The key buttons in their order on screen and the mode each stands for.
constexpr int kModes[5] = {1, 2, 3, 4, 0};

bool Checked(HWND h) { return SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void SetChecked(HWND h, bool on) { SendMessageW(h, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

}  // namespace

TFormSort::TFormSort(BrowseDialogFields& browse) : TFormBase(SortDescription()), browse_(browse) {}

HWND TFormSort::Control(int tag) const {
    if (tag >= kTagButtonName && tag <= kTagButtonNone) return keys_[static_cast<size_t>(tag - kTagButtonName)];
    if (tag >= kTagCheckExplorer && tag <= kTagCheckUnicode)
        return checks_[static_cast<size_t>(tag - kTagCheckExplorer)];
    switch (tag) {
        case kTagButtonAscending: return ascending_;
        case kTagButtonDescending: return descending_;
        case kTagButtonCancel: return cancel_;
        default: return nullptr;
    }
}

void TFormSort::FormCreate() {
    SetCaption(L"ソート設定");
    title_ = AddControl(ComponentKind::Label, kTagLabelTitle, L"STATIC", L"ファイルのソート", WS_VISIBLE | SS_CENTER);
    const wchar_t* keyCaptions[5] = {L"名前順(&N)", L"拡張子順(&E)", L"日付順(&D)", L"ファイルサイズ順(&S)",
                                     L"ソートなし(&Z)"};
    for (int i = 0; i < 5; ++i) keys_[static_cast<size_t>(i)] = AddButton(kTagButtonName + i, keyCaptions[i]);
    ascending_ = AddButton(kTagButtonAscending, L"昇順(&U)");
    descending_ = AddButton(kTagButtonDescending, L"降順(&D)");
    cancel_ = AddButton(kTagButtonCancel, L"ｷｬﾝｾﾙ(&C)");
    const wchar_t* checkCaptions[3] = {L"explorer準拠ソート(&X)", L"SJISソート(quibFM)(&A)", L"Unicodeソート(&U)"};
    for (int i = 0; i < 3; ++i)
        checks_[static_cast<size_t>(i)] = AddControl(ComponentKind::CheckBox, kTagCheckExplorer + i, L"BUTTON",
                                                     checkCaptions[i], WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX);
    SetChecked(checks_[0], browse_.BoolSortExplorer);
    SetChecked(checks_[1], browse_.BoolSortSJIS);
    SetChecked(checks_[2], browse_.BoolSortUnicode);
    EnableWindow(ascending_, FALSE);
    EnableWindow(descending_, FALSE);
}

void TFormSort::FormShow() { SetFocus(keys_[0]); }

void TFormSort::FormResize(int w, int h) {
    if (!cancel_) return;
    w = Unscale(w);
    h = Unscale(h);
    Place(title_, 0, 12, w, 22);
    // The key buttons in a column at the left, the order buttons beside
    // them, the switches below.
    const int left = 30, column = 200, height = 28;
    for (int i = 0; i < 5; ++i) Place(keys_[static_cast<size_t>(i)], left, 42 + i * 34, column, height);
    const int right = left + column + 24;
    const int orderWidth = std::max(100, w - right - 30);
    Place(ascending_, right, 42, orderWidth, height);
    Place(descending_, right, 76, orderWidth, height);
    Place(cancel_, right, 42 + 4 * 34, orderWidth, height);
    const int checksTop = 42 + 5 * 34 + 6;
    for (int i = 0; i < 3; ++i)
        Place(checks_[static_cast<size_t>(i)], left, checksTop + i * 26, std::max(100, w - 2 * left), 24);
    (void)h;
}

void TFormSort::KeyButtonClick(int mode) {
    mode_ = mode;
    for (HWND b : keys_) EnableWindow(b, FALSE);
    EnableWindow(ascending_, TRUE);
    EnableWindow(descending_, TRUE);
    SetFocus(ascending_);
}

void TFormSort::OrderButtonClick(bool descending) {
    browse_.StrRetFormSortExplorer = Checked(checks_[0]) ? L"1" : L"0";
    browse_.StrRetFormSortQuibFM = Checked(checks_[1]) ? L"1" : L"0";
    browse_.StrRetFormSortUnicode = Checked(checks_[2]) ? L"1" : L"0";
    browse_.StrRetFormSortOrder = descending ? L"1" : L"0";
    browse_.StrRetFormSortMode = std::to_wstring(mode_);
    SetModalResult(mrOK);
}

void TFormSort::ControlCommand(HWND control, int id, int code) {
    if (code != BN_CLICKED) return;
    if (id >= kTagButtonName && id <= kTagButtonNone) {
        KeyButtonClick(kModes[id - kTagButtonName]);
        return;
    }
    if (id >= kTagCheckExplorer && id <= kTagCheckUnicode) {
        // At most one of the three name orders.
        if (Checked(control))
            for (HWND other : checks_)
                if (other != control) SetChecked(other, false);
        return;
    }
    switch (id) {
        case kTagButtonAscending: OrderButtonClick(false); break;
        case kTagButtonDescending: OrderButtonClick(true); break;
        case kTagButtonCancel: SetModalResult(mrCancel); break;
        default: break;
    }
}

}  // namespace quib
