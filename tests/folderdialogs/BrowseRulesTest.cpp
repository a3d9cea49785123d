// The browse window's rules without a window: the rows of a folder in their
// groups and orders (the Shift_JIS order table among them), the cursor
// memory per drive and depth (also past the 33 layers it has room for), what
// OK hands back, and a real folder read from disk.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "extract/BrowseRules.h"
#include "util/StrConv.h"

using namespace quibtest;
using quib::DirectoryLine;

namespace {

std::string U8(const std::wstring& s) { return quib::WideToUtf8(s); }

DirectoryLine File(const std::wstring& fullName, const std::wstring& attr = L"---A", long long size = 0,
                   const std::wstring& date = L"2020/01/01", const std::wstring& time = L"00:00:00") {
    WIN32_FIND_DATAW fd{};
    wcscpy_s(fd.cFileName, fullName.c_str());
    fd.nFileSizeLow = static_cast<DWORD>(size);
    DirectoryLine l = quib::MakeDirectoryLine(fd);
    l[3] = date;
    l[4] = time;
    l[5] = attr;
    return l;
}

DirectoryLine Folder(const std::wstring& name, const std::wstring& attr = L"----") {
    WIN32_FIND_DATAW fd{};
    wcscpy_s(fd.cFileName, name.c_str());
    fd.dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY;
    DirectoryLine l = quib::MakeDirectoryLine(fd);
    l[5] = attr;
    return l;
}

std::vector<std::wstring> Names(const std::vector<DirectoryLine>& rows) {
    std::vector<std::wstring> n;
    for (const auto& r : rows) n.push_back(r[8]);
    return n;
}

quib::BrowseSort SjisByName() {
    quib::BrowseSort s;
    s.explorer = false;
    s.sjis = true;
    s.mode = 1;
    return s;
}

}  // namespace

// ---------------------------------------------------------------- Shift_JIS order

TEST(SjisOrder, TheTableHasItsCharactersInTheFilerFamilysOrder) {
    EXPECT_EQ(std::wstring(quib::kSjisOrderTable).size(), 577u);
    EXPECT_EQ(quib::SjisOrderPosition(L'\''), 1);
    EXPECT_EQ(quib::SjisOrderPosition(L'-'), 2);
    EXPECT_EQ(quib::SjisOrderPosition(L' '), 3);
    EXPECT_LT(quib::SjisOrderPosition(L'_'), quib::SjisOrderPosition(L'1'));
    EXPECT_LT(quib::SjisOrderPosition(L'9'), quib::SjisOrderPosition(L'A'));
    EXPECT_LT(quib::SjisOrderPosition(L'Ａ'), quib::SjisOrderPosition(L'あ'));
    EXPECT_LT(quib::SjisOrderPosition(L'ん'), quib::SjisOrderPosition(L'ア'));
    EXPECT_LT(quib::SjisOrderPosition(L'ア'), quib::SjisOrderPosition(L'Α'));
    EXPECT_EQ(quib::SjisOrderPosition(L'─') + 1, quib::SjisOrderPosition(L'│'));
    EXPECT_EQ(quib::SjisOrderPosition(L'漢'), 0);
    EXPECT_EQ(quib::SjisOrderPosition(L'\\'), 0);
}

TEST(SjisOrder, ATableOfNamesSortsByTheTableAsciiFirst) {
    // Given in a scrambled order; each line of `expected` is where it must end.
    const std::vector<std::wstring> given = {L"ア.txt", L"b.txt", L"1a.txt", L"あ.txt", L"Ａ.txt", L"_a.txt",
                                             L"ab.txt", L"a.txt", L"~x.txt", L"(1).txt", L"A-b.txt", L"B2.txt"};
    const std::vector<std::wstring> expected = {
        L"(1).txt",  // "(" early in the table
        L"_a.txt",   // "_" before the digits
        L"~x.txt",   // "~" before "+" "=" and the digits
        L"1a.txt",
        L"A-b.txt",  // "-" is the table's second character: before "."
        L"a.txt",
        L"ab.txt",
        L"b.txt",
        L"B2.txt",   // "." comes before "2" in the table
        L"Ａ.txt",   // then every name that does not begin with printable ASCII
        L"あ.txt",
        L"ア.txt",
    };
    std::vector<DirectoryLine> files;
    for (const auto& n : given) files.push_back(File(n));
    const auto rows = quib::BuildBrowseRows(L"C:\\x\\", {}, files, SjisByName());
    EXPECT_EQ(Names(rows), expected);
}

