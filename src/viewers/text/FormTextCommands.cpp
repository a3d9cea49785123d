// The text viewer's commands: searching, copying, scrolling and caret moves,
// the Notepad cursor mode, wrap, line numbers, status bars and colours.
#include <windows.h>

#include <algorithm>

#include "util/Controls.h"
#include "keymap/KeyMapApply.h"
#include "util/IniFile.h"
#include "util/Message.h"
#include "util/TextFile.h"
#include "viewers/grid/FormViewGrid.h"
#include "viewers/text/FormFind.h"
#include "app/FormMain.h"
#include "settings/FormSetting.h"
#include "viewers/text/FormJump.h"
#include "viewers/text/FormText.h"
#include "keymap/KeyMapRegistry.h"
#include "viewers/text/FormTextSettings.h"
#include "viewers/text/TextRules.h"

namespace quib {
namespace {

std::wstring ClipboardGet(HWND owner) {
    std::wstring text;
    if (!OpenClipboard(owner)) return text;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
            text = p;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return text;
}

void ClipboardSet(HWND owner, const std::wstring& text) {
    if (!OpenClipboard(owner)) return;
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void* p = GlobalLock(mem)) {
            memcpy(p, text.c_str(), bytes);
            GlobalUnlock(mem);
            if (!SetClipboardData(CF_UNICODETEXT, mem)) GlobalFree(mem);
        } else {
            GlobalFree(mem);
        }
    }
    CloseClipboard();
}

}  // namespace

void TFormText::MenuCloseClick() { Close(); }

// The grid reads the file itself (its own encoding and field rules), so it is
// given the file, not the text shown here.
void TFormText::MenuShowCsvClick() {
    if (StrLoadFileName.empty()) {
        ShowMsgJE(handle_, L"Information : ファイル名が設定されていません", L"Information : Filename is empty.\r\n[OK]");
        return;
    }
    const DWORD attributes = GetFileAttributesW(StrLoadFileName.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ShowMsgJE(handle_, L"Information : ファイルがありません", L"Information : File is not exist.\r\n[OK]");
        return;
    }
    OpenGridViewer(StrLoadFileName);
}

// ---------------------------------------------------------------- search

TSearchOptions TFormText::SetOptions(int direction) {
    const IniFile ini = Settings();
    TSearchOptions o;
    if (ini.ReadBool(L"Options", L"MatchCase", false)) o.Add(sfrMatchCase);
    if (ini.ReadBool(L"Options", L"WholeWord", false)) o.Add(sfrWholeWord);
    if (ini.ReadBool(L"Options", L"RegExp", false)) o.Add(sfrRegExp);
    if (ini.ReadBool(L"Options", L"IncludeCRLF", false)) o.Add(sfrIncludeCRLF).Add(sfrIncludeSpace);
    if (direction == 1) o.Add(sfrDown);
    return o;
}

bool TFormText::SearchText(bool forward) {
    if (StrSearchValue.empty()) {
        ShowMsgJE(handle_, L"Information : 検索語が設定されていません", L"Information : Search word is empty.\r\n[OK]");
        return false;
    }
    InformationUpDate();
    SearchOptions = SetOptions(forward ? 1 : 0);
    int start = 0, end = 0;
    GetSel(start, end);
    const int controlLength = GetWindowTextLengthW(memo1_);
    SearchError error;
    bool found;
    if (forward) {
        Info.Start = start + (end - start) + 1;
        Info.Length = 0;
        found = SearchForward(StrListLoadFileTmp, Info, StrSearchValue, controlLength, SearchOptions, &error);
    } else {
        Info.Start = start;
        Info.Length = 0;
        found = SearchBackward(StrListLoadFileTmp, Info, StrSearchValue, start, SearchOptions, &error);
    }
    if (!error.message.empty()) {
        ShowMsgJE(handle_,
                  L"Error : 正規表現が正しくありません\r\n" + error.message + L" (位置 " +
                      std::to_wstring(error.offset) + L")",
                  L"Error : The regular expression is not valid.\r\n" + error.message + L" (offset " +
                      std::to_wstring(error.offset) + L")\r\n[OK]",
                  MsgButtons::Ok, MsgStyle::Error);
        return false;
    }
    if (found) {
        SendMessageW(memo1_, EM_SETSEL, static_cast<WPARAM>(Info.Start), Info.Start + Info.Length);
        SendMessageW(memo1_, EM_SCROLLCARET, 0, 0);
        SetFocus(memo1_);
        MemoStatus();
        SyncLineNumbers();
    } else {
        ShowMsgJE(handle_, L"Information : 検索しましたが見つかりませんでした\r\n" + DoubleAmpersands(StrSearchValue),
                  L"Information : Search word can not find.\r\n[OK]\r\n" + DoubleAmpersands(StrSearchValue));
    }
    if (FindVisible()) SetForegroundWindow(find_->Handle());
    return found;
}

