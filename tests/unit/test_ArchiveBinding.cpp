#include <gtest/gtest.h>

#include <set>

#include "UnitFakes.h"
#include "archive/Archive.h"
#include "util/StrConv.h"

using namespace quib;
using unittest::FakeLog;

namespace {

// Every test starts with nothing loaded and the restricted search.
class Binding : public ::testing::Test {
protected:
    void SetUp() override { ResetArchiveBindingForTests(); }
    void TearDown() override { ResetArchiveBindingForTests(); }

    // A folder holding the fake archiver under the given DLL file names.
    static void Install(const quibtest::TempDir& dir, std::initializer_list<const wchar_t*> names,
                        const std::wstring& source = unittest::FakeArchiverDll()) {
        for (const wchar_t* name : names) ASSERT_TRUE(CopyFileW(source.c_str(), (dir / name).c_str(), FALSE)) << name;
    }

    static std::wstring ModulePath(ArchiveFamily f) {
        wchar_t buf[MAX_PATH * 2] = {};
        GetModuleFileNameW(ArchiveDllModule(f), buf, MAX_PATH * 2);
        return buf;
    }

    // The entry name of the DLLAddressErr that call raises, or "(none)".
    template <typename F>
    static std::wstring Raised(F call) {
        try {
            call();
        } catch (const DLLAddressErr& e) {
            EXPECT_EQ(e.Message(), L"DLLの関数 " + e.EntryName() + L" のアドレスが見つかりません.");
            return e.EntryName();
        }
        return L"(none)";
    }
};

struct Row {
    ArchiveFamily family;
    const wchar_t* file;
    const wchar_t* section;
    const char* names[kArchiveEntryKinds];
    const wchar_t* messages[kArchiveEntryKinds];
};

const Row kRows[] = {
    {ArchiveFamily::Lha, L"UNLHA32.DLL", L"Lha",
     {"Unlha", nullptr, "UnlhaOpenArchive", "UnlhaCloseArchive", "UnlhaFindFirst", "UnlhaFindNext"},
     {L"Unlha", nullptr, L"UnlhaOpenArchive", L"UnlhaCloseArchive", L"UnlhaFindFirst", L"UnlhaFindNext"}},
    {ArchiveFamily::Zip, L"UNZIP32.DLL", L"Zip",
     {"UnZip", nullptr, "UnZipOpenArchive", "UnZipCloseArchive", "UnZipFindFirst", "UnZipFindNext"},
     {L"UnZip", nullptr, L"UnZipOpenArchive", L"UnZipCloseArchive", L"UnZipFindFirst", L"UnZipFindNext"}},
    {ArchiveFamily::LMZip, L"LMZIP32.dll", L"LMZIP",
     {"Unzip", "Zip", "UnzipOpenArchive", "UnzipCloseArchive", "UnzipFindFirst", "UnzipFindNext"},
     {L"LMZip", L"LMZip", L"LMZipOpenArchive", L"LMZipCloseArchive", L"LMZipFindFirst", L"LMZipFindNext"}},
    {ArchiveFamily::Cab, L"cab32.dll", L"Cab",
     {"Cab", nullptr, "CabOpenArchive", "CabCloseArchive", "CabFindFirst", "CabFindNext"},
     {L"Cab", nullptr, L"CabOpenArchive", L"CabCloseArchive", L"CabFindFirst", L"CabFindNext"}},
    {ArchiveFamily::SevenZip, L"7-zip32.dll", L"7z",
     {"SevenZip", nullptr, "SevenZipOpenArchive", "SevenZipCloseArchive", "SevenZipFindFirst", "SevenZipFindNext"},
     {L"SevenZip", nullptr, L"SevenZipOpenArchive", L"SevenZipCloseArchive", L"SevenZipFindFirst",
      L"SevenZipFindNext"}},
    {ArchiveFamily::Rar, L"unrar32.dll", L"Rar",
     {"Unrar", nullptr, "UnrarOpenArchive", "UnrarCloseArchive", "UnrarFindFirst", "UnrarFindNext"},
     {L"Unrar", nullptr, L"UnrarOpenArchive", L"UnrarCloseArchive", L"UnrarFindFirst", L"UnrarFindNext"}},
    {ArchiveFamily::Tar, L"tar32.dll", L"Gz",
     {"Tar", nullptr, "TarOpenArchive", "TarCloseArchive", "TarFindFirst", "TarFindNext"},
     {L"Tar", nullptr, L"TarOpenArchive", L"TarCloseArchive", L"TarFindFirst", L"TarFindNext"}},
    {ArchiveFamily::Zip32J, L"ZIP32J.DLL", L"",
     {"Zip", nullptr, nullptr, nullptr, nullptr, nullptr},
     {L"Zip", nullptr, nullptr, nullptr, nullptr, nullptr}},
    {ArchiveFamily::Iso, L"UnIso32.dll", L"ISO",
     {"UnIso", nullptr, "UnIsoOpenArchive", "UnIsoCloseArchive", "UnIsoFindFirst", "UnIsoFindNext"},
     {L"UnIso", nullptr, L"UnIsoOpenArchive", L"UnIsoCloseArchive", L"UnIsoFindFirst", L"UnIsoFindNext"}},
    {ArchiveFamily::Bga, L"Bga32.dll", L"Bga",
     {"Bga", nullptr, "BgaOpenArchive", "BgaCloseArchive", "BgaFindFirst", "BgaFindNext"},
     {L"Bga", nullptr, L"BgaOpenArchive", L"BgaCloseArchive", L"BgaFindFirst", L"BgaFindNext"}},
    {ArchiveFamily::Gca, L"UnGca32.dll", L"Gca",
     {"UnGCA", nullptr, "UnGCAOpenArchive", "UnGCACloseArchive", "UnGCAFindFirst", "UnGCAFindNext"},
     {L"UnGca", nullptr, L"UnGcaOpenArchive", L"UnGcaCloseArchive", L"UnGcaFindFirst", L"UnGcaFindNext"}},
    {ArchiveFamily::Arj, L"UNARJ32J.DLL", L"Arj",
     {"Unarj", nullptr, "UnarjOpenArchive", "UnarjCloseArchive", "UnarjFindFirst", "UnarjFindNext"},
     {L"Unarj", nullptr, L"UnarjOpenArchive", L"UnarjCloseArchive", L"UnarjFindFirst", L"UnarjFindNext"}},
    {ArchiveFamily::Yz1, L"Yz1.dll", L"YZ1",
     {"Yz1", nullptr, "Yz1OpenArchive", "Yz1CloseArchive", "Yz1FindFirst", "Yz1FindNext"},
     {L"Yz1", nullptr, L"Yz1OpenArchive", L"Yz1CloseArchive", L"Yz1FindFirst", L"Yz1FindNext"}},
};

// Calls one entry point of a family with harmless arguments.
void CallEntry(ArchiveFamily f, ArchiveEntry e) {
    char buf[64] = {};
    TArchiveEntryInfo info{};
    switch (e) {
        case ArchiveEntry::Command: ArchiveCommand(f, nullptr, "x", buf, sizeof buf); break;
        case ArchiveEntry::Command2: ArchiveCommandLMZipZip(nullptr, "x", buf, sizeof buf); break;
        case ArchiveEntry::OpenArchive: ArchiveOpenArchive(f, nullptr, "C:\\none.x", 0); break;
        case ArchiveEntry::CloseArchive: ArchiveCloseArchive(f, nullptr); break;
        case ArchiveEntry::FindFirst: ArchiveFindFirst(f, nullptr, "*.*", &info); break;
        case ArchiveEntry::FindNext: ArchiveFindNext(f, nullptr, &info); break;
    }
}

}  // namespace

