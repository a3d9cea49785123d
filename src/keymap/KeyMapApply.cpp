#include "keymap/KeyMapApply.h"

namespace quib {

std::optional<KeyCode> ShortCutForKeyText(const std::wstring& keyText, bool initialSearchOn) {
    const KeyCode code = ParseKeyText(keyText);
    if (!initialSearchOn) return code;
    if (KeyTextModifiers(keyText) != 0) return std::nullopt;
    if (IsDigitOrLetterKey(code.key)) return KeyCode{};
    return code;
}

KeyCode KeyOfFunction(const KeyMapTable& working, const std::wstring& number) {
    const KeyMapLine* line = FindKeyMapLine(working, number);
    return line ? ParseKeyText(line->keyText) : KeyCode{};
}

std::optional<KeyCode> ShortCutOfFunction(const KeyMapTable& working, const std::wstring& number,
                                          bool initialSearchOn) {
    const KeyMapLine* line = FindKeyMapLine(working, number);
    return ShortCutForKeyText(line ? line->keyText : std::wstring(), initialSearchOn);
}

std::vector<std::pair<int, KeyCode>> KeyMapShortCuts(const KeyMapTable& builtIn, const KeyMapTable& working,
                                                     bool initialSearchOn) {
    std::vector<std::pair<int, KeyCode>> keys;
    if (working.empty()) return keys;
    keys.reserve(builtIn.size());
    for (const auto& command : builtIn) {
        // Built-in numbers are the menu Tags; anything else names no item.
        const int tag = _wtoi(command.number.c_str());
        if (tag <= 0) continue;
        if (const auto key = ShortCutOfFunction(working, command.number, initialSearchOn)) keys.emplace_back(tag, *key);
    }
    return keys;
}

void LoadKeyMapFile(const std::wstring& keyMapPath, KeyMapTable& working) {
    if (KeyMapFileExists(keyMapPath)) {
        // An unreadable file leaves the map in force as it was.
        KeyMapTable fromFile;
        if (ReadKeyMapFile(keyMapPath, fromFile)) working = std::move(fromFile);
    } else {
        WriteKeyMapFile(keyMapPath, working);
    }
}

}  // namespace quib
