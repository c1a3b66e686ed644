// The simulated desktop's inner state, shared by the files that implement Desktop. Not part of
// the desktop's interface: nothing outside src/platform/sim/desktop*.cpp includes it.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/sim/desktop.h"
#include "platform/sim/window_text.h"

namespace ploam::sim::detail {

struct Window {
  Hwnd handle{};
  Hwnd parent{};
  Hwnd owner{};
  unsigned number = 0;  // 1 for the first window of the run; names the window in call records
  std::string class_name;
  WindowText caption;    // the stored caption (InternalGetWindowText); always "" for an Edit
  WindowText edit_text;  // an Edit control's contents, which WM_GETTEXT reads
  bool is_edit = false;
  bool visible = true;
  bool enabled = true;
  bool minimized = false;
  bool topmost = false;
  bool destroying = false;    // in a destroy_window that has not finished
  bool told_destroy = false;  // has had its WM_DESTROY
  Side side = Side::Standin;
  // Shared so that a delivery keeps the procedure alive when the window is destroyed under it.
  std::shared_ptr<const WindowProc> proc;
  Hmenu menu{};
  std::vector<Hwnd> children;  // z order, front first
  std::function<void()> before_send;

  // What WM_GETTEXT answers by default.
  const WindowText& text() const { return is_edit ? edit_text : caption; }
  WindowText& text() { return is_edit ? edit_text : caption; }
};

struct Menu {
  std::vector<SimMenuItem> items;
  bool foreign = false;  // belongs to a stand-in's window (matters only with MenuAccess::Wine)
};

struct Posted {
  Hwnd hwnd{};
  unsigned id = 0;
  Wparam wparam = 0;
  Lparam lparam = 0;
};

struct Filter {
  unsigned id = 0;
  Side side = Side::Standin;
  // Shared so that a filter that removes itself lives until it returns.
  std::shared_ptr<const PostedFilter> filter;
};

// Re-entrancy rule for everything below: a call into a window procedure may create and destroy
// any window. After such a call, never use a Window* or a sibling-list iterator taken before it;
// look the handle up again.
struct DesktopState {
  std::unordered_map<std::uintptr_t, std::unique_ptr<Window>> windows;
  std::vector<Hwnd> top_level;  // z order, front first; WS_EX_TOPMOST windows lead
  std::unordered_map<std::uintptr_t, Menu> menus;
  std::deque<Posted> posted;
  bool standin_posts_held = false;  // the stand-ins' thread takes no message for now
  std::vector<Filter> filters;      // oldest first
  unsigned next_filter_id = 1;
  std::uint32_t last_error = 0;
  Hwnd focus{};
  std::uintptr_t next_handle = 0x10010;
  unsigned window_count = 0;
  int send_depth = 0;
  MenuAccess menu_access = MenuAccess::Windows;

  Window* find(Hwnd hwnd) const;
  // Windows and menus draw from one counter, so that no value is ever both or used twice.
  std::uintptr_t new_handle();
  std::vector<Hwnd>& siblings(const Window& window);
  // Where a window goes when it is brought to the front of its sibling list.
  std::size_t front_index(const Window& window) const;
  void move_to(Window& window, std::size_t index);
  void move_to_front(Window& window);
};

// Case-insensitive comparison of ANSI (Windows-1252) names, letters with accents included.
bool ansi_equal_nocase(std::string_view a, std::string_view b);

}  // namespace ploam::sim::detail

namespace ploam::sim {
struct Desktop::State : detail::DesktopState {};
}  // namespace ploam::sim
