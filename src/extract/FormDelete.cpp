#include "extract/FormDelete.h"
#include "settings/SettingKeys.h"

#include <algorithm>

#include "util/Controls.h"

namespace quib {
namespace {

enum ControlId : int { kFileList = 100, kArchiveList, kZipDll };

constexpr int kHorizontalExtent = 1390;
// One row and the horizontal scroll bar under it.
constexpr int kArchiveListHeight = 44;

FormDescription DeleteDescription() {
    FormDescription d = FormDescription::Window(L"FormDelete", SIZE{770, 540}, SIZE{770, 540});
    d.languageFile = L"Delete.txt";
    return d;
}

bool Checked(HWND h) { return SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void SetChecked(HWND h, bool on) { SendMessageW(h, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

}  // namespace

TFormDelete::TFormDelete(DeleteDialogInput input) : TFormBase(DeleteDescription()), input_(std::move(input)) {}

HWND TFormDelete::Control(int tag) const {
    switch (tag) {
        case kTagButtonOK: return ok_;
        case kTagButtonCancel: return cancel_;
        case kTagTimeStamp: return timeStamp_;
        case kTagAttribute: return attribute_;
        default: return nullptr;
    }
}

void TFormDelete::FormCreate() {
    SetCaption(L"ファイル削除");
    const DWORD listStyle = WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY |
                            LBS_NOINTEGRALHEIGHT;
    labelFiles_ = AddControl(ComponentKind::Label, kTagLabelFiles, L"STATIC", L"ファイル名(&N)", WS_VISIBLE);
    fileList_ = AddControl(ComponentKind::Other, 0, L"LISTBOX", L"", listStyle, 0, kFileList);
    labelArchive_ = AddControl(ComponentKind::Label, kTagLabelArchive, L"STATIC", L"パス名(&F)", WS_VISIBLE);
    archiveList_ = AddControl(ComponentKind::Other, 0, L"LISTBOX", L"", listStyle, 0, kArchiveList);
    labelZipDll_ = AddControl(ComponentKind::Label, kTagLabelZipDll, L"STATIC", L"削除用ZipDLL選択(&V)", WS_VISIBLE);
    zipDll_ = AddControl(ComponentKind::Other, 0, L"COMBOBOX", L"",
                         WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, kZipDll);
    timeStamp_ = AddControl(ComponentKind::CheckBox, kTagTimeStamp, L"BUTTON", L"タイムスタンプを保持(&T)",
                            WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX);
    attribute_ = AddControl(ComponentKind::CheckBox, kTagAttribute, L"BUTTON", L"ファイル属性を保持(&A)",
                            WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX);
    ok_ = AddButton(kTagButtonOK, L"削除(&Y)", 0, true);
    cancel_ = AddButton(kTagButtonCancel, L"ｷｬﾝｾﾙ(&C)");

    for (HWND list : {fileList_, archiveList_}) SendMessageW(list, LB_SETHORIZONTALEXTENT, kHorizontalExtent, 0);
    for (const wchar_t* item : {L"ZIP.DLL", L"LMZIP32.DLL", L"7-ZIP32.DLL"})
        SendMessageW(zipDll_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));

    const IniFile ini = Settings();
    SetChecked(timeStamp_, ReadKeyBool(ini, key::ArchiveTimeStampKeep));
    SetChecked(attribute_, ReadKeyBool(ini, key::ArchiveAttributeKeep));
    // A choice outside the three items shows none; it stays what it is
    // unless the user picks one.
    const int zip = ReadKeyInt(ini, key::DeleteZipDllIndex);
    SendMessageW(zipDll_, CB_SETCURSEL, static_cast<WPARAM>(zip >= 0 && zip <= 2 ? zip : -1), 0);

    for (const auto& line : input_.fileLines)
        SendMessageW(fileList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    if (!input_.fileLines.empty()) SendMessageW(fileList_, LB_SETCURSEL, 0, 0);
    SendMessageW(archiveList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(input_.archivePath.c_str()));
}

void TFormDelete::FormShow() { SetFocus(ok_); }

void TFormDelete::FormResize(int w, int h) {
    if (!ok_) return;
    w = Unscale(w);
    h = Unscale(h);
    const int listWidth = std::max(60, w - 60);
    const int fixed = 10 + 22 + 8 + 22 + kArchiveListHeight + 8 + 30 + 8 + 26 + 26 + 12 + 30 + 12;
    const int fileHeight = std::max(60, h - fixed);
    int y = 10;
    Place(labelFiles_, 30, y, listWidth, 22);
    y += 22;
    Place(fileList_, 30, y, listWidth, fileHeight);
    y += fileHeight + 8;
    Place(labelArchive_, 30, y, listWidth, 22);
    y += 22;
    Place(archiveList_, 30, y, listWidth, kArchiveListHeight);
    y += kArchiveListHeight + 8;
    Place(labelZipDll_, 30, y + 4, 220, 22);
    Place(zipDll_, 254, y, 200, 200);
    y += 30 + 8;
    Place(timeStamp_, 30, y, listWidth, 24);
    y += 26;
    Place(attribute_, 30, y, listWidth, 24);
    const int top = std::max(y + 36, h - 42);
    Place(cancel_, w - 30 - 120, top, 120, 30);
    Place(ok_, w - 30 - 2 * 120 - 10, top, 120, 30);
}

bool TFormDelete::KeepTimeStamp() const { return Checked(timeStamp_); }
bool TFormDelete::KeepAttribute() const { return Checked(attribute_); }

void TFormDelete::ButtonOKClick() { SetModalResult(mrOK); }
void TFormDelete::ButtonCancelClick() { SetModalResult(mrCancel); }

void TFormDelete::ControlCommand(HWND, int id, int code) {
    if (code != BN_CLICKED) return;
    if (id == kTagButtonOK) ButtonOKClick();
    if (id == kTagButtonCancel) ButtonCancelClick();
}

void TFormDelete::FormClose() { CloseIme(); }

void TFormDelete::FormDestroy() {
    const IniFile ini = Settings();
    WriteKeyBool(ini, key::ArchiveTimeStampKeep, KeepTimeStamp());
    WriteKeyBool(ini, key::ArchiveAttributeKeep, KeepAttribute());
    const auto zip = static_cast<int>(SendMessageW(zipDll_, CB_GETCURSEL, 0, 0));
    if (zip >= 0) WriteKeyInt(ini, key::DeleteZipDllIndex, zip);
}

}  // namespace quib
