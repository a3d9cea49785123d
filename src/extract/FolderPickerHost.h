#pragma once
// What the folder pickers (browse, tree, jump folders) take from the window
// that opens them: the main window's drive table, the filers' captions, its
// list's colours and font, its size texts and extension lists. The main
// window fills one; tests fill their own.
#include <windows.h>

#include <array>
#include <string>
#include <vector>

namespace quib {

struct FolderPickerHost {
    // The main window's drive table (StrListDriveInfo), refreshed by the
    // pickers through GetDriveList.
    std::vector<std::wstring>* driveTable = nullptr;
    // The filers' captions (StrListWindowName) for the current-folder dialog.
    std::vector<std::wstring> filerCaptions;
    // The open archive (StrLoadFileName): where a picker starts when nothing else is given.
    std::wstring loadFileName;

    // The main list's look.
    COLORREF listBack = RGB(255, 255, 255), listText = RGB(0, 0, 0);
    std::wstring listFontName = L"ＭＳ ゴシック";
    int listFontSize = 14;
    COLORREF infoBack = GetSysColor(COLOR_BTNFACE), infoText = RGB(0, 0, 0);
    std::wstring infoFontName = L"ＭＳ ゴシック";
    int infoFontSize = 14;
    // Row colours: system, hidden, read-only, folder, normal, executable, archive, image.
    std::array<COLORREF, 8> rowColors{RGB(255, 0, 255), RGB(0, 0, 255),   RGB(0, 128, 0), RGB(0, 128, 128),
                                      RGB(0, 0, 0),     RGB(128, 0, 0),   RGB(255, 0, 0), RGB(0, 128, 0)};
    std::vector<std::wstring> exeExt, arcExt, wicExt;
    bool fileSizeFull = false, fileSize1024 = false, sizeAlignmentRight = true;
    bool windows7Later = true;
    // The visual style (0 the system look): the tree's colour item is fixed under the dark ones.
    int vclStyle = 0;
    // [FilerSort] Explorer: the tree's sub-folders by the logical comparison.
    bool filerSortExplorer = true;
    // The main list's widths of columns 0 .. 6 (the browse window's width reset).
    std::vector<int> mainColumnWidths;
};

}  // namespace quib
