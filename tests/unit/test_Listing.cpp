#include <gtest/gtest.h>

#include <cstdio>

#include "UnitFakes.h"
#include "archive/Listing.h"
#include "util/MyUtility.h"
#include "util/StrConv.h"

using namespace quib;
using unittest::DosDate;
using unittest::DosTime;
using unittest::EntryLine;
using unittest::FakeLog;

namespace {

const std::vector<std::wstring> kArcExt = {L".lzh", L".zip", L".cab", L".7z",  L".rar", L".gz",
                                           L".iso", L".bza", L".gza", L".gca", L".arj", L".yz1"};

std::vector<std::wstring> Fields(const std::wstring& line) {
    std::vector<std::wstring> f;
    StringToCsvList(line, f);
    return f;
}

std::vector<std::wstring> Paths(const std::vector<std::wstring>& lines) {
    std::vector<std::wstring> p;
    for (const auto& l : lines) p.push_back(Fields(l)[0]);
    return p;
}

// A program folder holding the fake archiver under every DLL name, and a
// listing context that loads the DLLs from it.
class Listing : public ::testing::Test {
protected:
    quibtest::TempDir dir_;
    FakeLog log_;
    ArchiveListContext ctx_;

    void SetUp() override {
        ResetArchiveBindingForTests();
        for (int i = 0; i < kArchiveDllCount; ++i) {
            const std::wstring name = ArchiveDllTable(ArchiveFamilyFromIndex(i)).fileName;
            ASSERT_TRUE(CopyFileW(unittest::FakeArchiverDll().c_str(), (dir_ / name).c_str(), FALSE));
        }
        ctx_.owner = reinterpret_cast<HWND>(0x77);
        ctx_.settings = ReadArchiveSetting(IniFile(dir_ / L"none.ini"));
        ctx_.settings.BoolReadDllSystem32andApplication = false;
        ctx_.programFolder = dir_.Path();
        ctx_.utf8Display = false;
        ctx_.separators = DateTimeSeparators{L"/", L":"};
    }
    void TearDown() override { ResetArchiveBindingForTests(); }

    std::wstring Archive(const std::wstring& name, const std::string& manifest) {
        const std::wstring path = dir_ / name;
        EXPECT_TRUE(quibtest::WriteFileBytes(path, manifest));
        return path;
    }
};

const std::string kFourEntries = EntryLine("a/", 0, 0, DosDate(2024, 5, 6), DosTime(7, 8, 10), "", "-lhd-") +
                                 EntryLine("a/x.txt", 1234, 600, DosDate(2024, 5, 6), DosTime(7, 8, 10), "A", "-lh5-") +
                                 EntryLine("b.txt", 20, 20, DosDate(2023, 1, 2), DosTime(3, 4, 6), "A", "-lh0-") +
                                 EntryLine("a/b/c.txt", 3000000000u, 5, DosDate(2022, 12, 31), DosTime(23, 59, 58),
                                           "A", "-lh5-");

}  // namespace

TEST_F(Listing, FourEntriesInLevelOrderWithTheRootFirst) {
    const std::wstring path = Archive(L"four.lzh", kFourEntries);
    NormalListing out;
    ASSERT_TRUE(ArchiveListNormalCore(ctx_, path, kArcExt, out));
    EXPECT_EQ(Paths(out.lines.ToVector()), (std::vector<std::wstring>{L"<\\>", L"b.txt", L"a/", L"a/x.txt", L"a/b/c.txt"}));
    EXPECT_EQ(out.lines[0], RootEntryLine());
    EXPECT_EQ(out.lines[4], L"a/b/c.txt\t.txt\t3,000,000,000\t2022/12/31\t23:59:58\tA\t-lh5-\t" +
                                IntToCommaStr20(3000000000LL) + L"\t" + IntToCommaStr20(5) + L"\ta/b/c.txt");
    EXPECT_EQ(out.pathList.ToVector(), (std::vector<std::wstring>{L"a/", L"a/x.txt", L"b.txt", L"a/b/c.txt"}));
    const auto log = log_.Lines();
    ASSERT_EQ(log.size(), 7u);
    EXPECT_EQ(log[0], "UnlhaOpenArchive mode=00000000 owner=77 path=" + WideToAnsi(path));
    EXPECT_EQ(log[1], "UnlhaFindFirst wildcard=*.*");
    for (int i = 2; i <= 5; ++i) EXPECT_EQ(log[static_cast<size_t>(i)], "UnlhaFindNext");
    EXPECT_EQ(log[6], "UnlhaCloseArchive handle");
}

