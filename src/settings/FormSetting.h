#pragma once
// The parameter settings dialog: colours and fonts, the list's display, the
// extension lists, the pop-up window's destinations, the Susie files, the
// image viewer's parameters and the eighteen launch slots, on ten pages. It
// reads the settings when it opens and writes them only on OK (the pop-up
// destinations it deletes go at once); the window that opened it reads what
// concerns it again afterwards.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/FormBase.h"
#include "extract/FolderPickerHost.h"
#include "settings/SettingModel.h"

namespace quib {

// Who opens the dialog decides what it shows: "FormImage" the image page
// only, "FormText" the colour page with the text viewer's three items only,
// anything else every page.
struct SettingContext {
    std::wstring StrSettingType = L"FormMain";
    // Starts the Susie plug-in setup program (the main window's program start).
    std::function<void(const std::wstring& program)> startProgram;
    // The folder pickers' host (the main window's): the "参照" buttons open
    // the browse window with it; without one they open the file dialog.
    FolderPickerHost* pickers = nullptr;
    // Told the destination the input dialog edits (the main window's IntExtractIndex).
    std::function<void(int index)> noteExtractIndex;
};

class TFormSetting : public TFormBase {
public:
    static constexpr int kPageCount = 10;
    enum class Page { Color, Boot, Setting, Extract, Susie, Image, Expand1, Expand2, Expand3, Expand4 };

    explicit TFormSetting(SettingContext context = {});

    // --- what the tests drive and read
    HWND Tabs() const { return tabs_; }
    HWND PagePanel(Page p) const { return pages_[static_cast<size_t>(p)]; }
    bool PageShown(Page p) const { return shownPage_[static_cast<size_t>(p)]; }
    int ActivePage() const;  // the page's number (Page), -1 when none
    void ShowPage(Page p);
    // Colour page.
    HWND ColorList() const { return colorList_; }
    HWND ColorField(int rgb) const { return rgb_[static_cast<size_t>(rgb)]; }
    HWND FontNameField() const { return fontName_; }
    HWND FontSizeField() const { return fontSize_; }
    HWND NamedColorList() const { return namedColors_; }
    HWND ButtonApplyColor() const { return applyColor_; }
    HWND ButtonDefaultColors() const { return defaultColors_; }
    HWND ButtonFilerColors() const { return filerColors_; }
    HWND ButtonFont() const { return fontButton_; }
    COLORREF SampleColor() const { return ImageColor; }
    const std::array<ColorItem, kColorItemCount>& ColorItems() const { return items_; }
    // Boot page: check boxes in the order of kBootChecks (SettingForm.cpp), and
    // the lists: theme, folder picker, sort mode, sort order.
    HWND BootCheck(int i) const { return bootChecks_[static_cast<size_t>(i)]; }
    HWND BootCombo(int i) const { return bootCombos_[static_cast<size_t>(i)]; }
    // Setting page: executable, archive, WIC, GDI+, text, others, movie and music.
    HWND ExtField(int i) const { return extFields_[static_cast<size_t>(i)]; }
    HWND ExtractList() const { return extractList_; }
    HWND ButtonExtractDelete() const { return extractDelete_; }
    HWND ButtonExtractSet() const { return extractSet_; }
    // Susie page: spi, spm, quibFMsusie.exe, quibFMimage.exe.
    HWND SusieField(int i) const { return susieFields_[static_cast<size_t>(i)]; }
    HWND ButtonSusieBrowse(int i) const { return susieBrowse_[static_cast<size_t>(i)]; }
    HWND ButtonSusieStart() const { return susieStart_; }
    // Image page.
    HWND ExifField() const { return exifFile_; }
    HWND ButtonExifBrowse() const { return exifBrowse_; }
    HWND ExifOptionField() const { return exifOption_; }
    HWND ExifArgumentList() const { return exifArgs_; }
    HWND RotateExceptField() const { return rotateExcept_; }
    HWND ImageCombo(ImageList list) const { return imageCombos_[static_cast<size_t>(list)]; }
    // Expand pages.
    HWND NotUseCheck() const { return notUse_; }
    HWND SlotExt(int slot) const { return slotExt_[static_cast<size_t>(slot)]; }
    HWND SlotExe(int slot) const { return slotExe_[static_cast<size_t>(slot)]; }
    HWND FileSelectCombo(int page) const { return fileSelect_[static_cast<size_t>(page)]; }
    HWND ButtonSlotList(int slot) const { return slotList_[static_cast<size_t>(slot)]; }
    HWND ButtonInitSlots() const { return initSlots_; }
    HWND ButtonOK() const { return ok_; }
    HWND ButtonCancel() const { return cancel_; }

