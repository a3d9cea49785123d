// Opening archives in the main window through the stand-in archiver DLLs:
// entry lines in level order, the simple and test listings, the listing modes
// and what happens when a DLL is missing.
#include <gtest/gtest.h>

#include "MainWindowHarness.h"
#include "app/Application.h"
#include "app/MainMenuTable.h"
#include "util/StrConv.h"

using namespace quibtest;
namespace tag = quib::tag;

namespace {
std::vector<std::wstring> Names(MainWindowHarness& h) { return h.EntryField(0); }
}  // namespace

TEST(Listing, EntriesComeInLevelOrderWithTheRootFirst) {
    MainWindowHarness h;
    h.Setting(L"ListText", L"Enabled", L"1");
    h.Setting(L"ListFiler", L"Enabled", L"0");
    auto& f = h.Start({ProgramFixture(L"levels.zip")});
    const std::vector<std::wstring> expected = {L"<\\>", L"b.txt", L"a/", L"a/x.txt", L"a/b/c.txt"};
    EXPECT_EQ(Names(h), expected);
    // The root line: fields 0 and 9 "<\>", size " <DIR>", padded sizes "0".
    EXPECT_EQ(f.StrListArchiveDirFile[0], L"<\\>\t\t <DIR>\t\t\t\t\t0\t0\t<\\>");
    // A file line: extension, sizes, date and time with the locale's separators, stored path again.
    const std::vector<std::wstring> sizes = h.EntryField(2), ext = h.EntryField(1), date = h.EntryField(3),
                                     time = h.EntryField(4), again = h.EntryField(9), padded = h.EntryField(7);
    EXPECT_EQ(ext[1], L".txt");
    EXPECT_EQ(sizes[1], L"2");
    EXPECT_EQ(sizes[2], L" <DIR>");
    EXPECT_EQ(ext[2], L"");
    EXPECT_EQ(date[1], L"2024/05/01");
    EXPECT_EQ(time[1], L"12:34:56");
    EXPECT_EQ(again[4], L"a/b/c.txt");
    EXPECT_EQ(padded[4], std::wstring(19, L' ') + L"3");
    const std::vector<std::wstring> paths = {L"a/", L"a/x.txt", L"b.txt", L"a/b/c.txt"};
    EXPECT_EQ(f.StrListPathFile.ToVector(), paths);  // DLL order, without the root
    EXPECT_EQ(f.StatusText(2), std::wstring(10, L' ') + L"4");
}

TEST(Listing, LinesEqualButForLetterCaseAreDropped) {
    MainWindowHarness h;
    h.Start({ProgramFixture(L"dupcase.zip")});
    const auto names = Names(h);
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0], L"<\\>");
    EXPECT_EQ(names[1], L"other.txt");
    EXPECT_TRUE(names[2] == L"readme.txt" || names[2] == L"README.TXT");
}

TEST(Listing, JapaneseNamesOfALegacyZipUnderTheJapaneseCodePage) {
    // Registered for both runs; the Japanese names exist only in the 932 run
    // (whose code page every test program checks before it starts).
    if (GetACP() != 932) GTEST_SKIP() << "needs the Japanese system code page";
    MainWindowHarness h;
    h.Start({ProgramFixture(L"sample.zip")});
    const auto names = Names(h);
    EXPECT_NE(std::find(names.begin(), names.end(), L"文書/メモ.txt"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), L"画像/2024/夕焼け.png"), names.end());
    EXPECT_EQ(names[1], L"readme.txt");
}

TEST(Listing, Utf8NamesNeedTheUtf8DisplayButTheExtensionNeverChanges) {
    MainWindowHarness h;
    auto& f = h.Start({ProgramFixture(L"utf8.zip")});
    auto names = Names(h);
    ASSERT_EQ(names.size(), 3u);
    EXPECT_NE(names[2], L"日本語/説明.txt");
    // The extension comes from the system code page's reading of the stored
    // bytes, garbled or not; the UTF-8 display must not change it.
    const std::wstring extension = h.EntryField(1)[2];
    if (GetACP() != 932) {
        EXPECT_EQ(extension, L".txt");
    }
    // The switch takes effect at the next listing.
    h.Command(tag::MenuEncode);
    EXPECT_TRUE(f.MenuChecked(tag::MenuEncode));
    EXPECT_EQ(Names(h), names);
    h.Command(tag::MenuFileSimple);
    h.Command(tag::MenuFileArchive);
    names = Names(h);
    EXPECT_EQ(names[1], L"日本語/");
    EXPECT_EQ(names[2], L"日本語/説明.txt");
    EXPECT_EQ(h.EntryField(1)[2], extension);
}

