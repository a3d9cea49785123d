#pragma once
// The main window: the hub of the program, alive for the whole run. It owns the
// open archive, its entry lines, the folder shown, the listing mode in force
// and, as the settings model it inherits, the settings read from the settings file.
#include <windows.h>
#include <shellapi.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "util/Controls.h"
#include "util/MyListView.h"
#include "util/RowModel.h"
#include "app/EntryView.h"
#include "app/FilerLink.h"
#include "app/FormBase.h"
#include "app/MainSettings.h"
#include "archive/ArchiveKind.h"
#include "archive/Listing.h"
#include "extract/FolderPickerHost.h"
#include "keymap/KeyMap.h"

namespace quib {

class TFormMain : public TFormBase, public MainSettings {
public:
    TFormMain();
    ~TFormMain() override;

    // --- state read by other windows and by tests (names as the program uses them)
    std::wstring StrLoadFileName;
    std::wstring StrFilerCurrent = L"/";
    std::wstring StrExtractBase;
    std::wstring StrExeDrive;
    std::wstring StrExePath;
    std::wstring StrMsg;
    bool BoolWindows7Later = true;
    bool BoolReadDllSystem32andApplication = true;
    // The listing mode in force; the menu check marks show it. The settings
    // keep ModeSelectMenu, which follows it unless the command line forced a
    // mode for this run (IntModeSelectHwnd 1, 4 or 5; 0 when it did not).
    ListingMode ListingModeNow = ListingMode::Normal;
    int IntModeSelectHwnd = 0;
    HWND QuibHandle = nullptr;
    StringList StrListLog;
    // Windows found by caption (the filers, other instances), parallel lists.
    WindowFindFlags FindFlags;
    StringList StrListWindowName2;
    StringList StrListWindowHwnd2;
    StringList StrListDropName;
    bool BoolFormShow = false;
    int IntInfoSelect = 0;
    bool BoolFormListViewRun = false;
    int TabStops = 16;
    int ParamCount = 0;

    // Entry model and rows.
    EntryLines StrListArchiveDirFile;
    EntryPathList StrListPathFile;

private:
    EntryRows rows_;  // before the views on it
    std::wstring cellScratch_;  // the text of the cell the list asks for

public:
    // The rows shown, one per entry line of the display form.
    const EntryRows& Rows() const { return rows_; }
    // The rows read as the parallel lists they once were: StrListItem[n][row]
    // is field n of a row (9 its stored path), StrListListView[row] its line,
    // StrListListViewMark[row] its mark.
    const RowFieldLists StrListItem{rows_};
    const RowLineList StrListListView{rows_};
    const RowMarkList StrListListViewMark{rows_};
    // The filer form's lines of the folder shown (the rows' own lines).
    const RowSourceLineList StrListArchiveDirFileFiler{rows_};
    StringList StrListSimpleResult;
    StringList StrListTestResult;
    long long Int64FileSizeAll = 0;
    long long Int64FileNumAll = 0;
    FilerHistory StrListFilerHistory;
    bool BoolShowDate = true, BoolShowTime = true, BoolShowAttr = true;

    // Extension lists of the plug-ins (the settings' own lists are in MainSettings).
    StringList StrListSpiExt, StrListSpmExt, StrListSpmList;
    // The archive plug-in that listed the open archive (prefixes expanded);
    // every entry of that archive is taken out through it.
    std::wstring StrSpmFileName;
    std::array<std::wstring, 101> StrListExtArray{};
    std::array<std::wstring, 101> StrListPrgArray{};

    // Archive settings (command texts per family, DLL choices).
    ArchiveSettings Arc;
    std::wstring StrRetFormSelectSfxArchive;

    // No key of its own: the captions of the information panel take ColorInfoFont.
    COLORREF ColorInfoItem = 0xFFFFFF;
    // Colours in force (after the filer / own / style choice).
    // The text area of the simple and test modes keeps the colours of the
    // last full reading of the settings (the filer switch leaves it alone).
    COLORREF ColorMemoNow = 0, ColorMemoFontNow = 0xFFFFFF;
    COLORREF ColorWindowNow = 0, ColorListNow = 0, ColorListFontNow = 0xFFFFFF, ColorPanelNow = 0,
             ColorPanelFontNow = 0xFFFFFF, ColorPanelItemNow = 0xFFFFFF;

