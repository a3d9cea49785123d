#include "app/FormBase.h"

#include <imm.h>

#include <vector>

#include "app/Application.h"
#include "keymap/KeyText.h"

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

TFormBase::TFormBase(std::wstring formName, SIZE defaultSize, SIZE minimumSize)
    : formName_(std::move(formName)), defaultSize_(defaultSize), minimumSize_(minimumSize) {}

TFormBase::~TFormBase() {
    if (handle_) {
        HWND h = handle_;
        DestroyWindow(h);
    }
    if (font_) DeleteObject(font_);
    if (languageFont_) DeleteObject(languageFont_);
}

void TFormBase::RegisterComponent(const Component& component) { components_.push_back(component); }

namespace {
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

std::wstring ShortCutText(ShortCut sc) { return sc.key ? FormatKeyText(KeyCode{sc.key, sc.mods}) : std::wstring(); }
}  // namespace

std::vector<int> TFormBase::MenuTagsInOrder() const {
    std::vector<int> tags;
    if (menu_) CollectMenuTags(menu_, tags);
    return tags;
}

std::wstring TFormBase::MenuItemCaption(int tag) const {
    if (!menu_) return {};
    wchar_t buf[512] = {};
    MENUITEMINFOW mii{sizeof(mii)};
    mii.fMask = MIIM_STRING;
    mii.dwTypeData = buf;
    mii.cch = 511;
    if (!GetMenuItemInfoW(menu_, static_cast<UINT>(tag), FALSE, &mii)) return {};
    std::wstring s = buf;
    if (const size_t tab = s.find(L'\t'); tab != std::wstring::npos) s.erase(tab);
    return s;
}

void TFormBase::SetMenuItemCaption(int tag, const std::wstring& caption) {
    if (!menu_) return;
    std::wstring text = caption;
    const std::wstring key = ShortCutText(GetShortCut(tag));
    if (!key.empty()) text += L"\t" + key;
    MENUITEMINFOW mii{sizeof(mii)};
    mii.fMask = MIIM_STRING;
    mii.dwTypeData = text.data();
    SetMenuItemInfoW(menu_, static_cast<UINT>(tag), FALSE, &mii);
    if (handle_ && GetMenu(handle_) == menu_) DrawMenuBar(handle_);
}

void TFormBase::SetShortCut(int tag, ShortCut shortCut) {
    const std::wstring caption = MenuItemCaption(tag);
    bool found = false;
    for (auto& s : shortCuts_) {
        if (s.tag == tag) {
            s.key = shortCut;
            found = true;
        }
    }
    if (!found) shortCuts_.push_back({tag, shortCut});
    SetMenuItemCaption(tag, caption);
}

ShortCut TFormBase::GetShortCut(int tag) const {
    for (const auto& s : shortCuts_)
        if (s.tag == tag) return s.key;
    return {};
}

void TFormBase::ClearShortCuts() {
    const std::vector<MenuShortCut> old = shortCuts_;
    shortCuts_.clear();
    for (const auto& s : old) SetMenuItemCaption(s.tag, MenuItemCaption(s.tag));
}

bool TFormBase::MenuItemEnabled(int tag) const {
    if (!menu_) return false;
    const UINT st = GetMenuState(menu_, static_cast<UINT>(tag), MF_BYCOMMAND);
    return st != 0xFFFFFFFF && !(st & (MF_DISABLED | MF_GRAYED));
}

bool TFormBase::ExecuteShortCut(WORD key, BYTE mods) {
    if (!key) return false;
    for (int tag : MenuTagsInOrder()) {
        const ShortCut sc = GetShortCut(tag);
        if (sc.key != key || sc.mods != mods) continue;
        // The first item in menu order owns the key, enabled or not.
        if (!MenuItemEnabled(tag)) return false;
        MenuCommand(tag);
        return true;
    }
    return false;
}

