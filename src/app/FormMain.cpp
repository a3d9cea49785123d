// The main window's life: creation, first display, command line, listing
// modes, opening archives, drops, timers and the end of the run.
#include "app/FormMain.h"
#include "settings/SettingKeys.h"

#include <commctrl.h>
#include <shellapi.h>

#include "app/Application.h"
#include "app/FormHelp.h"
#include "app/FormLog.h"
#include "app/Language.h"
#include "app/MainMenuTable.h"
#include "archive/Archive.h"
#include "archive/Listing.h"
#include "extract/ExtractTemp.h"
#include "util/Message.h"
#include "util/MyUtility.h"
#include "util/StrConv.h"

namespace quib {
namespace {

TFormMain* g_formMain = nullptr;

bool FileExistsPath(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring RemoveAmpersands(std::wstring s) {
    std::wstring out;
    for (wchar_t c : s)
        if (c != L'&') out.push_back(c);
    return out;
}

// The menu item of each listing mode, in the modes' order.
const int kModeTags[5] = {tag::MenuFileArchive, tag::MenuFileSimple, tag::MenuFileTest, tag::MenuFileSfx,
                          tag::MenuFileSusie};

int ModeTag(ListingMode mode) { return kModeTags[static_cast<int>(mode) - 1]; }

}  // namespace

TFormMain* FormMain() { return g_formMain; }

namespace {
FormDescription MainDescription() {
    FormDescription d = FormDescription::Window(L"FormMain", SIZE{780, 550}, SIZE{780, 550});
    d.languageFile = L"Main.txt";
    d.commands = &MainCommandTable();
    d.keyMap = KeyMapWindow::Main;
    // The key map is built from the menus as the program designed them, and
    // the language comes after the archive settings: both at their own steps.
    d.standardShow = false;
    // Esc closes only when the user asked for it; no dialog keyboard on the
    // list (Enter and the arrows are the key map's); the language changes only
    // through the Jpn/Eng menu.
    d.escCloses = false;
    d.dialogKeys = false;
    d.developerLanguageKeys = false;
    d.exStyle = WS_EX_CONTROLPARENT | WS_EX_APPWINDOW | WS_EX_ACCEPTFILES;
    return d;
}
}  // namespace

TFormMain::TFormMain() : TFormBase(MainDescription()) { g_formMain = this; }

TFormMain::~TFormMain() {
    Application().SetAppMessageHook(nullptr);
    if (g_formMain == this) g_formMain = nullptr;
}

// ---------------------------------------------------------------- commands

std::wstring TFormMain::ModeCaption(int t) const { return RemoveAmpersands(MenuItemCaption(t)); }

bool TFormMain::InitialSearchOn() const {
    return MenuChecked(tag::MenuInitialSearch) || MenuChecked(tag::MenuInitialSearchOneTime);
}

void TFormMain::SwitchLanguage(bool japanese) {
    Ini().WriteBool(L"Language", L"Japanese", japanese);
    SetMenuChecked(tag::MenuJapanese, japanese);
    SetMenuChecked(tag::MenuEnglish, !japanese);
    BoolJapanese = japanese;
    SetUiJapanese(japanese);
    ApplyLanguage();
    ShowListingModeStateOnly();
}

void TFormMain::MenuJapaneseClick() { SwitchLanguage(true); }
void TFormMain::MenuEnglishClick() { SwitchLanguage(false); }

void TFormMain::MenuParentShowClick() {
    if (QuibHandle) SetForegroundWindow(QuibHandle);
}

// The moves are the list's own keys, sent to it so that selection, focus and
// scrolling behave exactly as with the list's keyboard.
void TFormMain::MoveCursor(WORD key) { SendMessageW(list_.Handle(), WM_KEYDOWN, key, 0); }
void TFormMain::MenuMoveUpClick() { MoveCursor(VK_UP); }
void TFormMain::MenuMoveDownClick() { MoveCursor(VK_DOWN); }
void TFormMain::MenuMovePrevClick() { MoveCursor(VK_PRIOR); }
void TFormMain::MenuMoveNextClick() { MoveCursor(VK_NEXT); }

void TFormMain::MenuAllMarkFileClick() { MarkAll(false); }
void TFormMain::MenuAllMarkFolderFileClick() { MarkAll(true); }

void TFormMain::MenuShowLogClick() { ShowModalForm<TFormLog>(); }
void TFormMain::MenuShowHelpClick() { ShowModalForm<TFormHelp>(); }

void TFormMain::MenuCloseClick() { Close(); }

// ---------------------------------------------------------------- creation

void TFormMain::FormCreate() {
    const IniFile ini = Ini();
    if (ReadKeyInt(ini, key::SelectDllFolderIndex) == 0) {
        SetDllDirectoryW(L"");
        BoolReadDllSystem32andApplication = true;
    } else {
        BoolReadDllSystem32andApplication = false;
    }
    DragAcceptFiles(handle_, TRUE);
    // Application hook: a drop addressed to the owner window goes to this window.
    Application().SetAppMessageHook([this](MSG& msg) {
        if (msg.message == WM_DROPFILES && msg.hwnd == Application().Handle()) {
            SetForegroundWindow(Application().Handle());
            PostMessageW(handle_, msg.message, msg.wParam, msg.lParam);
            return true;
        }
        return false;
    });
    // Line splitting lets the window breathe during long loops; pumping at
    // most every 50 ms keeps that without paying a wineserver round trip (or a
    // kernel transition on Windows) for each of a quarter million lines.
    SetPumpHook([] {
        static DWORD last = 0;
        const DWORD now = GetTickCount();
        if (now - last < 50) return;
        last = now;
        Application().ProcessMessages();
    });

    IniFile::CreateEmptyUnicode(ini.Path());
    BoolJapanese = ini.ReadBool(L"Language", L"Japanese", true);
    SetUiJapanese(BoolJapanese);

    StrExePath = ProgramFolder();
    StrExeDrive = ProgramPath().substr(0, 2);
    SetMenuChecked(tag::MenuJapanese, BoolJapanese);
    SetMenuChecked(tag::MenuEnglish, !BoolJapanese);

    StrExtractBase = ExtractBaseFolder(StrExePath, handle_);
    std::wstring programName = ProgramPath().substr(StrExePath.size() + 1);
    if (const size_t dot = programName.find_last_of(L'.'); dot != std::wstring::npos) programName.erase(dot);
    for (const std::wstring& folder :
         {StrExtractBase, StrExePath + L"\\Language", StrExePath + L"\\Language\\" + programName}) {
        if (!ForceDirectories(folder)) {
            ShowMsgJE(handle_, L"Error : フォルダが作成できませんでした\r\n" + folder,
                      L"Error : Folder can not make.\r\n[OK]\r\n" + folder, MsgButtons::Ok, MsgStyle::Error);
        }
    }

    OSVERSIONINFOW vi{sizeof(vi)};
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExW(&vi);
#pragma GCC diagnostic pop
    BoolWindows7Later = vi.dwMajorVersion > 6 || (vi.dwMajorVersion == 6 && vi.dwMinorVersion >= 1);

    ReadMainSettings(ini, StrExePath, MainSettingsPart::Start, *this, handle_);
    Application().SetDeveloper(BoolDeveloper);

    CreateControls();
    AddListColumns();
    IntModeSelectHwnd = 0;
    ReadIniValueInit();
    ReadIniValueSetting();

    SetWindowTextW(memo1_, L"");
    SendMessageW(memo1_, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&TabStops));
    InformationClear();
    ShowWindow(panel7_, SW_SHOW);
    ShowWindow(panel8_, SW_HIDE);