    // --- commands and operations
    void ReadIniValueInit();
    void ReadIniValueSetting();
    void ReadArchiveSetting();
    void OpenArchive(const std::wstring& path);
    bool ListArchive(const std::wstring& path);
    bool ArchiveListNormal(const std::wstring& path);
    bool ArchiveListSimple(const std::wstring& path);
    bool ArchiveListTest(const std::wstring& path);
    void SetItemNewListArchive();
    void InformationClear();
    void InformationUpdate();
    void InformationFileUpdate();
    bool TextForm() const;  // MenuListText checked (else the filer form)

    // Rows: count, selection, the mark column, a row's sub-item text as shown.
    int RowCount() const { return static_cast<int>(rows_.size()); }
    int SelectedRow() const;
    void SelectRow(int row, bool centre);
    std::wstring RowMark(int row) const;
    void SetRowMark(int row, const std::wstring& mark);
    std::wstring RowText(int row, int column) const;
    COLORREF RowTextColor(int row) const;
    COLORREF NameLabelColor() const;
    std::wstring InfoValue(int which) const;  // 0 file, 1 path, 2 name, 3 packed, 4 time, 5 size, 6 attr, 7 mode

    void EnterFolder(int row);
    void MenuBackSpaceClick();
    void MenuExecuteExtClick();
    void MenuMoveTopClick();
    void MenuMoveEndClick();
    void MenuListTextClick();
    void MenuListFilerClick();
    void MenuListViewWidthInitClick();
    void MenuCopyFileNameClick();
    void MenuShowListItemsClick();
    void MenuSameAsQuibFMClick();
    void MenuOpenClick();
    // The open dialog's work once a file is chosen (empty: the "no name" message).
    void OpenChosenFile(const std::wstring& path);
    void ButtonPanelSelectClick();
    void ListView1DblClick();
    void ListView1Click();
    void MenuMarkClick();
    void MenuAllMarkFileClick();
    void MenuAllMarkFolderFileClick();
    void MenuMarkReverseClick();
    void MenuMoveUpClick();
    void MenuMoveDownClick();
    void MenuMovePrevClick();
    void MenuMoveNextClick();
    void MenuJapaneseClick();
    void MenuEnglishClick();
    void MenuParentShowClick();
    void MenuShowLogClick();
    void MenuShowHelpClick();
    void MenuParameterSettingClick();
    void MenuArchiveSettingClick();
    void MenuKeyBoadClick();
    void MenuLauncherClick();
    // The software launcher's choice.
    std::wstring StrRetFormLauncherName, StrRetFormLauncherFile, StrRetFormLauncherOption;

    // Initial search (FormMainSearch.cpp). The texts and font colours of the
    // information panel's file caption and file value labels while the
    // search's indicator stands there; the guard against re-entry.
    std::wstring StrInitialSearchDriveMemory1, StrInitialSearchDriveMemory2;
    COLORREF ColorInitialSearchMemory1 = 0, ColorInitialSearchMemory2 = 0;
    bool BoolInitialSearchRun = false;
    void MenuInitialSearchClick();
    void MenuInitialSearchOneTimeClick();
    // A letter or digit item of the hidden menus ('A'..'Z', '0'..'9').
    void MenuInitialSearchCharClick(wchar_t character);
    void InitialSearch(wchar_t character);
    // Both modes off, when one is on (an archive opened with the open dialog).
    void InitialSearchOff();

    // Filer link (FormMainFilerLink.cpp); the instance switch keeps the
    // windows it found in StrListWindowName / StrListWindowHwnd.
    void MenuArchiveSetFocusClick();
    void MenuFilerSetFocusClick();
    // The interface language of the whole program (the Jpn/Eng menu): saved,
    // applied here and taken by every window shown later.
    void SwitchLanguage(bool japanese) override;

    void MenuFileArchiveClick();
    void MenuFileSimpleClick();
    void MenuFileTestClick();
    void MenuFileSfxClick();
    void MenuFileSusieClick();
    void MenuCloseClick();

