// The software launcher as real windows: the slot file made on first start,
// slots picked and run by their keys, the refusals, deletion and
// registration written at once in the file's own encoding, and a slot started
// by the main window with the entry under the cursor extracted and handed
// over (checked through a stand-in program that records its command line).
#include <windows.h>

#include <gtest/gtest.h>

#include "FormTestSupport.h"
#include "ImageTestPictures.h"
#include "MainWindowHarness.h"
#include "app/MainMenuTable.h"
#include "extract/FormBrowse.h"
#include "launch/FormInputLauncher.h"
#include "launch/FormLauncher.h"
#include "util/Controls.h"
#include "util/IniFile.h"
#include "util/StrConv.h"

using namespace quibtest;
using quib::LauncherEncoding;
using quib::LauncherFile;
using quib::TFormInputLauncher;
using quib::TFormLauncher;

namespace {

constexpr const wchar_t* kRecorder = L"quib_arg_recorder.exe";

TFormLauncher* FindLauncher() {
    HWND w = FindThreadWindow(L"ソフトウェア起動");
    return w ? dynamic_cast<TFormLauncher*>(quib::TFormBase::FromHandle(w)) : nullptr;
}

TFormInputLauncher* FindInput() {
    HWND w = FindThreadWindow(L"起動ソフトウェアの入力");
    return w ? dynamic_cast<TFormInputLauncher*>(quib::TFormBase::FromHandle(w)) : nullptr;
}

std::vector<std::wstring> ListBoxRows(HWND list) {
    std::vector<std::wstring> rows;
    const int n = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        const LRESULT len = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring t(static_cast<size_t>(len) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(t.data()));
        t.resize(static_cast<size_t>(len));
        rows.push_back(t);
    }
    return rows;
}

class LauncherWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureApplication(); }
    void SetUp() override {
        quib::SetUiJapanese(true);
        quib::SetProgramPathForTests(folder.Exe());
        quib::IniFile::CreateEmptyUnicode(folder.Ini());
    }
    void TearDown() override {
        quib::SetUiJapanese(true);
        quib::SetProgramPathForTests(L"");
    }
    std::wstring Lnc() const { return folder / L"quibFM.lnc"; }
    // A launcher file with some slots filled: {slot, name, file, program, options}.
    void WriteSlots(const std::vector<std::vector<std::wstring>>& slots, LauncherEncoding encoding) {
        LauncherFile f{quib::EmptyLauncherLines(), encoding};
        for (const auto& s : slots) {
            const size_t base = static_cast<size_t>(std::stoi(quib::WideToUtf8(s[0]))) * 5;
            for (size_t i = 1; i < 5; ++i) f.lines[base + i] = s[i];
        }
        ASSERT_TRUE(quib::WriteLauncherFile(Lnc(), f));
    }
    LauncherFile ReadLnc() const {
        LauncherFile f;
        EXPECT_TRUE(quib::ReadLauncherFile(Lnc(), f));
        return f;
    }
    // Runs the launcher modally; the step drives it (and must close it).
    quib::LauncherChoice RunLauncher(const std::function<void(TFormLauncher&)>& step) {
        DuringModal driver([&] {
            TFormLauncher* l = FindLauncher();
            if (!l) return false;
            step(*l);
            return true;
        });
        quib::LauncherChoice c = quib::ShowModalForm<TFormLauncher>(nullptr);
        EXPECT_TRUE(driver.Done());
        return c;
    }

    ProgramFolder folder;
    MsgCapture msgs;
};

}  // namespace

