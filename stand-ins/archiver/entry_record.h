// The entry-information record that FindFirst/FindNext fill. Its layout is
// fixed by the callers (32- and 64-bit alike), so every offset is checked here.
#pragma once

#include <cstddef>
#include <cstdint>

namespace standin {

#pragma pack(push, 1)
struct EntryRecord {
  std::uint32_t originalSize;
  std::uint32_t compressedSize;
  std::uint32_t crc;
  std::uint32_t flag;
  std::uint32_t osType;
  std::uint16_t ratio;      // per mille, compressed / original
  std::uint16_t dosDate;    // local time, MS-DOS format
  std::uint16_t dosTime;
  char name[513];
  char dummy[3];
  char attribute[8];
  char method[8];
};
#pragma pack(pop)

static_assert(offsetof(EntryRecord, originalSize) == 0);
static_assert(offsetof(EntryRecord, compressedSize) == 4);
static_assert(offsetof(EntryRecord, crc) == 8);
static_assert(offsetof(EntryRecord, flag) == 12);
static_assert(offsetof(EntryRecord, osType) == 16);
static_assert(offsetof(EntryRecord, ratio) == 20);
static_assert(offsetof(EntryRecord, dosDate) == 22);
static_assert(offsetof(EntryRecord, dosTime) == 24);
static_assert(offsetof(EntryRecord, name) == 26);
static_assert(offsetof(EntryRecord, dummy) == 539);
static_assert(offsetof(EntryRecord, attribute) == 542);
static_assert(offsetof(EntryRecord, method) == 550);
static_assert(sizeof(EntryRecord) == 558);

}  // namespace standin
