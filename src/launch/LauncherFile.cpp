#include "launch/LauncherFile.h"

#include <fstream>
#include <iterator>

#include "util/PathPrefix.h"
#include "util/StrConv.h"

namespace quib {
namespace {

constexpr int kNameBytes = 12;

wchar_t SlotKeyChar(int inGroup) {
    return inGroup < 26 ? static_cast<wchar_t>(L'A' + inGroup) : static_cast<wchar_t>(L'0' + (inGroup - 26));
}

std::wstring Utf16Of(const std::string& bytes, size_t from, bool bigEndian) {
    std::wstring text;
    text.reserve((bytes.size() - from) / 2);
    for (size_t i = from; i + 1 < bytes.size(); i += 2) {
        const auto lo = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
        const auto hi = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
        text.push_back(static_cast<wchar_t>(lo | (hi << 8)));
    }
    return text;
}

}  // namespace

std::wstring LauncherKeyLabel(int slot) {
    if (slot < 0 || slot >= kLauncherSlots) return {};
    static const wchar_t* const kPrefixes[] = {L"  ", L"s+", L"c+"};
    return std::wstring(kPrefixes[slot / 36]) + SlotKeyChar(slot % 36);
}

std::optional<int> LauncherSlotOfKey(WORD key, BYTE mods) {
    int inGroup = -1;
    if (key >= 'A' && key <= 'Z') inGroup = key - 'A';
    if (key >= '0' && key <= '9') inGroup = 26 + (key - '0');
    if (inGroup < 0) return std::nullopt;
    switch (mods) {
        case 0: return inGroup;
        case 1: return 36 + inGroup;  // Shift
        case 4: return 72 + inGroup;  // Ctrl
        default: return std::nullopt;
    }
}

std::vector<std::wstring> EmptyLauncherSlot(int slot) { return {LauncherKeyLabel(slot), L"", L"1", L"", L""}; }

std::vector<std::wstring> EmptyLauncherLines() {
    std::vector<std::wstring> lines;
    lines.reserve(kLauncherSlots * kLauncherSlotLines);
    for (int s = 0; s < kLauncherSlots; ++s)
        for (auto& l : EmptyLauncherSlot(s)) lines.push_back(std::move(l));
    return lines;
}

LauncherFile DecodeLauncherFile(const std::string& bytes, UINT ansiCodePage) {
    LauncherFile file;
    std::wstring text;
    auto startsWith = [&bytes](std::initializer_list<unsigned char> bom) {
        if (bytes.size() < bom.size()) return false;
        size_t i = 0;
        for (unsigned char b : bom)
            if (static_cast<unsigned char>(bytes[i++]) != b) return false;
        return true;
    };
    if (startsWith({0xEF, 0xBB, 0xBF})) {
        file.encoding = LauncherEncoding::Utf8Bom;
        text = Utf8ToWide(std::string_view(bytes).substr(3));
    } else if (startsWith({0xFF, 0xFE})) {
        file.encoding = LauncherEncoding::Utf16Le;
        text = Utf16Of(bytes, 2, false);
    } else if (startsWith({0xFE, 0xFF})) {
        file.encoding = LauncherEncoding::Utf16Be;
        text = Utf16Of(bytes, 2, true);
    } else {
        file.encoding = LauncherEncoding::Ansi;
        text = AnsiToWide(bytes, ansiCodePage);
    }
    file.lines = SplitLines(text);
    return file;
}

bool EncodeLauncherFile(const LauncherFile& file, std::string& bytes, std::wstring* lost, UINT ansiCodePage) {
    std::wstring text;
    for (const auto& l : file.lines) text += l + L"\r\n";
    bytes.clear();
    if (lost) lost->clear();
    switch (file.encoding) {
        case LauncherEncoding::Utf8Bom:
            bytes = "\xEF\xBB\xBF" + WideToUtf8(text);
            return true;
        case LauncherEncoding::Utf16Le:
        case LauncherEncoding::Utf16Be: {
            const bool be = file.encoding == LauncherEncoding::Utf16Be;
            bytes = be ? std::string("\xFE\xFF") : std::string("\xFF\xFE");
            for (wchar_t c : text) {
                const char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>((c >> 8) & 0xFF);
                bytes.push_back(be ? hi : lo);
                bytes.push_back(be ? lo : hi);
            }
            return true;
        }
        case LauncherEncoding::Ansi: break;
    }
    if (WideToAnsiExact(text, bytes, ansiCodePage)) return true;
    // Which characters would have become "?": the user is told rather than
    // finding his program path silently changed.
    std::wstring missing;
    for (size_t i = 0; i < text.size(); ++i) {
        size_t n = 1;
        if (IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() && IS_LOW_SURROGATE(text[i + 1])) n = 2;
        const std::wstring one = text.substr(i, n);
        std::string ignored;
        if (!WideToAnsiExact(one, ignored, ansiCodePage) && missing.find(one) == std::wstring::npos) missing += one;
        i += n - 1;
    }
    if (lost) *lost = missing;
    bytes.clear();
    return false;
}

bool ReadLauncherFile(const std::wstring& path, LauncherFile& file) {
    std::ifstream in(path.c_str(), std::ios::binary);
    if (!in) return false;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return false;
    file = DecodeLauncherFile(bytes);
    return true;
}

bool WriteLauncherFile(const std::wstring& path, const LauncherFile& file, std::wstring* lost) {
    std::string bytes;
    if (!EncodeLauncherFile(file, bytes, lost)) return false;
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

int LauncherRowCount(const std::vector<std::wstring>& lines) {
    return static_cast<int>(lines.size() / kLauncherSlotLines);
}

std::wstring LauncherSlotLine(const std::vector<std::wstring>& lines, int slot, int line) {
    const size_t i = static_cast<size_t>(slot) * kLauncherSlotLines + static_cast<size_t>(line);
    return slot >= 0 && line >= 0 && line < kLauncherSlotLines && i < lines.size() ? lines[i] : std::wstring();
}

std::wstring LauncherRowText(const std::vector<std::wstring>& lines, int slot, UINT ansiCodePage) {
    const std::wstring name = LauncherSlotLine(lines, slot, 1);
    // Names are lined up by their width in the ANSI code page, where a
    // double-byte character takes two columns.
    const auto bytes = static_cast<int>(WideToAnsi(name, ansiCodePage).size());
    const std::wstring pad(bytes < kNameBytes ? static_cast<size_t>(kNameBytes - bytes) : 0, L' ');
    return LauncherSlotLine(lines, slot, 0) + L" " + name + pad + L" " + LauncherSlotLine(lines, slot, 2) + L" " +
           LauncherSlotLine(lines, slot, 3) + L" " + LauncherSlotLine(lines, slot, 4);
}

std::wstring LauncherProgramPath(const std::wstring& typed, const std::wstring& programPath) {
    std::wstring path = ExpandPathPrefix(typed, programPath);
    if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"') {
        // A quoted "%p\..." carries its prefix inside the quotes.
        path = ExpandPathPrefix(path.substr(1, path.size() - 2), programPath);
    }
    return path;
}

}  // namespace quib
