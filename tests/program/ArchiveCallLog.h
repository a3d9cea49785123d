#pragma once
// The stand-in archiver's call log read back by the window tests: one call
// per line, six tab-separated fields (entry point, DLL, owner, command line
// or path, size or mode, result).
#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "util/StrConv.h"

namespace quibtest {

inline std::vector<std::vector<std::wstring>> ArchiverCalls(const std::wstring& path) {
    std::vector<std::vector<std::wstring>> calls;
    for (const auto& line : quib::SplitLines(ReadUtf8File(path))) {
        std::vector<std::wstring> fields;
        std::wstringstream ss(line);
        std::wstring f;
        while (std::getline(ss, f, L'\t')) fields.push_back(f);
        if (!fields.empty()) calls.push_back(fields);
    }
    return calls;
}

// The entry points called, in order.
inline std::vector<std::wstring> ArchiverEntryPoints(const std::wstring& path) {
    std::vector<std::wstring> out;
    for (const auto& c : ArchiverCalls(path)) out.push_back(c[0]);
    return out;
}

// Points the stand-in's log at a file for the lifetime of the object.
struct ArchiverLogScope {
    std::wstring path;
    explicit ArchiverLogScope(const std::wstring& p) : path(p) {
        SetEnvironmentVariableW(L"QUIB_ARCHIVER_LOG", p.c_str());
    }
    ~ArchiverLogScope() { SetEnvironmentVariableW(L"QUIB_ARCHIVER_LOG", nullptr); }
};

}  // namespace quibtest
