#include "util/StrConv.h"

namespace quib {

std::wstring AnsiToWide(std::string_view text, UINT codePage) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string WideToAnsi(std::wstring_view text, UINT codePage) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

bool WideToAnsiExact(std::wstring_view text, std::string& out, UINT codePage) {
    out.clear();
    if (text.empty()) return true;
    BOOL usedDefault = FALSE;
    const bool utf = codePage == CP_UTF8 || codePage == CP_UTF7;
    const DWORD flags = utf ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL* used = utf ? nullptr : &usedDefault;
    const int n = WideCharToMultiByte(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, used);
    if (n <= 0 || usedDefault) return false;
    out.assign(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, flags, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, used);
    // The way back must give the same text: this also catches a mapping the
    // flag did not stop.
    if (usedDefault || AnsiToWide(out, codePage) != text) {
        out.clear();
        return false;
    }
    return true;
}

std::wstring Utf8ToWide(std::string_view text) { return AnsiToWide(text, CP_UTF8); }
std::string WideToUtf8(std::wstring_view text) { return WideToAnsi(text, CP_UTF8); }

std::vector<std::wstring> SplitLines(std::wstring_view text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' || text[i] == L'\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
            start = i + 1;
        }
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::wstring ToUpper(std::wstring_view text) {
    std::wstring s(text);
    if (!s.empty()) CharUpperBuffW(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

std::wstring ToLower(std::wstring_view text) {
    std::wstring s(text);
    if (!s.empty()) CharLowerBuffW(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace quib
