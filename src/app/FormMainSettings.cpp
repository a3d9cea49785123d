// The main window's own settings: what it reads at creation and after the
// parameter dialog, and what it writes when it is destroyed.
#include "app/FormMain.h"

#include <commctrl.h>

#include "app/MainMenuTable.h"
#include "app/Application.h"
#include "extract/ExtractTemp.h"

namespace quib {
namespace {


}  // namespace

void TFormMain::ReadIniValueInit() {
    const IniFile ini = Ini();
    list_.ReadColumnWidths(ini);
    // The menus show the start settings (read in FormCreate) from here on.
    SetMenuChecked(tag::MenuAutoPopup, BoolAutoPopup);
    SetMenuChecked(tag::MenuListText, BoolListText);
    SetMenuChecked(tag::MenuListFiler, BoolListFiler);
    SelectMode(ModeSelectMenu);
    SetMenuChecked(tag::MenuSameAsQuibFM, BoolSameAsQuibFM);
    SetMenuChecked(tag::MenuCloseESCkey, BoolCloseESCkey);
}

void TFormMain::ReadIniValueSetting() {
    ReadMainSettings(Ini(), StrExePath, MainSettingsPart::Display, *this, handle_);
    // The plug-ins' extensions colour the rows and gate the Susie picture viewer.
    GetSpmExt();
    GetSpiExt();

    // Colours and fonts in force.
    ChooseListAndPanelColors(MenuChecked(tag::MenuSameAsQuibFM));
    ColorWindowNow = ColorListNow;
    if (IntVclStyle >= 1 && IntVclStyle <= 3) {
        const COLORREF styleColor = IntVclStyle == 1 ? ColorCarbon : IntVclStyle == 2 ? ColorCharcoal : ColorDark;
        ColorWindowNow = ColorListNow = ColorPanelNow = styleColor;
    }
    ApplyColorsAndFonts();
}

void TFormMain::ChooseListAndPanelColors(bool sameAsFiler) {
    if (sameAsFiler) {
        ColorListNow = FilerColorBack;
        ColorListFontNow = FilerColorInfoData;
        ColorPanelNow = FilerColorBack;
        ColorPanelFontNow = FilerColorInfoData;
        ColorPanelItemNow = FilerColorInfoItem;
        StrListViewFontName = StrFilerFontName;
        IntListViewFontSize = IntFilerFontSize;
        StrInfoFontName = StrFilerFontName;
        IntInfoFontSize = IntFilerFontSize;
    } else {
        ColorListNow = ColorListView;
        ColorListFontNow = ColorListViewFont;
        ColorPanelNow = ColorInfo;
        ColorPanelFontNow = ColorInfoFont;
        ColorPanelItemNow = ColorInfoFont;
    }
}

void TFormMain::FormDestroy() {
    const IniFile ini = Ini();
    list_.WriteColumnWidths(ini);
    BoolAutoPopup = MenuChecked(tag::MenuAutoPopup);
    BoolListText = MenuChecked(tag::MenuListText);
    BoolListFiler = MenuChecked(tag::MenuListFiler);
    BoolSameAsQuibFM = MenuChecked(tag::MenuSameAsQuibFM);
    BoolCloseESCkey = MenuChecked(tag::MenuCloseESCkey);
    // The mode forced by the command line is for this run only.
    const bool forced = IntModeSelectHwnd == 1 || IntModeSelectHwnd == 4 || IntModeSelectHwnd == 5;
    if (!forced) ModeSelectMenu = ListingModeNow;
    WriteMainSettings(ini, *this);
    if (GetFileAttributesW(StrExtractBase.c_str()) != INVALID_FILE_ATTRIBUTES) ArchiveDeleteExtractTemp(StrExtractBase, Application().Handle());
}

}  // namespace quib
