// The filer link's rules without windows: the next instance to visit, the
// title lines of the filer selection, which captions they find.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/FilerLink.h"
#include "util/TextFile.h"

using quib::ChooseNextInstance;
using quib::FilerTitleLines;
using Lines = std::vector<std::wstring>;

TEST(InstanceRotation, CasesFromTheRotationFileTheWindowsFoundAndTheIndex) {
    struct Case {
        const char* what;
        Lines file, found;
        int index;
        Lines rotation;
        int position;
    } cases[] = {
        {"one window: nothing to switch to", {}, {L"10"}, 0, {}, -1},
        {"two, no file: the other one", {}, {L"10", L"20"}, 0, {L"10", L"20"}, 1},
        {"two, index on the other: wraps past the current one", {L"10", L"20"}, {L"10", L"20"}, 1, {L"10", L"20"}, 1},
        {"two, seen from the other side", {L"10", L"20"}, {L"20", L"10"}, 1, {L"10", L"20"}, 0},
        {"file order kept, new windows appended", {L"30", L"10"}, {L"10", L"20", L"30"}, 0, {L"30", L"10", L"20"}, 2},
        {"three in the file's order: after index", {L"30", L"10", L"20"}, {L"30", L"20", L"10"}, 0,
         {L"30", L"10", L"20"}, 1},
        {"index at the end starts at the top", {L"30", L"10", L"20"}, {L"10", L"30", L"20"}, 2, {L"30", L"10", L"20"}, 0},
        {"index beyond the list starts at the top", {L"30", L"10"}, {L"30", L"10"}, 7, {L"30", L"10"}, 1},
        {"a negative index starts at the top", {L"30", L"10"}, {L"10", L"30"}, -5, {L"30", L"10"}, 0},
        {"gone windows and duplicates dropped", {L"99", L"20", L"20", L"", L"10"}, {L"10", L"20"}, 0,
         {L"20", L"10"}, 0},
        {"the only other is before start: second pass", {L"10", L"20", L"30"}, {L"30", L"10"}, 1, {L"10", L"30"}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto choice = ChooseNextInstance(c.file, c.found, c.index);
        EXPECT_EQ(choice.position, c.position);
        if (c.position >= 0) {
            EXPECT_EQ(choice.rotation, c.rotation);
        }
    }
}

TEST(InstanceRotation, TheSwitchingInstanceIsTheCurrentOneWhereverItStands) {
    // Activated but not raised yet: the instance itself is passed over, not
    // the window above it.
    auto choice = ChooseNextInstance({L"10", L"20"}, {L"20", L"10"}, 1, L"10");
    EXPECT_EQ(choice.position, 1);  // 20
    choice = ChooseNextInstance({L"10", L"20", L"30"}, {L"30", L"20", L"10"}, 0, L"20");
    EXPECT_EQ(choice.position, 2);  // 30: after index, not itself
    // A name that is not among the windows found: the topmost is current.
    choice = ChooseNextInstance({L"10", L"20"}, {L"20", L"10"}, 1, L"99");
    EXPECT_EQ(choice.position, 0);
}

TEST(InstanceRotation, RepeatedUseVisitsEveryInstanceInTheFilesOrder) {
    // Each visited instance comes to the top of the enumeration.
    Lines file;
    int index = 0;
    Lines zOrder = {L"1", L"2", L"3"};
    Lines visited;
    for (int i = 0; i < 6; ++i) {
        const auto choice = ChooseNextInstance(file, zOrder, index);
        ASSERT_GE(choice.position, 0);
        file = choice.rotation;
        index = choice.position;
        const std::wstring next = file[static_cast<size_t>(index)];
        visited.push_back(next);
        zOrder.erase(std::find(zOrder.begin(), zOrder.end(), next));
        zOrder.insert(zOrder.begin(), next);
    }
    EXPECT_EQ(visited, (Lines{L"2", L"3", L"1", L"2", L"3", L"1"}));
}

TEST(FilerTitleLines, FragmentsFlagsAndRebuiltLines) {
    EXPECT_EQ(quib::DefaultFilerTitleLines(), (FilerTitleLines{L"1 - quibFM", L"1 - PellFM", L"0", L"0"}));
    EXPECT_EQ(quib::TitleLineFragment(L"1 - quibFM"), L"- quibFM");
    EXPECT_EQ(quib::TitleLineFragment(L"1 ab"), L"ab");
    EXPECT_EQ(quib::TitleLineFragment(L"1 a"), L"");  // three characters: nothing
    EXPECT_EQ(quib::TitleLineFragment(L"0"), L"");
    EXPECT_TRUE(quib::TitleLineEnabled(L"1 x"));
    EXPECT_FALSE(quib::TitleLineEnabled(L"0 x"));
    EXPECT_FALSE(quib::TitleLineEnabled(L"x1"));
    EXPECT_FALSE(quib::TitleLineEnabled(L""));
    EXPECT_EQ(quib::MakeTitleLine(true, L"- quibFM"), L"1 - quibFM");
    EXPECT_EQ(quib::MakeTitleLine(false, L""), L"0 ");
}

TEST(FilerTitleLines, WhichCaptionsAreListedAndHowOften) {
    const FilerTitleLines defaults = quib::DefaultFilerTitleLines();
    struct Case {
        const wchar_t* caption;
        FilerTitleLines lines;
        int count;
    } cases[] = {
        {L"C:\\ - quibFM", defaults, 1},
        {L"C:\\ - QUIBFM", defaults, 1},                        // letter case aside
        {L"a.zip - quibFMarchive", defaults, 0},                // this program, never
        {L" - quibFMarchive", defaults, 0},
        {L"x - QUIBFMARCHIVE", defaults, 0},
        {L"D:\\ - PellFM", defaults, 1},
        {L"D:\\ - PellFMmini", defaults, 1},                    // holds "- PellFM"
        {L"D:\\ - PellFMmini - quibFM", defaults, 2},           // two lines: twice
        {L"Notepad", defaults, 0},
        {L"C:\\ - quibFM", {L"1 C", L"0", L"0", L"0"}, 0},      // three characters: ignored
        {L"C:\\ - quibFM", {L"1 C:", L"0", L"0", L"0"}, 1},
        {L"C:\\ - quibFM", {L"0 - quibFM", L"0", L"0", L"0"}, 0},  // disabled
        {L"C:\\ - quibFM", {L"1 ", L"1", L"", L"1  "}, 0},       // empty fragments never match all
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.caption)) + " / " + testing::PrintToString(c.lines[0]));
        EXPECT_EQ(quib::FilerTitleMatchCount(c.caption, c.lines), c.count);
    }
}

