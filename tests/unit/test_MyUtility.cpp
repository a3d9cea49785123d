#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cwctype>

#include <windows.h>
#include <oleauto.h>

#include "util/MyUtility.h"
#include "util/StrConv.h"

using namespace quib;

namespace {

std::wstring Spaces(size_t n) { return std::wstring(n, L' '); }

struct CommaCase {
    std::int64_t value;
    std::wstring expected;
};

}  // namespace

// ---- size texts -------------------------------------------------------------

TEST(IntToCommaStr20, PadsToTwentyAndRefusesSixteenDigits) {
    const CommaCase cases[] = {
        {0, Spaces(19) + L"0"},
        {7, Spaces(19) + L"7"},
        {999, Spaces(17) + L"999"},
        {1000, Spaces(15) + L"1,000"},
        {1234, Spaces(15) + L"1,234"},
        {-1, Spaces(18) + L"-1"},
        {-1234567, Spaces(10) + L"-1,234,567"},
        {3000000000LL, Spaces(7) + L"3,000,000,000"},
        {999999999999999LL, L" 999,999,999,999,999"},
        {-999999999999999LL, L"-999,999,999,999,999"},
        {1000000000000000LL, L"***"},
        {-1000000000000000LL, L"***"},
        {LLONG_MAX, L"***"},
        {LLONG_MIN, L"***"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IntToCommaStr20(c.value), c.expected) << c.value;
        if (c.expected != L"***") {
            EXPECT_EQ(IntToCommaStr20(c.value).size(), 20u) << c.value;
        }
    }
}

TEST(IntToCommaStr11, EightDigitsPositiveSevenNegative) {
    const CommaCase cases[] = {
        {0, Spaces(10) + L"0"},
        {1234, Spaces(6) + L"1,234"},
        {99999999, L" 99,999,999"},
        {100000000, L"***"},
        {-9999999, L" -9,999,999"},
        {-10000000, L"***"},
        {-12, Spaces(8) + L"-12"},
    };
    for (const auto& c : cases) EXPECT_EQ(IntToCommaStr11(c.value), c.expected) << c.value;
}

TEST(IntToCommaStr, NoPaddingFifteenDigits) {
    const CommaCase cases[] = {
        {0, L"0"},
        {12, L"12"},
        {100, L"100"},
        {1000, L"1,000"},
        {123456, L"123,456"},
        {1234567, L"1,234,567"},
        {-1, L"-1"},
        {-123456, L"-123,456"},
        {999999999999999LL, L"999,999,999,999,999"},
        {-999999999999999LL, L"-999,999,999,999,999"},
        {1000000000000000LL, L"***"},
        {-1000000000000000LL, L"***"},
        {LLONG_MIN, L"***"},
    };
    for (const auto& c : cases) EXPECT_EQ(IntToCommaStr(c.value), c.expected) << c.value;
}

// ---- StringToCsvList --------------------------------------------------------

namespace {

struct CsvCase {
    const wchar_t* name;
    std::wstring line;
    std::vector<std::wstring> expected;
};

}  // namespace

TEST(StringToCsvList, FourRulesInOrder) {
    const CsvCase cases[] = {
        {L"tabs", L"a\tb\tc", {L"a", L"b", L"c"}},
        {L"trailing tab gives a last empty field", L"a\tb\t", {L"a", L"b", L""}},
        {L"leading tab", L"\ta", {L"", L"a"}},
        {L"tab wins over quotes and commas", L"\"x\",y\tz", {L"\"x\",y", L"z"}},
        {L"ten-field entry line",
         L"a/x.txt\t.txt\t1\t2024/01/02\t03:04:05\tA\tm\t1\t1\ta/x.txt",
         {L"a/x.txt", L".txt", L"1", L"2024/01/02", L"03:04:05", L"A", L"m", L"1", L"1", L"a/x.txt"}},
        {L"two quoted fields", L"\"abc\",\"def\"", {L"abc", L"def"}},
        {L"three quoted fields with commas inside", L"\"a,b\",\"c\",\"d e\"", {L"a,b", L"c", L"d e"}},
        {L"one quoted field", L"\"abc\"", {L"abc"}},
        {L"one quoted field holding commas", L"\"a,b,c\"", {L"a,b,c"}},
        {L"empty quoted field", L"\"\"", {L""}},
        {L"only a leading quote", L"\"abc", {L"ab"}},
        {L"a lone quote", L"\"", {L""}},
        {L"quoted fields with a blank after the comma are one field", L"\"a\", \"b\"", {L"a\", \"b"}},
        {L"commas", L"a,b,c", {L"a", L"b", L"c"}},
        {L"comma at the end", L"a,b,", {L"a", L"b", L""}},
        {L"blanks stay", L" a , b", {L" a ", L" b"}},
        {L"plain", L"hello world", {L"hello world"}},
        {L"empty line", L"", {L""}},
    };
    for (const auto& c : cases) {
        std::vector<std::wstring> got;
        StringToCsvList(c.line, got);
        EXPECT_EQ(got, c.expected) << c.name;
    }
}

