#include "settings/SettingModel.h"

#include <cwchar>

#include "settings/SettingKeys.h"
#include "util/ColorText.h"
#include "util/StrConv.h"

namespace quib {
namespace {

using MS = MainSettings;

const wchar_t* const kColorItemTexts[kColorItemCount] = {
    L"00 Main ｲﾝﾌｫﾒｰｼｮﾝ 背景色", L"01 Main ｲﾝﾌｫﾒｰｼｮﾝ ﾌｫﾝﾄ", L"02 Main ｲﾝﾌｫﾒｰｼｮﾝ 項目色",
    L"03 Main ﾌｧｲﾙ一覧 背景色",   L"04 Main ﾌｧｲﾙ一覧 ﾌｫﾝﾄ",   L"05 Main ﾌｫﾙﾀﾞ色",
    L"06 Main 通常ﾌｧｲﾙ色",       L"07 Main ﾘｰﾄﾞｵﾝﾘｰﾌｧｲﾙ色",  L"08 Main 隠しﾌｧｲﾙ色",
    L"09 Main ｼｽﾃﾑﾌｧｲﾙ色",       L"10 Main 実行ﾌｧｲﾙ色",       L"11 Main 圧縮ﾌｧｲﾙ色",
    L"12 Main 画像ﾌｧｲﾙ色",       L"13 Text ﾃｷｽﾄ 背景色",      L"14 Text ﾃｷｽﾄ ﾌｫﾝﾄ",
    L"15 Text ﾃｷｽﾄ 記号色"};

// The plain colour items that live in the main window's model, by item.
COLORREF MS::*const kMainColors[kColorItemCount] = {
    &MS::ColorInfo,        nullptr,           nullptr,          &MS::ColorListView,    nullptr,
    &MS::ColorFDirectory,  &MS::ColorFNormalFile, &MS::ColorFReadOnly, &MS::ColorFHidden, &MS::ColorFSystem,
    &MS::ColorFExecuteFile, &MS::ColorFArchiveFile, &MS::ColorFImageFile, nullptr,       nullptr,
    nullptr};

const IniKey* const kImageTextKeys[5] = {&key::ImageWheelMoveText, &key::ImageSideBarText, &key::ImageWheelCountText,
                                         &key::ImagePreNextNum1Text, &key::ImagePreNextNum2Text};
const wchar_t* const kImageSections[6] = {L"ImageWheelMove",   L"ImageSideBar",     L"ImageWheelCount",
                                          L"ImagePreNextNum1", L"ImagePreNextNum2", L"ImageInterval"};

COLORREF ReadColorKey(const IniFile& ini, const IniKey& k) {
    return ColorTextToColor(ReadKey(ini, k), ColorTextToColor(k.def, 0));
}

// A settings file that cannot exist (":" is no file-name character): every
// read gives its default.
IniFile NoSettingsFile(const std::wstring& programFolder) { return IniFile(programFolder + L"\\:no settings.ini"); }

int PositionOf(const std::vector<std::wstring>& items, const std::wstring& text) {
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i] == text) return static_cast<int>(i);
    return -1;
}

}  // namespace

bool ColorItemHasFont(int item) { return item == 1 || item == 4 || item == 14; }

const wchar_t* ColorItemText(int item) {
    return item >= 0 && item < kColorItemCount ? kColorItemTexts[item] : L"";
}

std::vector<std::wstring> ImageListItems(ImageList list) {
    std::vector<std::wstring> items;
    auto range = [&items](int from, int to, int step) {
        for (int n = from; n <= to; n += step) items.push_back(std::to_wstring(n));
    };
    switch (list) {
        // 24 is the image viewer's own step for an absent key: the list offers
        // it so an untouched dialog keeps it.
        case ImageList::WheelMove: items = {L"8", L"16", L"24", L"32", L"40", L"48", L"56", L"64"}; break;
        case ImageList::SideBar: range(10, 200, 10); break;
        case ImageList::WheelCount:
        case ImageList::PreNextNum1:
        case ImageList::PreNextNum2: range(1, 30, 1); break;
        case ImageList::Interval: range(1, 60, 1); break;
        case ImageList::Count: break;
    }
    return items;
}

