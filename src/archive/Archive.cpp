#include "archive/Archive.h"

#include <stdexcept>

#include "util/Message.h"
#include "util/StrConv.h"

namespace quib {
namespace {

using CommandFn = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);
using OpenArchiveFn = HARC(WINAPI*)(HWND, LPCSTR, DWORD);
using FindFirstFn = int(WINAPI*)(HARC, LPCSTR, TArchiveEntryInfo*);
using FindNextFn = int(WINAPI*)(HARC, TArchiveEntryInfo*);
using CloseArchiveFn = int(WINAPI*)(HARC);

// Entry order in every row: Command, Command2, OpenArchive, CloseArchive, FindFirst, FindNext.
const ArchiveDllInfo kTable[kArchiveDllCount] = {
    {ArchiveFamily::Lha, L"UNLHA32.DLL", L"Lha",
     {"Unlha", nullptr, "UnlhaOpenArchive", "UnlhaCloseArchive", "UnlhaFindFirst", "UnlhaFindNext"},
     {L"Unlha", nullptr, L"UnlhaOpenArchive", L"UnlhaCloseArchive", L"UnlhaFindFirst", L"UnlhaFindNext"}},
    {ArchiveFamily::Zip, L"UNZIP32.DLL", L"Zip",
     {"UnZip", nullptr, "UnZipOpenArchive", "UnZipCloseArchive", "UnZipFindFirst", "UnZipFindNext"},
     {L"UnZip", nullptr, L"UnZipOpenArchive", L"UnZipCloseArchive", L"UnZipFindFirst", L"UnZipFindNext"}},
    {ArchiveFamily::LMZip, L"LMZIP32.dll", L"LMZIP",
     {"Unzip", "Zip", "UnzipOpenArchive", "UnzipCloseArchive", "UnzipFindFirst", "UnzipFindNext"},
     {L"LMZip", L"LMZip", L"LMZipOpenArchive", L"LMZipCloseArchive", L"LMZipFindFirst", L"LMZipFindNext"}},
    {ArchiveFamily::Cab, L"cab32.dll", L"Cab",
     {"Cab", nullptr, "CabOpenArchive", "CabCloseArchive", "CabFindFirst", "CabFindNext"},
     {L"Cab", nullptr, L"CabOpenArchive", L"CabCloseArchive", L"CabFindFirst", L"CabFindNext"}},
    {ArchiveFamily::SevenZip, L"7-zip32.dll", L"7z",
     {"SevenZip", nullptr, "SevenZipOpenArchive", "SevenZipCloseArchive", "SevenZipFindFirst", "SevenZipFindNext"},
     {L"SevenZip", nullptr, L"SevenZipOpenArchive", L"SevenZipCloseArchive", L"SevenZipFindFirst",
      L"SevenZipFindNext"}},
    {ArchiveFamily::Rar, L"unrar32.dll", L"Rar",
     {"Unrar", nullptr, "UnrarOpenArchive", "UnrarCloseArchive", "UnrarFindFirst", "UnrarFindNext"},
     {L"Unrar", nullptr, L"UnrarOpenArchive", L"UnrarCloseArchive", L"UnrarFindFirst", L"UnrarFindNext"}},
    {ArchiveFamily::Tar, L"tar32.dll", L"Gz",
     {"Tar", nullptr, "TarOpenArchive", "TarCloseArchive", "TarFindFirst", "TarFindNext"},
     {L"Tar", nullptr, L"TarOpenArchive", L"TarCloseArchive", L"TarFindFirst", L"TarFindNext"}},
    // Deletion from zip archives only: a command function and no enumeration.
    {ArchiveFamily::Zip32J, L"ZIP32J.DLL", L"",
     {"Zip", nullptr, nullptr, nullptr, nullptr, nullptr},
     {L"Zip", nullptr, nullptr, nullptr, nullptr, nullptr}},
    {ArchiveFamily::Iso, L"UnIso32.dll", L"ISO",
     {"UnIso", nullptr, "UnIsoOpenArchive", "UnIsoCloseArchive", "UnIsoFindFirst", "UnIsoFindNext"},
     {L"UnIso", nullptr, L"UnIsoOpenArchive", L"UnIsoCloseArchive", L"UnIsoFindFirst", L"UnIsoFindNext"}},
    {ArchiveFamily::Bga, L"Bga32.dll", L"Bga",
     {"Bga", nullptr, "BgaOpenArchive", "BgaCloseArchive", "BgaFindFirst", "BgaFindNext"},
     {L"Bga", nullptr, L"BgaOpenArchive", L"BgaCloseArchive", L"BgaFindFirst", L"BgaFindNext"}},
    {ArchiveFamily::Gca, L"UnGca32.dll", L"Gca",
     {"UnGCA", nullptr, "UnGCAOpenArchive", "UnGCACloseArchive", "UnGCAFindFirst", "UnGCAFindNext"},
     {L"UnGca", nullptr, L"UnGcaOpenArchive", L"UnGcaCloseArchive", L"UnGcaFindFirst", L"UnGcaFindNext"}},
    {ArchiveFamily::Arj, L"UNARJ32J.DLL", L"Arj",
     {"Unarj", nullptr, "UnarjOpenArchive", "UnarjCloseArchive", "UnarjFindFirst", "UnarjFindNext"},
     {L"Unarj", nullptr, L"UnarjOpenArchive", L"UnarjCloseArchive", L"UnarjFindFirst", L"UnarjFindNext"}},
    {ArchiveFamily::Yz1, L"Yz1.dll", L"YZ1",
     {"Yz1", nullptr, "Yz1OpenArchive", "Yz1CloseArchive", "Yz1FindFirst", "Yz1FindNext"},
     {L"Yz1", nullptr, L"Yz1OpenArchive", L"Yz1CloseArchive", L"Yz1FindFirst", L"Yz1FindNext"}},
};

struct Binding {
    HMODULE module = nullptr;
    FARPROC address[kArchiveEntryKinds] = {};
};

// Only the user-interface thread calls the DLLs, so the state needs no lock.
Binding g_bindings[kArchiveDllCount];
std::wstring g_dllFolder;

int CheckedIndex(ArchiveFamily family) {
    const int i = ArchiveFamilyIndex(family);
    if (i < 0) throw std::invalid_argument("no archiver DLL for this family");
    return i;
}

FARPROC Resolve(ArchiveFamily family, ArchiveEntry entry) {
    const int i = CheckedIndex(family);
    const int e = static_cast<int>(entry);
    const ArchiveDllInfo& info = kTable[i];
    if (!info.exportName[e]) throw std::invalid_argument("this archiver DLL has no such entry point");
    Binding& b = g_bindings[i];
    if (!b.module) {
        // A failed load leaves the handle null, so a DLL the user installs
        // later is found by the next call without a restart.
        if (g_dllFolder.empty()) {
            b.module = LoadLibraryExW(info.fileName, nullptr,
                                      LOAD_LIBRARY_SEARCH_SYSTEM32 | LOAD_LIBRARY_SEARCH_APPLICATION_DIR);
        } else {
            b.module = LoadLibraryW((g_dllFolder + info.fileName).c_str());
        }
    }
    if (!b.address[e] && b.module) b.address[e] = GetProcAddress(b.module, info.exportName[e]);
    if (!b.address[e]) throw DLLAddressErr(info.messageName[e]);
    return b.address[e];
}

}  // namespace

