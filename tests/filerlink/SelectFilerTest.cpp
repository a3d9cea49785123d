// The filer selection dialog over stand-in filers running as programs of
// their own: which windows it lists (never this program's), bringing the
// chosen one to the front, its buttons, keys and language file.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <map>
#include <set>

#include "FilerLinkTestSupport.h"
#include "FormTestSupport.h"
#include "MainWindowHarness.h"
#include "app/FormSelectFiler.h"
#include "app/Language.h"
#include "app/MainMenuTable.h"
#include "util/MyUtility.h"
#include "util/TextFile.h"

using namespace quibtest;
using quib::TFormSelectFiler;

namespace {

TFormSelectFiler* OpenDialog(const std::wstring& caption = L"ファイラー選択") {
    HWND w = FindThreadWindow(caption);
    return w ? dynamic_cast<TFormSelectFiler*>(quib::TFormBase::FromHandle(w)) : nullptr;
}

std::vector<std::wstring> ListBoxItems(HWND list) {
    std::vector<std::wstring> items;
    const auto n = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        const auto len = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring s(static_cast<size_t>(len) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s.data()));
        s.resize(static_cast<size_t>(len));
        items.push_back(s);
    }
    return items;
}

bool Checked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// F11 opens the dialog, F12 is the main window's close command (and so the
// dialog's close item).
void StartMain(MainWindowHarness& h) {
    WriteMainKeyMap(h.Folder().Path(), {{L"1421", L"F11"}, {L"1041", L"F12"}});
    h.Start({ProgramFixture(L"filer.zip")});
}

void OpenWithKey(MainWindowHarness& h) {
    HWND list = h.Form().ListView1();
    SetFocus(list);
    PressKey(list, VK_F11);
    h.Pump();
}

void WriteTitleFile(MainWindowHarness& h, const std::vector<std::wstring>& lines) {
    ASSERT_TRUE(quib::WriteUtf16Lines(h.Folder() / L"quibFMarchive-Title.txt", lines));
}

}  // namespace

TEST(SelectFiler, ListsTheFilersNeverThisProgramAndBringsTheChosenOneToTheFront) {
    StandInFiler quibFM(L"--name \"C:\\work\"");
    StandInFiler pell(L"--kind PellFM --name D:\\");
    StandInFiler mini(L"--kind PellFMmini --name E:\\");
    StandInFiler other(L"--kind quibFM --name \"C:\\other\"");
    ASSERT_NE(pell.Window(), nullptr);
    MainWindowHarness h;
    // A line of three characters ("1 C") would find every window with a C.
    WriteTitleFile(h, {L"1 - quibFM", L"1 - PellFM", L"1 C", L"0 Notepad"});
    StartMain(h);
    auto& f = h.Form();
    ASSERT_NE(WindowText(f.Handle()).find(L" - quibFM"), std::wstring::npos);

    std::vector<std::wstring> items, handles;
    std::vector<bool> checks;
    std::vector<std::wstring> edits;
    int selected = -2;
    DuringModal driver([&] {
        auto* d = OpenDialog();
        if (!d) return false;
        items = ListBoxItems(d->ListBox1());
        handles = d->StrListWindowHwnd;
        selected = static_cast<int>(SendMessageW(d->ListBox1(), LB_GETCURSEL, 0, 0));
        for (int i = 0; i < 4; ++i) {
            checks.push_back(Checked(d->CheckBox(i)));
            edits.push_back(WindowText(d->Edit(i)));
        }
        // Down the list with the keys to the PellFM window, then Enter.
        for (int i = 0; i < 10 && ListBoxItems(d->ListBox1())[static_cast<size_t>(
                                      SendMessageW(d->ListBox1(), LB_GETCURSEL, 0, 0))] != L"D:\\ - PellFM";
             ++i)
            PressKey(d->ListBox1(), VK_DOWN);
        PressKey(d->ListBox1(), VK_RETURN);
        return true;
    });
    OpenWithKey(h);
    ASSERT_TRUE(driver.Done());
    EXPECT_EQ(OpenDialog(), nullptr);

    std::multiset<std::wstring> listed(items.begin(), items.end());
    EXPECT_EQ(listed, (std::multiset<std::wstring>{L"C:\\work - quibFM", L"D:\\ - PellFM", L"E:\\ - PellFMmini",
                                                   L"C:\\other - quibFM"}));
    EXPECT_EQ(selected, 0);
    ASSERT_EQ(handles.size(), items.size());
    const auto at = std::find(items.begin(), items.end(), L"D:\\ - PellFM") - items.begin();
    EXPECT_EQ(handles[static_cast<size_t>(at)], std::to_wstring(reinterpret_cast<UINT_PTR>(pell.Window())));
    EXPECT_EQ(checks, (std::vector<bool>{true, true, true, false}));
    EXPECT_EQ(edits, (std::vector<std::wstring>{L"- quibFM", L"- PellFM", L"", L"Notepad"}));

    EXPECT_TRUE(pell.WaitForReport(L"activated"));
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == pell.Window(); }));
    EXPECT_FALSE(quibFM.Reported(L"restore-command"));
}

