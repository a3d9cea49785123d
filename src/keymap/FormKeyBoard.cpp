#include "keymap/FormKeyBoard.h"

#include <commctrl.h>

#include <algorithm>

#include "keymap/FormKeyMap.h"
#include "keymap/KeyMapRegistry.h"
#include "keymap/KeyMapView.h"
#include "util/Controls.h"
#include "util/Message.h"

namespace quib {
namespace {

enum ControlId : int {
    kListView1 = 100,
    kComboCategory,
    kComboShift,
    kComboCtrl,
    kComboAlt,
    kComboKey,
};

// Column widths at 96 DPI: command (takes the rest), current key, function, blank.
constexpr int kWidthKey = 295;
constexpr int kWidthFunction = 100;
constexpr int kWidthBlank = 10;

const wchar_t* const kColumnsJpn[] = {L"コマンド", L"現在のキー", L"機能", L""};
const wchar_t* const kColumnsEng[] = {L"Command", L"Current Key", L"Function", L""};
const wchar_t* const kFieldCaptions[] = {L"Shift(&1)", L"Ctrl(&2)", L"Alt(&3)", L"Key(&4)"};
const wchar_t* const kModifierWords[] = {L"Shift", L"Ctrl", L"Alt"};

FormDescription KeyBoardDescription() {
    FormDescription d = FormDescription::Window(L"FormKeyBoard", SIZE{900, 460}, SIZE{900, 460});
    d.languageFile = L"KeyBoard.txt";
    return d;
}

}  // namespace

TFormKeyBoard::TFormKeyBoard() : TFormBase(KeyBoardDescription()) {}

TFormKeyBoard::~TFormKeyBoard() = default;

HWND TFormKeyBoard::Button(int tag) const {
    switch (tag) {
        case kTagButtonOK: return buttonOK_;
        case kTagButtonCancel: return buttonCancel_;
        case kTagButtonDiffToFile: return buttonDiffToFile_;
        case kTagButtonLoadFromFile: return buttonLoadFromFile_;
        case kTagButtonShowAll: return buttonShowAll_;
        case kTagButtonShowDiff: return buttonShowDiff_;
        case kTagButtonInitQuibFM: return buttonInitQuibFM_;
        case kTagButtonInitMemo: return buttonInitMemo_;
        case kTagButtonClear: return buttonClear_;
        default: return nullptr;
    }
}

void TFormKeyBoard::FormCreate() {
    SetCaption(L"キーボード設定");
    const DWORD comboStyle = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
    labelCategory_ = AddControl(ComponentKind::Label, kTagLabelCategory, L"STATIC", L"カテゴリ(&L)", WS_VISIBLE);
    comboCategory_ = AddControl(ComponentKind::Other, 0, L"COMBOBOX", L"", comboStyle, 0, kComboCategory);
    list_.Attach(AddControl(ComponentKind::Other, 0, WC_LISTVIEWW, L"",
                            TMyListView::kStyle | LVS_SHOWSELALWAYS | LVS_SINGLESEL | WS_TABSTOP,
                            TMyListView::kExStyle, kListView1));
    list_.SetKeyFilter(false);
    list_.SetColumns({{kColumnsJpn[0], 405}, {kColumnsJpn[1], kWidthKey}, {kColumnsJpn[2], kWidthFunction},
                      {kColumnsJpn[3], kWidthBlank}});
    list_.SetTextSource([this](int row, int column) -> std::wstring_view {
        if (row < 0 || static_cast<size_t>(row) >= rows_.size()) return {};
        const size_t i = rows_[static_cast<size_t>(row)];
        if (i >= StrListKeyMap.size()) return {};
        const KeyMapLine& line = StrListKeyMap[i];
        switch (column) {
            case 0: return line.caption;
            case 1: return line.keyText;
            case 2: return line.number;
            default: return {};
        }
    });
    labelNewKey_ = AddControl(ComponentKind::Label, kTagLabelNewKey, L"STATIC", L"新キー(&N)", WS_VISIBLE);
    for (int f = 0; f < 4; ++f) {
        labelKey_[f] = AddControl(ComponentKind::Other, 0, L"STATIC", kFieldCaptions[f], WS_VISIBLE);
        comboKey_[f] = AddControl(ComponentKind::Other, 0, L"COMBOBOX", L"", comboStyle, 0, kComboShift + f);
        SendMessageW(comboKey_[f], CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L" "));
        if (f < kFieldKey) {
            SendMessageW(comboKey_[f], CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kModifierWords[f]));
        } else {
            const auto& items = KeyBoardKeyItems();
            for (size_t i = 1; i < items.size(); ++i)
                SendMessageW(comboKey_[f], CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[i].c_str()));
        }
        SendMessageW(comboKey_[f], CB_SETCURSEL, 0, 0);
    }
    buttonClear_ = AddButton(kTagButtonClear, L"ｸﾘｱ(&R)");
    buttonOK_ = AddButton(kTagButtonOK, L"保存(&O)");
    buttonCancel_ = AddButton(kTagButtonCancel, L"閉じる(&C)");
    buttonDiffToFile_ = AddButton(kTagButtonDiffToFile, L"変更分を保存(&S)");
    buttonLoadFromFile_ = AddButton(kTagButtonLoadFromFile, L"変更分を反映(&A)");
    buttonShowAll_ = AddButton(kTagButtonShowAll, L"全てを表示(&P)");
    buttonShowDiff_ = AddButton(kTagButtonShowDiff, L"変更分を表示(&D)");
    buttonInitQuibFM_ = AddButton(kTagButtonInitQuibFM, L"初期化:quibFM(&I)");
    buttonInitMemo_ = AddButton(kTagButtonInitMemo, L"");
}