TEST_F(LauncherWindowTest, FirstStartWritesTheEmptySlotsInAnsi) {
    DeleteFileW(Lnc().c_str());
    const quib::LauncherChoice c = RunLauncher([](TFormLauncher& l) {
        const auto rows = ListBoxRows(l.ListBox8());
        ASSERT_EQ(rows.size(), 108u);
        EXPECT_EQ(rows[0], L"  A              1  ");
        EXPECT_EQ(rows[62], L"s+0              1  ");
        EXPECT_EQ(rows[107], L"c+9              1  ");
        EXPECT_EQ(SendMessageW(l.ListBox8(), LB_GETCURSEL, 0, 0), 0);
        PressKey(l.ListBox8(), VK_ESCAPE);
    });
    EXPECT_TRUE(c.name.empty());
    const std::string bytes = ReadFileBytes(Lnc());
    ASSERT_GE(bytes.size(), 7u);
    EXPECT_EQ(bytes.substr(0, 7), std::string("  A\r\n\r\n"));  // no byte-order mark: ANSI
    EXPECT_EQ(ReadLnc().lines, quib::EmptyLauncherLines());
    EXPECT_TRUE(msgs.Texts().empty());
}

TEST_F(LauncherWindowTest, SlotKeysPickAndRunTheirSlot) {
    const std::wstring recorder = folder / kRecorder;
    ASSERT_TRUE(FileExists(recorder));
    WriteSlots({{L"62", L"rec", L"0", L"\"%p\\quib_arg_recorder.exe\"", L"-o"},
                {L"107", L"gone", L"1", L"%p\\missing.exe", L""},
                {L"1", L"b", L"1", L"%P\\quib_arg_recorder.exe", L"x y"}},
               LauncherEncoding::Ansi);
    struct Case {
        WORD key;
        BYTE mods;
        std::wstring file, option;
    };
    for (const Case& k : {Case{'0', quib::kKeyShift, L"0", L"-o"}, Case{'B', 0, L"1", L"x y"}}) {
        const quib::LauncherChoice c = RunLauncher([&](TFormLauncher& l) { PressKey(l.ListBox8(), k.key, k.mods); });
        EXPECT_EQ(c.name, recorder);
        EXPECT_EQ(c.file, k.file);
        EXPECT_EQ(c.option, k.option);
    }
    // Ctrl+9: a slot whose program is not there; the window stays open.
    for (bool japanese : {true, false}) {
        quib::SetUiJapanese(japanese);
        msgs.Clear();
        const quib::LauncherChoice c = RunLauncher([&](TFormLauncher& l) {
            PressKey(l.ListBox8(), '9', quib::kKeyCtrl);
            EXPECT_EQ(SendMessageW(l.ListBox8(), LB_GETCURSEL, 0, 0), 107);
            EXPECT_TRUE(l.Visible());
            PressKey(l.ListBox8(), VK_ESCAPE);
        });
        EXPECT_TRUE(c.name.empty());
        const std::wstring missing = folder.Path() + L"\\missing.exe";
        EXPECT_EQ(msgs.Texts(), (std::vector<std::wstring>{
                                    japanese ? L"Information : 実行ファイルがありません\r\n" + missing
                                             : L"Information : Execute file is not exist.\r\n[OK]\r\n" + missing}));
    }
}

TEST_F(LauncherWindowTest, NoRowsOrAKeyPastTheRowsIsRefused) {
    for (bool japanese : {true, false}) {
        quib::SetUiJapanese(japanese);
        // Seven lines: one whole slot.
        ASSERT_TRUE(quib::WriteLauncherFile(Lnc(), LauncherFile{{L"  A", L"", L"1", L"", L"", L"  B", L""},
                                                                 LauncherEncoding::Ansi}));
        msgs.Clear();
        RunLauncher([&](TFormLauncher& l) {
            EXPECT_EQ(ListBoxRows(l.ListBox8()).size(), 1u);
            PressKey(l.ListBox8(), 'Z');
            PressKey(l.ListBox8(), VK_ESCAPE);
        });
        ASSERT_TRUE(quib::WriteLauncherFile(Lnc(), LauncherFile{{}, LauncherEncoding::Ansi}));
        RunLauncher([&](TFormLauncher& l) {
            PressKey(l.ListBox8(), VK_RETURN);
            PressKey(l.ListBox8(), VK_ESCAPE);
        });
        EXPECT_EQ(msgs.Texts(),
                  (std::vector<std::wstring>{
                      japanese ? L"Information : 内容が選択されていません" : L"Information : Item is not selected.\r\n[OK]",
                      japanese ? L"Information : 内容が設定されていません" : L"Information : Item is empty.\r\n[OK]"}));
    }
}

