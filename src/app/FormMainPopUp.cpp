// The main window's side of the pop-up extraction window: what the window
// reads of the open archive and how its extractions reach the DLLs and the
// Susie plug-in.
#include "app/FormMain.h"

#include "app/MainMenuTable.h"
#include "extract/FormPopUp.h"

namespace quib {
namespace {

class MainPopUpHost final : public PopUpHost {
public:
    explicit MainPopUpHost(TFormMain& f) : f_(f) {}
    Listing ListingMode() const override {
        if (f_.ListingModeNow == quib::ListingMode::Susie) return Listing::Susie;
        if (f_.ListingModeNow == quib::ListingMode::Sfx) return Listing::Sfx;
        return Listing::Normal;
    }
    std::wstring ArchivePath() const override { return f_.StrLoadFileName; }
    std::vector<std::wstring> EntryLines() const override { return f_.StrListArchiveDirFile.ToVector(); }
    std::vector<std::wstring> FileRowPaths(size_t& rowCount) const override {
        const EntryRows& rows = f_.Rows();
        rowCount = rows.size();
        std::vector<std::wstring> out;
        for (size_t r = 0; r < rows.size(); ++r)
            if (!rows.Folder(r) && !rows.Root(r) && !rows.Parent(r)) out.push_back(f_.StrListItem[9][r]);
        return out;
    }
    std::wstring ExtractBase() const override { return f_.StrExtractBase; }
    std::wstring ResponseFilePath() const override { return f_.ResponseFilePath(); }
    bool Unpack(const std::wstring& destination, const std::wstring& listArgument, bool withPath,
                HWND owner) override {
        return f_.ArchiveUnpack(f_.StrLoadFileName, destination, listArgument, false, withPath, owner);
    }
    bool SusieExtract(const std::vector<std::wstring>& items, const std::wstring& destination, HWND owner) override {
        return f_.SusieExtractItems(items, destination, owner);
    }
    HWND FilerWindow() const override { return f_.QuibHandle; }
    FolderPickerHost* Pickers() override { return &f_.FolderPickers(); }
    void CloseProgram() override { f_.Close(); }

private:
    TFormMain& f_;
};

bool FileThere(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

void TFormMain::MenuShowPopupClick() {
    if (!ModeListsEntries(ListingModeNow) || !FileThere(StrLoadFileName)) return;
    MainPopUpHost host(*this);
    {
        FormInstance<TFormPopUp> popUp(host);
        popUp.ShowModal();
    }
    SetFocus(ListView1());
}

}  // namespace quib
