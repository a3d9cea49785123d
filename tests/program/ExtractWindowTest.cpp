// Extraction through the real main window and the real dialog, on real
// archives through the stand-in archiver: the exact command line and
// response file each family receives, the bytes that come out, failures that
// leave nothing behind and hostile stored paths that write nothing outside.
#include <gtest/gtest.h>

#include <sstream>

#include "FormTestSupport.h"
#include "MainWindowHarness.h"
#include "app/MainMenuTable.h"
#include "extract/ExtractCommand.h"
#include "extract/FormBrowse.h"
#include "extract/FormExtract.h"
#include "extract/FormJumpFolderEx.h"
#include "util/StrConv.h"
#include "viewers/ViewerStart.h"

using namespace quibtest;

namespace {

std::wstring Standin(const std::wstring& name) { return FixturesDir() + L"\\standin\\" + name; }

std::vector<std::vector<std::wstring>> CallLog(const std::wstring& path) {
    std::vector<std::vector<std::wstring>> calls;
    for (const auto& line : quib::SplitLines(ReadUtf8File(path))) {
        std::vector<std::wstring> fields;
        std::wstringstream ss(line);
        std::wstring f;
        while (std::getline(ss, f, L'\t')) fields.push_back(f);
        calls.push_back(fields);
    }
    return calls;
}

std::wstring Hex(HWND h) {
    std::wstringstream ss;
    ss << L"0x" << std::uppercase << std::hex << reinterpret_cast<UINT_PTR>(h);
    return ss.str();
}


// The extract command with the dialog driven by keys: the destination typed
// into its combo, Enter.
void ExtractTo(MainWindowHarness& h, const std::wstring& destination) {
    DuringModal dialog([&] {
        // Without language files beside the program the caption stays Japanese.
        HWND d = FindThreadWindow(L"ファイル解凍");
        if (!d) d = FindThreadWindow(L"Extract files");
        if (!d) return false;
        HWND combo = FindWindowExW(d, nullptr, L"ComboBox", nullptr);
        combo = FindWindowExW(d, combo, L"ComboBox", nullptr);  // the zip DLL combo comes first
        HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
        if (!edit) return false;
        SetWindowTextW(edit, destination.c_str());
        SetFocus(edit);
        PressKey(edit, VK_RETURN);
        return true;
    });
    h.Command(quib::tag::MenuUnpack);
    WaitFor([&] { return dialog.Done(); });
    h.Pump(100);
}

struct LogScope {
    std::wstring path;
    explicit LogScope(const std::wstring& p) : path(p) { SetEnvironmentVariableW(L"QUIB_ARCHIVER_LOG", p.c_str()); }
    ~LogScope() { SetEnvironmentVariableW(L"QUIB_ARCHIVER_LOG", nullptr); }
};

}  // namespace

