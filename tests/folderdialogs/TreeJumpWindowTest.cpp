// The folder tree, the jump-folder window and its input dialog as a user
// meets them: opened modally, driven by keys, their nodes and rows read
// through the controls, their answers from what they hand back and from the
// jump-folder file; and the extraction dialog's tree and jump-folder buttons.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "FolderDialogTestSupport.h"
#include "extract/FormExtract.h"
#include "extract/FormJumpFolder.h"
#include "extract/FormTree.h"
#include "util/Controls.h"
#include "util/IniFile.h"
#include "util/Message.h"
#include "util/StrConv.h"

using namespace quibtest;
using quib::EqualsNoCase;

namespace {

struct Picker {
    std::vector<std::wstring> drives;
    quib::FolderPickerHost host;
    Picker() { host.driveTable = &drives; }
};

std::wstring ListText(HWND list, int row) {
    const LRESULT n = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
    if (n < 0) return L"<none>";
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<size_t>(n));
    return s;
}

int CountChildren(quib::TFormTree& f) {
    return static_cast<int>(f.ChildTexts(TreeView_GetSelection(f.TreeView1())).size());
}

// A jump-folder file with lines of the program's own making.
void WriteJumpFile(const std::vector<std::pair<int, std::string>>& lines) {
    quib::JumpFolderFile f = quib::DefaultJumpFolderFile();
    for (const auto& [row, line] : lines) f.lines[static_cast<size_t>(row)] = line;
    quib::WriteJumpFolderFile(quib::JumpFolderFilePath(quib::ProgramFolder()), f);
}

}  // namespace

// ---------------------------------------------------------------- tree

TEST(TreeWindow, OpensDownToTheDeepestExistingPartOfTheStartFolder) {
    for (bool japanese : {true, false}) {
        SCOPED_TRACE(japanese ? "Japanese" : "English");
        Program p(japanese);
        TempDir work;
        CreateDirectoryW((work / L"a").c_str(), nullptr);
        CreateDirectoryW((work / L"a\\b").c_str(), nullptr);
        CreateDirectoryW((work / L"a\\b\\c").c_str(), nullptr);
        CreateDirectoryW((work / L"a\\bb").c_str(), nullptr);
        CreateDirectoryW((work / L"z").c_str(), nullptr);
        Picker picker;
        std::wstring result = L"<unchanged>";
        // "missing" is not there: the walk stays on b, not on whatever follows it.
        const int r = RunModal<quib::TFormTree>(
            japanese ? L"ツリー表示" : L"Folder tree",
            [&](quib::TFormTree& f) {
                EXPECT_TRUE(EqualsNoCase(f.NodePath(), work / L"a\\b\\")) << quib::WideToUtf8(f.NodePath());
                EXPECT_EQ(CountChildren(f), 1) << "b was opened on the way";
                const auto children = f.ChildTexts(TreeView_GetSelection(f.TreeView1()));
                ASSERT_EQ(children.size(), 1u);
                EXPECT_EQ(children[0].substr(0, 3), L"c\\ ");
                // Right again adds no second set of children; Left does nothing.
                PressKey(f.TreeView1(), VK_RIGHT);
                PressKey(f.TreeView1(), VK_LEFT);
                EXPECT_EQ(CountChildren(f), 1);
                EXPECT_TRUE(EqualsNoCase(f.NodePath(), work / L"a\\b\\"));
                // Down onto c and Enter.
                PressKey(f.TreeView1(), VK_DOWN);
                PressKey(f.TreeView1(), VK_RETURN);
            },
            picker.host, work / L"a\\b\\missing\\deeper\\", result);
        EXPECT_EQ(r, quib::mrOK);
        EXPECT_TRUE(EqualsNoCase(result, work / L"a\\b\\c\\")) << quib::WideToUtf8(result);
    }
}

TEST(TreeWindow, AFileStopsAtItsFolderAndEscCancelsWithNothingHandedBack) {
    Program p(true);
    TempDir work;
    CreateDirectoryW((work / L"w").c_str(), nullptr);
    WriteFileBytes(work / L"w\\notes.txt", "x");
    Picker picker;
    std::wstring result = L"<unchanged>";
    const int r = RunModal<quib::TFormTree>(
        L"ツリー表示",
        [&](quib::TFormTree& f) {
            EXPECT_TRUE(EqualsNoCase(f.NodePath(), work / L"w\\"));
            PressKey(f.TreeView1(), 'Z');  // typed letters do not search the tree
            EXPECT_TRUE(EqualsNoCase(f.NodePath(), work / L"w\\"));
            PressKey(f.TreeView1(), VK_ESCAPE);
        },
        picker.host, work / L"w\\notes.txt", result);
    EXPECT_EQ(r, quib::mrCancel);
    EXPECT_EQ(result, L"");
}