TEST_F(Binding, TableInItsFixedOrder) {
    int entryPoints = 0;
    std::set<std::wstring> files;
    for (int i = 0; i < kArchiveDllCount; ++i) {
        const Row& r = kRows[i];
        ASSERT_EQ(ArchiveFamilyIndex(r.family), i);
        ASSERT_EQ(ArchiveFamilyFromIndex(i), r.family);
        const ArchiveDllInfo& info = ArchiveDllTable(r.family);
        EXPECT_EQ(info.family, r.family);
        EXPECT_STREQ(info.fileName, r.file);
        EXPECT_STREQ(info.section, r.section);
        files.insert(info.fileName);
        for (int e = 0; e < kArchiveEntryKinds; ++e) {
            if (!r.names[e]) {
                EXPECT_EQ(info.exportName[e], nullptr) << r.file << " " << e;
                continue;
            }
            ++entryPoints;
            EXPECT_STREQ(info.exportName[e], r.names[e]) << r.file;
            EXPECT_STREQ(info.messageName[e], r.messages[e]) << r.file;
        }
    }
    EXPECT_EQ(entryPoints, 62);
    EXPECT_EQ(files.size(), 13u);
    EXPECT_EQ(ArchiveFamilyIndex(ArchiveFamily::None), -1);
    EXPECT_EQ(ArchiveFamilyFromIndex(13), ArchiveFamily::None);
    EXPECT_EQ(ArchiveFamilyFromIndex(-1), ArchiveFamily::None);
}

TEST_F(Binding, EveryMissingEntryPointIsNamedAsTheMessageNamesIt) {
    quibtest::TempDir empty;
    SetDllFolder(empty.Path() + L"\\");
    for (const Row& r : kRows) {
        for (int e = 0; e < kArchiveEntryKinds; ++e) {
            if (!r.names[e]) continue;
            EXPECT_EQ(Raised([&] { CallEntry(r.family, static_cast<ArchiveEntry>(e)); }), r.messages[e])
                << r.file << " " << r.names[e];
        }
        EXPECT_EQ(ArchiveDllModule(r.family), nullptr);
    }
}

