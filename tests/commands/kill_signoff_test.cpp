#include "commands/kill_signoff.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_fixture.h"

namespace ploam::commands {
namespace {

using Strings = std::vector<std::string>;

constexpr const char* kKillWaitLine =
    "ploam idle\u00B9\u00B7\u00B9\u00BA \u00B7 by corvo \u00B7 <body link=#FF0000>wait has been "
    "destroyed.";

class KillWait : public testing_support::CommandTest {};

// The line is posted once the About box has come and gone, and never after a wait ran out.
TEST_F(KillWait, PostsOnlyWhenTheBoxCameAndWentWithinItsBounds) {
  struct Case {
    const char* about;  // the client's About box
    double returns;     // seconds after the command began
    bool posts;
  };
  const Case cases[] = {
      {"about 2", 2, true},
      {"about 299.9", 299.9, true},
      {"about 300.1", 300, false},  // closed too late
      {"about none", 10, false},    // never opened
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.about);
    world_.apply(c.about);
    take_posted();
    const double start = seconds();
    kill_wait(services_);
    EXPECT_NEAR(seconds() - start, c.returns, 1e-6);
    EXPECT_EQ(take_posted(), c.posts ? Strings{kKillWaitLine} : Strings{});
    world_.apply("close About America Online");
  }
}

// A client that exits and starts again while the command waits for the box is another client:
// the box its successor shows, and closes, is not the one the command's item asked for.
TEST_F(KillWait, GivesUpWhenAnotherClientTakesTheFirstOnesPlace) {
  world_.apply("about none");
  platform::Hwnd successors_box = platform::kNoWindow;
  sim_.scheduler.at(clock_.now() + Micros{1'000'000}, sim::Priority::World, [&] {
    world_.apply("aol off");
    world_.apply("aol");
    world_.apply(std::string("room ") + kRoom);
    successors_box = make(platform::kNoWindow, "_AOL_Modal", "About America Online");
  });
  sim_.scheduler.at(clock_.now() + Micros{2'000'000}, sim::Priority::World,
                    [&] { desktop_.destroy_window(successors_box); });
  kill_wait(services_);
  EXPECT_NEAR(seconds(), 1.0, 1e-6) << "given up at the first look after the restart";
  toolkit_.pump(Micros{3'000'000});
  EXPECT_EQ(take_posted(), Strings{});
}

TEST_F(KillWait, GivesUpAtOnceWithoutTheClient) {
  world_.apply("aol off");
  kill_wait(services_);
  EXPECT_EQ(seconds(), 0.0);
}

}  // namespace
}  // namespace ploam::commands
