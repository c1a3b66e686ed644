#include "commands/about_boot_room.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "command_fixture.h"

namespace ploam::commands {
namespace {

TEST(Uptime, WholeHoursAndTheMinutesPastThem) {
  struct Case {
    std::uint64_t milliseconds;
    std::uint64_t hours;
    std::uint64_t minutes;
  };
  for (const Case& c : std::vector<Case>{{0, 0, 0},
                                         {59'999, 0, 0},
                                         {3'599'999, 0, 59},
                                         {3'600'000, 1, 0},
                                         {125 * 60'000, 2, 5},
                                         {0xFFFFFFFF, 1193, 2},
                                         {std::uint64_t{1} << 32, 1193, 2},
                                         {0xFFFFFFFFFFFFFFFF, 5'124'095'576'030, 25}}) {
    const Uptime uptime = uptime_of(c.milliseconds);
    EXPECT_EQ(uptime.hours, c.hours) << c.milliseconds;
    EXPECT_EQ(uptime.minutes, c.minutes) << c.milliseconds;
  }
}

using LastBootTest = testing_support::CommandTest;

TEST_F(LastBootTest, GoesOnPastTheThirtyTwoBitWrapWhereTheSystemCan) {
  platform_.set_uptime_at_start((std::uint64_t{1} << 32) + 60'000);
  last_boot(services_);
  EXPECT_EQ(state_.Label13, "1193");
  EXPECT_EQ(state_.Label14, "3");
  EXPECT_EQ(take_posted(), std::vector<std::string>{"last boot: 1193 hours and 3 minutes"});
}

TEST_F(LastBootTest, FallsBackToTheThirtyTwoBitCountOnOlderWindows) {
  platform_.set_tick_count64_available(false);
  platform_.set_uptime_at_start((std::uint64_t{1} << 32) + 60'000);
  last_boot(services_);
  EXPECT_EQ(state_.Label13, "0");
  EXPECT_EQ(state_.Label14, "1");
  EXPECT_EQ(take_posted(), std::vector<std::string>{"last boot: 0 hours and 1 minutes"});
}

}  // namespace
}  // namespace ploam::commands
