// The text viewer's window: its controls and layout, settings, key map and
// language, loading and showing a file, line numbers and the status bars.
#include "viewers/text/FormText.h"
#include "settings/SettingKeys.h"

#include <commctrl.h>
#include <windowsx.h>
#include <imm.h>

#include <algorithm>

#include "app/Application.h"
#include "app/Language.h"
#include "keymap/KeyMapApply.h"
#include "util/ColorText.h"
#include "util/Controls.h"
#include "util/Message.h"
#include "util/StrConv.h"
#include "util/Theme.h"
#include "viewers/text/CharCode.h"
#include "viewers/text/FormFind.h"
#include "viewers/text/TextDecode.h"
#include "viewers/text/TextRules.h"

namespace quib {
namespace {

constexpr int kMemo1 = 100, kMemo9 = 101, kCombo = 102;
constexpr int kTagLabel1 = 2001, kTagButtonNext2 = 2011, kTagButtonPrev2 = 2012;
constexpr UINT_PTR kTimer6 = 6;
const wchar_t kSection[] = L"Editor";

// The encoding items by index (0 automatic, 1 to 10) and their settings keys.
struct ReadItem {
    int tag;
    const wchar_t* key;
};
const ReadItem kReadItems[] = {
    {1321, L"ReadAuto"},       {1301, L"ReadSJIS"},        {1302, L"ReadJIS"},      {1303, L"ReadEUCJP"},
    {1304, L"ReadUTF7"},       {1305, L"ReadUTF8Bom"},     {1306, L"ReadUTF8"},     {1307, L"ReadUTF16BomBe"},
    {1308, L"ReadUTF16Be"},    {1309, L"ReadUTF16BomLe"},  {1310, L"ReadUTF16Le"},
};
struct TabItem {
    int tag;
    const wchar_t* key;
    int dialogUnits;
};
const TabItem kTabItems[] = {{1421, L"Tab2", 8}, {1422, L"Tab4", 16}, {1423, L"Tab6", 24}, {1424, L"Tab8", 32}};
struct ToggleSetting {
    int tag;
    const wchar_t* section;
    const wchar_t* key;
    bool def;
};
// Check marks kept in the settings file, read at creation and written at destruction.
const ToggleSetting kToggles[] = {
    {1411, kSection, L"CrLf", false},          {1412, kSection, L"EOF", false},
    {1413, kSection, L"Tab", false},           {1414, kSection, L"DBCS", false},
    {1541, kSection, L"SameAsQuibView", true}, {1403, kSection, L"ShowLineNumber", false},
    {1108, kSection, L"SearchWordAutoGet", true}, {1111, kSection, L"SearchBarSetFocus", true},
    {1431, L"StatusBar", L"PositionTop", true}, {1432, L"StatusBar", L"PositionBottom", true},
};

bool FileExistsW(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(h, &size) && static_cast<std::uint64_t>(size.QuadPart) <= kTextViewMaxBytes;
    if (ok) {
        bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
        size_t done = 0;
        while (ok && done < bytes.size()) {
            DWORD got = 0;
            const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
            ok = ReadFile(h, bytes.data() + done, want, &got, nullptr) && got > 0;
            done += got;
        }
    }
    CloseHandle(h);
    return ok;
}

std::wstring FileNameOnly(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/:");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// "quibFM.ini" colours: six hexadecimal digits read as a number whose lowest
// byte is red.
COLORREF HexColor(const std::wstring& text, COLORREF def) {
    if (text.empty() || text.size() > 8) return def;
    wchar_t* end = nullptr;
    const unsigned long v = wcstoul(text.c_str(), &end, 16);
    return end && *end == 0 ? static_cast<COLORREF>(v & 0xFFFFFF) : def;
}

}  // namespace

TFormText::TFormText(std::wstring fileName) : TFormBase([] {
    FormDescription d = FormDescription::Window(L"FormText", SIZE{700, 240}, SIZE{700, 240});
    d.languageFile = L"Text.txt";
    d.commands = &TextCommandTable();
    d.keyMap = KeyMapWindow::Text;
    // The key map is built before the language is applied (the captions of
    // its lines are the designed ones); Esc and Enter are the viewer's own.
    d.standardShow = false;
    d.escCloses = false;
    d.dialogKeys = false;
    return d;
}()), StrLoadFileName(std::move(fileName)) {}

TFormText::~TFormText() {
    findHolder_.reset();
    if (memoFont_) DeleteObject(memoFont_);
    if (backBrush_) DeleteObject(backBrush_);
}

std::wstring TFormText::StatusText(int bar, int panel) const {
    const auto& texts = statusTexts_[bar == 2 ? 1 : 0];
    return panel >= 0 && panel < static_cast<int>(texts.size()) ? texts[static_cast<size_t>(panel)] : std::wstring();
}

// ---------------------------------------------------------------- creation

void TFormText::FormCreate() {
    statusTexts_[0].assign(7, L"");
    statusTexts_[1].assign(7, L"");
    // Both bars are placed by the layout: a status bar aligns itself to the
    // bottom of its parent otherwise.
    const DWORD barStyle = WS_CHILD | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER;
    status2_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", barStyle | CCS_TOP, 0, 0, 0, 0, handle_, nullptr, Instance(), nullptr);
    status1_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", barStyle, 0, 0, 0, 0, handle_, nullptr, Instance(), nullptr);
    for (HWND s : {status1_, status2_}) SendMessageW(s, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont()), FALSE);
    label1_ = AddControl(ComponentKind::Label, kTagLabel1, L"STATIC", L"検索バー(&,)", WS_CHILD | SS_NOTIFY | SS_CENTERIMAGE);
    combo_ = AddControl(ComponentKind::Other, 0, L"COMBOBOX", L"",
                        WS_CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, kCombo);
    buttonNext2_ = AddButton(kTagButtonNext2, L"次検索(&V)");
    buttonPrev2_ = AddButton(kTagButtonPrev2, L"前検索(&T)");
    for (HWND b : {buttonNext2_, buttonPrev2_}) ShowWindow(b, SW_HIDE);
    if (HWND edit = FindWindowExW(combo_, nullptr, L"EDIT", nullptr))
        SetWindowSubclass(edit, ComboEditProc, 1, reinterpret_cast<DWORD_PTR>(this));
    memo9_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_MULTILINE | ES_READONLY | ES_RIGHT, 0, 0, 0, 0, handle_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kMemo9)), Instance(), nullptr);
    SendMessageW(memo9_, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
    SetWindowSubclass(memo9_, MemoProc, 9, reinterpret_cast<DWORD_PTR>(this));

    SetMenuEnabled(1109, false);
    SetMenuEnabled(1110, false);
    ReadSettings();
    SetLoadIndexFromMenu();
    CreateMemo1(MenuChecked(1402));
    ApplyFont();
    SetWrap(MenuChecked(1402));
    ShowSearchBar(Settings().ReadBool(L"SearchBar", L"PositionTop", true));
    SetMenuChecked(1435, Settings().ReadBool(L"SearchBar", L"PositionTop", true));
    ShowWindow(status2_, MenuChecked(1431) ? SW_SHOW : SW_HIDE);
    ShowWindow(status1_, MenuChecked(1432) ? SW_SHOW : SW_HIDE);
    if (MenuChecked(1403)) SetTimer(handle_, kTimer6, 200, nullptr);
}

