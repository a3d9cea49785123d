// The calling protocol around the work: the report buffer, the list report
// the self-extracting probe reads, result codes and the call log.
#include <gtest/gtest.h>

#include <sstream>

#include "standin_support.h"

using namespace standin_test;

namespace {

std::vector<std::string> Split(const std::string& text, char sep) {
  std::vector<std::string> out;
  std::string cur;
  for (char c : text) {
    if (c == sep) {
      out.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  out.push_back(cur);
  return out;
}

bool HasSevenZipTypeLine(const std::string& report) {
  // The program's probe: a line that, upper-cased, begins with "TYPE" and holds "=" and "7Z".
  std::istringstream in(report);
  std::string line;
  while (std::getline(in, line)) {
    for (auto& c : line) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    if (line.rfind("TYPE", 0) == 0 && line.find('=') != std::string::npos && line.find("7Z") != std::string::npos)
      return true;
  }
  return false;
}

}  // namespace

TEST(StandinProtocol, SevenZipListReportNamesTheType) {
  Outcome o = RunCommand(L"7-zip32.dll", "SevenZip", "l " + Quoted(FixtureAnsi("basic.7z")), 32768);
  ASSERT_EQ(o.code, 0);
  EXPECT_NE(o.report.find("Type = 7z\r\n"), std::string::npos) << o.report;
  EXPECT_TRUE(HasSevenZipTypeLine(o.report));
  Outcome zip = RunCommand(L"7-zip32.dll", "SevenZip", "l " + Quoted(FixtureAnsi("basic.zip")), 32768);
  ASSERT_EQ(zip.code, 0);
  EXPECT_NE(zip.report.find("Type = zip"), std::string::npos);
  EXPECT_FALSE(HasSevenZipTypeLine(zip.report)) << "a zip must not pass for a 7z";
}

TEST(StandinProtocol, ListReportsHaveOneLinePerEntryWithSizeDateAndName) {
  struct Case {
    const wchar_t* dll;
    const char* function;
    const char* line;
    const char* archive;
  } cases[] = {
      {L"UNLHA32.DLL", "Unlha", "l -c1m0a1 -jf0 -p2", "basic.lzh"},
      {L"UNLHA32.DLL", "Unlha", "l -c1m0a1 -jf0 -p2  -gm1 ", "basic.lzh"},  // the probe's form
      {L"UNZIP32.DLL", "UnZip", "-v", "basic.zip"},
      {L"cab32.dll", "Cab", "-l -j", "basic.cab"},
      {L"tar32.dll", "Tar", "-t -v --display-dialog=0 --check-all-path=1 -f", "basic.tar.gz"},
      {L"UnIso32.dll", "UnIso", "l", "basic.iso"},
      {L"UNARJ32J.DLL", "Unarj", "vv", "basic.zip"},
  };
  std::uint16_t date = 0, time = 0;
  ExpectedDos(kFixtureTime, date, time);
  char stamp[32];
  snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u", 1980u + (date >> 9), (date >> 5) & 15u, date & 31u,
           time >> 11u, (time >> 5) & 63u, (time & 31u) * 2);
  for (const auto& c : cases) {
    Outcome o = RunCommand(c.dll, c.function, std::string(c.line) + " " + Quoted(FixtureAnsi(c.archive)));
    EXPECT_EQ(o.code, 0) << c.function << o.report;
    bool found = false;
    for (const std::string& line : Split(o.report, '\n')) {
      if (line.find("readme.txt") == std::string::npos) continue;
      found = true;
      EXPECT_NE(line.find(" 600 "), std::string::npos) << line;
      EXPECT_NE(line.find(stamp), std::string::npos) << line;
    }
    EXPECT_TRUE(found) << c.function << ": " << o.report;
  }
}

TEST(StandinProtocol, ReportIsCutToTheBufferAndAlwaysTerminated) {
  auto fn = reinterpret_cast<CommandFn>(Entry(L"7-zip32.dll", "SevenZip"));
  std::string cmd = "l " + Quoted(FixtureAnsi("basic.7z"));
  for (DWORD size : {1u, 2u, 10u, 100u}) {
    std::string buf(size + 64, '\xCC');  // guard bytes after the allowed size
    EXPECT_EQ(fn(nullptr, cmd.c_str(), buf.data(), size), 0);
    EXPECT_NE(std::string(buf.data(), size).find('\0'), std::string::npos) << size;
    EXPECT_EQ(buf.substr(size), std::string(64, '\xCC')) << "written past the size " << size;
  }
  std::string guard(16, '\xCC');
  EXPECT_EQ(fn(nullptr, cmd.c_str(), guard.data(), 0), 0);
  EXPECT_EQ(guard, std::string(16, '\xCC'));
  EXPECT_EQ(fn(nullptr, cmd.c_str(), nullptr, 0), 0);
  EXPECT_EQ(fn(nullptr, nullptr, nullptr, 0), 0x801C);
}

TEST(StandinProtocol, ResultCodesNameTheProblem) {
  struct Case {
    const wchar_t* dll;
    const char* function;
    std::string line;
    int code;
  } cases[] = {
      {L"7-zip32.dll", "SevenZip", "l " + Quoted(FixtureAnsi("plain.txt")), 0x8019},
      {L"UNZIP32.DLL", "UnZip", "-v " + Quoted(FixtureAnsi("basic.7z")), 0x8019},
      {L"UnGca32.dll", "UnGCA", "l " + Quoted(FixtureAnsi("plain.txt")), 0x8019},
      {L"Bga32.dll", "Bga", "v " + Quoted(FixtureAnsi("plain.txt")), 0x8019},
      {L"Yz1.dll", "Yz1", "t " + Quoted(FixtureAnsi("plain.txt")), 0x8019},
      {L"unrar32.dll", "Unrar", "-v " + Quoted(FixtureAnsi("basic.zip")), 0x8019},
      {L"7-zip32.dll", "SevenZip", "l " + Quoted(FixtureAnsi("missing.7z")), 0x8018},
      {L"7-zip32.dll", "SevenZip", "q " + Quoted(FixtureAnsi("basic.7z")), 0x801C},
      {L"7-zip32.dll", "SevenZip", "a " + Quoted(FixtureAnsi("basic.7z")) + " x.txt", 0x8023},
      {L"ZIP32J.DLL", "Zip", "-r " + Quoted(FixtureAnsi("basic.zip")) + " x.txt", 0x8023},
      {L"UNZIP32.DLL", "UnZip", Quoted(FixtureAnsi("basic.zip")), 0x801C},
  };
  for (const auto& c : cases) {
    Outcome o = RunCommand(c.dll, c.function, c.line);
    EXPECT_EQ(o.code, c.code) << c.function << " " << c.line << "\n" << o.report;
    EXPECT_FALSE(o.report.empty());
  }
}

TEST(StandinProtocol, VersionEntryPointsAnswer) {
  for (const auto& [dll, name] : {std::pair{L"UNLHA32.DLL", "UnlhaGetVersion"}, std::pair{L"7-zip32.dll", "SevenZipGetVersion"}}) {
    auto fn = reinterpret_cast<WORD(WINAPI*)()>(Entry(dll, name));
    ASSERT_NE(fn, nullptr);
    EXPECT_GT(fn(), 0);
  }
}

TEST(StandinProtocol, CallLogHoldsOneExactLinePerCall) {
  Scratch s;
  std::wstring logPath = s.Sub(L"calls.log");
  SetEnvironmentVariableW(L"QUIB_ARCHIVER_LOG", logPath.c_str());
  // A command line with a Japanese folder name where the code page has one.
  std::wstring folder = JapaneseCodePage() ? L"出力 先\\" : L"out put\\";
  std::string cmd = "x -aos -r -hide " + Quoted(FixtureAnsi("basic.7z")) + " -o" + Quoted(ToAnsi(s.path() + folder)) +
                    " \"-pa\tb\"";
  Outcome o = RunCommand(L"7-zip32.dll", "SevenZip", cmd, 4096, reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x1234)));
  EXPECT_EQ(o.code, 0) << o.report;
  auto open = reinterpret_cast<OpenFn>(Entry(L"UNLHA32.DLL", "UnlhaOpenArchive"));
  auto close = reinterpret_cast<CloseFn>(Entry(L"UNLHA32.DLL", "UnlhaCloseArchive"));
  HANDLE h = open(reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0xABC)), FixtureAnsi("basic.lzh").c_str(), 0);
  ASSERT_NE(h, nullptr);
  close(h);
  SetEnvironmentVariableW(L"QUIB_ARCHIVER_LOG", nullptr);
  RunCommand(L"7-zip32.dll", "SevenZip", "l " + Quoted(FixtureAnsi("basic.7z")));  // not logged any more

  std::vector<std::string> lines = Split(ReadBytes(logPath), '\n');
  ASSERT_EQ(lines.size(), 4u) << "three calls, each line ended by LF";
  EXPECT_EQ(lines[3], "");
  std::vector<std::string> f = Split(lines[0], '\t');
  ASSERT_EQ(f.size(), 6u) << lines[0];
  EXPECT_EQ(f[0], "SevenZip");
  EXPECT_EQ(f[1], "7-zip32.dll");
  EXPECT_EQ(f[2], "0x1234");
  // The command line verbatim in UTF-8; its tab shows as the control picture U+2409.
  std::string expected = Utf8(FromAnsi(cmd));
  expected.replace(expected.find('\t'), 1, "\xE2\x90\x89");
  EXPECT_EQ(f[3], expected);
  EXPECT_EQ(f[4], "4096");
  EXPECT_EQ(f[5], "0");
  f = Split(lines[1], '\t');
  ASSERT_EQ(f.size(), 6u);
  EXPECT_EQ(f[0], "UnlhaOpenArchive");
  EXPECT_EQ(f[1], "UNLHA32.DLL");
  EXPECT_EQ(f[2], "0xABC");
  EXPECT_EQ(f[3], Utf8(FromAnsi(FixtureAnsi("basic.lzh"))));
  EXPECT_EQ(f[4], "0x00000000");
  EXPECT_NE(f[5], "0x0");
  f = Split(lines[2], '\t');
  ASSERT_EQ(f.size(), 6u);
  EXPECT_EQ(f[0], "UnlhaCloseArchive");
  EXPECT_EQ(f[2], "-");
  EXPECT_EQ(f[5], "0");
}

TEST(StandinProtocol, SelfExtractingProbesFindTheEmbeddedKind) {
  // The program probes in the order lha, cab, 7z, zip with each family's list
  // command and takes the first success (7z only with its Type line).
  struct Case {
    const char* file;
    bool lha, cab, sevenZip, zip;
  } cases[] = {
      {"sfxzip.exe", false, false, false, true},
      {"sfx7z.exe", false, false, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    std::string path = Quoted(FixtureAnsi(c.file));
    EXPECT_EQ(RunCommand(L"UNLHA32.DLL", "Unlha", "l -c1m0a1 -jf0 -p2 -gm1  " + path, 32768).code == 0, c.lha);
    EXPECT_EQ(RunCommand(L"cab32.dll", "Cab", "-l -j " + path, 32768).code == 0, c.cab);
    Outcome seven = RunCommand(L"7-zip32.dll", "SevenZip", "l " + path, 32768);
    EXPECT_EQ(seven.code == 0 && HasSevenZipTypeLine(seven.report), c.sevenZip) << seven.report;
    EXPECT_EQ(RunCommand(L"UNZIP32.DLL", "UnZip", "-v " + path, 32768).code == 0, c.zip);
  }
}
