#include "util/RowModel.h"

#include "app/EntryView.h"
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

void AddToListTotals(RowTotals& totals, const EntryRow& row) {
    totals.size += CommaTextValue(row.size);
    if (!(row.Folder() && (row.Root() || row.Parent()))) ++totals.count;
}

RowTotals ListTotals(const EntryRows& rows) {
    RowTotals totals;
    for (const EntryRow& row : rows) AddToListTotals(totals, row);
    return totals;
}

bool AnyMarked(const EntryRows& rows) {
    for (const EntryRow& row : rows)
        if (row.mark == RowMarkState::Marked) return true;
    return false;
}

bool ToggleMark(EntryRow& row) {
    if (row.Root() || row.Parent()) return false;
    row.mark = row.mark == RowMarkState::Marked ? RowMarkState::Unmarked : RowMarkState::Marked;
    return true;
}

void MarkAllRows(EntryRows& rows, bool withFolders) {
    const bool anyMarked = AnyMarked(rows);
    const RowMarkState to = anyMarked ? RowMarkState::Unmarked : RowMarkState::Marked;
    for (EntryRow& row : rows) {
        if (row.Root()) continue;
        if (!row.Folder()) {
            row.mark = to;
        } else if (!row.Parent()) {
            if (withFolders) {
                row.mark = to;
            } else if (row.mark == RowMarkState::Marked && anyMarked) {
                row.mark = RowMarkState::Unmarked;
            }
        }
    }
}

void ReverseMarks(EntryRows& rows) {
    for (EntryRow& row : rows) {
        if (row.Root() || row.Folder()) continue;
        row.mark = row.mark == RowMarkState::Marked ? RowMarkState::Unmarked : RowMarkState::Marked;
    }
}

RowTotals MarkedTotals(const EntryRows& rows, bool textForm) {
    RowTotals totals;
    for (const EntryRow& row : rows) {
        if (row.mark != RowMarkState::Marked) continue;
        const bool folder = row.Folder();
        if (!folder) totals.size += CommaTextValue(row.size);
        if (!textForm || !folder) ++totals.count;
    }
    return totals;
}

std::wstring CopyNamesText(const EntryRows& rows, int selectedRow, bool textForm) {
    std::wstring text;
    bool anyMarked = false;
    for (const EntryRow& row : rows) {
        if (row.mark != RowMarkState::Marked) continue;
        anyMarked = true;
        if (!textForm && row.date.empty()) continue;
        text += row.name + L"\r\n";
    }
    if (!anyMarked && selectedRow >= 0 && static_cast<size_t>(selectedRow) < rows.size()) {
        const EntryRow& row = rows[static_cast<size_t>(selectedRow)];
        if (textForm || !row.date.empty()) text = row.name + L"\r\n";
    }
    return text;
}

}  // namespace quib