void TFormText::CreateMemo1(bool wrap) {
    std::wstring text;
    int selStart = 0, selEnd = 0;
    if (memo1_) {
        GetSel(selStart, selEnd);
        DestroyWindow(memo1_);
    }
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_NOHIDESEL |
                  ES_AUTOVSCROLL;
    if (!wrap) style |= WS_HSCROLL | ES_AUTOHSCROLL;
    memo1_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", style, 0, 0, 0, 0, handle_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kMemo1)), Instance(), nullptr);
    SendMessageW(memo1_, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
    if (memoFont_) SendMessageW(memo1_, WM_SETFONT, reinterpret_cast<WPARAM>(memoFont_), FALSE);
    SetWindowSubclass(memo1_, MemoProc, 1, reinterpret_cast<DWORD_PTR>(this));
    memoEx_.Attach(memo1_);
    memoEx_.SetText(&StrListLoadFileTmp);
    AttachPopupMenu(memo1_, 1900);
    wrap_ = wrap;
    sentTabStops_ = -1;
    SetTabStops();
    if (!StrListLoadFileTmp.empty()) {
        SetWindowTextW(memo1_, StrListLoadFileTmp.c_str());
        SendMessageW(memo1_, EM_SETSEL, static_cast<WPARAM>(selStart), selEnd);
        SendMessageW(memo1_, EM_SCROLLCARET, 0, 0);
    }
    RECT rc;
    GetClientRect(handle_, &rc);
    FormResize(rc.right, rc.bottom);
}

// The colours and font the parameter settings dialog edits.
void TFormText::ReadEditorColors(const IniFile& ini) {
    fontName_ = ReadKey(ini, key::EditorFontName);
    fontSize_ = _wtoi(ReadKey(ini, key::EditorFontSize).c_str());
    fontColorText_ = ReadKey(ini, key::EditorFontColor);
    colorText_ = ReadKey(ini, key::EditorColor);
    kigouColorText_ = ReadKey(ini, key::EditorColorKigou);
}

void TFormText::ReadSettings() {
    const IniFile ini = Settings();
    ReadEditorColors(ini);
    int checked = 0;
    for (int i = 10; i >= 0; --i)
        if (ini.ReadBool(kSection, kReadItems[i].key, i == 0)) checked = i;
    for (int i = 0; i <= 10; ++i) SetMenuChecked(kReadItems[i].tag, i == checked);
    IntLoadCharIndex = checked;
    int tab = 1;
    for (int i = 3; i >= 0; --i)
        if (ini.ReadBool(kSection, kTabItems[i].key, i == 1)) tab = i;
    for (int i = 0; i < 4; ++i) SetMenuChecked(kTabItems[i].tag, i == tab);
    for (const auto& t : kToggles) SetMenuChecked(t.tag, ini.ReadBool(t.section, t.key, t.def));
    SetMenuChecked(1802, MenuChecked(1111));
    const bool wrap = !ini.ReadBool(kSection, L"WrapNone", true) || ini.ReadBool(kSection, L"WrapWindowWidth", false);
    SetMenuChecked(1401, !wrap);
    SetMenuChecked(1402, wrap);
    SetMenuChecked(1434, ini.ReadBool(L"StatusBar", L"ShowFileName", false));
    IntScroll3 = ini.ReadInteger(kSection, L"ScrollPlusPlusPlusIndex", 16) + 1;
    IntScroll2 = ini.ReadInteger(kSection, L"ScrollPlusPlusIndex", 16) + 1;
    IntScroll1 = ini.ReadInteger(kSection, L"ScrollPlusIndex", 2) + 1;
    LineWidth = ini.ReadInteger(kSection, L"LineWidth", 80);
    const wchar_t* shiftSection = MenuChecked(1541) ? L"quibView" : kSection;
    ShiftRet = ini.ReadInteger(shiftSection, L"ShiftRet", 15);
    ShiftEof = ini.ReadInteger(shiftSection, L"ShiftEof", 12);
    ShiftTab = ini.ReadInteger(shiftSection, L"ShiftTab", 8);
    ShiftDbcs = ini.ReadInteger(shiftSection, L"ShiftDbcs", 13);
    SetMenuEnabled(1501, !MenuChecked(1541));
}

void TFormText::WriteSettings() {
    const IniFile ini = Settings();
    for (int i = 0; i <= 10; ++i) ini.WriteBool(kSection, kReadItems[i].key, MenuChecked(kReadItems[i].tag));
    for (const auto& t : kTabItems) ini.WriteBool(kSection, t.key, MenuChecked(t.tag));
    for (const auto& t : kToggles) ini.WriteBool(t.section, t.key, MenuChecked(t.tag));
    ini.WriteBool(kSection, L"WrapNone", MenuChecked(1401));
    ini.WriteBool(kSection, L"WrapWindowWidth", MenuChecked(1402));
    ini.WriteString(kSection, L"FontNameReadOnly", fontName_);
    ini.WriteString(kSection, L"FontSizeReadOnly", std::to_wstring(fontSize_));
    ini.WriteString(kSection, L"FontColorReadOnly", fontColorText_);
    ini.WriteString(kSection, L"BackColorReadOnly", colorText_);
    ini.WriteString(kSection, L"KigouColor", kigouColorText_);
}

// Colours and font: those of the sibling viewer's settings when the item says
// so, else the viewer's own.
void TFormText::ApplyFont() {
    std::wstring name = fontName_;
    int size = fontSize_ > 0 ? fontSize_ : 14;
    if (MenuChecked(1541)) {
        const IniFile quib(ProgramFolder() + L"\\quibFM.ini");
        name = ReadKey(quib, key::QuibViewFontName);
        size = ReadKeyInt(quib, key::QuibViewFontHeight);
        fontColor_ = HexColor(ReadKey(quib, key::QuibViewColorText), RGB(255, 255, 255));
        backColor_ = HexColor(ReadKey(quib, key::QuibViewColorBack), RGB(0, 0, 0x40));
        kigouColor_ = HexColor(ReadKey(quib, key::QuibViewColorRetMark), RGB(128, 128, 128));
    } else {
        fontColor_ = ColorTextToColor(fontColorText_, RGB(0, 0, 0));
        backColor_ = ColorTextToColor(colorText_, RGB(255, 255, 255));
        kigouColor_ = ColorTextToColor(kigouColorText_, RGB(0, 0, 255));
    }
    if (memoFont_) DeleteObject(memoFont_);
    memoFont_ = CreateFontW(-MulDiv(size, static_cast<int>(Dpi()), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                            DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            FIXED_PITCH | FF_MODERN, name.c_str());
    if (DarkStyleActive()) {
        // The dark style: the text on the main window's colour.
        backColor_ = CurrentPalette().window;
        fontColor_ = CurrentPalette().windowText;
    }
    if (backBrush_) DeleteObject(backBrush_);
    backBrush_ = CreateSolidBrush(backColor_);
    for (HWND m : {memo1_, memo9_}) {
        SendMessageW(m, WM_SETFONT, reinterpret_cast<WPARAM>(memoFont_), TRUE);
        InvalidateRect(m, nullptr, TRUE);
    }
    SetTabStops();
    ApplyMarks();
}

void TFormText::ApplyMarks() {
    memoEx_.EditMarks.CrlfMark.Enabled = MenuChecked(1411);
    memoEx_.EditMarks.EofMark.Enabled = MenuChecked(1412);
    memoEx_.EditMarks.TabMark.Enabled = MenuChecked(1413);
    memoEx_.EditMarks.SpaceMark.Enabled = MenuChecked(1414);
    for (TEditMark* m : {&memoEx_.EditMarks.CrlfMark, &memoEx_.EditMarks.EofMark, &memoEx_.EditMarks.TabMark,
                         &memoEx_.EditMarks.SpaceMark})
        m->Color = kigouColor_;
    memoEx_.Color = backColor_;
    memoEx_.DarkMode = DarkStyleActive();
    memoEx_.DarkBackColor = CurrentPalette().window;
    memoEx_.ShiftRet = ShiftRet;
    memoEx_.ShiftEof = ShiftEof;
    memoEx_.ShiftTab = ShiftTab;
    memoEx_.ShiftDBCS = ShiftDbcs;
    memoEx_.Redraw();
}

void TFormText::SetTabStops() {
    for (const auto& t : kTabItems)
        if (MenuChecked(t.tag)) TabStops = t.dialogUnits;
    if (!memo1_) return;
    // Sent only when it changes: the control lays out every line again.
    if (TabStops != sentTabStops_) {
        SendMessageW(memo1_, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&TabStops));
        sentTabStops_ = TabStops;
    }
    InvalidateRect(memo1_, nullptr, TRUE);
}

// ---------------------------------------------------------------- showing

void TFormText::FormShow() {
    InstallTextKeyMap();
    BoolJapanese = UiJapanese();
    StrLanguageFileName = LanguageFilePath(L"Text.txt");
    ApplyLanguage();
    // Laid out before the text arrives: every change of the control's size,
    // font or tab stops lays out all its lines again.
    BoolFormShow = true;
    {
        RECT rc;
        GetClientRect(handle_, &rc);
        FormResize(rc.right, rc.bottom);
    }
    if (FileExistsW(StrLoadFileName)) {
        SetLoadIndexFromMenu();
        LoadFile();
    } else {
        After(200, [this] {
            ShowMsgJE(handle_, L"Information : ファイルがありません", L"Information : File is not exist.\r\n[OK]");
        });
    }
    SetFocus(memo1_);
    BoolFormShow = true;
    RECT rc;
    GetClientRect(handle_, &rc);
    FormResize(rc.right, rc.bottom);
}

void TFormText::LanguageApplied() {
    SetCaption(StrLoadFileName + (BoolJapanese ? L" - テキスト表示" : L" - Text Viwer"));
    StrLoadChar = CharCodeStatusText(IntLoadCharIndex, BoolJapanese);
    StrLoadReturn = RetCodeStatusText(IntLoadCrLfIndex, BoolJapanese);
    SetPanel(3, BoolFileReadOnly ? (BoolJapanese ? L"ファイル読取専用" : L"ReadOnlyFile") : L"");
    SetPanel(4, StrLoadChar);
    SetPanel(5, StrLoadReturn);
    MemoStatus();
}

void TFormText::FormResize(int clientWidth, int clientHeight) {
    int top = 0, bottom = clientHeight;
    const int barHeight = Scale(22);
    const int widths[7] = {std::max(0, clientWidth - Scale(640)), Scale(120), Scale(90), Scale(120),
                           Scale(210), Scale(120), Scale(20)};
    int edges[7];
    int x = 0;
    for (int i = 0; i < 7; ++i) edges[i] = (x += widths[i]);
    edges[6] = -1;
    for (HWND s : {status1_, status2_}) {
        if (!s) continue;
        SendMessageW(s, SB_SETPARTS, 7, reinterpret_cast<LPARAM>(edges));
    }
    if (status2_ && IsWindowVisible(status2_)) {
        MoveWindow(status2_, 0, 0, clientWidth, barHeight, TRUE);
        top += barHeight;
    }
    if (status1_ && IsWindowVisible(status1_)) {
        MoveWindow(status1_, 0, clientHeight - barHeight, clientWidth, barHeight, TRUE);
        bottom -= barHeight;
    }
    if (combo_ && IsWindowVisible(combo_)) {
        const int searchHeight = Scale(28);
        const int labelWidth = Scale(90), buttonWidth = Scale(110);
        const int comboWidth = std::max(Scale(60), clientWidth - Scale(340));
        MoveWindow(label1_, Scale(4), top + Scale(3), labelWidth - Scale(8), Scale(22), TRUE);
        MoveWindow(combo_, labelWidth, top + Scale(3), comboWidth, Scale(300), TRUE);
        MoveWindow(buttonNext2_, labelWidth + comboWidth + Scale(6), top + Scale(2), buttonWidth, Scale(24), TRUE);
        MoveWindow(buttonPrev2_, labelWidth + comboWidth + Scale(12) + buttonWidth, top + Scale(2), buttonWidth,
                   Scale(24), TRUE);
        top += searchHeight;
    }
    int left = 0;
    if (memo9_ && IsWindowVisible(memo9_)) {
        left = Scale(LineWidth);
        MoveWindow(memo9_, 0, top, left, std::max(0, bottom - top), TRUE);
    }
    if (memo1_) MoveWindow(memo1_, left, top, std::max(0, clientWidth - left), std::max(0, bottom - top), TRUE);
}

void TFormText::ShowSearchBar(bool show) {
    for (HWND h : {label1_, combo_, buttonNext2_, buttonPrev2_}) ShowWindow(h, show ? SW_SHOW : SW_HIDE);
    RECT rc;
    GetClientRect(handle_, &rc);
    FormResize(rc.right, rc.bottom);
}

void TFormText::FormClose() {
    CloseIme();
    if (FindVisible()) find_->Close();
    KillTimer(handle_, kTimer6);
}

void TFormText::FormDestroy() {
    WriteSettings();
    RemoveUnKnownScratch();
}

// ---------------------------------------------------------------- key map

KeyMapTable TextBuiltInKeyTable(int exeType, const TFormBase* captionsFrom) {
    KeyMapTable table;
    for (const KeyMapLine& line : BuiltInKeyTable(TextCommandTable(), captionsFrom)) {
        const int number = _wtoi(line.number.c_str());
        if (number >= 1700) continue;  // the copies on other bars and the context menu: no lines of their own
        KeyMapLine l = line;
        if (exeType != 0) {
            // The Notepad-like set.
            static const std::pair<int, const wchar_t*> kSet1[] = {
                {1101, L"Ctrl+F"}, {1102, L"F3"},        {1103, L"Shift+F3"}, {1107, L"Ctrl+,"}, {1109, L"F3"},
                {1110, L"Shift+F3"}, {1231, L"Ctrl+Home"}, {1238, L"Ctrl+End"}, {1241, L"Home"},   {1242, L"End"},
                {1271, L"Right"},  {1272, L"Left"},      {1273, L"PgUp"},     {1274, L"Up"},     {1275, L"Down"},
                {1276, L"PgDn"}};
            l.keyText.clear();
            for (const auto& [n, key] : kSet1)
                if (n == number) l.keyText = key;
        }
        table.push_back(l);
    }
    return table;
}

void TFormText::InitKeyMap(int exeType) { StrListKeyMapOriginal = TextBuiltInKeyTable(exeType, this); }

void TFormText::InstallTextKeyMap() {
    InitKeyMap(0);
    // The viewer says nothing when the file was replaced by the built-in map.
    BoolKeyMapSame = CheckKeyMapFile(KeyMapFilePath(KeyMapWindow::Text), StrListKeyMapOriginal, StrListKeyMap);
    SetShortCutKey();
}

void TFormText::SetShortCutKey() {
    LoadKeyMapFile(KeyMapFilePath(KeyMapWindow::Text), StrListKeyMap);
    if (StrListKeyMap.empty()) return;
    for (const auto& [tag, key] : KeyMapShortCuts(StrListKeyMapOriginal, StrListKeyMap, false)) SetShortCut(tag, key);
    ApplyShortCutCopies();
}

// The search bar's menu carries the keys of the commands it copies.
void TFormText::ApplyShortCutCopies() {
    static const std::pair<int, int> kCopies[] = {{1801, 1107}, {1802, 1111}, {1803, 1109}, {1804, 1110}, {1805, 1112}};
    for (const auto& [copy, original] : kCopies) SetShortCut(copy, GetShortCut(original));
}

// ---------------------------------------------------------------- loading

void TFormText::GetCharCodeRetCode(const std::wstring& fileName, int& charCode, int& retCode) {
    CharCodeResult r;
    if (DetectFileCharCode(fileName, UnKnownScratchPath(), r) == DetectStatus::Missing) {
        ShowMsgJE(handle_, L"Information : ファイルがありません", L"Information : File is not exist.\r\n[OK]");
        return;
    }
    charCode = r.CharCode;
    retCode = r.RetCode;
    BoolLfInLine = r.BoolLfInLine;
    BoolUnKnownCharCode = r.BoolUnKnownCharCode;
}

void TFormText::SetLoadIndexFromMenu() {
    for (int i = 0; i <= 10; ++i)
        if (MenuChecked(kReadItems[i].tag)) IntLoadCharIndex = i;
    StrLoadChar = CharCodeStatusText(IntLoadCharIndex, BoolJapanese);
    StrLoadReturn = L"Cr+Lf(Windows) ";
}

void TFormText::SetPanel(int panel, const std::wstring& text) {
    for (int b = 0; b < 2; ++b) {
        statusTexts_[b][static_cast<size_t>(panel)] = text;
        HWND s = b == 0 ? status1_ : status2_;
        SendMessageW(s, SB_SETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void TFormText::InformationUpDate() {
    SetCaption(StrLoadFileName + (BoolJapanese ? L" - テキスト表示" : L" - Text Viwer"));
    SetPanel(0, MenuChecked(1434) ? FileNameOnly(StrLoadFileName) : StrSearchValue);
}

void TFormText::LoadFile() {
    const DWORD attributes = GetFileAttributesW(StrLoadFileName.c_str());
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) ||
        !GetFileAttributesExW(StrLoadFileName.c_str(), GetFileExInfoStandard, &data)) {
        ShowMsgJE(handle_, L"Information : ファイルがありません", L"Information : File is not exist.\r\n[OK]");
        return;
    }
    const std::uint64_t size = (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    if (size > kTextViewMaxBytes) {
        ShowMsgJE(handle_, L"Information : ファイルが大きすぎるので表示できません (上限 128 MB)\r\n" + StrLoadFileName,
                  L"Information : File is too large to view (the limit is 128 MB).\r\n[OK]\r\n" + StrLoadFileName);
        return;
    }
    IntLoadFileSize = static_cast<std::int64_t>(size);
    InformationUpDate();
    for (int p = 3; p <= 6; ++p) SetPanel(p, L"");

    int charCode = IntReadEncode1, retCode = IntReadReturn1;
    GetCharCodeRetCode(StrLoadFileName, charCode, retCode);
    IntReadEncode1 = charCode;
    IntReadReturn1 = retCode;
    if (IntLoadCharIndex != 0) charCode = IntLoadCharIndex;
    IntLoadCharIndex = charCode;
    IntLoadCrLfIndex = retCode;
    if (BoolLfInLine)
        After(300, [this] {
            ShowMsgJE(handle_, L"Information : 改行(CrLf)までに、さらに改行(Lf)があります",
                      L"Information : LineFeed [Lf] is exist, before CarrigeRetun and LineFeed [CrLf].\r\n[OK]");
        });

    std::string bytes;
    if (!ReadWholeFile(StrLoadFileName, bytes)) bytes.clear();
    if (BoolUnKnownCharCode) {
        // The filtered copy, as the scratch file holds it, read in the ANSI
        // code page; it is made here again so that a scratch file that could
        // not be written does not matter.
        StrListLoadFileTmp = TextForMemo(AnsiToWide(FilteredCopy(bytes)));
        After(300, [this] {
            ShowMsgJE(handle_, L"Information : 不正な文字を含んでいますので書き換え禁止ファイルとして扱います",
                      L"Information : Some letters can not acccept, so file type lokks like Read Only File.\r\n[OK]");
        });
    } else {
        StrListLoadFileTmp = TextForMemo(DecodeText(bytes, charCode));
        StrLoadChar = CharCodeStatusText(charCode, BoolJapanese);
    }
    std::string().swap(bytes);
    SetTabStops();
    ShowText();
    SendMessageW(memo1_, EM_SETSEL, 0, 0);
    SendMessageW(memo1_, EM_SCROLLCARET, 0, 0);
    StrLoadReturn = RetCodeStatusText(retCode, BoolJapanese);
    BoolFileReadOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0 || BoolUnKnownCharCode;
    SetPanel(3, BoolFileReadOnly ? (BoolJapanese ? L"ファイル読取専用" : L"ReadOnlyFile") : L"");
    SetPanel(4, StrLoadChar);
    SetPanel(5, StrLoadReturn);
    SetTabStops();
    After(100, [this] {
        if (IntLoadFileSize > 0 && GetWindowTextLengthW(memo1_) == 0)
            ShowMsgJE(handle_,
                      L"Information : ファイルサイズが 0 以上ですが、テキストが取得できませんでした\r\n文字コードが自動"
                      L"検出の場合は、文字コードを直接設定してみてください",
                      L"Information : File size is more than 0[Zero], but text can not read.\r\nWhen set text code is "
                      L"auto detect, set text code directly.\r\n[OK]");
    });
    MemoStatus();
}

void TFormText::ShowText() {
    SetWindowTextW(memo1_, StrListLoadFileTmp.c_str());
    SendMessageW(memo1_, EM_SETMODIFY, FALSE, 0);
    SetLineNumber();
}

// ---------------------------------------------------------------- line numbers and status

int TFormText::LineCount() const {
    if (GetWindowTextLengthW(memo1_) == 0) return 0;
    // The control shows one empty line after the text's last line end.
    return std::max(0, static_cast<int>(SendMessageW(memo1_, EM_GETLINECOUNT, 0, 0)) - 1);
}

void TFormText::SetLineNumber() {
    if (!MenuChecked(1403) || wrap_) return;
    const int lineZero = Settings().ReadInteger(kSection, L"LineZero", 1);
    const std::wstring text = LineNumbersText(LineCount(), lineZero);
    SetWindowTextW(memo9_, text.c_str());
    IntTopLineMemo = -1;
    SyncLineNumbers();
}

void TFormText::SyncLineNumbers() {
    if (!IsWindowVisible(memo9_)) return;
    const int top = static_cast<int>(SendMessageW(memo1_, EM_GETFIRSTVISIBLELINE, 0, 0));
    if (top == IntTopLineMemo) return;
    const int paneTop = static_cast<int>(SendMessageW(memo9_, EM_GETFIRSTVISIBLELINE, 0, 0));
    SendMessageW(memo9_, EM_LINESCROLL, 0, top - paneTop);
    IntTopLineMemo = top;
}

void TFormText::GetSel(int& start, int& end) const {
    DWORD s = 0, e = 0;
    SendMessageW(memo1_, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    start = static_cast<int>(s);
    end = static_cast<int>(e);
}

int TFormText::CaretLine() const {
    int start = 0, end = 0;
    GetSel(start, end);
    return static_cast<int>(SendMessageW(memo1_, EM_LINEFROMCHAR, static_cast<WPARAM>(start), 0));
}

std::wstring TFormText::LineText(int line) const {
    const int index = static_cast<int>(SendMessageW(memo1_, EM_LINEINDEX, static_cast<WPARAM>(line), 0));
    if (index < 0) return {};
    const int length = static_cast<int>(SendMessageW(memo1_, EM_LINELENGTH, static_cast<WPARAM>(index), 0));
    std::wstring text(static_cast<size_t>(length) + 2, L'\0');
    *reinterpret_cast<WORD*>(text.data()) = static_cast<WORD>(std::min(length + 1, 0xFFFF));
    const int got = static_cast<int>(SendMessageW(memo1_, EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(text.data())));
    text.resize(static_cast<size_t>(std::max(0, got)));
    return text;
}

void TFormText::MemoStatus() {
    if (!memo1_ || statusTexts_[0].empty()) return;
    int start = 0, end = 0;
    GetSel(start, end);
    const int line = static_cast<int>(SendMessageW(memo1_, EM_LINEFROMCHAR, static_cast<WPARAM>(start), 0));
    const int index = static_cast<int>(SendMessageW(memo1_, EM_LINEINDEX, static_cast<WPARAM>(line), 0));
    const int column = end > start ? 0 : start - index + 1;
    SetPanel(1, CaretStatusText(line + 1, column, BoolJapanese));
    SetPanel(2, LineCountText(LineCount(), BoolJapanese));
}

// ---------------------------------------------------------------- messages

bool TFormText::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT: {
            HWND control = reinterpret_cast<HWND>(lp);
            if (control != memo1_ && control != memo9_) return false;
            HDC dc = reinterpret_cast<HDC>(wp);
            SetTextColor(dc, fontColor_);
            SetBkColor(dc, backColor_);
            result = reinterpret_cast<LRESULT>(backBrush_);
            return true;
        }
        case WM_TIMER:
            if (wp == kTimer6) {
                SyncLineNumbers();
                return true;
            }
            return false;
        case WM_ACTIVATE:
            if (LOWORD(wp) != WA_INACTIVE && MenuBar() == 2) SetMenuBar(0);
            return false;
        case WM_INITMENUPOPUP:
            if (reinterpret_cast<HMENU>(wp) == PopupMenu(1900)) {
                // The context menu: copying needs a selection, the others a text.
                int start = 0, end = 0;
                GetSel(start, end);
                const int length = GetWindowTextLengthW(memo1_);
                SetMenuEnabled(1901, end > start);
                SetMenuEnabled(1902, end > start);
                SetMenuEnabled(1903, length > 0 && !(start == 0 && end >= length));
                SetMenuEnabled(1904, length > 0);
            }
            return false;
        default:
            return false;
    }
}

void TFormText::ControlCommand(HWND control, int /*id*/, int code) {
    if (control == memoEx_.Handle() && memoEx_.Notify(code)) return;
    if (control == combo_) {
        if (code == CBN_SETFOCUS) ComboFocus(true);
        if (code == CBN_KILLFOCUS) ComboFocus(false);
        return;
    }
    if (control == buttonNext2_ && code == BN_CLICKED) SearchBarSearch(true);
    if (control == buttonPrev2_ && code == BN_CLICKED) SearchBarSearch(false);
    if (control == label1_ && code == STN_CLICKED) MenuSearchBarClick();
}

bool TFormText::FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) {
    HWND focus = GetFocus();
    const bool inCombo = focus && (focus == combo_ || GetParent(focus) == combo_);
    if (inCombo && key == VK_RETURN && !alt) {
        ComboEnter(shift, ctrl);
        return true;
    }
    if (inCombo && key == VK_ESCAPE) return true;
    if ((key == VK_ESCAPE || key == VK_RETURN) && !shift && !ctrl && !alt && MenuBar() == 0) {
        if (FindVisible()) find_->Close();
        else Close();
        return true;
    }
    return false;
}

LRESULT CALLBACK TFormText::ComboEditProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    // The Enter and Esc characters would beep in the edit.
    if (msg == WM_CHAR && (wp == VK_RETURN || wp == VK_ESCAPE)) return 0;
    (void)data;
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, ComboEditProc, 1);
    return DefSubclassProc(hwnd, msg, wp, lp);
}

