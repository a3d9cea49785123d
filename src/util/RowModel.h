#pragma once
// The rows of a list of archive entries as data: one struct per row with
// named fields, and the rules every such list follows (marks, totals, the
// names put on the clipboard) as plain functions. Nothing here touches a
// window: the list control shows the rows, the window that owns them decides
// when a rule runs.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quib {

class EntryStore;

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

// The rows a list shows, kept small: each row names an entry of the listing's
// store and which part of it the row shows, and the texts are made when a
// row is drawn or asked for. A list of a quarter million rows is a few
// megabytes, built without a string per field.
class EntryRows {
public:
    EntryRows() = default;
    // Rows of the entries of store; the size column as form says.
    void Reset(std::shared_ptr<const EntryStore> store, SizeTextForm form);
    void Clear();
    // Rows of plain lines, one each, in the order given.
    static EntryRows FromLines(const std::vector<std::wstring>& lines, SizeTextForm form = {});

    // --- building (line: the index of the entry line the row is made from)
    // The entry's whole line.
    void AddEntry(uint32_t entry, int line);
    // The filer form's row of an entry: the name is the part of the entry's
    // field 0 at [nameStart, nameStart + nameLength); the other fields are the entry's.
    void AddNamed(uint32_t entry, uint32_t nameStart, uint32_t nameLength, int line);
    // A folder known only through paths under it: the name (part of the
    // entry's field 0) as fields 0 and 9, " <DIR>" as size, nothing else.
    void AddMadeUpFolder(uint32_t entry, uint32_t nameStart, uint32_t nameLength, int line);
    // The filer form's first row, "<\>" at the top folder, else "<..>".
    void AddHead(bool root, int line);
    void Reserve(size_t rows) { rows_.reserve(rows); }
    // Orders rows [from, to) by name with StrCmpLogicalW (stable).
    void SortByNameLogical(size_t from, size_t to);

    size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }

    // --- reading
    EntryRow Row(size_t row) const;
    // Field n of the row's line (2: the size column's text); empty beyond.
    std::wstring Field(size_t row, int n) const;
    // Field 2 as the entry line has it.
    std::wstring SourceField(size_t row, int n) const;
    // The row's line with field 2 as the entry line has it.
    std::wstring SourceLine(size_t row) const;
    std::wstring_view Name(size_t row) const;
    std::wstring StoredPath(size_t row) const { return Field(row, 9); }
    // The text of a column (0 mark, 1 name .. 6 attribute) as a view into
    // scratch or into the store, valid until the next call with scratch.
    std::wstring_view Cell(size_t row, int column, std::wstring& scratch) const;
    bool Folder(size_t row) const;
    bool Root(size_t row) const { return Name(row) == L"<\\>"; }
    bool Parent(size_t row) const { return Name(row) == L"<..>"; }
    bool HasDate(size_t row) const;
    long long SizeValue(size_t row) const;
    int Line(size_t row) const { return static_cast<int>(rows_[row].line); }
    RowMarkState Mark(size_t row) const { return rows_[row].mark; }
    void SetMark(size_t row, RowMarkState mark) { rows_[row].mark = mark; }

private:
    enum class Kind : uint8_t { Entry, Named, MadeUp, Root, Parent };
    struct Ref {
        uint32_t entry = 0;
        uint32_t line = 0;
        uint32_t nameStart = 0;
        uint32_t nameLength = 0;
        Kind kind = Kind::Entry;
        RowMarkState mark = RowMarkState::Blank;
    };
    std::shared_ptr<const EntryStore> store_;
    SizeTextForm form_;
    std::vector<Ref> rows_;
};

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
bool ToggleMark(EntryRows& rows, size_t row);
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
    std::wstring operator[](size_t row) const { return rows_->Field(row, field_); }
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
    std::wstring operator[](size_t row) const { return RowLine(rows_->Row(row)); }
    size_t size() const { return rows_->size(); }
    bool empty() const { return rows_->empty(); }

private:
    const EntryRows* rows_;
};

// Every row's line as its entry line has it (SourceLine).
class RowSourceLineList {
public:
    explicit RowSourceLineList(const EntryRows& rows) : rows_(&rows) {}
    std::wstring operator[](size_t row) const { return rows_->SourceLine(row); }
    size_t size() const { return rows_->size(); }
    bool empty() const { return rows_->empty(); }

private:
    const EntryRows* rows_;
};

// Every row's mark text.
class RowMarkList {
public:
    explicit RowMarkList(const EntryRows& rows) : rows_(&rows) {}
    const std::wstring& operator[](size_t row) const { return MarkText(rows_->Mark(row)); }
    size_t size() const { return rows_->size(); }
    bool empty() const { return rows_->empty(); }

private:
    const EntryRows* rows_;
};

}  // namespace quib
