#pragma once
// The first image file directory (IFD0) of a picture's TIFF structure, every
// entry as one line of hexadecimal fields: tag, type, count, value field, an
// empty field and the entry's file offset, joined by tabs. No value is decoded
// and no pointer followed; the image viewer looks only for the orientation.
#include <cstdint>
#include <string>
#include <vector>

namespace quib {

// At most this many entries of IFD0 are returned.
constexpr size_t kExifMaxEntries = 50;

// Reads the file. False, lines untouched, when the file is missing or shorter
// than 14 bytes; otherwise lines are replaced, and the result is true when a
// TIFF structure was recognised and walked.
bool ReadExifTags(const std::wstring& fileName, std::vector<std::wstring>& lines);

// The same over bytes already in memory (lines always replaced unless the
// data is shorter than 14 bytes). Every offset comes from the data and every
// read is checked against its end: an entry that does not lie wholly inside
// it ends the walk.
bool ReadExifTagsFromBytes(const std::vector<std::uint8_t>& data, std::vector<std::wstring>& lines);

// The clockwise quarter turns the orientation tag asks for (0 to 3): 1 -> 0,
// 6 -> 1, 3 -> 2, 8 -> 3; the mirrored orientations and anything else 0.
// nullopt-like -1 when the lines hold no orientation tag.
int ExifOrientationRotation(const std::vector<std::wstring>& lines);

}  // namespace quib