TEST(StringToCsvList, AppendsToWhatTheListHolds) {
    std::vector<std::wstring> list{L"kept"};
    StringToCsvList(L"a,b", list);
    EXPECT_EQ(list, (std::vector<std::wstring>{L"kept", L"a", L"b"}));
}

TEST(StringToCsvList, PumpsMessagesOncePerCall) {
    int pumps = 0;
    SetPumpHook([&pumps] { ++pumps; });
    std::vector<std::wstring> list;
    StringToCsvList(L"a\tb", list);
    StringToCsvList(L"\"a\",\"b\"", list);
    StringToCsvList(L"", list);
    SetPumpHook(nullptr);
    EXPECT_EQ(pumps, 3);
    StringToCsvList(L"x", list);  // without a pump installed nothing is called
    EXPECT_EQ(pumps, 3);
}

// ---- StringToCsvListByYenBySlash --------------------------------------------

TEST(StringToCsvListByYenBySlash, CutsAtBothSeparators) {
    const CsvCase cases[] = {
        {L"three components", L"a/b\\c.txt", {L"a", L"b", L"c.txt"}},
        {L"no separator appends nothing", L"file.txt", {}},
        {L"trailing separator", L"a/b/", {L"a", L"b"}},
        {L"leading separator", L"/a", {L"", L"a"}},
        {L"doubled separator", L"a//b", {L"a", L"", L"b"}},
        {L"empty text", L"", {}},
    };
    for (const auto& c : cases) {
        std::vector<std::wstring> got;
        StringToCsvListByYenBySlash(c.line, got);
        EXPECT_EQ(got, c.expected) << c.name;
    }
    std::vector<std::wstring> list{L"x"};
    StringToCsvListByYenBySlash(L"a/b", list);
    EXPECT_EQ(list, (std::vector<std::wstring>{L"x", L"a", L"b"}));
}

TEST(ExtractFileExt, LastDotOfTheLastComponent) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"a.txt", L".txt"},        {L"C:\\d.x\\a.tar.gz", L".gz"}, {L"a.dir/file", L""},
        {L"a.dir\\file", L""},      {L"noext", L""},                {L"a.", L"."},
        {L".hidden", L".hidden"},   {L"a/b.JPG", L".JPG"},          {L"", L""},
        {L"C:file", L""},
    };
    for (const auto& [path, ext] : cases) EXPECT_EQ(ExtractFileExt(path), ext) << path;
}

// ---- attributes, drives -----------------------------------------------------

TEST(AttrToStr, FourPositionsRHSA) {
    const std::pair<DWORD, std::wstring> cases[] = {
        {0x00, L"----"}, {0x21, L"R--A"}, {0x01, L"R---"}, {0x02, L"-H--"}, {0x04, L"--S-"},
        {0x20, L"---A"}, {0x27, L"RHSA"}, {0x10, L"----"}, {0x08, L"----"}, {0xFF, L"RHSA"},
    };
    for (const auto& [attr, text] : cases) EXPECT_EQ(AttrToStr(attr), text) << attr;
}

TEST(DriveLetterToIndex, LettersOnly) {
    const std::pair<std::wstring, int> cases[] = {
        {L"D:\\data\\x.zip", 3}, {L"a:", 0},   {L"Z:\\", 25},  {L"c", 2},  {L"\\\\server\\share", -1},
        {L"", -1},               {L"1:\\", -1}, {L"\u00C4:\\", -1}, {L"@", -1}, {L"[", -1},
    };
    for (const auto& [path, index] : cases) EXPECT_EQ(DriveLetterToIndex(path), index) << path;
}

