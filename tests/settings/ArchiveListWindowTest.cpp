// The archive list window on an archive inside the open archive: the
// archiver DLL's own report of the inner archive, read from the window, and
// the keys that close it.
#include <windows.h>

#include <gtest/gtest.h>

#include "FormTestSupport.h"
#include "MainWindowHarness.h"
#include "util/StrConv.h"
#include "app/MainMenuTable.h"
#include "keymap/KeyMap.h"
#include "settings/FormArchiveList.h"

using namespace quibtest;

namespace {

// Runs the archive viewer command on the focused row and hands the window to check.
std::wstring ShowInnerListing(MainWindowHarness& h, const std::function<void(quib::TFormArchiveList&)>& then) {
    std::wstring shown;
    DuringModal step([&] {
        HWND w = FindThreadWindow(L"圧縮ファイルビューワ [簡易表示]");
        if (!w) w = FindThreadWindow(L"Archive viewer [simple listing]");
        auto* form = w ? dynamic_cast<quib::TFormArchiveList*>(quib::TFormBase::FromHandle(w)) : nullptr;
        if (!form) return false;
        shown = WindowText(form->Memo1());
        then(*form);
        return true;
    });
    h.Command(quib::tag::MenuArchiveViewer);
    EXPECT_TRUE(step.Done());
    return shown;
}

int RowOf(quib::TFormMain& f, const std::wstring& name) {
    for (int r = 0; r < ListRowCount(f.ListView1()); ++r)
        if (ListCellText(f.ListView1(), r, 1) == name) return r;
    return -1;
}

void FocusRow(MainWindowHarness& h, int row) {
    h.Command(quib::tag::MenuMoveTop);
    for (int i = 0; i < row; ++i) h.Command(quib::tag::MenuMoveDown);
}

TEST(ArchiveListWindow, ShowsTheInnerArchivesListing) {
    MainWindowHarness h;
    auto& f = h.Start({ProgramFixture(L"nested.zip")});
    ASSERT_TRUE(WaitFor([&] { return RowOf(f, L"inner.zip") >= 0; }));
    FocusRow(h, RowOf(f, L"inner.zip"));
    const std::wstring shown = ShowInnerListing(h, [](quib::TFormArchiveList& w) { PressKey(w.Memo1(), VK_ESCAPE); });
    EXPECT_NE(shown.find(L"first.txt"), std::wstring::npos) << quib::WideToUtf8(shown);
    EXPECT_NE(shown.find(L"second.txt"), std::wstring::npos);
    EXPECT_EQ(shown.find(L"outer.txt"), std::wstring::npos);
    EXPECT_TRUE(h.Messages().Texts().empty());
    // Enter closes it as well; the text is the same each time.
    EXPECT_EQ(ShowInnerListing(h, [](quib::TFormArchiveList& w) { PressKey(w.Memo1(), VK_RETURN); }), shown);
    h.Close();
}

TEST(ArchiveListWindow, AnEntryThatIsNoArchiveIsRefused) {
    MainWindowHarness h;
    auto& f = h.Start({ProgramFixture(L"nested.zip")});
    ASSERT_TRUE(WaitFor([&] { return RowOf(f, L"outer.txt") >= 0; }));
    FocusRow(h, RowOf(f, L"outer.txt"));
    h.Command(quib::tag::MenuArchiveViewer);
    ASSERT_EQ(h.Messages().Texts().size(), 1u);
    EXPECT_EQ(h.Messages().Texts()[0], L"Information : 圧縮ファイルではありません");
    h.Close();
}

TEST(ArchiveListWindow, TheMainCloseKeyClosesIt) {
    MainWindowHarness h;
    h.Start();
    h.Close();
    // The user gave the main window's close command a key of their own.
    const std::wstring keyMap = h.Folder() / L"quibFMarchive-KeyMap.txt";
    quib::KeyMapTable map;
    ASSERT_TRUE(quib::ReadKeyMapFile(keyMap, map));
    quib::FindKeyMapLine(map, L"1041")->keyText = L"Ctrl+Q";
    ASSERT_TRUE(quib::WriteKeyMapFile(keyMap, map));
    auto& f = h.Start({ProgramFixture(L"nested.zip")});
    ASSERT_TRUE(WaitFor([&] { return RowOf(f, L"inner.zip") >= 0; }));
    FocusRow(h, RowOf(f, L"inner.zip"));
    std::wstring closeCaption;
    bool openBeforeKey = false;
    ShowInnerListing(h, [&](quib::TFormArchiveList& w) {
        closeCaption = MenuText(GetMenu(w.Handle()), quib::TFormArchiveList::kTagMenuClose);
        openBeforeKey = w.Visible();
        PressKey(w.Memo1(), 'Q', quib::kKeyCtrl);
    });
    EXPECT_EQ(closeCaption, L"終了(&Q && &X)\tCtrl+Q");
    EXPECT_TRUE(openBeforeKey);
    EXPECT_EQ(FindThreadWindow(L"圧縮ファイルビューワ [簡易表示]"), nullptr) << "Ctrl+Q closed the list window";
    EXPECT_TRUE(IsWindow(f.Handle())) << "the main window's own close command did not run";
    h.Close();
}

}  // namespace
