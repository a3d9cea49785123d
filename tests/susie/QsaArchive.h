#pragma once
// QSA archives (the stand-in Susie archive plug-in's format) made at test time.
#include <string>
#include <vector>

namespace quibtest {

struct QsaEntry {
    std::string path;     // stored path, ANSI bytes
    std::string content;
    unsigned time = 0;
};

// The archive's bytes.
std::string QsaBytes(const std::vector<QsaEntry>& entries);
// The position (offset of the header line) of entry i.
unsigned QsaPosition(const std::vector<QsaEntry>& entries, size_t i);

// The stand-in plug-in as built beside the tests.
std::wstring QsaPlugin();

// A list file line enabling a plug-in for an extension in both languages'
// words: "有効" line then "Enable" line, tab-separated, UTF-8 with a BOM.
std::string SpmListBytes(const std::vector<std::wstring>& extensionsAndPaths);

}  // namespace quibtest
