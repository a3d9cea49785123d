#pragma once
// The application object: the hidden window that owns every form, the message
// loop with key preview, and the top-level handler for errors that end an
// operation.
#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace quib {

class TFormBase;

class TApplication {
public:
    static TApplication& Instance();

    // Registers window classes and creates the hidden owner window.
    bool Initialize(HINSTANCE instance);
    HINSTANCE InstanceHandle() const { return instance_; }
    HWND Handle() const { return handle_; }

    // The developer flag ([Developer] Enabled): the language keys of the
    // dialogs. One flag for the whole program, set by the main window.
    bool Developer() const { return developer_; }
    void SetDeveloper(bool on) { developer_ = on; }

    // The main form: closing it ends the message loop.
    void SetMainForm(TFormBase* form) { mainForm_ = form; }
    TFormBase* MainForm() const { return mainForm_; }

    // Runs until the main form is destroyed (or Terminate).
    int Run();
    void Terminate() { terminated_ = true; PostQuitMessage(0); }
    bool Terminated() const { return terminated_; }

    // Lets pending messages run (other events may run in between).
    void ProcessMessages();
    // One message taken and dispatched; false when the queue was empty.
    bool HandleOneMessage();

    // Shows the message of an error that ended an operation; the program goes on.
    void HandleException(const std::exception& e);
    void HandleUnknownException();

    // The program's arguments (without the program name); tests set their own.
    std::vector<std::wstring> Arguments() const;
    void SetArgumentsForTests(std::vector<std::wstring> args) {
        argsOverride_ = std::move(args);
        argsOverridden_ = true;
    }

    // Every message of the application passes here first (drop messages sent
    // to the owner window are handed to the main form).
    void SetAppMessageHook(std::function<bool(MSG&)> hook) { appMessageHook_ = std::move(hook); }

private:
    TApplication() = default;
    bool PreTranslate(MSG& msg);
    // Key preview, then the window procedure; errors reach the top-level handler.
    void Dispatch(MSG& msg);
    static LRESULT CALLBACK OwnerProc(HWND, UINT, WPARAM, LPARAM);

    HINSTANCE instance_ = nullptr;
    HWND handle_ = nullptr;
    TFormBase* mainForm_ = nullptr;
    bool terminated_ = false;
    bool developer_ = false;
    std::function<bool(MSG&)> appMessageHook_;
    std::vector<std::wstring> argsOverride_;
    bool argsOverridden_ = false;
};

inline TApplication& Application() { return TApplication::Instance(); }

// The visual style of the whole run, from [VclStyle] Text of the settings
// file: "Carbon", "Charcoal Dark Slate" and "Windows10 Dark" give every
// window (and the message boxes) the dark look with the list colour of
// [FListView] ColorCarbon, ColorCharcoal or ColorDark; anything else the
// system look. Called before the main window is created.
void ApplyVclStyleSetting();

}  // namespace quib
