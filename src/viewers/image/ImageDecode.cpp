#include "viewers/image/ImageDecode.h"

#include <objbase.h>
#include <wincodec.h>

#include <algorithm>
#include <cstring>
// GDI+'s headers need min and max in scope.
using std::max;
using std::min;
#include <gdiplus.h>

namespace quib {
namespace {

// GDI+ is started once for the run and left running (it must outlive every
// Image object, and the process ends soon after the last window anyway).
void EnsureGdiPlus() {
    static ULONG_PTR token = [] {
        ULONG_PTR t = 0;
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&t, &input, nullptr);
        return t;
    }();
    (void)token;
}

class ComScope {
public:
    ComScope() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope() {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT hr_;
};

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() {
        if (p_) p_->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T** operator&() { return &p_; }
    T* operator->() const { return p_; }
    T* get() const { return p_; }

private:
    T* p_ = nullptr;
};

bool SizeAllowed(UINT w, UINT h) {
    return w > 0 && h > 0 && w <= 0x7FFFFFFF && h <= 0x7FFFFFFF && BitmapSizeAllowed(static_cast<int>(w), static_cast<int>(h));
}

// The picture made k times smaller on each side by averaging k x k blocks:
// GDI+'s high-quality scaling of a 24-megapixel picture down to a window is
// several times slower than this pass followed by a small scale.
DecodedImage BoxReduce(const DecodedImage& src, int k) {
    DecodedImage out;
    out.width = src.width / k, out.height = src.height / k;
    out.bitsPerPixel = src.bitsPerPixel;
    out.pixels.resize(static_cast<size_t>(out.width) * out.height * 4);
    const size_t srcStride = static_cast<size_t>(src.width) * 4;
    std::vector<std::uint32_t> sums(static_cast<size_t>(out.width) * 4);
    const std::uint32_t n = static_cast<std::uint32_t>(k * k);
    for (int y = 0; y < out.height; ++y) {
        std::fill(sums.begin(), sums.end(), 0u);
        for (int dy = 0; dy < k; ++dy) {
            const std::uint8_t* row = src.pixels.data() + static_cast<size_t>(y * k + dy) * srcStride;
            for (int x = 0; x < out.width; ++x) {
                std::uint32_t* s = &sums[static_cast<size_t>(x) * 4];
                const std::uint8_t* p = row + static_cast<size_t>(x) * k * 4;
                for (int dx = 0; dx < k; ++dx, p += 4) s[0] += p[0], s[1] += p[1], s[2] += p[2], s[3] += p[3];
            }
        }
        std::uint8_t* dst = out.pixels.data() + static_cast<size_t>(y) * out.width * 4;
        for (size_t i = 0; i < sums.size(); ++i) dst[i] = static_cast<std::uint8_t>(sums[i] / n);
    }
    return out;
}

}  // namespace

bool BitmapSizeAllowed(int w, int h) {
    if (w <= 0 || h <= 0) return false;
    // A 32-bit process keeps its bitmaps well under its address space; the
    // limit leaves room for the decoded picture and the one shown together.
    const std::uint64_t limit = sizeof(void*) == 4 ? 400ull << 20 : 2048ull << 20;
    return static_cast<std::uint64_t>(w) * static_cast<std::uint64_t>(h) * 4 <= limit;
}

DecodeStatus DecodeWithWic(const std::wstring& path, DecodedImage& out) {
    ComScope com;
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory))))
        return DecodeStatus::Failed;
    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                  &decoder)))
        return DecodeStatus::Failed;
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, &frame))) return DecodeStatus::Failed;
    UINT w = 0, h = 0;
    if (FAILED(frame->GetSize(&w, &h))) return DecodeStatus::Failed;
    if (!SizeAllowed(w, h)) return w && h ? DecodeStatus::TooLarge : DecodeStatus::Failed;
    // The file's colour depth comes with the decode: opening the file a
    // second time through GDI+ would decode the whole picture again.
    unsigned bits = 0;
    WICPixelFormatGUID format{};
    ComPtr<IWICComponentInfo> componentInfo;
    ComPtr<IWICPixelFormatInfo> formatInfo;
    if (SUCCEEDED(frame->GetPixelFormat(&format)) && SUCCEEDED(factory->CreateComponentInfo(format, &componentInfo)) &&
        SUCCEEDED(componentInfo->QueryInterface(IID_IWICPixelFormatInfo, reinterpret_cast<void**>(&formatInfo)))) {
        UINT b = 0;
        if (SUCCEEDED(formatInfo->GetBitsPerPixel(&b))) bits = b;
    }
    ComPtr<IWICBitmapSource> converted;
    if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.get(), &converted)))
        return DecodeStatus::Failed;
    DecodedImage img;
    img.width = static_cast<int>(w), img.height = static_cast<int>(h);
    img.bitsPerPixel = bits;
    try {
        img.pixels.resize(static_cast<size_t>(w) * h * 4);
    } catch (const std::bad_alloc&) {
        return DecodeStatus::TooLarge;
    }
    if (FAILED(converted->CopyPixels(nullptr, w * 4, static_cast<UINT>(img.pixels.size()), img.pixels.data())))
        return DecodeStatus::Failed;
    out = std::move(img);
    return DecodeStatus::Ok;
}

