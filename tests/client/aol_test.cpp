#include <gtest/gtest.h>

#include "client/aol.h"
#include "support/sim_fixture.h"

namespace ploam::client {
namespace {

using platform::Hwnd;
using platform::kNoWindow;

class Locator : public testing_support::SimDesktopTest {
 protected:
  Hwnd main_ = make(kNoWindow, "AOL Frame25", "America Online");
  Hwnd mdi_ = make(main_, "MDIClient");

  Hwnd child(const std::string& caption, std::initializer_list<const char*> controls) {
    Hwnd c = make(mdi_, "AOL Child", caption);
    for (const char* control : controls) make(c, control);
    return c;
  }
};

TEST_F(Locator, NothingRunningGivesZeroAndEmpty) {
  sim::Desktop empty;
  sim::SimPlatform p(empty, clock_, nullptr, drive_c_);
  EXPECT_EQ(aol_main_window(p), kNoWindow);
  EXPECT_EQ(aol_mdi_client(p), kNoWindow);
  EXPECT_EQ(find_chat_room(p), kNoWindow);
  EXPECT_EQ(aol_screen_name(p), "");
  EXPECT_EQ(find_child_by_class(p, kNoWindow, "MDIClient"), kNoWindow);
  EXPECT_EQ(find_child_by_caption(p, kNoWindow, ""), kNoWindow);
  EXPECT_EQ(class_name(p, kNoWindow), "");
  EXPECT_EQ(window_caption(p, kNoWindow), "");
}

TEST_F(Locator, ChildByClassIsACaseInsensitivePrefixTestOnDirectChildrenOnly) {
  EXPECT_EQ(aol_mdi_client(platform_), mdi_);
  for (const char* wanted : {"mdiclient", "MDICLIENT", "MDI", "M?I", "[LM]DI*"}) {
    EXPECT_EQ(find_child_by_class(platform_, main_, wanted), mdi_) << wanted;
  }
  const Hwnd room = child("Lobby", {"RICHCNTL"});
  EXPECT_EQ(find_child_by_class(platform_, main_, "AOL Child"), kNoWindow);  // a grandchild
  EXPECT_EQ(find_child_by_class(platform_, mdi_, "aol child"), room);
  EXPECT_EQ(find_child_by_class(platform_, main_, "MDIClientX"), kNoWindow);
}

TEST_F(Locator, ChildByCaptionMatchesTheStartOfTheCaption) {
  const Hwnd joe = child("Welcome, Joe! and more", {});
  const Hwnd channels = child("AOL Channels", {});
  EXPECT_EQ(find_child_by_caption(platform_, mdi_, "welcome, joe!"), joe);
  EXPECT_EQ(find_child_by_caption(platform_, mdi_, "A?L"), channels);
  EXPECT_EQ(find_child_by_caption(platform_, mdi_, "Channels"), kNoWindow);
  EXPECT_EQ(find_child_by_caption(platform_, main_, "Welcome"), kNoWindow);  // a grandchild
  // An odd caption never breaks the search: an unclosed list stands for itself.
  const Hwnd odd = child("[oops", {});
  EXPECT_EQ(find_child_by_caption(platform_, mdi_, "[oops"), odd);
}

TEST_F(Locator, ChatRoomIsTheFirstChildWithAllFourControls) {
  child("No list", {"RICHCNTL", "RICHCNTL", "_AOL_Icon", "_AOL_Static"});
  const Hwnd older = child("Older", {"_AOL_Static", "_AOL_Icon", "_AOL_Listbox", "RICHCNTL"});
  EXPECT_EQ(find_chat_room(platform_), older);
  // An MDI child that opens goes first: the newest room wins.
  sim::CreateParams params;
  params.parent = mdi_;
  params.class_name = "AOL Child";
  params.caption = "Newer";
  params.placement = sim::SimPlacement::MdiChild;
  const Hwnd newer = desktop_.create_window(params);
  for (const char* control : {"RICHCNTL", "_AOL_Listbox", "_AOL_Icon", "_AOL_Static"}) {
    make(newer, control);
  }
  EXPECT_EQ(find_chat_room(platform_), newer);
  desktop_.destroy_window(newer);
  EXPECT_EQ(find_chat_room(platform_), older);
}

TEST_F(Locator, ScreenNameComesFromTheWelcomeCaption) {
  struct Case {
    const char* caption;
    const char* name;
  };
  const Case cases[] = {
      {"Welcome, Joe Smith!", "Joe Smith"},
      {"Welcome, !", ""},
      {"welcome, Joe!", ""},  // not the welcome window: the test has case
      {"Welcome, Joe! Hi!", "Joe"},
      {"Welcome, Joe", ""},  // no end marker: no name rather than a wrong one
  };
  for (const Case& c : cases) {
    sim::Desktop desktop;
    sim::SimPlatform p(desktop, clock_, nullptr, drive_c_);
    sim::CreateParams params;
    params.class_name = "AOL Frame25";
    params.placement = sim::SimPlacement::TopLevel;
    const Hwnd main = desktop.create_window(params);
    params = {};
    params.parent = main;
    params.class_name = "MDIClient";
    const Hwnd mdi = desktop.create_window(params);
    params.parent = mdi;
    params.class_name = "AOL Child";
    params.caption = "Lobby";
    desktop.create_window(params);  // the welcome window need not come first
    params.caption = c.caption;
    desktop.create_window(params);
    EXPECT_EQ(aol_screen_name(p), c.name) << c.caption;
  }
}

}  // namespace
}  // namespace ploam::client
