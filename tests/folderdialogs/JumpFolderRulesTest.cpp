// The jump-folder file "quibFM.jp2" and the tree's rules without a window:
// the file read and written back byte for byte (a file made on a Japanese
// system among them), short files, the name cut at 12 bytes without
// splitting a double-byte character, the key of each row, and the parts and
// sub-folders of a folder as the tree shows them.
#include <gtest/gtest.h>
#include <windows.h>

#include "TestSupport.h"
#include "extract/JumpFolderRules.h"
#include "util/StrConv.h"

using namespace quibtest;

namespace {

bool Japanese() { return GetACP() == 932; }

// A file as the filer writes it on a Japanese system: 108 lines of bytes in
// code page 932, a few of them in use.
std::string JapaneseJumpFile() {
    std::string bytes;
    for (int r = 0; r < quib::kJumpLineCount; ++r) {
        std::string line = quib::EmptyJumpLine(r, 14);
        if (r == 0) line = "  A " + quib::WideToAnsi(L"写真フォルダ", 932) + " " + quib::WideToAnsi(L"C:\\写真\\", 932);
        if (r == 1) line = "  B work         C:\\work\\";
        if (r == 40) line = "s+E " + quib::WideToAnsi(L"表示", 932) + "         %P\\data\\";
        bytes += line + "\r\n";
    }
    return bytes;
}

}  // namespace

TEST(JumpFolderFile, AFileFromAJapaneseSystemIsWrittenBackByteForByte) {
    TempDir dir;
    const std::wstring path = dir / L"quibFM.jp2";
    const std::string original = JapaneseJumpFile();
    ASSERT_TRUE(WriteFileBytes(path, original));
    quib::JumpFolderFile file;
    ASSERT_TRUE(quib::ReadJumpFolderFile(path, file));
    ASSERT_EQ(file.lines.size(), 108u);
    ASSERT_TRUE(quib::WriteJumpFolderFile(path, file));
    EXPECT_EQ(ReadFileBytes(path), original);
    // An edit changes its own line and no other byte.
    file.lines[1] = quib::MakeJumpLine(file.lines[1], 1, L"temp", L"C:\\temp\\");
    ASSERT_TRUE(quib::WriteJumpFolderFile(path, file));
    std::string expected = original;
    const std::string oldLine = "  B work         C:\\work\\";
    expected.replace(expected.find(oldLine), oldLine.size(), "  B temp         C:\\temp\\");
    EXPECT_EQ(ReadFileBytes(path), expected);
    if (Japanese()) {
        EXPECT_EQ(quib::JumpLineName(file.lines[0]), L"写真フォルダ");
        EXPECT_EQ(quib::JumpLinePath(file.lines[0]), L"C:\\写真\\");
        EXPECT_EQ(quib::JumpLineName(file.lines[40]), L"表示");
        EXPECT_EQ(quib::JumpLinePath(file.lines[40]), L"%P\\data\\");
    }
    EXPECT_EQ(quib::JumpLineLabel(file.lines[40]), L"s+E");
}

TEST(JumpFolderFile, ShortFilesAndShortLinesAreReadWithoutHarmAndKeptWhenWritten) {
    const struct {
        const char* bytes;
        size_t linesRead;
    } cases[] = {
        {"", 0},
        {"  A", 1},                          // no line end, no fields
        {"  A work\r\n  B", 2},              // a name cut short, no folder
        {"  A\n  B x            C:\\b\\\r", 2},  // LF and CR line ends
        {"\r\n\r\n", 2},                     // empty lines
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        const quib::JumpFolderFile file = quib::ParseJumpFolderFile(c.bytes);
        ASSERT_EQ(file.lines.size(), 108u);
        for (const auto& line : file.lines) {
            // Every field of every line can be asked for.
            (void)quib::JumpLineLabel(line);
            (void)quib::JumpLineName(line);
            (void)quib::JumpLinePath(line);
        }
        for (size_t r = c.linesRead; r < 108; ++r) EXPECT_EQ(file.lines[r], quib::EmptyJumpLine(static_cast<int>(r), 14));
        // What was read comes first in what is written.
        const std::string written = quib::JumpFolderFileBytes(file);
        std::string readPart;
        for (size_t r = 0; r < c.linesRead; ++r) readPart += file.lines[r] + "\r\n";
        EXPECT_EQ(written.substr(0, readPart.size()), readPart);
    }
    const quib::JumpFolderFile f = quib::ParseJumpFolderFile("  A work\r\n  B x            C:\\b\\\r\n");
    EXPECT_EQ(quib::JumpLineName(f.lines[0]), L"work");
    EXPECT_EQ(quib::JumpLinePath(f.lines[0]), L"");
    EXPECT_EQ(quib::JumpLinePath(f.lines[1]), L"C:\\b\\");
    // An edit or a deletion of a line too short for its label takes the row's label.
    EXPECT_EQ(quib::MakeJumpLine("", 37, L"n", L"C:\\"), "s+B n            C:\\");
    EXPECT_EQ(quib::DeletedJumpLine("x", 72), "c+A            ");
    // Lines past the 108th are kept.
    std::string many;
    for (int i = 0; i < 110; ++i) many += "line" + std::to_string(i) + "\r\n";
    EXPECT_EQ(quib::JumpFolderFileBytes(quib::ParseJumpFolderFile(many)), many);
}

TEST(JumpFolderFile, MissingFileGivesTheDefaultLines) {
    TempDir dir;
    quib::JumpFolderFile file;
    EXPECT_FALSE(quib::ReadJumpFolderFile(dir / L"quibFM.jp2", file));
    ASSERT_EQ(file.lines.size(), 108u);
    EXPECT_EQ(file.lines[0], "  A              ");
    EXPECT_EQ(file.lines[35], "  9              ");
    EXPECT_EQ(file.lines[36], "s+A              ");
    EXPECT_EQ(file.lines[107], "c+9              ");
}

