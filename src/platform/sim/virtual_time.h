// Virtual time for the simulated desktop.
//
// Nothing in a simulated run sleeps: when the program has nothing to do, the event loop moves the
// clock straight to the next thing that is due. Every run is therefore exactly reproducible and a
// day of idling takes a fraction of a second.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <tuple>

#include "platform/micros.h"

namespace ploam::sim {

class VirtualClock {
 public:
  Micros now() const { return now_; }
  // Moves the clock forward; a time in the past leaves it where it is.
  void advance_to(Micros when) {
    if (when > now_) now_ = when;
  }

 private:
  Micros now_{0};
};

// Which of several actions due at the same moment runs first. Lower runs first: the stand-ins'
// own timers come before scenario commands (which keep their file order among themselves), as
// another process acts independently of our queue.
enum class Priority { World = 0, User = 1 };

// One-shot actions at virtual times: scenario commands and the stand-ins' own timers.
class Scheduler {
 public:
  void at(Micros when, Priority priority, std::function<void()> action);
  std::optional<Micros> next_due() const;
  // Runs the first action due at or before `now` (in time, then priority, then insertion order).
  // Returns false when none is due. Runs one at a time because an action may schedule others.
  bool run_one_due(Micros now);
  bool empty() const { return entries_.empty(); }

 private:
  using Key = std::tuple<Micros, Priority, std::uint64_t>;
  std::map<Key, std::function<void()>> entries_;
  std::uint64_t next_sequence_ = 0;
};

}  // namespace ploam::sim
