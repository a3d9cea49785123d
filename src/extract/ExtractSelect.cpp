#include "extract/ExtractSelect.h"

#include "extract/ExtractPaths.h"

namespace quib {

SelectedEntry RowEntry(const EntryRows& rows, const EntryLines& lines, size_t row) {
    SelectedEntry e;
    e.shownPath = rows.StoredPath(row);
    e.folder = rows.Folder(row);
    const int line = rows.Line(row);
    // Rows made from lines of their own (tests, lists made elsewhere) carry
    // the path they show.
    if (line >= 0 && static_cast<size_t>(line) < lines.size() && lines.Store().Field(lines.Entry(static_cast<size_t>(line)), 9) == e.shownPath)
        e.dllPath = lines.Store().PathAnsi(lines.Entry(static_cast<size_t>(line)));
    else
        e.dllPath = e.shownPath;
    return e;
}

std::vector<SelectedEntry> EntriesInside(const EntryLines& lines, const std::wstring& currentFolder,
                                         const std::wstring& folderName) {
    std::vector<SelectedEntry> out;
    if (lines.empty()) return out;
    const EntryStore& store = lines.Store();
    for (size_t i = 0; i < lines.size(); ++i) {
        const uint32_t entry = lines.Entry(i);
        const std::wstring shown = store.Field(entry, 9);
        if (!InsideFolder(shown, currentFolder, folderName)) continue;
        out.push_back({store.PathAnsi(entry), shown, store.Folder(entry)});
    }
    return out;
}

namespace {
void AddRow(const EntryRows& rows, const EntryLines& lines, size_t r, bool textForm, const std::wstring& current,
            std::vector<SelectedEntry>& out) {
    if (!textForm && rows.Folder(r)) {
        const auto inside = EntriesInside(lines, current, std::wstring(rows.Name(r)));
        out.insert(out.end(), inside.begin(), inside.end());
    } else {
        out.push_back(RowEntry(rows, lines, r));
    }
}
}  // namespace

std::vector<SelectedEntry> ExtractSelection(const EntryRows& rows, const EntryLines& lines, int focusedRow,
                                            bool textForm, const std::wstring& currentFolder,
                                            SelectionRefusal& refusal) {
    refusal = SelectionRefusal::None;
    std::vector<SelectedEntry> out;
    const std::vector<size_t> marked = MarkedRows(rows);
    for (size_t r : marked) AddRow(rows, lines, r, textForm, currentFolder, out);
    if (!marked.empty()) return out;
    if (focusedRow < 0 || static_cast<size_t>(focusedRow) >= rows.size()) {
        refusal = SelectionRefusal::NoFocus;
        return out;
    }
    const auto r = static_cast<size_t>(focusedRow);
    if (rows.Root(r)) {
        refusal = SelectionRefusal::RootFocused;
        return out;
    }
    // The parent row names no entry: it selects nothing.
    if (rows.Parent(r)) return out;
    AddRow(rows, lines, r, textForm, currentFolder, out);
    return out;
}

std::vector<size_t> MarkedRows(const EntryRows& rows) {
    std::vector<size_t> out;
    for (size_t r = 0; r < rows.size(); ++r)
        if (rows.Mark(r) == RowMarkState::Marked) out.push_back(r);
    return out;
}

StringList DllPaths(const std::vector<SelectedEntry>& entries) {
    StringList out;
    for (const auto& e : entries) out.push_back(e.dllPath);
    return out;
}

StringList ShownPaths(const std::vector<SelectedEntry>& entries) {
    StringList out;
    for (const auto& e : entries) out.push_back(e.shownPath);
    return out;
}

}  // namespace quib