TEST(SelectFiler, RestoresAMinimisedFilerAndRunsFromTheRunKey) {
    StandInFiler filer(L"--minimized");
    ASSERT_TRUE(filer.WaitForReport(L"minimized"));
    ASSERT_TRUE(IsIconic(filer.Window()));
    MainWindowHarness h;
    StartMain(h);
    DuringModal driver([&] {
        auto* d = OpenDialog();
        if (!d) return false;
        // The run item has the key of the main window's filer selection.
        PressKey(d->ListBox1(), VK_F11);
        return true;
    });
    OpenWithKey(h);
    ASSERT_TRUE(driver.Done());
    EXPECT_TRUE(filer.WaitForReport(L"restore-command"));
    EXPECT_TRUE(filer.WaitForReport(L"restored"));
    EXPECT_TRUE(WaitFor([&] { return !IsIconic(filer.Window()); }));
}

TEST(SelectFiler, ButtonsRebuildTheTitleLinesSaveThemAndEnterInAnEditIsNoRun) {
    StandInFiler quibFM;
    StandInFiler pell(L"--kind PellFM");
    MainWindowHarness h;
    StartMain(h);
    const std::wstring titleFile = h.Folder() / L"quibFMarchive-Title.txt";
    std::vector<std::wstring> afterReload, afterInit;
    bool openAfterEnter = false;
    std::wstring editAfterEnter;
    DuringModal driver([&] {
        auto* d = OpenDialog();
        if (!d) return false;
        EXPECT_EQ(ListBoxItems(d->ListBox1()).size(), 2u);
        // Without the first line, then re-read: only the PellFM window.
        SendMessageW(d->CheckBox(0), BM_CLICK, 0, 0);
        SendMessageW(d->Button(TFormSelectFiler::kTagButtonReload), BM_CLICK, 0, 0);
        afterReload = ListBoxItems(d->ListBox1());
        EXPECT_FALSE(quibtest::FileExists(titleFile));  // not saved
        // Enter typed in an edit box is neither text nor a run.
        SetFocus(d->Edit(2));
        SetWindowTextW(d->Edit(2), L"Explorer");
        PressKey(d->Edit(2), VK_RETURN);
        openAfterEnter = OpenDialog() != nullptr;
        editAfterEnter = WindowText(d->Edit(2));
        SendMessageW(d->CheckBox(2), BM_CLICK, 0, 0);
        // Defaults shown, not saved; then the user's third line again, saved.
        SendMessageW(d->Button(TFormSelectFiler::kTagButtonInit), BM_CLICK, 0, 0);
        for (int i = 0; i < 4; ++i)
            afterInit.push_back((Checked(d->CheckBox(i)) ? L"1|" : L"0|") + WindowText(d->Edit(i)));
        SetWindowTextW(d->Edit(2), L"Explorer");
        SendMessageW(d->CheckBox(2), BM_CLICK, 0, 0);
        SendMessageW(d->Button(TFormSelectFiler::kTagButtonSave), BM_CLICK, 0, 0);
        return true;
    });
    OpenWithKey(h);
    ASSERT_TRUE(driver.Done());
    EXPECT_EQ(afterReload, (std::vector<std::wstring>{L"C:\\ - PellFM"}));
    EXPECT_TRUE(openAfterEnter);
    EXPECT_EQ(editAfterEnter, L"Explorer");
    EXPECT_EQ(afterInit, (std::vector<std::wstring>{L"1|- quibFM", L"1|- PellFM", L"0|", L"0|"}));
    EXPECT_EQ(OpenDialog(), nullptr);  // save closes
    EXPECT_EQ(ReadUtf16File(titleFile),
              (std::vector<std::wstring>{L"1 - quibFM", L"1 - PellFM", L"1 Explorer", L"0 "}));

    // Opened again: the saved lines are in the boxes.
    std::vector<std::wstring> shown;
    DuringModal again([&] {
        auto* d = OpenDialog();
        if (!d) return false;
        for (int i = 0; i < 4; ++i) shown.push_back((Checked(d->CheckBox(i)) ? L"1|" : L"0|") + WindowText(d->Edit(i)));
        PressKey(d->ListBox1(), VK_ESCAPE);
        return true;
    });
    OpenWithKey(h);
    ASSERT_TRUE(again.Done());
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"1|- quibFM", L"1|- PellFM", L"1|Explorer", L"0|"}));
}

