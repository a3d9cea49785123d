#include "viewers/image/ImageGeometry.h"

#include <algorithm>
#include <cmath>

#include "util/MyUtility.h"
#include "util/PathPrefix.h"
#include "util/StrConv.h"
#include "viewers/image/ExifData.h"

namespace quib {
namespace {

// Round to nearest, ties to even (the default floating-point rounding mode).
int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

}  // namespace

ImageOutputSize ComputeImageOutputSize(bool fit, int areaW, int areaH, int w, int h, int scale) {
    ImageOutputSize out;
    if (w <= 0 || h <= 0) return out;
    if (fit) {
        const double rh = static_cast<double>(h) / areaH, rw = static_cast<double>(w) / areaW;
        if (rh <= 1 && rw <= 1) {
            out.width = w, out.height = h, out.compressRate = 100;
        } else if ((rh <= 1 && rw > 1) || (rh > 1 && rw > 1 && rh < rw)) {
            const int ow = areaW - 20;
            out.width = ow;
            out.height = RoundEven(static_cast<double>(ow) * h / w);
            out.compressRate = RoundEven(static_cast<double>(ow) / w * 100);
        } else {
            const int oh = areaH - 20;
            out.height = oh;
            out.width = RoundEven(static_cast<double>(oh) * w / h);
            out.compressRate = RoundEven(static_cast<double>(oh) / h * 100);
        }
        // A tiny area must still give a drawable bitmap.
        if (out.width < 1) out.width = 1;
        if (out.height < 1) out.height = 1;
        return out;
    }
    const int a = RoundEven(static_cast<double>(w) * scale / 100), b = RoundEven(static_cast<double>(h) * scale / 100);
    out.width = a, out.height = b, out.compressRate = scale;
    if (a > kImageMaxSide || b > kImageMaxSide) {
        if (b < a) {
            out.width = kImageMaxSide;
            out.height = static_cast<int>(static_cast<std::int64_t>(b) * kImageMaxSide / a);
        } else {
            out.height = kImageMaxSide;
            out.width = static_cast<int>(static_cast<std::int64_t>(a) * kImageMaxSide / b);
        }
    }
    if (out.width < 1) out.width = 1;
    if (out.height < 1) out.height = 1;
    return out;
}

int ZoomInScale(int scale, int w, int h) {
    if (w <= 0 || h <= 0) return scale;
    int next = scale + (scale >= 100 ? 20 : 10);
    if (next > 1000) next = 1000;
    const int limit = std::min(kImageMaxSide / w * 100, kImageMaxSide / h * 100);
    if (next > limit) next = limit;
    return next < scale ? scale : next;
}

int ZoomOutScale(int scale) {
    const int next = scale - (scale > 100 ? 20 : 10);
    return next < 10 ? 10 : next;
}

int AutoRotationIndex(bool autoRotate, const std::wstring& fileName, const std::wstring& exceptList, bool exifRead,
                      const std::vector<std::wstring>& exifLines) {
    if (!autoRotate) return 0;
    const std::wstring ext = ToUpper(ExtractFileExt(fileName));
    if (!ext.empty() && ToUpper(exceptList).find(ext) != std::wstring::npos) return 0;
    if (!exifRead) return 0;
    const int r = ExifOrientationRotation(exifLines);
    return r < 0 ? 0 : r;
}

void PicturePosition(bool fit, int areaW, int areaH, int picW, int picH, int& left, int& top) {
    if (!fit) {
        left = top = 0;
        return;
    }
    left = RoundEven((areaW - picW) * 50.0 / 100);
    top = RoundEven((areaH - picH) * 50.0 / 100);
}

int ImageMoveTarget(ImageMove move, int r, const std::vector<bool>& cand, int longJump, int shortJump,
                    bool slideShow) {
    const int n = static_cast<int>(cand.size());
    auto is = [&](int i) { return i >= 0 && i < n && cand[static_cast<size_t>(i)]; };
    auto firstIn = [&](int from, int to) {  // lowest candidate in [from, to]
        for (int i = std::max(from, 0); i <= std::min(to, n - 1); ++i)
            if (is(i)) return i;
        return -1;
    };
    auto lastIn = [&](int from, int to) {  // highest candidate in [from, to]
        for (int i = std::min(to, n - 1); i >= std::max(from, 0); --i)
            if (is(i)) return i;
        return -1;
    };
    switch (move) {
        case ImageMove::Top:
            return firstIn(0, r - 1);
        case ImageMove::PrevPrev:
        case ImageMove::Prev: {
            const int jump = move == ImageMove::PrevPrev ? longJump : shortJump;
            const int t = lastIn(0, std::min(r - 1, r - jump));
            return t >= 0 ? t : firstIn(0, r - 1);
        }
        case ImageMove::Up: {
            const int t = lastIn(0, r - 1);
            return (t < 0 && slideShow) ? lastIn(r, n - 1) : t;
        }
        case ImageMove::Down: {
            const int t = firstIn(r + 1, n - 1);
            return (t < 0 && slideShow) ? firstIn(0, r) : t;
        }
        case ImageMove::Next:
        case ImageMove::NextNext: {
            const int jump = move == ImageMove::NextNext ? longJump : shortJump;
            const int t = firstIn(std::max(r + 1, r + jump), n - 1);
            return t >= 0 ? t : lastIn(r + 1, n - 1);
        }
        case ImageMove::End:
            return lastIn(r + 1, n - 1);
    }
    return -1;
}

namespace {
struct MoveKey {
    const wchar_t* name;
    int code;
};
const MoveKey kMoveKeys[] = {
    {L"Up", 38},  {L"Down", 40}, {L"Left", 37}, {L"Right", 39}, {L"Home", 36}, {L"End", 35}, {L"PgUp", 33},
    {L"PgDn", 34}, {L",", 188},  {L".", 190},   {L"/", 191},    {L";", 187},   {L":", 186},  {L"]", 221},
    {L"@", 192},  {L"[", 219},   {L"-", 189},   {L"^", 222},    {L"\\", 220},
};
}  // namespace

void SetMoveKey(const std::wstring& name, int& code) {
    if (name.size() == 1 && name[0] >= L'A' && name[0] <= L'Z') {
        code = name[0];
        return;
    }
    if (name.size() == 1 && name[0] >= L'0' && name[0] <= L'9') {
        code = name[0];
        return;
    }
    for (const MoveKey& k : kMoveKeys)
        if (name == k.name) {
            code = k.code;
            return;
        }
}

const std::vector<std::wstring>& MoveKeyNames() {
    static const std::vector<std::wstring> names = [] {
        std::vector<std::wstring> v;
        for (wchar_t c = L'0'; c <= L'9'; ++c) v.emplace_back(1, c);
        for (wchar_t c = L'A'; c <= L'Z'; ++c) v.emplace_back(1, c);
        for (const MoveKey& k : kMoveKeys) v.emplace_back(k.name);
        return v;
    }();
    return names;
}

std::wstring DepthText(unsigned bits) {
    switch (bits) {
        case 1: case 4: case 8: case 16: case 24: case 32: case 48: case 64:
            return std::to_wstring(bits) + L"Bits";
        default:
            return L"--Bits";
    }
}

std::wstring ImageInformationText(const ImageInfoItems& it) {
    std::wstring s;
    if (it.showScale || it.showSize) {
        s += it.marked ? L"●" : L"\u3000";
        s += L"[";
        if (it.showScale) s += std::to_wstring(it.scale);
        if (it.showScale && it.showSize) s += L" ";
        if (it.showSize) s += std::to_wstring(it.width) + L"," + std::to_wstring(it.height);
        s += L"]";
    }
    if (it.showDepth) s += L" " + it.depth;
    if (it.showFileSize && it.fileExists) s += L" " + IntToCommaStr(it.fileSize);
    if (it.showFileName) s += L" " + it.fileName;
    if (it.showDateTime && it.fileExists) s += L" " + it.dateTime;
    return s;
}

std::wstring ExifProgramOptions(const std::wstring& options, const std::wstring& picturePath) {
    static const std::wstring token = L"$(FileNameEx)";
    std::wstring out;
    size_t from = 0;
    for (size_t at; (at = options.find(token, from)) != std::wstring::npos; from = at + token.size())
        out += options.substr(from, at - from) + L"\"" + picturePath + L"\"";
    return out + options.substr(from);
}

std::vector<SpiLine> SpiLinesFor(const std::vector<std::wstring>& listLines, const std::wstring& fileName,
                                 bool japanese, const std::wstring& programPath) {
    std::vector<SpiLine> out;
    const std::wstring ext = ExtractFileExt(fileName);
    std::vector<std::wstring> f;
    for (const auto& line : listLines) {
        f.clear();
        StringToCsvList(line, f);
        if (f.size() < 4) continue;
        if (f[0] != (japanese ? L"有効" : L"Enable")) continue;
        if (ext.empty() || !EqualsNoCase(f[1], ext)) continue;
        out.push_back({f[1], ExpandPathPrefix(f[3], programPath)});
    }
    return out;
}

bool ImageMoveCandidate(const std::wstring& storedPath, const std::vector<std::wstring>& extensions,
                        const std::vector<std::wstring>& markedPaths) {
    const std::wstring ext = ExtractFileExt(storedPath);
    bool known = false;
    for (const auto& e : extensions)
        if (EqualsNoCase(e, ext)) known = true;
    if (!known || ext.empty()) return false;
    if (markedPaths.empty()) return true;
    for (const auto& m : markedPaths)
        if (EqualsNoCase(m, storedPath)) return true;
    return false;
}

}  // namespace quib
