#include "launch/Associations.h"

#include "util/StrConv.h"
#include "util/TextFile.h"

namespace quib {
namespace {

bool Holds(const std::wstring& text, const wchar_t* part) { return ToLower(text).find(ToLower(part)) != std::wstring::npos; }

}  // namespace

std::wstring AssociationLine(const Association& a) {
    return a.kind + L"\t" + a.extension + L"\t" + a.program + L"\t" + a.mode + L"\t";
}

Association ParseAssociationLine(const std::wstring& line) {
    Association a;
    std::wstring* fields[4] = {&a.kind, &a.extension, &a.program, &a.mode};
    size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const size_t tab = line.find(L'\t', start);
        *fields[i] = line.substr(start, tab == std::wstring::npos ? std::wstring::npos : tab - start);
        if (tab == std::wstring::npos) break;
        start = tab + 1;
    }
    return a;
}

std::wstring ExtFileKindOf(const std::wstring& programLine) {
    if (Holds(programLine, L"quibFMtext.exe")) return L"TEXT";
    if (Holds(programLine, L"quibFMimage.exe")) return L"IMAGE";
    if (Holds(programLine, L"quibFMplayer.exe")) return L"PLAYER";
    if (Holds(programLine, L"quibFMarchive.exe")) return L"ARCHIVE";
    return L"SINGLE";
}

std::wstring SettingsKindOf(const std::wstring& programLine) {
    const std::wstring sibling = ExtFileKindOf(programLine);
    if (sibling != L"SINGLE") return sibling;
    for (const wchar_t* token :
         {L"@ImageWicViewer", L"@ImageGdiViewer", L"@MovieMusicViwer", L"@ArchiveViwer", L"@TextViewer"})
        if (Holds(programLine, token)) return token;
    return L"SINGLE";
}

void SetExecuteExtention(std::vector<Association>& table, const StringList& extensions, const std::wstring& programLine) {
    const std::wstring kind = SettingsKindOf(programLine);
    for (const auto& ext : extensions) table.push_back({kind, ext, programLine, L"DUMMY"});
}

std::vector<ExtGroup> ParseQuibFMExt(const std::wstring& text, size_t maxGroups) {
    std::vector<ExtGroup> groups(1);
    for (const auto& line : SplitLines(text)) {
        if (line.empty()) continue;
        if (line.compare(0, 2, L"//") == 0) break;
        if (line[0] == L'/') {
            if (groups.size() >= maxGroups) break;
            groups.emplace_back();
        } else if (line[0] == L'.') {
            groups.back().extensions.push_back(line);
        } else {
            groups.back().programs.push_back(line);
        }
    }
    return groups;
}

std::vector<ExtGroup> ReadQuibFMExt(const std::wstring& programFolder, size_t maxGroups) {
    std::wstring text;
    if (!ReadTextFileDefault(programFolder + L"\\quibFM.ext", text)) return {};
    return ParseQuibFMExt(text, maxGroups);
}

std::vector<Association> AssociationsFromSettings(const std::array<StringList, 18>& extensions,
                                                  const std::array<std::wstring, 18>& programs) {
    std::vector<Association> table;
    for (size_t i = 0; i < 18; ++i) SetExecuteExtention(table, extensions[i], programs[i]);
    return table;
}

std::vector<Association> AssociationsFromExtFile(const std::vector<ExtGroup>& groups) {
    std::vector<Association> table;
    for (const auto& g : groups) {
        if (g.extensions.empty() || g.programs.empty()) continue;
        if (g.extensions.size() == 1) {
            for (const auto& p : g.programs) table.push_back({ExtFileKindOf(p), g.extensions[0], p, L"DUMMY"});
        } else {
            for (const auto& e : g.extensions)
                table.push_back({ExtFileKindOf(g.programs[0]), e, g.programs[0], L"DUMMY"});
        }
    }
    return table;
}

std::vector<Association> AssociationCandidates(const std::vector<Association>& table, const std::wstring& extension) {
    std::vector<Association> out;
    for (const auto& a : table)
        if (EqualsNoCase(a.extension, extension)) out.push_back(a);
    return out;
}

std::vector<ExtentionRow> ExtentionRows(const std::vector<ExtGroup>& groups) {
    std::vector<ExtentionRow> rows;
    for (const auto& g : groups) {
        std::wstring exts;
        for (const auto& e : g.extensions) exts += e + L";";
        for (const auto& p : g.programs) rows.push_back({exts, p});
    }
    return rows;
}

bool BuiltInKind(const std::wstring& kind) { return !kind.empty() && kind[0] == L'@'; }

}  // namespace quib
