#pragma once
// A media player control of the test's own: it remembers what the player
// asked of it, plays "instantly" and can be made to stick in "playing".
#include <string>
#include <vector>

#include "viewers/player/PlayerControl.h"

namespace quibtest {

struct FakeControlState {
    std::wstring url;
    int playState = quib::kPlayStateStopped;
    bool stuckPlaying = false;  // Stop leaves it playing
    double rate = 1.0;
    int volume = 50;
    bool autoStart = true;
    bool uiModeFull = false;
    bool stretch = false;
    bool fullScreen = false;
    int plays = 0, pauses = 0, stops = 0;
    std::vector<std::wstring> urls;  // every URL set, in order
    bool alive = false;
};

class FakePlayerControl : public quib::PlayerControl {
public:
    FakePlayerControl(FakeControlState& s, HWND parent) : s_(s) {
        s_.alive = true;
        window_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 0, 0, 10, 10, parent,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~FakePlayerControl() override { s_.alive = false; }

    HWND Window() const override { return window_; }
    void SetBounds(const RECT& r) override {
        MoveWindow(window_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    }
    std::wstring Url() const override { return s_.url; }
    void SetUrl(const std::wstring& url) override {
        s_.url = url;
        s_.urls.push_back(url);
        if (url.empty()) s_.playState = quib::kPlayStateStopped;
    }
    int PlayState() const override { return s_.playState; }
    void SetUiModeFull() override { s_.uiModeFull = true; }
    void SetStretchToFit(bool stretch) override { s_.stretch = stretch; }
    void SetFullScreen(bool fullScreen) override { s_.fullScreen = fullScreen; }
    void Play() override {
        ++s_.plays;
        if (!s_.url.empty()) s_.playState = quib::kPlayStatePlaying;
    }
    void Pause() override {
        ++s_.pauses;
        if (s_.playState == quib::kPlayStatePlaying) s_.playState = quib::kPlayStatePaused;
    }
    void Stop() override {
        ++s_.stops;
        if (!s_.stuckPlaying) s_.playState = quib::kPlayStateStopped;
    }
    void SetAutoStart(bool a) override { s_.autoStart = a; }
    void SetRate(double r) override { s_.rate = r; }
    int Volume() const override { return s_.volume; }
    void SetVolume(int v) override { s_.volume = v; }

private:
    FakeControlState& s_;
    HWND window_ = nullptr;
};

inline quib::PlayerControlFactory FakeFactory(FakeControlState& s) {
    return [&s](HWND parent) { return std::make_unique<FakePlayerControl>(s, parent); };
}

}  // namespace quibtest
