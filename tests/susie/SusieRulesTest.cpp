// The rules of the Susie list files, of taking Susie entries out and of the
// pop-up window's buttons and selection, as plain functions.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "archive/SusieList.h"
#include "extract/ExtractPopUp.h"
#include "extract/ExtractSusie.h"
#include "util/IniFile.h"

using namespace quib;

namespace {

const std::wstring kProgram = L"C:\\Tools\\quibFMarchive.exe";

std::vector<SusieListLine> List(const std::vector<std::wstring>& lines) { return ParseSusieList(lines); }

}  // namespace

TEST(SusieList, FieldsComeFromTabsQuotedCommasOrCommas) {
    const auto lines = List({L"有効\t.lzh\tLHA\t%P\\lha.spi", L"\"Enable\",\".zip\",\"ZIP\",\"C:\\z.spi\"",
                             L"Enable,.cab,CAB,%d\\cab.spi", L"Enable"});
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].enable, L"有効");
    EXPECT_EQ(lines[0].pluginPath, L"%P\\lha.spi");
    EXPECT_EQ(lines[1].extension, L".zip");
    EXPECT_EQ(lines[1].pluginPath, L"C:\\z.spi");
    EXPECT_EQ(lines[2].pluginPath, L"%d\\cab.spi");
    // A short line has empty fields, never an out-of-range read.
    EXPECT_EQ(lines[3].extension, L"");
    EXPECT_EQ(lines[3].pluginPath, L"");
}

TEST(SusieList, TheEnableWordIsTheCurrentLanguagesWord) {
    const auto lines = List({L"有効\t.lzh\t\ta.spi", L"Enable\t.zip\t\tb.spi", L"無効\t.cab\t\tc.spi",
                             L"enable\t.7z\t\td.spi", L"有効\t.lzh\t\te.spi"});
    // Japanese: only "有効", duplicates kept in file order.
    EXPECT_EQ(SusieListExtensions(lines, true), (std::vector<std::wstring>{L".lzh", L".lzh"}));
    // English: only "Enable", letter for letter.
    EXPECT_EQ(SusieListExtensions(lines, false), (std::vector<std::wstring>{L".zip"}));
}

TEST(SusieList, CandidatesAreTheEnabledLinesForTheExtensionInFileOrder) {
    const auto lines = List({L"Enable\t.LZH\t\t%P\\plugins\\first.spi", L"Enable\t.zip\t\t%P\\zip.spi",
                             L"有効\t.lzh\t\t%P\\japanese.spi", L"Enable\t.lzh\t\t%D\\spi\\second.spi"});
    EXPECT_EQ(SusieCandidates(lines, L"D:\\a\\b.Lzh", false, kProgram),
              (std::vector<std::wstring>{L"C:\\Tools\\plugins\\first.spi", L"C:\\spi\\second.spi"}));
    EXPECT_EQ(SusieCandidates(lines, L"D:\\a\\b.lzh", true, kProgram),
              (std::vector<std::wstring>{L"C:\\Tools\\japanese.spi"}));
    EXPECT_TRUE(SusieCandidates(lines, L"D:\\a\\b.cab", false, kProgram).empty());
    // An archive without an extension matches no line, not the empty ones.
    EXPECT_TRUE(SusieCandidates(List({L"Enable\t\t\tx.spi"}), L"D:\\a\\noext", false, kProgram).empty());
}

TEST(SusieList, AssociationLinesKeepThePathAsWritten) {
    const auto lines = List({L"Enable\t.pi\tPI\t%P\\picture.spi", L"有効\t.mag\tMAG\t%P\\mag.spi"});
    EXPECT_EQ(SusieAssociationLines(lines, false, L"SPI"),
              (std::vector<std::wstring>{L"SPI\t.pi\t%P\\picture.spi\tSPI\t"}));
    EXPECT_EQ(SusieAssociationLines(lines, true, L"@ImageSpiViewer"),
              (std::vector<std::wstring>{L"@ImageSpiViewer\t.mag\t%P\\mag.spi\t@ImageSpiViewer\t"}));
}

TEST(SusieList, AMissingListFileReadsAsNothing) {
    quibtest::TempDir dir;
    std::vector<std::wstring> lines{L"old"};
    EXPECT_FALSE(ReadSusieListFile(dir / L"none.txt", lines));
    EXPECT_TRUE(lines.empty());
    EXPECT_FALSE(ReadSusieListFile(dir.Path(), lines));  // a folder is no list file
    ASSERT_TRUE(quibtest::WriteFileBytes(dir / L"spm.txt", "\xEF\xBB\xBF" "Enable\t.qsa\tQ\tx.spi\r\nEnable\t.a\tA\ty.spi"));
    ASSERT_TRUE(ReadSusieListFile(dir / L"spm.txt", lines));
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"Enable\t.qsa\tQ\tx.spi", L"Enable\t.a\tA\ty.spi"}));
}

