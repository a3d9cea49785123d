#include "viewers/grid/GridText.h"

#include <algorithm>
#include <cstdio>

#include "util/MyUtility.h"

namespace quib {
namespace {

// Stands for a doubled quote while quotes are paired: a form feed never
// occurs in a CSV field that the rules could cut.
constexpr wchar_t kQuotePlaceholder = L'\f';

std::wstring RestoreQuotes(std::wstring text) {
    for (wchar_t& c : text)
        if (c == kQuotePlaceholder) c = L'"';
    return text;
}

// Both comma rules: the line with one comma in front and doubled quotes made
// placeholders, the quoted sections paired, and the fields between the
// separating commas. multiple = rule 1's counting.
void SplitByPositions(const std::wstring& line, bool multiple, std::vector<std::wstring>& list) {
    std::wstring text;
    text.reserve(line.size() + 1);
    text += L',';
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == L'"' && i + 1 < line.size() && line[i + 1] == L'"') {
            text += kQuotePlaceholder;
            ++i;
        } else {
            text += line[i];
        }
    }

    struct Section {
        size_t open, close;
    };
    std::vector<Section> sections;
    std::vector<size_t> commas;
    bool inQuote = false;
    size_t open = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'"') {
            if (!inQuote) {
                open = i;
            } else {
                sections.push_back({open, i});
            }
            inQuote = !inQuote;
        } else if (text[i] == L',') {
            commas.push_back(i);
        }
    }
    if (inQuote) {
        // An unpaired quote: no comma separates anything.
        list.push_back(RestoreQuotes(text.substr(1)));
        return;
    }

    // Each separating comma as often as it separates.
    std::vector<size_t> separators;
    for (size_t c : commas) {
        size_t enclosing = 0;
        for (const Section& s : sections)
            if (s.open < c && c < s.close) ++enclosing;
        size_t times;
        if (multiple) {
            times = sections.empty() ? 1 : sections.size() - enclosing;
        } else {
            times = enclosing == 0 ? 1 : 0;
        }
        for (size_t k = 0; k < times; ++k) separators.push_back(c);
    }

    for (size_t k = 0; k < separators.size(); ++k) {
        const size_t from = separators[k] + 1;
        const size_t to = k + 1 < separators.size() ? separators[k + 1] : text.size();
        std::wstring raw = to > from ? text.substr(from, to - from) : std::wstring();
        // An empty quoted field ("" between separators) is empty, not a lone quote.
        if (raw.size() == 1 && raw[0] == kQuotePlaceholder) raw.clear();
        std::wstring field = RestoreQuotes(std::move(raw));
        if (field.size() >= 3 && field.front() == L'"' && field.back() == L'"')
            field = field.substr(1, field.size() - 2);
        list.push_back(std::move(field));
    }
}

}  // namespace

void StringToCsvListEx1(const std::wstring& line, std::vector<std::wstring>& list) {
    SplitByPositions(line, true, list);
}

void StringToCsvListEx2(const std::wstring& line, std::vector<std::wstring>& list) {
    SplitByPositions(line, false, list);
}

void SplitCsvLine(int rule, const std::wstring& line, std::vector<std::wstring>& list) {
    switch (rule) {
        case kCsvEx1: StringToCsvListEx1(line, list); break;
        case kCsvEx2: StringToCsvListEx2(line, list); break;
        default: StringToCsvList(line, list); break;
    }
}

std::wstring CsvSeparatorName(const std::vector<std::wstring>& lines) {
    if (lines.empty()) return L"UnKnown";
    const std::wstring& first = lines.front();
    if (first.find(L'\t') != std::wstring::npos) return L"TAB";
    if (!first.empty() && first[0] == L'"') return L"\",\"";
    return L",";
}

std::wstring LfToTab(std::wstring line) {
    for (wchar_t& c : line)
        if (c == L'\n') c = L'\t';
    return line;
}

std::wstring LfToCrLf(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        if (c == L'\n') out += L'\r';
        out += c;
    }
    return out;
}

std::wstring CrLfToLf(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;
        out += text[i];
    }
    return out;
}

// ---------------------------------------------------------------- raw lines

namespace {

std::wstring DecodeBytes(std::string_view bytes, UINT codePage) {
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    const int n = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    if (n <= 0) return {};
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, out.data(), n);
    return out;
}

