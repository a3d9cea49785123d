// The rules behind the rows: size texts, the folder view, the way up, row colours.
#include <gtest/gtest.h>

#include "app/EntryView.h"
#include "util/MyUtility.h"

using namespace quib;

TEST(DisplaySize, DefaultCutsByLength) {
    struct Case {
        const wchar_t* comma;
        const wchar_t* shown;
    } cases[] = {
        {L"0", L"      0"},          {L"1,234", L"  1,234"},     {L"12,345", L"   12KB"},
        {L"1,234,567", L"1,234KB"},  {L"12,345,678", L"   12MB"}, {L"1,234,567,890", L"1,234MB"},
        {L"12,345,678,901", L"   12GB"}, {L"123,456,789,012,345", L"  123TB"},
        {L"1,234,567,890,123,456,789", L"1,234,567,890,123,456,789"}, {L" <DIR>", L" <DIR>"},
    };
    for (const auto& c : cases) EXPECT_EQ(DisplaySizeText(c.comma, false, false), c.shown) << c.comma;
}

TEST(DisplaySize, UnitsOf1024) {
    struct Case {
        const wchar_t* comma;
        const wchar_t* shown;
    } cases[] = {
        {L"999,999", L"999,999"}, {L"1,000,000", L"  976KB"}, {L"5,000,000", L"4,882KB"},
        {L"50,000,000", L"   47MB"}, {L"1,234", L"  1,234"}, {L"12", L"     12"},
        // 10,240,000 / 1024 = 10,000 has five digits, so one more step: 9 MB.
        {L"10,240,000", L"    9MB"}, {L" <DIR>", L" <DIR>"},
    };
    for (const auto& c : cases) EXPECT_EQ(DisplaySizeText(c.comma, false, true), c.shown) << c.comma;
}

TEST(DisplaySize, FullIsPaddedToTwenty) {
    EXPECT_EQ(DisplaySizeText(L"1,234", true, false), std::wstring(15, L' ') + L"1,234");
    EXPECT_EQ(DisplaySizeText(L"1,234", true, true), std::wstring(15, L' ') + L"1,234");
}

namespace {
std::wstring Line(const std::wstring& path, bool folder, const std::wstring& date = L"2024/05/01") {
    return path + L"\t" + (folder ? L"" : L".txt") + L"\t" + (folder ? L" <DIR>" : L"1") + L"\t" + date +
           L"\t12:00:00\t---A-\tDeflate\t1\t1\t" + path;
}
std::vector<std::wstring> Names(const std::vector<std::wstring>& lines) {
    std::vector<std::wstring> out;
    for (const auto& l : lines) out.push_back(l.substr(0, l.find(L'\t')));
    return out;
}
}  // namespace

TEST(FilerView, MadeUpFoldersPrefixNamesAndOrder) {
    const std::vector<std::wstring> src = {
        L"<\\>\t\t <DIR>\t\t\t\t\t0\t0\t<\\>",
        Line(L"b10.txt", false), Line(L"b9.txt", false), Line(L"docs/", true),
        Line(L"img/a.png", false), Line(L"img2/b.png", false), Line(L"docs\\1.txt", false),
        Line(L"IMG/c.png", false),
    };
    const auto root = FilerViewLines(src, L"/", true);
    const std::vector<std::wstring> expected = {L"<\\>", L"docs", L"img", L"img2", L"b9.txt", L"b10.txt"};
    EXPECT_EQ(Names(root), expected);
    // A made-up folder has no date, time or attributes; its stored path is its name.
    EXPECT_EQ(root[2], L"img\t\t <DIR>\t\t\t\t\t\t\timg");
    // A folder with its own entry keeps that entry's fields.
    EXPECT_NE(root[1].find(L"2024/05/01"), std::wstring::npos);

    const auto unsorted = FilerViewLines(src, L"/", false);
    const std::vector<std::wstring> sourceOrder = {L"<\\>", L"docs", L"img", L"img2", L"b10.txt", L"b9.txt"};
    EXPECT_EQ(Names(unsorted), sourceOrder);

    const auto img = FilerViewLines(src, L"/img/", true);
    const std::vector<std::wstring> inImg = {L"<..>", L"a.png"};
    EXPECT_EQ(Names(img), inImg);  // "IMG/c.png" is another folder for a case-sensitive prefix
    const auto docs = FilerViewLines(src, L"/docs/", true);
    const std::vector<std::wstring> inDocs = {L"<..>", L"1.txt"};
    EXPECT_EQ(Names(docs), inDocs);
    const auto gone = FilerViewLines(src, L"/nothing/", true);
    ASSERT_EQ(gone.size(), 1u);
    EXPECT_EQ(Names(gone)[0], L"<..>");
}