void ReadSettingValues(const IniFile& ini, const std::wstring& programFolder, SettingValues& v, HWND owner) {
    ReadMainSettings(ini, programFolder, MainSettingsPart::Display, v.main, owner);
    ReadMainSetting(ini, programFolder, &MainSettings::IntVclStyle, v.main, owner);
    v.infoItemsColor = ReadColorKey(ini, key::InfoItemsColor);
    v.editorColor = ReadColorKey(ini, key::EditorColor);
    v.editorFontColor = ReadColorKey(ini, key::EditorFontColor);
    v.editorKigouColor = ReadColorKey(ini, key::EditorColorKigou);
    v.editorFontName = ReadKey(ini, key::EditorFontName);
    v.editorFontSize = static_cast<int>(std::wcstol(ReadKey(ini, key::EditorFontSize).c_str(), nullptr, 10));
    v.ext12 = ReadKeyBool(ini, key::ExtentionLength12);
    v.dateShow = ReadKeyBool(ini, key::DateShow);
    v.attrShow = ReadKeyBool(ini, key::AttrShow);
    v.timeShow = ReadKeyBool(ini, key::TimeShow);
    v.unicodeShow = ReadKeyBool(ini, key::UnicodeShow);
    v.folderSelect = ReadKeyInt(ini, key::FolderSelectIndex);
    v.sortMode = ReadKeyInt(ini, key::SortModeIndex);
    v.sortMethod = ReadKeyInt(ini, key::SortMethodIndex);
    v.browseExplorer = ReadKeyBool(ini, key::BrowseExplorerSort);
    v.browseSJIS = ReadKeyBool(ini, key::BrowseSJISSort);
    v.browseUnicode = ReadKeyBool(ini, key::BrowseUnicodeSort);
    v.exifFileName = ReadKey(ini, key::ExifFileName);
    v.exifOption = ReadKey(ini, key::ExifOption);
    v.rotateAutoExcept = ReadKey(ini, key::RotateAutoExcept);
    for (size_t i = 0; i < 5; ++i) v.imageTexts[i] = ReadKey(ini, *kImageTextKeys[i]);
    v.imageIntervalIndex = ReadKeyInt(ini, key::ImageIntervalIndex);
    for (size_t i = 0; i < 3; ++i) v.fileSelect[i] = ReadKeyInt(ini, key::FileSelectIndex[i]);
}

void WriteSettingValues(const IniFile& ini, const SettingValues& v) {
    WriteMainSettingsPart(ini, v.main, MainSettingsPart::Display);
    WriteKey(ini, key::InfoItemsColor, ColorToSettingText(v.infoItemsColor));
    WriteKey(ini, key::EditorColor, ColorToSettingText(v.editorColor));
    WriteKey(ini, key::EditorFontColor, ColorToSettingText(v.editorFontColor));
    WriteKey(ini, key::EditorFontName, v.editorFontName);
    WriteKeyInt(ini, key::EditorFontSize, v.editorFontSize);
    WriteKey(ini, key::EditorColorKigou, ColorToSettingText(v.editorKigouColor));
    WriteKeyBool(ini, key::ExtentionLength12, v.ext12);
    WriteKeyBool(ini, key::UnicodeShow, v.unicodeShow);
    WriteKeyBool(ini, key::DateShow, v.dateShow);
    WriteKeyBool(ini, key::AttrShow, v.attrShow);
    WriteKeyBool(ini, key::TimeShow, v.timeShow);
    // The theme by position and by name; the program goes by the name.
    const int style = v.main.IntVclStyle >= 0 && v.main.IntVclStyle < 4 ? v.main.IntVclStyle : 0;
    WriteKeyInt(ini, key::VclStyleIndex, style);
    ini.WriteString(L"VclStyle", L"Text", VclStyleName(style));
    WriteKeyInt(ini, key::FolderSelectIndex, v.folderSelect);
    WriteKeyInt(ini, key::SortModeIndex, v.sortMode);
    WriteKeyInt(ini, key::SortMethodIndex, v.sortMethod);
    WriteKeyBool(ini, key::BrowseExplorerSort, v.browseExplorer);
    WriteKeyBool(ini, key::BrowseSJISSort, v.browseSJIS);
    WriteKeyBool(ini, key::BrowseUnicodeSort, v.browseUnicode);
    WriteKey(ini, key::ExifFileName, v.exifFileName);
    WriteKey(ini, key::ExifOption, v.exifOption);
    WriteKey(ini, key::RotateAutoExcept, v.rotateAutoExcept);
    // Each list keeps its position (for the dialog) and its text (for the viewer).
    for (size_t i = 0; i < 5; ++i) {
        const int at = PositionOf(ImageListItems(static_cast<ImageList>(i)), v.imageTexts[i]);
        if (at >= 0) ini.WriteInteger(kImageSections[i], L"Index", at);
        WriteKey(ini, *kImageTextKeys[i], v.imageTexts[i]);
    }
    WriteKeyInt(ini, key::ImageIntervalIndex, v.imageIntervalIndex);
    const std::vector<std::wstring> intervals = ImageListItems(ImageList::Interval);
    if (v.imageIntervalIndex >= 0 && v.imageIntervalIndex < static_cast<int>(intervals.size()))
        ini.WriteString(kImageSections[5], L"Text", intervals[static_cast<size_t>(v.imageIntervalIndex)]);
    for (size_t i = 0; i < 3; ++i) WriteKeyInt(ini, key::FileSelectIndex[i], v.fileSelect[i]);
}

