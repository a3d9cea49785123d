#pragma once
// The main window seen by a built-in viewer that steps through the open
// archive: its list, marks and temporary extraction. Each viewer's host adds
// what is its own on top of this.
#include <string>
#include <vector>

#include "app/FormMain.h"
#include "extract/ExtractSelect.h"

namespace quib {

// The file an entry becomes in the temporary folder.
std::wstring TempFileOf(const std::wstring& base, const SelectedEntry& e);

// The parts every stepping viewer's host shares, as free functions over the
// main window.
std::wstring MainStoredPath(const TFormMain& f, int row);
bool MainMarkableRow(const TFormMain& f, int row);
// Sets or clears the row's mark and refreshes the main window's totals.
void MainSetRowMarked(TFormMain& f, int row, bool marked);
// Brings the row's entry into the temporary folder, telling the user (over
// the viewer) why when it cannot; remembers it in StrExtractFolderFileName.
std::wstring MainFetchRow(TFormMain& f, int row, HWND viewer);

template <class HostInterface>
class MainStepHost : public HostInterface {
public:
    explicit MainStepHost(TFormMain& f) : f_(f) {}

    std::wstring FirstFile() const override { return f_.StrExtractFolderFileName; }
    bool Japanese() const override { return f_.BoolJapanese; }
    bool Developer() const override { return f_.BoolDeveloper; }
    int RowCount() const override { return f_.RowCount(); }
    int CurrentRow() const override { return f_.SelectedRow(); }
    void SelectRow(int row) override { f_.SelectRow(row, true); }
    std::wstring StoredPath(int row) const override { return MainStoredPath(f_, row); }
    bool MarkableRow(int row) const override { return MainMarkableRow(f_, row); }
    bool RowMarked(int row) const override { return f_.RowMark(row) == L"●"; }
    void SetRowMarked(int row, bool marked) override { MainSetRowMarked(f_, row, marked); }
    std::vector<std::wstring> MarkedAtOpening() const override { return f_.StrListBultInMarkFile; }
    std::wstring FetchRow(int row, HWND viewer) override { return MainFetchRow(f_, row, viewer); }

protected:
    TFormMain& f_;
};

}  // namespace quib
