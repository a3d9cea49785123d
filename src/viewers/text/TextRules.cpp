#include "viewers/text/TextRules.h"

#include <algorithm>
#include <cstdio>

namespace quib {

bool IsWordDelimiter(wchar_t c) {
    static const std::wstring_view kDelimiters =
        L" ;:()[]{},.\t\u3000；：（）｛｝［］「」、。，．【】";
    return kDelimiters.find(c) != std::wstring_view::npos;
}

WordSpan WordAtCaret(std::wstring_view line, int caretColumn) {
    constexpr int kPartMax = 9998;
    caretColumn = std::clamp(caretColumn, 0, static_cast<int>(line.size()));
    WordSpan span;
    for (int i = caretColumn - 1; i >= 0 && span.left < kPartMax && !IsWordDelimiter(line[static_cast<size_t>(i)]); --i)
        ++span.left;
    for (int i = caretColumn; i < static_cast<int>(line.size()) && span.right < kPartMax &&
                              !IsWordDelimiter(line[static_cast<size_t>(i)]);
         ++i)
        ++span.right;
    return span;
}

std::wstring LineNumbersText(int lineCount, int lineZero) {
    std::wstring out;
    const int last = std::max(0, lineCount) + 1;
    out.reserve(static_cast<size_t>(last) * 8);
    wchar_t buffer[32];
    for (int n = 1; n <= last; ++n) {
        const int k = swprintf(buffer, 32, lineZero != 0 ? L"%.6d\r\n" : L"%6d\r\n", n);
        out.append(buffer, static_cast<size_t>(k));
    }
    return out;
}

std::wstring CaretStatusText(int line, int column, bool japanese) {
    if (japanese) return std::to_wstring(line) + L"行," + std::to_wstring(column) + L"桁";
    return L"Row:" + std::to_wstring(line) + L" Col:" + std::to_wstring(column);
}

std::wstring LineCountText(int lineCount, bool japanese) {
    return japanese ? std::to_wstring(lineCount) + L"行" : L"Row:" + std::to_wstring(lineCount);
}

int StepTarget(int current, int step, int lineCount) {
    const int target = current + step;
    if (step < 0) return std::max(0, target);
    return std::max(0, std::min(lineCount - 1, target));
}

int JumpTarget(int jump, int lineCount) { return std::max(0, std::min(lineCount - 1, jump - 1)); }

void AddToHistory(std::vector<std::wstring>& history, const std::wstring& word) {
    const auto same = std::find(history.begin(), history.end(), word);
    if (same != history.end()) history.erase(same);
    history.insert(history.begin(), word);
    if (history.size() > kHistoryMax) history.resize(kHistoryMax);
}

std::wstring DoubleAmpersands(std::wstring_view text) {
    std::wstring out;
    for (wchar_t c : text) {
        out += c;
        if (c == L'&') out += L'&';
    }
    return out;
}

}  // namespace quib

namespace quib {

bool DecEditAccepts(int numericType, wchar_t ch, int caret, std::wstring_view text) {
    if (ch == L'\b' || (ch >= L'0' && ch <= L'9')) return true;
    const bool signedKind = numericType == DecimalSigned || numericType == DoubleSigned;
    const bool fraction = numericType == DoubleUnSigned || numericType == DoubleSigned;
    if (ch == L'-' && signedKind) return caret == 0;
    if (ch == L'.' && fraction) return text.find(L'.') == std::wstring_view::npos;
    return false;
}

}  // namespace quib
