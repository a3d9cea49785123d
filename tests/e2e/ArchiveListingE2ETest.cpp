// The real program started on real archives: what it asks the archiver DLLs
// (read from the stand-in's call log), its caption and the settings it leaves.
#include <gtest/gtest.h>

#include <sstream>

#include "TestSupport.h"
#include "util/IniFile.h"
#include "util/StrConv.h"

using namespace quibtest;

namespace {

std::wstring Fixture(const std::wstring& name) { return FixturesDir() + L"\\program\\" + name; }

std::vector<std::vector<std::wstring>> ReadCallLog(const std::wstring& path) {
    std::vector<std::vector<std::wstring>> calls;
    for (const auto& line : quib::SplitLines(ReadUtf8File(path))) {
        std::vector<std::wstring> fields;
        std::wstringstream ss(line);
        std::wstring f;
        while (std::getline(ss, f, L'\t')) fields.push_back(f);
        if (!line.empty() && line.back() == L'\t') fields.emplace_back();
        calls.push_back(fields);
    }
    return calls;
}

std::wstring Hex(HWND h) {
    std::wstringstream ss;
    ss << L"0x" << std::uppercase << std::hex << reinterpret_cast<UINT_PTR>(h);
    return ss.str();
}

struct ProgramRun {
    ProgramFolder folder;
    std::wstring log = folder / L"calls.log";
    HWND window = nullptr;
    int exitCode = -1;
    std::vector<std::vector<std::wstring>> calls;

    void Start(const std::wstring& args, const std::wstring& expectedCaption) {
        RunningProgram program(folder.Exe(), args, {L"QUIB_ARCHIVER_LOG=" + log});
        ASSERT_TRUE(program.Started());
        window = program.WaitForWindow(expectedCaption);
        ASSERT_NE(window, nullptr) << quib::WideToUtf8(expectedCaption);
        exitCode = program.CloseAndWait(window);
        calls = ReadCallLog(log);
    }
    std::wstring Setting(const std::wstring& section, const std::wstring& key) const {
        return quib::IniFile(folder.Ini()).ReadString(section, key, L"<absent>");
    }
    void Set(const std::wstring& section, const std::wstring& key, const std::wstring& value) const {
        quib::IniFile::CreateEmptyUnicode(folder.Ini());
        quib::IniFile(folder.Ini()).WriteString(section, key, value);
    }
};

}  // namespace

