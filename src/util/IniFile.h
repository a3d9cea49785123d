#pragma once
// The settings file: the private-profile API on a UTF-16 file beside the program.
// Every read names its default; booleans are written "1"/"0" and read as any
// non-zero integer.
#include <windows.h>

#include <string>

namespace quib {

class IniFile {
public:
    explicit IniFile(std::wstring path) : path_(std::move(path)) {}
    const std::wstring& Path() const { return path_; }

    // An empty UTF-16LE file with a byte-order mark, so that every later write
    // of the private-profile API stores Unicode text. Does nothing when the file exists.
    static bool CreateEmptyUnicode(const std::wstring& path);

    std::wstring ReadString(const std::wstring& section, const std::wstring& key, const std::wstring& def) const;
    int ReadInteger(const std::wstring& section, const std::wstring& key, int def) const;
    bool ReadBool(const std::wstring& section, const std::wstring& key, bool def) const;
    bool KeyExists(const std::wstring& section, const std::wstring& key) const;

    bool WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value) const;
    bool WriteInteger(const std::wstring& section, const std::wstring& key, int value) const;
    bool WriteBool(const std::wstring& section, const std::wstring& key, bool value) const;

private:
    std::wstring path_;
};

// The program's own settings file: its path with the extension ".ini".
std::wstring ProgramIniPath();
// Full path of the running program.
std::wstring ProgramPath();
// Program folder without the final backslash.
std::wstring ProgramFolder();
// Window tests run the program's windows inside a test program: they name the
// program file whose folder holds the settings, key maps and DLLs.
void SetProgramPathForTests(const std::wstring& path);

}  // namespace quib