TEST(SjisOrder, KeysComparePositionByPosition) {
    const struct {
        const wchar_t* a;
        const wchar_t* b;
        int sign;
    } cases[] = {
        {L"_a", L"1a", -1},     // table position decides
        {L"abc", L"ABC", 0},    // letters as capitals: equal
        {L"a", L"ab", -1},      // past the end is no table character: the rest decides, empty first
        {L"a1", L"a-", 1},      // "-" is before "1" in the table
        {L"x.txt", L"x.TXT", 0},
        {L"あい", L"あア", -1},  // hiragana before katakana in the table
    };
    for (const auto& c : cases) {
        const int r = quib::CompareSjisNameKeys(c.a, c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign) << U8(c.a) << " / " << U8(c.b);
        const int back = quib::CompareSjisNameKeys(c.b, c.a);
        EXPECT_EQ((back > 0) - (back < 0), -c.sign) << U8(c.b) << " / " << U8(c.a);
    }
}

// ---------------------------------------------------------------- rows

TEST(BrowseRows, RootRowFirstOnADriveRootAndParentRowFirstElsewhere) {
    const auto atRoot = quib::BuildBrowseRows(L"C:\\", {Folder(L"b"), Folder(L"a")}, {File(L"z.txt")}, {});
    EXPECT_EQ(Names(atRoot), (std::vector<std::wstring>{L"0", L"a", L"b", L"z.txt"}));
    EXPECT_EQ(atRoot[0][0], L"<\\>");
    EXPECT_EQ(atRoot[0][9], L"ROOT_MARK");

    // "." is hidden here: it still leads the rows.
    std::vector<DirectoryLine> folders = {Folder(L"b"), Folder(L"a")};
    DirectoryLine dot = Folder(L".", L"-H--");
    folders.insert(folders.begin() + 1, dot);
    const auto rows = quib::BuildBrowseRows(L"C:\\w\\", folders, {}, {});
    EXPECT_EQ(Names(rows), (std::vector<std::wstring>{L"<..>", L"a", L"b"}));
}

TEST(BrowseRows, GroupsComeSystemHiddenReadOnlyNormalAndSizeDescendingOnlyWithinAGroup) {
    quib::BrowseSort s;
    s.mode = 4;
    s.order = 1;
    const std::vector<DirectoryLine> files = {File(L"small.txt", L"---A", 10),  File(L"big.txt", L"---A", 5000),
                                              File(L"ro.txt", L"R--A", 1),       File(L"hid.txt", L"-H-A", 2),
                                              File(L"sys.txt", L"--SA", 3),      File(L"mid.txt", L"---A", 300)};
    EXPECT_EQ(Names(quib::BuildBrowseRows(L"C:\\w\\", {}, files, s)),
              (std::vector<std::wstring>{L"sys.txt", L"hid.txt", L"ro.txt", L"big.txt", L"mid.txt", L"small.txt"}));
    // System entries hidden: one that is neither hidden nor read-only goes.
    s.showSystem = false;
    const std::vector<DirectoryLine> more = {File(L"sys.txt", L"--SA"), File(L"syshid.txt", L"-HSA"),
                                             File(L"a.txt", L"---A")};
    EXPECT_EQ(Names(quib::BuildBrowseRows(L"C:\\w\\", {}, more, s)),
              (std::vector<std::wstring>{L"syshid.txt", L"a.txt"}));
}

