#pragma once
// The image viewer: one picture of the open archive, stepped through the
// archive's other pictures without going back to the main window; zoom, fit,
// rotation, mirroring, automatic rotation from Exif, side bars, the
// information bar, full screen, slide show and marks.
#include <windows.h>

#include <string>
#include <vector>

#include "app/FormBase.h"
#include "viewers/Taskbar.h"
#include "viewers/image/ImageDecode.h"
#include "viewers/image/ImageGeometry.h"
#include "viewers/image/ImageViewerHost.h"

namespace quib {

const CommandTable& ImageCommandTable();
// The viewer's built-in key table: preset 0 (the filer-like keys) or preset 1
// (the text-editor-like keys: the up and down moves on the arrows).
KeyMapTable ImageBuiltInKeyTable(int preset);

class TFormImage : public TFormBase {
public:
    enum : int {
        kTagForm = 2999,
        kTagMenuKeyMove = 1512,
        kTagMenuSettingRate = 1600,
    };
    explicit TFormImage(ImageViewerHost& host);
    ~TFormImage() override;

    // --- state (names as the window declares them)
    std::wstring StrLoadFileName;
    int IntImageScale = 100;
    int IntCompressRate = 100;
    int IntImageReadWidth = 0, IntImageReadHeight = 0;
    int IntImageScaleWidth = 0, IntImageScaleHeight = 0;
    int IntImageRotateManualIndex = 0;
    int IntImageLeftRightManualIndex = 0, IntImageTopButtomManualIndex = 0;
    std::wstring StrImageDepth = L"--Bits";
    std::vector<std::wstring> StrListExif;
    int IntImageBackColorIndex = 0;
    int IntSideBarNum = 100;
    int IntWheelMoveNum = 24, IntWheelCountNum = 2, IntWheelCount = 0;
    int IntPrevNextNum1 = 20, IntPrevNextNum2 = 10;
    bool BoolImageMaking = false;
    bool BoolFormShow = false;
    bool BoolMenuFitTemporary = false;
    bool BoolMenuFitMem = true, BoolMenuSideBarMem = false;
    bool BoolWheelCount = false, BoolWheelDirectionUp = false;
    int IntMovePrevKey = 37, IntMoveUpKey = 38, IntMoveDownKey = 40, IntMoveNextKey = 39;

    // --- loading
    bool LoadFileWic(const std::wstring& fileName, bool init, int rotation, int leftRight, int topBottom);
    bool LoadFileGdi(const std::wstring& fileName, bool init, int rotation, int leftRight, int topBottom);
    bool LoadFileSusie(const std::wstring& fileName, bool init, int rotation, int leftRight, int topBottom);
    // The loader of the active decoder with the window's own indexes.
    bool LoadCurrent(bool init);
    void InformationUpDate();

    // --- commands
    void MenuCloseClick();
    void MenuParameterSettingClick();
    void MenuKeyBoardClick();
    void MenuContinueStartClick();
    void MenuContinueStopClick();
    void MenuMarkClick();
    void MenuMoveTopClick();
    void MenuMovePrevPrevClick();
    void MenuMovePrevClick();
    void MenuMoveUpClick();
    void MenuMoveDownClick();
    void MenuMoveNextClick();
    void MenuMoveNextNextClick();
    void MenuMoveEndClick();
    void MenuScaleDownClick();
    void MenuScaleUpClick();
    void MenuScaleResetClick();
    void MenuFullScreenClick();
    void MenuRotateRightClick();
    void MenuRotateLeftClick();
    void MenuFlipLeftRightClick();
    void MenuFlipTopButtomClick();
    void MenuChangeBackColorClick();
    void MenuShowExifClick();
    void MenuFitClick();
    void MenuRotateAutoClick();
    void MenuSideBarClick();
    void MenuSideBarColorClick();
    void MenuSameAsBackColorClick();
    void MenuInformationItemClick();
    void MenuKeyMoveClick();

    // --- what tests and the host look at
    bool FullScreen() const { return fullScreen_; }
    bool SlideShowRunning() const { return slideShow_; }
    HWND PictureArea() const { return area_; }
    HWND InformationLabel() const { return label_; }
    HWND LeftSideBar() const { return leftBar_; }
    HWND RightSideBar() const { return rightBar_; }
    HWND TopStrip() const { return topStrip_; }
    // Where the picture stands in the area's client, and the bitmap shown.
    RECT PictureRect() const;
    HBITMAP PictureBitmap() const { return bitmap_; }
    bool Fit() const;
    // Leaves full screen (also when the window closes).
    void LeaveFullScreen();

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int clientWidth, int clientHeight) override;
    void FormClose() override;
    void FormDestroy() override;
    bool FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) override;
    void MenuCommand(int id) override;
    void ControlCommand(HWND control, int id, int code) override;
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void LanguageApplied() override;
    void KeyMapResetNotice() override;

private:
    bool LoadWith(int decoder, const std::wstring& fileName, bool init, int rotation, int leftRight, int topBottom);
    bool Decode(int decoder, const std::wstring& fileName);
    bool Display(int rotation, int leftRight, int topBottom);
    void ClearPicture();
    void Move(ImageMove move);
    void Msg(const std::wstring& japanese, const std::wstring& english);
    void ReadSettings();
    void ReadParameterSettings(const IniFile& ini);
    void WriteSettings();
    void ApplyColors();
    void Layout();
    void UpdateScrollBars();
    void ScrollArea(int bar, int pos);
    void SetSettingRateCaption();
    void EnterFullScreen();
    bool OnWheel(WPARAM wp, LPARAM lp);
    COLORREF BackColor() const;
    COLORREF SideBarColor() const;
    static LRESULT CALLBACK AreaProc(HWND, UINT, WPARAM, LPARAM);
    void PaintArea(HDC dc);

    ImageViewerHost& host_;
    DecodedImage decoded_;
    HBITMAP bitmap_ = nullptr;
    int picLeft_ = 0, picTop_ = 0;
    int scrollX_ = 0, scrollY_ = 0;
    HWND topStrip_ = nullptr, infoBar_ = nullptr, label_ = nullptr, leftBar_ = nullptr, rightBar_ = nullptr,
         area_ = nullptr, bottomStrip_ = nullptr;
    HFONT labelFont_ = nullptr;
    COLORREF sideBarColor_ = 0x400000;
    // Under a dark style the bars keep the colour they were last given.
    COLORREF darkBarColor_ = 0;
    std::wstring fontName_ = L"ＭＳ ゴシック", fontSize_ = L"14", fontColor_ = L"clWhite";
    int intervalIndex_ = 4;
    bool fullScreen_ = false;
    bool slideShow_ = false;
    LONG_PTR savedStyle_ = 0;
    WINDOWPLACEMENT savedPlacement_{};
    HMENU savedMenu_ = nullptr;
    HMENU blankMenu_ = nullptr;  // the dark style's menu bar in full screen
    int clientW_ = 0, clientH_ = 0;
};

}  // namespace quib