// Cuts a sequence of units at the line ends of lineEnd; each piece goes to
// emit. A final line end adds no empty line.
template <class Unit, class Emit>
void CutLines(const Unit* data, size_t count, int lineEnd, Emit emit) {
    size_t start = 0;
    size_t i = 0;
    if (lineEnd != 3) {
        while (i < count) {
            const Unit u = data[i];
            if (lineEnd == 0 && u == 0x0D && i + 1 < count && data[i + 1] == 0x0A) {
                emit(start, i);
                i += 2;
                start = i;
            } else if ((lineEnd == 1 && u == 0x0D) || (lineEnd == 2 && u == 0x0A)) {
                emit(start, i);
                ++i;
                start = i;
            } else {
                ++i;
            }
        }
    }
    if (start < count) emit(start, count);
}

}  // namespace

RawLines SplitRawLines(std::string_view bytes, int encoding, int lineEnd) {
    RawLines out;
    if (encoding >= 7 && encoding <= 10) {
        const bool bigEndian = encoding == 7 || encoding == 8;
        const size_t skip = (encoding == 7 || encoding == 9) ? 2 : 0;
        std::string_view body = bytes.size() >= skip ? bytes.substr(skip) : std::string_view();
        // Whole units only: an odd last byte is no character; the caller says so.
        out.oddTrailingByte = body.size() % 2 != 0;
        const size_t units = body.size() / 2;
        std::wstring text(units, L'\0');
        for (size_t k = 0; k < units; ++k) {
            const auto lo = static_cast<unsigned char>(body[2 * k + (bigEndian ? 1 : 0)]);
            const auto hi = static_cast<unsigned char>(body[2 * k + (bigEndian ? 0 : 1)]);
            text[k] = static_cast<wchar_t>(lo | (hi << 8));
        }
        CutLines(text.data(), text.size(), lineEnd,
                 [&](size_t from, size_t to) { out.lines.emplace_back(text, from, to - from); });
        return out;
    }
    UINT codePage = 932;
    size_t skip = 0;
    if (encoding == 5 || encoding == 6) {
        codePage = CP_UTF8;
        skip = encoding == 5 ? 3 : 0;
    }
    const std::string_view body = bytes.size() >= skip ? bytes.substr(skip) : std::string_view();
    CutLines(reinterpret_cast<const unsigned char*>(body.data()), body.size(), lineEnd,
             [&](size_t from, size_t to) { out.lines.push_back(DecodeBytes(body.substr(from, to - from), codePage)); });
    return out;
}

namespace {
PieceReader& TestPieceReader() {
    static PieceReader reader;
    return reader;
}
}  // namespace

void SetPieceReaderForTests(PieceReader reader) { TestPieceReader() = std::move(reader); }

FileBytes ReadFileBytesInPieces(const std::wstring& path) {
    FileBytes out;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return out;
    out.opened = true;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(h, &size) && size.QuadPart > 0) out.bytes.reserve(static_cast<size_t>(size.QuadPart));
    // Pieces of 4 MB: a failing read keeps everything before it.
    constexpr DWORD kPiece = 4u << 20;
    std::string piece(kPiece, '\0');
    for (;;) {
        DWORD got = 0;
        const bool ok = TestPieceReader() ? TestPieceReader()(h, piece.data(), kPiece, &got)
                                          : ReadFile(h, piece.data(), kPiece, &got, nullptr) != FALSE;
        if (!ok) break;
        if (got == 0) {
            out.complete = true;
            break;
        }
        out.bytes.append(piece.data(), got);
    }
    CloseHandle(h);
    return out;
}

std::wstring LineNumberText(size_t lineNumber) {
    wchar_t buf[32];
    swprintf(buf, 32, L"%.05zu", lineNumber);
    return buf;
}

std::wstring LineFieldCountText(size_t lineNumber, size_t fieldCount) {
    return LineNumberText(lineNumber) + L":" + std::to_wstring(fieldCount);
}

std::wstring GridEncodingText(int encoding, bool binary, bool japanese) {
    if (binary) return japanese ? L"バイナリファイル" : L"BinaryFile";
    switch (encoding) {
        case 1: return L"Shift_JIS";
        case 5: return japanese ? L"UTF8  [BOM有]" : L"UTF8  [WithBOM]";
        case 6: return japanese ? L"UTF8  [BOM無]" : L"UTF8  [NonBOM]";
        case 7: return japanese ? L"UTF16 [BOM有 BigEndian]" : L"UTF16 [WithBOM BigEndian]";
        case 8: return japanese ? L"UTF16 [BOM無 BigEndian]" : L"UTF16 [NonBOM BigEndian]";
        case 9: return japanese ? L"UTF16 [BOM有 LittleEndian]" : L"UTF16 [WithBOM LittleEndian]";
        case 10: return japanese ? L"UTF16 [BOM無 LittleEndian]" : L"UTF16 [NonBOM LittleEndian]";
        default: return japanese ? L"不明" : L"UnKnown";
    }
}

