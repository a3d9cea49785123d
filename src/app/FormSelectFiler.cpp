#include "app/FormSelectFiler.h"

#include <algorithm>

#include "keymap/KeyMapApply.h"
#include "util/Controls.h"
#include "util/IniFile.h"

namespace quib {
namespace {

enum ControlId {
    kListBox1 = 100,
    kButtonRun,
    kButtonReload,
    kButtonSave,
    kButtonInit,
    kButtonCancel,
    kEdit1 = 120,  // .. kEdit1 + 3
};

constexpr wchar_t kFile[] = L"ファイル";
// Lengths in pixels at 96 DPI (the window scales them to its own).
constexpr int kMargin = 8;
constexpr int kButtonWidth = 110;
constexpr int kButtonHeight = 28;
constexpr int kRowHeight = 26;
constexpr int kLabelHeight = 24;
constexpr int kEditLeft = 95;
// The edit boxes take the dialog's width less this.
constexpr int kEditWidthLess = 105;
// Wide enough for any caption a window can have.
constexpr int kHorizontalExtent = 3400;

const CommandTable& SelectFilerCommands() {
    static const CommandTable table = {
        {{kFile, L"ファイル(&F)", TFormSelectFiler::kTagMenuFile}},
        {
            {TFormSelectFiler::kTagMenuRun, kFile, L"MenuRun", L"実行(&O)", L"", kCommandPlain,
             Handler(&TFormSelectFiler::MenuRunClick)},
            {TFormSelectFiler::kTagMenuClose, kFile, L"MenuClose", L"終了(&Q && &X)", L"", kCommandSeparatorBefore,
             Handler(&TFormSelectFiler::MenuCloseClick)},
        }};
    return table;
}

FormDescription SelectFilerDescription() {
    FormDescription d = FormDescription::Window(L"FormSelectFiler", SIZE{680, 350}, SIZE{680, 350});
    d.languageFile = L"SelectFiler.txt";
    d.commands = &SelectFilerCommands();
    return d;
}

std::wstring TitleFilePath() { return ProgramFolder() + L"\\quibFMarchive-Title.txt"; }

}  // namespace

TFormSelectFiler::TFormSelectFiler() : TFormBase(SelectFilerDescription()) {}

HWND TFormSelectFiler::Button(int tag) const {
    if (tag < kTagButtonRun || tag > kTagButtonCancel) return nullptr;
    return buttons_[static_cast<size_t>(tag - kTagButtonRun)];
}

void TFormSelectFiler::FormCreate() {
    SetCaption(L"ファイラー選択");
    // Owner-drawn, so that the selected row keeps a colour of its own while
    // the list does not have the focus.
    list_ = AddControl(ComponentKind::Other, 0, L"LISTBOX", L"",
                       WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                           LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                       WS_EX_CLIENTEDGE, kListBox1);
    SendMessageW(list_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(Scale(kHorizontalExtent)), 0);
    // Without a Tag no language line reaches it; it still takes the language's font.
    RegisterComponent({ComponentKind::ListBox, 0, list_});
    SetItemHeight();
    labelProgram_ = AddControl(ComponentKind::Label, kTagLabelProgram, L"STATIC", L"プログラム名", WS_VISIBLE);
    for (int i = 0; i < kTitleRows; ++i) {
        checks_[static_cast<size_t>(i)] = AddControl(ComponentKind::CheckBox, kTagCheckBox1 + i, L"BUTTON", L"有効",
                                                     WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX);
        // No Tag: the edit boxes hold the user's fragments, which a language
        // file must not replace.
        edits_[static_cast<size_t>(i)] = AddControl(ComponentKind::Edit, 0, L"EDIT", L"",
                                                    WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                                                    kEdit1 + i);
        RegisterComponent({ComponentKind::Edit, 0, edits_[static_cast<size_t>(i)]});
    }
    const struct {
        int tag;
        const wchar_t* caption;
        int id;
    } buttons[] = {{kTagButtonRun, L"実行(&O)", kButtonRun},
                   {kTagButtonReload, L"再取得(&G)", kButtonReload},
                   {kTagButtonSave, L"保存(&S)", kButtonSave},
                   {kTagButtonInit, L"初期化(&I)", kButtonInit},
                   {kTagButtonCancel, L"ｷｬﾝｾﾙ(&C)", kButtonCancel}};
    for (size_t i = 0; i < buttons_.size(); ++i) buttons_[i] = AddButton(buttons[i].tag, buttons[i].caption, buttons[i].id);

    StrListTitle = ReadFilerTitleLines(TitleFilePath());
    ShowTitleLines(StrListTitle);
}

void TFormSelectFiler::FormShow() {
    FindFilers();
    // The run and close items take the keys the user gave the main window's
    // filer-selection and close commands.
    KeyMapTable mainKeys;
    const std::wstring mainKeyMap = KeyMapFilePath(KeyMapWindow::Main);
    if (KeyMapFileExists(mainKeyMap)) ReadKeyMapFile(mainKeyMap, mainKeys);
    if (!mainKeys.empty()) {
        SetShortCut(kTagMenuClose, KeyOfFunction(mainKeys, L"1041"));
        SetShortCut(kTagMenuRun, KeyOfFunction(mainKeys, L"1421"));
    }
    SetFocus(list_);
}

void TFormSelectFiler::LanguageApplied() { SetItemHeight(); }

void TFormSelectFiler::SetItemHeight() {
    HDC dc = GetDC(list_);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(list_, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(list_, dc);
    SendMessageW(list_, LB_SETITEMHEIGHT, 0, std::max<LPARAM>(tm.tmHeight + Scale(4), Scale(16)));
}

void TFormSelectFiler::FormResize(int w, int h) {
    if (!list_) return;
    const int margin = Scale(kMargin), buttonWidth = Scale(kButtonWidth), buttonHeight = Scale(kButtonHeight),
              rowHeight = Scale(kRowHeight), labelHeight = Scale(kLabelHeight), editLeft = Scale(kEditLeft),
              editWidth = std::max(0, w - Scale(kEditWidthLess));
    const int buttonsTop = h - margin - buttonHeight;
    const int rowsTop = buttonsTop - margin - kTitleRows * rowHeight;
    const int labelTop = rowsTop - labelHeight;
    MoveWindow(list_, 0, 0, w, std::max(0, labelTop - Scale(4)), TRUE);
    MoveWindow(labelProgram_, editLeft, labelTop, editWidth, labelHeight - Scale(2), TRUE);
    for (int i = 0; i < kTitleRows; ++i) {
        const int y = rowsTop + i * rowHeight;
        MoveWindow(checks_[static_cast<size_t>(i)], margin, y, editLeft - margin - Scale(4), rowHeight - Scale(4),
                   TRUE);
        MoveWindow(edits_[static_cast<size_t>(i)], editLeft, y, editWidth, rowHeight - Scale(4), TRUE);
    }
    for (size_t i = 0; i < buttons_.size(); ++i) {
        // Cancel stands apart at the right.
        const int x = i + 1 == buttons_.size() ? w - margin - buttonWidth
                                               : margin + static_cast<int>(i) * (buttonWidth + margin);
        MoveWindow(buttons_[i], x, buttonsTop, buttonWidth, buttonHeight, TRUE);
    }
}

void TFormSelectFiler::FormDpiChanged(UINT) {
    SendMessageW(list_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(Scale(kHorizontalExtent)), 0);
    SetItemHeight();
}

// ---------------------------------------------------------------- title lines

void TFormSelectFiler::ShowTitleLines(const FilerTitleLines& lines) {
    for (int i = 0; i < kTitleRows; ++i) {
        const std::wstring& line = lines[static_cast<size_t>(i)];
        SendMessageW(checks_[static_cast<size_t>(i)], BM_SETCHECK, TitleLineEnabled(line) ? BST_CHECKED : BST_UNCHECKED,
                     0);
        SetText(edits_[static_cast<size_t>(i)], TitleLineFragment(line));
    }
}

FilerTitleLines TFormSelectFiler::TitleLinesFromControls() const {
    FilerTitleLines lines;
    for (int i = 0; i < kTitleRows; ++i) {
        const bool on = SendMessageW(checks_[static_cast<size_t>(i)], BM_GETCHECK, 0, 0) == BST_CHECKED;
        lines[static_cast<size_t>(i)] = MakeTitleLine(on, GetText(edits_[static_cast<size_t>(i)]));
    }
    return lines;
}

void TFormSelectFiler::FindFilers() {
    StrListWindowName.clear();
    StrListWindowHwnd.clear();
    FindFilerWindows(StrListTitle, StrListWindowName, StrListWindowHwnd);
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    for (const std::wstring& name : StrListWindowName)
        SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    if (!StrListWindowName.empty()) SendMessageW(list_, LB_SETCURSEL, 0, 0);
}

// ---------------------------------------------------------------- commands

void TFormSelectFiler::MenuRunClick() {
    const LRESULT at = SendMessageW(list_, LB_GETCURSEL, 0, 0);
    chosen_ = nullptr;
    if (at >= 0 && static_cast<size_t>(at) < StrListWindowHwnd.size())
        chosen_ = HandleFromText(StrListWindowHwnd[static_cast<size_t>(at)]);
    // The window is brought to the front once the dialog is gone: the focus
    // going back to the main window at the end of the modal run would take
    // the front from it again.
    SetModalResult(mrOK);
}

void TFormSelectFiler::MenuCloseClick() { Close(); }

void TFormSelectFiler::ButtonReloadClick() {
    StrListTitle = TitleLinesFromControls();
    FindFilers();
}

void TFormSelectFiler::ButtonSaveClick() {
    StrListTitle = TitleLinesFromControls();
    WriteFilerTitleLines(TitleFilePath(), StrListTitle);
    Close();
}

void TFormSelectFiler::ButtonInitClick() {
    const FilerTitleLines defaults = DefaultFilerTitleLines();
    ShowTitleLines(defaults);
}

bool TFormSelectFiler::FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) {
    if (key != VK_RETURN || shift || ctrl || alt) return false;
    HWND focus = GetFocus();
    if (focus == list_) {
        MenuRunClick();
        return true;
    }
    // Enter in an edit box is not a character of the fragment, nor a button press.
    return std::find(edits_.begin(), edits_.end(), focus) != edits_.end();
}

void TFormSelectFiler::ControlCommand(HWND control, int id, int code) {
    if (control == list_) {
        if (code == LBN_DBLCLK) MenuRunClick();
        return;
    }
    if (code != BN_CLICKED) return;
    switch (id) {
        case kButtonRun: MenuRunClick(); break;
        case kButtonReload: ButtonReloadClick(); break;
        case kButtonSave: ButtonSaveClick(); break;
        case kButtonInit: ButtonInitClick(); break;
        case kButtonCancel: Close(); break;
        default: break;
    }
}

bool TFormSelectFiler::HandleMessage(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
    if (msg != WM_DRAWITEM) return false;
    const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
    if (!dis || dis->hwndItem != list_) return false;
    DrawListBoxRow(*dis);
    result = TRUE;
    return true;
}

}  // namespace quib
