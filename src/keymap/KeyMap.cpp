#include "keymap/KeyMap.h"

#include <algorithm>

#include "util/IniFile.h"
#include "util/Message.h"
#include "util/StrConv.h"

namespace quib {

KeyMapLine ParseKeyMapLine(const std::wstring& text) {
    std::wstring fields[4];
    size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const size_t tab = text.find(L'\t', start);
        if (tab == std::wstring::npos) {
            fields[i] = text.substr(start);
            break;
        }
        fields[i] = text.substr(start, tab - start);
        start = tab + 1;
    }
    return KeyMapLine{fields[0], fields[1], fields[2], fields[3]};
}

std::wstring KeyMapLineText(const KeyMapLine& line) {
    return line.category + L"\t" + line.caption + L"\t" + line.keyText + L"\t" + line.number;
}

KeyMapLine MakeKeyMapLine(std::wstring category, std::wstring caption, std::wstring keyText, int number) {
    return KeyMapLine{std::move(category), std::move(caption), std::move(keyText), std::to_wstring(number)};
}

bool KeyMapFileExists(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}


bool ReadKeyMapFile(const std::wstring& path, KeyMapTable& table) {
    table.clear();
    std::vector<std::wstring> lines;
    if (!ReadUtf16Lines(path, lines)) return false;
    table.reserve(lines.size());
    for (const auto& l : lines) table.push_back(ParseKeyMapLine(l));
    return true;
}

bool WriteKeyMapFile(const std::wstring& path, const KeyMapTable& table) {
    std::vector<std::wstring> lines;
    lines.reserve(table.size());
    for (const auto& l : table) lines.push_back(KeyMapLineText(l));
    return WriteUtf16Lines(path, lines);
}

