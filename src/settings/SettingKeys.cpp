#include "settings/SettingKeys.h"

#include <cwchar>

namespace quib {

std::wstring ReadKey(const IniFile& ini, const IniKey& k) { return ini.ReadString(k.section, k.key, k.def); }

int ReadKeyInt(const IniFile& ini, const IniKey& k) {
    return ini.ReadInteger(k.section, k.key, static_cast<int>(std::wcstol(k.def, nullptr, 10)));
}

bool ReadKeyBool(const IniFile& ini, const IniKey& k) { return ini.ReadBool(k.section, k.key, k.def[0] == L'1'); }

void WriteKey(const IniFile& ini, const IniKey& k, const std::wstring& value) { ini.WriteString(k.section, k.key, value); }
void WriteKeyInt(const IniFile& ini, const IniKey& k, int value) { ini.WriteInteger(k.section, k.key, value); }
void WriteKeyBool(const IniFile& ini, const IniKey& k, bool value) { ini.WriteBool(k.section, k.key, value); }

}  // namespace quib
