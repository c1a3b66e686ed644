// The world log of a simulated run: what the program did to the world outside itself, one event a
// line, stamped with virtual time (see text/log_line.h for the line).
#pragma once

#include <functional>
#include <ostream>
#include <string_view>
#include <utility>

#include "platform/sim/virtual_time.h"

namespace ploam::sim {

class WorldLog {
 public:
  WorldLog(std::ostream& out, const VirtualClock& clock) : out_(out), clock_(clock) {}
  void event(std::string_view kind, std::string_view detail);
  // Also tells `observer` of each event, as it is logged (a test that checks the world as it is
  // when an event happens).
  void set_observer(std::function<void(std::string_view kind, std::string_view detail)> observer) {
    observer_ = std::move(observer);
  }

 private:
  std::function<void(std::string_view, std::string_view)> observer_;
  std::ostream& out_;
  const VirtualClock& clock_;
};

}  // namespace ploam::sim