TEST(JumpFolderFile, NamesAreCutAtTwelveBytesWithoutSplittingACharacter) {
    EXPECT_EQ(quib::JumpNameField(L"abcde"), "abcde       ");
    EXPECT_EQ(quib::JumpNameField(L"abcdefghijklmn"), "abcdefghijkl");
    EXPECT_EQ(quib::JumpNameField(L""), std::string(12, ' '));
    if (!Japanese()) return;
    // Seven double-byte characters (14 bytes): the first six, no blank.
    EXPECT_EQ(quib::JumpNameField(L"写真フォルダ追"), quib::WideToAnsi(L"写真フォルダ"));
    // 3 + 4 x 2 = 11 bytes; the fifth character would make 13: one blank.
    EXPECT_EQ(quib::JumpNameField(L"abcあいうえお"), quib::WideToAnsi(L"abcあいうえ") + " ");
    // A double-byte name is read back with the same name and folder.
    const std::string line = quib::MakeJumpLine("  C              ", 2, L"日本語の名前", L"C:\\日本\\");
    EXPECT_EQ(quib::JumpLineName(line), L"日本語の名前");
    EXPECT_EQ(quib::JumpLinePath(line), L"C:\\日本\\");
}

TEST(JumpFolderKeys, EachKeyChoosesTheRowLabelledWithIt) {
    const struct {
        WPARAM key;
        bool shift, ctrl;
        int row;
        const char* label;
    } cases[] = {
        {'A', false, false, 0, "  A"},   {'Z', false, false, 25, "  Z"},  {'0', false, false, 26, "  0"},
        {'9', false, false, 35, "  9"},  {'A', true, false, 36, "s+A"},   {'Z', true, false, 61, "s+Z"},
        {'0', true, false, 62, "s+0"},   {'9', true, false, 71, "s+9"},   {'A', false, true, 72, "c+A"},
        {'9', false, true, 107, "c+9"},
    };
    for (const auto& c : cases) {
        const int row = quib::JumpRowForKey(c.key, c.shift, c.ctrl);
        EXPECT_EQ(row, c.row) << c.label;
        EXPECT_EQ(quib::JumpKeyLabel(row), c.label);
    }
    EXPECT_EQ(quib::JumpRowForKey(VK_F1, false, false), -1);
    EXPECT_EQ(quib::JumpRowForKey('A', true, true), -1);
}

TEST(TreeRules, PartsNamesAndColourKindsOfNodes) {
    EXPECT_EQ(quib::PathLayers(L"C:\\a\\b\\"), (std::vector<std::wstring>{L"C:\\", L"a\\", L"b\\"}));
    EXPECT_EQ(quib::PathLayers(L"C:\\Windows\\notepad.exe"), (std::vector<std::wstring>{L"C:\\", L"Windows\\"}));
    EXPECT_EQ(quib::PathLayers(L"C:\\"), (std::vector<std::wstring>{L"C:\\"}));
    const std::wstring node = quib::TreeNodeText({L"Data", L"-H--"});
    EXPECT_EQ(node, L"Data\\ [-H--]");
    EXPECT_EQ(quib::TreeNodeName(node), L"Data\\");
    EXPECT_EQ(quib::TreeNodeName(L"C:\\"), L"C:\\");
    EXPECT_EQ(quib::TreeNodeKind(L"C:\\"), 0);
    EXPECT_EQ(quib::TreeNodeKind(L"a\\ [---A]"), 0);
    EXPECT_EQ(quib::TreeNodeKind(L"a\\ [-HS-]"), 1);
    EXPECT_EQ(quib::TreeNodeKind(L"a\\ [RH--]"), 2);
    EXPECT_EQ(quib::TreeNodeKind(L"a\\ [R---]"), 3);
}

TEST(TreeRules, SubFoldersComeByGroupAndInTheChosenOrder) {
    TempDir dir;
    for (const wchar_t* n : {L"a10", L"a2", L"hid", L"ro", L"sys"}) CreateDirectoryW((dir / n).c_str(), nullptr);
    WriteFileBytes(dir / L"file.txt", "x");
    SetFileAttributesW((dir / L"hid").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW((dir / L"ro").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW((dir / L"sys").c_str(), FILE_ATTRIBUTE_SYSTEM);
    auto names = [](const std::vector<quib::TreeFolder>& f) {
        std::vector<std::wstring> n;
        for (const auto& x : f) n.push_back(x.name);
        return n;
    };
    // Wine keeps no read-only mark on folders; on Windows "ro" is a group of its own.
    const bool roKept = (GetFileAttributesW((dir / L"ro").c_str()) & FILE_ATTRIBUTE_READONLY) != 0;
    const auto explorer = quib::SubFolders(dir.Path() + L"\\", true);
    const auto ordinal = quib::SubFolders(dir.Path() + L"\\", false);
    for (const wchar_t* n : {L"ro", L"sys", L"hid"}) SetFileAttributesW((dir / n).c_str(), FILE_ATTRIBUTE_NORMAL);
    if (roKept) {
        EXPECT_EQ(names(explorer), (std::vector<std::wstring>{L"sys", L"hid", L"ro", L"a2", L"a10"}));
        EXPECT_EQ(names(ordinal), (std::vector<std::wstring>{L"sys", L"hid", L"ro", L"a10", L"a2"}));
    } else {
        EXPECT_EQ(names(explorer), (std::vector<std::wstring>{L"sys", L"hid", L"a2", L"a10", L"ro"}));
        EXPECT_EQ(names(ordinal), (std::vector<std::wstring>{L"sys", L"hid", L"a10", L"a2", L"ro"}));
    }
}
