// Crafted archives (make_hostile.py): none may crash the DLL, and a command
// acts only on the entries named, by the name they are listed with.
#include <gtest/gtest.h>

#include <new>
#include <set>
#include <stdexcept>

#include "guard.h"
#include "commands.h"
#include "result_codes.h"
#include "standin_support.h"
#include "zip_directory.h"

using namespace standin_test;

namespace {

std::wstring HostileDir() { return FixtureDir() + L"-hostile"; }
std::string HostileAnsi(const char* name) { return ToAnsi(HostileDir() + L"\\" + FromAnsi(name)); }

std::wstring CopyHostile(const Scratch& s, const char* name) {
  std::wstring to = s.Sub(FromAnsi(name));
  EXPECT_TRUE(CopyFileW((HostileDir() + L"\\" + FromAnsi(name)).c_str(), to.c_str(), FALSE)) << name;
  return to;
}

std::set<std::string> Names(const std::wstring& dll, const char* prefix, const std::string& archive) {
  std::set<std::string> out;
  bool ok = false;
  for (const Listed& l : Enumerate(dll, prefix, archive, &ok)) out.insert(l.name);
  EXPECT_TRUE(ok) << archive;
  return out;
}

int Delete(const std::wstring& archive, const std::vector<std::string>& names, const Scratch& s,
           std::string* report = nullptr, const char* password = nullptr, bool sevenZip = false) {
  std::string list = s.ListFile(names, L"del.txt");
  std::string line = sevenZip ? std::string("d") + (password ? std::string(" -p") + password : "")
                              : std::string("-d") + (password ? std::string(" -P") + password : "");
  Outcome o = sevenZip ? RunCommand(L"7-zip32.dll", "SevenZip", line + " " + Quoted(ToAnsi(archive)) + " " + Quoted("@" + list))
                       : RunCommand(L"ZIP32J.DLL", "Zip", line + " " + Quoted(ToAnsi(archive)) + " " + Quoted("@" + list));
  if (report) *report = o.report;
  return o.code;
}

Outcome Extract(const std::string& archive, const std::wstring& dest, const std::vector<std::string>& names = {},
                const Scratch* s = nullptr) {
  std::string line = "x -aoa ";
  line += Quoted(archive);
  line += " -o";
  line += Quoted(ToAnsi(dest));
  if (!names.empty()) {
    line += " ";
    std::string list = s->ListFile(names, L"x.txt");
    line += Quoted("@" + list);
  }
  return RunCommand(L"7-zip32.dll", "SevenZip", line);
}

}  // namespace

// ---- crashes ----

TEST(StandinHostile, HundredThousandDotHeadersListTestAndExtractWithoutRecursion) {
  std::string archive = HostileAnsi("dots.tar.gz");
  EXPECT_EQ(Names(L"tar32.dll", "Tar", archive), (std::set<std::string>{"real.txt"}));
  Outcome list = RunCommand(L"tar32.dll", "Tar", "-t " + Quoted(archive));
  EXPECT_EQ(list.code, 0) << list.report;
  EXPECT_NE(list.report.find("real.txt"), std::string::npos);
  Outcome test = RunCommand(L"7-zip32.dll", "SevenZip", "t " + Quoted(archive));
  EXPECT_EQ(test.code, 0) << test.report;
  Scratch s;
  std::wstring dest = s.MakeFolder(L"out");
  Outcome x = Extract(archive, dest);
  EXPECT_EQ(x.code, 0) << x.report;
  EXPECT_EQ(FilesUnder(dest), std::vector<std::wstring>{L"real.txt"});
}

TEST(StandinHostile, DeletingFromAZipOfDotRecordsKeepsThem) {
  Scratch s;
  std::wstring archive = CopyHostile(s, "dots.zip");
  EXPECT_EQ(Names(L"UNZIP32.DLL", "UnZip", ToAnsi(archive)), (std::set<std::string>{"keep.txt", "gone.txt"}));
  std::string report;
  ASSERT_EQ(Delete(archive, {"gone.txt"}, s, &report), 0) << report;
  EXPECT_EQ(Names(L"UNZIP32.DLL", "UnZip", ToAnsi(archive)), std::set<std::string>{"keep.txt"});
  // The 20,000 "./" records are kept: a rewrite drops nothing it was not told to.
  EXPECT_EQ(standin::ReadZipDirectory(archive).entries.size(), 20001u);
}

TEST(StandinHostile, PathsTwentyThousandLevelsDeepAreRefusedAndTheRestExtracted) {
  for (const char* name : {"deep.zip", "deep.tar"}) {
    SCOPED_TRACE(name);
    Scratch s;
    std::wstring dest = s.MakeFolder(L"out");
    Outcome x = Extract(HostileAnsi(name), dest);
    EXPECT_EQ(x.code, standin::kErrLongName) << x.report;
    EXPECT_NE(x.report.find("Refused (path too long): d/d/d/"), std::string::npos) << x.report.substr(0, 200);
    EXPECT_EQ(FilesUnder(dest), std::vector<std::wstring>{L"ok.txt"});
  }
}

