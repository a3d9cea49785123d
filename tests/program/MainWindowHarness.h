#pragma once
// Runs the real main window inside a test program, on a fresh program folder
// (its own settings file and copies of the stand-in DLLs), with every message
// box captured.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "app/FormMain.h"

namespace quibtest {

// The program's archives for tests, made by make_fixtures.sh.
std::wstring ProgramFixture(const std::wstring& name);

class MainWindowHarness {
public:
    MainWindowHarness();
    ~MainWindowHarness();

    // Settings written before the window is created: "Section", "Key", "Value".
    void Setting(const std::wstring& section, const std::wstring& key, const std::wstring& value);
    // Creates and shows the main window with these program arguments.
    quib::TFormMain& Start(const std::vector<std::wstring>& args = {});
    // Closes the window as the user would (WM_CLOSE), running its destruction.
    void Close();
    // Lets pending messages and timers run for a while.
    void Pump(DWORD milliseconds = 50);
    // Sends a menu command through the window procedure (errors reach the
    // application's handler, as with a real click).
    void Command(int tag);

    quib::TFormMain& Form() { return *form_; }
    ProgramFolder& Folder() { return folder_; }
    MsgCapture& Messages() { return messages_; }
    std::wstring Ini() const { return folder_.Ini(); }
    std::wstring ReadSetting(const std::wstring& section, const std::wstring& key) const;

    // Field n of every entry line of the open archive.
    std::vector<std::wstring> EntryField(size_t n) const;

private:
    ProgramFolder folder_;
    MsgCapture messages_;
    std::unique_ptr<quib::TFormMain> form_;
};

}  // namespace quibtest
