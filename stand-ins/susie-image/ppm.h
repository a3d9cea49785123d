#pragma once
// Netpbm pictures (binary "P6" colour and "P5" grey, at most 255 levels):
// the header read with every length checked against the data, and the
// picture made into a bottom-up device-independent bitmap.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace standin_spi {

struct PpmHeader {
    bool colour = false;  // P6; false: P5
    int width = 0, height = 0, maxValue = 0;
    size_t dataOffset = 0;
};

// False when the bytes are no binary PPM/PGM this plug-in reads.
bool ParsePpmHeader(const std::uint8_t* data, size_t size, PpmHeader& out);

// Header block (BITMAPINFOHEADER, and a grey palette for P5) and bits block.
// False when the pixel data is shorter than the header says.
bool PpmToDib(const std::uint8_t* data, size_t size, std::vector<std::uint8_t>& info, std::vector<std::uint8_t>& bits);

}  // namespace standin_spi
