#pragma once
// Paths in settings and list files may start with "%d" (the program's drive)
// or "%p" (the program's folder), so that a program folder carried on a USB
// stick keeps working under another drive letter. Program lines may hold
// "%h", the main window's handle, for the sibling programs to talk back.
#include <windows.h>

#include <cstdint>
#include <string>

namespace quib {

// Drive of a program path: its first two characters ("C:").
std::wstring ProgramDriveOf(const std::wstring& programPath);
// Folder of a program path without the final backslash.
std::wstring ProgramFolderOf(const std::wstring& programPath);

// "%d" or "%D" at the start becomes the drive, "%p" or "%P" the folder, and
// the rest of the path follows from its third character; any other path is
// returned unchanged.
std::wstring ExpandPathPrefix(const std::wstring& path, const std::wstring& programPath);

// Every "%h" (lower case, as the filer writes it) replaced by the handle in decimal.
std::wstring ReplaceHandleMark(const std::wstring& line, std::uintptr_t handle);
inline std::wstring ReplaceHandleMark(const std::wstring& line, HWND handle) {
    return ReplaceHandleMark(line, reinterpret_cast<std::uintptr_t>(handle));
}

}  // namespace quib
