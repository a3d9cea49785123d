#include "keymap/KeyBoardRules.h"

#include "keymap/KeyText.h"

namespace quib {
namespace {

std::wstring Trim(const std::wstring& s) {
    const size_t b = s.find_first_not_of(L' ');
    if (b == std::wstring::npos) return {};
    return s.substr(b, s.find_last_not_of(L' ') - b + 1);
}

}  // namespace

const std::vector<std::wstring>& KeyBoardKeyItems() {
    static const std::vector<std::wstring> items = [] {
        std::vector<std::wstring> v{L" "};
        for (const auto& n : KeyNames()) v.push_back(n);
        v.emplace_back();
        return v;
    }();
    return items;
}

KeyFieldsOfText FieldsOfKeyText(const std::wstring& keyText) {
    KeyFieldsOfText f;
    f.shift = keyText.find(L"Shift") != std::wstring::npos;
    f.ctrl = keyText.find(L"Ctrl") != std::wstring::npos;
    f.alt = keyText.find(L"Alt") != std::wstring::npos;
    const std::wstring name = KeyTextName(keyText);
    const auto& items = KeyBoardKeyItems();
    if (name.empty()) {
        f.keyItem = 0;
        return f;
    }
    for (size_t i = 0; i < items.size(); ++i)
        if (Trim(items[i]) == name) {
            f.keyItem = static_cast<int>(i);
            break;
        }
    return f;
}

std::wstring ComposeKeyText(const KeyFields& fields) {
    std::wstring text;
    auto add = [&text](const std::wstring& part) {
        if (!text.empty()) text += L"+";
        text += part;
    };
    if (fields.shift) add(L"Shift");
    if (fields.ctrl) add(L"Ctrl");
    if (fields.alt) add(L"Alt");
    const std::wstring key = Trim(fields.key);
    if (!key.empty()) add(key);
    return text;
}

bool SameKeyText(const std::wstring& a, const std::wstring& b) {
    if (a.empty() || b.empty()) return a == b;
    if (a == b) return true;
    // A hand-edited file may spell the modifiers in another order; the menus
    // would still give both commands one key, so they are one key here too.
    const KeyCode ka = ParseKeyText(a), kb = ParseKeyText(b);
    return ka.key != 0 && ka == kb;
}

KeyChangeCheck CheckKeyChange(const KeyMapTable& working, const std::wstring& currentKey, const KeyFields& fields) {
    KeyChangeCheck check;
    if (Trim(fields.key).empty() && (fields.shift || fields.ctrl || fields.alt)) {
        check.verdict = KeyChangeVerdict::KeyMissing;
        return check;
    }
    check.newText = ComposeKeyText(fields);
    if (check.newText.empty()) return check;
    if (SameKeyText(check.newText, currentKey)) {
        check.verdict = KeyChangeVerdict::Same;
        return check;
    }
    for (const auto& line : working) {
        if (SameKeyText(check.newText, line.keyText)) {
            check.verdict = KeyChangeVerdict::InUse;
            check.category = line.category;
            return check;
        }
    }
    return check;
}

bool SetKeyOfFunction(KeyMapTable& working, const std::wstring& number, const std::wstring& keyText) {
    KeyMapLine* line = FindKeyMapLine(working, number);
    if (!line) return false;
    line->keyText = keyText;
    return true;
}

std::vector<std::wstring> KeyBoardCategories(const KeyMapTable& working, const std::vector<int>& numbers) {
    std::vector<std::wstring> categories;
    for (int n : numbers)
        if (const KeyMapLine* line = FindKeyMapLine(working, std::to_wstring(n))) categories.push_back(line->category);
    return categories;
}

std::vector<size_t> LinesOfCategory(const KeyMapTable& working, const std::wstring& category) {
    std::vector<size_t> rows;
    for (size_t i = 0; i < working.size(); ++i)
        if (working[i].category == category) rows.push_back(i);
    return rows;
}

}  // namespace quib