TEST_F(Binding, MessageIsJapaneseAndAnException) {
    quibtest::TempDir empty;
    SetDllFolder(empty.Path() + L"\\");
    try {
        ArchiveOpenArchive(ArchiveFamily::Lha, nullptr, "x.lzh", 0);
        FAIL() << "no exception";
    } catch (const std::exception& e) {
        EXPECT_EQ(Utf8ToWide(e.what()), L"DLLの関数 UnlhaOpenArchive のアドレスが見つかりません.");
        const auto* visible = dynamic_cast<const UserVisibleError*>(&e);
        ASSERT_NE(visible, nullptr);
        EXPECT_EQ(visible->WideMessage(), L"DLLの関数 UnlhaOpenArchive のアドレスが見つかりません.");
    }
}

TEST_F(Binding, AMissingDllIsFoundOnceItIsInPlace) {
    quibtest::TempDir dir;
    FakeLog log;
    SetDllFolder(dir.Path() + L"\\");
    EXPECT_EQ(Raised([] { ArchiveOpenArchive(ArchiveFamily::Lha, nullptr, "a.lzh", 0); }), L"UnlhaOpenArchive");
    EXPECT_EQ(ArchiveDllModule(ArchiveFamily::Lha), nullptr);

    Install(dir, {L"UNLHA32.DLL"});
    const std::string manifest = WideToAnsi(dir / L"a.lzh");
    ASSERT_TRUE(quibtest::WriteFileBytes(dir / L"a.lzh", unittest::EntryLine("x.txt", 1, 1, 0, 0, "", "")));
    const HARC arc = ArchiveOpenArchive(ArchiveFamily::Lha, reinterpret_cast<HWND>(0x1234), manifest, 0x00400100);
    EXPECT_NE(arc, nullptr);
    TArchiveEntryInfo info{};
    EXPECT_EQ(ArchiveFindFirst(ArchiveFamily::Lha, arc, "*.*", &info), 0);
    EXPECT_STREQ(info.FileName, "x.txt");
    EXPECT_NE(ArchiveFindNext(ArchiveFamily::Lha, arc, &info), 0);
    ArchiveCloseArchive(ArchiveFamily::Lha, arc);
    EXPECT_EQ(ModulePath(ArchiveFamily::Lha), dir / L"UNLHA32.DLL");
    const auto lines = log.Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "UnlhaOpenArchive mode=00400100 owner=1234 path=" + manifest);
    EXPECT_EQ(lines[1], "UnlhaFindFirst wildcard=*.*");
    EXPECT_EQ(lines[2], "UnlhaFindNext");
    EXPECT_EQ(lines[3], "UnlhaCloseArchive handle");
}

