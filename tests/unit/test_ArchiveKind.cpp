#include <gtest/gtest.h>

#include "TestSupport.h"
#include "archive/ArchiveKind.h"

using namespace quib;

namespace {

using Field = std::wstring ArchiveSettings::*;

struct Key {
    Field field;
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* def;
};

// The settings of the archive families as the settings file names them.
const Key kKeys[] = {
    {&ArchiveSettings::StrLhaTemp, L"Lha", L"Temp", L"x -+ -n1 -u1 -x1 -jse1 -jso1 -a2"},
    {&ArchiveSettings::StrLhaNormal1, L"Lha", L"Normal1", L"e -+ -n0 -u1 -jse1 -jso1 -a2"},
    {&ArchiveSettings::StrLhaNormal2, L"Lha", L"Normal2", L"x -+ -n0 -u1 -d1 -x1 -jse1 -jso1 -a2"},
    {&ArchiveSettings::StrLhaList, L"Lha", L"List", L"l -c1m0a1 -jf0 -p2"},
    {&ArchiveSettings::StrLhaDelete, L"Lha", L"Delete", L"d -jyd1"},
    {&ArchiveSettings::StrLhaTest, L"Lha", L"Test", L"t"},
    {&ArchiveSettings::StrZipTemp, L"Zip", L"Temp", L"-x -n -qr0 --i"},
    {&ArchiveSettings::StrZipNormal1, L"Zip", L"Normal1", L"-x -j -qr0"},
    {&ArchiveSettings::StrZipNormal2, L"Zip", L"Normal2", L"-x -qr0"},
    {&ArchiveSettings::StrZipList, L"Zip", L"List", L"-v"},
    {&ArchiveSettings::StrZipDelete, L"Zip", L"Delete", L"-d"},
    {&ArchiveSettings::StrZipTest, L"Zip", L"Test", L"-t"},
    {&ArchiveSettings::StrLMZIPTemp, L"LMZIP", L"Temp", L"-j -n"},
    {&ArchiveSettings::StrLMZIPNormal1, L"LMZIP", L"Normal1", L""},
    {&ArchiveSettings::StrLMZIPNormal2, L"LMZIP", L"Normal2", L"-j"},
    {&ArchiveSettings::StrLMZIPList, L"LMZIP", L"List", L"-v"},
    {&ArchiveSettings::StrLMZIPDelete, L"LMZIP", L"Delete", L"-d"},
    {&ArchiveSettings::StrLMZIPTest, L"LMZIP", L"Test", L"-t"},
    {&ArchiveSettings::StrCabTemp, L"Cab", L"Temp", L"-x -n -i"},
    {&ArchiveSettings::StrCabNormal1, L"Cab", L"Normal1", L"-x -n -j"},
    {&ArchiveSettings::StrCabNormal2, L"Cab", L"Normal2", L"-x -n"},
    {&ArchiveSettings::StrCabList, L"Cab", L"List", L"-l -j"},
    {&ArchiveSettings::StrCabTest, L"Cab", L"Test", L"-t"},
    {&ArchiveSettings::Str7zTemp, L"7z", L"Temp", L"x -aos -r -hide"},
    {&ArchiveSettings::Str7zNormal1, L"7z", L"Normal1", L"e -aos -r-"},
    {&ArchiveSettings::Str7zNormal2, L"7z", L"Normal2", L"x -aos -r-"},
    {&ArchiveSettings::Str7zList, L"7z", L"List", L"l"},
    {&ArchiveSettings::Str7zDelete, L"7z", L"Delete", L"d -ms=off"},
    {&ArchiveSettings::Str7zTest, L"7z", L"Test", L"t"},
    {&ArchiveSettings::StrRarTemp, L"Rar", L"Temp", L"-x -o- -r -q"},
    {&ArchiveSettings::StrRarNormal1, L"Rar", L"Normal1", L"-e -o- -r"},
    {&ArchiveSettings::StrRarNormal2, L"Rar", L"Normal2", L"-x -o- -r -s"},
    {&ArchiveSettings::StrRarList, L"Rar", L"List", L"-v"},
    {&ArchiveSettings::StrRarTest, L"Rar", L"Test", L""},
    {&ArchiveSettings::StrGzTemp, L"Gz", L"Temp", L"-x -v --display-dialog=0 -f"},
    {&ArchiveSettings::StrGzNormal1, L"Gz", L"Normal1", L"-x -v --display-dialog=1 -f --use-directory=0"},
    {&ArchiveSettings::StrGzNormal2, L"Gz", L"Normal2", L"-x -v --display-dialog=1 -f"},
    {&ArchiveSettings::StrGzList, L"Gz", L"List", L"-t -v --display-dialog=0 --check-all-path=1 -f"},
    {&ArchiveSettings::StrGzTest, L"Gz", L"Test", L""},
    {&ArchiveSettings::StrIsoTemp, L"ISO", L"Temp", L"x -aos -r -hide"},
    {&ArchiveSettings::StrIsoNormal1, L"ISO", L"Normal1", L"e -aos -r"},
    {&ArchiveSettings::StrIsoNormal2, L"ISO", L"Normal2", L"x -aos -r"},
    {&ArchiveSettings::StrIsoList, L"ISO", L"List", L"l"},
    {&ArchiveSettings::StrIsoTest, L"ISO", L"Test", L"t"},
    {&ArchiveSettings::StrGcaTemp, L"Gca", L"Temp", L"e"},
    {&ArchiveSettings::StrGcaNormal1, L"Gca", L"Normal1", L"e -xx0"},
    {&ArchiveSettings::StrGcaNormal2, L"Gca", L"Normal2", L"e -xx1"},
    {&ArchiveSettings::StrGcaList, L"Gca", L"List", L"l"},
    {&ArchiveSettings::StrGcaTest, L"Gca", L"Test", L""},
    {&ArchiveSettings::StrBgaTemp, L"Bga", L"Temp", L"x"},
    {&ArchiveSettings::StrBgaNormal1, L"Bga", L"Normal1", L"x -a -j"},
    {&ArchiveSettings::StrBgaNormal2, L"Bga", L"Normal2", L"x -a"},
    {&ArchiveSettings::StrBgaList, L"Bga", L"List", L"v"},
    {&ArchiveSettings::StrBgaTest, L"Bga", L"Test", L""},
    {&ArchiveSettings::StrArjTemp, L"Arj", L"Temp", L"x -jyc"},
    {&ArchiveSettings::StrArjNormal1, L"Arj", L"Normal1", L"e -jyc -hk"},
    {&ArchiveSettings::StrArjNormal2, L"Arj", L"Normal2", L"x -jyc -hk"},
    {&ArchiveSettings::StrArjList, L"Arj", L"List", L"vv"},
    {&ArchiveSettings::StrArjTest, L"Arj", L"Test", L"t"},
    {&ArchiveSettings::StrYz1Temp, L"YZ1", L"Temp", L"x"},
    {&ArchiveSettings::StrYz1Normal1, L"YZ1", L"Normal1", L"x -x0"},
    {&ArchiveSettings::StrYz1Normal2, L"YZ1", L"Normal2", L"x -x1"},
    {&ArchiveSettings::StrYz1List, L"YZ1", L"List", L""},
    {&ArchiveSettings::StrYz1Test, L"YZ1", L"Test", L""},
    {&ArchiveSettings::Str7zZipDelete, L"7z(zip)", L"Delete", L"d"},
    {&ArchiveSettings::Str7zZipTest, L"7z(zip)", L"Test", L"t"},
};

// Fields that are emptied without consulting the file.
const Key kNotRead[] = {
    {&ArchiveSettings::StrCabDelete, L"Cab", L"Delete", L""},
    {&ArchiveSettings::StrRarDelete, L"Rar", L"Delete", L""},
    {&ArchiveSettings::StrGzDelete, L"Gz", L"Delete", L""},
    {&ArchiveSettings::StrIsoDelete, L"ISO", L"Delete", L""},
    {&ArchiveSettings::StrGcaDelete, L"Gca", L"Delete", L""},
    {&ArchiveSettings::StrBgaDelete, L"Bga", L"Delete", L""},
    {&ArchiveSettings::StrArjDelete, L"Arj", L"Delete", L""},
    {&ArchiveSettings::StrYz1Delete, L"YZ1", L"Delete", L""},
};

class ArchiveSettingsTest : public ::testing::Test {
protected:
    quibtest::TempDir dir_;
    std::wstring path_ = dir_ / L"quibFMarchive.ini";
    IniFile ini_{path_};
    void SetUp() override { ASSERT_TRUE(IniFile::CreateEmptyUnicode(path_)); }
};

}  // namespace

