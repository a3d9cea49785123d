// The main window's viewing and launching: entries brought into the
// temporary folder, the six direct viewer commands, launching by extension
// with its association table and chooser, and the program starts.
#include "app/FormMain.h"
#include "settings/FormArchiveList.h"

#include <shellapi.h>

#include "app/Application.h"
#include "app/FormMainImage.h"
#include "app/FormMainPlayer.h"
#include "app/MainMenuTable.h"
#include "extract/ExtractCommand.h"
#include "extract/ExtractPaths.h"
#include "extract/ExtractSelect.h"
#include "extract/ExtractTemp.h"
#include "launch/Associations.h"
#include "launch/FormExecute.h"
#include "launch/FormLauncher.h"
#include "util/Message.h"
#include "util/MyUtility.h"
#include "util/PathPrefix.h"
#include "util/StrConv.h"
#include "viewers/ViewerStart.h"
#include "viewers/text/FormText.h"

namespace quib {
namespace {

bool ExistsFile(const std::wstring& p) {
    const DWORD a = GetFileAttributesW(p.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

void LetMessagesRun() {
    for (int i = 0; i < 10; ++i) Application().HandleOneMessage();
}

}  // namespace

// The built-in viewers, each on the file extracted for it.
static void ShowBuiltInViewer(const std::wstring& token, const std::wstring& file) {
    if (token == L"@TextViewer") {
        ShowTextViewer(file);
        return;
    }
    if (ImageViewerToken(token)) {
        if (TFormMain* f = FormMain()) OpenImageViewer(*f);
        return;
    }
    if (token == L"@MovieMusicViwer") {
        if (TFormMain* f = FormMain()) OpenPlayer(*f);
        return;
    }
    if (token == L"@ArchiveViwer") {
        ArchiveListInput input;
        input.archivePath = file;
        if (const TFormMain* f = FormMain()) {
            input.back = f->ColorListNow;
            input.text = f->ColorListFontNow;
            input.fontName = f->StrListViewFontName;
            input.fontSize = f->IntListViewFontSize;
        }
        ShowModalForm<TFormArchiveList>(std::move(input));
        return;
    }
}

// ---------------------------------------------------------------- program starts

bool TFormMain::ExecuteProgram(const std::wstring& programLine, const std::wstring& option, const std::wstring& file) {
    const auto start = PrepareExecuteProgram(programLine, option, file, ProgramPath(), handle_);
    return start && StartProgram(*start, handle_);
}

bool TFormMain::ExecuteProgramEx3(const std::wstring& program, const std::wstring& option, const std::wstring& file) {
    std::wstring missing;
    const auto start = PrepareExecuteProgramEx3(program, option, file, ProgramPath(), &missing);
    if (!start) {
        ShowMsgJE(handle_, L"Information : アップリケーションファイルがありません\r\n" + missing,
                  L"Information : Application file is not exist.\r\n[OK]\r\n" + missing);
        return false;
    }
    return StartProgram(*start, handle_);
}

// Nothing is started without a focused row, and then nothing was done: the
// result says so.
bool TFormMain::ExecuteRerated(const std::wstring& file, const std::wstring& option, const std::wstring& folder) {
    if (RowCount() == 0 || SelectedRow() < 0) return false;
    ProgramStart start;
    start.program = file;
    start.parameters = option;
    start.folder = folder;
    start.openFile = true;
    return StartProgram(start, handle_);
}

// ---------------------------------------------------------------- direct viewer commands

namespace {

enum class DirectViewer { Text, ImageWic, ImageGdi, ImageSusie, Archive, Player };

// Steps 1 to 5 of a direct viewer command: the one entry, brought into the
// temporary folder (extracted only when its file is not there yet). Empty
// when refused or failed (the user was told).
std::wstring BringOneEntry(TFormMain& f) {
    const EntryRows& rows = f.Rows();
    const int focused = f.SelectedRow();
    if (focused < 0 || focused >= f.RowCount()) return {};
    std::vector<SelectedEntry> selection;
    for (size_t r : MarkedRows(rows)) {
        if (rows.Folder(r)) {
            ShowMsgJE(f.Handle(), L"Information : フォルダが含まてれいるので起動できません",
                      L"Information : Can not execute, because of some folders are marked.\r\n[OK]");
            return {};
        }
        selection.push_back(RowEntry(rows, f.StrListArchiveDirFile, r));
    }
    if (selection.empty()) {
        const auto r = static_cast<size_t>(focused);
        if (rows.Folder(r) || rows.Root(r) || rows.Parent(r)) {
            ShowMsgJE(f.Handle(), L"Information : このフォルダは指定できません",
                      L"Information : This folder can not accept.\r\n[OK]");
            return {};
        }
        selection.push_back(RowEntry(rows, f.StrListArchiveDirFile, r));
    }
    if (selection.size() >= 2) {
        ShowMsgJE(f.Handle(), L"Information : 複数ファイルは指定できません",
                  L"Information : Can not execute, because of some files are marked.\r\n[OK]");
        return {};
    }
    const SelectedEntry& entry = selection.front();
    if (!StoredPathContained(entry.dllPath)) {
        ShowMsgJE(f.Handle(), L"Error : 一時フォルダの外を指すパスは扱えません\r\n" + entry.shownPath,
                  L"Error : This stored path points outside the temporary folder.\r\n[OK]\r\n" + entry.shownPath,
                  MsgButtons::Ok, MsgStyle::Error);
        return {};
    }
    if (!ForceDirectories(f.StrExtractBase)) {
        ShowMsgJE(f.Handle(), L"Error : フォルダが作成できませんでした\r\n" + f.StrExtractBase,
                  L"Error : Folder can not make.\r\n[OK]\r\n" + f.StrExtractBase, MsgButtons::Ok, MsgStyle::Error);
        return {};
    }
    if (f.ListingModeNow == ListingMode::Susie) {
        const std::wstring got = f.SusieTempFile(entry.dllPath, f.Handle());
        if (!got.empty()) LetMessagesRun();
        return got;
    }
    std::wstring target = TempFileOf(f.StrExtractBase, entry);
    if (!ExistsFile(target)) {
        WriteResponseFile(f.ResponseFilePath(), ResponseFileLines(f.StrLoadFileName, {entry.dllPath}));
        if (!f.ArchiveUnpack(f.StrLoadFileName, f.StrExtractBase, L"@" + f.ResponseFilePath(), true, true,
                             f.Handle())) {
            ShowMsgJE(f.Handle(), L"Information : 解凍できませんでした", L"Information : Can not extract.\r\n[OK]");
            return {};
        }
        target = TempFileOf(f.StrExtractBase, entry);
    }
    LetMessagesRun();
    return target;
}

void RunDirectViewer(TFormMain& f, DirectViewer which) {
    // The player moves between entries through the archiver DLL only.
    if (f.ListingModeNow == ListingMode::Susie && which == DirectViewer::Player) return;
    if (which == DirectViewer::ImageSusie) f.GetSpiExt();
    if (!ModeListsEntries(f.ListingModeNow) || f.RowCount() == 0) return;
    const std::wstring file = BringOneEntry(f);
    if (file.empty()) return;
    const std::wstring ext = ExtractFileExt(file);
    const StringList* gate = nullptr;
    const wchar_t* token = L"";
    switch (which) {
        case DirectViewer::Text: gate = &f.StrListTxtExt, token = L"@TextViewer"; break;
        case DirectViewer::ImageWic: gate = &f.StrListWicExt, token = L"@ImageWicViewer"; break;
        case DirectViewer::ImageGdi: gate = &f.StrListGdiExt, token = L"@ImageGdiViewer"; break;
        case DirectViewer::ImageSusie: gate = &f.StrListSpiExt, token = L"@ImageSpiViewer"; break;
        case DirectViewer::Archive: gate = &f.StrListArcExt, token = L"@ArchiveViwer"; break;
        case DirectViewer::Player: gate = &f.StrListWmpExt, token = L"@MovieMusicViwer"; break;
    }
    if (GetExtType(file, *gate) < 0) {
        if (which == DirectViewer::Archive)
            ShowMsgJE(f.Handle(), L"Information : 圧縮ファイルではありません",
                      L"Information : File is not Archive File.\r\n[OK]");
        return;
    }
    f.StrExtractFolderFileName = file;
    if (which == DirectViewer::ImageWic) f.IntImageTypeIndex = 0;
    if (which == DirectViewer::ImageGdi) f.IntImageTypeIndex = 1;
    if (which == DirectViewer::ImageSusie) f.IntImageTypeIndex = 2;
    ShowBuiltInViewer(token, file);
}

}  // namespace

void TFormMain::MenuTextViewClick() { RunDirectViewer(*this, DirectViewer::Text); }
void TFormMain::MenuImageWicClick() { RunDirectViewer(*this, DirectViewer::ImageWic); }
void TFormMain::MenuImageGdiClick() { RunDirectViewer(*this, DirectViewer::ImageGdi); }
void TFormMain::MenuImageSusieClick() { RunDirectViewer(*this, DirectViewer::ImageSusie); }
void TFormMain::MenuArchiveViewerClick() { RunDirectViewer(*this, DirectViewer::Archive); }
void TFormMain::MenuMovieMusicPlayerClick() { RunDirectViewer(*this, DirectViewer::Player); }

// ---------------------------------------------------------------- software launcher

void TFormMain::MenuLauncherClick() {
    if (!ModeListsEntries(ListingModeNow) || RowCount() == 0 || SelectedRow() < 0) return;
    const std::wstring target = BringOneEntry(*this);
    if (target.empty()) return;
    StrRetFormLauncherName.clear();
    StrRetFormLauncherFile.clear();
    StrRetFormLauncherOption.clear();
    const LauncherChoice choice = ShowModalForm<TFormLauncher>(&FolderPickers());
    if (choice.name.empty()) return;
    StrRetFormLauncherName = choice.name;
    StrRetFormLauncherFile = choice.file;
    StrRetFormLauncherOption = choice.option;
    ExecuteProgramEx3(StrRetFormLauncherName, StrRetFormLauncherOption,
                      StrRetFormLauncherFile == L"1" ? target : std::wstring());
}

// ---------------------------------------------------------------- launching by extension

void TFormMain::ExecuteExtFile() {
    if (!ModeListsEntries(ListingModeNow)) return;
    const int focused = SelectedRow();
    if (focused < 0 || focused >= RowCount()) return;
    const EntryRows& rows = Rows();
    // 4. The selection: the marked files in list order, or the focused file.
    std::vector<SelectedEntry> selection;
    const std::vector<size_t> marked = MarkedRows(rows);
    for (size_t r : marked) {
        if (rows.Folder(r)) {
            ShowMsgJE(handle_, L"Information : フォルダが含まてれいるので起動できません",
                      L"Information : Can not execute, because of some folders are marked.\r\n[OK]");
            return;
        }
        selection.push_back(RowEntry(rows, StrListArchiveDirFile, r));
    }
    StrListBultInMarkFile = ShownPaths(selection);
    const SelectedEntry focusedEntry = RowEntry(rows, StrListArchiveDirFile, static_cast<size_t>(focused));
    if (selection.empty()) selection.push_back(focusedEntry);
    for (const auto& e : selection) {
        if (!StoredPathContained(e.dllPath)) {
            ShowMsgJE(handle_, L"Error : 一時フォルダの外を指すパスは扱えません\r\n" + e.shownPath,
                      L"Error : This stored path points outside the temporary folder.\r\n[OK]\r\n" + e.shownPath,
                      MsgButtons::Ok, MsgStyle::Error);
            return;
        }
    }

    // 5. Everything selected into the temporary folder, always afresh.
    if (!ForceDirectories(StrExtractBase)) {
        ShowMsgJE(handle_, L"Error : フォルダが作成できませんでした\r\n" + StrExtractBase,
                  L"Error : Folder can not make.\r\n[OK]\r\n" + StrExtractBase, MsgButtons::Ok, MsgStyle::Error);
        return;
    }
    if (ListingModeNow == ListingMode::Susie) {
        if (!SusieExtractItems(SusieItemsOf(DllPaths(selection)), StrExtractBase, handle_)) return;
    } else {
        SetDllFolder(BoolReadDllSystem32andApplication ? std::wstring() : StrExePath + L"\\");
        WriteResponseFile(ResponseFilePath(), ResponseFileLines(StrLoadFileName, DllPaths(selection)));
    }
    if (ListingModeNow != ListingMode::Susie &&
        !ArchiveUnpack(StrLoadFileName, StrExtractBase, L"@" + ResponseFilePath(), true, true, handle_)) {
        ShowMsgJE(handle_, L"Information : 解凍できませんでした", L"Information : Can not extract.\r\n[OK]");
        return;
    }
    LetMessagesRun();

    // 7, 8. The association.
    std::vector<Association> table =
        BoolQuibFMextNotUse ? AssociationsFromSettings(StrListFileExt, StrFileExe)
                            : AssociationsFromExtFile(ReadQuibFMExt(StrExePath, 101));
    // The enabled Susie picture plug-ins come last, read afresh from their
    // list file (the plug-in setup may have changed it meanwhile).
    if (ListingModeNow == ListingMode::Normal || ListingModeNow == ListingMode::Sfx) {
        StringList spiLines;
        GetSpiExt();
        GetSpiListExt(spiLines, BoolQuibFMextNotUse ? L"@ImageSpiViewer" : L"SPI");
        for (const auto& line : spiLines) table.push_back(ParseAssociationLine(line));
    }
    const std::vector<Association> candidates =
        AssociationCandidates(table, ExtractFileExt(std::wstring(rows.Name(static_cast<size_t>(focused)))));
    StrListExecute.clear();
    for (const auto& c : candidates) StrListExecute.push_back(AssociationLine(c));
    if (candidates.empty()) {
        ShowMsgJE(handle_, L"Information : 拡張子に対応したプログラムは設定されていません",
                  L"Information : A program can not find for this file extention.\r\n[OK]");
        return;
    }
    Association chosen = candidates.front();
    if (candidates.size() > 1) {
        const auto choice = ShowModalForm<TFormExecute>(candidates);
        SetFocus(ListView1());
        StrRetFormExecute = choice.line;
        StrRetFormExecuteMode = choice.mode;
        if (choice.line.empty()) return;
        chosen = ParseAssociationLine(choice.line);
    }

    // 9. Started by its kind.
    StringList files;
    for (const auto& e : selection) files.push_back(TempFileOf(StrExtractBase, e));
    const std::wstring first = files.front();
    const std::wstring& kind = chosen.kind;
    if (BuiltInKind(kind)) {
        if (selection.size() > 1 && rows.Mark(static_cast<size_t>(focused)) != RowMarkState::Marked) {
            ShowMsgJE(handle_, L"Information : 選択位置がマーク範囲外です",
                      L"Information : Selected index is not in the mark area.\r\n[OK]");
            return;
        }
        StrExtractFolderFileName = TempFileOf(StrExtractBase, focusedEntry);
        if (kind == L"@ImageWicViewer") IntImageTypeIndex = 0;
        if (kind == L"@ImageGdiViewer") IntImageTypeIndex = 1;
        if (kind == L"@ImageSpiViewer") IntImageTypeIndex = 2;
        ShowBuiltInViewer(kind, StrExtractFolderFileName);
        return;
    }
    if (kind == L"PLAYER" || kind == L"IMAGE" || kind == L"SPI") {
        const std::wstring folder = SiblingResponseFolder(StrExePath, kind);
        if (!ForceDirectories(folder)) {
            ShowMsgJE(handle_, L"Error : フォルダが作成できませんでした\r\n" + folder,
                      L"Error : Folder can not make.\r\n[OK]\r\n" + folder, MsgButtons::Ok, MsgStyle::Error);
            return;
        }
        RemoveStaleResponseFiles(folder);
        SYSTEMTIME now{};
        GetLocalTime(&now);
        const std::wstring path =
            folder + L"\\" +
            SiblingResponseFileName(handle_, now, [&folder](const std::wstring& n) {
                return GetFileAttributesW((folder + L"\\" + n).c_str()) != INVALID_FILE_ATTRIBUTES;
            });
        WriteResponseFile(path, SiblingResponseLines(files, false));
        const std::wstring line =
            kind == L"SPI" ? L"\"" + StrQuibFMimageFileName + L"\" hspi=%h" : chosen.program;
        ExecuteProgram(line, L"", path);
        return;
    }
    if (kind == L"SINGLE" && EqualsNoCase(chosen.program, L"explorer.exe")) {
        ExecuteRerated(first, L"", L"");
        return;
    }
    ExecuteProgram(chosen.program, L"", first);
}

}  // namespace quib
