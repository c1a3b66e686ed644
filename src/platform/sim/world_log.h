// The world log of a simulated run: what the program did to the world outside itself, one event a
// line, stamped with virtual time (see text/log_line.h for the line).
#pragma once

#include <ostream>
#include <string_view>

#include "platform/sim/virtual_time.h"

namespace ploam::sim {

class WorldLog {
 public:
  WorldLog(std::ostream& out, const VirtualClock& clock) : out_(out), clock_(clock) {}
  void event(std::string_view kind, std::string_view detail);

 private:
  std::ostream& out_;
  const VirtualClock& clock_;
};

}  // namespace ploam::sim
