// The list control on windows made for the test: rows asked for only when
// shown, the keys it discards, selection far down a long list, column widths
// from and to the settings, row colours as painted, and lists on any parent.
// Everything is read through the control, as the user sees it.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "FormTestSupport.h"
#include "TestSupport.h"
#include "app/FormBase.h"
#include "util/Controls.h"
#include "util/IniFile.h"
#include "util/MyListView.h"

using quib::FormInstance;
using quib::TMyListView;
using quibtest::ListCellText;
using quibtest::ListColumnTexts;
using quibtest::ListFocusedRow;
using quibtest::ListRowCount;
using quibtest::ListSelectedRow;
using quibtest::Pump;
using quibtest::TestProgramFolder;

namespace {

// "a row 0", "b row 1", ... "z row 25", "a row 26", ...
std::wstring RowName(int row) { return std::wstring(1, static_cast<wchar_t>(L'a' + row % 26)) + L" row " + std::to_wstring(row); }

// A window with one list made through the form base (AddControl, then
// attached) and a second list inside a panel, made by the control itself.
class ListWindow : public quib::TFormBase {
public:
    enum : int { kList = 300, kPanel = 301, kPanelList = 302 };
    ListWindow() : TFormBase(Description()) {}
    static quib::FormDescription Description() {
        return quib::FormDescription::Window(L"FormListTest", SIZE{520, 420}, SIZE{300, 200});
    }

    TMyListView list, panelList;
    HWND panel = nullptr;
    std::vector<std::wstring> names;     // the rows of the first list
    std::vector<std::wstring> panelRows; // the rows of the list in the panel
    int textCalls = 0;
    int findItemNotices = 0;   // type-ahead searches that reached the window
    int allRowsChanges = 0;    // state changes of every row at once (item -1, or a range)
    int itemChanges = 0;

    void SetRows(int count) {
        names.clear();
        for (int r = 0; r < count; ++r) names.push_back(RowName(r));
        list.BeginRefill();
        list.EndRefill(count);
    }

protected:
    void FormCreate() override {
        SetCaption(L"List test");
        HWND h = AddControl(quib::ComponentKind::Other, 0, WC_LISTVIEWW, L"", TMyListView::kStyle,
                            TMyListView::kExStyle, kList);
        list.Attach(h);
        list.SetColumns({{L"Name", 120}, {L"Number", 80, true}, {L"Kind", 60}}, L"ListViewWidthTest");
        list.ReadColumnWidths(Settings());
        list.SetTextSource([this](int row, int column) -> std::wstring_view {
            ++textCalls;
            if (row < 0 || row >= static_cast<int>(names.size())) return {};
            switch (column) {
                case 0: return names[static_cast<size_t>(row)];
                case 1:
                    scratch_ = std::to_wstring(row);
                    return scratch_;
                case 2: return row % 2 ? L"odd" : L"even";
                default: return {};
            }
        });
        panel = quib::CreatePanel(handle_, kPanel, RGB(40, 40, 40));
        panelList.Create(panel, kPanelList);
        panelList.SetColumns({{L"Panel", 150}});
        panelList.SetTextSource([this](int row, int) -> std::wstring_view {
            return row >= 0 && row < static_cast<int>(panelRows.size()) ? std::wstring_view(panelRows[static_cast<size_t>(row)])
                                                                        : std::wstring_view();
        });
    }
    void FormResize(int w, int h) override {
        MoveWindow(list.Handle(), 0, 0, w, h - 120, TRUE);
        MoveWindow(panel, 0, h - 110, w, 110, TRUE);
        MoveWindow(panelList.Handle(), 4, 4, w - 8, 100, TRUE);
    }
    LRESULT Notify(NMHDR* hdr) override {
        if (hdr->hwndFrom != list.Handle()) return 0;
        if (hdr->code == LVN_ODFINDITEMW) {
            ++findItemNotices;
            return -1;
        }
        if (hdr->code == LVN_ITEMCHANGED) {
            ++itemChanges;
            if (reinterpret_cast<NMLISTVIEW*>(hdr)->iItem == -1) ++allRowsChanges;
        }
        if (hdr->code == LVN_ODSTATECHANGED) ++allRowsChanges;
        return 0;
    }
    void FormDestroy() override { list.WriteColumnWidths(Settings()); }

private:
    std::wstring scratch_;
};
using TestListWindow = FormInstance<ListWindow>;

void Shown(TestListWindow& w) {
    ASSERT_TRUE(w.Create());
    w.Show();
    Pump();
}

bool Selected(HWND list, int row) { return ListView_GetItemState(list, row, LVIS_SELECTED) != 0; }

}  // namespace

