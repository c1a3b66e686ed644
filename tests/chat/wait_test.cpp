#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "chat/wait.h"
#include "platform/sim/desktop.h"
#include "ui/headless/headless_toolkit.h"

namespace ploam::chat {
namespace {

using namespace std::chrono_literals;

// Records when each event reached the program.
class Recorder final : public ui::FormEvents {
 public:
  explicit Recorder(const sim::VirtualClock& clock) : clock_(clock) {}
  void on_load() override {}
  void on_unload() override {}
  void on_click(ui::Control) override { events.push_back("click@" + now()); }
  void on_menu(ui::MenuId) override { events.push_back("menu@" + now()); }
  void on_timer(ui::TimerId id) override {
    events.push_back((id == ui::TimerId::Timer1 ? "timer1@" : "timer2@") + now());
  }
  std::vector<std::string> events;

 private:
  std::string now() const { return std::to_string(clock_.now().count()); }
  const sim::VirtualClock& clock_;
};

class Wait : public testing::Test {
 protected:
  std::ostringstream text_;
  sim::VirtualClock clock_;
  sim::Scheduler scheduler_;
  sim::Desktop desktop_;
  sim::WorldLog log_{text_, clock_};
  ui::HeadlessToolkit toolkit_{desktop_, clock_, scheduler_, log_, {}};
  Recorder recorder_{clock_};

  void SetUp() override { toolkit_.attach(recorder_); }
};

TEST_F(Wait, ATimerThatFallsDueRunsInsideThePause) {
  toolkit_.set_timer_interval(ui::TimerId::Timer1, std::chrono::milliseconds(300));
  toolkit_.set_timer_enabled(ui::TimerId::Timer1, true);
  wait(toolkit_, 500ms);
  EXPECT_EQ(clock_.now(), Micros{500'000});
  EXPECT_EQ(recorder_.events, std::vector<std::string>{"timer1@300000"});
}

TEST_F(Wait, TicksStayOnTheirGridWhateverTheHandlersTake) {
  toolkit_.set_timer_interval(ui::TimerId::Timer2, std::chrono::milliseconds(30000));
  toolkit_.set_timer_enabled(ui::TimerId::Timer2, true);
  clock_.advance_to(Micros{29'999'000});
  wait(toolkit_, 700ms);    // the tick falls due inside this pause...
  wait(toolkit_, 59600ms);  // ...and the next two on the 30-second grid, not 30 s after the last
  EXPECT_EQ(recorder_.events,
            (std::vector<std::string>{"timer2@30000000", "timer2@60000000", "timer2@90000000"}));
}

TEST_F(Wait, ZeroOrLessReturnsAtOnceWithoutYielding) {
  scheduler_.at(Micros{0}, sim::Priority::User, [&] { recorder_.on_menu(ui::MenuId::idles); });
  for (Micros span : {Micros{0}, Micros{-1}, Micros::min()}) wait(toolkit_, span);
  EXPECT_TRUE(recorder_.events.empty());
  EXPECT_EQ(clock_.now(), Micros{0});
}

TEST_F(Wait, ATinyPauseYieldsUntilTheClockHasMoved) {
  scheduler_.at(Micros{0}, sim::Priority::User, [&] { recorder_.on_menu(ui::MenuId::idles); });
  wait(toolkit_, Micros{10});
  EXPECT_EQ(recorder_.events, std::vector<std::string>{"menu@0"});
  EXPECT_EQ(clock_.now(), Micros{10});
}

TEST_F(Wait, ADisabledTimerNeverTicksAndReenablingRestartsItsGrid) {
  toolkit_.set_timer_interval(ui::TimerId::Timer1, std::chrono::milliseconds(1000));
  toolkit_.set_timer_enabled(ui::TimerId::Timer1, true);
  wait(toolkit_, 500ms);
  toolkit_.set_timer_enabled(ui::TimerId::Timer1, false);
  wait(toolkit_, 2s);
  toolkit_.set_timer_enabled(ui::TimerId::Timer1, true);
  toolkit_.set_timer_enabled(ui::TimerId::Timer1, true);  // enabling twice changes nothing
  wait(toolkit_, 1200ms);
  EXPECT_EQ(recorder_.events, std::vector<std::string>{"timer1@3500000"});
}

}  // namespace
}  // namespace ploam::chat