    QuibHandle = nullptr;
    IntInfoSelect = 0;
    BoolFormListViewRun = false;
    StrFilerCurrent = L"/";
    SetCaption(L" - quibFMarchive");
    ResetSfxSubModes(false);
    SetMenuEnabled(tag::MenuInitialSearchOneTime, true);
    CreateInitialSearchMenus();
}

// ---------------------------------------------------------------- first display

void TFormMain::FormShow() {
    ParseCommandLine(Application().Arguments());
    LogWindowsFound();
    // The key map: built-in table, start-up check against the file, menus.
    InstallKeyMap();
    BoolFormShow = true;
    CloseIme();
    RECT wr{};
    GetWindowRect(handle_, &wr);
    SetCursorPos(wr.left + Scale(25), wr.top + Scale(145));
    ReadArchiveSetting();
    StrLanguageFileName = LanguageFilePath(L"Main.txt");
    ApplyLanguage();
    ShowListingModeState();
    if (MenuChecked(tag::MenuAutoPopup)) After(500, [this] { MenuShowPopupClick(); });
}

void TFormMain::ParseCommandLine(const StringList& args) {
    ParamCount = static_cast<int>(args.size());
    StrListLog.push_back(L"ParamCount");
    StrListLog.push_back(std::to_wstring(ParamCount));
    StrListLog.push_back(L"");
    if (ParamCount == 1 || ParamCount == 2) {
        for (int i = 0; i < ParamCount; ++i) {
            StrListLog.push_back(L"ParamStr(" + std::to_wstring(i + 1) + L")");
            StrListLog.push_back(args[static_cast<size_t>(i)]);
            StrListLog.push_back(L"");
        }
    }
    std::wstring toOpen;
    if (ParamCount == 0) {
        SetMenuEnabled(tag::MenuParentShow, false);
    } else if (ParamCount == 1) {
        SetMenuEnabled(tag::MenuParentShow, false);
        toOpen = args[0];
    } else if (ParamCount == 2) {
        const std::wstring& sw = args[0];
        const std::wstring key = ToLower(sw.substr(0, 5));
        if (key == L"hwnd=" || key == L"hsfx=" || key == L"hspm=") {
            const std::wstring handleText = sw.substr(5);
            if (handleText == L"%h") {
                QuibHandle = nullptr;
            } else {
                // A handle that is not a decimal number is ignored; start-up goes on.
                wchar_t* end = nullptr;
                const long long v = wcstoll(handleText.c_str(), &end, 10);
                QuibHandle = (!handleText.empty() && end && *end == 0) ? reinterpret_cast<HWND>(static_cast<INT_PTR>(v))
                                                                       : nullptr;
            }
            const ListingMode forced = key == L"hwnd="   ? ListingMode::Normal
                                       : key == L"hsfx=" ? ListingMode::Sfx
                                                         : ListingMode::Susie;
            IntModeSelectHwnd = static_cast<int>(forced);
            SelectMode(forced);
        }
        toOpen = args[1];
    }
    if (!toOpen.empty() && FileExistsPath(toOpen)) StrLoadFileName = toOpen;
}

void TFormMain::LogWindowsFound() {
    FindFlags = StartupWindowFlags();
    StrListWindowName2.clear();
    StrListWindowHwnd2.clear();
    FindWindowsByCaption(FindFlags, StrListWindowName2, StrListWindowHwnd2);
    StrListLog.push_back(L"Name");
    StrListLog.push_back(L"Handle");
    StrListLog.push_back(L"");
    for (size_t i = 0; i < StrListWindowName2.size(); ++i) {
        StrListLog.push_back(StrListWindowName2[i]);
        StrListLog.push_back(StrListWindowHwnd2[i]);
        StrListLog.push_back(L"");
    }
}

// Puts a mode in force without listing; its menu item alone shows the check.
void TFormMain::SelectMode(ListingMode mode) {
    ListingModeNow = mode;
    for (const int t : kModeTags) SetMenuChecked(t, t == ModeTag(mode));
}

void TFormMain::ShowListingModeStateOnly() {
    const ListingMode mode = ListingModeNow;
    SetStatusText(0, ModeCaption(ModeTag(mode)));
    const bool listMode = ModeListsEntries(mode);
    SetMenuEnabled(tag::MenuOperation, listMode);
    SetMenuEnabled(tag::MenuPassword, mode != ListingMode::Susie);
    SetMenuEnabled(tag::MenuDelete, mode != ListingMode::Susie);
    ShowListOrMemo(listMode);
    SetModeCaptions(mode == ListingMode::Susie);
    ResetSfxSubModes(mode == ListingMode::Sfx);
}

void TFormMain::ShowListingModeState() {
    ShowListingModeStateOnly();
    if (!StrLoadFileName.empty()) OpenArchive(StrLoadFileName);
}

// ---------------------------------------------------------------- modes

void TFormMain::ResetSfxSubModes(bool enable) {
    SetMenuChecked(tag::MenuFileSfxAuto, true);
    for (int t : {tag::MenuFileSfxList, tag::MenuFileSfxSimple, tag::MenuFileSfxTest}) SetMenuChecked(t, false);
    for (int t : {tag::MenuFileSfxAuto, tag::MenuFileSfxList, tag::MenuFileSfxSimple, tag::MenuFileSfxTest})
        SetMenuEnabled(t, enable);
}

void TFormMain::ShowListOrMemo(bool list) {
    ShowWindow(list_.Handle(), list ? SW_SHOW : SW_HIDE);
    ShowWindow(memo1_, list ? SW_HIDE : SW_SHOW);
}

bool TFormMain::ListVisible() const { return IsWindowVisible(list_.Handle()) != FALSE; }

void TFormMain::ClearTotalsAndPanels(int lastPanel) {
    for (const InfoLabel* l : {&labelTotalSize_, &labelTotalCount_, &labelMarkSize_, &labelMarkCount_})
        SetText(l->value, L"");
    for (size_t i : {1u, 2u, 5u, 6u}) SetText(wideTotals_[i], L"");
    for (int p = 1; p <= lastPanel; ++p) SetStatusText(p, L"");
}

// What every mode switch does before its own listing: the checks, status
// panel 0, the commands that apply, list or text area, the Susie captions.
void TFormMain::SwitchMode(ListingMode mode) {
    SelectMode(mode);
    SetStatusText(0, ModeCaption(ModeTag(mode)));
    const bool list = ModeListsEntries(mode);
    SetMenuEnabled(tag::MenuOperation, list);
    if (list) {
        SetMenuEnabled(tag::MenuPassword, mode != ListingMode::Susie);
        SetMenuEnabled(tag::MenuDelete, mode != ListingMode::Susie);
    }
    ResetSfxSubModes(mode == ListingMode::Sfx);
    ShowListOrMemo(list);
    SetModeCaptions(mode == ListingMode::Susie);
    ClearTotalsAndPanels(5);
    if (!list) InformationClear();
}

void TFormMain::SetModeCaptions(bool susie) {
    SetText(labelAttr_.caption, susie ? L"pos:" : L"attr:");
    SetText(labelMode_.caption, susie ? L"mtd:" : L"mode:");
    list_.SetColumnCaption(6, susie ? L"Pos" : L"Attr");
}

void TFormMain::MenuFileArchiveClick() {
    if (ListingModeNow == ListingMode::Normal) return;
    SwitchMode(ListingMode::Normal);
    if (FileExistsPath(StrLoadFileName)) {
        ListArchive(StrLoadFileName);
        SetItemNewListArchive();
    }
}

void TFormMain::MenuFileSimpleClick() {
    if (ListingModeNow == ListingMode::Simple) return;
    SwitchMode(ListingMode::Simple);
    if (FileExistsPath(StrLoadFileName)) {
        ArchiveListSimple(StrLoadFileName);
        SetMemo1Lines(StrListSimpleResult);
    }
}

void TFormMain::MenuFileTestClick() {
    if (ListingModeNow == ListingMode::Test) return;
    SwitchMode(ListingMode::Test);
    if (FileExistsPath(StrLoadFileName)) {
        ArchiveListTest(StrLoadFileName);
        SetMemo1Lines(StrListTestResult);
    }
}

void TFormMain::MenuFileSfxClick() {
    if (ListingModeNow == ListingMode::Sfx) return;
    SwitchMode(ListingMode::Sfx);
    StrListArchiveDirFile.clear();
    if (FileExistsPath(StrLoadFileName)) ListSfx(StrLoadFileName);
    SetItemNewListArchive();
}

// The Susie lister arrives with its own work; until then the mode is
// selected and shown, and the list stays empty.

void TFormMain::MenuFileSusieClick() {
    if (ListingModeNow == ListingMode::Susie) return;
    SwitchMode(ListingMode::Susie);
    StrListArchiveDirFile.clear();
    if (FileExistsPath(StrLoadFileName)) ListSusie(StrLoadFileName);
    SetItemNewListArchive();
}

// ---------------------------------------------------------------- opening and listing

void TFormMain::ReadArchiveSetting() {
    // Read afresh for every archive: a change of the settings file, the DLL
    // folder choice included, takes effect at the next archive opened.
    Arc = quib::ReadArchiveSetting(Ini());
    BoolReadDllSystem32andApplication = Arc.BoolReadDllSystem32andApplication;
    if (BoolReadDllSystem32andApplication) SetDllDirectoryW(L"");
}

void TFormMain::OpenArchive(const std::wstring& path) {
    BusyScope busy(*this);
    ReadArchiveSetting();
    StrLoadFileName = path;
    SetCaption(path + L" - quibFMarchive");
    InformationUpdate();
    if (ListingModeNow == ListingMode::Simple) {
        ShowListOrMemo(false);
        ArchiveListSimple(path);
        SetMemo1Lines(StrListSimpleResult);
    } else if (ListingModeNow == ListingMode::Test) {
        ShowListOrMemo(false);
        ArchiveListTest(path);
        SetMemo1Lines(StrListTestResult);
    } else if (ListingModeNow == ListingMode::Sfx) {
        ShowListOrMemo(true);
        ResetSfxSubModes(true);
        ListSfx(path);
        SetItemNewListArchive();
    } else if (ListingModeNow == ListingMode::Susie) {
        ShowListOrMemo(true);
        ListSusie(path);
        SetItemNewListArchive();
    } else {
        ShowListOrMemo(true);
        ListArchive(path);
        SetItemNewListArchive();
    }
}

ArchiveListContext MakeListContext(const TFormMain& f) {
    ArchiveListContext ctx;
    ctx.owner = f.Handle();
    ctx.settings = f.Arc;
    ctx.programFolder = f.StrExePath;
    ctx.utf8Display = f.MenuChecked(tag::MenuEncode);
    ctx.separators = LocaleDateTimeSeparators();
    return ctx;
}

// The status bar says how far a long listing is, from 300 ms on, and the
// window keeps painting meanwhile. Commands, drops and a close that arrive now
// wait for the listing's end (the caller is busy); the rows shown keep their
// own entries alive until they are replaced.
std::function<void(size_t)> ListingProgress(TFormMain& f) {
    const ULONGLONG start = GetTickCount64();
    return [&f, start, shown = ULONGLONG(0)](size_t records) mutable {
        const ULONGLONG now = GetTickCount64();
        if (now - start < 300) return;
        if (now - shown >= 100) {
            shown = now;
            const std::wstring count = IntToCommaStr(static_cast<long long>(records));
            f.SetStatusText(1, f.BoolJapanese ? L"一覧を読み込み中... " + count + L" 件"
                                              : L"Reading the list... " + count + L" entries");
        }
        Application().ProcessMessages();
    };
}

bool TFormMain::ListArchive(const std::wstring& path) {
    BusyScope busy(*this);
    StrListArchiveDirFile.clear();
    InformationClear();
    if (GetExtType(path, StrListArcExt) < 0 || !ArchiveListNormal(path)) {
        ShowMsgJE(handle_, L"Information : 圧縮ファイルの該当がありません",
                  L"Information : Target archive file is not match.\r\n[OK]");
        return false;
    }
    return true;
}

bool TFormMain::ArchiveListNormal(const std::wstring& path) {
    NormalListing out;
    StrListArchiveDirFile.clear();
    struct Keep {
        TFormMain& f;
        NormalListing& out;
        // What the lists held when a missing DLL ended the listing stays visible.
        ~Keep() {
            f.StrListArchiveDirFile = std::move(out.lines);
            f.StrListPathFile = std::move(out.pathList);
        }
    } keep{*this, out};
    ArchiveListContext ctx = MakeListContext(*this);
    ctx.progress = ListingProgress(*this);
    return ArchiveListNormalCore(ctx, path, StrListArcExt, out);
}

bool TFormMain::ArchiveListSimple(const std::wstring& path) {
    return ArchiveListSimpleCore(MakeListContext(*this), path, StrListSimpleResult);
}

bool TFormMain::ArchiveListTest(const std::wstring& path) {
    return ArchiveListTestCore(MakeListContext(*this), path, StrListTestResult);
}

// ---------------------------------------------------------------- text area, status bar

std::wstring TFormMain::StatusText(int panel) const {
    const auto len = LOWORD(SendMessageW(statusBar_, SB_GETTEXTLENGTHW, static_cast<WPARAM>(panel), 0));
    std::wstring s(static_cast<size_t>(len) + 1, L'\0');
    SendMessageW(statusBar_, SB_GETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(s.data()));
    s.resize(len);
    return s;
}

void TFormMain::SetStatusText(int panel, const std::wstring& text) {
    if (StatusText(panel) == text) return;  // the bar repaints on every set
    SendMessageW(statusBar_, SB_SETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(text.c_str()));
}

StringList TFormMain::Memo1Lines() const { return SplitLines(GetText(memo1_)); }

void TFormMain::SetMemo1Lines(const StringList& lines) {
    std::wstring text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) text += L"\r\n";
        text += lines[i];
    }
    SetWindowTextW(memo1_, text.c_str());
}

