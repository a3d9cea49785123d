#pragma once
// The text viewer's rules that need no window: the word at the caret, the
// line-number pane's text, the caret and line-count status texts, the target
// line of a scroll step or a go-to-line, and the search history.
#include <string>
#include <string_view>
#include <vector>

namespace quib {

// The word around a caret column of a line: the characters left of the caret
// back to the last delimiter, and right of it up to the first delimiter (each
// part at most 9998 characters). On a delimiter the right part is empty.
struct WordSpan {
    int left = 0;   // characters before the caret
    int right = 0;  // characters from the caret
};
WordSpan WordAtCaret(std::wstring_view line, int caretColumn);
bool IsWordDelimiter(wchar_t c);

// The pane's text: the numbers 1 to lineCount + 1, one per line ending in
// CR LF, six digits zero-filled when lineZero is not 0, else right-aligned in
// six columns.
std::wstring LineNumbersText(int lineCount, int lineZero);

// Panel 1 (line and column, both from 1) and panel 2 (the line count).
std::wstring CaretStatusText(int line, int column, bool japanese);
std::wstring LineCountText(int lineCount, bool japanese);

// A step up or down from the current line, kept within the text's lines.
int StepTarget(int current, int step, int lineCount);
// The 0-based line of a go-to-line number (1-based), kept within the lines.
int JumpTarget(int jump, int lineCount);

// A search word put at the top of a history: an equal entry (exact, case
// sensitive) is removed first and the list is cut to 32 entries.
void AddToHistory(std::vector<std::wstring>& history, const std::wstring& word);
constexpr size_t kHistoryMax = 32;

// The not-found message's search word: every "&" doubled.
std::wstring DoubleAmpersands(std::wstring_view text);

}  // namespace quib

namespace quib {

// The number-only edit's key filter: whether a typed character is passed on.
// Backspace and digits always; "-" only at position 0 for the signed kinds;
// "." only when the text has none for the decimal-fraction kinds. Every other
// character, control characters included, is dropped.
enum DecEditType : int { DecimalUnSigned = 0, DecimalSigned = 1, DoubleUnSigned = 2, DoubleSigned = 3 };
bool DecEditAccepts(int numericType, wchar_t ch, int caret, std::wstring_view text);

}  // namespace quib