bool TFormText::FindVisible() const { return find_ && find_->Handle() && find_->Visible(); }

void TFormText::OpenFind() {
    if (!find_) {
        auto made = std::make_unique<FormInstance<TFormFind>>(*this);
        find_ = made.get();
        findHolder_ = std::move(made);
    }
    if (FindVisible()) find_->Close();
    find_->Open();
}

void TFormText::MenuSearchWordClick() {
    int start = 0, end = 0;
    GetSel(start, end);
    std::wstring word;
    if (end > start) {
        word = StrListLoadFileTmp.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
    } else if (MenuChecked(1108) && LineCount() > 0) {
        SelectWordAtCaret();
        GetSel(start, end);
        word = StrListLoadFileTmp.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
    }
    Settings().WriteString(L"Options", L"SearchWord", word);
    Settings().WriteString(L"FormFind", L"Parent", L"Text");
    Info = TSearchInfo{start, 0};
    OpenFind();
}

void TFormText::MenuSearchWordOneLineClick() {
    if (LineCount() == 0) return;
    int start = 0, end = 0;
    GetSel(start, end);
    Settings().WriteString(L"Options", L"SearchWord", LineText(CaretLine()));
    Info = TSearchInfo{start, 0};
    OpenFind();
    StrSearchValue = Settings().ReadString(L"Options", L"SearchWord", L"");
}

void TFormText::MenuJumpClick() {
    if (ShowModalForm<TFormJump>() != mrOK) return;
    const int target = JumpTarget(Settings().ReadInteger(L"Editor", L"Jump", 1), LineCount());
    SendMessageW(memo1_, EM_LINESCROLL, 0, target - CaretLine());
    MoveCaretToLine(target);
}

void TFormText::MenuSearchNextClick() { SearchText(true); }
void TFormText::MenuSearchPrevClick() { SearchText(false); }

void TFormText::MenuSearchBarClick() {
    if (!IsWindowVisible(combo_)) return;
    SetFocus(combo_);
    const LRESULT length = GetWindowTextLengthW(combo_);
    SendMessageW(combo_, CB_SETEDITSEL, 0, MAKELPARAM(length, length));
}

void TFormText::SearchBarSearch(bool forward) {
    SetMenuChecked(1805, Settings().ReadBool(L"Options", L"MatchCase", false));
    SetMenuBar(1);
    StrSearchValue = GetText(combo_);
    SearchText(forward);
    if (MenuChecked(1111) && IsWindowVisible(combo_)) SetFocus(combo_);
}

void TFormText::MenuSearchNext2Click() { SearchBarSearch(true); }
void TFormText::MenuSearchPrev2Click() { SearchBarSearch(false); }

void TFormText::MenuSearchBarSetFocusClick() {
    const bool on = !MenuChecked(1111);
    SetMenuChecked(1111, on);
    SetMenuChecked(1802, on);
}

