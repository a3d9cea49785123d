#pragma once
// Starting programs on extracted entries: the program-line rules of the
// association table, the three start operations, and the response files that
// tell the sibling image and player programs what to show.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quib {

using StringList = std::vector<std::wstring>;

// What the shell is asked to start.
struct ProgramStart {
    std::wstring program;     // without quotes
    std::wstring parameters;
    std::wstring folder;      // working folder; empty for none
    bool openFile = false;    // ExecuteRerated: the file itself is opened
};

// A program line cut into its path and its own options: with a double quote,
// the text between the first two quotes and what follows the second; else
// the whole line and no options. A path still in quotes loses them.
struct ProgramLine {
    std::wstring path;
    std::wstring options;
};
ProgramLine SplitProgramLine(const std::wstring& line);

// ExecuteProgram's start: "%d"/"%p" expanded, the program's own folder tried
// when the path names no file (nothing when neither does), the own options
// trimmed, a blank and the option, every "%h" made the handle, and the file
// in quotes after a blank.
std::optional<ProgramStart> PrepareExecuteProgram(const std::wstring& programLine, const std::wstring& option,
                                                  const std::wstring& file, const std::wstring& programPath,
                                                  HWND mainWindow);
// ExecuteProgramEx3's start: the path expanded and unquoted, the option
// unchanged, the file in quotes after a blank; nothing when no file exists
// at the path (missingPath then names it).
std::optional<ProgramStart> PrepareExecuteProgramEx3(const std::wstring& program, const std::wstring& option,
                                                     const std::wstring& file, const std::wstring& programPath,
                                                     std::wstring* missingPath = nullptr);

// Starts it through the shell's "open" verb (the program's folder, when it
// exists, becomes the current folder first). True when the shell reports a
// start.
bool StartProgram(const ProgramStart& start, HWND owner);

// Tests watch the starts instead of starting anything; empty restores the shell.
void SetProgramStartHookForTests(std::function<bool(const ProgramStart&)> hook);

// --- response files of the sibling image and player programs

// "ImageResponce" (kinds "IMAGE", "SPI") or "PlayerResponce" ("PLAYER") in the program folder.
std::wstring SiblingResponseFolder(const std::wstring& programFolder, const std::wstring& kind);

// "@" + handle + "-yyyymmdd-hhnnss.txt"; when taken already (a second launch
// in the same second), "-2", "-3", ... before ".txt".
std::wstring SiblingResponseFileName(HWND mainWindow, const SYSTEMTIME& localTime,
                                     const std::function<bool(const std::wstring&)>& taken);

// The lines: "1 1 1 0 0 " + the first file, "0 1 1 0 0 " + each further one;
// for a Susie plug-in archive the one line "1 0 1 0 0 " + the file.
StringList SiblingResponseLines(const StringList& extractedFiles, bool susie);

// The response files of a folder that no running program can still be
// reading: names beginning with "@" whose handle (up to the first "-") is no
// live window for which keep() answers true.
StringList StaleResponseFiles(const StringList& fileNames, const std::function<bool(HWND)>& keep);

// A window that may still read a response file: a main window of this
// program or a PellFMmini window.
bool ResponseFileReader(HWND window);

// Lists the folder's files and deletes the stale ones.
void RemoveStaleResponseFiles(const std::wstring& folder);

}  // namespace quib
