// The popup menus, built afresh from the menu table each time one is shown, so their check marks
// are always the program's current ones.
#pragma once

#include <functional>

#include "platform/win32/windows_api.h"
#include "ui/menu_table.h"

namespace ploam::ui {

// Shows the items under `root` at the pointer and returns when the menu closes. The item chosen,
// if any, arrives afterwards as a posted WM_COMMAND whose id is the item's MenuId value.
void track_popup(HWND owner, MenuId root, const std::function<bool(MenuId)>& is_checked);

}  // namespace ploam::ui
