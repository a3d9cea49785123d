#pragma once
// The grid viewer's rules over text and bytes, free of any window: cutting a
// line into fields by one of the three splitting rules, cutting the raw bytes
// of a file into decoded lines by encoding and line end, the status texts,
// the copy formats and the searches over cells and over the cell editor.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quib {

// --- splitting a line into fields

// The splitting rules: 0 automatic (StringToCsvList), 1 and 2 the two
// position-based comma rules.
enum CsvRule { kCsvAuto = 0, kCsvEx1 = 1, kCsvEx2 = 2 };

// Rule 1: a comma separates once for every quoted section that does not
// enclose it (once on a line without quotes), so "a","b" gives the four
// fields empty, a, empty, b; files written for this rule rely on those
// empty fields. An unpaired quote makes the whole line one field.
void StringToCsvListEx1(const std::wstring& line, std::vector<std::wstring>& list);
// Rule 2: a comma separates when it lies outside every quoted section.
void StringToCsvListEx2(const std::wstring& line, std::vector<std::wstring>& list);
// The fields of a line by rule (0 goes through StringToCsvList, which lets
// the application's messages run once per call).
void SplitCsvLine(int rule, const std::wstring& line, std::vector<std::wstring>& list);

// The separator name of the status bar, from the first line: "TAB", the
// three characters "," (quote, comma, quote), ",", or "UnKnown" without lines.
std::wstring CsvSeparatorName(const std::vector<std::wstring>& lines);

// Every LF of the line replaced by a tab (the LF-to-tab load option).
std::wstring LfToTab(std::wstring line);
// Every LF turned into CR LF (what a cell shows) and back.
std::wstring LfToCrLf(std::wstring_view text);
std::wstring CrLfToLf(std::wstring_view text);

// --- cutting the bytes of a file into lines

struct RawLines {
    std::vector<std::wstring> lines;
    // UTF-16 with an odd number of bytes: the last byte is no character.
    bool oddTrailingByte = false;
};

// Splits the bytes into lines by the encoding index and the line-end index
// and decodes each line. Encodings 9/10: UTF-16 little-endian units (9 skips
// the first two bytes); 7/8 big-endian (7 skips two); 5/6 UTF-8 (5 skips
// three); every other index single bytes of code page 932. Line end 0 splits
// only at CR LF, 1 only at CR, 2 only at LF, 3 never. The text after the last
// line end is the last line; a file ending with a line end has no extra empty
// line.
RawLines SplitRawLines(std::string_view bytes, int encoding, int lineEnd);

// Reads a whole file in pieces. complete is false when a read failed on
// the way: bytes then holds what was read before the failure.
struct FileBytes {
    std::string bytes;
    bool opened = false;
    bool complete = false;
};
FileBytes ReadFileBytesInPieces(const std::wstring& path);
// Tests stand in for the system's read of one piece (a disk that fails half
// way is hard to come by); null restores ReadFile.
using PieceReader = std::function<bool(HANDLE file, char* buffer, DWORD size, DWORD* got)>;
void SetPieceReaderForTests(PieceReader reader);

// Cell texts of the first two columns: "%.05d" of the line number, and that
// followed by ":" and the field count.
std::wstring LineNumberText(size_t lineNumber);
std::wstring LineFieldCountText(size_t lineNumber, size_t fieldCount);

// Encoding text of the status bar: "バイナリファイル"/"BinaryFile" for a binary
// file, "Shift_JIS" for 1, the text viewer's texts for 5-10, else "不明"/"UnKnown".
std::wstring GridEncodingText(int encoding, bool binary, bool japanese);
// Line-end text: "Cr+Lf(Windows) ", "Cr(OS9)", "Lf(OSX,Android)", "無し"/"None".
std::wstring GridLineEndText(int lineEnd, bool japanese);

// --- copying a block

// The clipboard formats: tab, quote-comma-quote, comma, quoted comma (CSV).
enum class ClipFormat { Tab, DoubleQuote, Comma, CsvEx2 };

// A cell as the quoted-comma format writes it: enclosed in quotes with its
// quotes doubled when it holds a comma, a quote or an LF; else unchanged.
std::wstring CsvQuoteCell(const std::wstring& cell);
// The text of a block of cells (rows of cells as the grid holds them, CR LF
// inside): one line per row, each cell's CR LF made LF, lines joined by
// CR LF and the last one ended by CR LF too.
std::wstring BlockClipText(const std::vector<std::vector<std::wstring>>& rows, ClipFormat format);

// --- searching

// Whether the text holds the word; a-z and A-Z compare without regard to
// case, every other character exactly. An empty word is in no text.
bool ContainsWordAsciiNoCase(std::wstring_view text, std::wstring_view word);
// Position of the first (or, backward, last) occurrence within text, as above.
std::optional<size_t> FindWordAsciiNoCase(std::wstring_view text, std::wstring_view word, size_t from);

struct GridCell {
    int col = 0;
    int row = 0;
    bool operator==(const GridCell&) const = default;
};

// The grid search from the current cell over the data cells (columns and rows
// from 2 on). Forward: the rest of the current row to its right, then the
// following rows from column 2. Backward: the current row to its left, then
// the rows above, each from the last column. The nearest matching cell in
// the search direction is found.
std::optional<GridCell> FindInGrid(const std::function<std::wstring_view(int col, int row)>& cell, int colCount,
                                   int rowCount, GridCell current, std::wstring_view word, bool forward);

// The cell editor's search: forward after the selection, backward the last
// match lying wholly before the selection start. Result: start of the match.
std::optional<size_t> FindInMemo(std::wstring_view text, size_t selStart, size_t selLength, std::wstring_view word,
                                 bool forward);

}  // namespace quib