TEST(ListControl, RowsAreAskedForOnlyWhenShownAndFollowTheSource) {
    TestProgramFolder folder;
    TestListWindow w;
    Shown(w);
    HWND list = w.list.Handle();
    w.textCalls = 0;
    w.SetRows(50000);
    UpdateWindow(list);
    Pump();
    EXPECT_EQ(ListRowCount(list), 50000);
    EXPECT_EQ(w.list.RowCount(), 50000);
    // Only the rows on the screen were asked for, not fifty thousand.
    EXPECT_GT(w.textCalls, 0);
    EXPECT_LT(w.textCalls, 2000);

    struct Cell {
        int row, column;
        std::wstring text;
    } cells[] = {{0, 0, L"a row 0"}, {0, 1, L"0"}, {0, 2, L"even"}, {27, 0, L"b row 27"},
                 {49999, 1, L"49999"}, {49999, 2, L"odd"}, {12345, 0, RowName(12345)}};
    for (const auto& c : cells) {
        EXPECT_EQ(ListCellText(list, c.row, c.column), c.text) << c.row << "," << c.column;
        EXPECT_EQ(w.list.Text(c.row, c.column), c.text) << c.row << "," << c.column;
    }
    // Nothing is kept: a changed row shows its new text at once.
    w.names[1] = L"changed";
    w.list.RedrawRow(1);
    EXPECT_EQ(ListCellText(list, 1, 0), L"changed");
    // A long text comes whole through the control's own reading.
    w.names[2] = std::wstring(3000, L'x');
    EXPECT_EQ(w.list.Text(2, 0), w.names[2]);

    w.SetRows(3);
    EXPECT_EQ(ListRowCount(list), 3);
    EXPECT_EQ(ListColumnTexts(list, 0), (std::vector<std::wstring>{L"a row 0", L"b row 1", L"c row 2"}));
    EXPECT_EQ(ListColumnTexts(list, 1), (std::vector<std::wstring>{L"0", L"1", L"2"}));
    w.SetRows(0);
    EXPECT_EQ(ListRowCount(list), 0);
}

TEST(ListControl, TheKeysOfTheKeyMapAreDiscarded) {
    TestProgramFolder folder;
    TestListWindow w;
    Shown(w);
    HWND list = w.list.Handle();
    w.SetRows(100);
    struct Key {
        WORD vk;
        const char* name;
    } keys[] = {{VK_BACK, "Backspace"}, {VK_DELETE, "Delete"}, {VK_HOME, "Home"}, {VK_END, "End"},
                {VK_LEFT, "Left"},      {VK_RIGHT, "Right"},   {'B', "typed b"},  {'Z', "typed z"}};
    for (const auto& k : keys) {
        w.list.SelectRow(50, false);
        SetFocus(list);
        const int scrolled = ListView_GetTopIndex(list);
        quibtest::PressKey(list, k.vk);
        EXPECT_EQ(ListSelectedRow(list), 50) << k.name;
        EXPECT_EQ(ListFocusedRow(list), 50) << k.name;
        EXPECT_EQ(ListView_GetTopIndex(list), scrolled) << k.name;
        EXPECT_EQ(w.findItemNotices, 0) << k.name << ": the list searched as one types";
    }
    // The list's other keys still move.
    w.list.SelectRow(50, false);
    quibtest::PressKey(list, VK_DOWN);
    EXPECT_EQ(ListSelectedRow(list), 51);
    quibtest::PressKey(list, VK_UP);
    EXPECT_EQ(ListSelectedRow(list), 50);

    // Without the filter the same presses move and search: the checks above
    // would see a filter that let them through.
    w.list.SetKeyFilter(false);
    quibtest::PressKey(list, VK_HOME);
    EXPECT_EQ(ListSelectedRow(list), 0);
    quibtest::PressKey(list, VK_END);
    EXPECT_EQ(ListSelectedRow(list), 99);
    quibtest::PressKey(list, 'B');
    EXPECT_GT(w.findItemNotices, 0);
    EXPECT_TRUE(TMyListView::FilteredKey(VK_BACK));
    EXPECT_FALSE(TMyListView::FilteredKey(VK_DOWN));
    EXPECT_FALSE(TMyListView::FilteredKey(VK_RETURN));
}

