// The grid viewer's commands: loading choices, edit mode, copying, searching,
// title row and column, heights and widths, fonts and colours.
#include <windows.h>
#include <commdlg.h>

#include <algorithm>

#include "util/ColorText.h"
#include "settings/SettingKeys.h"
#include "util/Controls.h"
#include "util/Dpi.h"
#include "util/IniFile.h"
#include "util/Message.h"
#include "util/Theme.h"
#include "viewers/grid/FormViewGrid.h"

namespace quib {
namespace {

bool (*g_colorPicker)(HWND, COLORREF&) = nullptr;
bool (*g_fontPicker)(HWND, LOGFONTW&, COLORREF&) = nullptr;

bool FileExists(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

void NotFound(HWND owner) {
    ShowMsgJE(owner, L"Information : 検索文字がありません", L"Information : Search word can not find.\r\n[OK]");
}

}  // namespace

void TFormViewGrid::SetColorPickerForTests(bool (*picker)(HWND, COLORREF&)) { g_colorPicker = picker; }
void TFormViewGrid::SetFontPickerForTests(bool (*picker)(HWND, LOGFONTW&, COLORREF&)) { g_fontPicker = picker; }

// ---------------------------------------------------------------- loading choices

void TFormViewGrid::MenuLoadFileClick() {
    grid_.BeginUpdate();
    grid_.ClearCells();
    grid_.EndUpdate();
    // Edits end here: the file is what the grid shows again.
    BoolEditModified = false;
    SetEditMode(false);
    SendMessageW(memo1_, EM_SETMODIFY, FALSE, 0);
    LoadCsvFile();
}

void TFormViewGrid::MenuLfToTabClick() {}  // takes effect at the next load

void TFormViewGrid::MenuQuitClick() {
    SetModalResult(mrCancel);
    if (!InModal()) Close();
}

void TFormViewGrid::MenuCommand(int id) {
    if (id >= 1041 && id <= 1051) {
        CheckRadio(1041, 1051, id);
        MenuLoadFileClick();
    } else if (id >= 1031 && id <= 1033) {
        CheckRadio(1031, 1033, id);
        IntStrToCsvIndex = id - 1031;
        MenuLoadFileClick();
    } else if (id >= 1121 && id <= 1125 && id != 1124) {
        CheckRadio(1121, 1125, id);
    } else if (id >= 1151 && id <= 1160) {
        CheckRadio(1151, 1160, id);
        IntMemoHeightIndex = id - 1150;
        ApplyMemoHeight();
    } else if (id >= 1351 && id <= 1360) {
        CheckRadio(1351, 1360, id);
        IntGridRatioIndex = id - 1350;
        ApplyRowRatio();
    } else if (id == 1341 || id == 1342) {
        CheckRadio(1341, 1342, id);
        ShowCellPosition();
    }
}

// ---------------------------------------------------------------- edit mode

void TFormViewGrid::MenuEditModeClick() {
    SendMessageW(memo1_, EM_SETMODIFY, FALSE, 0);
    SetEditMode(true);
}

// ---------------------------------------------------------------- copying

ClipFormat TFormViewGrid::ChosenClipFormat() const {
    if (MenuChecked(1122)) return ClipFormat::DoubleQuote;
    if (MenuChecked(1123)) return ClipFormat::Comma;
    if (MenuChecked(1125)) return ClipFormat::CsvEx2;
    return ClipFormat::Tab;
}

void TFormViewGrid::MenuCopyToClipClick() {
    if (BoolKeyRun) return;
    BoolKeyRun = true;
    const RECT sel = grid_.Selection();
    std::vector<std::vector<std::wstring>> rows;
    for (int r = sel.top; r <= sel.bottom; ++r) {
        std::vector<std::wstring> row;
        for (int c = sel.left; c <= sel.right; ++c) row.push_back(grid_.Cell(c, r));
        rows.push_back(std::move(row));
    }
    SetClipboardText(handle_, BlockClipText(rows, ChosenClipFormat()));
    BoolKeyRun = false;
}

// ---------------------------------------------------------------- searching

void TFormViewGrid::MenuSearchWordNextClick() {
    if (GetFocus() == memo1_) {
        SearchMemo(true);
    } else {
        SearchGrid(true);
    }
}

void TFormViewGrid::MenuSearchWordPrevClick() {
    if (GetFocus() == memo1_) {
        SearchMemo(false);
    } else {
        SearchGrid(false);
    }
}

void TFormViewGrid::SearchGrid(bool forward) {
    const std::wstring word = GetText(edit1_);
    const auto found = FindInGrid([this](int c, int r) { return grid_.CellView(c, r); },
                                  grid_.ColCount(), grid_.RowCount(), GridCell{grid_.Col(), grid_.Row()}, word,
                                  forward);
    SetFocus(grid_.Handle());
    if (!found) {
        NotFound(handle_);
        return;
    }
    grid_.SelectCell(found->col, found->row);
}

void TFormViewGrid::SearchMemo(bool forward) {
    const std::wstring word = GetText(edit1_);
    const std::wstring text = GetText(memo1_);
    DWORD start = 0, end = 0;
    SendMessageW(memo1_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const auto at = FindInMemo(text, start, end - start, word, forward);
    SetFocus(memo1_);
    if (!at) {
        NotFound(handle_);
        return;
    }
    SendMessageW(memo1_, EM_SETSEL, *at, *at + word.size());
    SendMessageW(memo1_, EM_SCROLLCARET, 0, 0);
    MemoStatus();
}

// ---------------------------------------------------------------- widths and title row and column

void TFormViewGrid::FitColumn(int col) {
    grid_.SetColWidth(col, grid_.WidestTextInColumn(col) + Scale(5));
}

void TFormViewGrid::FitFixedColumns() {
    grid_.BeginUpdate();
    for (int c = 0; c < std::min(2, grid_.ColCount()); ++c) FitColumn(c);
    grid_.EndUpdate();
}

void TFormViewGrid::MenuColumnWidthAdjustClick() {
    grid_.BeginUpdate();
    for (int c = 0; c < grid_.ColCount(); ++c) FitColumn(c);
    grid_.EndUpdate();
}

void TFormViewGrid::MenuRowFixedClick() {
    const int row = grid_.Row();
    for (int c = 2; c < grid_.ColCount(); ++c) grid_.SetCell(c, 1, grid_.Cell(c, row));
}

void TFormViewGrid::MenuRowFixedClearClick() {
    for (int c = 2; c < grid_.ColCount(); ++c) grid_.SetCell(c, 1, L"");
}

void TFormViewGrid::MenuColFixedClick() {
    const int col = grid_.Col();
    grid_.BeginUpdate();
    for (int r = 2; r < grid_.RowCount(); ++r) grid_.SetCell(1, r, grid_.Cell(col, r));
    FitFixedColumns();
    grid_.EndUpdate();
}

void TFormViewGrid::MenuColFixedClearClick() {
    grid_.BeginUpdate();
    for (int r = 2; r < grid_.RowCount(); ++r) grid_.SetCell(1, r, L"");
    grid_.EndUpdate();
}

// ---------------------------------------------------------------- fonts and colours

void TFormViewGrid::ApplyFont(const std::wstring& name, int size) {
    LOGFONTW lf{};
    lf.lfHeight = FontHeightForDpi(size, Dpi());
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, name.c_str(), LF_FACESIZE);
    HFONT font = CreateFontIndirectW(&lf);
    grid_.SetFont(font);
    SendMessageW(memo1_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (gridFont_) DeleteObject(gridFont_);
    gridFont_ = font;
    IntTextHeight = Scale(size * 22 / 14);
}

bool TFormViewGrid::QuibViewLook(std::wstring& fontName, int& fontSize, COLORREF& fontColor, COLORREF& back) const {
    const std::wstring path = ProgramFolder() + L"\\quibFM.ini";
    const IniFile ini(path);
    fontName = ReadKey(ini, key::QuibViewFontName);
    fontSize = ReadKeyInt(ini, key::QuibViewFontHeight);
    if (fontSize <= 0) fontSize = 14;
    fontColor = FilerColorTextToColor(ReadKey(ini, key::QuibViewColorText), 0xFFFFFF);
    back = FilerColorTextToColor(ReadKey(ini, key::QuibViewColorBack), 0x400000);
    return FileExists(path);
}

void TFormViewGrid::ApplyLook() {
    std::wstring name = StrFontName;
    int size = IntFontSize;
    COLORREF text = ColorFont, back = ColorBack;
    if (MenuChecked(1432)) QuibViewLook(name, size, text, back);
    if (DarkStyleActive()) {
        // The dark style's colours: the cells then paint only their text.
        text = CurrentPalette().windowText;
        back = CurrentPalette().window;
    }
    ApplyFont(name, size);
    grid_.SetFontColor(text);
    grid_.SetColor(back);
    grid_.SetFixedBackColor(ColorFixed);
    grid_.SetCurrentBackColor(ColorCurrent);
    memoText_ = text;
    memoBack_ = back;
    // The editor's line-end marks go on the ground the editor is painted on.
    memoCrLf_.SetDarkMode(DarkStyleActive());
    memoCrLf_.SetDarkBackColor(back);
    memoCrLf_.SetColor(back);
    memoCrLf_.SetCrLfColor(ColorCrLf);
    InvalidateRect(memo1_, nullptr, TRUE);
    ApplyRowRatio();
    FitFixedColumns();
    ApplyMemoHeight();
    grid_.Invalidate();
}

bool TFormViewGrid::PickColor(COLORREF& color) {
    if (g_colorPicker) return g_colorPicker(handle_, color);
    static COLORREF custom[16] = {};
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof(cc);
    cc.hwndOwner = handle_;
    cc.rgbResult = color;
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorW(&cc)) return false;
    color = cc.rgbResult;
    return true;
}

void TFormViewGrid::MenuFontColorClick() {
    LOGFONTW lf{};
    lf.lfHeight = FontHeightForDpi(IntFontSize, Dpi());
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, StrFontName.c_str(), LF_FACESIZE);
    COLORREF color = ColorFont;
    bool ok;
    if (g_fontPicker) {
        ok = g_fontPicker(handle_, lf, color);
    } else {
        CHOOSEFONTW cf{};
        cf.lStructSize = sizeof(cf);
        cf.hwndOwner = handle_;
        cf.lpLogFont = &lf;
        cf.rgbColors = color;
        cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
        ok = ChooseFontW(&cf) != FALSE;
        color = cf.rgbColors;
    }
    if (!ok) return;
    StrFontName = lf.lfFaceName;
    // Back from the character height at this DPI to points.
    IntFontSize = std::max(1, MulDiv(std::abs(lf.lfHeight), 72, static_cast<int>(Dpi())));
    ColorFont = color;
    ApplyLook();
}

void TFormViewGrid::MenuBackColorClick() {
    if (PickColor(ColorBack)) ApplyLook();
}

void TFormViewGrid::MenuCurrentBackColorClick() {
    if (PickColor(ColorCurrent)) grid_.SetCurrentBackColor(ColorCurrent);
}

void TFormViewGrid::MenuFixedBackColorClick() {
    if (PickColor(ColorFixed)) grid_.SetFixedBackColor(ColorFixed);
}

void TFormViewGrid::MenuCrLfColorClick() {
    if (PickColor(ColorCrLf)) memoCrLf_.SetCrLfColor(ColorCrLf);
}

void TFormViewGrid::MenuFontColoInitClick() {
    StrFontName = L"ＭＳ ゴシック";
    IntFontSize = 14;
    ColorFont = RGB(0, 0, 0);
    ColorBack = RGB(255, 255, 255);
    ColorFixed = 0xF0CAA6;
    ColorCurrent = 0xFF8000;
    ColorCrLf = 0xFF0000;
    ApplyLook();
}

void TFormViewGrid::UpdateSameAsQuibViewItems() {
    const bool same = MenuChecked(1432);
    for (int tag : {1411, 1412, 1431}) SetMenuEnabled(tag, !same);
}

void TFormViewGrid::MenuSameAsQuibViewClick() {
    const std::wstring path = ProgramFolder() + L"\\quibFM.ini";
    if (!FileExists(path)) {
        SetMenuChecked(1432, false);
        ShowMsgJE(handle_, L"Information : quibFM.ini のファイルが無いのでチェックは無効です\r\n" + path,
                  L"Information : Checked can not accept, because of quibFM.ini is not exists.\r\n" + path +
                      L"\r\n[OK]");
        return;
    }
    UpdateSameAsQuibViewItems();
    ApplyLook();
}

// ---------------------------------------------------------------- the editor's pop-up menu

// The pop-up menu's keys reach the window wherever the focus is: they work on
// the edit box that has the focus (the cell editor or the search word).
namespace {
HWND FocusedEdit(HWND memo, HWND edit) {
    HWND focus = GetFocus();
    return focus == memo || focus == edit ? focus : memo;
}
}  // namespace

void TFormViewGrid::PopupCopyClick() { SendMessageW(FocusedEdit(memo1_, edit1_), WM_COPY, 0, 0); }
void TFormViewGrid::PopupCutClick() { SendMessageW(FocusedEdit(memo1_, edit1_), WM_CUT, 0, 0); }
void TFormViewGrid::PopupPasteClick() { SendMessageW(FocusedEdit(memo1_, edit1_), WM_PASTE, 0, 0); }
void TFormViewGrid::PopupSelectAllClick() {
    HWND target = FocusedEdit(memo1_, edit1_);
    SendMessageW(target, EM_SETSEL, 0, -1);
    if (target == memo1_) MemoStatus();
}

}  // namespace quib
