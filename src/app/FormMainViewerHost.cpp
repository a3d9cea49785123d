#include "app/FormMainViewerHost.h"

#include "extract/ExtractCommand.h"
#include "extract/ExtractPaths.h"
#include "extract/ExtractTemp.h"
#include "util/Message.h"

namespace quib {
namespace {

bool ExistsFile(const std::wstring& p) {
    const DWORD a = GetFileAttributesW(p.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

void Say(const TFormMain& f, HWND viewer, const std::wstring& ja, const std::wstring& en) {
    ShowMsg(viewer, f.BoolJapanese ? ja : en);
}

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

std::wstring MainStoredPath(const TFormMain& f, int row) {
    if (row < 0 || row >= f.RowCount()) return {};
    const SelectedEntry e = RowEntry(f.Rows(), f.StrListArchiveDirFile, static_cast<size_t>(row));
    return e.folder ? std::wstring() : e.shownPath;
}

bool MainMarkableRow(const TFormMain& f, int row) {
    if (row < 0 || row >= f.RowCount()) return false;
    const auto r = static_cast<size_t>(row);
    return !f.Rows().Root(r) && !f.Rows().Parent(r) && !f.Rows().Folder(r);
}

void MainSetRowMarked(TFormMain& f, int row, bool marked) {
    f.SetRowMark(row, marked ? L"●" : L"\u3000");
    f.InformationFileUpdate();
}

std::wstring MainFetchRow(TFormMain& f, int row, HWND viewer) {
    if (row < 0 || row >= f.RowCount()) return {};
    const SelectedEntry entry = RowEntry(f.Rows(), f.StrListArchiveDirFile, static_cast<size_t>(row));
    if (!ForceDirectories(f.StrExtractBase)) {
        Say(f, viewer, L"Error : フォルダが作成できませんでした\r\n" + f.StrExtractBase,
            L"Error : Folder can not make.\r\n[OK]\r\n" + f.StrExtractBase);
        return {};
    }
    // The stored path decides where the entry lands: one that climbs out of
    // the temporary folder is never written.
    if (!StoredPathContained(entry.dllPath)) {
        Say(f, viewer, L"Error : 一時フォルダの外を指すパスは扱えません\r\n" + entry.shownPath,
            L"Error : This stored path points outside the temporary folder.\r\n[OK]\r\n" + entry.shownPath);
        return {};
    }
    if (f.ListingModeNow == ListingMode::Susie) {
        const std::wstring got = f.SusieTempFile(entry.dllPath, viewer);
        if (!got.empty()) f.StrExtractFolderFileName = got;
        return got;
    }
    std::wstring file = TempFileOf(f.StrExtractBase, entry);
    if (!ExistsFile(file)) {
        WriteResponseFile(f.ResponseFilePath(), ResponseFileLines(f.StrLoadFileName, {entry.dllPath}));
        if (!f.ArchiveUnpack(f.StrLoadFileName, f.StrExtractBase, L"@" + f.ResponseFilePath(), true, true, viewer) ||
            !ExistsFile(file = TempFileOf(f.StrExtractBase, entry))) {
            Say(f, viewer, L"Information : 解凍できませんでした", L"Information : Can not extract.\r\n[OK]");
            return {};
        }
    }
    f.StrExtractFolderFileName = file;
    return file;
}

}  // namespace quib
