#include <gtest/gtest.h>

#include "util/PathPrefix.h"

using namespace quib;

TEST(PathPrefix, DriveAndFolderOfTheProgram) {
    const std::wstring exe = L"C:\\Tools\\quibFMarchive.exe";
    EXPECT_EQ(ProgramDriveOf(exe), L"C:");
    EXPECT_EQ(ProgramFolderOf(exe), L"C:\\Tools");
    EXPECT_EQ(ProgramFolderOf(L"D:\\a\\b\\c\\p.exe"), L"D:\\a\\b\\c");
}

TEST(PathPrefix, ExpandsOnlyAtTheStart) {
    const std::wstring exe = L"C:\\Tools\\quibFMarchive.exe";
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"%P\\plugins\\sample.spi", L"C:\\Tools\\plugins\\sample.spi"},
        {L"%p\\plugins\\sample.spi", L"C:\\Tools\\plugins\\sample.spi"},
        {L"%D\\spi\\sample.spi", L"C:\\spi\\sample.spi"},
        {L"%d\\spi\\sample.spi", L"C:\\spi\\sample.spi"},
        {L"%p", L"C:\\Tools"},
        {L"%d", L"C:"},
        {L"%pdata", L"C:\\Toolsdata"},
        {L"%x\\a", L"%x\\a"},
        {L"x%p\\a", L"x%p\\a"},
        {L"E:\\spi\\%p.spi", L"E:\\spi\\%p.spi"},
        {L"%", L"%"},
        {L"", L""},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(ExpandPathPrefix(in, exe), out) << in;
    // Another program folder on another drive.
    EXPECT_EQ(ExpandPathPrefix(L"%P\\x.spi", L"F:\\Portable\\quib\\quibFMarchive.exe"),
              L"F:\\Portable\\quib\\x.spi");
    EXPECT_EQ(ExpandPathPrefix(L"%D\\x.spi", L"F:\\Portable\\quib\\quibFMarchive.exe"), L"F:\\x.spi");
}

TEST(PathPrefix, HandleMarkInDecimal) {
    const std::tuple<std::wstring, std::uintptr_t, std::wstring> cases[] = {
        {L"-a %h", 123456, L"-a 123456"},
        {L"%h%h", 12, L"1212"},
        {L"\"C:\\q\\quibFMimage.exe\" hspi=%h", 655370, L"\"C:\\q\\quibFMimage.exe\" hspi=655370"},
        {L"no mark", 5, L"no mark"},
        {L"%H stays", 5, L"%H stays"},
        {L"ends with %", 5, L"ends with %"},
        {L"%%h", 7, L"%7"},
    };
    for (const auto& [in, handle, out] : cases) EXPECT_EQ(ReplaceHandleMark(in, handle), out) << in;
    EXPECT_EQ(ReplaceHandleMark(L"h=%h", reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x10040))),
              L"h=65600");
}
