#include "ProgramHost.h"

#include <sstream>

#include "app/Application.h"
#include "archive/Archive.h"
#include "util/IniFile.h"
#include "util/Message.h"
#include "util/StrConv.h"

namespace quibbench {
namespace {

bool RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((path + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring full = path + L"\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full);
            } else {
                SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(full.c_str());
            }
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    return RemoveDirectoryW(path.c_str()) != FALSE;
}

std::wstring NewTempFolder() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static LONG counter = 0;
    for (;;) {
        std::wstringstream ss;
        ss << base << L"quibbench-" << GetCurrentProcessId() << L"-" << InterlockedIncrement(&counter) << L"-"
           << GetTickCount();
        if (CreateDirectoryW(ss.str().c_str(), nullptr)) return ss.str();
    }
}

// Copies the DLLs (and plug-ins) of binFolder into folder.
void CopyDlls(const std::wstring& binFolder, const std::wstring& folder) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((binFolder + L"\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::wstring name = fd.cFileName;
        const std::wstring lower = quib::ToLower(name);
        if (lower.ends_with(L".dll") || lower.ends_with(L".spi")) {
            CopyFileW((binFolder + L"\\" + name).c_str(), (folder + L"\\" + name).c_str(), FALSE);
        }
    } while (FindNextFileW(h, &fd));
    FindClose(h);
}

}  // namespace

std::wstring UnixToWin(const std::string& unixPath) {
    std::wstring w = quib::Utf8ToWide(unixPath);
    for (auto& c : w)
        if (c == L'/') c = L'\\';
    if (!w.empty() && w[0] == L'\\') w = L"Z:" + w;
    return w;
}

ProgramHost::ProgramHost(const std::wstring& binFolder) : folder_(NewTempFolder()) {
    CopyDlls(binFolder, folder_);
    quib::SetMsgInterceptor([this](const quib::MsgRecord& m) {
        messages_.push_back(m.text);
        return m.buttons == quib::MsgButtons::YesNo ? IDNO : IDOK;
    });
    quib::Application().Initialize(GetModuleHandleW(nullptr));
    quib::SetProgramPathForTests(folder_ + L"\\quibFMarchive.exe");
    quib::ResetArchiveBindingForTests();
    // The loader's application folder is the benchmark's folder, so the DLLs
    // are taken from the program folder by path.
    Setting(L"SelectDllFolder", L"Index", L"1");
}

ProgramHost::~ProgramHost() {
    if (form_ && form_->Handle()) DestroyWindow(form_->Handle());
    form_.reset();
    Pump();
    // The DLLs must be released before the folder that holds them is removed.
    quib::ResetArchiveBindingForTests();
    quib::Application().SetArgumentsForTests({});
    quib::SetProgramPathForTests(L"");
    quib::SetMsgInterceptor(nullptr);
    RemoveTree(folder_);
}

void ProgramHost::Setting(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
    const std::wstring ini = folder_ + L"\\quibFMarchive.ini";
    quib::IniFile::CreateEmptyUnicode(ini);
    quib::IniFile(ini).WriteString(section, key, value);
}

quib::TFormMain& ProgramHost::Start(const std::vector<std::wstring>& args) {
    quib::Application().SetArgumentsForTests(args);
    form_ = std::make_unique<quib::FormInstance<quib::TFormMain>>();
    form_->Create();
    form_->Show();
    return *form_;
}

void ProgramHost::Pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        quib::Application().ProcessMessages();
        if (milliseconds) Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

}  // namespace quibbench
