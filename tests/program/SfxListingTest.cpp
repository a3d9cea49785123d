// Self-extracting archives through the real main window and the stand-in
// archiver, on self-extractors made by the fixture script: the kind found by
// probing in the fixed order, the listing, extraction and test through that
// kind's DLL, the DLL selection dialog, and the refusals in both languages.
#include <gtest/gtest.h>

#include <algorithm>

#include "ArchiveCallLog.h"
#include "FormTestSupport.h"
#include "MainWindowHarness.h"
#include "app/FormSelectDll.h"
#include "app/MainMenuTable.h"
#include "extract/FormExtract.h"
#include "settings/FormSetting.h"
#include "util/StrConv.h"

using namespace quibtest;

namespace {

const wchar_t* const kProbeKeys[7] = {L"lha", L"zip", L"7z", L"cab", L"rar", L"gz", L"iso"};

void EnableProbes(MainWindowHarness& h, const std::vector<std::wstring>& on) {
    for (const wchar_t* k : kProbeKeys)
        h.Setting(L"AutoCheckSfx", k, std::find(on.begin(), on.end(), k) != on.end() ? L"1" : L"0");
}

// The stored paths the list shows in the text display (root line first).
std::vector<std::wstring> ShownPaths(quib::TFormMain& f) {
    std::vector<std::wstring> out;
    for (int r = 0; r < f.RowCount(); ++r) out.push_back(f.RowText(r, 1));
    return out;
}

// The command functions asked before the listing opened the file.
std::vector<std::wstring> Probes(const std::wstring& log) {
    std::vector<std::wstring> out;
    for (const auto& c : ArchiverCalls(log)) {
        if (c[0].find(L"OpenArchive") != std::wstring::npos) break;
        out.push_back(c[0]);
    }
    return out;
}

// Drives the DLL selection dialog: checks which item it preselected, picks
// another (or cancels with Esc when pick is negative).
void ChooseInDialog(MainWindowHarness& h, int tag, int pick, int* preselected = nullptr) {
    DuringModal dialog([&] {
        HWND w = FindThreadWindow(L"DLL選択");
        auto* d = w ? dynamic_cast<quib::TFormSelectDll*>(quib::TFormBase::FromHandle(w)) : nullptr;
        if (!d) return false;
        if (preselected) *preselected = d->SelectedIndex();
        if (pick < 0) {
            PressKey(d->Radio(d->SelectedIndex()), VK_ESCAPE);
            return true;
        }
        SendMessageW(d->Radio(pick), BM_CLICK, 0, 0);
        PressKey(d->Radio(pick), VK_RETURN);
        return true;
    });
    h.Command(tag);
    WaitFor([&] { return dialog.Done(); });
    h.Pump(50);
}

}  // namespace