TEST_F(ArchiveSettingsTest, DefaultsWhenTheFileHoldsNothing) {
    const ArchiveSettings s = ReadArchiveSetting(ini_);
    for (const Key& k : kKeys) EXPECT_EQ(s.*k.field, k.def) << k.section << L" " << k.key;
    for (const Key& k : kNotRead) EXPECT_EQ(s.*k.field, L"") << k.section << L" " << k.key;
    EXPECT_EQ(s.IntUnZipDll, 0);
    EXPECT_EQ(s.IntDeleteZipDll, 0);
    EXPECT_FALSE(s.BoolAutoCheckSfxLha || s.BoolAutoCheckSfxZip || s.BoolAutoCheckSfx7z || s.BoolAutoCheckSfxCab ||
                 s.BoolAutoCheckSfxRar || s.BoolAutoCheckSfxGz || s.BoolAutoCheckSfxIso);
    EXPECT_TRUE(s.BoolReadDllSystem32andApplication);
}

TEST_F(ArchiveSettingsTest, EveryKeyLandsInItsOwnField) {
    for (const Key& k : kKeys) {
        ini_.WriteString(k.section, k.key, std::wstring(L"v ") + k.section + L" " + k.key + L" 日本");
    }
    const ArchiveSettings s = ReadArchiveSetting(ini_);
    for (const Key& k : kKeys) {
        EXPECT_EQ(s.*k.field, std::wstring(L"v ") + k.section + L" " + k.key + L" 日本") << k.section << L" " << k.key;
    }
}

