// The pure rules of self-extracting archives and deletion: the probes asked
// and their command lines, the report test for 7-Zip, the kinds by index, and
// the deletion command of each DLL with its password forms.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "archive/ArchiveKind.h"
#include "archive/SfxArchive.h"
#include "extract/ExtractDelete.h"
#include "util/IniFile.h"
#include "util/StrConv.h"

using namespace quib;

namespace {

ArchiveSettings Defaults() {
    quibtest::TempDir dir;
    return ReadArchiveSetting(IniFile(dir / L"none.ini"));
}

ArchiveSettings AllProbes() {
    ArchiveSettings s = Defaults();
    s.BoolAutoCheckSfxLha = s.BoolAutoCheckSfxZip = s.BoolAutoCheckSfx7z = s.BoolAutoCheckSfxCab =
        s.BoolAutoCheckSfxRar = s.BoolAutoCheckSfxGz = s.BoolAutoCheckSfxIso = true;
    return s;
}

}  // namespace

TEST(SfxProbes, AllKindsInTheFixedOrderWithTheirListCommands) {
    const ArchiveSettings s = AllProbes();
    const std::wstring path = L"C:\\a b\\setup.exe";
    const auto probes = SfxProbes(s, path);
    struct Row {
        const wchar_t* kind;
        ArchiveFamily family;
        std::wstring line;
        bool seven;
    } expected[] = {
        {L".lzh", ArchiveFamily::Lha, s.StrLhaList + L" -gm1  \"C:\\a b\\setup.exe\"", false},
        {L".cab", ArchiveFamily::Cab, s.StrCabList + L" \"C:\\a b\\setup.exe\"", false},
        {L".7z", ArchiveFamily::SevenZip, s.Str7zList + L" \"C:\\a b\\setup.exe\"", true},
        {L".zip", ArchiveFamily::Zip, s.StrZipList + L" \"C:\\a b\\setup.exe\"", false},
        {L".rar", ArchiveFamily::Rar, s.StrRarList + L" \"C:\\a b\\setup.exe\"", false},
        {L".gz", ArchiveFamily::Tar, s.StrGzList + L" \"C:\\a b\\setup.exe\"", false},
        {L".iso", ArchiveFamily::Iso, s.StrIsoList + L" \"C:\\a b\\setup.exe\"", false},
    };
    ASSERT_EQ(probes.size(), 7u);
    for (size_t i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(probes[i].kind, expected[i].kind);
        EXPECT_EQ(probes[i].family, expected[i].family);
        EXPECT_EQ(probes[i].commandLine, expected[i].line);
        EXPECT_EQ(probes[i].needsSevenZipType, expected[i].seven);
    }
    EXPECT_FALSE(s.StrLhaList.empty());
}

TEST(SfxProbes, OnlyEnabledKindsAndTheZipDllChoice) {
    struct Case {
        int unzipDll;
        ArchiveFamily family;
        std::wstring ArchiveSettings::*list;
    } cases[] = {
        {0, ArchiveFamily::Zip, &ArchiveSettings::StrZipList},
        {1, ArchiveFamily::LMZip, &ArchiveSettings::StrLMZIPList},
        {2, ArchiveFamily::SevenZip, &ArchiveSettings::Str7zList},
        {7, ArchiveFamily::SevenZip, &ArchiveSettings::Str7zList},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.unzipDll);
        ArchiveSettings s = Defaults();
        s.BoolAutoCheckSfxZip = true;
        s.BoolAutoCheckSfxIso = true;
        s.IntUnZipDll = c.unzipDll;
        const auto probes = SfxProbes(s, L"x.exe");
        ASSERT_EQ(probes.size(), 2u);
        EXPECT_EQ(probes[0].kind, L".zip");
        EXPECT_EQ(probes[0].family, c.family);
        EXPECT_EQ(probes[0].commandLine, s.*c.list + L" \"x.exe\"");
        // The zip kind is found on success whatever DLL answers for it.
        EXPECT_FALSE(probes[0].needsSevenZipType);
        EXPECT_EQ(probes[1].kind, L".iso");
    }
    EXPECT_TRUE(SfxProbes(Defaults(), L"x.exe").empty());
}

TEST(SfxProbes, TheSevenZipReportTest) {
    struct Case {
        std::vector<std::wstring> lines;
        bool seven;
    } cases[] = {
        {{L"Path = x.exe", L"Type = 7z"}, true},
        {{L"type=7Z"}, true},
        {{L"TYPE = PE", L"Method = 7z"}, false},   // "7Z" on a line not beginning with TYPE
        {{L"Type = zip"}, false},
        {{L" Type = 7z"}, false},                   // must begin with it
        {{L"Type 7z"}, false},                      // no "="
        {{L"Typewriter = 7zip"}, true},             // the rule is this plain
        {{}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines.empty() ? std::string("none") : WideToUtf8(c.lines.back()));
        EXPECT_EQ(SfxReportSaysSevenZip(c.lines), c.seven);
    }
}