void TFormKeyBoard::FormShow() {
    ReadKeyMapFromFile();
    SetInitMemoButton();
    SetKeyMapJpnEng();
    SetThisCategory();
    SetCommand();
}

void TFormKeyBoard::LanguageApplied() {
    SetColumnCaptions();
    SetInitMemoButton();
    RECT rc{};
    GetClientRect(handle_, &rc);
    FormResize(rc.right, rc.bottom);
}

void TFormKeyBoard::SetColumnCaptions() {
    const wchar_t* const* captions = BoolJapanese ? kColumnsJpn : kColumnsEng;
    for (int i = 0; i < 4; ++i) list_.SetColumnCaption(i, captions[i]);
}

const KeyMapDescription* TFormKeyBoard::Parent() const {
    const KeyMapWindowInfo* info = KeyMapWindowByParent(StrParentForm);
    return info ? KeyMapDescriptionOf(info->window) : nullptr;
}

KeyMapWindow TFormKeyBoard::ParentWindow() const {
    const KeyMapWindowInfo* info = KeyMapWindowByParent(StrParentForm);
    return info ? info->window : KeyMapWindow::Main;
}

void TFormKeyBoard::SetInitMemoButton() {
    const KeyMapDescription* parent = Parent();
    const bool shown = parent && parent->variant1Japanese;
    if (shown) SetText(buttonInitMemo_, BoolJapanese ? parent->variant1Japanese : parent->variant1English);
    ShowWindow(buttonInitMemo_, shown ? SW_SHOWNA : SW_HIDE);
}