LRESULT CALLBACK TFormText::MemoProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data) {
    auto* form = reinterpret_cast<TFormText*>(data);
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, MemoProc, id);
        return DefSubclassProc(hwnd, msg, wp, lp);
    }
    if (id == 9) {
        // A press in the line-number pane moves the caret to that line.
        if (msg == WM_LBUTTONDOWN) {
            // From the height of a line: the control's own answer is 16 bits wide.
            HDC dc = GetDC(hwnd);
            HGDIOBJ old = SelectObject(dc, form->memoFont_);
            TEXTMETRICW tm{};
            GetTextMetricsW(dc, &tm);
            SelectObject(dc, old);
            ReleaseDC(hwnd, dc);
            const int y = GET_Y_LPARAM(lp);
            const int paneLine = static_cast<int>(SendMessageW(hwnd, EM_GETFIRSTVISIBLELINE, 0, 0)) +
                                 (tm.tmHeight > 0 ? std::max(0, y) / tm.tmHeight : 0);
            form->MoveCaretToLine(std::min(paneLine, std::max(0, form->LineCount())));
            return 0;
        }
        if (msg == WM_CONTEXTMENU) return 0;
        return DefSubclassProc(hwnd, msg, wp, lp);
    }
    if (msg == WM_LBUTTONDBLCLK) {
        form->MemoEvent(msg, wp, lp);
        return 0;
    }
    const LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
    form->MemoEvent(msg, wp, lp);
    return result;
}

