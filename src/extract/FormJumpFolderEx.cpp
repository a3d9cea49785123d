#include "extract/FormJumpFolderEx.h"

#include <algorithm>

#include "extract/FolderDialogParts.h"
#include "util/MyUtility.h"
#include "util/Controls.h"
#include "util/IniFile.h"
#include "util/Message.h"

namespace quib {
namespace {

enum ControlId : int { kNameField = 100, kFilerList, kHistoryList };

FormDescription JumpFolderExDescription() {
    FormDescription d = FormDescription::Window(L"FormJumpFolderEx", SIZE{770, 500}, SIZE{770, 500});
    d.languageFile = L"JumpFolderEx.txt";
    return d;
}

int Selected(HWND list) { return static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0)); }

std::wstring ListText(HWND list, int row) {
    const auto len = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
    if (len <= 0) return {};
    std::wstring s(static_cast<size_t>(len) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<size_t>(len));
    return s;
}

}  // namespace

TFormJumpFolderEx::TFormJumpFolderEx(StringList filerCaptions, BrowseDialogFields& browse)
    : TFormBase(JumpFolderExDescription()), StrListWindowName(std::move(filerCaptions)), browse_(browse) {
    browse_.StrRetFormJumpFolderEx.clear();
}

HWND TFormJumpFolderEx::Button(int tag) const {
    return tag == kTagButtonOK ? ok_ : tag == kTagButtonCancel ? cancel_ : nullptr;
}

void TFormJumpFolderEx::FormCreate() {
    SetCaption(L"カレント変更");
    labelName_ = AddControl(ComponentKind::Label, kTagLabelName, L"STATIC", L"フォルダ名またはファイル名(&N)", WS_VISIBLE);
    name_ = AddControl(ComponentKind::Other, 0, L"EDIT", L"", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                       WS_EX_CLIENTEDGE, kNameField);
    labelHint_ = AddControl(ComponentKind::Label, kTagLabelHint, L"STATIC", L"(フォルダ名は最後に \\ を指定して下さい)",
                            WS_VISIBLE | SS_NOPREFIX);
    // Owner-drawn, so that the selected row keeps a colour of its own while
    // the list does not have the focus.
    const DWORD listStyle = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                            LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
    labelFilers_ = AddControl(ComponentKind::Label, kTagLabelFilers, L"STATIC", L"quibFM, PellFM(&F)", WS_VISIBLE);
    filers_ = AddControl(ComponentKind::Other, 0, L"LISTBOX", L"", listStyle, WS_EX_CLIENTEDGE, kFilerList);
    labelHistory_ = AddControl(ComponentKind::Label, kTagLabelHistory, L"STATIC", L"履歴(&H)", WS_VISIBLE);
    history_ = AddControl(ComponentKind::Other, 0, L"LISTBOX", L"", listStyle, WS_EX_CLIENTEDGE, kHistoryList);
    for (HWND list : {filers_, history_}) {
        RegisterComponent({ComponentKind::ListBox, 0, list});
        SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(Scale(1390)), 0);
        SetListBoxRowHeight(list, Scale(16));
    }
    // Without a Tag no language line reaches the fields; they still take the language's font.
    RegisterComponent({ComponentKind::Edit, 0, name_});
    ok_ = AddButton(kTagButtonOK, L"実行(&O)", 0, true);
    cancel_ = AddButton(kTagButtonCancel, L"ｷｬﾝｾﾙ(&C)");

    for (const auto& caption : StrListWindowName)
        SendMessageW(filers_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(caption.c_str()));
    if (!StrListWindowName.empty()) SendMessageW(filers_, LB_SETCURSEL, 0, 0);
    if (auto lines = ReadCurrentHistory(ProgramFolder())) {
        browse_.StrListCurrentHistory = std::move(*lines);
        for (const auto& line : browse_.StrListCurrentHistory)
            SendMessageW(history_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        if (!browse_.StrListCurrentHistory.empty()) SendMessageW(history_, LB_SETCURSEL, 0, 0);
    }
}

void TFormJumpFolderEx::LanguageApplied() {
    for (HWND list : {filers_, history_}) SetListBoxRowHeight(list, Scale(16));
}

void TFormJumpFolderEx::FormShow() { SetFocus(name_); }

