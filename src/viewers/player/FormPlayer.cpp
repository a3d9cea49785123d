#include "viewers/player/FormPlayer.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "keymap/KeyMapRegistry.h"
#include "util/Controls.h"
#include "util/Message.h"
#include "viewers/Taskbar.h"
#include "viewers/player/PlayerRules.h"
#include "viewers/player/WmpControl.h"

namespace quib {
namespace {

constexpr CommandHandler H(void (TFormPlayer::*member)()) { return Handler(member); }

constexpr int kLabelId = 300;
constexpr int kButtonBarHeight = 85;

PlayerControlFactory& Factory() {
    static PlayerControlFactory factory;
    return factory;
}

FormDescription PlayerDescription() {
    FormDescription d = FormDescription::Window(L"FormPlayer", SIZE{640, 320}, SIZE{640, 320});
    d.languageFile = L"Player.txt";
    d.commands = &PlayerCommandTable();
    d.keyMap = KeyMapWindow::Player;
    d.escCloses = false;
    d.dialogKeys = false;
    return d;
}

// The buttons left to right, row by row, and the command each runs (0: none).
struct ButtonSlot {
    int tag;
    const wchar_t* caption;
    int command;
};
const ButtonSlot kButtons[15] = {
    {TFormPlayer::kTagButtonPlay, L"再生", 1301},
    {TFormPlayer::kTagButtonPause, L"一時停止", 1302},
    {TFormPlayer::kTagButtonStop, L"停止", 1303},
    {TFormPlayer::kTagButtonBackward, L"速度－", 1304},
    {TFormPlayer::kTagButtonForward, L"速度＋", 1305},
    {TFormPlayer::kTagButtonVolumeDown, L"音量－", 1321},
    {TFormPlayer::kTagButtonVolumeUp, L"音量＋", 1322},
    {TFormPlayer::kTagButtonPrev, L"前へ", 1306},
    {TFormPlayer::kTagButtonNext, L"次へ", 1307},
    {TFormPlayer::kTagButtonPropaty, L"ﾌﾟﾛﾊﾟﾃｨ", 1021},
    {TFormPlayer::kTagButtonContinueStart, L"連続再生", 1311},
    {TFormPlayer::kTagButtonContinueStop, L"連続停止", 1312},
    {TFormPlayer::kTagButtonMark, L"ﾏｰｸ●", 1331},
    {TFormPlayer::kTagButtonEnabled, L"有効★", 0},
    {TFormPlayer::kTagButtonClose, L"終了", 1031},
};

}  // namespace

void SetPlayerControlFactory(PlayerControlFactory factory) { Factory() = std::move(factory); }

PlayerControlFactory CurrentPlayerControlFactory() {
    if (Factory()) return Factory();
    return [](HWND parent) { return CreateWmpControl(parent); };
}

const CommandTable& PlayerCommandTable() {
    static const CommandTable table = {
        {
            {L"ファイル", L"ファイル(&1)", 1000},
            {L"設定", L"設定(&2)", 1100},
            {L"表示", L"表示(&3)", 1200},
            {L"操作", L"操作(&4)", 1300},
            {L"ヘルプ", L"ヘルプ表示(&5)", 1400},
        },
        {
            {1021, L"ファイル", L"MenuPropaty", L"再生中のファイルのプロパティ表示(&T)", L"Alt+T", kCommandPlain, H(&TFormPlayer::MenuPropatyClick)},
            {1031, L"ファイル", L"MenuClose", L"終了(&Q && &X)", L"Alt+F4", kCommandSeparatorBefore, H(&TFormPlayer::MenuCloseClick)},
            {1131, L"設定", L"MenuKeyBorad", L"キーボード設定(&K)...", L"", kCommandPlain, H(&TFormPlayer::MenuKeyBoradClick)},
            {1211, L"表示", L"MenuShowButtonBar", L"ボタンバー表示(&B)", L"", kCommandToggle, H(&TFormPlayer::MenuShowButtonBarClick)},
            {1221, L"表示", L"MenuShowFit", L"動画が画面より小さい場合は拡大(&H)", L"", kCommandToggle, H(&TFormPlayer::MenuShowFitClick)},
            {1301, L"操作", L"MenuPlay", L"再生(&P)", L"Alt+P", kCommandPlain, H(&TFormPlayer::MenuPlayClick)},
            {1302, L"操作", L"MenuPause", L"一時停止(&A)", L"Alt+A", kCommandPlain, H(&TFormPlayer::MenuPauseClick)},
            {1303, L"操作", L"MenuStop", L"停止(&S)", L"Alt+S", kCommandPlain, H(&TFormPlayer::MenuStopClick)},
            {1304, L"操作", L"MenuBackward", L"速度－(&B)", L"Alt+B", kCommandSeparatorBefore, H(&TFormPlayer::MenuBackwardClick)},
            {1305, L"操作", L"MenuForward", L"速度＋(&F)", L"Alt+F", kCommandPlain, H(&TFormPlayer::MenuForwardClick)},
            {1306, L"操作", L"MenuPrev", L"前へ(&R)", L"Alt+R", kCommandSeparatorBefore, H(&TFormPlayer::MenuPrevClick)},
            {1307, L"操作", L"MenuNext", L"次へ(&N)", L"Alt+N", kCommandPlain, H(&TFormPlayer::MenuNextClick)},
            {1311, L"操作", L"MenuContinueStart", L"連続開始(&Y)", L"Alt+Y", kCommandSeparatorBefore, H(&TFormPlayer::MenuContinueStartClick)},
            {1312, L"操作", L"MenuContinueStop", L"連続停止(&Z)", L"Alt+Z", kCommandPlain, H(&TFormPlayer::MenuContinueStopClick)},
            {1321, L"操作", L"MenuVolumeDown", L"音量－(&D)", L"Alt+D", kCommandSeparatorBefore, H(&TFormPlayer::MenuVolumeDownClick)},
            {1322, L"操作", L"MenuVolumeUp", L"音量＋(&U)", L"Alt+U", kCommandPlain, H(&TFormPlayer::MenuVolumeUpClick)},
            {1331, L"操作", L"MenuMark", L"マーク(&M)", L"Alt+M", kCommandSeparatorBefore, H(&TFormPlayer::MenuMarkClick)},
            {1341, L"操作", L"MenuFullScreen", L"フルスクリーン(&L)", L"Alt+L", kCommandSeparatorBefore, H(&TFormPlayer::MenuFullScreenClick)},
            {1342, L"操作", L"MenuFullScreenReset", L"フルスクリーン解除(&W)", L"Alt+W", kCommandPlain, H(&TFormPlayer::MenuFullScreenResetClick)},
            // Help texts shown as captions; choosing one does nothing.
            {1411, L"ヘルプ", L"MenuFullScreen1", L"「操作」の「フルスクリーン」でフォームは最大化になりフルスクリーンに移行します(&D)", L"", kCommandPlain, nullptr},
            {1412, L"ヘルプ", L"MenuFullScreen2", L"動画部分のダブルクリック または Escキー で元に戻ります(&E)", L"", kCommandPlain, nullptr},
            {1413, L"ヘルプ", L"MenuFullScreen3", L"動画部分のダブルクリックで最大化になります(&F)", L"", kCommandPlain, nullptr},
            {1414, L"ヘルプ", L"MenuFullScreen4", L"動画部分のダブルクリックで最大化にならない時は「操作」の「フルスクリーン」を再度実行して下さい(&G)", L"", kCommandPlain, nullptr},
        }};
    return table;
}

TFormPlayer::TFormPlayer(ArchiveStepHost& host, PlayerControlFactory factory)
    : TFormBase(PlayerDescription()), host_(host), factory_(std::move(factory)) {}

TFormPlayer::~TFormPlayer() {
    // The taskbar comes back however the window goes, exceptions included.
    RestoreTaskbar();
}

void TFormPlayer::Msg(const std::wstring& japanese, const std::wstring& english) {
    ShowMsg(handle_, BoolJapanese ? japanese : english);
}

HWND TFormPlayer::Button(int tag) const {
    for (int i = 0; i < 15; ++i)
        if (kButtons[i].tag == tag) return buttons_[i];
    return nullptr;
}

// ---------------------------------------------------------------- creation and settings

void TFormPlayer::FormCreate() {
    SetCaption(L"メディアプレイヤー");
    // The rate stands on the menu bar as a caption of its own.
    AppendMenuW(MenuHandle(), MF_STRING, kTagMenuSettingRate, L"再生速度&[1.00]");
    for (int i = 0; i < 15; ++i) buttons_[i] = AddButton(kButtons[i].tag, kButtons[i].caption, 100 + i);
    ShowWindow(Button(kTagButtonEnabled), SW_HIDE);
    label_ = CreateLabel(handle_, L"", kLabelId, DefaultFont());
    if (factory_) control_ = factory_(handle_);
    BoolPrev = false;
    BoolNext = true;
    if (control_) {
        control_->SetAutoStart(false);
        control_->SetUiModeFull();
    }
    StrLoadFileName.clear();
    SetContinueEnabled(false);
    BoolPause = BoolPrevNext = BoolFileMaking = BoolFullScreen = false;
    ReadSettings();
}

void TFormPlayer::ReadSettings() {
    const IniFile ini = Settings();
    const bool fit = ini.ReadBool(L"FormPlayer", L"Fit", false);
    SetMenuChecked(1221, fit);
    if (control_) control_->SetStretchToFit(fit);
    const bool bar = ini.ReadBool(L"FormPlayer", L"ShowButtonBar", true);
    SetMenuChecked(1211, bar);
    ShowButtonBar(bar);
    const std::wstring speed = ini.ReadString(L"FormPlayer", L"Speed", L"1.0");
    wchar_t* end = nullptr;
    const double rate = wcstod(speed.c_str(), &end);
    DoubleWindowsMediaPlayerRate = end == speed.c_str() ? 1.0 : PlayerRateClamp(rate);
    SetRateCaption();
    const int volume = ini.ReadInteger(L"FormPlayer", L"Volume", 10);
    if (control_) control_->SetVolume(volume < 0 ? 0 : volume > 100 ? 100 : volume);
}

void TFormPlayer::WriteSettings() {
    const IniFile ini = Settings();
    ini.WriteBool(L"FormPlayer", L"Fit", MenuChecked(1221));
    ini.WriteBool(L"FormPlayer", L"ShowButtonBar", MenuChecked(1211));
    ini.WriteString(L"FormPlayer", L"Speed", PlayerRateText(DoubleWindowsMediaPlayerRate));
    if (control_) ini.WriteInteger(L"FormPlayer", L"Volume", control_->Volume());
}

void TFormPlayer::FormShow() {
    // The language the main window speaks; the key map is in force here, so
    // the buttons get their keys.
    BoolJapanese = host_.Japanese();
    ApplyLanguage();
    SetShortCutButton();
    SetRateCaption();
    formShown_ = true;
    StrLoadFileName = host_.FirstFile();
    const DWORD a = GetFileAttributesW(StrLoadFileName.c_str());
    if (a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY)) MenuPlayClick();
}