void TFormText::MemoEvent(UINT msg, WPARAM wp, LPARAM /*lp*/) {
    switch (msg) {
        case WM_SETFOCUS:
            if (MenuBar() != 0) SetMenuBar(0);
            break;
        case WM_LBUTTONDOWN: {
            int start = 0, end = 0;
            GetSel(start, end);
            IntSelStart = start;
            BoolMouseDown = true;
            MemoStatus();
            break;
        }
        case WM_LBUTTONUP:
        case WM_KEYUP: {
            BoolMouseDown = false;
            int start = 0, end = 0;
            GetSel(start, end);
            Info = TSearchInfo{start, end - start};
            IntSelStart = start;
            MemoStatus();
            if (msg == WM_KEYUP && GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0)
                PickUpSelection();
            SyncLineNumbers();
            break;
        }
        case WM_KEYDOWN:
            if (GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0) PickUpSelection();
            break;
        case WM_MOUSEMOVE:
            if (wp & MK_LBUTTON) {
                MemoStatus();
                PickUpSelection();
            }
            break;
        case WM_LBUTTONDBLCLK:
            SendMessageW(memo1_, EM_SETSEL, static_cast<WPARAM>(IntSelStart), IntSelStart);
            SelectWordAtCaret();
            {
                int start = 0, end = 0;
                GetSel(start, end);
                if (IsWindowVisible(combo_) && end > start)
                    SetWindowTextW(combo_, StrListLoadFileTmp.substr(static_cast<size_t>(start), static_cast<size_t>(end - start)).c_str());
            }
            MemoStatus();
            break;
        case WM_VSCROLL:
        case WM_MOUSEWHEEL:
            SyncLineNumbers();
            break;
        default:
            break;
    }
}

void TFormText::MenuCommand(int id) {
    for (int i = 0; i <= 10; ++i) {
        if (kReadItems[i].tag != id) continue;
        if (MenuChecked(id)) return;
        for (const auto& r : kReadItems) SetMenuChecked(r.tag, r.tag == id);
        SetLoadIndexFromMenu();
        SetPanel(4, StrLoadChar);
        if (!StrLoadFileName.empty()) LoadFile();
        return;
    }
    for (const auto& t : kTabItems) {
        if (t.tag != id) continue;
        if (MenuChecked(id)) return;
        for (const auto& u : kTabItems) SetMenuChecked(u.tag, u.tag == id);
        SetTabStops();
        return;
    }
}

// ---------------------------------------------------------------- opening

void ShowTextViewer(const std::wstring& fileName) {
    FormInstance<TFormText> form(fileName);
    form.ShowModal();
}

}  // namespace quib
