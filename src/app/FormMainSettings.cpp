// The main window's own settings: what it reads at creation and after the
// parameter dialog, and what it writes when it is destroyed.
#include "app/FormMain.h"

#include <commctrl.h>

#include "app/MainMenuTable.h"
#include "util/ColorText.h"
#include "util/MyUtility.h"
#include "app/Application.h"
#include "extract/ExtractTemp.h"

namespace quib {
namespace {

struct ModeKey {
    int tag;
    const wchar_t* section;
    bool def;
};
const ModeKey kModeKeys[5] = {{tag::MenuFileArchive, L"ArchiveNormal", true},
                              {tag::MenuFileSimple, L"ArchiveSimple", false},
                              {tag::MenuFileTest, L"ArchiveTest", false},
                              {tag::MenuFileSfx, L"ArchiveSfx", false},
                              {tag::MenuFileSusie, L"ArchiveSusie", false}};

COLORREF ReadColor(const IniFile& ini, const wchar_t* section, const wchar_t* key, const wchar_t* def) {
    return ColorTextToColor(ini.ReadString(section, key, def), ColorTextToColor(def, 0));
}

int ReadFontSize(const IniFile& ini, const wchar_t* section, int def) {
    return ini.ReadInteger(section, L"FontSize", def);
}

}  // namespace

void TFormMain::ReadIniValueInit() {
    const IniFile ini = Ini();
    list_.ReadColumnWidths(ini);
    SetMenuChecked(tag::MenuAutoPopup, ini.ReadBool(L"PouUp", L"Enabled", false));
    SetMenuChecked(tag::MenuListText, ini.ReadBool(L"ListText", L"Enabled", false));
    SetMenuChecked(tag::MenuListFiler, ini.ReadBool(L"ListFiler", L"Enabled", true));
    IntModeSelectMenu = 0;
    for (int i = 0; i < 5; ++i) {
        const bool on = ini.ReadBool(kModeKeys[i].section, L"Enabled", kModeKeys[i].def);
        SetMenuChecked(kModeKeys[i].tag, on);
        if (on) IntModeSelectMenu = i + 1;
    }
    // One mode at a time: the last checked one wins.
    if (IntModeSelectMenu == 0) IntModeSelectMenu = 1;
    for (int i = 0; i < 5; ++i) SetMenuChecked(kModeKeys[i].tag, i + 1 == IntModeSelectMenu);
    SetMenuChecked(tag::MenuSameAsQuibFM, ini.ReadBool(L"MainColor", L"SameAsQuibFM", true));
    SetMenuChecked(tag::MenuCloseESCkey, ini.ReadBool(L"FormMain", L"CloseESCkey", true));
    StrSystemFontJpnName = ini.ReadString(L"SystemFontJpn", L"Name", L"ＭＳ ゴシック");
    IntSystemFontJpnSize = ini.ReadInteger(L"SystemFontJpn", L"Size", 14);
    StrSystemFontEngName = ini.ReadString(L"SystemFontEng", L"Name", L"Courier New");
    IntSystemFontEngSize = ini.ReadInteger(L"SystemFontEng", L"Size", 12);
    ini.WriteString(L"SystemFontJpn", L"Name", StrSystemFontJpnName);
    ini.WriteInteger(L"SystemFontJpn", L"Size", IntSystemFontJpnSize);
    ini.WriteString(L"SystemFontEng", L"Name", StrSystemFontEngName);
    ini.WriteInteger(L"SystemFontEng", L"Size", IntSystemFontEngSize);
}

void TFormMain::ReadIniValueSetting() {
    const IniFile ini = Ini();
    ColorFSystem = ReadColor(ini, L"FSystem", L"Color", L"$FF00FF");
    ColorFHidden = ReadColor(ini, L"FHidden", L"Color", L"$FF0000");
    ColorFReadOnly = ReadColor(ini, L"FReadOnly", L"Color", L"$00FF00");
    ColorFDirectory = ReadColor(ini, L"FDirectory", L"Color", L"$FFFF00");
    ColorFNormalFile = ReadColor(ini, L"FNormalFile", L"Color", L"$00FFFF");
    ColorFExecuteFile = ReadColor(ini, L"FExecuteFile", L"Color", L"$FFFFFF");
    ColorFArchiveFile = ReadColor(ini, L"FArchiveFile", L"Color", L"$0000FF");
    ColorFImageFile = ReadColor(ini, L"FImageFile", L"Color", L"$008000");
    ColorListView = ReadColor(ini, L"FListView", L"Color", L"$000000");
    ColorListViewFont = ReadColor(ini, L"FListView", L"FontColor", L"$FFFFFF");
    StrListViewFontName = ini.ReadString(L"FListView", L"FontName", L"ＭＳ ゴシック");
    IntListViewFontSize = ReadFontSize(ini, L"FListView", 14);
    ColorInfo = ReadColor(ini, L"FInformationArchive", L"Color", L"$008080");
    ColorInfoFont = ReadColor(ini, L"FInformationArchive", L"FontColor", L"$FFFFFF");
    StrInfoFontName = ini.ReadString(L"FInformationArchive", L"FontName", L"ＭＳ ゴシック");
    IntInfoFontSize = ReadFontSize(ini, L"FInformationArchive", 14);
    BoolListViewTitleShow = ini.ReadBool(L"ListViewTitle", L"Show", true);
    BoolFileSize1024 = ini.ReadBool(L"FileSize", L"1024", false);
    BoolFileSizeFull = ini.ReadBool(L"FileSizeLength", L"Full", false);
    BoolSizeAlignmentRight = ini.ReadBool(L"SizeAlignment", L"Right", true);
    BoolHiddenFileShow = ini.ReadBool(L"HiddenFile", L"Show", true);
    BoolSystemFileShow = ini.ReadBool(L"SystemFile", L"Show", true);
    BoolFilerSortExplorer = ini.ReadBool(L"FilerSort", L"Explorer", true);
    StrSpiFileName = ini.ReadString(L"Spi", L"FileName", StrExePath + L"\\quibFM-spi.txt");
    StrSpmFileName = ini.ReadString(L"Spm", L"FileName", StrExePath + L"\\quibFM-spm.txt");
    StrQuibFMsusieFileName = ini.ReadString(L"quibFMsusie", L"FileName", StrExePath + L"\\quibFMsusie.exe");
    StrQuibFMimageFileName = ini.ReadString(L"quibFMimage", L"FileName", StrExePath + L"\\quibFMimage.exe");

    struct ExtKey {
        const wchar_t* section;
        const wchar_t* def;
        StringList* list;
    };
    const ExtKey extKeys[] = {
        {L"Txt", L".txt;.log;.ini;", &StrListTxtExt},
        {L"Gdi", L".bmp;.jpg;.jpeg;.png;.ico;.gif;.tif;.tiff;.emf;.wmf;", &StrListGdiExt},
        {L"Wic", L".bmp;.jpg;.jpeg;.png;.ico;.gif;.tif;.tiff;.crw;.cr2;.nef;.orf;.dng;", &StrListWicExt},
        {L"Arc", L".lzh;.zip;.cab;.7z;.rar;.gz;.iso;.bza;.gza;.gca;.arj;.yz1;", &StrListArcExt},
        {L"Exe", L".exe;.com;.bat;", &StrListExeExt},
        {L"Sfx", L".exe;", &StrListSfxExt},
        {L"Others", L".xxx;", &StrListOthersExt},
        {L"Wmp", L".mp3;.mpg;.mpeg;.mp4;.mov;.wmv;.3gp;.avi;", &StrListWmpExt},
    };
    for (const auto& k : extKeys) ExtStrToList(ini.ReadString(k.section, L"Ext", k.def), *k.list, L"", handle_);
    BoolQuibFMextNotUse = ini.ReadBool(L"QuibFMextNotUse", L"Enabled", true);
    for (size_t i = 0; i < 18; ++i) {
        wchar_t section[16];
        wsprintfW(section, L"ExpandFile%02d", static_cast<int>(i + 1));
        const std::wstring ext = ini.ReadString(section, L"Ext", L"");
        if (ext.empty()) {
            StrListFileExt[i].clear();
        } else {
            ExtStrToList(ext, StrListFileExt[i], L"", handle_);
        }
        StrFileExe[i] = ini.ReadString(section, L"Exe", L"");
    }

    // The filer's colours, from its settings file beside the program when present.
    const IniFile filer(StrExePath + L"\\quibFM.ini");
    auto filerColor = [&](const wchar_t* section, const wchar_t* key, const wchar_t* def) {
        return FilerColorTextToColor(filer.ReadString(section, key, def), FilerColorTextToColor(def, 0));
    };
    FilerColorSystem = filerColor(L"FileList", L"FileListColorSystem", L"FF00FF");
    FilerColorHidden = filerColor(L"FileList", L"FileListColorHidden", L"FF0000");
    FilerColorRonly = filerColor(L"FileList", L"FileListColorRonly", L"00FF00");
    FilerColorDir = filerColor(L"FileList", L"FileListColorDir", L"FFFF00");
    FilerColorNormal = filerColor(L"FileList", L"FileListColorNormal", L"00FFFF");
    FilerColorBack = filerColor(L"System", L"SysytemColorBack", L"400000");
    FilerColorInfoData = filerColor(L"System", L"SysytemColorInfoData", L"FFFFFF");
    StrFilerFontName = filer.ReadString(L"System", L"SystemFontName", L"ＭＳ ゴシック");
    IntFilerFontSize = filer.ReadInteger(L"System", L"SystemFontHeight", 14);
    FilerColorInfoItem = filerColor(L"System", L"SysytemColorInfoItem", L"808080");

    // Colours and fonts in force.
    const bool same = MenuChecked(tag::MenuSameAsQuibFM);
    if (same) {
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
    ColorWindowNow = ColorListNow;
    if (IntVclStyle >= 1 && IntVclStyle <= 3) {
        const COLORREF styleColor = IntVclStyle == 1 ? ColorCarbon : IntVclStyle == 2 ? ColorCharcoal : ColorDark;
        ColorWindowNow = ColorListNow = ColorPanelNow = styleColor;
    }
    ApplyColorsAndFonts();
}

void TFormMain::FormDestroy() {
    const IniFile ini = Ini();
    list_.WriteColumnWidths(ini);
    ini.WriteBool(L"PouUp", L"Enabled", MenuChecked(tag::MenuAutoPopup));
    ini.WriteBool(L"ListText", L"Enabled", MenuChecked(tag::MenuListText));
    ini.WriteBool(L"ListFiler", L"Enabled", MenuChecked(tag::MenuListFiler));
    if (IntModeSelectHwnd == 1 || IntModeSelectHwnd == 4 || IntModeSelectHwnd == 5) {
        // The mode forced by the command line is for this run only.
        for (int i = 0; i < 5; ++i) SetMenuChecked(kModeKeys[i].tag, i + 1 == IntModeSelectMenu);
    }
    for (const auto& k : kModeKeys) ini.WriteBool(k.section, L"Enabled", MenuChecked(k.tag));
    ini.WriteBool(L"MainColor", L"SameAsQuibFM", MenuChecked(tag::MenuSameAsQuibFM));
    ini.WriteBool(L"FormMain", L"CloseESCkey", MenuChecked(tag::MenuCloseESCkey));
    ini.WriteString(L"Spi", L"FileName", StrSpiFileName);
    ini.WriteString(L"Spm", L"FileName", StrSpmFileName);
    ini.WriteString(L"quibFMsusie", L"FileName", StrQuibFMsusieFileName);
    ini.WriteString(L"quibFMimage", L"FileName", StrQuibFMimageFileName);
    if (GetFileAttributesW(StrExtractBase.c_str()) != INVALID_FILE_ATTRIBUTES) ArchiveDeleteExtractTemp(StrExtractBase, Application().Handle());
}

}  // namespace quib