std::array<ColorItem, kColorItemCount> ColorItemsOf(const SettingValues& v) {
    std::array<ColorItem, kColorItemCount> items{};
    for (int i = 0; i < kColorItemCount; ++i)
        if (kMainColors[i]) items[static_cast<size_t>(i)].color = v.main.*kMainColors[i];
    items[1] = {v.main.ColorInfoFont, v.main.StrInfoFontName, v.main.IntInfoFontSize};
    items[2].color = v.infoItemsColor;
    items[4] = {v.main.ColorListViewFont, v.main.StrListViewFontName, v.main.IntListViewFontSize};
    items[13].color = v.editorColor;
    items[14] = {v.editorFontColor, v.editorFontName, v.editorFontSize};
    items[15].color = v.editorKigouColor;
    return items;
}

void SetColorItems(SettingValues& v, const std::array<ColorItem, kColorItemCount>& items) {
    for (int i = 0; i < kColorItemCount; ++i)
        if (kMainColors[i]) v.main.*kMainColors[i] = items[static_cast<size_t>(i)].color;
    v.main.ColorInfoFont = items[1].color;
    v.main.StrInfoFontName = items[1].fontName;
    v.main.IntInfoFontSize = items[1].fontSize;
    v.infoItemsColor = items[2].color;
    v.main.ColorListViewFont = items[4].color;
    v.main.StrListViewFontName = items[4].fontName;
    v.main.IntListViewFontSize = items[4].fontSize;
    v.editorColor = items[13].color;
    v.editorFontColor = items[14].color;
    v.editorFontName = items[14].fontName;
    v.editorFontSize = items[14].fontSize;
    v.editorKigouColor = items[15].color;
}

std::array<ColorItem, kColorItemCount> DefaultColorItems(const std::wstring& programFolder) {
    // The defaults are the readers' own: what they take from a file that has none of the keys.
    SettingValues v;
    ReadSettingValues(NoSettingsFile(programFolder), programFolder, v);
    return ColorItemsOf(v);
}

