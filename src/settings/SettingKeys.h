#pragma once
// Settings keys that several windows share besides the main window's model
// (app/MainSettings): each key with its section and default, written once, so
// the window that uses a value and the parameter dialog that edits it always
// agree on what an absent key means.
#include <string>

#include "util/IniFile.h"

namespace quib {

struct IniKey {
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* def;
};

namespace key {
// The main list's columns, read again whenever the widths are reset.
inline constexpr IniKey ExtentionLength12{L"ExtentionLength", L"12", L"0"};
inline constexpr IniKey DateShow{L"Date", L"Show", L"1"};
inline constexpr IniKey TimeShow{L"Time", L"Show", L"1"};
inline constexpr IniKey AttrShow{L"Attr", L"Show", L"1"};
inline constexpr IniKey UnicodeShow{L"Unicode", L"Show", L"0"};
// The theme: the program reads the name ([VclStyle] Text, app/MainSettings);
// the position is kept beside it for the dialog's list.
inline constexpr IniKey VclStyleIndex{L"VclStyle", L"Index", L"0"};
// The pickers: which one Enter opens on an empty path, and the browse window's order.
inline constexpr IniKey FolderSelectIndex{L"FolderSelect", L"Index", L"1"};
inline constexpr IniKey SortModeIndex{L"SortMode", L"Index", L"1"};
inline constexpr IniKey SortMethodIndex{L"SortMethod", L"Index", L"0"};
inline constexpr IniKey BrowseExplorerSort{L"BrowseExplorer", L"Sort", L"1"};
inline constexpr IniKey BrowseSJISSort{L"BrowseSJIS", L"Sort", L"0"};
inline constexpr IniKey BrowseUnicodeSort{L"BrowseUnicode", L"Sort", L"0"};
// The information panel's item colour.
inline constexpr IniKey InfoItemsColor{L"FInformationArchive", L"ItemsColor", L"clWhite"};
// The text viewer's colours and font.
inline constexpr IniKey EditorFontName{L"Editor", L"FontName", L"ＭＳ ゴシック"};
inline constexpr IniKey EditorFontSize{L"Editor", L"FontSize", L"14"};
inline constexpr IniKey EditorFontColor{L"Editor", L"FontColor", L"clBlack"};
inline constexpr IniKey EditorColor{L"Editor", L"Color", L"clWhite"};
inline constexpr IniKey EditorColorKigou{L"Editor", L"ColorKigou", L"clBlue"};
// The image viewer's parameters.
inline constexpr IniKey ExifFileName{L"Exif", L"FileName", L""};
inline constexpr IniKey ExifOption{L"Exif", L"Option", L""};
inline constexpr IniKey RotateAutoExcept{L"RotateAuto", L"Except", L""};
inline constexpr IniKey ImageWheelMoveText{L"ImageWheelMove", L"Text", L"24"};
inline constexpr IniKey ImageSideBarText{L"ImageSideBar", L"Text", L"100"};
inline constexpr IniKey ImageWheelCountText{L"ImageWheelCount", L"Text", L"2"};
inline constexpr IniKey ImagePreNextNum1Text{L"ImagePreNextNum1", L"Text", L"20"};
inline constexpr IniKey ImagePreNextNum2Text{L"ImagePreNextNum2", L"Text", L"10"};
inline constexpr IniKey ImageIntervalIndex{L"ImageInterval", L"Index", L"4"};
// The sibling text viewer's colours and font in the filer's "quibFM.ini"
// (six hexadecimal digits, blue-green-red, without "$").
inline constexpr IniKey QuibViewFontName{L"quibView", L"quibViewFontName", L"ＭＳ ゴシック"};
inline constexpr IniKey QuibViewFontHeight{L"quibView", L"quibViewFontHeight", L"14"};
inline constexpr IniKey QuibViewColorText{L"quibView", L"quibViewColorText", L"FFFFFF"};
inline constexpr IniKey QuibViewColorBack{L"quibView", L"quibViewColorBack", L"400000"};
inline constexpr IniKey QuibViewColorRetMark{L"quibView", L"quibViewColorRetMark", L"808080"};
// The pickers of the launch slots' program fields, one per page.
inline constexpr IniKey FileSelectIndex[3] = {
    {L"FileSelect1", L"Index", L"1"}, {L"FileSelect2", L"Index", L"1"}, {L"FileSelect3", L"Index", L"1"}};
// The archive settings: DLL choices, self-extracting probe kinds, the DLL folder.
inline constexpr IniKey UnzipDllIndex{L"UnzipDll", L"Index", L"0"};
inline constexpr IniKey DeleteZipDllIndex{L"DeleteZipDll", L"Index", L"0"};
inline constexpr IniKey SelectDllFolderIndex{L"SelectDllFolder", L"Index", L"0"};
inline constexpr IniKey AutoCheckSfx[7] = {{L"AutoCheckSfx", L"lha", L"0"}, {L"AutoCheckSfx", L"zip", L"0"},
                                           {L"AutoCheckSfx", L"7z", L"0"},  {L"AutoCheckSfx", L"cab", L"0"},
                                           {L"AutoCheckSfx", L"rar", L"0"}, {L"AutoCheckSfx", L"gz", L"0"},
                                           {L"AutoCheckSfx", L"iso", L"0"}};
// Extraction and deletion switches.
inline constexpr IniKey ExtractWithPath{L"FormExtract", L"WithPath", L"1"};
inline constexpr IniKey ExtractMakeFolder{L"FormExtract", L"MakeFolder", L"0"};
inline constexpr IniKey ExtractDouleDisabled{L"FormExtract", L"DouleDisabled", L"0"};
inline constexpr IniKey ExtractMoveExtractFolder{L"FormExtract", L"MoveExtractFolder", L"0"};
inline constexpr IniKey ExtractCopyPathToClip{L"FormExtract", L"CopyPathToClip", L"1"};
inline constexpr IniKey ExtractErrorDisabled{L"ExtractError", L"Disabled", L"0"};
inline constexpr IniKey ArchiveTimeStampKeep{L"ArchiveTimeStamp", L"Keep", L"1"};
inline constexpr IniKey ArchiveAttributeKeep{L"ArchiveAttribute", L"Keep", L"1"};
// The kind the DLL selection dialog chose for a self-extracting file (2: 7z).
inline constexpr IniKey SfxSelectDllIndex{L"SfxSelectDll", L"Index", L"2"};
// The pop-up window's named destinations: keys "0" to "4", empty by default.
inline constexpr const wchar_t* ExtractNameSection = L"ExtractName";
inline constexpr const wchar_t* ExtractFolderSection = L"ExtractFolder";
}  // namespace key

std::wstring ReadKey(const IniFile& ini, const IniKey& k);
int ReadKeyInt(const IniFile& ini, const IniKey& k);
bool ReadKeyBool(const IniFile& ini, const IniKey& k);
void WriteKey(const IniFile& ini, const IniKey& k, const std::wstring& value);
void WriteKeyInt(const IniFile& ini, const IniKey& k, int value);
void WriteKeyBool(const IniFile& ini, const IniKey& k, bool value);

}  // namespace quib
