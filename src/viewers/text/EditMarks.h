#pragma once
// Where the text view's marks go: a tab, a line end (CR), the end of the text
// and the full-width space U+3000, each drawn at the client position the
// control reports for its character, moved by its offset.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quib {

struct TEditMark {
    bool Enabled = false;
    COLORREF Color = 0xFF0000;  // blue: red is the lowest byte
    std::wstring Mark;
};

// The four marks in their order, with their texts.
struct TEditMarks {
    TEditMark EofMark{false, 0xFF0000, L"←"};
    TEditMark CrlfMark{false, 0xFF0000, L"↓"};
    TEditMark TabMark{false, 0xFF0000, L"･"};
    TEditMark SpaceMark{false, 0xFF0000, L"□"};
    bool AnyEnabled() const { return EofMark.Enabled || CrlfMark.Enabled || TabMark.Enabled || SpaceMark.Enabled; }
};

enum class MarkKind { Tab, CrLf, Space, Eof };

struct MarkPlace {
    MarkKind kind;
    int x, y;
    friend bool operator==(const MarkPlace&, const MarkPlace&) = default;
};

// What the drawing needs to know of the control's font and offsets.
struct MarkMetrics {
    int tabMarkWidth = 0;  // width of the tab mark's text
    int widthM = 0;        // width of "M"
    int heightA = 0;       // height of "A"
    int shiftRet = 15, shiftEof = 12, shiftTab = 8, shiftDbcs = 13;
};

// The marks for the characters [first, last] of the text; position(i) gives
// the client point of character i (a negative coordinate: not drawn).
std::vector<MarkPlace> MarksToDraw(std::wstring_view text, size_t first, size_t last, const TEditMarks& marks,
                                   const MarkMetrics& metrics, const std::function<POINT(size_t)>& position);

// The lines whose characters are examined: from the first visible line f to
// f + one and a half screens (h = client height / height of "A"), at most the
// last line.
int MarkLastLine(int firstVisible, int clientHeight, int heightA, int lineCount);

}  // namespace quib
