#include "app/FormBase.h"

#include <commctrl.h>
#include <imm.h>
#include <windowsx.h>

#include <vector>

#include "app/Application.h"
#include "app/Language.h"
#include "keymap/KeyMapApply.h"
#include "util/Dpi.h"
#include "util/Message.h"
#include "util/Theme.h"

namespace quib {
namespace {

const wchar_t kFormClass[] = L"quibFMarchiveForm";

void RegisterFormClass(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, kFormClass, &wc)) return;
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    wc.lpszClassName = kFormClass;
    RegisterClassExW(&wc);
}

struct ModalWalk {
    HWND self;
    std::vector<HWND> disabled;
};

BOOL CALLBACK CollectEnabledWindows(HWND w, LPARAM p) {
    auto* walk = reinterpret_cast<ModalWalk*>(p);
    if (w != walk->self && IsWindowVisible(w) && IsWindowEnabled(w)) walk->disabled.push_back(w);
    return TRUE;
}

std::wstring ShortCutText(KeyCode sc) { return sc.key ? FormatKeyText(sc) : std::wstring(); }

void CollectMenuTags(HMENU menu, std::vector<int>& tags) {
    const int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        MENUITEMINFOW mii{sizeof(mii)};
        mii.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii)) continue;
        if (mii.hSubMenu) {
            CollectMenuTags(mii.hSubMenu, tags);
        } else if (!(mii.fType & MFT_SEPARATOR)) {
            tags.push_back(static_cast<int>(mii.wID));
        }
    }
}

// Finds the menu that holds the item with this id (a top-level popup's id
// too), and its position there.
bool FindMenuItem(HMENU menu, UINT id, HMENU& holder, int& position, std::vector<std::pair<HMENU, int>>& path) {
    const int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        MENUITEMINFOW mii{sizeof(mii)};
        mii.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii)) continue;
        if (mii.fType & MFT_SEPARATOR) continue;
        if (mii.wID == id) {
            holder = menu;
            position = i;
            return true;
        }
        if (mii.hSubMenu) {
            path.emplace_back(menu, i);
            if (FindMenuItem(mii.hSubMenu, id, holder, position, path)) return true;
            path.pop_back();
        }
    }
    return false;
}

struct FontSwap {
    HFONT from[2];
    HFONT to[2];
};

// A control that has one of the old fonts gets its new one.
BOOL CALLBACK SwapChildFont(HWND child, LPARAM p) {
    const auto* swap = reinterpret_cast<const FontSwap*>(p);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
    for (int i = 0; i < 2; ++i) {
        if (font && font == swap->from[i] && swap->to[i]) {
            SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(swap->to[i]), TRUE);
            break;
        }
    }
    return TRUE;
}

BOOL CALLBACK TellChildDpi(HWND child, LPARAM p) {
    const auto* dpis = reinterpret_cast<const UINT*>(p);
    SendMessageW(child, ControlDpiChangedMessage(), dpis[0], dpis[1]);
    return TRUE;
}

SIZE RectSize(const RECT& r) { return SIZE{r.right - r.left, r.bottom - r.top}; }

bool ItemEnabledAt(HMENU menu, int position) {
    const UINT st = GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
    return st != 0xFFFFFFFF && !(st & (MF_DISABLED | MF_GRAYED));
}

}  // namespace

RECT VirtualScreenRect() {
    RECT r;
    r.left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    r.top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    r.right = r.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    r.bottom = r.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    return r;
}

bool PlacementOnScreen(const RECT& s, const RECT& v) {
    return s.top >= v.top - 9 && s.top <= v.bottom && s.bottom >= v.top && s.bottom <= v.bottom &&
           s.left >= v.left - 9 && s.left <= v.right && s.right >= v.left && s.right <= v.right;
}

TFormBase::TFormBase(FormDescription description) : desc_(std::move(description)) {}

TFormBase::~TFormBase() {
    // FormInstance has destroyed the window already; this only catches a
    // window whose creation failed half way.
    if (handle_) DestroyWindow(handle_);
    for (HMENU b : bars_)
        if (b && b != menu_) DestroyMenu(b);
    for (const auto& p : popups_) DestroyMenu(p.second);
    if (font_) DeleteObject(font_);
    if (languageFont_) DeleteObject(languageFont_);
}

void TFormBase::DestroyForm() {
    if (handle_) DestroyWindow(handle_);
}

void TFormBase::RegisterComponent(const Component& component) { components_.push_back(component); }

// ---------------------------------------------------------------- menus

