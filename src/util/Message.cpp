#include "util/Message.h"

namespace quib {
namespace {

bool g_japanese = true;
MsgInterceptor g_interceptor;
HHOOK g_centreHook = nullptr;
void (*g_activateHook)(HWND) = nullptr;

// MessageBoxW places its box over the owner; the program's boxes stand in the
// middle of the screen instead, moved there the moment the box is activated.
LRESULT CALLBACK CentreBoxHook(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wp);
        RECT rc{};
        GetWindowRect(box, &rc);
        HMONITOR mon = MonitorFromWindow(box, MONITOR_DEFAULTTOPRIMARY);
        MONITORINFO mi{sizeof(mi)};
        GetMonitorInfoW(mon, &mi);
        const int w = rc.right - rc.left, h = rc.bottom - rc.top;
        const int x = mi.rcWork.left + ((mi.rcWork.right - mi.rcWork.left) - w) / 2;
        const int y = mi.rcWork.top + ((mi.rcWork.bottom - mi.rcWork.top) - h) / 2;
        SetWindowPos(box, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (g_activateHook) g_activateHook(box);
        UnhookWindowsHookEx(g_centreHook);
        g_centreHook = nullptr;
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

}  // namespace

bool UiJapanese() { return g_japanese; }
void SetUiJapanese(bool japanese) { g_japanese = japanese; }

void SetMsgBoxActivateHook(void (*hook)(HWND)) { g_activateHook = hook; }

void SetMsgInterceptor(MsgInterceptor interceptor) { g_interceptor = std::move(interceptor); }

int ShowMsg(HWND owner, const std::wstring& text, MsgButtons buttons, MsgStyle style) {
    // The box belongs to the window the user is working in: a disabled owner
    // (the main window under a modal dialog) or none gives way to the active one.
    if (!owner || !IsWindowEnabled(owner)) {
        if (HWND active = GetActiveWindow(); active && IsWindowEnabled(active)) owner = active;
    }
    if (g_interceptor) return g_interceptor(MsgRecord{text, buttons, style, owner});
    UINT type = MB_TASKMODAL | MB_SETFOREGROUND;
    type |= buttons == MsgButtons::YesNo ? MB_YESNO : MB_OK;
    switch (style) {
        case MsgStyle::Information: type |= MB_ICONINFORMATION; break;
        case MsgStyle::Error: type |= MB_ICONERROR; break;
        case MsgStyle::Question: type |= MB_ICONQUESTION; break;
    }
    g_centreHook = SetWindowsHookExW(WH_CBT, CentreBoxHook, nullptr, GetCurrentThreadId());
    const int answer = MessageBoxW(owner, text.c_str(), L"quibFMarchive", type);
    if (g_centreHook) {
        UnhookWindowsHookEx(g_centreHook);
        g_centreHook = nullptr;
    }
    return answer;
}

int ShowMsgJE(HWND owner, const std::wstring& japanese, const std::wstring& english, MsgButtons buttons,
              MsgStyle style) {
    return ShowMsg(owner, g_japanese ? japanese : english, buttons, style);
}

}  // namespace quib
