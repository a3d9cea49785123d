#pragma once
// The two entry records the program exchanges with outside DLLs. Both are
// fixed binary layouts (packed, little-endian) that the 32-bit program and
// every archiver DLL and Susie plug-in agree on; the asserts hold on i686 and
// x86_64 alike.
#include <cstddef>
#include <cstdint>

namespace quib {

#pragma pack(push, 1)

// Entry record of the archiver DLLs, filled by FindFirst and FindNext.
struct TArchiveEntryInfo {
    std::uint32_t OriginalSize;    // uncompressed size
    std::uint32_t CompressedSize;  // packed size
    std::uint32_t Unused1[3];      // not read by the program
    std::uint16_t Unused2;         // not read by the program
    std::uint16_t DosDate;         // bits 15-9 year - 1980, 8-5 month, 4-0 day
    std::uint16_t DosTime;         // bits 15-11 hours, 10-5 minutes, 4-0 seconds / 2
    char FileName[513];            // NUL-terminated, ANSI code page or UTF-8
    char Padding[3];
    char Attribute[8];             // NUL-terminated unless all 8 bytes are used
    char Method[8];                // likewise
};

// Entry record of a Susie archive plug-in; GetArchiveInfo returns an array.
struct TSusieFileInfo {
    char Method[8];               // NUL-padded; records with an empty text are not entries
    std::int32_t Position;        // position in the archive, passed back to GetFile
    std::int32_t CompressedSize;
    std::int32_t FileSize;
    std::uint32_t Timestamp;      // seconds since 1970-01-01
    char Path[200];               // directory text, ANSI code page
    char FileName[200];           // ANSI code page
    std::uint32_t Unused;
};

#pragma pack(pop)

static_assert(sizeof(TArchiveEntryInfo) == 558);
static_assert(offsetof(TArchiveEntryInfo, OriginalSize) == 0);
static_assert(offsetof(TArchiveEntryInfo, CompressedSize) == 4);
static_assert(offsetof(TArchiveEntryInfo, Unused1) == 8);
static_assert(offsetof(TArchiveEntryInfo, Unused2) == 20);
static_assert(offsetof(TArchiveEntryInfo, DosDate) == 22);
static_assert(offsetof(TArchiveEntryInfo, DosTime) == 24);
static_assert(offsetof(TArchiveEntryInfo, FileName) == 26);
static_assert(offsetof(TArchiveEntryInfo, Padding) == 539);
static_assert(offsetof(TArchiveEntryInfo, Attribute) == 542);
static_assert(offsetof(TArchiveEntryInfo, Method) == 550);

static_assert(sizeof(TSusieFileInfo) == 428);
static_assert(offsetof(TSusieFileInfo, Method) == 0);
static_assert(offsetof(TSusieFileInfo, Position) == 8);
static_assert(offsetof(TSusieFileInfo, CompressedSize) == 12);
static_assert(offsetof(TSusieFileInfo, FileSize) == 16);
static_assert(offsetof(TSusieFileInfo, Timestamp) == 20);
static_assert(offsetof(TSusieFileInfo, Path) == 24);
static_assert(offsetof(TSusieFileInfo, FileName) == 224);
static_assert(offsetof(TSusieFileInfo, Unused) == 424);

}  // namespace quib
