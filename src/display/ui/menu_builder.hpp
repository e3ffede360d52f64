#pragma once
// Builds Qt menus from the command map's entries. Every item carries its
// command number, its prompt (shown in pane 0 of the status bar) and its
// tool tip; whether it is enabled or checked is asked when the menu opens.

#include <QIcon>
#include <QMenu>
#include <functional>
#include <vector>

#include "display/command_map.hpp"

namespace kro {

struct MenuCallbacks {
    std::function<bool(int)> enabled;  // empty: every item enabled
    std::function<bool(int)> checked;  // empty: no check marks
    std::function<void(int)> trigger;
};

// Fills `menu` with `entries`; submenus become child menus. The enabled
// and checked states are refreshed each time a menu opens.
void fill_menu(QMenu& menu, const std::vector<MenuEntry>& entries, const MenuCallbacks& callbacks);

// The picture of a tool-bar button: a 16 x 15 glyph drawn for the command.
QIcon command_icon(int id);

}  // namespace kro
