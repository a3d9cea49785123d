// The grid viewer window: creation, layout, loading and filling the grid,
// the current cell and the cell editor, settings.
#include "viewers/grid/FormViewGrid.h"

#include <commctrl.h>

#include <algorithm>

#include "app/Application.h"
#include "app/FormMain.h"
#include "util/ColorText.h"
#include "util/Controls.h"
#include "util/Dpi.h"
#include "util/Message.h"
#include "util/StrConv.h"
#include "util/Theme.h"
#include "viewers/grid/FormViewGridMenu.h"
#include "viewers/grid/GridCharCode.h"

namespace quib {
namespace {

enum ControlId {
    kGrid = 100, kMemo1, kEdit1, kStatusBar1, kStatusBar2, kStatusBar3,
};

constexpr int kStatusWidths[7] = {80, 90, 120, 90, 210, 120, 20};
constexpr int kPanelHeight = 30;    // Panel1 and Panel2, at 96 DPI
constexpr int kButtonWidth = 64;
constexpr int kStatusHeight = 22;

FormDescription ViewGridDescription() {
    FormDescription d = FormDescription::Window(L"FormViewGrid", SIZE{740, 480}, SIZE{740, 480});
    d.languageFile = L"ViewGrid.txt";
    d.commands = &ViewGridCommands();
    // Esc closes only outside edit mode: the window decides (FormKeyDown).
    d.escCloses = false;
    return d;
}

bool FileExists(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

// Settings keys of the check marks, by menu Tag.
struct CheckKey {
    int tag;
    const wchar_t* key;
    bool def;
};
const CheckKey kViewGridChecks[] = {
    {1021, L"LfToTab", false}, {1341, L"RowCol", false}, {1342, L"ColRow", true},
    {1051, L"ReadAuto", true}, {1041, L"ReadSJIS", false}, {1042, L"ReadJIS", false},
    {1043, L"ReadEUCJP", false}, {1044, L"ReadUTF7", false}, {1045, L"ReadUTF8Bom", false},
    {1046, L"ReadUTF8", false}, {1047, L"ReadUTF16BomBe", false}, {1048, L"ReadUTF16Be", false},
    {1049, L"ReadUTF16BomLe", false}, {1050, L"ReadUTF16Le", false},
    {1081, L"SaveSJIS", true}, {1071, L"SaveTAB", true}, {1082, L"SaveJIS", false},
    {1083, L"SaveEUCJP", false}, {1084, L"SaveUTF7", false}, {1085, L"SaveUTF8Bom", false},
    {1086, L"SaveUTF8", false}, {1087, L"SaveUTF16BomBe", false}, {1088, L"SaveUTF16Be", false},
    {1089, L"SaveUTF16BomLe", false}, {1090, L"SaveUTF16Le", false}, {1072, L"SaveDoubleCautation", false},
    {1073, L"SaveComma", false}, {1074, L"SaveFixedLength", false}, {1075, L"SaveCsvEx2", false},
    {1121, L"ClipTAB", true}, {1122, L"ClipDoubleCautation", false}, {1123, L"ClipComma", false},
    {1125, L"ClipCsvEx2", false},
};

// The colour text of a value: a standard name when it has one.
std::wstring ColorText(COLORREF c) {
    std::wstring name = StandardColorName(c);
    return name.empty() ? ColorToColorText(c) : name;
}

}  // namespace

void OpenGridViewer(const std::wstring& file) { ShowModalForm<TFormViewGrid>(file); }

TFormViewGrid::TFormViewGrid(std::wstring file) : TFormBase(ViewGridDescription()), fileArg_(std::move(file)) {}

TFormViewGrid::~TFormViewGrid() {
    if (gridFont_) DeleteObject(gridFont_);
    if (memoBrush_) DeleteObject(memoBrush_);
}

HWND TFormViewGrid::StatusBar(int which) const {
    switch (which) {
        case 1: return statusBar1_;
        case 2: return statusBar2_;
        case 3: return statusBar3_;
        default: return nullptr;
    }
}

std::wstring TFormViewGrid::StatusText(int which, int panel) const {
    HWND bar = StatusBar(which);
    if (!bar) return {};
    const LRESULT info = SendMessageW(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(panel), 0);
    std::wstring text(LOWORD(info) + 1, L'\0');
    SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(text.data()));
    text.resize(LOWORD(info));
    return text;
}

HWND TFormViewGrid::Button(int tag) const {
    switch (tag) {
        case kTagButtonMemoNext: return buttonMemoNext_;
        case kTagButtonMemoPrev: return buttonMemoPrev_;
        case kTagButtonGridNext: return buttonGridNext_;
        case kTagButtonGridPrev: return buttonGridPrev_;
        default: return nullptr;
    }
}

// ---------------------------------------------------------------- creation

void TFormViewGrid::FormCreate() {
    SetCaption(L"グリッド表示");
    // The two submenus hang in the file menu, above its quit item.
    if (HMENU bar = MenuHandle()) {
        HMENU file = GetSubMenu(bar, 0);
        const std::pair<int, const wchar_t*> subs[] = {{kTagMenuRead, L"読込(&R)"}, {kTagMenuSave, L"保存(&S)"}};
        UINT pos = 0;
        for (const auto& [tag, caption] : subs) {
            InsertMenuW(file, pos, MF_BYPOSITION | MF_POPUP | MF_STRING,
                        reinterpret_cast<UINT_PTR>(PopupMenu(tag)), caption);
            MENUITEMINFOW mii{sizeof(mii)};
            mii.fMask = MIIM_ID;
            mii.wID = static_cast<UINT>(tag);
            SetMenuItemInfoW(file, pos, TRUE, &mii);
            RegisterComponent({ComponentKind::MenuItem, tag, nullptr});
            ++pos;
        }
        InsertMenuW(file, pos, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
        DrawMenuBar(handle_);
    }

    statusBar2_ = AddControl(ComponentKind::Other, 0, STATUSCLASSNAMEW, L"",
                             WS_VISIBLE | CCS_TOP | CCS_NORESIZE | CCS_NODIVIDER, 0, kStatusBar2);
    label2_ = AddControl(ComponentKind::Label, kTagLabel2, L"STATIC",
                         L"[Ctrl]+[Up,Down,Left,Right]でｸﾞﾘｯﾄﾞ移動", WS_VISIBLE | SS_CENTERIMAGE | SS_NOPREFIX);
    buttonMemoNext_ = AddButton(kTagButtonMemoNext, L"次(&B)");
    buttonMemoPrev_ = AddButton(kTagButtonMemoPrev, L"前(&Y)");
    statusBar3_ = AddControl(ComponentKind::Other, 0, STATUSCLASSNAMEW, L"",
                             WS_VISIBLE | CCS_TOP | CCS_NORESIZE | CCS_NODIVIDER, 0, kStatusBar3);
    memo1_ = AddControl(ComponentKind::Other, 0, L"EDIT", L"",
                        WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY |
                            ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN,
                        WS_EX_CLIENTEDGE, kMemo1);
    SendMessageW(memo1_, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
    memoCrLf_.Attach(memo1_);
    AttachPopupMenu(memo1_, kTagPopupMenu1);
    grid_.Create(handle_, kGrid);
    label1_ = AddControl(ComponentKind::Label, kTagLabel1, L"STATIC", L"検索(&F):", WS_VISIBLE | SS_CENTERIMAGE);
    edit1_ = AddControl(ComponentKind::Edit, 0, L"EDIT", L"", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                        WS_EX_CLIENTEDGE, kEdit1);
    buttonGridNext_ = AddButton(kTagButtonGridNext, L"次(&V)");
    buttonGridPrev_ = AddButton(kTagButtonGridPrev, L"前(&T)");
    statusBar1_ = AddControl(ComponentKind::Other, 0, STATUSCLASSNAMEW, L"",
                             WS_VISIBLE | CCS_BOTTOM | CCS_NORESIZE | CCS_NODIVIDER, 0, kStatusBar1);
    SetStatusPanels();

    grid_.OnSelectCell = [this](int col, int row) { StringGrid1SelectCell(col, row); };
    grid_.SetDefaultColWidth(Scale(64));
    grid_.SetGridLineWidth(2);

    ReadSettings();
    // The grid and the editor take the look (the sibling viewer's when chosen).
    const bool haveQuibFM = FileExists(ProgramFolder() + L"\\quibFM.ini");
    if (!haveQuibFM) SetMenuChecked(1432, false);
    UpdateSameAsQuibViewItems();
    ApplyLook();
    if (DarkStyleActive()) {
        grid_.SetDarkMode(true);
        ApplyThemeToWindow(handle_);
    }

    IntStrToCsvIndex = kCsvAuto;
    CheckRadio(1031, 1033, 1031);
    SetMenuEnabled(1111, false);
    SetMenuEnabled(kTagMenuSave, false);
    for (int tag = 1061; tag <= 1090; ++tag) SetMenuEnabled(tag, false);
    for (int tag = 1131; tag <= 1145; ++tag) SetMenuEnabled(tag, false);
    CheckRadio(1151, 1160, 1150 + IntMemoHeightIndex);
    CheckRadio(1351, 1360, 1351);
    IntGridRatioIndex = 1;
    BoolEditModified = false;
}

void TFormViewGrid::FormShow() {
    StrLoadFileName = fileArg_;
    if (StrLoadFileName.empty())
        if (const TFormMain* main = FormMain()) StrLoadFileName = main->StrExtractFolderFileName;
    SetCaptionFromFile();
    ApplyMemoHeight();
    LoadCsvFile();
    SetFocus(grid_.Handle());
}

void TFormViewGrid::SetCaptionFromFile() {
    SetCaption(StrLoadFileName + (BoolJapanese ? L" - グリッド表示" : L" - ViewGrid"));
}

void TFormViewGrid::LanguageApplied() {
    SetCaptionFromFile();
    // Texts the language file does not carry follow the language here.
    if (editMode_) SetStatusBoth(1, BoolJapanese ? L"編集中" : L"Editting");
    if (BoolFileReadOnly) SetStatusBoth(2, BoolJapanese ? L"ファイル読取専用" : L"ReadOnlyFile");
    if (!StrLoadFileName.empty() && grid_.RowCount() > 0) {
        StrLoadChar = GridEncodingText(IntReadEncode1, BoolUnKnownCharCode, BoolJapanese);
        StrLoadReturn = GridLineEndText(IntReadReturn1, BoolJapanese);
        SetStatusBoth(4, StrLoadChar);
        SetStatusBoth(5, StrLoadReturn);
    }
    MemoStatus();
    RECT rc{};
    GetClientRect(handle_, &rc);
    FormResize(rc.right, rc.bottom);
}

// ---------------------------------------------------------------- layout

void TFormViewGrid::SetStatusPanels() {
    int edges[7];
    int x = 0;
    for (int i = 0; i < 7; ++i) {
        x += Scale(kStatusWidths[i]);
        edges[i] = x;
    }
    edges[6] = -1;
    SendMessageW(statusBar1_, SB_SETPARTS, 7, reinterpret_cast<LPARAM>(edges));
    SendMessageW(statusBar2_, SB_SETPARTS, 7, reinterpret_cast<LPARAM>(edges));
}

void TFormViewGrid::FormResize(int clientWidth, int clientHeight) {
    if (!statusBar1_) return;
    const int status = Scale(kStatusHeight), panel = Scale(kPanelHeight);
    const int gap = Scale(4);
    // As wide as the widest caption the language file gives the four.
    int button = Scale(kButtonWidth);
    for (HWND b : {buttonMemoNext_, buttonMemoPrev_, buttonGridNext_, buttonGridPrev_})
        button = std::max<int>(button, TextExtent(b).cx + 4 * gap);
    int y = 0;
    MoveWindow(statusBar2_, 0, y, clientWidth, status, TRUE);
    y += status;
    // Panel2: the hint and the editor's search buttons.
    MoveWindow(buttonMemoPrev_, clientWidth - button - gap, y + gap, button, panel - 2 * gap, TRUE);
    MoveWindow(buttonMemoNext_, clientWidth - 2 * (button + gap), y + gap, button, panel - 2 * gap, TRUE);
    MoveWindow(label2_, gap, y, std::max(0, clientWidth - 2 * (button + gap) - 2 * gap), panel, TRUE);
    y += panel;
    MoveWindow(statusBar3_, 0, y, clientWidth, status, TRUE);
    // Six equal panels, recomputed on every resize.
    int edges[6];
    for (int i = 0; i < 6; ++i) edges[i] = clientWidth * (i + 1) / 6;
    edges[5] = -1;
    SendMessageW(statusBar3_, SB_SETPARTS, 6, reinterpret_cast<LPARAM>(edges));
    y += status;
    const int memoHeight = IntTextHeight * (IntMemoHeightIndex + 2);
    MoveWindow(memo1_, 0, y, clientWidth, memoHeight, TRUE);
    y += memoHeight;
    const int bottom = clientHeight - status - panel;
    MoveWindow(grid_.Handle(), 0, y, clientWidth, std::max(0, bottom - y), TRUE);
    // Panel1: the search word and the grid's search buttons.
    const int labelWidth = std::max<int>(Scale(60), TextExtent(label1_).cx + gap);
    MoveWindow(label1_, gap, bottom, labelWidth, panel, TRUE);
    const int editLeft = gap + labelWidth;
    const int editWidth = std::max(0, clientWidth - editLeft - 2 * (button + gap) - gap);
    MoveWindow(edit1_, editLeft, bottom + gap, editWidth, panel - 2 * gap, TRUE);
    MoveWindow(buttonGridNext_, editLeft + editWidth + gap, bottom + gap, button, panel - 2 * gap, TRUE);
    MoveWindow(buttonGridPrev_, editLeft + editWidth + 2 * gap + button, bottom + gap, button, panel - 2 * gap, TRUE);
    MoveWindow(statusBar1_, 0, clientHeight - status, clientWidth, status, TRUE);
}

void TFormViewGrid::ApplyMemoHeight() {
    RECT rc{};
    GetClientRect(handle_, &rc);
    FormResize(rc.right, rc.bottom);
}

void TFormViewGrid::ApplyRowRatio() {
    grid_.SetRowHeights(IntTextHeight, IntTextHeight * IntGridRatioIndex);
}

// ---------------------------------------------------------------- status

void TFormViewGrid::SetStatusBoth(int panel, const std::wstring& text) {
    SendMessageW(statusBar1_, SB_SETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(statusBar2_, SB_SETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(text.c_str()));
}

void TFormViewGrid::ClearStatus() {
    for (int i = 0; i < 7; ++i) SetStatusBoth(i, L"");
}

void TFormViewGrid::ShowCellPosition() {
    // The first data cell is 1,1; the title row and column are 0.
    const int col = IntLastCol - 1, row = IntLastRow - 1;
    const bool rowFirst = MenuChecked(1341);
    const std::wstring text = rowFirst ? L"[" + std::to_wstring(row) + L"," + std::to_wstring(col) + L"]"
                                       : L"[" + std::to_wstring(col) + L"," + std::to_wstring(row) + L"]";
    SetStatusBoth(0, text);
}

void TFormViewGrid::MemoStatus() {
    if (!memo1_) return;
    DWORD start = 0, end = 0;
    SendMessageW(memo1_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const int length = GetWindowTextLengthW(memo1_);
    int line = 0, column = 0;
    if (length > 0) {
        const auto lineIndex = static_cast<int>(SendMessageW(memo1_, EM_LINEFROMCHAR, start, 0));
        const auto lineStart = static_cast<int>(SendMessageW(memo1_, EM_LINEINDEX, lineIndex, 0));
        line = lineIndex + 1;
        column = end > start ? 0 : static_cast<int>(start) - lineStart + 1;
    }
    const int lines = length > 0 ? static_cast<int>(SendMessageW(memo1_, EM_GETLINECOUNT, 0, 0)) : 0;
    const std::wstring caret = BoolJapanese
                                   ? std::to_wstring(line) + L"行," + std::to_wstring(column) + L"桁"
                                   : L"Row:" + std::to_wstring(line) + L"  Col:" + std::to_wstring(column);
    const std::wstring count = BoolJapanese ? std::to_wstring(lines) + L"行" : L"Row:" + std::to_wstring(lines);
    SendMessageW(statusBar3_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(caret.c_str()));
    SendMessageW(statusBar3_, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(count.c_str()));
}

// ---------------------------------------------------------------- loading

int TFormViewGrid::ChosenEncoding(int detected) const {
    if (MenuChecked(1051)) return detected;
    // The menu's order of encodings and their indices; JIS, EUC-JP and UTF-7
    // have no reader here.
    const std::pair<int, int> map[] = {{1041, 1}, {1042, 20}, {1043, 20}, {1044, 20}, {1045, 5},
                                       {1046, 6}, {1047, 7},  {1048, 8},  {1049, 9},  {1050, 10}};
    for (const auto& [tag, index] : map)
        if (MenuChecked(tag)) return index;
    return detected;
}

void TFormViewGrid::LoadCsvFile() {
    if (loading_) return;
    if (!FileExists(StrLoadFileName)) {
        ShowMsgJE(handle_, L"Information : ファイルがありません", L"Information : File is not exist.\r\n[OK]");
        return;
    }
    // Splitting by the automatic rule lets messages run once per line: a
    // second load or a close arriving meanwhile waits until this one is done.
    BusyScope busy(*this);
    loading_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{loading_};

    ClearStatus();
    IntReadEncode1 = 20;
    IntReadReturn1 = 3;
    FileBytes file = ReadFileBytesInPieces(StrLoadFileName);
    IntLoadFileSize = static_cast<long long>(file.bytes.size());
    {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (GetFileAttributesExW(StrLoadFileName.c_str(), GetFileExInfoStandard, &data))
            IntLoadFileSize = (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
    const GridCharCodeResult detected = DetectGridCharCode(file.bytes);
    BoolLfInLine = detected.lfInLine;
    BoolUnKnownCharCode = detected.unknownCharCode;
    IntReadReturn1 = detected.retCode;
    IntReadEncode1 = ChosenEncoding(detected.charCode);
    if (detected.writeScratch) {
        const std::wstring scratch = ProgramFolder() + L"\\PellFMmini-UnKnown.txt";
        HANDLE h = CreateFileW(scratch.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            if (!detected.filtered.empty())
                WriteFile(h, detected.filtered.data(), static_cast<DWORD>(detected.filtered.size()), &written, nullptr);
            CloseHandle(h);
        }
    }

    StrLoadChar = GridEncodingText(IntReadEncode1, BoolUnKnownCharCode, BoolJapanese);
    StrLoadReturn = GridLineEndText(IntReadReturn1, BoolJapanese);
    if (BoolUnKnownCharCode) {
        After(300, [this] {
            ShowMsgJE(handle_, L"Information : 不正な文字を含んでいますので書き換え禁止ファイルとして扱います",
                      L"Information : Some letters can not acccept, so file type lokks like Read Only File.\r\n[OK]");
        });
    }
    const DWORD attributes = GetFileAttributesW(StrLoadFileName.c_str());
    BoolFileReadOnly = BoolUnKnownCharCode ||
                       (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY));
    SetStatusBoth(2, BoolFileReadOnly ? (BoolJapanese ? L"ファイル読取専用" : L"ReadOnlyFile") : L"");
    SetStatusBoth(4, StrLoadChar);
    SetStatusBoth(5, StrLoadReturn);

    RawLines raw = SplitRawLines(file.bytes, IntReadEncode1, IntReadReturn1);
    file.bytes.clear();
    file.bytes.shrink_to_fit();
    StrListLoadFile = std::move(raw.lines);
    SetCsvFile();

    if (BoolLfInLine) {
        After(300, [this] {
            ShowMsgJE(handle_, L"Information : 改行(CrLf)までに、さらに改行(Lf)があります",
                      L"Information : LineFeed [Lf] is exist, before CarrigeRetun and LineFeed [CrLf].\r\n[OK]");
        });
    }
    // A failed read is said, and what was read before it stays shown.
    if (!file.complete) {
        ShowMsgJE(handle_,
                  L"Error : ファイルの読み込みに失敗しました\r\n読み込めた所までを表示します\r\n" + StrLoadFileName,
                  L"Error : File can not read to the end.\r\nShowing what was read.\r\n[OK]\r\n" + StrLoadFileName,
                  MsgButtons::Ok, MsgStyle::Error);
    }
    // A UTF-16 file of an odd size: its last byte is no character.
    if (raw.oddTrailingByte) {
        ShowMsgJE(handle_,
                  L"Information : ファイルの大きさが奇数なので、最後の1バイトは UTF-16 の文字として読めません\r\n" +
                      StrLoadFileName,
                  L"Information : File size is odd, so the last byte can not read as UTF-16.\r\n[OK]\r\n" +
                      StrLoadFileName);
    }
}

void TFormViewGrid::SetCsvFile() {
    StrSeparater = CsvSeparatorName(StrListLoadFile);
    SetStatusBoth(3, StrSeparater);
    // The lines are copied only when the LF-to-tab option changes them: a
    // second copy of a big file's text would be held for nothing.
    StrListLoadCsvFile.clear();
    StrListLoadCsvFile.shrink_to_fit();
    if (MenuChecked(1021)) {
        StrListLoadCsvFile.reserve(StrListLoadFile.size());
        for (const auto& line : StrListLoadFile) StrListLoadCsvFile.push_back(LfToTab(line));
    }
    StrListToStringGrid();
    IntGridRatioIndex = 1;
    CheckRadio(1351, 1360, 1351);
    ApplyRowRatio();
}

void TFormViewGrid::StrListToStringGrid() {
    // The rows are built aside and handed over at once: the grid shows the
    // old content, unchanged, while messages run during the splitting.
    const std::vector<std::wstring>& lines = MenuChecked(1021) ? StrListLoadCsvFile : StrListLoadFile;
    std::vector<GridRowCells> rows;
    rows.reserve(lines.size() + 2);
    rows.resize(2);
    size_t widest = 0;
    std::vector<std::wstring> fields;
    std::vector<std::wstring_view> cells;
    // Cells whose line feeds became CR LF; reserved per line so the views
    // into it stay where they are.
    std::vector<std::wstring> converted;
    for (size_t i = 0; i < lines.size(); ++i) {
        fields.clear();
        SplitCsvLine(IntStrToCsvIndex, lines[i], fields);
        if (!handle_) return;  // the window went while messages ran
        const std::wstring number = LineNumberText(i + 1);
        const std::wstring count = LineFieldCountText(i + 1, fields.size());
        converted.clear();
        converted.reserve(fields.size());
        cells.clear();
        cells.push_back(number);
        cells.push_back(count);
        for (const auto& f : fields) {
            if (f.find(L'\n') == std::wstring::npos) {
                cells.push_back(f);
            } else {
                converted.push_back(LfToCrLf(f));
                cells.push_back(converted.back());
            }
        }
        widest = std::max(widest, fields.size());
        rows.emplace_back(cells);
    }
    {
        std::vector<std::wstring> numbers(2);
        for (size_t j = 0; j < widest; ++j) numbers.push_back(std::to_wstring(j + 1));
        rows[0] = GridRowCells(numbers);
    }

    grid_.BeginUpdate();
    grid_.SetColCount(static_cast<int>(widest) + 2);
    grid_.SetRowCount(static_cast<int>(rows.size()));
    for (size_t r = 0; r < rows.size(); ++r) grid_.SetRow(static_cast<int>(r), std::move(rows[r]));
    std::vector<GridRowCells>().swap(rows);
    ApplyRowRatio();
    grid_.SetTopRow(2);
    grid_.SetLeftCol(2);
    FitFixedColumns();
    grid_.EndUpdate();
    if (grid_.RowCount() > 2 && grid_.ColCount() > 2) {
        grid_.SelectCell(2, 2);
    } else {
        IntLastCol = IntLastRow = 2;
        SetWindowTextW(memo1_, L"");
        MemoStatus();
    }
}

// ---------------------------------------------------------------- current cell

void TFormViewGrid::StringGrid1SelectCell(int col, int row) {
    if (editMode_ && (col != IntLastCol || row != IntLastRow)) {
        // In edit mode the editor's text goes back into the cell it came from.
        if (SendMessageW(memo1_, EM_GETMODIFY, 0, 0)) BoolEditModified = true;
        grid_.SetCell(IntLastCol, IntLastRow, GetText(memo1_));
    }
    // The editor's text is set with drawing off and painted once with the
    // rest of the window: setting it redraws the editor and its scroll bars
    // at once, which made every move of the current cell slow.
    SendMessageW(memo1_, WM_SETREDRAW, FALSE, 0);
    SetWindowTextW(memo1_, grid_.Cell(col, row).c_str());
    SendMessageW(memo1_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(memo1_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    SendMessageW(memo1_, EM_SETMODIFY, FALSE, 0);
    MemoStatus();
    IntLastCol = col;
    IntLastRow = row;
    ShowCellPosition();
}

void TFormViewGrid::SetEditMode(bool on) {
    editMode_ = on;
    SendMessageW(memo1_, EM_SETREADONLY, on ? FALSE : TRUE, 0);
    SetMenuChecked(1111, on);
    SetMenuEnabled(1111, !on);
    SetStatusBoth(1, on ? (BoolJapanese ? L"編集中" : L"Editting") : L"");
}

// ---------------------------------------------------------------- keys and controls

bool TFormViewGrid::FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) {
    if (key == VK_ESCAPE && !shift && !ctrl && !alt && !editMode_) {
        SetModalResult(mrCancel);
        if (!InModal()) Close();
        return true;
    }
    if (ctrl && !shift && !alt && GetFocus() == memo1_) {
        // Ctrl+arrows move the grid's current cell while the editor keeps the focus.
        int col = grid_.Col(), row = grid_.Row();
        switch (key) {
            case VK_UP: if (row > 2) --row; break;
            case VK_DOWN: if (row < grid_.RowCount() - 1) ++row; break;
            case VK_LEFT: if (col > 2) --col; break;
            case VK_RIGHT: if (col < grid_.ColCount() - 1) ++col; break;
            default: return false;
        }
        if (col != grid_.Col() || row != grid_.Row()) grid_.SelectCell(col, row);
        return true;
    }
    return false;
}

void TFormViewGrid::ControlCommand(HWND control, int /*id*/, int code) {
    if (code != BN_CLICKED) {
        if (control == memo1_ && code == EN_CHANGE) MemoStatus();
        return;
    }
    if (control == buttonMemoNext_) SearchMemo(true);
    if (control == buttonMemoPrev_) SearchMemo(false);
    if (control == buttonGridNext_) SearchGrid(true);
    if (control == buttonGridPrev_) SearchGrid(false);
}

bool TFormViewGrid::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORSTATIC) {
        if (reinterpret_cast<HWND>(lp) != memo1_) return false;
        HDC dc = reinterpret_cast<HDC>(wp);
        SetTextColor(dc, memoText_);
        SetBkColor(dc, memoBack_);
        if (memoBrush_) DeleteObject(memoBrush_);
        memoBrush_ = CreateSolidBrush(memoBack_);
        result = reinterpret_cast<LRESULT>(memoBrush_);
        return true;
    }
    if (msg == WM_GETMINMAXINFO) return false;
    (void)result;
    return false;
}

bool TFormViewGrid::FormCloseQuery() {
    if (!BoolEditModified && !SendMessageW(memo1_, EM_GETMODIFY, 0, 0)) return true;
    return ShowMsgJE(handle_, L"Information : 編集されています\r\n終了しますか？",
                     L"Information : Item is modified.\r\nExit ?\r\n[YES] / [NO]", MsgButtons::YesNo,
                     MsgStyle::Question) == IDYES;
}

void TFormViewGrid::FormClose() {}

void TFormViewGrid::FormDestroy() { WriteSettings(); }

// ---------------------------------------------------------------- settings

void TFormViewGrid::ReadSettings() {
    const IniFile ini = Settings();
    ReadPlacement(ini);
    for (const CheckKey& k : kViewGridChecks) SetMenuChecked(k.tag, ini.ReadBool(L"ViewGrid", k.key, k.def));
    memoHeightSaved_ = ini.ReadInteger(L"ViewGrid", L"MemoHeight", 150);
    ColorFont = ColorTextToColor(ini.ReadString(L"ViewGlid", L"FontColor", L"clBlack"), RGB(0, 0, 0));
    StrFontName = ini.ReadString(L"ViewGlid", L"FontName", L"ＭＳ ゴシック");
    IntFontSize = ini.ReadInteger(L"ViewGlid", L"FontSize", 14);
    if (IntFontSize <= 0) IntFontSize = 14;
    ColorBack = ColorTextToColor(ini.ReadString(L"ViewGlid", L"Color", L"clWhite"), RGB(255, 255, 255));
    ColorFixed = ColorTextToColor(ini.ReadString(L"ViewGlid", L"FixedColor", L"clSkyBlue"), 0xF0CAA6);
    ColorCurrent = ColorTextToColor(ini.ReadString(L"ViewGlid", L"CurrentColor", ColorToColorText(0xFF8000)), 0xFF8000);
    ColorCrLf = ColorTextToColor(ini.ReadString(L"ViewGlid", L"CrLfColor", L"clBlue"), 0xFF0000);
    IntMemoHeightIndex = std::clamp(ini.ReadInteger(L"ViewGlid", L"MemoHeightIndex", 1), 1, 10);
    SetMenuChecked(1432, ini.ReadBool(L"ViewGlid", L"SameAsQuibView", false));
    SetText(edit1_, ini.ReadString(L"ViewGlid", L"SearchWord", L""));
    // Exactly one of each radio group.
    if (CheckedIn(1041, 1051) == 0) CheckRadio(1041, 1051, 1051);
    if (CheckedIn(1121, 1125) == 0) CheckRadio(1121, 1125, 1121);
    if (MenuChecked(1341) == MenuChecked(1342)) CheckRadio(1341, 1342, 1342);
}

void TFormViewGrid::WriteSettings() const {
    const IniFile ini = Settings();
    WritePlacement(ini);
    RECT memo{};
    GetWindowRect(memo1_, &memo);
    ini.WriteInteger(L"ViewGrid", L"MemoHeight", memo.bottom - memo.top);
    for (const CheckKey& k : kViewGridChecks) ini.WriteBool(L"ViewGrid", k.key, MenuChecked(k.tag));
    ini.WriteString(L"ViewGlid", L"FontColor", ColorText(ColorFont));
    ini.WriteString(L"ViewGlid", L"FontName", StrFontName);
    ini.WriteString(L"ViewGlid", L"FontSize", std::to_wstring(IntFontSize));
    ini.WriteString(L"ViewGlid", L"Color", ColorText(ColorBack));
    ini.WriteString(L"ViewGlid", L"FixedColor", ColorText(ColorFixed));
    ini.WriteString(L"ViewGlid", L"CurrentColor", ColorText(ColorCurrent));
    ini.WriteString(L"ViewGlid", L"CrLfColor", ColorText(ColorCrLf));
    ini.WriteInteger(L"ViewGlid", L"MemoHeightIndex", IntMemoHeightIndex);
    ini.WriteBool(L"ViewGlid", L"SameAsQuibView", MenuChecked(1432));
    ini.WriteString(L"ViewGlid", L"SearchWord", GetText(edit1_));
}

// ---------------------------------------------------------------- radio items

void TFormViewGrid::CheckRadio(int first, int last, int tag) {
    for (int t = first; t <= last; ++t)
        if (t != 1124) SetMenuChecked(t, t == tag);
}

int TFormViewGrid::CheckedIn(int first, int last) const {
    for (int t = first; t <= last; ++t)
        if (t != 1124 && MenuChecked(t)) return t;
    return 0;
}

}  // namespace quib