void TFormJumpFolderEx::FormResize(int w, int h) {
    if (!ok_) return;
    w = Unscale(w);
    h = Unscale(h);
    const int width = std::max(60, w - 60);
    Place(labelName_, 30, 8, width, 22);
    Place(name_, 30, 32, width, 24);
    Place(labelHint_, 30, 58, width, 22);
    const int buttonsTop = std::max(300, h - 40);
    // The two lists share what the field and the buttons leave.
    const int lists = std::max(80, buttonsTop - 10 - 86 - 2 * 24 - 8);
    const int filerHeight = lists * 2 / 5;
    int y = 86;
    Place(labelFilers_, 30, y, width, 22);
    y += 24;
    Place(filers_, 30, y, width, filerHeight);
    y += filerHeight + 8;
    Place(labelHistory_, 30, y, width, 22);
    y += 24;
    Place(history_, 30, y, width, lists - filerHeight);
    Place(cancel_, w - 30 - 120, buttonsTop, 120, 30);
    Place(ok_, w - 30 - 2 * 120 - 10, buttonsTop, 120, 30);
}

void TFormJumpFolderEx::Message(const wchar_t* japanese, const wchar_t* english) {
    messageShowing_ = true;
    ShowMsgJE(handle_, japanese, english);
    messageShowing_ = false;
}

bool TFormJumpFolderEx::FilerListSelected() {
    if (SendMessageW(filers_, LB_GETCOUNT, 0, 0) <= 0) {
        Message(L"Information : quibFM の内容が設定されていません", L"Information : Items of quibFM is empty.\r\n[OK]");
        return false;
    }
    const int row = Selected(filers_);
    if (row < 0) {
        Message(L"Information : quibFM の内容が選択されていません", L"Information : Items of quibFM is not selected.\r\n[OK]");
        return false;
    }
    if (auto folder = FolderOfFilerCaption(ListText(filers_, row))) SetText(name_, *folder);
    return true;
}

bool TFormJumpFolderEx::HistoryListSelected(bool focusField) {
    if (SendMessageW(history_, LB_GETCOUNT, 0, 0) <= 0) {
        Message(L"Information : 履歴の内容が設定されていません", L"Information : History items is empty.\r\n[OK]");
        return false;
    }
    const int row = Selected(history_);
    if (row < 0) {
        Message(L"Information : 履歴の内容が選択されていません", L"Information : History items is not selected.\r\n[OK]");
        return false;
    }
    SetText(name_, ListText(history_, row));
    if (focusField) SetFocus(name_);
    return true;
}

void TFormJumpFolderEx::ButtonOKClick() {
    const std::wstring typed = GetText(name_);
    if (typed.empty()) {
        Message(L"Information : フォルダ名またはファイル名が設定されていません",
                L"Information : FolderName or FileName is empty.\r\n[OK]");
        return;
    }
    const std::wstring text = NormaliseName(typed);
    SetText(name_, text);
    const std::wstring folder = FolderPartOf(text);
    if (!FolderExists(folder)) {
        messageShowing_ = true;
        ShowMsgJE(handle_, L"Information : フォルダがありません\r\n" + folder,
                  L"Information : Folder is not exist.\r\n[OK]\r\n" + folder);
        messageShowing_ = false;
        return;
    }
    browse_.StrListCurrentHistory = UpdateCurrentHistory(browse_.StrListCurrentHistory, text);
    WriteCurrentHistory(ProgramFolder(), browse_.StrListCurrentHistory);
    browse_.StrRetFormJumpFolderEx = text;
    SetModalResult(mrOK);
}

void TFormJumpFolderEx::ButtonCancelClick() {
    browse_.StrRetFormJumpFolderEx.clear();
    SetModalResult(mrCancel);
}

bool TFormJumpFolderEx::FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) {
    if (key != VK_RETURN || shift || ctrl || alt) return false;
    HWND focus = GetFocus();
    if (focus == filers_) {
        if (FilerListSelected()) ButtonOKClick();
        return true;
    }
    if (focus == history_) {
        if (HistoryListSelected(false)) ButtonOKClick();
        return true;
    }
    return false;
}

void TFormJumpFolderEx::ControlCommand(HWND control, int id, int code) {
    if (control == filers_ || control == history_) {
        const bool entered = code == LBN_SETFOCUS && !messageShowing_;
        if (!entered && code != LBN_SELCHANGE) return;
        if (control == filers_) {
            FilerListSelected();
        } else {
            // A row clicked goes to the field for editing; with the keys the
            // focus stays in the list, so the arrows can go on through it.
            HistoryListSelected(code == LBN_SELCHANGE && GetKeyState(VK_LBUTTON) < 0);
        }
        return;
    }
    if (code != BN_CLICKED) return;
    if (id == kTagButtonOK) ButtonOKClick();
    if (id == kTagButtonCancel) ButtonCancelClick();
}

bool TFormJumpFolderEx::HandleMessage(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
    if (msg != WM_DRAWITEM) return false;
    const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
    if (!dis || (dis->hwndItem != filers_ && dis->hwndItem != history_)) return false;
    DrawListBoxRow(*dis);
    result = TRUE;
    return true;
}

}  // namespace quib
