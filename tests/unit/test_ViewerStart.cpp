// Program lines, the starts they make, and the response files of the
// sibling programs with the removal of stale ones.
#include <gtest/gtest.h>

#include <algorithm>

#include "TestSupport.h"
#include "util/StrConv.h"
#include "viewers/ViewerStart.h"

using namespace quib;

TEST(ProgramLine, SplittingTable) {
    struct Case {
        const wchar_t* line;
        const wchar_t* path;
        const wchar_t* options;
    } cases[] = {
        {L"C:\\p\\prog.exe", L"C:\\p\\prog.exe", L""},
        {L"\"C:\\Program Files\\x.exe\" -a %h", L"C:\\Program Files\\x.exe", L" -a %h"},
        {L"\"%p\\sub\\x.exe\"", L"%p\\sub\\x.exe", L""},
        {L"  \"C:\\x.exe\"-opt", L"C:\\x.exe", L"-opt"},
        {L"\"\"C:\\x.exe\"\"", L"", L"C:\\x.exe\"\""},
        {L"\"C:\\unclosed.exe", L"C:\\unclosed.exe", L""},
        {L"explorer.exe", L"explorer.exe", L""},
        {L"", L"", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(WideToUtf8(c.line));
        const ProgramLine p = SplitProgramLine(c.line);
        EXPECT_EQ(p.path, c.path);
        EXPECT_EQ(p.options, c.options);
    }
}

TEST(ProgramLine, ExecuteProgramExpandsThePrefixTheHandleAndQuotesTheFile) {
    quibtest::TempDir dir;
    CreateDirectoryW((dir / L"sub").c_str(), nullptr);
    quibtest::WriteFileBytes(dir / L"sub\\viewer.exe", "MZ");
    quibtest::WriteFileBytes(dir / L"beside.exe", "MZ");
    const std::wstring programPath = dir / L"quibFMarchive.exe";
    const HWND h = reinterpret_cast<HWND>(static_cast<UINT_PTR>(4660));
    auto s = PrepareExecuteProgram(L"\"%p\\sub\\viewer.exe\" -a %h", L"", L"C:\\t\\a b.txt", programPath, h);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->program, dir / L"sub\\viewer.exe");
    EXPECT_EQ(s->parameters, L"-a 4660  \"C:\\t\\a b.txt\"");
    EXPECT_EQ(s->folder, dir / L"sub");
    // Option and handle in the caller's option too; no file.
    s = PrepareExecuteProgram(L"\"%P\\sub\\viewer.exe\"", L"hwnd=%h", L"", programPath, h);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->parameters, L" hwnd=4660");
    // Not found where named: the program's own folder, by file name.
    s = PrepareExecuteProgram(L"C:\\nowhere\\beside.exe", L"", L"f", programPath, h);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->program, dir / L"beside.exe");
    // Nowhere at all: nothing to start.
    EXPECT_FALSE(PrepareExecuteProgram(L"C:\\nowhere\\missing.exe", L"", L"f", programPath, h).has_value());
}

TEST(ProgramLine, ExecuteProgramEx3KeepsTheOptionAndNamesAMissingProgram) {
    quibtest::TempDir dir;
    quibtest::WriteFileBytes(dir / L"tool.exe", "MZ");
    const std::wstring programPath = dir / L"quibFMarchive.exe";
    auto s = PrepareExecuteProgramEx3(L"%p\\tool.exe", L"-x %h", L"C:\\f.txt", programPath);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->program, dir / L"tool.exe");
    EXPECT_EQ(s->parameters, L"-x %h \"C:\\f.txt\"");
    // The prefix is expanded before the quotes go, so it only works unquoted.
    s = PrepareExecuteProgramEx3(L"\"" + (dir / L"tool.exe") + L"\"", L"", L"", programPath);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->program, dir / L"tool.exe");
    EXPECT_EQ(s->parameters, L"");
    EXPECT_FALSE(PrepareExecuteProgramEx3(L"\"%p\\tool.exe\"", L"", L"", programPath).has_value());
    std::wstring missing;
    EXPECT_FALSE(PrepareExecuteProgramEx3(L"%p\\none.exe", L"", L"", programPath, &missing).has_value());
    EXPECT_EQ(missing, dir / L"none.exe");
}

