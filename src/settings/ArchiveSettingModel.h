#pragma once
// What the archive settings dialog edits, as values read and written with the
// same keys and defaults the archive code and the extraction windows use.
#include <array>
#include <string>
#include <vector>

#include "util/IniFile.h"

namespace quib {

// The dialog's pages of command texts.
enum class ArchivePage { Setting, Archive1, Archive2, UnPack1, UnPack2, Delete1, Count };

// One command-text box: its page, row and column, the setting it edits and its default.
struct ArchiveTextBox {
    ArchivePage page;
    int row;
    int column;
    const wchar_t* section;
    const wchar_t* key;
    std::wstring def;
    bool hidden;  // kept and written back, never shown
    bool written; // OK writes it
};
const std::vector<ArchiveTextBox>& ArchiveTextBoxes();
// The rows' labels of a page, and its columns' headings.
std::vector<std::wstring> ArchivePageRows(ArchivePage page);
std::vector<std::wstring> ArchivePageColumns(ArchivePage page);

struct ArchiveSettingValues {
    int selectDllFolder = 0, unzipDll = 0, deleteZipDll = 0;
    std::array<bool, 7> autoCheckSfx{};  // lha, zip, 7z, cab, rar, gz, iso
    bool timeStampKeep = true, attributeKeep = true;
    bool withPath = true, makeFolder = false, douleDisabled = false, moveExtractFolder = false,
         copyPathToClip = true, extractErrorDisabled = false;
    std::vector<std::wstring> texts;  // by ArchiveTextBoxes()
};

void ReadArchiveSettingValues(const IniFile& ini, ArchiveSettingValues& v);
void WriteArchiveSettingValues(const IniFile& ini, const ArchiveSettingValues& v);

}  // namespace quib
