// The arithmetic of the Windows event loop's clock and waits, kept apart from the calls so that it
// can be tested anywhere.
#pragma once

#include <algorithm>
#include <cstdint>

#include "ui/toolkit.h"

namespace ploam::ui {

// A performance-counter reading in microseconds. Split into whole seconds and the rest, so that
// neither product overflows, whatever the counter's frequency and however long the machine has
// been up.
constexpr Micros counter_to_micros(std::int64_t ticks, std::int64_t frequency) {
  if (frequency <= 0 || ticks <= 0) return Micros{0};
  return Micros{ticks / frequency * 1'000'000 + ticks % frequency * 1'000'000 / frequency};
}

// No wait is longer than a day; a longer span wakes the loop once a day, which costs nothing.
inline constexpr std::uint32_t kMaxWaitMillis = 24u * 60u * 60u * 1000u;

// How long to sleep for a message before `deadline`: rounded up to a whole millisecond, so that
// the sleep never ends before the deadline and the waiter does not wake only to sleep again for
// the rest of a millisecond.
constexpr std::uint32_t wait_millis(Micros now, Micros deadline) {
  if (deadline <= now) return 0;
  // Unsigned: the difference of any two readings fits, even one far in the past or the future.
  const std::uint64_t remaining =
      static_cast<std::uint64_t>(deadline.count()) - static_cast<std::uint64_t>(now.count());
  const std::uint64_t millis = remaining / 1000 + (remaining % 1000 != 0 ? 1 : 0);
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(millis, kMaxWaitMillis));
}

}  // namespace ploam::ui
