#include "archive/SusieList.h"

#include "util/MyUtility.h"
#include "util/PathPrefix.h"
#include "util/StrConv.h"
#include "util/TextFile.h"

namespace quib {

std::vector<SusieListLine> ParseSusieList(const std::vector<std::wstring>& lines) {
    std::vector<SusieListLine> out;
    out.reserve(lines.size());
    for (const auto& text : lines) {
        std::vector<std::wstring> f;
        StringToCsvList(text, f);
        f.resize(4);
        out.push_back({f[0], f[1], f[3]});
    }
    return out;
}

bool ReadSusieListFile(const std::wstring& path, std::vector<std::wstring>& lines) {
    lines.clear();
    const DWORD a = GetFileAttributesW(path.c_str());
    if (a == INVALID_FILE_ATTRIBUTES || (a & FILE_ATTRIBUTE_DIRECTORY)) return false;
    std::wstring text;
    if (!ReadTextFileDefault(path, text)) return false;
    lines = SplitLines(text);
    return true;
}

bool SusieLineEnabled(const SusieListLine& line, bool japanese) {
    return line.enable == (japanese ? L"有効" : L"Enable");
}

std::vector<std::wstring> SusieListExtensions(const std::vector<SusieListLine>& lines, bool japanese) {
    std::vector<std::wstring> out;
    for (const auto& l : lines)
        if (SusieLineEnabled(l, japanese)) out.push_back(l.extension);
    return out;
}

std::vector<std::wstring> SusieCandidates(const std::vector<SusieListLine>& lines, const std::wstring& archivePath,
                                          bool japanese, const std::wstring& programPath) {
    const std::wstring ext = ExtractFileExt(archivePath);
    std::vector<std::wstring> out;
    for (const auto& l : lines)
        if (SusieLineEnabled(l, japanese) && !ext.empty() && EqualsNoCase(l.extension, ext))
            out.push_back(ExpandPathPrefix(l.pluginPath, programPath));
    return out;
}

std::vector<std::wstring> SusieAssociationLines(const std::vector<SusieListLine>& lines, bool japanese,
                                                const std::wstring& executeType) {
    std::vector<std::wstring> out;
    for (const auto& l : lines)
        if (SusieLineEnabled(l, japanese))
            out.push_back(executeType + L"\t" + l.extension + L"\t" + l.pluginPath + L"\t" + executeType + L"\t");
    return out;
}

}  // namespace quib
