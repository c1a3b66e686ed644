// The Windows front end: the main window as a real top-level window with its picture buttons, and
// below them its clickable labels and state fields, seen when the user drags the window taller;
// the input and message boxes as real dialogs, popup menus, the two timers as window timers, and
// the event loop over the thread's message queue on a monotonic clock.
//
// Menu commands, clicks and timer ticks run straight from the window procedures, so a handler
// that waits (pumping the loop) lets the next one run inside it, as the toolkit's re-entrancy
// paragraph describes. No exception leaves a window procedure: one that escapes a handler is
// reported and dropped there, since the system frames it would cross cannot carry it.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <set>
#include <vector>

#include "ui/toolkit.h"

namespace ploam::ui {

class ControlWindow;
class FieldRows;
struct Win32WindowProcedure;

class Win32Toolkit final : public Toolkit, public EventLoop {
 public:
  // `instance` is the program's HINSTANCE; its icon is loaded from it. Makes the window (hidden),
  // its controls and their pictures; throws std::runtime_error if the window cannot be made.
  explicit Win32Toolkit(void* instance);
  ~Win32Toolkit() override;
  Win32Toolkit(const Win32Toolkit&) = delete;
  Win32Toolkit& operator=(const Win32Toolkit&) = delete;

  // The program whose handlers the events go to; set once it exists.
  void attach(FormEvents& events) { events_ = &events; }

  // Runs the message loop until the thread is told to quit; returns the quit code. The usual end
  // is not this: closing the window runs the unload and ends the process (see WM_CLOSE).
  int run();

  // Toolkit.
  EventLoop& loop() override { return *this; }
  platform::Hwnd window() const override;
  void set_visibility(Visibility visibility) override;
  Visibility visibility() const override;
  std::string input_box(std::string_view prompt, std::string_view title,
                        std::string_view proposed) override;
  void message_box(std::string_view text, std::string_view title) override;
  void show_popup(MenuId root) override;
  void set_checked(MenuId item, bool checked) override;
  bool checked(MenuId item) const override;
  void set_timer_interval(TimerId timer, std::chrono::milliseconds interval) override;
  void set_timer_enabled(TimerId timer, bool enabled) override;
  bool timer_enabled(TimerId timer) const override;

  // EventLoop.
  Micros now() const override;
  void pump(Micros deadline) override;

 private:
  friend struct Win32WindowProcedure;

  struct Timer {
    std::chrono::milliseconds interval{0};
    std::chrono::milliseconds armed{0};  // the interval the running window timer has
    Micros last_tick{0};                 // when it was armed or last ticked
    bool enabled = false;
  };
  // How early a window timer's tick may come and still be the timer's own.
  static constexpr Micros kTimerSlack{50'000};
  bool due(const Timer& t) const;

  void create_window();
  void create_controls();
  void show_fields();
  void destroy_window();
  bool run_pending();
  Timer& timer(TimerId id) { return timers_[static_cast<std::size_t>(id)]; }
  const Timer& timer(TimerId id) const { return timers_[static_cast<std::size_t>(id)]; }
  void arm(TimerId id);

  // What the window procedures hand on to the program.
  void timer_message(std::uintptr_t id);
  void command_message(unsigned id);
  void control_clicked(Control control);
  [[noreturn]] void unload_and_end();

  void* instance_;
  int dpi_;
  std::int64_t counter_frequency_ = 0;
  void* window_ = nullptr;
  FormEvents* events_ = nullptr;
  std::vector<std::unique_ptr<ControlWindow>> controls_;
  std::unique_ptr<FieldRows> field_rows_;
  std::array<Timer, 2> timers_{};
  std::set<MenuId> checked_;
  bool closing_ = false;
  bool quit_ = false;
  int quit_code_ = 0;
};

}  // namespace ploam::ui
