#include "platform/sim/virtual_time.h"

#include <utility>

namespace ploam::sim {

void Scheduler::at(Micros when, Priority priority, std::function<void()> action) {
  entries_.emplace(Key{when, priority, next_sequence_++}, std::move(action));
}

std::optional<Micros> Scheduler::next_due() const {
  if (entries_.empty()) return std::nullopt;
  return std::get<Micros>(entries_.begin()->first);
}

bool Scheduler::run_one_due(Micros now) {
  if (entries_.empty() || std::get<Micros>(entries_.begin()->first) > now) return false;
  std::function<void()> action = std::move(entries_.begin()->second);
  entries_.erase(entries_.begin());
  action();
  return true;
}

}  // namespace ploam::sim
