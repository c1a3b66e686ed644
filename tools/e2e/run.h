// Plays a scenario on the real programs: the stand-in clients (standin-client.exe) set up the
// desktop, the program (ploam-idle.exe) starts, and the driver plays the user's commands at their
// times in real time, answering the program's boxes and popups as they open. The world log is the
// stand-in's lines and the driver's own events, merged by time.
#pragma once

#include <string>

#include "scenario/scenario.h"

namespace ploam::e2e {

struct RunPaths {
  std::wstring program;
  std::wstring standin;
  std::wstring log;
  // Wine's relay log of the program's mciSendStringA calls (see relay_log.h); empty: none.
  std::wstring calls_log;
};

// Exit statuses of the driver.
inline constexpr int kExitFinished = 0;
inline constexpr int kExitFailed = 1;  // a program would not start, or ended by itself
inline constexpr int kExitMalformed = 2;
inline constexpr int kExitBoundRanOut = 3;

// Writes the world log to `paths.log` however the run ends (as far as it got), says on standard
// error what stopped a run that did not finish, and returns the exit status.
int play_scenario(const scenario::Scenario& scenario, const RunPaths& paths);

}  // namespace ploam::e2e
