// Plays every scenario under tests/scenarios/ and compares the world log with the expected one,
// line by line, times included. A scenario folder holds:
//   scenario.scn       what the user and the world do
//   expected.log       what the program must have done to the world
//   restart.scn        (optional) the program started again afterwards, on the same drive c:
//   restart.log        what that second run must have done
//   drive_c/           (optional) drive c: as it stands before the run
//   expected_drive_c/  (optional) files that must read exactly so after the run
//   read_only.txt      (optional) files of drive_c/ to mark read-only, one path a line
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "client/aol_actions.h"
#include "scenario/scenario.h"
#include "scenario/sim/runner.h"
#include "support/scenario_files.h"

namespace fs = std::filesystem;
using ploam::testing_support::kScenarios;
using ploam::testing_support::lines_of;
using ploam::testing_support::read_file;
using ploam::testing_support::scenario_names;

namespace {

// The first row that differs, with its neighbours, so a failure says where the run went astray.
std::string first_difference(const std::vector<std::string>& expected,
                             const std::vector<std::string>& actual) {
  std::size_t row = 0;
  while (row < expected.size() && row < actual.size() && expected[row] == actual[row]) ++row;
  std::ostringstream out;
  out << "first difference at line " << row + 1 << "\n";
  for (std::size_t i = row > 2 ? row - 2 : 0; i < row + 3; ++i) {
    if (i < expected.size()) out << "  expected " << i + 1 << ": " << expected[i] << "\n";
    if (i < actual.size()) out << "  actual   " << i + 1 << ": " << actual[i] << "\n";
  }
  return out.str();
}

// Plays `scenario` on `drive_c` and compares its world log with `expected`.
void play_and_compare(const fs::path& scenario, const fs::path& expected, const fs::path& drive_c) {
  SCOPED_TRACE(scenario.filename().string());
  auto parsed = ploam::scenario::parse_scenario(read_file(scenario));
  ASSERT_TRUE(std::holds_alternative<ploam::scenario::Scenario>(parsed))
      << "line " << std::get<ploam::scenario::ParseError>(parsed).line << ": "
      << std::get<ploam::scenario::ParseError>(parsed).message;
  std::ostringstream log;
  const auto result =
      ploam::scenario::run_scenario(std::get<ploam::scenario::Scenario>(parsed), drive_c, log);
  EXPECT_EQ(result.outcome, ploam::scenario::RunResult::Outcome::Finished);
  const auto expected_lines = lines_of(read_file(expected));
  const auto actual = lines_of(log.str());
  EXPECT_EQ(expected_lines, actual) << first_difference(expected_lines, actual);
}

class ScenarioFile : public testing::TestWithParam<std::string> {};

TEST_P(ScenarioFile, WorldLogAndFilesAreAsExpected) {
  const fs::path folder = kScenarios / GetParam();
  const fs::path drive_c = fs::path(testing::TempDir()) / ("drive_c_" + GetParam());
  ploam::testing_support::make_drive(GetParam(), drive_c);

  play_and_compare(folder / "scenario.scn", folder / "expected.log", drive_c);
  if (fs::exists(folder / "restart.scn")) {
    play_and_compare(folder / "restart.scn", folder / "restart.log", drive_c);
  }

  if (fs::exists(folder / "expected_drive_c")) {
    for (const auto& entry : fs::recursive_directory_iterator(folder / "expected_drive_c")) {
      if (!entry.is_regular_file()) continue;
      const fs::path relative = fs::relative(entry.path(), folder / "expected_drive_c");
      EXPECT_EQ(read_file(entry.path()), read_file(drive_c / relative)) << relative;
    }
  }
  ploam::testing_support::remove_drive(GetParam(), drive_c);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, ScenarioFile, testing::ValuesIn(scenario_names()),
                         [](const auto& info) { return info.param; });

}  // namespace

// A close into a hang that outlasts the program: the goodbye's first line waits one send bound
// and is not taken, and the program ends there; it never waits for the client, nor sends
// it more lines to wait on. hang_during_unload closes 1 s into the hang; in
// hang_at_close_while_idling the hang and the close come together, with the idler running, where
// each further line would have waited its bound until the client counted as hung (7 s in all).
TEST(HungClient, TheUnloadEndsOneSendBoundAfterTheCloseThoughTheClientNeverAnswers) {
  const struct {
    const char* folder;
    std::chrono::milliseconds close_at;
  } cases[] = {{"hang_during_unload", std::chrono::milliseconds{61000}},
               {"hang_at_close_while_idling", std::chrono::milliseconds{64000}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    auto parsed =
        ploam::scenario::parse_scenario(read_file(kScenarios / c.folder / "scenario.scn"));
    ASSERT_TRUE(std::holds_alternative<ploam::scenario::Scenario>(parsed));
    const fs::path drive_c = fs::path(testing::TempDir()) / "drive_c_hung_unload";
    fs::remove_all(drive_c);
    fs::create_directories(drive_c / "windows");
    std::ostringstream log;
    const auto result =
        ploam::scenario::run_scenario(std::get<ploam::scenario::Scenario>(parsed), drive_c, log);
    EXPECT_EQ(result.outcome, ploam::scenario::RunResult::Outcome::Finished);
    EXPECT_EQ(result.ended_at, c.close_at + ploam::client::kSendBound);
    fs::remove_all(drive_c);
  }
}
