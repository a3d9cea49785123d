// The grid viewer's encoding and line-end detector on a table of byte strings.
#include <gtest/gtest.h>

#include "TestSupport.h"

#include <string>

#include "viewers/grid/GridCharCode.h"

namespace {


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
        {"UTF-16LE without mark", quibtest::Utf16LeBytes(L"a,b\r\nc"), 10, 0, false, false, false},
        {"UTF-16LE with mark", "\xFF\xFE" + quibtest::Utf16LeBytes(L"a,b\r\nc"), 9, 0, false, false, false},
        {"UTF-16BE without mark", quibtest::Utf16BeBytes(L"a,b\r\nc"), 8, 0, false, false, false},
        {"UTF-16BE with mark", "\xFE\xFF" + quibtest::Utf16BeBytes(L"a,b\r\nc"), 7, 0, false, false, false},
        {"UTF-16LE LF only", quibtest::Utf16LeBytes(L"a\nb"), 10, 2, false, false, false},
        {"UTF-16 without any line end is binary", quibtest::Utf16LeBytes(L"abc"), 1, 3, false, true, true},
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
    EXPECT_EQ(quib::DetectGridCharCode(quibtest::Utf16LeBytes(L"abc")).filtered, "abc");
}
