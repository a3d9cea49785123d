#include "MainWindowHarness.h"

#include "FormTestSupport.h"

#include "app/Application.h"
#include "archive/Archive.h"
#include "util/IniFile.h"
#include "util/Theme.h"
#include "util/Message.h"
#include "util/MyUtility.h"

namespace quibtest {

std::wstring ProgramFixture(const std::wstring& name) { return FixturesDir() + L"\\program\\" + name; }

MainWindowHarness::MainWindowHarness() {
    quib::Application().Initialize(GetModuleHandleW(nullptr));
    quib::SetProgramPathForTests(folder_.Exe());
    quib::ResetArchiveBindingForTests();
    // Inside a test program the loader's application folder is the tests'
    // folder, so the DLLs are taken from the program folder by path.
    Setting(L"SelectDllFolder", L"Index", L"1");
}

MainWindowHarness::~MainWindowHarness() {
    if (form_ && form_->Handle()) DestroyWindow(form_->Handle());
    form_.reset();
    Pump(0);
    // The DLLs must be released before the folder that holds them is removed.
    quib::ResetArchiveBindingForTests();
    quib::Application().SetArgumentsForTests({});
    quib::SetApplicationStyle(quib::VisualStyle::System, 0);
    quib::SetMsgBoxActivateHook(nullptr);
    quib::SetProgramPathForTests(L"");
}

void MainWindowHarness::Setting(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
    quib::IniFile::CreateEmptyUnicode(folder_.Ini());
    quib::IniFile(folder_.Ini()).WriteString(section, key, value);
}

quib::TFormMain& MainWindowHarness::Start(const std::vector<std::wstring>& args) {
    quib::Application().SetArgumentsForTests(args);
    quib::ApplyVclStyleSetting();
    form_ = std::make_unique<quib::FormInstance<quib::TFormMain>>();
    form_->Create();
    form_->Show();
    Pump();
    return *form_;
}

void MainWindowHarness::Close() {
    if (!form_ || !form_->Handle()) return;
    SendMessageW(form_->Handle(), WM_CLOSE, 0, 0);
    Pump();
}

void MainWindowHarness::Pump(DWORD milliseconds) { quibtest::Pump(milliseconds); }

void MainWindowHarness::Command(int tag) {
    SendMessageW(form_->Handle(), WM_COMMAND, MAKEWPARAM(tag, 0), 0);
    Pump();
}

std::wstring MainWindowHarness::ReadSetting(const std::wstring& section, const std::wstring& key) const {
    return quib::IniFile(folder_.Ini()).ReadString(section, key, L"<absent>");
}

std::vector<std::wstring> MainWindowHarness::EntryField(size_t n) const {
    std::vector<std::wstring> out;
    for (const auto& line : form_->StrListArchiveDirFile) {
        std::vector<std::wstring> f;
        quib::StringToCsvList(line, f);
        out.push_back(n < f.size() ? f[n] : L"<missing>");
    }
    return out;
}

}  // namespace quibtest
