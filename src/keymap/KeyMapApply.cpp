#include "keymap/KeyMapApply.h"

#include "app/FormBase.h"

namespace quib {

static_assert(int{kKeyShift} == int{kModShift} && int{kKeyAlt} == int{kModAlt} && int{kKeyCtrl} == int{kModCtrl},
              "key texts and menu shortcuts share their modifier bits");

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

void SetShortCutNew(TFormBase& form, const KeyMapTable& working, const std::wstring& number, int menuTag,
                    bool initialSearchOn) {
    const KeyMapLine* line = FindKeyMapLine(working, number);
    const std::optional<KeyCode> code = ShortCutForKeyText(line ? line->keyText : std::wstring(), initialSearchOn);
    if (!code) return;
    form.SetShortCut(menuTag, ShortCut{code->key, code->mods});
}

void ApplyKeyMap(TFormBase& form, const KeyMapTable& builtIn, const KeyMapTable& working, bool initialSearchOn) {
    if (working.empty()) return;
    for (const auto& command : builtIn) {
        // Built-in numbers are the menu Tags; anything else names no item.
        const int tag = _wtoi(command.number.c_str());
        if (tag <= 0) continue;
        SetShortCutNew(form, working, command.number, tag, initialSearchOn);
    }
}

void SetShortCutKey(TFormBase& form, const std::wstring& keyMapPath, const KeyMapTable& builtIn,
                    KeyMapTable& working, bool initialSearchOn) {
    if (KeyMapFileExists(keyMapPath)) {
        ReadKeyMapFile(keyMapPath, working);
    } else {
        WriteKeyMapFile(keyMapPath, working);
    }
    ApplyKeyMap(form, builtIn, working, initialSearchOn);
}

}  // namespace quib
