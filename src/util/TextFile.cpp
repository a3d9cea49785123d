#include "util/TextFile.h"

#include "util/StrConv.h"

namespace quib {

bool ReadUtf16Lines(const std::wstring& path, std::vector<std::wstring>& lines) {
    lines.clear();
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    std::string bytes;
    char buf[16384];
    DWORD n = 0;
    bool ok = true;
    for (;;) {
        if (!ReadFile(h, buf, sizeof(buf), &n, nullptr)) {
            ok = false;
            break;
        }
        if (n == 0) break;
        bytes.append(buf, n);
    }
    CloseHandle(h);
    if (!ok) return false;
    // A trailing odd byte is no whole character: dropped.
    std::wstring text(bytes.size() / 2, L'\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                       (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    if (!text.empty() && text[0] == 0xFEFF) text.erase(0, 1);
    lines = SplitLines(text);
    return true;
}

bool WriteUtf16Lines(const std::wstring& path, const std::vector<std::wstring>& lines) {
    std::wstring text(1, static_cast<wchar_t>(0xFEFF));
    for (const auto& line : lines) text += line + L"\r\n";
    std::string bytes(text.size() * 2, '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        bytes[2 * i] = static_cast<char>(text[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>((text[i] >> 8) & 0xFF);
    }
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    return ok && written == bytes.size();
}

}  // namespace quib
