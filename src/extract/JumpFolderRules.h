#pragma once
// The rules of the jump folders and the folder tree that need no window: the
// jump-folder file "quibFM.jp2" shared with the filer (108 key-bound lines in
// the system code page with fixed byte columns), its fields, the line an edit
// makes, the row a key chooses; and the parts of a folder path and the
// sub-folders of a folder as the tree shows them.
#include <windows.h>

#include <string>
#include <vector>

namespace quib {

// ---------------------------------------------------------------- jump folders

constexpr int kJumpLineCount = 108;
constexpr size_t kJumpNameBytes = 12;

// The key label of a line: "  A" .. "  Z", "  0" .. "  9", "s+A" .. "s+9", "c+A" .. "c+9".
std::string JumpKeyLabel(int row);
// An empty line: the label and blanks (14 when the file is made, 12 after a deletion).
std::string EmptyJumpLine(int row, size_t blanks);

// The file's lines as bytes in the system code page, exactly as read (a line
// end is CR LF, LF or CR). Lines the file lacks are added as empty lines, so
// that there are always 108; lines past the 108th are kept as they are.
struct JumpFolderFile {
    std::vector<std::string> lines;
};
std::wstring JumpFolderFilePath(const std::wstring& programFolder);
JumpFolderFile DefaultJumpFolderFile();
// Reads the file; false (and the default lines) when it does not exist.
bool ReadJumpFolderFile(const std::wstring& path, JumpFolderFile& file);
// Writes every line with CR LF.
bool WriteJumpFolderFile(const std::wstring& path, const JumpFolderFile& file);
// The file's bytes from its lines (every line followed by CR LF).
std::string JumpFolderFileBytes(const JumpFolderFile& file);
// Lines from the bytes of a file.
JumpFolderFile ParseJumpFolderFile(const std::string& bytes);

// Fields of a line, bounds-checked (a short line gives what it has):
// bytes 1-3 the label, 5-16 the name (blanks around it removed), 18 .. the folder.
std::wstring JumpLineLabel(const std::string& line);
std::wstring JumpLineName(const std::string& line);
std::wstring JumpLinePath(const std::string& line);
// A line as the list shows it.
std::wstring JumpLineText(const std::string& line);

// The longest beginning of the name of at most 12 bytes in the system code
// page, never half a double-byte character, then blanks up to 12 bytes.
std::string JumpNameField(const std::wstring& name);
// The line an edit makes: the old line's label, a blank, the name field, a
// blank, the folder as typed (its prefix not expanded).
std::string MakeJumpLine(const std::string& oldLine, int row, const std::wstring& name, const std::wstring& folder);
// The line after a deletion: its label and 12 blanks.
std::string DeletedJumpLine(const std::string& oldLine, int row);

// The row a key chooses: a letter the row labelled with it, with Shift the
// "s+" row, with Ctrl the "c+" row; the digits likewise. -1 for any other key.
int JumpRowForKey(WPARAM key, bool shift, bool ctrl);

// ---------------------------------------------------------------- tree

// The parts of a folder path, each with its "\": "C:\a\b\" gives "C:\",
// "a\", "b\"; a last part without "\" (a file) is dropped.
std::vector<std::wstring> PathLayers(const std::wstring& path);

// One sub-folder as the tree shows it: "name\ [RHSA]".
struct TreeFolder {
    std::wstring name;
    std::wstring attributes;  // AttrToStr
};
std::wstring TreeNodeText(const TreeFolder& folder);
// The name a node stands for: its text without its last seven characters
// (" [RHSA]") when it is longer than six; a drive's text as it is.
std::wstring TreeNodeName(const std::wstring& text);
// The sub-folders of a folder (ending in "\"), hidden and system ones too:
// system, hidden, read-only, normal, each group by name (the logical
// comparison when explorer is set, else ordinal).
std::vector<TreeFolder> SubFolders(const std::wstring& folder, bool explorer);
// The colour kind of a node by its text: 0 folder, 1 system, 2 hidden, 3 read-only.
int TreeNodeKind(const std::wstring& text);

}  // namespace quib