TEST(ListControl, SelectingRowTwentyThousandOfFiftyThousandIsQuickAndTouchesOnlyTwoRows) {
    TestProgramFolder folder;
    TestListWindow w;
    Shown(w);
    HWND list = w.list.Handle();
    w.SetRows(50000);
    Pump();
    const int perPage = ListView_GetCountPerPage(list);
    ASSERT_GT(perPage, 3);

    w.allRowsChanges = 0;
    const DWORD start = GetTickCount();
    w.list.SelectRow(20000, true);
    const DWORD first = GetTickCount() - start;
    EXPECT_LT(first, 500u);
    EXPECT_EQ(ListSelectedRow(list), 20000);
    EXPECT_EQ(ListFocusedRow(list), 20000);
    EXPECT_EQ(ListView_GetSelectedCount(list), 1u);
    EXPECT_EQ(w.list.SelectedRow(), 20000);
    // In the middle of the list.
    const int top = ListView_GetTopIndex(list);
    EXPECT_LE(top, 20000);
    EXPECT_LT(20000, top + perPage);
    EXPECT_LE(std::abs(20000 - (top + perPage / 2)), 1) << "top " << top << ", " << perPage << " rows a page";

    struct Step {
        int row;
        bool centre;
    } steps[] = {{49999, false}, {3, true}, {45000, true}, {20000, false}, {0, false}, {20000, true}};
    int previous = 20000;
    for (const auto& s : steps) {
        const DWORD started = GetTickCount();
        w.list.SelectRow(s.row, s.centre);
        EXPECT_LT(GetTickCount() - started, 500u) << s.row;
        EXPECT_EQ(ListSelectedRow(list), s.row);
        EXPECT_EQ(ListFocusedRow(list), s.row);
        EXPECT_EQ(ListView_GetSelectedCount(list), 1u) << s.row;
        if (previous != s.row) {
            EXPECT_FALSE(Selected(list, previous)) << previous;
        }
        const int t = ListView_GetTopIndex(list);
        EXPECT_LE(t, s.row);
        EXPECT_LT(s.row, t + perPage);
        previous = s.row;
    }

    // None of them changed every row at once.
    EXPECT_EQ(w.allRowsChanges, 0);

    // The focus elsewhere than the selection: the selected row is still found.
    ListView_SetItemState(list, 10, LVIS_FOCUSED, LVIS_FOCUSED);
    ASSERT_EQ(ListFocusedRow(list), 10);
    ASSERT_EQ(ListSelectedRow(list), 20000);
    EXPECT_EQ(w.list.SelectedRow(), 20000);
    EXPECT_EQ(w.list.FocusedRow(), 10);
    w.list.SelectRow(30, false);
    EXPECT_EQ(ListSelectedRow(list), 30);
    EXPECT_EQ(ListFocusedRow(list), 30);
    EXPECT_EQ(ListView_GetSelectedCount(list), 1u);
    // Rows that do not exist are not selected.
    w.list.SelectRow(50000, false);
    w.list.SelectRow(-1, false);
    EXPECT_EQ(ListSelectedRow(list), 30);
}

TEST(ListControl, ColumnWidthsComeFromTheSettingsSectionAndGoBackToIt) {
    TestProgramFolder folder;
    folder.Write(L"ListViewWidthTest", L"0", L"150");
    folder.Write(L"ListViewWidthTest", L"2", L"33");
    {
        TestListWindow w;
        Shown(w);
        HWND list = w.list.Handle();
        EXPECT_EQ(ListView_GetColumnWidth(list, 0), 150);
        EXPECT_EQ(ListView_GetColumnWidth(list, 1), 80);  // none in the settings: the default
        EXPECT_EQ(ListView_GetColumnWidth(list, 2), 33);
        EXPECT_EQ(w.list.ColumnCount(), 3);
        // The user drags a column wider.
        ListView_SetColumnWidth(list, 1, 111);
        EXPECT_EQ(w.list.ColumnWidth(1), 111);
        // The caption changes, the width stays.
        w.list.SetColumnCaption(1, L"Count");
        wchar_t caption[32] = {};
        LVCOLUMNW c{};
        c.mask = LVCF_TEXT;
        c.pszText = caption;
        c.cchTextMax = 32;
        ASSERT_TRUE(ListView_GetColumn(list, 1, &c));
        EXPECT_STREQ(caption, L"Count");
        EXPECT_EQ(ListView_GetColumnWidth(list, 1), 111);
    }
    EXPECT_EQ(folder.Read(L"ListViewWidthTest", L"0"), L"150");
    EXPECT_EQ(folder.Read(L"ListViewWidthTest", L"1"), L"111");
    EXPECT_EQ(folder.Read(L"ListViewWidthTest", L"2"), L"33");
    EXPECT_EQ(folder.Read(L"ListViewWidthTest", L"3"), L"<none>");

    // Widths read again by the next window.
    TestListWindow again;
    Shown(again);
    EXPECT_EQ(ListView_GetColumnWidth(again.list.Handle(), 1), 111);
}

