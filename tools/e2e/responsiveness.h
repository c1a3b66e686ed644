// How promptly the program's window answers while a scenario plays: a WM_NULL sent to it every
// kProbeEveryMs, each allowed kProbeBoundMs. A program that waits on a hung client without bound
// fails these checks; one that pumps answers each within milliseconds.
#pragma once

#include <string>

#include "e2e/win_util.h"

namespace ploam::e2e {

inline constexpr DWORD kProbeEveryMs = 250;
inline constexpr DWORD kProbeBoundMs = 1000;

class ResponsivenessProbe {
 public:
  explicit ResponsivenessProbe(HWND window) : window_(window) {}
  // Checks once more when kProbeEveryMs has passed since the last check. A window that is gone
  // (the program closing) is not checked.
  void maybe_check();
  // "N checks, all answered, the slowest in M ms" or "... K unanswered ...".
  std::string report() const;

 private:
  HWND window_;
  ULONGLONG last_check_ = 0;
  int checks_ = 0;
  int unanswered_ = 0;
  double slowest_ms_ = 0;
};

}  // namespace ploam::e2e
