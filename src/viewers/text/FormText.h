#pragma once
// The built-in, read-only text viewer: decides the encoding and line end of
// an extracted file by itself, shows the text with optional line numbers,
// and offers keyboard-driven scrolling, copying and searching. Every command
// is a menu item with its number; the viewer's key map binds keys to them.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/FormBase.h"
#include "viewers/text/HtSearch3.h"
#include "viewers/text/MemoExDark.h"

namespace quib {

// The viewer's command table (menus of the three bars, the context menu).
const CommandTable& TextCommandTable();
// The viewer's built-in key table: key set 0 (default) or the Notepad-like
// set; captions from the window's menus when one is given.
KeyMapTable TextBuiltInKeyTable(int exeType, const TFormBase* captionsFrom);

// Files beyond this size are refused with a message: the text, its decoded
// copy and the control's own copy must fit into a 32-bit process.
constexpr std::uint64_t kTextViewMaxBytes = 128ull * 1024 * 1024;

class TFormFind;

class TFormText : public TFormBase {
public:
    explicit TFormText(std::wstring fileName);
    ~TFormText() override;

    // --- what other windows and tests use
    HWND Memo1() const { return memo1_; }
    HWND Memo9() const { return memo9_; }
    HWND ComboBox1() const { return combo_; }
    HWND StatusBar1() const { return status1_; }
    HWND StatusBar2() const { return status2_; }
    HWND Panel2() const { return panel2_; }
    std::wstring StatusText(int bar, int panel) const;

    void LoadFile();
    void GetCharCodeRetCode(const std::wstring& fileName, int& charCode, int& retCode);
    void MemoStatus();
    TSearchOptions SetOptions(int direction);
    // The built-in key map: key set 0 (default) or the Notepad-like set.
    void InitKeyMap(int exeType);
    void SetShortCutKey();
    // Runs a forward (true) or backward search for StrSearchValue from the
    // selection, as the menu commands and the find dialog do.
    bool SearchText(bool forward);
    // The text's number of lines (the empty line after the last one not counted).
    int LineCount() const;
    // The find dialog shows its stand-in menu bar in the viewer while active.
    void SetMenuBarPublic(int bar) { SetMenuBar(bar); }
    TFormFind* FindDialog() const { return find_; }
    bool FindVisible() const;

    std::wstring StrLoadFileName;
    int IntLoadCharIndex = 0;
    int IntReadEncode1 = 1, IntReadReturn1 = 0;
    std::wstring StrLoadChar, StrLoadReturn;
    int IntLoadCrLfIndex = 0;
    bool BoolLfInLine = false;
    bool BoolUnKnownCharCode = false;
    bool BoolFileReadOnly = false;
    std::int64_t IntLoadFileSize = 0;
    std::wstring StrListLoadFileTmp;  // the control's text: every line ended by CR LF
    std::wstring StrSearchValue;
    TSearchInfo Info;
    TSearchOptions SearchOptions;
    int IntScroll1 = 3, IntScroll2 = 17, IntScroll3 = 17;
    int TabStops = 16;
    int IntTopLineMemo = 0;
    int IntSelStart = 0;
    bool BoolMouseDown = false;
    bool BoolFormShow = false;
    int ShiftRet = 15, ShiftEof = 12, ShiftTab = 8, ShiftDbcs = 13;
    int LineWidth = 80;