HMENU TFormBase::BuildMenus() {
    if (!desc_.commands) return nullptr;
    for (const auto& top : desc_.commands->menus) {
        HMENU sub = CreatePopupMenu();
        bool first = true;
        for (const auto& c : desc_.commands->commands) {
            if (lstrcmpW(c.category, top.category) != 0) continue;
            if (c.SeparatorBefore() && !first) AppendMenuW(sub, MF_SEPARATOR, 0, nullptr);
            AppendMenuW(sub, MF_STRING, static_cast<UINT_PTR>(c.tag), c.caption);
            first = false;
        }
        if (top.popup) {
            popups_.emplace_back(top.tag, sub);
        } else {
            if (bars_.size() <= static_cast<size_t>(top.bar)) bars_.resize(static_cast<size_t>(top.bar) + 1, nullptr);
            HMENU& bar = bars_[static_cast<size_t>(top.bar)];
            if (!bar) bar = CreateMenu();
            AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), top.caption);
            // The top-level item carries its Tag as id, so the language file and
            // the enable state find it like any other item.
            MENUITEMINFOW mii{sizeof(mii)};
            mii.fMask = MIIM_ID;
            mii.wID = static_cast<UINT>(top.tag);
            SetMenuItemInfoW(bar, static_cast<UINT>(GetMenuItemCount(bar) - 1), TRUE, &mii);
            RegisterComponent({ComponentKind::MenuItem, top.tag, nullptr});
        }
        for (const auto& c : desc_.commands->commands)
            if (lstrcmpW(c.category, top.category) == 0) RegisterComponent({ComponentKind::MenuItem, c.tag, nullptr});
    }
    if (bars_.empty()) return nullptr;
    currentBar_ = 0;
    menu_ = bars_[0];
    if (handle_ && menu_) SetMenu(handle_, menu_);
    return menu_;
}

void TFormBase::SetMenuBar(int bar) {
    if (bar < 0 || static_cast<size_t>(bar) >= bars_.size() || !bars_[static_cast<size_t>(bar)]) return;
    currentBar_ = bar;
    menu_ = bars_[static_cast<size_t>(bar)];
    if (handle_) {
        SetMenu(handle_, menu_);
        DrawMenuBar(handle_);
    }
}

HMENU TFormBase::PopupMenu(int menuTag) const {
    for (const auto& [tag, menu] : popups_)
        if (tag == menuTag) return menu;
    return nullptr;
}

LRESULT CALLBACK TFormBase::PopupHostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    if (msg == WM_CONTEXTMENU) {
        auto* form = reinterpret_cast<TFormBase*>(data);
        HMENU menu = form->PopupMenu(static_cast<int>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)));
        if (menu && form->handle_) {
            POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            if (pt.x == -1 && pt.y == -1) {
                // From the keyboard: at the control's top left corner.
                pt = POINT{0, 0};
                ClientToScreen(hwnd, &pt);
            }
            TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, 0, form->handle_, nullptr);
        }
        return 0;
    }
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, PopupHostProc, 1);
    return DefSubclassProc(hwnd, msg, wp, lp);
}

