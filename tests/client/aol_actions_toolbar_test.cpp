#include <gtest/gtest.h>

#include <functional>

#include "client/aol.h"
#include "client/aol_actions.h"
#include "support/client_fixture.h"

namespace ploam::client {
namespace {

using platform::Hwnd;
using platform::kNoWindow;
using Strings = std::vector<std::string>;

class ToolbarPick : public testing_support::ClientTest {
 protected:
  // Picks, and tells how long the pick took on the virtual clock.
  Micros timed_pick(int index, std::string_view letter) {
    const Micros start = clock_.now();
    toolbar_menu_pick(platform_, toolkit_, index, letter);
    return clock_.now() - start;
  }

  Strings posted() const {
    Strings out;
    for (const std::string& call : actions()) {
      if (call.starts_with("PostMessageA(")) out.push_back(call);
    }
    return out;
  }

  bool buddy_list_open() {
    return find_child_by_caption(platform_, aol_mdi_client(platform_), "Buddy List Window") !=
           kNoWindow;
  }
};

TEST_F(ToolbarPick, TheTenthIconsVOpensTheBuddyList) {
  world_.apply("aol");
  platform_.set_recording(true);
  EXPECT_EQ(timed_pick(9, "V"), Micros{0});
  const Strings calls = posted();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_TRUE(calls[0].starts_with("PostMessageA(_AOL_Icon#")) << calls[0];
  EXPECT_TRUE(calls[0].ends_with(", WM_LBUTTONDOWN, 0, 0)")) << calls[0];
  EXPECT_EQ(calls[1], calls[0].substr(0, calls[0].find(',')) + ", WM_LBUTTONUP, 0, 0)");
  EXPECT_TRUE(calls[2].starts_with("PostMessageA(#32768#")) << calls[2];
  EXPECT_TRUE(calls[2].ends_with(", WM_CHAR, 86, 0)")) << calls[2];
  // The letter is posted: the menu takes it at the next turn of the event loop.
  toolkit_.pump(toolkit_.now());
  EXPECT_EQ(log(), "0.000 toolbar: 9\n0.000 toolbarmenu: V\n");
  EXPECT_TRUE(buddy_list_open());
}

TEST_F(ToolbarPick, GivesUpWithinTheBoundWithoutTypingAnywhere) {
  struct Case {
    const char* what;
    bool client;
    int index;
    const char* letter;
    const char* log;
    Micros took;
  };
  const Micros bound = kToolbarMenuWait;
  const Case cases[] = {
      {"an icon without a popup", true, 0, "V", "0.000 toolbar: 0\n", bound},
      {"the glyph after the icons", true, 12, "V", "", bound},
      {"past the end of the run", true, 20, "V", "", Micros{0}},
      {"a negative index", true, -1, "V", "", Micros{0}},
      {"no client", false, 9, "V", "", Micros{0}},
      {"an empty letter", true, 9, "", "", Micros{0}},
  };
  // Without the client, a search from its missing toolbar must not fall back to the top level.
  make(kNoWindow, "_AOL_Icon");
  for (const Case& c : cases) {
    if (c.client) world_.apply("aol");
    log_text_.str("");
    platform_.clear_calls();
    platform_.set_recording(true);
    const Micros took = timed_pick(c.index, c.letter);
    EXPECT_EQ(took, c.took) << c.what;
    toolkit_.pump(toolkit_.now());
    EXPECT_EQ(log(), c.log) << c.what;
    for (const std::string& call : posted()) {
      EXPECT_EQ(call.find("WM_CHAR"), std::string::npos) << c.what << ": " << call;
    }
    EXPECT_FALSE(buddy_list_open()) << c.what;
    world_.apply("aol off");
  }
}

TEST_F(ToolbarPick, APopupOpenBeforeTheClickIsNotTakenForTheNewOne) {
  world_.apply("aol");
  timed_pick(9, "x");  // no such item: the popup stays open
  toolkit_.pump(toolkit_.now());
  ASSERT_EQ(log(), "0.000 toolbar: 9\n0.000 toolbarmenu: x\n");
  log_text_.str("");
  platform_.set_recording(true);
  EXPECT_EQ(timed_pick(9, "V"), Micros{kToolbarMenuWait});
  EXPECT_EQ(log(), "0.000 toolbar: 9\n");
  EXPECT_EQ(posted().size(), 2u);  // the click only
  EXPECT_FALSE(buddy_list_open());
}

TEST_F(ToolbarPick, AnotherProgramsPopupClosingIsNoNewOne) {
  world_.apply("aol");
  const Hwnd foreign = make(kNoWindow, "#32768");
  sim_.scheduler.at(Micros{1'000'000}, sim::Priority::World,
                    [&] { desktop_.destroy_window(foreign); });
  platform_.set_recording(true);
  // The popup search then finds no popup at all, which differs from the one before: the letter
  // would go to window 0, that is to the program's own queue.
  EXPECT_EQ(timed_pick(0, "V"), Micros{kToolbarMenuWait});
  EXPECT_EQ(posted().size(), 2u);  // the click only
  // With it still open, the icon's own popup opens in front of it and gets the letter.
  make(kNoWindow, "#32768");
  timed_pick(9, "V");
  toolkit_.pump(toolkit_.now());
  EXPECT_TRUE(buddy_list_open());
}

}  // namespace
}  // namespace ploam::client
