// The archive settings dialog as the user meets it: an untouched OK keeps
// what the archive code reads, edits reach it, the folder switches depend on
// each other, the reset buttons reset their own page only.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>

#include "FormTestSupport.h"
#include "archive/ArchiveKind.h"
#include "settings/FormArchiveSetting.h"
#include "util/Message.h"
#include "util/StrConv.h"

using namespace quibtest;
using quib::ArchivePage;
using quib::TFormArchiveSetting;
using Sw = quib::TFormArchiveSetting::Switch;

namespace {

std::wstring WithoutSections(const std::wstring& path, std::initializer_list<const wchar_t*> drop) {
    const std::string bytes = ReadFileBytes(path);
    const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
    std::wstring out;
    bool skip = false;
    for (size_t pos = 0; pos < text.size();) {
        size_t end = text.find(L"\r\n", pos);
        if (end == std::wstring::npos) end = text.size();
        const std::wstring line = text.substr(pos, end - pos);
        if (!line.empty() && line[0] == L'[') {
            skip = false;
            for (const wchar_t* d : drop) skip = skip || line == std::wstring(L"[") + d + L"]";
        }
        if (!skip) out += line + L"\r\n";
        pos = end + 2;
    }
    return out;
}

int RunDialog(const std::function<void(TFormArchiveSetting&)>& act) {
    quib::FormInstance<TFormArchiveSetting> form;
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
bool Checked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

size_t BoxOf(const wchar_t* section, const wchar_t* key) {
    const auto& boxes = quib::ArchiveTextBoxes();
    for (size_t i = 0; i < boxes.size(); ++i)
        if (std::wstring(boxes[i].section) == section && std::wstring(boxes[i].key) == key) return i;
    ADD_FAILURE() << "no box";
    return 0;
}

class ArchiveSettingDialog : public ::testing::Test {
protected:
    void SetUp() override { quib::SetUiJapanese(true); }
    void TearDown() override { quib::SetUiJapanese(true); }
    TestProgramFolder folder_;
    MsgCapture messages_;
};

TEST_F(ArchiveSettingDialog, UntouchedOkKeepsWhatTheProgramReads) {
    EXPECT_EQ(RunDialog([](TFormArchiveSetting& f) { Click(f.ButtonOK()); }), quib::mrOK);
    TempDir other;
    const std::wstring reference = other / L"reference.ini";
    quib::IniFile::CreateEmptyUnicode(reference);
    quib::ArchiveSettingValues defaults;
    quib::ReadArchiveSettingValues(quib::IniFile(other / L"absent.ini"), defaults);
    quib::WriteArchiveSettingValues(quib::IniFile(reference), defaults);
    EXPECT_EQ(WithoutSections(folder_.Ini(), {L"FormArchiveSetting", L"ArchiveSetting"}),
              WithoutSections(reference, {}));
    // Every command text the archive code reads is its default.
    for (const auto& k : quib::ArchiveCommandTextKeys())
        EXPECT_EQ(folder_.Read(k.section, k.key), k.def) << quib::WideToUtf8(k.section) << " " << quib::WideToUtf8(k.key);
    // The extraction switches as the extraction windows take an absent key.
    EXPECT_EQ(folder_.Read(L"FormExtract", L"MakeFolder"), L"0");
    EXPECT_EQ(folder_.Read(L"FormExtract", L"MoveExtractFolder"), L"0");
    EXPECT_EQ(folder_.Read(L"FormExtract", L"WithPath"), L"1");
    // The hidden delete boxes are written back, empty.
    EXPECT_EQ(folder_.Read(L"Cab", L"Delete"), L"");
    EXPECT_EQ(folder_.Read(L"ISO", L"Delete"), L"<none>");
}

TEST_F(ArchiveSettingDialog, EditsReachTheArchiveSettings) {
    RunDialog([](TFormArchiveSetting& f) {
        SetWindowTextW(f.TextBox(BoxOf(L"Zip", L"List")), L"-v -x");
        SetWindowTextW(f.TextBox(BoxOf(L"YZ1", L"Normal2")), L"x  -x1 -y");
        SendMessageW(f.UnzipDllCombo(), CB_SETCURSEL, 2, 0);
        Click(f.ProbeBox(1));
        Click(f.DllFolderRadio(1));
        Click(f.ButtonOK());
    });
    const quib::ArchiveSettings s = quib::ReadArchiveSetting(quib::IniFile(folder_.Ini()));
    EXPECT_EQ(s.StrZipList, L"-v -x");
    EXPECT_EQ(s.StrYz1Normal2, L"x  -x1 -y");  // as typed
    EXPECT_EQ(s.IntUnZipDll, 2);
    EXPECT_TRUE(s.BoolAutoCheckSfxZip);
    EXPECT_FALSE(s.BoolAutoCheckSfxLha);
    EXPECT_FALSE(s.BoolReadDllSystem32andApplication);
}

TEST_F(ArchiveSettingDialog, FolderSwitchesDependOnEachOther) {
    folder_.Write(L"FormExtract", L"MakeFolder", L"0");
    folder_.Write(L"FormExtract", L"DouleDisabled", L"1");
    folder_.Write(L"FormExtract", L"WithPath", L"0");
    RunDialog([](TFormArchiveSetting& f) {
        EXPECT_FALSE(Checked(f.SwitchBox(Sw::DouleDisabled)));
        EXPECT_FALSE(IsWindowEnabled(f.SwitchBox(Sw::DouleDisabled)));
        EXPECT_TRUE(Checked(f.SwitchBox(Sw::WithPath)));
        Click(f.SwitchBox(Sw::WithPath));  // off
        Click(f.SwitchBox(Sw::MakeFolder));  // on: the next one can be used
        EXPECT_TRUE(IsWindowEnabled(f.SwitchBox(Sw::DouleDisabled)));
        Click(f.SwitchBox(Sw::DouleDisabled));  // on: checks the path switch
        EXPECT_TRUE(Checked(f.SwitchBox(Sw::WithPath)));
        Click(f.SwitchBox(Sw::WithPath));  // may be unchecked again
        EXPECT_FALSE(Checked(f.SwitchBox(Sw::WithPath)));
        Click(f.SwitchBox(Sw::MakeFolder));  // off: takes the next one with it
        EXPECT_FALSE(Checked(f.SwitchBox(Sw::DouleDisabled)));
        Click(f.ButtonOK());
    });
    EXPECT_EQ(folder_.Read(L"FormExtract", L"DouleDisabled"), L"0");
    EXPECT_EQ(folder_.Read(L"FormExtract", L"WithPath"), L"0");
    EXPECT_EQ(folder_.Read(L"FormExtract", L"MakeFolder"), L"0");
}

TEST_F(ArchiveSettingDialog, EachResetButtonResetsItsOwnPage) {
    RunDialog([](TFormArchiveSetting& f) {
        const auto& boxes = quib::ArchiveTextBoxes();
        for (size_t i = 0; i < boxes.size(); ++i) SetWindowTextW(f.TextBox(i), L"changed");
        Click(f.ResetButton(ArchivePage::Archive1));
        for (size_t i = 0; i < boxes.size(); ++i) {
            const std::wstring shown = WindowText(f.TextBox(i));
            EXPECT_EQ(shown, boxes[i].page == ArchivePage::Archive1 ? boxes[i].def : L"changed") << i;
        }
        EXPECT_EQ(WindowText(f.TextBox(BoxOf(L"7z(zip)", L"Test"))), L"t");
        Click(f.ResetButton(ArchivePage::Delete1));
        EXPECT_EQ(WindowText(f.TextBox(BoxOf(L"Lha", L"Delete"))), L"d -jyd1");
        EXPECT_EQ(WindowText(f.TextBox(BoxOf(L"Rar", L"Delete"))), L"");
        Click(f.ButtonCancel());
    });
}

TEST_F(ArchiveSettingDialog, EscAsksAndTheLastPageIsKept) {
    for (bool japanese : {true, false}) {
        quib::SetUiJapanese(japanese);
        messages_.Clear();
        folder_.Write(L"ArchiveSetting", L"ActivePageIndex", L"0");
        int asked = 0;
        messages_.Answer([&](const quib::MsgRecord&) { return ++asked == 1 ? IDNO : IDYES; });
        const int result = RunDialog([](TFormArchiveSetting& f) {
            PressKey(f.Handle(), VK_TAB, 4);
            PressKey(f.Handle(), VK_TAB, 4);
            EXPECT_EQ(f.ActivePage(), 2);
            Click(f.ProbeBox(0));
            PressKey(f.Handle(), VK_ESCAPE);
            EXPECT_TRUE(f.Visible());
            PressKey(f.Handle(), VK_ESCAPE);
        });
        EXPECT_EQ(result, quib::mrCancel);
        ASSERT_EQ(messages_.Texts().size(), 2u);
        EXPECT_EQ(messages_.Texts()[0], japanese ? L"設定が保存されません\r\n終了しますか？"
                                                 : L"Set value will not save.\r\nExit this ?\r\n[OK] / [NO]");
        EXPECT_EQ(folder_.Read(L"AutoCheckSfx", L"lha"), L"<none>");
        EXPECT_EQ(folder_.Read(L"ArchiveSetting", L"ActivePageIndex"), L"2");
        RunDialog([](TFormArchiveSetting& f) {
            EXPECT_EQ(f.ActivePage(), 2);
            Click(f.ButtonCancel());
        });
    }
}

}  // namespace