// A filer start with "hsfx=" lists the file with the first kind, in the order
// lha, cab, 7z, zip, whose DLL reads it; 7-zip32.dll reads a zip too, but only
// a report that names the type 7z counts for it, so the zip probe follows.
TEST(SfxListing, TheKindFoundByProbingListsTheFile) {
    struct Case {
        const wchar_t* file;
        const wchar_t* kind;
        std::vector<std::wstring> probes;
        const wchar_t* open;
        std::vector<std::wstring> paths;
    } cases[] = {
        {L"sfxlzh.exe", L".lzh", {L"Unlha"}, L"UnlhaOpenArchive", {L"<\\>", L"numbers.txt", L"docs/readme.txt"}},
        {L"sfx7z.exe", L".7z", {L"Unlha", L"Cab", L"SevenZip"}, L"SevenZipOpenArchive",
         {L"<\\>", L"seven.txt", L"docs/", L"docs/inner.txt"}},
        {L"sfxzip.exe", L".zip", {L"Unlha", L"Cab", L"SevenZip", L"UnZip"}, L"UnZipOpenArchive",
         {L"<\\>", L"top.txt", L"setup/", L"setup/data.bin", L"setup/readme.txt"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(quib::WideToUtf8(c.file));
        MainWindowHarness h;
        EnableProbes(h, {L"lha", L"zip", L"7z", L"cab", L"rar", L"gz", L"iso"});
        h.Setting(L"ListText", L"Enabled", L"1");
        h.Setting(L"ListFiler", L"Enabled", L"0");
        ArchiverLogScope log(h.Folder() / L"calls.log");
        const std::wstring path = ProgramFixture(c.file);
        quib::TFormMain& f = h.Start({L"hsfx=%h", path});
        EXPECT_TRUE(h.Messages().Texts().empty()) << quib::WideToUtf8(h.Messages().Texts().front());
        EXPECT_EQ(f.StatusText(5), c.kind);
        EXPECT_EQ(f.StrRetFormSelectSfxArchive, c.kind);
        EXPECT_EQ(Probes(log.path), c.probes);
        const auto calls = ArchiverCalls(log.path);
        ASSERT_GT(calls.size(), c.probes.size());
        EXPECT_EQ(calls[c.probes.size()][0], c.open);
        // UNLHA32.DLL is asked to look through the whole file for the header.
        const std::wstring quoted = L"\"" + path + L"\"";
        const std::wstring& first = calls[0][3];
        if (c.probes[0] == L"Unlha") {
            EXPECT_EQ(first.substr(first.size() - quoted.size() - 7), L" -gm1  " + quoted);
        }
        // The list shows what the list control holds: root line, then by level.
        EXPECT_EQ(ShownPaths(f), c.paths);
        EXPECT_EQ(ListRowCount(f.ListView1()), static_cast<int>(c.paths.size()));
        // The last successful probe's report is kept in the hidden text box.
        EXPECT_FALSE(f.Memo4Lines().empty());
    }
}

TEST(SfxListing, OnlyTheEnabledKindsAreAsked) {
    // With only zip enabled, the 7z self-extractor is not recognised even
    // though 7-zip32.dll could read it; with only 7z, a zip self-extractor is
    // refused by the report test.
    struct Case {
        const wchar_t* file;
        std::vector<std::wstring> on;
        std::vector<std::wstring> probes;
        const wchar_t* kind;
    } cases[] = {
        {L"sfx7z.exe", {L"zip"}, {L"UnZip"}, L""},
        {L"sfxzip.exe", {L"7z"}, {L"SevenZip"}, L""},
        {L"sfxzip.exe", {L"zip", L"iso"}, {L"UnZip"}, L".zip"},
        {L"sfx7z.exe", {L"rar", L"gz", L"iso"}, {L"Unrar", L"Tar", L"UnIso"}, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(quib::WideToUtf8(c.file) + " " + std::to_string(c.on.size()));
        MainWindowHarness h;
        EnableProbes(h, c.on);
        ArchiverLogScope log(h.Folder() / L"calls.log");
        quib::TFormMain& f = h.Start({L"hsfx=%h", ProgramFixture(c.file)});
        EXPECT_EQ(f.StatusText(5), c.kind);
        if (std::wstring(c.kind).empty()) {
            EXPECT_EQ(ArchiverEntryPoints(log.path), c.probes);
            EXPECT_EQ(h.Messages().Texts(), std::vector<std::wstring>{L"Information : 自己解凍ファイルの該当がありません"});
            EXPECT_EQ(f.RowCount(), 0);
        } else {
            EXPECT_EQ(Probes(log.path), c.probes);
            EXPECT_GT(f.RowCount(), 1);
        }
    }
}

TEST(SfxListing, RefusalsAreToldInBothLanguages) {
    struct Case {
        const wchar_t* file;
        bool anyProbe;
        bool japanese;
        const wchar_t* text;
    } cases[] = {
        {L"plain.exe", true, true, L"Information : 自己解凍ファイルの該当がありません"},
        {L"plain.exe", true, false, L"Information : Target SFX file is not match.\r\n[OK]"},
        // A file whose extension is not in [Sfx] Ext is not probed at all.
        {L"levels.zip", true, true, L"Information : 自己解凍ファイルの該当がありません"},
        {L"levels.zip", true, false, L"Information : Target SFX file is not match.\r\n[OK]"},
        {L"sfxzip.exe", false, true,
         L"Information : 自己解凍ファイルが設定されていません\r\nアーカイブパラメータ設定で指定してください"},
        {L"sfxzip.exe", false, false,
         L"Information : SFX file is not set.\r\nSet SFX type in Archive Parameter\r\n[OK]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(quib::WideToUtf8(c.file) + (c.japanese ? " ja" : " en"));
        MainWindowHarness h;
        if (c.anyProbe) EnableProbes(h, {L"lha", L"zip", L"7z", L"cab"});
        h.Setting(L"Language", L"Japanese", c.japanese ? L"1" : L"0");
        ArchiverLogScope log(h.Folder() / L"calls.log");
        quib::TFormMain& f = h.Start({L"hsfx=%h", ProgramFixture(c.file)});
        EXPECT_EQ(h.Messages().Texts(), std::vector<std::wstring>{c.text});
        EXPECT_EQ(f.RowCount(), 0);
        EXPECT_EQ(f.StatusText(5), L"");
        if (std::wstring(c.file) != L"plain.exe") {
            EXPECT_TRUE(ArchiverEntryPoints(log.path).empty());
        }
    }
}

// Switching from the normal listing to the self-extracting mode lists the
// open file again by probing.
TEST(SfxListing, TheModeSwitchListsTheOpenFile) {
    MainWindowHarness h;
    EnableProbes(h, {L"zip"});
    quib::TFormMain& f = h.Start({ProgramFixture(L"sfxzip.exe")});
    // The normal listing does not take ".exe".
    EXPECT_EQ(h.Messages().Texts(), std::vector<std::wstring>{L"Information : 圧縮ファイルの該当がありません"});
    h.Messages().Clear();
    h.Command(quib::tag::MenuFileSfx);
    EXPECT_TRUE(h.Messages().Texts().empty());
    EXPECT_EQ(f.StatusText(5), L".zip");
    EXPECT_TRUE(f.MenuChecked(quib::tag::MenuFileSfxAuto));
    EXPECT_GT(f.RowCount(), 1);
    // The totals reach the status bar.
    EXPECT_NE(f.StatusText(2), L"");
    EXPECT_NE(f.StatusText(1), L"");
}

// Extraction and the temporary files for viewing take the kind found: the
// zip self-extractor goes to UNZIP32.DLL with the zip command texts, and the
// files come out whole.
TEST(SfxListing, ExtractionGoesThroughTheKindsDll) {
    struct Case {
        const wchar_t* file;
        const wchar_t* function;
        std::vector<std::wstring> files;
    } cases[] = {
        {L"sfxzip.exe", L"UnZip", {L"setup\\data.bin", L"setup\\readme.txt", L"top.txt"}},
        {L"sfx7z.exe", L"SevenZip", {L"docs\\inner.txt", L"seven.txt"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(quib::WideToUtf8(c.file));
        MainWindowHarness h;
        EnableProbes(h, {L"zip", L"7z"});
        TempDir out;
        ArchiverLogScope log(h.Folder() / L"calls.log");
        quib::TFormMain& f = h.Start({L"hsfx=%h", ProgramFixture(c.file)});
        ASSERT_GT(f.RowCount(), 1);
        h.Command(quib::tag::MenuAllMarkFolderFile);
        const std::wstring dest = out / L"dest";
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
        EXPECT_EQ(calls.back()[5], L"0");
        ASSERT_FALSE(h.Messages().Texts().empty());
        EXPECT_EQ(h.Messages().Texts().back(), L"Information : 解凍が完了しました\r\n" + dest + L"\\");
        std::vector<std::wstring> got;
        for (const auto& rel : c.files)
            if (FileExists(dest + L"\\" + rel)) got.push_back(rel);
        EXPECT_EQ(got, c.files);
        if (std::wstring(c.file) == L"sfxzip.exe") {
            std::string expected;
            for (int i = 0; i < 40; ++i)
                for (int b = 0; b < 256; ++b) expected.push_back(static_cast<char>(b));
            EXPECT_EQ(ReadFileBytes(dest + L"\\setup\\data.bin"), expected);
            EXPECT_EQ(ReadFileBytes(dest + L"\\setup\\readme.txt"), "read me first\r\n");
        }
    }
}

// The DLL selection dialog starts on the kind found; the kind picked there
// lists the file with its DLL, is stored, and a cancel changes nothing.
TEST(SfxListing, TheKindChosenInTheDialogListsTheFile) {
    MainWindowHarness h;
    EnableProbes(h, {L"lha", L"zip", L"7z", L"cab"});
    ArchiverLogScope log(h.Folder() / L"calls.log");
    quib::TFormMain& f = h.Start({L"hsfx=%h", ProgramFixture(L"sfxzip.exe")});
    ASSERT_EQ(f.StatusText(5), L".zip");
    const int autoRows = f.RowCount();

    // Cancel: nothing written, nothing listed again.
    int preselected = -1;
    DeleteFileW(log.path.c_str());
    ChooseInDialog(h, quib::tag::MenuFileSfxList, -1, &preselected);
    EXPECT_EQ(preselected, 1);  // ZIP
    EXPECT_EQ(h.ReadSetting(L"SfxSelectDll", L"Index"), L"<absent>");
    EXPECT_TRUE(ArchiverEntryPoints(log.path).empty());
    EXPECT_TRUE(f.MenuChecked(quib::tag::MenuFileSfxAuto));

    // Two kinds read this file: 7-Zip, picked by hand, lists it as well.
    ChooseInDialog(h, quib::tag::MenuFileSfxList, 2);
    EXPECT_EQ(h.ReadSetting(L"SfxSelectDll", L"Index"), L"2");
    EXPECT_EQ(f.StatusText(5), L".7z");
    EXPECT_EQ(f.StrRetFormSelectSfxArchive, L".7z");
    EXPECT_TRUE(f.MenuChecked(quib::tag::MenuFileSfxList));
    EXPECT_FALSE(f.MenuChecked(quib::tag::MenuFileSfxAuto));
    const auto points = ArchiverEntryPoints(log.path);
    ASSERT_FALSE(points.empty());
    EXPECT_EQ(points.front(), L"SevenZipOpenArchive");
    EXPECT_EQ(f.RowCount(), autoRows);

    // The test display with LHA chosen: UNLHA32.DLL cannot read it, the text
    // area is empty; with ZIP it holds the DLL's report.
    preselected = -1;
    ChooseInDialog(h, quib::tag::MenuFileSfxTest, 0, &preselected);
    EXPECT_EQ(preselected, 2);  // the kind shown now, 7Z
    EXPECT_EQ(f.StatusText(5), L".lzh");
    EXPECT_FALSE(f.ListVisible());
    EXPECT_TRUE(f.MenuChecked(quib::tag::MenuFileSfxTest));
    EXPECT_TRUE(f.Memo1Lines().empty() || f.Memo1Lines() == std::vector<std::wstring>{L""});
    DeleteFileW(log.path.c_str());
    ChooseInDialog(h, quib::tag::MenuFileSfxSimple, 1);
    EXPECT_EQ(f.StatusText(5), L".zip");
    EXPECT_EQ(ArchiverEntryPoints(log.path), std::vector<std::wstring>{L"UnZip"});
    const auto memo = f.Memo1Lines();
    EXPECT_NE(std::find_if(memo.begin(), memo.end(),
                           [](const std::wstring& l) { return l.find(L"setup/readme.txt") != std::wstring::npos; }),
              memo.end());

    // Back to the automatic listing: the probes decide again.
    h.Command(quib::tag::MenuFileSfxAuto);
    EXPECT_TRUE(f.ListVisible());
    EXPECT_EQ(f.StatusText(5), L".zip");
    EXPECT_EQ(f.RowCount(), autoRows);
}

// An index no item has, written by hand, names no kind: the DLL-chosen
// listing gives the root line alone.
TEST(SfxListing, AnUnknownChosenIndexListsOnlyTheRoot) {
    MainWindowHarness h;
    EnableProbes(h, {L"zip"});
    h.Setting(L"ListText", L"Enabled", L"1");
    h.Setting(L"ListFiler", L"Enabled", L"0");
    quib::TFormMain& f = h.Start({L"hsfx=%h", ProgramFixture(L"sfxzip.exe")});
    ChooseInDialog(h, quib::tag::MenuFileSfxList, 1);
    ASSERT_GT(f.RowCount(), 1);
    WritePrivateProfileStringW(L"SfxSelectDll", L"Index", L"9", h.Ini().c_str());
    h.Command(quib::tag::MenuListText);  // listed again the DLL-chosen way
    EXPECT_EQ(ShownPaths(f), std::vector<std::wstring>{L"<\\>"});
}

// The simple and test displays read the file with the DLL of the kind chosen
// in the dialog, with that family's List or Test command, and show the DLL's
// report in the text area.
TEST(SfxListing, TheSimpleAndTestDisplaysAskTheChosenKindsDll) {
    struct Case {
        const wchar_t* file;
        int tag;
        int pick;
        const wchar_t* kind;
        const wchar_t* function;
        const wchar_t* command;  // the family's command text before the quoted path
        const wchar_t* reportLine;
    } cases[] = {
        {L"sfx7z.exe", quib::tag::MenuFileSfxTest, 2, L".7z", L"SevenZip", L"t", L"OK: seven.txt"},
        {L"sfxzip.exe", quib::tag::MenuFileSfxTest, 1, L".zip", L"UnZip", L"-t", L"OK: setup/readme.txt"},
        {L"sfx7z.exe", quib::tag::MenuFileSfxSimple, 2, L".7z", L"SevenZip", L"l", L"seven.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(quib::WideToUtf8(c.file) + " " + std::to_string(c.tag));
        MainWindowHarness h;
        EnableProbes(h, {L"zip", L"7z"});
        ArchiverLogScope log(h.Folder() / L"calls.log");
        const std::wstring path = ProgramFixture(c.file);
        quib::TFormMain& f = h.Start({L"hsfx=%h", path});
        ASSERT_GT(f.RowCount(), 1);
        DeleteFileW(log.path.c_str());
        ChooseInDialog(h, c.tag, c.pick);
        EXPECT_EQ(f.StatusText(5), c.kind);
        EXPECT_FALSE(f.ListVisible());
        EXPECT_TRUE(f.MenuChecked(c.tag));
        const auto calls = ArchiverCalls(log.path);
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0][0], c.function);
        EXPECT_EQ(calls[0][3].substr(0, calls[0][3].find(L" \"")), c.command);
        EXPECT_EQ(calls[0][3].substr(calls[0][3].size() - path.size() - 2), L"\"" + path + L"\"");
        const auto memo = f.Memo1Lines();
        EXPECT_NE(std::find_if(memo.begin(), memo.end(),
                               [&](const std::wstring& l) { return l.find(c.reportLine) != std::wstring::npos; }),
                  memo.end());
    }
}

// After OK in the parameter settings dialog the file is listed again the way
// the sub-mode lists it: by probing, or with the kind chosen by hand, which
// stays chosen. Another self-extractor put in the file's place shows.
TEST(SfxListing, TheParameterSettingsListTheFileAgain) {
    for (bool chosen : {false, true}) {
        SCOPED_TRACE(chosen ? "DLL chosen" : "automatic");
        MainWindowHarness h;
        EnableProbes(h, {L"zip", L"7z"});
        h.Setting(L"ListText", L"Enabled", L"1");
        h.Setting(L"ListFiler", L"Enabled", L"0");
        TempDir dir;
        const std::wstring file = dir / L"setup.exe";
        CopyFileW(ProgramFixture(L"sfxzip.exe").c_str(), file.c_str(), FALSE);
        ArchiverLogScope log(h.Folder() / L"calls.log");
        quib::TFormMain& f = h.Start({L"hsfx=%h", file});
        ASSERT_EQ(f.StatusText(5), L".zip");
        // 7-zip32.dll reads the zip self-extractor as well.
        if (chosen) ChooseInDialog(h, quib::tag::MenuFileSfxList, 2);
        ASSERT_EQ(ShownPaths(f), (std::vector<std::wstring>{L"<\\>", L"top.txt", L"setup/", L"setup/data.bin",
                                                            L"setup/readme.txt"}));
        ASSERT_TRUE(CopyFileW(ProgramFixture(L"sfx7z.exe").c_str(), file.c_str(), FALSE));
        DeleteFileW(log.path.c_str());
        h.Messages().Clear();
        DuringModal dialog([&] {
            HWND w = FindThreadWindow(L"パラメータ設定");
            auto* form = w ? dynamic_cast<quib::TFormSetting*>(quib::TFormBase::FromHandle(w)) : nullptr;
            if (!form) return false;
            form->ButtonOKClick();
            return true;
        });
        h.Command(quib::tag::MenuParameterSetting);
        WaitFor([&] { return dialog.Done(); });
        h.Pump(50);
        EXPECT_TRUE(h.Messages().Texts().empty());
        EXPECT_EQ(ShownPaths(f), (std::vector<std::wstring>{L"<\\>", L"seven.txt", L"docs/", L"docs/inner.txt"}));
        EXPECT_EQ(ListRowCount(f.ListView1()), 4);
        EXPECT_EQ(f.StatusText(5), L".7z");
        EXPECT_EQ(f.MenuChecked(quib::tag::MenuFileSfxList), chosen);
        EXPECT_EQ(f.MenuChecked(quib::tag::MenuFileSfxAuto), !chosen);
        // Probing asks the command function first; the chosen kind opens the file at once.
        const auto points = ArchiverEntryPoints(log.path);
        ASSERT_FALSE(points.empty());
        EXPECT_EQ(points.front(), chosen ? L"SevenZipOpenArchive" : L"SevenZip");
    }
}
