#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>

#include "EntryRecords.h"
#include "archive/EntryModel.h"
#include "util/MyUtility.h"
#include "util/StrConv.h"

using namespace quib;

namespace {

const DateTimeSeparators kSlash{L"/", L":"};

using unittest::Record;

std::uint16_t Date(unsigned y, unsigned m, unsigned d) { return static_cast<std::uint16_t>(((y - 1980) << 9) | (m << 5) | d); }
std::uint16_t Time(unsigned h, unsigned mi, unsigned s) { return static_cast<std::uint16_t>((h << 11) | (mi << 5) | (s / 2)); }

std::vector<std::wstring> Fields(const std::wstring& line) {
    std::vector<std::wstring> f;
    StringToCsvList(line, f);
    return f;
}

std::wstring Pad20(const std::wstring& s) { return std::wstring(20 - s.size(), L' ') + s; }

}  // namespace

TEST(EntryLine, AllTenFieldsOfAFile) {
    const auto e = BuildArchiveEntryLine(Record("a/x.txt", 1234567, 4567, Date(2024, 1, 2), Time(3, 4, 6), "A--W", "-lh5-"),
                                         false, kSlash);
    EXPECT_EQ(e.line, L"a/x.txt\t.txt\t1,234,567\t2024/01/02\t03:04:06\tA--W\t-lh5-\t" + Pad20(L"1,234,567") + L"\t" +
                          Pad20(L"4,567") + L"\ta/x.txt");
    EXPECT_EQ(e.pathAnsi, L"a/x.txt");
}

TEST(EntryLine, FolderByTrailingSeparator) {
    for (const std::string name : {"a/", "a\\b\\"}) {
        const auto f = Fields(BuildArchiveEntryLine(Record(name, 0, 0, Date(2001, 2, 3), Time(4, 5, 6), "D", "-lhd-"),
                                                    false, kSlash).line);
        ASSERT_EQ(f.size(), 10u);
        EXPECT_EQ(f[0], AnsiToWide(name));
        EXPECT_EQ(f[1], L"");
        EXPECT_EQ(f[2], L" <DIR>");
        EXPECT_EQ(f[7], Pad20(L"0"));
        EXPECT_EQ(f[9], AnsiToWide(name));
    }
    // A dot in a folder name is not an extension of the file below it.
    const auto f = Fields(BuildArchiveEntryLine(Record("v1.2/readme", 5, 5, 0, 0, "", ""), false, kSlash).line);
    EXPECT_EQ(f[1], L"");
    EXPECT_EQ(f[2], L"5");
}

TEST(EntryLine, SizesAreUnsigned32Bit) {
    const auto f = Fields(BuildArchiveEntryLine(Record("big.iso", 3000000000u, 4294967295u, 0, 0, "", ""), false, kSlash).line);
    EXPECT_EQ(f[2], L"3,000,000,000");
    EXPECT_EQ(f[7], Pad20(L"3,000,000,000"));
    EXPECT_EQ(f[8], Pad20(L"4,294,967,295"));
}

TEST(EntryLine, DisplayPathUtf8OrAnsiExtensionAlwaysAnsi) {
    // A name stored in UTF-8, with a non-ASCII extension so that the two
    // decodings give different extensions.
    const std::string utf8 = WideToUtf8(L"資料/報告.テキ");
    const std::wstring ansi = AnsiToWide(utf8);
    ASSERT_NE(ansi, L"資料/報告.テキ");

    const auto plain = BuildArchiveEntryLine(Record(utf8, 1, 1, 0, 0, "", ""), false, kSlash);
    const auto shown = BuildArchiveEntryLine(Record(utf8, 1, 1, 0, 0, "", ""), true, kSlash);
    const auto fp = Fields(plain.line), fs = Fields(shown.line);
    EXPECT_EQ(fp[0], ansi);
    EXPECT_EQ(fp[9], ansi);
    EXPECT_EQ(fs[0], L"資料/報告.テキ");
    EXPECT_EQ(fs[9], L"資料/報告.テキ");
    EXPECT_EQ(fp[1], ExtractFileExt(ansi));
    EXPECT_EQ(fs[1], ExtractFileExt(ansi));
    EXPECT_NE(fs[1], L".テキ");
    // The path list always holds the ANSI decoding.
    EXPECT_EQ(plain.pathAnsi, ansi);
    EXPECT_EQ(shown.pathAnsi, ansi);
}

