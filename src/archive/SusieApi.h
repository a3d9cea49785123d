#pragma once
// Calls into Susie archive plug-ins. Every call loads the plug-in, calls one
// entry point and frees the plug-in again; nothing stays loaded in between.
#include <windows.h>

#include <string>
#include <vector>

#include "archive/ArchiveRecords.h"

namespace quib {

// Entry points as the plug-ins export them. IsSupported's second argument is
// the address of a 2,048-byte buffer with the first bytes of the file (a
// value with a non-zero high word is a buffer address, not a file handle).
// GetArchiveInfo with flag 0 reads the file named by buf from offset len and
// returns a LocalAlloc block of TSusieFileInfo records in *lphInf.
using SusieIsSupportedFn = int(WINAPI*)(LPCSTR filename, void* dw);
using SusieGetArchiveInfoFn = int(WINAPI*)(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* lphInf);
// GetFile with flag 0 writes the entry at position len of the archive named
// by src into the folder dest; with flag 0x0700 dest is the address of a
// memory-handle variable that receives a LocalAlloc block of its bytes.
using SusieGetFileFn = int(WINAPI*)(LPCSTR src, LONG_PTR len, LPSTR dest, unsigned int flag, FARPROC progress,
                                    LONG_PTR lData);
constexpr unsigned int kSusieFileToMemory = 0x0700;

constexpr DWORD kSusieHeaderSize = 2048;
// The interface's result for a function a plug-in does not have.
constexpr int kSusieNotImplemented = -1;
// Our own result for a call that faulted inside the plug-in (no plug-in
// returns it): a failure like any non-zero result.
constexpr int kSusieCallFaulted = -2;

// Loads a plug-in for one call: with the search limited to the system and
// program folders when restrictedSearch is set, by the plain loader otherwise.
HMODULE LoadSusiePlugin(const std::wstring& pluginPath, bool restrictedSearch);

// Asks an archive plug-in whether it handles the archive: the plug-in's answer
// (non-zero: supported), or 0 when the plug-in cannot be loaded or lacks
// "IsSupported". pluginPath may start with "%d"/"%p" (expanded with
// programPath). A missing archive gives the "File is not exist" message and 0.
// faulted (when given) tells whether the plug-in faulted while asked.
int FileIsSupportedArchive(const std::wstring& pluginPath, const std::wstring& archivePath, bool restrictedSearch,
                           const std::wstring& programPath, HWND owner = nullptr, bool* faulted = nullptr);

// Lists an archive through "GetArchiveInfo" (pluginPath already expanded).
// Returns the plug-in's result (0 is success). When the plug-in cannot be
// loaded or lacks the entry point: kSusieNotImplemented (-1), and both lists
// are left unchanged.
// Otherwise dirFile becomes the root line followed by one entry line per
// record with a method text, in the plug-in's order, and pathList the stored
// paths of those records; the plug-in's block is freed.
int FileGetArchiveFileInfoCore(const std::wstring& pluginPath, const std::wstring& archivePath, bool restrictedSearch,
                               std::vector<std::wstring>& dirFile, std::vector<std::wstring>& pathList);

// Takes one entry out to a folder through "GetFile" (flag 0). pluginPath may
// start with "%d"/"%p" (expanded with programPath); a missing target folder
// is created first. Returns the plug-in's result (0 is success);
// kSusieNotImplemented when the plug-in cannot be loaded or lacks "GetFile"
// (nothing was extracted, so it is no success); kSusieCallFaulted when the
// plug-in faulted.
int FileGetArchiveFileCore(const std::wstring& pluginPath, const std::wstring& archivePath,
                           const std::wstring& dstFolder, long long position, bool restrictedSearch,
                           const std::wstring& programPath);

// Takes one entry out to memory through "GetFile" (flag 0x0700) and writes
// its first fileSize bytes (at most as many as the block holds) to dstFolder
// + fileName, creating the folder and replacing the file. Results as above;
// a plug-in that answers 0 without a block gives kSusieNoBlock. The block is
// freed only after a successful call: after a failure the handle variable
// holds nothing the plug-in promised to be ours.
constexpr int kSusieNoBlock = -3;
constexpr int kSusieWriteFailed = -4;
int FileGetArchiveMemoryCore(const std::wstring& pluginPath, const std::wstring& archivePath,
                             const std::wstring& dstFolder, long long position, long long fileSize,
                             const std::wstring& fileName, bool restrictedSearch);

// The message for a plug-in that faulted inside a call, naming it.
void ReportSusieFault(HWND owner, const std::wstring& pluginPath);

}  // namespace quib
