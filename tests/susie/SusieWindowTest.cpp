// The real main window on an archive that only the stand-in Susie plug-in
// reads: the "hspm=" start, the listing through the plug-in list file and
// its messages, extraction through the dialog (bytes compared), hostile
// stored paths, an entry fetched for viewing, and a plug-in that faults.
#include <gtest/gtest.h>

#include "FormTestSupport.h"
#include "MainWindowHarness.h"
#include "QsaArchive.h"
#include "app/MainMenuTable.h"
#include "archive/SusieApi.h"
#include "extract/FormExtract.h"
#include "settings/FormSetting.h"
#include "util/StrConv.h"

using namespace quibtest;

namespace {

const std::vector<QsaEntry> kEntries = {
    {"readme.txt", "hello, plug-in\r\n", 86400},
    {"docs/guide.md", std::string("# Guide\n\x01\x02\x00\xff binary\n", 22), 0},
    {"docs/deep/empty.dat", "", 1700000000},
};

// A program folder with the stand-in plug-in, its list file and an archive.
struct SusieProgram {
    MainWindowHarness h;
    std::wstring archive;
    explicit SusieProgram(const std::vector<QsaEntry>& entries = kEntries, bool listFile = true) {
        EXPECT_TRUE(CopyFileW(QsaPlugin().c_str(), (h.Folder() / L"quibqsa.spi").c_str(), FALSE));
        if (listFile) {
            EXPECT_TRUE(WriteFileBytes(h.Folder() / L"quibFM-spm.txt", SpmListBytes({L".qsa", L"%P\\quibqsa.spi"})));
        }
        archive = h.Folder() / L"data.qsa";
        EXPECT_TRUE(WriteFileBytes(archive, QsaBytes(entries)));
        h.Setting(L"ListText", L"Enabled", L"1");
        h.Setting(L"ListFiler", L"Enabled", L"0");
    }
};

// The extract command with the dialog: the destination typed, Enter.
void ExtractTo(MainWindowHarness& h, const std::wstring& destination, bool* susieLook = nullptr) {
    DuringModal dialog([&] {
        HWND d = FindThreadWindow(L"ファイル解凍");
        if (!d) d = FindThreadWindow(L"Extract files");
        auto* f = d ? dynamic_cast<quib::TFormExtract*>(quib::TFormBase::FromHandle(d)) : nullptr;
        if (!f) return false;
        if (susieLook)
            *susieLook = !IsWindowVisible(f->Control(quib::TFormExtract::kTagWithPath)) &&
                         IsWindowVisible(f->Control(quib::TFormExtract::kTagLabelSusie));
        f->SetDestinationText(destination);
        HWND edit = FindWindowExW(f->DestinationCombo(), nullptr, L"Edit", nullptr);
        SetFocus(edit);
        PressKey(edit, VK_RETURN);
        return true;
    });
    h.Command(quib::tag::MenuUnpack);
    WaitFor([&] { return dialog.Done(); });
    h.Pump(100);
}

}  // namespace

TEST(SusieWindow, TheHspmStartListsTheArchiveThroughThePlugin) {
    SusieProgram p;
    quib::TFormMain& f = p.h.Start({L"hspm=%h", p.archive});
    EXPECT_EQ(f.ListingModeNow, quib::ListingMode::Susie);
    EXPECT_TRUE(p.h.Messages().Texts().empty());
    EXPECT_EQ(f.StrSpmFileName, p.h.Folder() / L"quibqsa.spi");
    EXPECT_EQ(p.h.EntryField(0),
              (std::vector<std::wstring>{L"<\\>", L"readme.txt", L"docs/guide.md", L"docs/deep/empty.dat"}));
    EXPECT_EQ(p.h.EntryField(5)[2], std::to_wstring(QsaPosition(kEntries, 1)));
    // What the user sees: the rows with their names and the position column.
    ASSERT_EQ(ListRowCount(f.ListView1()), 4);
    EXPECT_EQ(ListCellText(f.ListView1(), 2, 6), std::to_wstring(QsaPosition(kEntries, 1)));
    // The extension list of the plug-ins knows the archive's extension.
    EXPECT_EQ(f.StrListSpmExt, (std::vector<std::wstring>{L".qsa"}));
}

