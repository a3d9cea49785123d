// The drive, new-folder, sort, rename and current-folder dialogs as a user
// meets them: each opened modally, driven by keys (names typed into the
// fields), its messages read in both languages, its answers read from the
// fields it hands back and its work from the file system.
#include <gtest/gtest.h>
#include <windows.h>

#include "FolderDialogTestSupport.h"
#include "extract/FormDrive.h"
#include "extract/FormJumpFolderEx.h"
#include "extract/FormMakeFolder.h"
#include "extract/FormRename.h"
#include "extract/FormSort.h"
#include "util/IniFile.h"
#include "util/Message.h"
#include "util/StrConv.h"
#include "util/TextFile.h"

using namespace quibtest;

namespace {

std::wstring Slash(const std::wstring& folder) { return folder + L"\\"; }

const std::wstring kNoAnswer = L"<unchanged>";

}  // namespace

// ---------------------------------------------------------------- new folder

TEST(MakeFolderDialog, RefusesABadNameThenMakesTheCleanedNameAndHandsBackItsPath) {
    for (bool japanese : {true, false}) {
        SCOPED_TRACE(japanese ? "Japanese" : "English");
        Program p(japanese);
        TempDir work;
        std::wstring result = kNoAnswer;
        MsgCapture msgs;
        std::wstring shownFolder, shownAfter;
        const int r = RunModal<quib::TFormMakeFolder>(
            japanese ? L"フォルダ作成" : L"Make folder",
            [&](quib::TFormMakeFolder& f) {
                shownFolder = WindowText(f.FolderField());
                EXPECT_EQ(GetFocus(), f.NameField());
                Type(f.NameField(), L"a:b");
                PressKey(f.NameField(), VK_RETURN);
                EXPECT_NE(Open<quib::TFormMakeFolder>(WindowText(f.Handle())), nullptr) << "closed on a bad name";
                EXPECT_FALSE(DirExists(work / L"a"));
                Type(f.NameField(), L"  new");
                PressKey(f.NameField(), VK_RETURN);
                shownAfter = WindowText(f.NameField());
            },
            Slash(work.Path()), result);
        EXPECT_EQ(r, quib::mrOK);
        EXPECT_EQ(shownFolder, Slash(work.Path()));
        EXPECT_EQ(shownAfter, L"new");
        EXPECT_EQ(msgs.Texts(), (std::vector<std::wstring>{
                                    japanese ? L"Information : フォルダに不正な文字が含まれています"
                                             : L"Information : Some letter in folder can not accept.\r\n[OK]"}));
        EXPECT_TRUE(DirExists(work / L"new"));
        EXPECT_EQ(result, work / L"new\\");
    }
}

TEST(MakeFolderDialog, MakesEveryMissingLevelAndAnEmptyNameGivesTheFolderItself) {
    Program p(true);
    TempDir work;
    std::wstring result;
    RunModal<quib::TFormMakeFolder>(
        L"フォルダ作成",
        [&](quib::TFormMakeFolder& f) {
            // The folder is shown in blue.
            HDC dc = CreateCompatibleDC(nullptr);
            SendMessageW(f.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(f.FolderField()));
            EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 255));
            DeleteDC(dc);
            // The folder to make in does not exist yet either.
            PressKey(f.NameField(), VK_RETURN);
        },
        work / L"x\\y\\", result);
    EXPECT_EQ(result, work / L"x\\y\\");
    EXPECT_TRUE(DirExists(work / L"x\\y"));
}

TEST(MakeFolderDialog, AFolderThatCannotBeMadeIsReportedAndEscClearsTheAnswer) {
    for (bool japanese : {true, false}) {
        Program p(japanese);
        TempDir work;
        WriteFileBytes(work / L"taken", "a file");
        std::wstring result = kNoAnswer;
        MsgCapture msgs;
        const int r = RunModal<quib::TFormMakeFolder>(
            japanese ? L"フォルダ作成" : L"Make folder",
            [&](quib::TFormMakeFolder& f) {
                Type(f.NameField(), L"taken");
                PressKey(f.NameField(), VK_RETURN);
                PressKey(f.NameField(), VK_ESCAPE);
            },
            Slash(work.Path()), result);
        EXPECT_EQ(r, quib::mrCancel);
        EXPECT_EQ(result, L"");
        ASSERT_EQ(msgs.Messages().size(), 1u);
        EXPECT_EQ(msgs.Messages()[0].text,
                  japanese ? L"Error : フォルダが作成できませんでした" : L"Error : Folder can not make.\r\n[OK]");
        EXPECT_EQ(msgs.Messages()[0].style, quib::MsgStyle::Error);
    }
}

