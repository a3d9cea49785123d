#pragma once
// The program's own text files (key maps, language files, histories): UTF-16
// little-endian with a byte-order mark, CR LF line ends.
#include <windows.h>

#include <string>
#include <vector>

namespace quib {

// Reads a UTF-16LE file into lines (a leading byte-order mark is skipped, an odd
// last byte dropped; CR LF, CR or LF end a line). False when it cannot be read.
bool ReadUtf16Lines(const std::wstring& path, std::vector<std::wstring>& lines);
// Reads a text file as the system reads text by default: a byte-order mark
// chooses UTF-8, UTF-16LE or UTF-16BE; without one the ANSI code page. False
// when the file cannot be read.
bool ReadTextFileDefault(const std::wstring& path, std::wstring& text);
// Writes the lines with a byte-order mark, each ended by CR LF.
bool WriteUtf16Lines(const std::wstring& path, const std::vector<std::wstring>& lines);

}  // namespace quib
