// Deletion rewrites zip and 7z archives; the entries that stay must keep
// their bytes and names, and a failed deletion leaves the archive untouched.
#include <gtest/gtest.h>

#include <set>

#include "standin_support.h"

using namespace standin_test;

namespace {

std::wstring CopyFixture(const Scratch& s, const char* name) {
  std::wstring to = s.Sub(FromAnsi(name));
  EXPECT_TRUE(CopyFileW((FixtureDir() + L"\\" + FromAnsi(name)).c_str(), to.c_str(), FALSE));
  return to;
}

std::set<std::string> Names(const std::wstring& dll, const char* prefix, const std::wstring& archive) {
  std::set<std::string> out;
  for (const Listed& l : Enumerate(dll, prefix, ToAnsi(archive))) out.insert(l.name);
  return out;
}

}  // namespace

TEST(StandinDelete, ZipAndSevenZipKeepTheOtherEntriesByteForByte) {
  struct Case {
    const wchar_t* dll;
    const char* function;
    const char* prefix;
    const char* archive;
  } cases[] = {
      {L"ZIP32J.DLL", "Zip", "-d", "basic.zip"},
      {L"LMZIP32.dll", "Zip", "-d", "basic.zip"},
      {L"7-zip32.dll", "SevenZip", "d", "basic.zip"},
      {L"7-zip32.dll", "SevenZip", "d -ms=off", "basic.7z"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.function) + " " + c.archive);
    Scratch s;
    std::wstring archive = CopyFixture(s, c.archive);
    std::string list = s.ListFile({"docs/readme.txt", "hello.txt"});
    Outcome o = RunCommand(c.dll, c.function, std::string(c.prefix) + " " + Quoted(ToAnsi(archive)) + " " + Quoted("@" + list));
    ASSERT_EQ(o.code, 0) << o.report;
    std::set<std::string> names = Names(L"7-zip32.dll", "SevenZip", archive);
    EXPECT_EQ(names, (std::set<std::string>{"bin.dat", "docs/", "docs/deep/", "docs/deep/note.txt"}));
    std::wstring dest = s.MakeFolder(L"out");
    o = RunCommand(L"7-zip32.dll", "SevenZip", "x " + Quoted(ToAnsi(archive)) + " -o" + Quoted(ToAnsi(dest)));
    ASSERT_EQ(o.code, 0) << o.report;
    EXPECT_EQ(FilesUnder(dest), (std::vector<std::wstring>{L"bin.dat", L"docs\\deep\\note.txt"}));
    EXPECT_EQ(ReadBytes(dest + L"bin.dat"), ReadBytes(Original(L"bin.dat")));
    EXPECT_EQ(ReadBytes(dest + L"docs\\deep\\note.txt"), ReadBytes(Original(L"docs\\deep\\note.txt")));
    // The times survive the rewrite.
    auto list2 = Enumerate(L"7-zip32.dll", "SevenZip", ToAnsi(archive));
    std::uint16_t date = 0, time = 0;
    ExpectedDos(kFixtureTime, date, time);
    for (const Listed& l : list2) EXPECT_EQ(l.record.dosDate, date) << l.name;
    // Only the archive is left in the folder: no temporary file.
    std::vector<std::wstring> left = FilesUnder(s.path());
    EXPECT_EQ(std::count_if(left.begin(), left.end(), [](const std::wstring& f) { return f.find(L"~") != std::wstring::npos; }), 0);
  }
}

TEST(StandinDelete, AFolderNameDeletesItsContents) {
  Scratch s;
  std::wstring archive = CopyFixture(s, "basic.zip");
  std::string list = s.ListFile({"docs"});
  Outcome o = RunCommand(L"ZIP32J.DLL", "Zip", "-d " + Quoted(ToAnsi(archive)) + " " + Quoted("@" + list));
  ASSERT_EQ(o.code, 0) << o.report;
  EXPECT_EQ(Names(L"UNZIP32.DLL", "UnZip", archive), (std::set<std::string>{"bin.dat", "hello.txt"}));
}

