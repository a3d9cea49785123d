#include "util/TextFile.h"

#include "util/StrConv.h"

namespace quib {

namespace {

bool ReadBytes(const std::wstring& path, std::string& bytes) {
    bytes.clear();
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
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
    return ok;
}

// A trailing odd byte is no whole character: dropped.
std::wstring Utf16Text(const std::string& bytes, size_t from, bool bigEndian) {
    std::wstring text((bytes.size() - from) / 2, L'\0');
    for (size_t i = 0; i < text.size(); ++i) {
        const auto a = static_cast<unsigned char>(bytes[from + 2 * i]);
        const auto b = static_cast<unsigned char>(bytes[from + 2 * i + 1]);
        text[i] = static_cast<wchar_t>(bigEndian ? (a << 8) | b : a | (b << 8));
    }
    return text;
}

}  // namespace

bool ReadUtf16Lines(const std::wstring& path, std::vector<std::wstring>& lines) {
    lines.clear();
    std::string bytes;
    if (!ReadBytes(path, bytes)) return false;
    std::wstring text = Utf16Text(bytes, 0, false);
    if (!text.empty() && text[0] == 0xFEFF) text.erase(0, 1);
    lines = SplitLines(text);
    return true;
}

bool ReadTextFileDefault(const std::wstring& path, std::wstring& text) {
    text.clear();
    std::string bytes;
    if (!ReadBytes(path, bytes)) return false;
    const auto at = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    if (bytes.size() >= 3 && at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF) {
        text = AnsiToWide(std::string_view(bytes).substr(3), CP_UTF8);
    } else if (bytes.size() >= 2 && at(0) == 0xFF && at(1) == 0xFE) {
        text = Utf16Text(bytes, 2, false);
    } else if (bytes.size() >= 2 && at(0) == 0xFE && at(1) == 0xFF) {
        text = Utf16Text(bytes, 2, true);
    } else {
        text = AnsiToWide(bytes, CP_ACP);
    }
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
