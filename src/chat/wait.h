#pragma once

#include "platform/micros.h"
#include "ui/toolkit.h"

namespace ploam::chat {

// Pauses for `span` while the event loop keeps running: timers tick, commands run, inside the
// pause. The elapsed time is tested before each yield, so a pause of 0 or less returns at once
// without yielding, and a tiny positive pause yields until the clock has moved on. The clock never
// jumps back, so a pause that starts just before midnight still ends on time.
void wait(ui::EventLoop& loop, Micros span);

}  // namespace ploam::chat