TEST(EntryLine, FixedFieldsWithoutTerminatorStopAtTheirSize) {
    // 513 bytes of name and 8 bytes of attribute and method, none terminated.
    TArchiveEntryInfo info{};
    std::memset(info.FileName, 'n', sizeof(info.FileName));
    std::memset(info.Padding, 'P', sizeof(info.Padding));
    std::memcpy(info.Attribute, "ABCDEFGH", 8);
    std::memcpy(info.Method, "12345678", 8);
    const auto f = Fields(BuildArchiveEntryLine(info, false, kSlash).line);
    EXPECT_EQ(f[0], std::wstring(513, L'n'));
    EXPECT_EQ(f[5], L"ABCDEFGH");
    EXPECT_EQ(f[6], L"12345678");
    EXPECT_EQ(FixedFieldText("abc\0def", 7), "abc");
    EXPECT_EQ(FixedFieldText("abcdefgh", 4), "abcd");
}

TEST(EntryLine, DateAndTimeWithTheGivenSeparators) {
    struct Case {
        DateTimeSeparators sep;
        std::wstring date, time;
    };
    const Case cases[] = {
        {{L"/", L":"}, L"2023/12/31", L"23:59:58"},
        {{L"-", L"."}, L"2023-12-31", L"23.59.58"},
        {{L".", L":"}, L"2023.12.31", L"23:59:58"},
        // Two-character separators: the first ten characters and the eight
        // from the twelfth, as the program slices the text.
        {{L", ", L"h"}, L"2023, 12, ", L"1 23h59h"},
    };
    for (const auto& c : cases) {
        const auto f = Fields(BuildArchiveEntryLine(Record("f", 0, 0, Date(2023, 12, 31), Time(23, 59, 58), "", ""), false,
                                                    c.sep).line);
        EXPECT_EQ(f[3], c.date) << c.date;
        EXPECT_EQ(f[4], c.time) << c.time;
    }
}

TEST(EntryLine, DosDateTimeFieldByField) {
    EXPECT_EQ(FormatDosDateTime(Date(1980, 1, 1), Time(0, 0, 0), kSlash), L"1980/01/01 00:00:00");
    EXPECT_EQ(FormatDosDateTime(Date(2107, 12, 31), Time(23, 59, 58), kSlash), L"2107/12/31 23:59:58");
    EXPECT_EQ(FormatDosDateTime(Date(2000, 2, 29), Time(12, 0, 2), kSlash), L"2000/02/29 12:00:02");
    // Invalid values are shown as they are stored instead of failing.
    EXPECT_EQ(FormatDosDateTime(0, 0, kSlash), L"1980/00/00 00:00:00");
    EXPECT_EQ(FormatDosDateTime(0xFFFF, 0xFFFF, kSlash), L"2107/15/31 31:63:62");
}

TEST(EntryLine, LocaleSeparatorsAreOneCharacterEach) {
    const DateTimeSeparators s = LocaleDateTimeSeparators();
    ASSERT_EQ(s.date.size(), 1u);
    ASSERT_EQ(s.time.size(), 1u);
    wchar_t buf[16] = {};
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDATE, buf, 16);
    EXPECT_EQ(s.date[0], buf[0]);
    // The test runs use C.UTF-8 and ja_JP.UTF-8, both "/" and ":".
    EXPECT_EQ(s.date, L"/");
    EXPECT_EQ(s.time, L":");
}

TEST(EntryLine, RootAndParentLines) {
    EXPECT_EQ(RootEntryLine(), L"<\\>\t\t <DIR>\t\t\t\t\t0\t0\t<\\>");
    EXPECT_EQ(ParentEntryLine(), L"<..>\t\t <DIR>\t\t\t\t\t0\t0\t<..>");
    EXPECT_EQ(Fields(RootEntryLine()).size(), 10u);
}

// ---- levels and ordering ------------------------------------------------------

TEST(EntryLevel, CountsSeparatorsFirstTwiceLastNever) {
    const std::pair<std::wstring, int> cases[] = {
        {L"abc", 0},      {L"a/b", 1},    {L"a\\b/c", 2}, {L"/a", 2},  {L"\\a/b", 3},
        {L"a/", 0},       {L"a//", 1},    {L"/", 1},      {L"", 0},    {L"//", 2},
    };
    for (const auto& [line, level] : cases) EXPECT_EQ(EntryLineLevel(line), level) << line;
}