void TFormPlayer::LanguageApplied() {
    SetRateCaption();
    SetShortCutButton();
    if (formShown_ && !StrLoadFileName.empty()) InformationUpDate();
    if (BoolFileMaking && label_) SetText(label_, BoolJapanese ? L"解凍中" : L"Extracting");
}

void TFormPlayer::KeyMapResetNotice() {
    // The notice comes a second after the window stands (the base waits 300 ms).
    After(700, [this] {
        Msg(L"Information : キーボード設定内容が変更になったので初期化しました",
            L"Information : Keyboard map had initialized, because of keyboard map had updated.[OK]");
    });
}

void TFormPlayer::SetShortCutButton() {
    for (int i = 0; i < 15; ++i) {
        if (!kButtons[i].command || !buttons_[i]) continue;
        const KeyMapLine* line = FindKeyMapLine(StrListKeyMap, std::to_wstring(kButtons[i].command));
        if (!line) continue;
        SetText(buttons_[i], ButtonCaptionWithKey(GetText(buttons_[i]), line->keyText));
    }
}

void TFormPlayer::SetRateCaption() {
    SetMenuItemCaption(kTagMenuSettingRate, PlayerRateCaption(DoubleWindowsMediaPlayerRate, BoolJapanese));
    if (handle_) DrawMenuBar(handle_);
}

