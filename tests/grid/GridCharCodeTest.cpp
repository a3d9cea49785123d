// The grid viewer's encoding and line-end detector on a table of byte strings.
#include <gtest/gtest.h>

#include <string>

#include "viewers/grid/GridCharCode.h"

namespace {

std::string Utf16Le(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>((c >> 8) & 0xFF);
    }
    return out;
}
std::string Utf16Be(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        out += static_cast<char>((c >> 8) & 0xFF);
        out += static_cast<char>(c & 0xFF);
    }
    return out;
}

struct DetectCase {
    const char* name;
    std::string bytes;
    int charCode, retCode;
    bool lfInLine, binary, scratch;
};

}  // namespace

TEST(GridCharCode, TableOfFiles) {
    const DetectCase cases[] = {
        {"empty file", "", 1, 3, false, false, false},
        {"one LF byte", "\n", 1, 2, false, false, true},
        {"FF FE alone", "\xFF\xFE", 9, 3, false, false, false},
        {"EUC-JP pair alone", "\xA4\xA2", 3, 3, false, false, true},
        {"C include line looks like JIS", "#include <a.h>\r\n", 2, 0, false, false, true},
        {"UTF-8 hiragana", "\xE3\x81\x82\xE3\x81\x84,x\r\n", 6, 0, false, false, true},
        {"Shift_JIS hiragana", "\x82\xa0\x82\xa2,x\r\n", 1, 0, false, false, true},
        {"E3 inside a Shift_JIS character", "\x88\xE3\x81\x82\r\n", 1, 0, false, false, true},
        {"UTF-8 with mark", "\xEF\xBB\xBF" "a,b\n", 5, 2, false, false, true},
        {"UTF-16LE without mark", Utf16Le(L"a,b\r\nc"), 10, 0, false, false, false},
        {"UTF-16LE with mark", "\xFF\xFE" + Utf16Le(L"a,b\r\nc"), 9, 0, false, false, false},
        {"UTF-16BE without mark", Utf16Be(L"a,b\r\nc"), 8, 0, false, false, false},
        {"UTF-16BE with mark", "\xFE\xFF" + Utf16Be(L"a,b\r\nc"), 7, 0, false, false, false},
        {"UTF-16LE LF only", Utf16Le(L"a\nb"), 10, 2, false, false, false},
        {"UTF-16 without any line end is binary", Utf16Le(L"abc"), 1, 3, false, true, true},
        {"CR LF and a lone LF", "a\r\nb\nc\r\n", 1, 0, true, false, true},
        {"CR only", "a\rb", 1, 1, false, false, true},
        {"control byte makes it binary", "a\x01" "b\r\n", 1, 0, false, true, true},
        {"escape is text", "a\x1b" "b", 1, 3, false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const quib::GridCharCodeResult r = quib::DetectGridCharCode(c.bytes);
        EXPECT_EQ(r.charCode, c.charCode);
        EXPECT_EQ(r.retCode, c.retCode);
        EXPECT_EQ(r.lfInLine, c.lfInLine);
        EXPECT_EQ(r.unknownCharCode, c.binary);
        EXPECT_EQ(r.writeScratch, c.scratch);
    }
}

TEST(GridCharCode, BinaryTestLooksAt4095BytesAndFiltersTheWholeFile) {
    std::string text(4095, 'a');
    text += '\0';
    EXPECT_FALSE(quib::DetectGridCharCode(text).unknownCharCode);
    text[4094] = '\0';
    const quib::GridCharCodeResult r = quib::DetectGridCharCode(text);
    EXPECT_TRUE(r.unknownCharCode);
    EXPECT_EQ(r.filtered, std::string(4094, 'a'));
    EXPECT_EQ(quib::DetectGridCharCode(Utf16Le(L"abc")).filtered, "abc");
}