void TFormBase::SetFormFont(const std::wstring& name, int pointSize) {
    HDC dc = GetDC(nullptr);
    const int height = -MulDiv(pointSize, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(nullptr, dc);
    HFONT f = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_DONTCARE, name.c_str());
    for (const auto& c : components_) {
        if (c.hwnd && c.parentFont) SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(f), TRUE);
        for (HWND b : c.radioButtons) SendMessageW(b, WM_SETFONT, reinterpret_cast<WPARAM>(f), TRUE);
    }
    if (languageFont_) DeleteObject(languageFont_);
    languageFont_ = f;
}

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
    NONCLIENTMETRICSW ncm{sizeof(ncm)};
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    font_ = CreateFontIndirectW(&ncm.lfMessageFont);
    ReadPlacement(Settings());
    CreateWindowExW(WindowExStyle(), kFormClass, L"", WindowStyle(), 0, 0, defaultSize_.cx, defaultSize_.cy,
                    Application().Handle(), nullptr, Instance(), this);
    return handle_ != nullptr;
}

LRESULT CALLBACK TFormBase::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    TFormBase* form = nullptr;
    if (msg == WM_NCCREATE) {
        form = static_cast<TFormBase*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        form->handle_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
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

LRESULT TFormBase::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = 0;
    switch (msg) {
        case WM_CREATE:
            SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
            FormCreate();
            return 0;
        case WM_SIZE:
            FormResize(LOWORD(lp), HIWORD(lp));
            return 0;
        case WM_GETMINMAXINFO: {
            auto* mmi = reinterpret_cast<MINMAXINFO*>(lp);
            mmi->ptMinTrackSize.x = minimumSize_.cx;
            mmi->ptMinTrackSize.y = minimumSize_.cy;
            return 0;
        }
        case WM_COMMAND:
            if (lp == 0) {
                MenuCommand(LOWORD(wp));
            } else {
                ControlCommand(reinterpret_cast<HWND>(lp), LOWORD(wp), HIWORD(wp));
            }
            return 0;
        case WM_NOTIFY:
            return Notify(reinterpret_cast<NMHDR*>(lp));
        case WM_CLOSE:
            if (!FormCloseQuery()) return 0;
            FormClose();
            CloseIme();
            if (inModal_) {
                if (modalResult_ == mrNone) modalResult_ = mrCancel;
                return 0;
            }
            DestroyWindow(handle_);
            return 0;
        case WM_DESTROY:
            FormDestroy();
            if (Application().MainForm() == this) Application().Terminate();
            return 0;
        case WM_NCDESTROY: {
            HWND h = handle_;
            SetWindowLongPtrW(h, GWLP_USERDATA, 0);
            handle_ = nullptr;
            return DefWindowProcW(h, msg, wp, lp);
        }
        default:
            break;
    }
    if (HandleMessage(msg, wp, lp, result)) return result;
    return DefWindowProcW(handle_, msg, wp, lp);
}

bool TFormBase::PreviewKey(MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool alt = GetKeyState(VK_MENU) < 0;
    if (FormKeyDown(msg.wParam, shift, ctrl, alt)) return true;
    const BYTE mods = static_cast<BYTE>((shift ? kModShift : 0) | (alt ? kModAlt : 0) | (ctrl ? kModCtrl : 0));
    if (ExecuteShortCut(static_cast<WORD>(msg.wParam), mods)) return true;
    if (msg.wParam == VK_ESCAPE && !shift && !ctrl && !alt && EscCloses()) {
        if (inModal_) modalResult_ = mrCancel;
        PostMessageW(handle_, WM_CLOSE, 0, 0);
        return true;
    }
    return false;
}

void TFormBase::Show() {
    if (!handle_ && !Create()) return;
    if (!shown_) {
        shown_ = true;
        ApplyPlacement();
        // The first display opens archives and may meet a missing DLL: the
        // error ends that step, the window still appears.
        try {
            FormShow();
        } catch (const std::exception& e) {
            Application().HandleException(e);
        } catch (...) {
            Application().HandleUnknownException();
        }
        CloseIme();
    }
    if (!IsWindowVisible(handle_)) ShowWindow(handle_, SW_SHOW);
    SetForegroundWindow(handle_);
}

