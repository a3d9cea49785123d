#pragma once
// Pictures and archives made at test time: pictures encoded by WIC from
// known pixels (two colour blocks, so a turn or a mirror shows), and a zip
// of stored entries.
#include <windows.h>
#include <objbase.h>
#include <wincodec.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace quibtest {

// w x h, the left half colour a, the right half colour b (COLORREF).
inline std::vector<std::uint8_t> TwoBlocks(int w, int h, COLORREF a, COLORREF b) {
    std::vector<std::uint8_t> px(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const COLORREF c = x < w / 2 ? a : b;
            std::uint8_t* p = &px[(static_cast<size_t>(y) * w + x) * 4];
            p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c), p[3] = 255;
        }
    return px;
}

// The pixels encoded with the WIC encoder of the container (GUID_ContainerFormatJpeg, ...).
inline std::string EncodePicture(const GUID& container, int w, int h, const std::vector<std::uint8_t>& bgra) {
    std::string out;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* factory = nullptr;
    IStream* stream = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    IPropertyBag2* props = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                   reinterpret_cast<void**>(&factory))) &&
        SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)) &&
        SUCCEEDED(factory->CreateEncoder(container, nullptr, &encoder)) &&
        SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
        SUCCEEDED(encoder->CreateNewFrame(&frame, &props)) && SUCCEEDED(frame->Initialize(props)) &&
        SUCCEEDED(frame->SetSize(static_cast<UINT>(w), static_cast<UINT>(h)))) {
        WICPixelFormatGUID fmt = GUID_WICPixelFormat24bppBGR;
        frame->SetPixelFormat(&fmt);
        std::vector<std::uint8_t> data;
        UINT stride = 0;
        if (fmt == GUID_WICPixelFormat24bppBGR) {
            stride = static_cast<UINT>((w * 3 + 3) & ~3);
            data.assign(static_cast<size_t>(stride) * h, 0);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    for (int c = 0; c < 3; ++c)
                        data[static_cast<size_t>(y) * stride + x * 3 + c] = bgra[(static_cast<size_t>(y) * w + x) * 4 + c];
        } else {
            stride = static_cast<UINT>(w * 4);
            data = bgra;
        }
        if (SUCCEEDED(frame->WritePixels(static_cast<UINT>(h), stride, static_cast<UINT>(data.size()), data.data())) &&
            SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit())) {
            HGLOBAL g = nullptr;
            GetHGlobalFromStream(stream, &g);
            STATSTG st{};
            stream->Stat(&st, STATFLAG_NONAME);
            const char* p = static_cast<const char*>(GlobalLock(g));
            out.assign(p, static_cast<size_t>(st.cbSize.QuadPart));
            GlobalUnlock(g);
        }
    }
    for (IUnknown* u : std::initializer_list<IUnknown*>{props, frame, encoder, stream, factory})
        if (u) u->Release();
    return out;
}

inline std::uint32_t Crc32(const std::string& data) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char c : data) {
        crc ^= c;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A zip of stored entries (name in ASCII, bytes) in the order given.
inline std::string StoredZip(const std::vector<std::pair<std::string, std::string>>& entries) {
    std::string out, central;
    auto u16 = [](std::string& s, unsigned v) { s += static_cast<char>(v & 0xFF), s += static_cast<char>((v >> 8) & 0xFF); };
    auto u32 = [&](std::string& s, std::uint32_t v) { u16(s, v & 0xFFFF), u16(s, v >> 16); };
    for (const auto& [name, data] : entries) {
        const std::uint32_t offset = static_cast<std::uint32_t>(out.size()), crc = Crc32(data);
        const auto size = static_cast<std::uint32_t>(data.size());
        u32(out, 0x04034B50), u16(out, 10), u16(out, 0), u16(out, 0), u16(out, 0), u16(out, 0x5821);
        u32(out, crc), u32(out, size), u32(out, size), u16(out, static_cast<unsigned>(name.size())), u16(out, 0);
        out += name + data;
        u32(central, 0x02014B50), u16(central, 20), u16(central, 10), u16(central, 0), u16(central, 0);
        u16(central, 0), u16(central, 0x5821), u32(central, crc), u32(central, size), u32(central, size);
        u16(central, static_cast<unsigned>(name.size())), u16(central, 0), u16(central, 0), u16(central, 0);
        u16(central, 0), u32(central, 0), u32(central, offset);
        central += name;
    }
    const auto cdOffset = static_cast<std::uint32_t>(out.size()), cdSize = static_cast<std::uint32_t>(central.size());
    out += central;
    u32(out, 0x06054B50), u16(out, 0), u16(out, 0), u16(out, static_cast<unsigned>(entries.size()));
    u16(out, static_cast<unsigned>(entries.size())), u32(out, cdSize), u32(out, cdOffset), u16(out, 0);
    return out;
}

}  // namespace quibtest
