#include "app/FormMainImage.h"

#include "app/Application.h"
#include "app/FormMain.h"
#include "viewers/image/FormImage.h"

namespace quib {
namespace {

class MainImageHost final : public MainStepHost<ImageViewerHost> {
public:
    using MainStepHost::MainStepHost;

    int DecoderIndex() const override { return f_.IntImageTypeIndex; }
    bool ListsArchive() const override {
        return f_.ListingModeNow == ListingMode::Normal || f_.ListingModeNow == ListingMode::Susie;
    }
    std::vector<std::wstring> DecoderExtensions(int decoder) const override {
        switch (decoder) {
            case 0: return f_.StrListWicExt;
            case 1: return f_.StrListGdiExt;
            default: return f_.StrListSpiExt;
        }
    }
    bool StartProgram(const std::wstring& program, const std::wstring& options) override {
        return f_.ExecuteProgramEx3(program, options, L"");
    }
};

}  // namespace

bool ImageViewerToken(const std::wstring& token) {
    return token == L"@ImageWicViewer" || token == L"@ImageGdiViewer" || token == L"@ImageSpiViewer";
}

void OpenImageViewer(TFormMain& f) {
    MainImageHost host(f);
    {
        FormInstance<TFormImage> viewer(host);
        viewer.ShowModal();
    }
    SetFocus(f.ListView1());
}

}  // namespace quib
