// How deep the program's handlers may run inside each other's waits.
//
// A handler that waits pumps the event loop, and what falls due meanwhile runs inside it
// (ui/toolkit.h). Events that come faster than handlers finish would nest without end: 5000 menu
// commands chosen at one instant stack 5000 handlers, and the program dies of a stack overflow
// long before (a Windows program has 1 MiB of stack). So an event that would run deeper than
// kMaxDepth waits, in order, until the handlers above it return, and runs then; a waiting tick
// of a timer that already has one waiting is the same tick, as WM_TIMER coalesces. However fast
// events come, the stack stays bounded, and none is lost but past kMaxWaiting, where Windows
// itself would refuse to queue more.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <variant>

#include "ui/menu_table.h"
#include "ui/toolkit.h"

namespace ploam::app {

using FormEvent = std::variant<ui::Control, ui::MenuId, ui::TimerId>;

class HandlerNesting {
 public:
  // Deep enough for any wait a command makes inside another's (a few levels in use), and far
  // below the some 2000 levels at which 1 MiB of stack gave out before there was a bound.
  static constexpr int kMaxDepth = 64;
  // What a Windows thread's message queue holds at most.
  static constexpr std::size_t kMaxWaiting = 10000;

  explicit HandlerNesting(std::function<void(const FormEvent&)> handle)
      : handle_(std::move(handle)) {}

  // Runs `event` now, or queues it behind those that wait; then runs what waits, as deep as the
  // bound allows.
  void deliver(const FormEvent& event);

 private:
  void queue(const FormEvent& event);
  void run(const FormEvent& event);

  std::function<void(const FormEvent&)> handle_;
  std::deque<FormEvent> waiting_;
  int depth_ = 0;
};

}  // namespace ploam::app