void TFormText::MenuChkMatchCaseClick() {
    const bool on = !MenuChecked(1112);
    SetMenuChecked(1112, on);
    Settings().WriteBool(L"Options", L"MatchCase", on);
}

void TFormText::MenuChkMatchCase4Click() {
    const bool on = !MenuChecked(1805);
    SetMenuChecked(1805, on);
    SetMenuChecked(1112, on);
    Settings().WriteBool(L"Options", L"MatchCase", on);
}

void TFormText::ComboFocus(bool gained) {
    const std::wstring history = ProgramFolder() + L"\\quibFMarchive-Find.txt";
    if (gained) {
        SetMenuChecked(1805, Settings().ReadBool(L"Options", L"MatchCase", false));
        SetMenuBar(1);
        const std::wstring text = GetText(combo_);
        std::vector<std::wstring> lines;
        ReadUtf16Lines(history, lines);
        SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
        for (const auto& l : lines) SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(l.c_str()));
        SetWindowTextW(combo_, text.c_str());
    } else {
        SetMenuBar(0);
        std::vector<std::wstring> lines;
        const int count = static_cast<int>(SendMessageW(combo_, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count && lines.size() < kHistoryMax; ++i) {
            const int n = static_cast<int>(SendMessageW(combo_, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0));
            std::wstring item(static_cast<size_t>(std::max(0, n)) + 1, L'\0');
            SendMessageW(combo_, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()));
            item.resize(static_cast<size_t>(std::max(0, n)));
            lines.push_back(item);
        }
        WriteUtf16Lines(history, lines);
    }
}

void TFormText::ComboEnter(bool shift, bool ctrl) {
    const std::wstring text = GetText(combo_);
    if (text.empty()) {
        ShowMsgJE(handle_, L"Information : 検索語が設定されていません", L"Information : Search word is empty.\r\n[OK]");
        return;
    }
    StrSearchValue = text;
    std::vector<std::wstring> items;
    const int count = static_cast<int>(SendMessageW(combo_, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const int n = static_cast<int>(SendMessageW(combo_, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0));
        std::wstring item(static_cast<size_t>(std::max(0, n)) + 1, L'\0');
        SendMessageW(combo_, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()));
        item.resize(static_cast<size_t>(std::max(0, n)));
        items.push_back(item);
    }
    AddToHistory(items, text);
    SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
    for (const auto& l : items) SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(l.c_str()));
    SetWindowTextW(combo_, text.c_str());
    Settings().WriteString(L"Options", L"SearchWord", text);
    if (shift && !ctrl) {
        SetFocus(memo1_);
        SearchBarSearch(false);
    } else if (!shift) {
        SetFocus(memo1_);
        SearchBarSearch(true);
    }
}

// Shift with the arrows or a drag selects: the selection up to its first CR
// goes into the search bar.
void TFormText::PickUpSelection() {
    if (!IsWindowVisible(combo_)) return;
    int start = 0, end = 0;
    GetSel(start, end);
    if (end <= start || static_cast<size_t>(end) > StrListLoadFileTmp.size()) return;
    std::wstring text = StrListLoadFileTmp.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
    const size_t cr = text.find(L'\r');
    if (cr != std::wstring::npos) text.resize(cr);
    SetWindowTextW(combo_, text.c_str());
}

// ---------------------------------------------------------------- copying

void TFormText::MenuCopyClick() {
    int start = 0, end = 0;
    GetSel(start, end);
    if (end > start) SendMessageW(memo1_, WM_COPY, 0, 0);
}

void TFormText::MenuAddCopyClick() {
    int start = 0, end = 0;
    GetSel(start, end);
    if (end <= start) return;
    const std::wstring selected = StrListLoadFileTmp.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
    ClipboardSet(handle_, ClipboardGet(handle_) + selected);
}

void TFormText::MenuSelectAllClick() {
    if (GetWindowTextLengthW(memo1_) == 0) return;
    SendMessageW(memo1_, EM_SETSEL, 0, -1);
    MemoStatus();
}