    // --- Susie archive plug-ins (FormMainSusie.cpp)
    // Chooses the plug-in for the archive from the list file and lists it.
    bool ListSusie(const std::wstring& archiveFileName);
    // Lists through the plug-in's GetArchiveInfo (0: success).
    int FileGetArchiveFileInfo(const std::wstring& spiFileName, const std::wstring& archiveFileName);
    void GetSpiExt();
    void GetSpmExt();
    void GetSpiListExt(StringList& dstList, const std::wstring& executeType);
    // The list file of archive (spm) or picture (spi) plug-ins, prefixes expanded.
    std::wstring SusieListFile(bool archives) const;
    // "stored path \t position \t size" of each stored path of the open
    // archive's lines, in the order given.
    StringList SusieItemsOf(const StringList& storedPaths) const;
    // Takes the items out below destination through StrSpmFileName; the first
    // failure stops, with its message. True when every item came out.
    bool SusieExtractItems(const StringList& items, const std::wstring& destination, HWND owner);
    // One entry into the temporary folder (viewers, launching); empty after a
    // message when it cannot be had.
    std::wstring SusieTempFile(const std::wstring& storedPath, HWND owner);

    // --- pop-up extraction window (FormMainPopUp.cpp)
    int IntExtractIndex = 0;  // the named destination the input dialog edits
    void MenuShowPopupClick();

    HWND ListView1() const { return list_.Handle(); }
    HWND Memo1() const { return memo1_; }
    HWND StatusBar1() const { return statusBar_; }
    std::wstring StatusText(int panel) const;
    void SetStatusText(int panel, const std::wstring& text);
    StringList Memo1Lines() const;
    void SetMemo1Lines(const StringList& lines);
    bool ListVisible() const;

    // --- extraction, viewing and launching (FormMainExtract.cpp, FormMainLaunch.cpp)
    StringList StrListExtractFile;                    // the archive the extraction dialog shows
    // Filer windows offered as destinations; the instance switch's windows after it ran.
    StringList StrListWindowName, StrListWindowHwnd;
    std::wstring StrRetFormExtract;
    // The drive table (header line first) and the drive and new-folder
    // dialogs' hand-over fields.
    StringList StrListDriveInfo;
    std::wstring StrRetFormDrive;
    std::wstring StrSetFormMakeFolder, StrRetFormMakeFolder;
    std::wstring StrArchivePasswordExtract;           // given by the password dialog
    std::wstring StrExtractFolderFileName;            // the extracted entry a viewer shows
    int IntImageTypeIndex = 0;
    StringList StrListBultInMarkFile;
    StringList StrListExecute;
    std::wstring StrRetFormExecute, StrRetFormExecuteMode;
    void MenuUnpackClick();
    void MenuTextViewClick();
    void MenuImageWicClick();
    void MenuImageGdiClick();
    void MenuImageSusieClick();
    void MenuArchiveViewerClick();
    void MenuMovieMusicPlayerClick();
    // The one road to an archiver DLL for extraction (fileName: "@" + the
    // response file). The window stays responsive while the DLL works.
    bool ArchiveUnpack(const std::wstring& archiveFileName, const std::wstring& filePath, const std::wstring& fileName,
                       bool temporary, bool withPath, HWND formHwnd);
    bool ExecuteProgram(const std::wstring& programLine, const std::wstring& option, const std::wstring& file);
    bool ExecuteProgramEx3(const std::wstring& program, const std::wstring& option, const std::wstring& file);
    bool ExecuteRerated(const std::wstring& file, const std::wstring& option, const std::wstring& folder);
    // Enter on a file row: the selection extracted into the temporary folder
    // and the focused entry opened by its extension.
    void ExecuteExtFile();
    std::wstring ResponseFilePath() const;
    // What the folder pickers (browse window) take from this window: the
    // drive table, the filers' captions, the list's look, size texts and
    // extension lists. Filled afresh for each opening.
    FolderPickerHost PickerHost;
    FolderPickerHost& FolderPickers();

    // Handles a dropped-files list (the WM_DROPFILES path after the paths are read).
    void DropFiles(const StringList& paths);

    // The settings file of the program.
    IniFile Ini() const { return Settings(); }

    // --- self-extracting archives (FormMainSfx.cpp)
    bool ListSfx(const std::wstring& path);
    bool GetSfxType(const std::wstring& path);
    bool ArchiveListSfx(const std::wstring& path);
    bool ArchiveListSfxDllSelected(const std::wstring& path);
    bool ArchiveListSimpleDllSelected(const std::wstring& path);
    bool ArchiveListTestDllSelected(const std::wstring& path);
    void MenuFileSfxAutoClick();
    void MenuFileSfxListClick();
    void MenuFileSfxSimpleClick();
    void MenuFileSfxTestClick();
    // The self-extracting list made again the way the checked sub-mode made
    // it: by probing, or with the kind chosen in the DLL selection dialog.
    bool ListSfxAgain(const std::wstring& path);
    // The lines of the last probe report (the hidden text box Memo4).
    StringList Memo4Lines() const;

