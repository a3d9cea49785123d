// Text search: the literal escape, the pattern of each option, forward and
// backward searches in every mode, across line breaks and window borders,
// with surrogate pairs and lone surrogates, and a refused pattern.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "viewers/text/HtSearch3.h"

using namespace quib;

namespace {

TSearchOptions Opts(std::initializer_list<TSearchOption> list) {
    TSearchOptions o;
    for (auto v : list) o.Add(v);
    return o;
}

struct Hit {
    int start, length;
    friend bool operator==(const Hit&, const Hit&) = default;
};
std::ostream& operator<<(std::ostream& os, const Hit& h) { return os << "{" << h.start << "," << h.length << "}"; }

// As the viewer calls them: forward from just after the selection, backward
// from its start.
std::optional<Hit> Forward(const std::wstring& text, const std::wstring& word, int selStart, int selLength,
                           TSearchOptions o) {
    TSearchInfo info{selStart + selLength + 1, 0};
    if (!SearchForward(text, info, word, static_cast<int>(text.size()), o.Add(sfrDown))) return std::nullopt;
    return Hit{info.Start, info.Length};
}
std::optional<Hit> Backward(const std::wstring& text, const std::wstring& word, int selStart, TSearchOptions o) {
    TSearchInfo info{selStart, 0};
    if (!SearchBackward(text, info, word, selStart, o)) return std::nullopt;
    return Hit{info.Start, info.Length};
}

TEST(EscapeRegExp, PunctuationAndControlCharacters) {
    EXPECT_EQ(EscapeRegExp(L"a.b*c d"), L"a\\.b\\*c d");
    EXPECT_EQ(EscapeRegExp(L"\a\t\n\v\f\r\x1b"), L"\\a\\t\\n\\v\\f\\r\\e");
    EXPECT_EQ(EscapeRegExp(L"!/:@[`{~"), L"\\!\\/\\:\\@\\[\\`\\{\\~");
    EXPECT_EQ(EscapeRegExp(L"あ0Az"), L"あ0Az");
}

TEST(BuildSearchPattern, EachOption) {
    EXPECT_EQ(BuildSearchPattern(L"a.b", {}).pattern, L"a\\.b");
    EXPECT_EQ(BuildSearchPattern(L"ab", Opts({sfrIncludeCRLF})).pattern, L"a[\\r\\n]*b");
    EXPECT_EQ(BuildSearchPattern(L"ab", Opts({sfrIncludeSpace})).pattern, L"a\\x20*b");
    EXPECT_EQ(BuildSearchPattern(L"ab", Opts({sfrIncludeCRLF, sfrIncludeSpace})).pattern, L"a([\\r\\n]*|\\x20*)b");
    EXPECT_EQ(BuildSearchPattern(L"a\U0001F600", Opts({sfrIncludeSpace})).pattern, L"a\\x20*\U0001F600");
    EXPECT_EQ(BuildSearchPattern(L"ab", Opts({sfrWholeWord})).pattern, L"\\bab\\b");
    const SearchPattern re = BuildSearchPattern(L"a.b", Opts({sfrRegExp, sfrWholeWord, sfrIncludeCRLF, sfrIncludeSpace}));
    EXPECT_EQ(re.pattern, L"a.b");
    EXPECT_EQ(re.options, Opts({sfrRegExp}));
}

struct SearchCase {
    const char* name;
    std::wstring text;
    std::wstring word;
    TSearchOptions options;
    bool forward;
    int selStart, selLength;
    std::optional<Hit> expected;
};

const std::wstring kText = L"abc.def\r\nxyz abc\r\nABC\r\n";

const SearchCase kCases[] = {
    {"literal full stop", L"axb a.b\r\n", L".", {}, true, 0, 0, Hit{5, 1}},
    {"regexp full stop", L"axb a.b\r\n", L"a.b", Opts({sfrRegExp}), true, 0, 0, Hit{0, 3}},
    {"caseless by default", L"xx ABC\r\n", L"abc", {}, true, 0, 0, Hit{3, 3}},
    {"match case skips", kText, L"ABC", Opts({sfrMatchCase}), true, 0, 0, Hit{18, 3}},
    {"full-width caseless", L"xＡＢ\r\n", L"ａｂ", {}, true, 0, 0, Hit{1, 2}},
    {"forward continues after the selection", kText, L"abc", {}, true, 0, 3, Hit{13, 3}},
    {"across a line break", L"xa\r\nb a b\r\n", L"ab", Opts({sfrIncludeCRLF, sfrIncludeSpace}), true, 0, 0, Hit{1, 4}},
    {"across a space", L"xa\r\nb a b\r\n", L"ab", Opts({sfrIncludeCRLF, sfrIncludeSpace}), true, 2, 3, Hit{6, 3}},
    {"not across a line break without the option", L"xa\r\nb ab\r\n", L"ab", {}, true, 0, 0, Hit{6, 2}},
    {"whole word", L"concatenate cat\r\n", L"cat", Opts({sfrWholeWord}), true, 0, 0, Hit{12, 3}},
    {"whole word not inside", L"concatenate\r\n", L"cat", Opts({sfrWholeWord}), true, 0, 0, std::nullopt},
    {"forward at the very end", kText, L"abc", {}, true, static_cast<int>(kText.size()), 0, std::nullopt},
    {"forward finds the last character", L"xyz\r\n", L"z", {}, true, 2, 0, Hit{2, 1}},
    {"forward surrogate pair", L"x\U0001F600y\U0001F600\r\n", L"\U0001F600", {}, true, 0, 0, Hit{1, 2}},
    {"forward past a lone surrogate", std::wstring(L"a\xD800" L"b\xDC00" L"b\r\n"), L"b", {}, true, 0, 0, Hit{2, 1}},
    {"forward finds a lone surrogate", std::wstring(L"a\xD800" L"b\r\n"), std::wstring(L"\xD800"), {}, true, 0, 0,
     std::nullopt},
    {"backward at the start", kText, L"abc", {}, false, 0, 0, std::nullopt},
    {"backward nearest the caret", kText, L"abc", {}, false, 18, 0, Hit{13, 3}},
    {"backward match case", kText, L"abc", Opts({sfrMatchCase}), false, 21, 0, Hit{13, 3}},
    {"backward begins before the caret", kText, L"abc", {}, false, 14, 0, Hit{13, 3}},
    {"backward surrogate pair", L"x\U0001F600y\U0001F600\r\n", L"\U0001F600", {}, false, 6, 0, Hit{4, 2}},
    {"backward across a line break", L"a\r\nb ab\r\n", L"ab", Opts({sfrIncludeCRLF, sfrIncludeSpace}), false, 5, 0,
     Hit{0, 4}},
    {"backward regexp", L"a1 b22 c333\r\n", L"[0-9]+", Opts({sfrRegExp}), false, 11, 0, Hit{10, 1}},
    {"backward lone surrogate text", std::wstring(L"b\xDC00" L"b\xD800\r\n"), L"b", {}, false, 4, 0, Hit{2, 1}},
};

class SearchTable : public testing::TestWithParam<SearchCase> {};
TEST_P(SearchTable, Finds) {
    const SearchCase& c = GetParam();
    const auto hit = c.forward ? Forward(c.text, c.word, c.selStart, c.selLength, c.options)
                               : Backward(c.text, c.word, c.selStart, c.options);
    EXPECT_EQ(hit, c.expected) << c.name;
}
INSTANTIATE_TEST_SUITE_P(Modes, SearchTable, testing::ValuesIn(kCases), [](const auto& info) {
    std::string n;
    for (char ch : std::string(info.param.name)) n += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    return n;
});

TEST(Search, EmptyWordOrTextFindsNothing) {
    EXPECT_EQ(Forward(L"abc\r\n", L"", 0, 0, {}), std::nullopt);
    EXPECT_EQ(Forward(L"", L"a", 0, 0, {}), std::nullopt);
    EXPECT_EQ(Backward(L"", L"a", 0, {}), std::nullopt);
}

TEST(Search, ForwardNeedsTheDownOption) {
    TSearchInfo info{1, 0};
    EXPECT_FALSE(SearchForward(L"abc", info, L"b", 3, {}));
}

TEST(Search, ForwardStopsAtTheControlTextLength) {
    TSearchInfo info{3, 0};
    EXPECT_FALSE(SearchForward(L"abcabc", info, L"c", 3, Opts({sfrDown})));
}

TEST(Search, RefusedPatternSaysWhy) {
    SearchError error;
    TSearchInfo info{1, 0};
    EXPECT_FALSE(SearchForward(L"a(b\r\n", info, L"a(", 5, Opts({sfrDown, sfrRegExp}), &error));
    EXPECT_NE(error.message.find(L"missing closing parenthesis"), std::wstring::npos) << std::string(error.message.begin(), error.message.end());
    EXPECT_EQ(error.offset, 2);
    // Not a regular expression: the same word is a literal.
    EXPECT_EQ(Forward(L"xa(b\r\n", L"a(", 0, 0, {}), (Hit{1, 2}));
}

// A match longer than the backward window, far before the caret, is found
// whole, as a forward search finds it.
TEST(Search, BackwardRegexpMatchLongerThanTheWindow) {
    const std::wstring text = L"start b" + std::wstring(25000, L'a') + L"c end\r\n";
    EXPECT_EQ(Backward(text, L"ba+c", static_cast<int>(text.size()), Opts({sfrRegExp})), (Hit{6, 25002}));
    EXPECT_EQ(Forward(text, L"ba+c", 0, 0, Opts({sfrRegExp})), (Hit{6, 25002}));
}

// Stepping backward visits every match forward stepping visits, in reverse,
// across many window borders.
TEST(Search, BackwardStepsVisitEveryForwardMatch) {
    std::wstring text;
    for (int i = 0; i < 40; ++i) text += std::wstring(static_cast<size_t>(1000 + i * 97), L'x') + L"key" + std::to_wstring(i) + L"\r\n";
    for (TSearchOptions o : {Opts({}), Opts({sfrRegExp})}) {
        const std::wstring word = o.Has(sfrRegExp) ? L"key[0-9]+" : L"key";
        std::vector<Hit> forward, backward;
        int selStart = 0, selLength = 0;
        while (auto h = Forward(text, word, selStart, selLength, o)) {
            forward.push_back(*h);
            selStart = h->start, selLength = h->length;
        }
        selStart = static_cast<int>(text.size());
        while (auto h = Backward(text, word, selStart, o)) {
            backward.push_back(*h);
            selStart = h->start;
        }
        ASSERT_EQ(forward.size(), 40u);
        std::reverse(backward.begin(), backward.end());
        EXPECT_EQ(backward, forward);
    }
}

}  // namespace