TEST(SusieWindow, NoFittingPluginIsToldInTheUsersLanguage) {
    struct Case {
        const char* listFile;  // nullptr: no list file
        std::wstring japanese, english;
    } cases[] = {
        {nullptr, L"Information : SPM の設定ファイルがありません", L"Information : SPM file is not exist.\r\n[OK]"},
        {"Enable\t.lzh\tLHA\t%P\\quibqsa.spi\r\n有効\t.lzh\tLHA\t%P\\quibqsa.spi\r\n",
         L"Information : サポートしている SPM ががありません", L"Information : Target SPM file is not match.\r\n[OK]"},
        {"Enable\t.qsa\tQSA\t%P\\missing.spi\r\n有効\t.qsa\tQSA\t%P\\missing.spi\r\n",
         L"Information : サポートしている SPM ががありません", L"Information : Target SPM file is not match.\r\n[OK]"},
    };
    for (const auto& c : cases) {
        for (bool japanese : {true, false}) {
            SCOPED_TRACE(std::string(c.listFile ? c.listFile : "(none)") + (japanese ? " ja" : " en"));
            SusieProgram p(kEntries, false);
            if (c.listFile) {
                ASSERT_TRUE(WriteFileBytes(p.h.Folder() / L"quibFM-spm.txt", c.listFile));
            }
            p.h.Setting(L"Language", L"Japanese", japanese ? L"1" : L"0");
            quib::TFormMain& f = p.h.Start({L"hspm=%h", p.archive});
            EXPECT_EQ(p.h.Messages().Texts(), (std::vector<std::wstring>{japanese ? c.japanese : c.english}));
            EXPECT_TRUE(f.StrListArchiveDirFile.empty());
        }
    }
}

TEST(SusieWindow, TheEnableWordMustBeTheCurrentLanguages) {
    SusieProgram p(kEntries, false);
    ASSERT_TRUE(WriteFileBytes(p.h.Folder() / L"quibFM-spm.txt", "\xEF\xBB\xBF\xE6\x9C\x89\xE5\x8A\xB9\t.qsa\tQSA\t%P\\quibqsa.spi\r\n"));
    p.h.Setting(L"Language", L"Japanese", L"0");
    quib::TFormMain& f = p.h.Start({L"hspm=%h", p.archive});
    EXPECT_EQ(p.h.Messages().Texts(), (std::vector<std::wstring>{L"Information : Target SPM file is not match.\r\n[OK]"}));
    EXPECT_TRUE(f.StrListSpmExt.empty());
}

TEST(SusieWindow, TheSusieMenuListsTheOpenArchive) {
    SusieProgram p;
    quib::TFormMain& f = p.h.Start({p.archive});
    // Opened in the normal mode: the archiver DLLs do not know ".qsa".
    EXPECT_EQ(f.ListingModeNow, quib::ListingMode::Normal);
    p.h.Messages().Clear();
    p.h.Command(quib::tag::MenuFileSusie);
    EXPECT_EQ(f.ListingModeNow, quib::ListingMode::Susie);
    EXPECT_TRUE(p.h.Messages().Texts().empty());
    EXPECT_EQ(ListRowCount(f.ListView1()), 4);
}

TEST(SusieWindow, ExtractingEveryEntryKeepsItsFoldersAndBytes) {
    SusieProgram p;
    TempDir out;
    quib::TFormMain& f = p.h.Start({L"hspm=%h", p.archive});
    ASSERT_EQ(f.RowCount(), 4);
    p.h.Command(quib::tag::MenuAllMarkFile);
    bool susieLook = false;
    ExtractTo(p.h, out / L"dest", &susieLook);
    EXPECT_TRUE(susieLook);
    const std::wstring dest = out / L"dest\\";
    EXPECT_EQ(p.h.Messages().Texts(), (std::vector<std::wstring>{L"フォルダがありません\r\n作成しますか？",
                                                                  L"Information : 解凍が完了しました\r\n" + dest}));
    EXPECT_EQ(ReadFileBytes(dest + L"readme.txt"), kEntries[0].content);
    EXPECT_EQ(ReadFileBytes(dest + L"docs\\guide.md"), kEntries[1].content);
    EXPECT_TRUE(FileExists(dest + L"docs\\deep\\empty.dat"));
    EXPECT_EQ(ReadFileBytes(dest + L"docs\\deep\\empty.dat"), "");
}

TEST(SusieWindow, AHostileStoredPathIsLeftOutAndNothingLandsOutside) {
    SusieProgram p({{"..\\escaped.txt", "outside", 0}, {"a/../../up.txt", "outside", 0}, {"ok.txt", "inside", 0}});
    TempDir out;
    CreateDirectoryW((out / L"dest").c_str(), nullptr);
    p.h.Start({L"hspm=%h", p.archive});
    p.h.Command(quib::tag::MenuAllMarkFile);
    ExtractTo(p.h, out / L"dest");
    const auto texts = p.h.Messages().Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], L"Information : 解凍先の外を指すパスは解凍しません\r\n..\\escaped.txt\r\na/../../up.txt");
    EXPECT_EQ(texts[1], L"Information : 解凍が完了しました\r\n" + out / L"dest\\");
    EXPECT_EQ(ReadFileBytes(out / L"dest\\ok.txt"), "inside");
    EXPECT_FALSE(FileExists(out / L"escaped.txt"));
    EXPECT_FALSE(FileExists(out / L"up.txt"));
    // Viewing it is refused as well.
    quib::TFormMain& f = p.h.Form();
    p.h.Messages().Clear();
    EXPECT_EQ(f.SusieTempFile(L"..\\escaped.txt", f.Handle()), L"");
    EXPECT_EQ(p.h.Messages().Texts(),
              (std::vector<std::wstring>{L"Error : 一時フォルダの外を指すパスは扱えません\r\n..\\escaped.txt"}));
}