TEST(BrowseRows, ExplorerOrderTakesDigitRunsByValueAndUnicodeOrderByCodeUnit) {
    quib::BrowseSort s;
    const std::vector<DirectoryLine> files = {File(L"a10.txt"), File(L"a2.txt"), File(L"B1.txt")};
    EXPECT_EQ(Names(quib::BuildBrowseRows(L"C:\\w\\", {}, files, s)),
              (std::vector<std::wstring>{L"a2.txt", L"a10.txt", L"B1.txt"}));
    s.explorer = false;
    s.unicode = true;
    EXPECT_EQ(Names(quib::BuildBrowseRows(L"C:\\w\\", {}, files, s)),
              (std::vector<std::wstring>{L"B1.txt", L"a10.txt", L"a2.txt"}));
    // By extension, then by date.
    s.mode = 2;
    const std::vector<DirectoryLine> kinds = {File(L"x.zip"), File(L"y.bmp"), File(L"z.txt")};
    EXPECT_EQ(Names(quib::BuildBrowseRows(L"C:\\w\\", {}, kinds, s)),
              (std::vector<std::wstring>{L"y.bmp", L"z.txt", L"x.zip"}));
    s.mode = 3;
    const std::vector<DirectoryLine> dated = {File(L"new.txt", L"---A", 0, L"2021/05/01", L"10:00:00"),
                                              File(L"old.txt", L"---A", 0, L"2019/05/01", L"10:00:00"),
                                              File(L"mid.txt", L"---A", 0, L"2021/05/01", L"09:00:00")};
    EXPECT_EQ(Names(quib::BuildBrowseRows(L"C:\\w\\", {}, dated, s)),
              (std::vector<std::wstring>{L"old.txt", L"mid.txt", L"new.txt"}));
}

// ---------------------------------------------------------------- cursor memory

TEST(CursorMemory, LayersCountTheBackslashes) {
    EXPECT_EQ(quib::WriteLayer(L"C:\\"), 1);
    EXPECT_EQ(quib::WriteLayer(L"C:\\a\\"), 1);
    EXPECT_EQ(quib::WriteLayer(L"C:\\a\\b\\"), 2);
    EXPECT_EQ(quib::ReadLayer(L"C:\\"), 1);
    EXPECT_EQ(quib::ReadLayer(L"C:\\a\\"), 2);
    EXPECT_EQ(quib::ReadLayer(L"C:\\a\\b\\"), 3);
}

TEST(CursorMemory, BackUpPutsTheCursorOnTheFolderLastVisitedAndForgetsItsSibling) {
    quib::CursorMemory m;
    const auto fixed = quib::BuildBrowseRows(L"C:\\a\\", {Folder(L"."), Folder(L"b"), Folder(L"c")}, {File(L"f.txt")}, {});
    m.Record(L"C:\\a\\b\\");
    EXPECT_EQ(fixed[static_cast<size_t>(m.RestoreRow(L"C:\\a\\", fixed))][8], L"b");
    m.Record(L"C:\\a\\c\\");
    EXPECT_EQ(fixed[static_cast<size_t>(m.RestoreRow(L"C:\\a\\", fixed))][8], L"c");
    EXPECT_EQ(m.Layer(2, 2), (std::vector<std::wstring>{L"C:\\a\\c\\"})) << "b is forgotten for C:\\a\\";
    // A folder of another parent at the same depth is kept beside it.
    m.Record(L"C:\\x\\y\\");
    EXPECT_EQ(m.Layer(2, 2), (std::vector<std::wstring>{L"C:\\x\\y\\", L"C:\\a\\c\\"}));
    EXPECT_EQ(m.LastFolder(2), L"C:\\x\\y\\");
}

