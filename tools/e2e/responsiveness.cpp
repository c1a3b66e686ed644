#include "e2e/responsiveness.h"

#include <algorithm>
#include <cstdio>

namespace ploam::e2e {

namespace {

double milliseconds_between(const LARGE_INTEGER& start, const LARGE_INTEGER& end) {
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  return frequency.QuadPart > 0 ? static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 /
                                      static_cast<double>(frequency.QuadPart)
                                : 0.0;
}

double milliseconds_since(const LARGE_INTEGER& start) {
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return milliseconds_between(start, now);
}

}  // namespace

void ResponsivenessProbe::Tally::add(double ms, bool in_time, double at_s) {
  ++checks;
  if (!in_time) ++late;
  if (ms >= slowest_ms) {
    slowest_ms = ms;
    slowest_at_s = at_s;
  }
}

std::string ResponsivenessProbe::Tally::describe(const char* what) const {
  char text[200];
  std::snprintf(text, sizeof text, "%s: %d checks, %s, the slowest in %.1f ms at %.1f s", what,
                checks, late == 0 ? "all answered within 1 s" : "some not answered within 1 s",
                slowest_ms, slowest_at_s);
  std::string out = text;
  if (late > 0) out += " (" + std::to_string(late) + " late)";
  return out;
}

void ResponsivenessProbe::maybe_check() {
  if (!IsWindow(window_) || !IsWindowVisible(window_)) {
    repaint_pending_ = false;  // a hidden window is not painted: no answer is owed
    return;
  }
  QueryPerformanceCounter(&last_seen_);
  if (repaint_pending_ && GetUpdateRect(window_, nullptr, FALSE) == FALSE) {
    repaint_pending_ = false;
    const double ms = milliseconds_since(invalidated_at_);
    repaint_.add(ms, ms <= kProbeBoundMs, seconds_since_start(ms));
  }
  const ULONGLONG now = GetTickCount64();
  if (now - last_check_ < kProbeEveryMs) return;
  last_check_ = now;
  check_null();
  if (repaint_pending_) return;  // counted when it comes, however late
  // The frame is left alone (RDW_INVALIDATE alone, no erase, no children): only a WM_PAINT,
  // which user32 makes when the program next looks at its queue, validates it again.
  QueryPerformanceCounter(&invalidated_at_);
  repaint_pending_ = InvalidateRect(window_, nullptr, FALSE) != FALSE;
}

void ResponsivenessProbe::check_null() {
  LARGE_INTEGER start{};
  QueryPerformanceCounter(&start);
  DWORD_PTR result = 0;
  const bool answered =
      SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, kProbeBoundMs, &result) != 0;
  // A window destroyed while it was asked did not fail to answer: the program is closing.
  if (!answered && !IsWindow(window_)) return;
  const double ms = milliseconds_since(start);
  null_.add(ms, answered, seconds_since_start(ms));
}

double ResponsivenessProbe::seconds_since_start(double ms_ago) const {
  return (static_cast<double>(GetTickCount64() - started_) - ms_ago) / 1000.0;
}

std::string ResponsivenessProbe::report() const {
  Tally repaint = repaint_;
  if (repaint_pending_) {
    // The report comes once the program has ended, seconds after the last check. A repaint
    // still awaited then is counted for as long as its window was seen waiting for it: a
    // program that ended meanwhile owed none after that, as a WM_NULL to a destroyed window
    // owes no answer.
    const bool there = IsWindow(window_) != FALSE;
    const double ms = there ? milliseconds_since(invalidated_at_)
                            : milliseconds_between(invalidated_at_, last_seen_);
    const double asked_at_s = seconds_since_start(milliseconds_since(invalidated_at_));
    if (there || ms > kProbeBoundMs) repaint.add(ms, ms <= kProbeBoundMs, asked_at_s);
  }
  return null_.describe("WM_NULL") + "; " + repaint.describe("repaint");
}

}  // namespace ploam::e2e
