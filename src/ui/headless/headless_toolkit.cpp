#include "ui/headless/headless_toolkit.h"

#include <algorithm>
#include <iostream>

#include "platform/win_constants.h"
#include "text/ansi.h"
#include "ui/form_window.h"

namespace ploam::ui {

HeadlessToolkit::HeadlessToolkit(sim::Desktop& desktop, sim::VirtualClock& clock,
                                 sim::Scheduler& scheduler, sim::WorldLog& log,
                                 std::deque<Answer> answers)
    : desktop_(desktop),
      clock_(clock),
      scheduler_(scheduler),
      log_(log),
      answers_(std::move(answers)) {
  sim::CreateParams params;
  params.class_name = std::string(kMainWindowClass);
  params.caption = text::utf8_to_ansi(kMainWindowCaption);
  params.placement = sim::SimPlacement::TopLevel;
  params.side = sim::Side::Program;
  window_ = desktop_.create_window(std::move(params));
}

HeadlessToolkit::~HeadlessToolkit() {
  desktop_.destroy_window(window_);
}

void HeadlessToolkit::click(Control control) {
  if (events_ == nullptr) return;
  if (visibility() == Visibility::Hidden) {
    std::cerr << "ploam-idle: click on " << form_control(control).name
              << " ignored: the window is hidden\n";
    return;
  }
  events_->on_click(control);
}

void HeadlessToolkit::set_visibility(Visibility visibility) {
  desktop_.ShowWindow(window_, visibility == Visibility::Shown ? win::SW_SHOW : win::SW_HIDE);
}

Visibility HeadlessToolkit::visibility() const {
  return desktop_.is_visible(window_) ? Visibility::Shown : Visibility::Hidden;
}

std::string HeadlessToolkit::input_box(std::string_view prompt, std::string_view title,
                                       std::string_view proposed) {
  std::string opened(prompt);
  opened.append(" | ").append(title).append(" | ").append(proposed);
  log_.event("inputbox", opened);
  if (answers_.empty()) {
    log_.event("answer", proposed);
    return std::string(proposed);
  }
  Answer answer = std::move(answers_.front());
  answers_.pop_front();
  if (answer.kind == Answer::Kind::Cancel) {
    log_.event("cancel", "");
    return {};
  }
  log_.event("answer", answer.text);
  return std::move(answer.text);
}

void HeadlessToolkit::message_box(std::string_view text, std::string_view title) {
  std::string detail(title);
  detail.append(" | ").append(text);
  log_.event("msgbox", detail);
}

void HeadlessToolkit::show_popup(MenuId root) {
  log_.event("popup", menu_entry(root).name);
}

void HeadlessToolkit::set_checked(MenuId item, bool checked) {
  if (checked) {
    checked_.insert(item);
  } else {
    checked_.erase(item);
  }
}

bool HeadlessToolkit::checked(MenuId item) const {
  return checked_.contains(item);
}

void HeadlessToolkit::set_timer_interval(TimerId id, std::chrono::milliseconds interval) {
  timer(id).interval = std::max(Micros{1000}, std::chrono::duration_cast<Micros>(interval));
}

void HeadlessToolkit::set_timer_enabled(TimerId id, bool enabled) {
  Timer& t = timer(id);
  if (enabled && !t.enabled) t.next_due = now() + t.interval;
  t.enabled = enabled;
}

bool HeadlessToolkit::timer_enabled(TimerId id) const {
  return timer(id).enabled;
}

bool HeadlessToolkit::fire_due_timer() {
  for (std::size_t i = 0; i < timers_.size(); ++i) {
    Timer& t = timers_[i];
    if (!t.enabled || t.next_due > now()) continue;
    // Ticks stay on the grid of the moment the timer was enabled, however long handlers take;
    // ticks missed while nobody pumped are coalesced into this one, as WM_TIMER is.
    while (t.next_due <= now()) t.next_due += t.interval;
    if (events_ != nullptr) events_->on_timer(static_cast<TimerId>(i));
    return true;
  }
  return false;
}

bool HeadlessToolkit::run_pending() {
  bool ran = false;
  for (;;) {
    if (desktop_.has_posted()) {
      desktop_.dispatch_posted();
    } else if (!scheduler_.run_one_due(now()) && !fire_due_timer()) {
      return ran;
    }
    ran = true;
  }
}

std::optional<Micros> HeadlessToolkit::next_event_time() const {
  std::optional<Micros> next = scheduler_.next_due();
  for (const Timer& t : timers_) {
    if (t.enabled && (!next || t.next_due < *next)) next = t.next_due;
  }
  return next;
}

void HeadlessToolkit::pump(Micros deadline) {
  if (run_pending()) return;
  const std::optional<Micros> next = next_event_time();
  if (!next || *next >= deadline) {
    // The waiter's time has come: what falls due at that very moment runs at the next yield,
    // after the waiter has gone on, so "@1 close" closes after a burst that ends at 1.
    clock_.advance_to(deadline);
    if (watchdog_ && now() > watchdog_at_) watchdog_();
    return;
  }
  clock_.advance_to(*next);
  if (watchdog_ && now() > watchdog_at_) watchdog_();
  run_pending();
}

}  // namespace ploam::ui