TEST_F(Binding, AMissingEntryPointFailsOnlyWhenFirstNeeded) {
    quibtest::TempDir dir;
    FakeLog log;
    Install(dir, {L"UNARJ32J.DLL"}, unittest::FakeArchiverNoArjNextDll());
    SetDllFolder(dir.Path() + L"\\");
    ASSERT_TRUE(quibtest::WriteFileBytes(
        dir / L"a.arj", unittest::EntryLine("one", 1, 1, 0, 0, "", "") + unittest::EntryLine("two", 1, 1, 0, 0, "", "")));
    const HARC arc = ArchiveOpenArchive(ArchiveFamily::Arj, nullptr, WideToAnsi(dir / L"a.arj"), 0);
    TArchiveEntryInfo info{};
    EXPECT_EQ(ArchiveFindFirst(ArchiveFamily::Arj, arc, "*.*", &info), 0);
    EXPECT_EQ(Raised([&] { ArchiveFindNext(ArchiveFamily::Arj, arc, &info); }), L"UnarjFindNext");
    // Asking again does not find it either, and the rest of the DLL keeps working.
    EXPECT_EQ(Raised([&] { ArchiveFindNext(ArchiveFamily::Arj, arc, &info); }), L"UnarjFindNext");
    EXPECT_EQ(ArchiveCloseArchive(ArchiveFamily::Arj, arc), 0);
    char buf[256] = {};
    EXPECT_EQ(ArchiveCommand(ArchiveFamily::Arj, nullptr, "vv \"x\"", buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "CMD:vv \"x\"");
    EXPECT_EQ(ModulePath(ArchiveFamily::Arj), dir / L"UNARJ32J.DLL");
}

TEST_F(Binding, ChangingTheFolderAfterLoadingDoesNotReload) {
    quibtest::TempDir first, second;
    Install(first, {L"UNLHA32.DLL"});
    Install(second, {L"UNLHA32.DLL", L"cab32.dll"});
    SetDllFolder(first.Path() + L"\\");
    char buf[256] = {};
    ASSERT_EQ(ArchiveCommand(ArchiveFamily::Lha, nullptr, "l", buf, sizeof buf), 0);
    const HMODULE loaded = ArchiveDllModule(ArchiveFamily::Lha);
    SetDllFolder(second.Path() + L"\\");
    EXPECT_EQ(DllFolder(), second.Path() + L"\\");
    ASSERT_EQ(ArchiveCommand(ArchiveFamily::Lha, nullptr, "l", buf, sizeof buf), 0);
    ASSERT_EQ(ArchiveOpenArchive(ArchiveFamily::Lha, nullptr, "none", 0), nullptr);
    EXPECT_EQ(ArchiveDllModule(ArchiveFamily::Lha), loaded);
    EXPECT_EQ(ModulePath(ArchiveFamily::Lha), first / L"UNLHA32.DLL");
    // A DLL not loaded yet comes from the new folder.
    ASSERT_EQ(ArchiveCommand(ArchiveFamily::Cab, nullptr, "-l", buf, sizeof buf), 0);
    EXPECT_EQ(ModulePath(ArchiveFamily::Cab), second / L"cab32.dll");
}

TEST_F(Binding, RestrictedSearchIgnoresTheCurrentFolder) {
    quibtest::TempDir cwd;
    Install(cwd, {L"Bga32.dll"});
    unittest::CurrentDir inside(cwd.Path());
    SetDllFolder(L"");
    EXPECT_EQ(Raised([] { CallEntry(ArchiveFamily::Bga, ArchiveEntry::Command); }), L"Bga");
    EXPECT_EQ(ArchiveDllModule(ArchiveFamily::Bga), nullptr);
    // The same file is a working DLL: the plain loader on the folder finds it.
    SetDllFolder(cwd.Path() + L"\\");
    EXPECT_EQ(Raised([] { CallEntry(ArchiveFamily::Bga, ArchiveEntry::Command); }), L"(none)");
}

TEST_F(Binding, RestrictedSearchFindsTheProgramFolder) {
    // The build puts the fake as "Yz1.dll" beside this test program only.
    ASSERT_TRUE(quibtest::FileExists(unittest::ExeFolder() + L"\\Yz1.dll"));
    SetDllFolder(L"");
    char buf[64] = {};
    EXPECT_EQ(ArchiveCommand(ArchiveFamily::Yz1, nullptr, "x", buf, sizeof buf), 0);
    EXPECT_TRUE(EqualsNoCase(ModulePath(ArchiveFamily::Yz1), unittest::ExeFolder() + L"\\Yz1.dll"));
}

TEST_F(Binding, CommandResultAndBufferPassThrough) {
    quibtest::TempDir dir;
    FakeLog log;
    Install(dir, {L"LMZIP32.dll", L"ZIP32J.DLL"});
    SetDllFolder(dir.Path() + L"\\");
    ASSERT_TRUE(quibtest::WriteFileBytes(dir / L"r.zip", "CMDRET|7\nR|line\n"));
    const std::string cmd = "-d \"" + WideToAnsi(dir / L"r.zip") + "\"";
    char buf[512] = {};
    EXPECT_EQ(ArchiveCommandLMZipZip(reinterpret_cast<HWND>(0x42), cmd, buf, 300), 7);
    EXPECT_EQ(std::string(buf), "CMD:" + cmd + "\r\nline");
    EXPECT_EQ(ArchiveCommand(ArchiveFamily::LMZip, nullptr, cmd, buf, 300), 7);
    EXPECT_EQ(ArchiveCommand(ArchiveFamily::Zip32J, nullptr, cmd, buf, 300), 7);
    const auto lines = log.Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Zip size=300 owner=42 cmd=" + cmd);
    EXPECT_EQ(lines[1], "Unzip size=300 owner=0 cmd=" + cmd);
    EXPECT_EQ(lines[2], "Zip size=300 owner=0 cmd=" + cmd);
    // Each DLL was loaded from its own file.
    EXPECT_EQ(ModulePath(ArchiveFamily::LMZip), dir / L"LMZIP32.dll");
    EXPECT_EQ(ModulePath(ArchiveFamily::Zip32J), dir / L"ZIP32J.DLL");
}

TEST_F(Binding, EntryPointsADllDoesNotHaveAreRefusedWithoutLoading) {
    EXPECT_THROW(CallEntry(ArchiveFamily::Zip32J, ArchiveEntry::OpenArchive), std::invalid_argument);
    EXPECT_THROW(CallEntry(ArchiveFamily::None, ArchiveEntry::Command), std::invalid_argument);
    EXPECT_EQ(ArchiveDllModule(ArchiveFamily::Zip32J), nullptr);
}