DecodeStatus DecodeWithGdiPlus(const std::wstring& path, DecodedImage& out) {
    EnsureGdiPlus();
    Gdiplus::Bitmap bmp(path.c_str());
    if (bmp.GetLastStatus() != Gdiplus::Ok) return DecodeStatus::Failed;
    const UINT w = bmp.GetWidth(), h = bmp.GetHeight();
    if (!SizeAllowed(w, h)) return w && h ? DecodeStatus::TooLarge : DecodeStatus::Failed;
    DecodedImage img;
    img.width = static_cast<int>(w), img.height = static_cast<int>(h);
    img.bitsPerPixel = Gdiplus::GetPixelFormatSize(bmp.GetPixelFormat());
    try {
        img.pixels.resize(static_cast<size_t>(w) * h * 4);
    } catch (const std::bad_alloc&) {
        return DecodeStatus::TooLarge;
    }
    Gdiplus::BitmapData data{};
    data.Width = w, data.Height = h, data.Stride = static_cast<INT>(w * 4);
    data.PixelFormat = PixelFormat32bppARGB;
    data.Scan0 = img.pixels.data();
    Gdiplus::Rect rect(0, 0, static_cast<INT>(w), static_cast<INT>(h));
    if (bmp.LockBits(&rect, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf, PixelFormat32bppARGB,
                     &data) != Gdiplus::Ok)
        return DecodeStatus::Failed;
    bmp.UnlockBits(&data);
    out = std::move(img);
    return DecodeStatus::Ok;
}

DecodeStatus DecodeDib(const void* info, size_t infoSize, const void* bits, size_t bitsSize, DecodedImage& out) {
    if (!info || !bits || infoSize < sizeof(BITMAPINFOHEADER)) return DecodeStatus::Failed;
    BITMAPINFOHEADER hdr;
    std::memcpy(&hdr, info, sizeof hdr);
    if (hdr.biSize < sizeof(BITMAPINFOHEADER) || hdr.biSize > infoSize) return DecodeStatus::Failed;
    const LONG w = hdr.biWidth, h = hdr.biHeight < 0 ? -hdr.biHeight : hdr.biHeight;
    if (w <= 0 || h <= 0 || hdr.biPlanes != 1) return DecodeStatus::Failed;
    if (hdr.biCompression != BI_RGB && hdr.biCompression != BI_BITFIELDS) return DecodeStatus::Failed;
    const WORD bpp = hdr.biBitCount;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return DecodeStatus::Failed;
    if (!BitmapSizeAllowed(w, h)) return DecodeStatus::TooLarge;
    // The plug-in's blocks are trusted only as far as their sizes go.
    const std::uint64_t stride = ((static_cast<std::uint64_t>(w) * bpp + 31) / 32) * 4;
    if (stride * static_cast<std::uint64_t>(h) > bitsSize) return DecodeStatus::Failed;
    size_t colours = 0;
    if (bpp <= 8) colours = hdr.biClrUsed ? hdr.biClrUsed : (1u << bpp);
    if (hdr.biCompression == BI_BITFIELDS && hdr.biSize == sizeof(BITMAPINFOHEADER)) colours = 3;
    if (colours > 256 || hdr.biSize + colours * sizeof(RGBQUAD) > infoSize) return DecodeStatus::Failed;

    DecodedImage img;
    img.width = w, img.height = h;
    img.bitsPerPixel = bpp;
    try {
        img.pixels.resize(static_cast<size_t>(w) * static_cast<size_t>(h) * 4);
    } catch (const std::bad_alloc&) {
        return DecodeStatus::TooLarge;
    }
    BITMAPINFO target{};
    target.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    target.bmiHeader.biWidth = w;
    target.bmiHeader.biHeight = -h;
    target.bmiHeader.biPlanes = 1;
    target.bmiHeader.biBitCount = 32;
    target.bmiHeader.biCompression = BI_RGB;
    void* dibBits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP dib = CreateDIBSection(screen, &target, DIB_RGB_COLORS, &dibBits, nullptr, 0);
    DecodeStatus status = DecodeStatus::Failed;
    if (dib && dibBits) {
        if (SetDIBits(screen, dib, 0, static_cast<UINT>(h), bits, static_cast<const BITMAPINFO*>(info),
                      DIB_RGB_COLORS) != 0) {
            GdiFlush();
            std::memcpy(img.pixels.data(), dibBits, img.pixels.size());
            for (size_t i = 3; i < img.pixels.size(); i += 4) img.pixels[i] = 0xFF;
            status = DecodeStatus::Ok;
        }
    }
    if (dib) DeleteObject(dib);
    ReleaseDC(nullptr, screen);
    if (status == DecodeStatus::Ok) out = std::move(img);
    return status;
}

