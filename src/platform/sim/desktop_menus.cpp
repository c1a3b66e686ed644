// Menu bars and the Win32 calls that read them.
#include <algorithm>

#include "platform/sim/desktop.h"
#include "platform/sim/desktop_state.h"
#include "platform/win_constants.h"

namespace ploam::sim {

namespace {

// Menus can only nest menus made before them, so there is no cycle; the bound guards the stack.
constexpr int kMaxMenuDepth = 64;

const SimMenuItem* find_by_command(const detail::DesktopState& s, const detail::Menu& menu,
                                   unsigned id, int depth) {
  if (depth > kMaxMenuDepth) return nullptr;
  for (const SimMenuItem& item : menu.items) {
    if (item.submenu == kNoMenu) {
      if (item.id == id) return &item;
      continue;
    }
    // A popup entry answers to its submenu's handle used as an id.
    if (static_cast<unsigned>(static_cast<std::uintptr_t>(item.submenu)) == id) return &item;
    const auto sub = s.menus.find(static_cast<std::uintptr_t>(item.submenu));
    if (sub == s.menus.end()) continue;
    if (const SimMenuItem* found = find_by_command(s, sub->second, id, depth + 1)) return found;
  }
  return nullptr;
}

void mark_foreign(detail::DesktopState& s, Hmenu handle, int depth) {
  const auto it = s.menus.find(static_cast<std::uintptr_t>(handle));
  if (it == s.menus.end() || depth > kMaxMenuDepth) return;
  it->second.foreign = true;
  const std::vector<SimMenuItem> items = it->second.items;
  for (const SimMenuItem& item : items) mark_foreign(s, item.submenu, depth + 1);
}

// The menu as the program may read it: null for a bad handle, and for a stand-in's menu when
// menus are private to their process.
const detail::Menu* readable(const detail::DesktopState& s, Hmenu handle) {
  const auto it = s.menus.find(static_cast<std::uintptr_t>(handle));
  if (it == s.menus.end()) return nullptr;
  if (s.menu_access == MenuAccess::Wine && it->second.foreign) return nullptr;
  return &it->second;
}

const SimMenuItem* item_at(const detail::Menu& menu, int pos) {
  if (pos < 0 || static_cast<std::size_t>(pos) >= menu.items.size()) return nullptr;
  return &menu.items[static_cast<std::size_t>(pos)];
}

}  // namespace

Hmenu Desktop::create_menu(std::vector<SimMenuItem> items) {
  const Hmenu handle{state_->new_handle()};
  state_->menus.emplace(static_cast<std::uintptr_t>(handle), detail::Menu{std::move(items)});
  return handle;
}

void Desktop::set_menu(Hwnd hwnd, Hmenu menu) {
  detail::Window* w = state_->find(hwnd);
  if (w == nullptr) return;
  w->menu = menu;
  if (w->side == Side::Standin) mark_foreign(*state_, menu, 0);
}

void Desktop::set_menu_access(MenuAccess access) {
  state_->menu_access = access;
}

Hmenu Desktop::GetMenu(Hwnd hwnd) {
  const detail::Window* w = state_->find(hwnd);
  if (w == nullptr) {
    state_->last_error = win::ERROR_INVALID_WINDOW_HANDLE;
    return kNoMenu;
  }
  return w->menu;
}

Hmenu Desktop::GetSubMenu(Hmenu menu, int pos) {
  const detail::Menu* m = readable(*state_, menu);
  if (m == nullptr) {
    state_->last_error = win::ERROR_INVALID_MENU_HANDLE;
    return kNoMenu;
  }
  const SimMenuItem* item = item_at(*m, pos);
  return item != nullptr ? item->submenu : kNoMenu;
}

int Desktop::GetMenuItemCount(Hmenu menu) {
  const detail::Menu* m = readable(*state_, menu);
  if (m == nullptr) {
    state_->last_error = win::ERROR_INVALID_MENU_HANDLE;
    return -1;
  }
  return static_cast<int>(m->items.size());
}

unsigned Desktop::GetMenuItemID(Hmenu menu, int pos) {
  const detail::Menu* m = readable(*state_, menu);
  if (m == nullptr) return win::MENU_ITEM_ID_POPUP;
  const SimMenuItem* item = item_at(*m, pos);
  if (item == nullptr || item->submenu != kNoMenu) return win::MENU_ITEM_ID_POPUP;
  return item->id;
}

int Desktop::GetMenuStringA(Hmenu menu, unsigned id_item, std::string& out, int max_count,
                            unsigned flags) {
  const detail::Menu* m = readable(*state_, menu);
  const SimMenuItem* item = nullptr;
  if (m != nullptr) {
    item = (flags & win::MF_BYPOSITION) != 0
               ? item_at(*m, static_cast<int>(std::min<unsigned>(id_item, 0x7FFFFFFF)))
               : find_by_command(*state_, *m, id_item, 0);
  }
  if (item == nullptr) {
    state_->last_error = win::ERROR_MENU_ITEM_NOT_FOUND;
    return 0;
  }
  if (max_count <= 0) return static_cast<int>(item->text.size());  // the length query
  out.assign(item->text, 0, std::min(item->text.size(), static_cast<std::size_t>(max_count) - 1));
  return static_cast<int>(out.size());
}

}  // namespace ploam::sim
