#pragma once
// What the folder-dialog window tests share: a program folder with the
// language files, finding an open form by its caption, typing into a field
// and showing a form modally while a step drives it.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <utility>

#include "FormTestSupport.h"
#include "TestSupport.h"
#include "app/FormBase.h"
#include "util/IniFile.h"
#include "util/Message.h"

namespace quibtest {

// A program folder with the language files, in the language asked for.
struct Program {
    TestProgramFolder folder;
    explicit Program(bool japanese) {
        CopyTree(BinDir() + L"\\Language", quib::ProgramFolder() + L"\\Language");
        quib::SetUiJapanese(japanese);
    }
    ~Program() { quib::SetUiJapanese(true); }
};

// The form whose window has this caption, when it is open.
template <class Form>
Form* Open(const std::wstring& caption) {
    HWND w = FindThreadWindow(caption);
    return w ? dynamic_cast<Form*>(quib::TFormBase::FromHandle(w)) : nullptr;
}

// Text typed into a field: the field's text selected, then one character
// after another as the keyboard gives them.
inline void Type(HWND field, const std::wstring& text) {
    SetFocus(field);
    SendMessageW(field, EM_SETSEL, 0, -1);
    for (wchar_t c : text) SendMessageW(field, WM_CHAR, c, 1);
    Pump();
}

// Shows the form modally while the step drives it; the modal result. The
// folder windows list whole drives, so the step may wait long under load.
template <class Form, class... Args>
int RunModal(const std::wstring& caption, const std::function<void(Form&)>& step, Args&&... args) {
    bool ran = false;
    DuringModal driver([&] {
        Form* f = Open<Form>(caption);
        if (!f) return false;
        step(*f);
        ran = true;
        return true;
    }, 60000);
    quib::FormInstance<Form> form(std::forward<Args>(args)...);
    const int result = form.ShowModal();
    EXPECT_TRUE(ran) << "the window never showed";
    return result;
}

}  // namespace quibtest
