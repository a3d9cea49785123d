// The log and help windows opened from the main window's menus, read through
// their controls: the start-up log with the windows found, the help files,
// the close key taken from the main key map, copy, placement and language.
#include <gtest/gtest.h>

#include <windows.h>

#include "FormTestSupport.h"
#include "MainWindowHarness.h"
#include "app/FormHelp.h"
#include "app/FormLog.h"
#include "app/MainMenuTable.h"
#include "keymap/KeyMap.h"

using namespace quibtest;
namespace tag = quib::tag;

namespace {

template <class Form>
Form* OpenWindow(const std::wstring& caption) {
    HWND w = FindThreadWindow(caption);
    return w ? dynamic_cast<Form*>(quib::TFormBase::FromHandle(w)) : nullptr;
}

std::string Utf8(const std::wstring& text) {
    std::string out(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), static_cast<int>(out.size()), nullptr, nullptr);
    return out;
}

bool WriteUtf16(const std::wstring& path, const std::wstring& text) {
    return WriteFileBytes(path, "\xFF\xFE" + quibtest::Utf16LeBytes(text));
}

}  // namespace

class LogWindow : public testing::TestWithParam<bool> {};

TEST_P(LogWindow, ShowsTheStartUpLogWithTheWindowsFound) {
    const bool japanese = GetParam();
    MainWindowHarness h;
    ASSERT_TRUE(CopyTree(BinDir() + L"\\Language", h.Folder() / L"Language"));
    h.Setting(L"Language", L"Japanese", japanese ? L"1" : L"0");
    const std::wstring archive = ProgramFixture(L"levels.zip");
    auto& f = h.Start({archive});
    std::wstring text, copyCaption;
    RECT rect{};
    DuringModal driver([&] {
        auto* log = OpenWindow<quib::TFormLog>(japanese ? L"ログ表示" : L"Log");
        if (!log) return false;
        text = WindowText(log->Memo1());
        copyCaption = log->PopUpCopyCaption();
        GetWindowRect(log->Handle(), &rect);
        PressKey(log->Memo1(), VK_ESCAPE);
        return true;
    });
    h.Command(tag::MenuShowLog);
    ASSERT_TRUE(driver.Done());
    // The main window itself was standing (hidden, " - quibFMarchive") when
    // the windows were looked for; its caption holds " - quibFM" too, so it
    // is listed twice.
    const std::wstring self = L"\r\n - quibFMarchive\r\n" + std::to_wstring(reinterpret_cast<INT_PTR>(f.Handle())) + L"\r\n";
    const std::wstring head = L"ParamCount\r\n1\r\n\r\nParamStr(1)\r\n" + archive + L"\r\n\r\nName\r\nHandle\r\n\r\n";
    EXPECT_EQ(text.substr(0, head.size()), head);
    const size_t first = text.find(self);
    ASSERT_NE(first, std::wstring::npos) << Utf8(text);
    EXPECT_NE(text.find(self, first + 1), std::wstring::npos) << Utf8(text);
    EXPECT_EQ(copyCaption, japanese ? L"コピー(&C)" : L"Copy(&C)");
    EXPECT_EQ(rect.right - rect.left, 800);
    EXPECT_EQ(rect.bottom - rect.top, 600);
    EXPECT_TRUE(IsWindowEnabled(f.Handle()));
    EXPECT_EQ(h.ReadSetting(L"FormLog", L"Width"), L"800");
}

INSTANTIATE_TEST_SUITE_P(Languages, LogWindow, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool>& i) { return i.param ? "Japanese" : "English"; });

TEST(LogWindowPlacement, ARectangleOffTheScreenOpensAtTheOrigin) {
    MainWindowHarness h;
    h.Setting(L"FormLog", L"Left", L"-5000");
    h.Setting(L"FormLog", L"Top", L"40");
    h.Setting(L"FormLog", L"Width", L"900");
    h.Setting(L"FormLog", L"Height", L"650");
    h.Start();
    RECT rect{};
    DuringModal driver([&] {
        auto* log = OpenWindow<quib::TFormLog>(L"ログ表示");
        if (!log) return false;
        GetWindowRect(log->Handle(), &rect);
        log->Close();
        return true;
    });
    h.Command(tag::MenuShowLog);
    ASSERT_TRUE(driver.Done());
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, 800);
    EXPECT_EQ(rect.bottom, 600);
}

