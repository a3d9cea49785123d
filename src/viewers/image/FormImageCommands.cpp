// The image viewer's commands: zoom, fit, rotation and mirroring, colours,
// side bars, movement through the archive's pictures, marks, slide show,
// full screen, keys, the wheel and the Exif program.
#include <windows.h>
#include <commdlg.h>
#include <windowsx.h>

#include <algorithm>

#include "app/Application.h"
#include "keymap/KeyMapRegistry.h"
#include "util/Controls.h"
#include "util/Message.h"
#include "util/PathPrefix.h"
#include "util/Theme.h"
#include "viewers/image/FormImage.h"
#include "app/FormMain.h"
#include "settings/FormSetting.h"
#include "settings/SettingKeys.h"
#include "viewers/image/FormKeyMove.h"

namespace quib {
namespace {

enum TimerId : UINT_PTR { kSlideTimer = 0x51, kWheelTimer = 0x52 };
enum ControlId : int { kLeftBar = 102, kRightBar = 103 };

void LetMessagesRun() {
    for (int i = 0; i < 10; ++i) Application().HandleOneMessage();
}

bool FileThere(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Down(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

}  // namespace

void TFormImage::MenuCloseClick() { Close(); }

// ---------------------------------------------------------------- zoom, fit, rotation

void TFormImage::MenuScaleDownClick() {
    if (Fit()) {
        SetMenuChecked(1324, false);
        BoolMenuFitTemporary = true;
    }
    const int next = ZoomOutScale(IntImageScale);
    const bool changed = next != IntImageScale || BoolMenuFitTemporary;
    IntImageScale = next;
    if (changed) LoadCurrent(false);
}

void TFormImage::MenuScaleUpClick() {
    bool fitTurnedOff = false;
    if (Fit()) {
        SetMenuChecked(1324, false);
        BoolMenuFitTemporary = true;
        fitTurnedOff = true;
    }
    const int next = ZoomInScale(IntImageScale, IntImageReadWidth, IntImageReadHeight);
    if (next == IntImageScale && !fitTurnedOff) return;
    IntImageScale = next;
    LoadCurrent(false);
}

void TFormImage::MenuScaleResetClick() {
    bool fitTurnedOff = false;
    if (Fit()) {
        SetMenuChecked(1324, false);
        BoolMenuFitTemporary = true;
        fitTurnedOff = true;
    }
    if (IntImageScale == 100 && !fitTurnedOff) return;
    IntImageScale = 100;
    LoadCurrent(false);
}

void TFormImage::MenuFitClick() {
    BoolMenuFitTemporary = false;
    LoadCurrent(false);
}

namespace {
bool NeedPicture(TFormImage& f, const std::wstring& file) {
    if (!file.empty()) return true;
    ShowMsg(f.Handle(), f.BoolJapanese ? L"Information : ファイルが読み込まれていません"
                                       : L"Information : File is not read.\r\n[OK]");
    return false;
}
}  // namespace

void TFormImage::MenuRotateRightClick() {
    if (!NeedPicture(*this, StrLoadFileName)) return;
    IntImageRotateManualIndex = RotateRightIndex(IntImageRotateManualIndex);
    LoadCurrent(false);
}

void TFormImage::MenuRotateLeftClick() {
    if (!NeedPicture(*this, StrLoadFileName)) return;
    IntImageRotateManualIndex = RotateLeftIndex(IntImageRotateManualIndex);
    LoadCurrent(false);
}

void TFormImage::MenuFlipLeftRightClick() {
    if (!NeedPicture(*this, StrLoadFileName)) return;
    IntImageLeftRightManualIndex ^= 1;
    LoadCurrent(false);
}

void TFormImage::MenuFlipTopButtomClick() {
    if (!NeedPicture(*this, StrLoadFileName)) return;
    IntImageTopButtomManualIndex ^= 1;
    LoadCurrent(false);
}

void TFormImage::MenuRotateAutoClick() { LoadCurrent(true); }

// ---------------------------------------------------------------- colours and bars

void TFormImage::MenuChangeBackColorClick() {
    IntImageBackColorIndex = (IntImageBackColorIndex + 1) & 3;
    ApplyColors();
    // The bitmap carries the background under transparent pixels.
    if (!StrLoadFileName.empty()) LoadCurrent(false);
}

void TFormImage::MenuSideBarClick() {
    const bool bars = MenuChecked(1331);
    SetMenuEnabled(1332, bars);
    SetMenuEnabled(1333, bars);
    Layout();
    if (!StrLoadFileName.empty()) LoadCurrent(false);
}

void TFormImage::MenuSideBarColorClick() {
    static COLORREF custom[16] = {};
    CHOOSECOLORW cc{sizeof cc};
    cc.hwndOwner = handle_;
    cc.rgbResult = sideBarColor_;
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorW(&cc)) return;
    sideBarColor_ = cc.rgbResult;
    if (DarkStyleActive()) darkBarColor_ = CurrentPalette().window;
    ApplyColors();
}

void TFormImage::MenuSameAsBackColorClick() {
    if (DarkStyleActive()) darkBarColor_ = CurrentPalette().window;
    ApplyColors();
}

void TFormImage::MenuInformationItemClick() { InformationUpDate(); }

// ---------------------------------------------------------------- movement

void TFormImage::Move(ImageMove move) {
    if (!host_.ListsArchive() || BoolImageMaking) return;
    const bool slide = slideShow_;
    if (slide) KillTimer(handle_, kSlideTimer);
    LetMessagesRun();
    const int decoder = host_.DecoderIndex();
    const std::vector<std::wstring> exts = host_.DecoderExtensions(decoder);
    const std::vector<std::wstring> marked = host_.MarkedAtOpening();
    std::vector<bool> candidate(static_cast<size_t>(std::max(0, host_.RowCount())));
    for (size_t i = 0; i < candidate.size(); ++i)
        candidate[i] = ImageMoveCandidate(host_.StoredPath(static_cast<int>(i)), exts, marked);
    const int target =
        ImageMoveTarget(move, host_.CurrentRow(), candidate, IntPrevNextNum1, IntPrevNextNum2, slideShow_);
    if (target >= 0) {
        host_.SelectRow(target);
        const std::wstring file = host_.FetchRow(target, handle_);
        if (!file.empty() && handle_) {
            LetMessagesRun();
            StrLoadFileName = file;
            IntImageRotateManualIndex = IntImageLeftRightManualIndex = IntImageTopButtomManualIndex = 0;
            if (BoolMenuFitTemporary) {
                SetMenuChecked(1324, true);
                BoolMenuFitTemporary = false;
            }
            LoadCurrent(true);
            host_.SelectRow(target);
        }
    }
    if (slide && slideShow_ && handle_) SetTimer(handle_, kSlideTimer, static_cast<UINT>(intervalIndex_ * 1000 + 1000), nullptr);
}

void TFormImage::MenuMoveTopClick() { Move(ImageMove::Top); }
void TFormImage::MenuMovePrevPrevClick() { Move(ImageMove::PrevPrev); }
void TFormImage::MenuMovePrevClick() { Move(ImageMove::Prev); }
void TFormImage::MenuMoveUpClick() { Move(ImageMove::Up); }
void TFormImage::MenuMoveDownClick() { Move(ImageMove::Down); }
void TFormImage::MenuMoveNextClick() { Move(ImageMove::Next); }
void TFormImage::MenuMoveNextNextClick() { Move(ImageMove::NextNext); }
void TFormImage::MenuMoveEndClick() { Move(ImageMove::End); }

void TFormImage::MenuMarkClick() {
    const int row = host_.CurrentRow();
    if (row < 0 || row >= host_.RowCount()) return;
    if (host_.MarkableRow(row)) host_.SetRowMarked(row, !host_.RowMarked(row));
    InformationUpDate();
    if (!slideShow_) MenuMoveDownClick();
}

// ---------------------------------------------------------------- slide show

void TFormImage::MenuContinueStartClick() {
    SetMenuEnabled(1101, false);
    SetMenuEnabled(1102, true);
    for (int menu : {1300, 1400, 1500}) SetMenuEnabled(menu, false);
    DrawMenuBar(handle_);
    intervalIndex_ = ReadKeyInt(Settings(), key::ImageIntervalIndex);
    slideShow_ = true;
    SetTimer(handle_, kSlideTimer, static_cast<UINT>(std::max(0, intervalIndex_) * 1000 + 1000), nullptr);
}

void TFormImage::MenuContinueStopClick() {
    KillTimer(handle_, kSlideTimer);
    slideShow_ = false;
    SetMenuEnabled(1101, true);
    SetMenuEnabled(1102, false);
    for (int menu : {1300, 1400, 1500}) SetMenuEnabled(menu, true);
    DrawMenuBar(handle_);
}

// ---------------------------------------------------------------- full screen

void TFormImage::MenuFullScreenClick() {
    if (!NeedPicture(*this, StrLoadFileName)) return;
    if (!fullScreen_) EnterFullScreen();
}

void TFormImage::EnterFullScreen() {
    BoolMenuFitMem = Fit();
    BoolMenuSideBarMem = MenuChecked(1331);
    savedPlacement_.length = sizeof savedPlacement_;
    GetWindowPlacement(handle_, &savedPlacement_);
    savedStyle_ = GetWindowLongPtrW(handle_, GWL_STYLE);
    savedMenu_ = GetMenu(handle_);
    fullScreen_ = true;
    if (DarkStyleActive()) {
        // The dark menu bar is drawn by the style: an empty one keeps the
        // look of the window's top edge where the default style shows a strip.
        blankMenu_ = CreateMenu();
        AppendMenuW(blankMenu_, MF_STRING | MF_DISABLED, 0, L" ");
        SetMenu(handle_, blankMenu_);
    } else {
        SetMenu(handle_, nullptr);
    }
    SetWindowLongPtrW(handle_, GWL_STYLE, (savedStyle_ & ~static_cast<LONG_PTR>(WS_OVERLAPPEDWINDOW)) | WS_POPUP);
    HideTaskbar();
    HMONITOR mon = MonitorFromWindow(handle_, MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi{sizeof mi};
    GetMonitorInfoW(mon, &mi);
    SetWindowPos(handle_, HWND_TOP, mi.rcMonitor.left, mi.rcMonitor.top, mi.rcMonitor.right - mi.rcMonitor.left,
                 mi.rcMonitor.bottom - mi.rcMonitor.top, SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    RECT rc;
    GetClientRect(handle_, &rc);
    clientW_ = rc.right, clientH_ = rc.bottom;
    Layout();
    LoadCurrent(false);
    SetFocus(area_);
}

void TFormImage::LeaveFullScreen() {
    if (!fullScreen_) {
        RestoreTaskbar();
        return;
    }
    fullScreen_ = false;
    // The taskbar first: nothing after this may leave it hidden.
    RestoreTaskbar();
    SetMenuChecked(1324, BoolMenuFitMem);
    SetMenuChecked(1331, BoolMenuSideBarMem);
    if (savedMenu_) SetMenu(handle_, savedMenu_);
    if (blankMenu_) {
        DestroyMenu(blankMenu_);
        blankMenu_ = nullptr;
    }
    SetWindowLongPtrW(handle_, GWL_STYLE, savedStyle_);
    savedPlacement_.showCmd = SW_SHOWNORMAL;
    SetWindowPlacement(handle_, &savedPlacement_);
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    RECT rc;
    GetClientRect(handle_, &rc);
    clientW_ = rc.right, clientH_ = rc.bottom;
    Layout();
    if (BoolFormShow) LoadCurrent(false);
    SetFocus(handle_);
}

// ---------------------------------------------------------------- keys, wheel, timers, side bars

bool TFormImage::FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) {
    const bool plain = !shift && !ctrl && !alt;
    if (plain && (key == VK_ESCAPE || key == VK_RETURN)) {
        if (fullScreen_) LeaveFullScreen();
        else Close();
        return true;
    }
    if (fullScreen_) {
        if (plain) {
            const int k = static_cast<int>(key);
            if (k == IntMovePrevKey) MenuMovePrevClick();
            else if (k == IntMoveUpKey) MenuMoveUpClick();
            else if (k == IntMoveDownKey) MenuMoveDownClick();
            else if (k == IntMoveNextKey) MenuMoveNextClick();
        }
        // Without the menu bar the menu keys do nothing.
        return true;
    }
    if (ctrl && shift && !alt && host_.Developer() && (key == 'J' || key == 'E')) {
        SwitchLanguage(key == 'J');
        return true;
    }
    return false;
}

void TFormImage::MenuCommand(int id) {
    if (id == kTagMenuKeyMove) MenuKeyMoveClick();
}

void TFormImage::ControlCommand(HWND control, int, int code) {
    if (code != STN_CLICKED) return;
    const bool shift = Down(VK_SHIFT), ctrl = Down(VK_CONTROL);
    if (control == leftBar_) {
        if (shift && ctrl) MenuMoveTopClick();
        else if (ctrl) MenuMovePrevPrevClick();
        else if (shift) MenuMovePrevClick();
        else MenuMoveUpClick();
    } else if (control == rightBar_) {
        if (shift && ctrl) MenuMoveEndClick();
        else if (ctrl) MenuMoveNextNextClick();
        else if (shift) MenuMoveNextClick();
        else MenuMoveDownClick();
    }
}

bool TFormImage::OnWheel(WPARAM wp, LPARAM lp) {
    const bool up = GET_WHEEL_DELTA_WPARAM(wp) > 0;
    BoolWheelDirectionUp = up;
    bool stepping = false;
    if (++IntWheelCount >= IntWheelCountNum) {
        IntWheelCount = 0;
        stepping = true;
    }
    POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    RECT client;
    GetClientRect(area_, &client);
    POINT inArea = pt;
    ScreenToClient(area_, &inArea);
    RECT outer;
    GetWindowRect(area_, &outer);
    const int areaW = outer.right - outer.left, areaH = outer.bottom - outer.top;
    const int mods = (Down(VK_SHIFT) ? 1 : 0) + (Down(VK_CONTROL) ? 1 : 0) + (Down(VK_MENU) ? 1 : 0);
    if (inArea.x >= client.right && inArea.x <= areaW + 7 && inArea.y >= 0 && inArea.y < areaH) {
        if (mods != 1) ScrollArea(SB_VERT, scrollY_ + (up ? -IntWheelMoveNum : IntWheelMoveNum));
    } else if (inArea.y + 7 >= client.bottom && inArea.y <= areaH && inArea.x >= 0 && inArea.x < areaW) {
        ScrollArea(SB_HORZ, scrollX_ + (up ? -IntWheelMoveNum : IntWheelMoveNum));
    } else if (stepping && !BoolWheelCount) {
        BoolWheelCount = true;
        if (up) MenuMoveUpClick();
        else MenuMoveDownClick();
        if (handle_) SetTimer(handle_, kWheelTimer, 30, nullptr);
    }
    return false;
}

bool TFormImage::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
        case WM_TIMER:
            if (wp == kSlideTimer) {
                MenuMoveDownClick();
                return true;
            }
            if (wp == kWheelTimer) {
                KillTimer(handle_, kWheelTimer);
                BoolWheelCount = false;
                return true;
            }
            return false;
        case WM_MOUSEWHEEL:
            OnWheel(wp, lp);
            result = 0;
            return true;
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(lp) == label_) {
                HDC dc = reinterpret_cast<HDC>(wp);
                const COLORREF labelColors[4] = {0xF5F5F5, 0xF5F5F5, 0x000000, 0xF5F5F5};
                SetTextColor(dc, labelColors[IntImageBackColorIndex & 3]);
                SetBkMode(dc, TRANSPARENT);
                SetBkColor(dc, BackColor());
                static HBRUSH brushes[4] = {};
                const int i = IntImageBackColorIndex & 3;
                if (!brushes[i]) brushes[i] = CreateSolidBrush(BackColor());
                result = reinterpret_cast<LRESULT>(brushes[i]);
                return true;
            }
            return false;
        default:
            return false;
    }
}

