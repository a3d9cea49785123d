#pragma once
// The one routine through which every message the user sees is shown, so that
// the program's texts can be checked by tests in both languages.
#include <windows.h>

#include <functional>
#include <string>

namespace quib {

// Interface language of the whole program (the main window's BoolJapanese).
bool UiJapanese();
void SetUiJapanese(bool japanese);

enum class MsgButtons { Ok, YesNo };
enum class MsgStyle { Information, Error, Question };

struct MsgRecord {
    std::wstring text;
    MsgButtons buttons = MsgButtons::Ok;
    MsgStyle style = MsgStyle::Information;
    HWND owner = nullptr;  // the window the box belongs to
};

// Shows a modal box centred on the screen. Returns IDOK, IDYES or IDNO.
int ShowMsg(HWND owner, const std::wstring& text, MsgButtons buttons = MsgButtons::Ok,
            MsgStyle style = MsgStyle::Information);

// Chooses the Japanese or the English text by the interface language.
int ShowMsgJE(HWND owner, const std::wstring& japanese, const std::wstring& english,
              MsgButtons buttons = MsgButtons::Ok, MsgStyle style = MsgStyle::Information);

// Called with each box the moment it is activated (the theme gives it the
// look of the program's windows); null for none.
void SetMsgBoxActivateHook(void (*hook)(HWND box));

// Tests replace the box: the interceptor receives the message and returns the
// answer the user would have given. An empty function restores the real box.
using MsgInterceptor = std::function<int(const MsgRecord&)>;
void SetMsgInterceptor(MsgInterceptor interceptor);

}  // namespace quib
