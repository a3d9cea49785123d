#pragma once
// Exif structures made byte by byte at test time: an IFD0 in either byte
// order, wrapped as a JPEG (Exif segment first, or after a JFIF segment), a
// bare Exif segment or a TIFF file.
#include <cstdint>
#include <string>
#include <vector>

namespace quibtest {

struct ExifEntry {
    std::uint16_t tag, type;
    std::uint32_t count;
    std::vector<std::uint8_t> value;  // the four bytes of the value field in file order
};

enum class ExifForm { JpegExifFirst, BareSegment, Tiff, JpegJfif };

inline void Put16(std::vector<std::uint8_t>& d, std::uint16_t v, bool be) {
    if (be) d.push_back(static_cast<std::uint8_t>(v >> 8)), d.push_back(static_cast<std::uint8_t>(v));
    else d.push_back(static_cast<std::uint8_t>(v)), d.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void Put32(std::vector<std::uint8_t>& d, std::uint32_t v, bool be) {
    Put16(d, static_cast<std::uint16_t>(be ? v >> 16 : v), be);
    Put16(d, static_cast<std::uint16_t>(be ? v : v >> 16), be);
}
// The value field of one SHORT in the file's byte order.
inline std::vector<std::uint8_t> Short1(std::uint16_t v, bool be) {
    std::vector<std::uint8_t> d;
    Put16(d, v, be);
    d.push_back(0), d.push_back(0);
    return d;
}

// The TIFF structure: header (IFD0 at 8), count, entries, next-IFD 0.
inline std::vector<std::uint8_t> TiffBlock(const std::vector<ExifEntry>& entries, bool be,
                                           std::uint16_t declaredCount = 0xFFFF) {
    std::vector<std::uint8_t> d = be ? std::vector<std::uint8_t>{0x4D, 0x4D, 0x00, 0x2A}
                                     : std::vector<std::uint8_t>{0x49, 0x49, 0x2A, 0x00};
    Put32(d, 8, be);
    Put16(d, declaredCount == 0xFFFF ? static_cast<std::uint16_t>(entries.size()) : declaredCount, be);
    for (const ExifEntry& e : entries) {
        Put16(d, e.tag, be);
        Put16(d, e.type, be);
        Put32(d, e.count, be);
        for (int i = 0; i < 4; ++i) d.push_back(i < static_cast<int>(e.value.size()) ? e.value[static_cast<size_t>(i)] : 0);
    }
    Put32(d, 0, be);
    return d;
}

inline std::vector<std::uint8_t> App1(const std::vector<std::uint8_t>& tiff) {
    std::vector<std::uint8_t> d{0xFF, 0xE1};
    const size_t len = tiff.size() + 8;
    d.push_back(static_cast<std::uint8_t>(len >> 8)), d.push_back(static_cast<std::uint8_t>(len));
    for (char c : std::string("Exif")) d.push_back(static_cast<std::uint8_t>(c));
    d.push_back(0), d.push_back(0);
    d.insert(d.end(), tiff.begin(), tiff.end());
    return d;
}

inline std::vector<std::uint8_t> WrapExif(ExifForm form, const std::vector<std::uint8_t>& tiff) {
    std::vector<std::uint8_t> d;
    switch (form) {
        case ExifForm::JpegExifFirst:
            d = {0xFF, 0xD8};
            break;
        case ExifForm::BareSegment:
            break;
        case ExifForm::Tiff:
            return tiff;
        case ExifForm::JpegJfif:
            d = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0};
            break;
    }
    const auto seg = App1(tiff);
    d.insert(d.end(), seg.begin(), seg.end());
    if (form != ExifForm::BareSegment) d.push_back(0xFF), d.push_back(0xD9);
    return d;
}

// A picture file's bytes with an Exif segment put right after its SOI marker.
inline std::string InsertExifAfterSoi(const std::string& jpeg, const std::vector<std::uint8_t>& tiff) {
    const auto seg = App1(tiff);
    return jpeg.substr(0, 2) + std::string(seg.begin(), seg.end()) + jpeg.substr(2);
}

}  // namespace quibtest
