#pragma once
// The association table of launching by extension: lines of five
// tab-separated fields (kind, extension, program line, mode, empty), made
// from the settings' eighteen ExpandFile slots or from the filer's
// association file "quibFM.ext", and the candidates for one extension.
#include <array>
#include <string>
#include <vector>

namespace quib {

using StringList = std::vector<std::wstring>;

struct Association {
    std::wstring kind;       // "TEXT", "IMAGE", ..., "SINGLE", "SPI", or a built-in token "@TextViewer", ...
    std::wstring extension;  // with its dot
    std::wstring program;    // program line, plug-in path or token
    std::wstring mode;       // "DUMMY", or the kind again for plug-in lines
};

// One table line and back.
std::wstring AssociationLine(const Association& a);
Association ParseAssociationLine(const std::wstring& line);

// The kind of a settings slot's program line (sibling names, then the
// built-in tokens, else "SINGLE"), tested as substrings without regard to case.
std::wstring SettingsKindOf(const std::wstring& programLine);
// The kind of a "quibFM.ext" program line: the four sibling names only.
std::wstring ExtFileKindOf(const std::wstring& programLine);

// Appends one settings slot's lines: each extension with the slot's program.
void SetExecuteExtention(std::vector<Association>& table, const StringList& extensions, const std::wstring& programLine);

// "quibFM.ext" read into groups: extensions and program lines per group. A
// line starting "//" ends the file, "/" starts the next group, "." is an
// extension, anything else a program line; empty lines are skipped. At most
// maxGroups groups.
struct ExtGroup {
    StringList extensions;
    StringList programs;
};
std::vector<ExtGroup> ParseQuibFMExt(const std::wstring& text, size_t maxGroups);
// The file in the program folder, read with the system's default decoding;
// a missing file gives no groups.
std::vector<ExtGroup> ReadQuibFMExt(const std::wstring& programFolder, size_t maxGroups);

// The table from the settings slots.
std::vector<Association> AssociationsFromSettings(const std::array<StringList, 18>& extensions,
                                                  const std::array<std::wstring, 18>& programs);
// The table from "quibFM.ext"'s groups: one extension gives a line per
// program, several extensions a line each with the first program.
std::vector<Association> AssociationsFromExtFile(const std::vector<ExtGroup>& groups);

// The candidates for an extension, in table order.
std::vector<Association> AssociationCandidates(const std::vector<Association>& table, const std::wstring& extension);

// The picker's rows ("quibFM.ext", at most 100 groups): for every program
// line of a group, its extensions each followed by ";" and the program line.
struct ExtentionRow {
    std::wstring extensions;
    std::wstring program;
};
std::vector<ExtentionRow> ExtentionRows(const std::vector<ExtGroup>& groups);

// Built-in viewer kinds begin with "@".
bool BuiltInKind(const std::wstring& kind);

}  // namespace quib