TEST(EntryLevel, FourEntryArchiveWithSlashDates) {
    const std::uint16_t d = Date(2024, 5, 6), t = Time(7, 8, 10);
    const std::string names[] = {"a/", "a/x.txt", "b.txt", "a/b/c.txt"};
    const int levels[] = {3, 4, 2, 6};
    std::vector<std::wstring> lines;
    for (size_t i = 0; i < 4; ++i) {
        lines.push_back(BuildArchiveEntryLine(Record(names[i], 10, 5, d, t, "", "m"), false, kSlash).line);
        EXPECT_EQ(EntryLineLevel(lines.back()), levels[i]) << names[i];
    }
    const auto ordered = OrderEntryLinesByLevel(lines);
    ASSERT_EQ(ordered.size(), 4u);
    EXPECT_EQ(Fields(ordered[0])[0], L"b.txt");
    EXPECT_EQ(Fields(ordered[1])[0], L"a/");
    EXPECT_EQ(Fields(ordered[2])[0], L"a/x.txt");
    EXPECT_EQ(Fields(ordered[3])[0], L"a/b/c.txt");
}

TEST(EntryOrder, EachBucketSortedWithoutRegardToCase) {
    const std::vector<std::wstring> lines = {L"b", L"C", L"a", L"B2", L"x/y", L"A/z", L"c/a"};
    EXPECT_EQ(OrderEntryLinesByLevel(lines),
              (std::vector<std::wstring>{L"a", L"b", L"B2", L"C", L"A/z", L"c/a", L"x/y"}));
}

TEST(EntryOrder, OrderFollowsTheLocaleComparison) {
    std::vector<std::wstring> lines = {L"co-op", L"coop", L"Zeta", L"zeta2", L"éclair", L"eclair", L"Eclairs",
                                       L"10",    L"9",    L"_x",   L"ｱ",     L"ア",     L"あ",     L"~tilde"};
    auto sorted = lines;
    std::stable_sort(sorted.begin(), sorted.end(), [](const std::wstring& a, const std::wstring& b) {
        return CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1, nullptr,
                               nullptr, 0) == CSTR_LESS_THAN;
    });
    // Equal lines under the comparison keep only the first.
    std::vector<std::wstring> expected;
    for (const auto& s : sorted) {
        if (!expected.empty() && CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, s.c_str(), -1,
                                                 expected.back().c_str(), -1, nullptr, nullptr, 0) == CSTR_EQUAL) {
            continue;
        }
        expected.push_back(s);
    }
    EXPECT_EQ(OrderEntryLinesByLevel(lines), expected);
}

namespace {

// The ordering written the plain way: buckets, a stable sort by the locale's
// comparison, equal lines dropped after the first.
std::vector<std::wstring> ReferenceOrder(const std::vector<std::wstring>& lines) {
    auto cmp = [](const std::wstring& a, const std::wstring& b) {
        return CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                               b.data(), static_cast<int>(b.size()), nullptr, nullptr, 0);
    };
    std::vector<std::vector<std::wstring>> buckets(kLevelBuckets);
    for (const auto& l : lines) buckets[static_cast<size_t>(std::min(EntryLineLevel(l), kLevelBuckets - 1))].push_back(l);
    std::vector<std::wstring> out;
    for (auto& b : buckets) {
        std::stable_sort(b.begin(), b.end(), [&](const auto& x, const auto& y) { return cmp(x, y) == CSTR_LESS_THAN; });
        for (size_t i = 0; i < b.size(); ++i) {
            if (i > 0 && cmp(b[i], b[i - 1]) == CSTR_EQUAL) continue;
            out.push_back(b[i]);
        }
    }
    return out;
}

}  // namespace

