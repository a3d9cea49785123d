// The rows of an entry list as data: a row made from an entry line, the
// archive totals, the mark rules, the marked totals and the names copied.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "util/RowModel.h"

using namespace quib;

namespace {

std::wstring Spaces(size_t n) { return std::wstring(n, L' '); }

// A padded size field as the entry lines carry it.
std::wstring Padded(const std::wstring& commaText) { return Spaces(20 - commaText.size()) + commaText; }

std::wstring Line(const std::wstring& name, const std::wstring& ext, const std::wstring& size, const std::wstring& date,
                  const std::wstring& time, const std::wstring& attr, const std::wstring& method,
                  const std::wstring& full, const std::wstring& packed, const std::wstring& stored) {
    return name + L"\t" + ext + L"\t" + size + L"\t" + date + L"\t" + time + L"\t" + attr + L"\t" + method + L"\t" +
           full + L"\t" + packed + L"\t" + stored;
}

std::wstring FileLine(const std::wstring& name, const std::wstring& commaSize) {
    return Line(name, L".txt", commaSize, L"2024/05/01", L"12:34:56", L"----", L"Deflate", Padded(commaSize),
                Padded(L"10"), L"dir/" + name);
}

// A folder with an entry of its own (it has a date).
std::wstring FolderLine(const std::wstring& name) {
    return Line(name, L"", L" <DIR>", L"2024/05/01", L"12:34:56", L"----", L"", Padded(L"0"), Padded(L"0"),
                L"dir/" + name + L"/");
}

// A folder made up from the paths under it: no date, time, attributes or sizes.
std::wstring MadeUpFolderLine(const std::wstring& name) { return name + L"\t\t <DIR>\t\t\t\t\t\t\t" + name; }

std::wstring HeadLine(const std::wstring& head) { return head + L"\t\t <DIR>\t\t\t\t\t0\t0\t" + head; }

EntryRows Rows(const std::vector<std::wstring>& lines) {
    return EntryRows::FromLines(lines);
}

// Marks as one character per row: '-' blank, '*' marked, 'o' unmarked again.
std::wstring Marks(const EntryRows& rows) {
    std::wstring out;
    for (size_t i = 0; i < rows.size(); ++i)
        out += rows.Mark(i) == RowMarkState::Marked ? L'*': rows.Mark(i) == RowMarkState::Unmarked ? L'o' : L'-';
    return out;
}

void SetMarks(EntryRows& rows, const std::wstring& marks) {
    ASSERT_EQ(marks.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        rows.SetMark(i, marks[i] == L'*'   ? RowMarkState::Marked
                        : marks[i] == L'o' ? RowMarkState::Unmarked
                                           : RowMarkState::Blank);
}

// The rows every mark test uses: root, parent, a folder with an entry, a
// made-up folder, two files.
EntryRows MarkRows() {
    return Rows({HeadLine(L"<\\>"), HeadLine(L"<..>"), FolderLine(L"docs"), MadeUpFolderLine(L"img"),
                 FileLine(L"a.txt", L"100"), FileLine(L"b.txt", L"2,000")});
}

}  // namespace

// ---- a row from an entry line -------------------------------------------------

TEST(EntryRow, EveryFieldOfTheLineHasItsName) {
    const std::wstring line =
        Line(L"docs/a.txt", L".txt", L"1,234,567", L"2024/05/01", L"12:34:56", L"RH-A", L"Deflate",
             Padded(L"1,234,567"), Padded(L"1,000"), L"docs\\a.txt");
    const EntryRow r = MakeEntryRow(line, 42, {});
    EXPECT_EQ(r.name, L"docs/a.txt");
    EXPECT_EQ(r.extension, L".txt");
    EXPECT_EQ(r.sizeText, L"1,234KB");
    EXPECT_EQ(r.date, L"2024/05/01");
    EXPECT_EQ(r.time, L"12:34:56");
    EXPECT_EQ(r.attribute, L"RH-A");
    EXPECT_EQ(r.method, L"Deflate");
    EXPECT_EQ(r.size, Padded(L"1,234,567"));
    EXPECT_EQ(r.packedSize, Padded(L"1,000"));
    EXPECT_EQ(r.storedPath, L"docs\\a.txt");
    EXPECT_EQ(r.line, 42);
    EXPECT_EQ(r.mark, RowMarkState::Blank);
    EXPECT_FALSE(r.Folder());

    // Fields in entry-line order, columns as the list shows them.
    const std::vector<std::wstring> fields = {r.name, r.extension, r.sizeText, r.date, r.time,
                                              r.attribute, r.method, r.size, r.packedSize, r.storedPath};
    for (int n = 0; n < EntryRow::kFieldCount; ++n) EXPECT_EQ(r.Field(n), fields[static_cast<size_t>(n)]) << n;
    EXPECT_EQ(r.Field(-1), L"");
    EXPECT_EQ(r.Field(10), L"");
    const std::vector<std::wstring> columns = {L"", r.name, r.extension, r.sizeText, r.date, r.time, r.attribute};
    for (int c = 0; c < 7; ++c) EXPECT_EQ(r.Column(c), columns[static_cast<size_t>(c)]) << c;
    EXPECT_EQ(r.Column(7), L"");
    EXPECT_EQ(r.Column(-1), L"");
}

TEST(EntryRow, TheSizeColumnFollowsTheSizeSettings) {
    struct Case {
        SizeTextForm form;
        const wchar_t* commaText;
        std::wstring shown;
    } cases[] = {
        {{false, false}, L"1,234,567", L"1,234KB"},
        {{false, false}, L"999", L"    999"},
        {{true, false}, L"1,234,567", Padded(L"1,234,567")},
        {{false, true}, L"1,234,567", L"1,205KB"},
        {{false, true}, L"2,000", L"  2,000"},
        {{true, true}, L" <DIR>", L" <DIR>"},
    };
    for (const auto& c : cases) {
        const EntryRow r = MakeEntryRow(FileLine(L"x.txt", c.commaText), 0, c.form);
        EXPECT_EQ(r.sizeText, c.shown) << c.commaText << " full " << c.form.full << " 1024 " << c.form.unit1024;
        // The padded size is never touched.
        EXPECT_EQ(r.size, Padded(c.commaText));
    }
}

TEST(EntryRow, ShortLinesLeaveTheRestEmptyAndLinesComeBackWhole) {
    const EntryRow shortRow = MakeEntryRow(L"a.txt\t.txt", 0, {});
    EXPECT_EQ(shortRow.name, L"a.txt");
    EXPECT_EQ(shortRow.extension, L".txt");
    EXPECT_EQ(shortRow.sizeText, Spaces(7));  // an empty size, as the size column pads it
    for (int n = 3; n < EntryRow::kFieldCount; ++n) EXPECT_EQ(shortRow.Field(n), L"") << n;

    // Folder rows show their size field as it is.
    for (const std::wstring& line : {FolderLine(L"docs"), MadeUpFolderLine(L"img"), HeadLine(L"<\\>")}) {
        EXPECT_EQ(RowLine(MakeEntryRow(line, 0, {})), line);
    }
    const EntryRow root = MakeEntryRow(HeadLine(L"<\\>"), 0, {});
    EXPECT_TRUE(root.Root() && root.Folder() && !root.Parent());
    const EntryRow parent = MakeEntryRow(HeadLine(L"<..>"), 0, {});
    EXPECT_TRUE(parent.Parent() && parent.Folder() && !parent.Root());
}

TEST(EntryRow, MarkTexts) {
    EXPECT_EQ(MarkText(RowMarkState::Blank), L"");
    EXPECT_EQ(MarkText(RowMarkState::Marked), L"\u25CF");
    EXPECT_EQ(MarkText(RowMarkState::Unmarked), L"\u3000");
    for (RowMarkState s : {RowMarkState::Blank, RowMarkState::Marked, RowMarkState::Unmarked})
        EXPECT_EQ(MarkFromText(MarkText(s)), s);
    EXPECT_EQ(MarkFromText(L"x"), RowMarkState::Unmarked);
}

// ---- the archive totals of a listing -----------------------------------------

TEST(ListTotals, EveryRowButTheRootAndParentFoldersCountsAndEverySizeAdds) {
    struct Case {
        std::vector<std::wstring> lines;
        long long size, count;
    } cases[] = {
        {{}, 0, 0},
        {{HeadLine(L"<\\>")}, 0, 0},
        {{HeadLine(L"<..>"), FileLine(L"a.txt", L"100")}, 100, 1},
        {{HeadLine(L"<\\>"), FolderLine(L"docs"), MadeUpFolderLine(L"img"), FileLine(L"a.txt", L"100"),
          FileLine(L"b.txt", L"1,234,567")},
         1234667, 4},
        // A file that only bears the root's name still counts.
        {{Line(L"<\\>", L"", L"5", L"", L"", L"", L"", L"5", L"5", L"x")}, 5, 1},
    };
    for (const auto& c : cases) {
        const EntryRows rows = Rows(c.lines);
        const RowTotals t = ListTotals(rows);
        EXPECT_EQ(t.size, c.size) << c.lines.size();
        EXPECT_EQ(t.count, c.count) << c.lines.size();
        RowTotals added;
        for (size_t i = 0; i < rows.size(); ++i) AddToListTotals(added, rows.Row(i));
        EXPECT_EQ(added.size, t.size);
        EXPECT_EQ(added.count, t.count);
    }
}

// ---- marks --------------------------------------------------------------------

TEST(Marks, SpaceFlipsEveryRowButTheRootAndTheParent) {
    EntryRows rows = MarkRows();
    const bool changes[] = {false, false, true, true, true, true};
    for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(ToggleMark(rows, i), changes[i]) << i;
    EXPECT_EQ(Marks(rows), L"--****");
    for (size_t i = 0; i < rows.size(); ++i) ToggleMark(rows, i);
    EXPECT_EQ(Marks(rows), L"--oooo");  // unmarked again: no longer blank
    for (size_t i = 0; i < rows.size(); ++i) ToggleMark(rows, i);
    EXPECT_EQ(Marks(rows), L"--****");
}

TEST(Marks, AllFilesAndAllFoldersAndFiles) {
    // Rows: root, parent, folder, made-up folder, file, file.
    struct Case {
        bool withFolders;
        const wchar_t* before;
        const wchar_t* after;
    } cases[] = {
        {false, L"------", L"----**"},
        {false, L"----*-", L"----oo"},
        {false, L"--*---", L"--o-oo"},  // a marked folder is only unmarked
        {false, L"--o---", L"--o-**"},
        {false, L"----oo", L"----**"},  // unmarked again counts as not marked
        {true, L"------", L"--****"},
        {true, L"---*--", L"--oooo"},
        {true, L"--oo--", L"--****"},
        // The root and the parent rows keep whatever they have, and count as marked.
        {true, L"**----", L"**oooo"},
        {false, L"-*----", L"-*--oo"},
    };
    for (const auto& c : cases) {
        EntryRows rows = MarkRows();
        SetMarks(rows, c.before);
        MarkAllRows(rows, c.withFolders);
        EXPECT_EQ(Marks(rows), c.after) << c.before << " with folders " << c.withFolders;
    }
}

TEST(Marks, ReverseFlipsFilesOnly) {
    struct Case {
        const wchar_t* before;
        const wchar_t* after;
    } cases[] = {
        {L"------", L"----**"},
        {L"----*o", L"----o*"},
        {L"--**-*", L"--***o"},  // folders keep their marks
        {L"**----", L"**--**"},
    };
    for (const auto& c : cases) {
        EntryRows rows = MarkRows();
        SetMarks(rows, c.before);
        ReverseMarks(rows);
        EXPECT_EQ(Marks(rows), c.after) << c.before;
    }
}

TEST(Marks, MarkedTotalsCountFoldersOnlyInTheFilerForm) {
    struct Case {
        const wchar_t* marks;
        bool textForm;
        long long size, count;
    } cases[] = {
        {L"------", false, 0, 0},
        {L"--****", false, 2100, 4},
        {L"--****", true, 2100, 2},
        {L"--oo*o", false, 100, 1},
        {L"--**--", false, 0, 2},
        {L"--**--", true, 0, 0},
    };
    EXPECT_FALSE(AnyMarked(MarkRows()));
    for (const auto& c : cases) {
        EntryRows rows = MarkRows();
        SetMarks(rows, c.marks);
        const RowTotals t = MarkedTotals(rows, c.textForm);
        EXPECT_EQ(t.size, c.size) << c.marks << " text " << c.textForm;
        EXPECT_EQ(t.count, c.count) << c.marks << " text " << c.textForm;
    }
}

// ---- the names put on the clipboard ------------------------------------------

TEST(CopyNames, MarkedRowsOrTheSelectedOneAndTheFilerFormLeavesOutRowsWithoutADate) {
    struct Case {
        const wchar_t* marks;
        int selected;
        bool textForm;
        std::wstring text;
    } cases[] = {
        {L"------", 4, false, L"a.txt\r\n"},
        {L"------", 3, false, L""},          // made-up folder
        {L"------", 0, false, L""},          // root
        {L"------", 3, true, L"img\r\n"},
        {L"------", 2, false, L"docs\r\n"},  // a folder with its own entry
        {L"--**-*", 4, false, L"docs\r\nb.txt\r\n"},
        {L"--**-*", 4, true, L"docs\r\nimg\r\nb.txt\r\n"},
        {L"---*--", 4, false, L""},          // something is marked: the selected row does not count
        {L"--o---", 4, false, L"a.txt\r\n"},
        {L"------", -1, false, L""},
        {L"------", 6, false, L""},
    };
    for (const auto& c : cases) {
        EntryRows rows = MarkRows();
        SetMarks(rows, c.marks);
        EXPECT_EQ(CopyNamesText(rows, c.selected, c.textForm), c.text) << c.marks << " row " << c.selected;
    }
}

// ---- the rows read as the parallel lists they replaced --------------------------

TEST(RowLists, FieldsLinesAndMarksOfEveryRow) {
    EntryRows rows = MarkRows();
    SetMarks(rows, L"--*o--");
    const RowFieldLists items(rows);
    EXPECT_EQ(items.size(), 10u);
    EXPECT_EQ(items[9].size(), rows.size());
    EXPECT_EQ(items[9][4], L"dir/a.txt");
    EXPECT_EQ(items[0][3], L"img");
    EXPECT_EQ(items[2][2], L" <DIR>");
    const RowLineList lines(rows);
    EXPECT_EQ(lines.size(), rows.size());
    // The line carries the size as the size column shows it.
    EXPECT_EQ(lines[4], Line(L"a.txt", L".txt", L"    100", L"2024/05/01", L"12:34:56", L"----", L"Deflate",
                             Padded(L"100"), Padded(L"10"), L"dir/a.txt"));
    const RowMarkList marks(rows);
    EXPECT_EQ(marks[2], L"\u25CF");
    EXPECT_EQ(marks[3], L"\u3000");
    EXPECT_EQ(marks[4], L"");
    // The views follow the rows.
    rows = Rows({HeadLine(L"<\\>"), HeadLine(L"<..>"), FolderLine(L"docs"), MadeUpFolderLine(L"img"),
                 FileLine(L"a.txt", L"100")});
    EXPECT_EQ(items[0].size(), 5u);
    EXPECT_FALSE(lines.empty());
}
