#pragma once
// The delete dialog: the entries chosen, the archive, the zip DLL used for
// deleting and the two keep switches. Its three settings are read when it
// opens and written when it closes, whichever button closed it, so that the
// deletion that follows reads what the user has just chosen.
#include <windows.h>

#include <string>
#include <vector>

#include "app/FormBase.h"

namespace quib {

struct DeleteDialogInput {
    std::wstring archivePath;
    std::vector<std::wstring> fileLines;  // the response file's lines
};

class TFormDelete : public TFormBase {
public:
    enum : int {
        kTagLabelFiles = 2001,
        kTagLabelArchive = 2002,
        kTagLabelZipDll = 2003,
        kTagButtonOK = 2011,
        kTagButtonCancel = 2012,
        kTagForm = 2999,
        kTagTimeStamp = 6001,
        kTagAttribute = 6002,
    };

    explicit TFormDelete(DeleteDialogInput input);

    HWND FileList() const { return fileList_; }
    HWND ArchiveList() const { return archiveList_; }
    HWND ZipDllCombo() const { return zipDll_; }
    HWND Control(int tag) const;
    bool KeepTimeStamp() const;
    bool KeepAttribute() const;

    void ButtonOKClick();
    void ButtonCancelClick();

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int clientWidth, int clientHeight) override;
    void FormClose() override;
    void FormDestroy() override;
    void ControlCommand(HWND control, int id, int code) override;

private:
    DeleteDialogInput input_;
    HWND labelFiles_ = nullptr, fileList_ = nullptr, labelArchive_ = nullptr, archiveList_ = nullptr;
    HWND labelZipDll_ = nullptr, zipDll_ = nullptr, timeStamp_ = nullptr, attribute_ = nullptr;
    HWND ok_ = nullptr, cancel_ = nullptr;
};

}  // namespace quib
