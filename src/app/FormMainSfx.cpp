// The main window's self-extracting mode: the kind of the embedded archive
// told by probing (automatic) or chosen by the user (DLL-chosen listings),
// shown in status-bar panel 5 and used by every later operation on the file.
#include "app/FormMain.h"
#include "settings/SettingKeys.h"

#include "app/FormSelectDll.h"
#include "app/MainMenuTable.h"
#include "archive/SfxArchive.h"
#include "util/Controls.h"
#include "util/Message.h"
#include "util/StrConv.h"

namespace quib {
namespace {

bool ExistsFile(const std::wstring& p) {
    const DWORD a = GetFileAttributesW(p.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool AnySfxKindEnabled(const ArchiveSettings& s) {
    return s.BoolAutoCheckSfxLha || s.BoolAutoCheckSfxZip || s.BoolAutoCheckSfx7z || s.BoolAutoCheckSfxCab ||
           s.BoolAutoCheckSfxRar || s.BoolAutoCheckSfxGz || s.BoolAutoCheckSfxIso;
}

void ShowNotMatch(HWND owner) {
    ShowMsgJE(owner, L"Information : 自己解凍ファイルの該当がありません",
              L"Information : Target SFX file is not match.\r\n[OK]");
}

const int kSfxSubModes[4] = {tag::MenuFileSfxAuto, tag::MenuFileSfxList, tag::MenuFileSfxSimple,
                             tag::MenuFileSfxTest};

}  // namespace

StringList TFormMain::Memo4Lines() const { return SplitLines(GetText(memo4_)); }

bool TFormMain::ListSfx(const std::wstring& path) {
    BusyScope busy(*this);
    StrListArchiveDirFile.clear();
    if (GetExtType(path, StrListSfxExt) < 0) {
        ShowNotMatch(handle_);
        return false;
    }
    if (!AnySfxKindEnabled(Arc)) {
        ShowMsgJE(handle_, L"Information : 自己解凍ファイルが設定されていません\r\nアーカイブパラメータ設定で指定してください",
                  L"Information : SFX file is not set.\r\nSet SFX type in Archive Parameter\r\n[OK]");
        return false;
    }
    if (!GetSfxType(path)) {
        ShowNotMatch(handle_);
        return false;
    }
    if (!ArchiveListSfx(path)) {
        ShowMsgJE(handle_, L"Information : 自己解凍を検査しましたが、自己解凍ファイルではありません",
                  L"Information : Check SFX file, but this is not SFX file.\r\n[OK]");
        return false;
    }
    return true;
}

bool TFormMain::GetSfxType(const std::wstring& path) {
    StrRetFormSelectSfxArchive.clear();
    SetStatusText(5, L"");
    const SfxDetection found = DetectSfxKind(MakeListContext(*this), path);
    if (found.reportReplaced) {
        std::wstring text;
        for (size_t i = 0; i < found.report.size(); ++i) text += (i ? L"\r\n" : L"") + found.report[i];
        SetText(memo4_, text);
    }
    if (found.kind.empty()) return false;
    StrRetFormSelectSfxArchive = found.kind;
    SetStatusText(5, found.kind);
    return true;
}

namespace {
// The listing's result stays in the window also when a missing DLL ends it.
bool ListSfxInto(TFormMain& f, const std::wstring& path, const std::wstring& kind) {
    NormalListing out;
    f.StrListArchiveDirFile.clear();
    struct Keep {
        TFormMain& f;
        NormalListing& out;
        ~Keep() {
            f.StrListArchiveDirFile = std::move(out.lines);
            f.StrListPathFile = std::move(out.pathList);
        }
    } keep{f, out};
    ArchiveListContext ctx = MakeListContext(f);
    ctx.progress = ListingProgress(f);
    return ArchiveListSfxCore(ctx, path, f.StrListSfxExt, kind, out);
}
}  // namespace

bool TFormMain::ArchiveListSfx(const std::wstring& path) { return ListSfxInto(*this, path, StrRetFormSelectSfxArchive); }

bool TFormMain::ArchiveListSfxDllSelected(const std::wstring& path) {
    const int index = ReadKeyInt(Ini(), key::SfxSelectDllIndex);
    return ListSfxInto(*this, path, SfxKindOfIndex(index));
}

bool TFormMain::ArchiveListSimpleDllSelected(const std::wstring& path) {
    ArchiveListSfxReport(MakeListContext(*this), path, StatusText(5), ArchiveCommandKey::List, StrListSimpleResult);
    return true;
}

bool TFormMain::ArchiveListTestDllSelected(const std::wstring& path) {
    ArchiveListSfxReport(MakeListContext(*this), path, StatusText(5), ArchiveCommandKey::Test, StrListTestResult);
    return true;
}

// ---------------------------------------------------------------- sub-modes

bool TFormMain::ListSfxAgain(const std::wstring& path) {
    // A kind the user chose stays chosen: probing could find another.
    if (MenuChecked(tag::MenuFileSfxList)) return ArchiveListSfxDllSelected(path);
    return ListSfx(path);
}

void TFormMain::MenuFileSfxAutoClick() {
    ShowListOrMemo(true);
    SetModeCaptions(false);
    SetStatusText(5, L"");
    if (!ExistsFile(StrLoadFileName)) return;
    for (int t : kSfxSubModes) SetMenuChecked(t, t == tag::MenuFileSfxAuto);
    ListSfx(StrLoadFileName);
    SetItemNewListArchive();
}

namespace {
// The DLL selection dialog, preselected with the kind in panel 5; on OK the
// kind chosen is the file's kind from now on. False on cancel.
bool ChooseSfxKind(TFormMain& f) {
    if (ShowModalForm<TFormSelectDll>(f.StatusText(5)) != mrOK) return false;
    const std::wstring kind = SfxKindOfIndex(ReadKeyInt(f.Ini(), key::SfxSelectDllIndex));
    f.StrRetFormSelectSfxArchive = kind;
    f.SetStatusText(5, kind);
    return true;
}
}  // namespace

void TFormMain::MenuFileSfxListClick() {
    if (!ExistsFile(StrLoadFileName)) return;
    const std::wstring previousKind = StatusText(5);
    if (ShowModalForm<TFormSelectDll>(previousKind) != mrOK) return;
    ShowListOrMemo(true);
    for (int t : kSfxSubModes) SetMenuChecked(t, t == tag::MenuFileSfxList);
    SetModeCaptions(false);
    ClearTotalsAndPanels(5);
    const std::wstring kind = SfxKindOfIndex(ReadKeyInt(Ini(), key::SfxSelectDllIndex));
    StrRetFormSelectSfxArchive = kind;
    SetStatusText(5, kind);
    SetDllFolderForListing(MakeListContext(*this));
    ArchiveListSfxDllSelected(StrLoadFileName);
    SetItemNewListArchive();
}

void TFormMain::MenuFileSfxSimpleClick() {
    if (!ExistsFile(StrLoadFileName) || !ChooseSfxKind(*this)) return;
    ShowListOrMemo(false);
    for (int t : kSfxSubModes) SetMenuChecked(t, t == tag::MenuFileSfxSimple);
    ArchiveListSimpleDllSelected(StrLoadFileName);
    SetMemo1Lines(StrListSimpleResult);
}

void TFormMain::MenuFileSfxTestClick() {
    if (!ExistsFile(StrLoadFileName) || !ChooseSfxKind(*this)) return;
    ShowListOrMemo(false);
    for (int t : kSfxSubModes) SetMenuChecked(t, t == tag::MenuFileSfxTest);
    ArchiveListTestDllSelected(StrLoadFileName);
    SetMemo1Lines(StrListTestResult);
}

}  // namespace quib
