// The browse window as a user meets it: opened modally, driven only by keys
// (its key map and the small dialogs it opens), its rows and labels read
// through the list control and the windows, its answer read from what it
// hands back; and the extraction dialog's browse button bringing the chosen
// folder into the destination field.
#include <gtest/gtest.h>
#include <windows.h>

#include "FolderDialogTestSupport.h"
#include "extract/FormBrowse.h"
#include "extract/FormDrive.h"
#include "extract/FormExtract.h"
#include "extract/FormRename.h"
#include "util/Controls.h"
#include "keymap/KeyMap.h"
#include "util/IniFile.h"
#include "util/Message.h"
#include "util/StrConv.h"

using namespace quibtest;

namespace {

struct Picker {
    std::vector<std::wstring> drives;
    quib::FolderPickerHost host;
    Picker() { host.driveTable = &drives; }
};

const std::wstring kNoAnswer = L"<unchanged>";

// Shows the browse window while the step drives it; the modal result.
int RunBrowse(Picker& picker, const std::wstring& start, std::wstring& result, bool japanese,
              const std::function<void(quib::TFormBrowse&)>& step) {
    bool ran = false;
    DuringModal driver([&] {
        auto* f = Open<quib::TFormBrowse>(japanese ? L"参照" : L"Browse");
        if (!f) return false;
        step(*f);
        ran = true;
        return true;
    }, 60000);
    quib::FormInstance<quib::TFormBrowse> form(picker.host, start, result);
    const int r = form.ShowModal();
    EXPECT_TRUE(ran) << "the browse window never showed";
    return r;
}

// The full names (hidden column 9) of the rows, as the list shows them.
std::vector<std::wstring> FullNames(HWND list) { return ListColumnTexts(list, 9); }
std::wstring SelectedName(HWND list) {
    const int r = ListSelectedRow(list);
    return r < 0 ? L"<none>" : ListCellText(list, r, 9);
}

std::wstring Slash(const std::wstring& folder) { return folder + L"\\"; }

}  // namespace

TEST(BrowseWindow, IntoAFolderAndBackPutsTheCursorOnItAndOkHandsBackTheFolderChosen) {
    for (bool japanese : {true, false}) {
        SCOPED_TRACE(japanese ? "Japanese" : "English");
        Program p(japanese);
        TempDir work;
        CreateDirectoryW((work / L"a").c_str(), nullptr);
        CreateDirectoryW((work / L"b").c_str(), nullptr);
        WriteFileBytes(work / L"x.txt", "xyz");
        Picker picker;
        std::wstring result = kNoAnswer;
        MsgCapture msgs;
        const int r = RunBrowse(picker, Slash(work.Path()), result, japanese, [&](quib::TFormBrowse& f) {
            HWND list = f.ListView1();
            EXPECT_EQ(GetFocus(), list);
            EXPECT_EQ(FullNames(list), (std::vector<std::wstring>{L"<..>", L"a", L"b", L"x.txt"}));
            EXPECT_EQ(ListCellText(list, 3, 1), L"x");
            EXPECT_EQ(ListCellText(list, 3, 2), L".txt");
            EXPECT_EQ(ListCellText(list, 1, 3), L" <DIR>");
            EXPECT_EQ(f.UpperLabel(), Slash(work.Path()));
            PressKey(list, VK_DOWN);
            PressKey(list, VK_DOWN);
            EXPECT_EQ(SelectedName(list), L"b");
            EXPECT_EQ(f.LowerLabel(), work / L"b\\");
            PressKey(list, VK_RETURN);
            EXPECT_EQ(f.UpperLabel(), work / L"b\\");
            EXPECT_EQ(FullNames(list), (std::vector<std::wstring>{L"<..>"}));
            PressKey(list, VK_BACK);
            EXPECT_EQ(f.UpperLabel(), Slash(work.Path()));
            EXPECT_EQ(SelectedName(list), L"b") << "back up: the cursor on the folder left";
            // Into a, back up: a now, b forgotten.
            PressKey(list, VK_UP);
            PressKey(list, VK_RETURN);
            PressKey(list, VK_BACK);
            EXPECT_EQ(SelectedName(list), L"a");
            // A file cannot be chosen in folder mode; the window stays.
            PressKey(list, VK_DOWN);
            PressKey(list, VK_DOWN);
            EXPECT_EQ(SelectedName(list), L"x.txt");
            PressKey(list, VK_RETURN);  // into a file: nothing
            EXPECT_EQ(f.UpperLabel(), Slash(work.Path()));
            PressKey(list, VK_RETURN, 1);
            EXPECT_TRUE(IsWindowVisible(f.Handle()));
            PressKey(f.ListView1(), VK_UP);
            PressKey(f.ListView1(), VK_RETURN, 1);
        });
        EXPECT_EQ(r, quib::mrOK);
        EXPECT_EQ(result, work / L"b\\");
        EXPECT_EQ(msgs.Texts(), (std::vector<std::wstring>{japanese ? L"Information : ファイルは指定できません"
                                                                    : L"Information : File can not accept.\r\n[OK]"}));
    }
}

