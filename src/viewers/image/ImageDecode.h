#pragma once
// Pictures decoded once into memory (32-bit BGRA, top-down rows) by WIC,
// GDI+ or a Susie image plug-in, and drawn from there, turned, mirrored and
// scaled, into the bitmap the viewer shows. Keeping the decoded pixels means
// zoom, fit, rotation and resizing never decode the file again.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace quib {

struct DecodedImage {
    int width = 0, height = 0;
    std::vector<std::uint8_t> pixels;  // width * 4 bytes per row, top row first
    unsigned bitsPerPixel = 0;         // of the file's own pixel format; 0 when unknown
    bool Empty() const { return width <= 0 || height <= 0; }
};

// Whether a 32-bit bitmap of w x h can be made in this process: a 32-bit
// process has far less room than the 20480 x 20480 the viewer allows.
bool BitmapSizeAllowed(int w, int h);

enum class DecodeStatus { Ok, Failed, TooLarge };

DecodeStatus DecodeWithWic(const std::wstring& path, DecodedImage& out);
DecodeStatus DecodeWithGdiPlus(const std::wstring& path, DecodedImage& out);
// A device-independent bitmap as a plug-in gives it (header, colour table
// and bits in two blocks of known sizes). Failed when the header is not one
// or the bits are shorter than the header says.
DecodeStatus DecodeDib(const void* info, size_t infoSize, const void* bits, size_t bitsSize, DecodedImage& out);

// The picture turned by rotation quarter turns clockwise, then mirrored
// left-right and top-bottom, scaled to outW x outH over the background
// colour. ok is false when GDI+ reported a failure (the bitmap is still
// returned). Null when the bitmap cannot be made.
HBITMAP RenderPicture(const DecodedImage& image, int rotation, bool leftRight, bool topBottom, int outW, int outH,
                      COLORREF background, bool& ok);

}  // namespace quib