TEST(ListControl, RowColoursAndTheBackgroundAsPainted) {
    TestProgramFolder folder;
    TestListWindow w;
    Shown(w);
    HWND list = w.list.Handle();
    const COLORREF navy = RGB(0, 0, 128), red = RGB(255, 0, 0), green = RGB(0, 255, 0);
    w.list.SetColors(navy, RGB(255, 255, 255));
    w.list.SetColorSource([&](int row) { return row == 1 ? red : green; });
    w.SetRows(3);
    w.names = {L"WWWWMMMM", L"WWWWMMMM", L"WWWWMMMM"};
    SetFocus(w.panelList.Handle());  // no selection, no focus frame on the rows
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump();

    auto count = [&](int row, COLORREF colour) {
        RECT r{};
        ListView_GetItemRect(list, row, &r, LVIR_BOUNDS);
        HDC dc = GetDC(list);
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right && x < 200; ++x) n += GetPixel(dc, x, y) == colour;
        ReleaseDC(list, dc);
        return n;
    };
    EXPECT_GT(count(1, red), 10);
    EXPECT_EQ(count(0, red), 0);
    EXPECT_GT(count(0, green), 10);
    EXPECT_GT(count(2, green), 10);
    // Behind the texts and below the rows.
    EXPECT_GT(count(1, navy), 100);
    RECT client{};
    GetClientRect(list, &client);
    HDC dc = GetDC(list);
    EXPECT_EQ(GetPixel(dc, client.right - 5, client.bottom - 5), navy);
    ReleaseDC(list, dc);
    EXPECT_EQ(w.list.Background(), navy);

    // A larger font makes taller rows; without a header the rows start at the top.
    RECT before{};
    ListView_GetItemRect(list, 0, &before, LVIR_BOUNDS);
    HFONT big = CreateFontW(-40, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_DONTCARE, L"Tahoma");
    w.list.SetFont(big);
    RECT after{};
    ListView_GetItemRect(list, 0, &after, LVIR_BOUNDS);
    EXPECT_GT(after.bottom - after.top, before.bottom - before.top);
    EXPECT_GT(after.top, 0);
    w.list.ShowHeader(false);
    w.list.RedrawAll(true);
    Pump();
    ListView_GetItemRect(list, 0, &after, LVIR_BOUNDS);
    EXPECT_EQ(after.top, 0);
    w.list.ShowHeader(true);
    w.list.SetFont(nullptr);
    DeleteObject(big);
}

TEST(ListControl, ListsInAPanelAndOnAPlainWindowAnswerForThemselves) {
    TestProgramFolder folder;
    TestListWindow w;
    Shown(w);
    // Two lists on one form: each shows its own rows.
    w.SetRows(2);
    w.panelRows = {L"in the panel", L"second"};
    w.panelList.SetRowCount(2);
    EXPECT_EQ(ListColumnTexts(w.panelList.Handle(), 0), w.panelRows);
    EXPECT_EQ(ListColumnTexts(w.list.Handle(), 0), (std::vector<std::wstring>{L"a row 0", L"b row 1"}));
    // The form still gets the notifications the control does not answer.
    w.itemChanges = 0;
    w.list.SelectRow(1, false);
    EXPECT_GT(w.itemChanges, 0);

    // A window that is no form at all, with two lists.
    HWND plain = CreateWindowExW(0, L"STATIC", L"plain", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 300, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(plain, nullptr);
    {
        TMyListView first, second;
        ASSERT_TRUE(first.Create(plain, 1));
        ASSERT_TRUE(second.Create(plain, 2));
        first.SetColumns({{L"A", 100}});
        second.SetColumns({{L"B", 100}});
        first.SetTextSource([](int row, int) -> std::wstring_view { return row == 0 ? L"first 0" : L"first n"; });
        second.SetTextSource([](int row, int) -> std::wstring_view { return row == 0 ? L"second 0" : L"second n"; });
        first.SetRowCount(2);
        second.SetRowCount(3);
        EXPECT_EQ(ListColumnTexts(first.Handle(), 0), (std::vector<std::wstring>{L"first 0", L"first n"}));
        EXPECT_EQ(ListColumnTexts(second.Handle(), 0),
                  (std::vector<std::wstring>{L"second 0", L"second n", L"second n"}));
        // One list goes; the other still answers, and the window lives on.
        HWND firstList = first.Handle();
        DestroyWindow(firstList);
        EXPECT_EQ(first.Handle(), nullptr);
        EXPECT_EQ(ListCellText(second.Handle(), 0, 0), L"second 0");
        // The object goes before its window: the list stays, without texts.
        HWND secondList = second.Handle();
        second.Detach();
        EXPECT_EQ(ListCellText(secondList, 0, 0), L"");
        EXPECT_EQ(ListRowCount(secondList), 3);
    }
    SendMessageW(plain, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"still alive"));
    EXPECT_EQ(quibtest::WindowText(plain), L"still alive");
    DestroyWindow(plain);

    // A list that is not virtual cannot be taken over.
    HWND ordinary = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_REPORT, 0, 0, 10, 10, w.Handle(), nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
    TMyListView refused;
    EXPECT_FALSE(refused.Attach(ordinary));
    EXPECT_EQ(refused.Handle(), nullptr);
    DestroyWindow(ordinary);
}
