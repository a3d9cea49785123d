// Encoding and line-end detection over a table of small files, the same
// results however the bytes arrive, and the file-level rules: missing,
// empty, unreadable and binary files and the scratch file of each process.
#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "util/IniFile.h"
#include "viewers/text/CharCode.h"

using namespace quib;
using quibtest::FileExists;
using quibtest::ReadFileBytes;
using quibtest::TempDir;
using quibtest::WriteFileBytes;

namespace {

struct DetectCase {
    const char* name;
    std::string bytes;
    CharCodeResult expected;
};

std::string B(std::initializer_list<int> v) {
    std::string s;
    for (int c : v) s.push_back(static_cast<char>(c));
    return s;
}
std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

// "あいう" in each form, with line ends.
const std::string kSjisA = B({0x82, 0xA0, 0x82, 0xA2, 0x82, 0xA4});
const std::string kEucA = B({0xA4, 0xA2, 0xA4, 0xA4, 0xA4, 0xA6});
const std::string kUtf8A = B({0xE3, 0x81, 0x82, 0xE3, 0x81, 0x84, 0xE3, 0x81, 0x86});
const std::string kJisA = "\x1b$B" + std::string("$\"$$$&") + "\x1b(B";

const DetectCase kCases[] = {
    {"empty", "", {kCharSJIS, kRetNone, false, false}},
    {"one byte", "a", {kCharSJIS, kRetNone, false, false}},
    {"one LF", "\n", {kCharSJIS, kRetLf, false, false}},
    {"FF FE alone", B({0xFF, 0xFE}), {kCharUTF16BomLe, kRetNone, false, false}},
    {"FE FF alone", B({0xFE, 0xFF}), {kCharUTF16BomBe, kRetNone, false, false}},
    {"two bytes EUC first", B({0xA4, 0xA2}), {kCharEUCJP, kRetNone, false, false}},
    {"two bytes Shift_JIS", B({0x82, 0xA0}), {kCharSJIS, kRetNone, false, false}},
    {"two bytes JIS", "$\"", {kCharJIS, kRetNone, false, false}},
    {"ascii CR LF", "abc\r\ndef\r\n", {kCharSJIS, kRetCrLf, false, false}},
    {"ascii CR", "abc\rdef\r", {kCharSJIS, kRetCr, false, false}},
    {"ascii LF", "abc\ndef\n", {kCharSJIS, kRetLf, false, false}},
    {"ascii none", "abcdef", {kCharSJIS, kRetNone, false, false}},
    {"CR LF and a lone LF", "a\r\nb\nc\r\n", {kCharSJIS, kRetCrLf, true, false}},
    {"number sign and letter is JIS", "#include <x>\r\n", {kCharJIS, kRetCrLf, false, false}},
    {"number sign and digit is JIS", "#1\r\n", {kCharJIS, kRetCrLf, false, false}},
    {"number sign and space", "# x\r\n", {kCharSJIS, kRetCrLf, false, false}},
    {"Shift_JIS hiragana", kSjisA + "\r\n", {kCharSJIS, kRetCrLf, false, false}},
    {"EUC-JP hiragana", kEucA + "\r\n", {kCharEUCJP, kRetCrLf, false, false}},
    {"JIS with escapes", kJisA + "\r\n", {kCharJIS, kRetCrLf, false, false}},
    {"UTF-8 without mark", kUtf8A + "\r\n", {kCharUTF8, kRetCrLf, false, false}},
    {"UTF-8 full-width digits", B({0xEF, 0xBC, 0x91, 0x0A, 0x0A}), {kCharUTF8, kRetLf, false, false}},
    {"UTF-8 with mark", B({0xEF, 0xBB, 0xBF}) + kUtf8A + "\n", {kCharUTF8Bom, kRetLf, false, false}},
    // The E3 is the trail byte of a Shift_JIS kanji, so E3 81 82 is not UTF-8.
    {"E3 inside Shift_JIS", B({0x88, 0xE3, 0x81, 0x82, 0x0D, 0x0A}), {kCharSJIS, kRetCrLf, false, false}},
    // The last byte never takes part in the UTF-8 test.
    {"UTF-8 triple at the very end", "ab" + kUtf8A.substr(0, 3), {kCharSJIS, kRetNone, false, false}},
    {"UTF-16LE with mark CR LF", B({0xFF, 0xFE, 'a', 0, 0x0D, 0, 0x0A, 0}), {kCharUTF16BomLe, kRetCrLf, false, false}},
    {"UTF-16LE without mark CR LF", B({'a', 0, 0x0D, 0, 0x0A, 0}), {kCharUTF16Le, kRetCrLf, false, false}},
    {"UTF-16BE with mark CR LF", B({0xFE, 0xFF, 0, 'a', 0, 0x0D, 0, 0x0A}), {kCharUTF16BomBe, kRetCrLf, false, false}},
    {"UTF-16BE without mark CR LF", B({0, 'a', 0, 0x0D, 0, 0x0A}), {kCharUTF16Be, kRetCrLf, false, false}},
    {"UTF-16LE without mark LF", B({'a', 0, 0x0A, 0, 'b', 0}), {kCharUTF16Le, kRetLf, false, false}},
    {"UTF-16BE without mark CR", B({0, 'a', 0, 0x0D, 0, 'b'}), {kCharUTF16Be, kRetCr, false, false}},
    {"UTF-16 without any line end is binary", B({'a', 0, 'b', 0, 'c', 0}), {kCharSJIS, kRetNone, false, true}},
    {"control byte is binary", "ab\x01" "cd\r\n", {kCharSJIS, kRetCrLf, false, true}},
    {"escape is text", "ab\x1b" "cd\r\n", {kCharSJIS, kRetCrLf, false, false}},
    {"tab is text", "ab\tcd\r\n", {kCharSJIS, kRetCrLf, false, false}},
    // Only the first 4095 bytes are tested for control bytes.
    {"NUL at byte 4095 is text", Repeat("a", 4095) + B({0}), {kCharSJIS, kRetNone, false, false}},
    {"NUL at byte 4094 is binary", Repeat("a", 4094) + B({0, 'a'}), {kCharSJIS, kRetNone, false, true}},
    // Shift_JIS is tried before EUC-JP for longer files.
    {"Shift_JIS wins over EUC-JP", kEucA + kSjisA + "\n", {kCharSJIS, kRetLf, false, false}},
    {"UTF-8 wins over Shift_JIS", kSjisA + kUtf8A + "\n", {kCharUTF8, kRetLf, false, false}},
};

class DetectTable : public testing::TestWithParam<DetectCase> {};

TEST_P(DetectTable, WholeBuffer) {
    const DetectCase& c = GetParam();
    EXPECT_EQ(DetectCharCode(c.bytes), c.expected) << c.name;
}

// Pieces of 1, 2, 3 and 5 bytes give what the whole buffer gives.
TEST_P(DetectTable, PiecesOfAnySize) {
    const DetectCase& c = GetParam();
    for (size_t piece : {1u, 2u, 3u, 5u}) {
        CharCodeScanner scanner(c.bytes.size());
        for (size_t at = 0; at < c.bytes.size(); at += piece)
            scanner.Feed(std::string_view(c.bytes).substr(at, piece));
        EXPECT_EQ(scanner.Finish(), c.expected) << c.name << ", pieces of " << piece;
    }
}

INSTANTIATE_TEST_SUITE_P(Files, DetectTable, testing::ValuesIn(kCases), [](const auto& info) {
    std::string n;
    for (char ch : std::string(info.param.name)) n += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    return n;
});

TEST(CharCode, FilteredCopyKeepsTabLineEndsAndPrintable) {
    EXPECT_EQ(FilteredCopy(B({'a', 0, 9, 0x1B, 0x0A, 0x0D, 0x1F, 0x20, 0x82, 0xA0, 0x7F})),
              B({'a', 9, 0x0A, 0x0D, 0x20, 0x82, 0xA0, 0x7F}));
}

// ---------------------------------------------------------------- files

class DetectFile : public testing::Test {
protected:
    TempDir dir;
    std::wstring scratch = dir / L"s\\PellFMmini-UnKnown.txt";
    CharCodeResult Detect(const std::string& bytes) {
        WriteFileBytes(dir / L"t.txt", bytes);
        CharCodeResult r{99, 99, true, true};
        EXPECT_EQ(DetectFileCharCode(dir / L"t.txt", scratch, r), DetectStatus::Ok);
        return r;
    }
};

TEST_F(DetectFile, MissingFileLeavesTheResultUntouched) {
    CharCodeResult r{99, 98, true, true};
    EXPECT_EQ(DetectFileCharCode(dir / L"none.txt", scratch, r), DetectStatus::Missing);
    EXPECT_EQ(r, (CharCodeResult{99, 98, true, true}));
    EXPECT_EQ(DetectFileCharCode(dir.Path(), scratch, r), DetectStatus::Missing);
}

TEST_F(DetectFile, EmptyFileWritesNoScratchFile) {
    EXPECT_EQ(Detect(""), (CharCodeResult{kCharSJIS, kRetNone, false, false}));
    EXPECT_FALSE(FileExists(scratch));
}

TEST_F(DetectFile, TextFileEmptiesTheScratchFile) {
    Detect("x\x01y\r\n");
    EXPECT_EQ(ReadFileBytes(scratch), "xy\r\n");
    Detect("plain\r\n");
    ASSERT_TRUE(FileExists(scratch));
    EXPECT_EQ(ReadFileBytes(scratch), "");
}

TEST_F(DetectFile, BinaryFileWritesItsFilteredCopy) {
    EXPECT_EQ(Detect(B({'a', 0, 'b', 0, 'c', 0})), (CharCodeResult{kCharSJIS, kRetNone, false, true}));
    EXPECT_EQ(ReadFileBytes(scratch), "abc");
}

TEST_F(DetectFile, Utf16LeavesTheScratchFileAsItWas) {
    Detect("x\x02y");
    Detect(B({0xFF, 0xFE, 'a', 0, 0x0D, 0, 0x0A, 0}));
    EXPECT_EQ(ReadFileBytes(scratch), "xy");
}

// The file is read in pieces: a pair, a UTF-16 line end and the filtered copy
// across the border of two pieces are found all the same.
TEST_F(DetectFile, PatternsAcrossPieceBorders) {
    const size_t piece = 1 << 20;
    std::string bytes(piece - 1, 'a');
    bytes += kSjisA;
    EXPECT_EQ(Detect(bytes).CharCode, kCharSJIS);
    std::string wide;
    for (size_t i = 0; i < piece / 2 - 1; ++i) wide += B({'a', 0});
    wide += B({0x0D, 0x00, 0x0A, 0x00});  // the line end's four bytes straddle the border
    const CharCodeResult r = Detect(wide);
    EXPECT_EQ(r.CharCode, kCharUTF16Le);
    EXPECT_EQ(r.RetCode, kRetCrLf);
    std::string bin = B({0}) + std::string(piece + 10, 'z');
    EXPECT_TRUE(Detect(bin).BoolUnKnownCharCode);
    EXPECT_EQ(ReadFileBytes(scratch).size(), piece + 10);
}

// A file that cannot be read counts as zeros of its size.
TEST_F(DetectFile, UnreadableFileIsZeros) {
    WriteFileBytes(dir / L"t.txt", kSjisA + "\r\n");
    HANDLE lock = CreateFileW((dir / L"t.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    CharCodeResult r;
    EXPECT_EQ(DetectFileCharCode(dir / L"t.txt", scratch, r), DetectStatus::Ok);
    CloseHandle(lock);
    EXPECT_EQ(r, (CharCodeResult{kCharSJIS, kRetNone, false, true}));
    EXPECT_EQ(ReadFileBytes(scratch), "");
}

// Every process has a scratch file of its own, outside the program folder.
TEST(UnKnownScratch, BelongsToThisProcessAlone) {
    const std::wstring path = UnKnownScratchPath();
    EXPECT_NE(path.find(L"\\quibFMarchive-" + std::to_wstring(GetCurrentProcessId()) + L"\\PellFMmini-UnKnown.txt"),
              std::wstring::npos);
    const std::wstring program = quib::ProgramFolder();
    EXPECT_NE(path.substr(0, program.size()), program);
    CharCodeResult r;
    TempDir dir;
    WriteFileBytes(dir / L"b.bin", B({'q', 0, 'r'}));
    ASSERT_EQ(DetectFileCharCode(dir / L"b.bin", path, r), DetectStatus::Ok);
    EXPECT_EQ(ReadFileBytes(path), "qr");
    RemoveUnKnownScratch();
    EXPECT_FALSE(FileExists(path));
}

}  // namespace
