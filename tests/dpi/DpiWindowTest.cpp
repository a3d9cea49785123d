// The main window and the key-map viewer at the scale of this run's prefix,
// and moved to another scale (WM_DPICHANGED as Windows sends it when a window
// is dragged onto a monitor of another scale): sizes, column widths, status
// parts, fonts and label rectangles read back from the controls.
#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include <numeric>

#include "DpiTestSupport.h"
#include "FormTestSupport.h"
#include "MainWindowHarness.h"
#include "app/FormHelp.h"
#include "app/FormLog.h"
#include "app/MainMenuTable.h"
#include "extract/FormDrive.h"
#include "extract/FormExtract.h"
#include "extract/FormJumpFolderEx.h"
#include "extract/FormMakeFolder.h"
#include "app/FormSelectDll.h"
#include "extract/FormDelete.h"
#include "extract/FormPassword.h"
#include "extract/FormRename.h"
#include "extract/FormSort.h"
#include "launch/FormExecute.h"
#include "settings/FormArchiveSetting.h"
#include "settings/FormSetting.h"
#include "launch/FormExtention.h"
#include "keymap/FormKeyMap.h"
#include "util/Dpi.h"
#include "util/IniFile.h"
#include "util/StrConv.h"

using namespace quibtest;

namespace {

// Column defaults of the main window's list at 96 DPI (the name column takes the rest).
const int kMainColumns[7] = {30, -1, 65, 88, 115, 95, 70};
const int kStatusParts[5] = {160, 95, 55, 95, 55};

// The other scale a window is moved to from this run's.
UINT OtherDpi() { return ExpectedDpi() == 96 ? 192 : 96; }

HWND PanelHolding(HWND label) { return GetParent(label); }

// Every visible information label: no two overlap, each is as tall as its
// font's line, and every text fits except the archive's path (data of any
// length). Sizes and counts are padded with spaces and shown flush right:
// their digits must fit.
void ExpectInformationLabelsLaidOut(HWND main, const std::wstring& when) {
    SCOPED_TRACE(when);
    const std::vector<HWND> labels = VisibleLabels(main);
    ASSERT_GE(labels.size(), 16u);
    const std::vector<std::wstring> overlaps = Overlaps(labels);
    EXPECT_TRUE(overlaps.empty()) << "overlapping labels, first: " << (overlaps.empty() ? std::string() : std::string(overlaps[0].begin(), overlaps[0].end()));
    for (HWND l : labels) {
        const bool right = (GetWindowLongPtrW(l, GWL_STYLE) & SS_TYPEMASK) == SS_RIGHT;
        const std::wstring shown = WindowText(l);
        const std::wstring text = right ? shown.substr(std::min(shown.find_first_not_of(L' '), shown.size())) : shown;
        SetWindowTextW(l, text.c_str());
        const TextBox t = MeasureText(l);
        SetWindowTextW(l, shown.c_str());
        EXPECT_LE(t.lineHeight, t.box.cy) << "too low for its font: " << std::string(text.begin(), text.end());
        if (text.find(L'\\') == std::wstring::npos) {
            EXPECT_LE(t.text.cx, t.box.cx) << "cut off: " << std::string(text.begin(), text.end());
        }
        // Inside its panel.
        RECT panel = ScreenRect(PanelHolding(l)), r = ScreenRect(l);
        EXPECT_LE(r.bottom, panel.bottom) << std::string(text.begin(), text.end());
    }
}

// Column widths of the main window's list, the name column aside, at a DPI;
// the texts of the file row fit their columns.
void ExpectMainColumns(HWND list, UINT dpi, const std::wstring& when) {
    SCOPED_TRACE(when);
    for (int c = 0; c < 7; ++c) {
        if (kMainColumns[c] < 0) continue;
        EXPECT_EQ(ListView_GetColumnWidth(list, c), At(kMainColumns[c], dpi)) << "column " << c;
    }
    // No "...": the date, time, attribute and extension of a file row fit.
    const int row = 2;  // b.txt
    ASSERT_EQ(ListCellText(list, row, 1), L"b.txt");
    for (int c : {2, 4, 5, 6}) {
        const std::wstring text = ListCellText(list, row, c);
        const int width = static_cast<int>(SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
        EXPECT_LE(width + At(12, dpi), ListView_GetColumnWidth(list, c)) << "column " << c << " " << std::string(text.begin(), text.end());
    }
}

void ExpectStatusParts(HWND bar, UINT dpi) {
    int parts[8] = {};
    ASSERT_EQ(SendMessageW(bar, SB_GETPARTS, 8, reinterpret_cast<LPARAM>(parts)), 6);
    int right = 0;
    for (int i = 0; i < 5; ++i) EXPECT_EQ(parts[i], right += At(kStatusParts[i], dpi)) << "part " << i;
    // The texts shown fit their parts.
    HDC dc = GetDC(bar);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(bar, WM_GETFONT, 0, 0)));
    for (int i = 0; i < 5; ++i) {
        wchar_t text[256] = {};
        SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        SIZE s{};
        GetTextExtentPoint32W(dc, text, lstrlenW(text), &s);
        RECT r{};
        SendMessageW(bar, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        EXPECT_LE(s.cx, r.right - r.left) << "part " << i;
        EXPECT_LE(s.cy, r.bottom - r.top) << "part " << i;
    }
    SelectObject(dc, old);
    ReleaseDC(bar, dc);
}

void ExpectMainFonts(quib::TFormMain& f, UINT dpi) {
    const LONG h14 = -MulDiv(14, static_cast<int>(dpi), 72);
    EXPECT_EQ(FontOf(f.ListView1()).lfHeight, h14) << "list";
    for (HWND l : VisibleLabels(f.Handle())) EXPECT_EQ(FontOf(l).lfHeight, h14) << "information label";
    // The status bar has the window's font: the message font at the DPI.
    EXPECT_EQ(FontOf(f.StatusBar1()).lfHeight, quib::MessageFontForDpi(dpi).lfHeight) << "status bar";
}

// The main window on an archive with the file row selected (its details shown).
quib::TFormMain& StartOnArchive(MainWindowHarness& h) {
    auto& f = h.Start({ProgramFixture(L"levels.zip")});
    EXPECT_TRUE(WaitFor([&] { return ListRowCount(f.ListView1()) == 3; }));
    f.SelectRow(2, false);
    f.InformationUpdate();
    Pump(50);
    return f;
}

// What Windows sends when the window is dragged onto a monitor of another
// scale: the new DPI and a rectangle of the window's size at that scale.
RECT MoveToDpi(HWND window, UINT from, UINT to) {
    const RECT r = ScreenRect(window);
    const RECT suggested{r.left, r.top, r.left + MulDiv(r.right - r.left, static_cast<int>(to), static_cast<int>(from)),
                         r.top + MulDiv(r.bottom - r.top, static_cast<int>(to), static_cast<int>(from))};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
    Pump(50);
    return suggested;
}

void ExpectRect(const RECT& actual, const RECT& expected) {
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.right, expected.right);
    EXPECT_EQ(actual.bottom, expected.bottom);
}

}  // namespace

