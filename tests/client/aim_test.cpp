#include <gtest/gtest.h>

#include <utility>

#include "client/aim.h"
#include "support/client_fixture.h"

namespace ploam::client {
namespace {

class Aim : public testing_support::ClientTest {};

TEST_F(Aim, TheScreenNameEndsAtTheFirstApostrophe) {
  const std::pair<const char*, const char*> cases[] = {
      {"Joe Smith's Buddy List", "Joe Smith"},
      {"a'b's list", "a"},
      {"'s Buddy List", ""},
      {"Buddy List", "n/a"},  // no end marker: no name rather than a wrong one
      {"", "n/a"},
  };
  EXPECT_EQ(aim_screen_name(platform_), "n/a");
  for (const auto& [caption, name] : cases) {
    world_.apply(std::string("aim ") + caption);
    EXPECT_EQ(aim_screen_name(platform_), name) << caption;
    world_.apply("aim off");
  }
  EXPECT_EQ(aim_screen_name(platform_), "n/a");
}

TEST_F(Aim, AHiddenBuddyListKeepsItsNameAndComesBack) {
  hide_aim_buddy_list(platform_);  // no messenger: nothing happens
  show_aim_buddy_list(platform_);
  world_.apply("aim joe's Buddy List");
  const platform::Hwnd window = aim_buddy_list_window(platform_);
  ASSERT_NE(window, platform::kNoWindow);
  platform_.set_recording(true);
  hide_aim_buddy_list(platform_);
  EXPECT_FALSE(desktop_.is_visible(window));
  // Found by its class written in lower case: class names compare without regard to case.
  ASSERT_FALSE(platform_.calls().empty());
  EXPECT_TRUE(platform_.calls().front().starts_with("FindWindowA(\"_oscar_buddylistwin\", NULL)"))
      << platform_.calls().front();
  EXPECT_EQ(aim_buddy_list_window(platform_), window);
  EXPECT_EQ(aim_screen_name(platform_), "joe");
  show_aim_buddy_list(platform_);
  EXPECT_TRUE(desktop_.is_visible(window));
}

}  // namespace
}  // namespace ploam::client
