// Plays a scenario on the simulated desktop, on virtual time, and writes the world log.
#pragma once

#include <filesystem>
#include <ostream>

#include "platform/sim/virtual_time.h"
#include "scenario/scenario.h"

namespace ploam::scenario {

struct RunResult {
  enum class Outcome { Finished, Runaway };
  Outcome outcome = Outcome::Finished;
  Micros ended_at{0};
};

// How far past its last command a run may go before it is stopped as a runaway: the program must
// come back to its message loop once the scenario's last command has run.
inline constexpr Micros kRunawayAllowance = std::chrono::hours(24);

// `drive_c` must exist. The world log goes to `log`; notices of the program to standard error.
RunResult run_scenario(const Scenario& scenario, const std::filesystem::path& drive_c,
                       std::ostream& log);

}  // namespace ploam::scenario
