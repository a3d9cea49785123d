// The main window's password and delete commands. Deletion is the one
// operation that changes the user's archive: it runs only on the normal
// listing, after the user has seen the entries and confirmed, and the list
// is made again from the archive only when the DLL reports success.
#include "app/FormMain.h"

#include "app/Application.h"
#include "app/MainMenuTable.h"
#include "extract/ExtractCommand.h"
#include "extract/ExtractDelete.h"
#include "extract/ExtractSelect.h"
#include "extract/ExtractTemp.h"
#include "extract/FormDelete.h"
#include "extract/FormPassword.h"
#include "util/Message.h"
#include "util/MyUtility.h"

namespace quib {

void TFormMain::MenuPasswordClick() {
    if (ListingModeNow != ListingMode::Normal && ListingModeNow != ListingMode::Sfx) return;
    if (!ListVisible() || RowCount() == 0 || SelectedRow() < 0) return;
    StrArchivePasswordExtract = ShowModalForm<TFormPassword>();
    SetFocus(ListView1());
}

bool TFormMain::ArchiveDeleteFile(const std::wstring& archive, const std::wstring& listArgument) {
    if (BoolReadDllSystem32andApplication)
        SetDllFolder(L"");
    else
        SetDllFolder(StrExePath + L"\\");
    DeleteRequest request;
    request.archivePath = archive;
    request.listArgument = listArgument;
    request.password = StrArchivePasswordExtract;
    request.owner = handle_;
    return ArchiveDeleteFileCore(Ini(), Arc, StrListArcExt, request);
}

void TFormMain::MenuDeleteClick() {
    if (!MenuChecked(tag::MenuFileArchive) || ListingModeNow != ListingMode::Normal) return;
    if (RowCount() == 0 || SelectedRow() < 0) return;

    // The entries: the marked rows, else the focused one. A marked folder of
    // the filer display stands for every entry inside it, as for extraction,
    // so that a folder known only through its files goes as a whole.
    SelectionRefusal refusal = SelectionRefusal::None;
    const std::vector<SelectedEntry> selection =
        ExtractSelection(Rows(), StrListArchiveDirFile, SelectedRow(), TextForm(), StrFilerCurrent, refusal);
    if (refusal == SelectionRefusal::RootFocused) {
        ShowMsgJE(handle_, L"Information : このフォルダは指定できません", L"Information : This folder can not accept.\r\n[OK]");
        return;
    }
    // The parent row names no entry: there is nothing to delete.
    if (refusal != SelectionRefusal::None || selection.empty()) return;

    const StringList lines = ResponseFileLines(StrLoadFileName, DllPaths(selection));
    if (!ForceDirectories(StrExtractBase)) {
        ShowMsgJE(handle_, L"Error : フォルダが作成できませんでした\r\n" + StrExtractBase,
                  L"Error : Folder can not make.\r\n[OK]\r\n" + StrExtractBase, MsgButtons::Ok, MsgStyle::Error);
        return;
    }
    // A response file that could not be written would leave the DLL an old
    // list: nothing is deleted then.
    if (!WriteResponseFile(ResponseFilePath(), lines)) {
        ShowMsgJE(handle_, L"Error : 削除できませんでした", L"Error : Delete failed.\r\n[OK]", MsgButtons::Ok,
                  MsgStyle::Error);
        return;
    }

    const int answer = ShowModalForm<TFormDelete>(DeleteDialogInput{StrLoadFileName, lines});
    Application().ProcessMessages();
    SetFocus(ListView1());
    if (answer != mrOK) return;

    if (!DeleteExtensionAccepted(StrLoadFileName)) {
        const std::wstring ext = ExtractFileExt(StrLoadFileName);
        ShowMsgJE(handle_, L"Information : この拡張子の圧縮ファイルは、ファイル内のファイルの削除できません\r\n" + ext,
                  L"Information : This extention can not delete the file in archive file.\r\n[OK]\r\n" + ext);
        return;
    }
    if (ArchiveDeleteFile(StrLoadFileName, L"@" + ResponseFilePath())) {
        ShowMsgJE(handle_, L"Information : 削除が完了しました", L"Information : Delete had done.\r\n[OK]");
        ListArchive(StrLoadFileName);
        SetItemNewListArchive();
    } else {
        ShowMsgJE(handle_, L"Error : 削除できませんでした", L"Error : Delete failed.\r\n[OK]", MsgButtons::Ok,
                  MsgStyle::Error);
    }
    SetFocus(ListView1());
}

}  // namespace quib