TEST_F(LauncherWindowTest, DeleteEmptiesTheSlotAndKeepsTheEncoding) {
    for (bool japanese : {true, false}) {
        quib::SetUiJapanese(japanese);
        msgs.Clear();
        WriteSlots({{L"1", L"名前✓", L"0", L"C:\\エディタ\\ed.exe", L"-n"}}, LauncherEncoding::Utf16Le);
        RunLauncher([&](TFormLauncher& l) {
            PressKey(l.ListBox8(), VK_DOWN);
            l.RunCommand(TFormLauncher::kTagMenuDelete);
            EXPECT_EQ(ListBoxRows(l.ListBox8())[1], L"  B              1  ");
            EXPECT_EQ(SendMessageW(l.ListBox8(), LB_GETCURSEL, 0, 0), 1);
            PressKey(l.ListBox8(), VK_ESCAPE);
        });
        const std::wstring lines =
            L"Key=  B\r\nName=名前✓\r\nFile=0\r\nApplication=C:\\エディタ\\ed.exe\r\nOptions=-n\r\n";
        EXPECT_EQ(msgs.Texts(), (std::vector<std::wstring>{japanese ? lines + L"削除しますか？"
                                                                    : lines + L"Delete ?\r\n[OK] / [NO]"}));
        const LauncherFile f = ReadLnc();
        EXPECT_EQ(f.encoding, LauncherEncoding::Utf16Le);
        EXPECT_EQ(f.lines, quib::EmptyLauncherLines());
    }
    // Answered No: nothing changes.
    WriteSlots({{L"0", L"keep", L"1", L"C:\\a.exe", L""}}, LauncherEncoding::Ansi);
    const LauncherFile before = ReadLnc();
    msgs.Answer([](const quib::MsgRecord&) { return IDNO; });
    RunLauncher([&](TFormLauncher& l) {
        l.RunCommand(TFormLauncher::kTagMenuDelete);
        PressKey(l.ListBox8(), VK_ESCAPE);
    });
    EXPECT_EQ(ReadLnc().lines, before.lines);
}

