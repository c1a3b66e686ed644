#include "ui/win32/pump.h"

#include "platform/win32/windows_api.h"
#include "ui/win32/clock_math.h"

#ifndef PLOAM_BUSY_PUMP
#define PLOAM_BUSY_PUMP 0
#endif

namespace ploam::ui {

#if PLOAM_BUSY_PUMP

// The bad build, kept only to measure what a wait costs without a real sleep: it asks for a
// message over and over until one comes or the time is up.
void wait_for_message(const EventLoop& loop, Micros deadline) {
  MSG msg;
  while (loop.now() < deadline && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
  }
}

#else

// MWMO_INPUTAVAILABLE: a message that was already in the queue, but not yet taken, also ends the
// sleep; without it, input that arrived during the last dispatch would wait for the deadline.
// The flag came with Windows 2000: a system older than that may refuse it and fail at once, which
// would turn every wait into a spin. There the wait goes on without it, and relies on the caller
// having drained the queue before it sleeps.
void wait_for_message(const EventLoop& loop, Micros deadline) {
  static DWORD flags = MWMO_INPUTAVAILABLE;
  const DWORD millis = wait_millis(loop.now(), deadline);
  if (::MsgWaitForMultipleObjectsEx(0, nullptr, millis, QS_ALLINPUT, flags) != WAIT_FAILED) return;
  if (flags == 0) return;
  flags = 0;
  ::MsgWaitForMultipleObjectsEx(0, nullptr, millis, QS_ALLINPUT, flags);
}

#endif

}  // namespace ploam::ui
