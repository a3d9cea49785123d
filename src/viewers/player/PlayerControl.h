#pragma once
// The media player control as the player uses it: a handful of members of
// the Windows Media Player control's automation interface. The player's
// rules talk only to this, so tests give it a control of their own.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace quib {

// playState values the player looks at.
enum : int { kPlayStateStopped = 1, kPlayStatePaused = 2, kPlayStatePlaying = 3 };

class PlayerControl {
public:
    virtual ~PlayerControl() = default;

    // The control's own window inside the player; null when it has none.
    virtual HWND Window() const = 0;
    // Where the control stands in its parent's client area.
    virtual void SetBounds(const RECT& rect) = 0;

    virtual std::wstring Url() const = 0;
    virtual void SetUrl(const std::wstring& url) = 0;
    virtual int PlayState() const = 0;
    virtual void SetUiModeFull() = 0;
    virtual void SetStretchToFit(bool stretch) = 0;
    virtual void SetFullScreen(bool fullScreen) = 0;

    // The controls object.
    virtual void Play() = 0;
    virtual void Pause() = 0;
    virtual void Stop() = 0;

    // The settings object.
    virtual void SetAutoStart(bool autoStart) = 0;
    virtual void SetRate(double rate) = 0;
    virtual int Volume() const = 0;
    virtual void SetVolume(int volume) = 0;
};

// Makes the control inside the parent window; null when the system has none.
using PlayerControlFactory = std::function<std::unique_ptr<PlayerControl>(HWND parent)>;

}  // namespace quib
