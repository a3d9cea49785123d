#include "app/FormLog.h"

#include "app/FormMain.h"

namespace quib {
namespace {

const CommandTable& LogCommands() {
    static const CommandTable table = {{TFormTextWindow::PopUpMenu()}, {TFormTextWindow::PopUpCopyCommand()}};
    return table;
}

FormDescription LogDescription() {
    FormDescription d = FormDescription::Window(L"FormLog", SIZE{800, 600}, SIZE{800, 600});
    d.languageFile = L"Log.txt";
    d.commands = &LogCommands();
    return d;
}

}  // namespace

TFormLog::TFormLog() : TFormTextWindow(LogDescription()) {}

void TFormLog::FormCreate() {
    TFormTextWindow::FormCreate();
    SetCaption(L"ログ表示");
    // A snapshot: later start-up steps do not change an open log.
    if (const TFormMain* main = FormMain()) SetMemoLines(main->StrListLog);
}

}  // namespace quib
