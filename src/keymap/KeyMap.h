#pragma once
// The key map of a window: its lines, its files beside the program, the
// start-up check against the built-in table, and the difference files that
// carry the user's changes across a reset. Any keyboard-driven window uses
// these with its own built-in table.
#include <windows.h>

#include <string>
#include <vector>

#include "util/TextFile.h"

namespace quib {

// One command of a key map: four tab-separated fields in the file.
struct KeyMapLine {
    std::wstring category;  // the command's group ("ファイル", "操作", ...)
    std::wstring caption;   // the menu caption with its & marks, when the table was built
    std::wstring keyText;   // "Shift+Ctrl+Home"; empty for no key
    std::wstring number;    // four-digit function number = the menu item's Tag
    friend bool operator==(const KeyMapLine&, const KeyMapLine&) = default;
};

// A built-in table or a working map: lines in file order.
using KeyMapTable = std::vector<KeyMapLine>;

// A text line cut at its tabs; missing fields stay empty, fields beyond the
// fourth are dropped.
KeyMapLine ParseKeyMapLine(const std::wstring& line);
std::wstring KeyMapLineText(const KeyMapLine& line);
KeyMapLine MakeKeyMapLine(std::wstring category, std::wstring caption, std::wstring keyText, int number);

// The program's own text files: UTF-16 little-endian with a byte-order mark,
// CR LF after every line. Reading skips a byte-order mark when there is one.
// False when the file is missing or cannot be read / written.
bool ReadKeyMapFile(const std::wstring& path, KeyMapTable& table);
bool WriteKeyMapFile(const std::wstring& path, const KeyMapTable& table);
bool KeyMapFileExists(const std::wstring& path);

// The function numbers (fourth fields) of the lines, sorted.
std::vector<std::wstring> GetFunctionList(const KeyMapTable& table);
// The first line whose fourth field equals the number exactly ("1101x" is
// not the line of 1101); null when there is none.
const KeyMapLine* FindKeyMapLine(const KeyMapTable& table, const std::wstring& number);
KeyMapLine* FindKeyMapLine(KeyMapTable& table, const std::wstring& number);

// The keyboard-driven windows and their files in the program folder.
enum class KeyMapWindow { Main, Text, Image, Player, PopUp, Browse, Tree };

struct KeyMapWindowInfo {
    KeyMapWindow window;
    const wchar_t* parentName;    // value of [FormKeyBoard] Parent
    const wchar_t* keyMapFile;    // "quibFMarchive-KeyMap.txt"
    const wchar_t* diffFile;      // "quibFMarchive-KeyDiff.txt"
    const wchar_t* languageFile;  // the window's language file ("Main.txt")
};

const std::vector<KeyMapWindowInfo>& KeyMapWindows();
const KeyMapWindowInfo& KeyMapWindowOf(KeyMapWindow window);
// The window a [FormKeyBoard] Parent value names (any case); null for an
// unknown name.
const KeyMapWindowInfo* KeyMapWindowByParent(const std::wstring& parentName);
// Full paths in the program folder.
std::wstring KeyMapFilePath(KeyMapWindow window);
std::wstring KeyDiffFilePath(KeyMapWindow window);
// The window's language file: "Language\<program name without extension>\"
// below the program folder, then its name ("Main.txt", "Popup.txt", ...).
std::wstring KeyMapLanguageFilePath(KeyMapWindow window);

// Start-up check of a window's key-map file against its built-in table.
// A missing file is written from the built-in table (true: same). A file
// whose line count or sorted function numbers differ from the built-in
// table's is overwritten with it (false: the caller tells the user once).
// Otherwise the file is used as it is (true). The working map ends as the
// map in force. A failed write leaves the built-in table in force. A file
// that exists but cannot be read is never overwritten: the built-in table
// serves the run and the user is told (true).
bool CheckKeyMapFile(const std::wstring& keyMapPath, const KeyMapTable& builtIn, KeyMapTable& working);

// The working-map lines whose key text differs from that of the built-in
// line with the same function number, unchanged and in working-map order;
// lines with a number the built-in table lacks are left out.
KeyMapTable KeyMapDifference(const KeyMapTable& working, const KeyMapTable& builtIn);
// Each difference line gives its key text to the first working line with the
// same function number; category, caption and number of the working line
// stay. Difference lines with a number the working map lacks are ignored.
void MergeKeyMapDifference(KeyMapTable& working, const KeyMapTable& difference);

// The keyboard dialog's "変更分を保存": asks, then replaces the difference
// file with KeyMapDifference and reports it. True when the file was written.
bool SaveKeyMapDifference(HWND owner, const KeyMapTable& working, const KeyMapTable& builtIn,
                          const std::wstring& diffPath);
// The keyboard dialog's "変更分を反映": asks, then merges the difference file
// into the working map and writes the working map to the key-map file. A
// missing difference file is reported and changes nothing. True when the
// key-map file was written.
bool ApplyKeyMapDifference(HWND owner, KeyMapTable& working, const std::wstring& diffPath,
                           const std::wstring& keyMapPath);

}  // namespace quib
