// Listing benchmark: opens big zip archives in the real main window and prints
// the time of each step of an open (DLL enumeration, level ordering, rows,
// first paint, the whole open, entering and leaving folders) and the memory
// the process needed. It prints figures only; nothing is checked.
//
//   bench_listing.exe ARCHIVE [--enter=a/b/c] [--reps=N] [ARCHIVE [--enter=...]] ...
//   bench_listing.exe --memory ARCHIVE
//
// --enter names the folder path walked into (one level at a time) and back
// out of in the filer form; --reps how often each timed step runs (default 3).
// --memory opens the one archive as a program start does and prints the
// memory of the process (one archive per process, so the peak is its own).
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "ProgramHost.h"
#include "app/Application.h"
#include "app/EntryView.h"
#include "app/FormMain.h"
#include "app/MainMenuTable.h"
#include "archive/Archive.h"
#include "archive/ArchiveKind.h"
#include "archive/EntryModel.h"
#include "util/MyUtility.h"
#include "util/StrConv.h"

#ifndef QUIB_BENCH_BIN_DIR
#define QUIB_BENCH_BIN_DIR ""
#endif

namespace {

namespace tag = quib::tag;
using quibbench::ProgramHost;

std::string U8(const std::wstring& w) { return quib::WideToUtf8(w); }

double Now() {
    static const double freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / freq;
}

struct Memory {
    double workingSet = 0, peakWorkingSet = 0, privateBytes = 0;  // MB
};

Memory ReadMemory() {
    PROCESS_MEMORY_COUNTERS_EX pmc{};
    pmc.cb = sizeof(pmc);
    Memory m;
    if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof(pmc))) {
        constexpr double mb = 1024.0 * 1024.0;
        m.workingSet = static_cast<double>(pmc.WorkingSetSize) / mb;
        m.peakWorkingSet = static_cast<double>(pmc.PeakWorkingSetSize) / mb;
        // Private commit; Wine fills PagefileUsage but not PrivateUsage.
        m.privateBytes = static_cast<double>(pmc.PagefileUsage) / mb;
    }
    return m;
}

// One printed line: a step and its times, or a memory figure.
struct Row {
    std::string label;
    std::vector<double> seconds;
    std::string note;
};

class Table {
public:
    explicit Table(std::string title) : title_(std::move(title)) {}
    Row& Add(const std::string& label) {
        rows_.push_back({label, {}, {}});
        return rows_.back();
    }
    // The steps in order, then the diagnosis rows (labels starting "d ").
    void Print() const {
        std::printf("\n== %s\n", title_.c_str());
        std::printf("%-52s %9s %9s\n", "step", "min s", "median s");
        for (const Row& r : rows_)
            if (!r.label.starts_with("d ")) PrintRow(r);
        bool header = false;
        for (const Row& r : rows_) {
            if (!r.label.starts_with("d ")) continue;
            if (!header) std::printf("-- diagnosis\n");
            header = true;
            PrintRow(r);
        }
        std::fflush(stdout);
    }

private:
    static void PrintRow(const Row& r) {
        if (r.seconds.empty()) {
            std::printf("%-52s %9s %9s  %s\n", r.label.c_str(), "", "", r.note.c_str());
            return;
        }
        std::vector<double> s = r.seconds;
        std::sort(s.begin(), s.end());
        const size_t n = s.size();
        const double median = n % 2 ? s[n / 2] : (s[n / 2 - 1] + s[n / 2]) / 2;
        std::printf("%-52s %9.3f %9.3f  %s\n", r.label.c_str(), s.front(), median, r.note.c_str());
    }

    std::string title_;
    std::deque<Row> rows_;  // references to rows stay valid as rows are added
};

void Progress(const char* fmt, const std::string& a, double value) {
    std::printf(fmt, a.c_str(), value);
    std::fflush(stdout);
}

