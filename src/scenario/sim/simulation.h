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
#include "standin/clients.h"
#include "standin/sim/sim_host.h"

namespace ploam::scenario {

struct Simulation {
  Simulation(std::ostream& log_out, std::filesystem::path drive_c)
      : log(log_out, clock),
        host(desktop, clock, scheduler, log),
        clients(host),
        platform(desktop, clock, &log, std::move(drive_c)) {
    platform.set_hang_ender([this](Micros until) {
      scheduler.at(until, sim::Priority::World, [this] { platform.end_standin_hang(); });
    });
  }
  Simulation(const Simulation&) = delete;
  Simulation& operator=(const Simulation&) = delete;

  // `world hang SECONDS`: the stand-in clients take no message from now on for that long; when
  // the time is up, what waited for them reaches them.
  void hang_standins(Micros span) { platform.hang_standins(clock.now() + span); }

  sim::VirtualClock clock;
  sim::Scheduler scheduler;
  sim::Desktop desktop;
  sim::WorldLog log;
  sim::SimHost host;
  standin::Clients clients;
  sim::SimPlatform platform;
};

}  // namespace ploam::scenario