TEST(SiblingResponse, LinesForNormalAndSusieArchives) {
    EXPECT_EQ(SiblingResponseLines({L"C:\\t\\a.png", L"C:\\t\\b.png", L"C:\\t\\c.png"}, false),
              (StringList{L"1 1 1 0 0 C:\\t\\a.png", L"0 1 1 0 0 C:\\t\\b.png", L"0 1 1 0 0 C:\\t\\c.png"}));
    EXPECT_EQ(SiblingResponseLines({L"C:\\t\\a.png"}, true), (StringList{L"1 0 1 0 0 C:\\t\\a.png"}));
    EXPECT_TRUE(SiblingResponseLines({}, false).empty());
}

TEST(SiblingResponse, FoldersAndNamesThatNeverCollide) {
    EXPECT_EQ(SiblingResponseFolder(L"C:\\p", L"IMAGE"), L"C:\\p\\ImageResponce");
    EXPECT_EQ(SiblingResponseFolder(L"C:\\p", L"SPI"), L"C:\\p\\ImageResponce");
    EXPECT_EQ(SiblingResponseFolder(L"C:\\p", L"PLAYER"), L"C:\\p\\PlayerResponce");
    SYSTEMTIME t{};
    t.wYear = 2024, t.wMonth = 5, t.wDay = 1, t.wHour = 9, t.wMinute = 4, t.wSecond = 7;
    const HWND h = reinterpret_cast<HWND>(static_cast<UINT_PTR>(131234));
    StringList taken;
    auto isTaken = [&](const std::wstring& n) { return std::find(taken.begin(), taken.end(), n) != taken.end(); };
    for (int i = 0; i < 3; ++i) taken.push_back(SiblingResponseFileName(h, t, isTaken));
    EXPECT_EQ(taken, (StringList{L"@131234-20240501-090407.txt", L"@131234-20240501-090407-2.txt",
                                 L"@131234-20240501-090407-3.txt"}));
}

TEST(SiblingResponse, StaleFilesAreThoseNoLiveReaderCanStillRead) {
    const HWND live = GetDesktopWindow();
    const std::wstring liveText = std::to_wstring(reinterpret_cast<UINT_PTR>(live));
    const StringList names = {
        L"@" + liveText + L"-20240501-090407.txt",     // a live reader: kept
        L"@" + liveText + L"-20240501-090407-2.txt",   // its second of the same second: kept
        L"@999999999-20240501-090407.txt",             // no such window: stale
        L"@abc-20240501.txt",                          // no handle: stale
        L"@99999999999999999999999-x.txt",             // beyond any handle: stale, no overflow
        L"notes.txt",                                  // not a response file: never touched
    };
    const StringList stale = StaleResponseFiles(names, [&](HWND w) { return w == live; });
    EXPECT_EQ(stale, (StringList{names[2], names[3], names[4]}));
    // A live window that reads no response files does not keep them.
    EXPECT_EQ(StaleResponseFiles({names[0]}, [](HWND) { return false; }), StringList{names[0]});
}

TEST(SiblingResponse, RemovalDeletesOnlyStaleResponseFiles) {
    quibtest::TempDir dir;
    quibtest::WriteFileBytes(dir / L"@999999999-20240501-090407.txt", "x");
    quibtest::WriteFileBytes(dir / L"keep.txt", "x");
    RemoveStaleResponseFiles(dir.Path());
    EXPECT_FALSE(quibtest::FileExists(dir / L"@999999999-20240501-090407.txt"));
    EXPECT_TRUE(quibtest::FileExists(dir / L"keep.txt"));
}
