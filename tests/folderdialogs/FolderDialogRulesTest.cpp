// The rules of the small folder dialogs, without a window: which names are
// refused, how a typed name is cleaned up, the folder a typed path names,
// the current-folder history and its file, the folder of a filer caption,
// the drive rows, and renames on a real temporary folder tree.
#include <gtest/gtest.h>
#include <windows.h>

#include "TestSupport.h"
#include "extract/FolderDialogRules.h"
#include "util/StrConv.h"

using namespace quibtest;
using quib::RenameOutcome;

namespace {
std::string U8(const std::wstring& s) { return quib::WideToUtf8(s); }
}  // namespace

TEST(FolderNames, EachForbiddenCharacterIsRefusedAndNothingElse) {
    for (const wchar_t* bad : {L"a*b", L"a|b", L"a\\b", L"a:b", L"a\"b", L"a<b", L"a>b", L"a?b", L"a/b", L"*"})
        EXPECT_TRUE(quib::HasInvalidNameCharacter(bad)) << U8(bad);
    for (const wchar_t* good : {L"", L"new", L"a b.txt", L"日本語フォルダ", L"a.b.c", L"(1) [2] {3} #4 %5 &6"})
        EXPECT_FALSE(quib::HasInvalidNameCharacter(good)) << U8(good);
}

TEST(FolderNames, LeadingBlanksGoAndLineBreaksAndTabsBecomeOneBlank) {
    const struct {
        const wchar_t* typed;
        const wchar_t* cleaned;
    } cases[] = {
        {L"  new", L"new"},
        {L"\t new", L"new"},
        {L"new  ", L"new  "},  // only the leading ones
        {L"a\tb", L"a b"},
        {L"a\r\nb", L"a b"},  // CR LF is one blank, not two
        {L"a\rb", L"a b"},
        {L"a\nb", L"a b"},
        {L"a\r\n\r\nb", L"a  b"},
        {L"", L""},
        {L"   ", L""},
    };
    for (const auto& c : cases) EXPECT_EQ(quib::NormaliseName(c.typed), c.cleaned) << U8(c.typed);
}

TEST(FolderNames, TheFolderToMakeAndTheFolderATypedPathNames) {
    EXPECT_EQ(quib::MakeFolderPath(L"C:\\work\\", L"new"), L"C:\\work\\new\\");
    EXPECT_EQ(quib::MakeFolderPath(L"C:\\work\\", L"new\\"), L"C:\\work\\new\\");
    // An empty name is the folder itself.
    EXPECT_EQ(quib::MakeFolderPath(L"C:\\work\\", L""), L"C:\\work\\");
    EXPECT_EQ(quib::FolderPartOf(L"C:\\Windows\\"), L"C:\\Windows\\");
    EXPECT_EQ(quib::FolderPartOf(L"C:\\Windows\\notepad.exe"), L"C:\\Windows\\");
    EXPECT_EQ(quib::FolderPartOf(L"C:notes.txt"), L"C:");
    EXPECT_EQ(quib::FolderPartOf(L"notes.txt"), L"");
    EXPECT_EQ(quib::ExtractFilePath(L"C:\\a\\b\\"), L"C:\\a\\b\\");
    EXPECT_EQ(quib::ExtractFilePath(L"C:\\a\\b"), L"C:\\a\\");
}

TEST(CurrentHistory, TheChoiceGoesOnTopItsOtherCopiesGoWithoutRegardToCase) {
    const quib::StringList history = {L"C:\\a\\", L"C:\\WORK\\", L"C:\\b\\"};
    EXPECT_EQ(quib::UpdateCurrentHistory(history, L"C:\\work\\"),
              (quib::StringList{L"C:\\work\\", L"C:\\a\\", L"C:\\b\\"}));
    EXPECT_EQ(quib::UpdateCurrentHistory({}, L"C:\\x\\"), (quib::StringList{L"C:\\x\\"}));
}

TEST(CurrentHistory, TheThirtyThirdDistinctEntryPushesTheOldestOut) {
    quib::StringList history;
    for (int i = 0; i < 33; ++i) history = quib::UpdateCurrentHistory(history, L"C:\\f" + std::to_wstring(i) + L"\\");
    ASSERT_EQ(history.size(), 32u);
    EXPECT_EQ(history.front(), L"C:\\f32\\");
    EXPECT_EQ(history.back(), L"C:\\f1\\");  // f0 is gone
    // A file written elsewhere with more lines still comes back at 32.
    quib::StringList long_(40, L"x");
    for (size_t i = 0; i < long_.size(); ++i) long_[i] = L"C:\\g" + std::to_wstring(i) + L"\\";
    EXPECT_EQ(quib::UpdateCurrentHistory(long_, L"C:\\new\\").size(), 32u);
}