TEST_F(Listing, FamilyAndModeFlagsByExtensionAndZipChoice) {
    struct Case {
        const wchar_t* name;
        int unzip;
        const char* open;
        const char* mode;
    };
    const Case cases[] = {
        {L"x.lzh", 0, "UnlhaOpenArchive", "00000000"},    {L"x.zip", 0, "UnZipOpenArchive", "00000000"},
        {L"x.zip", 1, "UnzipOpenArchive", "00000000"},    {L"x.zip", 2, "SevenZipOpenArchive", "00400100"},
        {L"x.ZIP", 2, "SevenZipOpenArchive", "00400100"}, {L"x.cab", 0, "CabOpenArchive", "00000000"},
        {L"x.7z", 0, "SevenZipOpenArchive", "00400100"},  {L"x.rar", 0, "UnrarOpenArchive", "00000000"},
        {L"x.gz", 0, "TarOpenArchive", "00000000"},       {L"x.iso", 0, "UnIsoOpenArchive", "00400100"},
        {L"x.bza", 0, "BgaOpenArchive", "00000000"},      {L"x.gza", 0, "BgaOpenArchive", "00000000"},
        {L"x.gca", 0, "UnGCAOpenArchive", "00000000"},    {L"x.arj", 0, "UnarjOpenArchive", "00000000"},
        {L"x.yz1", 0, "Yz1OpenArchive", "00000000"},
    };
    for (const Case& c : cases) {
        log_.Clear();
        ctx_.settings.IntUnZipDll = c.unzip;
        const std::wstring path = Archive(c.name, EntryLine("f.txt", 1, 1, 0, 0, "", ""));
        NormalListing out;
        ASSERT_TRUE(ArchiveListNormalCore(ctx_, path, kArcExt, out)) << c.name;
        EXPECT_EQ(Paths(out.lines.ToVector()), (std::vector<std::wstring>{L"<\\>", L"f.txt"})) << c.name;
        const auto log = log_.Lines();
        ASSERT_FALSE(log.empty()) << c.name;
        EXPECT_EQ(log[0], std::string(c.open) + " mode=" + c.mode + " owner=77 path=" + WideToAnsi(path)) << c.name;
    }
}

TEST_F(Listing, ExtensionNotInTheListListsNothing) {
    const std::wstring path = Archive(L"four.lzh", kFourEntries);
    NormalListing out;
    out.lines = EntryLines::FromLines({L"old line"});
    out.pathList = EntryPathList(EntryLines::FromLines({L"old path"}).SharedStore(), 1);
    EXPECT_FALSE(ArchiveListNormalCore(ctx_, path, {L".zip", L".7z"}, out));
    EXPECT_TRUE(out.lines.empty());
    EXPECT_TRUE(log_.Lines().empty());
}

TEST_F(Listing, ListedExtensionWithoutFamilyGivesTheRootAlone) {
    const std::wstring path = Archive(L"four.tar", kFourEntries);
    NormalListing out;
    out.lines = EntryLines::FromLines({L"old line"});
    EXPECT_TRUE(ArchiveListNormalCore(ctx_, path, {L".lzh", L".tar"}, out));
    EXPECT_EQ(out.lines.ToVector(), std::vector<std::wstring>{RootEntryLine()});
    EXPECT_TRUE(log_.Lines().empty());
    EXPECT_EQ(DllFolder(), dir_.Path() + L"\\");
}

TEST_F(Listing, AnArchiveTheDllCannotOpenGivesTheRootAlone) {
    const std::wstring path = Archive(L"bad.lzh", "OPENFAIL\n" + kFourEntries);
    NormalListing out;
    out.pathList = EntryPathList(EntryLines::FromLines({L"old path"}).SharedStore(), 1);
    EXPECT_TRUE(ArchiveListNormalCore(ctx_, path, kArcExt, out));
    EXPECT_EQ(out.lines.ToVector(), std::vector<std::wstring>{RootEntryLine()});
    EXPECT_TRUE(out.pathList.empty());
    // A DLL is never handed a handle it did not give: no FindFirst, no
    // CloseArchive after a failed OpenArchive.
    const auto log = log_.Lines();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].rfind("UnlhaOpenArchive", 0), 0u) << log[0];
}

