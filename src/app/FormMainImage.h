#pragma once
// The image viewer opened from the main window: the main window's list,
// extension lists and extraction given to the viewer.
#include <string>

#include "extract/ExtractSelect.h"

namespace quib {

class TFormMain;

// The file an entry becomes in the temporary folder.
std::wstring TempFileOf(const std::wstring& base, const SelectedEntry& e);

// Shows the image viewer modally on StrExtractFolderFileName with the
// decoder IntImageTypeIndex.
void OpenImageViewer(TFormMain& f);

// The tokens of the built-in image viewer.
bool ImageViewerToken(const std::wstring& token);

}  // namespace quib
