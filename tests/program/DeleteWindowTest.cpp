// The password and delete commands through the real main window, the real
// dialogs and the stand-in archiver: the password's switch in each family's
// command line, the entries that stay after a deletion, the archive's time
// stamp and attributes, and an archive left as it was when deletion fails.
#include <gtest/gtest.h>

#include <algorithm>

#include "ArchiveCallLog.h"
#include "FormTestSupport.h"
#include "MainWindowHarness.h"
#include "app/MainMenuTable.h"
#include "extract/FormDelete.h"
#include "extract/FormExtract.h"
#include "extract/FormPassword.h"
#include "util/StrConv.h"

using namespace quibtest;

namespace {

std::wstring Standin(const std::wstring& name) { return FixturesDir() + L"\\standin\\" + name; }

// Types the password into the dialog and closes it with Enter (or Esc).
void EnterPassword(MainWindowHarness& h, const std::wstring& text, WORD closeKey = VK_RETURN,
                   bool* shownInClear = nullptr) {
    DuringModal dialog([&] {
        HWND w = FindThreadWindow(L"解凍パスワード入力");
        auto* d = w ? dynamic_cast<quib::TFormPassword*>(quib::TFormBase::FromHandle(w)) : nullptr;
        if (!d) return false;
        if (shownInClear) *shownInClear = SendMessageW(d->PasswordEdit(), EM_GETPASSWORDCHAR, 0, 0) == 0;
        EXPECT_EQ(GetFocus(), d->PasswordEdit());
        for (wchar_t ch : text) SendMessageW(d->PasswordEdit(), WM_CHAR, ch, 1);
        PressKey(d->PasswordEdit(), closeKey);
        return true;
    });
    h.Command(quib::tag::MenuPassword);
    WaitFor([&] { return dialog.Done(); });
    h.Pump(50);
}

// The delete dialog: what it shows, then a DLL choice, and the delete button
// by Enter (or Esc to cancel).
struct DeleteDialogSeen {
    bool shown = false;
    std::vector<std::wstring> files;
    std::wstring archive;
    int zipDll = -1;
    bool keepTime = false, keepAttributes = false;
};

DeleteDialogSeen DeleteThroughDialog(MainWindowHarness& h, WORD closeKey = VK_RETURN, int chooseZipDll = -1,
                                     int keepTime = -1, int keepAttributes = -1) {
    DeleteDialogSeen seen;
    DuringModal dialog([&] {
        HWND w = FindThreadWindow(L"ファイル削除");
        auto* d = w ? dynamic_cast<quib::TFormDelete*>(quib::TFormBase::FromHandle(w)) : nullptr;
        if (!d) return false;
        seen.shown = true;
        const int n = static_cast<int>(SendMessageW(d->FileList(), LB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            wchar_t buf[1024] = {};
            SendMessageW(d->FileList(), LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
            seen.files.push_back(buf);
        }
        wchar_t buf[1024] = {};
        SendMessageW(d->ArchiveList(), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(buf));
        seen.archive = buf;
        seen.zipDll = static_cast<int>(SendMessageW(d->ZipDllCombo(), CB_GETCURSEL, 0, 0));
        seen.keepTime = d->KeepTimeStamp();
        seen.keepAttributes = d->KeepAttribute();
        if (chooseZipDll >= 0) SendMessageW(d->ZipDllCombo(), CB_SETCURSEL, static_cast<WPARAM>(chooseZipDll), 0);
        if (keepTime >= 0 && d->KeepTimeStamp() != (keepTime == 1))
            SendMessageW(d->Control(quib::TFormDelete::kTagTimeStamp), BM_CLICK, 0, 0);
        if (keepAttributes >= 0 && d->KeepAttribute() != (keepAttributes == 1))
            SendMessageW(d->Control(quib::TFormDelete::kTagAttribute), BM_CLICK, 0, 0);
        PressKey(d->Control(quib::TFormDelete::kTagButtonOK), closeKey);
        return true;
    });
    h.Command(quib::tag::MenuDelete);
    WaitFor([&] { return dialog.Done(); });
    h.Pump(50);
    return seen;
}

// The stored paths the list shows in the text display (root line first).
std::vector<std::wstring> ShownPaths(quib::TFormMain& f) {
    std::vector<std::wstring> out;
    for (int r = 0; r < f.RowCount(); ++r) out.push_back(f.RowText(r, 1));
    return out;
}

int RowOf(quib::TFormMain& f, const std::wstring& path) {
    for (int r = 0; r < f.RowCount(); ++r)
        if (f.RowText(r, 1) == path) return r;
    return -1;
}

void MarkPaths(MainWindowHarness& h, const std::vector<std::wstring>& paths) {
    for (const auto& p : paths) {
        const int r = RowOf(h.Form(), p);
        ASSERT_GE(r, 0) << quib::WideToUtf8(p);
        h.Form().SelectRow(r, false);
        h.Command(quib::tag::MenuMark);
    }
}

FILETIME LastWrite(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA d{};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &d);
    return d.ftLastWriteTime;
}

bool SameTime(const FILETIME& a, const FILETIME& b) {
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

void SetLastWrite(const std::wstring& path, int year) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(year);
    st.wMonth = 2;
    st.wDay = 3;
    st.wHour = 4;
    st.wMinute = 5;
    st.wSecond = 6;
    FILETIME ft{};
    SystemTimeToFileTime(&st, &ft);
    HANDLE h = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(h, nullptr, nullptr, &ft);
    CloseHandle(h);
}

// A fresh program with the archive copied into a folder of the test's own,
// shown in the text display.
struct DeleteScene {
    MainWindowHarness h;
    TempDir dir;
    std::wstring archive;
    std::unique_ptr<ArchiverLogScope> log;
    explicit DeleteScene(const std::wstring& source, const std::wstring& name, bool japanese = true) {
        h.Setting(L"ListText", L"Enabled", L"1");
        h.Setting(L"ListFiler", L"Enabled", L"0");
        h.Setting(L"Language", L"Japanese", japanese ? L"1" : L"0");
        archive = dir / name;
        CopyFileW(source.c_str(), archive.c_str(), FALSE);
        log = std::make_unique<ArchiverLogScope>(h.Folder() / L"calls.log");
    }
    quib::TFormMain& Start() { return h.Start({archive}); }
    std::wstring ResponseList() { return L"\"@" + h.Form().ResponseFilePath() + L"\""; }
};

}  // namespace

// ---------------------------------------------------------------- password

TEST(PasswordWindow, ThePasswordReachesEachFamilyInItsForm) {
    struct Case {
        const wchar_t* archive;
        int unzipDll;
        const wchar_t* password;
        const wchar_t* function;
        const wchar_t* expected;  // the switch as the command line holds it
        bool needsJapaneseCodePage;
    } cases[] = {
        {L"basic.zip", 0, L"secret", L"UnZip", L" -Psecret ", false},
        {L"basic.zip", 1, L"two words", L"Unzip", L" \"-Ptwo words\" ", false},
        {L"basic.zip", 2, L"two words", L"SevenZip", L" \"-ptwo words\" ", false},
        {L"basic.7z", 0, L"パス ワード", L"SevenZip", L" \"-pパス ワード\" ", true},
        {L"basic.7z", 0, L"日本語", L"SevenZip", L" -p日本語 ", true},
        {L"basic.lzh", 0, L"secret", L"Unlha", nullptr, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(quib::WideToUtf8(c.archive) + " " + quib::WideToUtf8(c.password));
        if (c.needsJapaneseCodePage && GetACP() != 932) continue;
        MainWindowHarness h;
        h.Setting(L"UnzipDll", L"Index", std::to_wstring(c.unzipDll));
        TempDir out;
        ArchiverLogScope log(h.Folder() / L"calls.log");
        quib::TFormMain& f = h.Start({Standin(c.archive)});
        ASSERT_GT(f.RowCount(), 1);
        EnterPassword(h, c.password);
        EXPECT_EQ(f.StrArchivePasswordExtract, c.password);
        h.Command(quib::tag::MenuAllMarkFolderFile);
        const std::wstring dest = out / L"d";
        CreateDirectoryW(dest.c_str(), nullptr);
        DuringModal dialog([&] {
            HWND d = FindThreadWindow(L"ファイル解凍");
            auto* x = d ? dynamic_cast<quib::TFormExtract*>(quib::TFormBase::FromHandle(d)) : nullptr;
            if (!x) return false;
            x->SetDestinationText(dest);
            HWND edit = FindWindowExW(x->DestinationCombo(), nullptr, L"Edit", nullptr);
            SetFocus(edit);
            PressKey(edit, VK_RETURN);
            return true;
        });
        h.Command(quib::tag::MenuUnpack);
        WaitFor([&] { return dialog.Done(); });
        h.Pump(100);
        const auto calls = ArchiverCalls(log.path);
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.back()[0], c.function);
        const std::wstring& line = calls.back()[3];
        if (c.expected) {
            EXPECT_NE(line.find(c.expected), std::wstring::npos) << quib::WideToUtf8(line);
        } else {
            EXPECT_EQ(line.find(L"secret"), std::wstring::npos) << quib::WideToUtf8(line);
        }
    }
}

TEST(PasswordWindow, TheRightPasswordOpensAnEncryptedZipAndCancelClearsIt) {
    MainWindowHarness h;
    TempDir out;
    quib::TFormMain& f = h.Start({Standin(L"secret.zip")});
    bool clear = true;
    EnterPassword(h, L"secret", VK_RETURN, &clear);
    EXPECT_FALSE(clear);  // stars by default
    h.Command(quib::tag::MenuAllMarkFolderFile);
    const std::wstring dest = out / L"d";
    CreateDirectoryW(dest.c_str(), nullptr);
    auto extract = [&] {
        DuringModal dialog([&] {
            HWND d = FindThreadWindow(L"ファイル解凍");
            auto* x = d ? dynamic_cast<quib::TFormExtract*>(quib::TFormBase::FromHandle(d)) : nullptr;
            if (!x) return false;
            x->SetDestinationText(dest);
            HWND edit = FindWindowExW(x->DestinationCombo(), nullptr, L"Edit", nullptr);
            SetFocus(edit);
            PressKey(edit, VK_RETURN);
            return true;
        });
        h.Command(quib::tag::MenuUnpack);
        WaitFor([&] { return dialog.Done(); });
        h.Pump(100);
    };
    extract();
    ASSERT_FALSE(h.Messages().Texts().empty());
    EXPECT_EQ(h.Messages().Texts().back(), L"Information : 解凍が完了しました\r\n" + dest + L"\\");
    EXPECT_EQ(ReadFileBytes(dest + L"\\hello.txt"), ReadFileBytes(Standin(L"src\\hello.txt")));

    // Esc after typing: the password is cleared, not kept, and the next
    // extraction goes without one (and fails).
    EnterPassword(h, L"other", VK_ESCAPE);
    EXPECT_EQ(f.StrArchivePasswordExtract, L"");
    RemoveTree(dest);
    CreateDirectoryW(dest.c_str(), nullptr);
    h.Messages().Clear();
    extract();
    ASSERT_FALSE(h.Messages().Texts().empty());
    EXPECT_EQ(h.Messages().Texts().back(), L"Information : 解凍できませんでした");
    EXPECT_FALSE(FileExists(dest + L"\\hello.txt"));
}

TEST(PasswordWindow, TheShowSwitchStartsFromItsSettingAndIsSaved) {
    MainWindowHarness h;
    h.Setting(L"Password", L"Show", L"1");
    h.Start({Standin(L"basic.zip")});
    bool clear = false;
    DuringModal dialog([&] {
        HWND w = FindThreadWindow(L"解凍パスワード入力");
        auto* d = w ? dynamic_cast<quib::TFormPassword*>(quib::TFormBase::FromHandle(w)) : nullptr;
        if (!d) return false;
        clear = SendMessageW(d->PasswordEdit(), EM_GETPASSWORDCHAR, 0, 0) == 0;
        SendMessageW(d->ShowCheck(), BM_CLICK, 0, 0);
        EXPECT_EQ(SendMessageW(d->PasswordEdit(), EM_GETPASSWORDCHAR, 0, 0), L'*');
        PressKey(d->PasswordEdit(), VK_ESCAPE);
        return true;
    });
    h.Command(quib::tag::MenuPassword);
    WaitFor([&] { return dialog.Done(); });
    EXPECT_TRUE(clear);
    EXPECT_EQ(h.ReadSetting(L"Password", L"Show"), L"0");
}

// ---------------------------------------------------------------- deletion

TEST(DeleteWindow, TheMarkedEntriesGoAndTheOthersStayWhole) {
    struct Case {
        const wchar_t* source;
        const wchar_t* name;
        int deleteZipDll;
        std::vector<std::wstring> marked;
        const wchar_t* function;
        const wchar_t* dll;
        const wchar_t* prefix;
        std::vector<std::wstring> after;
    } cases[] = {
        {L"levels.zip", L"levels.zip", 0, {L"b.txt"}, L"Zip", L"ZIP32J.DLL", L"-d",
         {L"<\\>", L"a/", L"a/x.txt", L"a/b/c.txt"}},
        {L"levels.zip", L"levels.zip", 1, {L"b.txt", L"a/x.txt"}, L"Zip", L"LMZIP32.dll", L"-d",
         {L"<\\>", L"a/", L"a/b/c.txt"}},
        {L"levels.zip", L"levels.zip", 2, {L"a/b/c.txt"}, L"SevenZip", L"7-zip32.dll", L"d",
         {L"<\\>", L"b.txt", L"a/", L"a/x.txt"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(quib::WideToUtf8(c.name) + " " + std::to_string(c.deleteZipDll));
        DeleteScene s(ProgramFixture(c.source), c.name);
        s.h.Setting(L"DeleteZipDll", L"Index", std::to_wstring(c.deleteZipDll));
        quib::TFormMain& f = s.Start();
        // What each kept entry shows before: size, date, time.
        std::vector<std::vector<std::wstring>> before;
        for (const auto& p : c.after) {
            const int r = RowOf(f, p);
            ASSERT_GE(r, 0);
            before.push_back({f.RowText(r, 2), f.RowText(r, 3), f.RowText(r, 4), f.RowText(r, 5)});
        }
        MarkPaths(s.h, c.marked);
        const DeleteDialogSeen seen = DeleteThroughDialog(s.h);
        ASSERT_TRUE(seen.shown);
        std::vector<std::wstring> quoted;
        for (const auto& m : c.marked) quoted.push_back(L"\"" + m + L"\"");
        EXPECT_EQ(seen.files, quoted);
        EXPECT_EQ(seen.archive, s.archive);
        EXPECT_EQ(seen.zipDll, c.deleteZipDll);
        EXPECT_EQ(s.h.Messages().Texts(), std::vector<std::wstring>{L"Information : 削除が完了しました"});
        const auto calls = ArchiverCalls(s.log->path);
        auto call = std::find_if(calls.begin(), calls.end(), [&](const auto& x) { return x[0] == c.function; });
        ASSERT_NE(call, calls.end());
        EXPECT_EQ((*call)[1], c.dll);
        EXPECT_EQ((*call)[2], L"0x" + [&] {
            wchar_t b[32];
            swprintf(b, 32, L"%llX", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(f.Handle())));
            return std::wstring(b);
        }());
        EXPECT_EQ((*call)[3], std::wstring(c.prefix) + L" \"" + s.archive + L"\" " + s.ResponseList());
        EXPECT_EQ((*call)[5], L"0");
        // Listed again from the archive: the others with what they showed.
        EXPECT_EQ(ShownPaths(f), c.after);
        for (size_t i = 0; i < c.after.size(); ++i) {
            const int r = RowOf(f, c.after[i]);
            EXPECT_EQ((std::vector<std::wstring>{f.RowText(r, 2), f.RowText(r, 3), f.RowText(r, 4), f.RowText(r, 5)}),
                      before[i])
                << quib::WideToUtf8(c.after[i]);
        }
    }
}

TEST(DeleteWindow, TheKeptEntriesComeOutByteForByte) {
    DeleteScene s(Standin(L"basic.7z"), L"basic.7z");
    quib::TFormMain& f = s.Start();
    MarkPaths(s.h, {L"hello.txt"});
    DeleteThroughDialog(s.h);
    ASSERT_EQ(s.h.Messages().Texts(), std::vector<std::wstring>{L"Information : 削除が完了しました"});
    EXPECT_EQ(RowOf(f, L"hello.txt"), -1);
    // Every entry left, extracted, equals its source file.
    TempDir out;
    const std::wstring dest = out / L"d";
    CreateDirectoryW(dest.c_str(), nullptr);
    s.h.Command(quib::tag::MenuAllMarkFile);
    DuringModal dialog([&] {
        HWND d = FindThreadWindow(L"ファイル解凍");
        auto* x = d ? dynamic_cast<quib::TFormExtract*>(quib::TFormBase::FromHandle(d)) : nullptr;
        if (!x) return false;
        x->SetDestinationText(dest);
        HWND edit = FindWindowExW(x->DestinationCombo(), nullptr, L"Edit", nullptr);
        SetFocus(edit);
        PressKey(edit, VK_RETURN);
        return true;
    });
    s.h.Command(quib::tag::MenuUnpack);
    WaitFor([&] { return dialog.Done(); });
    s.h.Pump(100);
    int compared = 0;
    for (int r = 1; r < f.RowCount(); ++r) {
        const std::wstring stored = f.RowText(r, 1);
        if (!stored.empty() && stored.back() == L'/') continue;
        std::wstring rel = stored;
        std::replace(rel.begin(), rel.end(), L'/', L'\\');
        EXPECT_EQ(ReadFileBytes(dest + L"\\" + rel), ReadFileBytes(Standin(L"src\\" + rel))) << quib::WideToUtf8(rel);
        ++compared;
    }
    EXPECT_GE(compared, 2);
    EXPECT_FALSE(FileExists(dest + L"\\hello.txt"));
}

TEST(DeleteWindow, TheArchivesTimeStampAndAttributesAreKeptWhenAsked) {
    struct Case {
        bool keepTime, keepAttributes;
    } cases[] = {{true, true}, {false, false}, {true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.keepTime) + std::to_string(c.keepAttributes));
        DeleteScene s(ProgramFixture(L"levels.zip"), L"levels.zip");
        SetLastWrite(s.archive, 2001);
        SetFileAttributesW(s.archive.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
        const FILETIME before = LastWrite(s.archive);
        const DWORD attributesBefore = GetFileAttributesW(s.archive.c_str());
        s.Start();
        MarkPaths(s.h, {L"b.txt"});
        // The switches as the user leaves them in the dialog, which stores them.
        DeleteThroughDialog(s.h, VK_RETURN, -1, c.keepTime ? 1 : 0, c.keepAttributes ? 1 : 0);
        ASSERT_EQ(s.h.Messages().Texts(), std::vector<std::wstring>{L"Information : 削除が完了しました"});
        EXPECT_EQ(s.h.ReadSetting(L"ArchiveTimeStamp", L"Keep"), c.keepTime ? L"1" : L"0");
        EXPECT_EQ(s.h.ReadSetting(L"ArchiveAttribute", L"Keep"), c.keepAttributes ? L"1" : L"0");
        EXPECT_EQ(SameTime(LastWrite(s.archive), before), c.keepTime);
        EXPECT_EQ(GetFileAttributesW(s.archive.c_str()) == attributesBefore, c.keepAttributes);
        EXPECT_EQ(RowOf(s.h.Form(), L"b.txt"), -1);
    }
}

// In the filer display a marked folder stands for every entry inside it,
// also a folder the archive knows only through its files: the folder goes as
// a whole and everything beside it stays.
TEST(DeleteWindow, AMarkedFolderOfTheFilerDisplayGoesWithEverythingInside) {
    struct Case {
        const wchar_t* enter;  // the folder walked into first, or none
        const wchar_t* folder;
        std::vector<std::wstring> files;
        std::vector<std::wstring> after;
    } cases[] = {
        {nullptr, L"a", {L"\"a/\"", L"\"a/x.txt\"", L"\"a/b/c.txt\""}, {L"<\\>", L"b.txt"}},
        {L"a", L"b", {L"\"a/b/c.txt\""}, {L"<\\>", L"b.txt", L"a/", L"a/x.txt"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(quib::WideToUtf8(c.folder));
        DeleteScene s(ProgramFixture(L"levels.zip"), L"levels.zip");
        s.h.Setting(L"ListText", L"Enabled", L"0");
        s.h.Setting(L"ListFiler", L"Enabled", L"1");
        quib::TFormMain& f = s.Start();
        ASSERT_TRUE(f.MenuChecked(quib::tag::MenuListFiler));
        if (c.enter) {
            f.SelectRow(RowOf(f, c.enter), false);
            SetFocus(f.ListView1());
            PostMessageW(f.ListView1(), WM_KEYDOWN, VK_RETURN, 1);
            PostMessageW(f.ListView1(), WM_KEYUP, VK_RETURN, 0xC0000001);
            s.h.Pump();
            ASSERT_EQ(f.StrFilerCurrent, L"/" + std::wstring(c.enter) + L"/");
        }
        MarkPaths(s.h, {c.folder});
        const DeleteDialogSeen seen = DeleteThroughDialog(s.h);
        EXPECT_EQ(seen.files, c.files);
        EXPECT_EQ(s.h.Messages().Texts(), std::vector<std::wstring>{L"Information : 削除が完了しました"});
        s.h.Command(quib::tag::MenuListText);
        EXPECT_EQ(ShownPaths(f), c.after);
    }
}

// A deletion the DLL refuses (the stand-in cannot write LZH) leaves the
// archive exactly as it was, its time stamp too, and the list untouched.
TEST(DeleteWindow, AFailedDeletionLeavesTheArchiveAsItWas) {
    for (bool japanese : {true, false}) {
        SCOPED_TRACE(japanese);
        DeleteScene s(ProgramFixture(L"sample.lzh"), L"sample.lzh", japanese);
        SetLastWrite(s.archive, 2003);
        const std::string bytes = ReadFileBytes(s.archive);
        const FILETIME before = LastWrite(s.archive);
        quib::TFormMain& f = s.Start();
        const auto rows = ShownPaths(f);
        MarkPaths(s.h, {L"numbers.txt"});
        DeleteThroughDialog(s.h);
        EXPECT_EQ(s.h.Messages().Texts(),
                  std::vector<std::wstring>{japanese ? L"Error : 削除できませんでした" : L"Error : Delete failed.\r\n[OK]"});
        const auto calls = ArchiverCalls(s.log->path);
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.back()[0], L"Unlha");
        // The LZH form: no password, the stored path without a final "/".
        EXPECT_EQ(calls.back()[3], L"d -jyd1 \"" + s.archive + L"\" " + s.ResponseList());
        EXPECT_NE(calls.back()[5], L"0");
        EXPECT_EQ(ReadFileBytes(s.archive), bytes);
        EXPECT_TRUE(SameTime(LastWrite(s.archive), before));
        EXPECT_EQ(ShownPaths(f), rows);
        EXPECT_EQ(f.RowMark(RowOf(f, L"numbers.txt")), L"●");
    }
}

// An archive another program holds open cannot be replaced: the deletion
// fails, and the archive, its time stamp and attributes and the list stay as
// they were.
TEST(DeleteWindow, AnArchiveInUseIsLeftAsItWas) {
    DeleteScene s(ProgramFixture(L"levels.zip"), L"levels.zip");
    SetLastWrite(s.archive, 2004);
    SetFileAttributesW(s.archive.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    const std::string bytes = ReadFileBytes(s.archive);
    const FILETIME before = LastWrite(s.archive);
    const DWORD attributesBefore = GetFileAttributesW(s.archive.c_str());
    quib::TFormMain& f = s.Start();
    const auto rows = ShownPaths(f);
    MarkPaths(s.h, {L"b.txt"});
    const HANDLE held = CreateFileW(s.archive.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    DeleteThroughDialog(s.h);
    CloseHandle(held);
    EXPECT_EQ(s.h.Messages().Texts(), std::vector<std::wstring>{L"Error : 削除できませんでした"});
    const auto calls = ArchiverCalls(s.log->path);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back()[0], L"Zip");
    EXPECT_NE(calls.back()[5], L"0");
    EXPECT_EQ(ReadFileBytes(s.archive), bytes);
    EXPECT_TRUE(SameTime(LastWrite(s.archive), before));
    EXPECT_EQ(GetFileAttributesW(s.archive.c_str()), attributesBefore);
    EXPECT_EQ(ShownPaths(f), rows);
    EXPECT_EQ(f.RowMark(RowOf(f, L"b.txt")), L"●");
}

TEST(DeleteWindow, RefusalsAndCancelChangeNothing) {
    // A cab archive: the dialog first, then the refusal naming the extension.
    for (bool japanese : {true, false}) {
        DeleteScene s(Standin(L"basic.cab"), L"basic.cab", japanese);
        const std::string bytes = ReadFileBytes(s.archive);
        quib::TFormMain& f = s.Start();
        ASSERT_GT(f.RowCount(), 1);
        f.SelectRow(1, false);
        const DeleteDialogSeen seen = DeleteThroughDialog(s.h);
        EXPECT_TRUE(seen.shown);
        EXPECT_EQ(s.h.Messages().Texts(),
                  std::vector<std::wstring>{
                      japanese ? L"Information : この拡張子の圧縮ファイルは、ファイル内のファイルの削除できません\r\n.cab"
                               : L"Information : This extention can not delete the file in archive file.\r\n[OK]\r\n.cab"});
        EXPECT_EQ(ReadFileBytes(s.archive), bytes);
    }
    // The root line with nothing marked.
    for (bool japanese : {true, false}) {
        DeleteScene s(ProgramFixture(L"levels.zip"), L"levels.zip", japanese);
        quib::TFormMain& f = s.Start();
        f.SelectRow(0, false);
        s.h.Command(quib::tag::MenuDelete);
        EXPECT_EQ(s.h.Messages().Texts(),
                  std::vector<std::wstring>{japanese ? L"Information : このフォルダは指定できません"
                                                     : L"Information : This folder can not accept.\r\n[OK]"});
    }
    // Cancel in the dialog: no DLL is asked; the switches are stored anyway.
    {
        DeleteScene s(ProgramFixture(L"levels.zip"), L"levels.zip");
        const std::string bytes = ReadFileBytes(s.archive);
        quib::TFormMain& f = s.Start();
        DeleteFileW(s.log->path.c_str());
        f.SelectRow(RowOf(f, L"b.txt"), false);
        const DeleteDialogSeen seen = DeleteThroughDialog(s.h, VK_ESCAPE, 2, 0, 1);
        EXPECT_TRUE(seen.shown);
        EXPECT_EQ(seen.files, std::vector<std::wstring>{L"\"b.txt\""});
        EXPECT_TRUE(seen.keepTime);
        EXPECT_TRUE(seen.keepAttributes);
        EXPECT_EQ(seen.zipDll, 0);
        EXPECT_TRUE(s.h.Messages().Texts().empty());
        EXPECT_TRUE(ArchiverEntryPoints(s.log->path).empty());
        EXPECT_EQ(ReadFileBytes(s.archive), bytes);
        EXPECT_EQ(s.h.ReadSetting(L"DeleteZipDll", L"Index"), L"2");
        EXPECT_EQ(s.h.ReadSetting(L"ArchiveTimeStamp", L"Keep"), L"0");
        EXPECT_EQ(s.h.ReadSetting(L"ArchiveAttribute", L"Keep"), L"1");
    }
}

// Deletion belongs to the normal listing: on a self-extracting listing the
// command does nothing at all.
TEST(DeleteWindow, NothingHappensOnASelfExtractingListing) {
    MainWindowHarness h;
    h.Setting(L"AutoCheckSfx", L"zip", L"1");
    TempDir dir;
    const std::wstring sfx = dir / L"sfxzip.exe";
    CopyFileW(ProgramFixture(L"sfxzip.exe").c_str(), sfx.c_str(), FALSE);
    const std::string bytes = ReadFileBytes(sfx);
    quib::TFormMain& f = h.Start({L"hsfx=%h", sfx});
    ASSERT_GT(f.RowCount(), 1);
    f.SelectRow(1, false);
    bool dialogSeen = false;
    DuringModal watch([&] {
        if (HWND w = FindThreadWindow(L"ファイル削除")) {
            dialogSeen = true;
            PostMessageW(w, WM_CLOSE, 0, 0);
        }
        return true;
    });
    h.Command(quib::tag::MenuDelete);
    WaitFor([&] { return watch.Done(); });
    EXPECT_FALSE(dialogSeen);
    EXPECT_TRUE(h.Messages().Texts().empty());
    EXPECT_EQ(ReadFileBytes(sfx), bytes);
}

// The password given reaches the deletion of zip and 7-Zip archives in each
// DLL's form; LHA gets none.
TEST(DeleteWindow, ThePasswordReachesTheDeletionCommand) {
    struct Case {
        const wchar_t* source;
        const wchar_t* name;
        int deleteZipDll;
        const wchar_t* password;
        const wchar_t* expected;
        const wchar_t* row = L"b.txt";
        bool needsJapaneseCodePage = false;
    } cases[] = {
        {L"levels.zip", L"levels.zip", 0, L"pw", L"-d -Ppw \""},
        {L"levels.zip", L"levels.zip", 1, L"p w", L"-d \"-Pp w\" \""},
        {L"levels.zip", L"levels.zip", 2, L"p w", L"d \"-pp w\" \""},
        {L"sample.lzh", L"sample.lzh", 0, L"pw", L"d -jyd1 \"", L"numbers.txt"},
        {L"levels.zip", L"levels.zip", 0, L"パス ワード", L"-d \"-Pパス ワード\" \"", L"b.txt", true},
        {L"levels.zip", L"levels.zip", 2, L"日本語", L"d -p日本語 \"", L"b.txt", true},
        {L"basic.7z", L"basic.7z", 0, L"パス ワード", L"d -ms=off \"-pパス ワード\" \"", L"hello.txt", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(quib::WideToUtf8(c.name) + " " + std::to_string(c.deleteZipDll) + " " + quib::WideToUtf8(c.password));
        if (c.needsJapaneseCodePage && GetACP() != 932) continue;
        const std::wstring source = std::wstring(c.source) == L"basic.7z" ? Standin(c.source) : ProgramFixture(c.source);
        DeleteScene s(source, c.name);
        s.h.Setting(L"DeleteZipDll", L"Index", std::to_wstring(c.deleteZipDll));
        quib::TFormMain& f = s.Start();
        EnterPassword(s.h, c.password);
        EXPECT_EQ(f.StrArchivePasswordExtract, c.password);
        ASSERT_GE(RowOf(f, c.row), 0);
        f.SelectRow(RowOf(f, c.row), false);
        DeleteThroughDialog(s.h);
        const auto calls = ArchiverCalls(s.log->path);
        // The deletion call (a listing follows a successful one).
        auto call = std::find_if(calls.rbegin(), calls.rend(), [](const auto& x) {
            return x[0] == L"Zip" || x[0] == L"SevenZip" || x[0] == L"Unlha";
        });
        ASSERT_NE(call, calls.rend());
        EXPECT_EQ((*call)[3], std::wstring(c.expected) + s.archive + L"\" " + s.ResponseList());
    }
}
