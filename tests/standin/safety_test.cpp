// Damaged data, passwords and hostile stored paths: a failing entry must
// leave no file (not even a partial one) and nothing may land outside the
// destination.
#include <gtest/gtest.h>

#include "standin_support.h"

using namespace standin_test;

TEST(StandinSafety, CorruptedStoredEntryFailsWithoutPartialFile) {
  struct Case {
    const wchar_t* dll;
    const char* function;
    std::string prefix;
    bool sevenForm;
  } cases[] = {
      {L"UNZIP32.DLL", "UnZip", "-x -qr0", false},
      {L"LMZIP32.dll", "Unzip", "-j", false},
      {L"7-zip32.dll", "SevenZip", "x -aoa -r-", true},
  };
  for (const Case& c : cases) {
    Scratch s;
    std::wstring dest = s.MakeFolder(L"out");
    std::string archive = Quoted(FixtureAnsi("crc.zip"));
    std::string line = c.sevenForm ? c.prefix + " " + archive + " -o" + Quoted(ToAnsi(dest))
                                   : c.prefix + " " + archive + " " + Quoted(ToAnsi(dest));
    Outcome o = RunCommand(c.dll, c.function, line);
    EXPECT_EQ(o.code, 0x800C) << c.function << o.report;
    EXPECT_NE(o.report.find("stored.txt"), std::string::npos) << o.report;
    // The sound entry is still extracted; the damaged one leaves nothing, not even a temporary file.
    EXPECT_EQ(FilesUnder(dest), std::vector<std::wstring>{L"good.txt"}) << c.function;
  }
}

TEST(StandinSafety, TestCommandReadsAllDataAndNamesTheBadEntry) {
  Outcome bad = RunCommand(L"UNZIP32.DLL", "UnZip", "-t " + Quoted(FixtureAnsi("crc.zip")));
  EXPECT_NE(bad.code, 0);
  EXPECT_NE(bad.report.find("stored.txt"), std::string::npos) << bad.report;
  struct Case {
    const wchar_t* dll;
    const char* function;
    const char* line;
    const char* archive;
  } good[] = {
      {L"UNZIP32.DLL", "UnZip", "-t", "basic.zip"},   {L"7-zip32.dll", "SevenZip", "t", "basic.7z"},
      {L"UNLHA32.DLL", "Unlha", "t", "basic.lzh"},    {L"cab32.dll", "Cab", "-t", "basic.cab"},
      {L"UnIso32.dll", "UnIso", "t", "basic.iso"},    {L"UNARJ32J.DLL", "Unarj", "t", "basic.zip"},
  };
  for (const auto& c : good) {
    Outcome o = RunCommand(c.dll, c.function, std::string(c.line) + " " + Quoted(FixtureAnsi(c.archive)));
    EXPECT_EQ(o.code, 0) << c.archive << o.report;
    EXPECT_NE(o.report.find("OK"), std::string::npos) << o.report;
  }
}

TEST(StandinSafety, ZipCryptoNeedsTheRightPassword) {
  struct Case {
    const wchar_t* dll;
    const char* function;
    std::string passwordSwitch;  // appended to the prefix as the program does
    bool sevenForm;
    int expected;  // 0 or any non-zero (-1 here)
  } cases[] = {
      {L"UNZIP32.DLL", "UnZip", " -Psecret", false, 0},
      {L"LMZIP32.dll", "Unzip", " -Psecret", false, 0},
      {L"7-zip32.dll", "SevenZip", " -psecret", true, 0},
      {L"UNZIP32.DLL", "UnZip", " -Pwrong", false, -1},
      {L"7-zip32.dll", "SevenZip", " -pwrong", true, -1},
      {L"UNZIP32.DLL", "UnZip", "", false, -1},
      {L"7-zip32.dll", "SevenZip", "", true, -1},
      {L"UNZIP32.DLL", "UnZip", " -psecret", false, -1},  // another family's switch is no password here
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.function) + c.passwordSwitch);
    Scratch s;
    std::wstring dest = s.MakeFolder(L"out");
    std::string list = s.ListFile({"hello.txt", "docs/readme.txt"});
    std::string prefix = (c.sevenForm ? "x -aoa -r-" : std::string(c.function) == "Unzip" ? "-j" : "-x -qr0") +
                         c.passwordSwitch;
    std::string archive = Quoted(FixtureAnsi("secret.zip"));
    std::string line = c.sevenForm ? prefix + " " + archive + " -o" + Quoted(ToAnsi(dest)) + " " + Quoted("@" + list)
                                   : prefix + " " + archive + " " + Quoted(ToAnsi(dest)) + "  " + Quoted("@" + list);
    Outcome o = RunCommand(c.dll, c.function, line);
    if (c.expected == 0) {
      EXPECT_EQ(o.code, 0) << o.report;
      EXPECT_EQ(ReadBytes(dest + L"hello.txt"), ReadBytes(Original(L"hello.txt")));
      EXPECT_EQ(ReadBytes(dest + L"docs\\readme.txt"), ReadBytes(Original(L"docs\\readme.txt")));
    } else {
      EXPECT_EQ(o.code, 0x800A) << o.report;
      EXPECT_EQ(FilesUnder(dest), std::vector<std::wstring>{}) << "no partial file may remain";
    }
  }
}

TEST(StandinSafety, PasswordWithABlankTravelsAsOneQuotedSwitch) {
  // 7z encrypts entries with AES, which libarchive cannot decrypt: even the
  // right password must fail cleanly rather than produce a file.
  Scratch s;
  std::wstring dest = s.MakeFolder(L"out");
  Outcome o = RunCommand(L"7-zip32.dll", "SevenZip",
                         "x -aoa -r- \"-psecret\" " + Quoted(FixtureAnsi("secret.7z")) + " -o" + Quoted(ToAnsi(dest)));
  EXPECT_NE(o.code, 0) << o.report;
  EXPECT_EQ(FilesUnder(dest), std::vector<std::wstring>{});
  Outcome t = RunCommand(L"7-zip32.dll", "SevenZip", "t -psecret " + Quoted(FixtureAnsi("secret.7z")));
  EXPECT_NE(t.code, 0) << t.report;
}

TEST(StandinSafety, HostilePathsAreRefusedAndNothingEscapes) {
  const char* prefixes[] = {"-x -qr0", "-x -j -qr0"};
  for (const char* prefix : prefixes) {
    SCOPED_TRACE(prefix);
    Scratch s;
    std::wstring dest = s.MakeFolder(L"a\\b\\out");
    Outcome o = RunCommand(L"UNZIP32.DLL", "UnZip",
                           std::string(prefix) + " " + Quoted(FixtureAnsi("hostile.zip")) + " " + Quoted(ToAnsi(dest)));
    EXPECT_EQ(o.code, 0x802B) << o.report;
    EXPECT_EQ(FilesUnder(dest), std::vector<std::wstring>{L"ok.txt"});
    // Everything in the scratch tree is the destination's.
    EXPECT_EQ(FilesUnder(s.path()), std::vector<std::wstring>{L"a\\b\\out\\ok.txt"});
    EXPECT_FALSE(FileExists(L"C:\\drive.txt"));
    EXPECT_FALSE(FileExists(L"C:\\abs.txt"));
    EXPECT_FALSE(FileExists(L"Z:\\abs.txt"));
    EXPECT_FALSE(FileExists(FixtureDir() + L"\\evil.txt"));
    EXPECT_FALSE(FileExists(FixtureDir() + L"\\work\\evil.txt"));
    EXPECT_FALSE(FileExists(FixtureDir() + L"\\work\\evil2.txt"));
  }
}
