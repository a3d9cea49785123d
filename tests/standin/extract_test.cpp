// Extraction through each family's command function with the command lines
// the program builds: with and without stored folders, response-file
// selections, overwrite switches and time stamps.
#include <gtest/gtest.h>

#include "standin_support.h"

using namespace standin_test;

namespace {

enum class Form { Lha, Seven, Positional, Arj, Bga };

struct FamilyCase {
  const wchar_t* dll;
  const char* function;
  const char* archive;
  Form form;
  const char* withPath;
  const char* noPath;
};

// The families with the program's default Normal2 / Normal1 command texts.
const FamilyCase kFamilies[] = {
    {L"UNLHA32.DLL", "Unlha", "basic.lzh", Form::Lha, "x -+ -n0 -u1 -d1 -x1 -jse1 -jso1 -a2",
     "e -+ -n0 -u1 -jse1 -jso1 -a2"},
    {L"UNZIP32.DLL", "UnZip", "basic.zip", Form::Lha, "-x -qr0", "-x -j -qr0"},
    {L"LMZIP32.dll", "Unzip", "basic.zip", Form::Lha, "-j", ""},
    {L"7-zip32.dll", "SevenZip", "basic.7z", Form::Seven, "x -aos -r-", "e -aos -r-"},
    {L"7-zip32.dll", "SevenZip", "basic.zip", Form::Seven, "x -aos -r-", "e -aos -r-"},
    {L"cab32.dll", "Cab", "basic.cab", Form::Lha, "-x -n", "-x -n -j"},
    {L"tar32.dll", "Tar", "basic.tar.gz", Form::Positional, "-x -v --display-dialog=1 -f",
     "-x -v --display-dialog=1 -f --use-directory=0"},
    {L"UnIso32.dll", "UnIso", "basic.iso", Form::Positional, "x -aos -r", "e -aos -r"},
    {L"UnGca32.dll", "UnGCA", "basic.zip", Form::Positional, "e -xx1", "e -xx0"},
    {L"Bga32.dll", "Bga", "basic.7z", Form::Bga, "x -a", "x -a -j"},
    {L"UNARJ32J.DLL", "Unarj", "basic.tar.gz", Form::Arj, "x -jyc -hk", "e -jyc -hk"},
    {L"Yz1.dll", "Yz1", "basic.zip", Form::Positional, "x -x1", "x -x0"},
};

// The command line exactly as the program joins it for each family.
std::string CommandLine(Form form, const std::string& prefix, const std::string& archive, const std::string& dest,
                        const std::string& list) {
  switch (form) {
    case Form::Lha: return prefix + " " + Quoted(archive) + " " + Quoted(dest) + "  " + Quoted("@" + list);
    case Form::Seven: return prefix + " " + Quoted(archive) + " -o" + Quoted(dest) + " " + Quoted("@" + list);
    case Form::Positional: return prefix + " " + Quoted(archive) + " " + Quoted(dest) + " " + Quoted("@" + list);
    case Form::Arj: return prefix + " " + Quoted(archive) + " " + Quoted(dest) + " " + Quoted("!" + list);
    case Form::Bga: return prefix + " " + Quoted(archive) + " " + Quoted("@" + list);
  }
  return {};
}

Outcome Extract(const FamilyCase& f, const std::string& prefix, const std::string& dest, const std::string& list) {
  std::string line = CommandLine(f.form, prefix, FixtureAnsi(f.archive), dest, list);
  if (f.form != Form::Bga) return RunCommand(f.dll, f.function, line);
  // BGA extracts into the current folder, which the program sets around the call.
  wchar_t saved[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, saved);
  SetCurrentDirectoryW(FromAnsi(dest).c_str());
  Outcome o = RunCommand(f.dll, f.function, line);
  SetCurrentDirectoryW(saved);
  return o;
}

bool HasDeepFiles(const FamilyCase& f) {
  std::string a = f.archive;
  return a != "basic.lzh" && a != "basic.cab";
}

}  // namespace

TEST(StandinExtract, WithStoredFoldersSelectedFolderAndFile) {
  for (const FamilyCase& f : kFamilies) {
    SCOPED_TRACE(std::string(f.function) + " " + f.archive);
    Scratch s;
    std::wstring dest = s.MakeFolder(L"out");
    std::string list = s.ListFile({"docs", "hello.txt"});
    Outcome o = Extract(f, f.withPath, ToAnsi(dest), list);
    EXPECT_EQ(o.code, 0) << o.report;
    std::vector<std::wstring> expected = {L"docs\\readme.txt", L"hello.txt"};
    if (HasDeepFiles(f)) expected = {L"docs\\deep\\note.txt", L"docs\\readme.txt", L"hello.txt"};
    EXPECT_EQ(FilesUnder(dest), expected) << "bin.dat was not named and must stay out";
    for (const std::wstring& rel : expected) EXPECT_EQ(ReadBytes(dest + rel), ReadBytes(Original(rel))) << ToAnsi(rel);
    EXPECT_EQ(FileMTime(dest + L"hello.txt"), kFixtureTime);
  }
}

