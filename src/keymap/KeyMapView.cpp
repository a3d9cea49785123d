#include "keymap/KeyMapView.h"

#include <windows.h>

#include <algorithm>

#include "util/MyUtility.h"

namespace quib {

const std::vector<CategoryPair>& ViewerCategoryPairs() {
    static const std::vector<CategoryPair> pairs = {
        {L"Key", L"Key"},       {L"Shift+Key", L"Shift+Key"}, {L"Crl+Key", L"Crl+Key"}, {L"その他のkey", L"OtherKey"},
        {L"ドライブ", L"Drive"}, {L"ランチャー", L"Launcher"}, {L"ヘルプ", L"Help"},     {L"ファイル", L"File"},
        {L"操作", L"Operation"}, {L"Jpn/Eng", L"Jpn/Eng"},     {L"編集", L"Edit"},       {L"表示", L"View"},
        {L"移動", L"Move"},      {L"オプション", L"Option"},   {L"拡張", L"Expand"},     {L"設定", L"Setting"},
    };
    return pairs;
}

const std::vector<CategoryPair>& KeyBoardCategoryPairs() {
    static const std::vector<CategoryPair> pairs = {
        {L"Key", L"Key"},           {L"Shift+Key", L"Shift+Key"}, {L"Crl+Key", L"Crl+Key"},
        {L"その他のkey", L"OtherKey"}, {L"ファイル", L"File"},       {L"操作", L"Operation"},
        {L"設定", L"Setting"},       {L"拡張", L"Expand"},         {L"ヘルプ", L"Help"},
        {L"検索", L"Search"},        {L"編集", L"Edit"},           {L"文字コード", L"Code"},
        {L"表示", L"View"},          {L"表示項目", L"Info"},       {L"移動", L"Move"},
        {L"テキスト", L"Text"},      {L"ドライブ", L"Drive"},       {L"ランチャー", L"Launcher"},
        {L"Jpn/Eng", L"Jpn/Eng"},    {L"オプション", L"Option"},
    };
    return pairs;
}

std::wstring TranslateCategory(const std::wstring& category, bool japanese, const std::vector<CategoryPair>& pairs) {
    for (const auto& p : pairs)
        if (category == p.japanese || category == p.english) return japanese ? p.japanese : p.english;
    return category;
}

void SetKeyMapJpnEng(KeyMapTable& table, const std::vector<std::wstring>& languageLines, bool japanese,
                     const std::vector<CategoryPair>& pairs) {
    // Tag -> caption of that language, first line of a tag wins.
    const size_t field = japanese ? 4 : 5;
    std::vector<std::pair<std::wstring, std::wstring>> captions;
    std::vector<std::wstring> fields;
    for (const auto& line : languageLines) {
        fields.clear();
        StringToCsvList(line, fields);
        // A short line names no caption; reading past its end would be reading garbage.
        if (fields.size() <= field) continue;
        captions.emplace_back(fields[0], fields[field]);
    }
    for (auto& line : table) {
        for (const auto& c : captions) {
            if (c.first == line.number) {
                line.category = TranslateCategory(line.category, japanese, pairs);
                line.caption = c.second;
                break;
            }
        }
    }
}

bool SetKeyMapJpnEngFromFile(KeyMapTable& table, const std::wstring& languageFile, bool japanese,
                             const std::vector<CategoryPair>& pairs) {
    std::vector<std::wstring> lines;
    if (!KeyMapFileExists(languageFile) || !ReadUtf16Lines(languageFile, lines)) return false;
    SetKeyMapJpnEng(table, lines, japanese, pairs);
    return true;
}

namespace {

bool Has(const std::wstring& text, const wchar_t* word) { return text.find(word) != std::wstring::npos; }

bool IsBlankText(const std::wstring& text) {
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c <= L' '; });
}

}  // namespace

int KeySortGroup(const std::wstring& keyText) {
    if (IsBlankText(keyText)) return 8;
    const bool shift = Has(keyText, L"Shift+"), ctrl = Has(keyText, L"Ctrl+"), alt = Has(keyText, L"Alt+");
    if (shift) {
        if (ctrl) return alt ? 4 : 2;
        return alt ? 3 : 1;
    }
    if (ctrl) return alt ? 6 : 5;
    return alt ? 7 : 0;
}

std::wstring KeySortKey(const std::wstring& keyText) {
    int rank = 1000;
    if (Has(keyText, L"Shift+")) rank += 100;
    if (Has(keyText, L"Ctrl+")) rank += 10;
    if (Has(keyText, L"Alt+")) rank += 1;
    std::wstring rest = keyText;
    for (const wchar_t* word : {L"Shift+", L"Ctrl+", L"Alt+", L" "}) {
        const std::wstring w = word;
        for (size_t at = rest.find(w); at != std::wstring::npos; at = rest.find(w, at)) rest.erase(at, w.size());
    }
    return std::to_wstring(rank) + rest;
}

KeyMapTable GetKeySort1(const KeyMapTable& table) {
    struct Entry {
        int group;
        std::wstring key;
        const KeyMapLine* line;
    };
    std::vector<Entry> entries;
    entries.reserve(table.size());
    for (const auto& l : table) entries.push_back({KeySortGroup(l.keyText), KeySortKey(l.keyText), &l});
    // The user's locale orders the key names as the system orders any text.
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (a.group != b.group) return a.group < b.group;
        return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE | SORT_STRINGSORT, a.key.c_str(),
                              static_cast<int>(a.key.size()), b.key.c_str(),
                              static_cast<int>(b.key.size())) == CSTR_LESS_THAN;
    });
    KeyMapTable sorted;
    sorted.reserve(table.size());
    for (const auto& e : entries) sorted.push_back(*e.line);
    return sorted;
}

}  // namespace quib
