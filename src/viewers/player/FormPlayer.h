#pragma once
// The movie and music player: one file of the open archive played by the
// system's media player control, stepped to the previous or next file of the
// same kind without going back to the main window; speed, volume, continuous
// play, marks, full screen and the file's property sheet.
#include <windows.h>

#include <memory>
#include <string>

#include "app/FormBase.h"
#include "viewers/ViewerHost.h"
#include "viewers/player/PlayerControl.h"

namespace quib {

const CommandTable& PlayerCommandTable();

// How long Stop waits for the control to leave "playing" before it goes on.
constexpr DWORD kPlayerStopWaitMs = 3000;

// The control the player makes; tests put a fake in its place. An empty
// factory restores the system's control.
void SetPlayerControlFactory(PlayerControlFactory factory);
PlayerControlFactory CurrentPlayerControlFactory();

class TFormPlayer : public TFormBase {
public:
    enum : int {
        kTagButtonPlay = 2001,
        kTagButtonPause,
        kTagButtonStop,
        kTagButtonBackward,
        kTagButtonForward,
        kTagButtonVolumeDown,
        kTagButtonVolumeUp,
        kTagButtonPrev,
        kTagButtonNext,
        kTagButtonPropaty,
        kTagButtonContinueStart,
        kTagButtonContinueStop,
        kTagButtonMark,
        kTagButtonEnabled,
        kTagButtonClose,
        kTagForm = 2999,
        kTagMenuSettingRate = 1500,
    };
    explicit TFormPlayer(ArchiveStepHost& host, PlayerControlFactory factory = CurrentPlayerControlFactory());
    ~TFormPlayer() override;

    // --- state (names as the window declares them)
    std::wstring StrLoadFileName;
    double DoubleWindowsMediaPlayerRate = 1.0;
    bool BoolPause = false;
    bool BoolPrev = false, BoolNext = true;
    bool BoolPrevNext = false;
    bool BoolFileMaking = false;
    bool BoolFullScreen = false;

    // False when the system's media player control could not be made: the
    // window is then not shown (OpenPlayer says why).
    bool ControlAvailable() const { return control_ != nullptr; }
    PlayerControl* Control() const { return control_.get(); }

    // --- commands
    void MenuPropatyClick();
    void MenuCloseClick();
    void MenuShowButtonBarClick();
    void MenuShowFitClick();
    void MenuKeyBoradClick();
    void MenuPlayClick();
    void MenuPauseClick();
    void MenuStopClick();
    void MenuBackwardClick();
    void MenuForwardClick();
    void MenuPrevClick();
    void MenuNextClick();
    void MenuContinueStartClick();
    void MenuContinueStopClick();
    void MenuVolumeDownClick();
    void MenuVolumeUpClick();
    void MenuMarkClick();
    void MenuFullScreenClick();
    void MenuFullScreenResetClick();

    void InformationUpDate();
    // Appends each command's key to its button's caption.
    void SetShortCutButton();

    // --- what tests look at
    HWND Button(int tag) const;
    HWND ExtractLabel() const { return label_; }
    bool ButtonBarVisible() const;
    bool Stopping() const { return stopping_; }

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int clientWidth, int clientHeight) override;
    void FormClose() override;
    void FormDestroy() override;
    bool FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) override;
    void ControlCommand(HWND control, int id, int code) override;
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void LanguageApplied() override;
    void KeyMapResetNotice() override;

private:
    void Msg(const std::wstring& japanese, const std::wstring& english);
    void ReadSettings();
    void WriteSettings();
    void Layout();
    void SetRateCaption();
    void ShowButtonBar(bool show);
    void StepTo(bool next);
    bool Playing() const;
    void SetContinueEnabled(bool running);

    enum : UINT_PTR { kPrevNextTimerId = 0x61, kFileMakingTimerId, kContinueTimerId };
    ArchiveStepHost& host_;
    PlayerControlFactory factory_;
    std::unique_ptr<PlayerControl> control_;
    HWND buttons_[15] = {};
    HWND label_ = nullptr;
    bool stopping_ = false;
    bool barShown_ = true;
    bool closeStopped_ = false;
    bool formShown_ = false;
    LONG_PTR savedStyle_ = 0;
    int clientW_ = 0, clientH_ = 0;
};

}  // namespace quib
