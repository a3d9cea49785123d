#include "util/RowModel.h"

#include <shlwapi.h>

#include <algorithm>

#include "app/EntryView.h"
#include "archive/EntryStore.h"
#include "util/MyUtility.h"

namespace quib {
namespace {

const std::wstring& Empty() {
    static const std::wstring empty;
    return empty;
}

}  // namespace

const std::wstring& MarkText(RowMarkState state) {
    static const std::wstring marked = L"\u25CF";    // ●
    static const std::wstring unmarked = L"\u3000";  // ideographic space
    switch (state) {
        case RowMarkState::Marked: return marked;
        case RowMarkState::Unmarked: return unmarked;
        case RowMarkState::Blank: break;
    }
    return Empty();
}

RowMarkState MarkFromText(const std::wstring& text) {
    if (text.empty()) return RowMarkState::Blank;
    return text == MarkText(RowMarkState::Marked) ? RowMarkState::Marked : RowMarkState::Unmarked;
}

const std::wstring& EntryRow::Field(int n) const {
    switch (n) {
        case 0: return name;
        case 1: return extension;
        case 2: return sizeText;
        case 3: return date;
        case 4: return time;
        case 5: return attribute;
        case 6: return method;
        case 7: return size;
        case 8: return packedSize;
        case 9: return storedPath;
        default: return Empty();
    }
}

const std::wstring& EntryRow::Column(int column) const {
    if (column == 0) return MarkText(mark);
    // The columns after the mark are the first six fields.
    return column >= 1 && column <= 6 ? Field(column - 1) : Empty();
}

EntryRow MakeEntryRow(const std::wstring& line, int lineIndex, SizeTextForm form) {
    // The splitter also lets the window breathe while a long listing is turned
    // into rows.
    std::vector<std::wstring> f;
    f.reserve(EntryRow::kFieldCount);
    StringToCsvList(line, f);
    f.resize(EntryRow::kFieldCount);
    EntryRow row;
    row.name = std::move(f[0]);
    row.extension = std::move(f[1]);
    row.sizeText = DisplaySizeText(f[2], form.full, form.unit1024);
    row.date = std::move(f[3]);
    row.time = std::move(f[4]);
    row.attribute = std::move(f[5]);
    row.method = std::move(f[6]);
    row.size = std::move(f[7]);
    row.packedSize = std::move(f[8]);
    row.storedPath = std::move(f[9]);
    row.line = lineIndex;
    return row;
}

std::wstring RowLine(const EntryRow& row) {
    std::wstring line;
    for (int i = 0; i < EntryRow::kFieldCount; ++i) {
        if (i) line += L'\t';
        line += row.Field(i);
    }
    return line;
}

// ---------------------------------------------------------------- compact rows

void EntryRows::Reset(std::shared_ptr<const EntryStore> store, SizeTextForm form) {
    store_ = std::move(store);
    form_ = form;
    rows_.clear();
}

void EntryRows::Clear() {
    rows_.clear();
    rows_.shrink_to_fit();
    store_.reset();
}

EntryRows EntryRows::FromLines(const std::vector<std::wstring>& lines, SizeTextForm form) {
    const EntryLines source = EntryLines::FromLines(lines);
    EntryRows rows;
    rows.Reset(source.SharedStore(), form);
    rows.Reserve(lines.size());
    for (size_t i = 0; i < source.size(); ++i) rows.AddEntry(source.Entry(i), static_cast<int>(i));
    return rows;
}

void EntryRows::AddEntry(uint32_t entry, int line) {
    Ref r;
    r.entry = entry;
    r.line = static_cast<uint32_t>(line);
    r.kind = Kind::Entry;
    rows_.push_back(r);
}

void EntryRows::AddNamed(uint32_t entry, uint32_t nameStart, uint32_t nameLength, int line) {
    Ref r;
    r.entry = entry;
    r.line = static_cast<uint32_t>(line);
    r.nameStart = nameStart;
    r.nameLength = nameLength;
    r.kind = Kind::Named;
    rows_.push_back(r);
}

void EntryRows::AddMadeUpFolder(uint32_t entry, uint32_t nameStart, uint32_t nameLength, int line) {
    AddNamed(entry, nameStart, nameLength, line);
    rows_.back().kind = Kind::MadeUp;
}

void EntryRows::AddHead(bool root, int line) {
    Ref r;
    r.line = static_cast<uint32_t>(line);
    r.kind = root ? Kind::Root : Kind::Parent;
    rows_.push_back(r);
}

void EntryRows::SortByNameLogical(size_t from, size_t to) {
    if (to <= from + 1) return;
    // Names taken out once: the comparison runs n log n times.
    std::vector<std::pair<std::wstring, Ref>> keyed;
    keyed.reserve(to - from);
    for (size_t i = from; i < to; ++i) keyed.emplace_back(std::wstring(Name(i)), rows_[i]);
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        return StrCmpLogicalW(a.first.c_str(), b.first.c_str()) < 0;
    });
    for (size_t i = from; i < to; ++i) rows_[i] = keyed[i - from].second;
}

std::wstring_view EntryRows::Name(size_t row) const {
    const Ref& r = rows_[row];
    switch (r.kind) {
        case Kind::Entry: return store_->DisplayPath(r.entry);
        case Kind::Named:
        case Kind::MadeUp: return store_->DisplayPath(r.entry).substr(r.nameStart, r.nameLength);
        case Kind::Root: return L"<\\>";
        case Kind::Parent: return L"<..>";
    }
    return {};
}

