// The scale arithmetic as plain functions, the prefix this run stands in, and
// the real program (its manifest) at that scale. The readers the window
// tests share are here too.
#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdlib>

#include "DpiTestSupport.h"
#include "TestSupport.h"
#include "util/Dpi.h"

namespace quibtest {

UINT ExpectedDpi() {
    const char* v = std::getenv("QUIB_EXPECT_DPI");
    return v && *v ? static_cast<UINT>(std::atoi(v)) : 96u;
}

int At(int length96, UINT dpi) { return MulDiv(length96, static_cast<int>(dpi), 96); }

SIZE At(SIZE size96, UINT dpi) { return SIZE{At(size96.cx, dpi), At(size96.cy, dpi)}; }

SIZE FitToWorkArea(SIZE size, HWND window) {
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &mi);
    return SIZE{std::min<LONG>(size.cx, mi.rcWork.right - mi.rcWork.left),
                std::min<LONG>(size.cy, mi.rcWork.bottom - mi.rcWork.top)};
}

RECT ScreenRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

SIZE WindowSize(HWND window) {
    const RECT r = ScreenRect(window);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

SIZE MinimumTrackSize(HWND window) {
    MINMAXINFO mmi{};
    SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    return SIZE{mmi.ptMinTrackSize.x, mmi.ptMinTrackSize.y};
}

LOGFONTW FontOf(HWND control) {
    LOGFONTW lf{};
    if (auto f = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0))) GetObjectW(f, sizeof(lf), &lf);
    return lf;
}

TextBox MeasureText(HWND control) {
    TextBox t{};
    const std::wstring text = WindowText(control);
    HDC dc = GetDC(control);
    HGDIOBJ old = nullptr;
    if (auto f = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0))) old = SelectObject(dc, f);
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), -1, &r, DT_SINGLELINE | DT_CALCRECT);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    if (old) SelectObject(dc, old);
    ReleaseDC(control, dc);
    t.text = SIZE{r.right - r.left, r.bottom - r.top};
    t.lineHeight = tm.tmHeight;
    RECT c{};
    GetClientRect(control, &c);
    t.box = SIZE{c.right, c.bottom};
    return t;
}

namespace {
BOOL CALLBACK CollectLabel(HWND h, LPARAM p) {
    wchar_t cls[32] = {};
    GetClassNameW(h, cls, 32);
    if (lstrcmpiW(cls, L"Static") == 0 && IsWindowVisible(h)) reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
    return TRUE;
}
}  // namespace

std::vector<HWND> VisibleLabels(HWND top) {
    std::vector<HWND> labels;
    EnumChildWindows(top, CollectLabel, reinterpret_cast<LPARAM>(&labels));
    return labels;
}

std::vector<std::wstring> Overlaps(const std::vector<HWND>& controls) {
    std::vector<std::wstring> found;
    for (size_t i = 0; i < controls.size(); ++i) {
        for (size_t j = i + 1; j < controls.size(); ++j) {
            RECT a = ScreenRect(controls[i]), b = ScreenRect(controls[j]), both{};
            if (IntersectRect(&both, &a, &b))
                found.push_back(L"\"" + WindowText(controls[i]) + L"\" / \"" + WindowText(controls[j]) + L"\"");
        }
    }
    return found;
}

}  // namespace quibtest

using namespace quibtest;

TEST(DpiScale, LengthsAtAScale) {
    struct Case {
        int length;
        UINT dpi;
        int expected;
    } cases[] = {{780, 96, 780}, {780, 120, 975}, {780, 144, 1170}, {780, 192, 1560},
                 {67, 144, 101},  // 100.5 rounds up
                 {5, 144, 8}, {0, 192, 0}, {-4, 192, -8}};
    for (const auto& c : cases) EXPECT_EQ(quib::ScaleToDpi(c.length, c.dpi), c.expected) << c.length << " @" << c.dpi;
    const SIZE s = quib::ScaleToDpi(SIZE{860, 480}, 144);
    EXPECT_EQ(s.cx, 1290);
    EXPECT_EQ(s.cy, 720);
}

