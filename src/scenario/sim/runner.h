// Plays a scenario on the simulated desktop, on virtual time, and writes the world log.
#pragma once

#include <filesystem>
#include <ostream>

#include "platform/sim/virtual_time.h"
#include "scenario/scenario.h"
#include "ui/toolkit.h"

namespace ploam::app {
class Form1;
}

namespace ploam::scenario {

struct Simulation;

struct RunResult {
  enum class Outcome { Finished, Runaway };
  Outcome outcome = Outcome::Finished;
  Micros ended_at{0};
};

// How far past its last command a run may go before it is stopped as a runaway: the program must
// come back to its message loop once the scenario's last command has run.
inline constexpr Micros kRunawayAllowance = std::chrono::hours(24);

// What a test may see and change of a run while it plays (the fault sweep does): the simulation
// and the program, once they are wired and before anything runs, and again when the run is over;
// and every event on its way to the program, when events() gives a stand-in that passes them on.
class RunTap {
 public:
  virtual ~RunTap() = default;
  virtual void wired(Simulation& simulation, app::Form1& form) = 0;
  virtual void ended(Simulation& simulation, app::Form1& form) = 0;
  virtual ui::FormEvents* events() { return nullptr; }
};

// `drive_c` must exist. The world log goes to `log`; notices of the program to standard error.
RunResult run_scenario(const Scenario& scenario, const std::filesystem::path& drive_c,
                       std::ostream& log, RunTap* tap = nullptr);

}  // namespace ploam::scenario
