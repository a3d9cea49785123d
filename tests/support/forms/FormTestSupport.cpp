#include "FormTestSupport.h"

#include <gtest/gtest.h>

#include <map>

#include <commctrl.h>

#include "app/Application.h"
#include "util/IniFile.h"

namespace quibtest {

void EnsureApplication() { quib::Application().Initialize(GetModuleHandleW(nullptr)); }

TestProgramFolder::TestProgramFolder() {
    EnsureApplication();
    quib::SetProgramPathForTests(dir_ / L"quibFMarchive.exe");
    quib::IniFile::CreateEmptyUnicode(Ini());
}

TestProgramFolder::~TestProgramFolder() { quib::SetProgramPathForTests(L""); }

std::wstring TestProgramFolder::Ini() const { return dir_ / L"quibFMarchive.ini"; }

std::wstring TestProgramFolder::Read(const std::wstring& section, const std::wstring& key) const {
    return quib::IniFile(Ini()).ReadString(section, key, L"<none>");
}

void TestProgramFolder::Write(const std::wstring& section, const std::wstring& key, const std::wstring& value) const {
    quib::IniFile(Ini()).WriteString(section, key, value);
}

void Pump(DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    for (;;) {
        while (quib::Application().HandleOneMessage()) {
        }
        if (static_cast<LONG>(GetTickCount() - end) >= 0) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD end = GetTickCount() + timeoutMs;
    for (;;) {
        while (quib::Application().HandleOneMessage()) {
        }
        if (condition()) return true;
        if (static_cast<LONG>(GetTickCount() - end) >= 0) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void PressKey(HWND target, WORD vk, BYTE mods) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    BYTE pressed[256];
    memcpy(pressed, state, sizeof(state));
    pressed[VK_SHIFT] = (mods & 1) ? 0x80 : 0;
    pressed[VK_MENU] = (mods & 2) ? 0x80 : 0;
    pressed[VK_CONTROL] = (mods & 4) ? 0x80 : 0;
    SetKeyboardState(pressed);
    // Alt sets the context bit of the key message, as the system does.
    const LPARAM lp = 1 | ((mods & 2) ? (1 << 29) : 0);
    PostMessageW(target, (mods & 2) ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, lp);
    Pump();
    GetKeyboardState(state);
    state[VK_SHIFT] = state[VK_CONTROL] = state[VK_MENU] = 0;
    SetKeyboardState(state);
}

void PressKeyOnFocus(WORD vk, BYTE mods) {
    HWND focus = GetFocus();
    PressKey(focus ? focus : GetActiveWindow(), vk, mods);
}

namespace {
std::map<UINT_PTR, DuringModal*>& Steps() {
    static std::map<UINT_PTR, DuringModal*> steps;
    return steps;
}
}  // namespace

DuringModal::DuringModal(std::function<bool()> step, DWORD timeoutMs)
    : step_(std::move(step)), deadline_(GetTickCount() + timeoutMs) {
    timer_ = SetTimer(nullptr, 0, 20, Tick);
    Steps()[timer_] = this;
}

DuringModal::~DuringModal() {
    if (timer_) {
        KillTimer(nullptr, timer_);
        Steps().erase(timer_);
    }
}

void CALLBACK DuringModal::Tick(HWND, UINT, UINT_PTR id, DWORD) {
    auto it = Steps().find(id);
    if (it == Steps().end()) return;
    DuringModal* self = it->second;
    // A step that shows a modal window itself must not be entered again.
    if (self->done_ || self->running_) return;
    self->running_ = true;
    // An exception must not unwind through the system's timer dispatch (it
    // cannot be caught on the far side): it fails the test and ends the step,
    // closing the window it was driving.
    bool done = false;
    try {
        done = self->step_();
    } catch (const std::exception& e) {
        ADD_FAILURE() << "a step inside the modal run threw: " << e.what();
        if (HWND active = GetActiveWindow()) PostMessageW(active, WM_CLOSE, 0, 0);
        done = true;
    }
    self->running_ = false;
    const bool late = !done && static_cast<LONG>(GetTickCount() - self->deadline_) >= 0;
    if (late) {
        ADD_FAILURE() << "the steps inside the modal run did not finish in time";
        if (HWND active = GetActiveWindow()) PostMessageW(active, WM_CLOSE, 0, 0);
    }
    if (done || late) {
        self->done_ = done;
        KillTimer(nullptr, self->timer_);
        Steps().erase(self->timer_);
        self->timer_ = 0;
    }
}

namespace {
struct FindByCaption {
    const std::wstring* caption;
    HWND found;
};
BOOL CALLBACK MatchCaption(HWND w, LPARAM p) {
    auto* f = reinterpret_cast<FindByCaption*>(p);
    wchar_t buf[512] = {};
    GetWindowTextW(w, buf, 512);
    if (IsWindowVisible(w) && *f->caption == buf) {
        f->found = w;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND FindThreadWindow(const std::wstring& caption) {
    FindByCaption f{&caption, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchCaption, reinterpret_cast<LPARAM>(&f));
    return f.found;
}

namespace {
bool OpenClipboardRetrying() {
    // Another program (Wine's desktop, a clipboard manager) may hold it a moment.
    for (int i = 0; i < 50; ++i) {
        if (OpenClipboard(nullptr)) return true;
        Sleep(20);
    }
    return false;
}
}  // namespace

std::wstring ClipboardText() {
    std::wstring text;
    if (!OpenClipboardRetrying()) return L"<clipboard busy>";
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
            text = p;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return text;
}

bool SetClipboardText(const std::wstring& text) {
    if (!OpenClipboardRetrying()) return false;
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    bool ok = false;
    if (HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void* p = GlobalLock(mem)) {
            memcpy(p, text.c_str(), bytes);
            GlobalUnlock(mem);
            ok = SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
        }
        if (!ok) GlobalFree(mem);
    }
    CloseClipboard();
    return ok;
}

std::wstring MenuText(HMENU menu, int id) {
    wchar_t buf[256] = {};
    GetMenuStringW(menu, static_cast<UINT>(id), buf, 256, MF_BYCOMMAND);
    return buf;
}

int ListRowCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

std::wstring ListCellText(HWND list, int row, int column) {
    wchar_t buf[1024] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buf;
    item.cchTextMax = 1024;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return buf;
}

std::vector<std::wstring> ListColumnTexts(HWND list, int column) {
    std::vector<std::wstring> out;
    const int n = ListRowCount(list);
    for (int r = 0; r < n; ++r) out.push_back(ListCellText(list, r, column));
    return out;
}

int ListSelectedRow(HWND list) {
    return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int ListFocusedRow(HWND list) {
    return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

}  // namespace quibtest
