// The "same colours as the filer" switch: the filer's file must be there
// whichever way the switch is turned, and switching re-reads and re-applies
// only the list's and the panels' colours and fonts.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "FormTestSupport.h"
#include "MainWindowHarness.h"
#include "app/MainMenuTable.h"

using namespace quibtest;
namespace tag = quib::tag;

namespace {

COLORREF MemoBackground(quib::TFormMain& f) {
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageW(f.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(f.Memo1()));
    const COLORREF c = GetBkColor(dc);
    DeleteDC(dc);
    return c;
}

}  // namespace

TEST(SameAsFiler, WithoutTheFilersFileTheSwitchStaysOffAndSaysSoBothWays) {
    MainWindowHarness h;
    h.Setting(L"MainColor", L"SameAsQuibFM", L"1");  // no quibFM.ini beside the program
    auto& f = h.Start();
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        h.Messages().Clear();
        h.Command(tag::MenuSameAsQuibFM);
        EXPECT_FALSE(f.MenuChecked(tag::MenuSameAsQuibFM));
        EXPECT_EQ(h.Messages().Texts(), std::vector<std::wstring>{L"quibFM.ini のファイルが無いのでチェックは無効です"});
        EXPECT_EQ(h.ReadSetting(L"MainColor", L"SameAsQuibFM"), L"0");
    }
}

TEST(SameAsFiler, SwitchingTakesTheFilersListAndPanelColoursAndNothingElse) {
    MainWindowHarness h;
    ASSERT_TRUE(WriteFileBytes(h.Folder() / L"quibFM.ini", "[System]\r\nSysytemColorBack=102030\r\n"
                                                             "SysytemColorInfoData=A0B0C0\r\n"));
    h.Setting(L"MainColor", L"SameAsQuibFM", L"0");
    h.Setting(L"FListView", L"Color", L"$00010203");
    h.Setting(L"FInformationArchive", L"Color", L"$00040506");
    h.Setting(L"Txt", L"Ext", L"txt");  // a faulty list: told once at start
    auto& f = h.Start({ProgramFixture(L"levels.zip")});
    ASSERT_EQ(h.Messages().Texts().size(), 1u);
    h.Messages().Clear();
    EXPECT_EQ(ListView_GetBkColor(f.ListView1()), 0x010203u);
    const COLORREF memo = MemoBackground(f);

    h.Command(tag::MenuSameAsQuibFM);
    EXPECT_TRUE(f.MenuChecked(tag::MenuSameAsQuibFM));
    EXPECT_EQ(ListView_GetBkColor(f.ListView1()), 0x102030u);
    EXPECT_EQ(ListView_GetTextColor(f.ListView1()), 0xA0B0C0u);
    EXPECT_EQ(f.ColorPanelNow, 0x102030u);
    EXPECT_EQ(MemoBackground(f), memo) << "the text area keeps its colours";
    EXPECT_TRUE(h.Messages().Texts().empty()) << "no other setting is read again";
    EXPECT_EQ(ListView_GetItemCount(f.ListView1()), 3);

    h.Command(tag::MenuSameAsQuibFM);
    EXPECT_FALSE(f.MenuChecked(tag::MenuSameAsQuibFM));
    EXPECT_EQ(ListView_GetBkColor(f.ListView1()), 0x010203u);
    EXPECT_EQ(f.ColorPanelNow, 0x040506u);
    EXPECT_EQ(f.StrListViewFontName, L"ＭＳ ゴシック") << "the own font is back";
    EXPECT_TRUE(h.Messages().Texts().empty());
}