TEST(DpiMainWindow, OpensAtTheDefaultSizeAndMinimumForTheScale) {
    const UINT dpi = ExpectedDpi();
    MainWindowHarness h;
    auto& f = h.Start();
    EXPECT_EQ(f.Dpi(), dpi);
    const SIZE expected = FitToWorkArea(At(SIZE{780, 550}, dpi), f.Handle());
    const SIZE size = WindowSize(f.Handle());
    EXPECT_EQ(size.cx, expected.cx);
    EXPECT_EQ(size.cy, expected.cy);
    const SIZE minimum = MinimumTrackSize(f.Handle());
    EXPECT_EQ(minimum.cx, expected.cx);
    EXPECT_EQ(minimum.cy, expected.cy);
}

TEST(DpiMainWindow, ColumnsStatusBarFontsAndLabelsFollowTheScale) {
    const UINT dpi = ExpectedDpi();
    MainWindowHarness h;
    auto& f = StartOnArchive(h);
    ExpectMainColumns(f.ListView1(), dpi, L"opened");
    // The name column takes what the others leave.
    RECT lc{};
    GetClientRect(f.ListView1(), &lc);
    int others = 0;
    for (int c = 0; c < 7; ++c)
        if (c != 1) others += ListView_GetColumnWidth(f.ListView1(), c);
    EXPECT_EQ(ListView_GetColumnWidth(f.ListView1(), 1), lc.right - others);
    ExpectStatusParts(f.StatusBar1(), dpi);
    ExpectMainFonts(f, dpi);
    // The information panel is its designed height at the scale.
    const std::vector<HWND> labels = VisibleLabels(f.Handle());
    ASSERT_FALSE(labels.empty());
    HWND panel9 = GetParent(PanelHolding(labels.front()));
    EXPECT_EQ(WindowSize(panel9).cy, At(112, dpi));
    ExpectInformationLabelsLaidOut(f.Handle(), L"narrow window");

    // Wide enough for the archive totals beside the entry details.
    SetWindowPos(f.Handle(), nullptr, 0, 0, At(1200, dpi), At(600, dpi), SWP_NOZORDER | SWP_NOMOVE);
    Pump(50);
    EXPECT_GE(VisibleLabels(f.Handle()).size(), 24u) << "the totals are shown";
    ExpectInformationLabelsLaidOut(f.Handle(), L"wide window");
}

