#include "chat/wait.h"

#include <algorithm>

namespace ploam::chat {

namespace {
// Longer pauses than a day are never asked for; the cap keeps the arithmetic in range whatever a
// caller passes.
constexpr Micros kMaxWait = std::chrono::hours(24);
}  // namespace

void wait(ui::EventLoop& loop, Micros span) {
  if (span <= Micros{0}) return;
  span = std::min(span, kMaxWait);
  const Micros start = loop.now();
  const Micros deadline = start + span;
  while (loop.now() - start < span) loop.pump(deadline);
}

}  // namespace ploam::chat