void TFormKeyBoard::FormResize(int clientWidth, int clientHeight) {
    if (!list_.Handle()) return;
    const int w = Unscale(clientWidth), h = Unscale(clientHeight);
    Place(labelCategory_, 20, 12, 110, 22);
    Place(comboCategory_, 130, 8, 260, 300);
    // The list takes the window less the room of the key fields and buttons.
    Place(list_.Handle(), 20, 40, std::max(100, w - 45), std::max(40, h - 145));
    const int fieldsTop = h - 98;
    Place(labelNewKey_, 20, fieldsTop + 24, 100, 22);
    static const int kFieldX[] = {120, 220, 320, 420};
    static const int kFieldWidth[] = {90, 90, 90, 120};
    for (int f = 0; f < 4; ++f) {
        Place(labelKey_[f], kFieldX[f], fieldsTop, kFieldWidth[f], 20);
        Place(comboKey_[f], kFieldX[f], fieldsTop + 20, kFieldWidth[f], 400);
    }
    Place(buttonClear_, 548, fieldsTop + 18, 90, 28);
    Place(buttonCancel_, std::max(680, w - 25 - 110), fieldsTop + 18, 110, 28);
    Place(buttonOK_, std::max(570, w - 25 - 230), fieldsTop + 18, 110, 28);
    // The lower row: each button as wide as its caption needs, at least 120.
    int x = 20;
    for (HWND b : {buttonDiffToFile_, buttonLoadFromFile_, buttonShowAll_, buttonShowDiff_, buttonInitQuibFM_,
                   buttonInitMemo_}) {
        const int width = std::max(120, Unscale(static_cast<int>(TextExtent(b).cx)) + 20);
        Place(b, x, h - 40, width, 28);
        x += width + 6;
    }
    SizeColumns();
}

void TFormKeyBoard::SizeColumns() {
    RECT rc{};
    GetClientRect(list_.Handle(), &rc);
    const int key = Scale(kWidthKey), function = Scale(kWidthFunction), blank = Scale(kWidthBlank);
    ListView_SetColumnWidth(list_.Handle(), 0, std::max(0, static_cast<int>(rc.right) - key - function - blank - Scale(25)));
    ListView_SetColumnWidth(list_.Handle(), 1, key);
    ListView_SetColumnWidth(list_.Handle(), 2, function);
    ListView_SetColumnWidth(list_.Handle(), 3, blank);
}

// ---------------------------------------------------------------- the working copy

void TFormKeyBoard::ReadKeyMapFromFile() {
    StrParentForm = Settings().ReadString(L"FormKeyBoard", L"Parent", L"Main");
    StrListKeyMap.clear();
    if (!KeyMapWindowByParent(StrParentForm)) return;
    const std::wstring path = KeyMapFilePath(ParentWindow());
    if (!KeyMapFileExists(path) || !ReadKeyMapFile(path, StrListKeyMap)) StrListKeyMap.clear();
}

void TFormKeyBoard::SetKeyMapJpnEng() {
    if (!KeyMapWindowByParent(StrParentForm)) return;
    SetKeyMapJpnEngFromFile(StrListKeyMap, KeyMapLanguageFilePath(ParentWindow()), BoolJapanese,
                            KeyBoardCategoryPairs());
}

void TFormKeyBoard::SetThisCategory() {
    SendMessageW(comboCategory_, CB_RESETCONTENT, 0, 0);
    const KeyMapDescription* parent = Parent();
    if (StrListKeyMap.empty() || !parent) return;
    for (const auto& c : KeyBoardCategories(StrListKeyMap, parent->categoryNumbers))
        SendMessageW(comboCategory_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(c.c_str()));
    SendMessageW(comboCategory_, CB_SETCURSEL, 0, 0);
}

std::wstring TFormKeyBoard::ComboText(HWND combo) const {
    const LRESULT i = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (i < 0) return {};
    const LRESULT n = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    if (n < 0) return {};
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(n));
    return text;
}

void TFormKeyBoard::SetCommand() {
    filling_ = true;
    list_.BeginRefill();
    rows_ = SendMessageW(comboCategory_, CB_GETCOUNT, 0, 0) > 0
                ? LinesOfCategory(StrListKeyMap, ComboText(comboCategory_))
                : std::vector<size_t>{};
    list_.EndRefill(static_cast<int>(rows_.size()));
    filling_ = false;
    if (rows_.empty()) return;
    list_.SelectRow(0, false);
    SetFocus(list_.Handle());
    SetPresentKey();
}

