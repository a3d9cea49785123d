// The main window's extraction: the extract command with its dialog and
// messages, the one call into the archiver DLLs for every extraction (run
// while the window keeps answering), and the temporary folder's entries.
#include "app/FormMain.h"
#include "settings/SettingKeys.h"

#include <exception>
#include <thread>

#include "app/Application.h"
#include "app/MainMenuTable.h"
#include "extract/ExtractCommand.h"
#include "extract/ExtractPaths.h"
#include "extract/ExtractSelect.h"
#include "extract/ExtractTemp.h"
#include "extract/FormExtract.h"
#include "util/Controls.h"
#include "util/Message.h"
#include "util/MyUtility.h"
#include "util/StrConv.h"

namespace quib {
namespace {

bool ExistsFolder(const std::wstring& p) {
    const DWORD a = GetFileAttributesW(p.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// The DLL call runs on a worker thread while this thread goes on handling
// the window's messages: the list repaints, the status bar says how long the
// extraction has run, and commands, drops and a close wait until it is done
// (the window is busy meanwhile). An exception of the call (a missing DLL)
// is raised here again, on the window's thread.
int RunResponsive(TFormMain& f, const std::function<int()>& call) {
    TFormBase::BusyScope busy(f);
    const std::wstring savedStatus = f.StatusText(1);
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!done) return call();
    int result = 0;
    std::exception_ptr error;
    std::thread worker([&] {
        try {
            result = call();
        } catch (...) {
            error = std::current_exception();
        }
        SetEvent(done);
    });
    const ULONGLONG start = GetTickCount64();
    ULONGLONG shown = 0;
    for (;;) {
        const DWORD w = MsgWaitForMultipleObjects(1, &done, FALSE, 100, QS_ALLINPUT);
        if (w == WAIT_OBJECT_0) break;
        const ULONGLONG now = GetTickCount64();
        if (now - start >= 300 && now - shown >= 500) {
            shown = now;
            const std::wstring seconds = std::to_wstring((now - start) / 1000);
            f.SetStatusText(1, f.BoolJapanese ? L"解凍中... " + seconds + L" 秒" : L"Extracting... " + seconds + L" s");
        }
        Application().ProcessMessages();
    }
    worker.join();
    CloseHandle(done);
    f.SetStatusText(1, savedStatus);
    if (error) std::rethrow_exception(error);
    return result;
}

void SetDllFolderForExtract(const TFormMain& f) {
    if (f.BoolReadDllSystem32andApplication) {
        SetDllFolder(L"");
    } else {
        SetDllFolder(f.StrExePath + L"\\");
    }
}

}  // namespace

std::wstring TFormMain::ResponseFilePath() const { return StrExtractBase + kResponseFileName; }

bool TFormMain::ArchiveUnpack(const std::wstring& archiveFileName, const std::wstring& filePath,
                              const std::wstring& fileName, bool temporary, bool withPath, HWND formHwnd) {
    UnpackRequest request;
    request.archivePath = archiveFileName;
    request.destination = filePath;
    request.listArgument = fileName;
    request.mode = temporary ? UnpackMode::Temporary : withPath ? UnpackMode::WithPath : UnpackMode::WithoutPath;
    request.owner = formHwnd;
    request.sfxType = StrRetFormSelectSfxArchive;
    request.password = StrArchivePasswordExtract;
    return quib::ArchiveUnpack(Ini(), Arc, request, [this](const std::function<int()>& call) {
        return RunResponsive(*this, call);
    });
}

void TFormMain::MenuUnpackClick() {
    if (!ModeListsEntries(ListingModeNow) || RowCount() == 0 || SelectedRow() < 0) return;
    // Archives listed by a Susie plug-in are taken out entry by entry through
    // it, always with their stored folders.
    const bool susie = ListingModeNow == ListingMode::Susie;
    // 2. The filers whose folders the dialog offers.
    WindowFindFlags flags;
    flags.BoolFindQuibFM = flags.BoolFindHalvFM2008 = flags.BoolFindPellFM = flags.BoolFindPellFMmini = true;
    flags.BoolFindQuibFMarchive = false;
    StringList names, handles;
    FindWindowsByCaption(flags, names, handles);
    OrderFilerWindows(names, handles, std::to_wstring(reinterpret_cast<UINT_PTR>(handle_)), StrListWindowName,
                      StrListWindowHwnd);

    // 3. The entries.
    SelectionRefusal refusal = SelectionRefusal::None;
    const std::vector<SelectedEntry> selection =
        ExtractSelection(Rows(), StrListArchiveDirFile, SelectedRow(), TextForm(), StrFilerCurrent, refusal);
    if (refusal == SelectionRefusal::RootFocused) {
        ShowMsgJE(handle_, L"Information : このフォルダは指定できません", L"Information : This folder can not accept.\r\n[OK]");
        return;
    }
    if (refusal != SelectionRefusal::None) return;
    StringList paths = DllPaths(selection);
    // Entries whose stored path would land outside the destination are left
    // out, and the user is told which.
    const StringList outside = UncontainedPaths(paths);
    if (!outside.empty()) {
        std::wstring list;
        for (const auto& p : outside) list += L"\r\n" + p;
        ShowMsgJE(handle_, L"Information : 解凍先の外を指すパスは解凍しません" + list,
                  L"Information : Stored paths that point outside the destination are not extracted.\r\n[OK]" + list);
        StringList kept;
        for (const auto& p : paths)
            if (StoredPathContained(p)) kept.push_back(p);
        paths = std::move(kept);
    }

    // 4. DLL folder and response file.
    if (!susie) SetDllFolderForExtract(*this);
    // The plug-in reads no response file: it only shows the dialog the entries.
    const StringList lines = susie ? paths : ResponseFileLines(StrLoadFileName, paths);
    if (lines.empty()) {
        ShowMsgJE(handle_, L"Information : 解凍するファイルがありません", L"Information : Target extract file is empty.\r\n[OK]");
        return;
    }
    if (!ForceDirectories(StrExtractBase)) {
        ShowMsgJE(handle_, L"Error : フォルダが作成できませんでした\r\n" + StrExtractBase,
                  L"Error : Folder can not make.\r\n[OK]\r\n" + StrExtractBase, MsgButtons::Ok, MsgStyle::Error);
        return;
    }
    if (!WriteResponseFile(ResponseFilePath(), lines)) {
        ShowMsgJE(handle_, L"Information : 解凍できませんでした", L"Information : Can not extract.\r\n[OK]");
        return;
    }

    // 5. The dialog.
    StrRetFormExtract.clear();
    StrListExtractFile = {StrLoadFileName};
    ExtractDialogInput input{StrLoadFileName, lines, StrListWindowName, susie, &FolderPickers()};
    StrRetFormExtract = ShowModalForm<TFormExtract>(std::move(input));
    Application().ProcessMessages();
    SetFocus(ListView1());
    if (StrRetFormExtract.empty()) return;
    if (StrRetFormExtract.back() != L'\\') StrRetFormExtract.push_back(L'\\');

    // 6, 7. The destination.
    const IniFile ini = Ini();
    const bool withPath = ReadKeyBool(ini, key::ExtractWithPath);
    const bool makeFolder = ReadKeyBool(ini, key::ExtractMakeFolder);
    const bool doubleDisabled = ReadKeyBool(ini, key::ExtractDouleDisabled);
    const bool moveFolder = ReadKeyBool(ini, key::ExtractMoveExtractFolder);
    StringList stored;
    stored.reserve(StrListArchiveDirFile.size());
    for (size_t i = 0; i < StrListArchiveDirFile.size(); ++i)
        stored.push_back(StrListArchiveDirFile.Store().Field(StrListArchiveDirFile.Entry(i), 9));
    const std::wstring destination =
        ExtractDestination(StrRetFormExtract, StrLoadFileName, makeFolder, doubleDisabled, AnalyseTopLevel(stored));
    if (!ExistsFolder(destination) && !ForceDirectories(destination)) {
        ShowMsgJE(handle_, L"Error : フォルダが作成できませんでした\r\n" + destination,
                  L"Error : Folder can not make.\r\n[OK]\r\n" + destination, MsgButtons::Ok, MsgStyle::Error);
        SetFocus(ListView1());
        return;
    }

    // 8, 9. Extraction and what the user is told.
    const bool ok = susie ? SusieExtractItems(SusieItemsOf(paths), destination, handle_)
                          : ArchiveUnpack(StrLoadFileName, destination, L"@" + ResponseFilePath(), false, withPath,
                                          handle_);
    if (ok && moveFolder) {
        SetClipboardText(handle_, destination);
        ShowMsgJE(handle_,
                  L"Information : 解凍が完了しました\r\n" + destination + L"\r\n" +
                      L"quibFMでカレントフォルダの変更(H キー)を操作して、Ctrl+V で貼り付けを実行後に、「変更」を操作してください",
                  L"Information : Extract had done.\r\n" + destination + L"\r\n" +
                      L"Operate [Change Current] in quibFM, and operate [Ctrl+V], finally operate [Change]." + L"\r\n" +
                      L"[OK]");
        if (QuibHandle) SetForegroundWindow(QuibHandle);
    } else if (ok) {
        ShowMsgJE(handle_, L"Information : 解凍が完了しました\r\n" + destination,
                  L"Information : Extract had done.\r\n" + destination + L"\r\n" + L"[OK]");
    } else {
        ShowMsgJE(handle_, L"Information : 解凍できませんでした", L"Information : Can not extract.\r\n[OK]");
    }
    SetFocus(ListView1());
}

FolderPickerHost& TFormMain::FolderPickers() {
    FolderPickerHost& h = PickerHost;
    h.driveTable = &StrListDriveInfo;
    h.filerCaptions = StrListWindowName;
    h.loadFileName = StrLoadFileName;
    h.listBack = ColorListNow;
    h.listText = ColorListFontNow;
    h.listFontName = StrListViewFontName;
    h.listFontSize = IntListViewFontSize;
    h.infoBack = ColorPanelNow;
    h.infoText = ColorPanelFontNow;
    h.infoFontName = StrInfoFontName;
    h.infoFontSize = IntInfoFontSize;
    const bool filer = MenuChecked(tag::MenuSameAsQuibFM);
    h.rowColors = filer ? std::array<COLORREF, 8>{FilerColorSystem, FilerColorHidden, FilerColorRonly, FilerColorDir,
                                                  FilerColorNormal, FilerColorNormal, FilerColorNormal, FilerColorNormal}
                        : std::array<COLORREF, 8>{ColorFSystem,     ColorFHidden,      ColorFReadOnly,
                                                  ColorFDirectory,  ColorFNormalFile,  ColorFExecuteFile,
                                                  ColorFArchiveFile, ColorFImageFile};
    h.exeExt = StrListExeExt;
    h.arcExt = StrListArcExt;
    h.wicExt = StrListWicExt;
    h.fileSizeFull = BoolFileSizeFull;
    h.fileSize1024 = BoolFileSize1024;
    h.sizeAlignmentRight = BoolSizeAlignmentRight;
    h.windows7Later = BoolWindows7Later;
    h.vclStyle = IntVclStyle;
    h.filerSortExplorer = BoolFilerSortExplorer;
    h.mainColumnWidths.clear();
    for (int c = 0; c < 7; ++c) h.mainColumnWidths.push_back(list_.ColumnWidth(c));
    return h;
}

}  // namespace quib
