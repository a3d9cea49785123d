#pragma once
// The grid viewer: a comma-, quote-comma-quote- or tab-separated file shown
// as a table of multi-line cells, with a cell editor above the grid, a search
// over the cells and over the editor, and a selected block copied to the
// clipboard in one of four formats. Edits live only as long as the window:
// saving and the row and column commands stay disabled.
#include <windows.h>

#include <string>
#include <vector>

#include "app/FormBase.h"
#include "viewers/grid/GridText.h"
#include "viewers/grid/MlsGrid.h"
#include "viewers/text/MemoCrLf.h"

namespace quib {

// Opens the grid viewer on a file, modally, and frees it when it closes.
void OpenGridViewer(const std::wstring& file);

class TFormViewGrid : public TFormBase {
public:
    // file empty: the main window's StrExtractFolderFileName.
    explicit TFormViewGrid(std::wstring file = {});
    ~TFormViewGrid() override;

    // Menu and component Tags.
    enum : int {
        kTagMenuFile = 1000, kTagMenuRead = 1005, kTagMenuSave = 1006, kTagMenuEdit = 1100, kTagMenuSearch = 1200,
        kTagMenuView = 1300, kTagMenuSetting = 1400, kTagPopupMenu1 = 1500,
        kTagLabel2 = 2001, kTagLabel1 = 2002, kTagButtonMemoNext = 2011, kTagButtonMemoPrev = 2012,
        kTagButtonGridNext = 2013, kTagButtonGridPrev = 2014,
    };

    // --- state (names as the program has always called them)
    std::wstring StrLoadFileName;
    int IntReadEncode1 = 20, IntReadReturn1 = 3;
    bool BoolLfInLine = false, BoolUnKnownCharCode = false, BoolFileReadOnly = false;
    long long IntLoadFileSize = 0;
    std::wstring StrLoadChar, StrLoadReturn;
    std::vector<std::wstring> StrListLoadFile, StrListLoadCsvFile;
    std::wstring StrSeparater;
    int IntStrToCsvIndex = 0;
    int IntTextHeight = 22;
    int IntGridRatioIndex = 1, IntMemoHeightIndex = 1;
    int IntLastCol = 2, IntLastRow = 2;
    bool BoolEditModified = false, BoolMemoShift = false, BoolKeyRun = false;
    // Own font and colours.
    std::wstring StrFontName = L"ＭＳ ゴシック";
    int IntFontSize = 14;
    COLORREF ColorFont = RGB(0, 0, 0), ColorBack = RGB(255, 255, 255), ColorFixed = 0xF0CAA6,
             ColorCurrent = 0xFF8000, ColorCrLf = 0xFF0000;

    // --- what tests and the user see
    TMLStringGrid& StringGrid1() { return grid_; }
    HWND Memo1() const { return memo1_; }
    const TMemoCrLf& MemoCrLf() const { return memoCrLf_; }
    HWND Edit1() const { return edit1_; }
    HWND StatusBar(int which) const;  // 1, 2, 3
    std::wstring StatusText(int which, int panel) const;
    HWND Button(int tag) const;
    bool InEditMode() const { return editMode_; }

    // --- loading
    void LoadCsvFile();
    void SetCsvFile();
    void StrListToStringGrid();

    // --- command handlers
    void MenuLoadFileClick();
    void MenuLfToTabClick();
    void MenuQuitClick();
    void MenuEditModeClick();
    void MenuCopyToClipClick();
    void MenuSearchWordNextClick();
    void MenuSearchWordPrevClick();
    void MenuColumnWidthAdjustClick();
    void MenuRowFixedClick();
    void MenuRowFixedClearClick();
    void MenuColFixedClick();
    void MenuColFixedClearClick();
    void MenuFontColorClick();
    void MenuBackColorClick();
    void MenuCurrentBackColorClick();
    void MenuFixedBackColorClick();
    void MenuCrLfColorClick();
    void MenuFontColoInitClick();
    void MenuSameAsQuibViewClick();
    void PopupCopyClick();
    void PopupCutClick();
    void PopupPasteClick();
    void PopupSelectAllClick();
    void DisabledClick() {}

    // Searches (the buttons and F3 / Shift+F3).
    void SearchGrid(bool forward);
    void SearchMemo(bool forward);
    // The current cell's text into the editor and the status (rule of selection).
    void StringGrid1SelectCell(int col, int row);
    void MemoStatus();

    // Colour dialogs answer through this in tests (null: the real dialogs).
    static void SetColorPickerForTests(bool (*picker)(HWND owner, COLORREF& color));
    static void SetFontPickerForTests(bool (*picker)(HWND owner, LOGFONTW& font, COLORREF& color));

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int clientWidth, int clientHeight) override;
    bool FormCloseQuery() override;
    void FormClose() override;
    void FormDestroy() override;
    bool FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) override;
    void ControlCommand(HWND control, int id, int code) override;
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void LanguageApplied() override;
    // The radio items: encoding, splitting rule, clipboard format, heights, status order.
    void MenuCommand(int id) override;

private:
    void ReadSettings();
    void WriteSettings() const;
    void SetCaptionFromFile();
    void ApplyLook();
    void ApplyFont(const std::wstring& name, int size);
    void ApplyRowRatio();
    void ApplyMemoHeight();
    void FitColumn(int col);
    void FitFixedColumns();
    void SetStatusPanels();
    void ClearStatus();
    void SetStatusBoth(int panel, const std::wstring& text);
    void ShowCellPosition();
    void CheckRadio(int first, int last, int tag);
    int CheckedIn(int first, int last) const;
    int ChosenEncoding(int detected) const;
    ClipFormat ChosenClipFormat() const;
    bool QuibViewLook(std::wstring& fontName, int& fontSize, COLORREF& fontColor, COLORREF& back) const;
    bool PickColor(COLORREF& color);
    void UpdateSameAsQuibViewItems();
    void SetEditMode(bool on);

    std::wstring fileArg_;
    TMLStringGrid grid_;
    HWND memo1_ = nullptr, edit1_ = nullptr;
    HWND panel1_ = nullptr, panel2_ = nullptr, panel3_ = nullptr;
    HWND label1_ = nullptr, label2_ = nullptr;
    HWND buttonMemoNext_ = nullptr, buttonMemoPrev_ = nullptr, buttonGridNext_ = nullptr, buttonGridPrev_ = nullptr;
    HWND statusBar1_ = nullptr, statusBar2_ = nullptr, statusBar3_ = nullptr;
    HFONT gridFont_ = nullptr;
    HBRUSH memoBrush_ = nullptr;
    COLORREF memoBack_ = RGB(255, 255, 255), memoText_ = RGB(0, 0, 0);
    TMemoCrLf memoCrLf_;
    int memoHeightSaved_ = 150;
    bool editMode_ = false;
    bool loading_ = false;
};

}  // namespace quib
