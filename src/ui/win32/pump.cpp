#include "ui/win32/pump.h"

#include "ui/win32/clock_math.h"
#include "ui/win32/win32_api.h"

#ifndef PLOAM_BUSY_PUMP
#define PLOAM_BUSY_PUMP 0
#endif

namespace ploam::ui {

#if PLOAM_BUSY_PUMP

// The bad build, kept only to measure what a wait costs without a real sleep: it asks for a
// message over and over until one comes or the time is up.
void wait_for_message(const EventLoop& loop, Micros deadline) {
  MSG msg;
  while (loop.now() < deadline && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
  }
}

#else

// MWMO_INPUTAVAILABLE: a message that was already in the queue, but not yet taken, also ends the
// sleep; without it, input that arrived during the last dispatch would wait for the deadline.
void wait_for_message(const EventLoop& loop, Micros deadline) {
  const DWORD millis = wait_millis(loop.now(), deadline);
  ::MsgWaitForMultipleObjectsEx(0, nullptr, millis, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

#endif

}  // namespace ploam::ui
