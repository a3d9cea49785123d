#include "archive/ArchiveKind.h"

#include "settings/SettingKeys.h"
#include "util/MyUtility.h"
#include "util/StrConv.h"

namespace quib {
namespace {

struct KeyText {
    std::wstring ArchiveSettings::*field;
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* def;
};

// Every command text the program reads, with its default. Keys not listed
// here ("not read": the Delete keys of most families, the extraction and
// listing keys of [7z(zip)]) stay empty whatever the file holds.
const KeyText kCommandTexts[] = {
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

struct FamilyTexts {
    std::wstring ArchiveSettings::*temp;
    std::wstring ArchiveSettings::*normal1;
    std::wstring ArchiveSettings::*normal2;
    std::wstring ArchiveSettings::*list;
    std::wstring ArchiveSettings::*del;
    std::wstring ArchiveSettings::*test;
};

#define QUIB_FAMILY_TEXTS(P)                                                                                      \
    FamilyTexts {                                                                                                 \
        &ArchiveSettings::Str##P##Temp, &ArchiveSettings::Str##P##Normal1, &ArchiveSettings::Str##P##Normal2,     \
            &ArchiveSettings::Str##P##List, &ArchiveSettings::Str##P##Delete, &ArchiveSettings::Str##P##Test      \
    }

// By table index of the families; ZIP32J.DLL has no section of its own.
const FamilyTexts* FamilyTextsOf(ArchiveFamily family) {
    static const FamilyTexts lha = QUIB_FAMILY_TEXTS(Lha), zip = QUIB_FAMILY_TEXTS(Zip),
                             lmzip = QUIB_FAMILY_TEXTS(LMZIP), cab = QUIB_FAMILY_TEXTS(Cab),
                             sevenZip = QUIB_FAMILY_TEXTS(7z), rar = QUIB_FAMILY_TEXTS(Rar),
                             gz = QUIB_FAMILY_TEXTS(Gz), iso = QUIB_FAMILY_TEXTS(Iso), bga = QUIB_FAMILY_TEXTS(Bga),
                             gca = QUIB_FAMILY_TEXTS(Gca), arj = QUIB_FAMILY_TEXTS(Arj), yz1 = QUIB_FAMILY_TEXTS(Yz1);
    switch (family) {
        case ArchiveFamily::Lha: return &lha;
        case ArchiveFamily::Zip: return &zip;
        case ArchiveFamily::LMZip: return &lmzip;
        case ArchiveFamily::Cab: return &cab;
        case ArchiveFamily::SevenZip: return &sevenZip;
        case ArchiveFamily::Rar: return &rar;
        case ArchiveFamily::Tar: return &gz;
        case ArchiveFamily::Iso: return &iso;
        case ArchiveFamily::Bga: return &bga;
        case ArchiveFamily::Gca: return &gca;
        case ArchiveFamily::Arj: return &arj;
        case ArchiveFamily::Yz1: return &yz1;
        default: return nullptr;
    }
}

#undef QUIB_FAMILY_TEXTS

}  // namespace

std::vector<ArchiveCommandTextKey> ArchiveCommandTextKeys() {
    std::vector<ArchiveCommandTextKey> keys;
    for (const KeyText& k : kCommandTexts) keys.push_back({k.section, k.key, k.def});
    return keys;
}

ArchiveSettings ReadArchiveSetting(const IniFile& ini) {
    ArchiveSettings s;
    for (const KeyText& k : kCommandTexts) s.*k.field = ini.ReadString(k.section, k.key, k.def);
    s.IntUnZipDll = ReadKeyInt(ini, key::UnzipDllIndex);
    s.IntDeleteZipDll = ReadKeyInt(ini, key::DeleteZipDllIndex);
    bool* const probes[7] = {&s.BoolAutoCheckSfxLha, &s.BoolAutoCheckSfxZip, &s.BoolAutoCheckSfx7z,
                             &s.BoolAutoCheckSfxCab, &s.BoolAutoCheckSfxRar, &s.BoolAutoCheckSfxGz,
                             &s.BoolAutoCheckSfxIso};
    for (size_t i = 0; i < 7; ++i) *probes[i] = ReadKeyBool(ini, key::AutoCheckSfx[i]);
    s.BoolReadDllSystem32andApplication = ReadKeyInt(ini, key::SelectDllFolderIndex) == 0;
    return s;
}

ArchiveFamily ArchiveFamilyOfExtension(const std::wstring& ext, int unzipDllIndex) {
    if (EqualsNoCase(ext, L".lzh")) return ArchiveFamily::Lha;
    if (EqualsNoCase(ext, L".zip")) {
        if (unzipDllIndex == 0) return ArchiveFamily::Zip;
        if (unzipDllIndex == 1) return ArchiveFamily::LMZip;
        return ArchiveFamily::SevenZip;
    }
    if (EqualsNoCase(ext, L".cab")) return ArchiveFamily::Cab;
    if (EqualsNoCase(ext, L".7z")) return ArchiveFamily::SevenZip;
    if (EqualsNoCase(ext, L".rar")) return ArchiveFamily::Rar;
    if (EqualsNoCase(ext, L".gz")) return ArchiveFamily::Tar;
    if (EqualsNoCase(ext, L".iso")) return ArchiveFamily::Iso;
    if (EqualsNoCase(ext, L".bza") || EqualsNoCase(ext, L".gza")) return ArchiveFamily::Bga;
    if (EqualsNoCase(ext, L".gca")) return ArchiveFamily::Gca;
    if (EqualsNoCase(ext, L".arj")) return ArchiveFamily::Arj;
    if (EqualsNoCase(ext, L".yz1")) return ArchiveFamily::Yz1;
    return ArchiveFamily::None;
}

ArchiveFamily ArchiveFamilyOfPath(const std::wstring& path, int unzipDllIndex) {
    return ArchiveFamilyOfExtension(ExtractFileExt(path), unzipDllIndex);
}

DWORD ArchiveOpenModeFlags(ArchiveFamily family) {
    return family == ArchiveFamily::SevenZip || family == ArchiveFamily::Iso ? 0x00400100u : 0u;
}

int GetExtType(const std::wstring& fileName, const std::vector<std::wstring>& list) {
    const std::wstring ext = ExtractFileExt(fileName);
    for (size_t i = 0; i < list.size(); ++i) {
        if (EqualsNoCase(list[i], ext)) return static_cast<int>(i);
    }
    return -1;
}

std::wstring ArchiveCommandText(const ArchiveSettings& s, ArchiveFamily family, ArchiveCommandKey key) {
    const FamilyTexts* t = FamilyTextsOf(family);
    if (!t) return {};
    switch (key) {
        case ArchiveCommandKey::Temp: return s.*t->temp;
        case ArchiveCommandKey::Normal1: return s.*t->normal1;
        case ArchiveCommandKey::Normal2: return s.*t->normal2;
        case ArchiveCommandKey::List: return s.*t->list;
        case ArchiveCommandKey::Delete: return s.*t->del;
        case ArchiveCommandKey::Test: return s.*t->test;
    }
    return {};
}

std::wstring ArchiveListCommandText(const ArchiveSettings& s, const std::wstring& path) {
    return ArchiveCommandText(s, ArchiveFamilyOfPath(path, s.IntUnZipDll), ArchiveCommandKey::List);
}

std::wstring ArchiveTestCommandText(const ArchiveSettings& s, const std::wstring& path) {
    return ArchiveCommandText(s, ArchiveFamilyOfPath(path, s.IntUnZipDll), ArchiveCommandKey::Test);
}

}  // namespace quib