TEST_F(ArchiveSettingsTest, AnEmptyValueIsReadAsEmpty) {
    ini_.WriteString(L"Lha", L"List", L"");
    EXPECT_EQ(ReadArchiveSetting(ini_).StrLhaList, L"");
}

TEST_F(ArchiveSettingsTest, KeysThatAreNotReadStayEmpty) {
    for (const Key& k : kNotRead) ini_.WriteString(k.section, k.key, L"d -x");
    for (const wchar_t* key : {L"Temp", L"Normal1", L"Normal2", L"List"}) ini_.WriteString(L"7z(zip)", key, L"x");
    const ArchiveSettings s = ReadArchiveSetting(ini_);
    for (const Key& k : kNotRead) EXPECT_EQ(s.*k.field, L"") << k.section;
    // [7z(zip)] extraction and listing keys do not exist; the zip family
    // through 7-zip32.dll takes [7z] for them.
    EXPECT_EQ(ArchiveCommandText(s, ArchiveFamily::SevenZip, ArchiveCommandKey::List), L"l");
}

TEST_F(ArchiveSettingsTest, IndexesAndProbeFlags) {
    struct Case {
        const wchar_t* unzip;
        const wchar_t* del;
        const wchar_t* select;
        int unzipExpected, delExpected;
        bool restricted;
    };
    const Case cases[] = {
        {L"2", L"1", L"0", 2, 1, true},
        {L"1", L"2", L"1", 1, 2, false},
        {L"abc", L"x1", L"2", 0, 0, false},
        {L"", L"", L"", 0, 0, true},
        {L"0", L"0", L"junk", 0, 0, true},
    };
    for (const Case& c : cases) {
        ini_.WriteString(L"UnzipDll", L"Index", c.unzip);
        ini_.WriteString(L"DeleteZipDll", L"Index", c.del);
        ini_.WriteString(L"SelectDllFolder", L"Index", c.select);
        const ArchiveSettings s = ReadArchiveSetting(ini_);
        EXPECT_EQ(s.IntUnZipDll, c.unzipExpected) << c.unzip;
        EXPECT_EQ(s.IntDeleteZipDll, c.delExpected) << c.del;
        EXPECT_EQ(s.BoolReadDllSystem32andApplication, c.restricted) << c.select;
    }
    using Flag = bool ArchiveSettings::*;
    const std::pair<const wchar_t*, Flag> flags[] = {
        {L"lha", &ArchiveSettings::BoolAutoCheckSfxLha}, {L"zip", &ArchiveSettings::BoolAutoCheckSfxZip},
        {L"7z", &ArchiveSettings::BoolAutoCheckSfx7z},   {L"cab", &ArchiveSettings::BoolAutoCheckSfxCab},
        {L"rar", &ArchiveSettings::BoolAutoCheckSfxRar}, {L"gz", &ArchiveSettings::BoolAutoCheckSfxGz},
        {L"iso", &ArchiveSettings::BoolAutoCheckSfxIso},
    };
    for (const auto& [key, flag] : flags) {
        ini_.WriteString(L"AutoCheckSfx", key, L"1");
        const ArchiveSettings s = ReadArchiveSetting(ini_);
        for (const auto& [otherKey, otherFlag] : flags) {
            EXPECT_EQ(s.*otherFlag, otherKey == key) << key << L" set, " << otherKey << L" read";
        }
        ini_.WriteString(L"AutoCheckSfx", key, L"0");
    }
}