HBITMAP RenderPicture(const DecodedImage& image, int rotation, bool leftRight, bool topBottom, int outW, int outH,
                      COLORREF background, bool& ok) {
    ok = false;
    if (image.Empty() || outW <= 0 || outH <= 0 || !BitmapSizeAllowed(outW, outH)) return nullptr;
    EnsureGdiPlus();
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = outW;
    bi.bmiHeader.biHeight = -outH;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib || !bits) {
        if (dib) DeleteObject(dib);
        return nullptr;
    }
    // The background shows through transparent pixels.
    auto* px = static_cast<std::uint32_t*>(bits);
    const std::uint32_t back = 0xFF000000u | GetRValue(background) << 16 | GetGValue(background) << 8 | GetBValue(background);
    std::fill(px, px + static_cast<size_t>(outW) * static_cast<size_t>(outH), back);

    const bool quarter = (rotation & 1) != 0;
    const float dw = static_cast<float>(quarter ? outH : outW), dh = static_cast<float>(quarter ? outW : outH);
    // A big reduction is mostly done by averaging blocks; GDI+ scales the rest.
    const int k = std::min(image.width / std::max(1, static_cast<int>(dw)), image.height / std::max(1, static_cast<int>(dh))) / 2;
    DecodedImage reduced;
    if (k >= 2) reduced = BoxReduce(image, k);
    const DecodedImage& from = k >= 2 ? reduced : image;
    Gdiplus::Bitmap source(from.width, from.height, from.width * 4, PixelFormat32bppARGB,
                           const_cast<BYTE*>(from.pixels.data()));
    Gdiplus::Bitmap target(outW, outH, outW * 4, PixelFormat32bppARGB, static_cast<BYTE*>(bits));
    Gdiplus::Graphics g(&target);
    // One drawing does the turn, the mirror and the scale: the picture is
    // turned about its centre, mirrored in the output, then moved to the
    // output's centre (transforms are applied last-given-first).
    g.TranslateTransform(outW / 2.0f, outH / 2.0f);
    g.ScaleTransform(leftRight ? -1.0f : 1.0f, topBottom ? -1.0f : 1.0f);
    g.RotateTransform(90.0f * static_cast<float>(rotation & 3));
    const bool sameSize = static_cast<int>(dw) == from.width && static_cast<int>(dh) == from.height;
    g.SetInterpolationMode(sameSize ? Gdiplus::InterpolationModeNearestNeighbor
                                    : Gdiplus::InterpolationModeHighQualityBilinear);
    g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    g.SetCompositingMode(Gdiplus::CompositingModeSourceOver);
    Gdiplus::ImageAttributes attributes;
    // Edge pixels are not blended with the nothing beyond the picture.
    attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    const Gdiplus::RectF dest(-dw / 2, -dh / 2, dw, dh);
    const Gdiplus::Status st = g.DrawImage(&source, dest, 0.0f, 0.0f, static_cast<float>(from.width),
                                           static_cast<float>(from.height), Gdiplus::UnitPixel, &attributes);
    g.Flush(Gdiplus::FlushIntentionSync);
    ok = st == Gdiplus::Ok;
    return dib;
}

}  // namespace quib
