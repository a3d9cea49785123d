// The main window's link to the filers and to the other instances of the
// program: the switch to the next instance and the filer selection dialog.
#include "app/FormMain.h"

#include "app/FormSelectFiler.h"
#include "util/StrConv.h"
#include "util/TextFile.h"

namespace quib {

void TFormMain::MenuArchiveSetFocusClick() {
    FindFlags = InstanceWindowFlags();
    StrListWindowName2.clear();
    StrListWindowHwnd2.clear();
    FindWindowsByCaption(FindFlags, StrListWindowName2, StrListWindowHwnd2);
    StrListWindowName = StrListWindowName2;
    StrListWindowHwnd = StrListWindowHwnd2;
    if (StrListWindowHwnd.size() <= 1) return;

    const std::wstring rotationFile = StrExePath + L"\\quibFMarchive-Sel.txt";
    std::vector<std::wstring> fileLines;
    std::wstring text;
    if (GetFileAttributesW(rotationFile.c_str()) != INVALID_FILE_ATTRIBUTES && ReadTextFileDefault(rotationFile, text))
        fileLines = SplitLines(text);
    const IniFile ini = Ini();
    const InstanceChoice choice = ChooseNextInstance(fileLines, StrListWindowHwnd,
                                                    ini.ReadInteger(L"QuibFMText", L"Index", 0),
                                                    HandleText(handle_));
    if (choice.position < 0) return;
    ini.WriteInteger(L"QuibFMText", L"Index", choice.position);
    WriteUtf16Lines(rotationFile, choice.rotation);
    BringWindowToFront(HandleFromText(choice.rotation[static_cast<size_t>(choice.position)]));
}

void TFormMain::MenuFilerSetFocusClick() {
    if (HWND filer = ShowModalForm<TFormSelectFiler>()) BringWindowToFront(filer);
}

}  // namespace quib