TEST(HelpWindow, ShowsTheHelpFilesOrNothingWhenOneIsMissing) {
    MainWindowHarness h;
    h.Start();
    // No "quibFMarchive.txt" here; the grid help in UTF-8 with its mark and
    // the first-steps help in UTF-16.
    ASSERT_TRUE(WriteFileBytes(h.Folder() / L"quibFMarchive_ViewGrid.txt", "\xEF\xBB\xBF\xE8\xA1\xA8 grid\r\nline 2"));
    ASSERT_TRUE(WriteUtf16(h.Folder() / L"quibFMarchive_First.txt", L"最初に\r\nfirst"));
    std::vector<std::wstring> shown;
    DuringModal driver([&] {
        auto* help = OpenWindow<quib::TFormHelp>(L"ヘルプ表示");
        if (!help) return false;
        shown.push_back(WindowText(help->Memo1()));
        help->RunCommand(quib::TFormHelp::kTagMenuReadCsv);
        shown.push_back(WindowText(help->Memo1()));
        help->RunCommand(quib::TFormHelp::kTagMenuReadFirst);
        shown.push_back(WindowText(help->Memo1()));
        help->RunCommand(quib::TFormHelp::kTagMenuReadHelp);
        shown.push_back(WindowText(help->Memo1()));
        PressKey(help->Memo1(), VK_ESCAPE);
        return true;
    });
    h.Command(tag::MenuShowHelp);
    ASSERT_TRUE(driver.Done());
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"", L"表 grid\r\nline 2", L"最初に\r\nfirst", L""}));
    EXPECT_TRUE(h.Messages().Texts().empty()) << "a missing help file is no error";
}

TEST(HelpWindow, TheMainCloseKeyClosesItAndCtrlCCopiesOnlyASelection) {
    MainWindowHarness h;
    ASSERT_TRUE(WriteUtf16(h.Folder() / L"quibFMarchive.txt", L"Help text line\r\nsecond"));
    h.Start();
    h.Close();
    // The user gave the main window's close command a key.
    const std::wstring keyMap = h.Folder() / L"quibFMarchive-KeyMap.txt";
    quib::KeyMapTable map;
    ASSERT_TRUE(quib::ReadKeyMapFile(keyMap, map));
    quib::FindKeyMapLine(map, L"1041")->keyText = L"Ctrl+Q";
    ASSERT_TRUE(quib::WriteKeyMapFile(keyMap, map));
    auto& f = h.Start();

    ASSERT_TRUE(SetClipboardText(L"before"));
    std::wstring closeCaption, afterNoSelection, afterSelection;
    bool stillOpenAfterCopy = false;
    DuringModal driver([&] {
        auto* help = OpenWindow<quib::TFormHelp>(L"ヘルプ表示");
        if (!help) return false;
        closeCaption = MenuText(GetMenu(help->Handle()), quib::TFormHelp::kTagMenuClose);
        SetFocus(help->Memo1());
        SendMessageW(help->Memo1(), EM_SETSEL, 0, 0);
        PressKey(help->Memo1(), 'C', quib::kKeyCtrl);
        afterNoSelection = ClipboardText();
        SendMessageW(help->Memo1(), EM_SETSEL, 0, 4);
        PressKey(help->Memo1(), 'C', quib::kKeyCtrl);
        afterSelection = ClipboardText();
        stillOpenAfterCopy = help->Visible();
        PressKey(help->Memo1(), 'Q', quib::kKeyCtrl);
        return true;
    });
    h.Command(tag::MenuShowHelp);
    ASSERT_TRUE(driver.Done());
    EXPECT_EQ(closeCaption, L"終了(&Q && &X))\tCtrl+Q");
    EXPECT_EQ(afterNoSelection, L"before");
    EXPECT_EQ(afterSelection, L"Help");
    EXPECT_TRUE(stillOpenAfterCopy);
    EXPECT_EQ(FindThreadWindow(L"ヘルプ表示"), nullptr) << "Ctrl+Q closed the help window";
    EXPECT_TRUE(IsWindowEnabled(f.Handle()));
    EXPECT_TRUE(IsWindow(f.Handle())) << "the main window's own close command did not run";
}

TEST(HelpWindow, EnglishCaptionsFromItsLanguageFile) {
    MainWindowHarness h;
    ASSERT_TRUE(CopyTree(BinDir() + L"\\Language", h.Folder() / L"Language"));
    h.Setting(L"Language", L"Japanese", L"0");
    h.Start();
    std::wstring readCsv, close, copy;
    DuringModal driver([&] {
        auto* help = OpenWindow<quib::TFormHelp>(L"Help");
        if (!help) return false;
        readCsv = help->MenuItemCaption(quib::TFormHelp::kTagMenuReadCsv);
        close = help->MenuItemCaption(quib::TFormHelp::kTagMenuClose);
        copy = help->PopUpCopyCaption();
        help->Close();
        return true;
    });
    h.Command(tag::MenuShowHelp);
    ASSERT_TRUE(driver.Done());
    EXPECT_EQ(readCsv, L"View help (&CSV viewer)");
    EXPECT_EQ(close, L"&Quit");
    EXPECT_EQ(copy, L"Copy(&C)");
}
