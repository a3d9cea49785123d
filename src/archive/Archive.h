#pragma once
// Binding to the thirteen archiver DLLs of the Common Archiver Project
// interface. Each DLL is loaded on first use and each entry point looked up on
// first use; both are kept for the rest of the run. Every other part of the
// program reaches the DLLs only through the wrappers below.
#include <windows.h>

#include <stdexcept>
#include <string>

#include "archive/ArchiveRecords.h"
#include "util/Errors.h"

namespace quib {

// The DLLs in their fixed table order; the value is the table index.
enum class ArchiveFamily : int {
    None = -1,
    Lha = 0,       // UNLHA32.DLL
    Zip = 1,       // UNZIP32.DLL
    LMZip = 2,     // LMZIP32.dll
    Cab = 3,       // cab32.dll
    SevenZip = 4,  // 7-zip32.dll
    Rar = 5,       // unrar32.dll
    Tar = 6,       // tar32.dll (the [Gz] section)
    Zip32J = 7,    // ZIP32J.DLL, deletion from zip archives only
    Iso = 8,       // UnIso32.dll
    Bga = 9,       // Bga32.dll
    Gca = 10,      // UnGca32.dll
    Arj = 11,      // UNARJ32J.DLL
    Yz1 = 12,      // Yz1.dll
};
constexpr int kArchiveDllCount = 13;

int ArchiveFamilyIndex(ArchiveFamily family);           // -1 for None
ArchiveFamily ArchiveFamilyFromIndex(int index);        // None outside 0 to 12

// The entry points a DLL may have. Command is the family's command function;
// Command2 is the second command function, which only LMZIP32.dll has ("Zip").
enum class ArchiveEntry : int { Command = 0, Command2, OpenArchive, CloseArchive, FindFirst, FindNext };
constexpr int kArchiveEntryKinds = 6;

struct ArchiveDllInfo {
    ArchiveFamily family;
    const wchar_t* fileName;  // as passed to the loader
    const wchar_t* section;   // settings section of the family; empty for ZIP32J.DLL
    // Export names by ArchiveEntry; nullptr where the DLL has no such entry point.
    const char* exportName[kArchiveEntryKinds];
    // The names the DLLAddressErr message uses (LMZIP32 and UnGca32 differ).
    const wchar_t* messageName[kArchiveEntryKinds];
};

// The table row of a family (family must not be None).
const ArchiveDllInfo& ArchiveDllTable(ArchiveFamily family);

// Raised when a DLL cannot be loaded or lacks an entry point. Nothing in the
// listing, extraction or deletion code catches it; the application's
// top-level handler shows the message in an error box. The message is
// "DLLの関数 <name> のアドレスが見つかりません." in either language.
class DLLAddressErr : public UserVisibleError {
public:
    explicit DLLAddressErr(const std::wstring& entryName);
    const std::wstring& Message() const { return WideMessage(); }
    const std::wstring& EntryName() const { return entryName_; }

private:
    std::wstring entryName_;
};

// Raised instead of calling a DLL with a path or name that the ANSI code page
// cannot hold: a stand-in character would make the DLL act on another file
// or read another command line. The message names the text, in the
// interface language.
class UnrepresentableNameErr : public UserVisibleError {
public:
    explicit UnrepresentableNameErr(const std::wstring& text);
    const std::wstring& Text() const { return text_; }

private:
    std::wstring text_;
};

// The message of UnrepresentableNameErr for a text, in either language.
std::wstring UnrepresentableNameMessage(const std::wstring& text, bool japanese);

// A path, name or command line for a DLL, in the ANSI code page exactly;
// raises UnrepresentableNameErr (naming shown) when it cannot be.
std::string ArchiveAnsiText(const std::wstring& text, const std::wstring& shown);
inline std::string ArchiveAnsiText(const std::wstring& text) { return ArchiveAnsiText(text, text); }

// Where DLLs not loaded yet are loaded from: empty for the system's search
// restricted to the system folder and the program folder, otherwise a folder
// ending with a backslash that is put in front of the file name.
void SetDllFolder(const std::wstring& folder);
const std::wstring& DllFolder();

using HARC = HANDLE;

// The wrappers. Each loads the DLL and looks up the entry point when needed,
// raises DLLAddressErr when either is missing, and otherwise returns the
// entry point's result unchanged. Texts are ANSI code page.

// The family's command function: 0 means success and buf then holds the
// DLL's report as NUL-terminated text.
int ArchiveCommand(ArchiveFamily family, HWND owner, const std::string& ansiCmd, char* buf, DWORD size);
// The second command function "Zip" of LMZIP32.dll.
int ArchiveCommandLMZipZip(HWND owner, const std::string& ansiCmd, char* buf, DWORD size);
HARC ArchiveOpenArchive(ArchiveFamily family, HWND owner, const std::string& ansiPath, DWORD mode);
// 0 when an entry was written into info; any other value means none.
int ArchiveFindFirst(ArchiveFamily family, HARC arc, const std::string& ansiWildcard, TArchiveEntryInfo* info);
int ArchiveFindNext(ArchiveFamily family, HARC arc, TArchiveEntryInfo* info);
int ArchiveCloseArchive(ArchiveFamily family, HARC arc);

// The module of a family's DLL, null while not loaded.
HMODULE ArchiveDllModule(ArchiveFamily family);

// Frees every loaded DLL and forgets every address and the DLL folder. The
// program never calls this; tests need a fresh start per case.
void ResetArchiveBindingForTests();

}  // namespace quib