// ---------------------------------------------------------------- jump folders

TEST(JumpFolderWindow, EachKeyRunsTheLineLabelledWithItAndExpandsThePrefix) {
    Program p(true);
    p.folder.Write(L"FormJumpFolder", L"Parent", L"Extract");
    TempDir work;
    CreateDirectoryW((quib::ProgramFolder() + L"\\data").c_str(), nullptr);
    WriteJumpFile({{0, "  A work         " + quib::WideToAnsi(work.Path()) + "\\"},
                   {37, "s+B data         %p\\data\\"},
                   {74, "c+C gone         C:\\no such folder\\"}});
    Picker picker;
    struct Case {
        WORD key;
        BYTE mods;
        std::wstring expected;
    };
    for (const Case& c : {Case{'A', 0, work.Path() + L"\\"}, Case{'B', 1, quib::ProgramFolder() + L"\\data\\"}}) {
        std::wstring result;
        const int r = RunModal<quib::TFormJumpFolder>(
            L"ジャンプフォルダ",
            [&](quib::TFormJumpFolder& f) {
                EXPECT_EQ(SendMessageW(f.ListBox1(), LB_GETCOUNT, 0, 0), 108);
                EXPECT_EQ(ListText(f.ListBox1(), 37), L"s+B data         %p\\data\\");
                EXPECT_TRUE(IsWindowEnabled(f.Button(quib::TFormJumpFolder::kTagButtonOK)));
                PressKey(f.ListBox1(), c.key, c.mods);
            },
            picker.host, result);
        EXPECT_EQ(r, quib::mrOK);
        EXPECT_EQ(result, c.expected);
    }
    // A line whose folder is gone: the message, and the window stays.
    MsgCapture msgs;
    std::wstring result;
    RunModal<quib::TFormJumpFolder>(
        L"ジャンプフォルダ",
        [&](quib::TFormJumpFolder& f) {
            PressKey(f.ListBox1(), 'C', 4);
            EXPECT_TRUE(IsWindowVisible(f.Handle()));
            PressKey(f.ListBox1(), VK_ESCAPE);
        },
        picker.host, result);
    EXPECT_EQ(msgs.Texts(),
              (std::vector<std::wstring>{L"Information : 登録したフォルダがありません\r\nC:\\no such folder\\"}));
}

TEST(JumpFolderWindow, FromTheMainWindowEnterCancelsAndAMissingFileIsMade) {
    Program p(false);
    Picker picker;
    std::wstring result;
    const int r = RunModal<quib::TFormJumpFolder>(
        L"Jump folders",
        [&](quib::TFormJumpFolder& f) {
            EXPECT_FALSE(IsWindowEnabled(f.Button(quib::TFormJumpFolder::kTagButtonOK)));
            PressKey(f.ListBox1(), VK_RETURN);
        },
        picker.host, result);
    EXPECT_EQ(r, quib::mrCancel);
    const std::string made = ReadFileBytes(quib::JumpFolderFilePath(quib::ProgramFolder()));
    EXPECT_EQ(made, quib::JumpFolderFileBytes(quib::DefaultJumpFolderFile()));
}

TEST(JumpFolderWindow, InputAndDeleteChangeTheLineInTheListAndTheFile) {
    for (bool japanese : {true, false}) {
        SCOPED_TRACE(japanese ? "Japanese" : "English");
        Program p(japanese);
        CreateDirectoryW((quib::ProgramFolder() + L"\\data").c_str(), nullptr);
        WriteJumpFile({});
        Picker picker;
        std::wstring result;
        MsgCapture msgs;
        bool input = false;
        DuringModal inputDialog([&] {
            auto* f = Open<quib::TFormInputFolder>(japanese ? L"ジャンプフォルダの入力" : L"Input jump folder");
            if (!f) return false;
            EXPECT_EQ(GetFocus(), f->FolderField());
            Type(f->NameField(), L"programdata-long");
            Type(f->FolderField(), L"%P\\data");
            PressKey(f->FolderField(), VK_RETURN);
            input = true;
            return true;
        }, 60000);
        RunModal<quib::TFormJumpFolder>(
            japanese ? L"ジャンプフォルダ" : L"Jump folders",
            [&](quib::TFormJumpFolder& f) {
                SendMessageW(f.ListBox1(), LB_SETCURSEL, 2, 0);
                f.RunCommand(quib::TFormJumpFolder::kTagMenuInput);
                EXPECT_TRUE(input);
                EXPECT_EQ(ListText(f.ListBox1(), 2), L"  C programdata- %P\\data\\");
                f.RunCommand(quib::TFormJumpFolder::kTagMenuDelete);
                EXPECT_EQ(ListText(f.ListBox1(), 2), L"  C            ");
                PressKey(f.ListBox1(), VK_ESCAPE);
            },
            picker.host, result);
        const quib::JumpFolderFile file = [] {
            quib::JumpFolderFile f;
            quib::ReadJumpFolderFile(quib::JumpFolderFilePath(quib::ProgramFolder()), f);
            return f;
        }();
        EXPECT_EQ(file.lines[2], "  C            ");
        EXPECT_EQ(file.lines[3], quib::EmptyJumpLine(3, 14));
        const std::wstring head = L"Key=C\r\nName=programdata-\r\nFolder=%P\\data\\\r\n";
        EXPECT_EQ(msgs.Texts(), (std::vector<std::wstring>{japanese ? head + L"削除しますか？"
                                                                    : head + L"Delete ?\r\n[OK] / [NO]"}));
    }
}

