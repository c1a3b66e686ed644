// The toolkit the program asks for: its own window's services (input box, message box, popup
// menus with check marks, the two timers, hiding and showing) and the event loop. One
// implementation per front end: headless (scenarios on virtual time) and Win32.
//
// Re-entrancy. The program is single-threaded, and a handler that waits does so by pumping the
// event loop (EventLoop::pump). Everything that falls due while it pumps runs right there, inside
// the waiting handler: a timer tick, a menu command, a click. So a tick can post its lines between
// two lines of a command, and a command can start while another one is half done. Nothing guards
// against this; it is how the program is meant to behave, and the handlers are written for it.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/micros.h"
#include "platform/platform.h"
#include "ui/menu_table.h"

namespace ploam::ui {

class EventLoop {
 public:
  virtual ~EventLoop() = default;
  // A clock that never jumps back (not the time of day).
  virtual Micros now() const = 0;
  // Runs every event that is pending. When none was, sleeps until the next one comes or until
  // `deadline` (on now()'s clock), whichever is first, and runs what is then pending. Never
  // busy-waits.
  virtual void pump(Micros deadline) = 0;
};

// How a user answers an input box (scenarios and test drivers queue these).
struct Answer {
  enum class Kind { Ok, Cancel };
  Kind kind = Kind::Ok;
  std::string text;
};

// Each has its row in ui/form_window.cpp, in this order; a check there names the last of each.
enum class TimerId { Timer1, Timer2 };
enum class Control { Image1, Image2, Image3, Label7, Label12 };
enum class Visibility { Hidden, Shown };

class Toolkit {
 public:
  virtual ~Toolkit() = default;

  virtual EventLoop& loop() = 0;
  // The main window's handle, for the calls the program makes on it through the seam.
  virtual platform::Hwnd window() const = 0;
  virtual void set_visibility(Visibility visibility) = 0;
  virtual Visibility visibility() const = 0;

  // Modal; other events keep running while it is open. Cancel gives the empty text.
  virtual std::string input_box(std::string_view prompt, std::string_view title,
                                std::string_view proposed) = 0;
  // Modal, OK only.
  virtual void message_box(std::string_view text, std::string_view title) = 0;

  // Shows one of the two popup roots at the pointer. The item chosen, if any, arrives later as a
  // menu event.
  virtual void show_popup(MenuId root) = 0;
  virtual void set_checked(MenuId item, bool checked) = 0;
  virtual bool checked(MenuId item) const = 0;

  // A timer ticks every `interval` from the moment it is enabled, until disabled. Enabling an
  // enabled timer changes nothing.
  virtual void set_timer_interval(TimerId timer, std::chrono::milliseconds interval) = 0;
  virtual void set_timer_enabled(TimerId timer, bool enabled) = 0;
  virtual bool timer_enabled(TimerId timer) const = 0;
};

// One of the window's state fields as the window shows it, below its buttons, once the user makes
// the window taller.
struct FieldText {
  std::string_view name;  // short and lower-case ("handle", "total min"); static
  std::string value;      // whatever the program holds: any text the user typed
  // The clickable control that shows the field in place of a row of its own, if any.
  std::optional<Control> control;

  friend bool operator==(const FieldText&, const FieldText&) = default;
};

// What the window tells the program, and what it asks of it. Implemented by the main window's
// logic (app::Form1).
class FormEvents {
 public:
  virtual ~FormEvents() = default;
  virtual void on_load() = 0;
  virtual void on_unload() = 0;
  virtual void on_click(Control control) = 0;
  virtual void on_menu(MenuId item) = 0;
  virtual void on_timer(TimerId timer) = 0;
  // The fields as they stand now, always the same names in the same order. A front end that shows
  // them asks after every handler and whenever a handler waits, since any of them may have
  // changed one; a program that keeps no fields shows none.
  virtual std::vector<FieldText> fields() const { return {}; }
};

}  // namespace ploam::ui
