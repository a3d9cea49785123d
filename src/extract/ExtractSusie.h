#pragma once
// Entries of an archive listed by a Susie archive plug-in are taken out one
// by one through the plug-in: first to a folder, and when the plug-in cannot
// write files, to memory and written here. Plug-in extraction always keeps
// the stored folders, so every stored path is checked against the
// destination before anything is asked of the plug-in.
#include <string>
#include <vector>

namespace quib {

// One entry as the selection carries it: "stored path \t position \t size".
struct SusieItem {
    std::wstring storedPath;
    long long position = 0;
    long long size = 0;
};

// The item text of an entry line's fields 9, 5 and 7.
std::wstring SusieItemText(const std::wstring& storedPath, const std::wstring& position, const std::wstring& size);
// Splits an item; "," in the size is dropped and blanks around numbers are ignored.
SusieItem ParseSusieItem(const std::wstring& item);

// The folder part (up to its last separator, "/" turned into "\") and the
// file-name part of a stored path.
std::wstring StoredFolderPart(const std::wstring& storedPath);
std::wstring StoredNamePart(const std::wstring& storedPath);

struct SusieFetchResult {
    bool contained = true;  // false: refused, nothing asked of the plug-in
    int ret1 = 0;           // the disk call's result
    int ret2 = 0;           // the memory call's result (0 when not needed)
    bool faulted = false;   // the plug-in faulted inside one of the calls
    std::wstring folder;    // base + folder part
    std::wstring name;      // the file-name part
    bool Ok() const { return contained && (ret1 == 0 || ret2 == 0); }
};

// Takes one entry out below base (ends with "\"): GetFile to base + folder
// part, and when that fails GetFile to memory written to base + folder part
// + name. plugin is expanded already; programPath expands nothing more.
SusieFetchResult FetchSusieEntry(const std::wstring& plugin, const std::wstring& archive, const std::wstring& base,
                                 const SusieItem& item, bool restrictedSearch, const std::wstring& programPath);

// The failure text of both calls: "Error : ...\r\nRet1= n\r\nRet2= m\r\n" +
// folder + "\r\n" + name, in the language asked.
std::wstring SusieFetchFailureText(const SusieFetchResult& r, bool japanese);

}  // namespace quib
