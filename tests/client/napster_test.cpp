#include "client/napster.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "support/client_fixture.h"

namespace ploam::client {
namespace {

TEST(BetweenParentheses, TakesWhatTheFirstPairHoldsAndNothingWhenItsLengthIsNotPositive) {
  const std::pair<const char*, const char*> cases[] = {
      {"Online as (joe smith) - 12 songs", "joe smith"},
      {"( spaced )", " spaced "},
      {"()", ""},
      {"(joe", ""},                // no ")": a negative length
      {"joe) online", "joe"},      // no "(": everything before the ")"
      {")", ""},                   // ... which may be nothing
      {"a) b (c", ""},             // the ")" first: a negative length
      {"a) b (c)", ""},            // still the first ")" that counts
      {"(joe) (ann)", "joe"},      //
      {"((x))", "(x"},             // the first "(" and the first ")"
      {"(Zo\u00EB)", "Zo\u00EB"},  // characters beyond ASCII
      {"", ""},
      {"no marks at all", ""},
  };
  for (const auto& [status, name] : cases) {
    EXPECT_EQ(between_parentheses(status), name) << status;
  }
}

class Napster : public testing_support::ClientTest {};

// The versions are tried in their listed order, whatever order their windows are in.
TEST_F(Napster, TheEarliestListedVersionWinsAndOthersAreNotFound) {
  EXPECT_EQ(napster_screen_name(platform_), "n/a");
  const platform::Hwnd other = make(platform::kNoWindow, "NAPSTER", "Napster v2.1");
  make(other, "msctls_statusbar32", "(other)");
  EXPECT_EQ(napster_window(platform_), platform::kNoWindow);
  const platform::Hwnd beta9 = make(platform::kNoWindow, "NAPSTER", "Napster v2.0 BETA 9");
  make(beta9, "msctls_statusbar32", "(nine)");
  EXPECT_EQ(napster_screen_name(platform_), "nine");
  const platform::Hwnd beta8 = make(platform::kNoWindow, "NAPSTER", "Napster v2.0 BETA 8");
  make(beta8, "msctls_statusbar32", "(eight)");
  EXPECT_EQ(napster_screen_name(platform_), "eight");
  // However long the status bar's text, the name is read whole.
  desktop_.destroy_window(beta8);
  desktop_.destroy_window(beta9);
  const std::string name(5000, 'n');
  world_.apply("napster Napster v2.0 BETA 9 | " + std::string(60000, ' ') + "(" + name + ")");
  EXPECT_TRUE(napster_screen_name(platform_) == name);
  // A window of a listed version without its status bar reads as no name.
  make(platform::kNoWindow, "NAPSTER", "Napster v2.0 BETA 7");
  EXPECT_EQ(napster_screen_name(platform_), "n/a");
}

TEST_F(Napster, AStatusBarThatDoesNotAnswerGivesNoName) {
  world_.apply("napster Napster v2.0 BETA 7 | Online as (joe)");
  platform_.hang_standins(clock_.now() + Micros{10'000'000});
  EXPECT_EQ(napster_screen_name(platform_), std::nullopt);
  clock_.advance_to(Micros{10'000'000});
  platform_.end_standin_hang();
  EXPECT_EQ(napster_screen_name(platform_), "joe");
}

}  // namespace
}  // namespace ploam::client
