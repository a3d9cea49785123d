#pragma once
// The real main window inside the benchmark program, on a fresh program folder
// (its own settings file and copies of the stand-in DLLs from the build's bin
// folder), with every message box answered and counted instead of shown.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/FormMain.h"

namespace quibbench {

// A Unix path of the build as Wine sees it ("/a/b" -> "Z:\a\b").
std::wstring UnixToWin(const std::string& unixPath);

class ProgramHost {
public:
    // binFolder: the folder holding the stand-in DLLs (Windows path).
    explicit ProgramHost(const std::wstring& binFolder);
    ~ProgramHost();
    ProgramHost(const ProgramHost&) = delete;
    ProgramHost& operator=(const ProgramHost&) = delete;

    // A setting written before the window is created.
    void Setting(const std::wstring& section, const std::wstring& key, const std::wstring& value);
    // Creates and shows the main window with these program arguments; the
    // caller pumps messages afterwards.
    quib::TFormMain& Start(const std::vector<std::wstring>& args = {});
    // Lets pending messages run; with milliseconds, keeps doing so that long.
    void Pump(DWORD milliseconds = 0);

    quib::TFormMain& Form() { return *form_; }
    const std::wstring& Folder() const { return folder_; }
    const std::vector<std::wstring>& Messages() const { return messages_; }

private:
    std::wstring folder_;
    std::vector<std::wstring> messages_;
    std::unique_ptr<quib::TFormMain> form_;
};

}  // namespace quibbench