TEST(StandinHostile, FolderCreationIteratesAndStopsAtTheSystemLimit) {
  Scratch s;
  std::wstring deep = s.path();
  for (int i = 0; i < 60; ++i) deep += L"lvl\\";
  EXPECT_TRUE(standin::MakeDirectories(deep));
  EXPECT_NE(GetFileAttributesW((L"\\\\?\\" + deep).c_str()), INVALID_FILE_ATTRIBUTES);
  std::wstring tooDeep = s.path();
  while (tooDeep.size() < 40000) tooDeep += L"a\\";
  EXPECT_FALSE(standin::MakeDirectories(tooDeep));
}

TEST(StandinHostile, ExceptionsBecomeResultCodes) {
  auto code = [](auto thrower) {
    return standin::Guarded([&]() -> int { thrower(); return 0; }, [](int c) { return c; });
  };
  EXPECT_EQ(code([] { throw std::bad_alloc(); }), standin::kErrMemory);
  EXPECT_EQ(code([] { throw std::length_error("too long"); }), standin::kErrMemory);
  EXPECT_EQ(code([] { throw std::runtime_error("x"); }), standin::kErrDataBroken);
  EXPECT_EQ(code([] { throw 42; }), standin::kErrDataBroken);
  EXPECT_EQ(code([] {}), 0);
  HANDLE h = standin::Guarded([]() -> HANDLE { throw std::bad_alloc(); }, [](int) -> HANDLE { return nullptr; });
  EXPECT_EQ(h, nullptr);
}

// ---- entries the user did not choose ----

