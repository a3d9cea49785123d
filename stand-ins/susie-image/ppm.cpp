#include "ppm.h"

#include <windows.h>

#include <cstring>

namespace standin_spi {
namespace {

bool Space(std::uint8_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Reads one decimal number after blanks and comments; false past the end.
bool Number(const std::uint8_t* d, size_t size, size_t& at, int& out) {
    for (;;) {
        while (at < size && Space(d[at])) ++at;
        if (at < size && d[at] == '#') {
            while (at < size && d[at] != '\n') ++at;
            continue;
        }
        break;
    }
    if (at >= size || d[at] < '0' || d[at] > '9') return false;
    long long v = 0;
    while (at < size && d[at] >= '0' && d[at] <= '9') {
        v = v * 10 + (d[at++] - '0');
        if (v > 1000000) return false;
    }
    out = static_cast<int>(v);
    return true;
}

}  // namespace

bool ParsePpmHeader(const std::uint8_t* d, size_t size, PpmHeader& out) {
    if (size < 3 || d[0] != 'P' || (d[1] != '6' && d[1] != '5') || !Space(d[2])) return false;
    PpmHeader h;
    h.colour = d[1] == '6';
    size_t at = 2;
    if (!Number(d, size, at, h.width) || !Number(d, size, at, h.height) || !Number(d, size, at, h.maxValue))
        return false;
    if (h.width <= 0 || h.height <= 0 || h.maxValue <= 0 || h.maxValue > 255) return false;
    if (at >= size || !Space(d[at])) return false;
    h.dataOffset = at + 1;
    out = h;
    return true;
}

bool PpmToDib(const std::uint8_t* d, size_t size, std::vector<std::uint8_t>& info, std::vector<std::uint8_t>& bits) {
    PpmHeader h;
    if (!ParsePpmHeader(d, size, h)) return false;
    const size_t channels = h.colour ? 3 : 1;
    const size_t rowIn = static_cast<size_t>(h.width) * channels;
    if ((size - h.dataOffset) / rowIn < static_cast<size_t>(h.height)) return false;
    const size_t rowOut = (rowIn + 3) & ~static_cast<size_t>(3);
    BITMAPINFOHEADER bih{};
    bih.biSize = sizeof bih;
    bih.biWidth = h.width;
    bih.biHeight = h.height;  // bottom-up, as most plug-ins give it
    bih.biPlanes = 1;
    bih.biBitCount = static_cast<WORD>(channels * 8);
    bih.biCompression = BI_RGB;
    bih.biSizeImage = static_cast<DWORD>(rowOut * static_cast<size_t>(h.height));
    bih.biClrUsed = h.colour ? 0 : 256;
    info.assign(sizeof bih + (h.colour ? 0 : 256 * sizeof(RGBQUAD)), 0);
    std::memcpy(info.data(), &bih, sizeof bih);
    if (!h.colour) {
        auto* pal = reinterpret_cast<RGBQUAD*>(info.data() + sizeof bih);
        for (int i = 0; i < 256; ++i) {
            const auto v = static_cast<BYTE>(i > h.maxValue ? 255 : i * 255 / h.maxValue);
            pal[i] = RGBQUAD{v, v, v, 0};
        }
    }
    bits.assign(rowOut * static_cast<size_t>(h.height), 0);
    for (int y = 0; y < h.height; ++y) {
        const std::uint8_t* src = d + h.dataOffset + static_cast<size_t>(y) * rowIn;
        std::uint8_t* dst = bits.data() + static_cast<size_t>(h.height - 1 - y) * rowOut;
        for (int x = 0; x < h.width; ++x) {
            if (h.colour) {
                const auto scale = [&](std::uint8_t v) { return static_cast<std::uint8_t>(v * 255 / h.maxValue); };
                dst[x * 3 + 0] = scale(src[x * 3 + 2]);
                dst[x * 3 + 1] = scale(src[x * 3 + 1]);
                dst[x * 3 + 2] = scale(src[x * 3 + 0]);
            } else {
                dst[x] = src[x];
            }
        }
    }
    return true;
}

}  // namespace standin_spi