int TFormKeyBoard::SelectedRowOrFirst() {
    int row = list_.SelectedRow();
    if (row < 0 || static_cast<size_t>(row) >= rows_.size()) {
        row = 0;
        filling_ = true;
        list_.SelectRow(0, false);
        filling_ = false;
    }
    return row;
}

void TFormKeyBoard::SetPresentKey() {
    if (rows_.empty()) return;
    const int row = SelectedRowOrFirst();
    const KeyFieldsOfText fields = FieldsOfKeyText(StrListKeyMap[rows_[static_cast<size_t>(row)]].keyText);
    SendMessageW(comboKey_[kFieldShift], CB_SETCURSEL, fields.shift ? 1 : 0, 0);
    SendMessageW(comboKey_[kFieldCtrl], CB_SETCURSEL, fields.ctrl ? 1 : 0, 0);
    SendMessageW(comboKey_[kFieldAlt], CB_SETCURSEL, fields.alt ? 1 : 0, 0);
    if (fields.keyItem) SendMessageW(comboKey_[kFieldKey], CB_SETCURSEL, static_cast<WPARAM>(*fields.keyItem), 0);
}

void TFormKeyBoard::ChangePresentKey() {
    if (rows_.empty()) return;
    KeyFields fields;
    fields.shift = ComboText(comboKey_[kFieldShift]) == L"Shift";
    fields.ctrl = ComboText(comboKey_[kFieldCtrl]) == L"Ctrl";
    fields.alt = ComboText(comboKey_[kFieldAlt]) == L"Alt";
    fields.key = ComboText(comboKey_[kFieldKey]);
    const int row = SelectedRowOrFirst();
    KeyMapLine& line = StrListKeyMap[rows_[static_cast<size_t>(row)]];
    const KeyChangeCheck check = CheckKeyChange(StrListKeyMap, line.keyText, fields);
    switch (check.verdict) {
        case KeyChangeVerdict::KeyMissing:
            ShowMsgJE(handle_, L"Information : Shift,Ctrl,Altのキーが設定されていますが、キーが設定されていません",
                      L"Information : Shift,Ctrl,Alt is set, but Key is empty.\r\n[OK]");
            return;
        case KeyChangeVerdict::Same:
            ShowMsgJE(handle_, L"Information : 同一の設定です", L"Information : Same setting is exist.\r\n[OK]");
            return;
        case KeyChangeVerdict::InUse:
            ShowMsgJE(handle_, L"Information : [" + check.category + L"] で既に使用済みですので設定できません",
                      L"Information : This setting can not be set because of [" + check.category +
                          L"] is already exist.\r\n[OK]");
            return;
        case KeyChangeVerdict::Accepted: break;
    }
    line.keyText = check.newText;
    list_.RedrawRow(row);
}