void TFormText::MenuCopyOneLineClick() {
    if (LineCount() == 0) return;
    ClipboardSet(handle_, LineText(CaretLine()));
}

void TFormText::SelectWordAtCaret() {
    if (LineCount() == 0) return;
    int start = 0, end = 0;
    GetSel(start, end);
    const int line = CaretLine();
    const int index = static_cast<int>(SendMessageW(memo1_, EM_LINEINDEX, static_cast<WPARAM>(line), 0));
    const WordSpan w = WordAtCaret(LineText(line), start - index);
    SendMessageW(memo1_, EM_SETSEL, static_cast<WPARAM>(start - w.left), start + w.right);
}

void TFormText::MenuSelectWordClick() {
    SelectWordAtCaret();
    MemoStatus();
}

// ---------------------------------------------------------------- scrolling and caret moves

void TFormText::MoveCaretToLine(int target) {
    const int index = static_cast<int>(SendMessageW(memo1_, EM_LINEINDEX, static_cast<WPARAM>(std::max(0, target)), 0));
    SendMessageW(memo1_, EM_SETSEL, static_cast<WPARAM>(std::max(0, index)), std::max(0, index));
    SendMessageW(memo1_, EM_SCROLLCARET, 0, 0);
    SetFocus(memo1_);
    MemoStatus();
    SyncLineNumbers();
}

void TFormText::ScrollBy(int step) {
    const int current = CaretLine();
    const int target = StepTarget(current, step, LineCount());
    SendMessageW(memo1_, EM_LINESCROLL, 0, target - current);
    MoveCaretToLine(target);
}

void TFormText::MenuMoveDocumentTopClick() {
    SendMessageW(memo1_, EM_LINESCROLL, 0, -CaretLine());
    MoveCaretToLine(0);
}
void TFormText::MenuMoveDocumentEndClick() {
    const int n = static_cast<int>(SendMessageW(memo1_, EM_GETLINECOUNT, 0, 0));
    SendMessageW(memo1_, EM_LINESCROLL, 0, n - CaretLine());
    MoveCaretToLine(n - 1);
}
void TFormText::MenuScrollPgUpClick() { ScrollBy(-IntScroll3); }
void TFormText::MenuScrollLeftClick() { ScrollBy(-IntScroll2); }
void TFormText::MenuScrollUpClick() { ScrollBy(-IntScroll1); }
void TFormText::MenuScrollDownClick() { ScrollBy(IntScroll1); }
void TFormText::MenuScrollRightClick() { ScrollBy(IntScroll2); }
void TFormText::MenuScrollPgDownClick() { ScrollBy(IntScroll3); }

void TFormText::CaretKey(WORD vk) {
    SendMessageW(memo1_, WM_KEYDOWN, vk, 1);
    SendMessageW(memo1_, WM_KEYUP, vk, 0xC0000001);
    MemoStatus();
    SyncLineNumbers();
}

void TFormText::MenuMoveLineTopClick() { CaretKey(VK_HOME); }
void TFormText::MenuMoveLineEndClick() { CaretKey(VK_END); }

void TFormText::MenuMemoRightClick() {
    const int n = static_cast<int>(SendMessageW(memo1_, EM_GETLINECOUNT, 0, 0));
    if (CaretLine() < n - 1) CaretKey(VK_RIGHT);
}
void TFormText::MenuMemoLeftClick() {
    int start = 0, end = 0;
    GetSel(start, end);
    if (start > 0) CaretKey(VK_LEFT);
}
void TFormText::MenuMemoPageUpClick() {
    if (CaretLine() > 0) CaretKey(VK_PRIOR);
}
void TFormText::MenuMemoUpClick() {
    if (CaretLine() > 0) CaretKey(VK_UP);
}
void TFormText::MenuMemoDownClick() {
    if (CaretLine() < LineCount()) CaretKey(VK_DOWN);
}
void TFormText::MenuMemoPageDownClick() {
    const int n = static_cast<int>(SendMessageW(memo1_, EM_GETLINECOUNT, 0, 0));
    if (CaretLine() < n - 1) CaretKey(VK_NEXT);
}

