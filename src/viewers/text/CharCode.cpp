#include "viewers/text/CharCode.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace quib {
namespace {

// The pair tables of common full-width characters (hiragana, katakana,
// digits, capital and small letters).
inline bool SjisPair(unsigned a, unsigned b) {
    if (a == 0x82) return (b >= 0x9F && b <= 0xF1) || (b >= 0x4F && b <= 0x58) || (b >= 0x60 && b <= 0x79) ||
                          (b >= 0x81 && b <= 0x9A);
    if (a == 0x83) return b >= 0x40 && b <= 0x96;
    return false;
}
inline bool EucPair(unsigned a, unsigned b) {
    if (a == 0xA4) return b >= 0xA1 && b <= 0xF3;
    if (a == 0xA5) return b >= 0xA1 && b <= 0xF6;
    if (a == 0xA3) return (b >= 0xB0 && b <= 0xB9) || (b >= 0xC1 && b <= 0xDA) || (b >= 0xE1 && b <= 0xFA);
    return false;
}
// The seven-bit form, without looking for an escape sequence: "#" followed by
// a letter or digit is such a pair too.
inline bool JisPair(unsigned a, unsigned b) {
    if (a == 0x24) return b >= 0x21 && b <= 0x73;
    if (a == 0x25) return b >= 0x21 && b <= 0x76;
    if (a == 0x23) return (b >= 0x30 && b <= 0x39) || (b >= 0x41 && b <= 0x5A) || (b >= 0x61 && b <= 0x7A);
    return false;
}
inline bool Utf8Triple(unsigned a, unsigned b, unsigned c) {
    if (a == 0xE3) {
        if (b == 0x81) return c >= 0x81 && c <= 0xBF;
        if (b == 0x82) return (c >= 0x80 && c <= 0x93) || (c >= 0xA1 && c <= 0xBF);
        if (b == 0x83) return c >= 0x80 && c <= 0xB6;
        return false;
    }
    if (a == 0xEF) {
        if (b == 0xBC) return (c >= 0x90 && c <= 0x99) || (c >= 0xA1 && c <= 0xBA);
        if (b == 0xBD) return c >= 0x81 && c <= 0x9A;
    }
    return false;
}
// Control bytes that make a file binary; tab, LF, CR and escape are text.
inline bool BinaryByte(unsigned c) {
    return c <= 0x08 || c == 0x0B || c == 0x0C || (c >= 0x0E && c <= 0x1A) || (c >= 0x1C && c <= 0x1F);
}
constexpr std::uint64_t kBinaryTestBytes = 4095;

inline bool Utf16(int code) { return code >= kCharUTF16BomBe && code <= kCharUTF16Le; }

}  // namespace

std::string FilteredCopy(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char ch : bytes)
        if (KeptInFilteredCopy(static_cast<unsigned char>(ch))) out.push_back(ch);
    return out;
}

CharCodeScanner::CharCodeScanner(std::uint64_t size) : size_(size) {}

template <class At>
void CharCodeScanner::Scan(std::uint64_t from, std::uint64_t to, const At& at) {
    const std::uint64_t size = size_;
    for (std::uint64_t i = from; i < to; ++i) {
        const unsigned c = at(i);
        if (c == 0x0D) ++cr_;
        else if (c == 0x0A) ++lf_;
        if (i < kBinaryTestBytes && BinaryByte(c)) binaryByte_ = true;
        if (i == 0 && size >= 2) {
            const unsigned d = at(1);
            bomStart2_ = (c == 0xFF && d == 0xFE) || (c == 0xFE && d == 0xFF);
        }
        // UTF-8 forms, unless the byte is the trail byte of a Shift_JIS character.
        if (!utf8_ && (c == 0xE3 || c == 0xEF) && size >= 4 && i + 4 <= size) {
            bool inside = false;
            if (i >= 1) {
                const unsigned p = at(i - 1);
                inside = (p == 0x81 && c >= 0xE3) || (p >= 0x82 && p <= 0x9F && c <= 0xE3);
            }
            if (!inside && Utf8Triple(c, at(i + 1), at(i + 2))) utf8_ = true;
        }
        if (i + 3 <= size && (c == 0x82 || c == 0x83 || c == 0xA3 || c == 0xA4 || c == 0xA5 || c == 0x23 ||
                              c == 0x24 || c == 0x25)) {
            const unsigned n = at(i + 1);
            if (SjisPair(c, n)) sjis_ = true;
            if (EucPair(c, n)) euc_ = true;
            if (JisPair(c, n)) jis_ = true;
        }
        if ((i & 1) == 0 && (c == 0x00 || c == 0x0D || c == 0x0A)) {
            if (!walk1_ && i + 4 <= size && i >= (bomStart2_ ? 2u : 0u)) {
                const unsigned b1 = at(i + 1), b2 = at(i + 2), b3 = at(i + 3);
                if (c == 0x0D && b1 == 0x00 && b2 == 0x0A && b3 == 0x00) walk1_ = true, walk1Char_ = kCharUTF16Le;
                else if (c == 0x00 && b1 == 0x0D && b2 == 0x00 && b3 == 0x0A) walk1_ = true, walk1Char_ = kCharUTF16Be;
            }
            if (!walk2_ && i + 2 <= size) {
                const unsigned b1 = at(i + 1);
                if (c == 0x00 && b1 == 0x0D) walk2_ = true, walk2Ret_ = kRetCr, walk2Char_ = kCharUTF16Be;
                else if (c == 0x0D && b1 == 0x00) walk2_ = true, walk2Ret_ = kRetCr, walk2Char_ = kCharUTF16Le;
                else if (c == 0x00 && b1 == 0x0A) walk2_ = true, walk2Ret_ = kRetLf, walk2Char_ = kCharUTF16Be;
                else if (c == 0x0A && b1 == 0x00) walk2_ = true, walk2Ret_ = kRetLf, walk2Char_ = kCharUTF16Le;
            }
        }
    }
}

