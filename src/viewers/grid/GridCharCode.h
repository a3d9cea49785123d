#pragma once
// The grid viewer's encoding and line-end detector over a file's bytes. It
// favours Japanese text: byte-order marks, the byte patterns of UTF-16 line
// ends, and the byte pairs of common full-width characters in Shift_JIS,
// EUC-JP, seven-bit JIS and UTF-8.
#include <string>
#include <string_view>

namespace quib {

struct GridCharCodeResult {
    int charCode = 1;     // encoding index: 1, 2, 3 or 5-10
    int retCode = 0;      // line-end index: 0 CR LF, 1 CR, 2 LF, 3 none
    bool lfInLine = false;       // both CR and LF, not the same number of each
    bool unknownCharCode = false;  // judged binary
    // The scratch copy of a binary file (tab, LF, CR and bytes from space on),
    // written unless the encoding is UTF-16 (7-10); writeScratch says whether.
    std::string filtered;
    bool writeScratch = false;
};

GridCharCodeResult DetectGridCharCode(std::string_view bytes);

}  // namespace quib