TEST(DpiMainWindow, SavedPlacementAndColumnWidthsStayThePixelsTheFileHolds) {
    const UINT dpi = ExpectedDpi();
    MainWindowHarness h;
    // Sizes no scale gives by itself, above the minimum at every scale.
    const int width = At(780, dpi) + 37, height = At(550, dpi) + 23;
    h.Setting(L"FormMain", L"Left", L"10");
    h.Setting(L"FormMain", L"Top", L"20");
    h.Setting(L"FormMain", L"Width", std::to_wstring(width));
    h.Setting(L"FormMain", L"Height", std::to_wstring(height));
    h.Setting(L"ListViewWidthMain", L"0", L"41");
    h.Setting(L"ListViewWidthMain", L"2", L"77");
    auto& f = StartOnArchive(h);
    ExpectRect(ScreenRect(f.Handle()), RECT{10, 20, 10 + width, 20 + height});
    EXPECT_EQ(ListView_GetColumnWidth(f.ListView1(), 0), 41);
    EXPECT_EQ(ListView_GetColumnWidth(f.ListView1(), 2), 77);
    EXPECT_EQ(ListView_GetColumnWidth(f.ListView1(), 4), At(115, dpi)) << "a width the file lacks";
    h.Close();
    EXPECT_EQ(h.ReadSetting(L"FormMain", L"Width"), std::to_wstring(width));
    EXPECT_EQ(h.ReadSetting(L"FormMain", L"Height"), std::to_wstring(height));
    EXPECT_EQ(h.ReadSetting(L"ListViewWidthMain", L"2"), L"77");
}

TEST(DpiMainWindow, TheColumnWidthResetGivesTheDefaultsAtTheScale) {
    const UINT dpi = ExpectedDpi();
    MainWindowHarness h;
    h.Setting(L"ListViewWidthMain", L"4", L"33");
    auto& f = StartOnArchive(h);
    ASSERT_EQ(ListView_GetColumnWidth(f.ListView1(), 4), 33);
    h.Command(quib::tag::MenuListViewWidthInit);
    ExpectMainColumns(f.ListView1(), dpi, L"after the reset");
}

TEST(DpiChange, TheMainWindowMovedToAnotherScaleIsLaidOutForIt) {
    const UINT from = ExpectedDpi(), to = OtherDpi();
    MainWindowHarness h;
    auto& f = StartOnArchive(h);
    // A width the user chose is kept in proportion.
    ListView_SetColumnWidth(f.ListView1(), 2, At(100, from));
    const RECT suggested = MoveToDpi(f.Handle(), from, to);

    EXPECT_EQ(f.Dpi(), to);
    ExpectRect(ScreenRect(f.Handle()), suggested);
    EXPECT_EQ(ListView_GetColumnWidth(f.ListView1(), 2), At(100, to));
    for (int c : {0, 3, 4, 5, 6}) EXPECT_EQ(ListView_GetColumnWidth(f.ListView1(), c), At(kMainColumns[c], to)) << c;
    ExpectStatusParts(f.StatusBar1(), to);
    ExpectMainFonts(f, to);
    const SIZE minimum = MinimumTrackSize(f.Handle());
    const SIZE expected = FitToWorkArea(At(SIZE{780, 550}, to), f.Handle());
    EXPECT_EQ(minimum.cx, expected.cx);
    EXPECT_EQ(minimum.cy, expected.cy);
    HWND panel9 = GetParent(PanelHolding(VisibleLabels(f.Handle()).front()));
    EXPECT_EQ(WindowSize(panel9).cy, At(112, to));
    ExpectInformationLabelsLaidOut(f.Handle(), L"moved");
    // The text area has its font at the new scale too.
    EXPECT_EQ(FontOf(f.Memo1()).lfHeight, -MulDiv(14, static_cast<int>(to), 72));

    // And back: the window is as it was.
    MoveToDpi(f.Handle(), to, from);
    EXPECT_EQ(f.Dpi(), from);
    ExpectMainFonts(f, from);
    EXPECT_EQ(ListView_GetColumnWidth(f.ListView1(), 2), At(100, from));
    ExpectStatusParts(f.StatusBar1(), from);

    // What is saved is the window's pixels.
    const RECT now = ScreenRect(f.Handle());
    h.Close();
    EXPECT_EQ(h.ReadSetting(L"FormMain", L"Width"), std::to_wstring(now.right - now.left));
    EXPECT_EQ(h.ReadSetting(L"ListViewWidthMain", L"2"), std::to_wstring(At(100, from)));
}

