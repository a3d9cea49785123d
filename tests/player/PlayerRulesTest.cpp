// The player's rules without a window: speed steps and their caption,
// volume steps, the window caption, the file previous / next steps to, and
// the keys appended to button captions.
#include <gtest/gtest.h>

#include "util/StrConv.h"
#include "viewers/player/PlayerRules.h"

using namespace quib;

namespace {

std::string U8(const std::wstring& s) { return WideToUtf8(s); }

TEST(PlayerRules, RateStepsDownToPointFourAndStayThere) {
    double rate = 1.0;
    const wchar_t* expected[] = {L"再生速度&[0.90]", L"再生速度&[0.80]", L"再生速度&[0.70]", L"再生速度&[0.60]",
                                 L"再生速度&[0.50]", L"再生速度&[0.40]", L"再生速度&[0.40]", L"再生速度&[0.40]"};
    for (const wchar_t* e : expected) {
        rate = PlayerRateStep(rate, false);
        EXPECT_EQ(PlayerRateCaption(rate, true), e);
    }
    EXPECT_EQ(rate, 0.4);
}

TEST(PlayerRules, RateStepsUpToTwoAndStayThere) {
    double rate = 1.9;
    rate = PlayerRateStep(rate, true);
    EXPECT_EQ(rate, 2.0);
    EXPECT_EQ(PlayerRateCaption(rate, false), L"Speed&[2.00]");
    rate = PlayerRateStep(rate, true);
    EXPECT_EQ(rate, 2.0);
    // Ten steps up from 1.0 land on exactly 2.0, not on a value a hair below.
    rate = 1.0;
    for (int i = 0; i < 10; ++i) rate = PlayerRateStep(rate, true);
    EXPECT_EQ(rate, 2.0);
    EXPECT_EQ(PlayerRateStep(1.0, true), 1.1);
    EXPECT_EQ(PlayerRateCaption(1.1, true), L"再生速度&[1.10]");
}

TEST(PlayerRules, RateFromSettingsHeldToItsRange) {
    struct Case {
        double in, out;
    } cases[] = {{1.0, 1.0}, {0.1, 0.4}, {-3, 0.4}, {5, 2.0}, {1.5, 1.5}, {0.4, 0.4}, {2.0, 2.0}};
    for (const Case& c : cases) EXPECT_EQ(PlayerRateClamp(c.in), c.out) << c.in;
    EXPECT_EQ(PlayerRateText(1.0), L"1.0");
    EXPECT_EQ(PlayerRateText(1.1), L"1.1");
    EXPECT_EQ(PlayerRateText(0.45), L"0.45");
}

TEST(PlayerRules, VolumeStepsHeldToZeroAndHundred) {
    struct Case {
        int in;
        bool up;
        int out;
    } cases[] = {{98, true, 100}, {3, false, 0}, {100, true, 100}, {0, false, 0}, {10, true, 15}, {10, false, 5}};
    for (const Case& c : cases) EXPECT_EQ(PlayerVolumeStep(c.in, c.up), c.out) << c.in;
}

TEST(PlayerRules, WindowCaptionShowsTheMarkAndTheName) {
    EXPECT_EQ(PlayerWindowCaption(L"C:\\tmp\\1\\dir\\song.mp3", true, true), L"動画・音楽プレイヤー ● song.mp3");
    EXPECT_EQ(PlayerWindowCaption(L"C:\\tmp\\1\\song.mp3", false, true), L"動画・音楽プレイヤー ○ song.mp3");
    EXPECT_EQ(PlayerWindowCaption(L"C:\\tmp\\1\\song.mp3", true, false), L"Movie/Music Player ● song.mp3");
    EXPECT_EQ(PlayerWindowCaption(L"C:\\tmp\\1\\song.mp3", false, false), L"Movie/Music Player ○ song.mp3");
}

// Rows of a list: the root row and a folder row have no stored path.
const std::vector<std::wstring> kRows = {
    L"",            // 0 root
    L"a.mp3",       // 1
    L"b.wav",       // 2
    L"c.MP3",       // 3
    L"",            // 4 folder
    L"d.mp4",       // 5
    L"dir/e.mp3",   // 6
    L"f.mp3.txt",   // 7
};

TEST(PlayerRules, StepTargetsWithTheSameExtensionAndWrap) {
    struct Case {
        bool next;
        int current;
        std::wstring played;
        int target;
    } cases[] = {
        {true, 1, L"C:\\t\\a.mp3", 3},     // .wav skipped, case ignored
        {true, 3, L"C:\\t\\c.MP3", 6},     // the folder and .mp4 skipped
        {true, 6, L"C:\\t\\dir\\e.mp3", 1},  // wraps to the first .mp3 row
        {false, 3, L"C:\\t\\c.MP3", 1},
        {false, 1, L"C:\\t\\a.mp3", 6},    // wraps to the last .mp3 row
        {true, 2, L"C:\\t\\b.wav", 2},     // the only .wav: the current row itself
        {false, 2, L"C:\\t\\b.wav", 2},
        {true, 5, L"C:\\t\\d.mp4", 5},
        {true, 1, L"C:\\t\\noext", -1},    // no extension: nothing to step to
        {true, 1, L"C:\\t\\x.ogg", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlayerStepTarget(c.next, c.current, kRows, c.played, {}), c.target)
            << c.next << " " << c.current << " " << U8(c.played);
}

TEST(PlayerRules, StepTargetsOnlyAmongTheRowsMarkedAtOpening) {
    const std::vector<std::wstring> marked = {L"A.MP3", L"dir/e.mp3"};
    EXPECT_EQ(PlayerStepTarget(true, 1, kRows, L"C:\\t\\a.mp3", marked), 6);   // c.MP3 is not marked
    EXPECT_EQ(PlayerStepTarget(true, 6, kRows, L"C:\\t\\e.mp3", marked), 1);   // wraps, case ignored
    EXPECT_EQ(PlayerStepTarget(false, 6, kRows, L"C:\\t\\e.mp3", marked), 1);
    EXPECT_EQ(PlayerStepTarget(false, 1, kRows, L"C:\\t\\a.mp3", marked), 6);
    EXPECT_EQ(PlayerStepTarget(true, 1, kRows, L"C:\\t\\a.mp3", {L"zzz.mp3"}), -1);
    EXPECT_EQ(PlayerStepTarget(true, 0, {}, L"C:\\t\\a.mp3", {}), -1);
}

TEST(PlayerRules, ButtonCaptionsTakeTheirKeys) {
    struct Case {
        const wchar_t* caption;
        const wchar_t* key;
        const wchar_t* out;
    } cases[] = {
        {L"再生", L"Alt+P", L"再生[P]"},
        {L"終了", L"Alt+F4", L"終了[F4]"},
        {L"再生[P]", L"Ctrl+Shift+Q", L"再生[Q]"},  // an earlier key is replaced
        {L"Play[P] more", L"Space", L"Play[Space]"},
        {L"ﾏｰｸ●", L"Shift+Alt+M", L"ﾏｰｸ●[M]"},
        {L"停止", L"", L"停止[]"},
    };
    for (const Case& c : cases) EXPECT_EQ(ButtonCaptionWithKey(c.caption, c.key), c.out) << U8(c.caption);
}

}  // namespace
