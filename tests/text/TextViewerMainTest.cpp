// The user's way in: Enter on a Shift_JIS readme in a zip opens the viewer
// on the extracted copy, showing the Japanese text (run again under code
// page 932).
#include <gtest/gtest.h>

#include <windows.h>

#include "FormTestSupport.h"
#include "MainWindowHarness.h"
#include "app/MainMenuTable.h"
#include "util/StrConv.h"
#include "viewers/text/FormText.h"

using namespace quibtest;

namespace {

struct Found {
    quib::TFormText* viewer = nullptr;
};
BOOL CALLBACK FindViewer(HWND w, LPARAM lp) {
    if (auto* v = dynamic_cast<quib::TFormText*>(quib::TFormBase::FromHandle(w)); v && IsWindowVisible(w) && v->BoolFormShow) {
        reinterpret_cast<Found*>(lp)->viewer = v;
        return FALSE;
    }
    return TRUE;
}

TEST(TextViewerFromTheList, EnterOnAShiftJisReadmeShowsItsText) {
    MainWindowHarness h;
    h.Setting(L"ExpandFile05", L"Ext", L".txt;");
    h.Setting(L"ExpandFile05", L"Exe", L"@TextViewer");
    quib::TFormMain& f = h.Start({FixturesDir() + L"\\text\\sjis.zip"});
    h.Command(quib::tag::MenuMoveEnd);
    std::wstring text, caption, encoding;
    DuringModal driver([&] {
        Found found;
        EnumThreadWindows(GetCurrentThreadId(), FindViewer, reinterpret_cast<LPARAM>(&found));
        if (!found.viewer) return false;
        text = WindowText(found.viewer->Memo1());
        caption = WindowText(found.viewer->Handle());
        encoding = found.viewer->StatusText(1, 4);
        PressKey(found.viewer->Memo1(), VK_ESCAPE);
        return true;
    });
    PressKey(f.ListView1(), VK_RETURN);
    ASSERT_TRUE(driver.Done());
    EXPECT_EQ(text, L"こんにちは、世界\r\n日本語のテキスト\r\n") << quib::WideToUtf8(text);
    EXPECT_EQ(encoding, L"Shift_JIS");
    EXPECT_EQ(caption, f.StrExtractBase + L"readme.txt - テキスト表示");
    EXPECT_TRUE(h.Messages().Texts().empty());
    EXPECT_TRUE(IsWindowEnabled(f.Handle()));
}

}  // namespace
