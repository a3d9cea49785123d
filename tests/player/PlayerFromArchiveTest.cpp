// The player opened by the real main window on a zip made at test time,
// with a control of the test's own: the next file of the same kind
// extracted as the user steps, the main list's cursor following, a mark
// set in the player counted in the main window's totals; and the message
// when the system has no media player control.
#include <gtest/gtest.h>

#include "FakePlayerControl.h"
#include "FormTestSupport.h"
#include "ImageTestPictures.h"
#include "MainWindowHarness.h"
#include "app/MainMenuTable.h"
#include "util/Controls.h"
#include "util/StrConv.h"
#include "viewers/player/FormPlayer.h"

using namespace quibtest;

namespace {

quib::TFormPlayer* FindPlayer(const std::wstring& caption) {
    HWND w = FindThreadWindow(caption);
    return w ? dynamic_cast<quib::TFormPlayer*>(quib::TFormBase::FromHandle(w)) : nullptr;
}

// The factory goes back to the system's control whatever the test's end.
struct FactoryScope {
    explicit FactoryScope(quib::PlayerControlFactory f) { quib::SetPlayerControlFactory(std::move(f)); }
    ~FactoryScope() { quib::SetPlayerControlFactory(nullptr); }
};

// The marked-entries count of the status bar, without its padding.
std::wstring MarkedCount(quib::TFormMain& f) {
    std::wstring s = f.StatusText(4);
    s.erase(0, s.find_first_not_of(L' '));
    return s;
}

TEST(PlayerFromArchive, StepsWithExtractionAndMarksCountInTheMainWindow) {
    TempDir dir;
    const std::wstring zip = dir / L"music.zip";
    ASSERT_TRUE(WriteFileBytes(zip, StoredZip({{"a.mp3", "first"}, {"b.txt", "text"}, {"c.mp3", "second"}})));
    FakeControlState control;
    FactoryScope scope(FakeFactory(control));

    MainWindowHarness h;
    quib::TFormMain& f = h.Start({zip});
    HWND list = f.ListView1();
    ASSERT_EQ(ListRowCount(list), 4);  // <\>, a.mp3, b.txt, c.mp3
    PressKey(list, VK_DOWN);
    ASSERT_EQ(ListCellText(list, 1, 1), L"a.mp3");
    EXPECT_EQ(MarkedCount(f), L"0");

    bool checked = false;
    DuringModal driver([&] {
        quib::TFormPlayer* p = FindPlayer(L"動画・音楽プレイヤー ○ a.mp3");
        if (!p) return false;
        Pump(50);
        EXPECT_EQ(control.url, f.StrExtractBase + L"a.mp3");
        EXPECT_EQ(control.playState, quib::kPlayStatePlaying);
        EXPECT_FALSE(FileExists(f.StrExtractBase + L"c.mp3"));
        HWND video = p->Control()->Window();
        PressKey(video, 'N', 2);
        EXPECT_EQ(ListSelectedRow(list), 3);
        EXPECT_TRUE(FileExists(f.StrExtractBase + L"c.mp3"));
        EXPECT_EQ(f.StrExtractFolderFileName, f.StrExtractBase + L"c.mp3");
        EXPECT_EQ(control.url, f.StrExtractBase + L"c.mp3");
        EXPECT_EQ(quib::GetText(p->Handle()), L"動画・音楽プレイヤー ○ c.mp3");
        // Marked in the player: the main list's row and its totals.
        PressKey(video, 'M', 2);
        EXPECT_EQ(ListCellText(list, 3, 0), L"●");
        EXPECT_EQ(MarkedCount(f), L"1");
        EXPECT_EQ(quib::GetText(p->Handle()), L"動画・音楽プレイヤー ● c.mp3");
        PressKey(video, 'M', 2);
        EXPECT_EQ(MarkedCount(f), L"0");
        PressKey(video, 'M', 2);
        PressKey(video, VK_RETURN);
        checked = true;
        return true;
    });
    h.Command(quib::tag::MenuMovieMusicPlayer);
    WaitFor([&] { return driver.Done(); });
    EXPECT_TRUE(checked);
    EXPECT_FALSE(control.alive);
    EXPECT_EQ(MarkedCount(f), L"1");
    EXPECT_TRUE(h.Messages().Texts().empty()) << quib::WideToUtf8(h.Messages().Texts().empty() ? L"" : h.Messages().Texts()[0]);
}

// Without the control the user is told, in the interface language, and the
// main window goes on.
TEST(PlayerFromArchive, NoControlIsSaidInBothLanguages) {
    TempDir dir;
    const std::wstring zip = dir / L"music.zip";
    ASSERT_TRUE(WriteFileBytes(zip, StoredZip({{"a.mp3", "first"}})));
    FactoryScope scope([](HWND) { return std::unique_ptr<quib::PlayerControl>(); });

    MainWindowHarness h;
    quib::TFormMain& f = h.Start({zip});
    HWND list = f.ListView1();
    PressKey(list, VK_DOWN);
    h.Command(quib::tag::MenuMovieMusicPlayer);
    const std::wstring file = f.StrExtractBase + L"a.mp3";
    ASSERT_EQ(h.Messages().Texts().size(), 1u);
    EXPECT_EQ(h.Messages().Texts()[0],
              L"Information : Windows Media Player のコントロールが作成できないので動画・音楽プレイヤーは"
              L"使用できません\r\n" + file);
    h.Command(quib::tag::MenuEnglish);
    h.Messages().Clear();
    h.Command(quib::tag::MenuMovieMusicPlayer);
    ASSERT_EQ(h.Messages().Texts().size(), 1u);
    EXPECT_EQ(h.Messages().Texts()[0],
              L"Information : The movie and music player can not be used, because of the Windows Media Player "
              L"control can not be created.\r\n[OK]\r\n" + file);
    // The main window goes on: no player window, the list still answers.
    EXPECT_EQ(FindThreadWindow(L"メディアプレイヤー"), nullptr);
    EXPECT_EQ(FindThreadWindow(L"Media Player"), nullptr);
    PressKey(list, VK_UP);
    EXPECT_EQ(ListSelectedRow(list), 0);
    h.Command(quib::tag::MenuJapanese);
}

}  // namespace
