// The parameter settings dialog as the user meets it: opened and saved
// untouched it changes nothing the program reads; values edited through its
// controls are what the readers then read; colours round-trip; bad extension
// lists are refused with their messages in both languages.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>

#include "FormTestSupport.h"
#include "extract/FormBrowse.h"
#include "settings/FormSetting.h"
#include "extract/FormInputExtract.h"
#include "util/Controls.h"
#include "settings/SettingKeys.h"
#include "util/ColorText.h"
#include "util/Message.h"

using namespace quibtest;
using quib::TFormSetting;
using Page = quib::TFormSetting::Page;

namespace {

// The settings file as text, without the sections of the dialog's own
// placement and last page (which any window writes as it closes).
std::wstring SettingsWithoutPlacement(const std::wstring& path) {
    const std::string bytes = ReadFileBytes(path);
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
    std::wstring out;
    bool skip = false;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find(L"\r\n", pos);
        if (end == std::wstring::npos) end = text.size();
        const std::wstring line = text.substr(pos, end - pos);
        if (!line.empty() && line[0] == L'[') skip = line == L"[FormSetting]" || line == L"[Setting]";
        if (!skip) out += line + L"\r\n";
        pos = end + 2;
    }
    return out;
}

// Runs the dialog modally; the step acts on it and finally closes it.
int RunDialog(const std::wstring& type, const std::function<void(TFormSetting&)>& act) {
    quib::SettingContext context;
    context.StrSettingType = type;
    quib::FormInstance<TFormSetting> form(context);
    DuringModal step([&] {
        if (!form.Visible()) return false;
        act(form);
        return true;
    });
    const int result = form.ShowModal();
    EXPECT_TRUE(step.Done());
    return result;
}

void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

// A list choice as the user makes it: the selection, then the notification
// the control sends its parent.
void ChooseCombo(HWND combo, int index) {
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

void ChooseList(HWND list, int index) {
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

std::wstring ListBoxText(HWND list, int row) {
    std::wstring text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0)), L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
    return text;
}

void Type(HWND edit, const std::wstring& text) { SetWindowTextW(edit, text.c_str()); }

class SettingDialog : public ::testing::Test {
protected:
    void SetUp() override { quib::SetUiJapanese(true); }
    void TearDown() override { quib::SetUiJapanese(true); }
    TestProgramFolder folder_;
    MsgCapture messages_;
};

TEST_F(SettingDialog, UntouchedOkWritesWhatTheReadersTakeForAbsentKeys) {
    for (const wchar_t* type : {L"FormMain", L"FormText", L"FormImage"}) {
        SCOPED_TRACE(type);
        DeleteFileW(folder_.Ini().c_str());
        quib::IniFile::CreateEmptyUnicode(folder_.Ini());
        EXPECT_EQ(RunDialog(type, [](TFormSetting& f) { Click(f.ButtonOK()); }), quib::mrOK);
        EXPECT_TRUE(messages_.Texts().empty());

        // What the readers would write with their defaults.
        TempDir other;
        const std::wstring reference = other / L"reference.ini";
        quib::IniFile::CreateEmptyUnicode(reference);
        quib::SettingValues defaults;
        quib::ReadSettingValues(quib::IniFile(other / L"absent.ini"), quib::ProgramFolder(), defaults);
        quib::WriteSettingValues(quib::IniFile(reference), defaults);
        EXPECT_EQ(SettingsWithoutPlacement(folder_.Ini()), SettingsWithoutPlacement(reference));

        // And what the readers take from it is what they took before.
        quib::SettingValues after;
        quib::ReadSettingValues(quib::IniFile(folder_.Ini()), quib::ProgramFolder(), after);
        const std::wstring again = other / L"again.ini";
        quib::IniFile::CreateEmptyUnicode(again);
        quib::WriteSettingValues(quib::IniFile(again), after);
        EXPECT_EQ(ReadFileBytes(again), ReadFileBytes(reference));
        // The three values the dialog once saved differently from the readers.
        EXPECT_EQ(folder_.Read(L"QuibFMextNotUse", L"Enabled"), L"1");
        EXPECT_EQ(folder_.Read(L"ImageWheelMove", L"Text"), L"24");
        EXPECT_EQ(folder_.Read(L"RotateAuto", L"Except"), L"");
        // The launch slots stay empty until the user fills them.
        EXPECT_EQ(folder_.Read(L"ExpandFile01", L"Exe"), L"");
    }
}