TEST(BrowseWindow, FileModeStartsOnTheGivenFileWhateverItsCaseAndRefusesFolders) {
    Program p(true);
    p.folder.Write(L"Browse", L"Target", L"File");
    TempDir work;
    CreateDirectoryW((work / L"sub").c_str(), nullptr);
    WriteFileBytes(work / L"Report.TXT", "r");
    WriteFileBytes(work / L"other.txt", "o");
    Picker picker;
    std::wstring result = kNoAnswer;
    MsgCapture msgs;
    const int r = RunBrowse(picker, work / L"report.txt", result, true, [&](quib::TFormBrowse& f) {
        HWND list = f.ListView1();
        EXPECT_EQ(SelectedName(list), L"Report.TXT");
        EXPECT_EQ(f.LowerLabel(), work / L"Report.TXT");
        PressKey(list, VK_HOME, 4);  // Ctrl+Home: the first row
        EXPECT_EQ(SelectedName(list), L"<..>");
        PressKey(list, VK_RETURN, 1);
        EXPECT_TRUE(IsWindowVisible(f.Handle()));
        PressKey(list, VK_END);
        PressKey(list, VK_RETURN, 1);
    });
    EXPECT_EQ(r, quib::mrOK);
    EXPECT_EQ(msgs.Texts(), (std::vector<std::wstring>{L"Information : このフォルダは指定できません"}));
    // The last row: the files sorted by name, "Report.TXT" after "other.txt".
    EXPECT_EQ(result, work / L"Report.TXT");
}

TEST(BrowseWindow, AnEmptyStartShowsTheRootRowWhichCannotBeEnteredLeftOrRenamed) {
    for (bool japanese : {true, false}) {
        SCOPED_TRACE(japanese ? "Japanese" : "English");
        Program p(japanese);
        Picker picker;
        std::wstring result = kNoAnswer;
        MsgCapture msgs;
        const int r = RunBrowse(picker, L"", result, japanese, [&](quib::TFormBrowse& f) {
            HWND list = f.ListView1();
            EXPECT_EQ(f.UpperLabel(), L"C:\\");
            ASSERT_GT(ListRowCount(list), 1);
            EXPECT_EQ(ListCellText(list, 0, 1), L"<\\>");
            EXPECT_EQ(ListCellText(list, 0, 10), L"ROOT_MARK");
            for (const auto& n : FullNames(list)) EXPECT_NE(n, L"<..>");
            PressKey(list, VK_HOME, 4);
            PressKey(list, VK_BACK);
            PressKey(list, VK_RETURN);
            EXPECT_EQ(f.UpperLabel(), L"C:\\");
            PressKey(list, 'N');  // rename: refused on the root row
            PressKey(list, VK_ESCAPE);
        });
        EXPECT_EQ(r, quib::mrCancel);
        EXPECT_EQ(result, kNoAnswer) << "Esc leaves the answer as it was";
        EXPECT_EQ(msgs.Texts(), (std::vector<std::wstring>{japanese ? L"Information : このフォルダは指定できません"
                                                                    : L"Information : This folder can not accept.\r\n[OK]"}));
        // The cancel button clears it.
        result = kNoAnswer;
        RunBrowse(picker, L"", result, japanese, [&](quib::TFormBrowse& f) {
            PressKey(f.Handle(), 'C', 2);  // Alt+C: ｷｬﾝｾﾙ(&C)
        });
        EXPECT_EQ(result, L"");
    }
}

TEST(BrowseWindow, RenameByKeysSelectsTheNewName) {
    Program p(true);
    TempDir work;
    WriteFileBytes(work / L"old.txt", "o");
    WriteFileBytes(work / L"zzz.txt", "z");
    Picker picker;
    std::wstring result;
    bool renamed = false;
    DuringModal rename([&] {
        auto* f = Open<quib::TFormRename>(L"名前変更");
        if (!f) return false;
        EXPECT_EQ(WindowText(f->OldField()), L"old.txt");
        Type(f->NewField(), L"new.txt");
        PressKey(f->NewField(), VK_RETURN);
        renamed = true;
        return true;
    }, 60000);
    RunBrowse(picker, Slash(work.Path()), result, true, [&](quib::TFormBrowse& f) {
        HWND list = f.ListView1();
        PressKey(list, VK_DOWN);
        EXPECT_EQ(SelectedName(list), L"old.txt");
        PressKey(list, 'N');
        EXPECT_TRUE(renamed);
        EXPECT_EQ(FullNames(list), (std::vector<std::wstring>{L"<..>", L"new.txt", L"zzz.txt"}));
        EXPECT_EQ(SelectedName(list), L"new.txt");
        PressKey(list, VK_ESCAPE);
    });
    EXPECT_TRUE(FileExists(work / L"new.txt"));
    EXPECT_FALSE(FileExists(work / L"old.txt"));
}