void CharCodeScanner::Feed(const unsigned char* data, std::size_t length) {
    if (length == 0) return;
    length = static_cast<std::size_t>(std::min<std::uint64_t>(length, size_ - fed_));
    if (length == 0) return;
    const std::uint64_t base = fed_;
    const std::uint64_t end = base + length;
    for (std::uint64_t q = base; q < std::min<std::uint64_t>(end, 3); ++q) head_[q] = data[q - base];
    // A position is examined once the bytes it looks ahead to have arrived.
    auto ready = [&](std::uint64_t p) { return std::min(p + 3, size_ - 1) < end; };
    auto slow = [&](std::uint64_t q) -> unsigned {
        return q >= base ? data[q - base] : carry_[q - carryStart_];
    };
    std::uint64_t p = scanned_;
    // Positions that look back into (or lie in) the bytes of earlier pieces.
    while (p < end && p <= base && ready(p)) {
        Scan(p, p + 1, slow);
        ++p;
    }
    if (p > base) {
        const std::uint64_t fastEnd = end == size_ ? end : (end >= 3 ? end - 3 : 0);
        if (fastEnd > p) {
            Scan(p, fastEnd, [data, base](std::uint64_t q) -> unsigned { return data[q - base]; });
            p = fastEnd;
        }
    }
    // Keep the bytes the waiting positions need, with the one before them.
    const std::uint64_t keepFrom = p == 0 ? 0 : p - 1;
    unsigned char keep[8];
    std::size_t keepLength = 0;
    for (std::uint64_t q = keepFrom; q < end && keepLength < sizeof keep; ++q) keep[keepLength++] = static_cast<unsigned char>(slow(q));
    std::copy(keep, keep + keepLength, carry_);
    carryStart_ = keepFrom;
    carryLength_ = keepLength;
    scanned_ = p;
    fed_ = end;
}

CharCodeResult CharCodeScanner::Finish() {
    // Bytes never fed (a failed read) count as zeros.
    if (fed_ < size_) {
        std::vector<unsigned char> zeros(64 * 1024);
        while (fed_ < size_) Feed(zeros.data(), static_cast<std::size_t>(std::min<std::uint64_t>(zeros.size(), size_ - fed_)));
    }
    CharCodeResult r;
    if (size_ == 0) {
        r.RetCode = kRetNone;
        return r;
    }
    const unsigned b0 = head_[0], b1 = head_[1], b2 = head_[2];
    if (size_ == 1) {
        r.CharCode = kCharSJIS;
    } else if (size_ == 2) {
        // Two bytes: EUC-JP is tried before Shift_JIS here.
        if (b0 == 0xFF && b1 == 0xFE) r.CharCode = kCharUTF16BomLe;
        else if (b0 == 0xFE && b1 == 0xFF) r.CharCode = kCharUTF16BomBe;
        else if (EucPair(b0, b1)) r.CharCode = kCharEUCJP;
        else if (SjisPair(b0, b1)) r.CharCode = kCharSJIS;
        else if (JisPair(b0, b1)) r.CharCode = kCharJIS;
        else r.CharCode = kCharSJIS;
    } else {
        if (b0 == 0xEF && b1 == 0xBB && b2 == 0xBF) r.CharCode = kCharUTF8Bom;
        else if (b0 == 0xFF && b1 == 0xFE) r.CharCode = kCharUTF16BomLe;
        else if (b0 == 0xFE && b1 == 0xFF) r.CharCode = kCharUTF16BomBe;
        else if (utf8_) r.CharCode = kCharUTF8;
        else if (sjis_) r.CharCode = kCharSJIS;
        else if (euc_) r.CharCode = kCharEUCJP;
        else if (jis_) r.CharCode = kCharJIS;
        else r.CharCode = kCharSJIS;
    }
    const bool marked16 = r.CharCode == kCharUTF16BomBe || r.CharCode == kCharUTF16BomLe;
    if (walk1_) {
        r.RetCode = kRetCrLf;
        if (!marked16) r.CharCode = walk1Char_;
    } else if (walk2_) {
        r.RetCode = walk2Ret_;
        if (!marked16) r.CharCode = walk2Char_;
    } else if (cr_ && lf_) {
        r.RetCode = kRetCrLf;
        r.BoolLfInLine = cr_ != lf_;
    } else if (cr_) {
        r.RetCode = kRetCr;
    } else if (lf_) {
        r.RetCode = kRetLf;
    } else {
        r.RetCode = kRetNone;
    }
    if (!Utf16(r.CharCode)) r.BoolUnKnownCharCode = binaryByte_;
    return r;
}

