#pragma once
// Small routines shared by every window: size texts, field splitting, date,
// time and attribute texts, drive letters and the drive table, and the
// extension-list texts kept in the settings file.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quib {

// Size texts: the absolute value in decimal with "," between groups of three
// digits, "-" in front of a negative value, padded with spaces on the left to
// the routine's width. A value with too many digits gives "***", never padded.
// IntToCommaStr20: width 20, up to 15 digits either sign.
std::wstring IntToCommaStr20(std::int64_t value);
// IntToCommaStr11: width 11, up to 8 digits when positive, 7 when negative.
std::wstring IntToCommaStr11(std::int64_t value);
// IntToCommaStr: no padding, up to 15 digits either sign.
std::wstring IntToCommaStr(std::int64_t value);

// StringToCsvList lets the application process its pending messages once per
// call, so long loops that split many lines keep the window responsive. The
// application installs the pump; without one (tests, tools) nothing happens.
void SetPumpHook(std::function<void()> pump);

// Appends the fields of one line to the list:
//  1. a line with a tab is cut at every tab (a trailing tab gives a last empty field);
//  2. else a line starting with a double quote is a quoted list: "a","b","c";
//  3. else a line with a comma is cut at every comma;
//  4. else the whole line is one field.
// Quotes inside fields are not escaped; spaces around separators stay.
void StringToCsvList(const std::wstring& line, std::vector<std::wstring>& list);

// Cuts a stored path at every "/" and "\" and appends the pieces; the rest
// after the last separator is appended when not empty. A text without any
// separator appends nothing (callers then use the whole text).
void StringToCsvListByYenBySlash(const std::wstring& text, std::vector<std::wstring>& list);

// The extension of a path: from its last "." that follows the last "\", "/"
// or ":", with the dot; empty when there is none.
std::wstring ExtractFileExt(const std::wstring& path);

// True when the path names an existing folder.
bool FolderExists(const std::wstring& path);

// "yyyy/mm/dd" and "hh:mm:ss" of a UTC file time in local time; the
// separators are always "/" and ":". Empty when the time cannot be converted.
std::wstring FileTimeToDateStr(const FILETIME& utc);
std::wstring FileTimeToTimeStr(const FILETIME& utc);

// Four characters R, H, S, A for the read-only (0x01), hidden (0x02),
// system (0x04) and archive (0x20) bits, "-" for each bit that is clear.
std::wstring AttrToStr(DWORD attributes);

// A date-time value in the OLE Automation form that the date routines of
// Windows share (VariantTimeToSystemTime): whole days since 1899-12-30 plus
// the time of day as a fraction of a day; before that day the whole part is
// negative and the fraction still counts forward from midnight. A FILETIME
// of zero gives 0; toLocal converts from UTC to local time first. Returns 0
// when the time cannot be converted.
double FileTimeToDateTimeEx(const FILETIME& time, bool toLocal);
// The calendar fields of such a value (inverse, to the millisecond), for
// display and for tests.
bool DateTimeToSystemTime(double value, SYSTEMTIME& out);

// 0 for drive A to 25 for Z by the first character of the text (any case);
// -1 for an empty text or one not starting with a letter A to Z.
int DriveLetterToIndex(const std::wstring& path);

// Texts of the system drive type codes (GetDriveTypeW): 1 "No Root",
// 2 "Removable", 3 "HDD", 4 "Network", 5 "CD-ROM", 6 "RamDisk", else "Unknown".
std::wstring DriveTypeText(UINT driveType);
// The same for a root path such as "C:\".
std::wstring DriveTypeTextOfRoot(const std::wstring& root);

// Header line of the drive table.
extern const wchar_t* const kDriveTableHeader;

// Rebuilds the drive table: the header line, then one line per drive present:
// root, volume label, type text, "0x" + serial (8 hex digits), file system,
// total, free and used bytes (IntToCommaStr20). A drive whose volume cannot be
// read gives its root and seven empty fields. True when the first field of a
// line equals root without regard to case.
bool GetDriveList(const std::wstring& root, std::vector<std::wstring>& table);

// Extension-list texts such as ".txt;.log;.ini;". ExtStrToList empties the
// list and fills it with ".txt", ".log", ".ini"; both return 1 when the text
// is valid and 0 after showing a message followed by appendText. Extensions
// found before an error stay in the list.
int ExtStrToList(const std::wstring& text, std::vector<std::wstring>& list, const std::wstring& appendText,
                 HWND owner = nullptr);
int ExtStrCheck(const std::wstring& text, const std::wstring& appendText, HWND owner = nullptr);

}  // namespace quib