TEST(StandinHostile, StoredWildcardNamesMeanThemselves) {
  struct Case {
    const char* name;
    std::set<std::string> left;
  } cases[] = {
      {"*.txt", {"?.txt", "a.txt", "bb.txt"}},
      {"?.txt", {"*.txt", "a.txt", "bb.txt"}},
      {"a.txt", {"*.txt", "?.txt", "bb.txt"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Scratch s;
    std::wstring archive = CopyHostile(s, "wild.zip");
    std::string report;
    ASSERT_EQ(Delete(archive, {c.name}, s, &report), 0) << report;
    EXPECT_EQ(Names(L"UNZIP32.DLL", "UnZip", ToAnsi(archive)), c.left);
  }
  // A pattern that is no entry's name still works as a pattern.
  Scratch s;
  std::wstring archive = CopyHostile(s, "wild.zip");
  ASSERT_EQ(Delete(archive, {"b*"}, s), 0);
  EXPECT_EQ(Names(L"UNZIP32.DLL", "UnZip", ToAnsi(archive)), (std::set<std::string>{"*.txt", "?.txt", "a.txt"}));
}

TEST(StandinHostile, NamesTheCodePageLacksAreReportedAsQuestionMarksAndMeanOnlyThatEntry) {
  Scratch s;
  std::wstring archive = CopyHostile(s, "korean.7z");
  EXPECT_EQ(Names(L"7-zip32.dll", "SevenZip", ToAnsi(archive)), (std::set<std::string>{"??.txt", "ab.txt"}));
  std::string report;
  ASSERT_EQ(Delete(archive, {"??.txt"}, s, &report, nullptr, true), 0) << report;
  EXPECT_EQ(Names(L"7-zip32.dll", "SevenZip", ToAnsi(archive)), std::set<std::string>{"ab.txt"});
  // Two entries reported alike: which one was meant cannot be told, so nothing goes.
  std::wstring two = CopyHostile(s, "korean3.7z");
  EXPECT_EQ(Delete(two, {"sub/??.txt"}, s, &report, nullptr, true), standin::kErrSameName) << report;
  EXPECT_EQ(ReadBytes(two), ReadBytes(HostileDir() + L"\\korean3.7z"));
}

TEST(StandinHostile, ShiftJisNamesCompareByCharacterNotByByte) {
  if (!JapaneseCodePage()) GTEST_SKIP() << "needs code page 932";
  const std::string folder = ToCodePage(L"表/", 932), file = ToCodePage(L"表示.txt", 932),
                    a = ToCodePage(L"ア.txt", 932), di = ToCodePage(L"ヂ.txt", 932);
  EXPECT_EQ(Names(L"UNZIP32.DLL", "UnZip", HostileAnsi("sjis.zip")), (std::set<std::string>{folder, file, a, di}));
  struct Case {
    std::string name;
    std::set<std::string> left;
  } cases[] = {
      {folder, {file, a, di}},
      {a, {folder, file, di}},
      {di, {folder, file, a}},
  };
  for (const Case& c : cases) {
    Scratch s;
    std::wstring archive = CopyHostile(s, "sjis.zip");
    std::string report;
    ASSERT_EQ(Delete(archive, {c.name}, s, &report), 0) << report;
    EXPECT_EQ(Names(L"UNZIP32.DLL", "UnZip", ToAnsi(archive)), c.left) << report;
  }
  Scratch s;
  std::wstring dest = s.MakeFolder(L"out");
  Outcome x = Extract(HostileAnsi("sjis.zip"), dest, {a}, &s);
  EXPECT_EQ(x.code, 0) << x.report;
  EXPECT_EQ(FilesUnder(dest), std::vector<std::wstring>{L"ア.txt"});
}

TEST(StandinHostile, CaseOnlyDuplicatesAreDistinct) {
  Scratch s;
  std::wstring archive = CopyHostile(s, "case.zip");
  std::string report;
  ASSERT_EQ(Delete(archive, {"README"}, s, &report), 0) << report;
  EXPECT_EQ(Names(L"UNZIP32.DLL", "UnZip", ToAnsi(archive)), (std::set<std::string>{"readme", "other.txt"}));
  std::wstring dest = s.MakeFolder(L"out");
  Outcome x = Extract(ToAnsi(archive), dest, {"readme"}, &s);
  EXPECT_EQ(x.code, 0) << x.report;
  EXPECT_EQ(ReadBytes(dest + L"readme"), "lower\n");
  // A name that is no entry's exact name still finds one regardless of case.
  std::wstring dest2 = s.MakeFolder(L"out2");
  x = Extract(ToAnsi(archive), dest2, {"OTHER.TXT"}, &s);
  EXPECT_EQ(x.code, 0) << x.report;
  EXPECT_EQ(FilesUnder(dest2), std::vector<std::wstring>{L"other.txt"});
}

TEST(StandinHostile, ControlCharactersNeverBreakARecordOrAReportLine) {
  std::string archive = HostileAnsi("ctrl.zip");
  std::set<std::string> expected{"a?b.txt", "x??Type = 7z??.txt", "ok.txt"};
  EXPECT_EQ(Names(L"UNZIP32.DLL", "UnZip", archive), expected);
  // Through libarchive as well (a 7z holds the same names).
  Outcome list = RunCommand(L"7-zip32.dll", "SevenZip", "l " + Quoted(archive));
  ASSERT_EQ(list.code, 0) << list.report;
  EXPECT_EQ(list.report.find("\nType = 7z"), std::string::npos) << list.report;
  EXPECT_EQ(list.report.find('\t'), std::string::npos);
  size_t lines = 0;
  for (char c : list.report) lines += c == '\n';
  EXPECT_EQ(lines, 5u + 3u + 2u) << list.report;  // heading, one line per entry, footer
  EXPECT_NE(list.report.find(" x??Type = 7z??.txt\r\n"), std::string::npos) << list.report;
  // The names as listed choose exactly their entries; extraction refuses them clearly.
  Scratch s;
  std::wstring dest = s.MakeFolder(L"out");
  Outcome x = Extract(archive, dest);
  EXPECT_EQ(x.code, standin::kErrUnsafeName);
  EXPECT_NE(x.report.find("Refused (control character in the name): a?b.txt\r\n"), std::string::npos) << x.report;
  EXPECT_EQ(FilesUnder(dest), std::vector<std::wstring>{L"ok.txt"});
  std::wstring copy = CopyHostile(s, "ctrl.zip");
  std::string report;
  ASSERT_EQ(Delete(copy, {"a?b.txt"}, s, &report), 0) << report;
  EXPECT_EQ(Names(L"UNZIP32.DLL", "UnZip", ToAnsi(copy)), (std::set<std::string>{"x??Type = 7z??.txt", "ok.txt"}));
}

TEST(StandinHostile, TheNameListedIsTheNameExtractedAndDeleted) {
  std::string archive = HostileAnsi("twonames.zip");
  EXPECT_EQ(Names(L"UNZIP32.DLL", "UnZip", archive), (std::set<std::string>{"shown.txt", "other.txt"}));
  Scratch s;
  std::wstring dest = s.MakeFolder(L"out");
  Outcome x = Extract(archive, dest, {"shown.txt"}, &s);
  EXPECT_EQ(x.code, 0) << x.report;
  EXPECT_EQ(FilesUnder(dest), std::vector<std::wstring>{L"shown.txt"});
  EXPECT_EQ(ReadBytes(dest + L"shown.txt"), "listed name\n");
  // The local header's name is no name of the entry.
  std::wstring dest2 = s.MakeFolder(L"out2");
  x = Extract(archive, dest2, {"local.txt"}, &s);
  EXPECT_EQ(x.code, standin::kErrNotFound) << x.report;
  EXPECT_TRUE(FilesUnder(dest2).empty());
  // Deleting it by its listed name works; keeping it through a rewrite would
  // have to give up one of its two names, so that is refused.
  std::wstring copy = CopyHostile(s, "twonames.zip");
  std::string report;
  ASSERT_EQ(Delete(copy, {"shown.txt"}, s, &report), 0) << report;
  EXPECT_EQ(Names(L"UNZIP32.DLL", "UnZip", ToAnsi(copy)), std::set<std::string>{"other.txt"});
  std::wstring keep = CopyHostile(s, "twonames.zip");
  EXPECT_EQ(Delete(keep, {"other.txt"}, s, &report), standin::kErrNotSupported) << report;
  EXPECT_EQ(ReadBytes(keep), ReadBytes(HostileDir() + L"\\twonames.zip"));
}

// ---- names Windows would take for something else ----

TEST(StandinHostile, DeviceNamesStreamsFinalDotsAndLongNamesAreRefusedOneByOne) {
  Scratch s;
  std::wstring dest = s.MakeFolder(L"out");
  Outcome x = Extract(HostileAnsi("winnames.zip"), dest);
  EXPECT_EQ(x.code, standin::kErrUnsafeName) << x.report;
  const std::string lines[] = {
      "Refused (device name): CON\r\n",
      "Refused (device name): sub/nul.txt\r\n",
      "Refused (device name): COM1.log\r\n",
      "Refused (name ends with a dot or blank): dot.\r\n",
      "Refused (name ends with a dot or blank): blank \r\n",
      "Refused (stream name): ab:c\r\n",
      "Refused (name too long): " + std::string(256, 'x') + "\r\n",
      "Refused (path too long): " + std::string(200, 'y') + "/" + std::string(100, 'z') + "\r\n",
      "Extracted: ok.txt\r\n",
  };
  for (const std::string& line : lines) EXPECT_NE(x.report.find(line), std::string::npos) << line << x.report;
  EXPECT_EQ(FilesUnder(dest), std::vector<std::wstring>{L"ok.txt"});
}

// ---- deletion keeps everything else or refuses ----

TEST(StandinHostile, DeletionRefusesWhatItCannotKeep) {
  struct Case {
    const char* archive;
    const char* name;
    const char* why;
  } cases[] = {
      {"comment.zip", "a.txt", "the archive comment"},
      {"hidden.zip", "a.txt", "its hidden or system attribute"},
      {"mixed.zip", "other.txt", "encrypted and plain entries side by side"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.archive);
    Scratch s;
    std::wstring archive = CopyHostile(s, c.archive);
    std::string report;
    EXPECT_EQ(Delete(archive, {c.name}, s, &report, "secret"), standin::kErrNotSupported) << report;
    EXPECT_EQ(report, std::string("Refused: this archiver cannot keep ") + c.why + "\r\n");
    EXPECT_EQ(ReadBytes(archive), ReadBytes(HostileDir() + L"\\" + FromAnsi(c.archive)));
  }
  // A self-extractor's program in front of the zip.
  Scratch s;
  std::wstring sfx = s.Sub(L"sfxzip.exe");
  ASSERT_TRUE(CopyFileW((FixtureDir() + L"\\sfxzip.exe").c_str(), sfx.c_str(), FALSE));
  std::string report;
  EXPECT_EQ(Delete(sfx, {"hello.txt"}, s, &report, nullptr, true), standin::kErrNotSupported) << report;
  EXPECT_EQ(ReadBytes(sfx), ReadBytes(FixtureDir() + L"\\sfxzip.exe"));
}

TEST(StandinHostile, PlainEntriesStayPlainAndStoredStaysStored) {
  Scratch s;
  std::wstring archive = CopyHostile(s, "mixed.zip");
  std::string report;
  ASSERT_EQ(Delete(archive, {"enc.txt"}, s, &report, "secret"), 0) << report;
  // What is left reads without a password.
  std::wstring dest = s.MakeFolder(L"out");
  Outcome x = RunCommand(L"UNZIP32.DLL", "UnZip", "-x " + Quoted(ToAnsi(archive)) + " " + Quoted(ToAnsi(dest)));
  EXPECT_EQ(x.code, 0) << x.report;
  EXPECT_EQ(FilesUnder(dest), (std::vector<std::wstring>{L"other.txt", L"plain.txt"}));

  std::wstring stored = CopyHostile(s, "stored.zip");
  ASSERT_EQ(Delete(stored, {"other.txt"}, s, &report), 0) << report;
  std::vector<Listed> left = Enumerate(L"UNZIP32.DLL", "UnZip", ToAnsi(stored));
  ASSERT_EQ(left.size(), 1u);
  EXPECT_STREQ(left[0].record.method, "Store");
}
