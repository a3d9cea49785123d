#pragma once
// What every window of the program repeats: creation with the application
// window as owner, placement from the settings file, minimum tracking size,
// key preview, Esc, input-method closing, modal show, and the translation of
// window messages into the form's events. Exceptions never leave a window
// procedure: they reach the application's top-level handler.
#include <windows.h>

#include <string>
#include <vector>

#include "util/IniFile.h"

namespace quib {

enum ModalResult { mrNone = 0, mrOK = 1, mrCancel = 2 };

// The kinds of component a language file addresses by Tag.
enum class ComponentKind { MenuItem, Label, Button, Panel, TabSheet, GroupBox, ListBox, RadioGroup, CheckBox, ComboBox, Edit };

struct Component {
    ComponentKind kind;
    int tag;
    HWND hwnd;             // null for menu items (found by command id = tag in the form's menu)
    bool parentFont = true;  // takes the window's font when the language changes it
    // Tab sheets: the tab control and the page index; radio groups: their buttons.
    HWND tabControl = nullptr;
    int tabIndex = -1;
    std::vector<HWND> radioButtons;
};

// Modifier bits of a shortcut: Shift 1, Alt 2, Ctrl 4.
enum : BYTE { kModShift = 1, kModAlt = 2, kModCtrl = 4 };

struct ShortCut {
    WORD key = 0;   // virtual-key code, 0 = none
    BYTE mods = 0;
};

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

    // Components in creation order, for the language files (found by Tag,
    // first match wins).
    void RegisterComponent(const Component& component);
    const std::vector<Component>& Components() const { return components_; }
    HMENU MenuHandle() const { return menu_; }

    // Menu shortcuts: the key map gives each menu item (by Tag) one key. The
    // menu shows its key after a tab; a key of a disabled item does nothing;
    // with two items on one key the first in menu order wins.
    void SetShortCut(int tag, ShortCut shortCut);
    ShortCut GetShortCut(int tag) const;
    void ClearShortCuts();
    // Runs the command bound to the key, if any enabled item has it. True when run.
    bool ExecuteShortCut(WORD key, BYTE mods);
    bool MenuItemEnabled(int tag) const;
    // Caption of a menu item without its shortcut text.
    std::wstring MenuItemCaption(int tag) const;
    void SetMenuItemCaption(int tag, const std::wstring& caption);

    // Language: the font the language file asks for, given to every component
    // that takes the window's font.
    virtual void SetFormFont(const std::wstring& name, int pointSize);

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

    // The window's menu bar (set by forms that have one).
    void SetMenuHandle(HMENU menu) { menu_ = menu; }
    // Every menu item's Tag in menu order (the order shortcuts are resolved in).
    std::vector<int> MenuTagsInOrder() const;

    HWND handle_ = nullptr;

private:
    struct MenuShortCut {
        int tag;
        ShortCut key;
    };
    std::vector<Component> components_;
    std::vector<MenuShortCut> shortCuts_;
    HMENU menu_ = nullptr;
    HFONT languageFont_ = nullptr;

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