TEST(ArchiveFamilyChoice, ByExtensionWithoutRegardToCase) {
    struct Case {
        const wchar_t* path;
        int unzip;
        ArchiveFamily family;
    };
    const Case cases[] = {
        {L"C:\\a\\x.lzh", 0, ArchiveFamily::Lha},    {L"x.LZH", 0, ArchiveFamily::Lha},
        {L"x.zip", 0, ArchiveFamily::Zip},           {L"x.ZIP", 1, ArchiveFamily::LMZip},
        {L"x.zip", 2, ArchiveFamily::SevenZip},      {L"x.zip", 7, ArchiveFamily::SevenZip},
        {L"x.cab", 2, ArchiveFamily::Cab},           {L"x.7z", 0, ArchiveFamily::SevenZip},
        {L"x.rar", 0, ArchiveFamily::Rar},           {L"x.tar.gz", 0, ArchiveFamily::Tar},
        {L"x.iso", 0, ArchiveFamily::Iso},           {L"x.bza", 0, ArchiveFamily::Bga},
        {L"x.gza", 0, ArchiveFamily::Bga},           {L"x.gca", 0, ArchiveFamily::Gca},
        {L"x.arj", 0, ArchiveFamily::Arj},           {L"x.Yz1", 0, ArchiveFamily::Yz1},
        {L"x.tar", 0, ArchiveFamily::None},          {L"x.exe", 0, ArchiveFamily::None},
        {L"zip", 0, ArchiveFamily::None},            {L"a.zip\\file", 0, ArchiveFamily::None},
    };
    for (const Case& c : cases) EXPECT_EQ(ArchiveFamilyOfPath(c.path, c.unzip), c.family) << c.path << L" " << c.unzip;
}

TEST(ArchiveFamilyChoice, ModeFlagsFor7ZipAndIsoOnly) {
    for (int i = 0; i < kArchiveDllCount; ++i) {
        const ArchiveFamily f = ArchiveFamilyFromIndex(i);
        const DWORD expected = f == ArchiveFamily::SevenZip || f == ArchiveFamily::Iso ? 0x00400100u : 0u;
        EXPECT_EQ(ArchiveOpenModeFlags(f), expected) << i;
    }
    EXPECT_EQ(ArchiveOpenModeFlags(ArchiveFamilyOfPath(L"a.zip", 2)), 0x00400100u);
    EXPECT_EQ(ArchiveOpenModeFlags(ArchiveFamilyOfPath(L"a.zip", 1)), 0u);
}

TEST(GetExtType, FirstEqualExtensionWithoutRegardToCase) {
    const std::vector<std::wstring> images{L".bmp", L".jpg"};
    EXPECT_EQ(GetExtType(L"photo.JPG", images), 1);
    EXPECT_EQ(GetExtType(L"C:\\p\\photo.bmp", images), 0);
    EXPECT_EQ(GetExtType(L"photo.png", images), -1);
    EXPECT_EQ(GetExtType(L"photo", images), -1);
    EXPECT_EQ(GetExtType(L"photo.jpg", {}), -1);
    EXPECT_EQ(GetExtType(L"a.tar.gz", {L".tar", L".gz", L".gz"}), 1);
    // A name without extension has the empty extension, which an empty element matches.
    EXPECT_EQ(GetExtType(L"noext", {L".x", L""}), 1);
}

