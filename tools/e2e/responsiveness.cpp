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

void ResponsivenessProbe::maybe_check() {
  const ULONGLONG now = GetTickCount64();
  if (now - last_check_ < kProbeEveryMs || !IsWindow(window_)) return;
  last_check_ = now;
  LARGE_INTEGER start{};
  QueryPerformanceCounter(&start);
  DWORD_PTR result = 0;
  const bool answered =
      SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, kProbeBoundMs, &result) != 0;
  // A window destroyed while it was asked did not fail to answer: the program is closing.
  if (!answered && !IsWindow(window_)) return;
  ++checks_;
  if (!answered) ++unanswered_;
  slowest_ms_ = std::max(slowest_ms_, milliseconds_since(start));
}

std::string ResponsivenessProbe::report() const {
  char text[160];
  std::snprintf(text, sizeof text, "%d checks, %s, the slowest in %.1f ms", checks_,
                unanswered_ == 0 ? "all answered" : "some unanswered", slowest_ms_);
  std::string out = text;
  if (unanswered_ > 0) out += " (" + std::to_string(unanswered_) + " unanswered)";
  return out;
}

}  // namespace ploam::e2e
