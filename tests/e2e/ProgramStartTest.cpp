// The real exe in a fresh program folder: it starts, shows its main window,
// and ends cleanly when the window is closed.
#include <gtest/gtest.h>

#include "TestSupport.h"

using namespace quibtest;

TEST(ProgramStart, OpensMainWindowAndClosesCleanly) {
    ProgramFolder folder;
    ASSERT_TRUE(FileExists(folder.Exe()));
    RunningProgram program(folder.Exe(), L"");
    ASSERT_TRUE(program.Started());
    HWND main = program.WaitForWindow(L" - quibFMarchive");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(WindowText(main), L" - quibFMarchive");
    EXPECT_EQ(program.CloseAndWait(main), 0);

    // The settings file is created as UTF-16 with a byte-order mark and keeps
    // the placement written at exit.
    const std::string ini = ReadFileBytes(folder.Ini());
    ASSERT_GE(ini.size(), 2u);
    EXPECT_EQ(static_cast<unsigned char>(ini[0]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(ini[1]), 0xFE);
    const std::wstring text(reinterpret_cast<const wchar_t*>(ini.data() + 2), (ini.size() - 2) / 2);
    EXPECT_NE(text.find(L"[FormMain]"), std::wstring::npos);
    EXPECT_NE(text.find(L"State=NORMAL"), std::wstring::npos);
}
