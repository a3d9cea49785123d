// The pop-up extraction window opened by the real main window and driven by
// its keys: one key extracts the whole archive to a named destination (files
// compared byte for byte), destinations without a folder stay off, the
// switches hold together, and the destination input dialog edits the
// settings the buttons are made from.
#include <gtest/gtest.h>

#include <algorithm>

#include "FormTestSupport.h"
#include "MainWindowHarness.h"
#include "QsaArchive.h"
#include "app/MainMenuTable.h"
#include "extract/FormInputExtract.h"
#include "extract/FormPopUp.h"
#include "util/Controls.h"
#include "util/IniFile.h"
#include "util/Message.h"
#include "util/StrConv.h"

using namespace quibtest;
using quib::GetText;

namespace {

const std::vector<QsaEntry> kEntries = {
    {"top.txt", "top level\r\n", 0},
    {"sub/inner.bin", std::string("\x00\x01\x02\xfe\xff", 5), 0},
};

std::wstring Standin(const std::wstring& name) { return FixturesDir() + L"\\standin\\" + name; }

// Opens the pop-up from the main window's command and runs the step on it;
// the step ends by closing it (Esc, as the user does).
void WithPopUp(MainWindowHarness& h, const std::function<void(quib::TFormPopUp&)>& step) {
    bool ran = false;
    DuringModal modal([&] {
        HWND w = FindThreadWindow(L"解凍画面");
        if (!w) w = FindThreadWindow(L"Extraction");
        auto* p = w ? dynamic_cast<quib::TFormPopUp*>(quib::TFormBase::FromHandle(w)) : nullptr;
        if (!p) return false;
        step(*p);
        ran = true;
        PressKey(p->Handle(), VK_ESCAPE);
        return true;
    });
    h.Command(quib::tag::MenuShowPopup);
    WaitFor([&] { return modal.Done(); });
    EXPECT_TRUE(ran);
    h.Pump(50);
}

constexpr BYTE kAlt = 2;

}  // namespace

TEST(PopUpWindow, AltOneExtractsTheWholeArchiveToTheFirstNamedDestination) {
    MainWindowHarness h;
    TempDir out;
    CreateDirectoryW((out / L"named").c_str(), nullptr);
    h.Setting(L"ExtractName", L"0", L"abc");
    h.Setting(L"ExtractFolder", L"0", out / L"named");
    h.Start({Standin(L"basic.zip")});
    ASSERT_GT(h.Form().RowCount(), 1);
    SetClipboardText(L"before");
    WithPopUp(h, [&](quib::TFormPopUp& p) {
        EXPECT_EQ(GetText(p.Control(quib::TFormPopUp::kTagButtonExtract1)), L"1:解凍先 abc" + std::wstring(9, L' '));
        PressKey(p.Handle(), '1', kAlt);
    });
    // The archive's own folder is made below the destination (MakeFolder
    // starts on in this window), and the path goes to the clipboard.
    const std::wstring dest = out / L"named\\basic\\";
    const auto texts = h.Messages().Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], L"解凍しますか？\r\n" + out / L"named\\");
    EXPECT_EQ(texts[1], L"Information : 解凍が完了しました\r\nquibFMでカレントフォルダの変更(H キー)を操作して\r\nCtrl+V "
                        L"で貼り付けを実行後に、「変更」を操作してください\r\n" + dest);
    EXPECT_EQ(ClipboardText(), dest);
    const std::vector<std::wstring> files = FilesBelow(out / L"named\\basic");
    ASSERT_FALSE(files.empty());
    for (const auto& rel : files) {
        if (rel == L"日本語.txt") continue;
        EXPECT_EQ(ReadFileBytes(dest + rel), ReadFileBytes(Standin(L"src\\" + rel))) << quib::WideToUtf8(rel);
    }
    EXPECT_NE(std::find(files.begin(), files.end(), L"hello.txt"), files.end());
    // The switches the window started with are in the settings now.
    EXPECT_EQ(h.ReadSetting(L"FormExtract", L"MakeFolder"), L"1");
}

