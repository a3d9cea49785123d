#include "OtherProcess.h"

#include <commctrl.h>

namespace quibtest {

namespace {

constexpr size_t kTextChars = 1024;

// A block of memory inside another process, freed with the object.
class RemoteBlock {
public:
    RemoteBlock(HWND owner, size_t bytes) : bytes_(bytes) {
        DWORD pid = 0;
        GetWindowThreadProcessId(owner, &pid);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_) address_ = VirtualAllocEx(process_, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBlock() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    bool Valid() const { return address_ != nullptr; }
    char* At(size_t offset) const { return static_cast<char*>(address_) + offset; }
    bool Write(size_t offset, const void* data, size_t size) const {
        SIZE_T done = 0;
        return offset + size <= bytes_ && WriteProcessMemory(process_, At(offset), data, size, &done) && done == size;
    }
    bool Read(size_t offset, void* data, size_t size) const {
        SIZE_T done = 0;
        return offset + size <= bytes_ && ReadProcessMemory(process_, At(offset), data, size, &done) && done == size;
    }

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    size_t bytes_;
};

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, 256);
    return name;
}

struct Search {
    const std::wstring* className;
    DWORD pid;
    HWND found;
};

BOOL CALLBACK MatchChild(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<Search*>(lp);
    if (_wcsicmp(ClassOf(hwnd).c_str(), s->className->c_str()) == 0) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK MatchTop(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<Search*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == s->pid && IsWindowVisible(hwnd) && ClassOf(hwnd) == *s->className) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

bool PollFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= timeoutMs) return condition();
        Sleep(20);
    }
    return true;
}

HWND FindDescendant(HWND parent, const std::wstring& className) {
    Search s{&className, 0, nullptr};
    EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND FindProcessWindow(DWORD pid, const std::wstring& className) {
    Search s{&className, pid, nullptr};
    EnumWindows(MatchTop, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

bool IsWow64(DWORD pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process) return false;
    BOOL wow64 = FALSE;
    const BOOL ok = IsWow64Process(process, &wow64);
    CloseHandle(process);
    return ok && wow64;
}

int OtherListRowCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

int OtherListSelectedRow(HWND list) {
    return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::wstring OtherListCellText(HWND list, int row, int column) {
    const size_t textAt = (sizeof(LVITEMW) + 15) & ~size_t{15};
    RemoteBlock block(list, textAt + kTextChars * sizeof(wchar_t));
    if (!block.Valid()) return L"<no memory in the program>";
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = reinterpret_cast<LPWSTR>(block.At(textAt));
    item.cchTextMax = static_cast<int>(kTextChars);
    const wchar_t empty = 0;
    if (!block.Write(0, &item, sizeof item) || !block.Write(textAt, &empty, sizeof empty)) return L"<write failed>";
    const LRESULT length = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(block.At(0)));
    std::wstring text(static_cast<size_t>(length < 0 ? 0 : length), L'\0');
    if (!text.empty() && !block.Read(textAt, text.data(), text.size() * sizeof(wchar_t))) return L"<read failed>";
    return text;
}

std::vector<std::wstring> OtherListColumn(HWND list, int column) {
    std::vector<std::wstring> texts;
    const int rows = OtherListRowCount(list);
    for (int r = 0; r < rows; ++r) texts.push_back(OtherListCellText(list, r, column));
    return texts;
}

std::wstring OtherStatusText(HWND statusBar, int part) {
    const LRESULT info = SendMessageW(statusBar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0);
    const size_t length = LOWORD(info);
    RemoteBlock block(statusBar, (length + 1) * sizeof(wchar_t));
    if (!block.Valid()) return L"<no memory in the program>";
    SendMessageW(statusBar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(block.At(0)));
    std::wstring text(length, L'\0');
    if (length && !block.Read(0, text.data(), length * sizeof(wchar_t))) return L"<read failed>";
    return text;
}

}  // namespace quibtest
