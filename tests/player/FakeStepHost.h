#pragma once
// The main window's list as a stepping viewer sees it, made of files in a
// folder of the test's own.
#include <string>
#include <vector>

#include "viewers/ViewerHost.h"

namespace quibtest {

// Rows are files in a folder; fetching a row gives its file.
class FakeStepHost : public quib::ArchiveStepHost {
public:
    std::vector<std::wstring> files;  // full paths, one per row; empty: a row without a file
    int current = 0;
    bool japanese = true;
    bool listsArchive = true;
    std::vector<bool> marks;
    std::vector<std::wstring> markedAtOpening;
    int fetches = 0;
    int markRefreshes = 0;

    std::wstring FirstFile() const override { return files.at(static_cast<size_t>(current)); }
    bool Japanese() const override { return japanese; }
    bool ListsArchive() const override { return listsArchive; }
    int RowCount() const override { return static_cast<int>(files.size()); }
    int CurrentRow() const override { return current; }
    void SelectRow(int row) override { current = row; }
    std::wstring StoredPath(int row) const override {
        const std::wstring& f = files.at(static_cast<size_t>(row));
        return f.empty() ? f : f.substr(f.find_last_of(L'\\') + 1);
    }
    bool MarkableRow(int row) const override { return !files.at(static_cast<size_t>(row)).empty(); }
    bool RowMarked(int row) const override {
        return marks.size() > static_cast<size_t>(row) && marks[static_cast<size_t>(row)];
    }
    void SetRowMarked(int row, bool m) override {
        marks.resize(files.size());
        marks[static_cast<size_t>(row)] = m;
        ++markRefreshes;
    }
    std::vector<std::wstring> MarkedAtOpening() const override { return markedAtOpening; }
    std::wstring FetchRow(int row, HWND) override {
        ++fetches;
        return files.at(static_cast<size_t>(row));
    }
};

}  // namespace quibtest
