#include "viewers/text/FormTextSettings.h"

#include <commctrl.h>

#include <cwchar>
#include <iterator>

#include "util/Controls.h"
#include "util/Message.h"
#include "viewers/text/FormJump.h"
#include "viewers/text/TextRules.h"

namespace quib {
namespace {

// A dialog without system menu or sizing buttons in its caption.
FormDescription Dialog(const wchar_t* section, SIZE size, const wchar_t* languageFile) {
    FormDescription d = FormDescription::Window(section, size, size);
    d.languageFile = languageFile;
    d.style = WS_CAPTION | WS_THICKFRAME | WS_CLIPCHILDREN;
    return d;
}

enum : int { kTagOK = 2901, kTagCancel = 2902 };

}  // namespace

bool FieldNumber(HWND owner, HWND field, int& value) {
    const std::wstring text = GetText(field);
    wchar_t* end = nullptr;
    const long v = text.empty() ? 0 : std::wcstol(text.c_str(), &end, 10);
    if (text.empty() || !end || *end != 0) {
        ShowMsgJE(owner, L"Error : '" + text + L"' は整数ではありません", L"Error : '" + text + L"' is not a valid integer value.\r\n[OK]",
                  MsgButtons::Ok, MsgStyle::Error);
        SetFocus(field);
        return false;
    }
    value = static_cast<int>(v);
    return true;
}

// ---------------------------------------------------------------- symbol positions

namespace {
struct KigouField {
    const wchar_t* label;
    const wchar_t* key;
    int def;
    const wchar_t* hint;
};
const KigouField kKigou[] = {{L"改行(&L)", L"ShiftRet", 15, L"[15]"},
                             {L"終端(&E)", L"ShiftEof", 12, L"[12]"},
                             {L"タブ(&T)", L"ShiftTab", 8, L"[ 8]"},
                             {L"全角空白(&D)", L"ShiftDbcs", 13, L"[13]"}};
static_assert(std::size(kKigou) == 4, "one number field per mark");
}  // namespace

TFormKigouSetting::TFormKigouSetting(std::wstring section)
    : TFormBase(Dialog(L"FormKigouSetting", SIZE{330, 250}, L"KigouSetting.txt")), section_(std::move(section)) {}

void TFormKigouSetting::FormCreate() {
    SetCaption(L"記号表示位置設定");
    const IniFile ini = Settings();
    int tag = 2001;
    for (const auto& f : kKigou) {
        labels_.push_back(AddControl(ComponentKind::Label, tag++, L"STATIC", f.label, WS_VISIBLE));
        HWND field = AddControl(ComponentKind::Other, 0, L"EDIT", std::to_wstring(ini.ReadInteger(section_, f.key, f.def)),
                                WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
        decEdits_[fields_.size()].Attach(field, DecimalSigned);
        fields_.push_back(field);
        hints_.push_back(AddControl(ComponentKind::Other, 0, L"STATIC", f.hint, WS_VISIBLE));
    }
    ok_ = AddButton(kTagOK, L"OK(&O)", 0, true);
    cancel_ = AddButton(kTagCancel, L"ｷｬﾝｾﾙ(&C)");
}

void TFormKigouSetting::FormResize(int w, int h) {
    if (!ok_) return;
    for (size_t i = 0; i < fields_.size(); ++i) {
        const int y = Scale(12 + 34 * static_cast<int>(i));
        MoveWindow(labels_[i], Scale(12), y + Scale(3), Scale(150), Scale(20), TRUE);
        MoveWindow(fields_[i], Scale(166), y, Scale(80), Scale(24), TRUE);
        MoveWindow(hints_[i], Scale(254), y + Scale(3), Scale(50), Scale(20), TRUE);
    }
    MoveWindow(ok_, w - Scale(220), h - Scale(40), Scale(100), Scale(28), TRUE);
    MoveWindow(cancel_, w - Scale(110), h - Scale(40), Scale(100), Scale(28), TRUE);
}

void TFormKigouSetting::ButtonOKClick() {
    int values[4];
    for (size_t i = 0; i < 4; ++i)
        if (!FieldNumber(handle_, fields_[i], values[i])) return;
    const IniFile ini = Settings();
    for (size_t i = 0; i < 4; ++i) ini.WriteInteger(section_, kKigou[i].key, values[i]);
    SetModalResult(mrOK);
}

void TFormKigouSetting::ControlCommand(HWND control, int, int code) {
    if (code != BN_CLICKED) return;
    if (control == ok_) ButtonOKClick();
    if (control == cancel_) SetModalResult(mrCancel);
}

// ---------------------------------------------------------------- line numbers

TFormLineSetting::TFormLineSetting() : TFormBase(Dialog(L"FormLineSetting", SIZE{330, 220}, L"LineSetting.txt")) {}

void TFormLineSetting::FormCreate() {
    SetCaption(L"行番号表示設定");
    label_ = AddControl(ComponentKind::Label, 2001, L"STATIC", L"表示幅(&W)", WS_VISIBLE);
    width_ = AddControl(ComponentKind::Other, 0, L"EDIT", std::to_wstring(Settings().ReadInteger(L"Editor", L"LineWidth", 80)),
                        WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
    decWidth_.Attach(width_, DecimalUnSigned);
    hint_ = AddControl(ComponentKind::Other, 0, L"STATIC", L"[80]", WS_VISIBLE);
    group_ = AddControl(ComponentKind::Other, 0, L"BUTTON", L"番号表示(&L)", WS_VISIBLE | BS_GROUPBOX);
    radios_.push_back(AddControl(ComponentKind::Other, 0, L"BUTTON", L"先頭は空白で埋める",
                                 WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON));
    radios_.push_back(AddControl(ComponentKind::Other, 0, L"BUTTON", L"先頭はゼロで埋める", WS_VISIBLE | BS_AUTORADIOBUTTON));
    Component group{ComponentKind::RadioGroup, 5001, group_};
    group.radioButtons = radios_;
    RegisterComponent(group);
    ok_ = AddButton(kTagOK, L"OK(&O)", 0, true);
    cancel_ = AddButton(kTagCancel, L"ｷｬﾝｾﾙ(&C)");
    ReadLineZero();
}

void TFormLineSetting::ReadLineZero() {
    const int zero = Settings().ReadInteger(L"Editor", L"LineZero", 1);
    for (int i = 0; i < 2; ++i)
        SendMessageW(radios_[static_cast<size_t>(i)], BM_SETCHECK, (zero != 0) == (i == 1) ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TFormLineSetting::FormShow() {
    ReadLineZero();
    SetFocus(width_);
}

void TFormLineSetting::LanguageApplied() { ReadLineZero(); }

void TFormLineSetting::FormResize(int w, int h) {
    if (!ok_) return;
    MoveWindow(label_, Scale(12), Scale(15), Scale(100), Scale(20), TRUE);
    MoveWindow(width_, Scale(116), Scale(12), Scale(90), Scale(24), TRUE);
    MoveWindow(hint_, Scale(214), Scale(15), Scale(60), Scale(20), TRUE);
    MoveWindow(group_, Scale(12), Scale(46), w - Scale(24), Scale(80), TRUE);
    MoveWindow(radios_[0], Scale(24), Scale(70), w - Scale(48), Scale(22), TRUE);
    MoveWindow(radios_[1], Scale(24), Scale(96), w - Scale(48), Scale(22), TRUE);
    MoveWindow(ok_, w - Scale(220), h - Scale(40), Scale(100), Scale(28), TRUE);
    MoveWindow(cancel_, w - Scale(110), h - Scale(40), Scale(100), Scale(28), TRUE);
}

void TFormLineSetting::ButtonOKClick() {
    int width = 0;
    if (!FieldNumber(handle_, width_, width)) return;
    Settings().WriteInteger(L"Editor", L"LineWidth", width);
    Settings().WriteInteger(L"Editor", L"LineZero", SendMessageW(radios_[1], BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
    SetModalResult(mrOK);
}

void TFormLineSetting::ControlCommand(HWND control, int, int code) {
    if (code != BN_CLICKED) return;
    if (control == ok_) ButtonOKClick();
    if (control == cancel_) SetModalResult(mrCancel);
}

// ---------------------------------------------------------------- scroll steps

namespace {
struct PageList {
    const wchar_t* label;
    const wchar_t* key;
    int def;
};
const PageList kPage[] = {{L"ページ＋＋＋(&P)", L"ScrollPlusPlusPlusIndex", 16},
                          {L"ページ＋＋(&Q)", L"ScrollPlusPlusIndex", 16},
                          {L"ページ＋(&R)", L"ScrollPlusIndex", 2}};
}  // namespace

TFormPageSetting::TFormPageSetting() : TFormBase(Dialog(L"FormPageSetting", SIZE{400, 170}, L"PageSetting.txt")) {}

void TFormPageSetting::FormCreate() {
    SetCaption(L"カーソル移動設定");
    const IniFile ini = Settings();
    int tag = 2001;
    for (const auto& p : kPage) {
        labels_.push_back(AddControl(ComponentKind::Label, tag++, L"STATIC", p.label, WS_VISIBLE));
        HWND list = AddControl(ComponentKind::Other, 0, L"COMBOBOX", L"", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST);
        SendMessageW(list, CB_SETMINVISIBLE, 20, 0);
        for (int n = 1; n <= 100; ++n)
            SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_wstring(n).c_str()));
        SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(ini.ReadInteger(L"Editor", p.key, p.def)), 0);
        lists_.push_back(list);
    }
    ok_ = AddButton(kTagOK, L"OK(&O)", 0, true);
    cancel_ = AddButton(kTagCancel, L"ｷｬﾝｾﾙ(&C)");
}

void TFormPageSetting::FormShow() {
    SetFocus(cancel_);
    // Once the dialog stands, the first list has the focus.
    After(10, [this] { SetFocus(lists_[0]); });
}

void TFormPageSetting::FormResize(int w, int h) {
    if (!ok_) return;
    for (size_t i = 0; i < lists_.size(); ++i) {
        const int x = Scale(12) + static_cast<int>(i) * (w - Scale(24)) / 3;
        MoveWindow(labels_[i], x, Scale(12), (w - Scale(36)) / 3, Scale(20), TRUE);
        MoveWindow(lists_[i], x, Scale(36), (w - Scale(48)) / 3, Scale(400), TRUE);
    }
    MoveWindow(ok_, w - Scale(220), h - Scale(40), Scale(100), Scale(28), TRUE);
    MoveWindow(cancel_, w - Scale(110), h - Scale(40), Scale(100), Scale(28), TRUE);
}

void TFormPageSetting::ButtonOKClick() {
    const IniFile ini = Settings();
    for (size_t i = 0; i < lists_.size(); ++i)
        ini.WriteInteger(L"Editor", kPage[i].key, static_cast<int>(SendMessageW(lists_[i], CB_GETCURSEL, 0, 0)));
    SetModalResult(mrOK);
}

void TFormPageSetting::ControlCommand(HWND control, int, int code) {
    if (code != BN_CLICKED) return;
    if (control == ok_) ButtonOKClick();
    if (control == cancel_) SetModalResult(mrCancel);
}

}  // namespace quib
