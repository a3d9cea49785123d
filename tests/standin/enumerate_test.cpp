// OpenArchive / FindFirst / FindNext over real archives of every kind.
#include <gtest/gtest.h>

#include <set>

#include "standin_support.h"

using namespace standin_test;

namespace {

struct Expected {
  std::string name;
  std::uint32_t size;
};

const std::vector<Expected> kBasicFiles = {
    {"hello.txt", 17}, {"bin.dat", 70000}, {"docs/readme.txt", 600}, {"docs/deep/note.txt", 25}};

std::string Unified(std::string s) {
  for (auto& c : s)
    if (c == '\\') c = '/';
  return s;
}

void CheckCommonFields(const Listed& item) {
  std::uint16_t date = 0, time = 0;
  ExpectedDos(kFixtureTime, date, time);
  EXPECT_EQ(item.record.dosDate, date) << item.name;
  EXPECT_EQ(item.record.dosTime, time) << item.name;
  size_t attr = strnlen(item.record.attribute, 8), method = strnlen(item.record.method, 8);
  EXPECT_LE(attr, 7u) << item.name;
  EXPECT_LE(method, 7u) << item.name;
  EXPECT_GT(attr, 0u) << item.name;
  EXPECT_GT(method, 0u) << item.name;
}

}  // namespace

