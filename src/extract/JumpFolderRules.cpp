#include "extract/JumpFolderRules.h"

#include <shlwapi.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "util/MyUtility.h"
#include "util/StrConv.h"

namespace quib {

std::string JumpKeyLabel(int row) {
    static const char kKeys[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    if (row < 0 || row >= kJumpLineCount) return "   ";
    std::string label(row < 36 ? "  " : row < 72 ? "s+" : "c+");
    label.push_back(kKeys[row % 36]);
    return label;
}

std::string EmptyJumpLine(int row, size_t blanks) {
    std::string line = JumpKeyLabel(row);
    line.append(blanks, ' ');
    return line;
}

std::wstring JumpFolderFilePath(const std::wstring& programFolder) { return programFolder + L"\\quibFM.jp2"; }

JumpFolderFile DefaultJumpFolderFile() {
    JumpFolderFile f;
    for (int r = 0; r < kJumpLineCount; ++r) f.lines.push_back(EmptyJumpLine(r, 14));
    return f;
}

JumpFolderFile ParseJumpFolderFile(const std::string& bytes) {
    JumpFolderFile f;
    std::string line;
    bool pending = false;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            f.lines.push_back(line);
            line.clear();
            pending = false;
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            line.push_back(c);
            pending = true;
        }
    }
    if (pending) f.lines.push_back(line);
    // A file with fewer lines gets the rest as empty lines: every row of the
    // window has its line, and what was read stays as it was.
    for (int r = static_cast<int>(f.lines.size()); r < kJumpLineCount; ++r) f.lines.push_back(EmptyJumpLine(r, 14));
    return f;
}

bool ReadJumpFolderFile(const std::wstring& path, JumpFolderFile& file) {
    std::ifstream in(path.c_str(), std::ios::binary);
    if (!in) {
        file = DefaultJumpFolderFile();
        return false;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    file = ParseJumpFolderFile(bytes);
    return true;
}

std::string JumpFolderFileBytes(const JumpFolderFile& file) {
    std::string out;
    for (const auto& l : file.lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

bool WriteJumpFolderFile(const std::wstring& path, const JumpFolderFile& file) {
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    if (!out) return false;
    const std::string bytes = JumpFolderFileBytes(file);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

namespace {

std::string Bytes(const std::string& line, size_t from, size_t count) {
    if (from >= line.size()) return {};
    return line.substr(from, count);
}

std::string TrimBlanks(const std::string& s) {
    const size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    const size_t e = s.find_last_not_of(' ');
    return s.substr(b, e - b + 1);
}

}  // namespace

std::wstring JumpLineLabel(const std::string& line) { return AnsiToWide(Bytes(line, 0, 3)); }
std::wstring JumpLineName(const std::string& line) { return AnsiToWide(TrimBlanks(Bytes(line, 4, kJumpNameBytes))); }
std::wstring JumpLinePath(const std::string& line) { return AnsiToWide(Bytes(line, 17, std::string::npos)); }
std::wstring JumpLineText(const std::string& line) { return AnsiToWide(line); }

std::string JumpNameField(const std::wstring& name) {
    std::string out;
    for (wchar_t c : name) {
        const std::string bytes = WideToAnsi(std::wstring_view(&c, 1));
        if (out.size() + bytes.size() > kJumpNameBytes) break;
        out += bytes;
    }
    out.append(kJumpNameBytes - out.size(), ' ');
    return out;
}

std::string MakeJumpLine(const std::string& oldLine, int row, const std::wstring& name, const std::wstring& folder) {
    std::string line = oldLine.size() >= 3 ? oldLine.substr(0, 3) : JumpKeyLabel(row);
    line.push_back(' ');
    line.append(JumpNameField(name));
    line.push_back(' ');
    line.append(WideToAnsi(folder));
    return line;
}

std::string DeletedJumpLine(const std::string& oldLine, int row) {
    std::string line = oldLine.size() >= 3 ? oldLine.substr(0, 3) : JumpKeyLabel(row);
    line.append(12, ' ');
    return line;
}

int JumpRowForKey(WPARAM key, bool shift, bool ctrl) {
    if (shift && ctrl) return -1;
    int base = -1;
    if (key >= 'A' && key <= 'Z') base = static_cast<int>(key - 'A');
    if (key >= '0' && key <= '9') base = 26 + static_cast<int>(key - '0');
    if (base < 0) return -1;
    return base + (shift ? 36 : ctrl ? 72 : 0);
}

// ---------------------------------------------------------------- tree

std::vector<std::wstring> PathLayers(const std::wstring& path) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        if (path[i] == L'\\') {
            parts.push_back(path.substr(start, i - start + 1));
            start = i + 1;
        }
    }
    return parts;
}

std::wstring TreeNodeText(const TreeFolder& folder) { return folder.name + L"\\ [" + folder.attributes + L"]"; }

std::wstring TreeNodeName(const std::wstring& text) {
    return text.size() > 6 ? text.substr(0, text.size() - 7) : text;
}

int TreeNodeKind(const std::wstring& text) {
    if (text.size() < 6) return 0;
    const std::wstring tail = ToUpper(text.substr(text.size() - 7));
    if (tail.find(L'S') != std::wstring::npos) return 1;
    if (tail.find(L'H') != std::wstring::npos) return 2;
    if (tail.find(L'R') == std::wstring::npos) return 0;
    return 3;
}

std::vector<TreeFolder> SubFolders(const std::wstring& folder, bool explorer) {
    std::vector<TreeFolder> groups[4];  // system, hidden, read-only, normal
    WIN32_FIND_DATAW fd{};
    HANDLE h = FindFirstFileW((folder + L"*.*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
            const std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..") continue;
            TreeFolder f{name, AttrToStr(fd.dwFileAttributes)};
            const std::wstring a = ToUpper(f.attributes);
            const size_t g = a.find(L'S') != std::wstring::npos   ? 0
                             : a.find(L'H') != std::wstring::npos ? 1
                             : a.find(L'R') == std::wstring::npos ? 3
                                                                  : 2;
            groups[g].push_back(std::move(f));
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    std::vector<TreeFolder> out;
    for (auto& g : groups) {
        std::stable_sort(g.begin(), g.end(), [explorer](const TreeFolder& x, const TreeFolder& y) {
            if (explorer) return StrCmpLogicalW(x.name.c_str(), y.name.c_str()) < 0;
            return CompareStringOrdinal(x.name.c_str(), static_cast<int>(x.name.size()), y.name.c_str(),
                                        static_cast<int>(y.name.size()), FALSE) == CSTR_LESS_THAN;
        });
        out.insert(out.end(), g.begin(), g.end());
    }
    return out;
}

}  // namespace quib