// ---------------------------------------------------------------- the Exif program

void TFormImage::MenuShowExifClick() {
    if (!NeedPicture(*this, StrLoadFileName)) return;
    const IniFile ini = Settings();
    const std::wstring program = ExpandPathPrefix(ReadKey(ini, key::ExifFileName), ProgramPath());
    const std::wstring options = ExifProgramOptions(ReadKey(ini, key::ExifOption), StrLoadFileName);
    if (program.empty() || !FileThere(program)) {
        Msg(L"Information : 実行ファイルがありません", L"Information : Execute file is not exist.\r\n[OK]");
        return;
    }
    host_.StartProgram(program, options);
}

void TFormImage::MenuKeyMoveClick() {
    {
        FormInstance<TFormKeyMove> dialog(this);
        dialog.ShowModal();
    }
    if (handle_) SetFocus(area_);
}

// ---------------------------------------------------------------- parameter settings

void TFormImage::MenuParameterSettingClick() {
    SettingContext context;
    context.StrSettingType = L"FormImage";
    if (TFormMain* main = FormMain()) context.pickers = &main->FolderPickers();
    if (ShowModalForm<TFormSetting>(std::move(context)) != mrOK) return;
    ReadParameterSettings(Settings());
    SetSettingRateCaption();
    // The side bars take the new width; the picture is shown again as after a resize.
    RECT cr{};
    GetClientRect(handle_, &cr);
    FormResize(cr.right, cr.bottom);
}


void TFormImage::MenuKeyBoardClick() {
    if (ShowKeyBoardFor(KeyMapWindow::Image) == mrOK) SetShortCutKey();
}

}  // namespace quib
