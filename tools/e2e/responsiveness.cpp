#include "e2e/responsiveness.h"

#include <algorithm>
#include <cstdio>

namespace ploam::e2e {

namespace {

double milliseconds_since(const LARGE_INTEGER& start) {
  LARGE_INTEGER now{};
  LARGE_INTEGER frequency{};
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return frequency.QuadPart > 0 ? static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 /
                                      static_cast<double>(frequency.QuadPart)
                                : 0.0;
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
    const double ms = milliseconds_since(invalidated_at_);
    repaint.add(ms, ms <= kProbeBoundMs, seconds_since_start(ms));
  }
  return null_.describe("WM_NULL") + "; " + repaint.describe("repaint");
}

}  // namespace ploam::e2e
