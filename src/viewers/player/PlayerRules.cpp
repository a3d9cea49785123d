#include "viewers/player/PlayerRules.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cwchar>


namespace quib {
namespace {

// The extension of a stored path ("/" or "\\" separated), with its dot.
std::wstring ExtensionOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"/\\");
    const size_t dot = path.find_last_of(L'.');
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return {};
    return path.substr(dot);
}

bool SameNoCase(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

}  // namespace

double PlayerRateClamp(double rate) {
    if (!(rate > kPlayerRateMin)) return kPlayerRateMin;  // NaN too
    if (!(rate < kPlayerRateMax)) return kPlayerRateMax;
    return rate;
}

double PlayerRateStep(double rate, bool up) {
    // Rounded to hundredths so that ten steps of 0.1 land on the round
    // values the caption shows, not on 0.40000000000000013.
    const double stepped = std::round((rate + (up ? 0.1 : -0.1)) * 100.0) / 100.0;
    return PlayerRateClamp(stepped);
}

std::wstring PlayerRateCaption(double rate, bool japanese) {
    wchar_t n[32];
    swprintf(n, 32, L"&[%4.2f", rate);
    return std::wstring(japanese ? L"再生速度" : L"Speed") + n + L"]";
}

std::wstring PlayerRateText(double rate) {
    wchar_t n[32];
    swprintf(n, 32, L"%.2f", rate);
    std::wstring s = n;
    while (!s.empty() && s.back() == L'0') s.pop_back();
    if (!s.empty() && s.back() == L'.') s.push_back(L'0');
    return s;
}

int PlayerVolumeStep(int volume, bool up) {
    const int v = volume + (up ? 5 : -5);
    return v < 0 ? 0 : v > 100 ? 100 : v;
}

std::wstring PlayerWindowCaption(const std::wstring& file, bool marked, bool japanese) {
    const size_t slash = file.find_last_of(L"\\/");
    const std::wstring name = slash == std::wstring::npos ? file : file.substr(slash + 1);
    return std::wstring(japanese ? L"動画・音楽プレイヤー " : L"Movie/Music Player ") + (marked ? L"● " : L"○ ") + name;
}

int PlayerStepTarget(bool next, int current, const std::vector<std::wstring>& storedPaths,
                     const std::wstring& playedFile, const std::vector<std::wstring>& markedAtOpening) {
    const std::wstring ext = ExtensionOf(playedFile);
    const int count = static_cast<int>(storedPaths.size());
    auto fits = [&](int row) {
        const std::wstring& path = storedPaths[static_cast<size_t>(row)];
        if (path.empty() || ext.empty() || !SameNoCase(ExtensionOf(path), ext)) return false;
        if (markedAtOpening.empty()) return true;
        for (const auto& m : markedAtOpening)
            if (SameNoCase(m, path)) return true;
        return false;
    };
    if (next) {
        for (int r = current + 1; r < count; ++r)
            if (fits(r)) return r;
        for (int r = 0; r <= current && r < count; ++r)
            if (fits(r)) return r;
    } else {
        for (int r = std::min(current, count) - 1; r >= 0; --r)
            if (fits(r)) return r;
        for (int r = count - 1; r >= current && r >= 0; --r)
            if (fits(r)) return r;
    }
    return -1;
}

std::wstring ButtonCaptionWithKey(const std::wstring& caption, const std::wstring& keyText) {
    std::wstring key = keyText;
    for (const wchar_t* word : {L"Shift", L"Ctrl", L"Alt", L"+"}) {
        const std::wstring w = word;
        for (size_t at; (at = key.find(w)) != std::wstring::npos;) key.erase(at, w.size());
    }
    const size_t first = key.find_first_not_of(L" \t");
    const size_t last = key.find_last_not_of(L" \t");
    key = first == std::wstring::npos ? std::wstring() : key.substr(first, last - first + 1);
    const size_t bracket = caption.find(L'[');
    return (bracket == std::wstring::npos ? caption : caption.substr(0, bracket)) + L"[" + key + L"]";
}

}  // namespace quib
