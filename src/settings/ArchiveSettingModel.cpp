#include "settings/ArchiveSettingModel.h"

#include "archive/ArchiveKind.h"
#include "settings/SettingKeys.h"

namespace quib {
namespace {

std::wstring CommandDefault(const wchar_t* section, const wchar_t* key) {
    for (const ArchiveCommandTextKey& k : ArchiveCommandTextKeys())
        if (std::wstring(k.section) == section && std::wstring(k.key) == key) return k.def;
    return {};
}

struct Family {
    const wchar_t* section;
    const wchar_t* label;
};
const Family kGroup1[] = {{L"Lha", L"lha(&L)"}, {L"Zip", L"zip(&Z)"}, {L"LMZIP", L"LMZIP(&M)"}, {L"Cab", L"cab(&B)"},
                          {L"7z", L"7z(&S)"},   {L"Rar", L"rar(&R)"}, {L"Gz", L"gz(&G)"},       {L"ISO", L"iso(&I)"}};
const Family kGroup2[] = {{L"Gca", L"GCA(&G)"}, {L"Bga", L"BGA(&B)"}, {L"Arj", L"ARJ(&A)"}, {L"YZ1", L"YZ1(&Y)"}};

std::vector<ArchiveTextBox> MakeBoxes() {
    std::vector<ArchiveTextBox> boxes;
    auto add = [&boxes](ArchivePage page, int row, int column, const wchar_t* section, const wchar_t* key,
                        bool hidden = false, bool written = true) {
        boxes.push_back({page, row, column, section, key, CommandDefault(section, key), hidden, written});
    };
    const wchar_t* const archiveKeys[3] = {L"Temp", L"List", L"Test"};
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 3; ++c) add(ArchivePage::Archive1, r, c, kGroup1[r].section, archiveKeys[c]);
    add(ArchivePage::Archive1, 8, 2, L"7z(zip)", L"Test");
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) add(ArchivePage::Archive2, r, c, kGroup2[r].section, archiveKeys[c]);
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 2; ++c) add(ArchivePage::UnPack1, r, c, kGroup1[r].section, c ? L"Normal2" : L"Normal1");
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 2; ++c) add(ArchivePage::UnPack2, r, c, kGroup2[r].section, c ? L"Normal2" : L"Normal1");
    const Family deletes[5] = {{L"Lha", nullptr}, {L"Zip", nullptr}, {L"LMZIP", nullptr}, {L"7z", nullptr},
                               {L"7z(zip)", nullptr}};
    for (int r = 0; r < 5; ++r) add(ArchivePage::Delete1, r, 0, deletes[r].section, L"Delete");
    // Families whose archivers delete nothing here: their boxes stay hidden,
    // keep what the file holds and give it back.
    add(ArchivePage::Delete1, 5, 0, L"Cab", L"Delete", true);
    add(ArchivePage::Delete1, 6, 0, L"Rar", L"Delete", true);
    add(ArchivePage::Delete1, 7, 0, L"Gz", L"Delete", true);
    add(ArchivePage::Delete1, 8, 0, L"ISO", L"Delete", true, false);
    return boxes;
}

}  // namespace

const std::vector<ArchiveTextBox>& ArchiveTextBoxes() {
    static const std::vector<ArchiveTextBox> boxes = MakeBoxes();
    return boxes;
}

std::vector<std::wstring> ArchivePageRows(ArchivePage page) {
    std::vector<std::wstring> rows;
    switch (page) {
        case ArchivePage::Archive1:
            for (const Family& f : kGroup1) rows.push_back(f.label);
            rows.push_back(L"zip[7z](&P)");
            break;
        case ArchivePage::UnPack1:
            for (const Family& f : kGroup1) rows.push_back(f.label);
            break;
        case ArchivePage::Archive2:
        case ArchivePage::UnPack2:
            for (const Family& f : kGroup2) rows.push_back(f.label);
            break;
        case ArchivePage::Delete1:
            rows = {L"lha(&L)", L"zip(&Z)", L"LMZIP(&M)", L"7z(&S)", L"zip[7z](&P)", L"cab(&B)", L"rar(&R)", L"gz(&G)",
                    L"iso(&I)"};
            break;
        default: break;
    }
    return rows;
}

