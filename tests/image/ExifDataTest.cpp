#include <gtest/gtest.h>

#include "ExifTestData.h"
#include "TestSupport.h"
#include "viewers/image/ExifData.h"

using namespace quib;
using namespace quibtest;

namespace {

std::vector<std::wstring> Fields(const std::wstring& line) {
    std::vector<std::wstring> f;
    size_t from = 0;
    for (size_t at; (at = line.find(L'\t', from)) != std::wstring::npos; from = at + 1) f.push_back(line.substr(from, at - from));
    f.push_back(line.substr(from));
    return f;
}

struct FormCase {
    ExifForm form;
    bool bigEndian;
    size_t firstEntry;  // file offset of the first 12-byte entry
};

class ExifFormTest : public ::testing::TestWithParam<FormCase> {};

// Each of the eight orientations, in each wrapping and byte order: the value
// reads as a big-endian file holds it, and the offset is where the entry is.
TEST_P(ExifFormTest, OrientationsOneToEight) {
    const FormCase c = GetParam();
    for (std::uint16_t o = 1; o <= 8; ++o) {
        const auto tiff = TiffBlock({{0x010F, 2, 4, {'A', 'B', 'C', 0}}, {0x0112, 3, 1, Short1(o, c.bigEndian)}},
                                    c.bigEndian);
        std::vector<std::wstring> lines{L"old"};
        ASSERT_TRUE(ReadExifTagsFromBytes(WrapExif(c.form, tiff), lines)) << o;
        ASSERT_EQ(lines.size(), 2u);
        const auto f = Fields(lines[1]);
        ASSERT_EQ(f.size(), 6u);
        EXPECT_EQ(f[0], L"0x0112");
        EXPECT_EQ(f[1], L"0x0003");
        EXPECT_EQ(f[2], L"0x00000001");
        wchar_t want[16];
        swprintf(want, 16, L"0x%.4X0000", o);
        EXPECT_EQ(f[3], want);
        EXPECT_EQ(f[4], L"");
        swprintf(want, 16, L"0x%.8X", static_cast<unsigned>(c.firstEntry + 12));
        EXPECT_EQ(f[5], want);
        EXPECT_EQ(Fields(lines[0])[3], L"0x41424300");
        const int rotation[] = {0, 0, 0, 2, 0, 0, 1, 0, 3};
        EXPECT_EQ(ExifOrientationRotation(lines), rotation[o]) << o;
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, ExifFormTest,
                         ::testing::Values(FormCase{ExifForm::JpegExifFirst, true, 22},
                                           FormCase{ExifForm::JpegExifFirst, false, 22},
                                           FormCase{ExifForm::BareSegment, true, 20},
                                           FormCase{ExifForm::BareSegment, false, 20},
                                           FormCase{ExifForm::Tiff, true, 10},
                                           FormCase{ExifForm::Tiff, false, 10},
                                           FormCase{ExifForm::JpegJfif, true, 40},
                                           FormCase{ExifForm::JpegJfif, false, 40}));

struct ValueCase {
    bool bigEndian;
    ExifEntry entry;
    const wchar_t* count;
    const wchar_t* value;
};

TEST(ExifData, ValueFieldRendering) {
    const ValueCase cases[] = {
        {true, {0x010E, 2, 3, {'A', 'B', 0, 0}}, L"0x00000003", L"0x41420000"},
        {true, {0x010E, 2, 20, {0, 0, 0, 0x26}}, L"0x00000014", L"0x00000026"},
        {false, {0x010E, 2, 20, {0x26, 0, 0, 0}}, L"0x00000014", L"0x00000026"},
        {false, {0x0100, 4, 1, {1, 0, 0, 0}}, L"0x00000001", L"0x00000001"},
        {false, {0x0102, 3, 2, {1, 0, 2, 0}}, L"0x00000002", L"0x00010002"},
        {true, {0x0102, 3, 2, {0, 1, 0, 2}}, L"0x00000002", L"0x00010002"},
        {false, {0x0102, 3, 3, {0x40, 0, 0, 0}}, L"0x00000003", L"0x00000040"},
        {false, {0x9000, 7, 4, {'0', '2', '3', '0'}}, L"0x00000004", L"0x30323330"},
        {false, {0x011A, 5, 1, {0x9E, 0, 0, 0}}, L"0x00000001", L"0x0000009E"},
        {false, {0x8769, 4, 1, {0x26, 0x01, 0, 0}}, L"0x00000001", L"0x00000126"},
        {false, {0x0001, 1, 0, {9, 8, 7, 6}}, L"0x00000000", L"0x06070809"},
    };
    for (const ValueCase& c : cases) {
        std::vector<std::wstring> lines;
        ASSERT_TRUE(ReadExifTagsFromBytes(WrapExif(ExifForm::JpegExifFirst, TiffBlock({c.entry}, c.bigEndian)), lines));
        ASSERT_EQ(lines.size(), 1u);
        const auto f = Fields(lines[0]);
        EXPECT_EQ(f[2], c.count) << c.entry.tag;
        EXPECT_EQ(f[3], c.value) << c.entry.tag << " type " << c.entry.type;
    }
}

TEST(ExifData, SixtyEntriesGiveFifty) {
    std::vector<ExifEntry> entries;
    for (std::uint16_t i = 0; i < 60; ++i) entries.push_back({static_cast<std::uint16_t>(0x1000 + i), 4, 1, {1, 0, 0, 0}});
    entries.push_back({0x0112, 3, 1, Short1(6, false)});  // the 61st: not seen
    std::vector<std::wstring> lines;
    ASSERT_TRUE(ReadExifTagsFromBytes(WrapExif(ExifForm::JpegExifFirst, TiffBlock(entries, false)), lines));
    ASSERT_EQ(lines.size(), 50u);
    EXPECT_EQ(Fields(lines[49])[0], L"0x1031");
    EXPECT_EQ(ExifOrientationRotation(lines), -1);
}

// A count that promises more entries than the file holds: the entries that
// are wholly there are read and the walk stops at the end of the data.
TEST(ExifData, TruncatedDirectoryStopsAtTheEnd) {
    for (bool be : {false, true}) {
        auto tiff = TiffBlock({{0x0112, 3, 1, Short1(6, be)}, {0x0100, 4, 1, {0, 0, 0, 1}}, {0x0101, 4, 1, {0, 0, 0, 1}}},
                              be, 40);
        tiff.resize(8 + 2 + 12 * 2 + 5);  // the third entry is cut after 5 bytes
        std::vector<std::uint8_t> d{0xFF, 0xD8};
        const auto seg = App1(tiff);
        d.insert(d.end(), seg.begin(), seg.end());
        std::vector<std::wstring> lines;
        EXPECT_TRUE(ReadExifTagsFromBytes(d, lines));
        ASSERT_EQ(lines.size(), 2u) << be;
        EXPECT_EQ(ExifOrientationRotation(lines), 1);
    }
}

// A TIFF whose IFD0 offset points past the end (and one that points at the
// last byte, so the count itself is cut): nothing read past the data.
TEST(ExifData, DirectoryOffsetPastTheEnd) {
    for (bool be : {false, true}) {
        for (std::uint32_t offset : {0xFFFFFFF0u, 0x7FFFFFFFu, 1000u, 31u}) {
            auto tiff = TiffBlock({{0x0112, 3, 1, Short1(6, be)}, {0x0100, 4, 1, {0, 0, 0, 1}}}, be);
            std::vector<std::uint8_t> off;
            Put32(off, offset, be);
            std::copy(off.begin(), off.end(), tiff.begin() + 4);
            ASSERT_EQ(tiff.size(), 8u + 2 + 24 + 4);
            tiff.resize(32);
            std::vector<std::wstring> lines{L"old"};
            EXPECT_FALSE(ReadExifTagsFromBytes(tiff, lines)) << offset;
            EXPECT_TRUE(lines.empty());
        }
    }
}

TEST(ExifData, UnknownStartsAndShortFiles) {
    std::vector<std::wstring> lines{L"kept"};
    const std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 0x0D, 'I', 'H', 'D', 'R'};
    EXPECT_FALSE(ReadExifTagsFromBytes(png, lines));
    EXPECT_TRUE(lines.empty());

    lines = {L"kept"};
    std::vector<std::uint8_t> thirteen(13, 0x49);
    EXPECT_FALSE(ReadExifTagsFromBytes(thirteen, lines));
    EXPECT_EQ(lines, std::vector<std::wstring>{L"kept"});

    // An Exif segment of length 16 is refused.
    auto jpeg = WrapExif(ExifForm::JpegExifFirst, TiffBlock({{0x0112, 3, 1, Short1(6, true)}}, true));
    jpeg[4] = 0x00, jpeg[5] = 0x10;
    EXPECT_FALSE(ReadExifTagsFromBytes(jpeg, lines));
}

TEST(ExifData, ReadsFilesAndLeavesListsOfMissingOrShortFiles) {
    TempDir dir;
    const auto bytes = WrapExif(ExifForm::JpegExifFirst, TiffBlock({{0x0112, 3, 1, Short1(8, false)}}, false));
    ASSERT_TRUE(WriteFileBytes(dir / L"写真.jpg", std::string(bytes.begin(), bytes.end())));
    std::vector<std::wstring> lines;
    ASSERT_TRUE(ReadExifTags(dir / L"写真.jpg", lines));
    EXPECT_EQ(ExifOrientationRotation(lines), 3);

    lines = {L"kept"};
    EXPECT_FALSE(ReadExifTags(dir / L"none.jpg", lines));
    ASSERT_TRUE(WriteFileBytes(dir / L"short.jpg", std::string(13, 'x')));
    EXPECT_FALSE(ReadExifTags(dir / L"short.jpg", lines));
    EXPECT_EQ(lines, std::vector<std::wstring>{L"kept"});
}

}  // namespace