TEST(EntryOrder, SameAsThePlainLocaleSortOnMixedNames) {
    // Names that differ only by case, by hyphens and apostrophes (weighed last
    // by the locale), by accents, by width and kana, plus exact duplicates.
    const std::wstring parts[] = {L"a",     L"A",   L"co-op", L"coop", L"co'op", L"Co-Op", L"-lh5-", L"-lh0-",
                                  L"éte",   L"ete", L"Ete",   L"テスト", L"ﾃｽﾄ",   L"てすと", L"x y",   L"x\\y",
                                  L"x/y",   L"1,234", L"12",  L"_u",   L"~t",     L"[b]",   L"ß",     L"ss",
                                  L"Ａ",    L"data", L"Data", L"dátá", L"ae",     L"æ",     L"zz",    L"Z-Z"};
    std::mt19937 rng(777);
    std::vector<std::wstring> lines;
    for (int i = 0; i < 3000; ++i) {
        std::wstring path;
        const int n = 1 + static_cast<int>(rng() % 3);
        for (int k = 0; k < n; ++k) {
            if (k) path += (rng() % 2) ? L"/" : L"\\";
            path += parts[rng() % std::size(parts)];
        }
        const std::wstring method = parts[rng() % std::size(parts)];
        lines.push_back(path + L"\t.x\t1\t2024/01/02\t03:04:05\t\t" + method + L"\t1\t1\t" + path);
    }
    const auto expected = ReferenceOrder(lines);
    EXPECT_LT(expected.size(), lines.size());  // the set does hold equal lines
    EXPECT_EQ(OrderEntryLinesByLevel(lines), expected);
    // Pure ASCII lines too (the common case in archives).
    std::vector<std::wstring> ascii;
    const std::wstring asciiParts[] = {L"Read-Me", L"readme", L"READ'ME", L"read me", L"-lh5-", L"a-", L"-a", L"b", L"B"};
    for (int i = 0; i < 2000; ++i) {
        ascii.push_back(asciiParts[rng() % std::size(asciiParts)] + L"/" + asciiParts[rng() % std::size(asciiParts)] +
                        L"\t" + asciiParts[rng() % std::size(asciiParts)]);
    }
    EXPECT_EQ(OrderEntryLinesByLevel(ascii), ReferenceOrder(ascii));
}

TEST(EntryOrder, LinesEqualApartFromCaseKeepTheFirst) {
    const std::uint16_t d = Date(2024, 5, 6), t = Time(7, 8, 10);
    const auto upper = BuildArchiveEntryLine(Record("DIR/Readme.TXT", 3, 3, d, t, "", "m"), false, kSlash).line;
    const auto lower = BuildArchiveEntryLine(Record("dir/readme.txt", 3, 3, d, t, "", "m"), false, kSlash).line;
    const auto other = BuildArchiveEntryLine(Record("dir/readme.txt", 4, 3, d, t, "", "m"), false, kSlash).line;
    EXPECT_EQ(OrderEntryLinesByLevel({upper, lower}), std::vector<std::wstring>{upper});
    EXPECT_EQ(OrderEntryLinesByLevel({lower, upper}), std::vector<std::wstring>{lower});
    // Equal paths but another size: two lines.
    EXPECT_EQ(OrderEntryLinesByLevel({lower, other}).size(), 2u);
    // Equal lines in different buckets cannot meet; the same line twice is one.
    EXPECT_EQ(OrderEntryLinesByLevel({lower, lower, lower}).size(), 1u);
}

TEST(EntryOrder, DeepLinesGoToTheLastBucketAndAreKept) {
    std::wstring deep40, deep31, deep35;
    for (int i = 0; i < 40; ++i) deep40 += L"d/";
    deep40 += L"f";
    for (int i = 0; i < 31; ++i) deep31 += L"e/";
    deep31 += L"f";
    for (int i = 0; i < 35; ++i) deep35 += L"a/";
    deep35 += L"f";
    ASSERT_EQ(EntryLineLevel(deep40), 40);
    ASSERT_EQ(EntryLineLevel(deep31), 31);
    const std::vector<std::wstring> lines = {deep40, L"top", deep31, deep35, L"x/y"};
    // Everything at level 31 and deeper shares the last bucket, sorted together.
    EXPECT_EQ(OrderEntryLinesByLevel(lines), (std::vector<std::wstring>{L"top", L"x/y", deep35, deep40, deep31}));
}