TEST(CursorMemory, EachDriveKeepsItsOwnLastFolderAndLayers) {
    quib::CursorMemory m;
    EXPECT_EQ(m.LastFolder(3), L"D:\\");
    m.Record(L"C:\\work\\");
    m.Record(L"D:\\data\\");
    EXPECT_EQ(m.LastFolder(2), L"C:\\work\\");
    EXPECT_EQ(m.LastFolder(3), L"D:\\data\\");
    EXPECT_EQ(m.Layer(2, 1), (std::vector<std::wstring>{L"C:\\work\\"}));
    EXPECT_EQ(m.Layer(3, 1), (std::vector<std::wstring>{L"D:\\data\\"}));
    // A root is no entry of a layer, but it is the drive's last folder.
    m.Record(L"C:\\");
    EXPECT_EQ(m.LastFolder(2), L"C:\\");
    EXPECT_EQ(m.Layer(2, 1), (std::vector<std::wstring>{L"C:\\work\\"}));
}

TEST(CursorMemory, FoldersDeeperThanThirtyThreeLayersAreNeitherRecordedNorRestoredAndNothingBreaks) {
    quib::CursorMemory m;
    std::wstring path = L"C:\\";
    for (int i = 1; i <= 40; ++i) path += L"d" + std::to_wstring(i) + L"\\";
    EXPECT_EQ(quib::WriteLayer(path), 40);
    m.Record(path);  // write layer 40: no list
    m.RecordJump(path);
    EXPECT_EQ(m.LastFolder(2), path);
    // The walk up filled the layers it has room for, and no more.
    for (int layer = 1; layer <= quib::CursorMemory::kLayers; ++layer) EXPECT_FALSE(m.Layer(2, layer).empty()) << layer;
    EXPECT_TRUE(m.Layer(2, 34).empty());
    EXPECT_TRUE(m.Layer(2, 40).empty());
    // Listing a folder 33 deep reads layer 34: nothing to restore there.
    std::wstring deep = L"C:\\";
    for (int i = 1; i <= 33; ++i) deep += L"d" + std::to_wstring(i) + L"\\";
    const auto rows = quib::BuildBrowseRows(deep, {Folder(L"."), Folder(L"d34")}, {}, {});
    EXPECT_EQ(m.RestoreRow(deep, rows), -1);
    // One level up (layer 33 is read) the cursor memory still works.
    std::wstring up = deep.substr(0, deep.size() - 4);
    const auto upRows = quib::BuildBrowseRows(up, {Folder(L"."), Folder(L"a"), Folder(L"d33")}, {}, {});
    EXPECT_EQ(upRows[static_cast<size_t>(m.RestoreRow(up, upRows))][8], L"d33");
    // Bad drives and layers are ignored.
    m.Record(L"\\\\server\\share\\");
    EXPECT_TRUE(m.Layer(-1, 1).empty());
    EXPECT_TRUE(m.Layer(26, 1).empty());
    EXPECT_TRUE(m.Layer(2, 0).empty());
}

TEST(CursorMemory, TheRootRowNeverStandsForAFolderNamedZero) {
    quib::CursorMemory m;
    m.Record(L"C:\\0\\");
    const auto rows = quib::BuildBrowseRows(L"C:\\", {Folder(L"a"), Folder(L"0")}, {}, {});
    const int r = m.RestoreRow(L"C:\\", rows);
    ASSERT_GE(r, 0);
    EXPECT_EQ(rows[static_cast<size_t>(r)][0], L"0");
    EXPECT_NE(r, 0);
}

// ---------------------------------------------------------------- commands

