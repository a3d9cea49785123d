#include "app/EntryView.h"

#include <shlwapi.h>

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "util/MyUtility.h"
#include "util/StrConv.h"

namespace quib {
namespace {

std::wstring PadLeft(const std::wstring& s, size_t width) {
    return s.size() >= width ? s : std::wstring(width - s.size(), L' ') + s;
}

bool InList(const std::vector<std::wstring>* list, const std::wstring& ext) {
    if (!list || ext.empty()) return false;
    for (const auto& e : *list)
        if (EqualsNoCase(e, ext)) return true;
    return false;
}

}  // namespace

long long CommaTextValue(const std::wstring& text) {
    long long v = 0;
    bool any = false;
    for (wchar_t c : text) {
        if (c >= L'0' && c <= L'9') {
            v = v * 10 + (c - L'0');
            any = true;
        }
    }
    if (any && text.find(L'-') != std::wstring::npos) v = -v;
    return v;
}

std::wstring DisplaySizeText(const std::wstring& commaText, bool full, bool unit1024) {
    if (commaText == L" <DIR>") return commaText;
    if (full) return PadLeft(commaText, 20);
    if (unit1024) {
        std::wstring digits;
        for (wchar_t c : commaText)
            if (c != L',') digits.push_back(c);
        if (digits.size() > 6) {
            long long v = CommaTextValue(digits) / 1024;
            static const wchar_t* units[] = {L"KB", L"MB", L"GB", L"TB"};
            int unit = 0;
            while (std::to_wstring(v).size() > 4 && unit < 3) {
                v /= 1024;
                ++unit;
            }
            const std::wstring d = std::to_wstring(v);
            if (d.size() >= 4) return d.substr(0, 1) + L"," + d.substr(1, 3) + units[unit];
            return std::wstring(4 - d.size(), L' ') + L" " + d + units[unit];
        }
        if (digits.size() >= 4) {
            return PadLeft(digits.substr(0, digits.size() - 3) + L"," + digits.substr(digits.size() - 3), 7);
        }
        return PadLeft(digits, 7);
    }
    const size_t len = commaText.size();
    if (len <= 5) return PadLeft(commaText, 7);
    if (len <= 9) return PadLeft(commaText.substr(0, len - 4) + L"KB", 7);
    if (len <= 13) return PadLeft(commaText.substr(0, len - 8) + L"MB", 7);
    if (len <= 17) return PadLeft(commaText.substr(0, len - 12) + L"GB", 7);
    if (len <= 20) return PadLeft(commaText.substr(0, len - 16) + L"TB", 7);
    return commaText;
}

void BuildFilerRows(const EntryLines& source, const std::wstring& current, bool sortLikeExplorer,
                    SizeTextForm form, EntryRows& rows) {
    rows.Reset(source.empty() ? nullptr : source.SharedStore(), form);
    rows.AddHead(current == L"/", 0);
    if (source.empty()) return;
    const EntryStore& store = source.Store();
    // Folders first, then files; files wait in their own list meanwhile.
    std::vector<std::pair<uint32_t, uint32_t>> files;  // entry, where its name starts
    // Folder names already present, lower-cased: one look-up per entry keeps
    // folders of many thousand entries fast. Entries of one folder come
    // together in level order, so the name of the row before answers most.
    std::unordered_set<std::wstring> folderNames;
    std::wstring_view lastFolder;
    bool haveLast = false;
    // current is "/" or "/a/b/"; an entry's path with "\" read as "/" and a
    // "/" put in front must start with it.
    const std::wstring_view inside = std::wstring_view(current).substr(1);
    auto startsInside = [&](std::wstring_view path) {
        if (path.size() < inside.size()) return false;
        for (size_t k = 0; k < inside.size(); ++k) {
            const wchar_t c = path[k] == L'\\' ? L'/' : path[k];
            if (c != inside[k]) return false;
        }
        return true;
    };
    for (size_t i = 1; i < source.size(); ++i) {
        const uint32_t entry = source.Entry(i);
        const std::wstring_view path = store.DisplayPath(entry);
        if (!startsInside(path)) continue;
        const std::wstring_view rest = path.substr(inside.size());
        const size_t slash = rest.find_first_of(L"/\\");
        const bool folderEntry = store.Folder(entry);
        const auto start = static_cast<uint32_t>(inside.size());
        if (slash != std::wstring_view::npos) {
            const std::wstring_view name = rest.substr(0, slash);
            if (haveLast && name == lastFolder) continue;
            if (!folderNames.insert(ToLower(name)).second) {
                lastFolder = name;
                haveLast = true;
                continue;
            }
            lastFolder = name;
            haveLast = true;
            const int line = static_cast<int>(rows.size());
            if (folderEntry) {
                rows.AddNamed(entry, start, static_cast<uint32_t>(slash), line);
            } else {
                rows.AddMadeUpFolder(entry, start, static_cast<uint32_t>(slash), line);
            }
        } else if (!folderEntry) {
            files.emplace_back(entry, start);
        }
    }
    const size_t folderEnd = rows.size();
    for (const auto& [entry, start] : files) {
        const auto length = static_cast<uint32_t>(store.DisplayPath(entry).size() - start);
        rows.AddNamed(entry, start, length, static_cast<int>(rows.size()));
    }
    if (sortLikeExplorer) {
        rows.SortByNameLogical(1, folderEnd);
        rows.SortByNameLogical(folderEnd, rows.size());
    }
}

std::vector<std::wstring> FilerViewLines(const std::vector<std::wstring>& source, const std::wstring& current,
                                         bool sortLikeExplorer) {
    EntryRows rows;
    BuildFilerRows(EntryLines::FromLines(source), current, sortLikeExplorer, {}, rows);
    std::vector<std::wstring> out;
    out.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) out.push_back(rows.SourceLine(i));
    return out;
}