TEST_F(Listing, Utf8NamesShownDecodedWhenAsked) {
    const std::string utf8 = WideToUtf8(L"フォルダ/説明.テキ");
    const std::wstring path = Archive(L"u.zip", EntryLine(utf8, 5, 5, DosDate(2020, 1, 1), 0, "", ""));
    for (bool shown : {false, true}) {
        ctx_.utf8Display = shown;
        NormalListing out;
        ASSERT_TRUE(ArchiveListNormalCore(ctx_, path, kArcExt, out));
        ASSERT_EQ(out.lines.size(), 2u);
        const auto f = Fields(out.lines[1]);
        EXPECT_EQ(f[0], shown ? L"フォルダ/説明.テキ" : AnsiToWide(utf8));
        EXPECT_EQ(f[9], f[0]);
        EXPECT_EQ(f[1], ExtractFileExt(AnsiToWide(utf8)));
        EXPECT_EQ(out.pathList.ToVector(), std::vector<std::wstring>{AnsiToWide(utf8)});
    }
}

TEST_F(Listing, AnsiNamesInTheSystemCodePage) {
    // "資料.txt" in code page 932; under another code page the bytes decode otherwise.
    const std::string sjis = "\x8e\x91\x97\xbf.txt";
    const std::wstring path = Archive(L"j.lzh", EntryLine(sjis, 5, 5, 0, 0, "", ""));
    NormalListing out;
    ASSERT_TRUE(ArchiveListNormalCore(ctx_, path, kArcExt, out));
    EXPECT_EQ(Fields(out.lines[1])[0], AnsiToWide(sjis));
    if (GetACP() == 932) {
        EXPECT_EQ(Fields(out.lines[1])[0], L"資料.txt");
    }
}

TEST_F(Listing, LinesEqualApartFromCaseKeepTheFirst) {
    const std::wstring path = Archive(L"case.lzh", EntryLine("Dir/Read.TXT", 5, 5, 0, 0, "A", "m") +
                                                       EntryLine("dir/read.txt", 5, 5, 0, 0, "a", "M") +
                                                       EntryLine("dir/read.txt", 6, 5, 0, 0, "a", "M"));
    NormalListing out;
    ASSERT_TRUE(ArchiveListNormalCore(ctx_, path, kArcExt, out));
    ASSERT_EQ(out.lines.size(), 3u);
    EXPECT_EQ(Fields(out.lines[1])[0], L"Dir/Read.TXT");
    EXPECT_EQ(Fields(out.lines[2])[2], L"6");
    EXPECT_EQ(out.pathList.size(), 3u);
}

TEST_F(Listing, SeparatorsOfTheContextAreUsed) {
    ctx_.separators = DateTimeSeparators{L"-", L"."};
    const std::wstring path = Archive(L"four.lzh", kFourEntries);
    NormalListing out;
    ASSERT_TRUE(ArchiveListNormalCore(ctx_, path, kArcExt, out));
    // Without "/" in the date the levels are 1, 2, 0 and 4: the same order.
    EXPECT_EQ(Paths(out.lines.ToVector()), (std::vector<std::wstring>{L"<\\>", L"b.txt", L"a/", L"a/x.txt", L"a/b/c.txt"}));
    EXPECT_EQ(Fields(out.lines[1])[3], L"2023-01-02");
    EXPECT_EQ(Fields(out.lines[1])[4], L"03.04.06");
}

TEST_F(Listing, DllFolderFollowsTheSearchSetting) {
    const std::wstring path = Archive(L"four.lzh", kFourEntries);
    NormalListing out;
    ctx_.programFolder = dir_.Path() + L"\\";
    ASSERT_TRUE(ArchiveListNormalCore(ctx_, path, kArcExt, out));
    EXPECT_EQ(DllFolder(), dir_.Path() + L"\\");
    ctx_.settings.BoolReadDllSystem32andApplication = true;
    ArchiveListNormalCore(ctx_, path, kArcExt, out);  // the DLL is loaded already
    EXPECT_EQ(DllFolder(), L"");
}