TEST(BrowseWindow, ADriveChangeOpensTheFolderLastShownOnThatDrive) {
    Program p(true);
    TempDir work;
    CreateDirectoryW((work / L"sub").c_str(), nullptr);
    Picker picker;
    std::wstring result;
    int drives = 0;
    auto chooseDrive = [&](wchar_t letter) {
        return [&drives, letter] {
            auto* f = Open<quib::TFormDrive>(L"ドライブ設定");
            if (!f) return false;
            PressKey(f->ListView1(), static_cast<WORD>(letter));
            ++drives;
            return true;
        };
    };
    RunBrowse(picker, Slash(work.Path()), result, true, [&](quib::TFormBrowse& f) {
        HWND list = f.ListView1();
        PressKey(list, VK_DOWN);
        PressKey(list, VK_RETURN);
        EXPECT_EQ(f.UpperLabel(), work / L"sub\\");
        {
            DuringModal toZ(chooseDrive(L'Z'));
            PressKey(list, 'L');
        }
        EXPECT_EQ(f.UpperLabel(), L"Z:\\");
        {
            DuringModal toC(chooseDrive(L'C'));
            PressKey(f.ListView1(), 'L');
        }
        EXPECT_EQ(f.UpperLabel(), work / L"sub\\") << "drive C opens where it was left";
        // Drive C by its digit key (3): the same.
        PressKey(f.ListView1(), '3');
        EXPECT_EQ(f.UpperLabel(), work / L"sub\\");
        PressKey(f.ListView1(), VK_ESCAPE);
    });
    EXPECT_EQ(drives, 2);
    ASSERT_FALSE(picker.drives.empty()) << "the main window's drive table is refreshed";
}

TEST(BrowseWindow, AFolderDeeperThanTheCursorMemoryIsWalkedWithoutHarm) {
    Program p(true);
    TempDir work;
    std::wstring deep = work.Path();
    for (int i = 1; i <= 36; ++i) {
        deep += L"\\" + std::to_wstring(i % 10);
        ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr));
    }
    CreateDirectoryW((deep + L"\\x").c_str(), nullptr);
    CreateDirectoryW((deep + L"\\y").c_str(), nullptr);
    Picker picker;
    std::wstring result;
    RunBrowse(picker, Slash(deep), result, true, [&](quib::TFormBrowse& f) {
        HWND list = f.ListView1();
        PressKey(list, VK_END);
        PressKey(list, VK_RETURN);  // into y, past the memory's depth
        EXPECT_EQ(f.UpperLabel(), deep + L"\\y\\");
        PressKey(list, VK_BACK);
        EXPECT_EQ(f.UpperLabel(), Slash(deep));
        PressKey(list, VK_BACK);
        PressKey(list, VK_BACK);
        PressKey(list, VK_RETURN, 1);
    });
    EXPECT_EQ(result, Slash(deep.substr(0, deep.size() - 4)));
}