TEST(EntryOrder, QuarterMillionEntriesKeepEveryLineInLevelOrder) {
    std::mt19937 rng(12345);
    const wchar_t* words[] = {L"Data", L"src", L"Images", L"photo", L"doc", L"README", L"lib", L"テスト", L"x64",
                              L"build", L"Release", L"test_case", L"画像", L"Backup-2023"};
    std::vector<std::wstring> lines;
    lines.reserve(250000);
    for (int i = 0; i < 250000; ++i) {
        std::wstring path;
        const int depth = static_cast<int>(rng() % 6);
        for (int k = 0; k < depth; ++k) path += std::wstring(words[rng() % 14]) + L"/";
        path += std::wstring(words[rng() % 14]) + std::to_wstring(i) + L".dat";
        lines.push_back(path + L"\t.dat\t1,234\t2024/01/02\t03:04:05\t--A-\t-lh5-\t" + Pad20(L"1,234") + L"\t" +
                        Pad20(L"999") + L"\t" + path);
    }
    const size_t count = lines.size();
    // How fast this is belongs to bench/listing; here only what it produces.
    const auto ordered = OrderEntryLinesByLevel(std::move(lines));
    EXPECT_EQ(ordered.size(), count);  // every line is distinct
    // Levels never decrease along the result.
    int last = 0;
    for (size_t i = 0; i < ordered.size(); i += 997) {
        const int level = std::min(EntryLineLevel(ordered[i]), kLevelBuckets - 1);
        EXPECT_GE(level, last);
        last = level;
    }
}

// ---- Susie records --------------------------------------------------------------

namespace {

TSusieFileInfo SusieRecord(const std::string& method, std::int32_t pos, std::int32_t packed, std::int32_t size,
                           std::uint32_t stamp, const std::string& dir, const std::string& name) {
    TSusieFileInfo r{};
    std::memcpy(r.Method, method.data(), std::min<size_t>(method.size(), 8));
    r.Position = pos;
    r.CompressedSize = packed;
    r.FileSize = size;
    r.Timestamp = stamp;
    std::memcpy(r.Path, dir.data(), std::min<size_t>(dir.size(), 199));
    std::memcpy(r.FileName, name.data(), std::min<size_t>(name.size(), 199));
    return r;
}

}  // namespace

TEST(SusieTime, NineHoursAheadModulo) {
    const std::pair<std::uint32_t, std::wstring> cases[] = {
        {0u, L"1970/01/01 09:00:00"},
        {1700000000u, L"2023/11/15 07:13:20"},
        {951782400u, L"2000/02/29 09:00:00"},
        {951750000u, L"2000/02/29 00:00:00"},
        {4294967295u, L"1970/01/01 08:59:59"},  // wraps past 2^32
        {4294934895u, L"2106/02/07 06:28:15"},  // the last second before the wrap
    };
    for (const auto& [stamp, text] : cases) EXPECT_EQ(ArchiveFileTimeToDateTime(stamp), text) << stamp;
}

TEST(SusieLine, FieldsOfARecord) {
    const auto r = SusieRecord("LH5", 1234, 1000, 3000, 0, "docs\\", "note.txt");
    ASSERT_TRUE(SusieRecordIsEntry(r));
    const auto e = BuildSusieEntryLine(r);
    EXPECT_EQ(e.storedPath, L"docs\\note.txt");
    EXPECT_EQ(e.line, L"docs\\note.txt\t.txt\t3,000\t1970/01/01\t09:00:00\t1234\tLH5\t" + Pad20(L"3,000") + L"\t" +
                          Pad20(L"1,000") + L"\tdocs\\note.txt");
}

TEST(SusieLine, SignedSizesAndBoundedTexts) {
    // 3,000,000,000 bytes come back negative: the plug-in's sizes are signed.
    auto r = SusieRecord("ABCDEFGH", -5, static_cast<std::int32_t>(3000000000u), static_cast<std::int32_t>(3000000000u),
                         0, "", "big.bin");
    const auto f = Fields(BuildSusieEntryLine(r).line);
    EXPECT_EQ(f[2], L"-1,294,967,296");
    EXPECT_EQ(f[7], Pad20(L"-1,294,967,296"));
    EXPECT_EQ(f[8], Pad20(L"-1,294,967,296"));
    EXPECT_EQ(f[5], L"-5");
    EXPECT_EQ(f[6], L"ABCDEFGH");  // eight characters, no terminator
    // The extension comes from the file name only.
    r = SusieRecord("m", 0, 0, 0, 0, "a.dir\\", "noext");
    EXPECT_EQ(Fields(BuildSusieEntryLine(r).line)[1], L"");
    // A 200-byte name without terminator stops at its field.
    std::memset(r.FileName, 'q', sizeof(r.FileName));
    r.Unused = 0x41414141;
    EXPECT_EQ(BuildSusieEntryLine(r).storedPath, L"a.dir\\" + std::wstring(200, L'q'));
    EXPECT_FALSE(SusieRecordIsEntry(SusieRecord("", 0, 0, 0, 0, "x", "y")));
}
