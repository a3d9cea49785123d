#pragma once
// Searching the text viewer's whole text (every line followed by CR LF):
// a search word and its options become a Perl-compatible regular expression
// (PCRE2, 16-bit, JIT; caseless unless told; multi-line when line breaks are
// ignored) that finds the next or the previous match. Positions and lengths
// are in UTF-16 units; lone surrogates in the text are allowed.
#include <cstdint>
#include <string>
#include <string_view>

namespace quib {

enum TSearchOption : int {
    sfrDown = 0,
    sfrMatchCase = 1,
    sfrWholeWord = 2,
    sfrNoMatchZenkaku = 3,
    sfrReplace = 4,
    sfrReplaceAll = 5,
    sfrReplaceConfirm = 6,
    sfrIncludeCRLF = 7,
    sfrIncludeSpace = 8,
    sfrRegExp = 9,
};

// A set of options, one bit per value.
struct TSearchOptions {
    std::uint16_t bits = 0;
    bool Has(TSearchOption o) const { return (bits >> o) & 1u; }
    TSearchOptions& Add(TSearchOption o) { bits = static_cast<std::uint16_t>(bits | (1u << o)); return *this; }
    TSearchOptions& Remove(TSearchOption o) { bits = static_cast<std::uint16_t>(bits & ~(1u << o)); return *this; }
    friend bool operator==(const TSearchOptions&, const TSearchOptions&) = default;
};
static_assert(sizeof(TSearchOptions) == 2, "the option set is a 16-bit word");

struct TSearchInfo {
    int Start = 0;
    int Length = 0;
};

// A text as a pattern that matches it literally.
std::wstring EscapeRegExp(std::wstring_view text);

// The pattern of a search word and the options that stay in force.
struct SearchPattern {
    std::wstring pattern;
    TSearchOptions options;
};
SearchPattern BuildSearchPattern(const std::wstring& word, TSearchOptions options);

// A pattern the engine refuses: its message and the offset it names.
struct SearchError {
    std::wstring message;
    int offset = 0;
};

// Forward: info.Start is the 1-based position just after the selection; the
// first match beginning there or later is found (sfrDown must be set).
// controlTextLength is the length of the control's own text.
// Backward: the match with the greatest start before selStart (any match a
// forward search from that start would find, however long it is).
// Both return true and set info to the match's 0-based start and length;
// false when there is none or the pattern is refused (error then says why).
bool SearchForward(std::wstring_view text, TSearchInfo& info, const std::wstring& word, int controlTextLength,
                   TSearchOptions options, SearchError* error = nullptr);
bool SearchBackward(std::wstring_view text, TSearchInfo& info, const std::wstring& word, int selStart,
                    TSearchOptions options, SearchError* error = nullptr);

}  // namespace quib