// ---------------------------------------------------------------- keys, drops, timers, messages

bool TFormMain::FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) {
    for (int i = 0; i < 5; ++i) Application().HandleOneMessage();
    if (key == VK_ESCAPE && !shift && !ctrl && !alt && MenuChecked(tag::MenuCloseESCkey)) {
        Close();
        return true;
    }
    return false;
}

void TFormMain::DropFiles(const StringList& paths) {
    StrListDropName = paths;
    if (ParamCount == 2) {
        ShowMsgJE(handle_,
                  L"Information : ファイラーから拡張子連動で起動した場合はドロップはできません\r\nquibFMarchive "
                  L"を単独で起動してからドロップしてください",
                  L"Information : Drop can no accept, when execute with extention by filer.First start quibFMarchive "
                  L"alone, after drop file.\r\n[OK]");
        return;
    }
    if (paths.empty()) {
        ShowMsgJE(handle_, L"Information : ドロップされたファイルの個数が０です",
                  L"Information : Drop file count is Zero(0).[OK]");
        return;
    }
    if (paths.size() > 1) {
        ShowMsgJE(handle_, L"Information : ドロップするファイルは１個にしてください",
                  L"Information : Drop file count accept only One(1).[OK]");
        return;
    }
    if (FileExistsPath(paths[0])) {
        OpenArchive(paths[0]);
    } else {
        After(300, [] { ShowMsgJE(nullptr, L"Information : ファイルがありません", L"Information : File is not exist.[OK]"); });
    }
}

