#include "app/FormHelp.h"

#include "keymap/KeyMapApply.h"
#include "util/IniFile.h"
#include "util/TextFile.h"

namespace quib {
namespace {

constexpr wchar_t kFile[] = L"ファイル";

const CommandTable& HelpCommands() {
    static const CommandTable table = {
        {{kFile, L"ファイル(&F)", TFormHelp::kTagMenuFile}, TFormTextWindow::PopUpMenu()},
        {
            {TFormHelp::kTagMenuReadHelp, kFile, L"MenuReadHelp", L"ヘルプ表示(&V)", L"", kCommandPlain,
             Handler(&TFormHelp::MenuReadHelpClick)},
            {TFormHelp::kTagMenuReadFirst, kFile, L"MenuReadFirst", L"ヘルプ表示(First)(&W)", L"", kCommandPlain,
             Handler(&TFormHelp::MenuReadFirstClick)},
            {TFormHelp::kTagMenuReadCsv, kFile, L"MenuReadCsv", L"ヘルプ表示(CSV)(&Y)", L"", kCommandPlain,
             Handler(&TFormHelp::MenuReadCsvClick)},
            {TFormHelp::kTagMenuClose, kFile, L"MenuClose", L"終了(&Q && &X))", L"", kCommandSeparatorBefore,
             Handler(&TFormHelp::MenuCloseClick)},
            TFormTextWindow::PopUpCopyCommand(),
        }};
    return table;
}

FormDescription HelpDescription() {
    FormDescription d = FormDescription::Window(L"FormHelp", SIZE{880, 600}, SIZE{880, 600});
    d.languageFile = L"Help.txt";
    d.commands = &HelpCommands();
    return d;
}

}  // namespace

TFormHelp::TFormHelp() : TFormTextWindow(HelpDescription()) {}

void TFormHelp::FormCreate() {
    TFormTextWindow::FormCreate();
    SetCaption(L"ヘルプ表示");
    LoadHelpFile(L"quibFMarchive.txt");
}

void TFormHelp::FormShow() { TakeMainCloseKey(kTagMenuClose); }

void TFormHelp::LoadHelpFile(const wchar_t* fileName) {
    std::wstring text;
    if (!ReadTextFileDefault(ProgramFolder() + L"\\" + fileName, text)) text.clear();
    SetMemoText(text);
}

void TFormHelp::MenuReadHelpClick() { LoadHelpFile(L"quibFMarchive.txt"); }
void TFormHelp::MenuReadFirstClick() { LoadHelpFile(L"quibFMarchive_First.txt"); }
void TFormHelp::MenuReadCsvClick() { LoadHelpFile(L"quibFMarchive_ViewGrid.txt"); }
void TFormHelp::MenuCloseClick() { Close(); }

}  // namespace quib