CharCodeResult DetectCharCode(std::string_view bytes) {
    CharCodeScanner scanner(bytes.size());
    scanner.Feed(bytes);
    return scanner.Finish();
}

namespace {

constexpr DWORD kPiece = 1 << 20;

HANDLE OpenForReading(const std::wstring& path) {
    return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

// Reads the file piece by piece; false at the first failed read.
template <class Sink>
bool ReadPieces(HANDLE file, std::uint64_t size, std::vector<unsigned char>& buffer, const Sink& sink) {
    std::uint64_t done = 0;
    while (done < size) {
        const DWORD want = static_cast<DWORD>(std::min<std::uint64_t>(buffer.size(), size - done));
        DWORD got = 0;
        if (!ReadFile(file, buffer.data(), want, &got, nullptr) || got == 0) return false;
        sink(buffer.data(), got);
        done += got;
    }
    return true;
}

void EnsureFolderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L'\\');
    if (slash != std::wstring::npos) CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);
}

}  // namespace

DetectStatus DetectFileCharCode(const std::wstring& path, const std::wstring& scratchPath, CharCodeResult& result) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return DetectStatus::Missing;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return DetectStatus::Missing;
    const std::uint64_t size = (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    CharCodeScanner scanner(size);
    if (size == 0) {
        result = scanner.Finish();
        return DetectStatus::Ok;
    }
    std::vector<unsigned char> buffer(static_cast<size_t>(std::min<std::uint64_t>(size, kPiece)));
    HANDLE file = OpenForReading(path);
    bool readable = file != INVALID_HANDLE_VALUE &&
                    ReadPieces(file, size, buffer, [&](const unsigned char* p, DWORD n) { scanner.Feed(p, n); });
    if (!readable) {
        // Unreadable: a file of zeros of its size.
        result = CharCodeResult{kCharSJIS, kRetNone, false, true};
    } else {
        result = scanner.Finish();
    }
    if (!Utf16(result.CharCode)) {
        EnsureFolderOf(scratchPath);
        HANDLE out = CreateFileW(scratchPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                 nullptr);
        if (out != INVALID_HANDLE_VALUE) {
            if (result.BoolUnKnownCharCode && readable) {
                LARGE_INTEGER zero{};
                SetFilePointerEx(file, zero, nullptr, FILE_BEGIN);
                std::vector<char> kept;
                kept.reserve(buffer.size());
                ReadPieces(file, size, buffer, [&](const unsigned char* p, DWORD n) {
                    kept.clear();
                    for (DWORD k = 0; k < n; ++k)
                        if (KeptInFilteredCopy(p[k])) kept.push_back(static_cast<char>(p[k]));
                    DWORD written = 0;
                    if (!kept.empty()) WriteFile(out, kept.data(), static_cast<DWORD>(kept.size()), &written, nullptr);
                });
            }
            CloseHandle(out);
        }
    }
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return DetectStatus::Ok;
}

std::wstring UnKnownScratchPath() {
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
    std::wstring folder(temp, n);
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    return folder + L"quibFMarchive-" + std::to_wstring(GetCurrentProcessId()) + L"\\PellFMmini-UnKnown.txt";
}

void RemoveUnKnownScratch() {
    const std::wstring path = UnKnownScratchPath();
    DeleteFileW(path.c_str());
    RemoveDirectoryW(path.substr(0, path.find_last_of(L'\\')).c_str());
}

}  // namespace quib
