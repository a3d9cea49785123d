// Text viewer benchmark: a 50 MB Shift_JIS text opened in the real viewer
// against the floor of reading it and converting it with MultiByteToWideChar
// alone; a regular expression with no match searched through the viewer's
// search against PCRE2's own JIT match over the same UTF-16 buffer; going to
// line 1,000,000 and scrolling near the end. Figures are printed, never
// checked.   bench_text [megabytes]
#include <windows.h>

#include <pcre2.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "app/Application.h"
#include "util/IniFile.h"
#include "util/Message.h"
#include "util/StrConv.h"
#include "viewers/text/CharCode.h"
#include "viewers/text/FormText.h"
#include "viewers/text/HtSearch3.h"
#include "viewers/text/TextDecode.h"

using Clock = std::chrono::steady_clock;

namespace {

double Ms(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

std::string ReadAll(const std::wstring& path) {
    std::string bytes;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    LARGE_INTEGER size{};
    GetFileSizeEx(h, &size);
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    size_t done = 0;
    while (done < bytes.size() && ReadFile(h, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got, nullptr) && got)
        done += got;
    CloseHandle(h);
    return bytes;
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int megabytes = argc > 1 ? _wtoi(argv[1]) : 50;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"quib-text-bench";
    CreateDirectoryW(folder.c_str(), nullptr);
    quib::Application().Initialize(GetModuleHandleW(nullptr));
    quib::SetProgramPathForTests(folder + L"\\quibFMarchive.exe");
    quib::SetMsgInterceptor([](const quib::MsgRecord&) { return IDOK; });

    // About 50 bytes a line: a 50 MB file has about a million lines.
    const std::wstring file = folder + L"\\big-sjis.txt";
    {
        const std::string line = quib::WideToAnsi(L"日本語のテキストです。行番号と ASCII text 0123456789\r\n", 932);
        std::string all;
        all.reserve(static_cast<size_t>(megabytes) << 20);
        while (all.size() < (static_cast<size_t>(megabytes) << 20)) all += line;
        HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(h, all.data(), static_cast<DWORD>(all.size()), &written, nullptr);
        CloseHandle(h);
    }

    // The floor: reading and converting alone.
    const auto f0 = Clock::now();
    const std::string bytes = ReadAll(file);
    const int n = MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
    const auto f1 = Clock::now();
    const double floorMs = Ms(f0, f1);

    const auto d0 = Clock::now();
    quib::CharCodeResult detected;
    quib::DetectFileCharCode(file, quib::UnKnownScratchPath(), detected);
    const auto d1 = Clock::now();

    // The stock edit control alone given the same text: what the platform's
    // control costs by itself.
    double editMs = 0;
    {
        HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_POPUP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY |
                                    ES_AUTOHSCROLL | ES_AUTOVSCROLL, 0, 0, 600, 400, nullptr, nullptr, nullptr, nullptr);
        SendMessageW(edit, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
        const std::wstring text = quib::TextForMemo(wide);
        const auto e0 = Clock::now();
        SetWindowTextW(edit, text.c_str());
        const auto e1 = Clock::now();
        editMs = Ms(e0, e1);
        DestroyWindow(edit);
    }

    // The viewer: created and shown (the file is read, detected, decoded and
    // given to the control), then its messages handled until it stands.
    double openMs = 0, topMs = 0, jumpMs = 0, endMs = 0, stepMs = 0, searchMs = 0;
    int lines = 0;
    {
        quib::FormInstance<quib::TFormText> viewer(file);
        const auto o0 = Clock::now();
        viewer.Create();
        viewer.Show();
        Pump();
        const auto o1 = Clock::now();
        openMs = Ms(o0, o1);
        lines = viewer.LineCount();

        // Going to line 1,000,000 (or the last line) as the go-to-line command does.
        quib::IniFile(quib::ProgramIniPath()).WriteInteger(L"Editor", L"Jump", 1000000);
        HWND memo = viewer.Memo1();
        const int target = std::min(lines - 1, 999999);
        const auto j0 = Clock::now();
        const LRESULT index = SendMessageW(memo, EM_LINEINDEX, static_cast<WPARAM>(target), 0);
        SendMessageW(memo, EM_LINESCROLL, 0, target);
        SendMessageW(memo, EM_SETSEL, static_cast<WPARAM>(index), index);
        SendMessageW(memo, EM_SCROLLCARET, 0, 0);
        UpdateWindow(memo);
        const auto j1 = Clock::now();
        jumpMs = Ms(j0, j1);
        const auto s0 = Clock::now();
        viewer.RunCommand(1237);  // down by the large step
        UpdateWindow(memo);
        const auto s1 = Clock::now();
        stepMs = Ms(s0, s1);
        const auto e0 = Clock::now();
        viewer.RunCommand(1238);  // to the end
        UpdateWindow(memo);
        const auto e1 = Clock::now();
        endMs = Ms(e0, e1);
        const auto t0 = Clock::now();
        viewer.RunCommand(1231);  // to the top
        UpdateWindow(memo);
        const auto t1 = Clock::now();
        topMs = Ms(t0, t1);

        // A regular expression that matches nothing, through the search routine.
        const std::wstring pattern = L"zq[0-9]{3}x";
        quib::TSearchOptions o;
        o.Add(quib::sfrDown).Add(quib::sfrRegExp);
        quib::TSearchInfo info{1, 0};
        const auto r0 = Clock::now();
        quib::SearchForward(viewer.StrListLoadFileTmp, info, pattern,
                            static_cast<int>(viewer.StrListLoadFileTmp.size()), o);
        const auto r1 = Clock::now();
        searchMs = Ms(r0, r1);

        // PCRE2's own JIT match over the same buffer.
        int code = 0;
        PCRE2_SIZE offset = 0;
        pcre2_code* re = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.c_str()), pattern.size(),
                                       PCRE2_UTF | PCRE2_CASELESS | PCRE2_MATCH_INVALID_UTF, &code, &offset, nullptr);
        pcre2_jit_compile(re, PCRE2_JIT_COMPLETE);
        pcre2_match_data* md = pcre2_match_data_create_from_pattern(re, nullptr);
        const auto p0 = Clock::now();
        pcre2_jit_match(re, reinterpret_cast<PCRE2_SPTR>(viewer.StrListLoadFileTmp.c_str()),
                        viewer.StrListLoadFileTmp.size(), 0, 0, md, nullptr);
        const auto p1 = Clock::now();
        const double pcreMs = Ms(p0, p1);
        pcre2_match_data_free(md);
        pcre2_code_free(re);

        std::printf("text viewer, %d MB Shift_JIS, %d lines\n", megabytes, lines);
        std::printf("  floor: read + MultiByteToWideChar     %9.1f ms\n", floorMs);
        std::printf("  detection alone (read piece by piece) %9.1f ms\n", Ms(d0, d1));
        std::printf("  the stock edit control's SetWindowText %8.1f ms\n", editMs);
        std::printf("  open in the viewer                    %9.1f ms   %.2f x floor (target <= 3)\n", openMs,
                    openMs / floorMs);
        std::printf("  regex without match, viewer search    %9.1f ms\n", searchMs);
        std::printf("  regex without match, PCRE2 JIT alone  %9.1f ms   %.2f x (target <= 1.5)\n", pcreMs,
                    searchMs / pcreMs);
        std::printf("  go to line %d                    %9.1f ms\n", target + 1, jumpMs);
        std::printf("  down by the large step                %9.1f ms\n", stepMs);
        std::printf("  to the end                            %9.1f ms\n", endMs);
        std::printf("  to the top                            %9.1f ms\n", topMs);
    }
    DeleteFileW(file.c_str());
    return 0;
}