TEST(ArchiveListingE2E, EachFamilyIsEnumeratedWithItsDllAndModeFlags) {
    struct Case {
        const wchar_t* file;
        const wchar_t* prefix;
        const wchar_t* dll;
        const wchar_t* mode;
        int unzipDll;
    } cases[] = {
        {L"sample.zip", L"UnZip", L"UNZIP32.DLL", L"0x00000000", 0},
        {L"sample.zip", L"SevenZip", L"7-zip32.dll", L"0x00400100", 2},
        {L"sample.7z", L"SevenZip", L"7-zip32.dll", L"0x00400100", 0},
        {L"sample.tar.gz", L"Tar", L"tar32.dll", L"0x00000000", 0},
        {L"sample.lzh", L"Unlha", L"UNLHA32.DLL", L"0x00000000", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(quib::WideToUtf8(c.file) + " " + quib::WideToUtf8(c.dll));
        ProgramRun run;
        run.Set(L"UnzipDll", L"Index", std::to_wstring(c.unzipDll));
        const std::wstring path = Fixture(c.file);
        run.Start(L"\"" + path + L"\"", path + L" - quibFMarchive");
        EXPECT_EQ(run.exitCode, 0);
        ASSERT_GE(run.calls.size(), 4u);
        const std::wstring p = c.prefix;
        // Open with the main window as owner, the path and the family's mode flags.
        const std::vector<std::wstring> open = run.calls.front();
        ASSERT_EQ(open.size(), 6u);
        EXPECT_EQ(open[0], p + L"OpenArchive");
        EXPECT_EQ(open[1], c.dll);
        EXPECT_EQ(open[2], Hex(run.window));
        EXPECT_EQ(open[3], path);
        EXPECT_EQ(open[4], c.mode);
        EXPECT_NE(open[5], L"0x0");
        // All entries, one record reused, then close.
        EXPECT_EQ(run.calls[1][0], p + L"FindFirst");
        EXPECT_EQ(run.calls[1][3], L"*.*");
        EXPECT_EQ(run.calls[1][5], L"0");
        for (size_t i = 2; i + 1 < run.calls.size(); ++i) EXPECT_EQ(run.calls[i][0], p + L"FindNext");
        EXPECT_EQ(run.calls[run.calls.size() - 2][5], L"-1");
        EXPECT_EQ(run.calls.back()[0], p + L"CloseArchive");
        EXPECT_EQ(run.calls.back()[4], open[5]);
    }
}

TEST(ArchiveListingE2E, SimpleAndTestModesSendTheFamilyCommandWithTheReportBuffer) {
    if (!GdiSelectsFonts()) GTEST_SKIP() << kNoFontsUnderThisWine;
    struct Case {
        const wchar_t* modeSection;
        const wchar_t* file;
        const wchar_t* function;
        const wchar_t* command;
    } cases[] = {
        {L"ArchiveSimple", L"sample.zip", L"UnZip", L"-v"},
        {L"ArchiveTest", L"sample.zip", L"UnZip", L"-t"},
        {L"ArchiveSimple", L"sample.7z", L"SevenZip", L"l"},
        {L"ArchiveSimple", L"sample.lzh", L"Unlha", L"l -c1m0a1 -jf0 -p2"},
        {L"ArchiveTest", L"sample.tar.gz", L"Tar", L""},  // the Gz family has no Test command by default
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(quib::WideToUtf8(c.file) + " " + quib::WideToUtf8(c.modeSection));
        ProgramRun run;
        run.Set(L"ArchiveNormal", L"Enabled", L"0");
        run.Set(c.modeSection, L"Enabled", L"1");
        const std::wstring path = Fixture(c.file);
        run.Start(L"\"" + path + L"\"", path + L" - quibFMarchive");
        ASSERT_EQ(run.calls.size(), 1u);
        const auto& call = run.calls[0];
        EXPECT_EQ(call[0], c.function);
        EXPECT_EQ(call[2], Hex(run.window));
        EXPECT_EQ(call[3], std::wstring(c.command) + L" \"" + path + L"\"");
        EXPECT_EQ(call[4], L"655351");
        // The mode came from the settings, so it is written back unchanged.
        EXPECT_EQ(run.Setting(c.modeSection, L"Enabled"), L"1");
    }
}

TEST(ArchiveListingE2E, FilerStartForcesTheNormalListingWithoutSavingIt) {
    ProgramRun run;
    run.Set(L"ArchiveNormal", L"Enabled", L"0");
    run.Set(L"ArchiveSimple", L"Enabled", L"1");
    const std::wstring path = Fixture(L"sample.zip");
    run.Start(L"hwnd=%h \"" + path + L"\"", path + L" - quibFMarchive");
    ASSERT_FALSE(run.calls.empty());
    EXPECT_EQ(run.calls.front()[0], L"UnZipOpenArchive");
    EXPECT_EQ(run.Setting(L"ArchiveNormal", L"Enabled"), L"0");
    EXPECT_EQ(run.Setting(L"ArchiveSimple", L"Enabled"), L"1");
}

TEST(ArchiveListingE2E, FirstStartLeavesAUnicodeSettingsFileWithEveryExitKey) {
    ProgramRun run;
    const std::wstring path = Fixture(L"sample.zip");
    run.Start(L"\"" + path + L"\"", path + L" - quibFMarchive");
    const std::string bytes = ReadFileBytes(run.folder.Ini());
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), std::string("\xFF\xFE"));
    for (const auto& [section, key] : std::vector<std::pair<std::wstring, std::wstring>>{
             {L"Developer", L"Enabled"}, {L"FListView", L"ColorDark"}, {L"SystemFontJpn", L"Name"},
             {L"SystemFontEng", L"Name"}, {L"ListViewWidthMain", L"6"}, {L"PouUp", L"Enabled"},
             {L"ListText", L"Enabled"}, {L"ArchiveSusie", L"Enabled"}, {L"MainColor", L"SameAsQuibFM"},
             {L"FormMain", L"CloseESCkey"}, {L"quibFMimage", L"FileName"}, {L"FormMain", L"Left"}}) {
        EXPECT_NE(run.Setting(section, key), L"<absent>") << quib::WideToUtf8(section + L"/" + key);
    }
    // Nothing of the per-instance temporary folder is left behind.
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((run.folder.Path() + L"\\TmpArchive\\*").c_str(), &fd);
    int entries = 0;
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (fd.cFileName[0] != L'.') ++entries;
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    EXPECT_EQ(entries, 0);
}