std::wstring GridLineEndText(int lineEnd, bool japanese) {
    switch (lineEnd) {
        case 0: return L"Cr+Lf(Windows) ";
        case 1: return L"Cr(OS9)";
        case 2: return L"Lf(OSX,Android)";
        default: return japanese ? L"無し" : L"None";
    }
}

// ---------------------------------------------------------------- copying

std::wstring CsvQuoteCell(const std::wstring& cell) {
    if (cell.find_first_of(L",\"\n") == std::wstring::npos) return cell;
    std::wstring out = L"\"";
    for (wchar_t c : cell) {
        if (c == L'"') out += L'"';
        out += c;
    }
    out += L'"';
    return out;
}

std::wstring BlockClipText(const std::vector<std::vector<std::wstring>>& rows, ClipFormat format) {
    std::wstring out;
    for (const auto& row : rows) {
        std::vector<std::wstring> cells;
        cells.reserve(row.size());
        for (const auto& c : row) cells.push_back(CrLfToLf(c));
        std::wstring line;
        if (cells.size() == 1) {
            line = format == ClipFormat::CsvEx2 ? CsvQuoteCell(cells[0]) : cells[0];
        } else {
            const wchar_t* joint = L"\t";
            if (format == ClipFormat::DoubleQuote) joint = L"\",\"";
            if (format == ClipFormat::Comma || format == ClipFormat::CsvEx2) joint = L",";
            if (format == ClipFormat::DoubleQuote) line += L'"';
            for (size_t k = 0; k < cells.size(); ++k) {
                if (k) line += joint;
                line += format == ClipFormat::CsvEx2 ? CsvQuoteCell(cells[k]) : cells[k];
            }
            if (format == ClipFormat::DoubleQuote) line += L'"';
        }
        out += line;
        out += L"\r\n";
    }
    return out;
}

// ---------------------------------------------------------------- searching

namespace {
wchar_t FoldAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool MatchAt(std::wstring_view text, std::wstring_view word, size_t at) {
    for (size_t k = 0; k < word.size(); ++k)
        if (FoldAscii(text[at + k]) != FoldAscii(word[k])) return false;
    return true;
}
}  // namespace

std::optional<size_t> FindWordAsciiNoCase(std::wstring_view text, std::wstring_view word, size_t from) {
    if (word.empty() || word.size() > text.size()) return std::nullopt;
    for (size_t at = from; at + word.size() <= text.size(); ++at)
        if (MatchAt(text, word, at)) return at;
    return std::nullopt;
}

bool ContainsWordAsciiNoCase(std::wstring_view text, std::wstring_view word) {
    return FindWordAsciiNoCase(text, word, 0).has_value();
}

std::optional<GridCell> FindInGrid(const std::function<std::wstring_view(int col, int row)>& cell, int colCount,
                                   int rowCount, GridCell current, std::wstring_view word, bool forward) {
    constexpr int kFirst = 2;
    const int lastCol = colCount - 1, lastRow = rowCount - 1;
    auto matches = [&](int c, int r) { return ContainsWordAsciiNoCase(cell(c, r), word); };
    if (forward) {
        for (int r = std::max(current.row, kFirst); r <= lastRow; ++r) {
            const int from = r == current.row ? current.col + 1 : kFirst;
            for (int c = std::max(from, kFirst); c <= lastCol; ++c)
                if (matches(c, r)) return GridCell{c, r};
        }
    } else {
        for (int r = std::min(current.row, lastRow); r >= kFirst; --r) {
            const int from = r == current.row ? current.col - 1 : lastCol;
            for (int c = std::min(from, lastCol); c >= kFirst; --c)
                if (matches(c, r)) return GridCell{c, r};
        }
    }
    return std::nullopt;
}

std::optional<size_t> FindInMemo(std::wstring_view text, size_t selStart, size_t selLength, std::wstring_view word,
                                 bool forward) {
    if (word.empty()) return std::nullopt;
    if (forward) return FindWordAsciiNoCase(text, word, std::min(text.size(), selStart + selLength));
    // The last match lying wholly before the selection start.
    const std::wstring_view before = text.substr(0, std::min(selStart, text.size()));
    if (word.size() > before.size()) return std::nullopt;
    for (size_t at = before.size() - word.size() + 1; at-- > 0;)
        if (MatchAt(before, word, at)) return at;
    return std::nullopt;
}

}  // namespace quib
