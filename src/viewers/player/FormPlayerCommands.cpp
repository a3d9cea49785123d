// The player's commands: playback, speed and volume, stepping through the
// archive's files of the same kind, continuous play, marks, full screen,
// the property sheet, keys and timers.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "app/Application.h"
#include "util/Controls.h"
#include "viewers/Taskbar.h"
#include "viewers/player/FormPlayer.h"
#include "viewers/player/PlayerRules.h"

namespace quib {
namespace {

void LetMessagesRun() {
    for (int i = 0; i < 10; ++i) Application().HandleOneMessage();
}

bool FileThere(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool TFormPlayer::Playing() const { return control_ && control_->PlayState() == kPlayStatePlaying; }

void TFormPlayer::InformationUpDate() {
    const int row = host_.CurrentRow();
    const bool marked = row >= 0 && row < host_.RowCount() && host_.RowMarked(row);
    SetCaption(PlayerWindowCaption(StrLoadFileName, marked, BoolJapanese));
}

// ---------------------------------------------------------------- playback

void TFormPlayer::MenuPlayClick() {
    if (control_ && FileThere(StrLoadFileName)) {
        // The control's own errors (a file it cannot play) are its business:
        // the player stays as it is.
        if (control_->Url().empty()) control_->SetUrl(StrLoadFileName);
        BoolPause = false;
        SetRateCaption();
        control_->SetRate(DoubleWindowsMediaPlayerRate);
        control_->Play();
    }
    InformationUpDate();
    if (control_ && control_->Window()) SetFocus(control_->Window());
}

void TFormPlayer::MenuPauseClick() {
    if (control_) control_->Pause();
    BoolPause = true;
}

void TFormPlayer::MenuStopClick() {
    if (!control_) return;
    control_->Stop();
    BoolPause = false;
    SetText(label_, L"");
    // The control leaves "playing" in its own time; a control that never
    // does must not hold the program, and a Stop arriving while this one
    // waits leaves the waiting to it.
    if (!stopping_) {
        stopping_ = true;
        BusyScope busy(*this);
        const DWORD start = GetTickCount();
        while (control_ && control_->PlayState() == kPlayStatePlaying && GetTickCount() - start < kPlayerStopWaitMs) {
            if (!Application().HandleOneMessage()) Sleep(10);
        }
        stopping_ = false;
    }
    if (handle_) SetTimer(handle_, kPrevNextTimerId, 2000, nullptr);
}

void TFormPlayer::MenuBackwardClick() {
    if (!Playing()) return;
    DoubleWindowsMediaPlayerRate = PlayerRateStep(DoubleWindowsMediaPlayerRate, false);
    control_->SetRate(DoubleWindowsMediaPlayerRate);
    SetRateCaption();
}

void TFormPlayer::MenuForwardClick() {
    if (!Playing()) return;
    DoubleWindowsMediaPlayerRate = PlayerRateStep(DoubleWindowsMediaPlayerRate, true);
    control_->SetRate(DoubleWindowsMediaPlayerRate);
    SetRateCaption();
}

void TFormPlayer::MenuVolumeDownClick() {
    if (control_) control_->SetVolume(PlayerVolumeStep(control_->Volume(), false));
}

void TFormPlayer::MenuVolumeUpClick() {
    if (control_) control_->SetVolume(PlayerVolumeStep(control_->Volume(), true));
}

// ---------------------------------------------------------------- view

void TFormPlayer::MenuShowButtonBarClick() {
    const bool show = MenuChecked(1211);
    ShowButtonBar(show);
    Settings().WriteBool(L"FormPlayer", L"ShowButtonBar", show);
}

void TFormPlayer::MenuShowFitClick() {
    if (control_) control_->SetStretchToFit(MenuChecked(1221));
}

void TFormPlayer::MenuCloseClick() { Close(); }

// ---------------------------------------------------------------- previous and next

void TFormPlayer::MenuPrevClick() { StepTo(false); }
void TFormPlayer::MenuNextClick() { StepTo(true); }

void TFormPlayer::StepTo(bool next) {
    if (!host_.ListsArchive() || BoolFileMaking || BoolPrevNext) return;
    // Commands pressed while this one lets messages run wait until it is done.
    BusyScope busy(*this);
    BoolPrevNext = true;
    BoolPrev = !next;
    BoolNext = next;
    if (MenuEnabled(1312) && Playing()) {
        // Continuous play moves on by itself once it finds the control idle.
        MenuStopClick();
        return;
    }
    MenuStopClick();
    if (control_) control_->SetUrl(L"");
    LetMessagesRun();
    if (!handle_) return;
    std::vector<std::wstring> paths(static_cast<size_t>(std::max(0, host_.RowCount())));
    for (size_t i = 0; i < paths.size(); ++i) paths[i] = host_.StoredPath(static_cast<int>(i));
    const int target = PlayerStepTarget(next, host_.CurrentRow(), paths, StrLoadFileName, host_.MarkedAtOpening());
    if (target < 0) return;
    host_.SelectRow(target);
    BoolFileMaking = true;
    SetText(label_, BoolJapanese ? L"解凍中" : L"Extracting");
    UpdateWindow(label_);
    const std::wstring file = host_.FetchRow(target, handle_);
    if (!handle_) return;
    SetTimer(handle_, kFileMakingTimerId, 2000, nullptr);
    SetText(label_, L"");
    if (file.empty()) return;
    LetMessagesRun();
    if (!handle_) return;
    host_.SelectRow(target);
    StrLoadFileName = file;
    LetMessagesRun();
    if (!handle_) return;
    MenuPlayClick();
    InformationUpDate();
    BoolPrev = false;
    BoolNext = true;
}

// ---------------------------------------------------------------- continuous play

void TFormPlayer::SetContinueEnabled(bool running) {
    SetMenuEnabled(1311, !running);
    SetMenuEnabled(1312, running);
    if (HWND b = Button(kTagButtonContinueStart)) EnableWindow(b, !running);
    if (HWND b = Button(kTagButtonContinueStop)) EnableWindow(b, running);
}

void TFormPlayer::MenuContinueStartClick() {
    SetContinueEnabled(true);
    BoolPrev = false;
    BoolNext = true;
    BoolPause = false;
    if (!Playing()) {
        MenuStopClick();
        MenuPlayClick();
    }
    if (handle_) SetTimer(handle_, kContinueTimerId, 2000, nullptr);
}

void TFormPlayer::MenuContinueStopClick() {
    KillTimer(handle_, kContinueTimerId);
    SetContinueEnabled(false);
    BoolPrev = false;
    BoolNext = true;
    MenuStopClick();
}

// ---------------------------------------------------------------- mark

void TFormPlayer::MenuMarkClick() {
    const int row = host_.CurrentRow();
    if (row >= 0 && row < host_.RowCount() && host_.MarkableRow(row)) host_.SetRowMarked(row, !host_.RowMarked(row));
    InformationUpDate();
}

// ---------------------------------------------------------------- full screen

void TFormPlayer::MenuFullScreenClick() {
    if (BoolFullScreen) return;
    HideTaskbar();
    ShowButtonBar(false);
    BoolFullScreen = true;
    savedStyle_ = GetWindowLongPtrW(handle_, GWL_STYLE);
    SetWindowLongPtrW(handle_, GWL_STYLE, savedStyle_ & ~static_cast<LONG_PTR>(WS_MAXIMIZEBOX | WS_MINIMIZEBOX));
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    ShowWindow(handle_, SW_MAXIMIZE);
    if (Playing()) control_->SetFullScreen(true);
}

void TFormPlayer::MenuFullScreenResetClick() {
    // The taskbar first: nothing after this may leave it hidden.
    RestoreTaskbar();
    if (!BoolFullScreen) return;
    ShowButtonBar(Settings().ReadBool(L"FormPlayer", L"ShowButtonBar", true));
    BoolFullScreen = false;
    SetWindowLongPtrW(handle_, GWL_STYLE,
                      (savedStyle_ ? savedStyle_ : GetWindowLongPtrW(handle_, GWL_STYLE)) | WS_SYSMENU | WS_MAXIMIZEBOX);
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    ShowWindow(handle_, SW_SHOWNORMAL);
}

// ---------------------------------------------------------------- property sheet

void TFormPlayer::MenuPropatyClick() {
    const std::wstring quoted = L"\"" + StrLoadFileName + L"\"";
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = handle_;
    info.lpVerb = L"Properties";
    info.lpFile = quoted.c_str();
    info.nShow = SW_SHOWNORMAL;
    const bool shown = !StrLoadFileName.empty() && ShellExecuteExW(&info);
    if (info.hProcess) CloseHandle(info.hProcess);
    if (!shown)
        Msg(L"Information : 対象のファイルのプロパティが表示できませんでした",
            L"Information : This file propaty can not show.\r\n[OK]");
}

// ---------------------------------------------------------------- keys, buttons, timers

bool TFormPlayer::FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) {
    const bool plain = !shift && !ctrl && !alt;
    if (plain && key == VK_ESCAPE) {
        if (BoolFullScreen) MenuFullScreenResetClick();
        else Close();
        return true;
    }
    if (plain && key == VK_RETURN) {
        Close();
        return true;
    }
    return false;
}

void TFormPlayer::ControlCommand(HWND control, int, int code) {
    if (code != BN_CLICKED) return;
    static const int commands[15] = {1301, 1302, 1303, 1304, 1305, 1321, 1322, 1306,
                                     1307, 1021, 1311, 1312, 1331, 0,    1031};
    for (int i = 0; i < 15; ++i)
        if (control == buttons_[i] && commands[i]) RunCommand(commands[i]);
}

bool TFormPlayer::HandleMessage(UINT msg, WPARAM wp, LPARAM, LRESULT&) {
    if (msg != WM_TIMER) return false;
    switch (wp) {
        case kPrevNextTimerId:
            KillTimer(handle_, kPrevNextTimerId);
            BoolPrevNext = false;
            return true;
        case kFileMakingTimerId:
            KillTimer(handle_, kFileMakingTimerId);
            BoolFileMaking = false;
            return true;
        case kContinueTimerId:
            // A step in progress finishes before the next one is looked at.
            if (Busy() || stopping_) return true;
            if (!Playing() && !BoolPause) {
                if (BoolPrev) MenuPrevClick();
                else if (BoolNext) MenuNextClick();
            }
            return true;
        default:
            return false;
    }
}

}  // namespace quib