TEST(ArchiveCommandTexts, ListAndTestByFamilyAndZipChoice) {
    ArchiveSettings s;
    s.StrLhaList = L"lhaL";
    s.StrLhaTest = L"lhaT";
    s.StrZipList = L"zipL";
    s.StrZipTest = L"zipT";
    s.StrLMZIPList = L"lmL";
    s.StrLMZIPTest = L"lmT";
    s.Str7zList = L"7zL";
    s.Str7zTest = L"7zT";
    s.Str7zZipTest = L"7zzipT";
    s.StrGzList = L"gzL";
    s.StrBgaTest = L"bgaT";
    s.StrYz1List = L"";
    s.IntUnZipDll = 0;
    EXPECT_EQ(ArchiveListCommandText(s, L"a.lzh"), L"lhaL");
    EXPECT_EQ(ArchiveTestCommandText(s, L"a.LZH"), L"lhaT");
    EXPECT_EQ(ArchiveListCommandText(s, L"a.zip"), L"zipL");
    EXPECT_EQ(ArchiveTestCommandText(s, L"a.zip"), L"zipT");
    s.IntUnZipDll = 1;
    EXPECT_EQ(ArchiveListCommandText(s, L"a.zip"), L"lmL");
    EXPECT_EQ(ArchiveTestCommandText(s, L"a.zip"), L"lmT");
    s.IntUnZipDll = 2;
    EXPECT_EQ(ArchiveListCommandText(s, L"a.zip"), L"7zL");
    EXPECT_EQ(ArchiveTestCommandText(s, L"a.zip"), L"7zT");
    EXPECT_EQ(ArchiveListCommandText(s, L"a.gz"), L"gzL");
    EXPECT_EQ(ArchiveTestCommandText(s, L"a.gza"), L"bgaT");
    EXPECT_EQ(ArchiveListCommandText(s, L"a.yz1"), L"");
    EXPECT_EQ(ArchiveListCommandText(s, L"a.tar"), L"");
    EXPECT_EQ(ArchiveCommandText(s, ArchiveFamily::Zip32J, ArchiveCommandKey::Delete), L"");
    EXPECT_EQ(ArchiveCommandText(s, ArchiveFamily::None, ArchiveCommandKey::List), L"");
}

TEST(ArchiveCommandTexts, EveryKeyOfEveryFamily) {
    // Each family's six keys come from its own section of the settings.
    ArchiveSettings s;
    for (const Key& k : kKeys) s.*k.field = std::wstring(k.section) + L"." + k.key;
    for (const Key& k : kNotRead) s.*k.field = std::wstring(k.section) + L"." + k.key;
    const std::pair<ArchiveFamily, const wchar_t*> families[] = {
        {ArchiveFamily::Lha, L"Lha"},  {ArchiveFamily::Zip, L"Zip"},      {ArchiveFamily::LMZip, L"LMZIP"},
        {ArchiveFamily::Cab, L"Cab"},  {ArchiveFamily::SevenZip, L"7z"},  {ArchiveFamily::Rar, L"Rar"},
        {ArchiveFamily::Tar, L"Gz"},   {ArchiveFamily::Iso, L"ISO"},      {ArchiveFamily::Bga, L"Bga"},
        {ArchiveFamily::Gca, L"Gca"},  {ArchiveFamily::Arj, L"Arj"},      {ArchiveFamily::Yz1, L"YZ1"},
    };
    const std::pair<ArchiveCommandKey, const wchar_t*> keys[] = {
        {ArchiveCommandKey::Temp, L"Temp"}, {ArchiveCommandKey::Normal1, L"Normal1"},
        {ArchiveCommandKey::Normal2, L"Normal2"}, {ArchiveCommandKey::List, L"List"},
        {ArchiveCommandKey::Delete, L"Delete"}, {ArchiveCommandKey::Test, L"Test"},
    };
    for (const auto& [family, section] : families) {
        EXPECT_EQ(ArchiveDllTable(family).section, std::wstring(section));
        for (const auto& [key, name] : keys) {
            EXPECT_EQ(ArchiveCommandText(s, family, key), std::wstring(section) + L"." + name) << section << L" " << name;
        }
    }
}
