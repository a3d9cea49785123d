#pragma once
// What the parameter settings dialog edits, as values: the main window's
// settings model (app/MainSettings) and the keys other windows share
// (settings/SettingKeys), read and written through the same rows and keys the
// windows use, so an untouched dialog stores exactly what the windows would
// take for an absent key. The rules of its pages are plain functions here.
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "app/MainSettings.h"

namespace quib {

// The colour page's sixteen items: a colour, and for three of them a font.
constexpr int kColorItemCount = 16;
struct ColorItem {
    COLORREF color = 0;
    std::wstring fontName;  // font items only
    int fontSize = 0;
};
bool ColorItemHasFont(int item);
// "00 Main ｲﾝﾌｫﾒｰｼｮﾝ 背景色" ...: the list's texts.
const wchar_t* ColorItemText(int item);

// The image page's lists: the items offered, as texts.
enum class ImageList { WheelMove, SideBar, WheelCount, PreNextNum1, PreNextNum2, Interval, Count };
std::vector<std::wstring> ImageListItems(ImageList list);

struct SettingValues {
    MainSettings main;  // the display part, the theme and the launch slots
    // Colour items not in the main window's model.
    COLORREF infoItemsColor = 0xFFFFFF;
    COLORREF editorColor = 0xFFFFFF, editorFontColor = 0x000000, editorKigouColor = 0xFF0000;
    std::wstring editorFontName;
    int editorFontSize = 14;
    // Boot page.
    bool ext12 = false, dateShow = true, attrShow = true, timeShow = true, unicodeShow = false;
    int folderSelect = 1, sortMode = 1, sortMethod = 0;
    bool browseExplorer = true, browseSJIS = false, browseUnicode = false;
    // Image page: the list values as the image viewer reads them (texts; the
    // interval by position).
    std::wstring exifFileName, exifOption, rotateAutoExcept;
    std::array<std::wstring, 5> imageTexts;  // WheelMove, SideBar, WheelCount, PreNextNum1, PreNextNum2
    int imageIntervalIndex = 4;
    // Expand pages: the program pickers.
    std::array<int, 3> fileSelect{1, 1, 1};
};

// Reads every value with the windows' defaults. A bad extension list is told
// to the user with a message owned by owner, as the main window tells it.
void ReadSettingValues(const IniFile& ini, const std::wstring& programFolder, SettingValues& v, HWND owner = nullptr);
// Writes every value the dialog edits (OK).
void WriteSettingValues(const IniFile& ini, const SettingValues& v);

// The colour items of the values, and back.
std::array<ColorItem, kColorItemCount> ColorItemsOf(const SettingValues& v);
void SetColorItems(SettingValues& v, const std::array<ColorItem, kColorItemCount>& items);
// The items' defaults ("デフォルト色を読込").
std::array<ColorItem, kColorItemCount> DefaultColorItems(const std::wstring& programFolder);
// The companion filer's colours from its "quibFM.ini" in the program folder,
// or its built-in colours when that file is missing ("quibFM の色を読込").
void ImportFilerColors(const std::wstring& programFolder, std::array<ColorItem, kColorItemCount>& items);

// A colour field R, G or B: an empty text is 0; 256 and more become 255 and
// the text to show instead is given in replacement (else it stays empty).
int ColorFieldValue(const std::wstring& text, std::wstring& replacement);

// The first extension of an archive list that no archiver family takes
// (".tar" of ".lzh;.zip;.tar;"), or an empty text.
std::wstring FirstRefusedArchiveExtension(const std::wstring& text);

// The extensions of a launch slot's list, without any message: each text
// from a "." to the next ";".
std::vector<std::wstring> SplitExtList(const std::wstring& text);
std::wstring JoinExtList(const std::vector<std::wstring>& list);

// One line of the extract page: "1:解凍先 " + the name cut or padded to 12
// bytes of the ANSI code page + " " + the folder.
std::wstring ExtractDestinationLine(int index, const std::wstring& name, const std::wstring& folder, bool japanese);

// The defaults of launch slots 01 to 06 ("01から06を初期化"); slot 06 starts
// the program itself on the archive.
void DefaultLaunchSlots(const std::wstring& programPath, std::array<std::wstring, 6>& ext,
                        std::array<std::wstring, 6>& exe);

}  // namespace quib
