// The player on a real window with a control of the test's own and a host
// of the test's own: what the user sees (captions of the window, its menu
// and buttons), driven by the keys of its key map.
#include <gtest/gtest.h>

#include "FakePlayerControl.h"
#include "FakeStepHost.h"
#include "FormTestSupport.h"
#include "TestSupport.h"
#include "keymap/KeyMap.h"
#include "util/Controls.h"
#include "util/IniFile.h"
#include "util/StrConv.h"
#include "viewers/Taskbar.h"
#include "viewers/player/FormPlayer.h"

using namespace quibtest;
using quib::TFormPlayer;

namespace {

constexpr BYTE kAlt = 2;

class PlayerWindow : public ::testing::Test {
protected:
    TestProgramFolder folder;
    TempDir dir;
    MsgCapture messages;
    FakeStepHost host;
    FakeControlState control;

    std::wstring File(const std::wstring& name) {
        const std::wstring p = dir / name;
        EXPECT_TRUE(WriteFileBytes(p, "media"));
        return p;
    }
    // Shows the player modally and runs the check inside it; the check may
    // close it, else it is closed afterwards.
    void Run(const std::function<void(TFormPlayer&)>& check) {
        quib::FormInstance<TFormPlayer> player(host, FakeFactory(control));
        bool ran = false;
        DuringModal driver([&] {
            if (!player.Handle() || !IsWindowVisible(player.Handle())) return false;
            Pump(30);
            check(player);
            ran = true;
            if (player.Handle() && IsWindowVisible(player.Handle())) PostMessageW(player.Handle(), WM_CLOSE, 0, 0);
            return true;
        }, 30000);
        player.ShowModal();
        EXPECT_TRUE(ran);
    }
};

std::wstring Text(HWND h) { return quib::GetText(h); }

// Opening plays the file at once; the captions carry the rate, the mark
// and the keys of the key map.
TEST_F(PlayerWindow, OpensPlayingWithItsCaptions) {
    folder.Write(L"FormPlayer", L"Speed", L"1.3");
    folder.Write(L"FormPlayer", L"Volume", L"40");
    folder.Write(L"FormPlayer", L"Fit", L"1");
    host.files = {File(L"a.mp3")};
    Run([&](TFormPlayer& p) {
        EXPECT_EQ(control.url, host.files[0]);
        EXPECT_EQ(control.playState, quib::kPlayStatePlaying);
        EXPECT_FALSE(control.autoStart);
        EXPECT_TRUE(control.uiModeFull);
        EXPECT_TRUE(control.stretch);
        EXPECT_DOUBLE_EQ(control.rate, 1.3);
        EXPECT_EQ(control.volume, 40);
        EXPECT_EQ(Text(p.Handle()), L"動画・音楽プレイヤー ○ a.mp3");
        EXPECT_EQ(p.MenuItemCaption(TFormPlayer::kTagMenuSettingRate), L"再生速度&[1.30]");
        const std::pair<int, const wchar_t*> buttons[] = {
            {TFormPlayer::kTagButtonPlay, L"再生[P]"},       {TFormPlayer::kTagButtonPause, L"一時停止[A]"},
            {TFormPlayer::kTagButtonStop, L"停止[S]"},       {TFormPlayer::kTagButtonBackward, L"速度－[B]"},
            {TFormPlayer::kTagButtonForward, L"速度＋[F]"},  {TFormPlayer::kTagButtonVolumeDown, L"音量－[D]"},
            {TFormPlayer::kTagButtonVolumeUp, L"音量＋[U]"}, {TFormPlayer::kTagButtonPrev, L"前へ[R]"},
            {TFormPlayer::kTagButtonNext, L"次へ[N]"},       {TFormPlayer::kTagButtonPropaty, L"ﾌﾟﾛﾊﾟﾃｨ[T]"},
            {TFormPlayer::kTagButtonContinueStart, L"連続再生[Y]"},
            {TFormPlayer::kTagButtonContinueStop, L"連続停止[Z]"},
            {TFormPlayer::kTagButtonMark, L"ﾏｰｸ●[M]"},       {TFormPlayer::kTagButtonClose, L"終了[F4]"},
            {TFormPlayer::kTagButtonEnabled, L"有効★"},
        };
        for (const auto& [tag, caption] : buttons) EXPECT_EQ(Text(p.Button(tag)), caption) << tag;
        EXPECT_FALSE(IsWindowVisible(p.Button(TFormPlayer::kTagButtonEnabled)));
        EXPECT_TRUE(IsWindowEnabled(p.Button(TFormPlayer::kTagButtonContinueStart)));
        EXPECT_FALSE(IsWindowEnabled(p.Button(TFormPlayer::kTagButtonContinueStop)));
    });
    // The settings are written as the window goes.
    EXPECT_EQ(folder.Read(L"FormPlayer", L"Speed"), L"1.3");
    EXPECT_EQ(folder.Read(L"FormPlayer", L"Volume"), L"40");
    EXPECT_EQ(folder.Read(L"FormPlayer", L"Fit"), L"1");
    EXPECT_EQ(folder.Read(L"FormPlayer", L"ShowButtonBar"), L"1");
    EXPECT_FALSE(control.alive);
    EXPECT_TRUE(messages.Texts().empty());
}

// Speed steps only while playing, down to 0.4 and up to 2.0; the caption follows.
TEST_F(PlayerWindow, SpeedStepsClampAndCaption) {
    host.files = {File(L"a.mp3")};
    Run([&](TFormPlayer& p) {
        HWND video = p.Control()->Window();
        for (int i = 0; i < 7; ++i) PressKey(video, 'B', kAlt);
        EXPECT_DOUBLE_EQ(p.DoubleWindowsMediaPlayerRate, 0.4);
        EXPECT_DOUBLE_EQ(control.rate, 0.4);
        EXPECT_EQ(p.MenuItemCaption(TFormPlayer::kTagMenuSettingRate), L"再生速度&[0.40]");
        for (int i = 0; i < 20; ++i) PressKey(video, 'F', kAlt);
        EXPECT_DOUBLE_EQ(control.rate, 2.0);
        EXPECT_EQ(p.MenuItemCaption(TFormPlayer::kTagMenuSettingRate), L"再生速度&[2.00]");
        PressKey(video, 'B', kAlt);
        EXPECT_EQ(p.MenuItemCaption(TFormPlayer::kTagMenuSettingRate), L"再生速度&[1.90]");
        // Stopped: the speed keys do nothing.
        PressKey(video, 'S', kAlt);
        EXPECT_EQ(control.playState, quib::kPlayStateStopped);
        PressKey(video, 'F', kAlt);
        EXPECT_DOUBLE_EQ(p.DoubleWindowsMediaPlayerRate, 1.9);
        // The speed button runs the same command.
        PressKey(video, 'P', kAlt);
        SendMessageW(p.Button(TFormPlayer::kTagButtonForward), BM_CLICK, 0, 0);
        EXPECT_DOUBLE_EQ(control.rate, 2.0);
    });
    EXPECT_EQ(folder.Read(L"FormPlayer", L"Speed"), L"2.0");
}

// Volume steps of five held to 0 and 100; pause and play.
TEST_F(PlayerWindow, VolumeStepsAndPause) {
    folder.Write(L"FormPlayer", L"Volume", L"98");
    host.files = {File(L"a.mp3")};
    Run([&](TFormPlayer& p) {
        HWND video = p.Control()->Window();
        PressKey(video, 'U', kAlt);
        EXPECT_EQ(control.volume, 100);
        PressKey(video, 'U', kAlt);
        EXPECT_EQ(control.volume, 100);
        control.volume = 3;
        PressKey(video, 'D', kAlt);
        EXPECT_EQ(control.volume, 0);
        SendMessageW(p.Button(TFormPlayer::kTagButtonVolumeUp), BM_CLICK, 0, 0);
        EXPECT_EQ(control.volume, 5);
        PressKey(video, 'A', kAlt);
        EXPECT_TRUE(p.BoolPause);
        EXPECT_EQ(control.playState, quib::kPlayStatePaused);
        PressKey(video, 'P', kAlt);
        EXPECT_FALSE(p.BoolPause);
        EXPECT_EQ(control.playState, quib::kPlayStatePlaying);
    });
    EXPECT_EQ(folder.Read(L"FormPlayer", L"Volume"), L"5");
}

// Next skips other kinds and wraps; a second Next within two seconds of the
// Stop does nothing; previous wraps to the end.
TEST_F(PlayerWindow, PreviousAndNextWithWrap) {
    host.files = {File(L"a.mp3"), File(L"b.wav"), L"", File(L"c.MP3"), File(L"d.mp4")};
    Run([&](TFormPlayer& p) {
        HWND video = p.Control()->Window();
        PressKey(video, 'N', kAlt);
        EXPECT_EQ(host.current, 3);
        EXPECT_EQ(p.StrLoadFileName, host.files[3]);
        EXPECT_EQ(control.url, host.files[3]);
        EXPECT_EQ(control.playState, quib::kPlayStatePlaying);
        EXPECT_EQ(Text(p.Handle()), L"動画・音楽プレイヤー ○ c.MP3");
        // The URL was cleared before the new one was set.
        ASSERT_GE(control.urls.size(), 3u);
        EXPECT_EQ(control.urls[control.urls.size() - 2], L"");
        PressKey(video, 'N', kAlt);  // within two seconds of the Stop: ignored
        EXPECT_EQ(host.current, 3);
        EXPECT_EQ(host.fetches, 1);
        // Both two-second guards (after the Stop, after the extraction) run out.
        EXPECT_TRUE(WaitFor([&] { return !p.BoolPrevNext && !p.BoolFileMaking; }, 4000));
        PressKey(video, 'N', kAlt);  // wraps to the first .mp3
        EXPECT_EQ(host.current, 0);
        EXPECT_EQ(control.url, host.files[0]);
        EXPECT_TRUE(WaitFor([&] { return !p.BoolPrevNext && !p.BoolFileMaking; }, 4000));
        SendMessageW(p.Button(TFormPlayer::kTagButtonPrev), BM_CLICK, 0, 0);  // wraps to the last
        EXPECT_EQ(host.current, 3);
        EXPECT_FALSE(p.BoolPrev);
        EXPECT_TRUE(p.BoolNext);
    });
    EXPECT_TRUE(messages.Texts().empty());
}

// With paths marked when the player opened, only those are stepped to;
// marking toggles the current row's mark (the host refreshes its totals)
// and the caption shows it.
TEST_F(PlayerWindow, MarksLimitTheStepsAndMarkToggles) {
    host.files = {File(L"a.mp3"), File(L"b.mp3"), File(L"c.mp3")};
    host.markedAtOpening = {L"A.mp3", L"c.mp3"};
    host.marks = {true, false, true};
    Run([&](TFormPlayer& p) {
        HWND video = p.Control()->Window();
        EXPECT_EQ(Text(p.Handle()), L"動画・音楽プレイヤー ● a.mp3");
        PressKey(video, 'N', kAlt);
        EXPECT_EQ(host.current, 2);
        EXPECT_EQ(Text(p.Handle()), L"動画・音楽プレイヤー ● c.mp3");
        PressKey(video, 'M', kAlt);
        EXPECT_FALSE(host.marks[2]);
        EXPECT_EQ(host.markRefreshes, 1);
        EXPECT_EQ(host.current, 2);  // marking does not move
        EXPECT_EQ(Text(p.Handle()), L"動画・音楽プレイヤー ○ c.mp3");
        SendMessageW(p.Button(TFormPlayer::kTagButtonMark), BM_CLICK, 0, 0);
        EXPECT_TRUE(host.marks[2]);
        EXPECT_EQ(host.markRefreshes, 2);
    });
}

// Stepping works only while the main list shows the archive's entries.
TEST_F(PlayerWindow, NoStepsWhileTheListShowsNoEntries) {
    host.files = {File(L"a.mp3"), File(L"b.mp3")};
    host.listsArchive = false;
    Run([&](TFormPlayer& p) {
        PressKey(p.Control()->Window(), 'N', kAlt);
        EXPECT_EQ(host.current, 0);
        EXPECT_EQ(host.fetches, 0);
        EXPECT_EQ(control.playState, quib::kPlayStatePlaying);
        // The property sheet of a file that is gone: said in Japanese.
        p.StrLoadFileName = dir / L"missing.mp3";
        PressKey(p.Control()->Window(), 'T', kAlt);
        ASSERT_EQ(messages.Texts().size(), 1u);
        EXPECT_EQ(messages.Texts()[0], L"Information : 対象のファイルのプロパティが表示できませんでした");
    });
}

// A key-map file of another version is reset to the built-in keys, and the
// user is told once the window stands.
TEST_F(PlayerWindow, OutdatedKeyMapFileResetAndTold) {
    const std::wstring path = quib::ProgramFolder() + L"\\quibFMarchive-KeyMapPlayer.txt";
    ASSERT_TRUE(quib::WriteKeyMapFile(path, {quib::MakeKeyMapLine(L"操作", L"再生(&P)", L"Alt+Q", 1301)}));
    host.files = {File(L"a.mp3")};
    Run([&](TFormPlayer& p) {
        EXPECT_TRUE(WaitFor([&] { return !messages.Texts().empty(); }, 3000));
        ASSERT_EQ(messages.Texts().size(), 1u);
        EXPECT_EQ(messages.Texts()[0], L"Information : キーボード設定内容が変更になったので初期化しました");
        EXPECT_EQ(Text(p.Button(TFormPlayer::kTagButtonPlay)), L"再生[P]");
    });
    quib::KeyMapTable table;
    ASSERT_TRUE(quib::ReadKeyMapFile(path, table));
    EXPECT_EQ(table.size(), 23u);
}

// Continuous play: Next while playing only stops; the timer then finds the
// control idle and moves on by itself; stopping it swaps the buttons back.
TEST_F(PlayerWindow, ContinuousPlayMovesOnWhenTheControlIsIdle) {
    host.files = {File(L"a.mp3"), File(L"b.wav"), File(L"c.mp3")};
    Run([&](TFormPlayer& p) {
        HWND video = p.Control()->Window();
        PressKey(video, 'Y', kAlt);
        EXPECT_FALSE(IsWindowEnabled(p.Button(TFormPlayer::kTagButtonContinueStart)));
        EXPECT_TRUE(IsWindowEnabled(p.Button(TFormPlayer::kTagButtonContinueStop)));
        EXPECT_FALSE(p.MenuEnabled(1311));
        EXPECT_TRUE(p.MenuEnabled(1312));
        EXPECT_EQ(control.playState, quib::kPlayStatePlaying);
        PressKey(video, 'N', kAlt);
        EXPECT_EQ(host.current, 0);  // only stopped
        EXPECT_EQ(control.playState, quib::kPlayStateStopped);
        EXPECT_EQ(host.fetches, 0);
        EXPECT_TRUE(WaitFor([&] { return host.current == 2; }, 6000));
        EXPECT_EQ(control.url, host.files[2]);
        EXPECT_EQ(control.playState, quib::kPlayStatePlaying);
        PressKey(video, 'Z', kAlt);
        EXPECT_TRUE(IsWindowEnabled(p.Button(TFormPlayer::kTagButtonContinueStart)));
        EXPECT_FALSE(IsWindowEnabled(p.Button(TFormPlayer::kTagButtonContinueStop)));
        EXPECT_EQ(control.playState, quib::kPlayStateStopped);
        // Stopped continuous play no longer moves on.
        Pump(2500);
        EXPECT_EQ(host.current, 2);
    });
}

// A control that never leaves "playing" does not hold the program: Stop
// returns within its bound, and so does closing, which stops too.
TEST_F(PlayerWindow, StopReturnsWithinItsBoundWhenTheControlStaysPlaying) {
    host.files = {File(L"a.mp3")};
    control.stuckPlaying = true;
    DWORD closeStarted = 0;
    Run([&](TFormPlayer& p) {
        HWND video = p.Control()->Window();
        const DWORD start = GetTickCount();
        PressKey(video, 'S', kAlt);
        const DWORD took = GetTickCount() - start;
        EXPECT_GE(took + 50, quib::kPlayerStopWaitMs);
        EXPECT_LT(took, quib::kPlayerStopWaitMs + 1500);
        EXPECT_FALSE(p.Stopping());
        EXPECT_EQ(control.playState, quib::kPlayStatePlaying);
        // A second Stop pressed while the first waits runs after it, alone.
        const int stopsBefore = control.stops;
        const DWORD again = GetTickCount();
        PostMessageW(p.Button(TFormPlayer::kTagButtonStop), BM_CLICK, 0, 0);
        PressKey(video, 'S', kAlt);
        Pump(50);
        EXPECT_LT(GetTickCount() - again, 3 * quib::kPlayerStopWaitMs);
        EXPECT_EQ(control.stops, stopsBefore + 2);
        closeStarted = GetTickCount();
        PressKey(video, VK_RETURN);
    });
    EXPECT_LT(GetTickCount() - closeStarted, quib::kPlayerStopWaitMs + 2000);
}

// Full screen hides the taskbar and the button bar and maximises; Esc
// leaves it with both back; closing in full screen gives the taskbar back.
TEST_F(PlayerWindow, FullScreenLeftWithTheTaskbarRestored) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"Shell_TrayWnd";
    RegisterClassW(&wc);
    HWND tray = CreateWindowExW(WS_EX_TOOLWINDOW, L"Shell_TrayWnd", L"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowPos(tray, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_TRUE(tray);
    ASSERT_EQ(FindWindowW(L"Shell_TrayWnd", nullptr), tray);
    host.files = {File(L"a.mp4")};
    Run([&](TFormPlayer& p) {
        HWND video = p.Control()->Window();
        PressKey(video, 'L', kAlt);
        EXPECT_TRUE(p.BoolFullScreen);
        EXPECT_FALSE(IsWindowVisible(tray));
        EXPECT_TRUE(IsZoomed(p.Handle()));
        EXPECT_FALSE(IsWindowVisible(p.Button(TFormPlayer::kTagButtonPlay)));
        EXPECT_EQ(GetWindowLongPtrW(p.Handle(), GWL_STYLE) & WS_MAXIMIZEBOX, 0);
        EXPECT_TRUE(control.fullScreen);  // playing: the control's own full screen too
        PressKeyOnFocus(VK_ESCAPE);  // leaves full screen only
        EXPECT_TRUE(IsWindowVisible(p.Handle()));
        EXPECT_FALSE(p.BoolFullScreen);
        EXPECT_TRUE(IsWindowVisible(tray));
        EXPECT_FALSE(IsZoomed(p.Handle()));
        EXPECT_TRUE(IsWindowVisible(p.Button(TFormPlayer::kTagButtonPlay)));
        EXPECT_NE(GetWindowLongPtrW(p.Handle(), GWL_STYLE) & WS_MAXIMIZEBOX, 0);
        PressKey(video, 'L', kAlt);
        EXPECT_FALSE(IsWindowVisible(tray));
        PressKey(video, 'W', kAlt);
        EXPECT_TRUE(IsWindowVisible(tray));
        PressKey(video, 'L', kAlt);
        EXPECT_FALSE(IsWindowVisible(tray));
        PressKeyOnFocus(VK_RETURN);  // Enter closes even in full screen
    });
    EXPECT_TRUE(IsWindowVisible(tray));
    EXPECT_FALSE(quib::TaskbarHiddenByViewer());
    DestroyWindow(tray);
}

// The button bar's check is written at once; without the bar the video
// takes the whole client area.
TEST_F(PlayerWindow, ButtonBarToggledAndSavedAtOnce) {
    host.files = {File(L"a.mp3")};
    Run([&](TFormPlayer& p) {
        RECT client, video;
        GetClientRect(p.Handle(), &client);
        GetWindowRect(p.Control()->Window(), &video);
        EXPECT_LT(video.bottom - video.top, client.bottom - 60);
        p.RunCommand(1211);
        EXPECT_FALSE(p.ButtonBarVisible());
        EXPECT_FALSE(IsWindowVisible(p.Button(TFormPlayer::kTagButtonPlay)));
        EXPECT_EQ(folder.Read(L"FormPlayer", L"ShowButtonBar"), L"0");
        GetWindowRect(p.Control()->Window(), &video);
        EXPECT_EQ(video.bottom - video.top, client.bottom);
        p.RunCommand(1221);
        EXPECT_TRUE(control.stretch);
    });
    EXPECT_EQ(folder.Read(L"FormPlayer", L"ShowButtonBar"), L"0");
    EXPECT_EQ(folder.Read(L"FormPlayer", L"Fit"), L"1");
}

// The key-map file is written beside the program; the English captions come
// from the language file "Player.txt".
TEST_F(PlayerWindow, KeyMapFileAndEnglishCaptions) {
    ASSERT_TRUE(CopyTree(BinDir() + L"\\Language", quib::ProgramFolder() + L"\\Language"));
    host.japanese = false;
    host.files = {File(L"a.mp3")};
    Run([&](TFormPlayer& p) {
        EXPECT_EQ(p.MenuItemCaption(1301), L"&Play");
        EXPECT_EQ(p.MenuItemCaption(TFormPlayer::kTagMenuSettingRate), L"Speed&[1.00]");
        EXPECT_EQ(Text(p.Button(TFormPlayer::kTagButtonPlay)), L"Play[P]");
        EXPECT_EQ(Text(p.Button(TFormPlayer::kTagButtonClose)), L"Exit[F4]");
        EXPECT_EQ(Text(p.Handle()), L"Movie/Music Player ○ a.mp3");
        // The property sheet of a file that is gone cannot be shown: said in English.
        messages.Clear();
        p.StrLoadFileName = dir / L"missing.mp3";
        PressKey(p.Control()->Window(), 'T', kAlt);
        ASSERT_EQ(messages.Texts().size(), 1u);
        EXPECT_EQ(messages.Texts()[0], L"Information : This file propaty can not show.\r\n[OK]");
    });
    quib::KeyMapTable table;
    ASSERT_TRUE(quib::ReadKeyMapFile(quib::ProgramFolder() + L"\\quibFMarchive-KeyMapPlayer.txt", table));
    EXPECT_EQ(table.size(), 23u);
    const quib::KeyMapLine* play = quib::FindKeyMapLine(table, L"1301");
    ASSERT_NE(play, nullptr);
    EXPECT_EQ(play->category, L"操作");
    EXPECT_EQ(play->keyText, L"Alt+P");
    const quib::KeyMapLine* help = quib::FindKeyMapLine(table, L"1411");
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->category, L"ヘルプ");
    EXPECT_EQ(quib::FindKeyMapLine(table, L"1500"), nullptr);
}