// ---------------------------------------------------------------- drive

namespace {
const quib::StringList kDriveTable = {L"Root\tVolume\tType\tSerial\tFile\tDisk\tFree\tUse",
                                      L"B:\\\tFLOPPY\tRemovable\t0x00000001\tFAT\t1\t1\t0",
                                      L"C:\\\tSYSTEM\tHDD\t0x12345678\tNTFS\t100\t40\t60",
                                      L"Z:\\\t\t\t\t\t\t\t"};
}  // namespace

TEST(DriveDialog, ListsTheDrivesAndALetterKeyChoosesItsDriveAtOnce) {
    Program p(false);
    std::wstring result = kNoAnswer;
    std::vector<std::wstring> roots, volumes;
    int selectedAtStart = -1;
    const int r = RunModal<quib::TFormDrive>(
        L"Select drive",
        [&](quib::TFormDrive& f) {
            roots = ListColumnTexts(f.ListView1(), 1);
            volumes = ListColumnTexts(f.ListView1(), 2);
            selectedAtStart = ListSelectedRow(f.ListView1());
            EXPECT_EQ(ListCellText(f.ListView1(), 0, 0), L"");
            // A drive that is not there changes nothing.
            PressKey(f.ListView1(), 'Q');
            EXPECT_EQ(ListSelectedRow(f.ListView1()), 0);
            EXPECT_TRUE(IsWindowVisible(f.Handle()));
            PressKey(f.ListView1(), 'C');
        },
        kDriveTable, result);
    EXPECT_EQ(r, quib::mrOK);
    EXPECT_EQ(roots, (std::vector<std::wstring>{L"B:\\", L"C:\\", L"Z:\\"}));
    EXPECT_EQ(volumes, (std::vector<std::wstring>{L"FLOPPY", L"SYSTEM", L""}));
    EXPECT_EQ(selectedAtStart, 0);
    EXPECT_EQ(result, L"C:\\");
}

TEST(DriveDialog, TheBrowseWindowsDriveIsPreselectedEnterConfirmsEscClearsAndWidthsAreKept) {
    Program p(true);
    quib::BrowseDialogFields browse;
    browse.StrFolder = L"Z:\\tmp\\deep\\";
    std::wstring result = kNoAnswer;
    int preselected = -1;
    RunModal<quib::TFormDrive>(
        L"ドライブ設定",
        [&](quib::TFormDrive& f) {
            preselected = ListSelectedRow(f.ListView1());
            PressKey(f.ListView1(), VK_UP);
            PressKey(f.ListView1(), VK_RETURN);
        },
        kDriveTable, result, &browse);
    EXPECT_EQ(preselected, 2);
    EXPECT_EQ(result, L"C:\\");

    result = kNoAnswer;
    const int r = RunModal<quib::TFormDrive>(
        L"ドライブ設定", [&](quib::TFormDrive& f) { PressKey(f.ListView1(), VK_ESCAPE); }, kDriveTable, result);
    EXPECT_EQ(r, quib::mrCancel);
    EXPECT_EQ(result, L"");
    // The column widths are written back, in the list's pixels.
    for (int i = 0; i < 9; ++i) EXPECT_NE(p.folder.Read(L"ListViewWidth2", std::to_wstring(i)), L"<none>") << i;
}

// ---------------------------------------------------------------- sort