TEST(SfxKinds, IndexesKindsAndFamilies) {
    const wchar_t* kinds[7] = {L".lzh", L".zip", L".7z", L".cab", L".rar", L".gz", L".iso"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(SfxKindOfIndex(i), kinds[i]);
        EXPECT_EQ(SfxIndexOfKind(kinds[i]), i);
    }
    EXPECT_EQ(SfxKindOfIndex(-1), L"");
    EXPECT_EQ(SfxKindOfIndex(7), L"");
    EXPECT_EQ(SfxKindOfIndex(9), L"");
    EXPECT_EQ(SfxIndexOfKind(L".ZIP"), 1);
    EXPECT_EQ(SfxIndexOfKind(L".exe"), -1);
    EXPECT_EQ(SfxIndexOfKind(L""), -1);
    EXPECT_EQ(SfxKindFamily(L".gz", 0), ArchiveFamily::Tar);
    EXPECT_EQ(SfxKindFamily(L".zip", 1), ArchiveFamily::LMZip);
    EXPECT_EQ(SfxKindFamily(L".zip", 2), ArchiveFamily::SevenZip);
    // Kinds a self-extractor cannot carry here open nothing.
    EXPECT_EQ(SfxKindFamily(L".bza", 0), ArchiveFamily::None);
    EXPECT_EQ(SfxKindFamily(L".arj", 0), ArchiveFamily::None);
    EXPECT_EQ(SfxKindFamily(L"", 0), ArchiveFamily::None);
}

TEST(DeleteCommand, EachDllWithItsPrefixAndPasswordForm) {
    const ArchiveSettings s = Defaults();
    const std::wstring list = L"@C:\\t\\quibFMarchive-Responce.txt";
    struct Case {
        const wchar_t* archive;
        int deleteZipDll;
        const wchar_t* password;
        ArchiveFamily family;
        const wchar_t* line;
    } cases[] = {
        {L"C:\\a\\x.lzh", 0, L"", ArchiveFamily::Lha, LR"(d -jyd1 "C:\a\x.lzh" "@C:\t\quibFMarchive-Responce.txt")"},
        // LHA takes no password.
        {L"C:\\a\\x.LZH", 2, L"p w", ArchiveFamily::Lha, LR"(d -jyd1 "C:\a\x.LZH" "@C:\t\quibFMarchive-Responce.txt")"},
        {L"C:\\a\\x.zip", 0, L"", ArchiveFamily::Zip32J, LR"(-d "C:\a\x.zip" "@C:\t\quibFMarchive-Responce.txt")"},
        {L"C:\\a\\x.zip", 0, L"pw", ArchiveFamily::Zip32J, LR"(-d -Ppw "C:\a\x.zip" "@C:\t\quibFMarchive-Responce.txt")"},
        {L"C:\\a\\x.zip", 1, L"p w", ArchiveFamily::LMZip,
         LR"(-d "-Pp w" "C:\a\x.zip" "@C:\t\quibFMarchive-Responce.txt")"},
        {L"C:\\a\\x.zip", 2, L"p w", ArchiveFamily::SevenZip,
         LR"(d "-pp w" "C:\a\x.zip" "@C:\t\quibFMarchive-Responce.txt")"},
        {L"C:\\a\\x.zip", 5, L"", ArchiveFamily::SevenZip, LR"(d "C:\a\x.zip" "@C:\t\quibFMarchive-Responce.txt")"},
        {L"C:\\a\\x.7z", 0, L"日本 語", ArchiveFamily::SevenZip,
         LR"(d -ms=off "-p日本 語" "C:\a\x.7z" "@C:\t\quibFMarchive-Responce.txt")"},
        {L"C:\\a\\x.cab", 0, L"", ArchiveFamily::None, L""},
        {L"C:\\a\\x.exe", 0, L"", ArchiveFamily::None, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(WideToUtf8(c.archive) + " " + std::to_string(c.deleteZipDll));
        const DeleteCall call = DeleteCommand(s, c.archive, c.deleteZipDll, c.password, list);
        EXPECT_EQ(call.family, c.family);
        EXPECT_EQ(call.commandLine, c.line);
        EXPECT_EQ(DeleteExtensionAccepted(c.archive), c.family != ArchiveFamily::None);
    }
}

TEST(DeleteCommand, ArchivesTheDeletionWillNotTouch) {
    // No DLL is asked (none is loaded here) for an archive outside the list
    // or one that is not there.
    quibtest::TempDir dir;
    const IniFile ini(dir / L"q.ini");
    const ArchiveSettings s = Defaults();
    quibtest::MsgCapture messages;
    DeleteRequest r;
    r.archivePath = dir / L"missing.zip";
    r.listArgument = L"@x";
    EXPECT_FALSE(ArchiveDeleteFileCore(ini, s, {L".zip"}, r));
    quibtest::WriteFileBytes(dir / L"there.zip", "PK");
    r.archivePath = dir / L"there.zip";
    EXPECT_FALSE(ArchiveDeleteFileCore(ini, s, {L".lzh", L".7z"}, r));
    EXPECT_TRUE(messages.Texts().empty());
    EXPECT_EQ(quibtest::ReadFileBytes(dir / L"there.zip"), "PK");
}
