#include "viewers/grid/GridCharCode.h"

#include <algorithm>

namespace quib {
namespace {

using Byte = unsigned char;

struct PairRange {
    Byte lead, low, high;
};

// Hiragana, katakana, full-width digits and capital and small letters.
constexpr PairRange kShiftJisPairs[] = {
    {0x82, 0x9F, 0xF1}, {0x83, 0x40, 0x96}, {0x82, 0x4F, 0x58}, {0x82, 0x60, 0x79}, {0x82, 0x81, 0x9A}};
constexpr PairRange kEucJpPairs[] = {
    {0xA4, 0xA1, 0xF3}, {0xA5, 0xA1, 0xF6}, {0xA3, 0xB0, 0xB9}, {0xA3, 0xC1, 0xDA}, {0xA3, 0xE1, 0xFA}};
constexpr PairRange kJisPairs[] = {
    {0x24, 0x21, 0x73}, {0x25, 0x21, 0x76}, {0x23, 0x30, 0x39}, {0x23, 0x41, 0x5A}, {0x23, 0x61, 0x7A}};

// The UTF-8 forms of the same characters: lead, second byte, third byte range.
struct TripleRange {
    Byte b0, b1, low, high;
};
constexpr TripleRange kUtf8Triples[] = {{0xE3, 0x81, 0x81, 0xBF}, {0xE3, 0x82, 0x80, 0x93}, {0xE3, 0x82, 0xA1, 0xBF},
                                        {0xE3, 0x83, 0x80, 0xB6}, {0xEF, 0xBC, 0x90, 0x99}, {0xEF, 0xBC, 0xA1, 0xBA},
                                        {0xEF, 0xBD, 0x81, 0x9A}};

template <size_t N>
bool IsPair(const PairRange (&table)[N], Byte a, Byte b) {
    for (const PairRange& p : table)
        if (a == p.lead && b >= p.low && b <= p.high) return true;
    return false;
}

template <size_t N>
bool PairAnywhere(const PairRange (&table)[N], const Byte* d, size_t size) {
    // Positions 0 to size - 3, as the detector has always looked.
    for (size_t i = 0; i + 3 <= size; ++i)
        if (IsPair(table, d[i], d[i + 1])) return true;
    return false;
}

bool Utf8Japanese(const Byte* d, size_t size) {
    if (size < 4) return false;
    for (size_t i = 0; i + 4 <= size; ++i) {
        bool insideShiftJis = false;
        if (i >= 1) {
            const Byte prev = d[i - 1];
            insideShiftJis = (prev == 0x81 && d[i] >= 0xE3) || (prev >= 0x82 && prev <= 0x9F && d[i] <= 0xE3);
        }
        if (insideShiftJis) continue;
        for (const TripleRange& t : kUtf8Triples)
            if (d[i] == t.b0 && d[i + 1] == t.b1 && d[i + 2] >= t.low && d[i + 2] <= t.high) return true;
    }
    return false;
}

int GuessEncoding(const Byte* d, size_t size) {
    if (size == 1) return 1;
    if (size == 2) {
        if (d[0] == 0xFF && d[1] == 0xFE) return 9;
        if (d[0] == 0xFE && d[1] == 0xFF) return 7;
        if (IsPair(kEucJpPairs, d[0], d[1])) return 3;
        if (IsPair(kShiftJisPairs, d[0], d[1])) return 1;
        if (IsPair(kJisPairs, d[0], d[1])) return 2;
        return 1;
    }
    if (d[0] == 0xEF && d[1] == 0xBB && d[2] == 0xBF) return 5;
    if (d[0] == 0xFF && d[1] == 0xFE) return 9;
    if (d[0] == 0xFE && d[1] == 0xFF) return 7;
    if (Utf8Japanese(d, size)) return 6;
    if (PairAnywhere(kShiftJisPairs, d, size)) return 1;
    if (PairAnywhere(kEucJpPairs, d, size)) return 3;
    if (PairAnywhere(kJisPairs, d, size)) return 2;
    return 1;
}

bool Marked(int code) { return code == 7 || code == 9; }

}  // namespace

GridCharCodeResult DetectGridCharCode(std::string_view bytes) {
    GridCharCodeResult r;
    const auto* d = reinterpret_cast<const Byte*>(bytes.data());
    const size_t size = bytes.size();
    if (size == 0) {
        r.retCode = 3;
        return r;
    }
    r.charCode = GuessEncoding(d, size);

    // UTF-16 line ends first (they also reveal UTF-16 without a mark).
    bool found = false;
    for (size_t i = Marked(r.charCode) ? 2 : 0; size >= 4 && i <= size - 4; i += 2) {
        if (d[i] == 0x0D && d[i + 1] == 0x00 && d[i + 2] == 0x0A && d[i + 3] == 0x00) {
            r.retCode = 0;
            if (!Marked(r.charCode)) r.charCode = 10;
            found = true;
            break;
        }
        if (d[i] == 0x00 && d[i + 1] == 0x0D && d[i + 2] == 0x00 && d[i + 3] == 0x0A) {
            r.retCode = 0;
            if (!Marked(r.charCode)) r.charCode = 8;
            found = true;
            break;
        }
    }
    for (size_t i = 0; !found && size >= 2 && i <= size - 2; i += 2) {
        int ret = -1, code = 0;
        if (d[i] == 0x00 && d[i + 1] == 0x0D) ret = 1, code = 8;
        else if (d[i] == 0x0D && d[i + 1] == 0x00) ret = 1, code = 10;
        else if (d[i] == 0x00 && d[i + 1] == 0x0A) ret = 2, code = 8;
        else if (d[i] == 0x0A && d[i + 1] == 0x00) ret = 2, code = 10;
        if (ret < 0) continue;
        r.retCode = ret;
        if (!Marked(r.charCode)) r.charCode = code;
        found = true;
    }
    if (!found) {
        const auto cr = std::count(bytes.begin(), bytes.end(), '\r');
        const auto lf = std::count(bytes.begin(), bytes.end(), '\n');
        if (cr && lf) {
            r.retCode = 0;
            r.lfInLine = cr != lf;
        } else if (cr) {
            r.retCode = 1;
        } else if (lf) {
            r.retCode = 2;
        } else {
            r.retCode = 3;
        }
    }

    if (r.charCode >= 7 && r.charCode <= 10) return r;
    // Binary test over the first 4095 bytes; tab, LF, CR and escape are text.
    for (size_t i = 0; i < std::min<size_t>(size, 4095); ++i) {
        const Byte b = d[i];
        if (b <= 0x08 || b == 0x0B || b == 0x0C || (b >= 0x0E && b <= 0x1A) || (b >= 0x1C && b <= 0x1F)) {
            r.unknownCharCode = true;
            break;
        }
    }
    if (r.unknownCharCode) {
        r.filtered.reserve(size);
        for (size_t i = 0; i < size; ++i)
            if (d[i] == 0x09 || d[i] == 0x0A || d[i] == 0x0D || d[i] >= 0x20) r.filtered += static_cast<char>(d[i]);
    }
    r.writeScratch = true;
    return r;
}

}  // namespace quib