void ImportFilerColors(const std::wstring& programFolder, std::array<ColorItem, kColorItemCount>& items) {
    // The filer's colours come through the main window's model, which reads
    // them (or the filer's built-in ones) from "quibFM.ini".
    MainSettings filer;
    const IniFile own = NoSettingsFile(programFolder);
    for (const MainSettingField field :
         {MainSettingField{&MS::FilerColorSystem}, MainSettingField{&MS::FilerColorHidden},
          MainSettingField{&MS::FilerColorRonly}, MainSettingField{&MS::FilerColorDir},
          MainSettingField{&MS::FilerColorNormal}, MainSettingField{&MS::FilerColorBack},
          MainSettingField{&MS::FilerColorInfoData}, MainSettingField{&MS::FilerColorInfoItem},
          MainSettingField{&MS::StrFilerFontName}, MainSettingField{&MS::IntFilerFontSize}})
        ReadMainSetting(own, programFolder, field, filer);
    items[9].color = filer.FilerColorSystem;
    items[8].color = filer.FilerColorHidden;
    items[7].color = filer.FilerColorRonly;
    items[5].color = filer.FilerColorDir;
    for (size_t i : {6u, 10u, 11u, 12u}) items[i].color = filer.FilerColorNormal;
    items[3].color = items[0].color = filer.FilerColorBack;
    for (size_t i : {4u, 1u}) items[i] = {filer.FilerColorInfoData, filer.StrFilerFontName, filer.IntFilerFontSize};
    items[2].color = filer.FilerColorInfoItem;
    const IniFile quib(programFolder + L"\\quibFM.ini");
    auto hex = [&quib](const IniKey& k) { return FilerColorTextToColor(ReadKey(quib, k), FilerColorTextToColor(k.def, 0)); };
    items[15].color = hex(key::QuibViewColorRetMark);
    items[13].color = hex(key::QuibViewColorBack);
    items[14] = {hex(key::QuibViewColorText), ReadKey(quib, key::QuibViewFontName), ReadKeyInt(quib, key::QuibViewFontHeight)};
}

int ColorFieldValue(const std::wstring& text, std::wstring& replacement) {
    replacement.clear();
    if (text.empty()) return 0;
    const long n = std::wcstol(text.c_str(), nullptr, 10);
    if (n >= 256) {
        replacement = L"255";
        return 255;
    }
    return n < 0 ? 0 : static_cast<int>(n);
}

std::wstring FirstRefusedArchiveExtension(const std::wstring& text) {
    static const wchar_t* const accepted[] = {L".lzh", L".zip", L".cab", L".7z",  L".rar", L".gz",
                                              L".iso", L".bza", L".gza", L".gca", L".arj", L".yz1"};
    for (const std::wstring& ext : SplitExtList(text)) {
        bool ok = false;
        for (const wchar_t* a : accepted) ok = ok || ext == a;
        if (!ok) return ext;
    }
    return {};
}

std::vector<std::wstring> SplitExtList(const std::wstring& text) {
    std::vector<std::wstring> list;
    size_t dot = std::wstring::npos;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'.') dot = i;
        if (text[i] == L';' && dot != std::wstring::npos) {
            list.push_back(text.substr(dot, i - dot));
            dot = std::wstring::npos;
        }
    }
    return list;
}

std::wstring JoinExtList(const std::vector<std::wstring>& list) {
    std::wstring text;
    for (const std::wstring& ext : list) text += ext + L";";
    return text;
}

std::wstring ExtractDestinationLine(int index, const std::wstring& name, const std::wstring& folder, bool japanese) {
    // Twelve bytes of the ANSI code page: a character that would cross the
    // twelfth byte is left out, the rest padded with spaces.
    std::wstring cut;
    int bytes = 0;
    for (wchar_t c : name) {
        const int size = static_cast<int>(WideToAnsi(std::wstring(1, c)).size());
        if (bytes + size > 12) break;
        cut += c;
        bytes += size;
    }
    cut.append(static_cast<size_t>(12 - bytes), L' ');
    return std::to_wstring(index + 1) + (japanese ? L":解凍先 " : L":Extract ") + cut + L" " + folder;
}

void DefaultLaunchSlots(const std::wstring& programPath, std::array<std::wstring, 6>& ext,
                        std::array<std::wstring, 6>& exe) {
    const wchar_t* const archives = L".lzh;.zip;.cab;.7z;.rar;.gz;.iso;.bza;.gza;.gca;.arj;.yz1;";
    ext = {L".bmp;.jpg;.jpeg;.png;.ico;.gif;.tif;.tiff;.crw;.cr2;.nef;.orf;.dng;",
           L".bmp;.jpg;.jpeg;.png;.ico;.gif;.tif;.tiff;.emf;.wmf;",
           L".mp3;.mpg;.mpeg;.mp4;.mov;.wmv;.3gp;.avi;",
           archives,
           L".txt;.log;.ini;",
           archives};
    exe = {L"@ImageWicViewer", L"@ImageGdiViewer", L"@MovieMusicViwer", L"@ArchiveViwer", L"@TextViewer",
           L"\"" + programPath + L"\" hwnd=%h"};
}

}  // namespace quib
