#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "app/MainSettings.h"
#include "util/Message.h"

using namespace quib;

namespace {

using MS = MainSettings;

enum class In { Own, Filer };

// Every key of the main window's settings with its default, written down
// here from what the program has always read, apart from the program's table.
template <class T>
struct Key {
    T MS::*field;
    const wchar_t* section;
    const wchar_t* key;
    T def;
    In file = In::Own;
};

const Key<bool> kBools[] = {
    {&MS::BoolDeveloper, L"Developer", L"Enabled", false},
    {&MS::BoolAutoPopup, L"PouUp", L"Enabled", false},
    {&MS::BoolListText, L"ListText", L"Enabled", false},
    {&MS::BoolListFiler, L"ListFiler", L"Enabled", true},
    {&MS::BoolSameAsQuibFM, L"MainColor", L"SameAsQuibFM", true},
    {&MS::BoolCloseESCkey, L"FormMain", L"CloseESCkey", true},
    {&MS::BoolListViewTitleShow, L"ListViewTitle", L"Show", true},
    {&MS::BoolFileSize1024, L"FileSize", L"1024", false},
    {&MS::BoolFileSizeFull, L"FileSizeLength", L"Full", false},
    {&MS::BoolSizeAlignmentRight, L"SizeAlignment", L"Right", true},
    {&MS::BoolHiddenFileShow, L"HiddenFile", L"Show", true},
    {&MS::BoolSystemFileShow, L"SystemFile", L"Show", true},
    {&MS::BoolFilerSortExplorer, L"FilerSort", L"Explorer", true},
    {&MS::BoolQuibFMextNotUse, L"QuibFMextNotUse", L"Enabled", true},
};

const Key<int> kInts[] = {
    {&MS::IntSystemFontJpnSize, L"SystemFontJpn", L"Size", 14},
    {&MS::IntSystemFontEngSize, L"SystemFontEng", L"Size", 12},
    {&MS::IntListViewFontSize, L"FListView", L"FontSize", 14},
    {&MS::IntInfoFontSize, L"FInformationArchive", L"FontSize", 14},
    {&MS::IntFilerFontSize, L"System", L"SystemFontHeight", 14, In::Filer},
};

const Key<std::wstring> kTexts[] = {
    {&MS::StrSystemFontJpnName, L"SystemFontJpn", L"Name", L"ＭＳ ゴシック"},
    {&MS::StrSystemFontEngName, L"SystemFontEng", L"Name", L"Courier New"},
    {&MS::StrListViewFontName, L"FListView", L"FontName", L"ＭＳ ゴシック"},
    {&MS::StrInfoFontName, L"FInformationArchive", L"FontName", L"ＭＳ ゴシック"},
    {&MS::StrFilerFontName, L"System", L"SystemFontName", L"ＭＳ ゴシック", In::Filer},
};

const Key<COLORREF> kColors[] = {
    {&MS::ColorCarbon, L"FListView", L"ColorCarbon", 0x191919},
    {&MS::ColorCharcoal, L"FListView", L"ColorCharcoal", 0x232323},
    {&MS::ColorDark, L"FListView", L"ColorDark", 0x000000},
    {&MS::ColorFSystem, L"FSystem", L"Color", 0xFF00FF},
    {&MS::ColorFHidden, L"FHidden", L"Color", 0xFF0000},
    {&MS::ColorFReadOnly, L"FReadOnly", L"Color", 0x00FF00},
    {&MS::ColorFDirectory, L"FDirectory", L"Color", 0xFFFF00},
    {&MS::ColorFNormalFile, L"FNormalFile", L"Color", 0x00FFFF},
    {&MS::ColorFExecuteFile, L"FExecuteFile", L"Color", 0xFFFFFF},
    {&MS::ColorFArchiveFile, L"FArchiveFile", L"Color", 0x0000FF},
    {&MS::ColorFImageFile, L"FImageFile", L"Color", 0x008000},
    {&MS::ColorListView, L"FListView", L"Color", 0x000000},
    {&MS::ColorListViewFont, L"FListView", L"FontColor", 0xFFFFFF},
    {&MS::ColorInfo, L"FInformationArchive", L"Color", 0x008080},
    {&MS::ColorInfoFont, L"FInformationArchive", L"FontColor", 0xFFFFFF},
    {&MS::FilerColorSystem, L"FileList", L"FileListColorSystem", 0xFF00FF, In::Filer},
    {&MS::FilerColorHidden, L"FileList", L"FileListColorHidden", 0xFF0000, In::Filer},
    {&MS::FilerColorRonly, L"FileList", L"FileListColorRonly", 0x00FF00, In::Filer},
    {&MS::FilerColorDir, L"FileList", L"FileListColorDir", 0xFFFF00, In::Filer},
    {&MS::FilerColorNormal, L"FileList", L"FileListColorNormal", 0x00FFFF, In::Filer},
    {&MS::FilerColorBack, L"System", L"SysytemColorBack", 0x400000, In::Filer},
    {&MS::FilerColorInfoData, L"System", L"SysytemColorInfoData", 0xFFFFFF, In::Filer},
    {&MS::FilerColorInfoItem, L"System", L"SysytemColorInfoItem", 0x808080, In::Filer},
};

const Key<StringList> kExtLists[] = {
    {&MS::StrListTxtExt, L"Txt", L"Ext", {L".txt", L".log", L".ini"}},
    {&MS::StrListGdiExt, L"Gdi", L"Ext",
     {L".bmp", L".jpg", L".jpeg", L".png", L".ico", L".gif", L".tif", L".tiff", L".emf", L".wmf"}},
    {&MS::StrListWicExt, L"Wic", L"Ext",
     {L".bmp", L".jpg", L".jpeg", L".png", L".ico", L".gif", L".tif", L".tiff", L".crw", L".cr2", L".nef", L".orf",
      L".dng"}},
    {&MS::StrListArcExt, L"Arc", L"Ext",
     {L".lzh", L".zip", L".cab", L".7z", L".rar", L".gz", L".iso", L".bza", L".gza", L".gca", L".arj", L".yz1"}},
    {&MS::StrListExeExt, L"Exe", L"Ext", {L".exe", L".com", L".bat"}},
    {&MS::StrListSfxExt, L"Sfx", L"Ext", {L".exe"}},
    {&MS::StrListOthersExt, L"Others", L"Ext", {L".xxx"}},
    {&MS::StrListWmpExt, L"Wmp", L"Ext", {L".mp3", L".mpg", L".mpeg", L".mp4", L".mov", L".wmv", L".3gp", L".avi"}},
};

// Files whose default is the program folder followed by a name.
const Key<std::wstring> kProgramFiles[] = {
    {&MS::StrSpiTextFileName, L"Spi", L"FileName", L"\\quibFM-spi.txt"},
    {&MS::StrSpmTextFileName, L"Spm", L"FileName", L"\\quibFM-spm.txt"},
    {&MS::StrQuibFMsusieFileName, L"quibFMsusie", L"FileName", L"\\quibFMsusie.exe"},
    {&MS::StrQuibFMimageFileName, L"quibFMimage", L"FileName", L"\\quibFMimage.exe"},
};

const wchar_t* const kModeSections[5] = {L"ArchiveNormal", L"ArchiveSimple", L"ArchiveTest", L"ArchiveSfx",
                                         L"ArchiveSusie"};

std::wstring ExpandSection(int n) {
    wchar_t s[16];
    swprintf(s, 16, L"ExpandFile%02d", n);
    return s;
}

// A value unlike the default and unlike every other key's, so a key read
// into the wrong field shows.
bool Other(const Key<bool>& k, int) { return !k.def; }
int Other(const Key<int>&, int i) { return 20 + i; }
std::wstring Other(const Key<std::wstring>&, int i) { return L"ＭＳ 明朝 " + std::to_wstring(i); }
COLORREF Other(const Key<COLORREF>&, int i) { return 0x102030 + static_cast<COLORREF>(i); }
StringList Other(const Key<StringList>&, int i) { return {L".e" + std::to_wstring(i), L".漢" + std::to_wstring(i)}; }
std::wstring OtherProgramFile(int i) { return L"D:\\プラグイン\\file" + std::to_wstring(i) + L".txt"; }

// The value as the settings file stores it.
std::wstring Stored(const Key<bool>&, bool v) { return v ? L"1" : L"0"; }
std::wstring Stored(const Key<int>&, int v) { return std::to_wstring(v); }
std::wstring Stored(const Key<std::wstring>&, const std::wstring& v) { return v; }
std::wstring Stored(const Key<COLORREF>& k, COLORREF v) {
    wchar_t s[16];
    if (k.file == In::Filer) {
        swprintf(s, 16, L"%06lX", static_cast<unsigned long>(v));
    } else {
        swprintf(s, 16, L"$%08lX", static_cast<unsigned long>(v));
    }
    return s;
}
std::wstring Stored(const Key<StringList>&, const StringList& v) {
    std::wstring t;
    for (const auto& e : v) t += e + L";";
    return t;
}

template <class F>
void ForEachKey(F&& f) {
    int i = 0;
    for (const auto& k : kBools) f(k, i++);
    for (const auto& k : kInts) f(k, i++);
    for (const auto& k : kTexts) f(k, i++);
    for (const auto& k : kColors) f(k, i++);
    for (const auto& k : kExtLists) f(k, i++);
}

std::string Name(const wchar_t* section, const wchar_t* key) {
    std::string s;
    for (const wchar_t* p : {section, L"/", key})
        for (; *p; ++p) s.push_back(*p < 128 ? static_cast<char>(*p) : '?');
    return s;
}

// Every field set unlike what a fresh file gives, so a field that a read
// leaves alone shows.
MS Scrambled() {
    MS s;
    ForEachKey([&](const auto& k, int i) { s.*k.field = Other(k, i); });
    for (const auto& k : kProgramFiles) s.*k.field = L"scrambled";
    for (auto& l : s.StrListFileExt) l = {L".zz"};
    for (auto& e : s.StrFileExe) e = L"zz.exe";
    s.ModeSelectMenu = ListingMode::Susie;
    s.IntVclStyle = 3;
    return s;
}

// "Section/Key=Value" of a settings file, in file order.
std::vector<std::wstring> FileLines(const std::wstring& path) {
    std::vector<std::wstring> out;
    std::vector<wchar_t> names(65536), entries(65536);
    GetPrivateProfileSectionNamesW(names.data(), static_cast<DWORD>(names.size()), path.c_str());
    for (const wchar_t* n = names.data(); *n; n += wcslen(n) + 1) {
        GetPrivateProfileSectionW(n, entries.data(), static_cast<DWORD>(entries.size()), path.c_str());
        for (const wchar_t* e = entries.data(); *e; e += wcslen(e) + 1) out.push_back(std::wstring(n) + L"/" + e);
    }
    return out;
}

class MainSettingsTest : public ::testing::Test {
protected:
    quibtest::TempDir dir_;
    std::wstring folder_ = dir_.Path();
    std::wstring path_ = dir_ / L"quibFMarchive.ini";
    std::wstring filerPath_ = dir_ / L"quibFM.ini";
    IniFile ini_{path_};
    IniFile filer_{filerPath_};
    quibtest::MsgCapture messages_;