std::vector<std::wstring> ArchivePageColumns(ArchivePage page) {
    switch (page) {
        case ArchivePage::Archive1:
        case ArchivePage::Archive2: return {L"一時解凍", L"簡易表示", L"テスト"};
        case ArchivePage::UnPack1:
        case ArchivePage::UnPack2: return {L"解凍(パス無し)", L"解凍(パス付)"};
        case ArchivePage::Delete1: return {L"圧縮ファイル内の削除"};
        default: return {};
    }
}

void ReadArchiveSettingValues(const IniFile& ini, ArchiveSettingValues& v) {
    v.selectDllFolder = ReadKeyInt(ini, key::SelectDllFolderIndex);
    v.unzipDll = ReadKeyInt(ini, key::UnzipDllIndex);
    v.deleteZipDll = ReadKeyInt(ini, key::DeleteZipDllIndex);
    for (size_t i = 0; i < 7; ++i) v.autoCheckSfx[i] = ReadKeyBool(ini, key::AutoCheckSfx[i]);
    v.withPath = ReadKeyBool(ini, key::ExtractWithPath);
    v.makeFolder = ReadKeyBool(ini, key::ExtractMakeFolder);
    v.douleDisabled = ReadKeyBool(ini, key::ExtractDouleDisabled);
    v.moveExtractFolder = ReadKeyBool(ini, key::ExtractMoveExtractFolder);
    v.copyPathToClip = ReadKeyBool(ini, key::ExtractCopyPathToClip);
    v.timeStampKeep = ReadKeyBool(ini, key::ArchiveTimeStampKeep);
    v.attributeKeep = ReadKeyBool(ini, key::ArchiveAttributeKeep);
    v.extractErrorDisabled = ReadKeyBool(ini, key::ExtractErrorDisabled);
    v.texts.clear();
    for (const ArchiveTextBox& b : ArchiveTextBoxes()) v.texts.push_back(ini.ReadString(b.section, b.key, b.def));
}

void WriteArchiveSettingValues(const IniFile& ini, const ArchiveSettingValues& v) {
    WriteKeyInt(ini, key::SelectDllFolderIndex, v.selectDllFolder);
    WriteKeyInt(ini, key::UnzipDllIndex, v.unzipDll);
    WriteKeyInt(ini, key::DeleteZipDllIndex, v.deleteZipDll);
    for (size_t i = 0; i < 7; ++i) WriteKeyBool(ini, key::AutoCheckSfx[i], v.autoCheckSfx[i]);
    WriteKeyBool(ini, key::ArchiveTimeStampKeep, v.timeStampKeep);
    WriteKeyBool(ini, key::ArchiveAttributeKeep, v.attributeKeep);
    WriteKeyBool(ini, key::ExtractWithPath, v.withPath);
    WriteKeyBool(ini, key::ExtractMakeFolder, v.makeFolder);
    WriteKeyBool(ini, key::ExtractDouleDisabled, v.douleDisabled);
    WriteKeyBool(ini, key::ExtractMoveExtractFolder, v.moveExtractFolder);
    WriteKeyBool(ini, key::ExtractCopyPathToClip, v.copyPathToClip);
    WriteKeyBool(ini, key::ExtractErrorDisabled, v.extractErrorDisabled);
    // Command texts exactly as typed: nothing is checked or trimmed.
    const auto& boxes = ArchiveTextBoxes();
    for (size_t i = 0; i < boxes.size() && i < v.texts.size(); ++i)
        if (boxes[i].written) ini.WriteString(boxes[i].section, boxes[i].key, v.texts[i]);
}

}  // namespace quib
