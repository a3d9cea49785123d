#pragma once
// What every window of the program repeats, written once: creation with the
// application window as owner, placement from the settings file, minimum
// tracking size, key preview and the key map, the dialog keyboard (Tab, Enter,
// mnemonics, arrows), Esc, the developer language keys, the language file,
// input-method closing, modal show with focus given back, one-shot delayed
// actions, the display scale (DPI), and the translation of window messages
// into the form's events.
// Exceptions never leave a window procedure: they reach the application's
// top-level handler.
//
// A window describes itself once (FormDescription) and writes only its
// controls, its command table and its handlers. Forms are instantiated as
// FormInstance<TFormX> (or through ShowModalForm), which guarantees that the
// window is destroyed while the whole object still exists, so FormDestroy
// always runs and writes the window's settings.
#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/FormCommand.h"
#include "keymap/KeyMap.h"
#include "keymap/KeyText.h"
#include "util/IniFile.h"

namespace quib {

enum ModalResult { mrNone = 0, mrOK = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

// The kinds of component a language file addresses by Tag.
enum class ComponentKind { MenuItem, Label, Button, Panel, TabSheet, GroupBox, ListBox, RadioGroup, CheckBox, ComboBox, Edit, Other };

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

struct FormPlacement {
    int FormPosLeft = 0, FormPosTop = 0, FormPosWidth = 0, FormPosHeight = 0;
    int FormPosRight = 0, FormPosButtom = 0;
    std::wstring StrFormState = L"NORMAL";
};

// Whether a saved rectangle lies on the virtual screen (9 pixels of tolerance
// at the top and left).
bool PlacementOnScreen(const RECT& saved, const RECT& virtualScreen);
RECT VirtualScreenRect();

// Everything standing about a window, given once to the base. Sizes are in
// pixels at 96 DPI; the base scales them to the window's DPI. A placement
// saved in the settings file is in the screen's pixels and taken as it is.
struct FormDescription {
    std::wstring section;      // settings section of its placement ("FormLog")
    SIZE defaultSize{0, 0};    // default and fall-back size
    SIZE minimumSize{0, 0};    // minimum tracking size
    std::wstring languageFile; // "Log.txt"; empty: the window has no language file
    const CommandTable* commands = nullptr;  // menus and built-in key table
    std::optional<KeyMapWindow> keyMap;      // the window's own key-map file, if it has one
    // The standard first display: the language file and the key map are put
    // in force before FormShow. A window that needs them at another step of
    // its first display clears this and calls ApplyLanguage / InstallKeyMap.
    bool standardShow = true;
    bool escCloses = true;             // plain Esc closes (cancels)
    bool dialogKeys = true;            // Tab, Enter, mnemonics, arrows between controls
    bool developerLanguageKeys = true; // Ctrl+Shift+J / E when the developer flag is set
    DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    DWORD exStyle = WS_EX_CONTROLPARENT;

    // What every window gives: its section and its two sizes; the rest as
    // above unless the window says otherwise.
    static FormDescription Window(std::wstring section, SIZE defaultSize, SIZE minimumSize) {
        FormDescription d;
        d.section = std::move(section);
        d.defaultSize = defaultSize;
        d.minimumSize = minimumSize;
        return d;
    }
};

class TFormBase {
public:
    explicit TFormBase(FormDescription description);
    virtual ~TFormBase();
    TFormBase(const TFormBase&) = delete;
    TFormBase& operator=(const TFormBase&) = delete;

    static TFormBase* FromHandle(HWND hwnd);

    const FormDescription& Description() const { return desc_; }

    // Creates the (hidden) window; FormCreate runs inside.
    bool Create();
    HWND Handle() const { return handle_; }
    const std::wstring& FormName() const { return desc_.section; }

    // First display: placement, the standard steps, FormShow once; then shows
    // the window.
    void Show();
    // Shows the form modally: every other window of the application is
    // disabled until a modal result closes it (through FormCloseQuery and
    // FormClose, like any close); returns the result. The window is hidden
    // afterwards (it goes with the object) and the window that was active gets
    // the focus back.
    int ShowModal();
    // Ends a modal show with this result (the close can still be refused by
    // FormCloseQuery, which leaves the form open and the result unset).
    void SetModalResult(int result);
    int GetModalResult() const { return modalResult_; }
    bool InModal() const { return inModal_; }
    // Asks the window to close (posted; honoured after a busy handler ends).
    void Close();
    bool Visible() const;

    // Key preview: called from the message loop for every key message of this
    // form's windows before the focused control sees it. True = handled.
    bool PreviewKey(MSG& msg);
    // The dialog keyboard for this message, after key preview (Tab, Enter for
    // the default button, mnemonics, arrows in radio groups). True = handled.
    bool DialogKeyboard(MSG& msg);

    void SetCaption(const std::wstring& text);
    std::wstring Caption() const;

    // Components in creation order, for the language files (found by Tag,
    // first match wins).
    void RegisterComponent(const Component& component);
    const std::vector<Component>& Components() const { return components_; }
    HMENU MenuHandle() const { return menu_; }