TEST(SortDialog, TheSwitchesExcludeEachOtherAndDateThenDescendingAnswersThreeAndOne) {
    for (bool japanese : {true, false}) {
        SCOPED_TRACE(japanese ? "Japanese" : "English");
        Program p(japanese);
        quib::BrowseDialogFields browse;
        browse.BoolSortExplorer = true;
        bool orderDisabledAtStart = false, keysDisabledAfter = false;
        const int r = RunModal<quib::TFormSort>(
            japanese ? L"ソート設定" : L"Sort",
            [&](quib::TFormSort& f) {
                using T = quib::TFormSort;
                orderDisabledAtStart = !IsWindowEnabled(f.Control(T::kTagButtonAscending)) &&
                                       !IsWindowEnabled(f.Control(T::kTagButtonDescending));
                EXPECT_EQ(SendMessageW(f.Control(T::kTagCheckExplorer), BM_GETCHECK, 0, 0), BST_CHECKED);
                PressKeyOnFocus('A');  // the SJIS box
                PressKeyOnFocus('D');  // by date
                keysDisabledAfter = !IsWindowEnabled(f.Control(T::kTagButtonDate));
                EXPECT_EQ(GetFocus(), f.Control(T::kTagButtonAscending));
                PressKeyOnFocus('D');  // descending
            },
            browse);
        EXPECT_EQ(r, quib::mrOK);
        EXPECT_TRUE(orderDisabledAtStart);
        EXPECT_TRUE(keysDisabledAfter);
        EXPECT_EQ(browse.StrRetFormSortMode, L"3");
        EXPECT_EQ(browse.StrRetFormSortOrder, L"1");
        EXPECT_EQ(browse.StrRetFormSortExplorer, L"0");
        EXPECT_EQ(browse.StrRetFormSortQuibFM, L"1");
        EXPECT_EQ(browse.StrRetFormSortUnicode, L"0");
    }
}

TEST(SortDialog, EnterOnTheFirstKeyThenOnAscendingAnswersAndEscAnswersNothing) {
    Program p(true);
    quib::BrowseDialogFields browse;
    browse.BoolSortUnicode = true;
    RunModal<quib::TFormSort>(
        L"ソート設定",
        [&](quib::TFormSort&) {
            PressKeyOnFocus(VK_RETURN);  // by name (the first button has the focus)
            PressKeyOnFocus(VK_RETURN);  // ascending
        },
        browse);
    EXPECT_EQ(browse.StrRetFormSortMode, L"1");
    EXPECT_EQ(browse.StrRetFormSortOrder, L"0");
    EXPECT_EQ(browse.StrRetFormSortUnicode, L"1");
    EXPECT_EQ(browse.StrRetFormSortExplorer, L"0");

    quib::BrowseDialogFields untouched;
    untouched.StrRetFormSortMode = kNoAnswer;
    const int r = RunModal<quib::TFormSort>(
        L"ソート設定",
        [&](quib::TFormSort&) {
            PressKeyOnFocus('Z');  // no sort
            PressKeyOnFocus(VK_ESCAPE);
        },
        untouched);
    EXPECT_EQ(r, quib::mrCancel);
    EXPECT_EQ(untouched.StrRetFormSortMode, kNoAnswer);
    EXPECT_EQ(untouched.StrRetFormSortOrder, L"");
}

// ---------------------------------------------------------------- rename

