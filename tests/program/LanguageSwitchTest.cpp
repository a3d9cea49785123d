// The main window in Japanese and English from the shipped language file.
#include <gtest/gtest.h>

#include "FormTestSupport.h"
#include "MainWindowHarness.h"
#include "app/MainMenuTable.h"

using namespace quibtest;
namespace tag = quib::tag;

TEST(LanguageSwitch, EnglishAndBackAtRunTimeAndTheChoiceIsSaved) {
    MainWindowHarness h;
    ASSERT_TRUE(CopyTree(BinDir() + L"\\Language", h.Folder() / L"Language"));
    auto& f = h.Start({ProgramFixture(L"levels.zip")});
    EXPECT_EQ(f.MenuItemCaption(tag::MenuOpen), L"開く(&O)");
    h.Command(tag::MenuEnglish);
    EXPECT_FALSE(f.BoolJapanese);
    EXPECT_TRUE(f.MenuChecked(tag::MenuEnglish));
    EXPECT_FALSE(f.MenuChecked(tag::MenuJapanese));
    EXPECT_EQ(h.ReadSetting(L"Language", L"Japanese"), L"0");
    EXPECT_EQ(f.MenuItemCaption(tag::MenuOpen), L"&Open...");
    // The status bar names the mode with its new caption, without "&".
    const std::wstring mode = f.MenuItemCaption(tag::MenuFileArchive);
    std::wstring plain;
    for (wchar_t c : mode)
        if (c != L'&') plain.push_back(c);
    EXPECT_EQ(f.StatusText(0), plain);
    // Shortcut texts stay after the new captions.
    EXPECT_EQ(quibtest::MenuText(f.MenuHandle(), tag::MenuUnpack), L"E&xtract...\tU");
    // Messages follow the language.
    f.DropFiles({L"a", L"b"});
    ASSERT_EQ(h.Messages().Texts().size(), 1u);
    EXPECT_EQ(h.Messages().Texts()[0], L"Information : Drop file count accept only One(1).[OK]");
    h.Command(tag::MenuJapanese);
    EXPECT_EQ(f.MenuItemCaption(tag::MenuOpen), L"開く(&O)");
    EXPECT_EQ(f.StatusText(0), L"一覧表示 [通常書庫] (A)");
    EXPECT_EQ(h.ReadSetting(L"Language", L"Japanese"), L"1");
}

TEST(LanguageSwitch, EnglishWithoutLanguageFilesKeepsCaptionsButSavesTheChoice) {
    MainWindowHarness h;
    auto& f = h.Start();
    h.Command(tag::MenuEnglish);
    EXPECT_EQ(f.MenuItemCaption(tag::MenuOpen), L"開く(&O)");
    EXPECT_EQ(h.ReadSetting(L"Language", L"Japanese"), L"0");
    EXPECT_TRUE(h.Messages().Messages().empty());
}

TEST(LanguageSwitch, EnglishAtStartFromTheSettings) {
    MainWindowHarness h;
    ASSERT_TRUE(CopyTree(BinDir() + L"\\Language", h.Folder() / L"Language"));
    h.Setting(L"Language", L"Japanese", L"0");
    auto& f = h.Start();
    EXPECT_NE(f.MenuItemCaption(tag::MenuOpen), L"開く(&O)");
    EXPECT_TRUE(f.MenuChecked(tag::MenuEnglish));
}
