#pragma once
// Calls into Susie image plug-ins: whether one decodes a picture, and the
// decoding itself. Each call loads the plug-in with the search limited to the
// system and program folders, calls one entry point and frees it again.
#include <windows.h>

#include <string>
#include <vector>

namespace quib {

constexpr int kSusieFileMissing = -9999;

// Entry point of a picture plug-in: file input (flag 0), two LocalAlloc
// handles returned, the header block and the bits block.
using SusieGetPictureFn = int(WINAPI*)(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* pHBInfo, HLOCAL* pHBm,
                                       FARPROC progress, LONG_PTR lData);

// The plug-in's answer (non-zero: it decodes the file), 0 when it cannot be
// loaded or lacks "IsSupported", kSusieFileMissing when the picture is not there.
int FileIsSupportedPicture(const std::wstring& spiFileName, const std::wstring& imgFileName);

// The picture decoded by the plug-in, as the two blocks it returned.
struct SusieDib {
    std::vector<unsigned char> info;  // BITMAPINFOHEADER and colour table
    std::vector<unsigned char> bits;
};

// 0 when the plug-in decoded the picture into dib; the plug-in's error code
// otherwise, and -1 when the plug-in cannot be loaded or lacks "GetPicture"
// (no picture was made, so that is no success). Only the blocks of a
// successful call are read and freed: a failed call may leave anything in
// the handle variables.
int FileGetPicture(const std::wstring& spiFileName, const std::wstring& imgFileName, SusieDib& dib);

}  // namespace quib