TEST(RenameDialog, RenamesNameAfterNameWithSkipRefusalsAndTheCaseOnlyChange) {
    for (bool japanese : {true, false}) {
        SCOPED_TRACE(japanese ? "Japanese" : "English");
        Program p(japanese);
        TempDir t;
        CreateDirectoryW((t / L"Data").c_str(), nullptr);
        WriteFileBytes(t / L"Data\\inner.txt", "inner");
        WriteFileBytes(t / L"a.txt", "a");
        WriteFileBytes(t / L"b.txt", "b");
        quib::BrowseDialogFields browse;
        browse.StrListRenameSrc = {L"Data\\", L"a.txt", L"b.txt"};
        browse.StrSetFormRename = Slash(t.Path());
        MsgCapture msgs;
        std::vector<std::wstring> oldShown, pathShown, listed;
        bool skipVisible = false;
        std::vector<int> rows;
        const int r = RunModal<quib::TFormRename>(
            japanese ? L"名前変更" : L"Rename",
            [&](quib::TFormRename& f) {
                skipVisible = IsWindowVisible(f.Button(quib::TFormRename::kTagButtonSkip)) != FALSE;
                pathShown.push_back(WindowText(f.PathField()));
                for (int i = 0; i < 3; ++i) {
                    std::wstring s(64, L'\0');
                    s.resize(static_cast<size_t>(
                        SendMessageW(f.NameList(), LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s.data()))));
                    listed.push_back(s);
                }
                oldShown.push_back(WindowText(f.OldField()));
                EXPECT_EQ(WindowText(f.NewField()), L"Data");
                Type(f.NewField(), L"data");  // only the case: refused
                PressKey(f.NewField(), VK_RETURN);
                rows.push_back(static_cast<int>(SendMessageW(f.NameList(), LB_GETCURSEL, 0, 0)));
                Type(f.NewField(), L"Data2");
                PressKey(f.NewField(), VK_RETURN);
                rows.push_back(static_cast<int>(SendMessageW(f.NameList(), LB_GETCURSEL, 0, 0)));
                oldShown.push_back(WindowText(f.OldField()));
                PressKey(f.NewField(), 'S', 2);  // Alt+S: skip a.txt
                rows.push_back(static_cast<int>(SendMessageW(f.NameList(), LB_GETCURSEL, 0, 0)));
                oldShown.push_back(WindowText(f.OldField()));
                Type(f.NewField(), L"b?.txt");
                PressKey(f.NewField(), VK_RETURN);
                Type(f.NewField(), L"b2.txt");
                PressKey(f.NewField(), VK_RETURN);
            },
            browse);
        EXPECT_EQ(r, quib::mrOK);
        EXPECT_TRUE(skipVisible);
        EXPECT_EQ(pathShown, (std::vector<std::wstring>{Slash(t.Path())}));
        EXPECT_EQ(listed, (std::vector<std::wstring>{L"Data\\", L"a.txt", L"b.txt"}));
        EXPECT_EQ(oldShown, (std::vector<std::wstring>{L"Data", L"a.txt", L"b.txt"}));
        EXPECT_EQ(rows, (std::vector<int>{0, 1, 2}));
        EXPECT_EQ(msgs.Texts(),
                  (std::vector<std::wstring>{
                      japanese ? L"Information : 同一のフォルダ名またはファイル名があります"
                               : L"Information : Same folder or file is already exist.\r\n[OK]",
                      japanese ? L"Information : 不正な文字が含まれています" : L"Information : Some letter can not accept.\r\n[OK]"}));
        EXPECT_EQ(ReadFileBytes(t / L"Data2\\inner.txt"), "inner");
        EXPECT_FALSE(DirExists(t / L"Data"));
        EXPECT_EQ(ReadFileBytes(t / L"a.txt"), "a");
        EXPECT_EQ(ReadFileBytes(t / L"b2.txt"), "b");
        EXPECT_FALSE(FileExists(t / L"b.txt"));
        EXPECT_EQ(browse.StrRetFormRename, L"b2.txt");
    }
}