    // --- menus and keys
    // Menu shortcuts: the key map gives each menu item (by Tag) one key. The
    // menu shows its key after a tab; a key of a disabled item does nothing;
    // with two items on one key the first in menu order wins.
    void SetShortCut(int tag, KeyCode key);
    KeyCode GetShortCut(int tag) const;
    void ClearShortCuts();
    // Runs the command bound to the key, if any enabled item has it. True when run.
    bool ExecuteShortCut(WORD key, BYTE mods);
    // Runs a command as its menu item would (nothing when the item is disabled).
    void RunCommand(int tag);
    // An item counts as enabled only when it and every menu above it are.
    bool MenuEnabled(int tag) const;
    void SetMenuEnabled(int tag, bool enabled);
    bool MenuChecked(int tag) const;
    void SetMenuChecked(int tag, bool checked);
    // Caption of a menu item without its shortcut text.
    std::wstring MenuItemCaption(int tag) const;
    // A pop-up menu of the command table, by its Tag.
    HMENU PopupMenu(int menuTag) const;
    void SetMenuItemCaption(int tag, const std::wstring& caption);

    // --- key map
    KeyMapTable StrListKeyMapOriginal;  // the built-in key table
    KeyMapTable StrListKeyMap;          // the key-map file's lines in force
    bool BoolKeyMapSame = true;
    // The built-in key table from the command table; captions as the menus
    // show them now (the designed caption for an item without a menu).
    KeyMapTable BuiltInKeyTable() const;
    // Builds the built-in table, checks the key-map file against it (a reset
    // file is told to the user once the window stands), applies it.
    void InstallKeyMap();
    // Reloads the key-map file and gives the menu items its keys.
    void SetShortCutKey();

    // --- language
    bool BoolJapanese = true;
    std::wstring StrLanguageFileName;
    // Applies the window's language file in BoolJapanese's language.
    void ApplyLanguage();
    // Switches this window's language (the developer keys; the main window's
    // menu) and re-applies everything that depends on it.
    virtual void SwitchLanguage(bool japanese);

    // Language: the font the language file asks for, given to every component
    // that takes the window's font.
    virtual void SetFormFont(const std::wstring& name, int pointSize);

    // --- display scale
    // The DPI the window is shown at (96 at 100 %, 192 at 200 %). It changes
    // when the window moves to a monitor of another scale (WM_DPICHANGED):
    // the base then makes the window's fonts again for the new DPI, gives
    // them to every control that had them, lets the controls rescale their
    // own lengths, calls FormDpiChanged, takes the size Windows suggests and
    // lays the window out again.
    UINT Dpi() const { return dpi_; }
    // A length in pixels at 96 DPI, at the window's DPI.
    int Scale(int length96) const;
    SIZE Scale(SIZE size96) const;
    // A length in pixels at the window's DPI, at 96 DPI.
    int Unscale(int pixels) const;
    // Moves a control to a place given in pixels at 96 DPI: a layout written
    // once for 100 % (with the client size taken through Unscale) keeps its
    // proportions to the fonts at every scale.
    void Place(HWND control, int x96, int y96, int width96, int height96) const;

    // --- one-shot delayed actions (the notices shown once a window stands)
    void After(UINT milliseconds, std::function<void()> action);

    // A handler that lets messages run (a long listing) holds one: a close
    // arriving meanwhile waits until the handler is done.
    class BusyScope {
    public:
        explicit BusyScope(TFormBase& form);
        ~BusyScope();
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        TFormBase& form_;
    };
    bool Busy() const { return busy_ > 0; }
    // Runs the action now, or, while a handler is busy, once it is done (in
    // the order asked). Commands arriving meanwhile wait the same way.
    void WhenIdle(std::function<void()> action);

protected:
    // Only FormInstance<T> can make a form: it destroys the window while the
    // whole object still exists.
    virtual void MustBeCreatedAsFormInstance() = 0;
    // Destroys the window now (FormDestroy runs); used by FormInstance.
    void DestroyForm();

    virtual void FormCreate() {}
    virtual void FormShow() {}
    virtual void FormResize(int /*clientWidth*/, int /*clientHeight*/) {}
    // Return false to refuse closing.
    virtual bool FormCloseQuery() { return true; }
    virtual void FormClose() {}
    virtual void FormDestroy() {}
    // A key reached the form through key preview, before the key map. True = handled.
    virtual bool FormKeyDown(WPARAM /*key*/, bool /*shift*/, bool /*ctrl*/, bool /*alt*/) { return false; }
    // A command id the command table does not know (or a form without a table).
    virtual void MenuCommand(int /*id*/) {}
    virtual void ControlCommand(HWND /*control*/, int /*id*/, int /*code*/) {}
    virtual LRESULT Notify(NMHDR* /*hdr*/) { return 0; }
    // Messages the events above do not cover. Return true when handled.
    virtual bool HandleMessage(UINT /*msg*/, WPARAM /*wp*/, LPARAM /*lp*/, LRESULT& /*result*/) { return false; }
    // After the language file was applied: texts the file does not carry.
    virtual void LanguageApplied() {}
    // The window's DPI changed (from oldDpi to Dpi()): fonts and lengths the
    // window keeps itself are made again here. The layout follows at once
    // (FormResize).
    virtual void FormDpiChanged(UINT /*oldDpi*/) {}
    // Initial search takes the plain letter keys away from the key map.
    virtual bool InitialSearchOn() const { return false; }
    // The notice of a key-map file reset to the built-in table.
    virtual void KeyMapResetNotice();

