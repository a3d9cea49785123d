// The association table of launching by extension from both sources, its
// candidates and the picker's rows.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "launch/Associations.h"
#include "util/StrConv.h"

using namespace quib;

namespace {
std::vector<std::wstring> Lines(const std::vector<Association>& table) {
    std::vector<std::wstring> out;
    for (const auto& a : table) out.push_back(AssociationLine(a));
    return out;
}
}  // namespace

TEST(Associations, SettingsKindsInTheirOrder) {
    struct Case {
        const wchar_t* program;
        const wchar_t* kind;
    } cases[] = {
        {L"\"C:\\p\\quibFMtext.exe\"", L"TEXT"},     {L"C:\\p\\QUIBFMIMAGE.EXE", L"IMAGE"},
        {L"%p\\quibFMplayer.exe", L"PLAYER"},        {L"\"C:\\p\\quibFMarchive.exe\" hwnd=%h", L"ARCHIVE"},
        {L"@ImageWicViewer", L"@ImageWicViewer"},    {L"@ImageGdiViewer", L"@ImageGdiViewer"},
        {L"@MovieMusicViwer", L"@MovieMusicViwer"},  {L"@ArchiveViwer", L"@ArchiveViwer"},
        {L"@TextViewer", L"@TextViewer"},            {L"notepad.exe", L"SINGLE"},
        {L"explorer.exe", L"SINGLE"},                {L"@ImageSpiViewer", L"SINGLE"},
    };
    for (const auto& c : cases) EXPECT_EQ(SettingsKindOf(c.program), c.kind) << WideToUtf8(c.program);
    // The association file knows only the sibling names.
    EXPECT_EQ(ExtFileKindOf(L"@TextViewer"), L"SINGLE");
    EXPECT_EQ(ExtFileKindOf(L"C:\\quibFMtext.exe"), L"TEXT");
}

TEST(Associations, SlotsZeroFourAndSixGiveTwoCandidatesForZip) {
    std::array<StringList, 18> exts{};
    std::array<std::wstring, 18> exes{};
    exts[3] = {L".lzh", L".zip"};
    exes[3] = L"@ArchiveViwer";
    exts[4] = {L".txt"};
    exes[4] = L"@TextViewer";
    exts[5] = {L".ZIP"};
    exes[5] = L"\"C:\\p\\quibFMarchive.exe\" hwnd=%h";
    const auto table = AssociationsFromSettings(exts, exes);
    EXPECT_EQ(Lines(table), (StringList{L"@ArchiveViwer\t.lzh\t@ArchiveViwer\tDUMMY\t",
                                        L"@ArchiveViwer\t.zip\t@ArchiveViwer\tDUMMY\t",
                                        L"@TextViewer\t.txt\t@TextViewer\tDUMMY\t",
                                        L"ARCHIVE\t.ZIP\t\"C:\\p\\quibFMarchive.exe\" hwnd=%h\tDUMMY\t"}));
    const auto zip = AssociationCandidates(table, L".zip");
    ASSERT_EQ(zip.size(), 2u);
    EXPECT_EQ(zip[0].kind, L"@ArchiveViwer");
    EXPECT_EQ(zip[1].kind, L"ARCHIVE");
    EXPECT_TRUE(AssociationCandidates(table, L"").empty());
    EXPECT_EQ(ParseAssociationLine(AssociationLine(zip[1])).program, zip[1].program);
}

TEST(Associations, QuibFMExtGroups) {
    const std::wstring text =
        L".txt\r\nC:\\a\\quibFMtext.exe\r\nnotepad.exe\r\n"   // one extension, two programs
        L"/\r\n.jpg\r\n.png\r\n.gif\r\nC:\\a\\quibFMimage.exe\r\nmspaint.exe\r\n"  // three, two
        L"/\r\n.none\r\n"                                        // no program
        L"/\r\nlonely.exe\r\n"                                   // no extension
        L"\r\n/\r\n.mp3\r\n\r\nplayer.exe\r\n"                  // an empty line is passed over
        L"//\r\n.after\r\nignored.exe\r\n";
    const auto groups = ParseQuibFMExt(text, 101);
    ASSERT_EQ(groups.size(), 5u);
    EXPECT_EQ(Lines(AssociationsFromExtFile(groups)),
              (StringList{L"TEXT\t.txt\tC:\\a\\quibFMtext.exe\tDUMMY\t", L"SINGLE\t.txt\tnotepad.exe\tDUMMY\t",
                          L"IMAGE\t.jpg\tC:\\a\\quibFMimage.exe\tDUMMY\t",
                          L"IMAGE\t.png\tC:\\a\\quibFMimage.exe\tDUMMY\t",
                          L"IMAGE\t.gif\tC:\\a\\quibFMimage.exe\tDUMMY\t", L"SINGLE\t.mp3\tplayer.exe\tDUMMY\t"}));
    // The picker: one row per program line of a group with programs.
    const auto rows = ExtentionRows(groups);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[2].extensions, L".jpg;.png;.gif;");
    EXPECT_EQ(rows[3].program, L"mspaint.exe");
    EXPECT_EQ(rows[4].extensions, L"");
    EXPECT_EQ(rows[4].program, L"lonely.exe");
}

TEST(Associations, QuibFMExtStartingWithDoubleSlashIsEmptyAndGroupsStopAtTheLimit) {
    EXPECT_TRUE(AssociationsFromExtFile(ParseQuibFMExt(L"//\r\n.txt\r\nx.exe\r\n", 101)).empty());
    std::wstring many;
    for (int i = 0; i < 150; ++i) many += L".e" + std::to_wstring(i) + L"\r\np" + std::to_wstring(i) + L".exe\r\n/\r\n";
    EXPECT_EQ(ParseQuibFMExt(many, 101).size(), 101u);
    EXPECT_EQ(ParseQuibFMExt(many, 100).size(), 100u);
    quibtest::TempDir dir;
    EXPECT_TRUE(ReadQuibFMExt(dir.Path(), 101).empty());
    quibtest::WriteFileBytes(dir / L"quibFM.ext", "\xEF\xBB\xBF.txt\r\nnotepad.exe\r\n");
    const auto groups = ReadQuibFMExt(dir.Path(), 101);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].extensions, StringList{L".txt"});
}
