#pragma once
// Decoding a text file's bytes by the viewers' encoding index, and the texts
// the text viewer shows for an encoding and a line end.
#include <windows.h>

#include <string>
#include <string_view>

namespace quib {

// The bytes as text by encoding index (Shift_JIS for 0 and unknown indices).
// 5, 7 and 9 read the byte-order mark, which chooses UTF-8, UTF-16LE or
// UTF-16BE and is not shown; without a mark the ANSI code page decodes.
// 6, 8 and 10 skip a leading mark of their own encoding.
std::wstring DecodeText(std::string_view bytes, int charCode);

// Seven-bit ISO-2022-JP (escape sequences for ASCII, JIS X 0201 Roman and
// katakana, JIS X 0208; SO/SI katakana) rewritten as Shift_JIS bytes, which
// code page 932 then decodes on every system: Wine's MultiByteToWideChar
// does not know code page 50220. JIS X 0212 characters, which Shift_JIS
// lacks, become "?".
std::string JisToShiftJis(std::string_view bytes);

// The text the viewer's control receives: every line (split at CR LF, CR or
// LF) followed by CR LF; empty for an empty text.
std::wstring TextForMemo(std::wstring_view decoded);

// Status texts of the encoding index (0 to 10) and the line-end index (0 to 3).
std::wstring CharCodeStatusText(int charCode, bool japanese);
std::wstring RetCodeStatusText(int retCode, bool japanese);

}  // namespace quib
