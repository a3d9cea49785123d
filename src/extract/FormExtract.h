#pragma once
// The extraction dialog: the archive, the entries chosen, the destination
// with its history and pickers, the filers' folders, the four switches and
// the zip DLL choice. It returns the destination folder (ending with "\")
// on OK and nothing on Cancel; the switches are written to the settings when
// it closes either way.
#include <windows.h>

#include <string>
#include <vector>

#include "app/FormBase.h"
#include "extract/FolderPickerHost.h"

namespace quib {

struct ExtractDialogInput {
    std::wstring archivePath;             // StrListExtractFile's one line
    std::vector<std::wstring> fileLines;  // the response file's lines
    std::vector<std::wstring> filerCaptions;  // StrListWindowName
    bool susie = false;                   // a Susie plug-in archive: always with paths
    // What the folder pickers need from the main window; without it the
    // picker buttons stay disabled (an opener that cannot give it yet).
    FolderPickerHost* pickers = nullptr;
};

class TFormExtract : public TFormBase {
public:
    enum : int {
        kTagLabelArchive = 2001,
        kTagLabelZipDll = 2002,
        kTagLabelFiles = 2003,
        kTagLabelDestination = 2004,
        kTagLabelFilers = 2005,
        kTagLabelSusie = 2006,
        kTagButtonCurrent = 2011,
        kTagButtonJumpFolder = 2012,
        kTagButtonFolderList = 2013,
        kTagButtonTree = 2014,
        kTagButtonBrowse = 2015,
        kTagButtonOK = 2021,
        kTagButtonCancel = 2022,
        kTagForm = 2999,
        kTagWithPath = 6001,
        kTagMakeFolder = 6002,
        kTagDouleDisabled = 6003,
        kTagMoveExtractFolder = 6004,
    };

    explicit TFormExtract(ExtractDialogInput input);

    // The chosen folder on OK (StrRetFormExtract), empty otherwise.
    std::wstring StrRetFormExtract;
    std::wstring ModalOutput(int result) const { return result == mrOK ? StrRetFormExtract : std::wstring(); }

    // The switches as the dialog holds them.
    bool WithPath() const;
    bool MakeFolder() const;
    bool DouleDisabled() const;
    bool MoveExtractFolder() const;

    HWND Control(int tag) const;  // by Tag; the destination combo by kTagLabelDestination + 100
    HWND DestinationCombo() const { return destination_; }
    HWND FilerList() const { return filerList_; }
    HWND FileList() const { return fileList_; }
    HWND ZipDllCombo() const { return zipDll_; }
    std::wstring DestinationText() const;
    void SetDestinationText(const std::wstring& text);

    void ButtonOKClick();
    void ButtonCancelClick();
    void ButtonCurrentClick();
    void ButtonFolderListClick();
    void ButtonBrowseClick();
    void ButtonTreeClick();
    void ButtonJumpFolderClick();

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int clientWidth, int clientHeight) override;
    void FormClose() override;
    void FormDestroy() override;
    bool FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) override;
    void ControlCommand(HWND control, int id, int code) override;

private:
    void CheckBoxMakeFolderClick();
    void CheckBoxDouleDisabledClick();
    void FilerSelected();
    void EnterOnEmptyDestination();
    // The start folder handed to a picker: the destination when it names an
    // existing folder, the archive when it is empty, else "C:\" after a message.
    std::wstring PickerStart();
    HWND AddLabel(int tag, const std::wstring& text);
    HWND AddCheck(int tag, const std::wstring& text);

    ExtractDialogInput input_;
    std::vector<std::wstring> history_;
    HWND archiveEdit_ = nullptr, zipDll_ = nullptr, fileList_ = nullptr, destination_ = nullptr,
         filerList_ = nullptr;
    HWND labelArchive_ = nullptr, labelZipDll_ = nullptr, labelFiles_ = nullptr, labelDestination_ = nullptr,
         labelFilers_ = nullptr, labelSusie_ = nullptr;
    HWND buttonCurrent_ = nullptr, buttonJump_ = nullptr, buttonList_ = nullptr, buttonTree_ = nullptr,
         buttonBrowse_ = nullptr, buttonOK_ = nullptr, buttonCancel_ = nullptr;
    HWND withPath_ = nullptr, makeFolder_ = nullptr, douleDisabled_ = nullptr, moveExtractFolder_ = nullptr;
};

}  // namespace quib
