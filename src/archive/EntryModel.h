#pragma once
// The entry model: one text line per archive entry with ten tab-separated
// fields (0 stored path, 1 extension, 2 size text or " <DIR>", 3 date, 4 time,
// 5 attribute text or Susie position, 6 method, 7 size in 20 characters,
// 8 packed size in 20 characters, 9 stored path again), ordered so that
// shallower entries come first, headed by the root line.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "archive/ArchiveRecords.h"

namespace quib {

struct DateTimeSeparators {
    std::wstring date = L"/";
    std::wstring time = L":";
};

// The user's date and time separators. The program keeps one character of
// each, as the runtime it was first written for did, so that the date is
// always ten characters and the time eight.
DateTimeSeparators LocaleDateTimeSeparators();

// "yyyy<d>mm<d>dd hh<t>mm<t>ss" of an MS-DOS date and time, taken field by
// field without any time-zone change. An invalid date or time (month 0, say)
// is shown with the numbers it holds rather than failing.
std::wstring FormatDosDateTime(std::uint16_t dosDate, std::uint16_t dosTime, const DateTimeSeparators& sep);

// Text of a fixed-size NUL-terminated field; a field without a NUL ends at its size.
std::string FixedFieldText(const char* field, size_t size);

struct ArchiveEntryLine {
    std::wstring line;      // the ten-field entry line
    std::wstring pathAnsi;  // stored path decoded in the ANSI code page (StrListPathFile)
};

// One entry line of a DLL record. The displayed path (fields 0 and 9) is
// decoded as UTF-8 when utf8Display is set, otherwise in the ANSI code page;
// the extension always comes from the ANSI decoding. A path ending with "/"
// or "\" is a folder: no extension and " <DIR>" as size. Field 3 is the
// first 10 characters of the date-time text and field 4 the 8 characters
// from the twelfth.
ArchiveEntryLine BuildArchiveEntryLine(const TArchiveEntryInfo& info, bool utf8Display, const DateTimeSeparators& sep);

// "<\>" in fields 0 and 9, " <DIR>" as size, "0" as both padded sizes.
std::wstring RootEntryLine();
// The same shape with "<..>", the parent folder of the filer form.
std::wstring ParentEntryLine();

// Depth of an entry line: the "\" and "/" characters of the whole line, the
// first character counted twice and the last not at all. With the date
// separator "/" a path with n separators gets 2n + 2.
int EntryLineLevel(const std::wstring& line);

constexpr int kLevelBuckets = 32;

// Orders lines by level, bucket 0 first, each bucket sorted without regard to
// case by the user locale's rules (CompareStringEx with NORM_IGNORECASE); a
// line equal under that comparison to one already in its bucket is dropped
// (the first one stays). Lines deeper than the last bucket go into the last
// bucket, so nothing is lost. Pass the lines with std::move where they are
// not needed afterwards: the strings are moved, not copied.
std::vector<std::wstring> OrderEntryLinesByLevel(std::vector<std::wstring> lines);

// "yyyy/mm/dd hh:mm:ss" of a Susie time stamp: nine hours added modulo 2^32,
// the days counted from 1970-01-01 modulo 65,536.
std::wstring ArchiveFileTimeToDateTime(std::uint32_t timestamp);

// True when the record is an entry (its method text is not empty).
bool SusieRecordIsEntry(const TSusieFileInfo& info);

struct SusieEntryLine {
    std::wstring line;
    std::wstring storedPath;  // directory text followed by the file name
};

// One entry line of a Susie record: sizes as the plug-in's signed values,
// "/" and ":" as separators, the position in field 5.
SusieEntryLine BuildSusieEntryLine(const TSusieFileInfo& info);

}  // namespace quib
