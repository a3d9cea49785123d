#include "app/MainSettings.h"

#include <cwchar>
#include <optional>

#include "util/ColorText.h"
#include "util/MyUtility.h"

namespace quib {
namespace {

using MS = MainSettings;

// How a key's text becomes a value. The member's type follows from the kind
// (checked below).
enum class Kind {
    Bool,         // "1" / "0"; any non-zero integer reads as set
    Int,
    Text,
    ProgramFile,  // a text whose default is the program folder followed by the default
    Color,        // a colour text (the filer's six-digit form in the filer's file)
    ExtList,      // ".txt;.log;": a bad list is reported
    ExpandExt,    // ExpandFileNN Ext: an empty text is an empty list and no fault
    ExpandExe,    // ExpandFileNN Exe
    Mode,         // one of the five Enabled keys of the listing mode
    StyleName,    // [VclStyle] Text, by exact name
};

enum class File { Own, Filer };

// When a key is written besides a settings dialog storing its part.
enum class Written {
    Never,
    AtStart,  // at once, as the Start part is read
    AtEnd,    // when the main window goes (WriteMainSettings)
};

struct Row {
    Kind kind;
    MainSettingField field;
    MainSettingsPart part;
    Written written;
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* def;
    File file = File::Own;
    int which = 0;  // ExpandFile number - 1; the listing mode of a mode key
};

constexpr auto Start = MainSettingsPart::Start;
constexpr auto Display = MainSettingsPart::Display;
constexpr auto Never = Written::Never;
constexpr auto AtStart = Written::AtStart;
constexpr auto AtEnd = Written::AtEnd;

#define QUIB_EXPAND_FILE(INDEX, SECTION)                                                                \
    {Kind::ExpandExt, &MS::StrListFileExt, Display, Never, SECTION, L"Ext", L"", File::Own, INDEX},   \
    {                                                                                                  \
        Kind::ExpandExe, &MS::StrFileExe, Display, Never, SECTION, L"Exe", L"", File::Own, INDEX      \
    }

// Every setting of the main window. The order is the order of reading and
// writing: the written keys keep their places in a new settings file, and
// the messages about bad extension lists come in this order.
constexpr Row kRows[] = {
    {Kind::Bool, &MS::BoolDeveloper, Start, AtStart, L"Developer", L"Enabled", L"0"},
    {Kind::Color, &MS::ColorCarbon, Start, AtStart, L"FListView", L"ColorCarbon", L"$191919"},
    {Kind::Color, &MS::ColorCharcoal, Start, AtStart, L"FListView", L"ColorCharcoal", L"$232323"},
    {Kind::Color, &MS::ColorDark, Start, AtStart, L"FListView", L"ColorDark", L"$000000"},
    {Kind::StyleName, &MS::IntVclStyle, Start, Never, L"VclStyle", L"Text", L"Windows"},
    {Kind::Bool, &MS::BoolAutoPopup, Start, AtEnd, L"PouUp", L"Enabled", L"0"},
    {Kind::Bool, &MS::BoolListText, Start, AtEnd, L"ListText", L"Enabled", L"0"},
    {Kind::Bool, &MS::BoolListFiler, Start, AtEnd, L"ListFiler", L"Enabled", L"1"},
    {Kind::Mode, &MS::ModeSelectMenu, Start, AtEnd, L"ArchiveNormal", L"Enabled", L"1", File::Own, 1},
    {Kind::Mode, &MS::ModeSelectMenu, Start, AtEnd, L"ArchiveSimple", L"Enabled", L"0", File::Own, 2},
    {Kind::Mode, &MS::ModeSelectMenu, Start, AtEnd, L"ArchiveTest", L"Enabled", L"0", File::Own, 3},
    {Kind::Mode, &MS::ModeSelectMenu, Start, AtEnd, L"ArchiveSfx", L"Enabled", L"0", File::Own, 4},
    {Kind::Mode, &MS::ModeSelectMenu, Start, AtEnd, L"ArchiveSusie", L"Enabled", L"0", File::Own, 5},
    {Kind::Bool, &MS::BoolSameAsQuibFM, Start, AtEnd, L"MainColor", L"SameAsQuibFM", L"1"},
    {Kind::Bool, &MS::BoolCloseESCkey, Start, AtEnd, L"FormMain", L"CloseESCkey", L"1"},
    {Kind::Text, &MS::StrSystemFontJpnName, Start, AtStart, L"SystemFontJpn", L"Name", L"ＭＳ ゴシック"},
    {Kind::Int, &MS::IntSystemFontJpnSize, Start, AtStart, L"SystemFontJpn", L"Size", L"14"},
    {Kind::Text, &MS::StrSystemFontEngName, Start, AtStart, L"SystemFontEng", L"Name", L"Courier New"},
    {Kind::Int, &MS::IntSystemFontEngSize, Start, AtStart, L"SystemFontEng", L"Size", L"12"},

    {Kind::Color, &MS::ColorFSystem, Display, Never, L"FSystem", L"Color", L"$FF00FF"},
    {Kind::Color, &MS::ColorFHidden, Display, Never, L"FHidden", L"Color", L"$FF0000"},
    {Kind::Color, &MS::ColorFReadOnly, Display, Never, L"FReadOnly", L"Color", L"$00FF00"},
    {Kind::Color, &MS::ColorFDirectory, Display, Never, L"FDirectory", L"Color", L"$FFFF00"},
    {Kind::Color, &MS::ColorFNormalFile, Display, Never, L"FNormalFile", L"Color", L"$00FFFF"},
    {Kind::Color, &MS::ColorFExecuteFile, Display, Never, L"FExecuteFile", L"Color", L"$FFFFFF"},
    {Kind::Color, &MS::ColorFArchiveFile, Display, Never, L"FArchiveFile", L"Color", L"$0000FF"},
    {Kind::Color, &MS::ColorFImageFile, Display, Never, L"FImageFile", L"Color", L"$008000"},
    {Kind::Color, &MS::ColorListView, Display, Never, L"FListView", L"Color", L"$000000"},
    {Kind::Color, &MS::ColorListViewFont, Display, Never, L"FListView", L"FontColor", L"$FFFFFF"},
    {Kind::Text, &MS::StrListViewFontName, Display, Never, L"FListView", L"FontName", L"ＭＳ ゴシック"},
    {Kind::Int, &MS::IntListViewFontSize, Display, Never, L"FListView", L"FontSize", L"14"},
    {Kind::Color, &MS::ColorInfo, Display, Never, L"FInformationArchive", L"Color", L"$008080"},
    {Kind::Color, &MS::ColorInfoFont, Display, Never, L"FInformationArchive", L"FontColor", L"$FFFFFF"},
    {Kind::Text, &MS::StrInfoFontName, Display, Never, L"FInformationArchive", L"FontName", L"ＭＳ ゴシック"},
    {Kind::Int, &MS::IntInfoFontSize, Display, Never, L"FInformationArchive", L"FontSize", L"14"},
    {Kind::Bool, &MS::BoolListViewTitleShow, Display, Never, L"ListViewTitle", L"Show", L"1"},
    {Kind::Bool, &MS::BoolFileSize1024, Display, Never, L"FileSize", L"1024", L"0"},
    {Kind::Bool, &MS::BoolFileSizeFull, Display, Never, L"FileSizeLength", L"Full", L"0"},
    {Kind::Bool, &MS::BoolSizeAlignmentRight, Display, Never, L"SizeAlignment", L"Right", L"1"},
    {Kind::Bool, &MS::BoolHiddenFileShow, Display, Never, L"HiddenFile", L"Show", L"1"},
    {Kind::Bool, &MS::BoolSystemFileShow, Display, Never, L"SystemFile", L"Show", L"1"},
    {Kind::Bool, &MS::BoolFilerSortExplorer, Display, Never, L"FilerSort", L"Explorer", L"1"},
    {Kind::ProgramFile, &MS::StrSpiTextFileName, Display, AtEnd, L"Spi", L"FileName", L"\\quibFM-spi.txt"},
    {Kind::ProgramFile, &MS::StrSpmTextFileName, Display, AtEnd, L"Spm", L"FileName", L"\\quibFM-spm.txt"},
    {Kind::ProgramFile, &MS::StrQuibFMsusieFileName, Display, AtEnd, L"quibFMsusie", L"FileName", L"\\quibFMsusie.exe"},
    {Kind::ProgramFile, &MS::StrQuibFMimageFileName, Display, AtEnd, L"quibFMimage", L"FileName", L"\\quibFMimage.exe"},
    {Kind::ExtList, &MS::StrListTxtExt, Display, Never, L"Txt", L"Ext", L".txt;.log;.ini;"},
    {Kind::ExtList, &MS::StrListGdiExt, Display, Never, L"Gdi", L"Ext",
     L".bmp;.jpg;.jpeg;.png;.ico;.gif;.tif;.tiff;.emf;.wmf;"},
    {Kind::ExtList, &MS::StrListWicExt, Display, Never, L"Wic", L"Ext",
     L".bmp;.jpg;.jpeg;.png;.ico;.gif;.tif;.tiff;.crw;.cr2;.nef;.orf;.dng;"},
    {Kind::ExtList, &MS::StrListArcExt, Display, Never, L"Arc", L"Ext",
     L".lzh;.zip;.cab;.7z;.rar;.gz;.iso;.bza;.gza;.gca;.arj;.yz1;"},
    {Kind::ExtList, &MS::StrListExeExt, Display, Never, L"Exe", L"Ext", L".exe;.com;.bat;"},
    {Kind::ExtList, &MS::StrListSfxExt, Display, Never, L"Sfx", L"Ext", L".exe;"},
    {Kind::ExtList, &MS::StrListOthersExt, Display, Never, L"Others", L"Ext", L".xxx;"},
    {Kind::ExtList, &MS::StrListWmpExt, Display, Never, L"Wmp", L"Ext", L".mp3;.mpg;.mpeg;.mp4;.mov;.wmv;.3gp;.avi;"},
    {Kind::Bool, &MS::BoolQuibFMextNotUse, Display, Never, L"QuibFMextNotUse", L"Enabled", L"1"},
    QUIB_EXPAND_FILE(0, L"ExpandFile01"),
    QUIB_EXPAND_FILE(1, L"ExpandFile02"),
    QUIB_EXPAND_FILE(2, L"ExpandFile03"),
    QUIB_EXPAND_FILE(3, L"ExpandFile04"),
    QUIB_EXPAND_FILE(4, L"ExpandFile05"),
    QUIB_EXPAND_FILE(5, L"ExpandFile06"),
    QUIB_EXPAND_FILE(6, L"ExpandFile07"),
    QUIB_EXPAND_FILE(7, L"ExpandFile08"),
    QUIB_EXPAND_FILE(8, L"ExpandFile09"),
    QUIB_EXPAND_FILE(9, L"ExpandFile10"),
    QUIB_EXPAND_FILE(10, L"ExpandFile11"),
    QUIB_EXPAND_FILE(11, L"ExpandFile12"),
    QUIB_EXPAND_FILE(12, L"ExpandFile13"),
    QUIB_EXPAND_FILE(13, L"ExpandFile14"),
    QUIB_EXPAND_FILE(14, L"ExpandFile15"),
    QUIB_EXPAND_FILE(15, L"ExpandFile16"),
    QUIB_EXPAND_FILE(16, L"ExpandFile17"),
    QUIB_EXPAND_FILE(17, L"ExpandFile18"),

    // The filer's own settings file, read so that this window can look like it.
    {Kind::Color, &MS::FilerColorSystem, Display, Never, L"FileList", L"FileListColorSystem", L"FF00FF", File::Filer},
    {Kind::Color, &MS::FilerColorHidden, Display, Never, L"FileList", L"FileListColorHidden", L"FF0000", File::Filer},
    {Kind::Color, &MS::FilerColorRonly, Display, Never, L"FileList", L"FileListColorRonly", L"00FF00", File::Filer},
    {Kind::Color, &MS::FilerColorDir, Display, Never, L"FileList", L"FileListColorDir", L"FFFF00", File::Filer},
    {Kind::Color, &MS::FilerColorNormal, Display, Never, L"FileList", L"FileListColorNormal", L"00FFFF", File::Filer},
    {Kind::Color, &MS::FilerColorBack, Display, Never, L"System", L"SysytemColorBack", L"400000", File::Filer},
    {Kind::Color, &MS::FilerColorInfoData, Display, Never, L"System", L"SysytemColorInfoData", L"FFFFFF", File::Filer},
    {Kind::Text, &MS::StrFilerFontName, Display, Never, L"System", L"SystemFontName", L"ＭＳ ゴシック", File::Filer},
    {Kind::Int, &MS::IntFilerFontSize, Display, Never, L"System", L"SystemFontHeight", L"14", File::Filer},
    {Kind::Color, &MS::FilerColorInfoItem, Display, Never, L"System", L"SysytemColorInfoItem", L"808080", File::Filer},
};

#undef QUIB_EXPAND_FILE

// The member type each kind reads into, by its place in MainSettingField.
constexpr size_t FieldIndexOf(Kind kind) {
    switch (kind) {
        case Kind::Bool: return 0;
        case Kind::Int:
        case Kind::StyleName: return 1;
        case Kind::Text:
        case Kind::ProgramFile: return 2;
        case Kind::Color: return 3;
        case Kind::ExtList: return 4;
        case Kind::ExpandExt: return 5;
        case Kind::ExpandExe: return 6;
        case Kind::Mode: return 7;
    }
    return 99;
}

constexpr bool RowsAreSound() {
    for (const Row& r : kRows) {
        if (r.field.index() != FieldIndexOf(r.kind)) return false;
        // The filer's file belongs to the filer; only the Start part writes back.
        if (r.file == File::Filer && r.written != Never) return false;
        if (r.written == AtStart && r.part != Start) return false;
        if ((r.kind == Kind::ExpandExt || r.kind == Kind::ExpandExe) && (r.which < 0 || r.which >= 18)) return false;
        if (r.kind == Kind::Mode && (r.which < 1 || r.which > 5)) return false;
    }
    return true;
}
static_assert(RowsAreSound(), "a row of the main window's settings does not fit its kind");

const wchar_t* const kVclStyleNames[4] = {L"Windows", L"Carbon", L"Charcoal Dark Slate", L"Windows10 Dark"};

template <class T>
T MainSettings::*Member(const Row& r) {
    return std::get<T MainSettings::*>(r.field);
}

COLORREF ColorOf(const Row& r, const std::wstring& text) {
    if (r.file == File::Filer) return FilerColorTextToColor(text, FilerColorTextToColor(r.def, 0));
    return ColorTextToColor(text, ColorTextToColor(r.def, 0));
}

std::wstring ExtListText(const StringList& list) {
    std::wstring text;
    for (const std::wstring& ext : list) text += ext + L";";
    return text;
}

struct Sources {
    const IniFile& own;
    IniFile filer;
    const std::wstring& programFolder;
    HWND owner;

