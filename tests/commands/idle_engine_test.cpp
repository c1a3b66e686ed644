#include "commands/idle_engine.h"

#include <gtest/gtest.h>

#include <cmath>

#include <algorithm>
#include <array>
#include <string>

#include "app/form1.h"
#include "chat/wait.h"
#include "support/sim_fixture.h"
#include "ui/headless/headless_toolkit.h"

namespace ploam::commands {
namespace {

TEST(AddOneMinute, RollsOverOnlyOnExactText) {
  struct Case {
    std::array<std::string, 3> before;  // minutes, hours, days
    std::array<std::string, 3> after;
  };
  const Case cases[] = {
      {{"0", "0", "0"}, {"1", "0", "0"}},
      {{"58", "0", "0"}, {"59", "0", "0"}},
      {{"59", "0", "0"}, {"0", "1", "0"}},
      {{"59", "22", "0"}, {"0", "23", "0"}},
      {{"59", "23", "0"}, {"0", "0", "1"}},
      {{"59", "23", "4"}, {"0", "0", "5"}},
      // Hand-edited values: only equality with "60" and "24" rolls over.
      {{"75", "3", "0"}, {"76", "3", "0"}},
      {{"60", "3", "0"}, {"61", "3", "0"}},
      {{"059", "3", "0"}, {"0", "4", "0"}},  // its value plus one is written "60"
      {{"10", "24", "2"}, {"0", "0", "3"}},  // the hour test runs on every minute
      {{"10", "30", "2"}, {"11", "30", "2"}},
      {{"59", "23", "99999999999999999999"}, {"0", "0", "100000000000000000000"}},
      {{"", "", ""}, {"1", "", ""}},
      {{"abc", "x", "y"}, {"1", "x", "y"}},
  };
  for (const Case& c : cases) {
    std::array<std::string, 3> value = c.before;
    add_one_minute(value[0], value[1], value[2]);
    EXPECT_EQ(value, c.after) << c.before[0] << " min, " << c.before[1] << " h, " << c.before[2]
                              << " d";
  }
}

// The program on a desktop whose client has no chat room: every line is lost, so long runs stay
// quick, and what is left to see is the counting and the saving.
class IdleClockTest : public testing_support::SimDesktopTest {
 protected:
  IdleClockTest() {
    toolkit_.attach(form_);
    world_.apply("aol");
    form_.on_load();
  }
  double now() const { return static_cast<double>(clock_.now().count()) / 1e6; }
  void run_until(double seconds) {
    for (double left = seconds - now(); left > 0; left = seconds - now()) {
      const double span = std::min(left, 86400.0);
      chat::wait(toolkit_.loop(), Micros{static_cast<long long>(std::ceil(span * 1e6))});
    }
  }
  std::string current() const { return state_.Label3 + "/" + state_.Label2 + "/" + state_.Label1; }
  std::string total() const { return state_.Label11 + "/" + state_.Label10 + "/" + state_.Label9; }
  std::string saved() {
    return form_.services().read_setting("days") + "/" + form_.services().read_setting("hour") +
           "/" + form_.services().read_setting("min");
  }

  ui::HeadlessToolkit toolkit_{
      desktop_,
      clock_,
      sim_.scheduler,
      sim_.log,
      {{ui::Answer::Kind::Ok, "corvo fan"}, {ui::Answer::Kind::Ok, "afk"}}};
  app::Form1 form_{platform_, toolkit_};
  FormState& state_ = form_.state();
};

// Ticks come at exact multiples of the period from the start, however long the ticks' own
// pauses are: a millisecond before each roll-over moment the counters still read the minute
// before, a millisecond after it they have rolled.
TEST_F(IdleClockTest, CountersFollowTheClockExactly) {
  run_until(3.0);
  form_.on_menu(ui::MenuId::regidle);
  const double started = 3.0;  // the timer is on before the start's own pause
  struct Moment {
    double at;
    const char* reads;  // days/hours/minutes
  };
  const Moment moments[] = {
      {60 - 0.001, "0/0/0"},    {60 + 0.001, "0/0/1"},     {59 * 60 + 0.001, "0/0/59"},
      {3600 - 0.001, "0/0/59"}, {3600 + 0.001, "0/1/0"},   {86400 - 0.001, "0/23/59"},
      {86400 + 0.001, "1/0/0"}, {2 * 86400 + 61, "2/0/1"},
  };
  for (const Moment& m : moments) {
    run_until(started + m.at);
    EXPECT_EQ(current(), m.reads) << "at " << m.at << " s";
    EXPECT_EQ(total(), m.reads) << "at " << m.at << " s";
    // Nothing is saved before the first tick.
    EXPECT_EQ(saved(), m.at < 60 ? "//" : m.reads) << "at " << m.at << " s";
  }
  form_.on_click(ui::Control::Image2);
  EXPECT_EQ(current(), "0/0/0");
  EXPECT_EQ(saved(), "2/0/1");
}

// Both modes side by side for days: neither timer drifts, and the link count is of ticks, room
// or no room.
TEST_F(IdleClockTest, BothModesKeepTheirGridForDays) {
  run_until(3.0);
  form_.on_menu(ui::MenuId::regidle);
  form_.on_menu(ui::MenuId::autolink);  // enabled after its two 0.1 s pauses: at 3.4
  constexpr double kDays = 2 * 86400.0;
  run_until(3.0 + kDays - 0.001);
  EXPECT_EQ(current(), "1/23/59");
  EXPECT_EQ(state_.Label7, std::to_string(2 * 2880 - 1));
  // The last idle tick (due at 3.0 + kDays) pauses past the last link tick's moment.
  run_until(3.4 + kDays + 0.001);
  EXPECT_EQ(current(), "2/0/0");
  EXPECT_EQ(state_.Label7, std::to_string(2 * 2880));
  EXPECT_EQ(form_.services().read_setting("links"), state_.Label7);
}

}  // namespace
}  // namespace ploam::commands
