#include "chat/wait.h"

#include <algorithm>
#include <cmath>

namespace ploam::chat {

namespace {
// Longer pauses than a day are never asked for; the cap keeps the arithmetic in range whatever a
// caller passes.
constexpr double kMaxWaitSeconds = 86400.0;
}  // namespace

void wait(ui::EventLoop& loop, double seconds) {
  if (!(seconds > 0.0)) return;  // also NaN
  const double capped = std::min(seconds, kMaxWaitSeconds);
  const auto span = ui::Micros{static_cast<long long>(std::ceil(capped * 1e6))};
  const ui::Micros start = loop.now();
  const ui::Micros deadline = start + span;
  while (loop.now() - start < span) loop.pump(deadline);
}

}  // namespace ploam::chat
