#include "keymap/MainKeyMap.h"

#include "app/FormBase.h"
#include "app/MainMenuTable.h"
#include "keymap/KeyText.h"

namespace quib {

KeyMapTable InitMainKeyMap(int /*variant*/, const TFormBase* window) {
    KeyMapTable table;
    table.reserve(MainCommands().size());
    for (const auto& c : MainCommands()) {
        std::wstring caption = window ? window->MenuItemCaption(c.tag) : std::wstring();
        if (caption.empty()) caption = c.caption;
        // The key text goes through the code and back, so the file always
        // carries the canonical spelling of the key.
        table.push_back(MakeKeyMapLine(c.category, caption, FormatKeyText(ParseKeyText(c.key)), c.tag));
    }
    return table;
}

}  // namespace quib
