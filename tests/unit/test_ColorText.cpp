#include <gtest/gtest.h>

#include "util/ColorText.h"

using namespace quib;

namespace {
constexpr COLORREF kDefault = 0x00123456;
}

TEST(ColorText, StandardIdentifiers) {
    const std::pair<std::wstring, COLORREF> cases[] = {
        {L"clBlack", 0x000000},     {L"clMaroon", 0x000080},   {L"clGreen", 0x008000},  {L"clOlive", 0x008080},
        {L"clNavy", 0x800000},      {L"clPurple", 0x800080},   {L"clTeal", 0x808000},   {L"clGray", 0x808080},
        {L"clSilver", 0xC0C0C0},    {L"clRed", 0x0000FF},      {L"clLime", 0x00FF00},   {L"clYellow", 0x00FFFF},
        {L"clBlue", 0xFF0000},      {L"clFuchsia", 0xFF00FF},  {L"clAqua", 0xFFFF00},   {L"clWhite", 0xFFFFFF},
        {L"clMoneyGreen", 0xC0DCC0}, {L"clSkyBlue", 0xF0CAA6}, {L"clCream", 0xF0FBFF},  {L"clMedGray", 0xA4A0A0},
        {L"CLRED", 0x0000FF},       {L"clred", 0x0000FF},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(ColorTextToColor(text, kDefault), value) << text;
}

TEST(ColorText, SystemColoursResolveThroughTheSystem) {
    const std::pair<std::wstring, int> cases[] = {
        {L"clBtnFace", COLOR_BTNFACE},       {L"clWindow", COLOR_WINDOW},
        {L"clWindowText", COLOR_WINDOWTEXT}, {L"clHighlight", COLOR_HIGHLIGHT},
        {L"clHighlightText", COLOR_HIGHLIGHTTEXT}, {L"clBtnShadow", COLOR_BTNSHADOW},
        {L"clGrayText", COLOR_GRAYTEXT},     {L"clInfoBk", COLOR_INFOBK},
        {L"clbtnface", COLOR_BTNFACE},
    };
    for (const auto& [text, index] : cases) EXPECT_EQ(ColorTextToColor(text, kDefault), GetSysColor(index)) << text;
    // The numeric form of a system colour.
    EXPECT_EQ(ColorTextToColor(L"$80000005", kDefault), GetSysColor(COLOR_WINDOW));
    // clWindow and clWindowText differ, so a mix-up of the table would show.
    EXPECT_NE(GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT));
}

TEST(ColorText, HexadecimalWithAnyNumberOfDigits) {
    const std::pair<std::wstring, COLORREF> cases[] = {
        {L"$191919", 0x191919},      {L"$000000", 0x000000},   {L"$FF", 0x0000FF},     {L"$ff00ff", 0xFF00FF},
        {L"$00ABCDEF", 0xABCDEF},    {L"$0000000000FF", 0xFF},  {L"$1", 0x000001},     {L"255", 0x0000FF},
        {L"0x00FF00", 0x00FF00},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(ColorTextToColor(text, kDefault), value) << text;
}

TEST(ColorText, AnythingElseGivesTheDefault) {
    const std::wstring cases[] = {L"", L"$", L"$GG", L"$1FFFFFFFF", L"clNoSuchColour", L"red", L"#FF0000",
                                  L" $FF", L"$FF ", L"12a", L"-5"};
    for (const auto& text : cases) {
        EXPECT_EQ(ColorTextToColor(text, kDefault), kDefault) << text;
        COLORREF out = 0xABCDEF;
        EXPECT_FALSE(ParseColorText(text, out)) << text;
        EXPECT_EQ(out, 0xABCDEFu) << text;
    }
}

TEST(ColorText, WrittenWithEightDigits) {
    const std::pair<COLORREF, std::wstring> cases[] = {
        {0x191919, L"$00191919"}, {0x000000, L"$00000000"}, {0xABCDEF, L"$00ABCDEF"}, {0x0000FF, L"$000000FF"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(ColorToColorText(value), text);
        EXPECT_EQ(ColorTextToColor(ColorToColorText(value), kDefault), value);
    }
    EXPECT_EQ(StandardColorName(0xC0C0C0), L"clSilver");
    EXPECT_EQ(StandardColorName(0x808080), L"clGray");
    EXPECT_EQ(StandardColorName(0xA4A0A0), L"clMedGray");
    EXPECT_EQ(StandardColorName(0x123456), L"");
}

TEST(ColorText, FilerFormSixDigitsWithoutDollar) {
    const std::pair<std::wstring, COLORREF> cases[] = {
        {L"400000", 0x400000}, {L"FF00FF", 0xFF00FF}, {L"ffffff", 0xFFFFFF}, {L"808080", 0x808080},
        {L"FF", 0x0000FF},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(FilerColorTextToColor(text, kDefault), value) << text;
    for (const std::wstring bad : {L"$400000", L"clRed", L"", L"GGGGGG"}) {
        EXPECT_EQ(FilerColorTextToColor(bad, kDefault), kDefault) << bad;
    }
    EXPECT_EQ(ColorToFilerColorText(0x400000), L"400000");
    EXPECT_EQ(ColorToFilerColorText(0x0000FF), L"0000FF");
}
