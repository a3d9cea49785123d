#include "keymap/KeyText.h"

namespace quib {
namespace {

struct NamedKey {
    const wchar_t* name;
    WORD code;
};

// The keys beyond digits, letters and function keys, in the keyboard
// dialog's order. The punctuation codes are those of the Japanese keyboard
// layout, where ";" and ":" sit on their own keys.
const NamedKey kNamedKeys[] = {
    {L"Space", VK_SPACE}, {L"Esc", VK_ESCAPE}, {L"Enter", VK_RETURN}, {L"Tab", VK_TAB},
    {L"Up", VK_UP},       {L"Down", VK_DOWN},  {L"Left", VK_LEFT},    {L"Right", VK_RIGHT},
    {L"Home", VK_HOME},   {L"End", VK_END},    {L"PgUp", VK_PRIOR},   {L"PgDn", VK_NEXT},
    {L"Ins", VK_INSERT},  {L"Del", VK_DELETE}, {L"BkSp", VK_BACK},    {L",", 188},
    {L".", 190},          {L"/", 191},         {L";", 187},           {L":", 186},
    {L"]", 221},          {L"@", 192},         {L"[", 219},           {L"-", 189},
    {L"^", 222},          {L"\\", 220},
};

std::wstring RemoveAll(std::wstring text, const std::wstring& what) {
    for (size_t at = text.find(what); at != std::wstring::npos; at = text.find(what, at)) text.erase(at, what.size());
    return text;
}

// Blanks are spaces and control characters, as a hand-edited file may hold.
std::wstring TrimBlanks(const std::wstring& text) {
    size_t first = 0, last = text.size();
    while (first < last && text[first] <= L' ') ++first;
    while (last > first && text[last - 1] <= L' ') --last;
    return text.substr(first, last - first);
}

}  // namespace

const std::vector<std::wstring>& KeyNames() {
    static const std::vector<std::wstring> names = [] {
        std::vector<std::wstring> n;
        for (wchar_t c = L'0'; c <= L'9'; ++c) n.emplace_back(1, c);
        for (wchar_t c = L'A'; c <= L'Z'; ++c) n.emplace_back(1, c);
        for (int f = 1; f <= 12; ++f) n.push_back(L"F" + std::to_wstring(f));
        for (const auto& k : kNamedKeys) n.emplace_back(k.name);
        return n;
    }();
    return names;
}

bool IsDigitOrLetterKey(WORD key) { return (key >= L'0' && key <= L'9') || (key >= L'A' && key <= L'Z'); }

WORD KeyNameToCode(const std::wstring& name) {
    if (name.size() == 1 && IsDigitOrLetterKey(name[0])) return name[0];
    if (name.size() >= 2 && name.size() <= 3 && name[0] == L'F') {
        int n = 0;
        for (size_t i = 1; i < name.size(); ++i) {
            if (name[i] < L'0' || name[i] > L'9') return 0;
            n = n * 10 + (name[i] - L'0');
        }
        // "F01" is not a key name: only the spelling the list offers counts.
        if (name[1] == L'0' || n < 1 || n > 12) return 0;
        return static_cast<WORD>(VK_F1 + n - 1);
    }
    for (const auto& k : kNamedKeys)
        if (name == k.name) return k.code;
    return 0;
}

std::wstring KeyCodeToName(WORD key) {
    if (IsDigitOrLetterKey(key)) return std::wstring(1, static_cast<wchar_t>(key));
    if (key >= VK_F1 && key <= VK_F12) return L"F" + std::to_wstring(key - VK_F1 + 1);
    for (const auto& k : kNamedKeys)
        if (key == k.code) return k.name;
    return {};
}

BYTE KeyTextModifiers(const std::wstring& keyText) {
    BYTE mods = 0;
    if (keyText.find(L"Shift") != std::wstring::npos) mods |= kKeyShift;
    if (keyText.find(L"Ctrl") != std::wstring::npos) mods |= kKeyCtrl;
    if (keyText.find(L"Alt") != std::wstring::npos) mods |= kKeyAlt;
    return mods;
}

std::wstring KeyTextName(const std::wstring& keyText) {
    std::wstring rest = RemoveAll(keyText, L"Shift");
    rest = RemoveAll(rest, L"Ctrl");
    rest = RemoveAll(rest, L"Alt");
    rest = RemoveAll(rest, L"+");
    return TrimBlanks(rest);
}

KeyCode ParseKeyText(const std::wstring& keyText) {
    const WORD code = KeyNameToCode(KeyTextName(keyText));
    if (!code) return {};
    return KeyCode{code, KeyTextModifiers(keyText)};
}

std::wstring FormatKeyText(KeyCode code) {
    const std::wstring name = KeyCodeToName(code.key);
    if (name.empty()) return {};
    std::wstring text;
    if (code.mods & kKeyShift) text += L"Shift+";
    if (code.mods & kKeyCtrl) text += L"Ctrl+";
    if (code.mods & kKeyAlt) text += L"Alt+";
    return text + name;
}

}  // namespace quib
