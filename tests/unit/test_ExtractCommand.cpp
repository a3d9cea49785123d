// The command lines the archiver DLLs receive for extraction, per family and
// mode, with the password switch forms, and the response file's lines.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "archive/ArchiveKind.h"
#include "extract/ExtractCommand.h"
#include "util/IniFile.h"
#include "util/StrConv.h"

using namespace quib;

namespace {

ArchiveSettings Defaults() {
    quibtest::TempDir dir;
    return ReadArchiveSetting(IniFile(dir / L"none.ini"));
}

struct FamilyCase {
    const wchar_t* archive;
    int unzipDll;
    const wchar_t* temp;        // the whole line in temporary mode
    const wchar_t* withPath;    // Normal2
    const wchar_t* withoutPath; // Normal1
};

// A = archive, D = destination, L = list argument.
const FamilyCase kFamilies[] = {
    {L"C:\\a\\x.lzh", 0, LR"(x -+ -n1 -u1 -x1 -jse1 -jso1 -a2 "C:\a\x.lzh" "C:\t\"  "@C:\t\r.txt")",
     LR"(x -+ -n0 -u1 -d1 -x1 -jse1 -jso1 -a2 "C:\a\x.lzh" "C:\t\"  "@C:\t\r.txt")",
     LR"(e -+ -n0 -u1 -jse1 -jso1 -a2 "C:\a\x.lzh" "C:\t\"  "@C:\t\r.txt")"},
    {L"C:\\a\\x.zip", 0, LR"(-x -n -qr0 --i "C:\a\x.zip" "C:\t\"  "@C:\t\r.txt")",
     LR"(-x -qr0 "C:\a\x.zip" "C:\t\"  "@C:\t\r.txt")", LR"(-x -j -qr0 "C:\a\x.zip" "C:\t\"  "@C:\t\r.txt")"},
    {L"C:\\a\\x.ZIP", 1, LR"(-j -n "C:\a\x.ZIP" "C:\t\"  "@C:\t\r.txt")", LR"(-j "C:\a\x.ZIP" "C:\t\"  "@C:\t\r.txt")",
     LR"( "C:\a\x.ZIP" "C:\t\"  "@C:\t\r.txt")"},
    {L"C:\\a\\x.zip", 2, LR"(x -aos -r -hide "C:\a\x.zip" -o"C:\t\" "@C:\t\r.txt")",
     LR"(x -aos -r- "C:\a\x.zip" -o"C:\t\" "@C:\t\r.txt")", LR"(e -aos -r- "C:\a\x.zip" -o"C:\t\" "@C:\t\r.txt")"},
    {L"C:\\a\\x.7z", 0, LR"(x -aos -r -hide "C:\a\x.7z" -o"C:\t\" "@C:\t\r.txt")",
     LR"(x -aos -r- "C:\a\x.7z" -o"C:\t\" "@C:\t\r.txt")", LR"(e -aos -r- "C:\a\x.7z" -o"C:\t\" "@C:\t\r.txt")"},
    {L"C:\\a\\x.cab", 0, LR"(-x -n -i "C:\a\x.cab" "C:\t\"  "@C:\t\r.txt")",
     LR"(-x -n "C:\a\x.cab" "C:\t\"  "@C:\t\r.txt")", LR"(-x -n -j "C:\a\x.cab" "C:\t\"  "@C:\t\r.txt")"},
    {L"C:\\a\\x.rar", 0, LR"(-x -o- -r -q "C:\a\x.rar" "C:\t\" "@C:\t\r.txt")",
     LR"(-x -o- -r -s "C:\a\x.rar" "C:\t\" "@C:\t\r.txt")", LR"(-e -o- -r "C:\a\x.rar" "C:\t\" "@C:\t\r.txt")"},
    {L"C:\\a\\x.gz", 0, LR"(-x -v --display-dialog=0 -f "C:\a\x.gz" "C:\t\" "@C:\t\r.txt")",
     LR"(-x -v --display-dialog=1 -f "C:\a\x.gz" "C:\t\" "@C:\t\r.txt")",
     LR"(-x -v --display-dialog=1 -f --use-directory=0 "C:\a\x.gz" "C:\t\" "@C:\t\r.txt")"},
    {L"C:\\a\\x.iso", 0, LR"(x -aos -r -hide "C:\a\x.iso" "C:\t\" "@C:\t\r.txt")",
     LR"(x -aos -r "C:\a\x.iso" "C:\t\" "@C:\t\r.txt")", LR"(e -aos -r "C:\a\x.iso" "C:\t\" "@C:\t\r.txt")"},
    {L"C:\\a\\x.gca", 0, LR"(e "C:\a\x.gca" "C:\t\" "@C:\t\r.txt")", LR"(e -xx1 "C:\a\x.gca" "C:\t\" "@C:\t\r.txt")",
     LR"(e -xx0 "C:\a\x.gca" "C:\t\" "@C:\t\r.txt")"},
    {L"C:\\a\\x.bza", 0, LR"(x "C:\a\x.bza" "@C:\t\r.txt")", LR"(x -a "C:\a\x.bza" "@C:\t\r.txt")",
     LR"(x -a -j "C:\a\x.bza" "@C:\t\r.txt")"},
    {L"C:\\a\\x.gza", 0, LR"(x "C:\a\x.gza" "@C:\t\r.txt")", LR"(x -a "C:\a\x.gza" "@C:\t\r.txt")",
     LR"(x -a -j "C:\a\x.gza" "@C:\t\r.txt")"},
    {L"C:\\a\\x.arj", 0, LR"(x -jyc "C:\a\x.arj" "C:\t\" "!C:\t\r.txt")",
     LR"(x -jyc -hk "C:\a\x.arj" "C:\t\" "!C:\t\r.txt")", LR"(e -jyc -hk "C:\a\x.arj" "C:\t\" "!C:\t\r.txt")"},
    {L"C:\\a\\x.yz1", 0, LR"(x "C:\a\x.yz1" "C:\t\" "@C:\t\r.txt")", LR"(x -x1 "C:\a\x.yz1" "C:\t\" "@C:\t\r.txt")",
     LR"(x -x0 "C:\a\x.yz1" "C:\t\" "@C:\t\r.txt")"},
};

std::wstring Line(const ArchiveSettings& s, const FamilyCase& c, UnpackMode mode, const std::wstring& password = L"") {
    const ArchiveFamily f = UnpackFamily(c.archive, L"", c.unzipDll);
    return UnpackCommandLine(f, UnpackPrefix(s, f, mode) + PasswordSwitch(f, password), c.archive, L"C:\\t\\",
                             L"@C:\\t\\r.txt");
}

}  // namespace

