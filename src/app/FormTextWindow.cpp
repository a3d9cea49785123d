#include "app/FormTextWindow.h"

#include "keymap/KeyMapApply.h"
#include "util/Controls.h"
#include "util/StrConv.h"

namespace quib {
namespace {
constexpr int kMemo1 = 100;
const wchar_t kPopUpCategory[] = L"PopUp";
}  // namespace

FormMenu TFormTextWindow::PopUpMenu() { return FormMenu{kPopUpCategory, L"PopUp", kTagPopUpMenu, true}; }

FormCommand TFormTextWindow::PopUpCopyCommand() {
    return FormCommand{kTagPopUpCopy, kPopUpCategory, L"PopUpCopy", L"コピー(&C)", L"Ctrl+C", kCommandPlain,
                       Handler(&TFormTextWindow::PopUpCopyClick)};
}

TFormTextWindow::TFormTextWindow(FormDescription description) : TFormBase(std::move(description)) {}

TFormTextWindow::~TFormTextWindow() = default;

void TFormTextWindow::FormCreate() {
    // Read-only and without ES_WANTRETURN: Enter is not taken as text.
    memo1_ = AddControl(ComponentKind::Other, 0, L"EDIT", L"",
                        WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY |
                            ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL,
                        WS_EX_CLIENTEDGE, kMemo1);
    SendMessageW(memo1_, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
    SendMessageW(memo1_, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&TabStops));
    AttachPopupMenu(memo1_, kTagPopUpMenu);
}

void TFormTextWindow::FormResize(int clientWidth, int clientHeight) {
    if (memo1_) MoveWindow(memo1_, 0, 0, clientWidth, clientHeight, TRUE);
}

void TFormTextWindow::TakeMainCloseKey(int tag) {
    StrListKeyMap.clear();
    const std::wstring mainKeyMap = KeyMapFilePath(KeyMapWindow::Main);
    if (KeyMapFileExists(mainKeyMap)) ReadKeyMapFile(mainKeyMap, StrListKeyMap);
    if (!StrListKeyMap.empty()) SetShortCut(tag, KeyOfFunction(StrListKeyMap, L"1041"));
}

void TFormTextWindow::LanguageApplied() {
    // The tab stop is in dialog units of the font the language file gave.
    SendMessageW(memo1_, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&TabStops));
    SetMenuItemCaption(kTagPopUpCopy, BoolJapanese ? L"コピー(&C)" : L"Copy(&C)");
}

std::wstring TFormTextWindow::MemoText() const { return GetText(memo1_); }

void TFormTextWindow::SetMemoText(const std::wstring& text) { SetWindowTextW(memo1_, text.c_str()); }

void TFormTextWindow::SetMemoLines(const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) text += L"\r\n";
        text += lines[i];
    }
    SetMemoText(text);
}

void TFormTextWindow::PopUpCopyClick() {
    DWORD start = 0, end = 0;
    SendMessageW(memo1_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (end > start) SendMessageW(memo1_, WM_COPY, 0, 0);
}

}  // namespace quib