    void SetUp() override { ASSERT_TRUE(IniFile::CreateEmptyUnicode(path_)); }
    const IniFile& FileOf(In file) const { return file == In::Filer ? filer_ : ini_; }
    void ReadAll(MS& s) {
        ReadMainSettings(ini_, folder_, MainSettingsPart::Start, s);
        ReadMainSettings(ini_, folder_, MainSettingsPart::Display, s);
    }
};

}  // namespace

TEST_F(MainSettingsTest, FreshFileGivesEveryDefault) {
    MS s = Scrambled();
    ReadAll(s);
    ForEachKey([&](const auto& k, int) { EXPECT_EQ(s.*k.field, k.def) << Name(k.section, k.key); });
    for (const auto& k : kProgramFiles) EXPECT_EQ(s.*k.field, folder_ + k.def) << Name(k.section, k.key);
    for (size_t i = 0; i < 18; ++i) {
        EXPECT_TRUE(s.StrListFileExt[i].empty()) << i;
        EXPECT_EQ(s.StrFileExe[i], L"") << i;
    }
    EXPECT_EQ(s.ModeSelectMenu, ListingMode::Normal);
    EXPECT_EQ(s.IntVclStyle, 0);
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(MainSettingsTest, EveryKeyIsReadFromItsOwnPlace) {
    ASSERT_TRUE(IniFile::CreateEmptyUnicode(filerPath_));
    ForEachKey([&](const auto& k, int i) { FileOf(k.file).WriteString(k.section, k.key, Stored(k, Other(k, i))); });
    for (size_t i = 0; i < 4; ++i)
        ini_.WriteString(kProgramFiles[i].section, kProgramFiles[i].key, OtherProgramFile(static_cast<int>(i)));
    for (int n = 1; n <= 18; ++n) {
        ini_.WriteString(ExpandSection(n), L"Ext", L".x" + std::to_wstring(n) + L";");
        ini_.WriteString(ExpandSection(n), L"Exe", L"tool" + std::to_wstring(n) + L".exe");
    }
    ini_.WriteString(L"ArchiveNormal", L"Enabled", L"0");
    ini_.WriteString(L"ArchiveTest", L"Enabled", L"1");
    ini_.WriteString(L"VclStyle", L"Text", L"Charcoal Dark Slate");

    MS s;
    ReadAll(s);
    ForEachKey([&](const auto& k, int i) { EXPECT_EQ(s.*k.field, Other(k, i)) << Name(k.section, k.key); });
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(s.*kProgramFiles[i].field, OtherProgramFile(static_cast<int>(i)));
    for (size_t i = 0; i < 18; ++i) {
        EXPECT_EQ(s.StrListFileExt[i], StringList{L".x" + std::to_wstring(i + 1)}) << i;
        EXPECT_EQ(s.StrFileExe[i], L"tool" + std::to_wstring(i + 1) + L".exe") << i;
    }
    EXPECT_EQ(s.ModeSelectMenu, ListingMode::Test);
    EXPECT_EQ(s.IntVclStyle, 2);
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(MainSettingsTest, EachPartReadsOnlyItsOwnKeys) {
    ASSERT_TRUE(IniFile::CreateEmptyUnicode(filerPath_));
    ForEachKey([&](const auto& k, int i) { FileOf(k.file).WriteString(k.section, k.key, Stored(k, Other(k, i))); });
    MS start;
    ReadMainSettings(ini_, folder_, MainSettingsPart::Start, start);
    MS display;
    ReadMainSettings(ini_, folder_, MainSettingsPart::Display, display);
    // The start settings: the style colours, the system fonts and the menu choices.
    EXPECT_NE(start.ColorCarbon, MS{}.ColorCarbon);
    EXPECT_NE(start.StrSystemFontJpnName, MS{}.StrSystemFontJpnName);
    EXPECT_NE(start.BoolSameAsQuibFM, MS{}.BoolSameAsQuibFM);
    EXPECT_EQ(start.ColorFSystem, MS{}.ColorFSystem);
    EXPECT_EQ(start.StrListViewFontName, MS{}.StrListViewFontName);
    EXPECT_TRUE(start.StrListTxtExt.empty());
    EXPECT_EQ(start.StrSpiTextFileName, L"");
    EXPECT_EQ(display.ColorCarbon, MS{}.ColorCarbon);
    EXPECT_EQ(display.StrSystemFontJpnName, MS{}.StrSystemFontJpnName);
    EXPECT_EQ(display.BoolSameAsQuibFM, MS{}.BoolSameAsQuibFM);
    EXPECT_NE(display.ColorFSystem, MS{}.ColorFSystem);
    EXPECT_NE(display.BoolFileSize1024, MS{}.BoolFileSize1024);
}

TEST_F(MainSettingsTest, EverySettingWrittenByPartsReadsBackTheSame) {
    MS written;
    ForEachKey([&](const auto& k, int i) {
        if (k.file == In::Own) written.*k.field = Other(k, i);
    });
    for (size_t i = 0; i < 4; ++i) written.*kProgramFiles[i].field = OtherProgramFile(static_cast<int>(i));
    for (size_t i = 0; i < 18; ++i) {
        written.StrListFileExt[i] = {L".漢" + std::to_wstring(i), L".b"};
        written.StrFileExe[i] = L"C:\\ツール\\" + std::to_wstring(i) + L".exe";
    }
    written.StrListFileExt[3].clear();  // an empty list is no fault in an ExpandFile key
    written.ModeSelectMenu = ListingMode::Sfx;
    written.IntVclStyle = 1;
    written.ColorFHidden = 0x0000FF;  // a standard colour goes by its name
    WriteMainSettingsPart(ini_, written, MainSettingsPart::Start);
    WriteMainSettingsPart(ini_, written, MainSettingsPart::Display);
    EXPECT_FALSE(quibtest::FileExists(filerPath_));  // the filer's file is the filer's

    MS read = Scrambled();
    ReadAll(read);
    ForEachKey([&](const auto& k, int) {
        if (k.file == In::Own) {
            EXPECT_EQ(read.*k.field, written.*k.field) << Name(k.section, k.key);
        }
    });
    for (const auto& k : kProgramFiles) EXPECT_EQ(read.*k.field, written.*k.field);
    EXPECT_EQ(read.StrListFileExt, written.StrListFileExt);
    EXPECT_EQ(read.StrFileExe, written.StrFileExe);
    EXPECT_EQ(read.ModeSelectMenu, ListingMode::Sfx);
    EXPECT_EQ(read.IntVclStyle, 1);
    EXPECT_EQ(ini_.ReadString(L"FHidden", L"Color", L""), L"clRed");
    EXPECT_EQ(ini_.ReadString(L"VclStyle", L"Text", L""), L"Carbon");
    EXPECT_TRUE(messages_.Messages().empty());

    // Still a UTF-16 file, the Japanese names in it as they are.
    const std::string bytes = quibtest::ReadFileBytes(path_);
    EXPECT_EQ(bytes.substr(0, 2), std::string("\xFF\xFE"));
    const std::wstring name = L"ＭＳ 明朝";
    const std::string utf16(reinterpret_cast<const char*>(name.data()), name.size() * sizeof(wchar_t));
    EXPECT_NE(bytes.find(utf16), std::string::npos);
}

TEST_F(MainSettingsTest, JapaneseFontNamesSurviveTheWriteBackAtStart) {
    ini_.WriteString(L"SystemFontJpn", L"Name", L"ＭＳ 明朝");
    ini_.WriteString(L"SystemFontEng", L"Name", L"メイリオ");
    for (int round = 0; round < 2; ++round) {
        MS s;
        ReadMainSettings(ini_, folder_, MainSettingsPart::Start, s);
        EXPECT_EQ(s.StrSystemFontJpnName, L"ＭＳ 明朝") << round;
        EXPECT_EQ(s.StrSystemFontEngName, L"メイリオ") << round;
    }
    EXPECT_EQ(quibtest::ReadFileBytes(path_).substr(0, 2), std::string("\xFF\xFE"));
}

TEST_F(MainSettingsTest, EndSettingsRoundTrip) {
    MS written;
    written.BoolAutoPopup = true;
    written.BoolListText = true;
    written.BoolListFiler = false;
    written.BoolSameAsQuibFM = false;
    written.BoolCloseESCkey = false;
    written.ModeSelectMenu = ListingMode::Simple;
    for (size_t i = 0; i < 4; ++i) written.*kProgramFiles[i].field = OtherProgramFile(static_cast<int>(i));
    WriteMainSettings(ini_, written);
    MS read = Scrambled();
    ReadAll(read);
    for (auto f : {&MS::BoolAutoPopup, &MS::BoolListText, &MS::BoolListFiler, &MS::BoolSameAsQuibFM,
                   &MS::BoolCloseESCkey})
        EXPECT_EQ(read.*f, written.*f);
    EXPECT_EQ(read.ModeSelectMenu, ListingMode::Simple);
    for (const auto& k : kProgramFiles) EXPECT_EQ(read.*k.field, written.*k.field);
}

TEST_F(MainSettingsTest, BadColourTextGivesTheDefault) {
    struct Case {
        In file;
        const wchar_t* section;
        const wchar_t* key;
        const wchar_t* text;
        COLORREF MS::*field;
        COLORREF expected;
    } cases[] = {
        {In::Own, L"FSystem", L"Color", L"purple", &MS::ColorFSystem, 0xFF00FF},
        {In::Own, L"FHidden", L"Color", L"$12345G", &MS::ColorFHidden, 0xFF0000},
        {In::Own, L"FDirectory", L"Color", L"", &MS::ColorFDirectory, 0xFFFF00},
        {In::Own, L"FInformationArchive", L"Color", L"$1FFFFFFFF", &MS::ColorInfo, 0x008080},
        {In::Own, L"FListView", L"ColorCharcoal", L"dark", &MS::ColorCharcoal, 0x232323},
        // The filer writes six digits; a colour name or "$" is no colour there.
        {In::Filer, L"FileList", L"FileListColorDir", L"clRed", &MS::FilerColorDir, 0xFFFF00},
        {In::Filer, L"System", L"SysytemColorBack", L"$000080", &MS::FilerColorBack, 0x400000},
        // ... and the good forms, for contrast.
        {In::Own, L"FNormalFile", L"Color", L"clRed", &MS::ColorFNormalFile, 0x0000FF},
        {In::Filer, L"System", L"SysytemColorInfoItem", L"000080", &MS::FilerColorInfoItem, 0x000080},
    };
    for (const auto& c : cases) FileOf(c.file).WriteString(c.section, c.key, c.text);
    MS s = Scrambled();
    ReadAll(s);
    for (const auto& c : cases) EXPECT_EQ(s.*c.field, c.expected) << Name(c.section, c.key);
}

TEST_F(MainSettingsTest, ListingModeFromTheFiveEnabledKeysLastOneWins) {
    struct Case {
        std::vector<std::pair<int, const wchar_t*>> keys;  // mode number, text
        ListingMode expected;
    } cases[] = {
        {{}, ListingMode::Normal},
        {{{1, L"0"}, {2, L"0"}, {3, L"0"}, {4, L"0"}, {5, L"0"}}, ListingMode::Normal},
        {{{1, L"0"}, {2, L"1"}}, ListingMode::Simple},
        // [ArchiveNormal] is set by default, and a later mode still wins.
        {{{2, L"1"}}, ListingMode::Simple},
        {{{1, L"1"}, {3, L"1"}}, ListingMode::Test},
        {{{4, L"1"}, {5, L"1"}}, ListingMode::Susie},
        {{{1, L"0"}, {2, L"1"}, {4, L"1"}}, ListingMode::Sfx},
        {{{1, L"0"}, {3, L"2"}}, ListingMode::Test},
        {{{1, L"0"}, {4, L"yes"}}, ListingMode::Normal},
    };
    for (const auto& c : cases) {
        quibtest::TempDir dir;
        const IniFile ini(dir / L"quibFMarchive.ini");
        IniFile::CreateEmptyUnicode(ini.Path());
        for (const auto& [mode, text] : c.keys) ini.WriteString(kModeSections[mode - 1], L"Enabled", text);
        MS s;
        s.ModeSelectMenu = ListingMode::Susie;
        ReadMainSettings(ini, dir.Path(), MainSettingsPart::Start, s);
        EXPECT_EQ(s.ModeSelectMenu, c.expected) << c.keys.size();
    }
}

TEST_F(MainSettingsTest, TheModeIsWrittenAsExactlyOneOfTheFiveKeys) {
    for (int mode = 1; mode <= 5; ++mode) {
        MS s;
        s.ModeSelectMenu = static_cast<ListingMode>(mode);
        WriteMainSettings(ini_, s);
        for (int k = 1; k <= 5; ++k)
            EXPECT_EQ(ini_.ReadString(kModeSections[k - 1], L"Enabled", L"<absent>"), k == mode ? L"1" : L"0")
                << mode << " " << k;
    }
}

TEST_F(MainSettingsTest, VisualStyleByExactName) {
    const std::pair<const wchar_t*, int> cases[] = {{L"Windows", 0},          {L"Carbon", 1},
                                                    {L"carbon", 0},           {L"Charcoal Dark Slate", 2},
                                                    {L"Windows10 Dark", 3},   {L"Windows10 dark", 0},
                                                    {L"Carbon Dark", 0},      {L"Other", 0}};
    for (const auto& [text, style] : cases) {
        ini_.WriteString(L"VclStyle", L"Text", text);
        MS s;
        s.IntVclStyle = 3 - style;
        ReadMainSettings(ini_, folder_, MainSettingsPart::Start, s);
        EXPECT_EQ(s.IntVclStyle, style) << Name(text, L"");
    }
}

TEST_F(MainSettingsTest, ReadingTheStartPartWritesBackExactlyTheseKeys) {
    MS s;
    ReadMainSettings(ini_, folder_, MainSettingsPart::Start, s);
    const std::vector<std::wstring> expected = {
        L"Developer/Enabled=0",          L"FListView/ColorCarbon=$191919", L"FListView/ColorCharcoal=$232323",
        L"FListView/ColorDark=$000000",  L"SystemFontJpn/Name=ＭＳ ゴシック", L"SystemFontJpn/Size=14",
        L"SystemFontEng/Name=Courier New", L"SystemFontEng/Size=12",
    };
    EXPECT_EQ(FileLines(path_), expected);
    // Reading the display part writes nothing, here or in the filer's file.
    ReadMainSettings(ini_, folder_, MainSettingsPart::Display, s);
    EXPECT_EQ(FileLines(path_), expected);
    EXPECT_FALSE(quibtest::FileExists(filerPath_));
}

TEST_F(MainSettingsTest, WriteBackKeepsAColourAsWrittenAndNormalisesTheRest) {
    ini_.WriteString(L"Developer", L"Enabled", L"5");
    ini_.WriteString(L"FListView", L"ColorCarbon", L"clRed");
    ini_.WriteString(L"FListView", L"ColorDark", L"nonsense");
    ini_.WriteString(L"SystemFontJpn", L"Size", L"$10");
    MS s;
    ReadMainSettings(ini_, folder_, MainSettingsPart::Start, s);
    EXPECT_TRUE(s.BoolDeveloper);
    EXPECT_EQ(s.ColorCarbon, 0x0000FFu);
    EXPECT_EQ(s.ColorDark, 0x000000u);
    EXPECT_EQ(s.IntSystemFontJpnSize, 16);
    EXPECT_EQ(ini_.ReadString(L"Developer", L"Enabled", L""), L"1");
    EXPECT_EQ(ini_.ReadString(L"FListView", L"ColorCarbon", L""), L"clRed");
    EXPECT_EQ(ini_.ReadString(L"FListView", L"ColorDark", L""), L"nonsense");
    EXPECT_EQ(ini_.ReadString(L"SystemFontJpn", L"Size", L""), L"16");
}

TEST_F(MainSettingsTest, WritingAtTheEndWritesExactlyTheseKeys) {
    MS s;
    ReadAll(s);
    const std::wstring fresh = dir_ / L"fresh.ini";
    ASSERT_TRUE(IniFile::CreateEmptyUnicode(fresh));
    WriteMainSettings(IniFile(fresh), s);
    const std::vector<std::wstring> expected = {
        L"PouUp/Enabled=0",
        L"ListText/Enabled=0",
        L"ListFiler/Enabled=1",
        L"ArchiveNormal/Enabled=1",
        L"ArchiveSimple/Enabled=0",
        L"ArchiveTest/Enabled=0",
        L"ArchiveSfx/Enabled=0",
        L"ArchiveSusie/Enabled=0",
        L"MainColor/SameAsQuibFM=1",
        L"FormMain/CloseESCkey=1",
        L"Spi/FileName=" + folder_ + L"\\quibFM-spi.txt",
        L"Spm/FileName=" + folder_ + L"\\quibFM-spm.txt",
        L"quibFMsusie/FileName=" + folder_ + L"\\quibFMsusie.exe",
        L"quibFMimage/FileName=" + folder_ + L"\\quibFMimage.exe",
    };
    EXPECT_EQ(FileLines(fresh), expected);
}

TEST_F(MainSettingsTest, BadExtensionListsAreReportedAndKeepWhatCameBefore) {
    SetUiJapanese(false);
    ini_.WriteString(L"Txt", L"Ext", L".txt;.log");
    ini_.WriteString(L"Arc", L"Ext", L"");
    ini_.WriteString(L"ExpandFile05", L"Ext", L".a;.b");
    ini_.WriteString(L"ExpandFile06", L"Ext", L"");
    MS s = Scrambled();
    ReadMainSettings(ini_, folder_, MainSettingsPart::Display, s);
    const std::wstring count = L"Information : Number of .[Piriod] and ;[Semicolon] is not match.\r\n[OK]\r\n";
    const std::wstring empty = L"Information : Extention is empty.\r\n[OK]\r\n";
    // In the order of reading: the lists, then the expansion keys; an empty
    // expansion key is no fault.
    EXPECT_EQ(messages_.Texts(), (std::vector<std::wstring>{count, empty, count}));
    EXPECT_EQ(s.StrListTxtExt, StringList{L".txt"});
    EXPECT_TRUE(s.StrListArcExt.empty());
    EXPECT_EQ(s.StrListFileExt[4], StringList{L".a"});
    EXPECT_TRUE(s.StrListFileExt[5].empty());
    SetUiJapanese(true);
}

TEST_F(MainSettingsTest, OneSettingIsReadAloneAndNothingIsWritten) {
    ini_.WriteString(L"SizeAlignment", L"Right", L"0");
    ini_.WriteString(L"FileSize", L"1024", L"1");
    ini_.WriteString(L"ArchiveNormal", L"Enabled", L"0");
    ini_.WriteString(L"ArchiveSusie", L"Enabled", L"1");
    const std::vector<std::wstring> before = FileLines(path_);
    MS s;
    ReadMainSetting(ini_, folder_, &MS::BoolSizeAlignmentRight, s);
    ReadMainSetting(ini_, folder_, &MS::BoolDeveloper, s);
    ReadMainSetting(ini_, folder_, &MS::ModeSelectMenu, s);
    EXPECT_FALSE(s.BoolSizeAlignmentRight);
    EXPECT_FALSE(s.BoolFileSize1024);  // not asked for
    EXPECT_EQ(s.ModeSelectMenu, ListingMode::Susie);
    EXPECT_EQ(FileLines(path_), before);
}
