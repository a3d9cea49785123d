// Image viewer speed, printed (never checked):
//  1. a 24-megapixel JPEG opened at fit as the viewer's first load does it
//     (WIC decode, colour depth, Exif, turn and scale through GDI+) against
//     WIC's own decode and scale of the same file in the same run;
//  2. stepping to the next picture in an archive of 1,000 pictures in the
//     real main window and viewer, against extracting that one entry and
//     decoding it alone.
// Usage: bench_image [rounds]
#include <windows.h>
#include <objbase.h>
#include <wincodec.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "FormTestSupport.h"
#include "ImageTestPictures.h"
#include "MainWindowHarness.h"
#include "app/MainMenuTable.h"
#include "extract/ExtractCommand.h"
#include "viewers/image/ExifData.h"
#include "viewers/image/FormImage.h"
#include "viewers/image/ImageDecode.h"
#include "viewers/image/ImageGeometry.h"

using namespace quibtest;

namespace {

double Now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

std::vector<std::uint8_t> Pattern(int w, int h) {
    std::vector<std::uint8_t> px(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = &px[(static_cast<size_t>(y) * w + x) * 4];
            p[0] = static_cast<std::uint8_t>(x * 7 + y), p[1] = static_cast<std::uint8_t>(y * 3), p[2] = static_cast<std::uint8_t>(x ^ y), p[3] = 255;
        }
    return px;
}

// WIC alone: decode and scale to the size the viewer's fit gives.
double WicDecodeAndScale(const std::wstring& path, int outW, int outH) {
    const double t0 = Now();
    IWICImagingFactory* factory = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICBitmapScaler* scaler = nullptr;
    CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                     reinterpret_cast<void**>(&factory));
    factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand, &decoder);
    decoder->GetFrame(0, &frame);
    factory->CreateBitmapScaler(&scaler);
    scaler->Initialize(frame, static_cast<UINT>(outW), static_cast<UINT>(outH), WICBitmapInterpolationModeLinear);
    std::vector<std::uint8_t> out(static_cast<size_t>(outW) * outH * 4);
    IWICBitmapSource* converted = nullptr;
    WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, scaler, &converted);
    converted->CopyPixels(nullptr, static_cast<UINT>(outW * 4), static_cast<UINT>(out.size()), out.data());
    for (IUnknown* u : std::initializer_list<IUnknown*>{converted, scaler, frame, decoder, factory})
        if (u) u->Release();
    return Now() - t0;
}

// The viewer's first load without a window.
double ViewerFirstLoad(const std::wstring& path, int areaW, int areaH) {
    const double t0 = Now();
    quib::DecodedImage img;
    quib::DecodeWithWic(path, img);
    const double t1 = Now();
    quib::DepthText(img.bitsPerPixel);
    const double t2 = Now();
    std::vector<std::wstring> exif;
    quib::ReadExifTags(path, exif);
    const double t3 = Now();
    const auto out = quib::ComputeImageOutputSize(true, areaW, areaH, img.width, img.height, 100);
    bool ok = false;
    HBITMAP bmp = quib::RenderPicture(img, 0, false, false, out.width, out.height, 0x400000, ok);
    if (bmp) DeleteObject(bmp);
    const double t4 = Now();
    if (GetEnvironmentVariableW(L"QUIB_BENCH_PARTS", nullptr, 0))
        std::printf("  decode %.3f depth %.3f exif %.3f render %.3f\n", t1 - t0, t2 - t1, t3 - t2, t4 - t3);
    return Now() - t0;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 3;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    TempDir dir;

    // 1. 24 megapixels at fit.
    const int w = 6000, h = 4000, areaW = 1000, areaH = 700;
    const std::wstring big = dir / L"big.jpg";
    WriteFileBytes(big, EncodePicture(GUID_ContainerFormatJpeg, w, h, Pattern(w, h)));
    const auto fit = quib::ComputeImageOutputSize(true, areaW, areaH, w, h, 100);
    std::vector<double> wic, viewer;
    for (int i = 0; i < rounds; ++i) {
        wic.push_back(WicDecodeAndScale(big, fit.width, fit.height));
        viewer.push_back(ViewerFirstLoad(big, areaW, areaH));
    }
    std::printf("24MP JPEG at fit (%dx%d): WIC decode+scale %.3f s, viewer first load %.3f s, ratio %.2f (target <= 1.5)\n",
                fit.width, fit.height, Median(wic), Median(viewer), Median(viewer) / Median(wic));

    // 2. Stepping in an archive of 1,000 pictures.
    const std::string jpeg = EncodePicture(GUID_ContainerFormatJpeg, 1600, 1200, Pattern(1600, 1200));
    std::vector<std::pair<std::string, std::string>> entries;
    for (int i = 0; i < 1000; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "p%04d.jpg", i);
        entries.push_back({name, jpeg});
    }
    const std::wstring zip = dir / L"thousand.zip";
    WriteFileBytes(zip, StoredZip(entries));
    MainWindowHarness harness;
    quib::TFormMain& f = harness.Start({zip});
    PressKey(f.ListView1(), VK_DOWN);
    std::vector<double> steps;
    double alone = 0;
    DuringModal driver([&] {
        HWND vw = FindThreadWindow(L"画像表示[WIC]");
        auto* v = vw ? dynamic_cast<quib::TFormImage*>(quib::TFormBase::FromHandle(vw)) : nullptr;
        if (!v || !v->BoolFormShow) return false;
        for (int i = 0; i < 10 * rounds; ++i) {
            const double t0 = Now();
            v->MenuMoveDownClick();
            steps.push_back(Now() - t0);
        }
        // One entry extracted alone into a fresh folder, then decoded and drawn at fit.
        std::vector<double> each;
        for (int i = 0; i < rounds; ++i) {
            const std::wstring out = dir / (L"alone" + std::to_wstring(i)) + L"\\";
            CreateDirectoryW(out.c_str(), nullptr);
            const std::wstring response = out + L"r.txt";
            quib::WriteResponseFile(response, quib::ResponseFileLines(zip, {L"p0500.jpg"}));
            const double t0 = Now();
            f.ArchiveUnpack(zip, out, L"@" + response, true, true, f.Handle());
            RECT r;
            GetWindowRect(v->PictureArea(), &r);
            ViewerFirstLoad(out + L"p0500.jpg", r.right - r.left, r.bottom - r.top);
            each.push_back(Now() - t0);
        }
        alone = Median(each);
        v->Close();
        return true;
    }, 600000);
    harness.Command(quib::tag::MenuImageWic);
    WaitFor([&] { return driver.Done(); }, 600000);
    if (!steps.empty())
        std::printf("Step in 1,000 pictures (1600x1200 JPEG): step %.3f s, one entry extracted + decoded alone %.3f s, "
                    "ratio %.2f (target <= 1.5)\n",
                    Median(steps), alone, alone > 0 ? Median(steps) / alone : 0.0);
    return 0;
}