TEST_F(Listing, MissingDllEndsTheListingWithDLLAddressErr) {
    quibtest::TempDir empty;
    ctx_.programFolder = empty.Path();
    const std::wstring path = Archive(L"four.lzh", kFourEntries);
    NormalListing out;
    out.lines = EntryLines::FromLines({L"old line"});
    out.pathList = EntryPathList(EntryLines::FromLines({L"old path"}).SharedStore(), 1);
    try {
        ArchiveListNormalCore(ctx_, path, kArcExt, out);
        FAIL() << "no exception";
    } catch (const DLLAddressErr& e) {
        EXPECT_EQ(e.EntryName(), L"UnlhaOpenArchive");
    }
    EXPECT_TRUE(out.lines.empty());
    EXPECT_EQ(out.pathList.ToVector(), std::vector<std::wstring>{L"old path"});
}

TEST_F(Listing, MissingFindNextEndsTheListingAndClosesTheArchive) {
    ASSERT_TRUE(CopyFileW(unittest::FakeArchiverNoArjNextDll().c_str(), (dir_ / L"UNARJ32J.DLL").c_str(), FALSE));
    const std::wstring path = Archive(L"four.arj", kFourEntries);
    NormalListing out;
    try {
        ArchiveListNormalCore(ctx_, path, kArcExt, out);
        FAIL() << "no exception";
    } catch (const DLLAddressErr& e) {
        EXPECT_EQ(e.EntryName(), L"UnarjFindNext");
    }
    // What was listed so far stays; the archive was closed.
    ASSERT_EQ(out.lines.size(), 1u);
    EXPECT_EQ(Fields(out.lines[0])[0], L"a/");
    EXPECT_EQ(out.pathList.ToVector(), std::vector<std::wstring>{L"a/"});
    const auto log = log_.Lines();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "UnarjCloseArchive handle");
}

// ---- simple and test listings ---------------------------------------------------

TEST_F(Listing, SimpleAndTestCommandLines) {
    const std::string report = "R|first\\rsecond\\nthird\\r\\nfourth\nR|\nR|last\n";
    const std::wstring lzh = Archive(L"rep.lzh", report);
    std::vector<std::wstring> result{L"stale"};
    ASSERT_TRUE(ArchiveListSimpleCore(ctx_, lzh, result));
    EXPECT_EQ(result, (std::vector<std::wstring>{L"CMD:l -c1m0a1 -jf0 -p2 \"" + lzh + L"\"", L"first", L"second",
                                                 L"third", L"fourth", L"", L"last"}));
    ASSERT_TRUE(ArchiveListTestCore(ctx_, lzh, result));
    ASSERT_FALSE(result.empty());
    EXPECT_EQ(result[0], L"CMD:t \"" + lzh + L"\"");
    const auto log = log_.Lines();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], "Unlha size=655351 owner=77 cmd=l -c1m0a1 -jf0 -p2 \"" + WideToAnsi(lzh) + "\"");
    EXPECT_EQ(log[1], "Unlha size=655351 owner=77 cmd=t \"" + WideToAnsi(lzh) + "\"");
}

TEST_F(Listing, ZipReportsByTheZipChoice) {
    ctx_.settings.StrZipList = L"zipL";
    ctx_.settings.StrLMZIPTest = L"lmT";
    ctx_.settings.Str7zList = L"7zL";
    ctx_.settings.Str7zTest = L"7zT";
    ctx_.settings.Str7zZipTest = L"not this";
    const std::wstring zip = Archive(L"r.zip", "");
    struct Case {
        int unzip;
        bool test;
        std::string logged;
    };
    const Case cases[] = {
        {0, false, "UnZip size=655351 owner=77 cmd=zipL"},
        {1, true, "Unzip size=655351 owner=77 cmd=lmT"},
        {2, false, "SevenZip size=655351 owner=77 cmd=7zL"},
        {2, true, "SevenZip size=655351 owner=77 cmd=7zT"},
    };
    for (const Case& c : cases) {
        log_.Clear();
        ctx_.settings.IntUnZipDll = c.unzip;
        std::vector<std::wstring> result;
        c.test ? ArchiveListTestCore(ctx_, zip, result) : ArchiveListSimpleCore(ctx_, zip, result);
        const auto log = log_.Lines();
        ASSERT_EQ(log.size(), 1u);
        EXPECT_EQ(log[0], c.logged + " \"" + WideToAnsi(zip) + "\"");
    }
}

TEST_F(Listing, AnEmptyCommandTextStillGoesFirst) {
    const std::wstring yz1 = Archive(L"r.yz1", "");
    std::vector<std::wstring> result;
    ArchiveListSimpleCore(ctx_, yz1, result);
    EXPECT_EQ(result, std::vector<std::wstring>{L"CMD: \"" + yz1 + L"\""});
}