TEST(ExtractDialog, TheBrowseButtonBringsTheChosenFolderIntoTheDestination) {
    for (bool japanese : {true, false}) {
        SCOPED_TRACE(japanese ? "Japanese" : "English");
        Program p(japanese);
        TempDir work;
        CreateDirectoryW((work / L"sub").c_str(), nullptr);
        WriteFileBytes(work / L"arc.zip", "PK");
        Picker picker;
        std::wstring destination, lowerLabelFromArchive;
        int browses = 0;
        bool ran = false;
        DuringModal dialog(
            [&] {
                auto* f = Open<quib::TFormExtract>(japanese ? L"ファイル解凍" : L"Extract files");
                if (!f) return false;
                HWND button = f->Control(quib::TFormExtract::kTagButtonBrowse);
                EXPECT_TRUE(IsWindowEnabled(button));
                f->SetDestinationText(Slash(work.Path()));
                {
                    // Started from the destination typed: its folder.
                    DuringModal browse(
                        [&] {
                            auto* b = Open<quib::TFormBrowse>(japanese ? L"参照" : L"Browse");
                            if (!b) return false;
                            ++browses;
                            PressKey(b->ListView1(), VK_DOWN);
                            EXPECT_EQ(SelectedName(b->ListView1()), L"sub");
                            PressKey(b->ListView1(), VK_RETURN, 1);
                            return true;
                        },
                        60000);
                    PressKey(f->Handle(), 'B', 2);  // Alt+B: 参照(&B)
                }
                destination = f->DestinationText();
                {
                    // An empty destination: the browse window starts on the archive.
                    DuringModal browse(
                        [&] {
                            auto* b = Open<quib::TFormBrowse>(japanese ? L"参照" : L"Browse");
                            if (!b) return false;
                            ++browses;
                            lowerLabelFromArchive = b->LowerLabel();
                            PressKey(b->ListView1(), VK_ESCAPE);
                            return true;
                        },
                        60000);
                    f->SetDestinationText(L"");
                    PressKey(f->Handle(), 'B', 2);
                }
                PressKey(f->Handle(), VK_ESCAPE);
                ran = true;
                return true;
            },
            60000);
        quib::ExtractDialogInput input{work / L"arc.zip", {L"\"a.txt\""}, {}, false, &picker.host};
        quib::FormInstance<quib::TFormExtract> form(input);
        form.ShowModal();
        EXPECT_TRUE(ran);
        EXPECT_EQ(browses, 2);
        EXPECT_EQ(destination, work / L"sub\\");
        EXPECT_EQ(lowerLabelFromArchive, work / L"arc.zip");
        EXPECT_EQ(p.folder.Read(L"Browse", L"Target"), L"Folder");
    }
}

TEST(ExtractDialog, WithoutPickersTheBrowseButtonStaysDisabled) {
    Program p(true);
    bool ran = false;
    DuringModal dialog([&] {
        auto* f = Open<quib::TFormExtract>(L"ファイル解凍");
        if (!f) return false;
        EXPECT_FALSE(IsWindowEnabled(f->Control(quib::TFormExtract::kTagButtonBrowse)));
        EXPECT_FALSE(IsWindowEnabled(f->Control(quib::TFormExtract::kTagButtonTree)));
        PressKey(f->Handle(), VK_ESCAPE);
        ran = true;
        return true;
    }, 60000);
    quib::ExtractDialogInput input{L"C:\\a.zip", {}, {}, false, nullptr};
    quib::FormInstance<quib::TFormExtract> form(input);
    form.ShowModal();
    EXPECT_TRUE(ran);
}

TEST(BrowseWindow, ItsKeyMapFileIsWrittenFromTheBuiltInTableAndItsKeysAreTheOnesInForce) {
    Program p(true);
    TempDir work;
    CreateDirectoryW((work / L"sub").c_str(), nullptr);
    Picker picker;
    std::wstring result;
    RunBrowse(picker, Slash(work.Path()), result, true, [&](quib::TFormBrowse& f) { PressKey(f.ListView1(), VK_ESCAPE); });
    const std::wstring path = quib::KeyMapFilePath(quib::KeyMapWindow::Browse);
    EXPECT_NE(path.find(L"quibFMarchive-KeyMapBrowse.txt"), std::wstring::npos);
    quib::KeyMapTable table;
    ASSERT_TRUE(quib::ReadKeyMapFile(path, table));
    ASSERT_EQ(table.size(), 45u);
    EXPECT_EQ(*quib::FindKeyMapLine(table, L"1102"),
              (quib::KeyMapLine{L"その他のkey", L"下階層に移動(&X)", L"Enter", L"1102"}));
    EXPECT_EQ(*quib::FindKeyMapLine(table, L"1101"), (quib::KeyMapLine{L"その他のkey", L"上に戻る(&V)", L"BkSp", L"1101"}));
    EXPECT_EQ(quib::FindKeyMapLine(table, L"1204")->keyText, L"3");
    EXPECT_EQ(quib::FindKeyMapLine(table, L"1227")->caption, L"ドライブZ:\\(&Z)");
    EXPECT_EQ(quib::FindKeyMapLine(table, L"1227")->keyText, L"");
    // The user moves "into the folder" to I: Enter no longer enters, I does.
    quib::FindKeyMapLine(table, L"1102")->keyText = L"I";
    ASSERT_TRUE(quib::WriteKeyMapFile(path, table));
    RunBrowse(picker, Slash(work.Path()), result, true, [&](quib::TFormBrowse& f) {
        PressKey(f.ListView1(), VK_DOWN);
        PressKey(f.ListView1(), VK_RETURN);
        EXPECT_EQ(f.UpperLabel(), Slash(work.Path()));
        PressKey(f.ListView1(), 'I');
        EXPECT_EQ(f.UpperLabel(), work / L"sub\\");
        PressKey(f.ListView1(), VK_ESCAPE);
    });
}
