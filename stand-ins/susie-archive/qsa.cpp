#include "qsa.h"

#include <cstring>

namespace standin_qsa {
namespace {

constexpr char kSignature[] = "QSAR1\n";
constexpr size_t kSignatureSize = 6;

bool ReadNumber(const std::string& text, std::uint32_t& value) {
    if (text.empty() || text.size() > 10) return false;
    unsigned long long v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + static_cast<unsigned>(c - '0');
    }
    if (v > 0xFFFFFFFFull) return false;
    value = static_cast<std::uint32_t>(v);
    return true;
}

}  // namespace

bool HasSignature(const std::uint8_t* data, size_t size) {
    return size >= kSignatureSize && std::memcmp(data, kSignature, kSignatureSize) == 0;
}

bool ParseArchive(const std::vector<std::uint8_t>& data, std::vector<Entry>& entries) {
    entries.clear();
    if (!HasSignature(data.data(), data.size())) return false;
    size_t at = kSignatureSize;
    while (at < data.size()) {
        size_t end = at;
        while (end < data.size() && data[end] != '\n') ++end;
        if (end >= data.size()) break;
        const std::string line(reinterpret_cast<const char*>(data.data() + at), end - at);
        const size_t s1 = line.find(' ');
        const size_t s2 = s1 == std::string::npos ? s1 : line.find(' ', s1 + 1);
        const size_t s3 = s2 == std::string::npos ? s2 : line.find(' ', s2 + 1);
        if (s3 == std::string::npos) break;
        Entry e;
        e.position = static_cast<std::uint32_t>(at);
        e.method = line.substr(s2 + 1, s3 - s2 - 1);
        e.path = line.substr(s3 + 1);
        if (!ReadNumber(line.substr(0, s1), e.size) || !ReadNumber(line.substr(s1 + 1, s2 - s1 - 1), e.time) ||
            e.method.empty() || e.method.size() > 7 || e.path.empty())
            break;
        e.content = static_cast<std::uint32_t>(end + 1);
        if (data.size() - e.content < e.size) break;
        entries.push_back(e);
        at = e.content + e.size;
    }
    return true;
}

std::string FolderPart(const std::string& path) {
    const size_t at = path.find_last_of("\\/");
    return at == std::string::npos ? std::string() : path.substr(0, at + 1);
}

std::string NamePart(const std::string& path) {
    const size_t at = path.find_last_of("\\/");
    return at == std::string::npos ? path : path.substr(at + 1);
}

}  // namespace standin_qsa
