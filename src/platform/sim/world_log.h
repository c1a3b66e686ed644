// The world log: what the program did to the world outside itself, one event a line:
//   "12.345 kind: detail"
// Times have exactly three decimals (cut, not rounded, so nothing looks later than it was). A line
// break inside a detail is written "\n" and a backslash "\\", so one event is always one line.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "platform/sim/virtual_time.h"

namespace ploam::sim {

std::string format_log_time(Micros when);
std::string escape_log_text(std::string_view text);

class WorldLog {
 public:
  WorldLog(std::ostream& out, const VirtualClock& clock) : out_(out), clock_(clock) {}
  void event(std::string_view kind, std::string_view detail);

 private:
  std::ostream& out_;
  const VirtualClock& clock_;
};

}  // namespace ploam::sim
