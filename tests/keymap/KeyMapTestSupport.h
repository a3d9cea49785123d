#pragma once
// Shared by the key-map tests: a throw-away program folder, UTF-16 files
// written byte for byte, and real key presses through the application's
// message handling.
#include <windows.h>

#include <string>
#include <vector>

#include "FormTestSupport.h"
#include "TestSupport.h"
#include "app/FormBase.h"
#include "keymap/KeyMap.h"

namespace keymaptest {

// A temporary folder that stands in for the program folder: settings, key
// maps and language files of the code under test land here.
class ProgramDir {
public:
    ProgramDir();
    ~ProgramDir();
    const std::wstring& Path() const { return dir_.Path(); }
    std::wstring operator/(const std::wstring& name) const { return dir_ / name; }
    std::wstring Ini() const { return dir_ / L"quibFMarchive.ini"; }
    // The folder of the language files: Language\quibFMarchive.
    std::wstring LanguageDir() const;
    void WriteIni(const std::wstring& section, const std::wstring& key, const std::wstring& value) const;

private:
    quibtest::TempDir dir_;
};

// Writes the text as UTF-16LE with a byte-order mark (lines as given).
bool WriteUtf16File(const std::wstring& path, const std::wstring& text);
// The file's bytes as UTF-16LE; hasBom tells whether it began with FF FE.
std::wstring ReadUtf16File(const std::wstring& path, bool* hasBom = nullptr);

// Key-map lines from "category|caption|key|number" shorthand.
quib::KeyMapTable Table(const std::vector<std::wstring>& shorthand);

// The key map given to a form's menu items as a window does it: the keys the
// key map layer says, set on the items; SetShortCutKey reloads the file first.
void ApplyKeyMap(quib::TFormBase& form, const quib::KeyMapTable& builtIn, const quib::KeyMapTable& working,
                 bool initialSearchOn);
void SetShortCutKey(quib::TFormBase& form, const std::wstring& keyMapPath, const quib::KeyMapTable& builtIn,
                    quib::KeyMapTable& working, bool initialSearchOn);

// A window with the main window's menus (every command of its table, by
// category) that records the commands its menu items run.
class MenuFormWindow : public quib::TFormBase {
public:
    MenuFormWindow();
    ~MenuFormWindow() override;
    std::vector<int> commands;
    HMENU Menu() const { return menu_; }
    // The caption the menu shows, with the key text after the tab.
    std::wstring MenuText(int tag) const;

protected:
    void FormCreate() override;
    void MenuCommand(int id) override { commands.push_back(id); }

private:
    HMENU menu_ = nullptr;
    bool attached_ = false;
};
using MenuForm = quib::FormInstance<MenuFormWindow>;

// The shared window-test harness under the names these tests use.
using quibtest::EnsureApplication;
using quibtest::PressKey;
using quibtest::Pump;

}  // namespace keymaptest
