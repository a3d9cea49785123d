// Command-line grammar of each family, the tokenizer, stored-path safety and
// wildcards, checked on the core library directly with the program's own
// command texts.
#include <gtest/gtest.h>

#include "command_line.h"
#include "commands.h"
#include "text.h"

using namespace standin;

TEST(StandinTokenizer, QuotesGroupAndMayStartInsideAToken) {
  struct Case {
    const char* line;
    std::vector<std::string> tokens;
  } cases[] = {
      {"x -aos \"C:\\a b\\arc.7z\" -o\"C:\\dest dir\\\" \"@C:\\t\\list.txt\"",
       {"x", "-aos", "C:\\a b\\arc.7z", "-oC:\\dest dir\\", "@C:\\t\\list.txt"}},
      {"-x -qr0 \"-Pmy pass\" \"a.zip\" \"d\\\"  \"@r\"", {"-x", "-qr0", "-Pmy pass", "a.zip", "d\\", "@r"}},
      {"  e\t-r  ", {"e", "-r"}},
      {" \"a.zip\"", {"a.zip"}},
      {"x \"\" b", {"x", "", "b"}},
      {"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(Tokenize(c.line), c.tokens) << c.line;
}

TEST(StandinCommandLine, EachFamilyReadsTheProgramsCommandTexts) {
  struct Case {
    Family family;
    const char* line;
    Action action;
    bool keepFolders;
    Overwrite overwrite;
    const char* destination;
  } cases[] = {
      {Family::Lha, "x -+ -n1 -u1 -x1 -jse1 -jso1 -a2 \"a.lzh\" \"D:\\t\\\"  \"@r\"", Action::Extract, true,
       Overwrite::Replace, "D:\\t\\"},
      {Family::Lha, "e -+ -n0 -u1 -jse1 -jso1 -a2 \"a.lzh\" \"D:\\t\\\"  \"@r\"", Action::Extract, false,
       Overwrite::Replace, "D:\\t\\"},
      {Family::Lha, "l -c1m0a1 -jf0 -p2  -gm1  \"a.exe\"", Action::List, true, Overwrite::Replace, ""},
      {Family::Lha, "d -jyd1 \"a.lzh\" \"@r\"", Action::Delete, true, Overwrite::Replace, ""},
      {Family::UnZip32, "-x -n -qr0 --i \"a.zip\" \"D:\\t\\\"  \"@r\"", Action::Extract, true, Overwrite::Skip,
       "D:\\t\\"},
      {Family::UnZip32, "-x -j -qr0 \"a.zip\" \"D:\\t\\\"  \"@r\"", Action::Extract, false, Overwrite::Replace,
       "D:\\t\\"},
      {Family::UnZip32, "-v \"a.zip\"", Action::List, true, Overwrite::Replace, ""},
      {Family::LmZip, " \"a.zip\" \"D:\\t\\\"  \"@r\"", Action::Extract, false, Overwrite::Replace, "D:\\t\\"},
      {Family::LmZip, "-j \"a.zip\" \"D:\\t\\\"  \"@r\"", Action::Extract, true, Overwrite::Replace, "D:\\t\\"},
      {Family::LmZip, "-j -n \"a.zip\" \"D:\\t\\\"  \"@r\"", Action::Extract, true, Overwrite::Skip, "D:\\t\\"},
      {Family::ZipJ, "-d \"a.zip\" \"@r\"", Action::Delete, true, Overwrite::Replace, ""},
      {Family::SevenZip, "x -aos -r -hide \"a.7z\" -o\"D:\\t\\\" \"@r\"", Action::Extract, true, Overwrite::Skip,
       "D:\\t\\"},
      {Family::SevenZip, "e -aos -r- \"a.7z\" -o\"D:\\t\\\" \"@r\"", Action::Extract, false, Overwrite::Skip,
       "D:\\t\\"},
      {Family::SevenZip, "x -aoa \"a.7z\" -o\"D:\\t\\\"", Action::Extract, true, Overwrite::Replace, "D:\\t\\"},
      {Family::SevenZip, "d -ms=off \"a.7z\" \"@r\"", Action::Delete, true, Overwrite::Replace, ""},
      {Family::Cab, "-x -n -j \"a.cab\" \"D:\\t\\\"  \"@r\"", Action::Extract, false, Overwrite::Skip, "D:\\t\\"},
      {Family::Cab, "-l -j \"a.cab\"", Action::List, false, Overwrite::Replace, ""},
      {Family::Rar, "-e -o- -r \"a.rar\" \"D:\\t\\\" \"@r\"", Action::Extract, false, Overwrite::Skip, "D:\\t\\"},
      {Family::Rar, "-x -o- -r -s \"a.rar\" \"D:\\t\\\" \"@r\"", Action::Extract, true, Overwrite::Skip, "D:\\t\\"},
      {Family::Tar, "-x -v --display-dialog=1 -f --use-directory=0 \"a.gz\" \"D:\\t\\\" \"@r\"", Action::Extract,
       false, Overwrite::Replace, "D:\\t\\"},
      {Family::Tar, "-x -v --display-dialog=1 -f \"a.gz\" \"D:\\t\\\" \"@r\"", Action::Extract, true,
       Overwrite::Replace, "D:\\t\\"},
      {Family::Tar, "-t -v --display-dialog=0 --check-all-path=1 -f \"a.gz\"", Action::List, true,
       Overwrite::Replace, ""},
      {Family::Iso, "e -aos -r \"a.iso\" \"D:\\t\\\" \"@r\"", Action::Extract, false, Overwrite::Skip, "D:\\t\\"},
      {Family::Gca, "e -xx1 \"a.gca\" \"D:\\t\\\" \"@r\"", Action::Extract, true, Overwrite::Replace, "D:\\t\\"},
      {Family::Gca, "e -xx0 \"a.gca\" \"D:\\t\\\" \"@r\"", Action::Extract, false, Overwrite::Replace, "D:\\t\\"},
      {Family::Gca, "e \"a.gca\" \"D:\\t\\\" \"@r\"", Action::Extract, true, Overwrite::Replace, "D:\\t\\"},
      {Family::Bga, "x -a -j \"a.bza\" \"@r\"", Action::Extract, false, Overwrite::Replace, ""},
      {Family::Bga, "x -a \"a.bza\" \"@r\"", Action::Extract, true, Overwrite::Replace, ""},
      {Family::Arj, "e -jyc -hk \"a.arj\" \"D:\\t\\\" \"!r\"", Action::Extract, false, Overwrite::Replace,
       "D:\\t\\"},
      {Family::Arj, "vv \"a.arj\"", Action::List, true, Overwrite::Replace, ""},
      {Family::Yz1, "x -x0 \"a.yz1\" \"D:\\t\\\" \"@r\"", Action::Extract, false, Overwrite::Replace, "D:\\t\\"},
      {Family::Yz1, "x \"a.yz1\" \"D:\\t\\\" \"@r\"", Action::Extract, true, Overwrite::Replace, "D:\\t\\"},
  };
  for (const auto& c : cases) {
    Request r = ParseCommandLine(c.family, c.line);
    // The list files named here do not exist: only that error is allowed.
    EXPECT_TRUE(r.errorCode == 0 || r.errorCode == 0x802A) << c.line << ": " << r.error;
    EXPECT_EQ(r.action, c.action) << c.line;
    if (c.action == Action::Extract) {
      EXPECT_EQ(r.keepFolders, c.keepFolders) << c.line;
      EXPECT_EQ(r.overwrite, c.overwrite) << c.line;
    }
    EXPECT_EQ(r.destination, c.destination) << c.line;
    EXPECT_FALSE(r.archive.empty()) << c.line;
  }
}

TEST(StandinCommandLine, PasswordsTakeEachFamilysSwitch) {
  struct Case {
    Family family;
    const char* line;
    const char* password;  // nullptr: none expected
  } cases[] = {
      {Family::UnZip32, "-x -qr0 -Psecret \"a.zip\" \"d\\\"", "secret"},
      {Family::UnZip32, "-x -qr0 \"-Pmy pass\" \"a.zip\" \"d\\\"", "my pass"},
      {Family::LmZip, "-j -Psecret \"a.zip\" \"d\\\"", "secret"},
      {Family::ZipJ, "-d -Psecret \"a.zip\" \"@r\"", "secret"},
      {Family::SevenZip, "x -aos -r- \"-pmy pass\" \"a.7z\" -o\"d\\\"", "my pass"},
      {Family::Rar, "-x -o- -r -s -psecret \"a.rar\" \"d\\\"", "secret"},
      {Family::UnZip32, "-x -qr0 -psecret \"a.zip\" \"d\\\"", nullptr},  // -p is not UNZIP32's switch
      {Family::Lha, "x -psecret \"a.lzh\" \"d\\\"", nullptr},
  };
  for (const auto& c : cases) {
    Request r = ParseCommandLine(c.family, c.line);
    if (c.password) {
      ASSERT_TRUE(r.password.has_value()) << c.line;
      EXPECT_EQ(*r.password, c.password) << c.line;
    } else {
      EXPECT_FALSE(r.password.has_value()) << c.line;
    }
  }
}

TEST(StandinCommandLine, UnusableLinesAreRefused) {
  struct Case {
    Family family;
    const char* line;
  } cases[] = {
      {Family::SevenZip, "q \"a.7z\""}, {Family::SevenZip, "x"}, {Family::UnZip32, "\"a.zip\""},
      {Family::Tar, "-v -f \"a.tar\""},  {Family::Lha, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseCommandLine(c.family, c.line).errorCode, 0x801C) << c.line;
}

TEST(StandinPaths, StoredPathsThatLeaveTheDestinationAreRejected) {
  const wchar_t* bad[] = {L"../evil.txt", L"a/../../evil.txt", L"/abs.txt",   L"\\abs.txt",
                          L"C:/drive.txt", L"C:drive.txt",     L"\\\\server\\share\\x", L"a/..",
                          L"file.txt:stream", L"a/.../b",       L"a/.. /b",    L""};
  for (const wchar_t* p : bad) EXPECT_TRUE(SafeComponents(p).empty()) << WideToUtf8(p);
  EXPECT_EQ(SafeComponents(L"a/./b\\c.txt"), (std::vector<std::wstring>{L"a", L"b", L"c.txt"}));
  EXPECT_EQ(SafeComponents(L"docs/"), (std::vector<std::wstring>{L"docs"}));
  EXPECT_EQ(SafeComponents(L"..data/x..y"), (std::vector<std::wstring>{L"..data", L"x..y"}));
}

TEST(StandinPaths, WildcardsAndFolders) {
  EXPECT_TRUE(WildcardMatch(L"*.txt", L"docs/readme.TXT"));
  EXPECT_TRUE(WildcardMatch(L"docs\\*", L"docs/deep/note.txt"));
  EXPECT_TRUE(WildcardMatch(L"?ello.txt", L"hello.txt"));
  EXPECT_FALSE(WildcardMatch(L"?ello.txt", L"ello.txt"));
  EXPECT_FALSE(WildcardMatch(L"*.dat", L"bin.data"));
  EXPECT_TRUE(WildcardMatch(L"*a*b*c", L"xxaxxbxxbxc"));
  EXPECT_TRUE(IsBelowFolder(L"docs/deep/note.txt", L"DOCS"));
  EXPECT_TRUE(IsBelowFolder(L"docs\\deep\\note.txt", L"docs/deep/"));
  EXPECT_FALSE(IsBelowFolder(L"docs2/x.txt", L"docs"));
  EXPECT_FALSE(IsBelowFolder(L"docs", L"docs"));
}
