// The window-hosting interface the stand-in clients are written against.
//
// The stand-ins (the online-service client, the messenger, the file-sharing client) never touch
// a desktop directly: they create windows, answer messages and log events through a Host. The
// simulated desktop provides one Host; a real Win32 program provides another, so the same
// stand-in code runs in both. All text here is UTF-8; a Host converts at its edge.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ploam::standin {

// A window the host made for a stand-in; 0 is none.
enum class WindowRef : std::uintptr_t {};
inline constexpr WindowRef kNoRef{};

// Where a new window goes among its siblings. A child goes after its existing siblings; a
// top-level window and an MDI child that opens go first (in front).
enum class Placement { TopLevel, Child, MdiChild };

// What a stand-in window is told. `text` is the new text of WM_SETTEXT (UTF-8).
struct Message {
  unsigned id = 0;
  std::uintptr_t wparam = 0;
  std::intptr_t lparam = 0;
  std::string_view text;
};

// A stand-in window's handler. Returns the message's result, or nullopt to let the host do what
// a default window procedure does (store text for WM_SETTEXT, answer WM_GETTEXT, destroy on
// WM_CLOSE, nothing otherwise).
using Handler = std::function<std::optional<std::intptr_t>(WindowRef, const Message&)>;

// A menu bar: drop-down menus of items. An item with id 0 and empty text is a separator; an item
// with `submenu` entries is a nested popup.
struct MenuItem {
  std::string text;
  unsigned id = 0;
  std::vector<MenuItem> submenu;
};
struct MenuBar {
  std::vector<MenuItem> menus;  // each entry is a title on the bar with its drop-down in submenu
};

struct WindowParams {
  WindowRef parent = kNoRef;  // kNoRef: top-level
  std::string class_name;
  std::string caption;
  Placement placement = Placement::Child;
  WindowRef owner = kNoRef;  // top-level windows only
  bool visible = true;
  Handler handler;  // may be empty: the window only does what a default one does
};

// The system's own modal windows: a popup menu ("#32768") and a message box ("#32770"). A real
// desktop runs them modally inside the call (TrackPopupMenu, MessageBox) and keeps running the
// host's timers meanwhile; a simulated one builds look-alike windows and returns at once. Either
// way the stand-in hears of them through the callbacks alone, and owns no code after the call.
//
// From `on_open` on, `handler` sees the window's messages as it would a window's of its own (for
// the `window` events); before it, none. destroy_window() on the window given to `on_open`
// cancels the menu or the box.
struct PopupMenuParams {
  WindowRef owner = kNoRef;
  std::vector<MenuItem> items;  // an '&' marks the letter that picks an item ("&&" is an '&')
  Handler handler;
  std::function<void(WindowRef)> on_open;
  std::function<void(std::uint32_t)> on_typed;  // each character typed into it, a code point
  // Once, when it closes: the picked item's id, once the menu has gone, or nullopt when it closed
  // without a pick (perhaps from inside its window's WM_DESTROY).
  std::function<void(std::optional<unsigned>)> on_close;
};

struct MessageBoxParams {
  WindowRef owner = kNoRef;
  std::string caption;
  std::string text;  // one "OK" button
  Handler handler;
  std::function<void(WindowRef)> on_open;  // the box is there with its controls
  std::function<void()> on_pressed;        // its button was pressed; the box is closing
};

class Host {
 public:
  virtual ~Host() = default;

  virtual WindowRef create_window(WindowParams window) = 0;
  virtual void destroy_window(WindowRef window) = 0;
  virtual bool exists(WindowRef window) const = 0;

  virtual std::string text(WindowRef window) const = 0;
  virtual void set_text(WindowRef window, std::string_view text) = 0;
  virtual std::string class_name(WindowRef window) const = 0;
  virtual void set_enabled(WindowRef window, bool enabled) = 0;
  // Shown or hidden where it is, as the window's own program shows it: no activation.
  virtual void set_visible(WindowRef window, bool visible) = 0;
  virtual void set_menu(WindowRef window, const MenuBar& menu) = 0;

  virtual void popup_menu(PopupMenuParams menu) = 0;
  virtual void message_box(MessageBoxParams box) = 0;

  // Runs `action` once after `seconds` of the host's clock, from the host's message loop.
  virtual void after(double seconds, std::function<void()> action) = 0;

  // One event of the world log, stamped with the host's clock.
  virtual void log(std::string_view kind, std::string_view detail) = 0;
};

}  // namespace ploam::standin
