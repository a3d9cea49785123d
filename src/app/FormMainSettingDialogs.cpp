// The main window's settings dialogs: after OK the main window takes the
// new settings at once.
#include "app/FormMain.h"
#include "settings/FormArchiveSetting.h"
#include "settings/FormSetting.h"
#include "keymap/KeyMapRegistry.h"

namespace quib {
namespace {

bool ExistsFile(const std::wstring& p) {
    const DWORD a = GetFileAttributesW(p.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

void TFormMain::MenuParameterSettingClick() {
    SettingContext context;
    context.StrSettingType = L"FormMain";
    context.startProgram = [this](const std::wstring& program) { ExecuteProgramEx3(program, L"", L""); };
    context.pickers = &FolderPickers();
    context.noteExtractIndex = [this](int index) { IntExtractIndex = index; };
    if (ShowModalForm<TFormSetting>(std::move(context)) != mrOK) return;
    ReadIniValueSetting();
    MenuListViewWidthInitClick();
    // The list is made again from the archive so the new colours, sizes and
    // lists apply to every row.
    if (ListVisible() && ExistsFile(StrLoadFileName)) {
        if (ListingModeNow == ListingMode::Normal) ListArchive(StrLoadFileName);
        if (ListingModeNow == ListingMode::Sfx) ListSfxAgain(StrLoadFileName);
        if (ListingModeNow == ListingMode::Susie) ListSusie(StrLoadFileName);
        if (ModeListsEntries(ListingModeNow)) SetItemNewListArchive();
        InvalidateRect(handle_, nullptr, TRUE);
    }
    if (memo1_ && IsWindowVisible(memo1_)) InvalidateRect(memo1_, nullptr, TRUE);
}

void TFormMain::MenuArchiveSettingClick() {
    // The new command texts and choices apply from the next archive operation.
    if (ShowModalForm<TFormArchiveSetting>() == mrOK) ReadArchiveSetting();
}


void TFormMain::MenuKeyBoadClick() {
    if (ShowKeyBoardFor(KeyMapWindow::Main) == mrOK) SetShortCutKey();
}

}  // namespace quib
