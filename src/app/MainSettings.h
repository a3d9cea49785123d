#pragma once
// The main window's settings as one model: every value it takes from the
// settings file (and the filer's colours from "quibFM.ini" beside the
// program), with the key, default and moment of each kept in one table in
// MainSettings.cpp. The main window inherits the model, so its code keeps the
// names the program has always used; the settings dialogs share it.
#include <windows.h>

#include <array>
#include <string>
#include <variant>
#include <vector>

#include "util/IniFile.h"

namespace quib {

using StringList = std::vector<std::wstring>;

// The listing modes of the File menu, numbered as the program has always
// numbered them (the command line's "hwnd=", "hsfx=" and "hspm=" name 1, 4, 5).
enum class ListingMode { Normal = 1, Simple = 2, Test = 3, Sfx = 4, Susie = 5 };

// The modes that show entries in the list; the simple and test listings show a text.
constexpr bool ModeListsEntries(ListingMode mode) {
    return mode == ListingMode::Normal || mode == ListingMode::Sfx || mode == ListingMode::Susie;
}

struct MainSettings {
    // --- read once as the main window is made
    bool BoolDeveloper = false;
    // [VclStyle] Text: 0 the system look, 1 Carbon, 2 Charcoal Dark Slate, 3 Windows10 Dark.
    int IntVclStyle = 0;
    // The base colour of each dark style.
    COLORREF ColorCarbon = 0x191919, ColorCharcoal = 0x232323, ColorDark = 0x000000;
    // Shown and changed by their menu items while the window lives (the menu
    // is what the program asks); taken back from the menus when it goes.
    bool BoolAutoPopup = false;    // [PouUp] Enabled
    bool BoolListText = false;     // [ListText] Enabled
    bool BoolListFiler = true;     // [ListFiler] Enabled
    bool BoolSameAsQuibFM = true;  // [MainColor] SameAsQuibFM
    bool BoolCloseESCkey = true;   // [FormMain] CloseESCkey
    // The listing mode the settings keep: one of five Enabled keys, the last
    // one set winning, the normal listing when none is.
    ListingMode ModeSelectMenu = ListingMode::Normal;
    std::wstring StrSystemFontJpnName = L"ＭＳ ゴシック", StrSystemFontEngName = L"Courier New";
    int IntSystemFontJpnSize = 14, IntSystemFontEngSize = 12;

    // --- read then and again whenever the settings change
    // Entry colours by kind: system, hidden, read-only, folder, normal, executable, archive, image.
    COLORREF ColorFSystem = 0xFF00FF, ColorFHidden = 0xFF0000, ColorFReadOnly = 0x00FF00, ColorFDirectory = 0xFFFF00,
             ColorFNormalFile = 0x00FFFF, ColorFExecuteFile = 0xFFFFFF, ColorFArchiveFile = 0x0000FF,
             ColorFImageFile = 0x008000;
    COLORREF ColorListView = 0x000000, ColorListViewFont = 0xFFFFFF;
    std::wstring StrListViewFontName = L"ＭＳ ゴシック";
    int IntListViewFontSize = 14;
    COLORREF ColorInfo = 0x008080, ColorInfoFont = 0xFFFFFF;
    std::wstring StrInfoFontName = L"ＭＳ ゴシック";
    int IntInfoFontSize = 14;
    bool BoolListViewTitleShow = true;
    bool BoolFileSize1024 = false;
    bool BoolFileSizeFull = false;
    bool BoolSizeAlignmentRight = true;
    bool BoolHiddenFileShow = true;
    bool BoolSystemFileShow = true;
    bool BoolFilerSortExplorer = true;
    // Files of the program's companions; by default beside the program.
    std::wstring StrSpiTextFileName, StrSpmTextFileName, StrQuibFMsusieFileName, StrQuibFMimageFileName;
    // Extension lists (".txt;.log;.ini;" in the file).
    StringList StrListTxtExt, StrListGdiExt, StrListWicExt, StrListArcExt, StrListExeExt, StrListSfxExt,
        StrListOthersExt, StrListWmpExt;
    bool BoolQuibFMextNotUse = true;
    std::array<StringList, 18> StrListFileExt{};  // ExpandFile01 .. ExpandFile18
    std::array<std::wstring, 18> StrFileExe{};
    // The filer's colours and font ("quibFM.ini"; never written here).
    COLORREF FilerColorSystem = 0xFF00FF, FilerColorHidden = 0xFF0000, FilerColorRonly = 0x00FF00,
             FilerColorDir = 0xFFFF00, FilerColorNormal = 0x00FFFF, FilerColorBack = 0x400000,
             FilerColorInfoData = 0xFFFFFF, FilerColorInfoItem = 0x808080;
    std::wstring StrFilerFontName = L"ＭＳ ゴシック";
    int IntFilerFontSize = 14;
};

// [VclStyle] Text of a style number: "Windows", "Carbon", "Charcoal Dark
// Slate", "Windows10 Dark" (the first for any other number).
const wchar_t* VclStyleName(int style);

enum class MainSettingsPart {
    // Read once, as the main window is made. Some of its keys are written
    // back at once (see ReadMainSettings).
    Start,
    // Colours, fonts, sizes, lists and companion files: read as the window is
    // made and again whenever the settings change.
    Display,
};

// One setting of the model, for reading a single one (ReadMainSetting).
using MainSettingField =
    std::variant<bool MainSettings::*, int MainSettings::*, std::wstring MainSettings::*, COLORREF MainSettings::*,
                 StringList MainSettings::*, std::array<StringList, 18> MainSettings::*,
                 std::array<std::wstring, 18> MainSettings::*, ListingMode MainSettings::*>;

// Reads every setting of the part afresh with its default. programFolder
// (without a final backslash) gives the defaults of the companion files and
// the place of the filer's "quibFM.ini". A bad extension list is reported to
// the user with a message owned by owner; the extensions found before the
// fault are kept. A colour text that is no colour gives the default colour.
//
// Reading the Start part writes back at once [Developer] Enabled, the three
// [FListView] style colours (the text as it was found) and [SystemFontJpn] /
// [SystemFontEng] Name and Size, so the file always shows them to be edited.
void ReadMainSettings(const IniFile& ini, const std::wstring& programFolder, MainSettingsPart part, MainSettings& s,
                      HWND owner = nullptr);

// Reads one setting afresh, as ReadMainSettings would (for a window step that
// needs it before its part is read). Nothing is written back.
void ReadMainSetting(const IniFile& ini, const std::wstring& programFolder, MainSettingField field, MainSettings& s,
                     HWND owner = nullptr);

// What the main window writes as it goes: the menu choices ([PouUp],
// [ListText], [ListFiler], the five listing-mode keys, [MainColor],
// [FormMain] CloseESCkey) and the companion files ([Spi], [Spm],
// [quibFMsusie], [quibFMimage] FileName).
void WriteMainSettings(const IniFile& ini, const MainSettings& s);

// Every setting of a part that lives in the settings file, as a settings
// dialog stores what it edited (the filer's colours are the filer's own).
// Colours are written by name when they have one, else as "$00BBGGRR";
// extension lists as ".a;.b;".
void WriteMainSettingsPart(const IniFile& ini, const MainSettings& s, MainSettingsPart part);

}  // namespace quib
