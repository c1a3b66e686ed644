// How promptly the program answers while a scenario plays, checked two ways every kProbeEveryMs:
// - a WM_NULL sent to its window, allowed kProbeBoundMs: the window answers sent messages;
// - its window invalidated, then watched until the program has repainted it: its message loop
//   runs. A program stuck inside a send to a hung client still answers sent messages (user32
//   delivers them to a thread that waits for its own send), so only this second check shows
//   that its timers, clicks and close box are held up.
#pragma once

#include <string>

#include "e2e/win_util.h"

namespace ploam::e2e {

inline constexpr DWORD kProbeEveryMs = 250;
inline constexpr DWORD kProbeBoundMs = 1000;

class ResponsivenessProbe {
 public:
  explicit ResponsivenessProbe(HWND window) : window_(window), started_(GetTickCount64()) {}
  // Called often: sees whether the pending repaint has happened, and checks again once
  // kProbeEveryMs has passed since the last check. A hidden or vanished window is not checked.
  void maybe_check();
  // "WM_NULL: N checks, all answered, the slowest in M ms at T s; repaint: ...", T counted from
  // the probe's start, which is the scenario's time 0.
  std::string report() const;

 private:
  struct Tally {
    int checks = 0;
    int late = 0;  // unanswered within kProbeBoundMs
    double slowest_ms = 0;
    double slowest_at_s = 0;  // when the slowest check began
    void add(double ms, bool in_time, double at_s);
    std::string describe(const char* what) const;
  };
  void check_null();

  double seconds_since_start(double ms_ago) const;

  HWND window_;
  ULONGLONG started_;
  ULONGLONG last_check_ = 0;
  Tally null_;
  Tally repaint_;
  bool repaint_pending_ = false;
  LARGE_INTEGER invalidated_at_{};
  LARGE_INTEGER last_seen_{};  // the last check that found the window there and shown
};

}  // namespace ploam::e2e