TEST(ExtractWindow, EachFamilyGetsItsExactLineAndTheFilesEqualTheOriginals) {
    struct Case {
        const wchar_t* archive;
        const wchar_t* function;
        const wchar_t* withPath;  // Normal2 prefix
        bool sevenForm;
        int unzipDll;
    } cases[] = {
        {L"basic.zip", L"UnZip", L"-x -qr0", false, 0},
        {L"basic.zip", L"SevenZip", L"x -aos -r-", true, 2},
        {L"basic.7z", L"SevenZip", L"x -aos -r-", true, 0},
        {L"basic.lzh", L"Unlha", L"x -+ -n0 -u1 -d1 -x1 -jse1 -jso1 -a2", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(quib::WideToUtf8(c.archive) + " " + quib::WideToUtf8(c.function));
        MainWindowHarness h;
        h.Setting(L"UnzipDll", L"Index", std::to_wstring(c.unzipDll));
        h.Setting(L"ListText", L"Enabled", L"1");
        h.Setting(L"ListFiler", L"Enabled", L"0");
        TempDir out;
        LogScope log(h.Folder() / L"calls.log");
        quib::TFormMain& f = h.Start({Standin(c.archive)});
        ASSERT_GT(f.RowCount(), 1);
        h.Command(quib::tag::MenuAllMarkFile);
        const std::wstring dest = out / L"dest";
        ExtractTo(h, dest);
        // The last call is the extraction: the main window owns it.
        const auto calls = CallLog(log.path);
        ASSERT_FALSE(calls.empty());
        const auto& call = calls.back();
        ASSERT_EQ(call.size(), 6u);
        EXPECT_EQ(call[0], c.function);
        EXPECT_EQ(call[2], Hex(f.Handle()));
        const std::wstring list = L"\"@" + f.StrExtractBase + L"quibFMarchive-Responce.txt\"";
        const std::wstring archive = L"\"" + Standin(c.archive) + L"\"";
        EXPECT_EQ(call[3], std::wstring(c.withPath) + L" " + archive +
                               (c.sevenForm ? L" -o\"" + dest + L"\\\" " : L" \"" + dest + L"\\\"  ") + list);
        EXPECT_EQ(call[5], L"0");
        // The missing destination is made after the question, then the report.
        ASSERT_EQ(h.Messages().Texts().size(), 2u);
        EXPECT_EQ(h.Messages().Texts()[0], L"フォルダがありません\r\n作成しますか？");
        EXPECT_EQ(h.Messages().Texts()[1], L"Information : 解凍が完了しました\r\n" + dest + L"\\");
        // Every file of the archive, byte for byte.
        const auto files = FilesBelow(dest);
        ASSERT_FALSE(files.empty());
        for (const auto& rel : files) {
            const std::wstring original = Standin(L"src\\" + rel);
            if (rel == L"日本語.txt") {
                EXPECT_EQ(ReadFileBytes(dest + L"\\" + rel), "nihongo\r\n");
                continue;
            }
            ASSERT_TRUE(FileExists(original)) << quib::WideToUtf8(rel);
            EXPECT_EQ(ReadFileBytes(dest + L"\\" + rel), ReadFileBytes(original)) << quib::WideToUtf8(rel);
        }
        EXPECT_NE(std::find(files.begin(), files.end(), L"hello.txt"), files.end());
    }
}

// The main window gives the dialog its pickers: Enter on an empty destination
// opens the one [FolderSelect] Index names (2, the browse window), which
// starts on the archive; the folder chosen there is where the files go.
TEST(ExtractWindow, ThePickersChosenFolderIsWhereTheFilesGo) {
    MainWindowHarness h;
    h.Setting(L"FolderSelect", L"Index", L"2");
    TempDir out;
    CreateDirectoryW((out / L"here").c_str(), nullptr);
    h.Start({Standin(L"basic.7z")});
    h.Command(quib::tag::MenuAllMarkFolderFile);
    std::wstring startedOn;
    DuringModal browse([&] {
        HWND w = FindThreadWindow(L"参照");
        auto* f = w ? dynamic_cast<quib::TFormBrowse*>(quib::TFormBase::FromHandle(w)) : nullptr;
        if (!f) return false;
        startedOn = f->LowerLabel();
        // The current-folder dialog (H) takes the folder typed.
        DuringModal current([&] {
            HWND c = FindThreadWindow(L"カレント変更");
            auto* jf = c ? dynamic_cast<quib::TFormJumpFolderEx*>(quib::TFormBase::FromHandle(c)) : nullptr;
            if (!jf) return false;
            SetFocus(jf->NameField());
            for (wchar_t ch : out.Path() + L"\\here\\") SendMessageW(jf->NameField(), WM_CHAR, ch, 1);
            PressKey(jf->NameField(), VK_RETURN);
            return true;
        }, 60000);
        PressKey(f->ListView1(), 'H');
        EXPECT_EQ(f->UpperLabel(), out / L"here\\");
        PressKey(f->ListView1(), VK_RETURN, 1);
        return true;
    }, 60000);
    DuringModal dialog([&] {
        HWND d = FindThreadWindow(L"ファイル解凍");
        auto* f = d ? dynamic_cast<quib::TFormExtract*>(quib::TFormBase::FromHandle(d)) : nullptr;
        if (!f) return false;
        for (int tag : {quib::TFormExtract::kTagButtonBrowse, quib::TFormExtract::kTagButtonTree,
                        quib::TFormExtract::kTagButtonJumpFolder})
            EXPECT_TRUE(IsWindowEnabled(f->Control(tag)));
        HWND edit = FindWindowExW(f->DestinationCombo(), nullptr, L"Edit", nullptr);
        SetFocus(edit);
        PressKey(edit, VK_RETURN);  // empty: the browse window
        EXPECT_EQ(f->DestinationText(), out / L"here\\");
        PressKey(edit, VK_RETURN);  // now the extraction
        return true;
    }, 60000);
    h.Command(quib::tag::MenuUnpack);
    WaitFor([&] { return dialog.Done(); });
    EXPECT_EQ(startedOn, Standin(L"basic.7z"));
    EXPECT_EQ(FilesBelow(out / L"here").size(), 4u);
}

TEST(ExtractWindow, WithoutPathsTakesNormal1AndFlattens) {
    MainWindowHarness h;
    h.Setting(L"FormExtract", L"WithPath", L"0");
    TempDir out;
    LogScope log(h.Folder() / L"calls.log");
    quib::TFormMain& f = h.Start({Standin(L"basic.7z")});
    // The filer display: the marked folder brings everything inside it.
    h.Command(quib::tag::MenuAllMarkFolderFile);
    ExtractTo(h, out / L"flat");
    const auto calls = CallLog(log.path);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back()[3], L"e -aos -r- \"" + Standin(L"basic.7z") + L"\" -o\"" + (out / L"flat") + L"\\\" \"@" +
                                   f.StrExtractBase + L"quibFMarchive-Responce.txt\"");
    EXPECT_EQ(FilesBelow(out / L"flat"), (std::vector<std::wstring>{L"bin.dat", L"hello.txt", L"note.txt", L"readme.txt"}));
    EXPECT_EQ(h.ReadSetting(L"FormExtract", L"WithPath"), L"0");
    // The folder's entries each on a line, quoted, in the system code page.
    const std::string response = ReadFileBytes(f.ResponseFilePath());
    EXPECT_NE(response.find("\"docs/deep/note.txt\"\r\n"), std::string::npos) << response;
    EXPECT_NE(response.find("\"hello.txt\"\r\n"), std::string::npos) << response;
}

