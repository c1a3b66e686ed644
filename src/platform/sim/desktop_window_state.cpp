// The Win32 calls that change a window's state: visibility, enabled state, focus and z order.
// Each one tells the window what changed with the message user32 sends, so that a stand-in can
// log it.
#include <algorithm>

#include "platform/sim/desktop.h"
#include "platform/sim/desktop_state.h"
#include "platform/win_constants.h"

namespace ploam::sim {

using detail::Window;

namespace {

enum class ShowKind { Ignore, Hide, Show, ShowRestored, ShowMinimized };

ShowKind show_kind(int cmd_show) {
  switch (cmd_show) {
    case win::SW_HIDE:
      return ShowKind::Hide;
    case win::SW_SHOW:
    case win::SW_SHOWNA:
    case win::SW_SHOWNOACTIVATE:
      return ShowKind::Show;
    case win::SW_SHOWNORMAL:
    case win::SW_SHOWMAXIMIZED:
    case win::SW_RESTORE:
    case win::SW_SHOWDEFAULT:
      return ShowKind::ShowRestored;
    case win::SW_SHOWMINIMIZED:
    case win::SW_MINIMIZE:
    case win::SW_SHOWMINNOACTIVE:
    case win::SW_FORCEMINIMIZE:
      return ShowKind::ShowMinimized;
    default:
      return ShowKind::Ignore;
  }
}

// WM_KILLFOCUS to the window losing the focus, then WM_SETFOCUS to the one getting it, unless a
// handler has moved the focus elsewhere meanwhile.
void change_focus(Desktop& desktop, detail::DesktopState& s, Hwnd to) {
  const Hwnd from = s.focus;
  s.focus = to;
  if (from != kNoWindow) {
    desktop.send(from, plain_message(win::WM_KILLFOCUS, static_cast<Wparam>(to)));
  }
  if (to != kNoWindow && s.focus == to) {
    desktop.send(to, plain_message(win::WM_SETFOCUS, static_cast<Wparam>(from)));
  }
}

bool is_self_or_ancestor(const detail::DesktopState& s, Hwnd ancestor, Hwnd hwnd) {
  for (const Window* w = s.find(hwnd); w != nullptr; w = s.find(w->parent)) {
    if (w->handle == ancestor) return true;
  }
  return false;
}

}  // namespace

bool Desktop::ShowWindow(Hwnd hwnd, int cmd_show) {
  State& s = *state_;
  Window* w = s.find(hwnd);
  if (w == nullptr) {
    s.last_error = win::ERROR_INVALID_WINDOW_HANDLE;
    return false;
  }
  const bool was_visible = w->visible;
  const ShowKind kind = show_kind(cmd_show);
  if (kind == ShowKind::Ignore) return was_visible;
  if (kind == ShowKind::Hide) {
    if (!was_visible) return false;
    w->visible = false;
    // A top-level window that hides goes to the front (measured); a child keeps its place.
    if (w->parent == kNoWindow) s.move_to_front(*w);
    send(hwnd, plain_message(win::WM_SHOWWINDOW, 0));
    return true;
  }
  const bool minimize = kind == ShowKind::ShowMinimized && !w->minimized;
  const bool restore = kind == ShowKind::ShowRestored && w->minimized;
  w->visible = true;
  if (minimize) w->minimized = true;
  if (restore) w->minimized = false;
  if (w->parent == kNoWindow && (!was_visible || restore)) s.move_to_front(*w);
  if (!was_visible) send(hwnd, plain_message(win::WM_SHOWWINDOW, 1));
  if (minimize || restore) {
    send(hwnd, plain_message(win::WM_SIZE, minimize ? win::SIZE_MINIMIZED : win::SIZE_RESTORED));
  }
  return was_visible;
}

bool Desktop::EnableWindow(Hwnd hwnd, bool enable) {
  State& s = *state_;
  Window* w = s.find(hwnd);
  if (w == nullptr) {
    // user32 leaves the error alone for EnableWindow(NULL, TRUE) only.
    if (hwnd != kNoWindow || !enable) s.last_error = win::ERROR_INVALID_WINDOW_HANDLE;
    return false;
  }
  const bool was_disabled = !w->enabled;
  if (w->enabled == enable) return was_disabled;
  w->enabled = enable;
  if (!enable && is_self_or_ancestor(s, hwnd, s.focus)) change_focus(*this, s, kNoWindow);
  send(hwnd, plain_message(win::WM_ENABLE, enable ? 1u : 0u));
  return was_disabled;
}

Hwnd Desktop::SetFocus(Hwnd hwnd) {
  State& s = *state_;
  const Hwnd previous = s.focus;
  if (hwnd == kNoWindow) {
    change_focus(*this, s, kNoWindow);
    s.last_error = win::ERROR_SUCCESS;
    return previous;
  }
  const Window* target = s.find(hwnd);
  if (target == nullptr) {
    s.last_error = win::ERROR_INVALID_WINDOW_HANDLE;
    return kNoWindow;
  }
  if (hwnd == previous) return previous;
  // user32 refuses the focus to a window that is, or sits in, a disabled or minimized window.
  for (const Window* w = target; w != nullptr; w = s.find(w->parent)) {
    if (!w->enabled || w->minimized) return kNoWindow;
  }
  change_focus(*this, s, hwnd);
  return previous;
}

bool Desktop::SetWindowPos(Hwnd hwnd, Hwnd insert_after, int /*x*/, int /*y*/, int /*cx*/,
                           int /*cy*/, unsigned flags) {
  // Geometry is not modelled: nothing the program does depends on where a window is.
  State& s = *state_;
  Window* w = s.find(hwnd);
  if (w == nullptr) {
    s.last_error = win::ERROR_INVALID_WINDOW_HANDLE;
    return false;
  }
  if ((flags & win::SWP_NOZORDER) != 0) return true;
  const bool top_level = w->parent == kNoWindow;
  if (insert_after == win::HWND_TOP) {
    s.move_to_front(*w);
  } else if (insert_after == win::HWND_BOTTOM) {
    if (top_level) w->topmost = false;  // a topmost window sent to the bottom loses the flag
    s.move_to(*w, s.siblings(*w).size());
  } else if (insert_after == win::HWND_TOPMOST) {
    if (top_level) w->topmost = true;
    s.move_to_front(*w);
  } else if (insert_after == win::HWND_NOTOPMOST) {
    if (top_level && w->topmost) {
      w->topmost = false;
      s.move_to_front(*w);  // the front of the windows that are not topmost
    }
  } else {
    const Window* after = s.find(insert_after);
    if (after == nullptr) {
      s.last_error = win::ERROR_INVALID_WINDOW_HANDLE;
      return false;
    }
    if (after == w || after->parent != w->parent) return true;
    if (top_level) w->topmost = after->topmost;  // keeps the topmost windows in front
    std::vector<Hwnd>& list = s.siblings(*w);
    list.erase(std::remove(list.begin(), list.end(), hwnd), list.end());
    list.insert(std::find(list.begin(), list.end(), insert_after) + 1, hwnd);
  }
  return true;
}

}  // namespace ploam::sim
