#include "app/FilerLink.h"

#include <algorithm>
#include <functional>

#include "util/StrConv.h"
#include "util/TextFile.h"

namespace quib {

int WindowListCount(const std::wstring& caption, const WindowFindFlags& flags) {
    const struct {
        bool on;
        const wchar_t* suffix;
    } kinds[] = {
        {flags.BoolFindQuibFM, L" - quibFM"},
        {flags.BoolFindHalvFM2008, L" - HalvFM2008"},
        {flags.BoolFindPellFM, L" - PellFM"},
        {flags.BoolFindPellFMmini, L" - PellFMmini"},
        {flags.BoolFindQuibFMarchive, L" - quibFMarchive"},
    };
    int count = flags.BoolFindAllApli ? 1 : 0;
    for (const auto& k : kinds)
        if (k.on && caption.find(k.suffix) != std::wstring::npos) ++count;
    return count;
}

namespace {

std::wstring WindowCaption(HWND w) {
    wchar_t buf[513] = {};
    GetWindowTextW(w, buf, 512);
    return buf;
}

// Every top-level window, each listed as often as count says.
struct Walk {
    std::function<int(const std::wstring&)> count;
    std::vector<std::wstring>* names;
    std::vector<std::wstring>* handles;
};

BOOL CALLBACK CollectWindow(HWND w, LPARAM p) {
    auto* walk = reinterpret_cast<Walk*>(p);
    const std::wstring caption = WindowCaption(w);
    for (int n = walk->count(caption); n > 0; --n) {
        walk->names->push_back(caption);
        walk->handles->push_back(HandleText(w));
    }
    return TRUE;
}

void CollectWindows(std::function<int(const std::wstring&)> count, std::vector<std::wstring>& names,
                    std::vector<std::wstring>& handles) {
    Walk walk{std::move(count), &names, &handles};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&walk));
}

}  // namespace

void FindWindowsByCaption(const WindowFindFlags& flags, std::vector<std::wstring>& names,
                          std::vector<std::wstring>& handles) {
    CollectWindows([&flags](const std::wstring& caption) { return WindowListCount(caption, flags); }, names,
                   handles);
}

WindowFindFlags StartupWindowFlags() {
    WindowFindFlags f;
    f.BoolFindQuibFM = f.BoolFindHalvFM2008 = f.BoolFindPellFM = f.BoolFindPellFMmini = f.BoolFindQuibFMarchive = true;
    return f;
}

WindowFindFlags InstanceWindowFlags() {
    WindowFindFlags f;
    f.BoolFindQuibFMarchive = true;
    return f;
}

HWND HandleFromText(const std::wstring& text) {
    if (text.empty() || text.size() > 20) return nullptr;
    for (wchar_t c : text)
        if (c < L'0' || c > L'9') return nullptr;
    const unsigned long long v = wcstoull(text.c_str(), nullptr, 10);
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(v));
}

std::wstring HandleText(HWND window) { return std::to_wstring(reinterpret_cast<UINT_PTR>(window)); }

void BringWindowToFront(HWND window) {
    if (!window || !IsWindow(window)) return;
    SetForegroundWindow(window);
    // Windows puts the foreground window on top of the others; said once more
    // for systems that only activate it (Wine without a window manager), since
    // the instance switch takes the topmost instance for the current one.
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (IsIconic(window)) SendMessageW(window, WM_SYSCOMMAND, SC_RESTORE, -1);
}

InstanceChoice ChooseNextInstance(const std::vector<std::wstring>& fileLines, const std::vector<std::wstring>& found,
                                  int index, const std::wstring& currentInstance) {
    InstanceChoice choice;
    if (found.size() <= 1) return choice;
    std::vector<std::wstring> all = fileLines;
    all.insert(all.end(), found.begin(), found.end());
    for (const std::wstring& h : all) {
        if (std::find(choice.rotation.begin(), choice.rotation.end(), h) != choice.rotation.end()) continue;
        if (std::find(found.begin(), found.end(), h) == found.end()) continue;
        choice.rotation.push_back(h);
    }
    const int count = static_cast<int>(choice.rotation.size());
    int start = index + 1;
    // A negative index (a hand-edited setting) starts from the top as well.
    if (start >= count || start < 0) start = 0;
    // The instance that switches is the foreground window, normally the
    // topmost one too; but a system may raise a window a moment after it
    // activated it, so the instance names itself when it can.
    const bool named = std::find(found.begin(), found.end(), currentInstance) != found.end();
    const std::wstring& current = named ? currentInstance : found.front();
    for (int i = start; i < count; ++i) {
        if (choice.rotation[static_cast<size_t>(i)] != current) {
            choice.position = i;
            return choice;
        }
    }
    for (int i = 0; i < start; ++i) {
        if (choice.rotation[static_cast<size_t>(i)] != current) {
            choice.position = i;
            return choice;
        }
    }
    return choice;
}

// ---------------------------------------------------------------- title lines

FilerTitleLines DefaultFilerTitleLines() { return {L"1 - quibFM", L"1 - PellFM", L"0", L"0"}; }

FilerTitleLines ReadFilerTitleLines(const std::wstring& path) {
    std::wstring text;
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES || !ReadTextFileDefault(path, text))
        return DefaultFilerTitleLines();
    // A file cut short by hand gives empty (disabled) lines instead of failing
    // the dialog.
    const std::vector<std::wstring> read = SplitLines(text);
    FilerTitleLines lines;
    for (size_t i = 0; i < lines.size() && i < read.size(); ++i) lines[i] = read[i];
    return lines;
}

bool WriteFilerTitleLines(const std::wstring& path, const FilerTitleLines& lines) {
    return WriteUtf16Lines(path, std::vector<std::wstring>(lines.begin(), lines.end()));
}

bool TitleLineEnabled(const std::wstring& line) { return !line.empty() && line[0] == L'1'; }

std::wstring TitleLineFragment(const std::wstring& line) { return line.size() >= 4 ? line.substr(2) : std::wstring(); }

std::wstring MakeTitleLine(bool enabled, const std::wstring& fragment) {
    return (enabled ? L"1 " : L"0 ") + fragment;
}

int FilerTitleMatchCount(const std::wstring& caption, const FilerTitleLines& lines) {
    const std::wstring upper = ToUpper(caption);
    if (upper.find(ToUpper(L" - quibFMarchive")) != std::wstring::npos) return 0;
    int count = 0;
    for (const std::wstring& line : lines) {
        if (!TitleLineEnabled(line) || line.size() <= 3) continue;
        if (upper.find(ToUpper(line.substr(2))) != std::wstring::npos) ++count;
    }
    return count;
}

void FindFilerWindows(const FilerTitleLines& lines, std::vector<std::wstring>& names,
                      std::vector<std::wstring>& handles) {
    CollectWindows([&lines](const std::wstring& caption) { return FilerTitleMatchCount(caption, lines); }, names,
                   handles);
}

}  // namespace quib
