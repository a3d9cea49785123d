// The plug-in calls of the program against the stand-in QSA archive plug-in:
// listing, entries out to a folder and to memory (bytes compared), the
// fallback from one to the other, hostile stored paths, missing entry
// points and a plug-in that faults.
#include <gtest/gtest.h>

#include "QsaArchive.h"
#include "TestSupport.h"
#include "archive/SusieApi.h"
#include "util/Message.h"
#include "extract/ExtractSusie.h"
#include "util/MyUtility.h"
#include "util/StrConv.h"

using namespace quib;
using namespace quibtest;

namespace {

class QsaPluginTest : public testing::Test {
protected:
    void SetUp() override {
        log_ = dir_ / L"calls.log";
        SetEnvironmentVariableW(L"QUIB_QSA_LOG", log_.c_str());
    }
    void TearDown() override {
        SetEnvironmentVariableW(L"QUIB_QSA_LOG", nullptr);
        SetEnvironmentVariableW(L"QUIB_QSA_NODISK", nullptr);
        SetEnvironmentVariableW(L"QUIB_QSA_CRASH", nullptr);
    }
    std::wstring Archive(const std::wstring& name, const std::vector<QsaEntry>& entries) {
        const std::wstring path = dir_ / name;
        EXPECT_TRUE(WriteFileBytes(path, QsaBytes(entries)));
        return path;
    }
    std::vector<std::string> Calls() const {
        std::vector<std::string> out;
        const std::string text = ReadFileBytes(log_);
        size_t start = 0;
        for (size_t at; (at = text.find('\n', start)) != std::string::npos; start = at + 1)
            out.push_back(text.substr(start, at - start));
        return out;
    }
    size_t CallsNamed(const std::string& name) const {
        size_t n = 0;
        for (const auto& c : Calls())
            if (c.rfind(name + "\t", 0) == 0) ++n;
        return n;
    }

    TempDir dir_;
    std::wstring log_;
    const std::vector<QsaEntry> entries_ = {
        {"readme.txt", "hello, plug-in\r\n", 86400},
        {"docs/guide.md", std::string("# Guide\n\x01\x02\x00\xff binary\n", 22), 0},
        {"docs/deep/empty.dat", "", 1700000000},
    };
};

}  // namespace

TEST_F(QsaPluginTest, ThePluginSaysWhatItReads) {
    EXPECT_EQ(FileIsSupportedArchive(QsaPlugin(), Archive(L"a.qsa", entries_), true, L"C:\\p\\x.exe"), 1);
    ASSERT_TRUE(WriteFileBytes(dir_ / L"other.qsa", "PK\x03\x04 not ours"));
    EXPECT_EQ(FileIsSupportedArchive(QsaPlugin(), dir_ / L"other.qsa", true, L"C:\\p\\x.exe"), 0);
}

TEST_F(QsaPluginTest, ListingGivesOneLinePerEntryInArchiveOrder) {
    std::vector<std::wstring> lines, paths;
    ASSERT_EQ(FileGetArchiveFileInfoCore(QsaPlugin(), Archive(L"a.qsa", entries_), true, lines, paths), 0);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(paths, (std::vector<std::wstring>{L"readme.txt", L"docs/guide.md", L"docs/deep/empty.dat"}));
    std::vector<std::wstring> f;
    StringToCsvList(lines[2], f);
    ASSERT_EQ(f.size(), 10u);
    EXPECT_EQ(f[0], L"docs/guide.md");
    EXPECT_EQ(f[1], L".md");
    EXPECT_EQ(f[2], L"22");
    EXPECT_EQ(f[3], L"1970/01/01");
    EXPECT_EQ(f[4], L"09:00:00");
    EXPECT_EQ(f[5], std::to_wstring(QsaPosition(entries_, 1)));
    EXPECT_EQ(f[6], L"store");
    EXPECT_EQ(f[9], L"docs/guide.md");
    StringToCsvList(lines[1], f = {});
    EXPECT_EQ(f[3], L"1970/01/02");
}

