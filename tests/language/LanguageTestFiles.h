#pragma once
// A throw-away program folder with its Language folder, and language files
// written byte by byte as the program expects them (UTF-16LE).
#include <windows.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "util/IniFile.h"

namespace langtest {

// Encodes lines as UTF-16LE, each followed by lineEnd, with or without a
// byte-order mark.
inline std::string Utf16Bytes(const std::vector<std::wstring>& lines, bool bom = true,
                              const std::wstring& lineEnd = L"\r\n") {
    std::wstring text;
    for (const auto& l : lines) text += l + lineEnd;
    std::string bytes;
    if (bom) bytes += "\xFF\xFE";
    return bytes + quibtest::Utf16LeBytes(text);
}

// A program "quibFMarchive.exe" in a fresh folder: its settings file and its
// language folder "Language\quibFMarchive" live there for the test's life.
class ProgramDir {
public:
    ProgramDir() {
        quib::SetProgramPathForTests(dir_ / L"quibFMarchive.exe");
        CreateDirectoryW((dir_ / L"Language").c_str(), nullptr);
        CreateDirectoryW(LanguageDir().c_str(), nullptr);
    }
    ~ProgramDir() { quib::SetProgramPathForTests(L""); }
    ProgramDir(const ProgramDir&) = delete;
    ProgramDir& operator=(const ProgramDir&) = delete;

    std::wstring LanguageDir() const { return dir_ / L"Language\\quibFMarchive"; }
    std::wstring LanguageFile(const std::wstring& name) const { return LanguageDir() + L"\\" + name; }
    std::wstring Write(const std::wstring& name, const std::vector<std::wstring>& lines, bool bom = true,
                       const std::wstring& lineEnd = L"\r\n") const {
        const std::wstring path = LanguageFile(name);
        quibtest::WriteFileBytes(path, Utf16Bytes(lines, bom, lineEnd));
        return path;
    }
    void Setting(const std::wstring& section, const std::wstring& key, const std::wstring& value) const {
        const std::wstring ini = dir_ / L"quibFMarchive.ini";
        quib::IniFile::CreateEmptyUnicode(ini);
        quib::IniFile(ini).WriteString(section, key, value);
    }

private:
    quibtest::TempDir dir_;
};

}  // namespace langtest
