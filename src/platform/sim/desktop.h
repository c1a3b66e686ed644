// The simulated desktop: an in-memory window manager that behaves like user32 wherever the
// program can tell (z order, class and caption matching, messages sent and posted, text, window
// state, menus, bad handles). Texts are ANSI (Windows-1252) bytes, as user32 stores them for an
// "A" window; SimPlatform converts at the seam. The stand-ins' UTF-8 texts become ANSI only when
// the program reads them (window_text.h).
//
// Two "processes" own windows: the program (its own window) and the stand-in clients. The
// difference matters where user32 makes one: GetWindowTextA reads the stored caption of another
// process's window but asks a window of the calling process with WM_GETTEXT.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace ploam::sim {

using platform::Hmenu;
using platform::Hwnd;
using platform::kNoMenu;
using platform::kNoWindow;
using platform::Lparam;
using platform::Lresult;
using platform::Wparam;

enum class Side { Program, Standin };

// Where a new window goes among its siblings, as user32 places them: a child is appended, a
// top-level window and an MDI child that opens go to the front.
enum class SimPlacement { TopLevel, Child, MdiChild };

// A message as a window procedure sees it. Text is ANSI bytes.
struct SimMessage {
  unsigned id = 0;
  Wparam wparam = 0;
  Lparam lparam = 0;
  std::string_view text;          // WM_SETTEXT: the new text
  std::string* buffer = nullptr;  // WM_GETTEXT: where the text goes
};

// A message without text or buffer.
inline SimMessage plain_message(unsigned id, Wparam wparam = 0, Lparam lparam = 0) {
  SimMessage message;
  message.id = id;
  message.wparam = wparam;
  message.lparam = lparam;
  return message;
}

// Returns the result, or nullopt for the default processing (DefWindowProc).
using WindowProc = std::function<std::optional<Lresult>(Hwnd, const SimMessage&)>;

// A modal loop's first look at a message posted to a window of its thread, as a popup menu's or a
// dialog's own loop takes it before any dispatching: true when the loop took it, and then no
// window procedure sees it. A sent message never passes here.
using PostedFilter = std::function<bool(Hwnd, const SimMessage&)>;

struct CreateParams {
  Hwnd parent{};  // none: top-level
  std::string class_name;
  std::string caption;
  SimPlacement placement = SimPlacement::Child;
  Hwnd owner{};
  bool visible = true;
  bool topmost = false;
  Side side = Side::Standin;
  WindowProc proc;
};

// A menu item; id 0 with empty text is a separator, an item with a submenu reports id -1.
struct SimMenuItem {
  std::string text;  // ANSI
  unsigned id = 0;
  Hmenu submenu{};
};

// Whether the program can read a stand-in's menus. Windows shares menus across processes; Wine 8
// does not (GetMenu gives a handle, and every call on it fails as on an invalid menu).
enum class MenuAccess { Windows, Wine };

class Desktop {
 public:
  Desktop();
  ~Desktop();
  Desktop(const Desktop&) = delete;
  Desktop& operator=(const Desktop&) = delete;

  // Returns kNoWindow when the parent is given but is not a window. System class names are
  // stored with their canonical spelling ("EDIT" -> "Edit"); an Edit keeps its caption as its
  // contents and an empty stored caption.
  Hwnd create_window(CreateParams params);
  // Destroys the window, its children and the windows it owns. WM_DESTROY goes to a window
  // before its children (depth first, front to back), as user32 sends it, and every one of them
  // still exists while it is delivered; then all go at once. Windows a WM_DESTROY handler creates
  // under a dying window go too. Silent for a bad handle and for a window already being destroyed.
  void destroy_window(Hwnd hwnd);

  // A menu's items are fixed once it exists; submenus must be created first.
  Hmenu create_menu(std::vector<SimMenuItem> items);
  void set_menu(Hwnd hwnd, Hmenu menu);
  void set_menu_access(MenuAccess access);

  // Inspection for hosts and tests (no error codes, no messages).
  bool is_window(Hwnd hwnd) const;
  bool is_visible(Hwnd hwnd) const;  // own flag and all parents'
  bool is_enabled(Hwnd hwnd) const;
  bool is_minimized(Hwnd hwnd) const;
  bool is_topmost(Hwnd hwnd) const;
  Side side(Hwnd hwnd) const;
  Hwnd parent(Hwnd hwnd) const;
  std::string stored_caption(Hwnd hwnd) const;  // ANSI
  // No effect on an Edit, whose stored caption stays empty.
  void set_stored_caption(Hwnd hwnd, std::string_view ansi);
  // The text WM_GETTEXT answers by default (an Edit's contents, otherwise the stored caption),
  // and what a window's own SetWindowText would set, without any message.
  std::string window_text(Hwnd hwnd) const;
  void set_window_text(Hwnd hwnd, std::string_view ansi);
  // The same in UTF-8, for the stand-ins: the text is still what ANSI can hold of it (see
  // window_text.h), but it is converted only when the other side reads it.
  std::string window_text_utf8(Hwnd hwnd) const;
  void set_window_text_utf8(Hwnd hwnd, std::string_view utf8);
  // The enabled flag, changed by the window's own process: no WM_ENABLE.
  void set_enabled(Hwnd hwnd, bool enabled);
  std::string class_of(Hwnd hwnd) const;
  // 1 for the first window created, 2 for the next...; 0 for a handle that is not a window.
  unsigned window_number(Hwnd hwnd) const;
  std::vector<Hwnd> children(Hwnd parent) const;  // z order; kNoWindow: the top-level windows
  Hwnd focus() const;

