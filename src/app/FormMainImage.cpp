#include "app/FormMainImage.h"

#include "app/Application.h"
#include "app/FormMain.h"
#include "extract/ExtractCommand.h"
#include "extract/ExtractPaths.h"
#include "extract/ExtractTemp.h"
#include "util/Message.h"
#include "viewers/ViewerStart.h"
#include "viewers/image/FormImage.h"

namespace quib {
namespace {

bool ExistsFile(const std::wstring& p) {
    const DWORD a = GetFileAttributesW(p.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

class MainImageHost final : public ImageViewerHost {
public:
    explicit MainImageHost(TFormMain& f) : f_(f) {}

    std::wstring FirstFile() const override { return f_.StrExtractFolderFileName; }
    int DecoderIndex() const override { return f_.IntImageTypeIndex; }
    bool Japanese() const override { return f_.BoolJapanese; }
    bool Developer() const override { return f_.BoolDeveloper; }
    bool ListsArchive() const override {
        return f_.ListingModeNow == ListingMode::Normal || f_.ListingModeNow == ListingMode::Susie;
    }
    int RowCount() const override { return f_.RowCount(); }
    int CurrentRow() const override { return f_.SelectedRow(); }
    void SelectRow(int row) override { f_.SelectRow(row, true); }
    std::wstring StoredPath(int row) const override {
        if (row < 0 || row >= f_.RowCount()) return {};
        const SelectedEntry e = RowEntry(f_.Rows(), f_.StrListArchiveDirFile, static_cast<size_t>(row));
        return e.folder ? std::wstring() : e.shownPath;
    }
    bool MarkableRow(int row) const override {
        if (row < 0 || row >= f_.RowCount()) return false;
        const auto r = static_cast<size_t>(row);
        return !f_.Rows().Root(r) && !f_.Rows().Parent(r) && !f_.Rows().Folder(r);
    }
    bool RowMarked(int row) const override { return f_.RowMark(row) == L"●"; }
    void SetRowMarked(int row, bool marked) override {
        f_.SetRowMark(row, marked ? L"●" : L"\u3000");
        f_.InformationFileUpdate();
    }
    std::vector<std::wstring> DecoderExtensions(int decoder) const override {
        switch (decoder) {
            case 0: return f_.StrListWicExt;
            case 1: return f_.StrListGdiExt;
            default: return f_.StrListSpiExt;
        }
    }
    std::vector<std::wstring> MarkedAtOpening() const override { return f_.StrListBultInMarkFile; }

    std::wstring FetchRow(int row, HWND viewer) override {
        if (row < 0 || row >= f_.RowCount()) return {};
        const SelectedEntry entry = RowEntry(f_.Rows(), f_.StrListArchiveDirFile, static_cast<size_t>(row));
        if (!ForceDirectories(f_.StrExtractBase)) {
            Say(viewer, L"Error : フォルダが作成できませんでした\r\n" + f_.StrExtractBase,
                L"Error : Folder can not make.\r\n[OK]\r\n" + f_.StrExtractBase);
            return {};
        }
        // The stored path decides where the entry lands: one that climbs out
        // of the temporary folder is never written.
        if (!StoredPathContained(entry.dllPath)) {
            Say(viewer, L"Error : 一時フォルダの外を指すパスは扱えません\r\n" + entry.shownPath,
                L"Error : This stored path points outside the temporary folder.\r\n[OK]\r\n" + entry.shownPath);
            return {};
        }
        if (f_.ListingModeNow == ListingMode::Susie) return {};  // Susie archives are not listed by this version
        std::wstring file = TempFileOf(f_.StrExtractBase, entry);
        if (!ExistsFile(file)) {
            WriteResponseFile(f_.ResponseFilePath(), ResponseFileLines(f_.StrLoadFileName, {entry.dllPath}));
            if (!f_.ArchiveUnpack(f_.StrLoadFileName, f_.StrExtractBase, L"@" + f_.ResponseFilePath(), true, true,
                                  viewer) ||
                !ExistsFile(file = TempFileOf(f_.StrExtractBase, entry))) {
                Say(viewer, L"Information : 解凍できませんでした", L"Information : Can not extract.\r\n[OK]");
                return {};
            }
        }
        f_.StrExtractFolderFileName = file;
        return file;
    }

    bool StartProgram(const std::wstring& program, const std::wstring& options) override {
        return f_.ExecuteProgramEx3(program, options, L"");
    }

private:
    void Say(HWND viewer, const std::wstring& ja, const std::wstring& en) {
        ShowMsg(viewer, f_.BoolJapanese ? ja : en);
    }
    TFormMain& f_;
};

}  // namespace

std::wstring TempFileOf(const std::wstring& base, const SelectedEntry& e) {
    // The DLL makes the file from the stored bytes (read in the ANSI code
    // page) or from the Unicode name it knows: the first of the two that
    // exists, else the first.
    const std::wstring byBytes = ContainedPath(base, e.dllPath).value_or(std::wstring());
    if (ExistsFile(byBytes) || e.shownPath == e.dllPath) return byBytes;
    if (const auto shown = ContainedPath(base, e.shownPath); shown && ExistsFile(*shown)) return *shown;
    return byBytes;
}

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