TEST(ExtractCommand, EveryFamilyJoinsItsLineInItsOwnFormForAllThreeModes) {
    const ArchiveSettings s = Defaults();
    for (const FamilyCase& c : kFamilies) {
        SCOPED_TRACE(WideToUtf8(c.archive) + " zip dll " + std::to_string(c.unzipDll));
        EXPECT_EQ(Line(s, c, UnpackMode::Temporary), c.temp);
        EXPECT_EQ(Line(s, c, UnpackMode::WithPath), c.withPath);
        EXPECT_EQ(Line(s, c, UnpackMode::WithoutPath), c.withoutPath);
    }
}

TEST(ExtractCommand, PasswordSwitchFormsPerFamily) {
    struct Case {
        ArchiveFamily family;
        const wchar_t* password;
        const wchar_t* expected;
    } cases[] = {
        {ArchiveFamily::Zip, L"secret", L" -Psecret"},
        {ArchiveFamily::LMZip, L"secret", L" -Psecret"},
        {ArchiveFamily::SevenZip, L"secret", L" -psecret"},
        {ArchiveFamily::Rar, L"secret", L" -psecret"},
        {ArchiveFamily::SevenZip, L"two words", L" \"-ptwo words\""},
        {ArchiveFamily::Zip, L"a b", L" \"-Pa b\""},
        {ArchiveFamily::Lha, L"secret", L""},
        {ArchiveFamily::Tar, L"secret", L""},
        {ArchiveFamily::Cab, L"secret", L""},
        {ArchiveFamily::SevenZip, L"", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(WideToUtf8(c.password));
        EXPECT_EQ(PasswordSwitch(c.family, c.password), c.expected);
    }
    // The whole line of a 7-Zip extraction with a blank in the password.
    const ArchiveSettings s = Defaults();
    EXPECT_EQ(Line(s, kFamilies[4], UnpackMode::WithPath, L"two words"),
              LR"(x -aos -r- "-ptwo words" "C:\a\x.7z" -o"C:\t\" "@C:\t\r.txt")");
}

TEST(ExtractCommand, SelfExtractingArchivesTakeTheTypeChosenWhenListed) {
    EXPECT_EQ(UnpackFamily(L"C:\\s.exe", L".lzh", 0), ArchiveFamily::Lha);
    EXPECT_EQ(UnpackFamily(L"C:\\s.EXE", L".zip", 2), ArchiveFamily::SevenZip);
    EXPECT_EQ(UnpackFamily(L"C:\\s.exe", L"", 0), ArchiveFamily::None);
    EXPECT_EQ(UnpackFamily(L"C:\\s.txt", L".lzh", 0), ArchiveFamily::None);
}

TEST(ExtractCommand, NoFamilyCallsNoDllAndCountsOnlyWhenErrorsAreDisabled) {
    quibtest::TempDir dir;
    const IniFile ini(dir / L"q.ini");
    UnpackRequest r;
    r.archivePath = L"C:\\x.unknown";
    r.destination = L"C:\\t\\";
    r.listArgument = L"@C:\\t\\r.txt";
    const UnpackOutcome o = ArchiveUnpackCall(ini, Defaults(), r);
    EXPECT_EQ(o.family, ArchiveFamily::None);
    EXPECT_EQ(o.code, -9999);
    EXPECT_FALSE(UnpackSucceeded(o, false));
    EXPECT_TRUE(UnpackSucceeded(o, true));
    // unrar32.dll's result is never taken as a failure.
    EXPECT_TRUE(UnpackSucceeded({ArchiveFamily::Rar, 0x8020, L""}, false));
    EXPECT_FALSE(UnpackSucceeded({ArchiveFamily::Zip, 0x8020, L""}, false));
}

TEST(ExtractCommand, ResponseFileLinesByExtension) {
    const StringList paths = {L"docs/", L"docs/a.txt", L"dir\\", L"日本語.txt"};
    EXPECT_EQ(ResponseFileLines(L"C:\\x.lzh", paths),
              (StringList{L"\"docs\"", L"\"docs/a.txt\"", L"\"dir\\\"", L"\"日本語.txt\""}));
    EXPECT_EQ(ResponseFileLines(L"C:\\x.bza", paths), (StringList{L"\"docs/\"", L"\"docs/a.txt\"", L"\"日本語.txt\""}));
    EXPECT_EQ(ResponseFileLines(L"C:\\x.GZA", {L"only\\"}), StringList{});
    EXPECT_EQ(ResponseFileLines(L"C:\\x.zip", paths),
              (StringList{L"\"docs/\"", L"\"docs/a.txt\"", L"\"dir\\\"", L"\"日本語.txt\""}));
}

TEST(ExtractCommand, ResponseFileIsAnsiWithoutMarkAndRefusesNamesTheCodePageLacks) {
    quibtest::TempDir dir;
    const std::wstring path = dir / L"r.txt";
    ASSERT_TRUE(WriteResponseFile(path, {L"\"a.txt\"", L"\"b/c.txt\""}));
    EXPECT_EQ(quibtest::ReadFileBytes(path), "\"a.txt\"\r\n\"b/c.txt\"\r\n");
    // U+2603 is in neither code page the tests run under: nothing is written.
    EXPECT_THROW(WriteResponseFile(dir / L"s.txt", {L"\"\u2603.txt\""}), UnrepresentableNameErr);
    EXPECT_FALSE(quibtest::FileExists(dir / L"s.txt"));
    if (GetACP() == 932) {
        ASSERT_TRUE(WriteResponseFile(path, {L"\"表.txt\""}));
        EXPECT_EQ(quibtest::ReadFileBytes(path), "\"\x95\x5C.txt\"\r\n");
    }
}