int ArchiveFamilyIndex(ArchiveFamily family) {
    const int i = static_cast<int>(family);
    return i >= 0 && i < kArchiveDllCount ? i : -1;
}

ArchiveFamily ArchiveFamilyFromIndex(int index) {
    return index >= 0 && index < kArchiveDllCount ? static_cast<ArchiveFamily>(index) : ArchiveFamily::None;
}

const ArchiveDllInfo& ArchiveDllTable(ArchiveFamily family) { return kTable[CheckedIndex(family)]; }

DLLAddressErr::DLLAddressErr(const std::wstring& entryName)
    : UserVisibleError(L"DLLの関数 " + entryName + L" のアドレスが見つかりません."), entryName_(entryName) {}

std::wstring UnrepresentableNameMessage(const std::wstring& text, bool japanese) {
    return japanese ? L"Error : システムのコードページで表せない文字を含む名前です。何もしませんでした\r\n" + text
                    : L"Error : This name has characters the system code page can not represent. Nothing was done.\r\n"
                      L"[OK]\r\n" + text;
}

UnrepresentableNameErr::UnrepresentableNameErr(const std::wstring& text)
    : UserVisibleError(UnrepresentableNameMessage(text, UiJapanese())), text_(text) {}

std::string ArchiveAnsiText(const std::wstring& text, const std::wstring& shown) {
    std::string out;
    if (!WideToAnsiExact(text, out)) throw UnrepresentableNameErr(shown);
    return out;
}

void SetDllFolder(const std::wstring& folder) { g_dllFolder = folder; }
const std::wstring& DllFolder() { return g_dllFolder; }

int ArchiveCommand(ArchiveFamily family, HWND owner, const std::string& ansiCmd, char* buf, DWORD size) {
    auto fn = reinterpret_cast<CommandFn>(Resolve(family, ArchiveEntry::Command));
    return fn(owner, ansiCmd.c_str(), buf, size);
}

int ArchiveCommandLMZipZip(HWND owner, const std::string& ansiCmd, char* buf, DWORD size) {
    auto fn = reinterpret_cast<CommandFn>(Resolve(ArchiveFamily::LMZip, ArchiveEntry::Command2));
    return fn(owner, ansiCmd.c_str(), buf, size);
}

HARC ArchiveOpenArchive(ArchiveFamily family, HWND owner, const std::string& ansiPath, DWORD mode) {
    auto fn = reinterpret_cast<OpenArchiveFn>(Resolve(family, ArchiveEntry::OpenArchive));
    return fn(owner, ansiPath.c_str(), mode);
}

int ArchiveFindFirst(ArchiveFamily family, HARC arc, const std::string& ansiWildcard, TArchiveEntryInfo* info) {
    auto fn = reinterpret_cast<FindFirstFn>(Resolve(family, ArchiveEntry::FindFirst));
    return fn(arc, ansiWildcard.c_str(), info);
}

int ArchiveFindNext(ArchiveFamily family, HARC arc, TArchiveEntryInfo* info) {
    auto fn = reinterpret_cast<FindNextFn>(Resolve(family, ArchiveEntry::FindNext));
    return fn(arc, info);
}

int ArchiveCloseArchive(ArchiveFamily family, HARC arc) {
    auto fn = reinterpret_cast<CloseArchiveFn>(Resolve(family, ArchiveEntry::CloseArchive));
    return fn(arc);
}

HMODULE ArchiveDllModule(ArchiveFamily family) {
    const int i = ArchiveFamilyIndex(family);
    return i < 0 ? nullptr : g_bindings[i].module;
}

void ResetArchiveBindingForTests() {
    for (Binding& b : g_bindings) {
        if (b.module) FreeLibrary(b.module);
        b = Binding{};
    }
    g_dllFolder.clear();
}

}  // namespace quib