void TFormPlayer::FormClose() {
    CloseIme();
    KillTimer(handle_, kContinueTimerId);
    // One wait for the control however often the close is asked for while
    // it runs.
    if (!closeStopped_ && Playing()) {
        closeStopped_ = true;
        MenuStopClick();
    }
    if (BoolFullScreen) MenuFullScreenResetClick();
    RestoreTaskbar();
}

void TFormPlayer::FormDestroy() {
    KillTimer(handle_, kContinueTimerId);
    KillTimer(handle_, kPrevNextTimerId);
    KillTimer(handle_, kFileMakingTimerId);
    WriteSettings();
    // The control goes while its window still stands.
    control_.reset();
}

// ---------------------------------------------------------------- layout

bool TFormPlayer::ButtonBarVisible() const { return barShown_; }

void TFormPlayer::ShowButtonBar(bool show) {
    barShown_ = show;
    for (int i = 0; i < 15; ++i)
        if (buttons_[i] && kButtons[i].tag != kTagButtonEnabled) ShowWindow(buttons_[i], show ? SW_SHOW : SW_HIDE);
    if (label_) ShowWindow(label_, show ? SW_SHOW : SW_HIDE);
    Layout();
}

void TFormPlayer::FormResize(int w, int h) {
    clientW_ = w, clientH_ = h;
    Layout();
}

void TFormPlayer::Layout() {
    if (!handle_ || !buttons_[0]) return;
    RECT rc;
    GetClientRect(handle_, &rc);
    const bool bar = barShown_;
    const int barH = bar ? Scale(kButtonBarHeight) : 0;
    RECT video{0, 0, rc.right, rc.bottom - barH > 0 ? rc.bottom - barH : 0};
    if (control_) control_->SetBounds(video);
    if (!bar) return;
    // Five buttons a row share the width the label leaves them.
    const int top = Unscale(video.bottom);
    const int labelW = 76;
    const int column = std::max(84, (Unscale(rc.right) - 8 - labelW) / 5);
    for (int i = 0; i < 15; ++i) Place(buttons_[i], 4 + (i % 5) * column, top + 3 + (i / 5) * 27, column - 2, 25);
    Place(label_, 4 + 5 * column + 4, top + 8, labelW - 4, 20);
}


void TFormPlayer::MenuKeyBoradClick() {
    if (ShowKeyBoardFor(KeyMapWindow::Player) == mrOK) SetShortCutKey();
}

}  // namespace quib