TEST(PopUpWindow, ASusieArchiveGoesOutThroughThePluginWithItsFolders) {
    MainWindowHarness h;
    TempDir out;
    ASSERT_TRUE(CopyFileW(QsaPlugin().c_str(), (h.Folder() / L"quibqsa.spi").c_str(), FALSE));
    ASSERT_TRUE(WriteFileBytes(h.Folder() / L"quibFM-spm.txt", SpmListBytes({L".qsa", L"%P\\quibqsa.spi"})));
    const std::wstring archive = h.Folder() / L"pack.qsa";
    ASSERT_TRUE(WriteFileBytes(archive, QsaBytes(kEntries)));
    CreateDirectoryW((out / L"five").c_str(), nullptr);
    h.Setting(L"ExtractName", L"4", L"five");
    h.Setting(L"ExtractFolder", L"4", out / L"five\\");
    h.Setting(L"FormExtract", L"MakeFolder", L"0");
    h.Setting(L"FormExtract", L"MoveExtractFolder", L"0");
    h.Setting(L"Language", L"Japanese", L"0");
    h.Start({L"hspm=%h", archive});
    ASSERT_EQ(h.Form().RowCount(), 3);
    WithPopUp(h, [&](quib::TFormPopUp& p) {
        // No "with paths" switch: the note stands in its place.
        EXPECT_FALSE(IsWindowVisible(p.Control(quib::TFormPopUp::kTagCheckBox51)));
        EXPECT_TRUE(IsWindowVisible(p.Control(quib::TFormPopUp::kTagLabel11)));
        // A folder already ending with "\" is used as it is.
        EXPECT_EQ(p.StrExtractPathN[4], out / L"five\\");
        PressKey(p.Handle(), '5', kAlt);
        // Not a zip: the program-folder extraction only says so.
        PressKey(p.Handle(), 'A', kAlt);
    });
    const std::wstring dest = out / L"five\\";
    EXPECT_EQ(h.Messages().Texts(),
              (std::vector<std::wstring>{L"Extract archive file ?\r\n[OK] / [NO]\r\n" + dest,
                                         L"Information : Extract had done.\r\n[OK]\r\n" + dest,
                                         L"Information : Extention is not .zip.\r\n[OK]"}));
    EXPECT_EQ(ReadFileBytes(dest + L"top.txt"), kEntries[0].content);
    EXPECT_EQ(ReadFileBytes(dest + L"sub\\inner.bin"), kEntries[1].content);
}

TEST(PopUpWindow, NoAnswerNoExtractionAndDestinationsWithoutAFolderStayOff) {
    MainWindowHarness h;
    TempDir out;
    CreateDirectoryW((out / L"one").c_str(), nullptr);
    h.Setting(L"ExtractFolder", L"0", out / L"one");
    h.Setting(L"ExtractName", L"1", L"gone");
    h.Setting(L"ExtractFolder", L"1", out / L"missing");
    h.Start({Standin(L"basic.zip")});
    h.Messages().Answer([](const quib::MsgRecord& m) { return m.buttons == quib::MsgButtons::YesNo ? IDNO : IDOK; });
    WithPopUp(h, [&](quib::TFormPopUp& p) {
        EXPECT_TRUE(IsWindowEnabled(p.Control(quib::TFormPopUp::kTagButtonExtract1)));
        for (int n = 1; n < 5; ++n)
            EXPECT_FALSE(IsWindowEnabled(p.Control(quib::TFormPopUp::kTagButtonExtract1 + n))) << n;
        PressKey(p.Handle(), '2', kAlt);  // off: nothing at all
        PressKey(p.Handle(), '1', kAlt);  // asked, and No
    });
    EXPECT_EQ(h.Messages().Texts(), (std::vector<std::wstring>{L"解凍しますか？\r\n" + out / L"one\\"}));
    const std::vector<std::wstring> files = FilesBelow(out.Path());
    EXPECT_TRUE(files.empty());
}

