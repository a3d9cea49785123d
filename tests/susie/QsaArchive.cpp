#include "QsaArchive.h"

#include "TestSupport.h"
#include "util/StrConv.h"

namespace quibtest {

std::string QsaBytes(const std::vector<QsaEntry>& entries) {
    std::string out = "QSAR1\n";
    for (const auto& e : entries)
        out += std::to_string(e.content.size()) + " " + std::to_string(e.time) + " store " + e.path + "\n" + e.content;
    return out;
}

unsigned QsaPosition(const std::vector<QsaEntry>& entries, size_t i) {
    return static_cast<unsigned>(QsaBytes({entries.begin(), entries.begin() + static_cast<long>(i)}).size());
}

std::wstring QsaPlugin() { return BinDir() + L"\\quibqsa.spi"; }

std::string SpmListBytes(const std::vector<std::wstring>& extensionsAndPaths) {
    std::wstring text;
    for (size_t i = 0; i + 1 < extensionsAndPaths.size(); i += 2) {
        for (const wchar_t* word : {L"有効", L"Enable"})
            text += std::wstring(word) + L"\t" + extensionsAndPaths[i] + L"\tQSA\t" + extensionsAndPaths[i + 1] + L"\r\n";
    }
    return "\xEF\xBB\xBF" + quib::WideToAnsi(text, CP_UTF8);
}

}  // namespace quibtest
