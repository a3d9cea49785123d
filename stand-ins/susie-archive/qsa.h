#pragma once
// The QSA archive format (README.md): parsing only, no Windows calls.
#include <cstdint>
#include <string>
#include <vector>

namespace standin_qsa {

struct Entry {
    std::uint32_t position = 0;  // offset of the header line
    std::uint32_t size = 0;
    std::uint32_t time = 0;
    std::string method;
    std::string path;            // as stored
    std::uint32_t content = 0;   // offset of the content
};

bool HasSignature(const std::uint8_t* data, size_t size);
// The entries of an archive image; false when the signature is missing.
bool ParseArchive(const std::vector<std::uint8_t>& data, std::vector<Entry>& entries);

// Folder part (with its final separator) and name part of a stored path.
std::string FolderPart(const std::string& path);
std::string NamePart(const std::string& path);

}  // namespace standin_qsa
