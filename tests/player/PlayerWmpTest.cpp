// The system's media player control hosted inside the player window by our
// own OLE container, as far as the system here supports it. Wine's control
// can be made, embedded and given a URL and a volume; it does not play (its
// playState stays 1), so what depends on playing is proven with the fake.
#include <gtest/gtest.h>

#include "FakeStepHost.h"
#include "FormTestSupport.h"
#include "TestSupport.h"
#include "util/StrConv.h"
#include "viewers/player/FormPlayer.h"
#include "viewers/player/WmpControl.h"

using namespace quibtest;
using quib::TFormPlayer;

namespace {

// A short silent PCM wave file.
std::string SilentWave() {
    const uint32_t rate = 8000, samples = 800;
    std::string w = "RIFF";
    auto u32 = [&](uint32_t v) { w.append(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { w.append(reinterpret_cast<const char*>(&v), 2); };
    u32(36 + samples);
    w += "WAVEfmt ";
    u32(16), u16(1), u16(1), u32(rate), u32(rate), u16(1), u16(8);
    w += "data";
    u32(samples);
    w.append(samples, '\x80');
    return w;
}

TEST(PlayerWmp, TheControlIsMadeInsideThePlayerWindow) {
    TestProgramFolder folder;
    folder.Write(L"FormPlayer", L"Volume", L"35");
    TempDir dir;
    MsgCapture messages;
    FakeStepHost host;
    host.files = {dir / L"quiet.wav"};
    ASSERT_TRUE(WriteFileBytes(host.files[0], SilentWave()));
    auto owned = std::make_unique<quib::FormInstance<TFormPlayer>>(host);  // the system's control
    TFormPlayer& player = *owned;
    ASSERT_TRUE(player.Create());
    ASSERT_TRUE(player.ControlAvailable()) << "the media player control could not be made";
    bool ran = false;
    DuringModal driver([&] {
        if (!IsWindowVisible(player.Handle())) return false;
        Pump(100);
        quib::PlayerControl* c = player.Control();
        // Embedded in place: its window is a child of the player's and fills
        // the client area above the button bar.
        HWND w = c->Window();
        EXPECT_NE(w, nullptr);
        if (w) {
            EXPECT_TRUE(IsChild(player.Handle(), w));
            EXPECT_TRUE(IsWindowVisible(w));
            RECT client, video;
            GetClientRect(player.Handle(), &client);
            GetWindowRect(w, &video);
            MapWindowPoints(nullptr, player.Handle(), reinterpret_cast<POINT*>(&video), 2);
            EXPECT_EQ(video.left, 0);
            EXPECT_EQ(video.top, 0);
            EXPECT_EQ(video.right, client.right);
            EXPECT_GT(video.bottom, 0);
            EXPECT_LT(video.bottom, client.bottom);
        }
        // Opening gave it the file and the volume of the settings file.
        EXPECT_EQ(c->Url(), host.files[0]);
        EXPECT_EQ(c->Volume(), 35);
        PressKey(w ? w : player.Handle(), 'U', 2);
        EXPECT_EQ(c->Volume(), 40);
        // Stop returns at once with a control that is not playing.
        const DWORD start = GetTickCount();
        PressKey(w ? w : player.Handle(), 'S', 2);
        EXPECT_LT(GetTickCount() - start, quib::kPlayerStopWaitMs);
        EXPECT_NE(c->PlayState(), quib::kPlayStatePlaying);
        EXPECT_EQ(c->Volume(), 40) << "after stop";
        ran = true;
        PressKey(w ? w : player.Handle(), VK_RETURN);
        return true;
    });
    player.ShowModal();
    EXPECT_TRUE(ran);
    owned.reset();  // the settings are written as the window goes
    EXPECT_EQ(folder.Read(L"FormPlayer", L"Volume"), L"40");
    EXPECT_TRUE(messages.Texts().empty()) << quib::WideToUtf8(messages.Texts().empty() ? L"" : messages.Texts()[0]);
}

// Made and freed again and again without the player: nothing is left behind
// that breaks the next one.
TEST(PlayerWmp, MadeAndFreedRepeatedly) {
    EnsureApplication();
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 320, 200, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(parent);
    for (int i = 0; i < 3; ++i) {
        auto c = quib::CreateWmpControl(parent);
        ASSERT_NE(c, nullptr) << i;
        c->SetVolume(20 + i);
        EXPECT_EQ(c->Volume(), 20 + i);
        c->SetUrl(L"");
        EXPECT_EQ(c->Url(), L"");
    }
    DestroyWindow(parent);
}

}  // namespace