    // The handlers, as the buttons and lists call them.
    void ButtonOKClick();
    void ButtonCancelClick();
    void ColorListClick();
    void NamedColorListClick();
    void ColorFieldChange(int rgb);
    void ButtonApplyColorClick();
    void ButtonDefaultColorClick();
    void ButtonFilerColorClick();
    void BrowseSortClick(HWND check);
    void ButtonExtractSetClick();
    void ButtonExtractDeleteClick();
    void ButtonSusieStartClick();
    void ButtonInitSlotsClick();

    bool BoolButtomOK = false;
    bool BoolButtomCancel = false;

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int w, int h) override;
    bool FormCloseQuery() override;
    void FormClose() override;
    void FormDestroy() override;
    bool FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) override;
    void ControlCommand(HWND control, int id, int code) override;
    LRESULT Notify(NMHDR* hdr) override;
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void LanguageApplied() override;

private:
    // Building the pages (SettingPages.cpp).
    HWND NewPage(Page p, int tag, const wchar_t* caption);
    HWND TakesWindowFont(HWND control);
    HWND Label(Page p, int tag, const std::wstring& text);
    HWND Check(Page p, int tag, const std::wstring& text);
    HWND Button(Page p, int tag, const std::wstring& text);
    HWND Edit(Page p, const std::wstring& text, bool readOnly = false);
    HWND Combo(Page p, int tag, const std::vector<std::wstring>& items);
    HWND List(Page p, int tag, const std::vector<std::wstring>& items);
    void BuildColorPage();
    void BuildBootPage();
    void BuildSettingPage();
    void BuildExtractPage();
    void BuildSusiePage();
    void BuildImagePage();
    void BuildExpandPages();
    void LayoutPages(int w, int h);

    // Values (SettingEvents.cpp).
    void ReadIniFileValue();
    void WriteIniFileValue();
    void SelectCombos();
    void ShowColorItem(int item);
    void SetImageColor(COLORREF color);
    void ColorToDigit(COLORREF color);
    COLORREF DigitToColor();
    void ButtonFontClick();
    void RefreshExtractLine(int index);
    void ListBrowseFileName(int slot);
    void PickFile(HWND field, const wchar_t* filter);
    void BrowseFile(HWND field, const wchar_t* filter, bool programSlot = false);
    void SlotReadClick(int slot);
    bool ExtensionListsValid();
    HWND PathFieldOf(HWND control) const;

    SettingContext context_;
    SettingValues values_;
    std::array<ColorItem, kColorItemCount> items_{};
    COLORREF ImageColor = 0;
    int currentItem_ = 0;
    bool settingDigits_ = false;

    HWND tabs_ = nullptr, ok_ = nullptr, cancel_ = nullptr;
    std::array<HWND, kPageCount> pages_{};
    std::array<bool, kPageCount> shownPage_{};
    std::vector<int> tabPages_;  // page number of each tab shown
    // Every control of a page with its place, in 96-DPI units.
    // Fixed: as given; Stretch: w is the margin kept at the right; Right: x
    // is counted from the right edge.
    enum class Anchor { Fixed, Stretch, Right };
    struct Placed {
        HWND hwnd;
        int x, y, w, h;
        Anchor anchor;
    };
    std::array<std::vector<Placed>, kPageCount> layout_;
    void At(Page p, HWND control, int x, int y, int w, int h, Anchor anchor = Anchor::Fixed);

    HWND colorList_ = nullptr, sample_ = nullptr, fontName_ = nullptr, fontSize_ = nullptr, fontButton_ = nullptr;
    std::array<HWND, 3> rgb_{};
    HWND namedColors_ = nullptr, applyColor_ = nullptr, defaultColors_ = nullptr, filerColors_ = nullptr;
    std::vector<HWND> bootChecks_, bootCombos_, browseChecks_;
    std::array<HWND, 7> extFields_{};
    HWND extractList_ = nullptr, extractSet_ = nullptr, extractDelete_ = nullptr;
    std::array<HWND, 4> susieFields_{}, susieList_{}, susieBrowse_{};
    HWND susieStart_ = nullptr;
    HWND exifFile_ = nullptr, exifList_ = nullptr, exifBrowse_ = nullptr, exifOption_ = nullptr, exifArgs_ = nullptr;
    HWND rotateExcept_ = nullptr;
    std::array<HWND, static_cast<size_t>(ImageList::Count)> imageCombos_{};
    HWND notUse_ = nullptr, initSlots_ = nullptr;
    std::array<HWND, 18> slotExt_{}, slotExe_{}, slotRead_{}, slotList_{};
    std::array<HWND, 3> fileSelect_{}, viewerTokens_{};
    HBRUSH sampleBrush_ = nullptr;
};

}  // namespace quib
