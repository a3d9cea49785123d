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

std::wstring FirstField(const std::wstring& line) { return line.substr(0, line.find(L'\t')); }

std::wstring Field(const std::wstring& line, int n) {
    size_t start = 0;
    for (int i = 0; i < n; ++i) {
        start = line.find(L'\t', start);
        if (start == std::wstring::npos) return {};
        ++start;
    }
    return line.substr(start, line.find(L'\t', start) - start);
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

std::vector<std::wstring> FilerViewLines(const std::vector<std::wstring>& source, const std::wstring& current,
                                         bool sortLikeExplorer) {
    std::vector<std::wstring> folders, files;
    // Folder names already present, lower-cased: one look-up per entry keeps
    // folders of many thousand entries fast.
    std::unordered_set<std::wstring> folderNames;
    std::wstring normalised;
    for (size_t i = 1; i < source.size(); ++i) {
        const std::wstring& line = source[i];
        const size_t tab = line.find(L'\t');
        std::wstring first = L"/" + line.substr(0, tab);
        std::replace(first.begin(), first.end(), L'\\', L'/');
        if (first.compare(0, current.size(), current) != 0) continue;
        const std::wstring rest = first.substr(current.size());
        const std::wstring tail = tab == std::wstring::npos ? std::wstring() : line.substr(tab);
        const bool folderEntry = Field(line, 2) == L" <DIR>";
        const size_t slash = rest.find(L'/');
        if (slash != std::wstring::npos) {
            const std::wstring name = rest.substr(0, slash);
            if (!folderNames.insert(ToLower(name)).second) continue;
            if (folderEntry) {
                folders.push_back(name + tail);
            } else {
                folders.push_back(name + L"\t\t <DIR>\t\t\t\t\t\t\t" + name);
            }
        } else if (!folderEntry) {
            files.push_back(rest + tail);
        }
    }
    if (sortLikeExplorer) {
        // Names taken out once: the comparison runs n log n times.
        auto sortByName = [](std::vector<std::wstring>& lines) {
            std::vector<std::pair<std::wstring, size_t>> keys;
            keys.reserve(lines.size());
            for (size_t i = 0; i < lines.size(); ++i) keys.emplace_back(FirstField(lines[i]), i);
            std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) {
                return StrCmpLogicalW(a.first.c_str(), b.first.c_str()) < 0;
            });
            std::vector<std::wstring> sorted;
            sorted.reserve(lines.size());
            for (const auto& k : keys) sorted.push_back(std::move(lines[k.second]));
            lines = std::move(sorted);
        };
        sortByName(folders);
        sortByName(files);
    }
    std::vector<std::wstring> out;
    out.reserve(folders.size() + files.size() + 1);
    const std::wstring head = current == L"/" ? L"<\\>" : L"<..>";
    out.push_back(head + L"\t\t <DIR>\t\t\t\t\t\t\t" + head);
    out.insert(out.end(), folders.begin(), folders.end());
    out.insert(out.end(), files.begin(), files.end());
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

int FilerHistory::FindRow(size_t count, const std::function<const std::wstring&(size_t)>& storedPathOf) const {
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
