// Where extracted entries may land: the containment check on hostile stored
// paths, the destination with the archive-named folder, the history, the
// filer windows offered, and the only folder the clean-up may delete.
#include <gtest/gtest.h>

#include <algorithm>

#include "TestSupport.h"
#include "extract/ExtractPaths.h"
#include "extract/ExtractTemp.h"
#include "util/StrConv.h"

using namespace quib;

TEST(ContainedPath, PlainStoredPathsLandBelowTheBase) {
    struct Case {
        const wchar_t* stored;
        const wchar_t* expected;
    } cases[] = {
        {L"a.txt", L"C:\\t\\a.txt"},
        {L"docs/readme.txt", L"C:\\t\\docs\\readme.txt"},
        {L"docs\\deep/note.txt", L"C:\\t\\docs\\deep\\note.txt"},
        {L"docs/", L"C:\\t\\docs\\"},
        {L"..a/b..c.txt", L"C:\\t\\..a\\b..c.txt"},
        {L"日本語/説明.txt", L"C:\\t\\日本語\\説明.txt"},
        {L"CONSOLE.txt", L"C:\\t\\CONSOLE.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(WideToUtf8(c.stored));
        const auto p = ContainedPath(L"C:\\t\\", c.stored);
        ASSERT_TRUE(p.has_value());
        EXPECT_EQ(*p, c.expected);
    }
}

TEST(ContainedPath, HostileStoredPathsAreRefused) {
    const wchar_t* hostile[] = {
        L"",
        L"../evil.txt",
        L"..\\evil.txt",
        L"sub/../../evil2.txt",
        L"a/..",
        L"./a.txt",
        L"/abs.txt",
        L"\\abs.txt",
        L"C:/drive.txt",
        L"C:drive.txt",
        L"\\\\server\\share\\unc.txt",
        L"//server/share/unc.txt",
        L"\\\\?\\C:\\x.txt",
        L"\\\\.\\PhysicalDrive0",
        L"file.txt:stream",
        L"CON",
        L"dir/nul.txt",
        L"COM1.log",
        L"lpt9",
        L"aux .txt",
        L"CONIN$",
        L"trailing.",
        L"trailing /x.txt",
        L"...",
        L"a<b.txt",
        L"a|b.txt",
        L"what?.txt",
        L"star*.txt",
        L"quote\".txt",
        L"tab\t.txt",
        L"com\u00B9.txt",
    };
    for (const wchar_t* stored : hostile) {
        SCOPED_TRACE(WideToUtf8(stored));
        EXPECT_FALSE(ContainedPath(L"C:\\t\\", stored).has_value());
        EXPECT_FALSE(StoredPathContained(stored));
    }
}

TEST(ContainedPath, FormsTheCodePageTurnsIntoClimbingAreRefused) {
    // A best-fit conversion makes full-width dots and solidi the real ones; a
    // DLL that takes the bytes would then climb.
    if (GetACP() != 932) {
        EXPECT_FALSE(StoredPathContained(L"\uFF0E\uFF0E/evil.txt"));
        EXPECT_FALSE(StoredPathContained(L"a\uFF0F..\uFF0F..\uFF0Fevil.txt"));
        EXPECT_FALSE(StoredPathContained(L"C\uFF1A\\evil.txt"));
    } else {
        // Shift_JIS holds the full-width forms: they stay names of their own.
        EXPECT_TRUE(StoredPathContained(L"\uFF0E\uFF0E/fine.txt"));
        // 0x5C trail bytes are no separator inside a name...
        EXPECT_TRUE(StoredPathContained(L"表/ソフト.txt"));
        // ...and a level ending in dots never passes, whatever precedes them.
        EXPECT_FALSE(StoredPathContained(L"表../evil.txt"));
    }
}

TEST(ContainedPath, UncontainedPathsAreListedInOrder) {
    EXPECT_EQ(UncontainedPaths({L"ok.txt", L"../a", L"b/c", L"/d"}), (StringList{L"../a", L"/d"}));
}

TEST(ExtractDestination, MakeFolderAndDouleDisabledOnTopLevels) {
    const std::wstring arc = L"C:\\in\\pack.v2.zip";
    struct Case {
        StringList paths;
        bool makeFolder, doubleDisabled;
        const wchar_t* expected;
    } cases[] = {
        {{L"<\\>", L"a.txt"}, false, false, L"D:\\out\\"},
        {{L"a.txt", L"b.txt"}, true, false, L"D:\\out\\pack.v2\\"},
        {{L"top/", L"top/a.txt"}, true, true, L"D:\\out\\"},
        {{L"top/", L"top/a.txt"}, true, false, L"D:\\out\\pack.v2\\"},
        {{L"top/", L"top/a.txt", L"loose.txt"}, true, true, L"D:\\out\\pack.v2\\"},
        {{L"top/a.txt", L"other\\b.txt"}, true, true, L"D:\\out\\pack.v2\\"},
        {{L"Top/a.txt", L"TOP\\b.txt"}, true, true, L"D:\\out\\"},
        {{L"<\\>", L"<..>", L"top/a"}, true, true, L"D:\\out\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(WideToUtf8(c.expected));
        EXPECT_EQ(ExtractDestination(L"D:\\out", arc, c.makeFolder, c.doubleDisabled, AnalyseTopLevel(c.paths)),
                  c.expected);
    }
}

TEST(ExtractHistory, ChosenFolderGoesOnTopAndThe33rdPushesOutTheOldest) {
    StringList h;
    for (int i = 1; i <= 32; ++i) h = UpdateHistory(h, L"C:\\f" + std::to_wstring(i) + L"\\");
    ASSERT_EQ(h.size(), 32u);
    EXPECT_EQ(h.front(), L"C:\\f32\\");
    EXPECT_EQ(h.back(), L"C:\\f1\\");
    // A folder already there moves to the top; nothing is lost.
    h = UpdateHistory(h, L"C:\\f10\\");
    EXPECT_EQ(h.size(), 32u);
    EXPECT_EQ(h[0], L"C:\\f10\\");
    EXPECT_EQ(h[1], L"C:\\f32\\");
    EXPECT_EQ(std::count(h.begin(), h.end(), L"C:\\f10\\"), 1);
    // The 33rd distinct folder pushes out the oldest.
    h = UpdateHistory(h, L"C:\\new\\");
    EXPECT_EQ(h.size(), 32u);
    EXPECT_EQ(h[0], L"C:\\new\\");
    EXPECT_EQ(std::count(h.begin(), h.end(), L"C:\\f1\\"), 0);
    EXPECT_EQ(h.back(), L"C:\\f2\\");
    // Empty items go.
    EXPECT_EQ(UpdateHistory({L"", L"C:\\a\\", L""}, L"C:\\b\\"), (StringList{L"C:\\b\\", L"C:\\a\\"}));
}

TEST(ExtractHistory, FileIsUtf16WithMarkAndRoundTrips) {
    quibtest::TempDir dir;
    ASSERT_TRUE(WriteHistory(dir.Path(), {L"C:\\日本\\", L"D:\\x\\"}));
    const std::string bytes = quibtest::ReadFileBytes(HistoryFilePath(dir.Path()));
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(ReadHistory(dir.Path()), (StringList{L"C:\\日本\\", L"D:\\x\\"}));
    EXPECT_TRUE(ReadHistory(dir / L"missing").empty());
}

TEST(ExtractDialogRules, ForbiddenCharactersAndFilerCaptions) {
    for (const wchar_t* t : {L"C:\\a*", L"C:\\a|b", L"C:\\\"", L"C:\\<", L"C:\\>", L"C:\\?", L"C:/a"})
        EXPECT_TRUE(HasForbiddenFolderCharacter(t)) << WideToUtf8(t);
    EXPECT_FALSE(HasForbiddenFolderCharacter(L"C:\\a b\\日本\\"));
    EXPECT_EQ(FilerFolderFromCaption(L"C:\\work  - quibFM"), L"C:\\work");
    EXPECT_EQ(FilerFolderFromCaption(L"D:\\x - PellFMmini"), L"D:\\x");
    EXPECT_EQ(FilerFolderFromCaption(L"E:\\y - HalvFM2008  "), L"E:\\y - HalvFM2008");
}

TEST(ExtractDialogRules, FilerWindowsInThreePassesFromTheLast) {
    const StringList names = {L"A - quibFM", L"B - PellFMmini", L"B - PellFMmini", L"C - PellFM", L"Own - quibFMarchive",
                              L"H - HalvFM2008", L"D - quibFMarchive"};
    const StringList handles = {L"1", L"2", L"2", L"3", L"99", L"5", L"6"};
    StringList outNames, outHandles;
    OrderFilerWindows(names, handles, L"99", outNames, outHandles);
    EXPECT_EQ(outNames, (StringList{L"C - PellFM", L"B - PellFMmini", L"B - PellFMmini", L"D - quibFMarchive",
                                    L"A - quibFM"}));
    EXPECT_EQ(outHandles, (StringList{L"3", L"2", L"2", L"6", L"1"}));
}

TEST(ExtractTempFolder, OnlyAnInstanceFolderMayBeDeleted) {
    EXPECT_TRUE(IsExtractTempFolder(L"C:\\prog\\TmpArchive\\123456\\"));
    EXPECT_TRUE(IsExtractTempFolder(L"Z:\\tmp\\p q\\TmpArchive\\7"));
    const wchar_t* refused[] = {
        L"C:\\prog\\TmpArchive\\",
        L"C:\\prog\\TmpArchive",
        L"C:\\TmpArchive\\..\\Windows\\",
        L"C:\\prog\\TmpArchive\\..\\..\\",
        L"C:\\prog\\TmpArchive\\12\\..",
        L"C:\\prog\\TmpArchive\\*",
        L"C:\\prog\\TmpArchive\\1?",
        L"C:\\prog\\TmpArchiveX\\12\\",
        L"C:\\prog\\NotTmpArchive\\12\\",
        L"TmpArchive\\12\\",
        L"C:\\prog\\TmpArchive\\12\\sub\\",
        L"C:\\prog\\TmpArchive\\12a\\",
    };
    for (const wchar_t* p : refused) EXPECT_FALSE(IsExtractTempFolder(p)) << WideToUtf8(p);
}

TEST(ExtractTempFolder, CleanUpRefusesWithTheMessageAndDeletesNothing) {
    quibtest::MsgCapture messages;
    quibtest::TempDir dir;
    const std::wstring keep = dir / L"TmpArchive";
    CreateDirectoryW(keep.c_str(), nullptr);
    quibtest::WriteFileBytes(keep + L"\\precious.txt", "x");
    SetUiJapanese(false);
    EXPECT_FALSE(ArchiveDeleteExtractTemp(keep + L"\\", nullptr));
    EXPECT_TRUE(quibtest::FileExists(keep + L"\\precious.txt"));
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0], L"Information : This folder can not deletet.\r\n[OK]\r\n" + keep + L"\\");
    SetUiJapanese(true);
    EXPECT_FALSE(ArchiveDeleteExtractTemp(dir / L"other", nullptr));
    EXPECT_EQ(messages.Texts()[1], L"Information : このフォルダは削除できません\r\n" + (dir / L"other"));
    // A real instance folder goes with everything in it, and only it.
    const std::wstring mine = keep + L"\\4242\\";
    ASSERT_TRUE(ForceDirectories(mine + L"deep\\er"));
    quibtest::WriteFileBytes(mine + L"deep\\er\\f.txt", "y");
    EXPECT_TRUE(ArchiveDeleteExtractTemp(mine, nullptr));
    EXPECT_FALSE(quibtest::DirExists(mine));
    EXPECT_TRUE(quibtest::FileExists(keep + L"\\precious.txt"));
}
