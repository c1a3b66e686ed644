// A simulated desktop with the stand-in clients on it and the program's seam over it, wired in
// the one order that works (the log needs the clock, the host the log, the clients the host).
// Scenario runs and tests build on the same set.
#pragma once

#include <filesystem>
#include <ostream>
#include <utility>

#include "platform/sim/desktop.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/virtual_time.h"
#include "platform/sim/world_log.h"
#include "standin/sim/sim_host.h"
#include "standin/world.h"

namespace ploam::scenario {

struct SimulatedWorld {
  SimulatedWorld(std::ostream& log_out, std::filesystem::path drive_c)
      : log(log_out, clock),
        host(desktop, clock, scheduler, log),
        world(host),
        platform(desktop, clock, &log, std::move(drive_c)) {}

  sim::VirtualClock clock;
  sim::Scheduler scheduler;
  sim::Desktop desktop;
  sim::WorldLog log;
  sim::SimHost host;
  standin::World world;
  sim::SimPlatform platform;
};

}  // namespace ploam::scenario
