#pragma once
// Helpers shared by the test programs: message capture, temporary folders,
// fresh program folders and the real program started from outside.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "util/Message.h"

namespace quibtest {

// A Unix path of the build (QUIB_BIN_DIR, QUIB_FIXTURES_DIR) as Wine sees it.
std::wstring UnixToWin(const std::string& unixPath);
std::wstring BinDir();
std::wstring FixturesDir();
std::wstring SourceDir();

// Records every message the program shows instead of showing it; the answer
// function decides what the "user" clicks (default: OK / Yes).
class MsgCapture {
public:
    MsgCapture();
    ~MsgCapture();
    void Answer(std::function<int(const quib::MsgRecord&)> answer) { answer_ = std::move(answer); }
    const std::vector<quib::MsgRecord>& Messages() const { return messages_; }
    std::vector<std::wstring> Texts() const;
    void Clear() { messages_.clear(); }

private:
    std::vector<quib::MsgRecord> messages_;
    std::function<int(const quib::MsgRecord&)> answer_;
};

// A folder under the temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::wstring& Path() const { return path_; }  // without a final backslash
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

bool RemoveTree(const std::wstring& path);
// Every file below a folder, as paths relative to it, sorted.
std::vector<std::wstring> FilesBelow(const std::wstring& root);
bool FileExists(const std::wstring& path);
bool DirExists(const std::wstring& path);
std::string ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
// The bytes of a text in UTF-16, little or big endian, without a byte-order
// mark (odd code units and lone surrogates kept as they are).
std::string Utf16LeBytes(const std::wstring& text);
std::string Utf16BeBytes(const std::wstring& text);
// Reads a UTF-8 text file into UTF-16.
std::wstring ReadUtf8File(const std::wstring& path);
bool CopyTree(const std::wstring& from, const std::wstring& to);

// A fresh program folder: the exe and the stand-in DLLs copied side by side,
// and nothing else (no settings file, no key map, no language files).
class ProgramFolder {
public:
    ProgramFolder();
    const std::wstring& Path() const { return dir_.Path(); }
    std::wstring Exe() const { return dir_.Path() + L"\\quibFMarchive.exe"; }
    std::wstring Ini() const { return dir_.Path() + L"\\quibFMarchive.ini"; }
    std::wstring operator/(const std::wstring& name) const { return dir_ / name; }

private:
    TempDir dir_;
};

// The real program started as a separate process.
class RunningProgram {
public:
    // args: the command line after the program name, already quoted as needed.
    // env: extra variables "NAME=value".
    RunningProgram(const std::wstring& exe, const std::wstring& args, const std::vector<std::wstring>& env = {});
    ~RunningProgram();
    bool Started() const { return process_ != nullptr; }
    DWORD ProcessId() const { return pid_; }
    // The first visible top-level window of the process whose caption ends with
    // the suffix; null after the timeout.
    HWND WaitForWindow(const std::wstring& captionSuffix, DWORD timeoutMs = 20000);
    // Sends WM_CLOSE to the window and waits for the process; returns its exit code or -1.
    int CloseAndWait(HWND window, DWORD timeoutMs = 20000);
    int WaitExit(DWORD timeoutMs);

private:
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

std::wstring WindowText(HWND hwnd);

// Whether this process can select a font into a device context. Wine 8.0's
// WoW64 mode cannot from 32-bit code (SelectObject returns nothing, text
// metrics fail), and a 32-bit edit control holding text then crashes inside
// Wine's script shaping. Programs started by a test share its bitness and
// its Wine, so a test of a window with edit controls asks this first.
bool GdiSelectsFonts();
inline constexpr const char* kNoFontsUnderThisWine =
    "this Wine cannot select fonts in 32-bit code (its WoW64 mode), so edit controls crash; proven on Windows only";

}  // namespace quibtest