void TFormMain::WmDropFiles(HDROP drop) {
    StringList paths;
    const UINT n = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < n; ++i) {
        const UINT len = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring p(static_cast<size_t>(len) + 1, L'\0');
        DragQueryFileW(drop, i, p.data(), len + 1);
        p.resize(len);
        paths.push_back(p);
    }
    DragFinish(drop);
    DropFiles(paths);
}

void TFormMain::ControlCommand(HWND control, int, int code) {
    // A click anywhere on the information area switches its two panels.
    if (code == STN_CLICKED && (control == panel1_ || control == panel7_ || control == panel8_ || control == panel9_ ||
                                GetParent(control) == panel1_ || GetParent(control) == panel7_ ||
                                GetParent(control) == panel8_)) {
        ButtonPanelSelectClick();
    }
}

LRESULT TFormMain::Notify(NMHDR* hdr) {
    // The list control answers its texts and colours itself.
    if (hdr->hwndFrom != list_.Handle()) return 0;
    switch (hdr->code) {
        case LVN_ITEMCHANGED: {
            const auto* nm = reinterpret_cast<NMLISTVIEW*>(hdr);
            if ((nm->uChanged & LVIF_STATE) && ((nm->uNewState ^ nm->uOldState) & LVIS_SELECTED)) InformationUpdate();
            return 0;
        }
        case NM_CLICK: ListView1Click(); return 0;
        case NM_DBLCLK: ListView1DblClick(); return 0;
        default: return 0;
    }
}

