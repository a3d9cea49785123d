#include "app/Application.h"

#include <commctrl.h>
#include <shellapi.h>

#include "app/FormBase.h"
#include "util/Errors.h"
#include "util/Message.h"
#include "util/ColorText.h"
#include "util/IniFile.h"
#include "util/StrConv.h"
#include "util/Theme.h"

namespace quib {

TApplication& TApplication::Instance() {
    static TApplication app;
    return app;
}

LRESULT CALLBACK TApplication::OwnerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcW(hwnd, msg, wp, lp);
}

bool TApplication::Initialize(HINSTANCE instance) {
    if (handle_) return true;
    instance_ = instance;
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES |
                                              ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSEXW wc{sizeof(wc)};
    wc.lpfnWndProc = OwnerProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"quibFMarchiveApplication";
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    RegisterClassExW(&wc);
    handle_ = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"quibFMarchive", WS_POPUP, 0, 0, 0, 0,
                              nullptr, nullptr, instance, nullptr);
    return handle_ != nullptr;
}

bool TApplication::PreTranslate(MSG& msg) {
    if (appMessageHook_ && appMessageHook_(msg)) return true;
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST && msg.hwnd) {
        // Key preview: the form sees the key before its focused control; the
        // dialog keyboard comes after the form's own keys and its key map.
        HWND root = GetAncestor(msg.hwnd, GA_ROOT);
        if (TFormBase* form = TFormBase::FromHandle(root)) {
            if (form->PreviewKey(msg)) return true;
            if (form->DialogKeyboard(msg)) return true;
        }
    }
    return false;
}

bool TApplication::HandleOneMessage() {
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    Dispatch(msg);
    return true;
}

void TApplication::Dispatch(MSG& msg) {
    try {
        if (!PreTranslate(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    } catch (const std::exception& e) {
        HandleException(e);
    } catch (...) {
        HandleUnknownException();
    }
}

void TApplication::ProcessMessages() {
    while (!terminated_ && HandleOneMessage()) {
    }
}

int TApplication::Run() {
    MSG msg;
    while (!terminated_) {
        const BOOL r = GetMessageW(&msg, nullptr, 0, 0);
        if (r == 0 || r == -1) break;
        Dispatch(msg);
    }
    terminated_ = true;
    return 0;
}

std::vector<std::wstring> TApplication::Arguments() const {
    if (argsOverridden_) return argsOverride_;
    std::vector<std::wstring> args;
    int argc = 0;
    if (LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc)) {
        for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
        LocalFree(argv);
    }
    return args;
}

void TApplication::HandleException(const std::exception& e) {
    std::wstring text;
    if (const auto* userError = dynamic_cast<const UserVisibleError*>(&e)) {
        text = userError->WideMessage();
    } else {
        text = AnsiToWide(e.what(), CP_UTF8);
    }
    ShowMsg(mainForm_ ? mainForm_->Handle() : nullptr, text, MsgButtons::Ok, MsgStyle::Error);
}

void TApplication::HandleUnknownException() {
    ShowMsgJE(mainForm_ ? mainForm_->Handle() : nullptr, L"Error : 予期しないエラーが発生しました",
              L"Error : Unexpected error.\r\n[OK]", MsgButtons::Ok, MsgStyle::Error);
}

void ApplyVclStyleSetting() {
    const IniFile ini(ProgramIniPath());
    const VisualStyle style = VisualStyleFromName(ini.ReadString(L"VclStyle", L"Text", L"Windows"));
    COLORREF base = 0;
    switch (style) {
        case VisualStyle::Carbon:
            base = ColorTextToColor(ini.ReadString(L"FListView", L"ColorCarbon", L"$191919"), 0x191919);
            break;
        case VisualStyle::CharcoalDarkSlate:
            base = ColorTextToColor(ini.ReadString(L"FListView", L"ColorCharcoal", L"$232323"), 0x232323);
            break;
        case VisualStyle::Windows10Dark:
            base = ColorTextToColor(ini.ReadString(L"FListView", L"ColorDark", L"$000000"), 0x000000);
            break;
        case VisualStyle::System:
            break;
    }
    SetApplicationStyle(style, base);
    SetMsgBoxActivateHook(style == VisualStyle::System ? nullptr : ThemeMessageBox);
}

}  // namespace quib