void TFormKeyBoard::PickKeyField(KeyField field, int item) {
    SendMessageW(comboKey_[field], CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    ChangePresentKey();
}

void TFormKeyBoard::PickCategory(int item) {
    SendMessageW(comboCategory_, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    SetCommand();
}

// ---------------------------------------------------------------- buttons

void TFormKeyBoard::ButtonOKClick() {
    if (!KeyMapWindowByParent(StrParentForm)) {
        SetModalResult(mrCancel);
        return;
    }
    const std::wstring path = KeyMapFilePath(ParentWindow());
    if (!WriteKeyMapFile(path, StrListKeyMap)) {
        // The keys stay in the dialog so that nothing the user set is lost.
        ShowMsgJE(handle_, L"Error : ファイルが保存できませんでした\r\n" + path,
                  L"Error : File can not save.\r\n[OK]\r\n" + path, MsgButtons::Ok, MsgStyle::Error);
        return;
    }
    SetModalResult(mrOK);
}

void TFormKeyBoard::ButtonCancelClick() { SetModalResult(mrCancel); }

void TFormKeyBoard::ButtonDiffToFileClick() {
    const KeyMapDescription* parent = Parent();
    if (!parent) return;
    SaveKeyMapDifference(handle_, StrListKeyMap, parent->builtIn(0), KeyDiffFilePath(parent->window));
}

void TFormKeyBoard::ButtonLoadFromFileClick() {
    if (!KeyMapWindowByParent(StrParentForm)) return;
    const KeyMapWindow window = ParentWindow();
    if (!ApplyKeyMapDifference(handle_, StrListKeyMap, KeyDiffFilePath(window), KeyMapFilePath(window))) return;
    BoolSaveToFile = true;
    SetCommand();
}

void TFormKeyBoard::ButtonShowAllClick() {
    Settings().WriteBool(L"ShowKeyMapItem", L"All", true);
    ShowModalForm<TFormKeyMap>();
}

void TFormKeyBoard::ButtonShowDiffClick() {
    Settings().WriteBool(L"ShowKeyMapItem", L"All", false);
    ShowModalForm<TFormKeyMap>();
}

void TFormKeyBoard::ButtonClearClick() {
    for (HWND combo : comboKey_) SendMessageW(combo, CB_SETCURSEL, 0, 0);
    ChangePresentKey();
}

void TFormKeyBoard::InitKeyMapClick(int variant) {
    const KeyMapDescription* parent = Parent();
    if (!parent) return;
    if (ShowMsgJE(handle_, L"Information : 設定を初期化して保存しますか？",
                  L"Information : Initialize and save to file ?\r\n[YES] / [NO]", MsgButtons::YesNo,
                  MsgStyle::Question) != IDYES)
        return;
    BoolSaveToFile = true;
    const std::wstring path = KeyMapFilePath(parent->window);
    if (!WriteKeyMapFile(path, parent->builtIn(variant))) {
        ShowMsgJE(handle_, L"Error : ファイルが保存できませんでした\r\n" + path,
                  L"Error : File can not save.\r\n[OK]\r\n" + path, MsgButtons::Ok, MsgStyle::Error);
    }
    ReloadAfterFileChange();
}

void TFormKeyBoard::ReloadAfterFileChange() {
    ReadKeyMapFromFile();
    SetKeyMapJpnEng();
    SetThisCategory();
    SetCommand();
    SetFocus(comboCategory_);
}

void TFormKeyBoard::SwitchLanguage(bool japanese) {
    TFormBase::SwitchLanguage(japanese);
    SetColumnCaptions();
    ReadKeyMapFromFile();
    SetKeyMapJpnEng();
    SetThisCategory();
    SetCommand();
}

void TFormKeyBoard::ControlCommand(HWND control, int id, int code) {
    if (code == CBN_SELCHANGE) {
        if (control == comboCategory_) SetCommand();
        for (HWND combo : comboKey_)
            if (control == combo) ChangePresentKey();
        return;
    }
    if (code != BN_CLICKED) return;
    switch (id) {
        case kTagButtonOK: ButtonOKClick(); break;
        case kTagButtonCancel: ButtonCancelClick(); break;
        case kTagButtonDiffToFile: ButtonDiffToFileClick(); break;
        case kTagButtonLoadFromFile: ButtonLoadFromFileClick(); break;
        case kTagButtonShowAll: ButtonShowAllClick(); break;
        case kTagButtonShowDiff: ButtonShowDiffClick(); break;
        case kTagButtonInitQuibFM: InitKeyMapClick(0); break;
        case kTagButtonInitMemo: InitKeyMapClick(1); break;
        case kTagButtonClear: ButtonClearClick(); break;
        default: break;
    }
}

LRESULT TFormKeyBoard::Notify(NMHDR* hdr) {
    if (hdr->hwndFrom != list_.Handle() || filling_) return 0;
    if (hdr->code == NM_CLICK) {
        SetPresentKey();
    } else if (hdr->code == LVN_ITEMCHANGED) {
        const auto* change = reinterpret_cast<NMLISTVIEW*>(hdr);
        if ((change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED)) SetPresentKey();
    }
    return 0;
}

}  // namespace quib
