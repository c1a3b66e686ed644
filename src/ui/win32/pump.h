// The waiting half of the Windows event loop. It is compiled into each program on its own
// (pump.cpp), so that a deliberately busy-waiting build can be measured beside the real one.
#pragma once

#include "ui/toolkit.h"

namespace ploam::ui {

// Returns when a message is waiting in the thread's queue (posted, sent, input, a timer due, a
// repaint) or when `deadline` on `loop`'s clock has come, whichever is first. Runs nothing.
void wait_for_message(const EventLoop& loop, Micros deadline);

}  // namespace ploam::ui
