#pragma once
// What the image viewer takes from the window that opens it beyond the
// entry list and extraction every stepping viewer takes: its decoders'
// extension lists and the external Exif program.
#include <string>
#include <vector>

#include "viewers/ViewerHost.h"

namespace quib {

class ImageViewerHost : public ArchiveStepHost {
public:
    // 0 = WIC, 1 = GDI+, 2 = Susie.
    virtual int DecoderIndex() const = 0;
    // The extensions (with their dots) of a decoder.
    virtual std::vector<std::wstring> DecoderExtensions(int decoder) const = 0;
    // Starts the external Exif program (program path already expanded).
    virtual bool StartProgram(const std::wstring& program, const std::wstring& options) = 0;
};

}  // namespace quib