TEST(CurrentHistory, TheFileIsUtf16WithAByteOrderMarkAndAMissingFileIsNoHistory) {
    TempDir dir;
    EXPECT_FALSE(quib::ReadCurrentHistory(dir.Path()).has_value());
    ASSERT_TRUE(quib::WriteCurrentHistory(dir.Path(), {L"C:\\日本\\", L"D:\\x.txt"}));
    EXPECT_EQ(quib::CurrentHistoryPath(dir.Path()), dir / L"quibFMarchive-Current.txt");
    const std::string bytes = ReadFileBytes(dir / L"quibFMarchive-Current.txt");
    const std::wstring expected = L"\xFEFF" L"C:\\日本\\\r\nD:\\x.txt\r\n";
    EXPECT_EQ(bytes, std::string(reinterpret_cast<const char*>(expected.data()), expected.size() * 2));
    const auto back = quib::ReadCurrentHistory(dir.Path());
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, (quib::StringList{L"C:\\日本\\", L"D:\\x.txt"}));
}

TEST(FilerCaption, TheFolderBeforeTheFilersSuffixLeadingBlanksRemoved) {
    const struct {
        const wchar_t* caption;
        const wchar_t* field;  // null: the field keeps its text
    } cases[] = {
        {L"C:\\work\\ - quibFM", L"C:\\work\\"},
        {L"   C:\\work\\ - quibFM", L"C:\\work\\"},
        {L"E:\\ - PellFMmini", L"E:\\"},
        {L"  E:\\日本\\ - PellFMmini", L"E:\\日本\\"},
        {L"D:\\ - PellFM", nullptr},
        {L"Notepad", nullptr},
        {L"", nullptr},
    };
    for (const auto& c : cases) {
        const auto field = quib::FolderOfFilerCaption(c.caption);
        if (c.field) {
            ASSERT_TRUE(field.has_value()) << U8(c.caption);
            EXPECT_EQ(*field, c.field) << U8(c.caption);
        } else {
            EXPECT_FALSE(field.has_value()) << U8(c.caption);
        }
    }
}

TEST(DriveRows, TheHeaderIsDroppedAndARootIsFoundOnlyAsWritten) {
    const quib::StringList table = {L"Root\tVolume\tType\tSerial\tFile\tDisk\tFree\tUse",
                                    L"C:\\\tSYS\tHDD\t0x12345678\tNTFS\t100\t50\t50", L"Z:\\\t\t\t\t\t\t\t"};
    const auto rows = quib::DriveRows(table);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (quib::StringList{L"C:\\", L"SYS", L"HDD", L"0x12345678", L"NTFS", L"100", L"50", L"50"}));
    EXPECT_EQ(rows[1].size(), 8u);
    EXPECT_EQ(rows[1][0], L"Z:\\");
    EXPECT_EQ(quib::DriveRowOfRoot(rows, L"Z:\\"), 1);
    EXPECT_EQ(quib::DriveRowOfRoot(rows, L"z:\\"), -1);
    EXPECT_EQ(quib::DriveRowOfRoot(rows, L"B:\\"), -1);
    EXPECT_TRUE(quib::DriveRows({}).empty());
}

