#include "viewers/text/FormFind.h"

#include <commctrl.h>

#include <algorithm>

#include "keymap/KeyMapApply.h"
#include "util/Controls.h"
#include "util/IniFile.h"
#include "util/Message.h"
#include "util/TextFile.h"
#include "viewers/text/FormText.h"
#include "viewers/text/TextRules.h"

namespace quib {
namespace {

constexpr CommandHandler H(void (TFormFind::*member)()) { return Handler(member); }
enum : int {
    kTagGroup = 2101, kTagMatchCase = 6001, kTagWholeWord = 6002, kTagRegExp = 6003, kTagIncludeCrLf = 6004,
    kTagCheckBox1 = 6005, kTagPrev = 2111, kTagNext = 2112, kTagCancel = 2113, kTagForm = 2999,
};
// Menu items: bar 0 while the combo box does not have the focus, bar 1 while it has.
enum : int {
    kClose1 = 1011, kNext1 = 1111, kPrev1 = 1112, kCopy1 = 1113, kCut1 = 1114, kPaste1 = 1115,
    kClose2 = 1021, kNext2 = 1121, kPrev2 = 1122, kCopy2 = 1123, kCut2 = 1124, kPaste2 = 1125,
};

std::wstring HistoryPath() { return ProgramFolder() + L"\\quibFMarchive-Find.txt"; }

bool Checked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void Check(HWND box, bool on) { SendMessageW(box, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

}  // namespace

const CommandTable& FindCommandTable() {
    static const CommandTable table = {
        {{L"ファイル", L"ファイル(&F)", 1010}, {L"検索", L"検索(&S)", 1110},
         {L"ファイル2", L"ファイル(&F)", 1020, false, 1}, {L"検索2", L"検索(&S)", 1120, false, 1}},
        {
            {kClose1, L"ファイル", L"MenuClose", L"終了(&Q && &X)", L"", kCommandPlain, H(&TFormFind::MenuCloseClick)},
            {kNext1, L"検索", L"MenuNext", L"次を検索(&N) ", L"", kCommandPlain, H(&TFormFind::MenuNextClick)},
            {kPrev1, L"検索", L"MenuPrev", L"前を検索(&P)", L"", kCommandPlain, H(&TFormFind::MenuPrevClick)},
            {kCopy1, L"検索", L"MenuCopy", L"コピー(&C)", L"Ctrl+C", kCommandSeparatorBefore, H(&TFormFind::MenuCopyClick)},
            {kCut1, L"検索", L"MenuCut", L"切り取り(&X)", L"Ctrl+X", kCommandPlain, H(&TFormFind::MenuCutClick)},
            {kPaste1, L"検索", L"MenuPaste", L"貼り付け(&P)", L"Ctrl+P", kCommandPlain, H(&TFormFind::MenuPasteClick)},
            {kClose2, L"ファイル2", L"MenuClose2", L"終了(&Q && &X)", L"", kCommandPlain, H(&TFormFind::MenuCloseClick)},
            {kNext2, L"検索2", L"MenuNext2", L"次を検索(&N) ", L"", kCommandPlain, H(&TFormFind::ButtonNextClick)},
            {kPrev2, L"検索2", L"MenuPrev2", L"前を検索(&P)", L"", kCommandPlain, H(&TFormFind::ButtonPrevClick)},
            {kCopy2, L"検索2", L"MenuCopy2", L"コピー(&C)", L"Ctrl+C", kCommandSeparatorBefore, H(&TFormFind::MenuCopyClick)},
            {kCut2, L"検索2", L"MenuCut2", L"切り取り(&X)", L"Ctrl+X", kCommandPlain, H(&TFormFind::MenuCutClick)},
            {kPaste2, L"検索2", L"MenuPaste2", L"貼り付け(&V)", L"Ctrl+V", kCommandPlain, H(&TFormFind::MenuPasteClick)},
        }};
    return table;
}

TFormFind::TFormFind(TFormText& viewer) : TFormBase([] {
    FormDescription d = FormDescription::Window(L"FormFind", SIZE{540, 240}, SIZE{540, 240});
    d.languageFile = L"Find.txt";
    d.commands = &FindCommandTable();
    d.exStyle = WS_EX_CONTROLPARENT | WS_EX_TOPMOST;
    return d;
}()), viewer_(viewer) {}

void TFormFind::FormCreate() {
    SetCaption(L"検索");
    combo_ = AddControl(ComponentKind::Other, 0, L"COMBOBOX", L"",
                        WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, 100);
    SendMessageW(combo_, CB_SETMINVISIBLE, 16, 0);
    group_ = AddControl(ComponentKind::GroupBox, kTagGroup, L"BUTTON", L"オプション", WS_VISIBLE | BS_GROUPBOX);
    const DWORD box = WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
    matchCase_ = AddControl(ComponentKind::CheckBox, kTagMatchCase, L"BUTTON", L"大文字と小文字を区別する(&U)", box);
    wholeWord_ = AddControl(ComponentKind::CheckBox, kTagWholeWord, L"BUTTON", L"単語のみ検索する(&W)", box);
    regExp_ = AddControl(ComponentKind::CheckBox, kTagRegExp, L"BUTTON", L"正規表現検索(&E)", box);
    includeCrLf_ = AddControl(ComponentKind::CheckBox, kTagIncludeCrLf, L"BUTTON", L"改行・スペースを無視(&L)", box);
    autoClose_ = AddControl(ComponentKind::CheckBox, kTagCheckBox1, L"BUTTON", L"検索完了で閉じる(&R)", box);
    prev_ = AddButton(kTagPrev, L"前を検索(&P)");
    next_ = AddButton(kTagNext, L"次を検索(&N)", 0, true);
    cancel_ = AddButton(kTagCancel, L"閉じる(&C)");
}

void TFormFind::ReadState() {
    const IniFile ini = Settings();
    // These three take part in every search but are not offered here.
    for (HWND h : {wholeWord_, regExp_, includeCrLf_}) ShowWindow(h, SW_HIDE);
    Check(matchCase_, ini.ReadBool(L"Options", L"MatchCase", false));
    Check(wholeWord_, ini.ReadBool(L"Options", L"WholeWord", false));
    Check(regExp_, ini.ReadBool(L"Options", L"RegExp", false));
    Check(includeCrLf_, ini.ReadBool(L"Options", L"IncludeCRLF", false));
    Check(autoClose_, ini.ReadBool(L"Options", L"AutoClose", false));
    std::vector<std::wstring> lines;
    ReadUtf16Lines(HistoryPath(), lines);
    SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
    for (const auto& l : lines) SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(l.c_str()));
    SetText(combo_, ini.ReadString(L"Options", L"SearchWord", L""));
}

void TFormFind::FormShow() {
    ReadState();
    ApplyViewerKeys();
    SetFocus(combo_);
}

void TFormFind::Open() {
    if (Handle() && Visible()) {
        ReadState();
    } else if (Handle()) {
        ReadState();
        ReadPlacement(Settings());
        ApplyPlacement();
    }
    Show();
    SetFocus(combo_);
    SendMessageW(combo_, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

// The viewer's close, forward and backward keys; in the bar shown while the
// combo box has the focus, none that typing would need.
void TFormFind::ApplyViewerKeys() {
    KeyMapTable map;
    LoadKeyMapFile(KeyMapFilePath(KeyMapWindow::Text), map);
    const std::pair<const wchar_t*, std::pair<int, int>> kKeys[] = {
        {L"1031", {kClose1, kClose2}}, {L"1102", {kNext1, kNext2}}, {L"1103", {kPrev1, kPrev2}}};
    for (const auto& [number, tags] : kKeys) {
        const KeyCode key = KeyOfFunction(map, number);
        SetShortCut(tags.first, key);
        const bool typing = (key.mods & ~kKeyShift) == 0 &&
                            ((key.key >= '0' && key.key <= '9') || (key.key >= 'A' && key.key <= 'Z') ||
                             (key.key >= 186 && key.key <= 192) || (key.key >= 219 && key.key <= 222) || key.key == 226);
        SetShortCut(tags.second, typing ? KeyCode{} : key);
    }
}

void TFormFind::FormResize(int w, int h) {
    if (!cancel_) return;
    const int buttonWidth = Scale(110), right = w - Scale(8) - buttonWidth;
    MoveWindow(combo_, Scale(8), Scale(8), right - Scale(16), Scale(300), TRUE);
    MoveWindow(group_, Scale(8), Scale(40), right - Scale(16), Scale(100), TRUE);
    MoveWindow(matchCase_, Scale(20), Scale(62), right - Scale(40), Scale(22), TRUE);
    MoveWindow(wholeWord_, Scale(20), Scale(86), right - Scale(40), Scale(22), TRUE);
    MoveWindow(regExp_, Scale(20), Scale(110), right - Scale(40), Scale(22), TRUE);
    MoveWindow(includeCrLf_, Scale(20), Scale(134), right - Scale(40), Scale(22), TRUE);
    MoveWindow(autoClose_, Scale(8), std::max(Scale(146), h - Scale(30)), right - Scale(16), Scale(22), TRUE);
    MoveWindow(next_, right, Scale(8), buttonWidth, Scale(28), TRUE);
    MoveWindow(prev_, right, Scale(42), buttonWidth, Scale(28), TRUE);
    MoveWindow(cancel_, right, Scale(76), buttonWidth, Scale(28), TRUE);
}

std::vector<std::wstring> TFormFind::History() const {
    std::vector<std::wstring> items;
    const int count = static_cast<int>(SendMessageW(combo_, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const int n = static_cast<int>(SendMessageW(combo_, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0));
        std::wstring item(static_cast<size_t>(std::max(0, n)) + 1, L'\0');
        SendMessageW(combo_, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()));
        item.resize(static_cast<size_t>(std::max(0, n)));
        items.push_back(item);
    }
    return items;
}

void TFormFind::Search(bool forward) {
    const std::wstring word = GetText(combo_);
    if (word.empty()) {
        ShowMsgJE(handle_, L"Information : 検索語が設定されていません", L"Information : Search word is empty.\r\n[OK]");
        return;
    }
    std::vector<std::wstring> history = History();
    AddToHistory(history, word);
    SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
    for (const auto& l : history) SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(l.c_str()));
    SetText(combo_, word);
    const IniFile ini = Settings();
    ini.WriteBool(L"Options", L"MatchCase", Checked(matchCase_));
    ini.WriteBool(L"Options", L"WholeWord", Checked(wholeWord_));
    ini.WriteBool(L"Options", L"RegExp", Checked(regExp_));
    ini.WriteBool(L"Options", L"IncludeCRLF", Checked(includeCrLf_));
    ini.WriteInteger(L"Options", L"Direction", forward ? 1 : 0);
    ini.WriteString(L"Options", L"SearchWord", word);
    ini.WriteBool(L"Options", L"AutoClose", Checked(autoClose_));
    WriteUtf16Lines(HistoryPath(), history);
    viewer_.StrSearchValue = word;
    if (viewer_.SearchText(forward)) {
        if (Checked(autoClose_)) {
            Close();
            return;
        }
        SetForegroundWindow(handle_);
        After(300, [this] {
            if (Visible()) SetForegroundWindow(handle_);
        });
    } else {
        SetForegroundWindow(handle_);
    }
}

void TFormFind::ButtonNextClick() { Search(true); }
void TFormFind::ButtonPrevClick() { Search(false); }

void TFormFind::MenuCloseClick() { Close(); }
void TFormFind::MenuNextClick() {
    if (GetText(combo_).empty()) {
        ShowMsgJE(handle_, L"Information : 検索語が設定されていません", L"Information : Search word is empty.\r\n[OK]");
        return;
    }
    SetFocus(next_);
    Search(true);
}
void TFormFind::MenuPrevClick() {
    if (GetText(combo_).empty()) {
        ShowMsgJE(handle_, L"Information : 検索語が設定されていません", L"Information : Search word is empty.\r\n[OK]");
        return;
    }
    SetFocus(prev_);
    Search(false);
}

void TFormFind::MenuCopyClick() {
    if (HWND edit = FindWindowExW(combo_, nullptr, L"EDIT", nullptr)) SendMessageW(edit, WM_COPY, 0, 0);
}
void TFormFind::MenuCutClick() {
    if (HWND edit = FindWindowExW(combo_, nullptr, L"EDIT", nullptr)) SendMessageW(edit, WM_CUT, 0, 0);
}
void TFormFind::MenuPasteClick() {
    if (HWND edit = FindWindowExW(combo_, nullptr, L"EDIT", nullptr)) SendMessageW(edit, WM_PASTE, 0, 0);
}

bool TFormFind::FormCloseQuery() {
    // The dialog stays for the next search: closing hides it.
    WritePlacement(Settings());
    CloseIme();
    ShowWindow(handle_, SW_HIDE);
    if (IsWindowVisible(viewer_.Handle())) {
        viewer_.SetMenuBarPublic(0);
        SetForegroundWindow(viewer_.Handle());
        SetFocus(viewer_.Memo1());
    }
    return false;
}

bool TFormFind::FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) {
    HWND focus = GetFocus();
    const bool inCombo = focus && (focus == combo_ || GetParent(focus) == combo_);
    if (inCombo && key == VK_RETURN && !shift && !ctrl && !alt) {
        if (GetText(combo_).empty()) {
            ShowMsgJE(handle_, L"Information : 検索語が設定されていません",
                      L"Information : Search word is empty.\r\n[OK]");
            return true;
        }
        SetFocus(next_);
        Search(true);
        return true;
    }
    return false;
}

void TFormFind::ControlCommand(HWND control, int /*id*/, int code) {
    if (control == combo_) {
        if (code == CBN_SETFOCUS) SetMenuBar(1);
        if (code == CBN_KILLFOCUS) SetMenuBar(0);
        return;
    }
    if (code != BN_CLICKED) return;
    if (control == next_) ButtonNextClick();
    if (control == prev_) ButtonPrevClick();
    if (control == cancel_) Close();
}

bool TFormFind::HandleMessage(UINT msg, WPARAM wp, LPARAM /*lp*/, LRESULT& /*result*/) {
    // While the dialog is active the viewer shows its stand-in menu.
    if (msg == WM_ACTIVATE && LOWORD(wp) != WA_INACTIVE && IsWindowVisible(viewer_.Handle()))
        viewer_.SetMenuBarPublic(2);
    return false;
}

}  // namespace quib