TEST(Listing, OtherArchiveKindsThroughTheirFamilies) {
    struct Case {
        const wchar_t* file;
        const wchar_t* mustContain;
    } cases[] = {{L"sample.7z", L"src/util/add.c"}, {L"sample.tar.gz", L"src/main.c"},
                 {L"sample.lzh", L"docs/readme.txt"}};
    for (const auto& c : cases) {
        MainWindowHarness h;
        h.Start({ProgramFixture(c.file)});
        const auto names = Names(h);
        ASSERT_GT(names.size(), 1u) << c.file;
        EXPECT_EQ(names[0], L"<\\>");
        bool found = false;
        for (const auto& n : names) found |= (n == c.mustContain || n == std::wstring(L"./") + c.mustContain);
        EXPECT_TRUE(found) << c.file;
        EXPECT_TRUE(h.Messages().Messages().empty()) << c.file;
    }
}

TEST(Listing, AnUnreadableArchiveGivesTheRootLineAloneWithoutAMessage) {
    MainWindowHarness h;
    auto& f = h.Start({ProgramFixture(L"broken.zip")});
    ASSERT_EQ(f.StrListArchiveDirFile.size(), 1u);
    EXPECT_EQ(Names(h)[0], L"<\\>");
    EXPECT_TRUE(h.Messages().Messages().empty());
}

TEST(Listing, AnExtensionOutsideTheArchiveListIsRefused) {
    for (bool japanese : {true, false}) {
        MainWindowHarness h;
        h.Setting(L"Language", L"Japanese", japanese ? L"1" : L"0");
        h.Setting(L"Arc", L"Ext", L".lzh;");
        auto& f = h.Start({ProgramFixture(L"levels.zip")});
        EXPECT_TRUE(f.StrListArchiveDirFile.empty());
        ASSERT_EQ(h.Messages().Texts().size(), 1u);
        EXPECT_EQ(h.Messages().Texts()[0], japanese ? L"Information : 圧縮ファイルの該当がありません"
                                                    : L"Information : Target archive file is not match.\r\n[OK]");
    }
}

TEST(Modes, SimpleAndTestShowTheDllReportAndSwitchingTwiceDoesNothing) {
    MainWindowHarness h;
    const std::wstring log = h.Folder() / L"calls.log";
    SetEnvironmentVariableW(L"QUIB_ARCHIVER_LOG", log.c_str());
    auto& f = h.Start({ProgramFixture(L"levels.zip")});
    h.Command(tag::MenuFileSimple);
    EXPECT_FALSE(f.ListVisible());
    EXPECT_EQ(f.StatusText(0), L"簡易表示 [通常書庫] (M)");
    EXPECT_FALSE(f.StrListSimpleResult.empty());
    EXPECT_EQ(f.Memo1Lines(), f.StrListSimpleResult);
    std::wstring report;
    for (const auto& l : f.StrListSimpleResult) report += l + L"\n";
    EXPECT_NE(report.find(L"a/b/c.txt"), std::wstring::npos);

    DeleteFileW(log.c_str());
    h.Command(tag::MenuFileSimple);  // already in it: not even a new listing
    EXPECT_FALSE(FileExists(log));

    h.Command(tag::MenuFileTest);
    EXPECT_EQ(f.StatusText(0), L"テスト表示 [通常書庫] (T)");
    EXPECT_FALSE(f.StrListTestResult.empty());
    EXPECT_EQ(f.Memo1Lines(), f.StrListTestResult);
    const std::wstring calls = ReadUtf8File(log);
    const std::wstring expected = L"UnZip\tUNZIP32.DLL\t";
    ASSERT_NE(calls.find(expected), std::wstring::npos) << quib::WideToUtf8(calls);
    EXPECT_NE(calls.find(L"\t-t \"" + ProgramFixture(L"levels.zip") + L"\"\t655351\t0"), std::wstring::npos)
        << quib::WideToUtf8(calls);
    SetEnvironmentVariableW(L"QUIB_ARCHIVER_LOG", nullptr);
}

TEST(Modes, SelfExtractingAndSusieModesSelectAndShowTheirState) {
    MainWindowHarness h;
    auto& f = h.Start();
    h.Command(tag::MenuFileSusie);
    EXPECT_TRUE(f.MenuChecked(tag::MenuFileSusie));
    EXPECT_FALSE(f.MenuEnabled(tag::MenuPassword));
    EXPECT_FALSE(f.MenuEnabled(tag::MenuDelete));
    h.Command(tag::MenuFileSfx);
    EXPECT_TRUE(f.MenuChecked(tag::MenuFileSfx));
    EXPECT_TRUE(f.MenuEnabled(tag::MenuFileSfxAuto));
    EXPECT_TRUE(f.MenuChecked(tag::MenuFileSfxAuto));
    EXPECT_TRUE(f.MenuEnabled(tag::MenuPassword));
    h.Command(tag::MenuFileArchive);
    EXPECT_FALSE(f.MenuEnabled(tag::MenuFileSfxAuto));
    EXPECT_EQ(f.StatusText(0), L"一覧表示 [通常書庫] (A)");
}