TEST(StandinDelete, LegacyNamesKeepTheirStoredBytes) {
  Scratch s;
  std::wstring archive = CopyFixture(s, "cp932.zip");
  std::string list = s.ListFile({ToCodePage(L"ソフト.txt", 932)});
  Outcome o = RunCommand(L"ZIP32J.DLL", "Zip", "-d " + Quoted(ToAnsi(archive)) + " " + Quoted("@" + list));
  ASSERT_EQ(o.code, 0) << o.report;
  EXPECT_EQ(Names(L"UNZIP32.DLL", "UnZip", archive),
            (std::set<std::string>{ToCodePage(L"日本語/", 932), ToCodePage(L"日本語/表示.txt", 932)}));
}

TEST(StandinDelete, EncryptedZipIsRewrittenWithThePassword) {
  for (const char* name : {"secret.zip", "aes.zip"}) {
    SCOPED_TRACE(name);
    Scratch s;
    std::wstring archive = CopyFixture(s, name);
    std::string list = s.ListFile({"hello.txt"});
    std::string before = ReadBytes(archive);
    // Without the password the entries cannot be copied: the archive must stay as it was.
    Outcome o = RunCommand(L"ZIP32J.DLL", "Zip", "-d " + Quoted(ToAnsi(archive)) + " " + Quoted("@" + list));
    EXPECT_NE(o.code, 0);
    EXPECT_EQ(ReadBytes(archive), before);
    o = RunCommand(L"ZIP32J.DLL", "Zip", "-d -Psecret " + Quoted(ToAnsi(archive)) + " " + Quoted("@" + list));
    ASSERT_EQ(o.code, 0) << o.report;
    std::wstring dest = s.MakeFolder(L"out");
    // The copy is still encrypted: no password, no data.
    o = RunCommand(L"UNZIP32.DLL", "UnZip", "-x -qr0 " + Quoted(ToAnsi(archive)) + " " + Quoted(ToAnsi(dest)));
    EXPECT_EQ(o.code, 0x800A);
    o = RunCommand(L"UNZIP32.DLL", "UnZip", "-x -qr0 -Psecret " + Quoted(ToAnsi(archive)) + " " + Quoted(ToAnsi(dest)));
    EXPECT_EQ(o.code, 0) << o.report;
    EXPECT_EQ(FilesUnder(dest), std::vector<std::wstring>{L"docs\\readme.txt"});
    EXPECT_EQ(ReadBytes(dest + L"docs\\readme.txt"), ReadBytes(Original(L"docs\\readme.txt")));
    // Encryption keeps its kind: ZipCrypto stays ZipCrypto, AES stays AES.
    auto left = Enumerate(L"UNZIP32.DLL", "UnZip", ToAnsi(archive));
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(std::string(left[0].record.method) == "AES", std::string(name) == "aes.zip") << left[0].record.method;
  }
}

TEST(StandinDelete, FailuresLeaveTheArchiveUntouched) {
  struct Case {
    const wchar_t* dll;
    const char* function;
    const char* prefix;
    const char* archive;
    std::vector<std::string> names;
    int expected;
  } cases[] = {
      {L"ZIP32J.DLL", "Zip", "-d", "basic.zip", {"no-such-entry.txt"}, 0x8031},
      {L"ZIP32J.DLL", "Zip", "-d", "basic.zip", {"hello.txt", "no-such-entry.txt"}, 0x8031},
      {L"7-zip32.dll", "SevenZip", "d -ms=off", "basic.7z", {"nothing/here"}, 0x8031},
      {L"ZIP32J.DLL", "Zip", "-d", "basic.zip", {}, 0x8031},
      {L"UNLHA32.DLL", "Unlha", "d -jyd1", "basic.lzh", {"hello.txt"}, 0x8023},  // LZH cannot be written
      {L"7-zip32.dll", "SevenZip", "d", "basic.tar.gz", {"hello.txt"}, 0x8023},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.function) + " " + c.archive);
    Scratch s;
    std::wstring archive = CopyFixture(s, c.archive);
    std::string before = ReadBytes(archive);
    std::string list = s.ListFile(c.names);
    Outcome o = RunCommand(c.dll, c.function, std::string(c.prefix) + " " + Quoted(ToAnsi(archive)) + " " + Quoted("@" + list));
    EXPECT_EQ(o.code, c.expected) << o.report;
    EXPECT_EQ(ReadBytes(archive), before);
    EXPECT_EQ(FilesUnder(s.path()).size(), 2u) << "only the archive and the list file";
  }
}
