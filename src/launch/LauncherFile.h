#pragma once
// The launcher file "quibFM.lnc": 108 key-bound program slots, five lines
// each (key label, name, file switch, program, options). The file is kept in
// the encoding it was found in, so a file the filer shares is never turned
// into another encoding behind its back; a new file is written in the ANSI
// code page.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace quib {

constexpr int kLauncherSlots = 108;
constexpr int kLauncherSlotLines = 5;

enum class LauncherEncoding { Ansi, Utf8Bom, Utf16Le, Utf16Be };

struct LauncherFile {
    std::vector<std::wstring> lines;  // five a slot, slot n at 5n .. 5n + 4
    LauncherEncoding encoding = LauncherEncoding::Ansi;
};

// The key label of slot n: "  A".."  Z", "  0".."  9", then the same with
// "s+" and with "c+".
std::wstring LauncherKeyLabel(int slot);
// The slot a key selects: letters and digits alone, with Shift, with Ctrl
// (mods as the menus count them: Shift 1, Alt 2, Ctrl 4); none for any other key.
std::optional<int> LauncherSlotOfKey(WORD key, BYTE mods);
// The five lines of an empty slot: key label, no name, "1", no program, no options.
std::vector<std::wstring> EmptyLauncherSlot(int slot);
// All 108 empty slots (540 lines).
std::vector<std::wstring> EmptyLauncherLines();

// The file's bytes as lines: a byte-order mark chooses UTF-8, UTF-16LE or
// UTF-16BE; without one the ANSI code page.
LauncherFile DecodeLauncherFile(const std::string& bytes, UINT ansiCodePage = CP_ACP);
// The lines in the file's encoding, each ended by CR LF, behind the
// encoding's byte-order mark. False when an ANSI file would lose a character
// its code page lacks; lost then holds those characters (each once) and
// nothing is to be written.
bool EncodeLauncherFile(const LauncherFile& file, std::string& bytes, std::wstring* lost = nullptr,
                        UINT ansiCodePage = CP_ACP);

bool ReadLauncherFile(const std::wstring& path, LauncherFile& file);
// Writes the file whole; false when it cannot be written or would lose
// characters (lost says which).
bool WriteLauncherFile(const std::wstring& path, const LauncherFile& file, std::wstring* lost = nullptr);

// Number of rows the lines give (whole slots only).
int LauncherRowCount(const std::vector<std::wstring>& lines);
// One slot's line (empty past the end of the file).
std::wstring LauncherSlotLine(const std::vector<std::wstring>& lines, int slot, int line);
// A list row: key label, a blank, the name brought to 12 bytes of the ANSI
// code page with blanks, a blank, the file switch, a blank, the program, a
// blank, the options.
std::wstring LauncherRowText(const std::vector<std::wstring>& lines, int slot, UINT ansiCodePage = CP_ACP);

// The program path of a slot as the launcher runs it: a leading "%d" or "%p"
// (either case) expanded, then the enclosing double quotes removed.
std::wstring LauncherProgramPath(const std::wstring& typed, const std::wstring& programPath);

}  // namespace quib
