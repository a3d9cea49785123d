#pragma once
// What every window of the program repeats: creation with the application
// window as owner, placement from the settings file, minimum tracking size,
// key preview, Esc, input-method closing, modal show, and the translation of
// window messages into the form's events. Exceptions never leave a window
// procedure: they reach the application's top-level handler.
#include <windows.h>

#include <string>

#include "util/IniFile.h"

namespace quib {

enum ModalResult { mrNone = 0, mrOK = 1, mrCancel = 2 };

struct FormPlacement {
    int FormPosLeft = 0, FormPosTop = 0, FormPosWidth = 0, FormPosHeight = 0;
    int FormPosRight = 0, FormPosButtom = 0;
    std::wstring StrFormState = L"NORMAL";
};

// Whether a saved rectangle lies on the virtual screen (9 pixels of tolerance
// at the top and left).
bool PlacementOnScreen(const RECT& saved, const RECT& virtualScreen);
RECT VirtualScreenRect();

class TFormBase {
public:
    // formName is the settings section ("FormMain"); the default size is used
    // when nothing is saved; minimum is the minimum tracking size.
    TFormBase(std::wstring formName, SIZE defaultSize, SIZE minimumSize);
    virtual ~TFormBase();
    TFormBase(const TFormBase&) = delete;
    TFormBase& operator=(const TFormBase&) = delete;

    static TFormBase* FromHandle(HWND hwnd);

    // Creates the (hidden) window; FormCreate runs inside.
    bool Create();
    HWND Handle() const { return handle_; }
    const std::wstring& FormName() const { return formName_; }

    // First display runs FormShow once, then shows the window.
    void Show();
    // Shows the form modally: every other window of the application is disabled
    // until ModalResult is set; returns it. The window is destroyed afterwards.
    int ShowModal();
    void SetModalResult(int result) { modalResult_ = result; }
    int GetModalResult() const { return modalResult_; }
    void Close();
    bool Visible() const;

    // Key preview: called from the message loop for every key message of this
    // form's windows before the focused control sees it. True = handled.
    virtual bool PreviewKey(MSG& msg);

    void SetCaption(const std::wstring& text);
    std::wstring Caption() const;

protected:
    virtual void FormCreate() {}
    virtual void FormShow() {}
    virtual void FormResize(int /*clientWidth*/, int /*clientHeight*/) {}
    // Return false to refuse closing.
    virtual bool FormCloseQuery() { return true; }
    virtual void FormClose() {}
    virtual void FormDestroy() {}
    // A key reached the form through key preview. True = handled.
    virtual bool FormKeyDown(WPARAM /*key*/, bool /*shift*/, bool /*ctrl*/, bool /*alt*/) { return false; }
    virtual void MenuCommand(int /*id*/) {}
    virtual void ControlCommand(HWND /*control*/, int /*id*/, int /*code*/) {}
    virtual LRESULT Notify(NMHDR* /*hdr*/) { return 0; }
    // Messages the events above do not cover. Return true when handled.
    virtual bool HandleMessage(UINT /*msg*/, WPARAM /*wp*/, LPARAM /*lp*/, LRESULT& /*result*/) { return false; }
    // Dialogs close with Esc (no modifiers); the main window decides itself.
    virtual bool EscCloses() const { return true; }
    virtual DWORD WindowStyle() const { return WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN; }
    virtual DWORD WindowExStyle() const { return WS_EX_CONTROLPARENT; }

    // Placement convention.
    void ReadPlacement(const IniFile& ini);
    void ApplyPlacement();
    void WritePlacement(const IniFile& ini) const;
    const FormPlacement& Placement() const { return placement_; }

    void CloseIme();
    HFONT DefaultFont() const { return font_; }
    HINSTANCE Instance() const;
    IniFile Settings() const { return IniFile(ProgramIniPath()); }

    HWND handle_ = nullptr;

private:
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);

    std::wstring formName_;
    SIZE defaultSize_;
    SIZE minimumSize_;
    FormPlacement placement_;
    bool shown_ = false;
    bool inModal_ = false;
    int modalResult_ = mrNone;
    HFONT font_ = nullptr;
};

}  // namespace quib
