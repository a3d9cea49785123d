#include "launch/FormInputLauncher.h"

#include <commdlg.h>

#include <algorithm>

#include "extract/FormBrowse.h"
#include "launch/FormLauncher.h"
#include "util/Controls.h"
#include "util/IniFile.h"
#include "util/Message.h"

namespace quib {
namespace {

enum ControlId : int { kName = 100, kProgram, kOptions };

FormDescription InputLauncherDescription() {
    FormDescription d = FormDescription::Window(L"FormInputLauncher", SIZE{750, 305}, SIZE{750, 305});
    d.languageFile = L"InputLauncher.txt";
    return d;
}

bool FileExists(const std::wstring& p) {
    const DWORD a = GetFileAttributesW(p.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

TFormInputLauncher::TFormInputLauncher(FolderPickerHost* pickers, int slot)
    : TFormBase(InputLauncherDescription()), IntLauncherIndex(slot), pickers_(pickers) {}

HWND TFormInputLauncher::Button(int tag) const {
    switch (tag) {
        case kTagButtonOK: return ok_;
        case kTagButtonCancel: return cancel_;
        case kTagButtonList: return list_;
        case kTagButtonBrowse: return browse_;
        default: return nullptr;
    }
}

void TFormInputLauncher::FormCreate() {
    SetCaption(L"起動ソフトウェアの入力");
    const DWORD edit = WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
    labelName_ = AddControl(ComponentKind::Label, kTagLabelName, L"STATIC", L"名前(&N)", WS_VISIBLE);
    name_ = AddControl(ComponentKind::Other, 0, L"EDIT", L"", edit, 0, kName);
    check_ = AddControl(ComponentKind::CheckBox, kTagCheckFile, L"BUTTON", L"起動時にファイル名を渡す(&F)",
                        WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX);
    labelProgram_ = AddControl(ComponentKind::Label, kTagLabelProgram, L"STATIC", L"登録ソフトウェア(&P)", WS_VISIBLE);
    program_ = AddControl(ComponentKind::Other, 0, L"EDIT", L"", edit, 0, kProgram);
    list_ = AddButton(kTagButtonList, L"一覧(&L)");
    browse_ = AddButton(kTagButtonBrowse, L"参照(&B)");
    labelOptions_ = AddControl(ComponentKind::Label, kTagLabelOptions, L"STATIC", L"起動オプション(&0)", WS_VISIBLE);
    options_ = AddControl(ComponentKind::Other, 0, L"EDIT", L"", edit, 0, kOptions);
    ok_ = AddButton(kTagButtonOK, L"OK(&O)");
    cancel_ = AddButton(kTagButtonCancel, L"ｷｬﾝｾﾙ(&C)");

    if (!ReadLauncherFile(LauncherFilePath(), StrListLauncher))
        StrListLauncher = LauncherFile{EmptyLauncherLines(), LauncherEncoding::Ansi};
    // A file shorter than the slot is filled with empty slots up to it.
    while (LauncherRowCount(StrListLauncher.lines) <= IntLauncherIndex) {
        for (auto& l : EmptyLauncherSlot(LauncherRowCount(StrListLauncher.lines)))
            StrListLauncher.lines.push_back(std::move(l));
    }
    SetText(name_, LauncherSlotLine(StrListLauncher.lines, IntLauncherIndex, 1));
    SendMessageW(check_, BM_SETCHECK,
                 LauncherSlotLine(StrListLauncher.lines, IntLauncherIndex, 2) == L"1" ? BST_CHECKED : BST_UNCHECKED, 0);
    SetText(program_, LauncherSlotLine(StrListLauncher.lines, IntLauncherIndex, 3));
    SetText(options_, LauncherSlotLine(StrListLauncher.lines, IntLauncherIndex, 4));
}

void TFormInputLauncher::FormShow() { SetFocus(name_); }

void TFormInputLauncher::FormResize(int w, int h) {
    if (!ok_) return;
    w = Unscale(w);
    h = Unscale(h);
    const int panel = w - 16;
    Place(labelName_, 16, 12, 200, 20);
    Place(name_, 16, 32, std::min(300, panel - 40), 24);
    Place(check_, 340, 32, 300, 24);
    Place(labelProgram_, 16, 68, 200, 20);
    Place(list_, std::max(220, w - 16 - 220), 62, 100, 26);
    Place(browse_, std::max(330, w - 16 - 110), 62, 100, 26);
    // The program and options fields are as wide as their panel less 40 pixels.
    Place(program_, 16, 92, std::max(100, panel - 40), 24);
    Place(labelOptions_, 16, 128, 200, 20);
    Place(options_, 16, 150, std::max(100, panel - 40), 24);
    Place(cancel_, w - 16 - 110, h - 44, 110, 30);
    Place(ok_, w - 16 - 230, h - 44, 110, 30);
}

void TFormInputLauncher::ButtonListClick() {
    const std::wstring typed = GetText(program_);
    const std::wstring current = LauncherProgramPath(typed, ProgramPath());
    std::wstring file(MAX_PATH * 4, L'\0');
    std::wstring folder;
    if (FileExists(current)) {
        const size_t slash = current.find_last_of(L'\\');
        folder = slash == std::wstring::npos ? std::wstring() : current.substr(0, slash);
        const std::wstring name = slash == std::wstring::npos ? current : current.substr(slash + 1);
        std::copy(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(std::min(name.size(), file.size() - 1)),
                  file.begin());
    }
    static const wchar_t kFilter[] = L"Exe(*.exe\0*.exe\0All(*.*)\0*.*\0";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = handle_;
    ofn.lpstrFilter = kFilter;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&ofn)) return;
    file.resize(wcslen(file.c_str()));
    if (file.empty()) {
        ShowMsgJE(handle_, L"Information : ファイル名が設定されていません", L"Information : Filename is empty.\r\n[OK]");
        return;
    }
    SetText(program_, file);
}

void TFormInputLauncher::ButtonBrowseClick() {
    if (!pickers_) return;
    Settings().WriteString(L"Browse", L"Target", L"File");
    const std::wstring typed = GetText(program_);
    const std::wstring current = LauncherProgramPath(typed, ProgramPath());
    std::wstring start;
    if (!typed.empty() && FileExists(current)) {
        start = current;
    } else if (typed.empty()) {
        start = pickers_->loadFileName;
    } else {
        ShowMsgJE(handle_, L"Information : フォルダがありません\r\nカレントを C:\\ に変更します\r\n" + typed,
                  L"Information : Folder is not exist.\r\nChange current to C:\\\r\n[OK]\r\n" + typed);
        start = L"C:\\";
    }
    std::wstring chosen;
    FormInstance<TFormBrowse> browse(*pickers_, start, chosen);
    if (browse.ShowModal() == mrOK && !chosen.empty() && FileExists(chosen)) SetText(program_, chosen);
    SetFocus(program_);
}

void TFormInputLauncher::OpenFolderSelectPicker() {
    if (Settings().ReadInteger(L"FolderSelect", L"Index", 1) == 0) {
        ButtonListClick();
    } else {
        ButtonBrowseClick();
    }
}

void TFormInputLauncher::ButtonOKClick() {
    const std::wstring typed = GetText(program_);
    if (typed.empty()) {
        ButtonListClick();
        return;
    }
    const std::wstring path = LauncherProgramPath(typed, ProgramPath());
    if (!FileExists(path)) {
        ShowMsgJE(handle_, L"Information : 実行ファイルがありません\r\n" + path,
                  L"Information : Execute file is not exist.\r\n[OK]\r\n" + path);
        return;
    }
    LauncherFile changed = StrListLauncher;
    const size_t base = static_cast<size_t>(IntLauncherIndex) * kLauncherSlotLines;
    changed.lines[base + 1] = GetText(name_);
    changed.lines[base + 2] = SendMessageW(check_, BM_GETCHECK, 0, 0) == BST_CHECKED ? L"1" : L"0";
    changed.lines[base + 3] = typed;  // as typed: a "%p" prefix stays
    changed.lines[base + 4] = GetText(options_);
    if (!SaveLauncherFile(handle_, changed)) return;
    StrListLauncher = std::move(changed);
    SetModalResult(mrOK);
}

bool TFormInputLauncher::FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) {
    if (key != VK_RETURN || shift || ctrl || alt) return false;
    const bool emptyProgram = GetFocus() == program_ && GetText(program_).empty();
    ButtonOKClick();
    // Enter in the empty program field goes on to the picker the user chose.
    if (emptyProgram && GetText(program_).empty() && GetModalResult() == mrNone) OpenFolderSelectPicker();
    return true;
}

void TFormInputLauncher::ControlCommand(HWND, int id, int code) {
    if (code != BN_CLICKED) return;
    switch (id) {
        case kTagButtonOK: ButtonOKClick(); break;
        case kTagButtonCancel: SetModalResult(mrCancel); break;
        case kTagButtonList: ButtonListClick(); break;
        case kTagButtonBrowse: ButtonBrowseClick(); break;
        default: break;
    }
}

}  // namespace quib
