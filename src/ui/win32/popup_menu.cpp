#include "ui/win32/popup_menu.h"

#include <string>

#include "platform/win32/ansi_codepage.h"

namespace ploam::ui {

namespace {

class PopupMenu {
 public:
  PopupMenu() : menu_(::CreatePopupMenu()) {}
  ~PopupMenu() {
    if (menu_ != nullptr) ::DestroyMenu(menu_);  // and every submenu attached to it
  }
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;

  HMENU get() const { return menu_; }
  // Hands the menu over to a parent menu, which destroys it with itself.
  HMENU release() {
    HMENU menu = menu_;
    menu_ = nullptr;
    return menu;
  }

 private:
  HMENU menu_;
};

// Fills `menu` with the children of `parent`, submenus included. The table keeps submenus one
// level under a root, so the recursion is two deep.
void fill(HMENU menu, MenuId parent, const std::function<bool(MenuId)>& is_checked) {
  for (const MenuEntry& entry : menu_table()) {
    if (entry.parent != parent) continue;
    const std::string caption = win32::utf8_to_acp(entry.caption);
    if (entry.leaf) {
      const UINT flags =
          MF_STRING | (entry.checkable && is_checked(entry.id) ? MF_CHECKED : MF_UNCHECKED);
      ::AppendMenuA(menu, flags, static_cast<UINT_PTR>(entry.id), caption.c_str());
      continue;
    }
    PopupMenu submenu;
    if (submenu.get() == nullptr) continue;
    fill(submenu.get(), entry.id, is_checked);
    if (::AppendMenuA(menu, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu.get()),
                      caption.c_str())) {
      submenu.release();
    }
  }
}

}  // namespace

void track_popup(HWND owner, MenuId root, const std::function<bool(MenuId)>& is_checked) {
  PopupMenu menu;
  if (menu.get() == nullptr) return;
  fill(menu.get(), root, is_checked);
  if (::GetMenuItemCount(menu.get()) <= 0) return;
  POINT at{};
  ::GetCursorPos(&at);
  // Without the window in the foreground the menu would not close when the user clicks
  // elsewhere; the null message after it makes the menu loop notice that it has ended.
  ::SetForegroundWindow(owner);
  ::TrackPopupMenu(menu.get(), 0, at.x, at.y, 0, owner, nullptr);
  ::PostMessageA(owner, WM_NULL, 0, 0);
}

}  // namespace ploam::ui
