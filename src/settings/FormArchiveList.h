#pragma once
// The archive list window: the archiver DLL's own report (the simple
// listing) of an archive extracted from the open archive, so that an archive
// inside an archive can be looked into. Read-only text; Esc or Enter closes.
#include <string>

#include "app/FormTextWindow.h"

namespace quib {

struct ArchiveListInput {
    std::wstring archivePath;  // the extracted archive (StrExtractFolderFileName)
    // The main list's colours and font as they are in force.
    COLORREF back = 0x000000, text = 0xFFFFFF;
    std::wstring fontName = L"ＭＳ ゴシック";
    int fontSize = 14;
};

class TFormArchiveList : public TFormTextWindow {
public:
    enum : int { kTagMenuFile = 1000, kTagMenuClose = 1041 };
    explicit TFormArchiveList(ArchiveListInput input);
    ~TFormArchiveList() override;

    void MenuCloseClick();

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormClose() override;
    bool FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) override;
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void FormDpiChanged(UINT oldDpi) override;

private:
    void ApplyFont();
    ArchiveListInput input_;
    HBRUSH brush_ = nullptr;
    HFONT font_ = nullptr;
};

}  // namespace quib