TEST(FilerTitleLines, ReadFromTheFileOrTheDefaults) {
    quibtest::TempDir dir;
    const std::wstring path = dir / L"quibFMarchive-Title.txt";
    EXPECT_EQ(quib::ReadFilerTitleLines(path), quib::DefaultFilerTitleLines());
    const FilerTitleLines mine = {L"1 - PellFMmini", L"0 - quibFM", L"1 Explorer", L"0"};
    ASSERT_TRUE(quib::WriteFilerTitleLines(path, mine));
    const std::string bytes = quibtest::ReadFileBytes(path);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), std::string("\xFF\xFE"));
    EXPECT_EQ(quib::ReadFilerTitleLines(path), mine);
    // A file cut short: the missing lines are empty, so disabled.
    ASSERT_TRUE(quib::WriteUtf16Lines(path, {L"1 - quibFM"}));
    EXPECT_EQ(quib::ReadFilerTitleLines(path), (FilerTitleLines{L"1 - quibFM", L"", L"", L""}));
}

TEST(FilerLink, HandlesAsDecimalText) {
    EXPECT_EQ(quib::HandleFromText(L"12345"), reinterpret_cast<HWND>(12345));
    EXPECT_EQ(quib::HandleText(reinterpret_cast<HWND>(678)), L"678");
    for (const wchar_t* bad : {L"", L"12a", L"-5", L" 5", L"0x10"}) EXPECT_EQ(quib::HandleFromText(bad), nullptr) << bad;
    // A window that does not exist is passed over without harm.
    quib::BringWindowToFront(nullptr);
    quib::BringWindowToFront(reinterpret_cast<HWND>(0x7FFFFFF0));
}