    // --- password and deletion (FormMainDelete.cpp)
    void MenuPasswordClick();
    void MenuDeleteClick();
    bool ArchiveDeleteFile(const std::wstring& archive, const std::wstring& listArgument);

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int clientWidth, int clientHeight) override;
    void FormDpiChanged(UINT oldDpi) override;
    void FormClose() override;
    void FormDestroy() override;
    bool FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) override;
    bool InitialSearchOn() const override;
    void MenuCommand(int id) override;
    void ControlCommand(HWND control, int id, int code) override;
    LRESULT Notify(NMHDR* hdr) override;
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    // Layout (FormMainLayout.cpp).
    void CreateControls();
    void AddListColumns();
    void LayoutControls();
    void SetStatusParts();
    // The window is wide enough for the entry details and the archive totals
    // side by side.
    bool WideLayout() const;
    // The colours and fonts in force given to the controls; the text area
    // only when asked.
    void ApplyColorsAndFonts(bool textArea = true);
    // The colours and fonts of the list and the panels from the filer's or
    // the program's own settings (no style colours).
    void ChooseListAndPanelColors(bool sameAsFiler);
    // Start-up (FormMain.cpp).
    void ParseCommandLine(const StringList& args);
    // The filers and other instances running at start-up, into the log.
    void LogWindowsFound();
    void ShowListingModeState();
    void ShowListingModeStateOnly();
    void MarkAll(bool withFolders);
    void MoveCursor(WORD key);
    void SelectMode(ListingMode mode);
    void SwitchMode(ListingMode mode);
    void SetModeCaptions(bool susie);
    void ResetSfxSubModes(bool enable);
    void ClearTotalsAndPanels(int lastPanel);
    void ShowListOrMemo(bool list);
    void WmDropFiles(HDROP drop);
    std::wstring ModeCaption(int tag) const;

    TMyListView list_;
    HWND memo1_ = nullptr;
    HWND memo4_ = nullptr;
    HWND statusBar_ = nullptr;
    HWND panel1_ = nullptr, panel7_ = nullptr, panel8_ = nullptr, panel9_ = nullptr;
    // Information labels: captions and values, in creation order.
    struct InfoLabel {
        HWND caption;
        HWND value;
    };
    InfoLabel labelFile_{}, labelPath_{}, labelName_{};                       // Panel1
    InfoLabel labelPacked_{}, labelTime_{}, labelSize_{}, labelAttr_{}, labelMode_{};  // Panel7
    std::array<HWND, 8> wideTotals_{};  // Label105..108, Label112..115 on Panel7
    InfoLabel labelTotalSize_{}, labelTotalCount_{}, labelMarkSize_{}, labelMarkCount_{};  // Panel8
    bool ExitQuestion();
    void ReListForDisplayForm();
    void ApplyTotals();
    void ShowMarkedTotals();
    // A folder's rows after entering or leaving it: the cursor goes back to
    // the row remembered there.
    void ShowFolderAgain();
    // Initial search (FormMainSearch.cpp).
    void CreateInitialSearchMenus();
    void ShowInitialSearchMenus(bool show);
    void SwitchInitialSearch(int modeTag);
    // The colour of a label while the search's indicator stands in the panel.
    bool InitialSearchLabelColor(HWND label, COLORREF& color) const;
    // The file caption label is as wide as the indicator while it shows it
    // (over the emptied value label), and takes the layout's width again after.
    static LRESULT CALLBACK FileCaptionLabelProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    // The letter and digit menus: on the menu bar only while a mode is on
    // (a menu off the bar is the window's to destroy).
    struct InitialSearchMenus {
        HMENU letters = nullptr, digits = nullptr;
        bool onBar = false;
        ~InitialSearchMenus();
    } initialSearchMenus_;
    bool initialSearchIndicator_ = false;
    FontHolder listFont_, infoFont_, memoFont_;
    SolidBrushCache listBrush_, panelBrush_, windowBrush_;
};

// The one main window of the run (set while it exists).
TFormMain* FormMain();

// What the archive listings take from the main window.
ArchiveListContext MakeListContext(const TFormMain& f);
// The status bar tells how far a long listing is while the window keeps painting.
std::function<void(size_t)> ListingProgress(TFormMain& f);

}  // namespace quib
