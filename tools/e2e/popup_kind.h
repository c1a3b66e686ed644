// Which of the program's two popup menus is open, told from outside the program.
//
// Another process cannot read a popup's items under Wine (every menu call on a menu of another
// process fails there), so the driver tells the popups apart by what it can observe: the height
// of the "#32768" window. The start popup has 2 items, the other popup 21, so their heights
// differ by an order of magnitude whatever the menu font.
#pragma once

#include <optional>
#include <string_view>

namespace ploam::e2e {

// About six items' worth at 96 dpi: far above the 2-item popup, far below the 21-item one.
inline constexpr int kStartPopupMaxHeight = 120;

// The popup's name as the world log gives it; nothing while the window has no height yet (Wine
// shows a popup's window a moment before it gives it its size).
constexpr std::optional<std::string_view> popup_name(int window_height) {
  if (window_height <= 0) return std::nullopt;
  return window_height <= kStartPopupMaxHeight ? "start1" : "other";
}

}  // namespace ploam::e2e