TEST_F(SettingDialog, PagesShownByTheCallingWindow) {
    struct Case {
        const wchar_t* type;
        std::vector<Page> pages;
    };
    const Case cases[] = {{L"FormImage", {Page::Image}},
                          {L"FormText", {Page::Color}},
                          {L"FormMain",
                           {Page::Color, Page::Boot, Page::Setting, Page::Extract, Page::Susie, Page::Image,
                            Page::Expand1, Page::Expand2, Page::Expand3, Page::Expand4}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        RunDialog(c.type, [&](TFormSetting& f) {
            EXPECT_EQ(TabCtrl_GetItemCount(f.Tabs()), static_cast<int>(c.pages.size()));
            for (int i = 0; i < TFormSetting::kPageCount; ++i) {
                const bool shown = std::find(c.pages.begin(), c.pages.end(), static_cast<Page>(i)) != c.pages.end();
                EXPECT_EQ(f.PageShown(static_cast<Page>(i)), shown) << i;
            }
            EXPECT_TRUE(IsWindowVisible(f.PagePanel(c.pages.front())));
            Click(f.ButtonCancel());
        });
    }
}

struct EditCase {
    const char* name;
    std::function<void(TFormSetting&)> edit;
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* expected;
};

TEST_F(SettingDialog, ValuesEditedThroughTheControlsReachTheReaders) {
    const EditCase cases[] = {
        {"hidden files off", [](TFormSetting& f) { Click(f.BootCheck(0)); }, L"HiddenFile", L"Show", L"0"},
        {"1024 units on", [](TFormSetting& f) { Click(f.BootCheck(4)); }, L"FileSize", L"1024", L"1"},
        {"12-character extension", [](TFormSetting& f) { Click(f.BootCheck(5)); }, L"ExtentionLength", L"12", L"1"},
        {"date column off", [](TFormSetting& f) { Click(f.BootCheck(7)); }, L"Date", L"Show", L"0"},
        {"theme Carbon", [](TFormSetting& f) { ChooseCombo(f.BootCombo(0), 1); }, L"VclStyle", L"Text", L"Carbon"},
        {"theme position", [](TFormSetting& f) { ChooseCombo(f.BootCombo(0), 3); }, L"VclStyle", L"Index", L"3"},
        {"folder picker", [](TFormSetting& f) { ChooseCombo(f.BootCombo(1), 2); }, L"FolderSelect", L"Index", L"2"},
        {"Unicode sort", [](TFormSetting& f) { Click(GetDlgItem(f.PagePanel(Page::Boot), 6015)); },
         L"BrowseUnicode", L"Sort", L"1"},
        {"text extensions", [](TFormSetting& f) { Type(f.ExtField(4), L".txt;.md;"); }, L"Txt", L"Ext", L".txt;.md;"},
        {"spi file", [](TFormSetting& f) { Type(f.SusieField(0), L"%P\\my-spi.txt"); }, L"Spi", L"FileName",
         L"%P\\my-spi.txt"},
        {"exif argument", [](TFormSetting& f) { ChooseCombo(f.ExifArgumentList(), 1); }, L"Exif", L"Option",
         L"$(FileNameEx)"},
        {"rotation exceptions", [](TFormSetting& f) { Type(f.RotateExceptField(), L".crw;.nef;"); }, L"RotateAuto",
         L"Except", L".crw;.nef;"},
        {"wheel move 40", [](TFormSetting& f) { ChooseCombo(f.ImageCombo(quib::ImageList::WheelMove), 4); },
         L"ImageWheelMove", L"Text", L"40"},
        {"side bar 150", [](TFormSetting& f) { ChooseCombo(f.ImageCombo(quib::ImageList::SideBar), 14); },
         L"ImageSideBar", L"Text", L"150"},
        {"interval 10 s", [](TFormSetting& f) { ChooseCombo(f.ImageCombo(quib::ImageList::Interval), 9); },
         L"ImageInterval", L"Index", L"9"},
        {"quibFM.ext used", [](TFormSetting& f) { Click(f.NotUseCheck()); }, L"QuibFMextNotUse", L"Enabled", L"0"},
        {"slot 18", [](TFormSetting& f) { Type(f.SlotExt(17), L".abc;"); }, L"ExpandFile18", L"Ext", L".abc;"},
        {"slots 01 to 06", [](TFormSetting& f) { Click(f.ButtonInitSlots()); }, L"ExpandFile05", L"Exe",
         L"@TextViewer"},
        {"named colour", [](TFormSetting& f) {
             ChooseList(f.ColorList(), 5);
             ChooseList(f.NamedColorList(), 19);  // clYellow
             Click(f.ButtonApplyColor());
         },
         L"FDirectory", L"Color", L"clYellow"},
        {"colour by digits", [](TFormSetting& f) {
             ChooseList(f.ColorList(), 3);
             Type(f.ColorField(0), L"18");
             Type(f.ColorField(1), L"52");
             Type(f.ColorField(2), L"86");
             Click(f.ButtonApplyColor());
         },
         L"FListView", L"Color", L"$00563412"},
        {"font of the list", [](TFormSetting& f) {
             ChooseList(f.ColorList(), 4);
             Type(f.FontNameField(), L"Courier New");
             Type(f.FontSizeField(), L"11");
             Click(f.ButtonApplyColor());
         },
         L"FListView", L"FontName", L"Courier New"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteFileW(folder_.Ini().c_str());
        quib::IniFile::CreateEmptyUnicode(folder_.Ini());
        EXPECT_EQ(RunDialog(L"FormMain",
                            [&](TFormSetting& f) {
                                c.edit(f);
                                Click(f.ButtonOK());
                            }),
                  quib::mrOK);
        EXPECT_EQ(folder_.Read(c.section, c.key), c.expected);
    }
    // The readers take the values.
    quib::SettingValues v;
    quib::ReadSettingValues(quib::IniFile(folder_.Ini()), quib::ProgramFolder(), v);
    EXPECT_EQ(v.main.StrListViewFontName, L"Courier New");
    EXPECT_EQ(v.main.IntListViewFontSize, 11);
}

TEST_F(SettingDialog, ReadersValuesAreShown) {
    folder_.Write(L"FDirectory", L"Color", L"$00123456");
    folder_.Write(L"ImageWheelMove", L"Text", L"56");
    folder_.Write(L"QuibFMextNotUse", L"Enabled", L"0");
    folder_.Write(L"ExpandFile03", L"Exe", L"@MovieMusicViwer");
    RunDialog(L"FormMain", [](TFormSetting& f) {
        ChooseList(f.ColorList(), 5);
        EXPECT_EQ(f.SampleColor(), 0x123456u);
        EXPECT_EQ(WindowText(f.ColorField(0)), L"86");
        EXPECT_EQ(WindowText(f.ColorField(2)), L"18");
        EXPECT_EQ(SendMessageW(f.ImageCombo(quib::ImageList::WheelMove), CB_GETCURSEL, 0, 0), 6);
        EXPECT_EQ(SendMessageW(f.NotUseCheck(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
        EXPECT_EQ(WindowText(f.SlotExe(2)), L"@MovieMusicViwer");
        Click(f.ButtonCancel());
    });
}

TEST_F(SettingDialog, ColourFieldsAndDefaults) {
    RunDialog(L"FormMain", [](TFormSetting& f) {
        ChooseList(f.ColorList(), 2);
        Type(f.ColorField(0), L"300");
        EXPECT_EQ(WindowText(f.ColorField(0)), L"255");
        Type(f.ColorField(1), L"");
        Type(f.ColorField(2), L"1");
        EXPECT_EQ(f.SampleColor(), RGB(255, 0, 1));
        Click(f.ButtonApplyColor());
        EXPECT_EQ(f.ColorItems()[2].color, RGB(255, 0, 1));
        Click(f.ButtonDefaultColors());
        EXPECT_EQ(f.ColorItems()[2].color, 0xFFFFFFu);
        EXPECT_EQ(f.SampleColor(), 0xFFFFFFu);
        EXPECT_FALSE(IsWindowEnabled(f.ButtonFont()));
        ChooseList(f.ColorList(), 14);
        EXPECT_TRUE(IsWindowEnabled(f.ButtonFont()));
        EXPECT_EQ(WindowText(f.FontSizeField()), L"14");
        Click(f.ButtonCancel());
    });
}

TEST_F(SettingDialog, TextViewerMayChooseOnlyItsOwnItems) {
    for (bool japanese : {true, false}) {
        quib::SetUiJapanese(japanese);
        messages_.Clear();
        RunDialog(L"FormText", [](TFormSetting& f) {
            EXPECT_EQ(SendMessageW(f.ColorList(), LB_GETCURSEL, 0, 0), 13);
            ChooseList(f.ColorList(), 5);
            EXPECT_EQ(SendMessageW(f.ColorList(), LB_GETCURSEL, 0, 0), 13);
            ChooseList(f.ColorList(), 15);
            EXPECT_EQ(SendMessageW(f.ColorList(), LB_GETCURSEL, 0, 0), 15);
            Click(f.ButtonCancel());
        });
        ASSERT_EQ(messages_.Texts().size(), 1u);
        EXPECT_EQ(messages_.Texts()[0], japanese ? L"Information : [Text ﾃｷｽﾄ] 以外は選択できません"
                                                 : L"Information : Item can not selected without [Text].\r\n[OK]");
    }
}

TEST_F(SettingDialog, BadExtensionListsAreRefusedWithTheirMessages) {
    struct Case {
        int field;
        const wchar_t* text;
        const wchar_t* japanese;
        const wchar_t* english;
    };
    const Case cases[] = {
        {1, L".lzh;.zip;.tar;", L"Information : 無効な拡張子です\r\n.tar",
         L"Information : This extention is not accept.\r\n[OK]\r\n.tar"},
        {4, L".txt;.log", L"Information : 拡張子の . と ; の数が不一致です\r\n「ﾃｷｽﾄﾋﾞｭｰﾜ 拡張子」",
         L"Information : Number of .[Piriod] and ;[Semicolon] is not match.\r\n[OK]\r\n「ﾃｷｽﾄﾋﾞｭｰﾜ 拡張子」"},
        {0, L"", L"Information : 拡張子が設定されていません\r\n「実行ファイル名 拡張子」",
         L"Information : Extention is empty.\r\n[OK]\r\n「実行ファイル名 拡張子」"},
        {6, L"mp3", L"Information : 拡張子が設定されていません\r\n「動画・音楽 拡張子」",
         L"Information : Extention is empty.\r\n[OK]\r\n「動画・音楽 拡張子」"},
    };
    for (bool japanese : {true, false}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.text);
            quib::SetUiJapanese(japanese);
            messages_.Clear();
            const std::wstring before = folder_.Read(L"Arc", L"Ext");
            const int result = RunDialog(L"FormMain", [&](TFormSetting& f) {
                Type(f.ExtField(c.field), c.text);
                Click(f.ButtonOK());
                // Still open, on the page of the field, with the user's text.
                EXPECT_TRUE(f.Visible());
                EXPECT_EQ(f.ActivePage(), static_cast<int>(Page::Setting));
                EXPECT_EQ(WindowText(f.ExtField(c.field)), c.text);
                Click(f.ButtonCancel());
            });
            EXPECT_EQ(result, quib::mrCancel);
            ASSERT_EQ(messages_.Texts().size(), 1u);
            EXPECT_EQ(messages_.Texts()[0], japanese ? c.japanese : c.english);
            EXPECT_EQ(folder_.Read(L"Arc", L"Ext"), before);
        }
    }
}

TEST_F(SettingDialog, LeavingAnExtensionFieldChecksIt) {
    RunDialog(L"FormMain", [this](TFormSetting& f) {
        f.ShowPage(Page::Setting);
        SetFocus(f.ExtField(1));
        Type(f.ExtField(1), L".lzh;.zip");
        PressKey(f.ExtField(1), VK_TAB);  // to the next field of the page
        EXPECT_EQ(GetFocus(), f.ExtField(2));
        ASSERT_EQ(messages_.Texts().size(), 1u);
        EXPECT_EQ(messages_.Texts()[0], L"Information : 拡張子の . と ; の数が不一致です\r\n「圧縮 拡張子」");
        Click(f.ButtonCancel());
    });
}

TEST_F(SettingDialog, ClosingOtherwiseAsksAndWritesNothing) {
    for (bool japanese : {true, false}) {
        quib::SetUiJapanese(japanese);
        messages_.Clear();
        int asked = 0;
        messages_.Answer([&](const quib::MsgRecord&) { return ++asked == 1 ? IDNO : IDYES; });
        const int result = RunDialog(L"FormMain", [](TFormSetting& f) {
            Click(f.BootCheck(0));
            PressKey(f.Handle(), VK_ESCAPE);  // No: stays
            EXPECT_TRUE(f.Visible());
            PressKey(f.Handle(), VK_ESCAPE);  // Yes: closes
        });
        EXPECT_EQ(result, quib::mrCancel);
        ASSERT_EQ(messages_.Texts().size(), 2u);
        EXPECT_EQ(messages_.Texts()[0], japanese ? L"設定が保存されません\r\n終了しますか？"
                                                 : L"Change is not saved.\r\nExit this ?\r\n[OK] / [NO]");
        EXPECT_EQ(folder_.Read(L"HiddenFile", L"Show"), L"<none>");
    }
}

TEST_F(SettingDialog, BrowseSortSwitchesExcludeEachOther) {
    RunDialog(L"FormMain", [](TFormSetting& f) {
        HWND page = f.PagePanel(Page::Boot);
        HWND explorer = GetDlgItem(page, 6013), sjis = GetDlgItem(page, 6014), unicode = GetDlgItem(page, 6015);
        EXPECT_EQ(SendMessageW(explorer, BM_GETCHECK, 0, 0), BST_CHECKED);
        Click(unicode);
        EXPECT_EQ(SendMessageW(explorer, BM_GETCHECK, 0, 0), BST_UNCHECKED);
        EXPECT_EQ(SendMessageW(sjis, BM_GETCHECK, 0, 0), BST_UNCHECKED);
        EXPECT_EQ(SendMessageW(unicode, BM_GETCHECK, 0, 0), BST_CHECKED);
        Click(f.ButtonCancel());
    });
}

TEST_F(SettingDialog, CtrlTabWalksThePagesAndTheLastPageIsRemembered) {
    RunDialog(L"FormMain", [](TFormSetting& f) {
        EXPECT_EQ(f.ActivePage(), 0);
        PressKey(f.Handle(), VK_TAB, 4);
        EXPECT_EQ(f.ActivePage(), 1);
        PressKey(f.Handle(), VK_TAB, 4 | 1);
        PressKey(f.Handle(), VK_TAB, 4 | 1);
        EXPECT_EQ(f.ActivePage(), 9);
        EXPECT_TRUE(IsWindowVisible(f.PagePanel(Page::Expand4)));
        EXPECT_FALSE(IsWindowVisible(f.PagePanel(Page::Color)));
        Click(f.ButtonCancel());
    });
    EXPECT_EQ(folder_.Read(L"Setting", L"ActivePageIndex"), L"9");
    RunDialog(L"FormMain", [](TFormSetting& f) {
        EXPECT_EQ(f.ActivePage(), 9);
        Click(f.ButtonCancel());
    });
}

TEST_F(SettingDialog, DeletingADestinationAsksAndClearsItAtOnce) {
    folder_.Write(L"ExtractName", L"2", L"Work");
    folder_.Write(L"ExtractFolder", L"2", L"C:\\Work");
    RunDialog(L"FormMain", [](TFormSetting& f) {
        EXPECT_EQ(ListBoxText(f.ExtractList(), 2), L"3:解凍先 Work" + std::wstring(8, L' ') + L" C:\\Work\\");
        SendMessageW(f.ExtractList(), LB_SETCURSEL, 2, 0);
        Click(f.ButtonExtractDelete());
        EXPECT_EQ(ListBoxText(f.ExtractList(), 2), L"3:解凍先 " + std::wstring(12, L' ') + L" ");
        Click(f.ButtonCancel());
    });
    ASSERT_EQ(messages_.Texts().size(), 1u);
    EXPECT_EQ(messages_.Texts()[0], L"Name=Work\r\nFolder=C:\\Work\r\n削除しますか？");
    EXPECT_EQ(folder_.Read(L"ExtractName", L"2"), L"");
    EXPECT_EQ(folder_.Read(L"ExtractFolder", L"2"), L"");
}

}  // namespace

namespace {

// The browse window opened from the dialog: the step drives it.
void DuringBrowse(const std::function<void(quib::TFormBrowse&)>& step, bool& ran) {
    HWND w = FindThreadWindow(L"参照");
    if (!w) w = FindThreadWindow(L"Browse");
    auto* f = w ? dynamic_cast<quib::TFormBrowse*>(quib::TFormBase::FromHandle(w)) : nullptr;
    if (!f) return;
    step(*f);
    ran = true;
}

std::wstring SelectedFullName(HWND list) {
    const int r = ListSelectedRow(list);
    return r < 0 ? L"<none>" : ListCellText(list, r, 9);
}

TEST_F(SettingDialog, BrowseButtonsPickAFileInTheProgramsOwnBrowseWindow) {
    TempDir work;
    WriteFileBytes(work / L"mine.txt", "m");
    WriteFileBytes(work / L"other.txt", "o");
    std::vector<std::wstring> drives;
    quib::FolderPickerHost host;
    host.driveTable = &drives;
    quib::SettingContext context;
    context.StrSettingType = L"FormMain";
    context.pickers = &host;
    quib::FormInstance<TFormSetting> form(context);
    std::wstring startedOn, startedAt, startedAtEnglish, slotField, picked;
    bool firstRan = false, secondRan = false, slotRan = false;
    std::vector<std::wstring> said;
    DuringModal step([&] {
        if (!form.Visible()) return false;
        form.ShowPage(Page::Susie);
        // A field naming a file: the browser starts on it; Shift+Enter on
        // the last row takes that file.
        Type(form.SusieField(0), work / L"mine.txt");
        {
            DuringModal browse([&] {
                bool ran = false;
                DuringBrowse([&](quib::TFormBrowse& b) {
                    startedOn = SelectedFullName(b.ListView1());
                    PressKey(b.ListView1(), VK_END);
                    PressKey(b.ListView1(), VK_RETURN, 1);
                }, ran);
                firstRan = ran;
                return ran;
            });
            Click(form.ButtonSusieBrowse(0));
        }
        picked = WindowText(form.SusieField(0));
        // A field naming a missing file: said, and the browser starts at C:\;
        // Esc leaves the field as it was.
        Type(form.SusieField(1), work / L"gone.txt");
        messages_.Clear();
        {
            DuringModal browse([&] {
                bool ran = false;
                DuringBrowse([&](quib::TFormBrowse& b) {
                    startedAt = b.UpperLabel();
                    PressKey(b.ListView1(), VK_ESCAPE);
                }, ran);
                secondRan = ran;
                return ran;
            });
            Click(form.ButtonSusieBrowse(1));
        }
        quib::SetUiJapanese(false);
        {
            DuringModal browse([&] {
                bool ran = false;
                DuringBrowse([&](quib::TFormBrowse& b) {
                    startedAtEnglish = b.UpperLabel();
                    PressKey(b.ListView1(), VK_ESCAPE);
                }, ran);
                return ran;
            });
            Click(form.ButtonSusieBrowse(1));
        }
        quib::SetUiJapanese(true);
        said = messages_.Texts();
        // A program slot whose page chose the browser, naming a missing program.
        form.ShowPage(Page::Expand2);
        ChooseCombo(form.FileSelectCombo(0), 1);
        Type(form.SlotExe(0), work / L"none.exe");
        messages_.Clear();
        {
            DuringModal browse([&] {
                bool ran = false;
                DuringBrowse([&](quib::TFormBrowse& b) { PressKey(b.ListView1(), VK_ESCAPE); }, ran);
                slotRan = ran;
                return ran;
            });
            Click(form.ButtonSlotList(0));
        }
        slotField = WindowText(form.SlotExe(0));
        const std::vector<std::wstring> more = messages_.Texts();
        said.insert(said.end(), more.begin(), more.end());
        Click(form.ButtonCancel());
        return true;
    });
    form.ShowModal();
    ASSERT_TRUE(step.Done());
    EXPECT_TRUE(firstRan);
    EXPECT_TRUE(secondRan);
    EXPECT_TRUE(slotRan);
    EXPECT_EQ(startedOn, L"mine.txt");
    EXPECT_EQ(picked, work / L"other.txt");
    EXPECT_EQ(startedAt, L"C:\\");
    EXPECT_EQ(startedAtEnglish, L"C:\\");
    EXPECT_EQ(slotField, work / L"none.exe");
    EXPECT_EQ(said, (std::vector<std::wstring>{
                        L"Information : ファイルがありません\r\nカレントを C:\\ に変更します\r\n" + work / L"gone.txt",
                        L"Information : File is not exist.\r\nChange current to C:\\\r\n[OK]\r\n" + work / L"gone.txt",
                        L"Information : 以下のファイルが在りませんでした\r\n" + work / L"none.exe" +
                            L"\r\nカレントを C:\\ に変更します"}));
}

}  // namespace

TEST_F(SettingDialog, SettingADestinationEditsItInTheInputDialogAndShowsTheResult) {
    TempDir target;
    folder_.Write(L"ExtractName", L"1", L"Old");
    RunDialog(L"FormMain", [&](TFormSetting& f) {
        SendMessageW(f.ExtractList(), LB_SETCURSEL, 1, 0);
        DuringModal input([&] {
            HWND w = FindThreadWindow(L"解凍先フォルダの入力");
            auto* d = w ? dynamic_cast<quib::TFormInputExtract*>(quib::TFormBase::FromHandle(w)) : nullptr;
            if (!d) return false;
            EXPECT_EQ(quib::GetText(d->NameField()), L"Old");
            Type(d->NameField(), L"Target");
            Type(d->FolderField(), target.Path());
            Click(d->Control(quib::TFormInputExtract::kTagButtonOK));
            return true;
        });
        Click(f.ButtonExtractSet());
        EXPECT_TRUE(input.Done());
        EXPECT_EQ(ListBoxText(f.ExtractList(), 1),
                  L"2:解凍先 Target" + std::wstring(6, L' ') + L" " + target.Path() + L"\\");
        Click(f.ButtonCancel());
    });
    // The input dialog writes at once, whatever the settings dialog does after.
    EXPECT_EQ(folder_.Read(L"ExtractName", L"1"), L"Target");
    EXPECT_EQ(folder_.Read(L"ExtractFolder", L"1"), target.Path() + L"\\");
    EXPECT_TRUE(messages_.Texts().empty());
}
