#pragma once
// A window's commands as data: where each sits in the menus, its Tag (the
// function number of the key map and the menu item's command id), its caption,
// its default key and what it runs. The menus, the built-in key table, the
// language-file checks and the help texts are all made from one such table, so
// they cannot drift apart.
#include <vector>

namespace quib {

class TFormBase;

// A command handler: a member function of the window that owns the table.
using CommandHandler = void (TFormBase::*)();

// Converts a member function of a window class to a handler of its table.
template <class Form>
constexpr CommandHandler Handler(void (Form::*member)()) {
    return static_cast<CommandHandler>(member);
}

enum CommandFlags : unsigned {
    kCommandPlain = 0,
    // A separator line above the item in its menu.
    kCommandSeparatorBefore = 1,
    // The item is a check mark the command turns over before its handler runs.
    kCommandToggle = 2,
};

struct FormCommand {
    int tag;                  // function number, also the menu item's command id
    const wchar_t* category;  // key-map category = the top-level menu it sits in
    const wchar_t* name;      // the menu item's name (MenuOpen, ...)
    const wchar_t* caption;   // Japanese caption with its & marks
    const wchar_t* key;       // default key text, empty for none
    unsigned flags = kCommandPlain;
    CommandHandler handler = nullptr;

    bool SeparatorBefore() const { return (flags & kCommandSeparatorBefore) != 0; }
    bool Toggle() const { return (flags & kCommandToggle) != 0; }
};

// A top-level menu: the category its commands carry, its caption and the Tag
// the language file knows it by (no key-map line). A pop-up menu is not on a
// menu bar: a control shows it (AttachPopupMenu); its keys work all the same.
// A window may have several menu bars and show one at a time (a viewer swaps
// in its search menu); bar 0 is the one it starts with.
struct FormMenu {
    const wchar_t* category;
    const wchar_t* caption;
    int tag;
    bool popup = false;
    int bar = 0;
};

struct CommandTable {
    std::vector<FormMenu> menus;       // menu-bar order
    std::vector<FormCommand> commands; // key-table order
    const FormCommand* Find(int tag) const {
        for (const auto& c : commands)
            if (c.tag == tag) return &c;
        return nullptr;
    }
};

}  // namespace quib
