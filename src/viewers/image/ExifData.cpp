#include "viewers/image/ExifData.h"

#include <windows.h>

#include <cstdio>

#include "util/MyUtility.h"

namespace quib {
namespace {

struct Reader {
    const std::vector<std::uint8_t>& d;
    bool bigEndian;
    bool Has(size_t at, size_t n) const { return at <= d.size() && n <= d.size() - at; }
    std::uint16_t U16(size_t at) const {
        return bigEndian ? static_cast<std::uint16_t>(d[at] << 8 | d[at + 1])
                         : static_cast<std::uint16_t>(d[at + 1] << 8 | d[at]);
    }
    std::uint32_t U32(size_t at) const {
        const std::uint32_t b0 = d[at], b1 = d[at + 1], b2 = d[at + 2], b3 = d[at + 3];
        return bigEndian ? (b0 << 24 | b1 << 16 | b2 << 8 | b3) : (b3 << 24 | b2 << 16 | b1 << 8 | b0);
    }
};

bool Match(const std::vector<std::uint8_t>& d, size_t at, std::initializer_list<int> bytes) {
    if (at > d.size() || bytes.size() > d.size() - at) return false;
    size_t i = at;
    for (int b : bytes)
        if (d[i++] != static_cast<std::uint8_t>(b)) return false;
    return true;
}

// 0 = not a TIFF header, 1 = II (little-endian), 2 = MM (big-endian).
int TiffOrder(const std::vector<std::uint8_t>& d, size_t at) {
    if (Match(d, at, {0x49, 0x49, 0x2A, 0x00})) return 1;
    if (Match(d, at, {0x4D, 0x4D, 0x00, 0x2A})) return 2;
    return 0;
}

bool ExifMark(const std::vector<std::uint8_t>& d, size_t at) { return Match(d, at, {'E', 'x', 'i', 'f', 0, 0}); }

std::wstring Hex(std::uint32_t value, int digits) {
    wchar_t buf[16];
    std::swprintf(buf, 16, L"0x%.*X", digits, value);
    return buf;
}

// The value field as a big-endian file would hold a value that fits into it;
// anything else as the 32-bit number (or offset) it is.
std::uint32_t ValueField(const Reader& r, size_t at, std::uint16_t type, std::uint32_t count) {
    const std::uint8_t* b = &r.d[at];
    switch (type) {
        case 1: case 2: case 6: case 7:
            if (count >= 1 && count <= 4) {
                std::uint32_t v = 0;
                for (std::uint32_t i = 0; i < 4; ++i) v = v << 8 | (i < count ? b[i] : 0u);
                return v;
            }
            break;
        case 3: case 8:
            if (count == 1) return static_cast<std::uint32_t>(r.U16(at)) << 16;
            if (count == 2) return static_cast<std::uint32_t>(r.U16(at)) << 16 | r.U16(at + 2);
            break;
        default:
            break;
    }
    return r.U32(at);
}

}  // namespace

bool ReadExifTagsFromBytes(const std::vector<std::uint8_t>& d, std::vector<std::wstring>& lines) {
    if (d.size() < 14) return false;
    lines.clear();
    // Where the entry count is read and whether the short Exif segment
    // (length 16) is refused.
    size_t countAt = 0;
    bool segmentForm = false;
    int order = 0;
    if (Match(d, 0, {0xFF, 0xD8, 0xFF, 0xE1}) && ExifMark(d, 6) && (order = TiffOrder(d, 12)) != 0) {
        countAt = 20, segmentForm = true;
    } else if (Match(d, 0, {0xFF, 0xE1}) && ExifMark(d, 4) && (order = TiffOrder(d, 10)) != 0) {
        countAt = 18, segmentForm = true;
    } else if ((order = TiffOrder(d, 0)) != 0) {
        const Reader r{d, order == 2};
        countAt = r.U32(4);  // IFD0 offset; checked against the end below
    } else if (Match(d, 0, {0xFF, 0xD8, 0xFF, 0xE0}) && Match(d, 6, {'J', 'F', 'I', 'F', 0}) &&
               Match(d, 20, {0xFF, 0xE1}) && ExifMark(d, 24) && (order = TiffOrder(d, 30)) != 0) {
        countAt = 38;
    } else {
        return false;
    }
    if (segmentForm) {
        const size_t lengthAt = countAt - 16;  // the segment's two length bytes
        if (d[lengthAt] == 0x00 && d[lengthAt + 1] == 0x10) return false;
    }
    const Reader r{d, order == 2};
    if (!r.Has(countAt, 2)) return false;
    const std::uint16_t count = r.U16(countAt);
    size_t at = countAt + 2;
    for (std::uint32_t i = 0; i < count && i < kExifMaxEntries; ++i, at += 12) {
        if (!r.Has(at, 12)) break;  // a directory cut short by the end of the file
        const std::uint16_t tag = r.U16(at), type = r.U16(at + 2);
        const std::uint32_t n = r.U32(at + 4);
        lines.push_back(Hex(tag, 4) + L"\t" + Hex(type, 4) + L"\t" + Hex(n, 8) + L"\t" +
                        Hex(ValueField(r, at + 8, type, n), 8) + L"\t\t" + Hex(static_cast<std::uint32_t>(at), 8));
    }
    return true;
}

bool ReadExifTags(const std::wstring& fileName, std::vector<std::wstring>& lines) {
    HANDLE h = CreateFileW(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    std::vector<std::uint8_t> data;
    bool ok = GetFileSizeEx(h, &size) && size.QuadPart >= 14;
    // The directory sits near the start of the file: the Exif segment of a
    // JPEG is at most 64 KB, and a TIFF's IFD0 offset is read from the file, so
    // a TIFF is read whole up to a sane bound.
    if (ok) {
        const LONGLONG limit = 64LL * 1024 * 1024;
        data.resize(static_cast<size_t>(size.QuadPart < limit ? size.QuadPart : limit));
        DWORD got = 0;
        ok = ReadFile(h, data.data(), static_cast<DWORD>(data.size()), &got, nullptr) != 0;
        data.resize(ok ? got : 0);
    }
    CloseHandle(h);
    if (!ok) return false;
    return ReadExifTagsFromBytes(data, lines);
}

int ExifOrientationRotation(const std::vector<std::wstring>& lines) {
    std::vector<std::wstring> f;
    for (const auto& line : lines) {
        f.clear();
        StringToCsvList(line, f);
        if (f.empty() || f[0] != L"0x0112") continue;
        const std::wstring v = f.size() > 3 ? f[3] : L"";
        if (v == L"0x00060000") return 1;
        if (v == L"0x00030000") return 2;
        if (v == L"0x00080000") return 3;
        return 0;
    }
    return -1;
}

}  // namespace quib