TEST(SusieItems, ItemsSplitIntoPathPositionAndSize) {
    struct Case {
        std::wstring item, path;
        long long position, size;
    } cases[] = {
        {L"a/b.txt\t123\t                   1,234", L"a/b.txt", 123, 1234},
        {L"c.txt\t0\t0", L"c.txt", 0, 0},
        {L"d\\e.bin\t4000000000\t3,000,000,000", L"d\\e.bin", 4000000000LL, 3000000000LL},
        {L"only", L"only", 0, 0},
    };
    for (const auto& c : cases) {
        const SusieItem item = ParseSusieItem(c.item);
        EXPECT_EQ(item.storedPath, c.path) << testing::PrintToString(c.item);
        EXPECT_EQ(item.position, c.position) << testing::PrintToString(c.item);
        EXPECT_EQ(item.size, c.size) << testing::PrintToString(c.item);
    }
    EXPECT_EQ(SusieItemText(L"a/b", L"12", L"   3"), L"a/b\t12\t   3");
}

TEST(SusieItems, FolderAndNameParts) {
    EXPECT_EQ(StoredFolderPart(L"a/b/c.txt"), L"a\\b\\");
    EXPECT_EQ(StoredNamePart(L"a/b/c.txt"), L"c.txt");
    EXPECT_EQ(StoredFolderPart(L"a\\c.txt"), L"a\\");
    EXPECT_EQ(StoredFolderPart(L"c.txt"), L"");
    EXPECT_EQ(StoredNamePart(L"c.txt"), L"c.txt");
}

TEST(SusieItems, FailureTextNamesBothResultsInBothLanguages) {
    SusieFetchResult r;
    r.ret1 = -1;
    r.ret2 = 6;
    r.folder = L"C:\\dst\\a\\";
    r.name = L"b.txt";
    EXPECT_EQ(SusieFetchFailureText(r, true),
              L"Error : 解凍できませんでした\r\nRet1= -1\r\nRet2= 6\r\nC:\\dst\\a\\\r\nb.txt");
    EXPECT_EQ(SusieFetchFailureText(r, false),
              L"Error : Extract archive file failed.\r\n[OK]\r\nRet1= -1\r\nRet2= 6\r\nC:\\dst\\a\\\r\nb.txt");
}

TEST(PopUpRules, ButtonCaptionPadsTheNameToTwelveBytes) {
    EXPECT_EQ(PopUpButtonCaption(L"1:解凍先", L"abc"), L"1:解凍先 abc" + std::wstring(9, L' '));
    EXPECT_EQ(PopUpButtonCaption(L"1:解凍先", L""), L"1:解凍先 " + std::wstring(12, L' '));
    EXPECT_EQ(PopUpButtonCaption(L"2:Extract", L"twelve bytes"), L"2:Extract twelve bytes");
    EXPECT_EQ(PopUpButtonCaption(L"2:Extract", L"thirteen byte"), L"2:Extract thirteen byte");
    if (GetACP() == 932) {
        // Six double-byte characters fill the twelve bytes.
        EXPECT_EQ(PopUpButtonCaption(L"1:解凍先", L"写真の保存先"), L"1:解凍先 写真の保存先");
        EXPECT_EQ(PopUpButtonCaption(L"1:解凍先", L"写真"), L"1:解凍先 写真" + std::wstring(8, L' '));
    }
}

TEST(PopUpRules, DestinationFolderNeedsAnExistingFolderAndGetsOneBackslash) {
    quibtest::TempDir dir;
    EXPECT_EQ(PopUpDestinationFolder(dir.Path()), dir.Path() + L"\\");
    EXPECT_EQ(PopUpDestinationFolder(dir.Path() + L"\\"), dir.Path() + L"\\");
    EXPECT_EQ(PopUpDestinationFolder(dir / L"missing"), L"");
    EXPECT_EQ(PopUpDestinationFolder(L""), L"");
    ASSERT_TRUE(quibtest::WriteFileBytes(dir / L"file", "x"));
    EXPECT_EQ(PopUpDestinationFolder(dir / L"file"), L"");
}

TEST(PopUpRules, SelectionTakesEveryLineWithADate) {
    const std::vector<std::wstring> lines = {
        L"<\\>\t\t <DIR>\t\t\t\t\t0\t0\t<\\>",
        L"a/\t\t <DIR>\t\t\t\t\t0\t0\ta/",
        L"a/b.txt\t.txt\t5\t2024/01/02\t03:04:05\t6\tstore\t                   5\t                   5\ta/b.txt",
        L"c.txt\t.txt\t1,234\t2024/01/02\t03:04:05\t77\tstore\t               1,234\t               1,234\tc.txt",
    };
    EXPECT_EQ(PopUpSelection(lines), (std::vector<std::wstring>{L"a/b.txt", L"c.txt"}));
    EXPECT_EQ(PopUpSusieSelection(lines),
              (std::vector<std::wstring>{L"a/b.txt\t6\t                   5", L"c.txt\t77\t               1,234"}));
    EXPECT_TRUE(PopUpSelection({lines[0], lines[1]}).empty());
}

TEST(PopUpRules, FamilyWindowsByCaption) {
    EXPECT_TRUE(FamilyWindowCaption(L"C:\\data\\ - quibFM"));
    EXPECT_TRUE(FamilyWindowCaption(L"x.zip - QUIBFMARCHIVE"));
    EXPECT_TRUE(FamilyWindowCaption(L"a.txt - quibFMtext"));
    EXPECT_FALSE(FamilyWindowCaption(L"quibFM"));
    EXPECT_FALSE(FamilyWindowCaption(L"x -quibFM"));
}
