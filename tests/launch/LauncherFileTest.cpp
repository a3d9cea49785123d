// The launcher file: slot labels and keys, the file read and written back
// byte for byte in its own encoding, the name column of the rows, and the
// program path a slot runs.
#include <gtest/gtest.h>

#include "launch/LauncherFile.h"

using namespace quib;

namespace {

constexpr UINT kShiftJis = 932;
constexpr UINT kWestern = 1252;

std::string Bytes(std::initializer_list<int> b) {
    std::string s;
    for (int c : b) s.push_back(static_cast<char>(c));
    return s;
}

std::vector<std::wstring> OneSlot(const std::wstring& name, const std::wstring& program) {
    std::vector<std::wstring> lines = EmptyLauncherLines();
    lines[1] = name;
    lines[3] = program;
    lines[4] = L"-x";
    return lines;
}

TEST(LauncherSlots, KeyLabelsInSlotOrder) {
    EXPECT_EQ(LauncherKeyLabel(0), L"  A");
    EXPECT_EQ(LauncherKeyLabel(25), L"  Z");
    EXPECT_EQ(LauncherKeyLabel(26), L"  0");
    EXPECT_EQ(LauncherKeyLabel(35), L"  9");
    EXPECT_EQ(LauncherKeyLabel(36), L"s+A");
    EXPECT_EQ(LauncherKeyLabel(71), L"s+9");
    EXPECT_EQ(LauncherKeyLabel(72), L"c+A");
    EXPECT_EQ(LauncherKeyLabel(107), L"c+9");
    EXPECT_EQ(LauncherKeyLabel(108), L"");
}

TEST(LauncherSlots, KeysSelectTheirSlot) {
    struct Case {
        WORD key;
        BYTE mods;
        std::optional<int> slot;
    };
    const Case cases[] = {
        {'A', 0, 0},          {'B', 0, 1},           {'0', 0, 26},           {'9', 0, 35},
        {'0', 1, 62},         {'B', 1, 37},          {'9', 4, 107},          {'A', 4, 72},
        {'A', 2, std::nullopt}, {'A', 5, std::nullopt}, {VK_F1, 0, std::nullopt}, {VK_RETURN, 0, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LauncherSlotOfKey(c.key, c.mods), c.slot) << c.key << " " << int(c.mods);
        if (c.slot) {
            // The label of the slot a key selects names that key.
            const std::wstring label = LauncherKeyLabel(*c.slot);
            EXPECT_EQ(label.back(), static_cast<wchar_t>(c.key));
        }
    }
    EXPECT_EQ(LauncherKeyLabel(*LauncherSlotOfKey('0', 1)), L"s+0");
    EXPECT_EQ(LauncherKeyLabel(*LauncherSlotOfKey('9', 4)), L"c+9");
}

TEST(LauncherSlots, EmptyFileHas108SlotsOf5Lines) {
    const auto lines = EmptyLauncherLines();
    ASSERT_EQ(lines.size(), 540u);
    EXPECT_EQ(LauncherRowCount(lines), 108);
    for (int s = 0; s < 108; ++s) {
        EXPECT_EQ(lines[static_cast<size_t>(5 * s)], LauncherKeyLabel(s));
        EXPECT_EQ(lines[static_cast<size_t>(5 * s + 1)], L"");
        EXPECT_EQ(lines[static_cast<size_t>(5 * s + 2)], L"1");
        EXPECT_EQ(lines[static_cast<size_t>(5 * s + 3)], L"");
        EXPECT_EQ(lines[static_cast<size_t>(5 * s + 4)], L"");
    }
    EXPECT_EQ(LauncherRowText(lines, 0), L"  A              1  ");
    // A file cut short gives whole slots only.
    std::vector<std::wstring> cut(lines.begin(), lines.begin() + 14);
    EXPECT_EQ(LauncherRowCount(cut), 2);
}

TEST(LauncherFileBytes, AnsiRoundTripKeepsTheBytes) {
    // "  A", "日本語", "1", "C:\\t\\a.exe", "" in Shift_JIS with CR LF.
    const std::string bytes = Bytes({' ', ' ', 'A', '\r', '\n', 0x93, 0xFA, 0x96, 0x7B, 0x8C, 0xEA, '\r', '\n', '1',
                                     '\r', '\n', 'C', ':', '\\', 't', '\\', 'a', '.', 'e', 'x', 'e', '\r', '\n', '\r',
                                     '\n'});
    const LauncherFile file = DecodeLauncherFile(bytes, kShiftJis);
    EXPECT_EQ(file.encoding, LauncherEncoding::Ansi);
    EXPECT_EQ(file.lines, (std::vector<std::wstring>{L"  A", L"日本語", L"1", L"C:\\t\\a.exe", L""}));
    std::string again;
    ASSERT_TRUE(EncodeLauncherFile(file, again, nullptr, kShiftJis));
    EXPECT_EQ(again, bytes);
}

TEST(LauncherFileBytes, ByteOrderMarksChooseAndKeepTheEncoding) {
    struct Case {
        std::string bytes;
        LauncherEncoding encoding;
    };
    // "  A", "名" each ended by CR LF.
    const Case cases[] = {
        {Bytes({0xFF, 0xFE, ' ', 0, ' ', 0, 'A', 0, '\r', 0, '\n', 0, 0x0D, 0x54, '\r', 0, '\n', 0}),
         LauncherEncoding::Utf16Le},
        {Bytes({0xFE, 0xFF, 0, ' ', 0, ' ', 0, 'A', 0, '\r', 0, '\n', 0x54, 0x0D, 0, '\r', 0, '\n'}),
         LauncherEncoding::Utf16Be},
        {Bytes({0xEF, 0xBB, 0xBF, ' ', ' ', 'A', '\r', '\n', 0xE5, 0x90, 0x8D, '\r', '\n'}), LauncherEncoding::Utf8Bom},
    };
    for (const auto& c : cases) {
        const LauncherFile file = DecodeLauncherFile(c.bytes, kWestern);
        EXPECT_EQ(file.encoding, c.encoding);
        EXPECT_EQ(file.lines, (std::vector<std::wstring>{L"  A", L"名"}));
        std::string again;
        ASSERT_TRUE(EncodeLauncherFile(file, again, nullptr, kWestern));
        EXPECT_EQ(again, c.bytes);
    }
}

TEST(LauncherFileBytes, Utf16FileTakesEveryCharacterAnsiFileReportsTheLostOnes) {
    LauncherFile file{OneSlot(L"名前✓", L"C:\\prog\\ツール.exe"), LauncherEncoding::Utf16Le};
    std::string bytes;
    std::wstring lost = L"stale";
    ASSERT_TRUE(EncodeLauncherFile(file, bytes, &lost, kWestern));
    EXPECT_TRUE(lost.empty());
    EXPECT_EQ(DecodeLauncherFile(bytes, kWestern).lines, file.lines);

    // In Western European ANSI none of the Japanese characters nor the tick
    // survive: nothing is produced and each is named once.
    file.encoding = LauncherEncoding::Ansi;
    EXPECT_FALSE(EncodeLauncherFile(file, bytes, &lost, kWestern));
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(lost, L"名前✓ツール");
    // Shift_JIS has the Japanese ones but no tick.
    EXPECT_FALSE(EncodeLauncherFile(file, bytes, &lost, kShiftJis));
    EXPECT_EQ(lost, L"✓");
    file.lines[1] = L"名前";
    ASSERT_TRUE(EncodeLauncherFile(file, bytes, &lost, kShiftJis));
    EXPECT_EQ(DecodeLauncherFile(bytes, kShiftJis).lines, file.lines);
}

TEST(LauncherRows, NamesArePaddedTo12AnsiBytes) {
    struct Case {
        std::wstring name;
        std::wstring column;  // name and padding
    };
    const Case cases[] = {
        {L"", std::wstring(12, L' ')},
        {L"edit", L"edit" + std::wstring(8, L' ')},
        {L"日本語", L"日本語" + std::wstring(6, L' ')},            // 6 bytes in Shift_JIS
        {L"ｴﾃﾞｨﾀ", L"ｴﾃﾞｨﾀ" + std::wstring(7, L' ')},             // half-width kana: one byte each
        {L"秀丸エディタ", L"秀丸エディタ"},                         // exactly 12 bytes
        {L"とても長い名前です", L"とても長い名前です"},             // longer: no blanks
    };
    for (const auto& c : cases) {
        const auto lines = OneSlot(c.name, L"C:\\e.exe");
        EXPECT_EQ(LauncherRowText(lines, 0, kShiftJis), L"  A " + c.column + L" 1 C:\\e.exe -x");
    }
}

TEST(LauncherProgram, PrefixExpandedAndQuotesRemoved) {
    const std::wstring program = L"D:\\tools\\quibFMarchive.exe";
    EXPECT_EQ(LauncherProgramPath(L"%p\\ed.exe", program), L"D:\\tools\\ed.exe");
    EXPECT_EQ(LauncherProgramPath(L"%P\\ed.exe", program), L"D:\\tools\\ed.exe");
    EXPECT_EQ(LauncherProgramPath(L"%d\\bin\\ed.exe", program), L"D:\\bin\\ed.exe");
    EXPECT_EQ(LauncherProgramPath(L"\"%p\\my ed.exe\"", program), L"D:\\tools\\my ed.exe");
    EXPECT_EQ(LauncherProgramPath(L"\"C:\\a b\\ed.exe\"", program), L"C:\\a b\\ed.exe");
    EXPECT_EQ(LauncherProgramPath(L"C:\\ed.exe", program), L"C:\\ed.exe");
    EXPECT_EQ(LauncherProgramPath(L"", program), L"");
}

}  // namespace