// A key-map file of the user's own gives the buttons its keys.
TEST_F(PlayerWindow, ButtonsTakeTheKeysOfTheUsersKeyMap) {
    host.files = {File(L"a.mp3")};
    Run([](TFormPlayer&) {});  // writes the built-in file
    quib::KeyMapTable table;
    const std::wstring path = quib::ProgramFolder() + L"\\quibFMarchive-KeyMapPlayer.txt";
    ASSERT_TRUE(quib::ReadKeyMapFile(path, table));
    quib::FindKeyMapLine(table, L"1301")->keyText = L"Shift+Ctrl+Enter";
    quib::FindKeyMapLine(table, L"1303")->keyText = L"";
    ASSERT_TRUE(quib::WriteKeyMapFile(path, table));
    control.plays = 0;
    Run([&](TFormPlayer& p) {
        EXPECT_EQ(Text(p.Button(TFormPlayer::kTagButtonPlay)), L"再生[Enter]");
        EXPECT_EQ(Text(p.Button(TFormPlayer::kTagButtonStop)), L"停止[]");
        EXPECT_EQ(control.plays, 1);
        PressKey(p.Control()->Window(), 'P', kAlt);  // no longer a key of the map
        EXPECT_EQ(control.plays, 1);
        PressKey(p.Control()->Window(), VK_RETURN, 1 | 4);
        EXPECT_EQ(control.plays, 2);
    });
}

}  // namespace
