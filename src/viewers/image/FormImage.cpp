#include "viewers/image/FormImage.h"
#include "settings/SettingKeys.h"

#include <windows.h>
#include <commdlg.h>

#include <algorithm>

#include "app/Application.h"
#include "extract/ExtractTemp.h"
#include "util/ColorText.h"
#include "util/Controls.h"
#include "util/Message.h"
#include "util/MyUtility.h"
#include "util/PathPrefix.h"
#include "util/StrConv.h"
#include "util/TextFile.h"
#include "util/Theme.h"
#include "viewers/Taskbar.h"
#include "viewers/image/ExifData.h"
#include "viewers/image/SusiePicture.h"

namespace quib {
namespace {

constexpr CommandHandler H(void (TFormImage::*member)()) { return Handler(member); }

enum ControlId : int { kInfoBar = 100, kLabel, kLeftBar, kRightBar, kArea, kTopStrip, kBottomStrip };
enum TimerId : UINT_PTR { kSlideTimer = 0x51, kWheelTimer = 0x52 };
constexpr int kInfoBarHeight = 33;
const wchar_t kAreaClass[] = L"quibFMarchiveImageArea";

const COLORREF kBackColors[4] = {0x400000, 0x808080, 0xF5F5F5, 0x000000};

FormDescription ImageDescription() {
    FormDescription d = FormDescription::Window(L"FormImage", SIZE{640, 480}, SIZE{640, 480});
    d.languageFile = L"Image.txt";
    d.commands = &ImageCommandTable();
    d.keyMap = KeyMapWindow::Image;
    d.escCloses = false;
    d.dialogKeys = false;
    return d;
}

}  // namespace

const CommandTable& ImageCommandTable() {
    static const CommandTable table = {
        {
            {L"ファイル", L"ファイル(&F)", 1000},
            {L"操作", L"操作(&O)", 1100},
            {L"移動", L"移動(&M)", 1200},
            {L"表示", L"表示(&V)", 1300},
            {L"表示項目", L"表示項目(&I)", 1400},
            {L"設定", L"設定(&G)", 1500},
        },
        {
            {1031, L"ファイル", L"MenuClose", L"終了(&Q && &X)", L"", kCommandPlain, H(&TFormImage::MenuCloseClick)},
            {1101, L"操作", L"MenuContinueStart", L"連続開始(&Y)", L"", kCommandPlain, H(&TFormImage::MenuContinueStartClick)},
            {1102, L"操作", L"MenuContinueStop", L"連続停止(&Z)", L"", kCommandPlain, H(&TFormImage::MenuContinueStopClick)},
            {1111, L"操作", L"MenuMark", L"マーク[Space](&M)", L"Space", kCommandSeparatorBefore, H(&TFormImage::MenuMarkClick)},
            {1201, L"移動", L"MenuMoveTop", L"先頭移動(&S)", L"", kCommandPlain, H(&TFormImage::MenuMoveTopClick)},
            {1202, L"移動", L"MenuMovePrevPrev", L"上＋＋移動(&R)", L"", kCommandPlain, H(&TFormImage::MenuMovePrevPrevClick)},
            {1203, L"移動", L"MenuMovePrev", L"上＋移動(&P)", L"Left", kCommandPlain, H(&TFormImage::MenuMovePrevClick)},
            {1204, L"移動", L"MenuMoveUp", L"上移動(&U)", L"B", kCommandPlain, H(&TFormImage::MenuMoveUpClick)},
            {1205, L"移動", L"MenuMoveDown", L"下移動(&D)", L"N", kCommandPlain, H(&TFormImage::MenuMoveDownClick)},
            {1206, L"移動", L"MenuMoveNext", L"下＋移動(&N)", L"Right", kCommandPlain, H(&TFormImage::MenuMoveNextClick)},
            {1207, L"移動", L"MenuMoveNextNext", L"下＋＋移動(&E)", L"", kCommandPlain, H(&TFormImage::MenuMoveNextNextClick)},
            {1208, L"移動", L"MenuMoveEnd", L"最後移動(&L)", L"", kCommandPlain, H(&TFormImage::MenuMoveEndClick)},
            {1301, L"表示", L"MenuScaleDown", L"縮小(&[)", L"[", kCommandPlain, H(&TFormImage::MenuScaleDownClick)},
            {1302, L"表示", L"MenuScaleUp", L"拡大(&])", L"]", kCommandPlain, H(&TFormImage::MenuScaleUpClick)},
            {1303, L"表示", L"MenuScaleReset", L"100%(&I)", L"I", kCommandPlain, H(&TFormImage::MenuScaleResetClick)},
            {1304, L"表示", L"MenuFullScreen", L"最大化(&M)", L"M", kCommandPlain, H(&TFormImage::MenuFullScreenClick)},
            {1311, L"表示", L"MenuRotateRight", L"右へ90度回転(&R)", L"R", kCommandSeparatorBefore, H(&TFormImage::MenuRotateRightClick)},
            {1312, L"表示", L"MenuRotateLeft", L"左へ90度回転(&L)", L"L", kCommandPlain, H(&TFormImage::MenuRotateLeftClick)},
            {1313, L"表示", L"MenuFlipLeftRight", L"左右反転(&H)", L"H", kCommandPlain, H(&TFormImage::MenuFlipLeftRightClick)},
            {1314, L"表示", L"MenuFlipTopButtom", L"上下反転(&V)", L"V", kCommandPlain, H(&TFormImage::MenuFlipTopButtomClick)},
            {1322, L"表示", L"MenuChangeBackColor", L"背景色切替(&B)", L"Ctrl+B", kCommandSeparatorBefore, H(&TFormImage::MenuChangeBackColorClick)},
            {1323, L"表示", L"MenuShowExif", L"Exif情報表示(&E)", L"Shift+E", kCommandPlain, H(&TFormImage::MenuShowExifClick)},
            {1324, L"表示", L"MenuFit", L"ウィンドウサイズに合わせて画像を縮小する(&F)", L"Ctrl+F", kCommandToggle, H(&TFormImage::MenuFitClick)},
            {1325, L"表示", L"MenuRotateAuto", L"Exif情報の表示で自動回転(&A)", L"Ctrl+A", kCommandToggle, H(&TFormImage::MenuRotateAutoClick)},
            {1331, L"表示", L"MenuSideBar", L"サイドバー表示(&I)", L"", kCommandToggle | kCommandSeparatorBefore, H(&TFormImage::MenuSideBarClick)},
            {1332, L"表示", L"MenuSideBarColor", L"サイドバー表示色設定(&S)...", L"", kCommandPlain, H(&TFormImage::MenuSideBarColorClick)},
            {1333, L"表示", L"MenuSameAsBackColor", L"サイドバー表示色は背景色と同じ(&T)", L"", kCommandToggle, H(&TFormImage::MenuSameAsBackColorClick)},
            {1401, L"表示項目", L"MenuScale", L"スケール(&S)", L"", kCommandToggle, H(&TFormImage::MenuInformationItemClick)},
            {1402, L"表示項目", L"MenuSize", L"大きさ(&Z)", L"", kCommandToggle, H(&TFormImage::MenuInformationItemClick)},
            {1403, L"表示項目", L"MenuDepth", L"深度(&P)", L"", kCommandToggle, H(&TFormImage::MenuInformationItemClick)},
            {1404, L"表示項目", L"MenuFileSize", L"ファイルサイズ(&I)", L"", kCommandToggle, H(&TFormImage::MenuInformationItemClick)},
            {1405, L"表示項目", L"MenuFileName", L"ファイル名(&N)", L"", kCommandToggle, H(&TFormImage::MenuInformationItemClick)},
            {1406, L"表示項目", L"MenuDateTime", L"日付(&D)", L"", kCommandToggle, H(&TFormImage::MenuInformationItemClick)},
            {1501, L"設定", L"MenuParameterSetting", L"パラメータ設定(&P)...", L"", kCommandPlain, H(&TFormImage::MenuParameterSettingClick)},
            {1511, L"設定", L"MenuKeyBoard", L"キーボード設定(&K)...", L"", kCommandPlain, H(&TFormImage::MenuKeyBoardClick)},
        }};
    return table;
}

KeyMapTable ImageBuiltInKeyTable(int preset) {
    KeyMapTable table = BuiltInKeyTable(ImageCommandTable(), nullptr);
    if (preset != 0) {
        if (KeyMapLine* up = FindKeyMapLine(table, L"1204")) up->keyText = L"Up";
        if (KeyMapLine* down = FindKeyMapLine(table, L"1205")) down->keyText = L"Down";
    }
    return table;
}

TFormImage::TFormImage(ImageViewerHost& host) : TFormBase(ImageDescription()), host_(host) {}

TFormImage::~TFormImage() {
    // The taskbar comes back however the window goes, exceptions included.
    RestoreTaskbar();
    if (bitmap_) DeleteObject(bitmap_);
    if (labelFont_) DeleteObject(labelFont_);
}

void TFormImage::Msg(const std::wstring& japanese, const std::wstring& english) {
    ShowMsg(handle_, BoolJapanese ? japanese : english);
}

// ---------------------------------------------------------------- creation and settings

void TFormImage::ReadSettings() {
    const IniFile ini = Settings();
    fontName_ = ini.ReadString(L"FInformationArchive", L"FontName", L"ＭＳ ゴシック");
    fontSize_ = ini.ReadString(L"FInformationArchive", L"FontSize", L"14");
    fontColor_ = ini.ReadString(L"FInformationArchive", L"FontColor", L"clWhite");
    SetMenuChecked(1325, ini.ReadBool(L"Image", L"RotateAuto", true));
    SetMenuChecked(1324, ini.ReadBool(L"Image", L"Fit", true));
    SetMenuChecked(1331, ini.ReadBool(L"Image", L"SideBar", false));
    SetMenuChecked(1333, ini.ReadBool(L"Image", L"SideBarSame", true));
    const wchar_t* items[] = {L"Scale", L"Size", L"Depth", L"FileSize", L"FileName", L"DateTime"};
    const int tags[] = {1401, 1402, 1403, 1404, 1405, 1406};
    for (int i = 0; i < 6; ++i) SetMenuChecked(tags[i], ini.ReadBool(L"Information", items[i], true));
    IntImageBackColorIndex = ini.ReadInteger(L"BackColor", L"Index", 0);
    if (IntImageBackColorIndex < 0 || IntImageBackColorIndex > 3) IntImageBackColorIndex = 0;
    sideBarColor_ = ColorTextToColor(ini.ReadString(L"ImageSideBar", L"Color", L"$400000"), 0x400000);
    ReadParameterSettings(ini);
}

// The parameters the parameter settings dialog edits.
void TFormImage::ReadParameterSettings(const IniFile& ini) {
    IntSideBarNum = _wtoi(ReadKey(ini, key::ImageSideBarText).c_str());
    IntWheelMoveNum = _wtoi(ReadKey(ini, key::ImageWheelMoveText).c_str());
    IntWheelCountNum = _wtoi(ReadKey(ini, key::ImageWheelCountText).c_str());
    IntPrevNextNum1 = _wtoi(ReadKey(ini, key::ImagePreNextNum1Text).c_str());
    IntPrevNextNum2 = _wtoi(ReadKey(ini, key::ImagePreNextNum2Text).c_str());
    intervalIndex_ = ReadKeyInt(ini, key::ImageIntervalIndex);
    if (IntSideBarNum < 0) IntSideBarNum = 0;
    if (IntWheelCountNum < 1) IntWheelCountNum = 1;
}

void TFormImage::WriteSettings() {
    const IniFile ini = Settings();
    ini.WriteString(L"Information", L"FontName", fontName_);
    ini.WriteString(L"Information", L"FontSize", fontSize_);
    ini.WriteString(L"Information", L"FontColor", fontColor_);
    ini.WriteBool(L"Image", L"RotateAuto", MenuChecked(1325));
    ini.WriteBool(L"Image", L"Fit", Fit());
    ini.WriteBool(L"Image", L"SideBar", MenuChecked(1331));
    ini.WriteBool(L"Image", L"SideBarSame", MenuChecked(1333));
    const wchar_t* items[] = {L"Scale", L"Size", L"Depth", L"FileSize", L"FileName", L"DateTime"};
    const int tags[] = {1401, 1402, 1403, 1404, 1405, 1406};
    for (int i = 0; i < 6; ++i) ini.WriteBool(L"Information", items[i], MenuChecked(tags[i]));
    ini.WriteInteger(L"BackColor", L"Index", IntImageBackColorIndex);
    ini.WriteString(L"ImageSideBar", L"Color", ColorToColorText(sideBarColor_));
}

void TFormImage::FormCreate() {
    SetCaption(L"画像表示");
    // The two items the key map does not carry.
    // The settings menu is the sixth of the bar.
    if (HMENU settings = GetSubMenu(MenuHandle(), 5)) {
        AppendMenuW(settings, MF_STRING, kTagMenuKeyMove, L"キーボード設定(最大化の移動)(&M)...");
        AppendMenuW(settings, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(settings, MF_STRING, kTagMenuSettingRate, L"表示間隔[&5秒]");
        RegisterComponent({ComponentKind::MenuItem, kTagMenuKeyMove, nullptr});
    }
    ReadSettings();
    WNDCLASSEXW wc{};
    HINSTANCE inst = Instance();
    if (!GetClassInfoExW(inst, kAreaClass, &wc)) {
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = AreaProc;
        wc.hInstance = inst;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kAreaClass;
        RegisterClassExW(&wc);
    }
    topStrip_ = CreatePanel(handle_, kTopStrip, BackColor());
    infoBar_ = CreatePanel(handle_, kInfoBar, BackColor());
    const int pt = std::max(6, _wtoi(fontSize_.c_str()));
    labelFont_ = CreateFontW(-MulDiv(pt, static_cast<int>(Dpi()), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, 0, 0, 0, 0, fontName_.c_str());
    label_ = CreateLabel(infoBar_, L"", kLabel, labelFont_);
    // Under a dark style the bars are the style's panels: the background only
    // when they are to match it, else the style's list colour.
    darkBarColor_ = MenuChecked(1333) ? BackColor() : CurrentPalette().window;
    leftBar_ = CreatePanel(handle_, kLeftBar, SideBarColor());
    rightBar_ = CreatePanel(handle_, kRightBar, SideBarColor());
    area_ = CreateWindowExW(0, kAreaClass, L"", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | WS_TABSTOP, 0, 0, 10,
                            10, handle_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kArea)), inst, this);
    bottomStrip_ = CreatePanel(handle_, kBottomStrip, BackColor());
    ShowWindow(topStrip_, SW_HIDE);
    SetMenuEnabled(1101, true);
    SetMenuEnabled(1102, false);
    const bool bars = MenuChecked(1331);
    SetMenuEnabled(1332, bars);
    SetMenuEnabled(1333, bars);
    ApplyColors();
    InformationUpDate();
}

void TFormImage::FormShow() {
    BoolJapanese = host_.Japanese();
    ApplyLanguage();
    StrLoadFileName = host_.FirstFile();
    LoadCurrent(true);
    SetSettingRateCaption();
    BoolFormShow = true;
    InformationUpDate();
    const IniFile ini = Settings();
    SetMoveKey(ini.ReadString(L"FormMoveKey", L"Prev", L"Left"), IntMovePrevKey);
    SetMoveKey(ini.ReadString(L"FormMoveKey", L"Up", L"Up"), IntMoveUpKey);
    SetMoveKey(ini.ReadString(L"FormMoveKey", L"Down", L"Down"), IntMoveDownKey);
    SetMoveKey(ini.ReadString(L"FormMoveKey", L"Next", L"Right"), IntMoveNextKey);
    SetFocus(area_);
}

void TFormImage::LanguageApplied() {
    SetSettingRateCaption();
    if (BoolFormShow) InformationUpDate();
}

void TFormImage::KeyMapResetNotice() {
    Msg(L"Information : キーボード設定内容が変更になったので初期化しました",
        L"Information : Keyboard map had initialized, because of keyboard map had updated.[OK]");
}

void TFormImage::SetSettingRateCaption() {
    wchar_t n[32];
    swprintf(n, 32, L"[&%d", intervalIndex_ + 1);
    SetMenuItemCaption(kTagMenuSettingRate, BoolJapanese ? std::wstring(L"表示間隔") + n + L"秒]"
                                                         : std::wstring(L"Slide Show Interval") + n + L"Sec]");
}

void TFormImage::FormClose() {
    CloseIme();
    BoolFormShow = false;
    if (slideShow_) MenuContinueStopClick();
    if (fullScreen_) LeaveFullScreen();
    RestoreTaskbar();
    if (BoolMenuFitTemporary) {
        SetMenuChecked(1324, true);
        BoolMenuFitTemporary = false;
    }
}

void TFormImage::FormDestroy() {
    KillTimer(handle_, kSlideTimer);
    KillTimer(handle_, kWheelTimer);
    WriteSettings();
}

// ---------------------------------------------------------------- colours and layout

bool TFormImage::Fit() const { return MenuChecked(1324); }

COLORREF TFormImage::BackColor() const { return kBackColors[IntImageBackColorIndex & 3]; }

COLORREF TFormImage::SideBarColor() const {
    if (DarkStyleActive()) return darkBarColor_;
    return MenuChecked(1333) ? BackColor() : sideBarColor_;
}

void TFormImage::ApplyColors() {
    for (HWND p : {infoBar_, topStrip_, bottomStrip_})
        if (p) SetPanelColor(p, BackColor());
    for (HWND p : {leftBar_, rightBar_})
        if (p) SetPanelColor(p, SideBarColor());
    if (label_) InvalidateRect(label_, nullptr, TRUE);
    if (area_) InvalidateRect(area_, nullptr, TRUE);
}

void TFormImage::FormResize(int w, int h) {
    clientW_ = w, clientH_ = h;
    if (!area_) return;
    Layout();
    if (BoolFormShow && !StrLoadFileName.empty()) {
        LoadCurrent(false);
    }
}

void TFormImage::Layout() {
    const int w = clientW_, h = clientH_;
    const int menuH = GetSystemMetrics(SM_CYMENU);
    int y = 0;
    // A dark style keeps a blank menu bar in full screen instead of the strip.
    const bool top = fullScreen_ && !DarkStyleActive();
    ShowWindow(topStrip_, top ? SW_SHOW : SW_HIDE);
    if (top) {
        MoveWindow(topStrip_, 0, 0, w, menuH, TRUE);
        y += menuH;
    }
    ShowWindow(infoBar_, fullScreen_ ? SW_HIDE : SW_SHOW);
    if (!fullScreen_) {
        const int barH = Scale(kInfoBarHeight);
        MoveWindow(infoBar_, 0, y, w, barH, TRUE);
        MoveWindow(label_, Scale(4), Scale(4), std::max(0, w - Scale(8)), barH - Scale(6), TRUE);
        y += barH;
    }
    const int bottomH = menuH;
    MoveWindow(bottomStrip_, 0, std::max(y, h - bottomH), w, bottomH, TRUE);
    const int middleH = std::max(0, h - bottomH - y);
    const bool bars = MenuChecked(1331);
    const int barW = bars ? std::min(IntSideBarNum, w / 3) : 0;
    ShowWindow(leftBar_, bars ? SW_SHOW : SW_HIDE);
    ShowWindow(rightBar_, bars ? SW_SHOW : SW_HIDE);
    if (bars) {
        MoveWindow(leftBar_, 0, y, barW, middleH, TRUE);
        MoveWindow(rightBar_, w - barW, y, barW, middleH, TRUE);
    }
    MoveWindow(area_, barW, y, std::max(0, w - 2 * barW), middleH, TRUE);
}

// ---------------------------------------------------------------- the picture area

LRESULT CALLBACK TFormImage::AreaProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<TFormImage*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            self->PaintArea(dc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_HSCROLL:
        case WM_VSCROLL: {
            const int bar = msg == WM_HSCROLL ? SB_HORZ : SB_VERT;
            SCROLLINFO si{sizeof si, SIF_ALL};
            GetScrollInfo(hwnd, bar, &si);
            int pos = si.nPos;
            switch (LOWORD(wp)) {
                case SB_LINEUP: pos -= 24; break;
                case SB_LINEDOWN: pos += 24; break;
                case SB_PAGEUP: pos -= static_cast<int>(si.nPage); break;
                case SB_PAGEDOWN: pos += static_cast<int>(si.nPage); break;
                case SB_THUMBTRACK:
                case SB_THUMBPOSITION: pos = si.nTrackPos; break;
                case SB_TOP: pos = si.nMin; break;
                case SB_BOTTOM: pos = si.nMax; break;
                default: break;
            }
            self->ScrollArea(bar, pos);
            return 0;
        }
        case WM_LBUTTONDOWN:
            SetFocus(hwnd);
            return 0;
        case WM_MOUSEWHEEL:
            // The form decides what a wheel turn does over the whole window.
            return SendMessageW(GetParent(hwnd), msg, wp, lp);
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

void TFormImage::PaintArea(HDC dc) {
    RECT rc;
    GetClientRect(area_, &rc);
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP back = CreateCompatibleBitmap(dc, std::max<LONG>(1, rc.right), std::max<LONG>(1, rc.bottom));
    HGDIOBJ oldBack = SelectObject(mem, back);
    HBRUSH brush = CreateSolidBrush(BackColor());
    FillRect(mem, &rc, brush);
    DeleteObject(brush);
    if (bitmap_) {
        HDC src = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(src, bitmap_);
        BitBlt(mem, picLeft_ - scrollX_, picTop_ - scrollY_, IntImageScaleWidth, IntImageScaleHeight, src, 0, 0,
               SRCCOPY);
        SelectObject(src, old);
        DeleteDC(src);
    }
    BitBlt(dc, 0, 0, rc.right, rc.bottom, mem, 0, 0, SRCCOPY);
    SelectObject(mem, oldBack);
    DeleteObject(back);
    DeleteDC(mem);
}

RECT TFormImage::PictureRect() const {
    return RECT{picLeft_ - scrollX_, picTop_ - scrollY_, picLeft_ - scrollX_ + IntImageScaleWidth,
                picTop_ - scrollY_ + IntImageScaleHeight};
}

void TFormImage::UpdateScrollBars() {
    RECT rc;
    GetClientRect(area_, &rc);
    // Two passes: a bar that appears narrows the other dimension.
    for (int pass = 0; pass < 2; ++pass) {
        GetClientRect(area_, &rc);
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS};
        si.nMin = 0;
        si.nMax = std::max(0, picLeft_ + IntImageScaleWidth - 1);
        si.nPage = static_cast<UINT>(rc.right);
        si.nPos = scrollX_;
        SetScrollInfo(area_, SB_HORZ, &si, TRUE);
        si.nMax = std::max(0, picTop_ + IntImageScaleHeight - 1);
        si.nPage = static_cast<UINT>(rc.bottom);
        si.nPos = scrollY_;
        SetScrollInfo(area_, SB_VERT, &si, TRUE);
    }
}

void TFormImage::ScrollArea(int bar, int pos) {
    SCROLLINFO si{sizeof si, SIF_ALL};
    GetScrollInfo(area_, bar, &si);
    const int maxPos = std::max(0, si.nMax - static_cast<int>(si.nPage) + 1);
    pos = std::clamp(pos, 0, maxPos);
    (bar == SB_HORZ ? scrollX_ : scrollY_) = pos;
    si.fMask = SIF_POS;
    si.nPos = pos;
    SetScrollInfo(area_, bar, &si, TRUE);
    InvalidateRect(area_, nullptr, FALSE);
}

void TFormImage::ClearPicture() {
    if (bitmap_) DeleteObject(bitmap_);
    bitmap_ = nullptr;
    IntImageScaleWidth = IntImageScaleHeight = 0;
    if (area_) {
        UpdateScrollBars();
        InvalidateRect(area_, nullptr, FALSE);
    }
}

}  // namespace quib
