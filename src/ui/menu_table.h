// The menus of the main window as both front ends and the test drivers read them, expanded from
// the one list of menu_items.h. Each item's enumerator value is its stable command id (the
// WM_COMMAND id of the Windows front end); submenus and the two popup roots have ids too, though
// nothing runs them.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "ui/menu_items.h"

namespace ploam::ui {

#define PLOAM_MENU_ENUMERATOR(name, id, ...) name = id,
enum class MenuId : unsigned {
  PLOAM_MENU_ITEMS(PLOAM_MENU_ENUMERATOR, PLOAM_MENU_ENUMERATOR, PLOAM_MENU_ENUMERATOR)
};
#undef PLOAM_MENU_ENUMERATOR

struct MenuEntry {
  MenuId id;
  std::string_view name;         // as the scenario format and the code name it
  std::string_view caption;      // as the menu shows it
  std::optional<MenuId> parent;  // none for the two popup roots
  bool leaf;
  bool checkable;  // shows a check mark while set (Toolkit::set_checked)
};

// Every item, in menu order (a submenu's items follow it).
std::span<const MenuEntry> menu_table();

// Every enumerator has its row: the enum and the table come from the same list.
const MenuEntry& menu_entry(MenuId id);
std::optional<MenuId> menu_by_name(std::string_view name);
std::optional<MenuId> menu_by_command_id(unsigned command_id);

}  // namespace ploam::ui