std::string Count(size_t n) {
    std::string digits = std::to_string(n), out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

std::string Mb(double v) {
    char buf[64];
    std::snprintf(buf, sizeof(buf), "%.1f MB", v);
    return buf;
}

struct Enumerated {
    std::vector<std::wstring> lines;
    std::vector<std::wstring> paths;
};

// The listing's DLL loop: OpenArchive, FindFirst/FindNext with one entry line
// per record, CloseArchive.
// buildLines false: the DLL calls alone (diagnosis), nothing kept.
Enumerated Enumerate(HWND owner, const std::wstring& archive, const std::wstring& dllFolder, bool buildLines = true) {
    const quib::ArchiveFamily family = quib::ArchiveFamilyOfPath(archive, 0);
    Enumerated out;
    if (family == quib::ArchiveFamily::None) return out;
    quib::SetDllFolder(dllFolder);
    const quib::DateTimeSeparators sep = quib::LocaleDateTimeSeparators();
    const quib::HARC arc =
        quib::ArchiveOpenArchive(family, owner, quib::WideToAnsi(archive), quib::ArchiveOpenModeFlags(family));
    if (!arc) return out;
    quib::TArchiveEntryInfo info{};
    int found = quib::ArchiveFindFirst(family, arc, "*.*", &info);
    while (found == 0 && !buildLines) found = quib::ArchiveFindNext(family, arc, &info);
    while (found == 0) {
        quib::ArchiveEntryLine entry = quib::BuildArchiveEntryLine(info, false, sep);
        out.paths.push_back(std::move(entry.pathAnsi));
        out.lines.push_back(std::move(entry.line));
        found = quib::ArchiveFindNext(family, arc, &info);
    }
    quib::ArchiveCloseArchive(family, arc);
    return out;
}

// Paints the whole list now (the rows step may already have painted what it
// invalidated while it let messages run, so the list is invalidated again).
void PaintList(HWND list) { RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }

void UseTextForm(quib::TFormMain& f, bool text) {
    f.SetMenuChecked(tag::MenuListText, text);
    f.SetMenuChecked(tag::MenuListFiler, !text);
    if (!text) f.StrFilerCurrent = L"/";
}

int FindFolderRow(const quib::TFormMain& f, const std::wstring& name) {
    for (int r = 0; r < f.RowCount(); ++r) {
        if (f.RowText(r, 1) == name && f.RowText(r, 3) == L" <DIR>") return r;
    }
    return -1;
}

std::vector<std::wstring> SplitPath(const std::wstring& path) {
    std::vector<std::wstring> parts;
    std::wstring cur;
    for (wchar_t c : path) {
        if (c == L'/' || c == L'\\') {
            if (!cur.empty()) parts.push_back(cur);
            cur.clear();
        } else {
            cur.push_back(c);
        }
    }
    if (!cur.empty()) parts.push_back(cur);
    return parts;
}

// Walks into the folders one level at a time in the filer form and back out,
// reps times, timing every EnterFolder and MenuBackSpaceClick.
void WalkFolders(ProgramHost& host, const std::vector<std::wstring>& folders, int reps, const std::string& prefix,
                 Table& table) {
    quib::TFormMain& f = host.Form();
    HWND list = f.ListView1();
    UseTextForm(f, false);
    f.SetItemNewListArchive();
    host.Pump();
    std::vector<Row*> enterRows, leaveRows;
    std::wstring walked = L"/";
    for (const auto& folder : folders) {
        walked += folder + L"/";
        enterRows.push_back(&table.Add(prefix + "enter " + U8(walked)));
    }
    for (size_t k = folders.size(); k-- > 0;) {
        std::wstring from = L"/";
        for (size_t j = 0; j <= k; ++j) from += folders[j] + L"/";
        leaveRows.push_back(&table.Add(prefix + "leave " + U8(from)));
    }
    for (int i = 0; i < reps; ++i) {
        for (size_t k = 0; k < folders.size(); ++k) {
            const int row = FindFolderRow(f, folders[k]);
            if (row < 0) {
                std::printf("  folder %s not found in %s\n", U8(folders[k]).c_str(), U8(f.StrFilerCurrent).c_str());
                return;
            }
            const double t0 = Now();
            f.EnterFolder(row);
            enterRows[k]->seconds.push_back(Now() - t0);
            enterRows[k]->note = Count(f.RowCount()) + " rows";
            UpdateWindow(list);
            host.Pump();
            Progress("  %s: enter %.3f s\n", U8(f.StrFilerCurrent), enterRows[k]->seconds.back());
        }
        for (size_t k = 0; k < folders.size(); ++k) {
            const double t0 = Now();
            f.MenuBackSpaceClick();
            leaveRows[k]->seconds.push_back(Now() - t0);
            leaveRows[k]->note = "to " + U8(f.StrFilerCurrent) + ", " + Count(f.RowCount()) + " rows";
            UpdateWindow(list);
            host.Pump();
            Progress("  %s: leave %.3f s\n", U8(f.StrFilerCurrent), leaveRows[k]->seconds.back());
        }
    }
}

struct Job {
    std::wstring archive;
    std::wstring enter;
};

void BenchArchive(const Job& job, int reps, const std::wstring& binFolder) {
    const std::wstring& path = job.archive;
    const std::string name = U8(path.substr(path.find_last_of(L"\\/") + 1));
    Table table(name);
    std::printf("\n-- %s\n", U8(path).c_str());
    std::fflush(stdout);
    const Memory before = ReadMemory();

    {
        ProgramHost host(binFolder);
        host.Setting(L"ListText", L"Enabled", L"0");
        host.Setting(L"ListFiler", L"Enabled", L"1");
        quib::TFormMain& f = host.Start();
        host.Pump(50);
        HWND list = f.ListView1();

        // 1. DLL enumeration (the DLL is loaded by the first round).
        Row& enumRow = table.Add("1 DLL enumeration + entry lines");
        Enumerated data;
        for (int i = 0; i < reps; ++i) {
            data = Enumerated{};
            const double t0 = Now();
            data = Enumerate(f.Handle(), path, host.Folder() + L"\\");
            enumRow.seconds.push_back(Now() - t0);
            Progress("  %s: enumeration %.3f s\n", name, enumRow.seconds.back());
        }
        enumRow.note = Count(data.lines.size()) + " records";
        if (data.lines.empty()) {
            std::printf("  no entries: is the archive there and the DLL beside the program?\n");
            return;
        }

        // 2. Level ordering.
        Row& orderRow = table.Add("2 level ordering (OrderEntryLinesByLevel)");
        size_t ordered = 0;
        for (int i = 0; i < reps; ++i) {
            std::vector<std::wstring> copy = data.lines;
            const double t0 = Now();
            std::vector<std::wstring> out = quib::OrderEntryLinesByLevel(std::move(copy));
            orderRow.seconds.push_back(Now() - t0);
            ordered = out.size();
            Progress("  %s: ordering %.3f s\n", name, orderRow.seconds.back());
        }
        orderRow.note = Count(ordered) + " lines";
        data = Enumerated{};

        // 5. The whole open as the open dialog does it, filer form.
        Row& openFiler = table.Add("5 open, filer form (OpenChosenFile)");
        Row& openFilerPaint = table.Add("5 open + first paint, filer form");
        for (int i = 0; i < reps; ++i) {
            UseTextForm(f, false);
            const double t0 = Now();
            f.OpenChosenFile(path);
            const double t1 = Now();
            UpdateWindow(list);
            const double t2 = Now();
            openFiler.seconds.push_back(t1 - t0);
            openFilerPaint.seconds.push_back(t2 - t0);
            host.Pump();
            Progress("  %s: open (filer) %.3f s\n", name, t1 - t0);
        }
        openFiler.note = Count(f.StrListArchiveDirFile.size()) + " entry lines, " + Count(f.RowCount()) + " rows";
        const Memory afterOpen = ReadMemory();

        // 3 and 4. Rows and first paint, filer form at the top folder.
        Row& rowsFiler = table.Add("3 rows, filer form, top folder");
        Row& paintFiler = table.Add("4 first paint after rows, filer form");
        for (int i = 0; i < reps; ++i) {
            UseTextForm(f, false);
            const double t0 = Now();
            f.SetItemNewListArchive();
            const double t1 = Now();
            PaintList(list);
            const double t2 = Now();
            rowsFiler.seconds.push_back(t1 - t0);
            paintFiler.seconds.push_back(t2 - t1);
            host.Pump();
        }
        rowsFiler.note = Count(f.RowCount()) + " rows";

        // 3 and 4 again in the text form: one row per entry line.
        Row& rowsText = table.Add("3 rows, text form");
        Row& paintText = table.Add("4 first paint after rows, text form");
        for (int i = 0; i < reps; ++i) {
            UseTextForm(f, true);
            const double t0 = Now();
            f.SetItemNewListArchive();
            const double t1 = Now();
            PaintList(list);
            const double t2 = Now();
            rowsText.seconds.push_back(t1 - t0);
            paintText.seconds.push_back(t2 - t1);
            host.Pump();
            Progress("  %s: rows (text) %.3f s\n", name, t1 - t0);
        }
        rowsText.note = Count(f.RowCount()) + " rows";
        const Memory afterText = ReadMemory();

        Row& openText = table.Add("5 open, text form (OpenChosenFile)");
        Row& openTextPaint = table.Add("5 open + first paint, text form");
        for (int i = 0; i < reps; ++i) {
            UseTextForm(f, true);
            const double t0 = Now();
            f.OpenChosenFile(path);
            const double t1 = Now();
            UpdateWindow(list);
            const double t2 = Now();
            openText.seconds.push_back(t1 - t0);
            openTextPaint.seconds.push_back(t2 - t0);
            host.Pump();
            Progress("  %s: open (text) %.3f s\n", name, t1 - t0);
        }

        // 6. Entering folders and leaving them in the filer form.
        const std::vector<std::wstring> folders = SplitPath(job.enter);
        if (!folders.empty()) WalkFolders(host, folders, reps, "6 ", table);

        const Memory afterWalk = ReadMemory();
        table.Add("7 working set after open, filer form").note = Mb(afterOpen.workingSet);
        table.Add("7 working set after rows, text form").note = Mb(afterText.workingSet);
        table.Add("7 private bytes after rows, text form").note = Mb(afterText.privateBytes);
        table.Add("7 working set at the end, filer form").note = Mb(afterWalk.workingSet);

        // Diagnosis: what the message pump run for every entry line costs.
        // The program runs Application().ProcessMessages() from
        // StringToCsvList, which the rows call once per line; an empty pump
        // still asks the server for messages every time.
        Row& pumpRow = table.Add("d empty message pump, 10,000 calls");
        for (int i = 0; i < reps; ++i) {
            const double t0 = Now();
            for (int k = 0; k < 10000; ++k) quib::Application().ProcessMessages();
            pumpRow.seconds.push_back(Now() - t0);
        }
        pumpRow.note = "seconds for 10,000 calls (x100 = microseconds per call)";
        Row& dllOnly = table.Add("d DLL enumeration alone (no entry lines)");
        for (int i = 0; i < reps; ++i) {
            const double t0 = Now();
            Enumerate(f.Handle(), path, host.Folder() + L"\\", false);
            dllOnly.seconds.push_back(Now() - t0);
        }
        // The folder view alone (no rows), at the top and in the deepest folder walked into.
        std::vector<std::wstring> views = {L"/"};
        if (!folders.empty()) {
            std::wstring deepest = L"/";
            for (const auto& folder : folders) deepest += folder + L"/";
            views.push_back(deepest);
        }
        for (const auto& view : views) {
            Row& viewRow = table.Add("d BuildFilerRows " + U8(view));
            size_t n = 0;
            for (int i = 0; i < reps; ++i) {
                const double t0 = Now();
                quib::EntryRows rows;
                quib::BuildFilerRows(f.StrListArchiveDirFile, view, f.BoolFilerSortExplorer, {}, rows);
                n = rows.size();
                viewRow.seconds.push_back(Now() - t0);
            }
            viewRow.note = Count(n) + " rows";
        }
        // The same steps with the pump hook taken away (the hook is the
        // program's again once the next window is created).
        quib::SetPumpHook(nullptr);
        Row& rowsNoPump = table.Add("d rows, text form, no pump hook");
        for (int i = 0; i < reps; ++i) {
            UseTextForm(f, true);
            const double t0 = Now();
            f.SetItemNewListArchive();
            rowsNoPump.seconds.push_back(Now() - t0);
            host.Pump();
        }
        rowsNoPump.note = Count(f.RowCount()) + " rows";
        if (!folders.empty()) WalkFolders(host, folders, reps, "d no pump hook: ", table);

        for (const auto& m : host.Messages()) std::printf("  message box: %s\n", U8(m).c_str());
    }

    // 5. Starting the window with the archive as argument (filer form), a
    // fresh program folder each time as a new run would have.
    Row& startRow = table.Add("5 start with the archive as argument + paint");
    for (int i = 0; i < reps; ++i) {
        ProgramHost host(binFolder);
        host.Setting(L"ListText", L"Enabled", L"0");
        host.Setting(L"ListFiler", L"Enabled", L"1");
        const double t0 = Now();
        quib::TFormMain& f = host.Start({path});
        UpdateWindow(f.ListView1());
        startRow.seconds.push_back(Now() - t0);
        startRow.note = Count(f.RowCount()) + " rows";
        host.Pump(50);
        Progress("  %s: start with argument %.3f s\n", name, startRow.seconds.back());
    }

    const Memory after = ReadMemory();
    table.Add("7 peak working set of the process").note =
        Mb(after.peakWorkingSet) + " (before this archive " + Mb(before.peakWorkingSet) + ")";
    table.Print();
}

// Memory of a fresh process that opens one archive as the program does at
// start-up (filer form), then shows it in the text form. Run once per
// process, so that the peak belongs to this archive alone.
void MemoryRun(const Job& job, const std::wstring& binFolder) {
    const std::wstring& path = job.archive;
    const std::string name = U8(path.substr(path.find_last_of(L"\\/") + 1));
    const Memory start = ReadMemory();
    Table table(name + ", fresh process: memory");
    ProgramHost host(binFolder);
    host.Setting(L"ListText", L"Enabled", L"0");
    host.Setting(L"ListFiler", L"Enabled", L"1");
    const Memory beforeStart = ReadMemory();
    quib::TFormMain& f = host.Start({path});
    UpdateWindow(f.ListView1());
    host.Pump(50);
    const Memory opened = ReadMemory();
    UseTextForm(f, true);
    f.SetItemNewListArchive();
    PaintList(f.ListView1());
    host.Pump(50);
    const Memory text = ReadMemory();
    auto line = [](const Memory& m) {
        return "working set " + Mb(m.workingSet) + ", private " + Mb(m.privateBytes) + ", peak working set " +
               Mb(m.peakWorkingSet);
    };
    table.Add("7 process at start").note = line(start);
    table.Add("7 before the window").note = line(beforeStart);
    table.Add("7 started with the archive, filer form").note =
        line(opened) + "; " + Count(f.StrListArchiveDirFile.size()) + " entry lines";
    table.Add("7 then rows in the text form").note = line(text) + "; " + Count(f.RowCount()) + " rows";
    table.Print();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<Job> jobs;
    int reps = 3;
    bool memoryOnly = false;
    for (int i = 1; i < argc; ++i) {
        const std::wstring a = argv[i];
        if (a.starts_with(L"--enter=")) {
            if (!jobs.empty()) jobs.back().enter = a.substr(8);
        } else if (a == L"--memory") {
            memoryOnly = true;
        } else if (a.starts_with(L"--reps=")) {
            reps = std::max(1, _wtoi(a.c_str() + 7));
        } else {
            jobs.push_back({a, L""});
        }
    }
    if (jobs.empty()) {
        std::printf("usage: bench_listing.exe ARCHIVE [--enter=folder/sub] [--reps=N] [ARCHIVE ...]\n"
                    "       bench_listing.exe --memory ARCHIVE\n");
        return 2;
    }
    const std::wstring binFolder = quibbench::UnixToWin(QUIB_BENCH_BIN_DIR);
    if (memoryOnly) {
        try {
            MemoryRun(jobs.front(), binFolder);
        } catch (...) {
            std::printf("  failed\n");
        }
        return 0;
    }
    const Memory start = ReadMemory();
    std::printf("listing benchmark: %d round(s) per step, code page %u, working set at start %s\n", reps, GetACP(),
                Mb(start.workingSet).c_str());
    for (const Job& job : jobs) {
        try {
            BenchArchive(job, reps, binFolder);
        } catch (const std::exception& e) {
            std::printf("  failed: %s\n", e.what());
        } catch (...) {
            std::printf("  failed\n");
        }
    }
    return 0;
}