TEST_F(Listing, ReportDecodedInTheSystemCodePage) {
    const std::string sjis = "\x83\x65\x83\x58\x83\x67";  // "テスト" in code page 932
    const std::wstring lzh = Archive(L"j.lzh", "R|" + sjis + "\n");
    std::vector<std::wstring> result;
    ArchiveListSimpleCore(ctx_, lzh, result);
    ASSERT_EQ(result.size(), 2u);
    EXPECT_EQ(result[1], AnsiToWide(sjis));
    if (GetACP() == 932) {
        EXPECT_EQ(result[1], L"テスト");
    }
}

TEST_F(Listing, AFailingCommandEmptiesTheResult) {
    const std::wstring lzh = Archive(L"f.lzh", "CMDRET|1\nR|partial report\n");
    std::vector<std::wstring> result{L"stale"};
    EXPECT_TRUE(ArchiveListSimpleCore(ctx_, lzh, result));
    EXPECT_TRUE(result.empty());
    result = {L"stale"};
    EXPECT_TRUE(ArchiveListTestCore(ctx_, lzh, result));
    EXPECT_TRUE(result.empty());
}

TEST_F(Listing, AMissingArchiveChangesNothing) {
    std::vector<std::wstring> result{L"stale"};
    EXPECT_TRUE(ArchiveListSimpleCore(ctx_, dir_ / L"none.lzh", result));
    EXPECT_TRUE(ArchiveListTestCore(ctx_, dir_ / L"none.lzh", result));
    EXPECT_EQ(result, std::vector<std::wstring>{L"stale"});
    CreateDirectoryW((dir_ / L"folder.lzh").c_str(), nullptr);
    EXPECT_TRUE(ArchiveListSimpleCore(ctx_, dir_ / L"folder.lzh", result));
    EXPECT_EQ(result, std::vector<std::wstring>{L"stale"});
    EXPECT_TRUE(log_.Lines().empty());
}

TEST_F(Listing, AnExtensionOfNoFamilyGivesAnEmptyReport) {
    const std::wstring tar = Archive(L"r.tar", "R|x\n");
    std::vector<std::wstring> result{L"stale"};
    EXPECT_TRUE(ArchiveListSimpleCore(ctx_, tar, result));
    EXPECT_TRUE(result.empty());
    EXPECT_TRUE(log_.Lines().empty());
}

TEST_F(Listing, AReportFillingTheWholeBufferIsStillTerminated) {
    const std::wstring lzh = Archive(L"full.lzh", "CMDFILL\n");
    std::vector<std::wstring> result;
    ArchiveListSimpleCore(ctx_, lzh, result);
    ASSERT_EQ(result.size(), 1u);
    EXPECT_EQ(result[0].size(), 655351u);
    EXPECT_EQ(result[0].find_first_not_of(L'Z'), std::wstring::npos);
}

TEST_F(Listing, MissingCommandFunctionRaises) {
    quibtest::TempDir empty;
    ctx_.programFolder = empty.Path();
    const std::wstring cab = Archive(L"r.cab", "");
    std::vector<std::wstring> result{L"stale"};
    try {
        ArchiveListTestCore(ctx_, cab, result);
        FAIL() << "no exception";
    } catch (const DLLAddressErr& e) {
        EXPECT_EQ(e.EntryName(), L"Cab");
    }
}

// A long listing tells how far it is every 4096 records, with the records read
// so far, and the listing it gives is whole.
TEST_F(Listing, ProgressIsToldEvery4096Records) {
    std::string manifest;
    for (int i = 0; i < 8200; ++i) {
        char name[32];
        std::snprintf(name, sizeof(name), "f%d.txt", i);
        manifest += EntryLine(name, 1, 1, DosDate(2024, 5, 6), DosTime(7, 8, 10), "A", "-lh5-");
    }
    const std::wstring path = Archive(L"many.lzh", manifest);
    std::vector<size_t> told;
    ctx_.progress = [&told](size_t records) { told.push_back(records); };
    NormalListing out;
    ASSERT_TRUE(ArchiveListNormalCore(ctx_, path, kArcExt, out));
    EXPECT_EQ(told, (std::vector<size_t>{4096, 8192}));
    EXPECT_EQ(out.lines.size(), 8201u);
    EXPECT_EQ(out.pathList.size(), 8200u);
}