TEST_F(LauncherWindowTest, RegistrationKeepsThePrefixAndRefusesAMissingProgram) {
    WriteSlots({}, LauncherEncoding::Utf16Le);
    const std::vector<std::wstring> before = ReadLnc().lines;
    RunLauncher([&](TFormLauncher& l) {
        PressKey(l.ListBox8(), VK_DOWN);
        PressKey(l.ListBox8(), VK_DOWN);  // slot C
        DuringModal input([&] {
            TFormInputLauncher* d = FindInput();
            if (!d) return false;
            EXPECT_EQ(d->IntLauncherIndex, 2);
            EXPECT_EQ(SendMessageW(d->FileCheck(), BM_GETCHECK, 0, 0), BST_CHECKED);
            quib::SetText(d->NameEdit(), L"日本語名");
            quib::SetText(d->ProgramEdit(), L"%p\\nothing.exe");
            SendMessageW(d->Button(TFormInputLauncher::kTagButtonOK), BM_CLICK, 0, 0);
            Pump();
            EXPECT_EQ(d->GetModalResult(), quib::mrNone);
            quib::SetText(d->ProgramEdit(), L"\"%p\\quib_arg_recorder.exe\"");
            quib::SetText(d->OptionsEdit(), L"--go");
            SendMessageW(d->FileCheck(), BM_SETCHECK, BST_UNCHECKED, 0);
            // Enter acts as OK wherever the focus is.
            PressKey(d->OptionsEdit(), VK_RETURN);
            EXPECT_EQ(d->GetModalResult(), quib::mrOK);
            if (d->GetModalResult() != quib::mrOK) PressKey(d->OptionsEdit(), VK_ESCAPE);
            return true;
        });
        l.RunCommand(TFormLauncher::kTagMenuInput);
        EXPECT_TRUE(input.Done());
        // Padded by the name's bytes in the system's code page: two a
        // character in Shift_JIS, one stand-in each elsewhere.
        const std::wstring pad(GetACP() == 932 ? 4 : 8, L' ');
        EXPECT_EQ(ListBoxRows(l.ListBox8())[2], L"  C 日本語名" + pad + L" 0 \"%p\\quib_arg_recorder.exe\" --go");
        PressKey(l.ListBox8(), VK_ESCAPE);
    });
    const std::wstring missing = folder.Path() + L"\\nothing.exe";
    EXPECT_EQ(msgs.Texts(), (std::vector<std::wstring>{L"Information : 実行ファイルがありません\r\n" + missing}));
    std::vector<std::wstring> expected = before;
    expected[11] = L"日本語名";
    expected[12] = L"0";
    expected[13] = L"\"%p\\quib_arg_recorder.exe\"";
    expected[14] = L"--go";
    const LauncherFile f = ReadLnc();
    EXPECT_EQ(f.lines, expected);
    EXPECT_EQ(f.encoding, LauncherEncoding::Utf16Le);
}

// "参照(&B)" opens the program's own browse window as a file picker: it
// starts on the program field's file, and the file taken there replaces the
// field; a field naming nothing that exists is said and the browser starts
// at C:\, and leaving the browser with Esc keeps the field.
TEST_F(LauncherWindowTest, RegistrationBrowsesForTheProgramInTheBrowseWindow) {
    WriteSlots({}, LauncherEncoding::Ansi);
    TempDir work;
    ASSERT_TRUE(WriteFileBytes(work / L"first.exe", "MZ"));
    ASSERT_TRUE(WriteFileBytes(work / L"second.exe", "MZ"));
    std::vector<std::wstring> drives;
    quib::FolderPickerHost host;
    host.driveTable = &drives;
    std::wstring startedOn, picked, startedAt, kept, target;
    DuringModal step([&] {
        TFormInputLauncher* d = FindInput();
        if (!d) return false;
        quib::SetText(d->ProgramEdit(), work / L"first.exe");
        {
            bool ran = false;
            DuringModal browse([&] {
                HWND w = FindThreadWindow(L"参照");
                auto* b = w ? dynamic_cast<quib::TFormBrowse*>(quib::TFormBase::FromHandle(w)) : nullptr;
                if (!b) return false;
                const int r = ListSelectedRow(b->ListView1());
                startedOn = r < 0 ? L"<none>" : ListCellText(b->ListView1(), r, 9);
                target = quib::IniFile(folder.Ini()).ReadString(L"Browse", L"Target", L"<none>");
                PressKey(b->ListView1(), VK_END);
                PressKey(b->ListView1(), VK_RETURN, 1);  // Shift+Enter takes the file
                ran = true;
                return true;
            });
            SendMessageW(d->Button(TFormInputLauncher::kTagButtonBrowse), BM_CLICK, 0, 0);
            Pump();
            EXPECT_TRUE(ran);
        }
        picked = WindowText(d->ProgramEdit());
        quib::SetText(d->ProgramEdit(), work / L"gone\\none.exe");
        {
            bool ran = false;
            DuringModal browse([&] {
                HWND w = FindThreadWindow(L"参照");
                auto* b = w ? dynamic_cast<quib::TFormBrowse*>(quib::TFormBase::FromHandle(w)) : nullptr;
                if (!b) return false;
                startedAt = b->UpperLabel();
                PressKey(b->ListView1(), VK_ESCAPE);
                ran = true;
                return true;
            });
            SendMessageW(d->Button(TFormInputLauncher::kTagButtonBrowse), BM_CLICK, 0, 0);
            Pump();
            EXPECT_TRUE(ran);
        }
        kept = WindowText(d->ProgramEdit());
        PressKey(d->ProgramEdit(), VK_ESCAPE);
        return true;
    });
    EXPECT_EQ(quib::ShowModalForm<TFormInputLauncher>(&host, 0), quib::mrCancel);
    ASSERT_TRUE(step.Done());
    EXPECT_EQ(target, L"File");
    EXPECT_EQ(startedOn, L"first.exe");
    EXPECT_EQ(picked, work / L"second.exe");
    EXPECT_EQ(startedAt, L"C:\\");
    EXPECT_EQ(kept, work / L"gone\\none.exe");
    EXPECT_EQ(msgs.Texts(), (std::vector<std::wstring>{L"Information : フォルダがありません\r\nカレントを C:\\ に変更します\r\n" +
                                                       work / L"gone\\none.exe"}));
    // Cancel wrote nothing.
    EXPECT_EQ(ReadLnc().lines, quib::EmptyLauncherLines());
}

