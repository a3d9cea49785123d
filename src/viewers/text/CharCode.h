#pragma once
// Encoding and line-end detection of a text file, favouring Japanese text:
// byte-order marks, the byte patterns of UTF-16 line ends, and the byte pairs
// of common full-width characters in Shift_JIS, EUC-JP, seven-bit JIS and
// UTF-8. The text and grid viewers run it before every load.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quib {

// Encoding index of the viewers' menus (0 and 4 are menu choices only).
enum CharCodeIndex : int {
    kCharAuto = 0,
    kCharSJIS = 1,
    kCharJIS = 2,
    kCharEUCJP = 3,
    kCharUTF7 = 4,
    kCharUTF8Bom = 5,
    kCharUTF8 = 6,
    kCharUTF16BomBe = 7,
    kCharUTF16Be = 8,
    kCharUTF16BomLe = 9,
    kCharUTF16Le = 10,
};

// Line-end index: CR LF (also both CR and LF present), CR only, LF only, none.
enum RetCodeIndex : int { kRetCrLf = 0, kRetCr = 1, kRetLf = 2, kRetNone = 3 };

struct CharCodeResult {
    int CharCode = kCharSJIS;
    int RetCode = kRetCrLf;
    bool BoolLfInLine = false;         // both CR and LF bytes, not as many of each
    bool BoolUnKnownCharCode = false;  // judged binary
    friend bool operator==(const CharCodeResult&, const CharCodeResult&) = default;
};

// The bytes a binary file keeps in its filtered copy: tab, LF, CR and 20 and
// above (escape is dropped).
inline bool KeptInFilteredCopy(unsigned char c) { return c == 0x09 || c == 0x0A || c == 0x0D || c >= 0x20; }
std::string FilteredCopy(std::string_view bytes);

// The detector over a file's bytes fed in consecutive pieces of any size, so
// that a file of any size is examined in bounded memory. The size must be
// known before the first piece (some rules depend on it).
class CharCodeScanner {
public:
    explicit CharCodeScanner(std::uint64_t size);
    void Feed(const unsigned char* data, std::size_t length);
    void Feed(std::string_view bytes) { Feed(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()); }
    // The result once every byte was fed (bytes never fed count as zeros).
    CharCodeResult Finish();

private:
    template <class At>
    void Scan(std::uint64_t from, std::uint64_t to, const At& at);

    std::uint64_t size_;
    std::uint64_t fed_ = 0;      // bytes fed so far
    std::uint64_t scanned_ = 0;  // positions examined so far
    // The bytes from the first position not yet examined (at most 3 of them,
    // waiting for the lookahead) plus the one before it.
    unsigned char carry_[8] = {};
    std::uint64_t carryStart_ = 0;  // position of carry_[0]
    std::size_t carryLength_ = 0;
    unsigned char head_[3] = {};
    bool utf8_ = false, sjis_ = false, euc_ = false, jis_ = false;
    bool walk1_ = false, walk2_ = false;
    int walk1Char_ = 0, walk2Char_ = 0, walk2Ret_ = 0;
    std::uint64_t cr_ = 0, lf_ = 0;
    bool binaryByte_ = false;
    bool bomStart2_ = false;  // FF FE or FE FF at the start
};

// The whole detection over bytes held in memory.
CharCodeResult DetectCharCode(std::string_view bytes);

// What reading a file for detection gives.
enum class DetectStatus { Ok, Missing };

// Detects a file, reading it piece by piece (the memory used does not grow
// with the file). A file that cannot be read counts as zeros of its size.
// Unless the result is UTF-16, the filtered copy of a binary file, or an
// empty file, is (re)written to scratchPath (nothing for an empty file);
// failing to write it changes nothing else.
DetectStatus DetectFileCharCode(const std::wstring& path, const std::wstring& scratchPath, CharCodeResult& result);

// The scratch file of the filtered copy, "PellFMmini-UnKnown.txt", in a folder
// of this process alone below the user's temporary folder: instances never
// share it, and a read-only program folder does not matter.
std::wstring UnKnownScratchPath();
// Removes this process's scratch file and its folder.
void RemoveUnKnownScratch();

}  // namespace quib