TEST(DriveTypeText, SystemCodes) {
    const std::pair<UINT, std::wstring> cases[] = {
        {0, L"Unknown"},   {1, L"No Root"}, {2, L"Removable"}, {3, L"HDD"},
        {4, L"Network"},   {5, L"CD-ROM"},  {6, L"RamDisk"},   {7, L"Unknown"},
    };
    for (const auto& [code, text] : cases) EXPECT_EQ(DriveTypeText(code), text) << code;
}

namespace {

std::int64_t ParseCommaNumber(const std::wstring& text) {
    std::wstring digits;
    for (wchar_t c : text) {
        if (c >= L'0' && c <= L'9') digits += c;
    }
    return digits.empty() ? -1 : std::wcstoll(digits.c_str(), nullptr, 10);
}

}  // namespace

TEST(GetDriveList, HeaderAndOneLinePerDrive) {
    std::vector<std::wstring> table{L"stale"};
    const bool found = GetDriveList(L"c:\\", table);
    ASSERT_FALSE(table.empty());
    EXPECT_EQ(table[0], L"Root\tVolume\tType\tSerial\tFile\tDisk\tFree\tUse");

    const DWORD drives = GetLogicalDrives();
    size_t present = 0;
    for (int i = 0; i < 26; ++i) present += (drives >> i) & 1;
    ASSERT_EQ(table.size(), present + 1);

    size_t row = 1;
    for (int i = 0; i < 26; ++i) {
        if (!((drives >> i) & 1)) continue;
        std::vector<std::wstring> f;
        StringToCsvList(table[row++], f);
        ASSERT_EQ(f.size(), 8u) << table[row - 1];
        const std::wstring root = std::wstring(1, static_cast<wchar_t>(L'A' + i)) + L":\\";
        EXPECT_EQ(f[0], root);
        if (f[2].empty()) continue;  // the volume could not be read: seven empty fields
        EXPECT_EQ(f[2], DriveTypeText(GetDriveTypeW(root.c_str())));
        ASSERT_EQ(f[3].size(), 10u);
        EXPECT_EQ(f[3].substr(0, 2), L"0x");
        for (size_t k = 2; k < 10; ++k) EXPECT_TRUE(std::iswxdigit(f[3][k]) && !std::iswlower(f[3][k])) << f[3];
        for (int k = 5; k <= 7; ++k) EXPECT_EQ(f[static_cast<size_t>(k)].size(), 20u) << f[static_cast<size_t>(k)];
        const std::int64_t total = ParseCommaNumber(f[5]), freeBytes = ParseCommaNumber(f[6]),
                           used = ParseCommaNumber(f[7]);
        EXPECT_EQ(used, total - freeBytes) << table[row - 1];
    }
    // Drive C: exists under Wine and Windows; the root is compared without regard to case.
    EXPECT_TRUE(found);
    EXPECT_TRUE(GetDriveList(L"C:\\", table));
    EXPECT_FALSE(GetDriveList(L"C:", table));
    int missing = -1;
    for (int i = 25; i >= 0; --i) {
        if (!((drives >> i) & 1)) {
            missing = i;
            break;
        }
    }
    ASSERT_GE(missing, 0);
    EXPECT_FALSE(GetDriveList(std::wstring(1, static_cast<wchar_t>(L'A' + missing)) + L":\\", table));
}

// ---- file times ---------------------------------------------------------------
// These run in whatever zone the run has (unit_util.tokyo and
// unit_util.newyork set one; QUIB_TEST_TZ names it): the expected local
// texts are worked out here from the zone's winter offset, independently of
// the conversion under test. Every date below is in the northern winter.