bool TFormMain::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
        case WM_DROPFILES:
            // A drop while a listing runs opens its archive after that listing.
            if (Busy()) {
                const HDROP drop = reinterpret_cast<HDROP>(wp);
                WhenIdle([this, drop] { WmDropFiles(drop); });
                result = 0;
                return true;
            }
            WmDropFiles(reinterpret_cast<HDROP>(wp));
            result = 0;
            return true;
        case WM_COPYDATA: {
            const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lp);
            if (cds && (cds->dwData == 0x8010 || cds->dwData == 0x8020 || cds->dwData == 0x8040)) {
                result = 1;
                return true;
            }
            return false;
        }
        case WM_ERASEBKGND: {
            // Whatever the controls leave uncovered has the window colour.
            RECT rc{};
            GetClientRect(handle_, &rc);
            FillRect(reinterpret_cast<HDC>(wp), &rc, windowBrush_.Get(ColorWindowNow));
            result = 1;
            return true;
        }
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wp);
            HWND ctl = reinterpret_cast<HWND>(lp);
            if (ctl == memo1_) {
                // The report of the simple and test modes reads like the list.
                SetBkColor(dc, ColorMemoNow);
                SetTextColor(dc, ColorMemoFontNow);
                result = reinterpret_cast<LRESULT>(listBrush_.Get(ColorMemoNow));
                return true;
            }
            if (msg == WM_CTLCOLOREDIT) return false;
            SetBkColor(dc, ColorPanelNow);
            const bool caption = ctl == labelFile_.caption || ctl == labelPath_.caption || ctl == labelName_.caption ||
                                 ctl == labelPacked_.caption || ctl == labelTime_.caption ||
                                 ctl == labelSize_.caption || ctl == labelAttr_.caption || ctl == labelMode_.caption ||
                                 ctl == labelTotalSize_.caption || ctl == labelTotalCount_.caption ||
                                 ctl == labelMarkSize_.caption || ctl == labelMarkCount_.caption ||
                                 ctl == wideTotals_[0] || ctl == wideTotals_[3] || ctl == wideTotals_[4] ||
                                 ctl == wideTotals_[7];
            COLORREF text = caption ? ColorPanelItemNow : ctl == labelName_.value ? NameLabelColor() : ColorPanelFontNow;
            InitialSearchLabelColor(ctl, text);
            SetTextColor(dc, text);
            result = reinterpret_cast<LRESULT>(panelBrush_.Get(ColorPanelNow));
            return true;
        }
        default:
            return false;
    }
}

void TFormMain::FormClose() {
    if (QuibHandle && MenuChecked(tag::MenuSendTopToFiler)) BringWindowToFront(QuibHandle);
}

}  // namespace quib