TEST(SusieWindow, AnEntryForViewingComesIntoTheTemporaryFolderOnce) {
    SusieProgram p;
    quib::TFormMain& f = p.h.Start({L"hspm=%h", p.archive});
    const std::wstring log = p.h.Folder() / L"qsa.log";
    SetEnvironmentVariableW(L"QUIB_QSA_LOG", log.c_str());
    // A plug-in that writes no files is read through memory.
    SetEnvironmentVariableW(L"QUIB_QSA_NODISK", L"1");
    const std::wstring file = f.SusieTempFile(L"docs/guide.md", f.Handle());
    SetEnvironmentVariableW(L"QUIB_QSA_NODISK", nullptr);
    EXPECT_EQ(file, f.StrExtractBase + L"docs\\guide.md");
    EXPECT_EQ(ReadFileBytes(file), kEntries[1].content);
    const size_t calls = ReadFileBytes(log).size();
    EXPECT_GT(calls, 0u);
    // The second time the file is there and the plug-in is not asked.
    EXPECT_EQ(f.SusieTempFile(L"docs/guide.md", f.Handle()), file);
    EXPECT_EQ(ReadFileBytes(log).size(), calls);
    SetEnvironmentVariableW(L"QUIB_QSA_LOG", nullptr);
    EXPECT_TRUE(p.h.Messages().Texts().empty());
    // The root and an empty name are refused, in both languages.
    for (bool japanese : {true, false}) {
        quib::SetUiJapanese(japanese);
        p.h.Messages().Clear();
        EXPECT_EQ(f.SusieTempFile(L"<\\>", f.Handle()), L"");
        EXPECT_EQ(f.SusieTempFile(L"", f.Handle()), L"");
        EXPECT_EQ(p.h.Messages().Texts(),
                  japanese ? (std::vector<std::wstring>{L"Information : このフォルダは指定できません",
                                                        L"Information : ファイル名が設定されていません"})
                           : (std::vector<std::wstring>{L"Information : This folder can not accept.\r\n[OK]",
                                                        L"Information : Filename is empty.\r\n[OK]"}));
    }
    quib::SetUiJapanese(true);
}

TEST(SusieWindow, APluginThatFaultsIsNamedAndTheProgramGoesOn) {
    SusieProgram p;
    TempDir out;
    CreateDirectoryW((out / L"dest").c_str(), nullptr);
    quib::TFormMain& f = p.h.Start({L"hspm=%h", p.archive});
    SetEnvironmentVariableW(L"QUIB_QSA_CRASH", L"1");
    p.h.Command(quib::tag::MenuAllMarkFile);
    ExtractTo(p.h, out / L"dest");
    SetEnvironmentVariableW(L"QUIB_QSA_CRASH", nullptr);
    const auto texts = p.h.Messages().Texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0], L"Error : Susie プラグインの内部で障害が発生しました\r\n" + f.StrSpmFileName);
    EXPECT_EQ(texts[1], L"Error : 解凍できませんでした\r\nRet1= -2\r\nRet2= -2\r\n" + out / L"dest\\" + L"\r\nreadme.txt");
    EXPECT_EQ(texts[2], L"Information : 解凍できませんでした");
    // The program is still there and the plug-in works again.
    EXPECT_TRUE(IsWindow(f.Handle()));
    p.h.Messages().Clear();
    ExtractTo(p.h, out / L"dest");
    EXPECT_EQ(ReadFileBytes(out / L"dest\\readme.txt"), kEntries[0].content);
}

TEST(SusieWindow, ClosingTheParameterSettingsWithOkListsTheArchiveAgain) {
    SusieProgram p;
    quib::TFormMain& f = p.h.Start({L"hspm=%h", p.archive});
    ASSERT_EQ(ListRowCount(f.ListView1()), 4);
    // The archive grows meanwhile; the settings dialog closed with OK must
    // show it as it now is, through the plug-in.
    std::vector<QsaEntry> grown = kEntries;
    grown.push_back({"added.txt", "new\r\n", 0});
    ASSERT_TRUE(WriteFileBytes(p.archive, QsaBytes(grown)));
    bool pressed = false;
    DuringModal dialog([&] {
        HWND d = FindThreadWindow(L"パラメータ設定");
        auto* s = d ? dynamic_cast<quib::TFormSetting*>(quib::TFormBase::FromHandle(d)) : nullptr;
        if (!s) return false;
        SendMessageW(s->ButtonOK(), BM_CLICK, 0, 0);
        pressed = true;
        return true;
    });
    p.h.Command(quib::tag::MenuParameterSetting);
    WaitFor([&] { return dialog.Done(); });
    p.h.Pump(100);
    ASSERT_TRUE(pressed);
    EXPECT_EQ(f.ListingModeNow, quib::ListingMode::Susie);
    EXPECT_TRUE(p.h.Messages().Texts().empty());
    ASSERT_EQ(ListRowCount(f.ListView1()), 5);
    EXPECT_EQ(ListCellText(f.ListView1(), 4, 6), std::to_wstring(QsaPosition(grown, 3)));
}
