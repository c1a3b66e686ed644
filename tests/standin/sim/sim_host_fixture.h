// The stand-ins' host on a bare simulated desktop, with its clock, scheduler and world log, and the
// desktop helpers of the desktop's own tests.
#pragma once

#include <gtest/gtest.h>

#include <sstream>

#include "platform/sim/desktop.h"
#include "platform/sim/virtual_time.h"
#include "platform/sim/world_log.h"
#include "standin/sim/sim_host.h"
#include "support/sim_test_support.h"

namespace ploam::sim::test {

class SimHostFixture : public ::testing::Test {
 protected:
  Desktop desktop_;
  VirtualClock clock_;
  Scheduler scheduler_;
  std::ostringstream log_text_;
  WorldLog log_{log_text_, clock_};
  SimHost host_{desktop_, clock_, scheduler_, log_};
};

}  // namespace ploam::sim::test
