#pragma once
// The per-instance temporary folder that viewed entries are extracted into.
#include <windows.h>

#include <string>

namespace quib {

// Program folder, "TmpArchive", the main window's handle in decimal, each
// followed by a backslash: unique among instances running side by side.
std::wstring ExtractBaseFolder(const std::wstring& programFolder, HWND mainWindow);

// Creates a folder with every missing parent, level after level without
// recursion; true when it exists afterwards. False for paths of 32,767
// characters or more.
bool ForceDirectories(const std::wstring& folder);

// A path of the form <full folder>\TmpArchive\<decimal handle>[\], without
// wildcards, "." or ".." levels: the only thing the clean-up may delete.
bool IsExtractTempFolder(const std::wstring& folder);

// Removes the temporary folder with its contents. Refuses any path that is not
// a temporary folder of this program. True when it is gone.
bool ArchiveDeleteExtractTemp(const std::wstring& folder, HWND owner);

}  // namespace quib
