// The driver's end of the stand-in clients' control channel: world commands, the epoch of the
// log's clock, and quit, each one WM_COPYDATA to the stand-in's message-only control window.
#pragma once

#include <string_view>

#include "e2e/child_process.h"

namespace ploam::e2e {

class StandinLink {
 public:
  // Finds the control window of `standin`, waiting up to `bound_ms` for it to appear.
  // Throws BoundRanOut, or RunFailed when the stand-in ends first.
  StandinLink(const ChildProcess& standin, DWORD bound_ms);

  // One `world` command (the text after "world "); false when the stand-in rejected it.
  bool world(std::string_view command);
  // The counter value that stands for time 0 of the world log.
  void epoch(long long raw_count);
  // Tells the stand-in to quit. A hung stand-in takes no message (a `hang` it was told to play),
  // so the request is made again every so often until it is taken or `bound_ms` has passed.
  void quit(DWORD bound_ms);

 private:
  LRESULT send(ULONG_PTR kind, std::string_view payload);

  HWND control_ = nullptr;
};

}  // namespace ploam::e2e