namespace {

FILETIME MakeFileTime(WORD y, WORD mo, WORD d, WORD h, WORD mi, WORD s, WORD ms = 0) {
    SYSTEMTIME st{};
    st.wYear = y;
    st.wMonth = mo;
    st.wDay = d;
    st.wHour = h;
    st.wMinute = mi;
    st.wSecond = s;
    st.wMilliseconds = ms;
    FILETIME ft{};
    SystemTimeToFileTime(&st, &ft);
    return ft;
}

// Minutes east of UTC in winter.
int WinterOffsetMinutes() {
    TIME_ZONE_INFORMATION tzi{};
    GetTimeZoneInformation(&tzi);
    return -(tzi.Bias + tzi.StandardBias);
}

// The UTC time moved by the zone's winter offset, as "yyyy/mm/dd" and "hh:mm:ss".
std::pair<std::wstring, std::wstring> WinterLocalTexts(const FILETIME& utc) {
    ULARGE_INTEGER v{};
    v.LowPart = utc.dwLowDateTime;
    v.HighPart = utc.dwHighDateTime;
    v.QuadPart += static_cast<ULONGLONG>(static_cast<LONGLONG>(WinterOffsetMinutes()) * 60 * 10000000LL);
    const FILETIME moved{v.LowPart, v.HighPart};
    SYSTEMTIME st{};
    FileTimeToSystemTime(&moved, &st);
    wchar_t date[16], time[16];
    wsprintfW(date, L"%04d/%02d/%02d", st.wYear, st.wMonth, st.wDay);
    wsprintfW(time, L"%02d:%02d:%02d", st.wHour, st.wMinute, st.wSecond);
    return {date, time};
}

}  // namespace

TEST(LocalTime, TheZoneIsTheOneTheRunAskedFor) {
    const char* tz = std::getenv("QUIB_TEST_TZ");
    if (!tz) GTEST_SKIP() << "this run names no zone";
    const std::string zone = tz;
    if (zone == "Asia/Tokyo") {
        EXPECT_EQ(WinterOffsetMinutes(), 540);
    } else if (zone == "America/New_York") {
        EXPECT_EQ(WinterOffsetMinutes(), -300);
    } else {
        ADD_FAILURE() << "no expectation for " << zone;
    }
}

TEST(LocalTime, DateAndTimeTextsInLocalTime) {
    for (const FILETIME& ft : {MakeFileTime(2020, 12, 31, 20, 5, 9), MakeFileTime(1999, 3, 4, 0, 0, 0),
                               MakeFileTime(2021, 1, 1, 0, 30, 0)}) {
        const auto expected = WinterLocalTexts(ft);
        EXPECT_EQ(FileTimeToDateStr(ft), expected.first);
        EXPECT_EQ(FileTimeToTimeStr(ft), expected.second);
    }
}

TEST(LocalTime, DateTimeValueDaysSince18991230) {
    const FILETIME zero{};
    EXPECT_EQ(FileTimeToDateTimeEx(zero, true), 0.0);
    EXPECT_EQ(FileTimeToDateTimeEx(zero, false), 0.0);

    const FILETIME noon = MakeFileTime(2000, 1, 1, 12, 0, 0);
    EXPECT_DOUBLE_EQ(FileTimeToDateTimeEx(noon, false), 36526.5);
    EXPECT_DOUBLE_EQ(FileTimeToDateTimeEx(noon, true), 36526.5 + WinterOffsetMinutes() / 1440.0);

    // Before 1899-12-30 the whole part is negative and the time still counts forward.
    const FILETIME before = MakeFileTime(1899, 12, 29, 6, 0, 0);
    EXPECT_DOUBLE_EQ(FileTimeToDateTimeEx(before, false), -1.25);

    // The value agrees with the system's own conversion of the same fields.
    const FILETIME odd = MakeFileTime(2024, 2, 29, 23, 59, 58, 500);
    SYSTEMTIME st{};
    FileTimeToSystemTime(&odd, &st);
    DATE variant = 0;
    ASSERT_TRUE(SystemTimeToVariantTime(&st, &variant));
    const double ours = FileTimeToDateTimeEx(odd, false);
    EXPECT_NEAR(ours, variant, 1.0 / 86400.0);  // the system drops milliseconds
    SYSTEMTIME back{};
    ASSERT_TRUE(DateTimeToSystemTime(ours, back));
    EXPECT_EQ(back.wYear, 2024);
    EXPECT_EQ(back.wMonth, 2);
    EXPECT_EQ(back.wDay, 29);
    EXPECT_EQ(back.wHour, 23);
    EXPECT_EQ(back.wMinute, 59);
    EXPECT_EQ(back.wSecond, 58);
    EXPECT_EQ(back.wMilliseconds, 500);
    EXPECT_EQ(back.wDayOfWeek, 4);  // a Thursday
}
