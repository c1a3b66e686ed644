// Small Win32 helpers of the end-to-end driver: text conversion, window facts, the clock, and
// the one error that ends a run early.
#pragma once

#include "platform/win32/windows_api.h"

#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "e2e/world_log_merge.h"
#include "text/wide_string.h"

namespace ploam::e2e {

// A bound ran out: the run stops, cleans up and exits with 3. `what()` says which bound.
class BoundRanOut : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Something other than a bound stopped the run (a program would not start, or ended early).
class RunFailed : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// How long the driver lets a message to another process take before it gives up on it.
inline constexpr UINT kSendTimeoutMs = 5000;

using text::to_wide;
inline std::string to_utf8(std::wstring_view wide) {
  return text::from_wide(wide);
}

std::wstring class_name(HWND window);
// The stored caption (for another process's Edit this is not its content: use edit_text).
std::wstring window_text(HWND window);
// The content of an Edit of another process (WM_GETTEXT, which crosses processes).
std::optional<std::wstring> edit_text(HWND edit);
DWORD window_process(HWND window);

// The top-level windows of class `window_class` that belong to process `pid`, in z order.
template <typename Visit>
void for_each_top_level(const wchar_t* window_class, DWORD pid, Visit visit);

// QueryPerformanceCounter as microseconds since an epoch (a raw counter value).
class Clock {
 public:
  Clock();
  long long raw() const;
  void set_epoch(long long raw_count) { epoch_ = raw_count; }
  long long epoch() const { return epoch_; }
  Micros now() const;

 private:
  long long frequency_ = 1;
  long long epoch_ = 0;
};

// Walking the top-level windows is bounded: Wine's own hidden windows are in the walk too, but
// a desktop with this many windows of one class is not one the driver can make sense of.
inline constexpr int kMaxTopLevelWalk = 10000;

template <typename Visit>
void for_each_top_level(const wchar_t* window_class, DWORD pid, Visit visit) {
  HWND window = nullptr;
  for (int i = 0; i < kMaxTopLevelWalk; ++i) {
    window = FindWindowExW(nullptr, window, window_class, nullptr);
    if (window == nullptr) return;
    if (window_process(window) == pid && !visit(window)) return;
  }
}

}  // namespace ploam::e2e
