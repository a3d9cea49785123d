#pragma once
// The scripted DLLs built beside the unit tests and the log they write.
#include <windows.h>

#include <string>
#include <vector>

#include "TestSupport.h"

namespace unittest {

std::wstring FakesDir();
std::wstring FakeArchiverDll();           // every archiver export
std::wstring FakeArchiverNoArjNextDll();  // every export but UnarjFindNext
std::wstring FakeSusieDll();              // IsSupported and GetArchiveInfo
std::wstring FakeSusieNoGetInfoDll();     // IsSupported only
std::wstring ExeFolder();                 // folder of the running test program

// Points the fakes' log (variable QUIB_FAKE_LOG) at a fresh file for the
// lifetime of the object.
class FakeLog {
public:
    FakeLog();
    ~FakeLog();
    const std::wstring& Path() const { return path_; }
    std::vector<std::string> Lines() const;
    void Clear() const;

private:
    quibtest::TempDir dir_;
    std::wstring path_;
};

// A manifest line of the fake archiver.
std::string EntryLine(const std::string& name, unsigned long size, unsigned long packed, unsigned dosDate,
                      unsigned dosTime, const std::string& attr, const std::string& method);

// An MS-DOS date and time.
unsigned DosDate(unsigned year, unsigned month, unsigned day);
unsigned DosTime(unsigned hour, unsigned minute, unsigned second);

// Moves into a folder for the lifetime of the object.
class CurrentDir {
public:
    explicit CurrentDir(const std::wstring& folder);
    ~CurrentDir();

private:
    std::wstring old_;
};

}  // namespace unittest
