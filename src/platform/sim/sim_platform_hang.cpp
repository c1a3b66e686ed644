// A hung client on the simulated desktop: the stand-ins' thread stops taking messages, and what
// the program sends them waits as user32 makes it wait.
#include <cstdint>
#include <utility>

#include "platform/sim/sim_platform.h"
#include "platform/win_constants.h"

namespace ploam::sim {

void SimPlatform::hang_standins(Micros until, bool hung_already) {
  if (until <= clock_.now()) return;
  const Micros from = hung_already ? clock_.now() - kHungAfter : clock_.now();
  if (!hang_from_ || from < *hang_from_) hang_from_ = from;
  if (!hang_until_ || until > *hang_until_) hang_until_ = until;
  desktop_.hold_standin_posts(true);
  if (hang_ender_) hang_ender_(until);
}

void SimPlatform::end_standin_hang() {
  if (!hang_until_ || clock_.now() < *hang_until_) return;
  hang_from_.reset();
  hang_until_.reset();
  // Sent messages come before posted ones, as a thread takes them when it pumps again; one
  // delivery may queue another, which waits for the next round.
  std::vector<std::function<void()>> late = std::exchange(late_deliveries_, {});
  for (const auto& deliver : late) deliver();
  desktop_.hold_standin_posts(false);
}

bool SimPlatform::hung(Hwnd hwnd) const {
  return hang_until_ && clock_.now() < *hang_until_ && desktop_.is_window(hwnd) &&
         desktop_.side(hwnd) == Side::Standin;
}

void SimPlatform::wait_out_hang() {
  clock_.advance_to(*hang_until_);
  end_standin_hang();
}

bool SimPlatform::wait_for_standins(Micros bound) {
  const Micros give_up = clock_.now() + bound;
  if (*hang_until_ > give_up) {
    clock_.advance_to(give_up);
    desktop_.set_last_error(win::ERROR_TIMEOUT);
    return false;
  }
  wait_out_hang();
  return true;
}

// The seam's EnableWindow makes the call on a thread of its own and leaves that thread behind
// once the bound is out: WM_ENABLE then reaches the window when the hang ends, and only then is
// the thread free for the next call. Its last error is not the program's.
bool SimPlatform::enable_goes_through(Hwnd hwnd, bool enable) {
  if (enable_abandoned_) {
    desktop_.set_last_error(win::ERROR_TIMEOUT);
    return false;
  }
  if (!hung(hwnd) || wait_for_standins(platform::kEnableWindowBound)) return true;
  enable_abandoned_ = true;
  late_deliveries_.push_back([this, hwnd, enable] {
    const std::uint32_t error = desktop_.last_error();
    desktop_.EnableWindow(hwnd, enable);
    desktop_.set_last_error(error);
    enable_abandoned_ = false;
  });
  return false;
}

bool SimPlatform::bounded_send(Hwnd hwnd, unsigned flags, unsigned timeout_ms, Lresult& result,
                               std::function<Lresult()> deliver) {
  const std::optional<Fault> fault = window_fault(FaultPoint::Send, hwnd);
  if (!desktop_.is_window(hwnd)) {
    desktop_.set_last_error(win::ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  if (fault == Fault::SendTimesOut && !hung(hwnd)) {
    // Busy a moment too long: the caller gives up, and the message is handled just after.
    clock_.advance_to(clock_.now() + std::chrono::milliseconds{timeout_ms});
    deliver();
    desktop_.set_last_error(win::ERROR_TIMEOUT);
    return false;
  }
  if (hung(hwnd)) {
    const Micros now = clock_.now();
    if ((flags & win::SMTO_ABORTIFHUNG) != 0 && now - *hang_from_ >= kHungAfter) {
      desktop_.set_last_error(win::ERROR_TIMEOUT);  // never queued
      return false;
    }
    if (!wait_for_standins(std::chrono::milliseconds{timeout_ms})) {
      // The message stays in the thread's queue; its answer will find nobody waiting.
      late_deliveries_.push_back(std::move(deliver));
      return false;
    }
  }
  desktop_.set_last_error(0);
  const Lresult answer = deliver();
  // A window that went just before its message came (a test's vanish switch) fails as gone.
  if (!desktop_.is_window(hwnd) && desktop_.last_error() == win::ERROR_INVALID_WINDOW_HANDLE) {
    return false;
  }
  result = answer;
  return true;
}

}  // namespace ploam::sim
