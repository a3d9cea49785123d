#include "extract/FormRename.h"

#include <algorithm>

#include "extract/FolderDialogParts.h"
#include "util/Controls.h"
#include "util/Message.h"

namespace quib {
namespace {

enum ControlId : int { kOldField = 100, kNewField, kPathField, kNameList };

FormDescription RenameDescription() {
    FormDescription d = FormDescription::Window(L"FormRename", SIZE{770, 500}, SIZE{770, 500});
    d.languageFile = L"Rename.txt";
    return d;
}

// A folder's name is handed over with a final "\"; the fields show it without.
std::wstring ShownName(const std::wstring& name) {
    return !name.empty() && name.back() == L'\\' ? name.substr(0, name.size() - 1) : name;
}

}  // namespace

TFormRename::TFormRename(BrowseDialogFields& browse) : TFormBase(RenameDescription()), browse_(browse) {}

HWND TFormRename::Button(int tag) const {
    switch (tag) {
        case kTagButtonOK: return ok_;
        case kTagButtonCancel: return cancel_;
        case kTagButtonSkip: return skip_;
        default: return nullptr;
    }
}

void TFormRename::FormCreate() {
    SetCaption(L"名前変更");
    const DWORD label = WS_VISIBLE;
    const DWORD readOnly = WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY;
    labelOld_ = AddControl(ComponentKind::Label, kTagLabelOld, L"STATIC", L"変更前の名前(&L)", label);
    old_ = AddControl(ComponentKind::Other, 0, L"EDIT", L"", readOnly, WS_EX_CLIENTEDGE, kOldField);
    labelArrow_ = AddControl(ComponentKind::Label, kTagLabelArrow, L"STATIC", L"↓", label | SS_CENTER);
    labelNew_ = AddControl(ComponentKind::Label, kTagLabelNew, L"STATIC", L"変更後の名前(&N)", label);
    new_ = AddControl(ComponentKind::Other, 0, L"EDIT", L"", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                      WS_EX_CLIENTEDGE, kNewField);
    labelHint_ = AddControl(ComponentKind::Label, kTagLabelHint, L"STATIC", kInvalidNameHint, label | SS_NOPREFIX);
    labelPath_ = AddControl(ComponentKind::Label, kTagLabelPath, L"STATIC", L"パス名(&P)", label);
    path_ = AddControl(ComponentKind::Other, 0, L"EDIT", L"", readOnly, WS_EX_CLIENTEDGE, kPathField);
    // Shown, never used: it tells how many names are left. Owner-drawn so
    // that the current name stands out although the list is disabled.
    list_ = AddControl(ComponentKind::Other, 0, L"LISTBOX", L"",
                       WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                           LBS_NOINTEGRALHEIGHT,
                       WS_EX_CLIENTEDGE, kNameList);
    RegisterComponent({ComponentKind::ListBox, 0, list_});
    EnableWindow(list_, FALSE);
    SendMessageW(list_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(Scale(1390)), 0);
    // Without a Tag no language line reaches the fields; they still take the language's font.
    RegisterComponent({ComponentKind::Edit, 0, old_});
    RegisterComponent({ComponentKind::Edit, 0, new_});
    RegisterComponent({ComponentKind::Edit, 0, path_});
    ok_ = AddButton(kTagButtonOK, L"変更(&O)", 0, true);
    cancel_ = AddButton(kTagButtonCancel, L"ｷｬﾝｾﾙ(&C)");
    skip_ = AddButton(kTagButtonSkip, L"ｽｷｯﾌﾟ(&S)");
    for (const auto& name : browse_.StrListRenameSrc)
        SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SetListBoxRowHeight(list_, Scale(16));
    if (browse_.StrListRenameSrc.size() <= 1) ShowWindow(skip_, SW_HIDE);
    SetText(path_, ExtractFilePath(browse_.StrSetFormRename));
    ShowName(0);
}

void TFormRename::LanguageApplied() { SetListBoxRowHeight(list_, Scale(16)); }

void TFormRename::FormShow() {
    SetFocus(new_);
    SendMessageW(new_, EM_SETSEL, 0, -1);
}

void TFormRename::FormResize(int w, int h) {
    if (!ok_) return;
    w = Unscale(w);
    h = Unscale(h);
    const int fieldWidth = std::max(60, w - 60);
    Place(labelOld_, 30, 8, fieldWidth, 22);
    Place(old_, 30, 32, fieldWidth, 24);
    Place(labelArrow_, 30, 58, fieldWidth, 22);
    Place(labelNew_, 30, 80, fieldWidth, 22);
    Place(new_, 30, 104, fieldWidth, 24);
    Place(labelHint_, 30, 130, fieldWidth, 22);
    Place(labelPath_, 30, 154, fieldWidth, 22);
    Place(path_, 30, 178, fieldWidth, 24);
    const int buttonsTop = std::max(300, h - 40);
    Place(list_, 30, 210, fieldWidth, std::max(40, buttonsTop - 10 - 210));
    Place(skip_, 30, buttonsTop, 120, 30);
    Place(cancel_, w - 30 - 120, buttonsTop, 120, 30);
    Place(ok_, w - 30 - 2 * 120 - 10, buttonsTop, 120, 30);
}

void TFormRename::ShowName(int row) {
    current_ = row;
    const auto& names = browse_.StrListRenameSrc;
    if (row < 0 || static_cast<size_t>(row) >= names.size()) return;
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    const std::wstring shown = ShownName(names[static_cast<size_t>(row)]);
    SetText(old_, shown);
    SetText(new_, shown);
    if (GetFocus() == new_) SendMessageW(new_, EM_SETSEL, 0, -1);
}

bool TFormRename::AtLastName() const {
    return static_cast<size_t>(current_) + 1 >= browse_.StrListRenameSrc.size();
}

bool TFormRename::RenameCurrent() {
    const RenameResult r = RenameFileFolder(GetText(path_), GetText(old_), GetText(new_));
    if (r.outcome != RenameOutcome::InvalidCharacter) SetText(new_, r.newName);
    if (r.outcome != RenameOutcome::Renamed) {
        const MessageTexts m = RenameMessage(r.outcome);
        ShowMsgJE(handle_, m.japanese, m.english, MsgButtons::Ok, m.error ? MsgStyle::Error : MsgStyle::Information);
        return false;
    }
    browse_.StrRetFormRename = r.newName;
    return true;
}

void TFormRename::ButtonOKClick() {
    if (browse_.StrListRenameSrc.empty()) return;
    if (!RenameCurrent()) return;
    if (AtLastName())
        SetModalResult(mrOK);
    else
        ButtonSkipClick();
}

void TFormRename::ButtonSkipClick() {
    if (AtLastName()) {
        SetModalResult(mrOK);
        return;
    }
    ShowName(current_ + 1);
    SetFocus(new_);
    SendMessageW(new_, EM_SETSEL, 0, -1);
}

void TFormRename::ControlCommand(HWND, int id, int code) {
    if (code != BN_CLICKED) return;
    switch (id) {
        case kTagButtonOK: ButtonOKClick(); break;
        case kTagButtonSkip: ButtonSkipClick(); break;
        case kTagButtonCancel: SetModalResult(mrCancel); break;
        default: break;
    }
}

bool TFormRename::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_DRAWITEM) {
        const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (!dis || dis->hwndItem != list_) return false;
        DrawListBoxRow(*dis);
        result = TRUE;
        return true;
    }
    return BlueFieldColor(handle_, msg, wp, lp, {old_, path_}, result);
}

}  // namespace quib