TEST(PopUpWindow, TheSwitchesHoldTogetherFromKeysAndClicks) {
    MainWindowHarness h;
    h.Setting(L"FormExtract", L"WithPath", L"0");
    h.Start({Standin(L"basic.zip")});
    WithPopUp(h, [&](quib::TFormPopUp& p) {
        using P = quib::TFormPopUp;
        HWND doule = p.Control(P::kTagCheckBox51 + 2);
        EXPECT_TRUE(p.Checked(P::kTagCheckBox51 + 1));
        EXPECT_TRUE(IsWindowEnabled(doule));
        PressKey(p.Handle(), 'M', kAlt);  // MakeFolder off: DouleDisabled off and greyed
        EXPECT_FALSE(p.Checked(P::kTagCheckBox51 + 1));
        EXPECT_FALSE(IsWindowEnabled(doule));
        PressKey(p.Handle(), 'M', kAlt);
        EXPECT_TRUE(IsWindowEnabled(doule));
        EXPECT_FALSE(p.Checked(P::kTagCheckBox51));
        SendMessageW(doule, BM_CLICK, 0, 0);  // DouleDisabled on: WithPath on
        EXPECT_TRUE(p.Checked(P::kTagCheckBox51 + 2));
        EXPECT_TRUE(p.Checked(P::kTagCheckBox51));
        // The zip DLL choice is offered for a zip archive.
        EXPECT_TRUE(IsWindowVisible(p.ZipDllCombo()));
    });
    EXPECT_EQ(h.ReadSetting(L"FormExtract", L"WithPath"), L"1");
    EXPECT_EQ(h.ReadSetting(L"FormExtract", L"DouleDisabled"), L"1");
}

TEST(PopUpWindow, TheInputDialogStoresTheDestinationExpanded) {
    MainWindowHarness h;  // the program folder and its settings, no main window
    CreateDirectoryW((h.Folder() / L"sub").c_str(), nullptr);
    h.Setting(L"ExtractName", L"2", L"old");
    int result = 0;
    {
        quib::FormInstance<quib::TFormInputExtract> d(2, nullptr, std::wstring());
        DuringModal step([&] {
            if (!d.Visible()) return false;
            EXPECT_EQ(GetText(d.NameField()), L"old");
            SetWindowTextW(d.NameField(), L"pictures");
            SetWindowTextW(d.FolderField(), L"%p\\sub");
            SetFocus(d.FolderField());
            PressKey(d.FolderField(), VK_RETURN);  // a folder text: OK
            return true;
        });
        result = d.ShowModal();
        EXPECT_EQ(GetText(d.FolderField()), L"%p\\sub\\");
    }
    EXPECT_EQ(result, quib::mrOK);
    EXPECT_EQ(h.ReadSetting(L"ExtractName", L"2"), L"pictures");
    EXPECT_EQ(h.ReadSetting(L"ExtractFolder", L"2"), h.Folder() / L"sub\\");
    EXPECT_TRUE(h.Messages().Texts().empty());
}

TEST(PopUpWindow, TheInputDialogRefusesAMissingFolderInBothLanguagesAndCancelWritesNothing) {
    for (bool japanese : {true, false}) {
        MainWindowHarness h;
        quib::SetUiJapanese(japanese);
        const std::wstring missing = h.Folder() / L"nowhere";
        {
            quib::FormInstance<quib::TFormInputExtract> d(0, nullptr, std::wstring());
            DuringModal step([&] {
                if (!d.Visible()) return false;
                SetWindowTextW(d.NameField(), L"n");
                SetWindowTextW(d.FolderField(), missing.c_str());
                SendMessageW(d.Control(quib::TFormInputExtract::kTagButtonOK), BM_CLICK, 0, 0);
                EXPECT_TRUE(d.Visible());  // stays open
                SendMessageW(d.Control(quib::TFormInputExtract::kTagButtonCancel), BM_CLICK, 0, 0);
                return true;
            });
            EXPECT_EQ(d.ShowModal(), quib::mrCancel);
        }
        EXPECT_EQ(h.Messages().Texts(),
                  (std::vector<std::wstring>{japanese ? L"Information : 解凍先のフォルダがありません\r\n" + missing + L"\\"
                                                      : L"Information : Extract folder is not exist.\r\n" + missing +
                                                            L"\\\r\n[OK]"}));
        EXPECT_EQ(h.ReadSetting(L"ExtractName", L"0"), L"<absent>");
        EXPECT_EQ(h.ReadSetting(L"ExtractFolder", L"0"), L"<absent>");
    }
    quib::SetUiJapanese(true);
}

