// Result codes of the command and enumeration functions. The values are the
// ones archiver DLLs of this interface customarily return, so callers that
// print or compare them see familiar numbers.
#pragma once

namespace standin {

inline constexpr int kOk = 0;
inline constexpr int kNoMoreEntries = -1;             // FindFirst/FindNext: end of the list

inline constexpr int kErrPassword = 0x800A;           // missing or wrong password
inline constexpr int kErrDataBroken = 0x800C;         // CRC mismatch, truncated or undecodable data
inline constexpr int kErrMakeDirectory = 0x8012;      // a destination folder could not be created
inline constexpr int kErrCannotWrite = 0x8013;        // an output file could not be written or renamed
inline constexpr int kErrHeaderBroken = 0x8017;       // the archive's records contradict each other
inline constexpr int kErrArchiveOpen = 0x8018;        // the archive file cannot be opened
inline constexpr int kErrNotArchive = 0x8019;         // no format this DLL reads
inline constexpr int kErrCommand = 0x801C;            // unusable command line
inline constexpr int kErrMemory = 0x801E;            // out of memory (or a size beyond what can be held)
inline constexpr int kErrHandle = 0x8021;             // not a handle from OpenArchive
inline constexpr int kErrNotSupported = 0x8023;       // a command this DLL cannot carry out
inline constexpr int kErrTempFile = 0x8025;           // the temporary archive could not be made
inline constexpr int kErrLongName = 0x8026;          // a stored path beyond what Windows can create
inline constexpr int kErrSameName = 0x8028;          // a name that stands for several different entries
inline constexpr int kErrResponseFile = 0x802A;       // the @ / ! list file cannot be read
inline constexpr int kErrUnsafeName = 0x802B;         // stored path would leave the destination or is no plain file name
inline constexpr int kErrNotFound = 0x8031;           // a named entry is not in the archive
inline constexpr int kErrMakeArchive = 0x8040;        // rewriting the archive failed

}  // namespace standin