// An ANSI file cannot take a character its code page lacks: the user is told
// which, nothing is written and the dialog stays open.
TEST_F(LauncherWindowTest, RegistrationRefusesCharactersTheAnsiFileCannotHold) {
    for (bool japanese : {true, false}) {
        quib::SetUiJapanese(japanese);
        msgs.Clear();
        WriteSlots({}, LauncherEncoding::Ansi);
        const std::string before = ReadFileBytes(Lnc());
        RunLauncher([&](TFormLauncher& l) {
            DuringModal input([&] {
                TFormInputLauncher* d = FindInput();
                if (!d) return false;
                quib::SetText(d->NameEdit(), L"ok✓");
                quib::SetText(d->ProgramEdit(), L"%p\\quib_arg_recorder.exe");
                PressKey(d->NameEdit(), VK_RETURN);
                EXPECT_EQ(d->GetModalResult(), quib::mrNone);
                PressKey(d->NameEdit(), VK_ESCAPE);
                return true;
            });
            l.RunCommand(TFormLauncher::kTagMenuInput);
            EXPECT_TRUE(input.Done());
            EXPECT_EQ(ListBoxRows(l.ListBox8())[0], L"  A              1  ");
            PressKey(l.ListBox8(), VK_ESCAPE);
        });
        EXPECT_EQ(ReadFileBytes(Lnc()), before);
        EXPECT_EQ(msgs.Texts(),
                  (std::vector<std::wstring>{
                      japanese ? L"Error : 文字コードで表せない文字があるので保存できません\r\n✓\r\n" + Lnc()
                               : L"Error : Some characters can not be saved in this code page.\r\n[OK]\r\n✓\r\n" + Lnc()}));
    }
}

TEST_F(LauncherWindowTest, CancelledRegistrationWritesNothing) {
    WriteSlots({{L"0", L"a", L"1", L"C:\\a.exe", L""}}, LauncherEncoding::Utf8Bom);
    const std::string before = ReadFileBytes(Lnc());
    RunLauncher([&](TFormLauncher& l) {
        DuringModal input([&] {
            TFormInputLauncher* d = FindInput();
            if (!d) return false;
            EXPECT_EQ(quib::GetText(d->NameEdit()), L"a");
            EXPECT_EQ(quib::GetText(d->ProgramEdit()), L"C:\\a.exe");
            quib::SetText(d->NameEdit(), L"changed");
            PressKey(d->NameEdit(), VK_ESCAPE);
            return true;
        });
        l.RunCommand(TFormLauncher::kTagMenuInput);
        EXPECT_TRUE(input.Done());
        PressKey(l.ListBox8(), VK_ESCAPE);
    });
    EXPECT_EQ(ReadFileBytes(Lnc()), before);
}

