// Writes its own command line, UTF-16LE, to the file named by QUIB_ARGS_OUT,
// so a test can see exactly what a program was started with.
#include <windows.h>

#include <cwchar>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    wchar_t out[MAX_PATH * 2] = {};
    if (!GetEnvironmentVariableW(L"QUIB_ARGS_OUT", out, MAX_PATH * 2)) return 1;
    const wchar_t* line = GetCommandLineW();
    // Written under a temporary name first: the reader never sees half a line.
    wchar_t temp[MAX_PATH * 2 + 8] = {};
    swprintf(temp, MAX_PATH * 2 + 8, L"%ls.part", out);
    HANDLE h = CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return 2;
    DWORD written = 0;
    WriteFile(h, line, static_cast<DWORD>(wcslen(line) * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(h);
    return MoveFileExW(temp, out, MOVEFILE_REPLACE_EXISTING) ? 0 : 3;
}
