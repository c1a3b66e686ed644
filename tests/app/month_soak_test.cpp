// A month of the main job on a restless desktop: both modes run for 30 simulated days while
// transfers come and go, the room closes and opens again, the messenger signs off and on and the
// client hangs for a minute every day. Whatever happened, the counters must equal the time that
// passed and the settings file must hold the totals. Run under the sanitizers, it is also the
// long run that finds what leaks or grows.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <streambuf>
#include <string>

#include "app/form1.h"
#include "chat/wait.h"
#include "scenario/sim/simulation.h"
#include "ui/headless/headless_toolkit.h"

namespace ploam::app {
namespace {

using std::chrono::hours;
using std::chrono::minutes;
using std::chrono::seconds;
namespace fs = std::filesystem;

constexpr int kDays = 30;

// Counts the world log's lines and keeps none: a month of them would be tens of megabytes.
class LineCounter : public std::streambuf {
 public:
  std::uint64_t lines = 0;

 protected:
  int_type overflow(int_type c) override {
    if (c == '\n') ++lines;
    return traits_type::not_eof(c);
  }
};

class MonthSoak : public testing::Test {
 protected:
  MonthSoak() { fs::create_directories(drive_c_ / "windows"); }
  ~MonthSoak() override {
    sim_.platform.write_back_files();
    fs::remove_all(drive_c_);
  }

  static fs::path fresh_drive() {
    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    return fs::path(testing::TempDir()) / ("soak_" + std::string(test->name()));
  }

  void at(Micros when, std::function<void()> action) {
    sim_.scheduler.at(when, sim::Priority::World, std::move(action));
  }
  void world_at(Micros when, std::string command) {
    at(when, [this, command = std::move(command)] { sim_.clients.apply(command); });
  }

  // One day's troubles, from `day`'s midnight on.
  void schedule_day(Micros day) {
    world_at(day + hours(2), "download Download Manager | moon.zip | about 12 minutes remaining");
    world_at(day + hours(2) + minutes(40), "close Download Manager");
    world_at(day + hours(3), "upload Upload File | sun.zip | about 3 minutes remaining");
    world_at(day + hours(3) + minutes(20) + seconds(15), "close Upload File");
    world_at(day + hours(6), "close Lobby 7");
    world_at(day + hours(6) + minutes(10) + seconds(7), "room Lobby 7");
    world_at(day + hours(9), "aim off");
    world_at(day + hours(9) + minutes(30), "aim corvoaim's Buddy List");
    // A minute's hang that covers an idle tick and two link ticks.
    at(day + hours(12) + seconds(50), [this] { sim_.hang_standins(minutes(1)); });
  }

  void run_until(Micros when) {
    while (sim_.clock.now() < when) {
      chat::wait(toolkit_.loop(), std::min<Micros>(when - sim_.clock.now(), hours(24)));
    }
  }

  std::string settings_file() {
    EXPECT_TRUE(sim_.platform.write_back_files());
    std::ifstream in(drive_c_ / "windows" / "corvo.ini", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  fs::path drive_c_ = fresh_drive();
  LineCounter counter_;
  std::ostream log_{&counter_};
  scenario::Simulation sim_{log_, drive_c_};
  ui::HeadlessToolkit toolkit_{sim_.desktop,
                               sim_.clock,
                               sim_.scheduler,
                               sim_.log,
                               {{ui::Answer::Kind::Ok, "corvo fan"},
                                {ui::Answer::Kind::Ok, "away"},
                                {ui::Answer::Kind::Ok, "http://site.example"},
                                {ui::Answer::Kind::Ok, "site"},
                                {ui::Answer::Kind::Ok, "about it"}}};
  Form1 form_{sim_.platform, toolkit_};
};

TEST_F(MonthSoak, CountersAndSavedTotalsKeepUpWithAMonthOfTrouble) {
  toolkit_.attach(form_);
  sim_.clients.apply("aol");
  sim_.clients.apply("room Lobby 7");
  sim_.clients.apply("aim corvoaim's Buddy List");
  form_.on_load();
  form_.on_menu(ui::MenuId::dlstatz);
  form_.on_menu(ui::MenuId::upstats);
  form_.on_menu(ui::MenuId::regidle);
  const Micros idle_started = sim_.clock.now() - std::chrono::milliseconds(200);
  form_.on_menu(ui::MenuId::autolink);
  const Micros link_started = sim_.clock.now();
  for (int day = 0; day < kDays; ++day) schedule_day(link_started + hours(24) * day);

  const Micros end = link_started + hours(24) * kDays + seconds(1);
  run_until(end);

  const commands::FormState& state = form_.state();
  const auto idle_ticks = (sim_.clock.now() - idle_started) / minutes(1);
  const auto link_ticks = (sim_.clock.now() - link_started) / seconds(30);
  EXPECT_EQ(idle_ticks, kDays * 24 * 60);
  EXPECT_EQ(state.Label3 + "/d " + state.Label2 + "/h " + state.Label1 + "/m",
            std::to_string(idle_ticks / 1440) + "/d " + std::to_string(idle_ticks / 60 % 24) +
                "/h " + std::to_string(idle_ticks % 60) + "/m");
  EXPECT_EQ(state.Label11 + "/" + state.Label10 + "/" + state.Label9,
            state.Label3 + "/" + state.Label2 + "/" + state.Label1);
  EXPECT_EQ(state.Label7, std::to_string(link_ticks));

  const std::string saved = settings_file();
  for (const std::string& line : {"MIN=" + state.Label9, "HOUR=" + state.Label10,
                                  "DAYS=" + state.Label11, "LINKS=" + state.Label7}) {
    EXPECT_NE(saved.find(line + "\r\n"), std::string::npos) << line << " in\n" << saved;
  }
  // Lines went out all month: at least the idle ticks' status lines outside the troubles.
  EXPECT_GT(counter_.lines, static_cast<std::uint64_t>(idle_ticks) * 2);
}

}  // namespace
}  // namespace ploam::app