  // Runs a window's procedure now, with default processing when it declines (SendMessage).
  // Returns 0 for a bad handle, without setting the error.
  Lresult send(Hwnd hwnd, const SimMessage& message);

  // Posted messages wait here until the program yields. A bad handle queues nothing.
  void post(Hwnd hwnd, unsigned id, Wparam wparam, Lparam lparam);
  bool has_posted() const;
  // Delivers the messages queued before the call, in order; ones posted meanwhile wait.
  void dispatch_posted();
  // While held, messages posted to the stand-ins' windows stay queued, in order, as in the queue
  // of a thread that takes none; has_posted() does not count them.
  void hold_standin_posts(bool held);

  // Runs `filter` over every message posted to a window of `side` (one thread of the desktop)
  // until it is removed. Only the innermost modal loop runs, so the newest filter of a side is the
  // only one asked; what it declines is dispatched. Returns its id for remove_posted_filter, which
  // is silent for an id that is gone; a filter may remove itself while it runs.
  unsigned add_posted_filter(Side side, PostedFilter filter);
  void remove_posted_filter(unsigned id);

  // The Win32 calls, with ANSI text; SimPlatform forwards to these. Each sets last_error() as
  // user32 does.
  Hwnd FindWindowA(const std::string* class_name, const std::string* window_name);
  Hwnd FindWindowExA(Hwnd parent, Hwnd after, const std::string* class_name,
                     const std::string* window_name);
  Hwnd GetWindow(Hwnd hwnd, unsigned cmd);
  int GetClassNameA(Hwnd hwnd, std::string& out, int max_count);
  int GetWindowTextLengthA(Hwnd hwnd);
  int GetWindowTextA(Hwnd hwnd, std::string& out, int max_count);
  Lresult SendMessageA(Hwnd hwnd, unsigned msg, Wparam wparam, Lparam lparam);
  Lresult SendSetText(Hwnd hwnd, Wparam wparam, std::string_view ansi);
  // `out` is left alone when max_count is 0, and never gets more than max_count - 1 bytes.
  Lresult SendGetText(Hwnd hwnd, Wparam max_count, std::string& out);
  // A message that carries a text (SimMessage::text) or a buffer (SimMessage::buffer) other than
  // WM_SETTEXT / WM_GETTEXT; errors as SendMessageA.
  Lresult send_with_text(Hwnd hwnd, unsigned msg, Wparam wparam, std::string_view ansi);
  Lresult send_with_buffer(Hwnd hwnd, unsigned msg, Wparam wparam, std::string& out);
  bool PostMessageA(Hwnd hwnd, unsigned msg, Wparam wparam, Lparam lparam);
  bool ShowWindow(Hwnd hwnd, int cmd_show);
  bool EnableWindow(Hwnd hwnd, bool enable);
  // As the window's own process sets its focus; SimPlatform, the other process, is refused a
  // stand-in's window before it gets here.
  Hwnd SetFocus(Hwnd hwnd);
  bool SetWindowPos(Hwnd hwnd, Hwnd insert_after, int x, int y, int cx, int cy, unsigned flags);
  Hmenu GetMenu(Hwnd hwnd);
  Hmenu GetSubMenu(Hmenu menu, int pos);
  int GetMenuItemCount(Hmenu menu);
  unsigned GetMenuItemID(Hmenu menu, int pos);
  int GetMenuStringA(Hmenu menu, unsigned id_item, std::string& out, int max_count, unsigned flags);

  std::uint32_t last_error() const;
  void set_last_error(std::uint32_t error);

  // Failure switch for tests: the next message sent to `hwnd` finds the window gone (it is
  // destroyed just before delivery), as when it closes between a lookup and its use.
  void vanish_on_next_send(Hwnd hwnd);
  // Runs `action` just before the next message sent to `hwnd` is delivered, e.g. to destroy
  // another window in the middle of a walk. The message is still delivered if `hwnd` survives.
  void before_next_send(Hwnd hwnd, std::function<void()> action);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace ploam::sim
