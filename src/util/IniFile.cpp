#include "util/IniFile.h"

#include <cerrno>
#include <cwchar>
#include <vector>

namespace quib {

bool IniFile::CreateEmptyUnicode(const std::wstring& path) {
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const unsigned char bom[2] = {0xFF, 0xFE};
    DWORD written = 0;
    const BOOL ok = WriteFile(h, bom, 2, &written, nullptr);
    CloseHandle(h);
    return ok && written == 2;
}

std::wstring IniFile::ReadString(const std::wstring& section, const std::wstring& key,
                                 const std::wstring& def) const {
    std::vector<wchar_t> buf(1024);
    for (;;) {
        const DWORD n = GetPrivateProfileStringW(section.c_str(), key.c_str(), def.c_str(), buf.data(),
                                                 static_cast<DWORD>(buf.size()), path_.c_str());
        if (n + 2 < buf.size()) return std::wstring(buf.data(), n);
        buf.resize(buf.size() * 4);
    }
}

int IniFile::ReadInteger(const std::wstring& section, const std::wstring& key, int def) const {
    const std::wstring text = ReadString(section, key, L"");
    if (text.empty()) return def;
    // Decimal, or "$"/"0x" hexadecimal; anything else is not a number and gives the default.
    const wchar_t* s = text.c_str();
    int base = 10;
    bool neg = false;
    if (*s == L'-' || *s == L'+') {
        neg = *s == L'-';
        ++s;
    }
    if (*s == L'$') {
        base = 16;
        ++s;
    } else if (s[0] == L'0' && (s[1] == L'x' || s[1] == L'X')) {
        base = 16;
        s += 2;
    }
    if (*s == 0) return def;
    wchar_t* end = nullptr;
    errno = 0;
    const long long v = std::wcstoll(s, &end, base);
    if (*end != 0 || errno != 0 || v > 0x7FFFFFFFLL || v < -0x80000000LL) return def;
    return static_cast<int>(neg ? -v : v);
}

bool IniFile::ReadBool(const std::wstring& section, const std::wstring& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool IniFile::KeyExists(const std::wstring& section, const std::wstring& key) const {
    const wchar_t* probe = L"\x1\x2\x3";
    return ReadString(section, key, probe) != probe;
}

bool IniFile::WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value) const {
    return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path_.c_str()) != FALSE;
}

bool IniFile::WriteInteger(const std::wstring& section, const std::wstring& key, int value) const {
    return WriteString(section, key, std::to_wstring(value));
}

bool IniFile::WriteBool(const std::wstring& section, const std::wstring& key, bool value) const {
    return WriteString(section, key, value ? L"1" : L"0");
}

namespace {
std::wstring g_programPathOverride;
}

void SetProgramPathForTests(const std::wstring& path) { g_programPathOverride = path; }

std::wstring ProgramPath() {
    if (!g_programPathOverride.empty()) return g_programPathOverride;
    std::vector<wchar_t> buf(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n < buf.size()) return std::wstring(buf.data(), n);
        buf.resize(buf.size() * 2);
    }
}

std::wstring ProgramFolder() {
    const std::wstring p = ProgramPath();
    const size_t slash = p.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : p.substr(0, slash);
}

std::wstring ProgramIniPath() {
    std::wstring p = ProgramPath();
    const size_t slash = p.find_last_of(L"\\/");
    const size_t dot = p.find_last_of(L'.');
    if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)) p.erase(dot);
    return p + L".ini";
}

}  // namespace quib
