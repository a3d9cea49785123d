#pragma once
// The archive settings dialog: the command texts given to the archiver DLLs
// per family, the ZIP DLL choices, the DLL folder, the self-extracting probe
// kinds and the extraction and deletion switches. Nothing is written before
// OK; the page shown last is kept whichever way the dialog closes.
#include <array>
#include <string>
#include <vector>

#include "app/FormBase.h"
#include "settings/ArchiveSettingModel.h"

namespace quib {

class TFormArchiveSetting : public TFormBase {
public:
    static constexpr int kPageCount = static_cast<int>(ArchivePage::Count);
    // The switches of the setting page, in this order.
    enum Switch { TimeStamp, Attribute, WithPath, MakeFolder, DouleDisabled, MoveExtractFolder, CopyPathToClip,
                  ExtractError, SwitchCount };

    TFormArchiveSetting();

    HWND Tabs() const { return tabs_; }
    HWND PagePanel(ArchivePage p) const { return pages_[static_cast<size_t>(p)]; }
    int ActivePage() const;
    void ShowPage(ArchivePage p);
    HWND SwitchBox(Switch s) const { return switches_[static_cast<size_t>(s)]; }
    HWND ProbeBox(int i) const { return probes_[static_cast<size_t>(i)]; }
    HWND UnzipDllCombo() const { return unzipDll_; }
    HWND DeleteZipDllCombo() const { return deleteZipDll_; }
    HWND DllFolderRadio(int i) const { return dllFolder_[static_cast<size_t>(i)]; }
    // The box of a command text by its place in ArchiveTextBoxes().
    HWND TextBox(size_t i) const { return texts_[i]; }
    HWND ResetButton(ArchivePage p) const { return resets_[static_cast<size_t>(p)]; }
    HWND ButtonOK() const { return ok_; }
    HWND ButtonCancel() const { return cancel_; }

    void ButtonOKClick();
    void ButtonCancelClick();
    void ResetPage(ArchivePage page);
    void CheckBox52Click();  // the "make a folder" switch
    void CheckBox53Click();  // the "folder named after the archive's folder" switch

    bool BoolButtomOK = false;
    bool BoolButtomCancel = false;
    bool BoolFormShow = false;

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
    void LanguageApplied() override;

private:
    void ReadIniFileValue();
    void WriteIniFileValue();
    void SelectIndexes();
    // Sets a check box and runs its click handler, as a click by the user does.
    void SetCheck(HWND box, bool checked);
    HWND Page(ArchivePage p) const { return pages_[static_cast<size_t>(p)]; }

    ArchiveSettingValues values_;
    HWND tabs_ = nullptr, ok_ = nullptr, cancel_ = nullptr;
    std::array<HWND, kPageCount> pages_{};
    std::array<HWND, 7> probes_{};
    std::array<HWND, SwitchCount> switches_{};
    std::array<HWND, 2> dllFolder_{};
    HWND probeLabel_ = nullptr, unzipLabel_ = nullptr, deleteLabel_ = nullptr, unzipDll_ = nullptr,
         deleteZipDll_ = nullptr, dllGroup_ = nullptr;
    std::vector<HWND> texts_;
    std::array<std::vector<HWND>, kPageCount> rowLabels_, headings_;
    std::array<HWND, kPageCount> resets_{};
};

}  // namespace quib
