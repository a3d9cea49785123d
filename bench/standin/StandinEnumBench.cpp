// Listing speed of the stand-in archiver DLL. For each archive given, in one
// run under the same Wine:
//   floor  libarchive's own header walk (archive_read_next_header +
//          archive_read_data_skip), with the formats and options the DLL uses;
//   dll    OpenArchive / FindFirst / FindNext... / CloseArchive of
//          UNZIP32.DLL (7-zip32.dll for other kinds), loaded with LoadLibrary
//          and called as the program calls it;
// best of N rounds each, and dll / floor.
//
//   bench_standin_enum [--reps=N] archive...
#include <archive.h>
#include <archive_entry.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

#pragma pack(push, 1)
struct Record {  // the entry record of the interface, 558 bytes
    DWORD originalSize, compressedSize, crc, flag, osType;
    WORD ratio, date, time;
    char name[513];
    char dummy[3];
    char attribute[8];
    char method[8];
};
#pragma pack(pop)
static_assert(sizeof(Record) == 558);

using OpenFn = HANDLE(WINAPI*)(HWND, LPCSTR, DWORD);
using CloseFn = int(WINAPI*)(HANDLE);
using FindFirstFn = int(WINAPI*)(HANDLE, LPCSTR, Record*);
using FindNextFn = int(WINAPI*)(HANDLE, Record*);

double Now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

bool EndsWithNoCase(const std::wstring& s, const wchar_t* tail) {
    size_t n = wcslen(tail);
    return s.size() >= n && _wcsicmp(s.c_str() + s.size() - n, tail) == 0;
}

// The floor: what libarchive itself needs to walk every header.
long long Floor(const std::wstring& path, bool zip) {
    archive* a = archive_read_new();
    if (zip) {
        archive_read_support_format_zip_seekable(a);
    } else {
        archive_read_support_format_7zip(a);
        archive_read_support_format_tar(a);
        archive_read_support_format_cpio(a);
        archive_read_support_format_lha(a);
        archive_read_support_format_iso9660(a);
        archive_read_support_format_cab(a);
    }
    archive_read_support_filter_all(a);
    std::string cp = "CP" + std::to_string(GetACP());
    archive_read_set_format_option(a, "zip", "hdrcharset", cp.c_str());
    long long n = -1;
    if (archive_read_open_filename_w(a, path.c_str(), 65536) == ARCHIVE_OK) {
        n = 0;
        archive_entry* e = nullptr;
        for (int r; (r = archive_read_next_header(a, &e)) == ARCHIVE_OK || r == ARCHIVE_WARN;) {
            ++n;
            archive_read_data_skip(a);
        }
    }
    archive_read_free(a);
    return n;
}

struct Dll {
    HMODULE module = nullptr;
    OpenFn open = nullptr;
    CloseFn close = nullptr;
    FindFirstFn first = nullptr;
    FindNextFn next = nullptr;
};

Dll Load(const wchar_t* file, const char* prefix) {
    Dll d;
    std::wstring path = std::wstring(L"" QUIB_BENCH_BIN_DIR) + L"/" + file;
    // The folder given at build time is a Unix path; under Wine it is on Z:.
    std::wstring win = L"Z:" + path;
    for (auto& c : win)
        if (c == L'/') c = L'\\';
    d.module = LoadLibraryW(win.c_str());
    if (!d.module) d.module = LoadLibraryW(file);
    if (!d.module) return d;
    auto get = [&](const char* suffix) { return GetProcAddress(d.module, (std::string(prefix) + suffix).c_str()); };
    d.open = reinterpret_cast<OpenFn>(get("OpenArchive"));
    d.close = reinterpret_cast<CloseFn>(get("CloseArchive"));
    d.first = reinterpret_cast<FindFirstFn>(get("FindFirst"));
    d.next = reinterpret_cast<FindNextFn>(get("FindNext"));
    return d;
}

// The DLL's walk, as the program's listing calls it: one record per entry.
long long Enumerate(const Dll& d, const std::string& ansiPath) {
    HANDLE h = d.open(nullptr, ansiPath.c_str(), 0);
    if (!h) return -1;
    Record r{};
    long long n = 0;
    for (int rc = d.first(h, "*.*", &r); rc == 0; rc = d.next(h, &r)) ++n;
    d.close(h);
    return n;
}

template <typename F>
double Best(int reps, F f, long long& count) {
    double best = 1e30;
    for (int i = 0; i < reps; ++i) {
        double t0 = Now();
        count = f();
        double t = Now() - t0;
        if (t < best) best = t;
    }
    return best;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int reps = 3;
    std::vector<std::wstring> archives;
    for (int i = 1; i < argc; ++i) {
        std::wstring a = argv[i];
        if (a.rfind(L"--reps=", 0) == 0) reps = _wtoi(a.c_str() + 7);
        else archives.push_back(a);
    }
    if (archives.empty() || reps < 1) {
        std::fprintf(stderr, "usage: bench_standin_enum [--reps=N] archive...\n");
        return 2;
    }
    Dll unzip = Load(L"UNZIP32.DLL", "UnZip");
    Dll seven = Load(L"7-zip32.dll", "SevenZip");
    if (!unzip.open || !seven.open) {
        std::fprintf(stderr, "cannot load the stand-in DLLs from %s\n", QUIB_BENCH_BIN_DIR);
        return 1;
    }
    std::printf("%-28s %9s %10s %10s %7s   (best of %d)\n", "archive", "entries", "floor ms", "dll ms", "ratio",
                reps);
    for (const std::wstring& path : archives) {
        bool zip = EndsWithNoCase(path, L".zip");
        int n = WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, nullptr, 0, nullptr, nullptr);
        std::string ansi(static_cast<size_t>(n > 0 ? n - 1 : 0), '\0');
        WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, ansi.data(), n, nullptr, nullptr);
        long long floorCount = 0, dllCount = 0;
        double floor = Best(reps, [&] { return Floor(path, zip); }, floorCount);
        double dll = Best(reps, [&] { return Enumerate(zip ? unzip : seven, ansi); }, dllCount);
        std::wstring base = path.substr(path.find_last_of(L"\\/") + 1);
        std::printf("%-28ls %9lld %10.1f %10.1f %6.2fx", base.c_str(), dllCount, floor * 1000, dll * 1000,
                    floor > 0 ? dll / floor : 0.0);
        if (floorCount != dllCount) std::printf("   (libarchive walked %lld headers)", floorCount);
        std::printf("\n");
        std::fflush(stdout);
    }
    return 0;
}