    Sources(const IniFile& ini, const std::wstring& folder, HWND messageOwner)
        : own(ini), filer(folder + L"\\quibFM.ini"), programFolder(folder), owner(messageOwner) {}
    const IniFile& Of(const Row& r) const { return r.file == File::Filer ? filer : own; }
};

// Reads one row; returns the text it found for the kinds that keep it.
std::wstring ReadRow(const Row& r, const Sources& from, MainSettings& s) {
    const IniFile& ini = from.Of(r);
    switch (r.kind) {
        case Kind::Bool: s.*Member<bool>(r) = ini.ReadBool(r.section, r.key, r.def[0] == L'1'); break;
        case Kind::Int:
            s.*Member<int>(r) = ini.ReadInteger(r.section, r.key, static_cast<int>(std::wcstol(r.def, nullptr, 10)));
            break;
        case Kind::Text: s.*Member<std::wstring>(r) = ini.ReadString(r.section, r.key, r.def); break;
        case Kind::ProgramFile:
            s.*Member<std::wstring>(r) = ini.ReadString(r.section, r.key, from.programFolder + r.def);
            break;
        case Kind::Color: {
            std::wstring text = ini.ReadString(r.section, r.key, r.def);
            s.*Member<COLORREF>(r) = ColorOf(r, text);
            return text;
        }
        case Kind::ExtList:
            ExtStrToList(ini.ReadString(r.section, r.key, r.def), s.*Member<StringList>(r), L"", from.owner);
            break;
        case Kind::ExpandExt: {
            StringList& list = (s.*Member<std::array<StringList, 18>>(r))[static_cast<size_t>(r.which)];
            const std::wstring text = ini.ReadString(r.section, r.key, r.def);
            if (text.empty()) {
                list.clear();
            } else {
                ExtStrToList(text, list, L"", from.owner);
            }
            break;
        }
        case Kind::ExpandExe:
            (s.*Member<std::array<std::wstring, 18>>(r))[static_cast<size_t>(r.which)] =
                ini.ReadString(r.section, r.key, r.def);
            break;
        case Kind::Mode: break;  // the mode keys are read together (ReadRows)
        case Kind::StyleName: {
            const std::wstring text = ini.ReadString(r.section, r.key, r.def);
            int style = 0;
            for (int i = 1; i < 4; ++i)
                if (text == kVclStyleNames[i]) style = i;
            s.*Member<int>(r) = style;
            break;
        }
    }
    return {};
}

void WriteRow(const Row& r, const IniFile& ini, const MainSettings& s) {
    switch (r.kind) {
        case Kind::Bool: ini.WriteBool(r.section, r.key, s.*Member<bool>(r)); break;
        case Kind::Int: ini.WriteInteger(r.section, r.key, s.*Member<int>(r)); break;
        case Kind::Text:
        case Kind::ProgramFile: ini.WriteString(r.section, r.key, s.*Member<std::wstring>(r)); break;
        case Kind::Color: ini.WriteString(r.section, r.key, ColorToSettingText(s.*Member<COLORREF>(r))); break;
        case Kind::ExtList: ini.WriteString(r.section, r.key, ExtListText(s.*Member<StringList>(r))); break;
        case Kind::ExpandExt:
            ini.WriteString(r.section, r.key,
                            ExtListText((s.*Member<std::array<StringList, 18>>(r))[static_cast<size_t>(r.which)]));
            break;
        case Kind::ExpandExe:
            ini.WriteString(r.section, r.key,
                            (s.*Member<std::array<std::wstring, 18>>(r))[static_cast<size_t>(r.which)]);
            break;
        case Kind::Mode: ini.WriteBool(r.section, r.key, static_cast<int>(s.ModeSelectMenu) == r.which); break;
        case Kind::StyleName: {
            const int style = s.*Member<int>(r);
            ini.WriteString(r.section, r.key, VclStyleName(style));
            break;
        }
    }
}

template <class Take>
void ReadRows(const Sources& from, MainSettings& s, bool writeBack, Take take) {
    bool modeRead = false;
    std::optional<ListingMode> mode;
    for (const Row& r : kRows) {
        if (!take(r)) continue;
        if (r.kind == Kind::Mode) {
            // One mode at a time: the last one set wins.
            modeRead = true;
            if (from.Of(r).ReadBool(r.section, r.key, r.def[0] == L'1')) mode = static_cast<ListingMode>(r.which);
            continue;
        }
        const std::wstring text = ReadRow(r, from, s);
        if (writeBack && r.written == AtStart) {
            // A colour goes back as the user wrote it, not as the program would.
            if (r.kind == Kind::Color) {
                from.own.WriteString(r.section, r.key, text);
            } else {
                WriteRow(r, from.own, s);
            }
        }
    }
    if (modeRead) s.ModeSelectMenu = mode.value_or(ListingMode::Normal);
}

}  // namespace

const wchar_t* VclStyleName(int style) { return kVclStyleNames[style >= 0 && style < 4 ? style : 0]; }

void ReadMainSettings(const IniFile& ini, const std::wstring& programFolder, MainSettingsPart part, MainSettings& s,
                      HWND owner) {
    ReadRows(Sources(ini, programFolder, owner), s, true, [part](const Row& r) { return r.part == part; });
}

void ReadMainSetting(const IniFile& ini, const std::wstring& programFolder, MainSettingField field, MainSettings& s,
                     HWND owner) {
    ReadRows(Sources(ini, programFolder, owner), s, false, [&field](const Row& r) { return r.field == field; });
}

void WriteMainSettings(const IniFile& ini, const MainSettings& s) {
    for (const Row& r : kRows)
        if (r.written == AtEnd) WriteRow(r, ini, s);
}

void WriteMainSettingsPart(const IniFile& ini, const MainSettings& s, MainSettingsPart part) {
    for (const Row& r : kRows)
        if (r.part == part && r.file == File::Own) WriteRow(r, ini, s);
}

}  // namespace quib
