#include "UnitFakes.h"

#include "util/StrConv.h"

#ifndef QUIB_UNIT_FAKES_DIR
#define QUIB_UNIT_FAKES_DIR ""
#endif

namespace unittest {

std::wstring FakesDir() { return quibtest::UnixToWin(QUIB_UNIT_FAKES_DIR); }
std::wstring FakeArchiverDll() { return FakesDir() + L"\\quib_fake_archiver.dll"; }
std::wstring FakeArchiverNoArjNextDll() { return FakesDir() + L"\\quib_fake_archiver_noarjnext.dll"; }
std::wstring FakeSusieDll() { return FakesDir() + L"\\quib_fake_susie.dll"; }
std::wstring FakeSusieNoGetInfoDll() { return FakesDir() + L"\\quib_fake_susie_nogetinfo.dll"; }

std::wstring ExeFolder() {
    wchar_t buf[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, buf, MAX_PATH * 2);
    std::wstring p = buf;
    return p.substr(0, p.find_last_of(L'\\'));
}

FakeLog::FakeLog() : path_(dir_ / L"fake.log") {
    SetEnvironmentVariableW(L"QUIB_FAKE_LOG", path_.c_str());
}

FakeLog::~FakeLog() { SetEnvironmentVariableW(L"QUIB_FAKE_LOG", nullptr); }

std::vector<std::string> FakeLog::Lines() const {
    std::vector<std::string> lines;
    const std::string bytes = quibtest::ReadFileBytes(path_);
    size_t start = 0;
    while (start < bytes.size()) {
        size_t nl = bytes.find('\n', start);
        if (nl == std::string::npos) nl = bytes.size();
        lines.push_back(bytes.substr(start, nl - start));
        start = nl + 1;
    }
    return lines;
}

void FakeLog::Clear() const { DeleteFileW(path_.c_str()); }

std::string EntryLine(const std::string& name, unsigned long size, unsigned long packed, unsigned dosDate,
                      unsigned dosTime, const std::string& attr, const std::string& method) {
    return "E|" + name + "|" + std::to_string(size) + "|" + std::to_string(packed) + "|" + std::to_string(dosDate) +
           "|" + std::to_string(dosTime) + "|" + attr + "|" + method + "\n";
}

unsigned DosDate(unsigned year, unsigned month, unsigned day) { return ((year - 1980) << 9) | (month << 5) | day; }
unsigned DosTime(unsigned hour, unsigned minute, unsigned second) { return (hour << 11) | (minute << 5) | (second / 2); }

CurrentDir::CurrentDir(const std::wstring& folder) {
    wchar_t buf[MAX_PATH * 2] = {};
    GetCurrentDirectoryW(MAX_PATH * 2, buf);
    old_ = buf;
    SetCurrentDirectoryW(folder.c_str());
}

CurrentDir::~CurrentDir() { SetCurrentDirectoryW(old_.c_str()); }

}  // namespace unittest
