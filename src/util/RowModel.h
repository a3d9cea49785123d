#pragma once
// The rows of a list of archive entries as data: one struct per row with
// named fields, and the rules every such list follows (marks, totals, the
// names put on the clipboard) as plain functions. Nothing here touches a
// window: the list control shows the rows, the window that owns them decides
// when a rule runs.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quib {

// A row starts with a blank mark column; a row unmarked again shows an
// ideographic space, so the two unmarked looks are kept apart.
enum class RowMarkState : std::uint8_t { Blank, Marked, Unmarked };

const std::wstring& MarkText(RowMarkState state);  // "", "●", "　"
// "●" is marked, "" blank, any other text unmarked.
RowMarkState MarkFromText(const std::wstring& text);

// The size text of a folder row.
inline const wchar_t kFolderSizeText[] = L" <DIR>";

struct EntryRow {
    RowMarkState mark = RowMarkState::Blank;
    std::wstring name;        // the path or name shown; "<\>" and "<..>" for the root and parent rows
    std::wstring extension;
    std::wstring sizeText;    // as the size column shows it; " <DIR>" for folders
    std::wstring date;        // empty for folders the archive has no entry of
    std::wstring time;
    std::wstring attribute;   // attribute letters, or a Susie plug-in's position
    std::wstring method;
    std::wstring size;        // the size in 20 characters
    std::wstring packedSize;  // in 20 characters
    std::wstring storedPath;  // the path as the archive stores it
    int line = -1;            // index of the entry line the row was made from

    static constexpr int kFieldCount = 10;
    // The fields in the order of an entry line (0 name .. 9 stored path);
    // empty for any other number.
    const std::wstring& Field(int n) const;
    // The list's columns: 0 mark, 1 name, 2 extension, 3 size, 4 date,
    // 5 time, 6 attribute; empty for any other number.
    const std::wstring& Column(int column) const;
    bool Folder() const { return sizeText == kFolderSizeText; }
    bool Root() const { return name == L"<\\>"; }
    bool Parent() const { return name == L"<..>"; }
};

using EntryRows = std::vector<EntryRow>;

// How the size column shows sizes (the FileSizeLength and FileSize settings).
struct SizeTextForm {
    bool full = false;
    bool unit1024 = false;
};

// A row from an entry line (a line with fewer fields leaves the rest empty).
EntryRow MakeEntryRow(const std::wstring& line, int lineIndex, SizeTextForm form);

// The ten fields joined by tabs, as the row would be written as an entry line
// again (with the size column's text as field 2).
std::wstring RowLine(const EntryRow& row);

struct RowTotals {
    long long size = 0;
    long long count = 0;
};

// What a listing shows as the archive's totals: the size of every row, and
// one file for every row but the root and parent folder rows.
void AddToListTotals(RowTotals& totals, const EntryRow& row);
RowTotals ListTotals(const EntryRows& rows);

// --- marks
bool AnyMarked(const EntryRows& rows);
// Space on a row: any row but the root and parent rows changes between marked
// and unmarked. False when the row cannot be marked.
bool ToggleMark(EntryRow& row);
// All files (and with folders all folders but the parent row) are marked;
// when any row was marked they are unmarked instead, and without folders a
// marked folder is only ever unmarked. The root row is left alone.
void MarkAllRows(EntryRows& rows, bool withFolders);
// Every file changes between marked and unmarked; folders and the root row
// are left alone.
void ReverseMarks(EntryRows& rows);
// The marked rows' size (files only) and count. The text form counts only
// files, the filer form folders too.
RowTotals MarkedTotals(const EntryRows& rows, bool textForm);

// The names put on the clipboard: the marked rows' names, each followed by
// CR LF, or the selected row's when none is marked. The filer form leaves out
// rows without a date (the root, the parent and folders made up from paths).
std::wstring CopyNamesText(const EntryRows& rows, int selectedRow, bool textForm);

// --- the rows read as the parallel lists they replaced

// One field of every row: list[row] is Field(field) of that row.
class RowFieldList {
public:
    RowFieldList(const EntryRows& rows, int field) : rows_(&rows), field_(field) {}
    const std::wstring& operator[](size_t row) const { return (*rows_)[row].Field(field_); }
    size_t size() const { return rows_->size(); }
    bool empty() const { return rows_->empty(); }

private:
    const EntryRows* rows_;
    int field_;
};

// Every field of every row: lists[field][row].
class RowFieldLists {
public:
    explicit RowFieldLists(const EntryRows& rows) : rows_(&rows) {}
    RowFieldList operator[](size_t field) const { return RowFieldList(*rows_, static_cast<int>(field)); }
    static constexpr size_t size() { return EntryRow::kFieldCount; }

private:
    const EntryRows* rows_;
};

// Every row's line (RowLine), made when asked for.
class RowLineList {
public:
    explicit RowLineList(const EntryRows& rows) : rows_(&rows) {}
    std::wstring operator[](size_t row) const { return RowLine((*rows_)[row]); }
    size_t size() const { return rows_->size(); }
    bool empty() const { return rows_->empty(); }

private:
    const EntryRows* rows_;
};

// Every row's mark text.
class RowMarkList {
public:
    explicit RowMarkList(const EntryRows& rows) : rows_(&rows) {}
    const std::wstring& operator[](size_t row) const { return MarkText((*rows_)[row].mark); }
    size_t size() const { return rows_->size(); }
    bool empty() const { return rows_->empty(); }

private:
    const EntryRows* rows_;
};

}  // namespace quib