TEST(StandinEnumerate, EveryKindListsNamesSizesFoldersAndLocalTimes) {
  struct Case {
    const wchar_t* dll;
    const char* prefix;
    const char* archive;
    std::vector<Expected> files;
    std::set<std::string> folders;  // names with their final "/"
  } cases[] = {
      {L"UNZIP32.DLL", "UnZip", "basic.zip", kBasicFiles, {"docs/", "docs/deep/"}},
      {L"LMZIP32.dll", "Unzip", "basic.zip", kBasicFiles, {"docs/", "docs/deep/"}},
      {L"7-zip32.dll", "SevenZip", "basic.zip", kBasicFiles, {"docs/", "docs/deep/"}},
      {L"7-zip32.dll", "SevenZip", "basic.7z", kBasicFiles, {"docs/", "docs/deep/"}},
      {L"tar32.dll", "Tar", "basic.tar.gz", kBasicFiles, {"docs/", "docs/deep/"}},
      {L"tar32.dll", "Tar", "single.txt.gz", {{"single.txt", 17}}, {}},
      {L"tar32.dll", "Tar", "basic.tgz", kBasicFiles, {"docs/", "docs/deep/"}},
      {L"tar32.dll", "Tar", "basic.tar.xz", kBasicFiles, {"docs/", "docs/deep/"}},
      {L"tar32.dll", "Tar", "basic.tar.bz2", kBasicFiles, {"docs/", "docs/deep/"}},
      {L"tar32.dll", "Tar", "basic.tar.zst", kBasicFiles, {"docs/", "docs/deep/"}},
      {L"7-zip32.dll", "SevenZip", "sfx7z.exe", kBasicFiles, {"docs/", "docs/deep/"}},
      {L"UNZIP32.DLL", "UnZip", "sfxzip.exe", {{"hello.txt", 17}}, {}},
      {L"UnIso32.dll", "UnIso", "basic.iso", kBasicFiles, {"docs/", "docs/deep/"}},
      {L"cab32.dll", "Cab", "basic.cab", {{"hello.txt", 17}, {"docs/readme.txt", 600}}, {}},
      {L"UNLHA32.DLL", "Unlha", "basic.lzh", {{"hello.txt", 17}, {"docs/readme.txt", 600}}, {"docs/"}},
      // Families whose own formats libarchive cannot read still read the common ones.
      {L"UnGca32.dll", "UnGCA", "basic.7z", kBasicFiles, {"docs/", "docs/deep/"}},
      {L"Bga32.dll", "Bga", "basic.zip", kBasicFiles, {"docs/", "docs/deep/"}},
      {L"UNARJ32J.DLL", "Unarj", "basic.tar.gz", kBasicFiles, {"docs/", "docs/deep/"}},
      {L"Yz1.dll", "Yz1", "basic.lzh", {{"hello.txt", 17}, {"docs/readme.txt", 600}}, {"docs/"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.archive + std::string(" via ") + c.prefix);
    bool ok = false;
    auto list = Enumerate(c.dll, c.prefix, FixtureAnsi(c.archive), &ok);
    ASSERT_TRUE(ok);
    std::set<std::string> files, folders;
    for (const Listed& item : list) {
      std::string name = Unified(item.name);
      CheckCommonFields(item);
      bool folder = !name.empty() && name.back() == '/';
      EXPECT_EQ(folder, item.record.attribute[4] == 'D') << name;
      if (folder) {
        folders.insert(name);
        EXPECT_EQ(item.record.originalSize, 0u) << name;
        continue;
      }
      files.insert(name);
      bool known = false;
      for (const Expected& e : c.files) {
        if (e.name != name) continue;
        known = true;
        EXPECT_EQ(item.record.originalSize, e.size) << name;
      }
      // The ISO and the LZH carry one Japanese-named file besides the common ones.
      if (!known) {
        EXPECT_TRUE(std::string(c.archive) == "basic.iso" || std::string(c.archive) == "basic.lzh") << name;
      }
    }
    for (const Expected& e : c.files) EXPECT_TRUE(files.count(e.name)) << "missing " << e.name;
    for (const std::string& f : c.folders) EXPECT_TRUE(folders.count(f)) << "missing folder " << f;
  }
}

TEST(StandinEnumerate, ZipRecordsCarryPackedSizeCrcAndMethod) {
  auto list = Enumerate(L"UNZIP32.DLL", "UnZip", FixtureAnsi("basic.zip"));
  const Listed* readme = FindListed(list, "docs/readme.txt");
  ASSERT_NE(readme, nullptr);
  EXPECT_EQ(std::string(readme->record.method), "Deflate");
  EXPECT_GT(readme->record.compressedSize, 0u);
  EXPECT_LT(readme->record.compressedSize, 600u);  // forty equal lines compress well
  EXPECT_EQ(readme->record.ratio, (readme->record.compressedSize * 1000 + 300) / 600);
  EXPECT_NE(readme->record.crc, 0u);
  const Listed* bin = FindListed(list, "bin.dat");
  ASSERT_NE(bin, nullptr);
  EXPECT_GE(bin->record.compressedSize, 69000u);  // random bytes do not shrink
  EXPECT_EQ(std::string(bin->record.attribute).size(), 5u);
}

TEST(StandinEnumerate, LegacyZipNamesAreTheStoredShiftJisBytes) {
  // Raw bytes whatever the system code page: the program decodes them itself.
  for (const auto& [dll, prefix] : {std::pair{L"UNZIP32.DLL", "UnZip"}, std::pair{L"7-zip32.dll", "SevenZip"}}) {
    auto list = Enumerate(dll, prefix, FixtureAnsi("cp932.zip"));
    std::set<std::string> names;
    for (const Listed& l : list) names.insert(l.name);
    std::set<std::string> expected = {ToCodePage(L"日本語/", 932), ToCodePage(L"日本語/表示.txt", 932),
                                      ToCodePage(L"ソフト.txt", 932)};
    EXPECT_EQ(names, expected) << prefix;
  }
}

TEST(StandinEnumerate, Utf8FlaggedZipNamesAreUtf8Bytes) {
  auto list = Enumerate(L"UNZIP32.DLL", "UnZip", FixtureAnsi("utf8.zip"));
  ASSERT_EQ(list.size(), 2u);
  EXPECT_NE(FindListed(list, Utf8(L"ユニコード/")), nullptr);
  EXPECT_NE(FindListed(list, Utf8(L"ユニコード/café.txt")), nullptr);
}

TEST(StandinEnumerate, UnicodeNamesOfIsoAndLzhFollowTheirConventions) {
  // Joliet names are Unicode: they reach the record in the system code page.
  auto iso = Enumerate(L"UnIso32.dll", "UnIso", FixtureAnsi("basic.iso"));
  EXPECT_NE(FindListed(iso, ToAnsi(L"日本語の名前.txt")), nullptr);
  // LZH names are Shift_JIS bytes as stored.
  auto lzh = Enumerate(L"UNLHA32.DLL", "Unlha", FixtureAnsi("basic.lzh"));
  const Listed* jp = FindListed(lzh, ToCodePage(L"日本語.txt", 932));
  ASSERT_NE(jp, nullptr);
  EXPECT_EQ(jp->record.originalSize, 9u);
  EXPECT_EQ(std::string(jp->record.method), "-lh0-");
}

TEST(StandinEnumerate, WildcardsSelectEntries) {
  struct Case {
    const char* wildcard;
    std::set<std::string> names;
  } cases[] = {
      {"*.txt", {"hello.txt", "docs/readme.txt", "docs/deep/note.txt"}},
      {"?ello.txt", {"hello.txt"}},
      {"docs\\deep\\*", {"docs/deep/note.txt"}},
      {"*.dat", {"bin.dat"}},
      {"nothing*", {}},
  };
  for (const auto& c : cases) {
    auto list = Enumerate(L"UNZIP32.DLL", "UnZip", FixtureAnsi("basic.zip"), nullptr, c.wildcard);
    std::set<std::string> names;
    for (const Listed& l : list) names.insert(l.name);
    EXPECT_EQ(names, c.names) << c.wildcard;
  }
}

TEST(StandinEnumerate, TwoHandlesDoNotShareState) {
  auto open = reinterpret_cast<OpenFn>(Entry(L"7-zip32.dll", "SevenZipOpenArchive"));
  auto first = reinterpret_cast<FindFirstFn>(Entry(L"7-zip32.dll", "SevenZipFindFirst"));
  auto next = reinterpret_cast<FindNextFn>(Entry(L"7-zip32.dll", "SevenZipFindNext"));
  auto close = reinterpret_cast<CloseFn>(Entry(L"7-zip32.dll", "SevenZipCloseArchive"));
  HANDLE a = open(nullptr, FixtureAnsi("basic.zip").c_str(), 0x00400100);
  HANDLE b = open(nullptr, FixtureAnsi("utf8.zip").c_str(), 0x00400100);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  ArcRecord ra{}, rb{};
  ASSERT_EQ(first(a, "*.*", &ra), 0);
  ASSERT_EQ(first(b, "*.*", &rb), 0);
  int countA = 1, countB = 1;
  // Interleaved walks: each handle keeps its own place.
  for (;;) {
    int x = next(a, &ra), y = next(b, &rb);
    if (x == 0) ++countA;
    if (y == 0) ++countB;
    if (x != 0 && y != 0) break;
  }
  EXPECT_EQ(countA, 6);
  EXPECT_EQ(countB, 2);
  EXPECT_EQ(close(a), 0);
  EXPECT_NE(next(a, &ra), 0) << "a closed handle must be refused";
  EXPECT_NE(next(a, &ra), -1) << "refusal is an error, not the end of the list";
  EXPECT_EQ(close(b), 0);
}

TEST(StandinEnumerate, FilesOfOtherKindsAreRefused) {
  struct Case {
    const wchar_t* dll;
    const char* prefix;
    const char* archive;
  } cases[] = {
      {L"UNZIP32.DLL", "UnZip", "basic.7z"},   {L"UNLHA32.DLL", "Unlha", "basic.zip"},
      {L"cab32.dll", "Cab", "basic.zip"},      {L"UnIso32.dll", "UnIso", "basic.tar.gz"},
      {L"unrar32.dll", "Unrar", "basic.zip"},  {L"7-zip32.dll", "SevenZip", "plain.txt"},
      {L"tar32.dll", "Tar", "plain.txt"},      {L"UnGca32.dll", "UnGCA", "plain.txt"},
      {L"Bga32.dll", "Bga", "plain.txt"},      {L"UNARJ32J.DLL", "Unarj", "plain.txt"},
      {L"Yz1.dll", "Yz1", "plain.txt"},        {L"7-zip32.dll", "SevenZip", "no-such-file.7z"},
  };
  for (const auto& c : cases) {
    auto open = reinterpret_cast<OpenFn>(Entry(c.dll, (std::string(c.prefix) + "OpenArchive").c_str()));
    EXPECT_EQ(open(nullptr, FixtureAnsi(c.archive).c_str(), 0), nullptr) << c.prefix << " " << c.archive;
  }
}
