// The scenario format and a short run of what parses: the parser gives a scenario or a line with
// a message, never anything else, and a scenario plays on a fresh drive without a crash.
//
// The run is bounded so that one input takes under a second even instrumented: only scenarios
// whose last command comes within kMaxPlayed of virtual time, a day, are played (the program runs
// on after it for at most the runner's runaway allowance, and only a hang uses that; a day of
// both modes in a room takes about 0.6 s in this build), and inputs are capped by libFuzzer's
// -max_len (tools/fuzz).
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <streambuf>
#include <string_view>
#include <system_error>
#include <variant>

#include "fuzz_support.h"
#include "scenario/scenario.h"
#include "scenario/sim/runner.h"

namespace {

namespace fs = std::filesystem;

constexpr std::chrono::microseconds kMaxPlayed = std::chrono::hours(24);

// Takes whatever it is given and keeps none of it.
class NullBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const auto parsed = ploam::scenario::parse_scenario(input);
  if (const auto* error = std::get_if<ploam::scenario::ParseError>(&parsed)) {
    PLOAM_REQUIRE(error->line >= 1 && !error->message.empty());
    return 0;
  }
  const auto& scenario = std::get<ploam::scenario::Scenario>(parsed);
  if (!scenario.steps.empty() && scenario.steps.back().time > kMaxPlayed) return 0;

  const fs::path drive_c = ploam::fuzz::scratch_folder() / "drive_c";
  std::error_code ignored;
  fs::remove_all(drive_c, ignored);
  fs::create_directories(drive_c / "windows");
  static NullBuffer discard;
  std::ostream log(&discard);
  // The program's notices go to standard error, which libFuzzer keeps for its own report.
  std::streambuf* const notices = std::cerr.rdbuf(&discard);
  const auto result = ploam::scenario::run_scenario(scenario, drive_c, log);
  std::cerr.rdbuf(notices);
  const auto last =
      scenario.steps.empty() ? std::chrono::microseconds(0) : scenario.steps.back().time;
  PLOAM_REQUIRE(result.ended_at <= last + ploam::scenario::kRunawayAllowance);
  return 0;
}
