#include "KeyMapTestSupport.h"

#include "keymap/KeyMapApply.h"

#include "app/Application.h"
#include "app/MainMenuTable.h"
#include "keymap/KeyText.h"
#include "util/IniFile.h"

namespace keymaptest {

ProgramDir::ProgramDir() {
    quib::SetProgramPathForTests(dir_ / L"quibFMarchive.exe");
    quib::IniFile::CreateEmptyUnicode(Ini());
}

ProgramDir::~ProgramDir() { quib::SetProgramPathForTests(L""); }

std::wstring ProgramDir::LanguageDir() const {
    const std::wstring language = dir_ / L"Language";
    CreateDirectoryW(language.c_str(), nullptr);
    const std::wstring program = language + L"\\quibFMarchive";
    CreateDirectoryW(program.c_str(), nullptr);
    return program;
}

void ProgramDir::WriteIni(const std::wstring& section, const std::wstring& key, const std::wstring& value) const {
    quib::IniFile(Ini()).WriteString(section, key, value);
}

bool WriteUtf16File(const std::wstring& path, const std::wstring& text) {
    return quibtest::WriteFileBytes(path, "\xFF\xFE" + quibtest::Utf16LeBytes(text));
}

std::wstring ReadUtf16File(const std::wstring& path, bool* hasBom) {
    const std::string bytes = quibtest::ReadFileBytes(path);
    std::wstring text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                            (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    const bool bom = !text.empty() && text[0] == 0xFEFF;
    if (hasBom) *hasBom = bom;
    if (bom) text.erase(0, 1);
    return text;
}

quib::KeyMapTable Table(const std::vector<std::wstring>& shorthand) {
    quib::KeyMapTable table;
    for (std::wstring s : shorthand) {
        for (auto& c : s)
            if (c == L'|') c = L'\t';
        table.push_back(quib::ParseKeyMapLine(s));
    }
    return table;
}

namespace {
quib::FormDescription MenuFormDescription() {
    return quib::FormDescription::Window(L"FormKeyMapTest", SIZE{400, 300}, SIZE{200, 150});
}
}  // namespace

void ApplyKeyMap(quib::TFormBase& form, const quib::KeyMapTable& builtIn, const quib::KeyMapTable& working,
                 bool initialSearchOn) {
    for (const auto& [tag, key] : quib::KeyMapShortCuts(builtIn, working, initialSearchOn)) form.SetShortCut(tag, key);
}

void SetShortCutKey(quib::TFormBase& form, const std::wstring& keyMapPath, const quib::KeyMapTable& builtIn,
                    quib::KeyMapTable& working, bool initialSearchOn) {
    quib::LoadKeyMapFile(keyMapPath, working);
    ApplyKeyMap(form, builtIn, working, initialSearchOn);
}

MenuFormWindow::MenuFormWindow() : TFormBase(MenuFormDescription()) {
    menu_ = CreateMenu();
    for (const auto& top : quib::MainMenuBar()) {
        HMENU sub = CreatePopupMenu();
        for (const auto& c : quib::MainCommands())
            if (lstrcmpW(c.category, top.category) == 0)
                AppendMenuW(sub, MF_STRING, static_cast<UINT_PTR>(c.tag), c.caption);
        AppendMenuW(menu_, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), top.caption);
    }
    SetMenuHandle(menu_);
}

MenuFormWindow::~MenuFormWindow() {
    // A menu given to a window goes with the window (FormInstance destroyed it).
    if (!handle_ && IsMenu(menu_) && !attached_) DestroyMenu(menu_);
}

void MenuFormWindow::FormCreate() { SetMenu(handle_, menu_); }

std::wstring MenuFormWindow::MenuText(int tag) const {
    wchar_t buf[256] = {};
    GetMenuStringW(menu_, static_cast<UINT>(tag), buf, 256, MF_BYCOMMAND);
    return buf;
}

}  // namespace keymaptest