TEST_F(QsaPluginTest, AnEntryComesOutToAFolderAndToMemoryWithTheSameBytes) {
    const std::wstring arc = Archive(L"a.qsa", entries_);
    const long long pos = QsaPosition(entries_, 1);
    // To a folder that does not exist yet: it is made first.
    const std::wstring disk = dir_ / L"disk\\docs\\";
    ASSERT_EQ(FileGetArchiveFileCore(QsaPlugin(), arc, disk, pos, true, L"C:\\p\\x.exe"), 0);
    EXPECT_EQ(ReadFileBytes(disk + L"guide.md"), entries_[1].content);
    // To memory, written by the program.
    const std::wstring memory = dir_ / L"memory\\docs\\";
    ASSERT_EQ(FileGetArchiveMemoryCore(QsaPlugin(), arc, memory, pos, 22, L"guide.md", true), 0);
    EXPECT_EQ(ReadFileBytes(memory + L"guide.md"), entries_[1].content);
    // The size asked for bounds what is written; an empty entry makes an empty file.
    ASSERT_EQ(FileGetArchiveMemoryCore(QsaPlugin(), arc, memory, pos, 7, L"cut.md", true), 0);
    EXPECT_EQ(ReadFileBytes(memory + L"cut.md"), "# Guide");
    ASSERT_EQ(FileGetArchiveMemoryCore(QsaPlugin(), arc, memory, QsaPosition(entries_, 2), 0, L"empty.dat", true), 0);
    EXPECT_TRUE(FileExists(memory + L"empty.dat"));
    EXPECT_EQ(ReadFileBytes(memory + L"empty.dat"), "");
    EXPECT_EQ(CallsNamed("GetFile"), 4u);
}

TEST_F(QsaPluginTest, APluginThatCannotWriteFilesIsReadThroughMemory) {
    SetEnvironmentVariableW(L"QUIB_QSA_NODISK", L"1");
    const std::wstring arc = Archive(L"a.qsa", entries_);
    const SusieItem item{L"docs/guide.md", QsaPosition(entries_, 1), 22};
    const SusieFetchResult r = FetchSusieEntry(QsaPlugin(), arc, dir_ / L"out\\", item, true, L"C:\\p\\x.exe");
    EXPECT_TRUE(r.Ok());
    EXPECT_EQ(r.ret1, -1);
    EXPECT_EQ(r.ret2, 0);
    EXPECT_EQ(r.folder, dir_ / L"out\\docs\\");
    EXPECT_EQ(ReadFileBytes(dir_ / L"out\\docs\\guide.md"), entries_[1].content);
    EXPECT_EQ(CallsNamed("GetFile"), 2u);
}

TEST_F(QsaPluginTest, BothCallsFailingIsAFailureWithBothResults) {
    const std::wstring arc = Archive(L"a.qsa", entries_);
    // A position that names no entry: the plug-in refuses both ways.
    const SusieFetchResult r = FetchSusieEntry(QsaPlugin(), arc, dir_ / L"out\\", {L"readme.txt", 5, 16}, true, L"");
    EXPECT_FALSE(r.Ok());
    EXPECT_EQ(r.ret1, 3);
    EXPECT_EQ(r.ret2, 3);
    EXPECT_FALSE(FileExists(dir_ / L"out\\readme.txt"));
}