TEST(RenameDialog, OneReadOnlyFileKeepsItsAttributeAndSkipIsHidden) {
    Program p(true);
    TempDir t;
    WriteFileBytes(t / L"ro.txt", "ro");
    SetFileAttributesW((t / L"ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    quib::BrowseDialogFields browse;
    browse.StrListRenameSrc = {L"ro.txt"};
    browse.StrSetFormRename = t / L"ro.txt";  // the folder part is what counts
    bool skipVisible = true;
    const int r = RunModal<quib::TFormRename>(
        L"名前変更",
        [&](quib::TFormRename& f) {
            skipVisible = IsWindowVisible(f.Button(quib::TFormRename::kTagButtonSkip)) != FALSE;
            Type(f.NewField(), L"  ro2.txt");
            PressKey(f.NewField(), VK_RETURN);
        },
        browse);
    EXPECT_EQ(r, quib::mrOK);
    EXPECT_FALSE(skipVisible);
    const DWORD a = GetFileAttributesW((t / L"ro2.txt").c_str());
    ASSERT_NE(a, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(a & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(browse.StrRetFormRename, L"ro2.txt");
    SetFileAttributesW((t / L"ro2.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(RenameDialog, EscLeavesTheNamesAndTheLastAnswerAlone) {
    Program p(true);
    TempDir t;
    WriteFileBytes(t / L"a.txt", "a");
    quib::BrowseDialogFields browse;
    browse.StrListRenameSrc = {L"a.txt"};
    browse.StrSetFormRename = Slash(t.Path());
    browse.StrRetFormRename = L"earlier";
    const int r = RunModal<quib::TFormRename>(
        L"名前変更",
        [&](quib::TFormRename& f) {
            Type(f.NewField(), L"z.txt");
            PressKey(f.NewField(), VK_ESCAPE);
        },
        browse);
    EXPECT_EQ(r, quib::mrCancel);
    EXPECT_TRUE(FileExists(t / L"a.txt"));
    EXPECT_FALSE(FileExists(t / L"z.txt"));
    EXPECT_EQ(browse.StrRetFormRename, L"earlier");
}

// ---------------------------------------------------------------- current folder

namespace {
std::vector<std::wstring> ListBoxTexts(HWND list) {
    std::vector<std::wstring> items;
    const auto n = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        const auto len = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring s(static_cast<size_t>(len) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s.data()));
        s.resize(static_cast<size_t>(len));
        items.push_back(s);
    }
    return items;
}
}  // namespace

TEST(JumpFolderExDialog, AFilerCaptionFillsTheFieldAndEnterTakesItIntoTheHistory) {
    Program p(true);
    TempDir a, b;
    const std::wstring historyFile = quib::ProgramFolder() + L"\\quibFMarchive-Current.txt";
    // An older copy of the choice in other case goes; the rest follows it.
    ASSERT_TRUE(quib::WriteUtf16Lines(historyFile, {L"C:\\older\\", quib::ToUpper(Slash(b.Path())), L"C:\\oldest\\"}));
    quib::BrowseDialogFields browse;
    std::vector<std::wstring> filers, history, fields;
    const int r = RunModal<quib::TFormJumpFolderEx>(
        L"カレント変更",
        [&](quib::TFormJumpFolderEx& f) {
            filers = ListBoxTexts(f.FilerList());
            history = ListBoxTexts(f.HistoryList());
            EXPECT_EQ(GetFocus(), f.NameField());
            fields.push_back(WindowText(f.NameField()));
            PressKey(f.NameField(), VK_TAB);  // into the filer list: its first row
            EXPECT_EQ(GetFocus(), f.FilerList());
            fields.push_back(WindowText(f.NameField()));
            PressKey(f.FilerList(), VK_DOWN);
            fields.push_back(WindowText(f.NameField()));
            PressKey(f.FilerList(), VK_DOWN);  // a PellFM caption leaves the field
            fields.push_back(WindowText(f.NameField()));
            PressKey(f.FilerList(), VK_UP);
            PressKey(f.FilerList(), VK_RETURN);
        },
        quib::StringList{Slash(a.Path()) + L" - quibFM", L"  " + Slash(b.Path()) + L" - PellFMmini", L"D:\\ - PellFM"},
        browse);
    EXPECT_EQ(r, quib::mrOK);
    EXPECT_EQ(filers.size(), 3u);
    EXPECT_EQ(history, (std::vector<std::wstring>{L"C:\\older\\", quib::ToUpper(Slash(b.Path())), L"C:\\oldest\\"}));
    EXPECT_EQ(fields, (std::vector<std::wstring>{L"", Slash(a.Path()), Slash(b.Path()), Slash(b.Path())}));
    EXPECT_EQ(browse.StrRetFormJumpFolderEx, Slash(b.Path()));
    const std::vector<std::wstring> expected = {Slash(b.Path()), L"C:\\older\\", L"C:\\oldest\\"};
    EXPECT_EQ(browse.StrListCurrentHistory, expected);
    quib::StringList written;
    ASSERT_TRUE(quib::ReadUtf16Lines(historyFile, written));
    while (!written.empty() && written.back().empty()) written.pop_back();
    EXPECT_EQ(written, expected);
    EXPECT_EQ(ReadFileBytes(historyFile).substr(0, 2), std::string("\xFF\xFE"));
}

TEST(JumpFolderExDialog, AHistoryLineIsTakenWithTheKeysAndAFilePathKeepsItsName) {
    Program p(false);
    TempDir a;
    WriteFileBytes(a / L"note.txt", "x");
    ASSERT_TRUE(quib::WriteUtf16Lines(quib::ProgramFolder() + L"\\quibFMarchive-Current.txt",
                                      {Slash(a.Path()), a / L"note.txt"}));
    quib::BrowseDialogFields browse;
    std::vector<std::wstring> fields;
    const int r = RunModal<quib::TFormJumpFolderEx>(
        L"Change current folder",
        [&](quib::TFormJumpFolderEx& f) {
            SetFocus(f.HistoryList());
            Pump();
            fields.push_back(WindowText(f.NameField()));
            EXPECT_EQ(GetFocus(), f.HistoryList());
            PressKey(f.HistoryList(), VK_DOWN);
            fields.push_back(WindowText(f.NameField()));
            PressKey(f.HistoryList(), VK_RETURN);
        },
        quib::StringList{}, browse);
    EXPECT_EQ(r, quib::mrOK);
    EXPECT_EQ(fields, (std::vector<std::wstring>{Slash(a.Path()), a / L"note.txt"}));
    EXPECT_EQ(browse.StrRetFormJumpFolderEx, a / L"note.txt");
    EXPECT_EQ(browse.StrListCurrentHistory, (quib::StringList{a / L"note.txt", Slash(a.Path())}));
}

TEST(JumpFolderExDialog, EmptyListsEmptyFieldsAndMissingFoldersAreToldInBothLanguages) {
    for (bool japanese : {true, false}) {
        SCOPED_TRACE(japanese ? "Japanese" : "English");
        Program p(japanese);
        TempDir a;
        quib::BrowseDialogFields browse;
        browse.StrRetFormJumpFolderEx = kNoAnswer;
        MsgCapture msgs;
        const std::wstring missing = a / L"gone\\";
        const int r = RunModal<quib::TFormJumpFolderEx>(
            japanese ? L"カレント変更" : L"Change current folder",
            [&](quib::TFormJumpFolderEx& f) {
                PressKey(f.NameField(), VK_RETURN);  // empty field
                PressKey(f.NameField(), VK_TAB);     // the empty filer list
                PressKey(f.FilerList(), VK_TAB);     // the empty history list (no file)
                Type(f.NameField(), missing + L"x.txt");
                PressKey(f.NameField(), VK_RETURN);
                EXPECT_EQ(WindowText(f.NameField()), missing + L"x.txt");
                PressKey(f.NameField(), VK_ESCAPE);
            },
            quib::StringList{}, browse);
        EXPECT_EQ(r, quib::mrCancel);
        EXPECT_EQ(browse.StrRetFormJumpFolderEx, L"");
        const std::vector<std::wstring> expected =
            japanese ? std::vector<std::wstring>{L"Information : フォルダ名またはファイル名が設定されていません",
                                                 L"Information : quibFM の内容が設定されていません",
                                                 L"Information : 履歴の内容が設定されていません",
                                                 L"Information : フォルダがありません\r\n" + missing}
                     : std::vector<std::wstring>{L"Information : FolderName or FileName is empty.\r\n[OK]",
                                                 L"Information : Items of quibFM is empty.\r\n[OK]",
                                                 L"Information : History items is empty.\r\n[OK]",
                                                 L"Information : Folder is not exist.\r\n[OK]\r\n" + missing};
        EXPECT_EQ(msgs.Texts(), expected);
        EXPECT_FALSE(FileExists(quib::ProgramFolder() + L"\\quibFMarchive-Current.txt"));
    }
}