// The main window: F7 on a file entry extracts it, the launcher's slot key
// starts the program with the extracted file as its argument.
TEST(LauncherFromMainWindow, SlotStartedWithTheExtractedEntry) {
    TempDir dir;
    const std::wstring zip = dir / L"docs.zip";
    ASSERT_TRUE(WriteFileBytes(zip, StoredZip({{"a.txt", "first"}, {"b.txt", "second entry"}})));
    const std::wstring out = dir / L"args.txt";
    SetEnvironmentVariableW(L"QUIB_ARGS_OUT", out.c_str());

    MainWindowHarness h;
    {
        LauncherFile f{quib::EmptyLauncherLines(), LauncherEncoding::Ansi};
        f.lines[0 * 5 + 3] = L"%p\\quib_arg_recorder.exe";
        f.lines[0 * 5 + 4] = L"-v";
        f.lines[1 * 5 + 2] = L"0";  // slot B: the program alone
        f.lines[1 * 5 + 3] = L"%p\\quib_arg_recorder.exe";
        f.lines[1 * 5 + 4] = L"-alone";
        ASSERT_TRUE(quib::WriteLauncherFile(h.Folder() / L"quibFM.lnc", f));
    }
    quib::TFormMain& f = h.Start({zip});
    HWND list = f.ListView1();
    ASSERT_EQ(ListRowCount(list), 3);
    PressKey(list, VK_DOWN);
    PressKey(list, VK_DOWN);
    ASSERT_EQ(ListCellText(list, 2, 1), L"b.txt");

    struct Case {
        WORD key;
        std::wstring tail;
    };
    const std::wstring extracted = f.StrExtractBase + L"b.txt";
    for (const Case& c : {Case{'A', L"-v \"" + extracted + L"\""}, Case{'B', L"-alone"}}) {
        DeleteFileW(out.c_str());
        DuringModal driver([&] {
            TFormLauncher* l = FindLauncher();
            if (!l) return false;
            PressKey(l->ListBox8(), c.key);
            return true;
        });
        PressKey(list, VK_F7);
        WaitFor([&] { return driver.Done(); });
        ASSERT_TRUE(WaitFor([&] { return FileExists(out); }, 15000));
        const std::string bytes = ReadFileBytes(out);
        const std::wstring line(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
        EXPECT_TRUE(line.ends_with(c.tail)) << quib::WideToUtf8(line);
        EXPECT_NE(line.find(L"quib_arg_recorder.exe"), std::wstring::npos);
        EXPECT_EQ(f.StrRetFormLauncherName, h.Folder() / kRecorder);
    }
    EXPECT_EQ(ReadFileBytes(extracted), "second entry");
    EXPECT_TRUE(h.Messages().Texts().empty());
    SetEnvironmentVariableW(L"QUIB_ARGS_OUT", nullptr);
}

TEST(LauncherFromMainWindow, FolderOrTwoMarkedFilesAreRefused) {
    TempDir dir;
    const std::wstring zip = dir / L"docs.zip";
    ASSERT_TRUE(WriteFileBytes(zip, StoredZip({{"a.txt", "first"}, {"b.txt", "second"}})));
    MainWindowHarness h;
    quib::TFormMain& f = h.Start({zip});
    HWND list = f.ListView1();
    PressKey(list, VK_DOWN);
    PressKey(list, VK_SPACE);  // marks a.txt and moves on
    PressKey(list, VK_SPACE);  // marks b.txt
    PressKey(list, VK_F7);
    EXPECT_EQ(h.Messages().Texts(), (std::vector<std::wstring>{L"Information : 複数ファイルは指定できません"}));
    EXPECT_FALSE(FileExists(f.StrExtractBase + L"a.txt"));
    EXPECT_EQ(FindLauncher(), nullptr);
}