TEST(SelectFiler, CloseKeysAndAnEmptyListOnlyClose) {
    MainWindowHarness h;
    WriteTitleFile(h, {L"1 no such window anywhere", L"0", L"0", L"0"});
    StartMain(h);
    for (const WORD key : {WORD(VK_ESCAPE), WORD(VK_F12), WORD(VK_RETURN), WORD(VK_F11)}) {
        SCOPED_TRACE(key);
        bool empty = false;
        DuringModal driver([&] {
            auto* d = OpenDialog();
            if (!d) return false;
            empty = ListBoxItems(d->ListBox1()).empty();
            PressKey(d->ListBox1(), key);
            return true;
        });
        OpenWithKey(h);
        ASSERT_TRUE(driver.Done());
        EXPECT_TRUE(empty);
        EXPECT_EQ(OpenDialog(), nullptr);
        EXPECT_TRUE(IsWindowEnabled(h.Form().Handle()));
    }
    EXPECT_EQ(h.ReadSetting(L"FormSelectFiler", L"Width"), L"680");
    EXPECT_TRUE(h.Messages().Texts().empty());
}

TEST(SelectFiler, ShippedLanguageFileCarriesEveryCaptionInBothLanguages) {
    MainWindowHarness h;
    StartMain(h);
    const std::wstring file = BinDir() + L"\\Language\\quibFMarchive\\SelectFiler.txt";
    std::vector<std::wstring> lines;
    ASSERT_TRUE(quib::ReadLanguageFile(file, lines));
    std::map<int, std::pair<std::wstring, std::wstring>> byTag;
    for (size_t i = 1; i < lines.size(); ++i) {
        std::vector<std::wstring> f;
        quib::StringToCsvList(lines[i], f);
        ASSERT_EQ(f.size(), 6u) << i;
        EXPECT_EQ(f[1], L"1");
        byTag[std::stoi(f[0])] = {f[4], f[5]};
    }
    quib::FormInstance<TFormSelectFiler> d;
    ASSERT_TRUE(d.Create());
    std::set<int> seen;
    for (const auto& c : d.Components()) {
        if (c.tag <= 0) continue;
        SCOPED_TRACE("tag " + std::to_string(c.tag));
        seen.insert(c.tag);
        ASSERT_EQ(byTag.count(c.tag), 1u);
        const std::wstring designed = c.hwnd ? WindowText(c.hwnd) : d.MenuItemCaption(c.tag);
        EXPECT_EQ(byTag[c.tag].first, designed);
        EXPECT_FALSE(byTag[c.tag].second.empty());
    }
    EXPECT_EQ(byTag[TFormSelectFiler::kTagForm].first, d.Caption());
    for (const auto& [tag, texts] : byTag) EXPECT_TRUE(seen.count(tag) || tag == TFormSelectFiler::kTagForm) << tag;

    MsgCapture msgs;
    quib::SetEnglish(d, file);
    EXPECT_TRUE(msgs.Texts().empty());
    EXPECT_EQ(d.Caption(), L"Select filer");
    EXPECT_EQ(WindowText(d.Button(TFormSelectFiler::kTagButtonCancel)), L"&Cancel");
    EXPECT_EQ(WindowText(d.CheckBox(3)), L"Enabled");
    EXPECT_EQ(d.MenuItemCaption(TFormSelectFiler::kTagMenuClose), L"&Quit");
}
