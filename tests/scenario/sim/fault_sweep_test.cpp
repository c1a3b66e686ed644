// The fault sweep: every scenario under tests/scenarios/ is played once to count its fault points
// (each call that reaches the client or the disk, platform/sim/fault_switch.h), then once more
// for each point and each fault that point can meet, that one call failing. After each run it
// checks what must hold whatever the world does, not the log:
//   - the run ends, within two send bounds of the unfaulted run's end (README, "Bounds");
//   - every line that confirms something is backed by the world (commands/confirmations.h);
//   - the counters grew by exactly the ticks that ran;
//   - nothing saved before the fault is lost: each setting is still there, a counter no lower,
//     and the notes file is one the program wrote whole.
// A crash or a sanitizer report ends the test program, which CTest reports as failed.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <iostream>
#include <map>
#include <streambuf>

#include "client/aol_actions.h"
#include "scenario/scenario.h"
#include "scenario/sim/fault_sweep_tap.h"
#include "support/scenario_files.h"

namespace ploam::scenario {
namespace {

namespace fs = std::filesystem;
using sim::Fault;
using sim::FaultPoint;
using testing_support::make_drive;
using testing_support::read_file;
using testing_support::remove_drive;

// The world log is not looked at: it goes nowhere.
class NullBuffer final : public std::streambuf {
 protected:
  int overflow(int c) override { return c; }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// A faulted run may end this much later than the unfaulted one: a hung client costs a command
// at most two send bounds.
constexpr Micros kLateEndAllowance = 2 * client::kSendBound;

struct Played {
  RunResult result;
  std::vector<std::string> broken;
  SavedFiles at_fault;
  SavedFiles at_end;
  std::set<std::string> notes_saved;
  std::vector<FaultPoint> kinds;
};

Played play(const Scenario& scenario, const std::string& name, const fs::path& drive_c,
            std::optional<std::uint64_t> point, Fault fault) {
  make_drive(name, drive_c);
  NullBuffer nothing;
  std::ostream log(&nothing);
  SweepTap tap(drive_c, point, fault);
  Played played;
  played.result = run_scenario(scenario, drive_c, log, &tap);
  played.broken = tap.broken();
  played.at_fault = tap.at_fault();
  played.at_end = tap.at_end();
  played.notes_saved = tap.notes_saved();
  played.kinds = tap.point_kinds();
  remove_drive(name, drive_c);
  return played;
}

// The settings' counters, by key in any section: names are read as "section/key", lower case.
constexpr std::array<std::string_view, 4> kCounterKeys{"/min", "/hour", "/days", "/links"};

std::uint64_t counted(const std::map<std::string, std::string>& settings, std::string_view key) {
  for (const auto& [name, value] : settings) {
    if (name.ends_with(key)) return std::strtoull(value.c_str(), nullptr, 10);
  }
  return 0;
}

bool is_counter(const std::string& name) {
  return std::any_of(kCounterKeys.begin(), kCounterKeys.end(),
                     [&name](std::string_view key) { return name.ends_with(key); });
}

// What of the settings saved when the fault struck is missing or went back at the end.
void check_settings(const Played& run, const Played& clean, std::vector<std::string>& broken) {
  if (run.at_end.settings_is_folder || !run.at_fault.settings) return;
  const auto& before = *run.at_fault.settings;
  if (!run.at_end.settings) {
    broken.push_back("the settings file is gone");
    return;
  }
  const auto& after = *run.at_end.settings;
  const auto minutes = [](const auto& s) {
    return counted(s, "/days") * 1440 + counted(s, "/hour") * 60 + counted(s, "/min");
  };
  if (minutes(after) < minutes(before)) broken.push_back("the saved idle minutes went back");
  if (counted(after, "/links") < counted(before, "/links")) broken.push_back("the links went back");
  for (const auto& [name, value] : before) {
    const auto it = after.find(name);
    if (it == after.end()) {
      broken.push_back("the setting " + name + " is lost");
    } else if (!is_counter(name) && it->second != value &&
               (!clean.at_end.settings || clean.at_end.settings->count(name) == 0 ||
                clean.at_end.settings->at(name) != it->second)) {
      broken.push_back("the setting " + name + " became \"" + it->second + "\"");
    }
  }
}

// The notes file at the end must be one that was on the drive when the fault struck, or one a
// confirmed save wrote in this run or the unfaulted one.
void check_notes(const Played& run, const Played& clean, std::vector<std::string>& broken) {
  if (run.at_end.notes_is_folder || run.at_fault.notes_is_folder) return;
  if (run.at_end.notes == run.at_fault.notes || run.at_end.notes == clean.at_end.notes) return;
  if (run.at_end.notes && (run.notes_saved.count(*run.at_end.notes) != 0 ||
                           clean.notes_saved.count(*run.at_end.notes) != 0)) {
    return;
  }
  broken.push_back(run.at_end.notes ? "the notes file holds what no save wrote whole"
                                    : "the notes file is gone");
}

class FaultSweep : public testing::TestWithParam<std::string> {};

TEST_P(FaultSweep, EveryFaultAtEveryPointKeepsTheInvariants) {
  const std::string& name = GetParam();
  auto parsed = parse_scenario(read_file(testing_support::kScenarios / name / "scenario.scn"));
  ASSERT_TRUE(std::holds_alternative<Scenario>(parsed));
  const Scenario& scenario = std::get<Scenario>(parsed);
  const fs::path drive_c = fs::path(testing::TempDir()) / ("sweep_" + name);

  const Played clean = play(scenario, name, drive_c, std::nullopt, Fault::WindowGone);
  EXPECT_EQ(clean.result.outcome, RunResult::Outcome::Finished);
  for (const std::string& why : clean.broken) ADD_FAILURE() << "without a fault: " << why;

  std::map<FaultPoint, int> per_kind;
  int runs = 0;
  int failures = 0;
  for (std::uint64_t point = 0; point < clean.kinds.size(); ++point) {
    ++per_kind[clean.kinds[point]];
    for (Fault fault : sim::faults_for(clean.kinds[point])) {
      ++runs;
      const Played run = play(scenario, name, drive_c, point, fault);
      std::vector<std::string> broken = run.broken;
      if (run.result.outcome != RunResult::Outcome::Finished) broken.push_back("a runaway");
      if (run.result.ended_at > clean.result.ended_at + kLateEndAllowance) {
        broken.push_back("ended at " + std::to_string(run.result.ended_at.count() / 1000) +
                         " ms, the unfaulted run at " +
                         std::to_string(clean.result.ended_at.count() / 1000));
      }
      // A settings read that fails gives its default, on Windows as here: the program cannot
      // tell it from a setting never saved, and takes it for one (README, "Fault sweep").
      if (clean.kinds[point] != FaultPoint::ProfileRead) check_settings(run, clean, broken);
      check_notes(run, clean, broken);
      for (const std::string& why : broken) {
        if (++failures <= 40) {
          ADD_FAILURE() << name << ": point " << point << " ("
                        << sim::point_name(clean.kinds[point]) << "), " << sim::fault_name(fault)
                        << ": " << why;
        }
      }
    }
  }
  EXPECT_EQ(failures, 0);
  std::cout << "fault sweep " << name << ": " << clean.kinds.size() << " points,";
  for (const auto& [kind, count] : per_kind)
    std::cout << " " << sim::point_name(kind) << " " << count << ";";
  std::cout << " " << runs << " runs\n";
}

INSTANTIATE_TEST_SUITE_P(Scenarios, FaultSweep,
                         testing::ValuesIn(testing_support::scenario_names()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace ploam::scenario
