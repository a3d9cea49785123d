#include "extract/FormDrive.h"

#include <algorithm>

namespace quib {
namespace {

enum ControlId : int { kListView1 = 100 };

FormDescription DriveDescription() {
    FormDescription d = FormDescription::Window(L"FormDrive", SIZE{770, 400}, SIZE{770, 400});
    d.languageFile = L"Drive.txt";
    return d;
}

}  // namespace

TFormDrive::TFormDrive(StringList driveTable, std::wstring& result, const BrowseDialogFields* browse)
    : TFormBase(DriveDescription()), StrListDriveInfo(std::move(driveTable)), StrRetFormDrive(result),
      browse_(browse) {
    StrRetFormDrive.clear();
}

HWND TFormDrive::Button(int tag) const {
    return tag == kTagButtonOK ? ok_ : tag == kTagButtonCancel ? cancel_ : nullptr;
}

void TFormDrive::FormCreate() {
    SetCaption(L"ドライブ設定");
    label_ = AddControl(ComponentKind::Label, kTagLabelDrives, L"STATIC", L"利用できるドライブの一覧(&D)", WS_VISIBLE);
    list_.Attach(AddControl(ComponentKind::Other, 0, WC_LISTVIEWW, L"", TMyListView::kStyle | LVS_SHOWSELALWAYS,
                            TMyListView::kExStyle, kListView1));
    list_.SetColumns({{L"\u3000", 30},
                      {L"Root", 60},
                      {L"Volume", 105},
                      {L"Type", 85},
                      {L"Serial", 115},
                      {L"File", 55},
                      {L"Disk", 220},
                      {L"Free", 220},
                      {L"Use", 220}},
                     L"ListViewWidth2");
    list_.ReadColumnWidths(Settings());
    rows_ = DriveRows(StrListDriveInfo);
    list_.SetTextSource([this](int row, int column) -> std::wstring_view {
        if (row < 0 || static_cast<size_t>(row) >= rows_.size() || column < 1 || column > 8) return {};
        return rows_[static_cast<size_t>(row)][static_cast<size_t>(column - 1)];
    });
    list_.SetRowCount(static_cast<int>(rows_.size()));
    if (!rows_.empty()) list_.SelectRow(0, false);
    ok_ = AddButton(kTagButtonOK, L"変更(&O)", 0, true);
    cancel_ = AddButton(kTagButtonCancel, L"ｷｬﾝｾﾙ(&C)");
}

void TFormDrive::FormShow() {
    if (browse_) {
        const int row = DriveRowOfRoot(rows_, browse_->StrFolder.substr(0, 3));
        if (row >= 0) list_.SelectRow(row, false);
    }
    SetFocus(list_.Handle());
}

void TFormDrive::FormResize(int w, int h) {
    if (!ok_) return;
    w = Unscale(w);
    h = Unscale(h);
    Place(label_, 30, 14, std::max(60, w - 60), 22);
    Place(list_.Handle(), 30, 40, std::max(60, w - 60), std::max(40, h - 95));
    Place(cancel_, w - 30 - 120, h - 40, 120, 30);
    Place(ok_, w - 30 - 2 * 120 - 10, h - 40, 120, 30);
}

void TFormDrive::ButtonOKClick() {
    const int row = list_.SelectedRow();
    StrRetFormDrive = row >= 0 && static_cast<size_t>(row) < rows_.size() ? rows_[static_cast<size_t>(row)][0]
                                                                          : std::wstring();
    SetModalResult(mrOK);
}

void TFormDrive::ButtonCancelClick() {
    StrRetFormDrive.clear();
    SetModalResult(mrCancel);
}

bool TFormDrive::FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) {
    if (GetFocus() != list_.Handle() || shift || ctrl || alt) return false;
    if (key == VK_RETURN) {
        ButtonOKClick();
        return true;
    }
    if (key >= 'A' && key <= 'Z') {
        std::wstring root;
        root += static_cast<wchar_t>(key);
        root += L":\\";
        const int row = DriveRowOfRoot(rows_, root);
        if (row >= 0) {
            list_.SelectRow(row, false);
            SetFocus(ok_);
            ButtonOKClick();
        }
        // The letter is taken either way: it must not search the list.
        return true;
    }
    return false;
}

void TFormDrive::ControlCommand(HWND, int id, int code) {
    if (code != BN_CLICKED) return;
    if (id == kTagButtonOK) ButtonOKClick();
    if (id == kTagButtonCancel) ButtonCancelClick();
}

LRESULT TFormDrive::Notify(NMHDR* hdr) {
    if (hdr && hdr->hwndFrom == list_.Handle() && hdr->code == NM_DBLCLK && list_.SelectedRow() >= 0) ButtonOKClick();
    return 0;
}

void TFormDrive::FormDestroy() { list_.WriteColumnWidths(Settings()); }

}  // namespace quib