TEST(StandinExtract, WithoutStoredFoldersEverythingLandsInTheDestination) {
  for (const FamilyCase& f : kFamilies) {
    SCOPED_TRACE(std::string(f.function) + " " + f.archive);
    Scratch s;
    std::wstring dest = s.MakeFolder(L"out");
    std::string list = s.ListFile({"docs/readme.txt", "docs/deep/note.txt", "bin.dat"});
    if (!HasDeepFiles(f)) list = s.ListFile({"docs/readme.txt"});
    Outcome o = Extract(f, f.noPath, ToAnsi(dest), list);
    EXPECT_EQ(o.code, 0) << o.report;
    std::vector<std::wstring> expected = {L"bin.dat", L"note.txt", L"readme.txt"};
    if (!HasDeepFiles(f)) expected = {L"readme.txt"};
    EXPECT_EQ(FilesUnder(dest), expected);
    EXPECT_EQ(ReadBytes(dest + L"readme.txt"), ReadBytes(Original(L"docs\\readme.txt")));
    if (HasDeepFiles(f)) {
      EXPECT_EQ(ReadBytes(dest + L"bin.dat"), ReadBytes(Original(L"bin.dat")));
    }
  }
}

TEST(StandinExtract, TemporaryExtractionCreatesTheMissingDestination) {
  Scratch s;
  std::wstring dest = s.Sub(L"TmpArchive\\123456\\");  // neither folder exists yet
  std::string list = s.ListFile({"docs/deep/note.txt"});
  Outcome o = RunCommand(L"7-zip32.dll", "SevenZip",
                         "x -aos -r -hide " + Quoted(FixtureAnsi("basic.7z")) + " -o" + Quoted(ToAnsi(dest)) + " " +
                             Quoted("@" + list));
  EXPECT_EQ(o.code, 0) << o.report;
  EXPECT_EQ(ReadBytes(dest + L"docs\\deep\\note.txt"), ReadBytes(Original(L"docs\\deep\\note.txt")));
}

TEST(StandinExtract, NoListArgumentExtractsAllAndSingleGzUsesTheArchiveName) {
  Scratch s;
  std::wstring dest = s.MakeFolder(L"out");
  Outcome o = RunCommand(L"UNZIP32.DLL", "UnZip", "-x -qr0 " + Quoted(FixtureAnsi("basic.zip")) + " " + Quoted(ToAnsi(dest)));
  EXPECT_EQ(o.code, 0) << o.report;
  EXPECT_EQ(FilesUnder(dest), (std::vector<std::wstring>{L"bin.dat", L"docs\\deep\\note.txt", L"docs\\readme.txt",
                                                        L"hello.txt"}));
  Scratch s2;
  std::wstring dest2 = s2.MakeFolder(L"gz");
  o = RunCommand(L"tar32.dll", "Tar",
                 "-x -v --display-dialog=0 -f " + Quoted(FixtureAnsi("single.txt.gz")) + " " + Quoted(ToAnsi(dest2)));
  EXPECT_EQ(o.code, 0) << o.report;
  EXPECT_EQ(ReadBytes(dest2 + L"single.txt"), ReadBytes(Original(L"hello.txt")));
}

TEST(StandinExtract, ResponseFileSelectsOneEntryWhateverItsSeparatorsAndCase) {
  const char* spellings[] = {"docs/readme.txt", "docs\\readme.txt", "DOCS/README.TXT"};
  for (const char* name : spellings) {
    Scratch s;
    std::wstring dest = s.MakeFolder(L"out");
    // Unquoted lines and LF endings are accepted too.
    std::string text(name);
    text.append(2, '\n');
    WriteBytes(s.Sub(L"list.txt"), text);
    std::string listPath = ToAnsi(s.Sub(L"list.txt"));
    Outcome o = RunCommand(L"UNZIP32.DLL", "UnZip",
                           "-x -qr0 " + Quoted(FixtureAnsi("basic.zip")) + " " + Quoted(ToAnsi(dest)) + "  " +
                               Quoted("@" + listPath));
    EXPECT_EQ(o.code, 0) << name << o.report;
    EXPECT_EQ(FilesUnder(dest), std::vector<std::wstring>{L"docs\\readme.txt"}) << name;
  }
}

TEST(StandinExtract, NamesThatMatchNothingFail) {
  Scratch s;
  std::wstring dest = s.MakeFolder(L"out");
  std::string list = s.ListFile({"hello.txt", "missing.txt"});
  Outcome o = RunCommand(L"7-zip32.dll", "SevenZip",
                         "x -aos -r- " + Quoted(FixtureAnsi("basic.7z")) + " -o" + Quoted(ToAnsi(dest)) + " " +
                             Quoted("@" + list));
  EXPECT_EQ(o.code, 0x8031);
  EXPECT_NE(o.report.find("missing.txt"), std::string::npos);
  std::string unreadable = "@" + ToAnsi(s.Sub(L"no-such-list.txt"));
  o = RunCommand(L"7-zip32.dll", "SevenZip",
                 "x " + Quoted(FixtureAnsi("basic.7z")) + " -o" + Quoted(ToAnsi(dest)) + " " + Quoted(unreadable));
  EXPECT_EQ(o.code, 0x802A);
}

