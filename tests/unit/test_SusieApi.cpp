#include <gtest/gtest.h>

#include "UnitFakes.h"
#include "archive/EntryModel.h"
#include "archive/SusieApi.h"
#include "util/MyUtility.h"
#include "util/StrConv.h"

using namespace quib;
using unittest::FakeLog;

namespace {

std::vector<std::wstring> Fields(const std::wstring& line) {
    std::vector<std::wstring> f;
    StringToCsvList(line, f);
    return f;
}

class Susie : public ::testing::Test {
protected:
    quibtest::TempDir dir_;
    FakeLog log_;
    std::wstring plugin_ = dir_ / L"plugins\\fake.spi";
    std::wstring programPath_ = dir_ / L"quibFMarchive.exe";

    void SetUp() override {
        CreateDirectoryW((dir_ / L"plugins").c_str(), nullptr);
        ASSERT_TRUE(CopyFileW(unittest::FakeSusieDll().c_str(), plugin_.c_str(), FALSE));
    }
    void TearDown() override { SetUiJapanese(true); }

    std::wstring File(const std::wstring& name, const std::string& bytes) {
        const std::wstring path = dir_ / name;
        EXPECT_TRUE(quibtest::WriteFileBytes(path, bytes));
        return path;
    }
    std::string Buffer() const { return quibtest::ReadFileBytes(log_.Path() + L".buf"); }
};

}  // namespace

TEST_F(Susie, TheAnswerOfThePluginComesBack) {
    const std::wstring yes = File(L"a.lzh", "QSPI7 rest of the header");
    const std::wstring no = File(L"b.lzh", "something else");
    EXPECT_EQ(FileIsSupportedArchive(plugin_, yes, false, programPath_), 7);
    EXPECT_EQ(FileIsSupportedArchive(plugin_, no, false, programPath_), 0);
    const auto log = log_.Lines();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], "IsSupported name=" + WideToAnsi(yes));
    EXPECT_EQ(log[1], "IsSupported name=" + WideToAnsi(no));
}

TEST_F(Susie, TheHeaderBufferIsAlwaysTwoKilobytes) {
    const std::string shortFile = "QSPI1 short";
    FileIsSupportedArchive(plugin_, File(L"s.lzh", shortFile), true, programPath_);
    EXPECT_EQ(Buffer(), shortFile + std::string(2048 - shortFile.size(), '\0'));

    std::string longFile;
    for (int i = 0; i < 5000; ++i) longFile += static_cast<char>('a' + i % 26);
    FileIsSupportedArchive(plugin_, File(L"l.lzh", longFile), true, programPath_);
    EXPECT_EQ(Buffer(), longFile.substr(0, 2048));

    FileIsSupportedArchive(plugin_, File(L"e.lzh", ""), true, programPath_);
    EXPECT_EQ(Buffer(), std::string(2048, '\0'));
}

TEST_F(Susie, ThePluginIsFreedAfterEveryCall) {
    const std::wstring yes = File(L"a.lzh", "QSPI3");
    EXPECT_EQ(FileIsSupportedArchive(plugin_, yes, false, programPath_), 3);
    EXPECT_EQ(GetModuleHandleW(plugin_.c_str()), nullptr);
    std::vector<std::wstring> lines, paths;
    FileGetArchiveFileInfoCore(plugin_, File(L"m.lzh", "S|LH5|0|1|1|0||x\n"), false, lines, paths);
    EXPECT_EQ(GetModuleHandleW(plugin_.c_str()), nullptr);
}

TEST_F(Susie, PluginPathPrefixes) {
    const std::wstring yes = File(L"a.lzh", "QSPI5");
    // "%p" is the program folder, "%d" its drive.
    EXPECT_EQ(FileIsSupportedArchive(L"%P\\plugins\\fake.spi", yes, false, programPath_), 5);
    EXPECT_EQ(FileIsSupportedArchive(L"%p\\plugins\\fake.spi", yes, true, programPath_), 5);
    EXPECT_EQ(FileIsSupportedArchive(L"%d" + plugin_.substr(2), yes, false, programPath_), 5);
    EXPECT_EQ(FileIsSupportedArchive(L"%D" + plugin_.substr(2), yes, true, programPath_), 5);
    // With the program elsewhere the same text names nothing.
    EXPECT_EQ(FileIsSupportedArchive(L"%P\\plugins\\fake.spi", yes, false, L"C:\\elsewhere\\quibFMarchive.exe"), 0);
}

TEST_F(Susie, AMissingArchiveIsReportedInBothLanguages) {
    for (bool japanese : {true, false}) {
        SetUiJapanese(japanese);
        quibtest::MsgCapture capture;
        EXPECT_EQ(FileIsSupportedArchive(plugin_, dir_ / L"none.lzh", false, programPath_), 0);
        EXPECT_EQ(capture.Texts(), std::vector<std::wstring>{japanese ? L"Information : ファイルがありません"
                                                                      : L"Information : File is not exist.\r\n[OK]"});
    }
    EXPECT_TRUE(log_.Lines().empty());
}

TEST_F(Susie, APluginThatCannotAnswerSaysNo) {
    const std::wstring yes = File(L"a.lzh", "QSPI9");
    quibtest::MsgCapture capture;
    EXPECT_EQ(FileIsSupportedArchive(dir_ / L"none.spi", yes, false, programPath_), 0);
    // The archiver fake is a DLL without "IsSupported".
    EXPECT_EQ(FileIsSupportedArchive(unittest::FakeArchiverDll(), yes, false, programPath_), 0);
    EXPECT_TRUE(capture.Texts().empty());
    EXPECT_TRUE(log_.Lines().empty());
}

