#include "launch/FormLauncher.h"

#include <algorithm>
#include <array>

#include "keymap/KeyMapApply.h"
#include "launch/FormInputLauncher.h"
#include "util/Controls.h"
#include "util/IniFile.h"
#include "util/Message.h"

namespace quib {
namespace {

enum ControlId : int { kList = 100 };

constexpr CommandHandler H(void (TFormLauncher::*member)()) { return Handler(member); }

// The slot commands carry their key as data, like every other command: the
// hidden "Key" menu holds one per slot.
struct SlotCommandTexts {
    std::array<std::wstring, kLauncherSlots> captions, keys;
};

const SlotCommandTexts& SlotTexts() {
    static const SlotCommandTexts texts = [] {
        SlotCommandTexts t;
        static const wchar_t* const kMods[] = {L"", L"Shift+", L"Ctrl+"};
        for (int s = 0; s < kLauncherSlots; ++s) {
            const std::wstring label = LauncherKeyLabel(s);
            const wchar_t key = label.back();
            t.keys[static_cast<size_t>(s)] = std::wstring(kMods[s / 36]) + key;
            t.captions[static_cast<size_t>(s)] = L"Key " + t.keys[static_cast<size_t>(s)];
        }
        return t;
    }();
    return texts;
}

const CommandTable& LauncherCommands() {
    static const CommandTable table = [] {
        CommandTable t;
        t.menus = {{L"ファイル", L"ファイル(&F)", TFormLauncher::kTagMenuFile},
                   {L"操作", L"操作(&S)", TFormLauncher::kTagMenuOperation},
                   {L"Key", L"Key(&K)", TFormLauncher::kTagMenuKey, true}};
        t.commands = {
            {TFormLauncher::kTagMenuClose, L"ファイル", L"MenuClose", L"終了(&Q && &X)", L"", kCommandPlain,
             H(&TFormLauncher::MenuCloseClick)},
            {TFormLauncher::kTagMenuInput, L"操作", L"MenuInput", L"ソフトウェアの登録(&I)", L"", kCommandPlain,
             H(&TFormLauncher::MenuInputClick)},
            {TFormLauncher::kTagMenuDelete, L"操作", L"MenuDelete", L"ソフトウェアの削除(&D)", L"", kCommandPlain,
             H(&TFormLauncher::MenuDeleteClick)},
        };
        const SlotCommandTexts& texts = SlotTexts();
        for (int s = 0; s < kLauncherSlots; ++s)
            t.commands.push_back({TFormLauncher::kTagSlotFirst + s, L"Key", L"MenuKey",
                                  texts.captions[static_cast<size_t>(s)].c_str(),
                                  texts.keys[static_cast<size_t>(s)].c_str(), kCommandPlain, nullptr});
        return t;
    }();
    return table;
}

FormDescription LauncherDescription() {
    FormDescription d = FormDescription::Window(L"FormLauncher", SIZE{770, 500}, SIZE{770, 500});
    d.languageFile = L"Launcher.txt";
    d.commands = &LauncherCommands();
    return d;
}

bool FileExists(const std::wstring& p) {
    const DWORD a = GetFileAttributesW(p.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::wstring LauncherFilePath() { return ProgramFolder() + L"\\quibFM.lnc"; }

bool SaveLauncherFile(HWND owner, const LauncherFile& file) {
    const std::wstring path = LauncherFilePath();
    std::wstring lost;
    if (WriteLauncherFile(path, file, &lost)) return true;
    if (!lost.empty()) {
        ShowMsgJE(owner, L"Error : 文字コードで表せない文字があるので保存できません\r\n" + lost + L"\r\n" + path,
                  L"Error : Some characters can not be saved in this code page.\r\n[OK]\r\n" + lost + L"\r\n" + path,
                  MsgButtons::Ok, MsgStyle::Error);
    } else {
        ShowMsgJE(owner, L"Error : ファイルが保存できませんでした\r\n" + path,
                  L"Error : File can not save.\r\n[OK]\r\n" + path, MsgButtons::Ok, MsgStyle::Error);
    }
    return false;
}

TFormLauncher::TFormLauncher(FolderPickerHost* pickers) : TFormBase(LauncherDescription()), pickers_(pickers) {}

TFormLauncher::~TFormLauncher() {
    if (listFont_) DeleteObject(listFont_);
}

void TFormLauncher::FormCreate() {
    SetCaption(L"ソフトウェア起動");
    list_ = AddControl(ComponentKind::Other, 0, L"LISTBOX", L"",
                       WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY |
                           LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                       0, kList);
    // The rows line their names up by bytes: a fixed-pitch font shows that.
    listFont_ = CreateFontW(-Scale(14), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, L"ＭＳ ゴシック");
    if (listFont_) SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(listFont_), TRUE);
    SetListBoxRowHeight(list_, Scale(16));
    ok_ = AddButton(kTagButtonOK, L"実行(&O)");
    cancel_ = AddButton(kTagButtonCancel, L"ｷｬﾝｾﾙ(&C)");
    ReadFile();
    SetItemList();
}

void TFormLauncher::FormShow() {
    SetFocus(list_);
    SendMessageW(list_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(Scale(1380)), 0);
    // The close item takes the main window's close key.
    KeyMapTable mainMap;
    if (ReadKeyMapFile(KeyMapFilePath(KeyMapWindow::Main), mainMap) && !mainMap.empty()) {
        if (const auto key = ShortCutOfFunction(mainMap, L"1041", false)) SetShortCut(kTagMenuClose, *key);
    }
}

void TFormLauncher::FormDestroy() {}

// The rows are drawn by the program: the selected row keeps an aqua mark
// while the focus is on a button.
bool TFormLauncher::HandleMessage(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
    if (msg != WM_DRAWITEM) return false;
    const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
    if (!dis || dis->hwndItem != list_) return false;
    DrawListBoxRow(*dis);
    result = TRUE;
    return true;
}

void TFormLauncher::ReadFile() {
    const std::wstring path = LauncherFilePath();
    if (!FileExists(path)) {
        StrListLauncher = LauncherFile{EmptyLauncherLines(), LauncherEncoding::Ansi};
        SaveLauncherFile(handle_, StrListLauncher);
        return;
    }
    if (!ReadLauncherFile(path, StrListLauncher)) StrListLauncher = LauncherFile{};
}

void TFormLauncher::SetItemList() {
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    const int rows = LauncherRowCount(StrListLauncher.lines);
    for (int s = 0; s < rows; ++s) {
        const std::wstring text = LauncherRowText(StrListLauncher.lines, s);
        SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    if (rows > 0) SendMessageW(list_, LB_SETCURSEL, 0, 0);
}

void TFormLauncher::SetRow(int slot) {
    const LRESULT sel = SendMessageW(list_, LB_GETCURSEL, 0, 0);
    const std::wstring text = LauncherRowText(StrListLauncher.lines, slot);
    SendMessageW(list_, LB_DELETESTRING, static_cast<WPARAM>(slot), 0);
    SendMessageW(list_, LB_INSERTSTRING, static_cast<WPARAM>(slot), reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(sel), 0);
}

int TFormLauncher::SelectedRow() const { return static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0)); }

std::wstring TFormLauncher::RowText(int row) const {
    const LRESULT n = SendMessageW(list_, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
    if (n < 0) return {};
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    SendMessageW(list_, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(n));
    return text;
}

void TFormLauncher::FormResize(int w, int h) {
    if (!ok_) return;
    w = Unscale(w);
    h = Unscale(h);
    Place(list_, 8, 8, std::max(100, w - 16), std::max(40, h - 8 - 48));
    Place(cancel_, w - 8 - 120, h - 40, 120, 30);
    Place(ok_, w - 16 - 240, h - 40, 120, 30);
}

void TFormLauncher::ButtonOKClick() {
    const int rows = LauncherRowCount(StrListLauncher.lines);
    if (rows == 0) {
        ShowMsgJE(handle_, L"Information : 内容が設定されていません", L"Information : Item is empty.\r\n[OK]");
        return;
    }
    const int slot = SelectedRow();
    if (slot < 0 || slot >= rows) {
        ShowMsgJE(handle_, L"Information : 内容が選択されていません", L"Information : Item is not selected.\r\n[OK]");
        return;
    }
    const std::wstring path = LauncherProgramPath(LauncherSlotLine(StrListLauncher.lines, slot, 3), ProgramPath());
    if (!FileExists(path)) {
        ShowMsgJE(handle_, L"Information : 実行ファイルがありません\r\n" + path,
                  L"Information : Execute file is not exist.\r\n[OK]\r\n" + path);
        return;
    }
    Choice = {path, LauncherSlotLine(StrListLauncher.lines, slot, 2), LauncherSlotLine(StrListLauncher.lines, slot, 4)};
    SetModalResult(mrOK);
}

void TFormLauncher::MenuCloseClick() {
    Choice = {};
    SetModalResult(mrCancel);
}

void TFormLauncher::MenuDeleteClick() {
    const int slot = SelectedRow();
    if (slot < 0 || slot >= LauncherRowCount(StrListLauncher.lines)) return;
    std::wstring lines;
    static const wchar_t* const kNames[] = {L"Key=", L"Name=", L"File=", L"Application=", L"Options="};
    for (int i = 0; i < kLauncherSlotLines; ++i)
        lines += kNames[i] + LauncherSlotLine(StrListLauncher.lines, slot, i) + L"\r\n";
    if (ShowMsgJE(handle_, lines + L"削除しますか？", lines + L"Delete ?\r\n[OK] / [NO]", MsgButtons::YesNo,
                  MsgStyle::Question) != IDYES)
        return;
    LauncherFile changed = StrListLauncher;
    const std::vector<std::wstring> empty = EmptyLauncherSlot(slot);
    for (int i = 0; i < kLauncherSlotLines; ++i)
        changed.lines[static_cast<size_t>(slot * kLauncherSlotLines + i)] = empty[static_cast<size_t>(i)];
    if (!SaveLauncherFile(handle_, changed)) return;
    StrListLauncher = std::move(changed);
    SetRow(slot);
}

void TFormLauncher::MenuInputClick() {
    const int slot = SelectedRow();
    if (slot < 0 || slot >= LauncherRowCount(StrListLauncher.lines)) return;
    IntLauncherIndex = slot;
    if (ShowModalForm<TFormInputLauncher>(pickers_, IntLauncherIndex) != mrOK) {
        SetFocus(list_);
        return;
    }
    LauncherFile reread;
    if (ReadLauncherFile(LauncherFilePath(), reread)) StrListLauncher = std::move(reread);
    if (slot < LauncherRowCount(StrListLauncher.lines)) SetRow(slot);
    SetFocus(list_);
}

bool TFormLauncher::FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) {
    if (key == VK_RETURN && !shift && !ctrl && !alt) {
        ButtonOKClick();
        return true;
    }
    return false;
}

void TFormLauncher::MenuCommand(int id) {
    if (id < kTagSlotFirst || id >= kTagSlotFirst + kLauncherSlots) return;
    // A slot's key picks its row and runs it; a slot past the file's rows
    // picks nothing and the run says so.
    const int slot = id - kTagSlotFirst;
    const int rows = LauncherRowCount(StrListLauncher.lines);
    SendMessageW(list_, LB_SETCURSEL, slot < rows ? static_cast<WPARAM>(slot) : static_cast<WPARAM>(-1), 0);
    ButtonOKClick();
}

void TFormLauncher::ControlCommand(HWND control, int id, int code) {
    if (control == list_ && code == LBN_DBLCLK) {
        ButtonOKClick();
        return;
    }
    if (code != BN_CLICKED) return;
    if (id == kTagButtonOK) ButtonOKClick();
    if (id == kTagButtonCancel) MenuCloseClick();
}

}  // namespace quib
