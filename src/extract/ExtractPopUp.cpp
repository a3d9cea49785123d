#include "extract/ExtractPopUp.h"

#include <windows.h>

#include "extract/ExtractSusie.h"
#include "util/MyUtility.h"
#include "util/StrConv.h"

namespace quib {
namespace {

std::vector<std::wstring> Fields(const std::wstring& line) {
    std::vector<std::wstring> f;
    size_t start = 0;
    for (;;) {
        const size_t at = line.find(L'\t', start);
        if (at == std::wstring::npos) {
            f.push_back(line.substr(start));
            break;
        }
        f.push_back(line.substr(start, at - start));
        start = at + 1;
    }
    f.resize(10);
    return f;
}

}  // namespace

std::wstring PopUpButtonCaption(const std::wstring& caption, const std::wstring& name) {
    const size_t bytes = WideToAnsi(name).size();
    const size_t blanks = bytes >= 12 ? 0 : 12 - bytes;
    return caption + L" " + name + std::wstring(blanks, L' ');
}

std::wstring PopUpDestinationFolder(const std::wstring& folder) {
    if (folder.empty()) return {};
    const DWORD a = GetFileAttributesW(folder.c_str());
    if (a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_DIRECTORY)) return {};
    return folder.back() == L'\\' ? folder : folder + L"\\";
}

StringList PopUpSelection(const StringList& entryLines) {
    StringList out;
    for (const auto& line : entryLines) {
        const auto f = Fields(line);
        if (!f[3].empty()) out.push_back(f[9]);
    }
    return out;
}

StringList PopUpSusieSelection(const StringList& entryLines) {
    StringList out;
    for (const auto& line : entryLines) {
        const auto f = Fields(line);
        if (!f[3].empty()) out.push_back(SusieItemText(f[9], f[5], f[7]));
    }
    return out;
}

bool FamilyWindowCaption(const std::wstring& caption) {
    return ToLower(caption).find(L" - quibfm") != std::wstring::npos;
}

}  // namespace quib
