#pragma once
// What the key-map viewer and the keyboard dialog show of a key map: lines
// rewritten into the interface language, and the lines grouped by modifiers.
#include <string>
#include <vector>

#include "keymap/KeyMap.h"

namespace quib {

struct CategoryPair {
    const wchar_t* japanese;
    const wchar_t* english;
};

// The 16 category pairs the key-map viewer translates.
const std::vector<CategoryPair>& ViewerCategoryPairs();
// The 20 pairs of the keyboard dialog (the viewer's and "検索", "文字コード",
// "表示項目", "テキスト"), in the order they are tested.
const std::vector<CategoryPair>& KeyBoardCategoryPairs();

// Either member of the first pair that holds the category becomes the member
// of the language; a category of no pair stays.
std::wstring TranslateCategory(const std::wstring& category, bool japanese, const std::vector<CategoryPair>& pairs);

// Rewrites the lines into a language with the window's language-file lines:
// the first language-file line whose tag field equals a line's function
// number gives the caption (its Japanese or English field), and the line's
// category is translated by the pairs. Key text and number stay. A line
// without a language-file line stays as it is, category included.
void SetKeyMapJpnEng(KeyMapTable& table, const std::vector<std::wstring>& languageLines, bool japanese,
                     const std::vector<CategoryPair>& pairs);
// The same with the language file on disk; a missing file changes nothing
// (false).
bool SetKeyMapJpnEngFromFile(KeyMapTable& table, const std::wstring& languageFile, bool japanese,
                             const std::vector<CategoryPair>& pairs);

// Viewer groups of a key text, in display order: 0 no modifier, 1 Shift,
// 2 Shift+Ctrl, 3 Shift+Alt, 4 Shift+Ctrl+Alt, 5 Ctrl, 6 Ctrl+Alt, 7 Alt,
// 8 no key.
int KeySortGroup(const std::wstring& keyText);
// The sort key inside a group: a four-digit modifier rank (1000, plus 100 for
// "Shift+", 10 for "Ctrl+", 1 for "Alt+") and the key text without the
// modifier words and blanks.
std::wstring KeySortKey(const std::wstring& keyText);
// The lines in the viewer's sorted order: the nine groups one after the
// other, each ordered by its sort key without regard to case (equal keys
// keep their order).
KeyMapTable GetKeySort1(const KeyMapTable& table);

}  // namespace quib
