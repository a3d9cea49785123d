#include "app/FilerLink.h"

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
struct Walk {
    const WindowFindFlags* flags;
    std::vector<std::wstring>* names;
    std::vector<std::wstring>* handles;
};

BOOL CALLBACK CollectWindow(HWND w, LPARAM p) {
    auto* walk = reinterpret_cast<Walk*>(p);
    wchar_t buf[513] = {};
    GetWindowTextW(w, buf, 512);
    const std::wstring caption = buf;
    for (int n = WindowListCount(caption, *walk->flags); n > 0; --n) {
        walk->names->push_back(caption);
        walk->handles->push_back(std::to_wstring(reinterpret_cast<INT_PTR>(w)));
    }
    return TRUE;
}
}  // namespace

void FindWindowsByCaption(const WindowFindFlags& flags, std::vector<std::wstring>& names,
                          std::vector<std::wstring>& handles) {
    Walk walk{&flags, &names, &handles};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&walk));
}

WindowFindFlags StartupWindowFlags() {
    WindowFindFlags f;
    f.BoolFindQuibFM = f.BoolFindHalvFM2008 = f.BoolFindPellFM = f.BoolFindPellFMmini = f.BoolFindQuibFMarchive = true;
    return f;
}

}  // namespace quib