TEST(PopUpWindow, AnEmptyFolderStoresTheNameAndTurnsTheButtonOff) {
    MainWindowHarness h;
    TempDir out;
    h.Setting(L"ExtractFolder", L"0", out.Path());
    {
        quib::FormInstance<quib::TFormInputExtract> d(0, nullptr, std::wstring());
        DuringModal step([&] {
            if (!d.Visible()) return false;
            SetWindowTextW(d.NameField(), L"none");
            SetWindowTextW(d.FolderField(), L"");
            SendMessageW(d.Control(quib::TFormInputExtract::kTagButtonOK), BM_CLICK, 0, 0);
            return true;
        });
        EXPECT_EQ(d.ShowModal(), quib::mrOK);
    }
    EXPECT_EQ(h.ReadSetting(L"ExtractName", L"0"), L"none");
    EXPECT_EQ(h.ReadSetting(L"ExtractFolder", L"0"), L"");
    h.Start({Standin(L"basic.zip")});
    WithPopUp(h, [&](quib::TFormPopUp& p) {
        EXPECT_FALSE(IsWindowEnabled(p.Control(quib::TFormPopUp::kTagButtonExtract1)));
        EXPECT_EQ(GetText(p.Control(quib::TFormPopUp::kTagButtonExtract1)), L"1:解凍先 none" + std::wstring(8, L' '));
    });
}

TEST(PopUpWindow, TickedAutoPopUpOpensTheWindowOnceTheMainWindowStands) {
    MainWindowHarness h;
    h.Setting(L"PouUp", L"Enabled", L"1");
    bool shown = false;
    DuringModal modal([&] {
        HWND w = FindThreadWindow(L"解凍画面");
        auto* p = w ? dynamic_cast<quib::TFormPopUp*>(quib::TFormBase::FromHandle(w)) : nullptr;
        if (!p) return false;
        shown = true;
        PressKey(p->Handle(), VK_ESCAPE);
        return true;
    });
    h.Start({Standin(L"basic.zip")});
    EXPECT_TRUE(WaitFor([&] { return modal.Done(); }, 10000));
    EXPECT_TRUE(shown);
    EXPECT_TRUE(h.Form().MenuChecked(quib::tag::MenuAutoPopup));
}

TEST(PopUpWindow, ThisFolderTakesASingleTopFolderStraightInOnlyWhenAskedTo) {
    const std::vector<QsaEntry> oneFolder = {
        {"inside/a.txt", "first\r\n", 0},
        {"inside/deeper/b.txt", "second\r\n", 0},
    };
    struct Case {
        const wchar_t* doule;
        const wchar_t* landsIn;  // below the archive's folder
    } cases[] = {
        {L"1", L""},          // the archive's one folder is folder enough
        {L"0", L"bundle\\"},  // a folder named after the archive first
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(quib::WideToUtf8(c.doule));
        MainWindowHarness h;
        ASSERT_TRUE(CopyFileW(QsaPlugin().c_str(), (h.Folder() / L"quibqsa.spi").c_str(), FALSE));
        ASSERT_TRUE(WriteFileBytes(h.Folder() / L"quibFM-spm.txt", SpmListBytes({L".qsa", L"%P\\quibqsa.spi"})));
        const std::wstring archive = h.Folder() / L"bundle.qsa";
        ASSERT_TRUE(WriteFileBytes(archive, QsaBytes(oneFolder)));
        h.Setting(L"FormExtract", L"MakeFolder", L"1");
        h.Setting(L"FormExtract", L"DouleDisabled", c.doule);
        h.Setting(L"FormExtract", L"MoveExtractFolder", L"0");
        h.Start({L"hspm=%h", archive});
        WithPopUp(h, [&](quib::TFormPopUp& p) { PressKey(p.Handle(), 'U', kAlt); });
        const std::wstring dest = h.Folder().Path() + L"\\" + c.landsIn;
        EXPECT_EQ(h.Messages().Texts(),
                  (std::vector<std::wstring>{L"解凍しますか？\r\n" + h.Folder().Path() + L"\\",
                                             L"Information : 解凍が完了しました\r\n" + dest}));
        EXPECT_EQ(ReadFileBytes(dest + L"inside\\a.txt"), oneFolder[0].content);
        EXPECT_EQ(ReadFileBytes(dest + L"inside\\deeper\\b.txt"), oneFolder[1].content);
    }
}