std::wstring ParentFolderPath(const std::wstring& current) {
    std::vector<std::wstring> parts;
    StringToCsvListByYenBySlash(current, parts);
    std::wstring out;
    for (size_t i = 1; i + 1 < parts.size(); ++i) out += L"/" + parts[i];
    return out + L"/";
}

void FilerHistory::Remember(const std::wstring& storedPath) {
    entries_.insert(entries_.begin(), storedPath);
    if (entries_.size() > kLimit) entries_.pop_back();
}

int FilerHistory::FindRow(const std::vector<std::wstring>& rowStoredPaths) const {
    return FindRow(rowStoredPaths.size(), [&](size_t r) -> const std::wstring& { return rowStoredPaths[r]; });
}

int FilerHistory::FindRow(size_t count, const std::function<std::wstring(size_t)>& storedPathOf) const {
    if (entries_.empty()) return -1;
    // The remembered paths are looked up, not the rows copied: a folder of a
    // quarter million rows is read once and nothing is allocated per row.
    std::unordered_map<std::wstring_view, size_t> recency;
    recency.reserve(entries_.size());
    for (size_t i = 0; i < entries_.size(); ++i) recency.emplace(entries_[i], i);
    int best = -1;
    size_t bestRecency = entries_.size();
    for (size_t r = 0; r < count && bestRecency > 0; ++r) {
        const auto it = recency.find(storedPathOf(r));
        // Strictly more recent only: the first row of a path wins.
        if (it != recency.end() && it->second < bestRecency) {
            bestRecency = it->second;
            best = static_cast<int>(r);
        }
    }
    return best;
}

RowColor ClassifyRow(const std::wstring& sizeText, const std::wstring& attributes, const std::wstring& extension,
                     const ExtensionLists& lists) {
    auto at = [&](size_t pos, wchar_t c) { return attributes.size() > pos && attributes[pos] == c; };
    if (at(2, L'S')) return RowColor::System;
    if (at(1, L'H')) return RowColor::Hidden;
    if (at(0, L'R')) return RowColor::ReadOnly;
    if (sizeText == L" <DIR>") return RowColor::Directory;
    if (InList(lists.exe, extension)) return RowColor::Execute;
    if (InList(lists.arc, extension) || InList(lists.spm, extension)) return RowColor::Archive;
    if (InList(lists.gdi, extension) || InList(lists.wic, extension) || InList(lists.spi, extension))
        return RowColor::Image;
    return RowColor::Normal;
}

}  // namespace quib
