// Program entry.
#include <windows.h>

#include "app/Application.h"
#include "app/FormMain.h"
#include "util/IniFile.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    using namespace quib;
    if (!Application().Initialize(instance)) return 1;
    // The settings file exists before anything writes to it, as UTF-16, so that
    // every value written later stays Unicode.
    IniFile::CreateEmptyUnicode(ProgramIniPath());
    ApplyVclStyleSetting();
    FormInstance<TFormMain> formMain;
    Application().SetMainForm(&formMain);
    if (!formMain.Create()) return 1;
    formMain.Show();
    return Application().Run();
}
