#pragma once
// The Susie plug-in list files ("quibFM-spm.txt" for archives,
// "quibFM-spi.txt" for pictures) that the companion file manager's plug-in
// setup writes and this program only reads: one plug-in per line, fields
// split like every list line (tabs, quoted commas or commas): 0 the enable
// word, 1 the extension with its dot, 2 unused here, 3 the plug-in's path
// (may start with "%D"/"%P").
#include <string>
#include <vector>

namespace quib {

struct SusieListLine {
    std::wstring enable;
    std::wstring extension;
    std::wstring pluginPath;  // as written in the file
};

// The fields of every line, in file order (lines with fewer fields get empty ones).
std::vector<SusieListLine> ParseSusieList(const std::vector<std::wstring>& lines);

// Reads a list file (byte-order mark, else the ANSI code page). False when
// it is missing or unreadable.
bool ReadSusieListFile(const std::wstring& path, std::vector<std::wstring>& lines);

// A line counts only with the current language's word: "有効" in Japanese,
// "Enable" in English.
bool SusieLineEnabled(const SusieListLine& line, bool japanese);

// Field 1 of every enabled line, in file order, duplicates kept.
std::vector<std::wstring> SusieListExtensions(const std::vector<SusieListLine>& lines, bool japanese);

// The plug-ins to ask about an archive, in file order: the enabled lines
// whose extension equals the archive's (without regard to case), their paths
// with the prefixes expanded.
std::vector<std::wstring> SusieCandidates(const std::vector<SusieListLine>& lines, const std::wstring& archivePath,
                                          bool japanese, const std::wstring& programPath);

// One association line per enabled line: type, tab, extension, tab, the
// plug-in path as written, tab, type, tab.
std::vector<std::wstring> SusieAssociationLines(const std::vector<SusieListLine>& lines, bool japanese,
                                                const std::wstring& executeType);

}  // namespace quib
