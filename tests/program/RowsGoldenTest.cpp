// The rows a mid-size archive shows, compared with the rows recorded in
// golden/: every cell of every row in the text form (names decoded both ways)
// and in the filer form in every folder, with the row colours and the totals.
// The listing is built for speed in ways that must never change what a user
// sees; this compares the whole of it at once.
//
// QUIB_RECORD_GOLDEN=1 writes the files instead of comparing (after a change
// that is meant to change the rows).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "FormTestSupport.h"
#include "MainWindowHarness.h"
#include "app/MainMenuTable.h"
#include "util/StrConv.h"

#ifndef QUIB_GOLDEN_DIR
#define QUIB_GOLDEN_DIR ""
#endif

using namespace quibtest;
namespace tag = quib::tag;

namespace {

std::string DumpRows(quib::TFormMain& f, const std::wstring& heading) {
    std::wstring out = L"## " + heading + L"\n";
    const HWND list = f.ListView1();
    const int n = ListRowCount(list);
    for (int r = 0; r < n; ++r) {
        for (int c = 1; c <= 6; ++c) out += ListCellText(list, r, c) + (c < 6 ? L" | " : L"");
        wchar_t color[16];
        swprintf(color, 16, L" #%06lX\n", static_cast<unsigned long>(f.RowTextColor(r)));
        out += color;
    }
    out += L"total " + f.StatusText(1) + L" / " + f.StatusText(2) + L"\n";
    return quib::WideToUtf8(out);
}

// Every folder of the filer form, depth first, entered as a user does.
void WalkFolders(quib::TFormMain& f, std::string& out) {
    out += DumpRows(f, L"filer " + f.StrFilerCurrent);
    std::vector<std::wstring> folders;
    for (int r = 0; r < f.RowCount(); ++r) {
        const std::wstring name = ListCellText(f.ListView1(), r, 1);
        if (ListCellText(f.ListView1(), r, 3) == L" <DIR>" && name != L"<\\>" && name != L"<..>")
            folders.push_back(name);
    }
    for (const std::wstring& name : folders) {
        int row = -1;
        for (int r = 0; r < f.RowCount() && row < 0; ++r)
            if (ListCellText(f.ListView1(), r, 1) == name) row = r;
        ASSERT_GE(row, 0) << quib::WideToUtf8(name);
        const std::wstring before = f.StrFilerCurrent;
        f.EnterFolder(row);
        WalkFolders(f, out);
        f.SelectRow(0, false);
        f.MenuBackSpaceClick();
        ASSERT_EQ(f.StrFilerCurrent, before);
    }
}

std::string ReadAll(const std::string& path) {
    std::string data;
    if (FILE* fp = std::fopen(path.c_str(), "rb")) {
        char buf[65536];
        size_t got;
        while ((got = std::fread(buf, 1, sizeof(buf), fp)) > 0) data.append(buf, got);
        std::fclose(fp);
    }
    return data;
}

void CompareWithGolden(const std::string& name, const std::string& actual) {
    const std::string path = std::string(QUIB_GOLDEN_DIR) + "/" + name;
    const char* record = std::getenv("QUIB_RECORD_GOLDEN");
    if (record && *record == '1') {
        FILE* fp = std::fopen(path.c_str(), "wb");
        ASSERT_NE(fp, nullptr) << path;
        std::fwrite(actual.data(), 1, actual.size(), fp);
        std::fclose(fp);
        return;
    }
    const std::string expected = ReadAll(path);
    ASSERT_FALSE(expected.empty()) << "no recorded rows in " << path;
    if (expected == actual) return;
    // The first line that differs, rather than two megabytes of text.
    size_t pos = 0, line = 1;
    while (pos < expected.size() && pos < actual.size() && expected[pos] == actual[pos]) {
        if (expected[pos] == '\n') ++line;
        ++pos;
    }
    const size_t start = expected.rfind('\n', pos == 0 ? 0 : pos - 1);
    const size_t from = start == std::string::npos ? 0 : start + 1;
    ADD_FAILURE() << name << " differs at line " << line << "\nexpected: "
                  << expected.substr(from, expected.find('\n', from) - from) << "\nactual:   "
                  << actual.substr(from, actual.find('\n', from) - from);
}

std::string GoldenName(const char* what) { return std::string(what) + "-cp" + std::to_string(GetACP()) + ".txt"; }

}  // namespace

TEST(RowsGolden, TextFormRowsOfAMidSizeArchive) {
    MainWindowHarness h;
    auto& f = h.Start();
    h.Command(tag::MenuListText);
    f.OpenChosenFile(ProgramFixture(L"mid.zip"));
    ASSERT_GT(f.RowCount(), 1000);
    std::string out = DumpRows(f, L"text, names in the code page");
    h.Command(tag::MenuEncode);
    f.OpenChosenFile(ProgramFixture(L"mid.zip"));
    out += DumpRows(f, L"text, names as UTF-8");
    CompareWithGolden(GoldenName("mid-text"), out);
}

TEST(RowsGolden, FilerFormRowsInEveryFolderOfAMidSizeArchive) {
    MainWindowHarness h;
    auto& f = h.Start();
    h.Command(tag::MenuListFiler);
    f.OpenChosenFile(ProgramFixture(L"mid.zip"));
    std::string out;
    WalkFolders(f, out);
    CompareWithGolden(GoldenName("mid-filer"), out);
}