std::vector<std::wstring> GetFunctionList(const KeyMapTable& table) {
    std::vector<std::wstring> numbers;
    numbers.reserve(table.size());
    for (const auto& l : table) numbers.push_back(l.number);
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

const KeyMapLine* FindKeyMapLine(const KeyMapTable& table, const std::wstring& number) {
    for (const auto& l : table)
        if (l.number == number) return &l;
    return nullptr;
}

KeyMapLine* FindKeyMapLine(KeyMapTable& table, const std::wstring& number) {
    for (auto& l : table)
        if (l.number == number) return &l;
    return nullptr;
}

const std::vector<KeyMapWindowInfo>& KeyMapWindows() {
    // The browse and tree windows name their difference files "KeyDif": the
    // names are part of the users' folders and stay as they are.
    static const std::vector<KeyMapWindowInfo> windows = {
        {KeyMapWindow::Main, L"Main", L"quibFMarchive-KeyMap.txt", L"quibFMarchive-KeyDiff.txt", L"Main.txt"},
        {KeyMapWindow::Text, L"Text", L"quibFMarchive-KeyMapText.txt", L"quibFMarchive-KeyDiffText.txt",
         L"Text.txt"},
        {KeyMapWindow::Image, L"Image", L"quibFMarchive-KeyMapImage.txt", L"quibFMarchive-KeyDiffImage.txt",
         L"Image.txt"},
        {KeyMapWindow::Player, L"Player", L"quibFMarchive-KeyMapPlayer.txt", L"quibFMarchive-KeyDiffPlayer.txt",
         L"Player.txt"},
        {KeyMapWindow::PopUp, L"PopUp", L"quibFMarchive-KeyMapPopUp.txt", L"quibFMarchive-KeyDiffPopUp.txt",
         L"Popup.txt"},
        {KeyMapWindow::Browse, L"Browse", L"quibFMarchive-KeyMapBrowse.txt", L"quibFMarchive-KeyDifBrowse.txt",
         L"Browse.txt"},
        {KeyMapWindow::Tree, L"Tree", L"quibFMarchive-KeyMapTree.txt", L"quibFMarchive-KeyDifTree.txt",
         L"Tree.txt"},
    };
    return windows;
}

const KeyMapWindowInfo& KeyMapWindowOf(KeyMapWindow window) {
    for (const auto& w : KeyMapWindows())
        if (w.window == window) return w;
    return KeyMapWindows().front();
}

const KeyMapWindowInfo* KeyMapWindowByParent(const std::wstring& parentName) {
    for (const auto& w : KeyMapWindows())
        if (EqualsNoCase(parentName, w.parentName)) return &w;
    return nullptr;
}

std::wstring KeyMapFilePath(KeyMapWindow window) {
    return ProgramFolder() + L"\\" + KeyMapWindowOf(window).keyMapFile;
}

std::wstring KeyDiffFilePath(KeyMapWindow window) {
    return ProgramFolder() + L"\\" + KeyMapWindowOf(window).diffFile;
}

std::wstring KeyMapLanguageFilePath(KeyMapWindow window) {
    const std::wstring program = ProgramPath();
    std::wstring name = program.substr(program.find_last_of(L"\\/") + 1);
    if (const size_t dot = name.find_last_of(L'.'); dot != std::wstring::npos) name.erase(dot);
    return ProgramFolder() + L"\\Language\\" + name + L"\\" + KeyMapWindowOf(window).languageFile;
}

bool CheckKeyMapFile(const std::wstring& keyMapPath, const KeyMapTable& builtIn, KeyMapTable& working) {
    if (!KeyMapFileExists(keyMapPath)) {
        working = builtIn;
        WriteKeyMapFile(keyMapPath, working);
        return true;
    }
    KeyMapTable fromFile;
    if (!ReadKeyMapFile(keyMapPath, fromFile)) {
        // A file that is there but cannot be read (locked, no permission)
        // holds the user's keys: it is left alone, the built-in keys serve
        // this run, and the user is told why.
        working = builtIn;
        ShowMsgJE(nullptr, L"Error : キーボード設定のファイルが読み込めませんでした\r\n" + keyMapPath,
                  L"Error : Key board map file can not read.\r\n" + keyMapPath + L"\r\n[OK]", MsgButtons::Ok,
                  MsgStyle::Error);
        return true;
    }
    if (fromFile.size() == builtIn.size() && GetFunctionList(fromFile) == GetFunctionList(builtIn)) {
        working = std::move(fromFile);
        return true;
    }
    working = builtIn;
    WriteKeyMapFile(keyMapPath, working);
    return false;
}

KeyMapTable KeyMapDifference(const KeyMapTable& working, const KeyMapTable& builtIn) {
    KeyMapTable diff;
    for (const auto& line : working) {
        const KeyMapLine* original = FindKeyMapLine(builtIn, line.number);
        if (original && original->keyText != line.keyText) diff.push_back(line);
    }
    return diff;
}

void MergeKeyMapDifference(KeyMapTable& working, const KeyMapTable& difference) {
    for (const auto& d : difference)
        if (KeyMapLine* w = FindKeyMapLine(working, d.number)) w->keyText = d.keyText;
}

namespace {

void ShowWriteError(HWND owner, const std::wstring& path) {
    ShowMsgJE(owner, L"Error : ファイルが保存できませんでした\r\n" + path,
              L"Error : File can not save.\r\n" + path + L"\r\n[OK]", MsgButtons::Ok, MsgStyle::Error);
}

}  // namespace

bool SaveKeyMapDifference(HWND owner, const KeyMapTable& working, const KeyMapTable& builtIn,
                          const std::wstring& diffPath) {
    if (ShowMsgJE(owner, L"Information : 変更分をファイルに上書で保存しますか？",
                  L"Information : Overwrite change items to file ?\r\n[YES] / [NO]", MsgButtons::YesNo,
                  MsgStyle::Question) != IDYES)
        return false;
    if (!WriteKeyMapFile(diffPath, KeyMapDifference(working, builtIn))) {
        ShowWriteError(owner, diffPath);
        return false;
    }
    ShowMsgJE(owner, L"Information : ファイルが保存されました\r\n" + diffPath,
              L"Information : File saved.\r\n" + diffPath + L"\r\n[OK]");
    return true;
}

bool ApplyKeyMapDifference(HWND owner, KeyMapTable& working, const std::wstring& diffPath,
                           const std::wstring& keyMapPath) {
    if (ShowMsgJE(owner, L"Information : 変更分を反映し、ファイルに保存しますか？",
                  L"Information : Replace different items, and save to file ?\r\n[YES] / [NO]", MsgButtons::YesNo,
                  MsgStyle::Question) != IDYES)
        return false;
    KeyMapTable difference;
    if (!KeyMapFileExists(diffPath) || !ReadKeyMapFile(diffPath, difference)) {
        ShowMsgJE(owner, L"Information : ファイルがありません\r\n" + diffPath,
                  L"Information : File is not exist.\r\n" + diffPath + L"\r\n[OK]");
        return false;
    }
    MergeKeyMapDifference(working, difference);
    if (!WriteKeyMapFile(keyMapPath, working)) {
        ShowWriteError(owner, keyMapPath);
        return false;
    }
    ShowMsgJE(owner, L"Information : ファイルを読み込み反映しました\r\n" + keyMapPath,
              L"Information : Read file and Update items.\r\n" + keyMapPath + L"\r\n[OK]");
    return true;
}

}  // namespace quib