TEST(MissingDll, TheMessageNamesTheEntryPointAndTheNextAttemptSucceeds) {
    MainWindowHarness h;
    const std::wstring dll = h.Folder() / L"UNLHA32.DLL";
    const std::wstring kept = h.Folder() / L"kept.bin";
    ASSERT_TRUE(MoveFileW(dll.c_str(), kept.c_str()));
    auto& f = h.Start({ProgramFixture(L"sample.lzh")});
    ASSERT_EQ(h.Messages().Texts().size(), 1u);
    EXPECT_EQ(h.Messages().Texts()[0], L"DLLの関数 UnlhaOpenArchive のアドレスが見つかりません.");
    EXPECT_EQ(h.Messages().Messages()[0].style, quib::MsgStyle::Error);
    // The window is up and usable; with the DLL in place the next listing works.
    EXPECT_TRUE(f.BoolFormShow);
    ASSERT_TRUE(MoveFileW(kept.c_str(), dll.c_str()));
    h.Messages().Clear();
    h.Command(tag::MenuFileSimple);
    h.Command(tag::MenuFileArchive);
    EXPECT_TRUE(h.Messages().Messages().empty());
    const auto names = Names(h);
    EXPECT_NE(std::find(names.begin(), names.end(), L"docs/readme.txt"), names.end());
}

TEST(DllFolder, TheChoiceIsReadAgainForEveryArchiveOpened) {
    MainWindowHarness h;  // the DLLs by the program folder's full path
    auto& f = h.Start({ProgramFixture(L"levels.zip")});
    ASSERT_TRUE(h.Messages().Texts().empty());
    EXPECT_FALSE(f.BoolReadDllSystem32andApplication);
    // The user switches to the restricted search (the system folder and the
    // folder of the running program, here the tests' folder, which holds no
    // archiver DLL): the next archive's DLL is not found there.
    h.Setting(L"SelectDllFolder", L"Index", L"0");
    try {
        f.DropFiles({ProgramFixture(L"sample.lzh")});
    } catch (const std::exception& e) {
        // What the window procedure does with the error that ends the listing.
        quib::Application().HandleException(e);
    }
    EXPECT_TRUE(f.BoolReadDllSystem32andApplication);
    ASSERT_EQ(h.Messages().Texts().size(), 1u);
    EXPECT_EQ(h.Messages().Texts()[0], L"DLLの関数 UnlhaOpenArchive のアドレスが見つかりません.");
}

// A file name the system code page cannot hold is never passed on as a
// best-fit look-alike: "ｘ.zip" must not open "x.zip", and a full-width quote
// must not end the DLL's quoted argument.
TEST(UnrepresentableNames, TheArchiveIsNotOpenedAndTheMessageSaysWhyInBothLanguages) {
    // Characters outside the code page in force (932 holds the full-width
    // forms but not the yen sign; 1252 the other way round; neither Hangul).
    const std::vector<std::wstring> names =
        GetACP() == 932 ? std::vector<std::wstring>{L"a¥b.zip", L"한.zip"}
                        : std::vector<std::wstring>{L"ｘ.zip", L"a＂b.zip", L"c：d.zip", L"＊.zip", L"한.zip"};
    MainWindowHarness h;
    auto& f = h.Start();
    for (const std::wstring& name : names) {
        SCOPED_TRACE(quib::WideToUtf8(name));
        const std::wstring path = h.Folder() / name;
        ASSERT_TRUE(CopyFileW(ProgramFixture(L"levels.zip").c_str(), path.c_str(), FALSE));
        // The look-alike with plain characters exists too and must stay unopened.
        std::string lookAlike = quib::WideToAnsi(path);
        CopyFileA(quib::WideToAnsi(ProgramFixture(L"levels.zip")).c_str(), lookAlike.c_str(), FALSE);
        for (const bool japanese : {true, false}) {
            if (f.BoolJapanese != japanese) h.Command(japanese ? tag::MenuJapanese : tag::MenuEnglish);
            h.Messages().Clear();
            try {
                f.DropFiles({path});
            } catch (const std::exception& e) {
                quib::Application().HandleException(e);
            }
            ASSERT_EQ(h.Messages().Texts().size(), 1u);
            EXPECT_EQ(h.Messages().Texts()[0],
                      japanese ? L"Error : システムのコードページで表せない文字を含む名前です。何もしませんでした\r\n" + path
                               : L"Error : This name has characters the system code page can not represent. Nothing "
                                 L"was done.\r\n[OK]\r\n" +
                                     path);
            EXPECT_EQ(h.Messages().Messages()[0].style, quib::MsgStyle::Error);
            const auto rows = Names(h);
            EXPECT_EQ(std::find(rows.begin(), rows.end(), L"b.txt"), rows.end());
        }
    }
}
