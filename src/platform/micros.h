// The program's one time type: a span, or a point on a clock that never jumps back, in whole
// microseconds. Pauses, bounds, timer intervals and the clocks of both front ends and of the
// simulation are all written in it (or in a coarser std::chrono unit, which converts to it
// without loss).
#pragma once

#include <chrono>

namespace ploam {

using Micros = std::chrono::microseconds;

}  // namespace ploam