TEST(ExtractWindow, ShiftJisNamesComeOutUnderTheirNames) {
    if (GetACP() != 932) GTEST_SKIP() << "Shift_JIS names need the Japanese code page";
    MainWindowHarness h;
    TempDir out;
    h.Start({Standin(L"cp932.zip")});
    h.Command(quib::tag::MenuAllMarkFolderFile);
    ExtractTo(h, out / L"jp");
    EXPECT_EQ(ReadFileBytes(out / L"jp\\日本語\\表示.txt"), "hyouji\r\n");
    EXPECT_EQ(ReadFileBytes(out / L"jp\\ソフト.txt"), "soft\r\n");
}

TEST(ExtractWindow, FailedExtractionLeavesNoPartialFileAndSaysSo) {
    struct Case {
        const wchar_t* archive;
        const wchar_t* password;
        std::vector<std::wstring> left;  // what a failure may leave: only good entries, whole
        const char* passwordSwitch;
    } cases[] = {
        {L"crc.zip", L"", {L"good.txt"}, nullptr},
        {L"secret.zip", L"wrong", {}, " -Pwrong "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(quib::WideToUtf8(c.archive));
        MainWindowHarness h;
        h.Setting(L"Language", L"Japanese", L"0");
        TempDir out;
        LogScope log(h.Folder() / L"calls.log");
        quib::TFormMain& f = h.Start({Standin(c.archive)});
        f.StrArchivePasswordExtract = c.password;
        h.Command(quib::tag::MenuAllMarkFolderFile);
        ExtractTo(h, out / L"d");
        ASSERT_EQ(h.Messages().Texts().size(), 2u);
        EXPECT_EQ(h.Messages().Texts()[0], L"Folder is not exist.\r\nMake folder ?\r\n[OK] / [NO]");
        EXPECT_EQ(h.Messages().Texts()[1], L"Information : Can not extract.\r\n[OK]");
        EXPECT_EQ(FilesBelow(out / L"d"), c.left);
        if (c.passwordSwitch) {
            EXPECT_NE(quib::WideToUtf8(CallLog(log.path).back()[3]).find(c.passwordSwitch), std::string::npos);
        }
        if (!c.left.empty()) {
            EXPECT_EQ(ReadFileBytes(out / L"d\\good.txt"), "good data\n");
        }
    }
}

TEST(ExtractWindow, RightPasswordGivesTheOriginals) {
    MainWindowHarness h;
    TempDir out;
    quib::TFormMain& f = h.Start({Standin(L"secret.zip")});
    f.StrArchivePasswordExtract = L"secret";
    h.Command(quib::tag::MenuAllMarkFolderFile);
    ExtractTo(h, out / L"d");
    EXPECT_EQ(ReadFileBytes(out / L"d\\hello.txt"), ReadFileBytes(Standin(L"src\\hello.txt")));
    EXPECT_EQ(ReadFileBytes(out / L"d\\docs\\readme.txt"), ReadFileBytes(Standin(L"src\\docs\\readme.txt")));
}

TEST(ExtractWindow, HostileArchiveWritesNothingOutsideAndNamesWhatItLeftOut) {
    MainWindowHarness h;
    h.Setting(L"Language", L"Japanese", L"0");
    h.Setting(L"ListText", L"Enabled", L"1");
    h.Setting(L"ListFiler", L"Enabled", L"0");
    TempDir out;
    quib::TFormMain& f = h.Start({Standin(L"hostile.zip")});
    h.Command(quib::tag::MenuAllMarkFile);
    const std::wstring dest = out / L"in\\dest";
    ExtractTo(h, dest);
    const auto texts = h.Messages().Texts();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[0].rfind(L"Information : Stored paths that point outside the destination are not extracted.\r\n[OK]",
                             0),
              0u);
    EXPECT_NE(texts[0].find(L"../evil.txt"), std::wstring::npos);
    EXPECT_NE(texts[0].find(L"C:/drive.txt"), std::wstring::npos);
    // Only the harmless entry, and nothing beside or above the destination.
    EXPECT_EQ(FilesBelow(out.Path()), std::vector<std::wstring>{L"in\\dest\\ok.txt"});
    const std::string response = ReadFileBytes(f.ResponseFilePath());
    EXPECT_EQ(response, "\"ok.txt\"\r\n");
}

