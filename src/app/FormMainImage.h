#pragma once
// The image viewer opened from the main window: the main window's list,
// extension lists and extraction given to the viewer.
#include <string>

#include "app/FormMainViewerHost.h"

namespace quib {

class TFormMain;

// Shows the image viewer modally on StrExtractFolderFileName with the
// decoder IntImageTypeIndex.
void OpenImageViewer(TFormMain& f);

// The tokens of the built-in image viewer.
bool ImageViewerToken(const std::wstring& token);

}  // namespace quib