void TFormBase::AttachPopupMenu(HWND control, int menuTag) {
    SetWindowLongPtrW(control, GWLP_USERDATA, menuTag);
    SetWindowSubclass(control, PopupHostProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

std::vector<HMENU> TFormBase::AllMenus() const {
    std::vector<HMENU> menus;
    if (menu_) menus.push_back(menu_);
    for (HMENU b : bars_)
        if (b && b != menu_) menus.push_back(b);
    for (const auto& p : popups_) menus.push_back(p.second);
    return menus;
}

std::vector<HMENU> TFormBase::KeyMenus() const {
    std::vector<HMENU> menus;
    if (menu_) menus.push_back(menu_);
    for (const auto& p : popups_) menus.push_back(p.second);
    return menus;
}

bool TFormBase::FindItem(int tag, HMENU& holder, int& position, std::vector<std::pair<HMENU, int>>& path) const {
    for (HMENU m : AllMenus()) {
        path.clear();
        if (FindMenuItem(m, static_cast<UINT>(tag), holder, position, path)) return true;
    }
    return false;
}

std::vector<int> TFormBase::MenuTagsInOrder() const {
    std::vector<int> tags;
    for (HMENU m : KeyMenus()) CollectMenuTags(m, tags);
    return tags;
}

std::wstring TFormBase::MenuItemCaption(int tag) const {
    HMENU holder = nullptr;
    int position = -1;
    std::vector<std::pair<HMENU, int>> path;
    if (!FindItem(tag, holder, position, path)) return {};
    wchar_t buf[512] = {};
    MENUITEMINFOW mii{sizeof(mii)};
    mii.fMask = MIIM_STRING;
    mii.dwTypeData = buf;
    mii.cch = 511;
    if (!GetMenuItemInfoW(holder, static_cast<UINT>(position), TRUE, &mii)) return {};
    std::wstring s = buf;
    if (const size_t tab = s.find(L'\t'); tab != std::wstring::npos) s.erase(tab);
    return s;
}

void TFormBase::SetMenuItemCaption(int tag, const std::wstring& caption) {
    std::wstring text = caption;
    const std::wstring key = ShortCutText(GetShortCut(tag));
    if (!key.empty()) text += L"\t" + key;
    HMENU holder = nullptr;
    int position = -1;
    std::vector<std::pair<HMENU, int>> path;
    if (!FindItem(tag, holder, position, path)) return;
    MENUITEMINFOW mii{sizeof(mii)};
    mii.fMask = MIIM_STRING;
    mii.dwTypeData = text.data();
    SetMenuItemInfoW(holder, static_cast<UINT>(position), TRUE, &mii);
    if (handle_ && GetMenu(handle_) == menu_) DrawMenuBar(handle_);
}

bool TFormBase::MenuEnabled(int tag) const {
    HMENU holder = nullptr;
    int position = -1;
    std::vector<std::pair<HMENU, int>> path;
    if (!FindItem(tag, holder, position, path)) return false;
    // A disabled menu disables everything below it, for keys as for clicks.
    for (const auto& [menu, pos] : path)
        if (!ItemEnabledAt(menu, pos)) return false;
    return ItemEnabledAt(holder, position);
}

void TFormBase::SetMenuEnabled(int tag, bool enabled) {
    HMENU holder = nullptr;
    int position = -1;
    std::vector<std::pair<HMENU, int>> path;
    if (!FindItem(tag, holder, position, path)) return;
    EnableMenuItem(holder, static_cast<UINT>(position), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
    if (holder == menu_ && handle_ && GetMenu(handle_) == menu_) DrawMenuBar(handle_);
}

bool TFormBase::MenuChecked(int tag) const {
    HMENU holder = nullptr;
    int position = -1;
    std::vector<std::pair<HMENU, int>> path;
    if (!FindItem(tag, holder, position, path)) return false;
    return (GetMenuState(holder, static_cast<UINT>(position), MF_BYPOSITION) & MF_CHECKED) != 0;
}

void TFormBase::SetMenuChecked(int tag, bool checked) {
    HMENU holder = nullptr;
    int position = -1;
    std::vector<std::pair<HMENU, int>> path;
    if (!FindItem(tag, holder, position, path)) return;
    CheckMenuItem(holder, static_cast<UINT>(position), MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void TFormBase::SetShortCut(int tag, KeyCode key) {
    const std::wstring caption = MenuItemCaption(tag);
    bool found = false;
    for (auto& s : shortCuts_) {
        if (s.tag == tag) {
            s.key = key;
            found = true;
        }
    }
    if (!found) shortCuts_.push_back({tag, key});
    SetMenuItemCaption(tag, caption);
}

KeyCode TFormBase::GetShortCut(int tag) const {
    for (const auto& s : shortCuts_)
        if (s.tag == tag) return s.key;
    return {};
}

void TFormBase::ClearShortCuts() {
    const std::vector<MenuShortCut> old = shortCuts_;
    shortCuts_.clear();
    for (const auto& s : old) SetMenuItemCaption(s.tag, MenuItemCaption(s.tag));
}

bool TFormBase::ExecuteShortCut(WORD key, BYTE mods) {
    if (!key) return false;
    for (int tag : MenuTagsInOrder()) {
        const KeyCode sc = GetShortCut(tag);
        if (sc.key != key || sc.mods != mods) continue;
        // The first item in menu order owns the key, enabled or not; a
        // disabled one runs nothing and leaves the key to the control.
        if (!MenuEnabled(tag)) return false;
        RunCommand(tag);
        return true;
    }
    return false;
}

void TFormBase::RunCommand(int tag) {
    if (busy_ > 0) {
        // A command pressed while a handler lets messages run would work on
        // data that handler is still building.
        whenIdle_.push_back([this, tag] { RunCommand(tag); });
        return;
    }
    const FormCommand* command = desc_.commands ? desc_.commands->Find(tag) : nullptr;
    HMENU holder = nullptr;
    int position = -1;
    std::vector<std::pair<HMENU, int>> path;
    if (FindItem(tag, holder, position, path) && !MenuEnabled(tag)) return;
    if (!command) {
        MenuCommand(tag);
        return;
    }
    if (command->Toggle()) SetMenuChecked(tag, !MenuChecked(tag));
    if (command->handler) {
        (this->*(command->handler))();
    } else if (!command->Toggle()) {
        MenuCommand(tag);
    }
}

// ---------------------------------------------------------------- key map

KeyMapTable BuiltInKeyTable(const CommandTable& commands, const TFormBase* captionsFrom) {
    KeyMapTable table;
    table.reserve(commands.commands.size());
    for (const auto& c : commands.commands) {
        std::wstring caption = captionsFrom ? captionsFrom->MenuItemCaption(c.tag) : std::wstring();
        if (caption.empty()) caption = c.caption;
        // The key text goes through the code and back, so the file always
        // carries the canonical spelling of the key.
        table.push_back(MakeKeyMapLine(c.category, caption, FormatKeyText(ParseKeyText(c.key)), c.tag));
    }
    return table;
}

KeyMapTable TFormBase::BuiltInKeyTable() const {
    return desc_.commands ? quib::BuiltInKeyTable(*desc_.commands, this) : KeyMapTable{};
}

void TFormBase::InstallKeyMap() {
    StrListKeyMapOriginal = BuiltInKeyTable();
    if (!desc_.keyMap) {
        // No file of its own: the designed keys.
        StrListKeyMap = StrListKeyMapOriginal;
        for (const auto& [tag, key] : KeyMapShortCuts(StrListKeyMapOriginal, StrListKeyMap, InitialSearchOn()))
            SetShortCut(tag, key);
        return;
    }
    BoolKeyMapSame = CheckKeyMapFile(KeyMapFilePath(*desc_.keyMap), StrListKeyMapOriginal, StrListKeyMap);
    SetShortCutKey();
    if (!BoolKeyMapSame) After(300, [this] { KeyMapResetNotice(); });
}

void TFormBase::SetShortCutKey() {
    if (!desc_.keyMap) return;
    LoadKeyMapFile(KeyMapFilePath(*desc_.keyMap), StrListKeyMap);
    for (const auto& [tag, key] : KeyMapShortCuts(StrListKeyMapOriginal, StrListKeyMap, InitialSearchOn()))
        SetShortCut(tag, key);
}

void TFormBase::KeyMapResetNotice() {
    ShowMsgJE(handle_,
              L"Information : キーボード設定内容が変更になったので初期化しました\r\n必要ならキーボード設定で「"
              L"変更分を反映」を実行して下さい\r\nキーボード設定を変更した場合は「変更分を保存」を実行しておいて"
              L"下さい",
              L"Information : Key board map had initialized, because of orijinal key board map had "
              L"updated.\r\nIf necessary, reffer different items on KeyBoard Window.\r\nWhen change keyboard "
              L"setting, save different items to file on KeyBoard Window.\r\n[OK]");
}

// ---------------------------------------------------------------- language

void TFormBase::ApplyLanguage() {
    if (StrLanguageFileName.empty()) return;
    if (BoolJapanese) {
        SetJapanese(*this, StrLanguageFileName);
    } else {
        SetEnglish(*this, StrLanguageFileName);
    }
    LanguageApplied();
}

void TFormBase::SwitchLanguage(bool japanese) {
    BoolJapanese = japanese;
    ApplyLanguage();
}

void TFormBase::SetFormFont(const std::wstring& name, int pointSize) {
    // Kept by its point size: a change of DPI makes it again.
    languageFontName_ = name;
    languageFontSize_ = pointSize;
    HFONT f = CreatePointFont(name, pointSize, dpi_);
    for (const auto& c : components_) {
        if (c.hwnd && c.parentFont) SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(f), TRUE);
        for (HWND b : c.radioButtons) SendMessageW(b, WM_SETFONT, reinterpret_cast<WPARAM>(f), TRUE);
    }
    if (languageFont_) DeleteObject(languageFont_);
    languageFont_ = f;
}

// ---------------------------------------------------------------- delayed actions, busy guard

void TFormBase::After(UINT milliseconds, std::function<void()> action) {
    if (!handle_) return;
    const UINT_PTR id = nextTimer_++;
    delayed_[id] = std::move(action);
    SetTimer(handle_, id, milliseconds, nullptr);
}

void TFormBase::OnTimer(UINT_PTR id) {
    KillTimer(handle_, id);
    auto it = delayed_.find(id);
    if (it == delayed_.end()) return;
    std::function<void()> action = std::move(it->second);
    delayed_.erase(it);
    action();
}

TFormBase::BusyScope::BusyScope(TFormBase& form) : form_(form) { ++form_.busy_; }

TFormBase::BusyScope::~BusyScope() {
    if (--form_.busy_ != 0) return;
    // What arrived meanwhile runs now, each on the data the finished handler
    // left; one of them may be busy again and postpone the rest once more.
    while (form_.busy_ == 0 && !form_.whenIdle_.empty() && form_.handle_) {
        std::function<void()> next = std::move(form_.whenIdle_.front());
        form_.whenIdle_.erase(form_.whenIdle_.begin());
        try {
            next();
        } catch (const std::exception& e) {
            Application().HandleException(e);
        } catch (...) {
            Application().HandleUnknownException();
        }
    }
    if (form_.busy_ == 0 && form_.closePending_ && form_.handle_) {
        form_.closePending_ = false;
        PostMessageW(form_.handle_, WM_CLOSE, 0, 0);
    }
}

void TFormBase::WhenIdle(std::function<void()> action) {
    if (busy_ > 0) {
        whenIdle_.push_back(std::move(action));
        return;
    }
    action();
}

// ---------------------------------------------------------------- controls

HWND TFormBase::AddControl(ComponentKind kind, int tag, const wchar_t* className, const std::wstring& text,
                           DWORD style, DWORD exStyle, int id, HWND parent) {
    const int controlId = id ? id : tag;
    HWND h = CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | style, 0, 0, 10, 10,
                             parent ? parent : handle_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                             Instance(), nullptr);
    if (!h) return nullptr;
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(languageFont_ ? languageFont_ : font_), FALSE);
    if (tag > 0) RegisterComponent({kind, tag, h});
    ApplyThemeToControl(h);
    return h;
}

HWND TFormBase::AddButton(int tag, const std::wstring& text, int id, bool isDefault) {
    HWND b = AddControl(ComponentKind::Button, tag, L"BUTTON", text,
                        WS_VISIBLE | WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0, id);
    if (isDefault) defaultButton_ = b;
    return b;
}

void TFormBase::SetDefaultButton(HWND button) {
    if (defaultButton_ && defaultButton_ != button) SendMessageW(defaultButton_, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    defaultButton_ = button;
    if (button) SendMessageW(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

// ---------------------------------------------------------------- window

TFormBase* TFormBase::FromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    if (lstrcmpW(cls, kFormClass) != 0) return nullptr;
    return reinterpret_cast<TFormBase*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

HINSTANCE TFormBase::Instance() const { return Application().InstanceHandle(); }

bool TFormBase::Create() {
    if (handle_) return true;
    RegisterFormClass(Instance(), WndProc);
    ReadPlacement(Settings());
    // Made where it will stand, so that it starts with that monitor's DPI
    // and its controls are made for it; otherwise at the top left of the
    // primary monitor, as its placement will put it.
    const FormPlacement& p = placement_;
    POINT at{0, 0};
    SIZE size = ScaleToDpi(desc_.defaultSize, DpiAtPoint(at));
    if (PlacementOnScreen(RECT{p.FormPosLeft, p.FormPosTop, p.FormPosRight, p.FormPosButtom}, VirtualScreenRect())) {
        at = POINT{p.FormPosLeft, p.FormPosTop};
        size = SIZE{p.FormPosWidth, p.FormPosHeight};
    }
    CreateWindowExW(desc_.exStyle, kFormClass, L"", desc_.style, at.x, at.y, size.cx, size.cy, Application().Handle(),
                    nullptr, Instance(), this);
    if (handle_) ApplyThemeToWindow(handle_);
    return handle_ != nullptr;
}

int TFormBase::Scale(int length96) const { return ScaleToDpi(length96, dpi_); }

SIZE TFormBase::Scale(SIZE size96) const { return ScaleToDpi(size96, dpi_); }

int TFormBase::Unscale(int pixels) const { return MulDiv(pixels, 96, static_cast<int>(dpi_ ? dpi_ : 96)); }

void TFormBase::Place(HWND control, int x96, int y96, int width96, int height96) const {
    MoveWindow(control, Scale(x96), Scale(y96), Scale(width96), Scale(height96), TRUE);
}

void TFormBase::CreateFormFonts() {
    const LOGFONTW message = MessageFontForDpi(dpi_);
    font_ = CreateFontIndirectW(&message);
    languageFont_ = languageFontName_.empty() ? nullptr : CreatePointFont(languageFontName_, languageFontSize_, dpi_);
}

void TFormBase::ChangeDpi(UINT dpi, const RECT* suggested) {
    const UINT old = dpi_;
    dpi_ = dpi;
    RecordWindowDpi(handle_, dpi);
    if (dpi != old) {
        FontSwap swap{{font_, languageFont_}, {}};
        CreateFormFonts();
        swap.to[0] = font_;
        swap.to[1] = languageFont_;
        SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        EnumChildWindows(handle_, SwapChildFont, reinterpret_cast<LPARAM>(&swap));
        for (HFONT f : swap.from)
            if (f) DeleteObject(f);
        const UINT dpis[2] = {dpi, old};
        EnumChildWindows(handle_, TellChildDpi, reinterpret_cast<LPARAM>(dpis));
        FormDpiChanged(old);
    }
    if (suggested) {
        SetWindowPos(handle_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // Laid out again even when the size stayed: the metrics changed.
    RECT cr{};
    GetClientRect(handle_, &cr);
    FormResize(cr.right, cr.bottom);
    RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

LRESULT CALLBACK TFormBase::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    TFormBase* form = nullptr;
    if (msg == WM_NCCREATE) {
        form = static_cast<TFormBase*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        form->handle_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
        // The controls made in FormCreate take the fonts of the window's DPI.
        form->dpi_ = DpiOfWindow(hwnd);
        RecordWindowDpi(hwnd, form->dpi_);
        form->CreateFormFonts();
    } else {
        form = reinterpret_cast<TFormBase*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!form) return DefWindowProcW(hwnd, msg, wp, lp);
    try {
        return form->Dispatch(msg, wp, lp);
    } catch (const std::exception& e) {
        Application().HandleException(e);
    } catch (...) {
        Application().HandleUnknownException();
    }
    return 0;
}

void TFormBase::CloseRequested() {
    if (busy_ > 0) {
        // A handler is letting messages run on data the close would free.
        closePending_ = true;
        return;
    }
    if (!FormCloseQuery()) {
        if (inModal_) modalResult_ = mrNone;
        return;
    }
    FormClose();
    CloseIme();
    if (inModal_) {
        if (modalResult_ == mrNone) modalResult_ = mrCancel;
        modalDone_ = true;
        return;
    }
    DestroyWindow(handle_);
}

LRESULT TFormBase::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = 0;
    switch (msg) {
        case WM_CREATE:
            SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
            if (desc_.commands) BuildMenus();
            FormCreate();
            return 0;
        case WM_SIZE:
            FormResize(LOWORD(lp), HIWORD(lp));
            return 0;
        case WM_GETMINMAXINFO: {
            // At a large scale on a small screen the window may still be
            // made as small as the monitor's work area.
            auto* mmi = reinterpret_cast<MINMAXINFO*>(lp);
            const SIZE minimum = FitInto(Scale(desc_.minimumSize), RectSize(WorkAreaOf(handle_)));
            mmi->ptMinTrackSize.x = minimum.cx;
            mmi->ptMinTrackSize.y = minimum.cy;
            return 0;
        }
        case WM_DPICHANGED:
            // The placement being applied keeps its saved size.
            ChangeDpi(HIWORD(wp), placing_ ? nullptr : reinterpret_cast<const RECT*>(lp));
            return 0;
        case WM_COMMAND:
            if (lp == 0 && HIWORD(wp) <= 1) {
                // Menus (0) and accelerators (1); IDOK / IDCANCEL of the dialog
                // keyboard without such buttons name no command.
                const int id = LOWORD(wp);
                if (id != IDOK && id != IDCANCEL) RunCommand(id);
            } else {
                ControlCommand(reinterpret_cast<HWND>(lp), LOWORD(wp), HIWORD(wp));
            }
            return 0;
        case WM_NOTIFY:
            return Notify(reinterpret_cast<NMHDR*>(lp));
        case WM_NEXTDLGCTL: {
            // The dialog keyboard moves the focus through this message, which
            // only dialog windows answer by themselves.
            HWND target = LOWORD(lp) ? reinterpret_cast<HWND>(wp) : GetNextDlgTabItem(handle_, GetFocus(), wp != 0);
            if (target && IsChild(handle_, target)) {
                SetFocus(target);
                if (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(target, EM_SETSEL, 0, -1);
            }
            return 0;
        }
        case DM_GETDEFID:
            // The dialog keyboard asks which button Enter presses.
            if (defaultButton_ && IsWindowEnabled(defaultButton_))
                return MAKELRESULT(GetDlgCtrlID(defaultButton_), DC_HASDEFID);
            return 0;
        case WM_ACTIVATE:
            // Like a dialog: the control that had the focus gets it back when
            // the window is active again (after a modal child closed).
            if (LOWORD(wp) == WA_INACTIVE) {
                HWND f = GetFocus();
                if (f && IsChild(handle_, f)) lastFocus_ = f;
            } else if (lastFocus_ && IsWindow(lastFocus_) && IsChild(handle_, lastFocus_)) {
                SetFocus(lastFocus_);
                return 0;
            }
            break;
        case WM_TIMER:
            if (delayed_.count(wp)) {
                OnTimer(wp);
                return 0;
            }
            break;
        case WM_CLOSE:
            CloseRequested();
            return 0;
        case WM_DESTROY:
            for (const auto& [id, action] : delayed_) KillTimer(handle_, id);
            delayed_.clear();
            FormDestroy();
            WritePlacement(Settings());
            if (Application().MainForm() == this) Application().Terminate();
            return 0;
        case WM_NCDESTROY: {
            HWND h = handle_;
            SetWindowLongPtrW(h, GWLP_USERDATA, 0);
            ForgetWindowDpi(h);
            handle_ = nullptr;
            modalDone_ = true;
            // The bar shown went with the window; the others and the pop-up
            // menus are ours to free.
            for (HMENU b : bars_)
                if (b && b != menu_) DestroyMenu(b);
            bars_.clear();
            menu_ = nullptr;
            for (const auto& p : popups_) DestroyMenu(p.second);
            popups_.clear();
            return DefWindowProcW(h, msg, wp, lp);
        }
        default:
            break;
    }
    if (HandleMessage(msg, wp, lp, result)) return result;
    if (ThemeHandleMessage(handle_, msg, wp, lp, result)) return result;
    return DefWindowProcW(handle_, msg, wp, lp);
}

bool TFormBase::PreviewKey(MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool alt = GetKeyState(VK_MENU) < 0;
    if (FormKeyDown(msg.wParam, shift, ctrl, alt)) return true;
    if (desc_.developerLanguageKeys && Application().Developer() && shift && ctrl && !alt &&
        (msg.wParam == 'J' || msg.wParam == 'E')) {
        SwitchLanguage(msg.wParam == 'J');
        return true;
    }
    const BYTE mods = static_cast<BYTE>((shift ? kKeyShift : 0) | (alt ? kKeyAlt : 0) | (ctrl ? kKeyCtrl : 0));
    if (ExecuteShortCut(static_cast<WORD>(msg.wParam), mods)) return true;
    if (msg.wParam == VK_ESCAPE && !shift && !ctrl && !alt && desc_.escCloses) {
        if (inModal_) modalResult_ = mrCancel;
        PostMessageW(handle_, WM_CLOSE, 0, 0);
        return true;
    }
    return false;
}

bool TFormBase::DialogKeyboard(MSG& msg) {
    if (!desc_.dialogKeys || !handle_) return false;
    // Only the keys the dialog keyboard knows; everything else takes the
    // ordinary way (IsDialogMessage would swallow and dispatch it all).
    switch (msg.message) {
        case WM_KEYDOWN:
            switch (msg.wParam) {
                case VK_TAB:
                case VK_RETURN:
                case VK_LEFT:
                case VK_RIGHT:
                case VK_UP:
                case VK_DOWN:
                    break;
                default:
                    return false;
            }
            break;
        case WM_SYSCHAR:
        case WM_CHAR:
            break;
        default:
            return false;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
        // Enter presses the focused button, or else the default button,
        // unless the focused control takes Enter itself (a multi-line edit).
        HWND focus = GetFocus();
        const LRESULT code = focus ? SendMessageW(focus, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)) : 0;
        if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
        if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
            SendMessageW(focus, BM_CLICK, 0, 0);
            return true;
        }
        if (!defaultButton_ || !IsWindowEnabled(defaultButton_)) return false;
    }
    return IsDialogMessageW(handle_, &msg) != FALSE;
}

void TFormBase::Show() {
    if (!handle_ && !Create()) return;
    if (!shown_) {
        shown_ = true;
        ApplyPlacement();
        // The first display opens archives and may meet a missing DLL: the
        // error ends that step, the window still appears.
        try {
            if (desc_.standardShow) {
                BoolJapanese = UiJapanese();
                if (!desc_.languageFile.empty()) StrLanguageFileName = LanguageFilePath(desc_.languageFile);
                ApplyLanguage();
                if (desc_.commands) InstallKeyMap();
            }
            FormShow();
        } catch (const std::exception& e) {
            Application().HandleException(e);
        } catch (...) {
            Application().HandleUnknownException();
        }
        CloseIme();
    }
    if (!handle_) return;
    if (!IsWindowVisible(handle_)) ShowWindow(handle_, SW_SHOW);
    SetForegroundWindow(handle_);
    // A dialog starts on its first control in the Tab order unless its show
    // chose one.
    if (desc_.dialogKeys) {
        HWND focus = GetFocus();
        if (!focus || (focus != handle_ && !IsChild(handle_, focus)) || focus == handle_) {
            if (HWND first = GetNextDlgTabItem(handle_, nullptr, FALSE)) SetFocus(first);
        }
    }
}

void TFormBase::SetModalResult(int result) {
    modalResult_ = result;
    if (result != mrNone && handle_) PostMessageW(handle_, WM_CLOSE, 0, 0);
}

int TFormBase::ShowModal() {
    if (!handle_ && !Create()) return mrCancel;
    // Disable every other enabled top-level window of this thread for the duration.
    ModalWalk walk{handle_, {}};
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindows, reinterpret_cast<LPARAM>(&walk));
    for (HWND w : walk.disabled) EnableWindow(w, FALSE);
    HWND previousActive = GetActiveWindow();
    inModal_ = true;
    modalDone_ = false;
    modalResult_ = mrNone;
    Show();
    while (!modalDone_ && handle_ && !Application().Terminated()) {
        WaitMessage();
        Application().ProcessMessages();
    }
    inModal_ = false;
    // Owners are enabled before the window goes, so that Windows does not
    // hand the activation to some other program meanwhile.
    for (HWND w : walk.disabled)
        if (IsWindow(w)) EnableWindow(w, TRUE);
    const int result = modalResult_ == mrNone ? mrCancel : modalResult_;
    HWND back = previousActive && IsWindow(previousActive) && previousActive != handle_ ? previousActive : nullptr;
    if (!back && Application().MainForm()) back = Application().MainForm()->Handle();
    // The window is hidden, not destroyed: its controls still hold what the
    // caller reads (ModalOutput); it goes with the object.
    if (handle_) ShowWindow(handle_, SW_HIDE);
    if (back) {
        SetActiveWindow(back);
        SetForegroundWindow(back);
    }
    return result;
}

void TFormBase::Close() {
    if (handle_) PostMessageW(handle_, WM_CLOSE, 0, 0);
}

bool TFormBase::Visible() const { return handle_ && IsWindowVisible(handle_); }

void TFormBase::SetCaption(const std::wstring& text) {
    // The caption is set again on every move of the cursor; the frame is
    // repainted only when it changes.
    if (handle_ && Caption() != text) SetWindowTextW(handle_, text.c_str());
}

std::wstring TFormBase::Caption() const {
    if (!handle_) return {};
    const int n = GetWindowTextLengthW(handle_);
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    GetWindowTextW(handle_, s.data(), n + 1);
    s.resize(static_cast<size_t>(n));
    return s;
}

// ---------------------------------------------------------------- placement

void TFormBase::ReadPlacement(const IniFile& ini) {
    const std::wstring& s = desc_.section;
    placement_.FormPosLeft = ini.ReadInteger(s, L"Left", 0);
    placement_.FormPosTop = ini.ReadInteger(s, L"Top", 0);
    // A saved size is in pixels; without one, the default size at the DPI of
    // the monitor the window will stand on.
    const SIZE size = ScaleToDpi(desc_.defaultSize, DpiAtPoint(POINT{placement_.FormPosLeft, placement_.FormPosTop}));
    placement_.FormPosWidth = ini.ReadInteger(s, L"Width", size.cx);
    placement_.FormPosHeight = ini.ReadInteger(s, L"Height", size.cy);
    placement_.FormPosRight = placement_.FormPosLeft + placement_.FormPosWidth;
    placement_.FormPosButtom = placement_.FormPosTop + placement_.FormPosHeight;
    placement_.StrFormState = ini.ReadString(s, L"State", L"NORMAL");
}

void TFormBase::ApplyPlacement() {
    const RECT saved{placement_.FormPosLeft, placement_.FormPosTop, placement_.FormPosRight, placement_.FormPosButtom};
    placing_ = true;
    if (PlacementOnScreen(saved, VirtualScreenRect())) {
        MoveWindow(handle_, saved.left, saved.top, placement_.FormPosWidth, placement_.FormPosHeight, FALSE);
    } else {
        // The fall-back: the default size at the window's DPI, no larger
        // than the monitor's work area.
        // Moved first: on another monitor it takes that monitor's DPI.
        SetWindowPos(handle_, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        const SIZE size = FitInto(Scale(desc_.defaultSize), RectSize(WorkAreaOf(handle_)));
        MoveWindow(handle_, 0, 0, size.cx, size.cy, FALSE);
    }
    placing_ = false;
    if (placement_.StrFormState == L"MAX") {
        ShowWindow(handle_, SW_MAXIMIZE);
    } else if (placement_.StrFormState == L"MIN") {
        ShowWindow(handle_, SW_MINIMIZE);
    }
}

void TFormBase::WritePlacement(const IniFile& ini) const {
    // A window never shown has no placement of its own to keep.
    if (!handle_ || !shown_) return;
    const std::wstring& s = desc_.section;
    if (IsZoomed(handle_)) {
        ini.WriteString(s, L"State", L"MAX");
    } else if (IsIconic(handle_)) {
        ini.WriteString(s, L"State", L"MIN");
    } else {
        ini.WriteString(s, L"State", L"NORMAL");
        RECT r{};
        GetWindowRect(handle_, &r);
        ini.WriteInteger(s, L"Left", r.left);
        ini.WriteInteger(s, L"Top", r.top);
        ini.WriteInteger(s, L"Width", r.right - r.left);
        ini.WriteInteger(s, L"Height", r.bottom - r.top);
    }
}

void TFormBase::CloseIme() {
    if (!handle_) return;
    if (HIMC imc = ImmGetContext(handle_)) {
        ImmSetOpenStatus(imc, FALSE);
        ImmReleaseContext(handle_, imc);
    }
}

}  // namespace quib
