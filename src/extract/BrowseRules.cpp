#include "extract/BrowseRules.h"

#include <shlwapi.h>

#include <algorithm>

#include "app/EntryView.h"
#include "util/MyUtility.h"
#include "util/StrConv.h"

namespace quib {

// Directory lines, by kind of entry:
//   field  folder        "." (the parent row)  file
//   0      name          "<..>"                name without extension
//   1      ""            ""                    extension with its dot
//   2      " <DIR>"      " <DIR>"              size, IntToCommaStr
//   3, 4   last-write date and time
//   5      attributes ("RHSA" form)
//   6      ""
//   7      " <DIR>"      " <DIR>"              size, IntToCommaStr20
//   8      name          "<..>"                full file name
//   9      " <DIR>"      " <DIR>"              size, IntToCommaStr20

bool IsDriveRoot(const std::wstring& folder) {
    return folder.size() == 3 && folder[1] == L':' && folder[2] == L'\\';
}

std::wstring FolderPartOfPath(const std::wstring& path) {
    const size_t p = path.find_last_of(L"\\:");
    return p == std::wstring::npos ? std::wstring() : path.substr(0, p + 1);
}

std::wstring ParentFolderOf(const std::wstring& folder) {
    if (IsDriveRoot(folder) || folder.size() < 2) return folder;
    return FolderPartOfPath(folder.substr(0, folder.size() - 1));
}

DirectoryLine MakeDirectoryLine(const WIN32_FIND_DATAW& found) {
    DirectoryLine l;
    const std::wstring name = found.cFileName;
    const bool folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    l[3] = FileTimeToDateStr(found.ftLastWriteTime);
    l[4] = FileTimeToTimeStr(found.ftLastWriteTime);
    l[5] = AttrToStr(found.dwFileAttributes);
    if (folder) {
        const std::wstring shown = name == L"." ? std::wstring(kParentName) : name;
        l[0] = shown;
        l[2] = kDirSizeText;
        l[7] = kDirSizeText;
        l[8] = shown;
        l[9] = kDirSizeText;
    } else {
        const long long size =
            static_cast<long long>((static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow);
        const std::wstring ext = ExtractFileExt(name);
        l[0] = name.substr(0, name.size() - ext.size());
        l[1] = ext;
        l[2] = IntToCommaStr(size);
        l[7] = IntToCommaStr20(size);
        l[8] = name;
        l[9] = IntToCommaStr20(size);
    }
    return l;
}

DirectoryLine RootDirectoryLine() {
    return {kRootName, L"", kDirSizeText, L"", L"", L"", L"", L"0", L"0", L"ROOT_MARK"};
}

bool IsFolderLine(const DirectoryLine& line) { return line[2] == kDirSizeText; }
bool IsParentLine(const DirectoryLine& line) { return line[0] == kParentName; }
bool IsRootLine(const DirectoryLine& line) { return line[0] == kRootName; }

bool ReadFolder(const std::wstring& folder, std::vector<DirectoryLine>& folders, std::vector<DirectoryLine>& files) {
    folders.clear();
    files.clear();
    const DWORD a = GetFileAttributesW(folder.c_str());
    if (a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_DIRECTORY)) return false;
    WIN32_FIND_DATAW fd{};
    HANDLE h = FindFirstFileW((folder + L"*.*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return true;
    const bool root = IsDriveRoot(folder);
    do {
        const std::wstring name = fd.cFileName;
        if (name == L"..") continue;
        // A drive root has no parent row, whatever the file system reports.
        if (name == L"." && root) continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            folders.push_back(MakeDirectoryLine(fd));
        else
            files.push_back(MakeDirectoryLine(fd));
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return true;
}

// ---------------------------------------------------------------- order

// The filer family's order of characters (its lower-case letters spell "pgrs";
// they are turned into capitals before the table is asked, so it does not matter).
const wchar_t* const kSjisOrderTable =
    L"'- !#$%&().;@[]^_{}~+=0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZab"
    L"cdefghijklmnopgrstuvwxyz　、。，．：；？！゛゜´｀¨＾￣＿ヽヾゝゞ〃仝々〆〇ー―‐／＼～∥｜…‥"
    L"‘’“”（）〔〕［］｛｝〈〉《》「」『』【】＋－±×÷＝≠＜＞≦≧∞∴♂♀°′″℃￥＄￠￡％＃＆＊＠§☆★○●◎◇◆□■"
    L"△▲▽▼※〒→←↑↓〓∈∋⊆⊇⊂⊃∪∩∧∨￢⇒⇔∀∃∠⊥⌒∂∇≡≒≪≫√∽∝∵∫∬Å‰♯♭♪†‡¶◯０１２３４５６７８９"
    L"ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚぁあぃいぅうぇえ"
    L"ぉおかがきぎくぐけげこごさざしじすずせぜそぞただちぢっつづてでとどなにぬねのはばぱひびぴふぶぷへべぺほぼぽまみむめもゃや"
    L"ゅゆょよらりるれろゎわゐゑをんァアィイゥウェエォオカガキギクグケゲコゴサザシジスズセゼソゾタダチヂッツヅテデトドナニヌネ"
    L"ノハバパヒビピフブプヘベペホボポマミムメモャヤュユョヨラリルレロヮワヰヱヲンヴヵヶΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤ"
    L"ΥΦΧΨΩαβγδεζηθικλμνξοπρστυφχψωАБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭ"
    L"ЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя─│";

int SjisOrderPosition(wchar_t c) {
    static const std::wstring table = kSjisOrderTable;
    const size_t p = table.find(c);
    return p == std::wstring::npos ? 0 : static_cast<int>(p) + 1;
}

namespace {

// Both texts through the system code page and back, as the filer family
// compares them.
std::wstring ThroughCodePage(const std::wstring& s) { return AnsiToWide(WideToAnsi(s)); }

int LocaleCompare(const std::wstring& a, const std::wstring& b, bool ignoreCase) {
    const std::wstring x = ThroughCodePage(a), y = ThroughCodePage(b);
    const int r = CompareStringW(LOCALE_USER_DEFAULT, ignoreCase ? NORM_IGNORECASE : 0, x.c_str(),
                                 static_cast<int>(x.size()), y.c_str(), static_cast<int>(y.size()));
    return r - CSTR_EQUAL;
}

wchar_t UpperAscii(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

bool PrintableAsciiStart(const DirectoryLine& line) {
    return !line[0].empty() && line[0][0] >= 0x20 && line[0][0] <= 0x7E;
}

}  // namespace

int CompareSjisNameKeys(const std::wstring& a, const std::wstring& b) {
    const size_t n = std::max(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        // A position past the end of a key is no character of the table.
        const bool aEnd = i >= a.size(), bEnd = i >= b.size();
        const wchar_t ca = aEnd ? 0 : UpperAscii(a[i]), cb = bEnd ? 0 : UpperAscii(b[i]);
        const int pa = aEnd ? 0 : SjisOrderPosition(ca), pb = bEnd ? 0 : SjisOrderPosition(cb);
        if (pa == 0 && pb == 0) {
            if (!aEnd && !bEnd && ca == cb) continue;
            return LocaleCompare(a.substr(std::min(i, a.size())), b.substr(std::min(i, b.size())), true);
        }
        if (pa == pb) continue;
        if (pa != 0 && pb != 0) return pa - pb;
        return LocaleCompare(a.substr(std::min(i, a.size())), b.substr(std::min(i, b.size())), true);
    }
    return LocaleCompare(a, b, true);
}

void SortSjis(std::vector<KeyedLine>& group, int mode) {
    auto less = [mode](const KeyedLine& x, const KeyedLine& y) {
        if (mode == 1) return CompareSjisNameKeys(x.key, y.key) < 0;
        const int r = LocaleCompare(x.key, y.key, false);
        if (r != 0) return r < 0;
        return LocaleCompare(x.line[0], y.line[0], false) < 0;
    };
    auto middle = std::stable_partition(group.begin(), group.end(),
                                        [](const KeyedLine& k) { return PrintableAsciiStart(k.line); });
    std::stable_sort(group.begin(), middle, less);
    std::stable_sort(middle, group.end(), less);
}

namespace {

std::wstring SortKey(const DirectoryLine& l, int mode) {
    switch (mode) {
        case 1: return l[8];
        case 2: return l[1];
        case 3: return l[3] + l[4];
        case 4: return l[7];
        default: return L"-";
    }
}

// 0 system, 1 hidden, 2 read-only, 3 normal; -1 not listed.
int GroupOf(const DirectoryLine& l, const BrowseSort& sort) {
    auto has = [&](size_t pos, wchar_t c) { return l[5].size() > pos && l[5][pos] == c; };
    const bool r = has(0, L'R'), h = has(1, L'H'), s = has(2, L'S');
    if (s && sort.showSystem) return 0;
    if (h && sort.showHidden) return 1;
    if (r) return 2;
    if (!s && !h && !r) return 3;
    return -1;
}

void SortGroups(const std::vector<DirectoryLine>& lines, const BrowseSort& sort, std::array<std::vector<DirectoryLine>, 4>& groups) {
    std::array<std::vector<KeyedLine>, 4> keyed;
    for (const auto& l : lines) {
        const int g = GroupOf(l, sort);
        if (g >= 0) keyed[static_cast<size_t>(g)].push_back({SortKey(l, sort.mode), l});
    }
    for (size_t g = 0; g < 4; ++g) {
        auto& k = keyed[g];
        // Size keys are right-aligned in 20 characters: their code-unit order
        // is their order by value, which is what the logical comparison gives
        // on Windows; Wine's takes the digit runs first and would not.
        if (sort.explorer && sort.mode == 4)
            std::stable_sort(k.begin(), k.end(), [](const KeyedLine& x, const KeyedLine& y) { return x.key < y.key; });
        else if (sort.explorer)
            std::stable_sort(k.begin(), k.end(), [](const KeyedLine& x, const KeyedLine& y) {
                return StrCmpLogicalW(x.key.c_str(), y.key.c_str()) < 0;
            });
        if (sort.sjis) SortSjis(k, sort.mode);
        if (sort.unicode)
            std::stable_sort(k.begin(), k.end(), [](const KeyedLine& x, const KeyedLine& y) {
                return CompareStringOrdinal(x.key.c_str(), static_cast<int>(x.key.size()), y.key.c_str(),
                                            static_cast<int>(y.key.size()), FALSE) == CSTR_LESS_THAN;
            });
        if (sort.order == 1) std::reverse(k.begin(), k.end());
        groups[g].clear();
        for (auto& x : k) groups[g].push_back(std::move(x.line));
    }
}

}  // namespace

std::vector<DirectoryLine> BuildBrowseRows(const std::wstring& folder, const std::vector<DirectoryLine>& folders,
                                           const std::vector<DirectoryLine>& files, const BrowseSort& sort) {
    std::vector<DirectoryLine> rows;
    if (IsDriveRoot(folder)) rows.push_back(RootDirectoryLine());
    std::array<std::vector<DirectoryLine>, 4> groups;
    SortGroups(folders, sort, groups);
    // The parent row leads, wherever its attributes put it.
    bool parentTaken = false;
    for (auto& g : groups) {
        if (parentTaken) break;
        for (auto it = g.begin(); it != g.end(); ++it) {
            if (IsParentLine(*it)) {
                rows.push_back(std::move(*it));
                g.erase(it);
                parentTaken = true;
                break;
            }
        }
    }
    for (auto& g : groups)
        for (auto& l : g) rows.push_back(std::move(l));
    SortGroups(files, sort, groups);
    for (auto& g : groups)
        for (auto& l : g) rows.push_back(std::move(l));
    return rows;
}

// ---------------------------------------------------------------- paths and labels

std::wstring RowPath(const std::wstring& folder, const DirectoryLine& row) {
    return IsFolderLine(row) ? folder + row[8] + L"\\" : folder + row[8];
}

std::wstring SelectedPath(const std::wstring& folder, const DirectoryLine& row) {
    if (IsParentLine(row) || IsRootLine(row)) return folder;
    return RowPath(folder, row);
}

std::wstring LabelText(const std::wstring& path) {
    std::wstring out;
    for (wchar_t c : path) {
        out.push_back(c);
        if (c == L'&') out.push_back(L'&');
    }
    return out;
}

// ---------------------------------------------------------------- cursor memory

namespace {

int BackslashesWithoutLast(const std::wstring& folder) {
    const std::wstring s = !folder.empty() && folder.back() == L'\\' ? folder.substr(0, folder.size() - 1) : folder;
    return static_cast<int>(std::count(s.begin(), s.end(), L'\\'));
}

}  // namespace

int WriteLayer(const std::wstring& folder) { return IsDriveRoot(folder) ? 1 : BackslashesWithoutLast(folder); }
int ReadLayer(const std::wstring& folder) { return IsDriveRoot(folder) ? 1 : BackslashesWithoutLast(folder) + 1; }

CursorMemory::CursorMemory() {
    for (int d = 0; d < kDrives; ++d) {
        std::wstring root;
        root.push_back(static_cast<wchar_t>(L'A' + d));
        root += L":\\";
        lists_[static_cast<size_t>(d)][0] = {root};
    }
}

std::wstring CursorMemory::LastFolder(int drive) const {
    if (drive < 0 || drive >= kDrives) return {};
    const auto& l = lists_[static_cast<size_t>(drive)][0];
    return l.empty() ? std::wstring() : l.front();
}

void CursorMemory::SetLastFolder(int drive, const std::wstring& folder) {
    if (drive < 0 || drive >= kDrives) return;
    lists_[static_cast<size_t>(drive)][0] = {folder};
}

std::vector<std::wstring>* CursorMemory::LayerList(int drive, int layer) {
    if (drive < 0 || drive >= kDrives || layer < 1 || layer > kLayers) return nullptr;
    return &lists_[static_cast<size_t>(drive)][static_cast<size_t>(layer)];
}

const std::vector<std::wstring>& CursorMemory::Layer(int drive, int layer) const {
    static const std::vector<std::wstring> none;
    if (drive < 0 || drive >= kDrives || layer < 1 || layer > kLayers) return none;
    return lists_[static_cast<size_t>(drive)][static_cast<size_t>(layer)];
}

void CursorMemory::Record(const std::wstring& folder) {
    const int drive = DriveLetterToIndex(folder);
    if (drive < 0) return;
    // The parent as the folder part of the path without its final "\": a
    // root ("C:") is no parent of any folder, so recording it takes nothing away.
    auto parentOf = [](const std::wstring& f) {
        return FolderPartOfPath(!f.empty() && f.back() == L'\\' ? f.substr(0, f.size() - 1) : f);
    };
    if (auto* list = LayerList(drive, WriteLayer(folder))) {
        const std::wstring parent = parentOf(folder);
        for (auto it = list->begin(); it != list->end(); ++it) {
            if (parentOf(*it) == parent) {
                list->erase(it);
                break;
            }
        }
        if (!IsDriveRoot(folder)) list->insert(list->begin(), folder);
    }
    SetLastFolder(drive, folder);
}

void CursorMemory::RecordJump(const std::wstring& folder) {
    const int drive = DriveLetterToIndex(folder);
    if (drive < 0) return;
    std::wstring f = folder;
    for (;;) {
        if (auto* list = LayerList(drive, WriteLayer(f))) list->push_back(f);
        if (IsDriveRoot(f) || f.size() < 3) break;
        const std::wstring up = ParentFolderOf(f);
        if (up == f) break;
        f = up;
    }
    if (auto* list = LayerList(drive, WriteLayer(folder))) list->insert(list->begin(), folder);
    SetLastFolder(drive, folder);
}

int CursorMemory::RestoreRow(const std::wstring& folder, const std::vector<DirectoryLine>& rows) const {
    const auto& list = Layer(DriveLetterToIndex(folder), ReadLayer(folder));
    for (const auto& entry : list) {
        for (size_t r = 0; r < rows.size(); ++r) {
            // The root row's field 8 is "0": it must not stand for a folder "0".
            if (IsRootLine(rows[r])) continue;
            if (RowPath(folder, rows[r]) == entry) return static_cast<int>(r);
        }
    }
    return -1;
}

// ---------------------------------------------------------------- commands

BrowseOkResult BrowseOk(bool pickFile, const std::wstring& folder, const DirectoryLine& row) {
    BrowseOkResult r;
    const bool folderRow = IsFolderLine(row);
    if (pickFile ? !folderRow : folderRow) {
        r.accepted = true;
        r.path = SelectedPath(folder, row);
    } else if (pickFile) {
        r.japanese = L"Information : このフォルダは指定できません";
        r.english = L"Information : This folder can not accept.\r\n[OK]";
    } else {
        r.japanese = L"Information : ファイルは指定できません";
        r.english = L"Information : File can not accept.\r\n[OK]";
    }
    return r;
}

bool FolderRefused(const std::wstring& folder, const std::wstring& name) {
    if (EqualsNoCase(name, L"System Volume Information")) return true;
    return EqualsNoCase(folder, L"C:\\") && EqualsNoCase(name, L"Documents and Settings");
}

std::wstring RenameSourceOf(const DirectoryLine& row) {
    if (IsParentLine(row) || IsRootLine(row)) return {};
    const std::wstring& name = row[8];
    const size_t p = name.find_last_of(L"\\:");
    const std::wstring part = p == std::wstring::npos ? name : name.substr(p + 1);
    return IsFolderLine(row) ? part + L"\\" : part;
}

}  // namespace quib
