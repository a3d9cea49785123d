#include "viewers/text/TextDecode.h"

#include "viewers/text/CharCode.h"

namespace quib {
namespace {

std::wstring Decode(std::string_view bytes, UINT codePage) {
    if (bytes.empty()) return {};
    const int length = static_cast<int>(bytes.size());
    const int n = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    if (n <= 0) return {};
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), length, out.data(), n);
    return out;
}

std::wstring Utf16(std::string_view bytes, bool bigEndian) {
    std::wstring out(bytes.size() / 2, L'\0');
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    for (size_t i = 0; i < out.size(); ++i) {
        const unsigned a = p[2 * i], b = p[2 * i + 1];
        out[i] = static_cast<wchar_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    }
    return out;
}

bool StartsWith(std::string_view bytes, std::string_view mark) { return bytes.substr(0, mark.size()) == mark; }

const std::string_view kUtf8Mark = "\xEF\xBB\xBF";
const std::string_view kLeMark = "\xFF\xFE";
const std::string_view kBeMark = "\xFE\xFF";

// Reading with byte-order-mark detection.
std::wstring DecodeByMark(std::string_view bytes) {
    if (StartsWith(bytes, kUtf8Mark)) return Decode(bytes.substr(3), CP_UTF8);
    if (StartsWith(bytes, kLeMark)) return Utf16(bytes.substr(2), false);
    if (StartsWith(bytes, kBeMark)) return Utf16(bytes.substr(2), true);
    return Decode(bytes, CP_ACP);
}

}  // namespace

std::string JisToShiftJis(std::string_view bytes) {
    enum class Mode { Ascii, Kanji, Kana, Supplement };
    Mode mode = Mode::Ascii;
    bool shiftOut = false;
    std::string out;
    out.reserve(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    for (size_t i = 0; i < n; ++i) {
        const unsigned c = p[i];
        if (c == 0x1B && i + 2 < n) {
            const unsigned a = p[i + 1], b = p[i + 2];
            if (a == '(' && (b == 'B' || b == 'J' || b == 'H')) { mode = Mode::Ascii; i += 2; continue; }
            if (a == '(' && b == 'I') { mode = Mode::Kana; i += 2; continue; }
            if (a == '$' && (b == '@' || b == 'B')) { mode = Mode::Kanji; i += 2; continue; }
            if (a == '$' && b == '(' && i + 3 < n) {
                const unsigned d = p[i + 3];
                if (d == 'D') { mode = Mode::Supplement; i += 3; continue; }
                if (d == 'B' || d == 'Q' || d == 'O') { mode = Mode::Kanji; i += 3; continue; }
            }
            if (a == '&' && b == '@') { i += 2; continue; }  // JIS X 0208-1990 announcer
        }
        if (c == 0x0E) { shiftOut = true; continue; }
        if (c == 0x0F) { shiftOut = false; continue; }
        if ((mode == Mode::Kanji || mode == Mode::Supplement) && !shiftOut && c >= 0x21 && c <= 0x7E && i + 1 < n &&
            p[i + 1] >= 0x21 && p[i + 1] <= 0x7E) {
            const unsigned j1 = c, j2 = p[i + 1];
            ++i;
            if (mode == Mode::Supplement) {
                out.push_back('?');
                continue;
            }
            unsigned s1 = ((j1 - 0x21) >> 1) + 0x81;
            if (s1 > 0x9F) s1 += 0x40;
            unsigned s2;
            if (j1 & 1) s2 = j2 + (j2 >= 0x60 ? 0x20 : 0x1F);
            else s2 = j2 + 0x7E;
            out.push_back(static_cast<char>(s1));
            out.push_back(static_cast<char>(s2));
            continue;
        }
        if ((mode == Mode::Kana || shiftOut) && c >= 0x21 && c <= 0x5F) {
            out.push_back(static_cast<char>(c + 0x80));
            continue;
        }
        out.push_back(static_cast<char>(c));
    }
    return out;
}

std::wstring DecodeText(std::string_view bytes, int charCode) {
    switch (charCode) {
        case kCharJIS: return Decode(JisToShiftJis(bytes), 932);
        case kCharEUCJP: return Decode(bytes, 20932);
        case kCharUTF7: return Decode(bytes, CP_UTF7);
        case kCharUTF8Bom:
        case kCharUTF16BomBe:
        case kCharUTF16BomLe: return DecodeByMark(bytes);
        case kCharUTF8: return Decode(StartsWith(bytes, kUtf8Mark) ? bytes.substr(3) : bytes, CP_UTF8);
        case kCharUTF16Be: return Utf16(StartsWith(bytes, kBeMark) ? bytes.substr(2) : bytes, true);
        case kCharUTF16Le: return Utf16(StartsWith(bytes, kLeMark) ? bytes.substr(2) : bytes, false);
        default: return Decode(bytes, 932);
    }
}

std::wstring TextForMemo(std::wstring_view decoded) {
    std::wstring out;
    out.reserve(decoded.size() + decoded.size() / 16 + 2);
    const size_t n = decoded.size();
    size_t run = 0;  // start of the characters not yet copied
    for (size_t i = 0; i < n; ++i) {
        const wchar_t c = decoded[i];
        if (c != L'\r' && c != L'\n') continue;
        out.append(decoded.data() + run, i - run);
        out += L"\r\n";
        if (c == L'\r' && i + 1 < n && decoded[i + 1] == L'\n') ++i;
        run = i + 1;
    }
    if (run < n) {
        out.append(decoded.data() + run, n - run);
        out += L"\r\n";
    }
    return out;
}

std::wstring CharCodeStatusText(int charCode, bool japanese) {
    static const wchar_t* const kJapanese[] = {
        L"自動検出", L"Shift_JIS", L"JIS", L"EUC-JP", L"UTF7", L"UTF8  [BOM有]", L"UTF8  [BOM無]",
        L"UTF16 [BOM有 BigEndian]", L"UTF16 [BOM無 BigEndian]", L"UTF16 [BOM有 LittleEndian]",
        L"UTF16 [BOM無 LittleEndian]"};
    static const wchar_t* const kEnglish[] = {
        L"Auto Detect", L"Shift_JIS", L"JIS", L"EUC-JP", L"UTF7", L"UTF8  [WithBOM]", L"UTF8  [NonBOM]",
        L"UTF16 [WithBOM BigEndian]", L"UTF16 [NonBOM BigEndian]", L"UTF16 [WithBOM LittleEndian]",
        L"UTF16 [NonBOM LittleEndian]"};
    if (charCode < 0 || charCode > 10) return {};
    return japanese ? kJapanese[charCode] : kEnglish[charCode];
}

std::wstring RetCodeStatusText(int retCode, bool japanese) {
    switch (retCode) {
        case kRetCrLf: return L"Cr+Lf(Windows) ";
        case kRetCr: return L"Cr(OS9)";
        case kRetLf: return L"Lf(OSX,Android)";
        case kRetNone: return japanese ? L"無し" : L"None";
        default: return {};
    }
}

}  // namespace quib