std::wstring EntryRows::SourceField(size_t row, int n) const {
    if (n < 0 || n >= EntryRow::kFieldCount) return {};
    const Ref& r = rows_[row];
    switch (r.kind) {
        case Kind::Entry: return store_->Field(r.entry, n);
        case Kind::Named: return n == 0 ? std::wstring(Name(row)) : store_->Field(r.entry, n);
        case Kind::MadeUp:
        case Kind::Root:
        case Kind::Parent:
            if (n == 0 || n == 9) return std::wstring(Name(row));
            return n == 2 ? std::wstring(kFolderSizeText) : std::wstring();
    }
    return {};
}

std::wstring EntryRows::Field(size_t row, int n) const {
    std::wstring field = SourceField(row, n);
    if (n == 2) field = DisplaySizeText(field, form_.full, form_.unit1024);
    return field;
}

std::wstring EntryRows::SourceLine(size_t row) const {
    std::wstring line;
    for (int n = 0; n < EntryRow::kFieldCount; ++n) {
        if (n) line += L'\t';
        line += SourceField(row, n);
    }
    return line;
}

EntryRow EntryRows::Row(size_t row) const {
    EntryRow r = MakeEntryRow(SourceLine(row), Line(row), form_);
    r.mark = Mark(row);
    return r;
}

std::wstring_view EntryRows::Cell(size_t row, int column, std::wstring& scratch) const {
    if (column == 0) return MarkText(Mark(row));
    if (column == 1) return Name(row);
    if (column < 0 || column > 6) return {};
    scratch = Field(row, column - 1);
    return scratch;
}

bool EntryRows::Folder(size_t row) const {
    const Ref& r = rows_[row];
    return r.kind == Kind::Entry || r.kind == Kind::Named ? store_->Folder(r.entry) : true;
}

bool EntryRows::HasDate(size_t row) const {
    const Ref& r = rows_[row];
    return (r.kind == Kind::Entry || r.kind == Kind::Named) && store_->HasDate(r.entry);
}

long long EntryRows::SizeValue(size_t row) const {
    const Ref& r = rows_[row];
    return r.kind == Kind::Entry || r.kind == Kind::Named ? store_->SizeValue(r.entry) : 0;
}

// ---------------------------------------------------------------- rules

void AddToListTotals(RowTotals& totals, const EntryRow& row) {
    totals.size += CommaTextValue(row.size);
    if (!(row.Folder() && (row.Root() || row.Parent()))) ++totals.count;
}

RowTotals ListTotals(const EntryRows& rows) {
    RowTotals totals;
    for (size_t i = 0; i < rows.size(); ++i) {
        totals.size += rows.SizeValue(i);
        if (!(rows.Folder(i) && (rows.Root(i) || rows.Parent(i)))) ++totals.count;
    }
    return totals;
}

bool AnyMarked(const EntryRows& rows) {
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows.Mark(i) == RowMarkState::Marked) return true;
    return false;
}

bool ToggleMark(EntryRows& rows, size_t row) {
    if (rows.Root(row) || rows.Parent(row)) return false;
    rows.SetMark(row, rows.Mark(row) == RowMarkState::Marked ? RowMarkState::Unmarked : RowMarkState::Marked);
    return true;
}

void MarkAllRows(EntryRows& rows, bool withFolders) {
    const bool anyMarked = AnyMarked(rows);
    const RowMarkState to = anyMarked ? RowMarkState::Unmarked : RowMarkState::Marked;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows.Root(i)) continue;
        if (!rows.Folder(i)) {
            rows.SetMark(i, to);
        } else if (!rows.Parent(i)) {
            if (withFolders) {
                rows.SetMark(i, to);
            } else if (rows.Mark(i) == RowMarkState::Marked && anyMarked) {
                rows.SetMark(i, RowMarkState::Unmarked);
            }
        }
    }
}

void ReverseMarks(EntryRows& rows) {
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows.Root(i) || rows.Folder(i)) continue;
        rows.SetMark(i, rows.Mark(i) == RowMarkState::Marked ? RowMarkState::Unmarked : RowMarkState::Marked);
    }
}

RowTotals MarkedTotals(const EntryRows& rows, bool textForm) {
    RowTotals totals;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows.Mark(i) != RowMarkState::Marked) continue;
        const bool folder = rows.Folder(i);
        if (!folder) totals.size += rows.SizeValue(i);
        if (!textForm || !folder) ++totals.count;
    }
    return totals;
}

std::wstring CopyNamesText(const EntryRows& rows, int selectedRow, bool textForm) {
    std::wstring text;
    bool anyMarked = false;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows.Mark(i) != RowMarkState::Marked) continue;
        anyMarked = true;
        if (!textForm && !rows.HasDate(i)) continue;
        text += rows.Name(i);
        text += L"\r\n";
    }
    if (!anyMarked && selectedRow >= 0 && static_cast<size_t>(selectedRow) < rows.size()) {
        const auto row = static_cast<size_t>(selectedRow);
        if (textForm || rows.HasDate(row)) text = std::wstring(rows.Name(row)) + L"\r\n";
    }
    return text;
}

}  // namespace quib