namespace {

struct ViewerCase {
    bool japanese;
    int pointSize;  // the language's font ([SystemFontJpn] / [SystemFontEng] defaults)
};

class DpiKeyMapViewer : public ::testing::TestWithParam<ViewerCase> {};

std::vector<HWND> Buttons(const quib::TFormKeyMap& v) {
    using K = quib::TFormKeyMap;
    return {v.Button(K::kTagButtonSort0), v.Button(K::kTagButtonSort1), v.Button(K::kTagButtonCopy),
            v.Button(K::kTagButtonClose)};
}

void ExpectViewerLaidOut(const quib::TFormKeyMap& v, UINT dpi, int pointSize) {
    const int widths[5] = {140, -1, 295, 100, 10};
    for (int c = 0; c < 5; ++c) {
        if (widths[c] >= 0) {
            EXPECT_EQ(ListView_GetColumnWidth(v.ListView1(), c), At(widths[c], dpi)) << "column " << c;
        }
    }
    const std::vector<HWND> buttons = Buttons(v);
    const std::vector<std::wstring> overlaps = Overlaps(buttons);
    EXPECT_TRUE(overlaps.empty());
    const RECT client = [&] {
        RECT r{};
        GetClientRect(v.Handle(), &r);
        MapWindowPoints(v.Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }();
    for (HWND b : buttons) {
        const std::wstring text = WindowText(b);
        SCOPED_TRACE(std::string(text.begin(), text.end()));
        EXPECT_EQ(FontOf(b).lfHeight, -MulDiv(pointSize, static_cast<int>(dpi), 72));
        EXPECT_EQ(WindowSize(b).cy, At(28, dpi));
        EXPECT_GE(WindowSize(b).cx, At(130, dpi));
        const TextBox t = MeasureText(b);
        EXPECT_LE(t.text.cx + At(8, dpi), t.box.cx) << "caption cut";
        EXPECT_LE(t.lineHeight, t.box.cy);
        RECT r = ScreenRect(b);
        EXPECT_LE(r.right, client.right);
        EXPECT_LE(r.bottom, client.bottom);
    }
}

}  // namespace

TEST_P(DpiKeyMapViewer, OpensLaidOutForTheScaleAndFollowsAMove) {
    const UINT dpi = ExpectedDpi();
    MainWindowHarness h;
    CopyTree(BinDir() + L"\\Language", h.Folder() / L"Language");
    h.Setting(L"Language", L"Japanese", GetParam().japanese ? L"1" : L"0");
    h.Start();
    quib::FormInstance<quib::TFormKeyMap> viewer;
    viewer.Create();
    viewer.Show();
    Pump(100);
    ASSERT_GT(ListRowCount(viewer.ListView1()), 0);
    EXPECT_EQ(viewer.Dpi(), dpi);
    const SIZE expected = FitToWorkArea(At(SIZE{860, 480}, dpi), viewer.Handle());
    const SIZE size = WindowSize(viewer.Handle());
    EXPECT_EQ(size.cx, expected.cx);
    EXPECT_EQ(size.cy, expected.cy);
    const SIZE minimum = MinimumTrackSize(viewer.Handle());
    EXPECT_EQ(minimum.cx, expected.cx);
    EXPECT_EQ(minimum.cy, expected.cy);
    EXPECT_EQ(FontOf(viewer.ListView1()).lfHeight, quib::MessageFontForDpi(dpi).lfHeight) << "the list has the window's font";
    {
        SCOPED_TRACE("opened");
        ExpectViewerLaidOut(viewer, dpi, GetParam().pointSize);
    }

    const UINT to = OtherDpi();
    const RECT suggested = MoveToDpi(viewer.Handle(), dpi, to);
    ExpectRect(ScreenRect(viewer.Handle()), suggested);
    EXPECT_EQ(FontOf(viewer.ListView1()).lfHeight, quib::MessageFontForDpi(to).lfHeight);
    {
        SCOPED_TRACE("moved");
        ExpectViewerLaidOut(viewer, to, GetParam().pointSize);
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, DpiKeyMapViewer,
                         ::testing::Values(ViewerCase{true, 14}, ViewerCase{false, 12}),
                         [](const auto& info) { return std::string(info.param.japanese ? "Japanese" : "English"); });

TEST(DpiTextWindows, TheLogAndHelpOpenAtTheirDefaultSizesForTheScale) {
    const UINT dpi = ExpectedDpi();
    struct Case {
        int command;
        const wchar_t* caption;
        SIZE size;
    } cases[] = {{quib::tag::MenuShowLog, L"ログ表示", {800, 600}}, {quib::tag::MenuShowHelp, L"ヘルプ表示", {880, 600}}};
    MainWindowHarness h;
    h.Setting(L"Language", L"Japanese", L"1");
    h.Start();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        SIZE size{}, minimum{}, expected{};
        DuringModal driver([&] {
            HWND w = FindThreadWindow(c.caption);
            if (!w) return false;
            size = WindowSize(w);
            minimum = MinimumTrackSize(w);
            expected = FitToWorkArea(At(c.size, dpi), w);
            SendMessageW(w, WM_CLOSE, 0, 0);
            return true;
        });
        h.Command(c.command);
        ASSERT_TRUE(driver.Done());
        EXPECT_EQ(size.cx, expected.cx);
        EXPECT_EQ(size.cy, expected.cy);
        EXPECT_EQ(minimum.cx, expected.cx);
        EXPECT_EQ(minimum.cy, expected.cy);
    }
}

namespace {

BOOL CALLBACK CollectTextControl(HWND h, LPARAM p) {
    wchar_t cls[32] = {};
    GetClassNameW(h, cls, 32);
    if ((lstrcmpiW(cls, L"Static") == 0 || lstrcmpiW(cls, L"Button") == 0) && IsWindowVisible(h) &&
        GetWindowTextLengthW(h) > 0)
        reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
    return TRUE;
}

// Every label, button and check box of a dialog shows its whole text at this
// scale: as tall as its font's line, and as wide as the text plus what the
// control draws beside it (a push button's edges, a check box's box).
void ExpectTextsFit(HWND dialog, const std::wstring& name) {
    SCOPED_TRACE(quib::WideToUtf8(name));
    std::vector<HWND> controls;
    EnumChildWindows(dialog, CollectTextControl, reinterpret_cast<LPARAM>(&controls));
    ASSERT_GE(controls.size(), 3u);
    const UINT dpi = ExpectedDpi();
    for (HWND c : controls) {
        const TextBox t = MeasureText(c);
        const std::wstring text = WindowText(c);
        const LONG kind = GetWindowLongPtrW(c, GWL_STYLE) & BS_TYPEMASK;
        wchar_t cls[32] = {};
        GetClassNameW(c, cls, 32);
        int beside = 0;
        if (lstrcmpiW(cls, L"Button") == 0)
            beside = (kind == BS_AUTOCHECKBOX || kind == BS_CHECKBOX) ? At(16, dpi) : At(6, dpi);
        EXPECT_LE(t.text.cx + beside, t.box.cx) << "cut off: " << quib::WideToUtf8(text);
        EXPECT_LE(t.lineHeight, t.box.cy) << "too low: " << quib::WideToUtf8(text);
    }
}

}  // namespace

// The extraction dialog, the program chooser and the association picker in
// both languages, laid out for the scale with nothing cut off.
TEST(DpiDialogs, TheExtractionDialogAndTheProgramPickersShowWholeTexts) {
    for (bool japanese : {true, false}) {
        SCOPED_TRACE(japanese ? "Japanese" : "English");
        MainWindowHarness h;
        CopyTree(BinDir() + L"\\Language", h.Folder() / L"Language");
        h.Setting(L"Language", L"Japanese", japanese ? L"1" : L"0");
        auto& f = h.Start({ProgramFixture(L"levels.zip")});
        ASSERT_TRUE(WaitFor([&] { return ListRowCount(f.ListView1()) == 3; }));
        PressKey(f.ListView1(), VK_DOWN);
        bool seen = false;
        DuringModal driver([&] {
            HWND w = FindThreadWindow(japanese ? L"ファイル解凍" : L"Extract files");
            auto* form = w ? dynamic_cast<quib::TFormExtract*>(quib::TFormBase::FromHandle(w)) : nullptr;
            if (!form) return false;
            ExpectTextsFit(w, L"extract");
            seen = true;
            form->Close();
            return true;
        });
        h.Command(quib::tag::MenuUnpack);
        EXPECT_TRUE(seen);
        {
            quib::FormInstance<quib::TFormExecute> chooser(std::vector<quib::Association>{
                {L"ARCHIVE", L".zip", L"\"C:\\Tools\\quibFMarchive.exe\" hwnd=%h", L"DUMMY"}});
            chooser.Create();
            chooser.Show();
            Pump(100);
            ExpectTextsFit(chooser.Handle(), L"execute");
        }
        {
            quib::FormInstance<quib::TFormExtention> picker;
            picker.Create();
            picker.Show();
            Pump(100);
            ExpectTextsFit(picker.Handle(), L"extention");
        }
        h.Close();
    }
}

// The drive, new-folder, sort, rename and current-folder dialogs in both
// languages: their default sizes at the scale, and every caption whole.
TEST(DpiDialogs, TheFolderDialogsOpenAtTheirSizesForTheScaleWithWholeTexts) {
    const UINT dpi = ExpectedDpi();
    for (bool japanese : {true, false}) {
        SCOPED_TRACE(japanese ? "Japanese" : "English");
        MainWindowHarness h;
        CopyTree(BinDir() + L"\\Language", h.Folder() / L"Language");
        h.Setting(L"Language", L"Japanese", japanese ? L"1" : L"0");
        h.Start();
        auto check = [&](quib::TFormBase& form, const wchar_t* name, SIZE size) {
            form.Create();
            form.Show();
            Pump(100);
            const SIZE expected = FitToWorkArea(At(size, dpi), form.Handle());
            const SIZE shown = WindowSize(form.Handle());
            EXPECT_EQ(shown.cx, expected.cx) << quib::WideToUtf8(name);
            EXPECT_EQ(shown.cy, expected.cy) << quib::WideToUtf8(name);
            ExpectTextsFit(form.Handle(), name);
        };
        std::wstring answer;
        quib::BrowseDialogFields browse;
        browse.StrListRenameSrc = {L"Data\\", L"readme.txt"};
        browse.StrSetFormRename = L"C:\\";
        {
            quib::FormInstance<quib::TFormDrive> d(quib::StringList{L"Root", L"C:\\\t\t\t\t\t\t\t"}, answer);
            check(d, L"drive", {770, 400});
        }
        {
            quib::FormInstance<quib::TFormMakeFolder> d(L"C:\\", answer);
            check(d, L"makefolder", {770, 240});
        }
        {
            quib::FormInstance<quib::TFormSort> d(browse);
            check(d, L"sort", {480, 345});
        }
        {
            quib::FormInstance<quib::TFormRename> d(browse);
            check(d, L"rename", {770, 500});
        }
        {
            quib::FormInstance<quib::TFormJumpFolderEx> d(quib::StringList{L"C:\\ - quibFM"}, browse);
            check(d, L"jumpfolderex", {770, 500});
        }
        h.Close();
    }
}

// The parameter settings dialog: its default size at the scale, and every
// caption of every page whole, in both languages.
TEST(DpiDialogs, TheParameterSettingsPagesShowWholeTexts) {
    const UINT dpi = ExpectedDpi();
    for (bool japanese : {true, false}) {
        SCOPED_TRACE(japanese ? "Japanese" : "English");
        MainWindowHarness h;
        CopyTree(BinDir() + L"\\Language", h.Folder() / L"Language");
        h.Setting(L"Language", L"Japanese", japanese ? L"1" : L"0");
        h.Start();
        bool seen = false;
        DuringModal driver([&] {
            HWND w = FindThreadWindow(japanese ? L"パラメータ設定" : L"Parameter settings");
            auto* form = w ? dynamic_cast<quib::TFormSetting*>(quib::TFormBase::FromHandle(w)) : nullptr;
            if (!form) return false;
            const SIZE expected = FitToWorkArea(At(SIZE{860, 620}, dpi), w);
            const SIZE shown = WindowSize(w);
            EXPECT_EQ(shown.cx, expected.cx);
            EXPECT_EQ(shown.cy, expected.cy);
            for (int i = 0; i < quib::TFormSetting::kPageCount; ++i) {
                form->ShowPage(static_cast<quib::TFormSetting::Page>(i));
                Pump(50);
                ExpectTextsFit(w, L"setting page " + std::to_wstring(i));
            }
            seen = true;
            form->BoolButtomCancel = true;
            form->Close();
            return true;
        });
        h.Command(quib::tag::MenuParameterSetting);
        EXPECT_TRUE(seen);
        h.Close();
    }
}

// The archive settings dialog: every page's captions whole, in both languages.
TEST(DpiDialogs, TheArchiveSettingsPagesShowWholeTexts) {
    for (bool japanese : {true, false}) {
        SCOPED_TRACE(japanese ? "Japanese" : "English");
        MainWindowHarness h;
        CopyTree(BinDir() + L"\\Language", h.Folder() / L"Language");
        h.Setting(L"Language", L"Japanese", japanese ? L"1" : L"0");
        h.Start();
        bool seen = false;
        DuringModal driver([&] {
            HWND w = FindThreadWindow(japanese ? L"アーカイブパラメータ設定" : L"Archive settings");
            auto* form = w ? dynamic_cast<quib::TFormArchiveSetting*>(quib::TFormBase::FromHandle(w)) : nullptr;
            if (!form) return false;
            for (int i = 0; i < quib::TFormArchiveSetting::kPageCount; ++i) {
                form->ShowPage(static_cast<quib::ArchivePage>(i));
                Pump(50);
                ExpectTextsFit(w, L"archive setting page " + std::to_wstring(i));
            }
            seen = true;
            form->BoolButtomCancel = true;
            form->Close();
            return true;
        });
        h.Command(quib::tag::MenuArchiveSetting);
        EXPECT_TRUE(seen);
        h.Close();
    }
}

// The DLL selection, password and delete dialogs in both languages: their
// default sizes at the scale, their captions from the language files, and
// every text whole.
TEST(DpiDialogs, TheSfxPasswordAndDeleteDialogsOpenAtTheirSizesWithWholeTexts) {
    const UINT dpi = ExpectedDpi();
    for (bool japanese : {true, false}) {
        SCOPED_TRACE(japanese ? "Japanese" : "English");
        MainWindowHarness h;
        CopyTree(BinDir() + L"\\Language", h.Folder() / L"Language");
        h.Setting(L"Language", L"Japanese", japanese ? L"1" : L"0");
        h.Start();
        auto check = [&](quib::TFormBase& form, const wchar_t* name, SIZE size, const wchar_t* caption) {
            form.Create();
            form.Show();
            Pump(100);
            const SIZE expected = FitToWorkArea(At(size, dpi), form.Handle());
            const SIZE shown = WindowSize(form.Handle());
            EXPECT_EQ(shown.cx, expected.cx) << quib::WideToUtf8(name);
            EXPECT_EQ(shown.cy, expected.cy) << quib::WideToUtf8(name);
            EXPECT_EQ(WindowText(form.Handle()), caption);
            ExpectTextsFit(form.Handle(), name);
        };
        {
            quib::FormInstance<quib::TFormSelectDll> d(L".rar");
            check(d, L"selectdll", {580, 190}, japanese ? L"DLL選択" : L"Select DLL");
            EXPECT_EQ(d.SelectedIndex(), 4);
        }
        {
            quib::FormInstance<quib::TFormPassword> d;
            check(d, L"password", {640, 205}, japanese ? L"解凍パスワード入力" : L"Password for extraction");
        }
        {
            quib::FormInstance<quib::TFormDelete> d(quib::DeleteDialogInput{L"C:\\a\\x.zip", {L"\"a.txt\""}});
            check(d, L"delete", {770, 540}, japanese ? L"ファイル削除" : L"Delete files");
        }
        h.Close();
    }
}