TEST(JumpFolderWindow, TheInputDialogRefusesAMissingFolderAndStaysOpen) {
    Program p(true);
    WriteJumpFile({});
    Picker picker;
    MsgCapture msgs;
    const int r = RunModal<quib::TFormInputFolder>(
        L"ジャンプフォルダの入力",
        [&](quib::TFormInputFolder& f) {
            Type(f.FolderField(), L"C:\\no such folder");
            PressKey(f.FolderField(), VK_RETURN);
            EXPECT_TRUE(IsWindowVisible(f.Handle()));
            EXPECT_EQ(WindowText(f.FolderField()), L"C:\\no such folder\\");
            PressKey(f.FolderField(), VK_ESCAPE);
        },
        picker.host, 0);
    EXPECT_EQ(r, quib::mrCancel);
    EXPECT_EQ(msgs.Texts(), (std::vector<std::wstring>{L"Information : 登録したフォルダがありません\r\nC:\\no such folder\\"}));
}

// ---------------------------------------------------------------- extraction dialog

TEST(ExtractDialog, TheTreeAndJumpFolderButtonsBringTheirFolderIntoTheDestination) {
    Program p(true);
    TempDir work;
    CreateDirectoryW((work / L"sub").c_str(), nullptr);
    WriteFileBytes(work / L"arc.zip", "PK");
    WriteJumpFile({{3, "  D sub          " + quib::WideToAnsi(work.Path()) + "\\sub\\"}});
    Picker picker;
    std::wstring fromTree, fromJump;
    DuringModal tree([&] {
        auto* f = Open<quib::TFormTree>(L"ツリー表示");
        if (!f) return false;
        EXPECT_TRUE(EqualsNoCase(f->NodePath(), work.Path() + L"\\"));
        PressKey(f->TreeView1(), VK_RIGHT);
        PressKey(f->TreeView1(), VK_DOWN);
        PressKey(f->TreeView1(), VK_RETURN);
        return true;
    }, 60000);
    DuringModal jump([&] {
        auto* f = Open<quib::TFormJumpFolder>(L"ジャンプフォルダ");
        if (!f) return false;
        PressKey(f->ListBox1(), 'D');
        return true;
    }, 60000);
    DuringModal dialog([&] {
        auto* f = Open<quib::TFormExtract>(L"ファイル解凍");
        if (!f) return false;
        f->SetDestinationText(work.Path());
        HWND treeButton = f->Control(quib::TFormExtract::kTagButtonTree);
        SetFocus(treeButton);
        PressKey(treeButton, VK_RETURN);
        fromTree = f->DestinationText();
        f->SetDestinationText(L"");
        HWND jumpButton = f->Control(quib::TFormExtract::kTagButtonJumpFolder);
        SetFocus(jumpButton);
        PressKey(jumpButton, VK_RETURN);
        fromJump = f->DestinationText();
        PressKey(f->Handle(), VK_ESCAPE);
        return true;
    }, 60000);
    quib::ExtractDialogInput input{work / L"arc.zip", {L"\"a.txt\""}, {}, false, &picker.host};
    quib::FormInstance<quib::TFormExtract> form(input);
    form.ShowModal();
    EXPECT_TRUE(EqualsNoCase(fromTree, work / L"sub\\")) << quib::WideToUtf8(fromTree);
    EXPECT_EQ(fromJump, work / L"sub\\");
    EXPECT_EQ(p.folder.Read(L"FormJumpFolder", L"Parent"), L"Extract");
}
