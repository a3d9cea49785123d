#include "util/Dpi.h"

#include <algorithm>
#include <cstddef>
#include <map>

namespace quib {
namespace {

const wchar_t kDpiProp[] = L"quibFMarchiveDpi";

// MONITOR_DPI_TYPE's effective DPI (shellscalingapi.h is not in Windows 7's SDK).
constexpr int kMdtEffectiveDpi = 0;

struct DpiApi {
    UINT(WINAPI* getDpiForWindow)(HWND) = nullptr;
    UINT(WINAPI* getDpiForSystem)() = nullptr;
    BOOL(WINAPI* systemParametersInfoForDpi)(UINT, UINT, PVOID, UINT, UINT) = nullptr;
    int(WINAPI* getSystemMetricsForDpi)(int, UINT) = nullptr;
    HRESULT(WINAPI* getDpiForMonitor)(HMONITOR, int, UINT*, UINT*) = nullptr;
};

template <typename F>
void Lookup(HMODULE module, const char* name, F& fn) {
    fn = module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

HMODULE SystemLibrary(const wchar_t* name) {
    if (HMODULE m = GetModuleHandleW(name)) return m;
    wchar_t path[MAX_PATH] = {};
    const UINT n = GetSystemDirectoryW(path, MAX_PATH);
    if (n == 0 || n + 1 + lstrlenW(name) >= MAX_PATH) return nullptr;
    lstrcatW(path, L"\\");
    lstrcatW(path, name);
    return LoadLibraryW(path);
}

const DpiApi& Api() {
    static const DpiApi api = [] {
        DpiApi a;
        HMODULE user = GetModuleHandleW(L"user32.dll");
        Lookup(user, "GetDpiForWindow", a.getDpiForWindow);
        Lookup(user, "GetDpiForSystem", a.getDpiForSystem);
        Lookup(user, "SystemParametersInfoForDpi", a.systemParametersInfoForDpi);
        Lookup(user, "GetSystemMetricsForDpi", a.getSystemMetricsForDpi);
        // Windows 8.1 and later.
        Lookup(SystemLibrary(L"shcore.dll"), "GetDpiForMonitor", a.getDpiForMonitor);
        return a;
    }();
    return api;
}

UINT Valid(UINT dpi) { return dpi >= 48 && dpi <= 960 ? dpi : 0; }

}  // namespace

int ScaleToDpi(int length96, UINT dpi) { return MulDiv(length96, static_cast<int>(dpi), static_cast<int>(kBaseDpi)); }

SIZE ScaleToDpi(SIZE size96, UINT dpi) { return SIZE{ScaleToDpi(size96.cx, dpi), ScaleToDpi(size96.cy, dpi)}; }

int RescaleDpi(int length, UINT fromDpi, UINT toDpi) {
    if (fromDpi == 0 || fromDpi == toDpi) return length;
    return MulDiv(length, static_cast<int>(toDpi), static_cast<int>(fromDpi));
}

SIZE FitInto(SIZE size, SIZE area) {
    return SIZE{area.cx > 0 ? std::min(size.cx, area.cx) : size.cx, area.cy > 0 ? std::min(size.cy, area.cy) : size.cy};
}

int FontHeightForDpi(int pointSize, UINT dpi) { return -MulDiv(pointSize, static_cast<int>(dpi), 72); }

UINT SystemDpi() {
    if (Api().getDpiForSystem) {
        if (const UINT d = Valid(Api().getDpiForSystem())) return d;
    }
    HDC dc = GetDC(nullptr);
    const UINT d = Valid(static_cast<UINT>(GetDeviceCaps(dc, LOGPIXELSY)));
    ReleaseDC(nullptr, dc);
    return d ? d : kBaseDpi;
}

UINT DpiOfWindow(HWND hwnd) {
    if (!hwnd || !IsWindow(hwnd)) return SystemDpi();
    HWND root = GetAncestor(hwnd, GA_ROOT);
    if (const UINT recorded = Valid(static_cast<UINT>(reinterpret_cast<UINT_PTR>(GetPropW(root ? root : hwnd, kDpiProp)))))
        return recorded;
    if (Api().getDpiForWindow) {
        if (const UINT d = Valid(Api().getDpiForWindow(hwnd))) return d;
    }
    return SystemDpi();
}

UINT DpiAtPoint(POINT pt) {
    if (Api().getDpiForMonitor) {
        UINT x = 0, y = 0;
        HMONITOR monitor = MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST);
        if (monitor && SUCCEEDED(Api().getDpiForMonitor(monitor, kMdtEffectiveDpi, &x, &y)) && Valid(y)) return y;
    }
    return SystemDpi();
}

UINT ControlDpiChangedMessage() {
    static const UINT message = RegisterWindowMessageW(L"quibFMarchiveControlDpiChanged");
    return message;
}

void RecordWindowDpi(HWND top, UINT dpi) {
    if (top && Valid(dpi)) SetPropW(top, kDpiProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(dpi)));
}

void ForgetWindowDpi(HWND top) {
    if (top) RemovePropW(top, kDpiProp);
}

namespace {
NONCLIENTMETRICSW NonClientMetricsForDpi(UINT dpi) {
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    if (Api().systemParametersInfoForDpi &&
        Api().systemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0, dpi))
        return ncm;
    ncm = NONCLIENTMETRICSW{};
    ncm.cbSize = sizeof(ncm);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) {
        // Windows before Vista knows the structure without its last member.
        ncm.cbSize = static_cast<UINT>(offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth));
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0);
    }
    // The system's fonts are for the system DPI.
    const UINT system = SystemDpi();
    for (LOGFONTW* f : {&ncm.lfMessageFont, &ncm.lfMenuFont, &ncm.lfStatusFont, &ncm.lfCaptionFont})
        f->lfHeight = RescaleDpi(f->lfHeight, system, dpi);
    return ncm;
}
}  // namespace

LOGFONTW MessageFontForDpi(UINT dpi) { return NonClientMetricsForDpi(dpi).lfMessageFont; }

HFONT MenuFontForDpi(UINT dpi) {
    static std::map<UINT, HFONT> fonts;
    auto it = fonts.find(dpi);
    if (it != fonts.end()) return it->second;
    const LOGFONTW lf = NonClientMetricsForDpi(dpi).lfMenuFont;
    HFONT f = lf.lfFaceName[0] ? CreateFontIndirectW(&lf) : nullptr;
    if (!f) f = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    fonts.emplace(dpi, f);
    return f;
}

int SystemMetricForDpi(int index, UINT dpi) {
    if (Api().getSystemMetricsForDpi) return Api().getSystemMetricsForDpi(index, dpi);
    return RescaleDpi(GetSystemMetrics(index), SystemDpi(), dpi);
}

HFONT CreatePointFont(const std::wstring& face, int pointSize, UINT dpi) {
    return CreateFontW(FontHeightForDpi(pointSize, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_DONTCARE, face.c_str());
}

RECT WorkAreaOf(HWND hwnd) {
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    HMONITOR m = hwnd ? MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST) : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    if (m && GetMonitorInfoW(m, &mi)) return mi.rcWork;
    RECT r{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

}  // namespace quib
