// The parameter dialog's rules without a window: colour texts, colour fields,
// the archive extensions it accepts, the extract page's lines, and the
// defaults it shares with the readers.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "settings/SettingKeys.h"
#include "settings/SettingModel.h"
#include "util/ColorText.h"

using namespace quibtest;

namespace {

struct ColorCase {
    COLORREF color;
    const wchar_t* text;
};
// Named when the value has a standard name, else "$00BBGGRR".
const ColorCase kColorCases[] = {
    {0x000000, L"clBlack"},  {0xFFFFFF, L"clWhite"},     {0x00FFFF, L"clYellow"},   {0xFF0000, L"clBlue"},
    {0x0000FF, L"clRed"},    {0x008080, L"clOlive"},     {0xC0DCC0, L"clMoneyGreen"}, {0xF0CAA6, L"clSkyBlue"},
    {0x400000, L"$00400000"}, {0x563412, L"$00563412"},   {0x808000, L"clTeal"},     {0x010203, L"$00010203"},
};

TEST(SettingColors, ColorTextRoundTrips) {
    for (const auto& c : kColorCases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(quib::ColorToSettingText(c.color), c.text);
        COLORREF back = 0xDEADBEEF;
        ASSERT_TRUE(quib::ParseColorText(c.text, back));
        EXPECT_EQ(back, c.color);
    }
    // Read with any number of digits.
    COLORREF red = 0;
    ASSERT_TRUE(quib::ParseColorText(L"$FF", red));
    EXPECT_EQ(red, 0x0000FFu);
}

TEST(SettingColors, ColorFieldValues) {
    struct Case {
        const wchar_t* text;
        int value;
        const wchar_t* replacement;
    };
    const Case cases[] = {{L"", 0, L""}, {L"0", 0, L""}, {L"255", 255, L""}, {L"256", 255, L"255"},
                          {L"300", 255, L"255"}, {L"999", 255, L"255"}, {L"17", 17, L""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::wstring replacement = L"x";
        EXPECT_EQ(quib::ColorFieldValue(c.text, replacement), c.value);
        EXPECT_EQ(replacement, c.replacement);
    }
}

TEST(SettingRules, ArchiveExtensionsTheArchiversTake) {
    EXPECT_EQ(quib::FirstRefusedArchiveExtension(L".lzh;.zip;.cab;.7z;.rar;.gz;.iso;.bza;.gza;.gca;.arj;.yz1;"), L"");
    EXPECT_EQ(quib::FirstRefusedArchiveExtension(L".lzh;.zip;.tar;"), L".tar");
    EXPECT_EQ(quib::FirstRefusedArchiveExtension(L".tar;.xz;"), L".tar");
    // Compared as written: the reader matches extensions without regard to
    // case, but the list itself must name them in lower case.
    EXPECT_EQ(quib::FirstRefusedArchiveExtension(L".ZIP;"), L".ZIP");
}

TEST(SettingRules, ExtensionListsSplitAndJoin) {
    EXPECT_EQ(quib::SplitExtList(L".txt;.log;"), (std::vector<std::wstring>{L".txt", L".log"}));
    EXPECT_EQ(quib::SplitExtList(L""), std::vector<std::wstring>{});
    EXPECT_EQ(quib::JoinExtList({L".a", L".b"}), L".a;.b;");
}

TEST(SettingRules, ExtractLines) {
    EXPECT_EQ(quib::ExtractDestinationLine(0, L"Docs", L"C:\\Docs\\", true),
              L"1:解凍先 Docs" + std::wstring(8, L' ') + L" C:\\Docs\\");
    EXPECT_EQ(quib::ExtractDestinationLine(4, L"", L"", false), L"5:Extract " + std::wstring(12, L' ') + L" ");
    // Cut to twelve bytes.
    EXPECT_EQ(quib::ExtractDestinationLine(1, L"ABCDEFGHIJKLMNOP", L"D:\\", true), L"2:解凍先 ABCDEFGHIJKL D:\\");
}

TEST(SettingRules, ImageListsOfferTheViewersDefaults) {
    // Every image parameter the viewer takes for an absent key is an item of
    // its list, so an untouched dialog stores the viewer's own value.
    const quib::IniKey* keys[5] = {&quib::key::ImageWheelMoveText, &quib::key::ImageSideBarText,
                                   &quib::key::ImageWheelCountText, &quib::key::ImagePreNextNum1Text,
                                   &quib::key::ImagePreNextNum2Text};
    for (int i = 0; i < 5; ++i) {
        const auto items = quib::ImageListItems(static_cast<quib::ImageList>(i));
        EXPECT_NE(std::find(items.begin(), items.end(), keys[i]->def), items.end()) << keys[i]->section;
    }
    EXPECT_EQ(quib::ImageListItems(quib::ImageList::WheelMove),
              (std::vector<std::wstring>{L"8", L"16", L"24", L"32", L"40", L"48", L"56", L"64"}));
}

TEST(SettingDefaults, DefaultColorItemsAreTheReadersDefaults) {
    TempDir dir;
    const auto items = quib::DefaultColorItems(dir.Path());
    const COLORREF expected[quib::kColorItemCount] = {0x008080, 0xFFFFFF, 0xFFFFFF, 0x000000, 0xFFFFFF, 0xFFFF00,
                                                     0x00FFFF, 0x00FF00, 0xFF0000, 0xFF00FF, 0xFFFFFF, 0x0000FF,
                                                     0x008000, 0xFFFFFF, 0x000000, 0xFF0000};
    for (int i = 0; i < quib::kColorItemCount; ++i) EXPECT_EQ(items[static_cast<size_t>(i)].color, expected[i]) << i;
    for (int i : {1, 4, 14}) {
        EXPECT_EQ(items[static_cast<size_t>(i)].fontName, L"ＭＳ ゴシック");
        EXPECT_EQ(items[static_cast<size_t>(i)].fontSize, 14);
    }
}

TEST(SettingDefaults, FilerColorsWithAndWithoutQuibFMIni) {
    TempDir dir;
    std::array<quib::ColorItem, quib::kColorItemCount> items{};
    quib::ImportFilerColors(dir.Path(), items);
    EXPECT_EQ(items[3].color, 0x400000u);
    EXPECT_EQ(items[0].color, 0x400000u);
    EXPECT_EQ(items[15].color, 0x808080u);
    EXPECT_EQ(items[14].color, 0xFFFFFFu);
    EXPECT_EQ(items[14].fontSize, 14);
    const quib::IniFile filer(dir / L"quibFM.ini");
    quib::IniFile::CreateEmptyUnicode(filer.Path());
    filer.WriteString(L"System", L"SysytemColorBack", L"123456");
    filer.WriteString(L"FileList", L"FileListColorNormal", L"0000FF");
    filer.WriteString(L"quibView", L"quibViewColorBack", L"010203");
    filer.WriteString(L"quibView", L"quibViewFontHeight", L"20");
    quib::ImportFilerColors(dir.Path(), items);
    EXPECT_EQ(items[3].color, 0x123456u);
    EXPECT_EQ(items[0].color, 0x123456u);
    for (size_t i : {6u, 10u, 11u, 12u}) EXPECT_EQ(items[i].color, 0x0000FFu) << i;
    EXPECT_EQ(items[13].color, 0x010203u);
    EXPECT_EQ(items[14].fontSize, 20);
}

}  // namespace