TEST_F(QsaPluginTest, HostileStoredPathsAreNeverHandedToThePlugin) {
    const std::vector<QsaEntry> hostile = {
        {"..\\x.txt", "escaped", 0}, {"a/../../y.txt", "escaped", 0}, {"C:\\abs.txt", "escaped", 0},
        {"\\\\server\\share\\z.txt", "escaped", 0}, {"ok/fine.txt", "inside", 0}};
    const std::wstring arc = Archive(L"h.qsa", hostile);
    std::vector<std::wstring> lines, paths;
    ASSERT_EQ(FileGetArchiveFileInfoCore(QsaPlugin(), arc, true, lines, paths), 0);
    ASSERT_EQ(paths.size(), 5u);
    const std::wstring base = dir_ / L"dst\\inner\\";
    for (size_t i = 0; i + 1 < hostile.size(); ++i) {
        const SusieItem item{paths[i], QsaPosition(hostile, i), 7};
        const SusieFetchResult r = FetchSusieEntry(QsaPlugin(), arc, base, item, true, L"");
        EXPECT_FALSE(r.contained) << testing::PrintToString(paths[i]);
        EXPECT_FALSE(r.Ok());
    }
    EXPECT_EQ(CallsNamed("GetFile"), 0u);
    EXPECT_FALSE(FileExists(dir_ / L"dst\\x.txt"));
    EXPECT_FALSE(FileExists(dir_ / L"y.txt"));
    const SusieFetchResult ok = FetchSusieEntry(QsaPlugin(), arc, base, {paths[4], QsaPosition(hostile, 4), 6}, true, L"");
    EXPECT_TRUE(ok.Ok());
    EXPECT_EQ(ReadFileBytes(base + L"ok\\fine.txt"), "inside");
}

TEST_F(QsaPluginTest, AMissingPluginOrEntryPointIsAFailureNotASuccess) {
    const std::wstring arc = Archive(L"a.qsa", entries_);
    EXPECT_EQ(FileGetArchiveFileCore(dir_ / L"none.spi", arc, dir_ / L"o\\", 6, true, L""), kSusieNotImplemented);
    EXPECT_EQ(FileGetArchiveMemoryCore(dir_ / L"none.spi", arc, dir_ / L"o\\", 6, 16, L"r.txt", true),
              kSusieNotImplemented);
    // A DLL without "GetFile".
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring kernel = std::wstring(system) + L"\\kernel32.dll";
    EXPECT_EQ(FileGetArchiveFileCore(kernel, arc, dir_ / L"o\\", 6, false, L""), kSusieNotImplemented);
    const SusieFetchResult r = FetchSusieEntry(dir_ / L"none.spi", arc, dir_ / L"o\\", {L"readme.txt", 6, 16}, true, L"");
    EXPECT_FALSE(r.Ok());
    EXPECT_FALSE(FileExists(dir_ / L"o\\readme.txt"));
}

TEST_F(QsaPluginTest, APluginThatFaultsEndsTheCallNotTheProgram) {
    const std::wstring arc = Archive(L"a.qsa", entries_);
    SetEnvironmentVariableW(L"QUIB_QSA_CRASH", L"1");
    const SusieFetchResult r = FetchSusieEntry(QsaPlugin(), arc, dir_ / L"o\\", {L"readme.txt", 6, 16}, true, L"");
    EXPECT_FALSE(r.Ok());
    EXPECT_TRUE(r.faulted);
    EXPECT_EQ(r.ret1, kSusieCallFaulted);
    EXPECT_EQ(r.ret2, kSusieCallFaulted);
    {
        MsgCapture capture;
        ReportSusieFault(nullptr, L"C:\\p\\bad.spi");
        EXPECT_EQ(capture.Texts().size(), 1u);
    }
    SetEnvironmentVariableW(L"QUIB_QSA_CRASH", nullptr);
    // Freed after the fault, the plug-in works again.
    EXPECT_TRUE(FetchSusieEntry(QsaPlugin(), arc, dir_ / L"o\\", {L"readme.txt", 6, 16}, true, L"").Ok());
    EXPECT_EQ(ReadFileBytes(dir_ / L"o\\readme.txt"), entries_[0].content);
}

TEST_F(QsaPluginTest, TheFaultMessageNamesThePluginInBothLanguages) {
    for (bool japanese : {true, false}) {
        MsgCapture capture;
        SetUiJapanese(japanese);
        ReportSusieFault(nullptr, L"C:\\p\\bad.spi");
        ASSERT_EQ(capture.Texts().size(), 1u);
        EXPECT_EQ(capture.Texts()[0], japanese
                                          ? L"Error : Susie プラグインの内部で障害が発生しました\r\nC:\\p\\bad.spi"
                                          : L"Error : The Susie plug-in failed inside.\r\n[OK]\r\nC:\\p\\bad.spi");
    }
    SetUiJapanese(true);
}
