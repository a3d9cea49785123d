// The compact entry store must give every entry exactly the line, fields,
// level and ANSI path that the entry line built from the same DLL record has,
// and the level order of its entries must be the order of those lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "app/EntryView.h"
#include "EntryRecords.h"
#include "archive/EntryModel.h"
#include "archive/EntryStore.h"
#include "util/MyUtility.h"
#include "util/StrConv.h"

using namespace quib;

namespace {

using unittest::Record;

std::vector<TArchiveEntryInfo> Records() {
    const std::string sjis = "\x8E\x91\x97\xBF/\x95\x5C.txt";  // 資料/表.txt: a 0x5C trail byte
    const std::string utf8 = "caf\xC3\xA9/\xE6\x97\xA5.txt";
    std::vector<TArchiveEntryInfo> r = {
        Record("a/b/c.txt", 3000000000u, 5, 0x5D9F, 0xBF9D, "A", "-lh5-"),
        Record("folder/", 0, 0, 0, 0, "----D", "Store"),
        Record("back\\slash\\", 0, 0, 0x21, 0, "", ""),
        Record("/abs/x", 1, 1, 0xFFFF, 0xFFFF, "R/S", "a\\b"),
        Record("v1.2/readme", 5, 5, 0, 0, "", ""),
        Record("noext", 0, 0, 0, 0, "12345678", "ABCDEFGH"),  // eight bytes, no NUL
        Record("", 7, 7, 0, 0, "", ""),
        Record("/", 0, 0, 0, 0, "", ""),
        Record(sjis, 10, 9, 0x5821, 0x6000, "---A-", "Deflate"),
        Record(utf8, 12, 11, 0x5821, 0x6000, "---A-", "Deflate"),
        Record("bad\xFF\xFE.txt", 1, 1, 0, 0, "", ""),
        Record(std::string(512, 'n'), 4294967295u, 4294967295u, 0, 0, "", ""),
        Record("tab\there\r\nType = 7z", 1, 1, 0, 0, "", ""),
    };
    return r;
}

}  // namespace

TEST(EntryStore, EveryRecordGivesTheLineTheEntryLineBuilderGives) {
    for (const DateTimeSeparators& sep : {DateTimeSeparators{L"/", L":"}, DateTimeSeparators{L"-", L"."},
                                          DateTimeSeparators{L"\\", L"/"}, DateTimeSeparators{L"//", L"::"}}) {
        for (bool utf8 : {false, true}) {
            EntryStore store(sep);
            const auto records = Records();
            for (const auto& info : records) store.AddArchiveRecord(info, utf8);
            ASSERT_EQ(store.Count(), records.size());
            for (uint32_t i = 0; i < records.size(); ++i) {
                const ArchiveEntryLine expected = BuildArchiveEntryLine(records[i], utf8, sep);
                const std::string what = "record " + std::to_string(i) + " utf8 " + std::to_string(utf8) + " sep " +
                                         WideToUtf8(sep.date);
                EXPECT_EQ(store.Line(i), expected.line) << what;
                EXPECT_EQ(store.PathAnsi(i), expected.pathAnsi) << what;
                EXPECT_EQ(store.Level(i), EntryLineLevel(expected.line)) << what;
                std::vector<std::wstring> fields;
                StringToCsvList(expected.line, fields);
                for (int n = 0; n < 10; ++n) EXPECT_EQ(store.Field(i, n), fields[static_cast<size_t>(n)]) << what << n;
                EXPECT_EQ(store.DisplayPath(i), fields[0]) << what;
                EXPECT_EQ(store.Folder(i), fields[2] == L" <DIR>") << what;
                EXPECT_EQ(store.SizeValue(i), CommaTextValue(fields[7])) << what;
                EXPECT_TRUE(store.HasDate(i)) << what;
            }
        }
    }
}

TEST(EntryStore, ControlCharactersInANameNeverMakeAnotherFieldOrLine) {
    EntryStore store;
    store.AddArchiveRecord(Record("a\tb\r\nType = 7z.txt", 1, 1, 0, 0, "", ""), false);
    const std::wstring line = store.Line(0);
    EXPECT_EQ(std::count(line.begin(), line.end(), L'\t'), 9);
    EXPECT_EQ(line.find_first_of(L"\r\n"), std::wstring::npos);
    EXPECT_EQ(store.DisplayPath(0), L"a?b??Type = 7z.txt");
    EXPECT_EQ(store.PathAnsi(0), L"a?b??Type = 7z.txt");
}

TEST(EntryStore, LinesTakenAsTheyAreKeepEveryField) {
    EntryStore store;
    const std::vector<std::wstring> lines = {L"<\\>\t\t <DIR>\t\t\t\t\t0\t0\t<\\>", L"short\t.x", L"",
                                             L"a/b\t\t5\t\t\t\t\t    5\t0\tdifferent/stored"};
    for (const auto& l : lines) store.AddLine(l);
    for (uint32_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(store.Line(i), lines[i]);
        EXPECT_EQ(store.Level(i), EntryLineLevel(lines[i]));
    }
    EXPECT_TRUE(store.Folder(0));
    EXPECT_FALSE(store.HasDate(0));
    EXPECT_EQ(store.Field(1, 1), L".x");
    EXPECT_EQ(store.Field(1, 5), L"");
    EXPECT_EQ(store.Field(3, 9), L"different/stored");
    EXPECT_EQ(store.SizeValue(3), 5);
}

// Many records with the texts that decide the order (case, hyphens, digits,
// depth, duplicates): the store's level order equals the order of the lines.
TEST(EntryStore, LevelOrderOfTheStoreIsTheLevelOrderOfItsLines) {
    std::mt19937 rnd(7);
    const char* parts[] = {"a", "B", "co-op", "coop", "co'op", "x10", "x9", "Z", "dir", "Dir"};
    EntryStore store;
    std::vector<std::wstring> lines;
    for (int i = 0; i < 3000; ++i) {
        std::string name;
        const int depth = 1 + static_cast<int>(rnd() % 4);
        for (int d = 0; d < depth; ++d) name += std::string(d ? "/" : "") + parts[rnd() % 10];
        if (rnd() % 5 == 0) name += "/";
        const auto info = Record(name, rnd() % 3, 0, static_cast<std::uint16_t>(0x5821 + rnd() % 2), 0, "---A-",
                                 rnd() % 2 ? "Deflate" : "Store");
        store.AddArchiveRecord(info, false);
        lines.push_back(BuildArchiveEntryLine(info, false, {}).line);
    }
    const std::vector<uint32_t> order = OrderEntriesByLevel(store, 0, static_cast<uint32_t>(store.Count()));
    std::vector<std::wstring> fromStore;
    for (uint32_t i : order) fromStore.push_back(store.Line(i));
    const std::vector<std::wstring> expected = OrderEntryLinesByLevel(lines);
    EXPECT_LT(expected.size(), lines.size());  // duplicates were dropped
    EXPECT_EQ(fromStore, expected);
}