namespace {

// A small tree: Data\inner.txt, a.txt (read-only), b.txt.
struct Tree {
    TempDir dir;
    std::wstring path;  // with a final backslash
    Tree() : path(dir.Path() + L"\\") {
        CreateDirectoryW((dir / L"Data").c_str(), nullptr);
        WriteFileBytes(dir / L"Data\\inner.txt", "inner");
        WriteFileBytes(dir / L"a.txt", "a");
        WriteFileBytes(dir / L"b.txt", "b");
        SetFileAttributesW((dir / L"a.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    }
    ~Tree() {
        // Read-only entries would stay behind.
        for (const wchar_t* n : {L"a.txt", L"a2.txt", L"A.TXT"}) SetFileAttributesW((dir / n).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    // The names in the folder as the file system spells them.
    std::wstring NameOf(const std::wstring& name) const {
        WIN32_FIND_DATAW fd{};
        HANDLE h = FindFirstFileW((dir / name).c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE) return L"";
        FindClose(h);
        return fd.cFileName;
    }
};

}  // namespace

TEST(Rename, AFolderIsRenamedWithItsContents) {
    Tree t;
    const auto r = quib::RenameFileFolder(t.path, L"Data", L"Data2");
    EXPECT_EQ(r.outcome, RenameOutcome::Renamed);
    EXPECT_EQ(r.newName, L"Data2");
    EXPECT_FALSE(DirExists(t.dir / L"Data"));
    EXPECT_EQ(ReadFileBytes(t.dir / L"Data2\\inner.txt"), "inner");
}

TEST(Rename, ACaseOnlyChangeIsRefusedAsExistingAndNothingMoves) {
    Tree t;
    for (const auto& [oldName, newName] :
         {std::pair<const wchar_t*, const wchar_t*>{L"Data", L"data"}, {L"b.txt", L"B.TXT"}, {L"b.txt", L"a.txt"}}) {
        const auto r = quib::RenameFileFolder(t.path, oldName, newName);
        EXPECT_EQ(r.outcome, RenameOutcome::AlreadyExists) << U8(newName);
        EXPECT_EQ(t.NameOf(oldName), oldName) << U8(oldName);
    }
    EXPECT_EQ(ReadFileBytes(t.dir / L"a.txt"), "a");
    EXPECT_EQ(ReadFileBytes(t.dir / L"b.txt"), "b");
}

TEST(Rename, AReadOnlyFileStaysReadOnlyUnderItsNewName) {
    Tree t;
    const auto r = quib::RenameFileFolder(t.path, L"a.txt", L"a2.txt");
    ASSERT_EQ(r.outcome, RenameOutcome::Renamed);
    const DWORD a = GetFileAttributesW((t.dir / L"a2.txt").c_str());
    ASSERT_NE(a, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(a & FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(FileExists(t.dir / L"a.txt"));
    EXPECT_EQ(ReadFileBytes(t.dir / L"a2.txt"), "a");
}

TEST(Rename, TheNewNameIsCleanedUpAndBadNamesOrMissingEntriesAreRefused) {
    Tree t;
    auto r = quib::RenameFileFolder(t.path, L"b.txt", L"  b 2\t.txt");
    EXPECT_EQ(r.outcome, RenameOutcome::Renamed);
    EXPECT_EQ(r.newName, L"b 2 .txt");
    EXPECT_EQ(ReadFileBytes(t.dir / L"b 2 .txt"), "b");

    r = quib::RenameFileFolder(t.path, L"Data", L"x:y");
    EXPECT_EQ(r.outcome, RenameOutcome::InvalidCharacter);
    EXPECT_TRUE(DirExists(t.dir / L"Data"));

    r = quib::RenameFileFolder(t.path, L"gone.txt", L"here.txt");
    EXPECT_EQ(r.outcome, RenameOutcome::AttributeReadFailed);
    EXPECT_FALSE(FileExists(t.dir / L"here.txt"));
}

TEST(Rename, EachFailureHasItsMessageInBothLanguages) {
    const struct {
        RenameOutcome outcome;
        const wchar_t* japanese;
        const wchar_t* english;
        bool error;
    } cases[] = {
        {RenameOutcome::InvalidCharacter, L"Information : 不正な文字が含まれています",
         L"Information : Some letter can not accept.\r\n[OK]", false},
        {RenameOutcome::AlreadyExists, L"Information : 同一のフォルダ名またはファイル名があります",
         L"Information : Same folder or file is already exist.\r\n[OK]", false},
        {RenameOutcome::AttributeReadFailed, L"Error : 属性が取得できませんでした",
         L"Error : Get attribute failed.\r\n[OK]", true},
        {RenameOutcome::FolderMoveFailed, L"Error : フォルダ名の変更に失敗しました",
         L"Error : Rename folder failed.\r\n[OK]", true},
        {RenameOutcome::FileMoveFailed, L"Error : ファイル名の変更に失敗しました",
         L"Error : Rename file failed.\r\n[OK]", true},
        {RenameOutcome::FolderAttributeFailed, L"Error : フォルダ属性の変更が失敗しました",
         L"Error : Change folder attribute failed.\r\n[OK]", true},
        {RenameOutcome::FileAttributeFailed, L"Error : ファイル属性の変更が失敗しました",
         L"Error : Change file attribute failed.\r\n[OK]", true},
        {RenameOutcome::NeitherFolderNorFile, L"Error : ファイル属性がフォルダでもファイルでもありません",
         L"Error : Attribute is not folder or file.\r\n[OK]", true},
    };
    for (const auto& c : cases) {
        const auto m = quib::RenameMessage(c.outcome);
        EXPECT_EQ(m.japanese, c.japanese);
        EXPECT_EQ(m.english, c.english);
        EXPECT_EQ(m.error, c.error) << U8(c.english);
    }
    EXPECT_TRUE(quib::RenameMessage(RenameOutcome::Renamed).japanese.empty());
}