TEST(BrowseOk, WhatEachKindOfRowHandsBackInEachMode) {
    const std::wstring c = L"C:\\w\\";
    const DirectoryLine root = quib::RootDirectoryLine(), parent = Folder(L"."), sub = Folder(L"sub"),
                        file = File(L"x.txt");
    const struct {
        bool pickFile;
        DirectoryLine row;
        bool accepted;
        std::wstring path;
        std::wstring english;
    } cases[] = {
        {false, sub, true, L"C:\\w\\sub\\", L""},
        {false, parent, true, c, L""},
        {false, root, true, c, L""},
        {false, file, false, L"", L"Information : File can not accept.\r\n[OK]"},
        {true, file, true, L"C:\\w\\x.txt", L""},
        {true, sub, false, L"", L"Information : This folder can not accept.\r\n[OK]"},
        {true, parent, false, L"", L"Information : This folder can not accept.\r\n[OK]"},
    };
    for (const auto& k : cases) {
        const auto r = quib::BrowseOk(k.pickFile, c, k.row);
        EXPECT_EQ(r.accepted, k.accepted) << U8(k.row[8]);
        EXPECT_EQ(r.path, k.path);
        EXPECT_EQ(r.english, k.english);
    }
    EXPECT_EQ(quib::BrowseOk(false, c, file).japanese, L"Information : ファイルは指定できません");
    EXPECT_EQ(quib::BrowseOk(true, c, sub).japanese, L"Information : このフォルダは指定できません");
}

TEST(BrowseRules, LabelsDoubleTheAmpersandAndRenameNamesNoRootOrParent) {
    EXPECT_EQ(quib::LabelText(L"C:\\R&D\\a&&b\\"), L"C:\\R&&D\\a&&&&b\\");
    EXPECT_EQ(quib::RenameSourceOf(quib::RootDirectoryLine()), L"");
    EXPECT_EQ(quib::RenameSourceOf(Folder(L".")), L"");
    EXPECT_EQ(quib::RenameSourceOf(Folder(L"sub")), L"sub\\");
    EXPECT_EQ(quib::RenameSourceOf(File(L"x.txt")), L"x.txt");
    EXPECT_TRUE(quib::FolderRefused(L"C:\\", L"documents and settings"));
    EXPECT_FALSE(quib::FolderRefused(L"D:\\", L"Documents and Settings"));
    EXPECT_TRUE(quib::FolderRefused(L"D:\\x\\", L"SYSTEM VOLUME INFORMATION"));
    EXPECT_EQ(quib::ParentFolderOf(L"C:\\a\\b\\"), L"C:\\a\\");
    EXPECT_EQ(quib::ParentFolderOf(L"C:\\a\\"), L"C:\\");
    EXPECT_EQ(quib::ParentFolderOf(L"C:\\"), L"C:\\");
}

TEST(BrowseRules, AFolderReadFromDiskHasItsParentRowAndSplitsFileNames) {
    TempDir work;
    CreateDirectoryW((work / L"sub").c_str(), nullptr);
    WriteFileBytes(work / L"notes.TXT", "12345");
    WriteFileBytes(work / L"noext", "");
    std::vector<DirectoryLine> folders, files;
    ASSERT_TRUE(quib::ReadFolder(work.Path() + L"\\", folders, files));
    std::vector<std::wstring> folderNames = Names(folders);
    std::sort(folderNames.begin(), folderNames.end());
    EXPECT_EQ(folderNames, (std::vector<std::wstring>{L"<..>", L"sub"}));
    ASSERT_EQ(files.size(), 2u);
    for (const auto& f : files) {
        if (f[8] == L"notes.TXT") {
            EXPECT_EQ(f[0], L"notes");
            EXPECT_EQ(f[1], L".TXT");
            EXPECT_EQ(f[2], L"5");
            EXPECT_EQ(f[7], L"                   5");
        } else {
            EXPECT_EQ(f[8], L"noext");
            EXPECT_EQ(f[0], L"noext");
            EXPECT_EQ(f[1], L"");
        }
    }
    EXPECT_FALSE(quib::ReadFolder(work / L"missing\\", folders, files));
    ASSERT_TRUE(quib::ReadFolder(L"C:\\", folders, files));
    for (const auto& f : folders) EXPECT_NE(f[0], L"<..>") << "a drive root has no parent row";
}
