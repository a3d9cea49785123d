// The record layout is fixed by the callers; both the DLL's definition and
// the caller's view in the tests are checked at compile time (the i686 build
// compiles this too, so 32-bit packing is covered).
#include <gtest/gtest.h>

#include "entry_record.h"
#include "standin_support.h"

using standin::EntryRecord;
using standin_test::ArcRecord;

static_assert(sizeof(EntryRecord) == sizeof(ArcRecord));
static_assert(offsetof(EntryRecord, originalSize) == offsetof(ArcRecord, originalSize));
static_assert(offsetof(EntryRecord, compressedSize) == offsetof(ArcRecord, compressedSize));
static_assert(offsetof(EntryRecord, crc) == offsetof(ArcRecord, crc));
static_assert(offsetof(EntryRecord, flag) == offsetof(ArcRecord, flag));
static_assert(offsetof(EntryRecord, osType) == offsetof(ArcRecord, osType));
static_assert(offsetof(EntryRecord, ratio) == offsetof(ArcRecord, ratio));
static_assert(offsetof(EntryRecord, dosDate) == offsetof(ArcRecord, dosDate));
static_assert(offsetof(EntryRecord, dosTime) == offsetof(ArcRecord, dosTime));
static_assert(offsetof(EntryRecord, name) == offsetof(ArcRecord, name));
static_assert(offsetof(EntryRecord, dummy) == offsetof(ArcRecord, dummy));
static_assert(offsetof(EntryRecord, attribute) == offsetof(ArcRecord, attribute));
static_assert(offsetof(EntryRecord, method) == offsetof(ArcRecord, method));

TEST(StandinRecord, FieldsSitWhereCallersReadThem) {
  // A record filled by the DLL, read back through the caller's offsets.
  auto list = standin_test::Enumerate(L"UNZIP32.DLL", "UnZip", standin_test::FixtureAnsi("basic.zip"));
  const auto* readme = standin_test::FindListed(list, "docs/readme.txt");
  ASSERT_NE(readme, nullptr);
  const auto* raw = reinterpret_cast<const unsigned char*>(&readme->record);
  EXPECT_EQ(raw[0] | (raw[1] << 8) | (raw[2] << 16) | (raw[3] << 24), 600);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(raw + 26)), "docs/readme.txt");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(raw + 550)), "Deflate");
}