int TFormBase::ShowModal() {
    if (!handle_ && !Create()) return mrCancel;
    // Disable every other enabled top-level window of this thread for the duration.
    ModalWalk walk{handle_, {}};
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindows, reinterpret_cast<LPARAM>(&walk));
    const std::vector<HWND>& disabled = walk.disabled;
    for (HWND w : disabled) EnableWindow(w, FALSE);
    HWND previousActive = GetActiveWindow();
    inModal_ = true;
    modalResult_ = mrNone;
    Show();
    while (modalResult_ == mrNone && handle_ && !Application().Terminated()) {
        WaitMessage();
        Application().ProcessMessages();
    }
    inModal_ = false;
    for (HWND w : disabled) EnableWindow(w, TRUE);
    const int result = modalResult_ == mrNone ? mrCancel : modalResult_;
    if (handle_) {
        CloseIme();
        DestroyWindow(handle_);
    }
    if (previousActive && IsWindow(previousActive)) SetActiveWindow(previousActive);
    return result;
}

void TFormBase::Close() {
    if (handle_) PostMessageW(handle_, WM_CLOSE, 0, 0);
}

bool TFormBase::Visible() const { return handle_ && IsWindowVisible(handle_); }

void TFormBase::SetCaption(const std::wstring& text) {
    if (handle_) SetWindowTextW(handle_, text.c_str());
}

std::wstring TFormBase::Caption() const {
    if (!handle_) return {};
    const int n = GetWindowTextLengthW(handle_);
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    GetWindowTextW(handle_, s.data(), n + 1);
    s.resize(static_cast<size_t>(n));
    return s;
}

void TFormBase::ReadPlacement(const IniFile& ini) {
    placement_.FormPosLeft = ini.ReadInteger(formName_, L"Left", 0);
    placement_.FormPosTop = ini.ReadInteger(formName_, L"Top", 0);
    placement_.FormPosWidth = ini.ReadInteger(formName_, L"Width", defaultSize_.cx);
    placement_.FormPosHeight = ini.ReadInteger(formName_, L"Height", defaultSize_.cy);
    placement_.FormPosRight = placement_.FormPosLeft + placement_.FormPosWidth;
    placement_.FormPosButtom = placement_.FormPosTop + placement_.FormPosHeight;
    placement_.StrFormState = ini.ReadString(formName_, L"State", L"NORMAL");
}

void TFormBase::ApplyPlacement() {
    const RECT saved{placement_.FormPosLeft, placement_.FormPosTop, placement_.FormPosRight, placement_.FormPosButtom};
    if (PlacementOnScreen(saved, VirtualScreenRect())) {
        MoveWindow(handle_, saved.left, saved.top, placement_.FormPosWidth, placement_.FormPosHeight, FALSE);
    } else {
        MoveWindow(handle_, 0, 0, defaultSize_.cx, defaultSize_.cy, FALSE);
    }
    if (placement_.StrFormState == L"MAX") {
        ShowWindow(handle_, SW_MAXIMIZE);
    } else if (placement_.StrFormState == L"MIN") {
        ShowWindow(handle_, SW_MINIMIZE);
    }
}

void TFormBase::WritePlacement(const IniFile& ini) const {
    if (!handle_) return;
    if (IsZoomed(handle_)) {
        ini.WriteString(formName_, L"State", L"MAX");
    } else if (IsIconic(handle_)) {
        ini.WriteString(formName_, L"State", L"MIN");
    } else {
        ini.WriteString(formName_, L"State", L"NORMAL");
        RECT r{};
        GetWindowRect(handle_, &r);
        ini.WriteInteger(formName_, L"Left", r.left);
        ini.WriteInteger(formName_, L"Top", r.top);
        ini.WriteInteger(formName_, L"Width", r.right - r.left);
        ini.WriteInteger(formName_, L"Height", r.bottom - r.top);
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