    // --- controls
    // Creates a child control with the window's font; a Tag registers it for
    // the language file; the id is the Tag, or the given id when non-zero.
    HWND AddControl(ComponentKind kind, int tag, const wchar_t* className, const std::wstring& text, DWORD style,
                    DWORD exStyle = 0, int id = 0, HWND parent = nullptr);
    // Buttons: the default one is pressed by Enter (dialog keyboard).
    HWND AddButton(int tag, const std::wstring& text, int id = 0, bool isDefault = false);
    void SetDefaultButton(HWND button);
    HWND DefaultButton() const { return defaultButton_; }

    // Placement convention.
    void ReadPlacement(const IniFile& ini);
    void ApplyPlacement();
    void WritePlacement(const IniFile& ini) const;
    const FormPlacement& Placement() const { return placement_; }

    void CloseIme();
    HFONT DefaultFont() const { return font_; }
    HINSTANCE Instance() const;
    IniFile Settings() const { return IniFile(ProgramIniPath()); }

    // The window's menu bar (set by forms that build their own).
    void SetMenuHandle(HMENU menu) { menu_ = menu; }
    // Builds the menu bar and the pop-up menus from the command table and
    // registers their items.
    HMENU BuildMenus();
    // The control shows the pop-up menu on a right click or the menu key.
    void AttachPopupMenu(HWND control, int menuTag);
    // Shows another of the window's menu bars; only the bar shown (and the
    // pop-up menus) give keys.
    void SetMenuBar(int bar);
    int MenuBar() const { return currentBar_; }
    // Every menu item's Tag in menu order (the order shortcuts are resolved in).
    std::vector<int> MenuTagsInOrder() const;

    HWND handle_ = nullptr;

private:
    struct MenuShortCut {
        int tag;
        KeyCode key;
    };
    FormDescription desc_;
    std::vector<Component> components_;
    std::vector<MenuShortCut> shortCuts_;
    HMENU menu_ = nullptr;                       // the bar shown
    std::vector<HMENU> bars_;                    // every bar, by number
    int currentBar_ = 0;
    std::vector<std::pair<int, HMENU>> popups_;  // menu Tag, menu
    // Menus searched for an item's caption and state (every bar), and for keys
    // (the bar shown).
    std::vector<HMENU> KeyMenus() const;
    std::vector<HMENU> AllMenus() const;
    bool FindItem(int tag, HMENU& holder, int& position, std::vector<std::pair<HMENU, int>>& path) const;
    static LRESULT CALLBACK PopupHostProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    HFONT languageFont_ = nullptr;
    std::wstring languageFontName_;
    int languageFontSize_ = 0;
    HWND defaultButton_ = nullptr;
    HWND lastFocus_ = nullptr;
    std::map<UINT_PTR, std::function<void()>> delayed_;
    UINT_PTR nextTimer_ = 0x7000;

    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
    void CloseRequested();
    void OnTimer(UINT_PTR id);
    // The window's default font and the language file's font at dpi_.
    void CreateFormFonts();
    void ChangeDpi(UINT dpi, const RECT* suggested);

    FormPlacement placement_;
    UINT dpi_ = 96;
    // While the saved placement is applied: a move onto a monitor of another
    // scale keeps the saved size rather than the one Windows suggests.
    bool placing_ = false;
    bool shown_ = false;
    bool inModal_ = false;
    bool modalDone_ = false;
    bool closePending_ = false;
    int busy_ = 0;
    std::vector<std::function<void()>> whenIdle_;
    int modalResult_ = mrNone;
    HFONT font_ = nullptr;
};

// The built-in key table of a command table: category, caption (as the
// window's menu shows it now, when a window is given and has the item; the
// designed caption otherwise), default key in its canonical spelling, number.
KeyMapTable BuiltInKeyTable(const CommandTable& commands, const TFormBase* captionsFrom);

// The only way to make a form: the window goes before the object does.
template <class Form>
class FormInstance final : public Form {
public:
    template <class... Args>
    explicit FormInstance(Args&&... args) : Form(std::forward<Args>(args)...) {}
    ~FormInstance() override { this->DestroyForm(); }

private:
    void MustBeCreatedAsFormInstance() override {}
};

// Creates a form for one use, shows it modally and frees it. Returns what the
// form's ModalOutput(modalResult) gives, or the modal result when the form has
// no ModalOutput.
template <class Form, class... Args>
auto ShowModalForm(Args&&... args) {
    FormInstance<Form> form(std::forward<Args>(args)...);
    const int result = form.ShowModal();
    if constexpr (requires { form.ModalOutput(result); }) {
        return form.ModalOutput(result);
    } else {
        return result;
    }
}

}  // namespace quib
