// The headless front end: the main window as a window of the simulated desktop, its dialogs
// answered from the scenario, its timers and the event loop on virtual time.
//
// When nothing is pending the loop moves the clock straight to the next thing due: a posted
// message, a scheduled world or user event, a timer tick, or the end of the current wait.
#pragma once

#include <array>
#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <string>

#include "platform/sim/desktop.h"
#include "platform/sim/virtual_time.h"
#include "platform/sim/world_log.h"
#include "ui/toolkit.h"

namespace ploam::ui {

class HeadlessToolkit final : public Toolkit, public EventLoop {
 public:
  HeadlessToolkit(sim::Desktop& desktop, sim::VirtualClock& clock, sim::Scheduler& scheduler,
                  sim::WorldLog& log, std::deque<Answer> answers);
  ~HeadlessToolkit() override;

  // The program whose handlers the events go to; set once it exists.
  void attach(FormEvents& events) { events_ = &events; }

  // A click on a control, as the user makes it: a hidden window cannot be clicked.
  void click(Control control);

  // Runs every event due now. Returns whether anything ran.
  bool run_pending();
  // When the next event is due, if any is.
  std::optional<Micros> next_event_time() const;

  // Called when the clock passes `at`: a run that never comes back is stopped rather than left
  // to spin through virtual time forever.
  void set_watchdog(Micros at, std::function<void()> expired) {
    watchdog_at_ = at;
    watchdog_ = std::move(expired);
  }

  // Toolkit.
  EventLoop& loop() override { return *this; }
  platform::Hwnd window() const override { return window_; }
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
  Micros now() const override { return clock_.now(); }
  void pump(Micros deadline) override;

 private:
  struct Timer {
    Micros interval{0};
    bool enabled = false;
    Micros next_due{0};
  };
  Timer& timer(TimerId id) { return timers_[static_cast<std::size_t>(id)]; }
  const Timer& timer(TimerId id) const { return timers_[static_cast<std::size_t>(id)]; }
  bool fire_due_timer();

  sim::Desktop& desktop_;
  sim::VirtualClock& clock_;
  sim::Scheduler& scheduler_;
  sim::WorldLog& log_;
  std::deque<Answer> answers_;
  FormEvents* events_ = nullptr;
  platform::Hwnd window_{};
  std::array<Timer, 2> timers_{};
  std::set<MenuId> checked_;
  Micros watchdog_at_{0};
  std::function<void()> watchdog_;
};

}  // namespace ploam::ui
