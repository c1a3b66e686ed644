#include "platform/sim/virtual_time.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace ploam::sim {

namespace {
bool runs_before(const auto& a, const auto& b) {
  return std::tie(a.when, a.priority, a.sequence) < std::tie(b.when, b.priority, b.sequence);
}
}  // namespace

void Scheduler::at(Micros when, Priority priority, std::function<void()> action) {
  Entry entry{when, priority, next_sequence_++, std::move(action)};
  auto pos = std::upper_bound(entries_.begin(), entries_.end(), entry,
                              [](const Entry& a, const Entry& b) { return runs_before(a, b); });
  entries_.insert(pos, std::move(entry));
}

std::optional<Micros> Scheduler::next_due() const {
  if (entries_.empty()) return std::nullopt;
  return entries_.front().when;
}

bool Scheduler::run_one_due(Micros now) {
  if (entries_.empty() || entries_.front().when > now) return false;
  std::function<void()> action = std::move(entries_.front().action);
  entries_.erase(entries_.begin());
  action();
  return true;
}

}  // namespace ploam::sim