// The Notepad cursor mode gives the caret keys to the caret commands while it
// is on; it is never saved.
void TFormText::MenuCursolDisabledClick() {
    static const int kTags[] = {1231, 1232, 1233, 1234, 1235, 1236, 1237, 1238, 1241, 1242, 1251,
                                1261, 1262, 1263, 1264, 1265, 1266, 1271, 1272, 1273, 1274, 1275, 1276};
    const bool on = !MenuChecked(1251);
    SetMenuChecked(1251, on);
    if (on) {
        static const std::pair<int, KeyCode> kKeys[] = {
            {1231, {VK_HOME, kKeyCtrl}}, {1238, {VK_END, kKeyCtrl}}, {1241, {VK_HOME, 0}},  {1242, {VK_END, 0}},
            {1271, {VK_RIGHT, 0}},       {1272, {VK_LEFT, 0}},       {1273, {VK_PRIOR, 0}}, {1274, {VK_UP, 0}},
            {1275, {VK_DOWN, 0}},        {1276, {VK_NEXT, 0}}};
        for (int tag : kTags)
            if (tag != 1251) SetShortCut(tag, KeyCode{});
        for (const auto& [tag, key] : kKeys) SetShortCut(tag, key);
    } else {
        for (int tag : kTags) SetShortCut(tag, KeyOfFunction(StrListKeyMap, std::to_wstring(tag)));
    }
}

// ---------------------------------------------------------------- view

void TFormText::SetWrap(bool wrap) {
    SetMenuChecked(1401, !wrap);
    SetMenuChecked(1402, wrap);
    SetMenuEnabled(1401, wrap);
    SetMenuEnabled(1402, !wrap);
    SetMenuEnabled(1403, !wrap);
    SetMenuEnabled(1404, !wrap);
    if (wrap != wrap_) CreateMemo1(wrap);
    ShowWindow(memo9_, !wrap && MenuChecked(1403) ? SW_SHOW : SW_HIDE);
    RECT rc;
    GetClientRect(handle_, &rc);
    FormResize(rc.right, rc.bottom);
    SetLineNumber();
    MemoStatus();
}

void TFormText::MenuWrapNoneClick() {
    if (MenuChecked(1401)) return;
    SetWrap(false);
    Settings().WriteBool(L"Editor", L"WrapNone", true);
    Settings().WriteBool(L"Editor", L"WrapWindowWidth", false);
}

void TFormText::MenuWrapWindowWidthClick() {
    if (MenuChecked(1402)) return;
    SetWrap(true);
    Settings().WriteBool(L"Editor", L"WrapNone", false);
    Settings().WriteBool(L"Editor", L"WrapWindowWidth", true);
}

void TFormText::MenuShowLineNumberClick() {
    const bool on = !MenuChecked(1403);
    SetMenuChecked(1403, on);
    ShowWindow(memo9_, on && !wrap_ ? SW_SHOW : SW_HIDE);
    if (on) SetTimer(handle_, 6, 200, nullptr);
    else KillTimer(handle_, 6);
    RECT rc;
    GetClientRect(handle_, &rc);
    FormResize(rc.right, rc.bottom);
    SetLineNumber();
}

void TFormText::MenuStatusBarTopVisibleClick() {
    const bool on = !MenuChecked(1431);
    SetMenuChecked(1431, on);
    ShowWindow(status2_, on ? SW_SHOW : SW_HIDE);
    Settings().WriteBool(L"StatusBar", L"PositionTop", on);
    RECT rc;
    GetClientRect(handle_, &rc);
    FormResize(rc.right, rc.bottom);
}

