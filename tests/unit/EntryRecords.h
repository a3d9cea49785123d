#pragma once
// An archiver's entry record as the DLL fills it, for the tests of the lines
// and the store built from records.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "archive/EntryModel.h"

namespace unittest {

inline quib::TArchiveEntryInfo Record(const std::string& name, std::uint32_t size, std::uint32_t packed,
                                      std::uint16_t date, std::uint16_t time, const std::string& attr,
                                      const std::string& method) {
    quib::TArchiveEntryInfo info{};
    std::memcpy(info.FileName, name.data(), std::min(name.size(), sizeof(info.FileName)));
    std::memcpy(info.Attribute, attr.data(), std::min(attr.size(), sizeof(info.Attribute)));
    std::memcpy(info.Method, method.data(), std::min(method.size(), sizeof(info.Method)));
    info.OriginalSize = size;
    info.CompressedSize = packed;
    info.DosDate = date;
    info.DosTime = time;
    return info;
}

}  // namespace unittest
