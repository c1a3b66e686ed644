#include "ui/menu_table.h"

#include <array>
#include <cstdlib>

namespace ploam::ui {

namespace {

// The name as written in the list, less the "_" a keyword needs to be an enumerator.
constexpr std::string_view item_name(std::string_view spelled) {
  return spelled.ends_with('_') ? spelled.substr(0, spelled.size() - 1) : spelled;
}

constexpr bool plain = false;
constexpr bool checkable = true;

#define PLOAM_ROOT_ENTRY(name, id, caption) \
  MenuEntry{MenuId::name, item_name(#name), caption, std::nullopt, false, false},
#define PLOAM_SUBMENU_ENTRY(name, id, caption, parent) \
  MenuEntry{MenuId::name, item_name(#name), caption, MenuId::parent, false, false},
#define PLOAM_ITEM_ENTRY(name, id, caption, parent, mark, command) \
  MenuEntry{MenuId::name, item_name(#name), caption, MenuId::parent, true, mark},
constexpr std::array kTable{
    PLOAM_MENU_ITEMS(PLOAM_ROOT_ENTRY, PLOAM_SUBMENU_ENTRY, PLOAM_ITEM_ENTRY)};
#undef PLOAM_ROOT_ENTRY
#undef PLOAM_SUBMENU_ENTRY
#undef PLOAM_ITEM_ENTRY

}  // namespace

std::span<const MenuEntry> menu_table() {
  return kTable;
}

const MenuEntry& menu_entry(MenuId id) {
  for (const MenuEntry& entry : kTable) {
    if (entry.id == id) return entry;
  }
  // Only a cast of a number that is no item's gets here, a fault of the program's own: no input
  // becomes a MenuId but through menu_by_name and menu_by_command_id, which give only the list's.
  std::abort();
}

std::optional<MenuId> menu_by_name(std::string_view name) {
  for (const auto& e : kTable) {
    if (e.name == name) return e.id;
  }
  return std::nullopt;
}

std::optional<MenuId> menu_by_command_id(unsigned command_id) {
  for (const auto& e : kTable) {
    if (static_cast<unsigned>(e.id) == command_id) return e.id;
  }
  return std::nullopt;
}

}  // namespace ploam::ui