void TFormText::MenuStatusBarBottomVisibleClick() {
    const bool on = !MenuChecked(1432);
    SetMenuChecked(1432, on);
    ShowWindow(status1_, on ? SW_SHOW : SW_HIDE);
    Settings().WriteBool(L"StatusBar", L"PositionBottom", on);
    RECT rc;
    GetClientRect(handle_, &rc);
    FormResize(rc.right, rc.bottom);
}

void TFormText::MenuShowFileNameClick() {
    const bool on = !MenuChecked(1434);
    SetMenuChecked(1434, on);
    Settings().WriteBool(L"StatusBar", L"ShowFileName", on);
    InformationUpDate();
}

// Shows or hides the search bar for this window; the setting stays as it is.
void TFormText::MenuSearchBarTopVisibleClick() {
    const bool on = !MenuChecked(1435);
    SetMenuChecked(1435, on);
    ShowSearchBar(on);
}

void TFormText::MenuSameAsQuibViewClick() {
    const bool exists = GetFileAttributesW((ProgramFolder() + L"\\quibFM.ini").c_str()) != INVALID_FILE_ATTRIBUTES;
    if (exists) {
        SetMenuChecked(1541, !MenuChecked(1541));
    } else if (!MenuChecked(1541)) {
        ShowMsgJE(handle_, L"Information : quibFM.ini のファイルが無いのでチェックは無効です",
                  L"Information : Check can not accept, because of quibFM.ini is not exist.\r\n[OK]");
    }
    SetMenuEnabled(1501, !MenuChecked(1541));
    ApplyFont();
}

// ---------------------------------------------------------------- settings dialogs

void TFormText::MenuParameterSettingClick() {
    SettingContext context;
    context.StrSettingType = L"FormText";
    if (TFormMain* main = FormMain()) context.pickers = &main->FolderPickers();
    if (ShowModalForm<TFormSetting>(std::move(context)) != mrOK) return;
    ReadEditorColors(Settings());
    ApplyFont();
}

void TFormText::MenuLineSettingClick() {
    if (ShowModalForm<TFormLineSetting>() != mrOK) return;
    LineWidth = Settings().ReadInteger(L"Editor", L"LineWidth", 80);
    RECT rc;
    GetClientRect(handle_, &rc);
    FormResize(rc.right, rc.bottom);
    if (!StrLoadFileName.empty()) {
        SetWindowTextW(memo9_, L"");
        LoadFile();
    }
}

void TFormText::MenuPageSettingClick() {
    if (ShowModalForm<TFormPageSetting>() != mrOK) return;
    const IniFile ini = Settings();
    IntScroll3 = ini.ReadInteger(L"Editor", L"ScrollPlusPlusPlusIndex", 16) + 1;
    IntScroll2 = ini.ReadInteger(L"Editor", L"ScrollPlusPlusIndex", 16) + 1;
    IntScroll1 = ini.ReadInteger(L"Editor", L"ScrollPlusIndex", 2) + 1;
}

void TFormText::MenuKigouSettingClick() {
    const std::wstring section = MenuChecked(1541) ? L"quibView" : L"Editor";
    if (ShowModalForm<TFormKigouSetting>(section) != mrOK) return;
    const IniFile ini = Settings();
    ShiftRet = ini.ReadInteger(section, L"ShiftRet", 15);
    ShiftEof = ini.ReadInteger(section, L"ShiftEof", 12);
    ShiftTab = ini.ReadInteger(section, L"ShiftTab", 8);
    ShiftDbcs = ini.ReadInteger(section, L"ShiftDbcs", 13);
    ApplyMarks();
}


void TFormText::MenuKeyBoardClick() {
    if (ShowKeyBoardFor(KeyMapWindow::Text) != mrOK) return;
    // The new keys replace the caret keys the Notepad cursor mode lent out.
    if (MenuChecked(1251)) MenuCursolDisabledClick();
    SetShortCutKey();
}

}  // namespace quib