TEST(StandinExtract, OverwriteSwitchesDecideAboutExistingFiles) {
  struct Case {
    const wchar_t* dll;
    const char* function;
    std::string line;  // %A archive, %D destination
    bool replaced;
  } cases[] = {
      {L"7-zip32.dll", "SevenZip", "x -aos -r- %A -o%D", false},
      {L"7-zip32.dll", "SevenZip", "x -aoa -r- %A -o%D", true},
      {L"UNZIP32.DLL", "UnZip", "-x -n -qr0 %A %D", false},
      {L"UNZIP32.DLL", "UnZip", "-x -qr0 %A %D", true},
      {L"UnIso32.dll", "UnIso", "x -aos -r %A %D", false},
  };
  for (const Case& c : cases) {
    Scratch s;
    std::wstring dest = s.MakeFolder(L"out");
    WriteBytes(dest + L"hello.txt", "old");
    std::string line = c.line;
    line.replace(line.find("%A"), 2, Quoted(FixtureAnsi(std::wstring(c.dll) == L"UnIso32.dll" ? "basic.iso" : "basic.zip")));
    line.replace(line.find("%D"), 2, Quoted(ToAnsi(dest)));
    Outcome o = RunCommand(c.dll, c.function, line);
    EXPECT_EQ(o.code, 0) << c.line << o.report;
    EXPECT_EQ(ReadBytes(dest + L"hello.txt"), c.replaced ? ReadBytes(Original(L"hello.txt")) : "old") << c.line;
    EXPECT_EQ(ReadBytes(dest + L"docs\\readme.txt"), ReadBytes(Original(L"docs\\readme.txt"))) << c.line;
  }
}

TEST(StandinExtract, ShiftJisNamesBecomeFilesInTheSystemCodePage) {
  // Stored bytes name the file as the system code page reads them: Japanese
  // under 932, something else elsewhere, but always the same bytes.
  Scratch s;
  std::wstring dest = s.MakeFolder(L"out");
  std::string name = ToCodePage(L"日本語/表示.txt", 932);
  std::string list = s.ListFile({name, ToCodePage(L"ソフト.txt", 932)});
  Outcome o = RunCommand(L"UNZIP32.DLL", "UnZip",
                         "-x -qr0 " + Quoted(FixtureAnsi("cp932.zip")) + " " + Quoted(ToAnsi(dest)) + "  " + Quoted("@" + list));
  EXPECT_EQ(o.code, 0) << o.report;
  std::wstring expected = FromAnsi(name);
  for (auto& c : expected)
    if (c == L'/') c = L'\\';
  EXPECT_EQ(ReadBytes(dest + expected), "hyouji\r\n");
  if (JapaneseCodePage()) {
    EXPECT_EQ(ReadBytes(dest + L"日本語\\表示.txt"), "hyouji\r\n");
    EXPECT_EQ(ReadBytes(dest + L"ソフト.txt"), "soft\r\n");
  }
}

TEST(StandinExtract, Utf8NamesBecomeUnicodeFiles) {
  Scratch s;
  std::wstring dest = s.MakeFolder(L"out");
  std::string list = s.ListFile({Utf8(L"ユニコード/café.txt")});
  Outcome o = RunCommand(L"7-zip32.dll", "SevenZip",
                         "x -aos -r- " + Quoted(FixtureAnsi("utf8.zip")) + " -o" + Quoted(ToAnsi(dest)) + " " + Quoted("@" + list));
  EXPECT_EQ(o.code, 0) << o.report;
  EXPECT_EQ(ReadBytes(dest + L"ユニコード\\café.txt"), "utf-8 named\n");
}

TEST(StandinExtract, JolietNamesAreExtractedInUnicode) {
  Scratch s;
  std::wstring dest = s.MakeFolder(L"out");
  Outcome o = RunCommand(L"UnIso32.dll", "UnIso", "x -aos -r " + Quoted(FixtureAnsi("basic.iso")) + " " + Quoted(ToAnsi(dest)));
  EXPECT_EQ(o.code, 0) << o.report;
  EXPECT_EQ(ReadBytes(dest + L"日本語の名前.txt"), "Joliet name\n");
  EXPECT_EQ(ReadBytes(dest + L"bin.dat"), ReadBytes(Original(L"bin.dat")));
}

TEST(StandinExtract, DestinationsBeyondMaxPathWork) {
  Scratch s;
  std::wstring dest = s.path();
  while (dest.size() < 300) dest += L"long-folder-name\\";
  std::string list = s.ListFile({"docs/deep/note.txt"});
  Outcome o = RunCommand(L"7-zip32.dll", "SevenZip",
                         "x -aos -r- " + Quoted(FixtureAnsi("basic.zip")) + " -o" + Quoted(ToAnsi(dest)) + " " + Quoted("@" + list));
  EXPECT_EQ(o.code, 0) << o.report;
  EXPECT_EQ(ReadBytes(L"\\\\?\\" + dest + L"docs\\deep\\note.txt"), ReadBytes(Original(L"docs\\deep\\note.txt")));
}