    // --- commands
    void MenuCloseClick();
    void MenuShowCsvClick();
    void MenuSearchWordClick();
    void MenuSearchNextClick();
    void MenuSearchPrevClick();
    void MenuSearchWordOneLineClick();
    void MenuSearchBarClick();
    void MenuSearchNext2Click();
    void MenuSearchPrev2Click();
    void MenuSearchBarSetFocusClick();
    void MenuChkMatchCaseClick();
    void MenuChkMatchCase4Click();
    void MenuCopyClick();
    void MenuAddCopyClick();
    void MenuSelectAllClick();
    void MenuCopyOneLineClick();
    void MenuSelectWordClick();
    void MenuJumpClick();
    void MenuMoveDocumentTopClick();
    void MenuScrollPgUpClick();
    void MenuScrollLeftClick();
    void MenuScrollUpClick();
    void MenuScrollDownClick();
    void MenuScrollRightClick();
    void MenuScrollPgDownClick();
    void MenuMoveDocumentEndClick();
    void MenuMoveLineTopClick();
    void MenuMoveLineEndClick();
    void MenuCursolDisabledClick();
    void MenuMemoRightClick();
    void MenuMemoLeftClick();
    void MenuMemoPageUpClick();
    void MenuMemoUpClick();
    void MenuMemoDownClick();
    void MenuMemoPageDownClick();
    void MenuWrapNoneClick();
    void MenuWrapWindowWidthClick();
    void MenuShowLineNumberClick();
    void MenuStatusBarTopVisibleClick();
    void MenuStatusBarBottomVisibleClick();
    void MenuShowFileNameClick();
    void MenuSearchBarTopVisibleClick();
    void MenuSameAsQuibViewClick();
    void MenuParameterSettingClick();
    void MenuKeyBoardClick();
    // The four marks and their colours and offsets as the menu and settings say.
    void ApplyMarks();
    void MenuLineSettingClick();
    void MenuPageSettingClick();
    void MenuKigouSettingClick();
    const TMemoExDark& MemoEx() const { return memoEx_; }
    TMemoExDark& MemoEx() { return memoEx_; }

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int clientWidth, int clientHeight) override;
    void FormClose() override;
    void FormDestroy() override;
    bool FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) override;
    void MenuCommand(int id) override;
    void ControlCommand(HWND control, int id, int code) override;
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void LanguageApplied() override;

private:
    void ReadSettings();
    void ReadEditorColors(const IniFile& ini);
    void WriteSettings();
    void CreateMemo1(bool wrap);
    void ApplyFont();
    void SetLoadIndexFromMenu();
    void ShowText();
    void SetLineNumber();
    void SyncLineNumbers();
    void InformationUpDate();
    void SetPanel(int panel, const std::wstring& text);
    void SetTabStops();
    void SetWrap(bool wrap);
    void InstallTextKeyMap();
    void ApplyShortCutCopies();
    void ScrollBy(int step);
    void MoveCaretToLine(int target);
    void CaretKey(WORD vk);
    int CaretLine() const;
    void GetSel(int& start, int& end) const;
    std::wstring LineText(int line) const;
    void SelectWordAtCaret();
    void SearchBarSearch(bool forward);
    void ComboEnter(bool shift, bool ctrl);
    void ComboFocus(bool gained);
    void PickUpSelection();
    void ShowSearchBar(bool show);
    void RunCurrentRead(int tag);
    void MemoEvent(UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK MemoProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    static LRESULT CALLBACK ComboEditProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    HWND memo1_ = nullptr, memo9_ = nullptr, panel2_ = nullptr, combo_ = nullptr;
    HWND buttonNext2_ = nullptr, buttonPrev2_ = nullptr, label1_ = nullptr;
    HWND status1_ = nullptr, status2_ = nullptr;
    HFONT memoFont_ = nullptr;
    HBRUSH backBrush_ = nullptr;
    COLORREF fontColor_ = 0, backColor_ = 0, kigouColor_ = 0;
    std::wstring fontName_;
    int fontSize_ = 14;
    std::wstring fontColorText_, colorText_, kigouColorText_;
    bool wrap_ = false;
    int sentTabStops_ = -1;
    bool notepadMode_ = false;
    int runningTag_ = 0;
    std::vector<std::wstring> statusTexts_[2];
    TMemoExDark memoEx_;
    std::unique_ptr<TFormBase> findHolder_;
    TFormFind* find_ = nullptr;
    void OpenFind();
};

// Shows the viewer modally on a file and frees it.
void ShowTextViewer(const std::wstring& fileName);

}  // namespace quib