TEST(FilerView, ParentFolder) {
    EXPECT_EQ(ParentFolderPath(L"/a/"), L"/");
    EXPECT_EQ(ParentFolderPath(L"/a/b/"), L"/a/");
    EXPECT_EQ(ParentFolderPath(L"/a/b/c/"), L"/a/b/");
}

TEST(FilerView, HistoryFindsTheMostRecentPathThatIsShownAndKeeps1024) {
    FilerHistory h;
    h.Remember(L"a/");
    h.Remember(L"a/3.txt");
    EXPECT_EQ(h.FindRow({L"<..>", L"a/1.txt", L"a/3.txt"}), 2);
    EXPECT_EQ(h.FindRow({L"<\\>", L"b.txt", L"a/"}), 2);
    EXPECT_EQ(h.FindRow({L"<\\>", L"A/"}), -1);  // case-sensitive
    for (int i = 0; i < 1100; ++i) h.Remember(L"x" + std::to_wstring(i));
    EXPECT_EQ(h.Entries().size(), FilerHistory::kLimit);
    EXPECT_EQ(h.Entries().front(), L"x1099");
    EXPECT_EQ(h.FindRow({L"a/"}), -1);  // pushed out
}

TEST(FilerView, HistoryOverRowsTakesTheFirstRowOfTheMostRecentPath) {
    FilerHistory h;
    h.Remember(L"old.txt");
    h.Remember(L"new.txt");
    h.Remember(L"newest.txt");
    struct Case {
        std::vector<std::wstring> rows;
        int expected;
    } cases[] = {
        {{L"<\\>", L"old.txt", L"x", L"new.txt", L"new.txt"}, 3},
        {{L"newest.txt", L"old.txt", L"newest.txt"}, 0},
        {{L"old.txt", L"a", L"old.txt"}, 0},
        {{L"a", L"b"}, -1},
        {{}, -1},
    };
    for (const auto& c : cases) {
        size_t asked = 0;
        const int row = h.FindRow(c.rows.size(), [&](size_t r) -> const std::wstring& {
            ++asked;
            return c.rows[r];
        });
        EXPECT_EQ(row, c.expected) << c.rows.size();
        EXPECT_EQ(row, h.FindRow(c.rows));
        EXPECT_LE(asked, c.rows.size());
    }
    // The most recent path found first ends the walk.
    std::vector<std::wstring> many(100000, L"x");
    many[10] = L"newest.txt";
    size_t asked = 0;
    EXPECT_EQ(h.FindRow(many.size(), [&](size_t r) -> const std::wstring& {
        ++asked;
        return many[r];
    }), 10);
    EXPECT_EQ(asked, 11u);
    EXPECT_EQ(FilerHistory().FindRow({L"a"}), -1);
}

TEST(RowColour, AttributesFirstThenExtension) {
    const std::vector<std::wstring> exe = {L".exe"}, arc = {L".zip"}, spm = {L".pdf"}, gdi = {L".png"}, wic = {L".jpg"},
                                    spi = {L".pi"};
    ExtensionLists lists{&exe, &arc, &spm, &gdi, &wic, &spi};
    struct Case {
        const wchar_t* size;
        const wchar_t* attr;
        const wchar_t* ext;
        RowColor kind;
    } cases[] = {
        {L" <DIR>", L"", L"", RowColor::Directory},   {L" <DIR>", L"--S-D", L"", RowColor::System},
        {L" <DIR>", L"-H--D", L"", RowColor::Hidden}, {L" <DIR>", L"R---D", L"", RowColor::ReadOnly},
        {L"1", L"RHSA-", L".exe", RowColor::System},  {L"1", L"RH-A-", L".exe", RowColor::Hidden},
        {L"1", L"R--A-", L".exe", RowColor::ReadOnly}, {L"1", L"---A-", L".EXE", RowColor::Execute},
        {L"1", L"---A-", L".zip", RowColor::Archive}, {L"1", L"---A-", L".pdf", RowColor::Archive},
        {L"1", L"---A-", L".png", RowColor::Image},   {L"1", L"---A-", L".JPG", RowColor::Image},
        {L"1", L"---A-", L".pi", RowColor::Image},    {L"1", L"---A-", L".txt", RowColor::Normal},
        {L"1", L"", L"", RowColor::Normal},
    };
    for (const auto& c : cases) EXPECT_EQ(ClassifyRow(c.size, c.attr, c.ext, lists), c.kind) << c.attr << c.ext;
}