TEST(DpiScale, LengthsFromOneScaleToAnother) {
    EXPECT_EQ(quib::RescaleDpi(100, 96, 192), 200);
    EXPECT_EQ(quib::RescaleDpi(200, 192, 96), 100);
    EXPECT_EQ(quib::RescaleDpi(101, 144, 96), 67);
    EXPECT_EQ(quib::RescaleDpi(77, 120, 120), 77);
    // A DPI never known leaves the length alone rather than dividing by zero.
    EXPECT_EQ(quib::RescaleDpi(77, 0, 192), 77);
}

TEST(DpiScale, SizesAreCutToTheArea) {
    const SIZE a = quib::FitInto(SIZE{1560, 1100}, SIZE{1280, 1024});
    EXPECT_EQ(a.cx, 1280);
    EXPECT_EQ(a.cy, 1024);
    const SIZE b = quib::FitInto(SIZE{780, 550}, SIZE{1280, 1024});
    EXPECT_EQ(b.cx, 780);
    EXPECT_EQ(b.cy, 550);
    // No area known: nothing is cut.
    const SIZE c = quib::FitInto(SIZE{780, 550}, SIZE{0, 0});
    EXPECT_EQ(c.cx, 780);
    EXPECT_EQ(c.cy, 550);
}

TEST(DpiScale, FontHeightsOfPointSizes) {
    EXPECT_EQ(quib::FontHeightForDpi(14, 96), -19);
    EXPECT_EQ(quib::FontHeightForDpi(14, 144), -28);
    EXPECT_EQ(quib::FontHeightForDpi(14, 192), -37);
    EXPECT_EQ(quib::FontHeightForDpi(9, 192), -24);
}

// The run means nothing unless the prefix really has its scale and the
// program is told the real DPI (a program Windows scales would see 96).
TEST(DpiPrefix, HasTheScaleOfThisRunAndThePerMonitorAwareness) {
    EXPECT_EQ(quib::SystemDpi(), ExpectedDpi());
    HDC dc = GetDC(nullptr);
    EXPECT_EQ(static_cast<UINT>(GetDeviceCaps(dc, LOGPIXELSY)), ExpectedDpi());
    ReleaseDC(nullptr, dc);
    using GetContext = HANDLE(WINAPI*)();
    using GetAwareness = int(WINAPI*)(HANDLE);
    HMODULE user = GetModuleHandleW(L"user32.dll");
    auto getContext = reinterpret_cast<GetContext>(reinterpret_cast<void*>(GetProcAddress(user, "GetThreadDpiAwarenessContext")));
    auto getAwareness = reinterpret_cast<GetAwareness>(
        reinterpret_cast<void*>(GetProcAddress(user, "GetAwarenessFromDpiAwarenessContext")));
    ASSERT_TRUE(getContext && getAwareness);
    EXPECT_EQ(getAwareness(getContext()), 2) << "per-monitor aware";
}

// The shipped program, started as a user starts it (its manifest declares
// the awareness): its main window and list are laid out for the scale.
TEST(DpiProgram, TheRealProgramOpensLaidOutForTheScale) {
    const UINT dpi = ExpectedDpi();
    ProgramFolder folder;
    RunningProgram program(folder.Exe(), L"");
    ASSERT_TRUE(program.Started());
    HWND main = program.WaitForWindow(L" - quibFMarchive");
    ASSERT_NE(main, nullptr);
    const SIZE expected = FitToWorkArea(At(SIZE{780, 550}, dpi), main);
    const SIZE size = WindowSize(main);
    EXPECT_EQ(size.cx, expected.cx);
    EXPECT_EQ(size.cy, expected.cy);
    HWND list = FindWindowExW(main, nullptr, WC_LISTVIEWW, nullptr);
    ASSERT_NE(list, nullptr);
    // Widths asked of the control across the process boundary (no pointers).
    const int defaults[] = {30, -1, 65, 88, 115, 95, 70};
    for (int c = 0; c < 7; ++c) {
        if (defaults[c] < 0) continue;
        EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c), 0), At(defaults[c], dpi)) << c;
    }
    EXPECT_EQ(program.CloseAndWait(main), 0);
}