TEST(ExtractWindow, MakeFolderNamesTheArchiveUnlessItHoldsOneTopFolder) {
    struct Case {
        const wchar_t* archive;
        bool doubleDisabled;
        const wchar_t* firstFile;
    } cases[] = {
        {L"onefolder.zip", true, L"top\\a.txt"},
        {L"onefolder.zip", false, L"onefolder\\top\\a.txt"},
        {L"levels.zip", true, L"levels\\a\\x.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(quib::WideToUtf8(c.archive));
        MainWindowHarness h;
        h.Setting(L"FormExtract", L"MakeFolder", L"1");
        h.Setting(L"FormExtract", L"DouleDisabled", c.doubleDisabled ? L"1" : L"0");
        TempDir out;
        h.Start({ProgramFixture(c.archive)});
        h.Command(quib::tag::MenuAllMarkFolderFile);
        ExtractTo(h, out / L"d");
        EXPECT_TRUE(FileExists(out / (L"d\\" + std::wstring(c.firstFile)))) << quib::WideToUtf8(FilesBelow(out.Path()).empty() ? L"" : FilesBelow(out.Path())[0]);
    }
}

TEST(ExtractWindow, RootFocusedRefusesWithoutTheDialog) {
    MainWindowHarness h;
    h.Setting(L"Language", L"Japanese", L"0");
    h.Start({Standin(L"basic.zip")});
    h.Command(quib::tag::MenuUnpack);
    ASSERT_EQ(h.Messages().Texts().size(), 1u);
    EXPECT_EQ(h.Messages().Texts()[0], L"Information : This folder can not accept.\r\n[OK]");
}

TEST(LaunchWindow, ThreeMarkedImagesGoToTheImageProgramInOneResponseFile) {
    MainWindowHarness h;
    h.Setting(L"ExpandFile01", L"Ext", L".png;");
    h.Setting(L"ExpandFile01", L"Exe", L"\"%p\\quibFMimage.exe\" -x %h");
    WriteFileBytes(h.Folder() / L"quibFMimage.exe", "MZ");
    std::vector<quib::ProgramStart> starts;
    quib::SetProgramStartHookForTests([&](const quib::ProgramStart& s) {
        starts.push_back(s);
        return true;
    });
    LogScope log(h.Folder() / L"calls.log");
    quib::TFormMain& f = h.Start({ProgramFixture(L"pics.zip")});
    // Rows: <\>, a.png, b.png, c.png, d.txt. Down, then Space three times.
    HWND list = f.ListView1();
    PressKey(list, VK_DOWN);
    for (int i = 0; i < 3; ++i) PressKey(list, VK_SPACE);
    PressKey(list, VK_UP);  // back on c.png, marked
    PressKey(list, VK_RETURN);
    h.Pump(100);
    quib::SetProgramStartHookForTests(nullptr);
    ASSERT_EQ(starts.size(), 1u) << (h.Messages().Texts().empty() ? "" : quib::WideToUtf8(h.Messages().Texts()[0]));
    EXPECT_EQ(starts[0].program, h.Folder() / L"quibFMimage.exe");
    const std::wstring handle = std::to_wstring(reinterpret_cast<UINT_PTR>(f.Handle()));
    const std::wstring prefix = L"-x " + handle + L"  \"" + h.Folder().Path() + L"\\ImageResponce\\@" + handle + L"-";
    EXPECT_EQ(starts[0].parameters.rfind(prefix, 0), 0u) << quib::WideToUtf8(starts[0].parameters);
    const size_t q1 = starts[0].parameters.find(L'"');
    const std::wstring file = starts[0].parameters.substr(q1 + 1, starts[0].parameters.size() - q1 - 2);
    const std::string bytes = ReadFileBytes(file);
    const std::string base = quib::WideToAnsi(f.StrExtractBase);
    EXPECT_EQ(bytes, "1 1 1 0 0 " + base + "a.png\r\n0 1 1 0 0 " + base + "b.png\r\n0 1 1 0 0 " + base + "c.png\r\n");
    // All three extracted into the temporary folder with the Temp prefix.
    const auto calls = CallLog(log.path);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back()[3].rfind(L"-x -n -qr0 --i ", 0), 0u);
    EXPECT_EQ(ReadFileBytes(f.StrExtractBase + L"b.png"), "png-b");
}