TEST_F(Susie, RestrictedSearchDoesNotLoadFromTheCurrentFolder) {
    const std::wstring yes = File(L"a.lzh", "QSPI4");
    ASSERT_TRUE(CopyFileW(unittest::FakeSusieDll().c_str(), (dir_ / L"cwd.spi").c_str(), FALSE));
    unittest::CurrentDir inside(dir_.Path());
    EXPECT_EQ(FileIsSupportedArchive(L"cwd.spi", yes, true, programPath_), 0);
    EXPECT_EQ(FileIsSupportedArchive(L"cwd.spi", yes, false, programPath_), 4);
}

TEST_F(Susie, ArchiveInfoBecomesEntryLinesInPluginOrder) {
    const std::string manifest =
        "S|LH5|1000|300|3000|0|docs\\|z-note.txt\n"
        "S||2000|1|1|0|hidden\\|skipped.txt\n"
        "S|STORED|4000|3000000000|3000000000|1700000000||a.bin\n"
        "S|ABCDEFGH|-7|0|0|4294967295|x\\|noext\n";
    const std::wstring arc = File(L"m.lzh", manifest);
    std::vector<std::wstring> lines{L"old"}, paths{L"old"};
    EXPECT_EQ(FileGetArchiveFileInfoCore(plugin_, arc, false, lines, paths), 0);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], RootEntryLine());
    EXPECT_EQ(lines[1], L"docs\\z-note.txt\t.txt\t3,000\t1970/01/01\t09:00:00\t1000\tLH5\t" + IntToCommaStr20(3000) +
                            L"\t" + IntToCommaStr20(300) + L"\tdocs\\z-note.txt");
    const auto big = Fields(lines[2]);
    EXPECT_EQ(big[0], L"a.bin");
    EXPECT_EQ(big[2], L"-1,294,967,296");
    EXPECT_EQ(big[3], L"2023/11/15");
    EXPECT_EQ(big[4], L"07:13:20");
    EXPECT_EQ(big[5], L"4000");
    EXPECT_EQ(big[8], IntToCommaStr20(-1294967296LL));
    const auto last = Fields(lines[3]);
    EXPECT_EQ(last[0], L"x\\noext");
    EXPECT_EQ(last[1], L"");
    EXPECT_EQ(last[5], L"-7");
    EXPECT_EQ(last[6], L"ABCDEFGH");
    EXPECT_EQ(last[3] + L" " + last[4], L"1970/01/01 08:59:59");
    EXPECT_EQ(paths, (std::vector<std::wstring>{L"docs\\z-note.txt", L"a.bin", L"x\\noext"}));
    const auto log = log_.Lines();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0], "GetArchiveInfo len=0 flag=0 name=" + WideToAnsi(arc));
}

TEST_F(Susie, ThePluginResultIsTheResult) {
    std::vector<std::wstring> lines{L"old"}, paths{L"old"};
    // An error with no block: the lists hold the root line alone.
    EXPECT_EQ(FileGetArchiveFileInfoCore(plugin_, File(L"n.lzh", "RET|2\nNOBLOCK\n"), true, lines, paths), 2);
    EXPECT_EQ(lines, std::vector<std::wstring>{RootEntryLine()});
    EXPECT_TRUE(paths.empty());
    // An error that still hands over a block: its records are listed.
    EXPECT_EQ(FileGetArchiveFileInfoCore(plugin_, File(L"r.lzh", "RET|1\nS|M|0|1|1|0||f.txt\n"), true, lines, paths),
              1);
    EXPECT_EQ(lines.size(), 2u);
    EXPECT_EQ(paths, std::vector<std::wstring>{L"f.txt"});
}

TEST_F(Susie, APluginThatFaultsFailsTheCallAndTheProgramGoesOn) {
    // Asked whether it handles the archive, a faulting plug-in says no.
    EXPECT_EQ(FileIsSupportedArchive(plugin_, File(L"x.lzh", "QSPIX"), true, programPath_), 0);
    // Listing: a failure, and neither the junk handle it left nor the lists
    // are touched.
    std::vector<std::wstring> lines{L"old line"}, paths{L"old path"};
    EXPECT_EQ(FileGetArchiveFileInfoCore(plugin_, File(L"c.lzh", "S|M|0|1|1|0||f.txt\nCRASH\n"), true, lines, paths),
              quib::kSusieCallFaulted);
    EXPECT_EQ(lines, std::vector<std::wstring>{L"old line"});
    EXPECT_EQ(paths, std::vector<std::wstring>{L"old path"});
    // The plug-in was freed after each call and answers again as before.
    EXPECT_EQ(FileIsSupportedArchive(plugin_, File(L"y.lzh", "QSPI3"), true, programPath_), 3);
}

TEST_F(Susie, APluginWithoutGetArchiveInfoFailsAndChangesNothing) {
    const std::wstring noInfo = dir_ / L"plugins\\noinfo.spi";
    ASSERT_TRUE(CopyFileW(unittest::FakeSusieNoGetInfoDll().c_str(), noInfo.c_str(), FALSE));
    const std::wstring arc = File(L"m.lzh", "S|M|0|1|1|0||f.txt\n");
    std::vector<std::wstring> lines{L"old line"}, paths{L"old path"};
    // Never 0: that is success, and a caller would take the unchanged lists
    // for a listing.
    EXPECT_EQ(FileGetArchiveFileInfoCore(noInfo, arc, false, lines, paths), quib::kSusieNotImplemented);
    EXPECT_EQ(FileGetArchiveFileInfoCore(dir_ / L"missing.spi", arc, false, lines, paths), quib::kSusieNotImplemented);
    EXPECT_EQ(lines, std::vector<std::wstring>{L"old line"});
    EXPECT_EQ(paths, std::vector<std::wstring>{L"old path"});
    EXPECT_TRUE(log_.Lines().empty());
}
