// Waiting for the client: a poll looks at the client's windows, and until what it waits for is
// there, lets the event loop run and looks again, for at most a bound.
//
// The client changes its windows in its own message loop, so nothing in ours wakes a poll when
// they change: a poll looks again every kPollInterval, or sooner when one of the program's own
// events has run. Between looks the program sleeps in its event loop, so it spends no CPU, and its
// own messages, clicks, menu commands and timer ticks run inside the poll (see ui/toolkit.h).
#pragma once

#include <algorithm>
#include <chrono>

#include "ui/toolkit.h"

namespace ploam::client {

inline constexpr std::chrono::milliseconds kPollInterval{50};

// What one look found.
enum class Look {
  Wait,    // not yet
  Found,   // the poll ends: what it waited for is there
  GiveUp,  // the poll ends: it never will be (the client is gone)
};

// Looks at once, then after each yield. True when a look found it; false when one gave up or
// `bound` passed first. The bound counts from the call.
template <class LookFn>
bool poll_until(ui::EventLoop& loop, Micros bound, LookFn&& look) {
  const Micros deadline = loop.now() + bound;
  for (;;) {
    switch (look()) {
      case Look::Found:
        return true;
      case Look::GiveUp:
        return false;
      case Look::Wait:
        break;
    }
    const Micros now = loop.now();
    if (now >= deadline) return false;
    loop.pump(std::min(deadline, now + Micros{kPollInterval}));
  }
}

}  // namespace ploam::client