TEST(LaunchWindow, TheArchiveViewerOpensOnTheExtractedFile) {
    MainWindowHarness h;
    h.Setting(L"Language", L"Japanese", L"0");
    h.Setting(L"ExpandFile05", L"Ext", L".txt;");
    h.Setting(L"ExpandFile05", L"Exe", L"@ArchiveViwer");
    quib::TFormMain& f = h.Start({ProgramFixture(L"pics.zip")});
    h.Command(quib::tag::MenuMoveEnd);
    bool shown = false;
    std::wstring fileThen;
    quibtest::DuringModal close([&] {
        HWND w = quibtest::FindThreadWindow(L"Archive viewer [simple listing]");
        if (!w) w = quibtest::FindThreadWindow(L"圧縮ファイルビューワ [簡易表示]");
        if (!w) return false;
        shown = true;
        fileThen = ReadFileBytes(f.StrExtractBase + L"d.txt") == "text" ? L"there" : L"missing";
        PostMessageW(w, WM_CLOSE, 0, 0);
        return true;
    });
    PressKey(f.ListView1(), VK_RETURN);
    h.Pump(50);
    EXPECT_TRUE(close.Done());
    EXPECT_TRUE(shown);
    EXPECT_EQ(fileThen, L"there") << "extracted before the viewer opened";
    // The direct command on a name outside its list: extracted, nothing shown.
    h.Messages().Clear();
    h.Command(quib::tag::MenuMoveTop);
    PressKey(f.ListView1(), VK_DOWN);
    h.Command(quib::tag::MenuTextView);
    EXPECT_TRUE(h.Messages().Texts().empty());
    EXPECT_TRUE(FileExists(f.StrExtractBase + L"a.png"));
}
