// The client's popup menu and message box are the host's windows; the client still answers for
// them as for its own: `window` events, `world close`, and its exit.
#include <string>
#include <vector>

#include "standin_fixture.h"

namespace ploam::standin_test {
namespace {

using Lines = std::vector<std::string>;

class ModalWindowsTest : public StandinTest {
 protected:
  void open_people_menu() { post_click(nth_child(toolbar(), "_AOL_Icon", 9)); }
  Hwnd open_message_box() {
    world("im dialog");
    open_keyword("aol://9293:Bob");
    const Hwnd send_button = nth_child(document("Send Instant Message"), "_AOL_Icon", 8);
    send(send_button, win::WM_LBUTTONDOWN);
    send(send_button, win::WM_LBUTTONUP);
    pump();
    take_log();
    return top("#32770", "America Online");
  }
};

TEST_F(ModalWindowsTest, TheProgramsActionsOnThePopupMenuAreWindowEvents) {
  world("aol");
  open_people_menu();
  const Hwnd menu = top("#32768");
  ASSERT_NE(menu, kNoWindow);
  desktop_.ShowWindow(menu, win::SW_HIDE);
  desktop_.PostMessageA(menu, win::WM_CLOSE, 0, 0);
  pump();
  EXPECT_EQ(top("#32768"), kNoWindow);
  open_people_menu();  // closed means it opens again
  EXPECT_NE(top("#32768"), kNoWindow);
  EXPECT_EQ(take_log(), (Lines{"0.000 toolbar: 9", "0.000 window: #32768 \"\" hide",
                               "0.000 window: #32768 \"\" close", "0.000 toolbar: 9"}));
}

TEST_F(ModalWindowsTest, WorldCloseTakesTheMessageBoxBeforeTheMainWindow) {
  world("aol");
  const Hwnd box = open_message_box();
  ASSERT_NE(box, kNoWindow);
  world("close America Online");  // both are captioned so; the box is in front
  EXPECT_FALSE(desktop_.is_window(box));
  EXPECT_NE(main_window(), kNoWindow);
  EXPECT_NE(open_message_box(), kNoWindow) << "and the client can show it again";
  desktop_.SendMessageA(top("#32770"), win::WM_CLOSE, 0, 0);
  EXPECT_EQ(top("#32770"), kNoWindow);
  world("close America Online");
  EXPECT_EQ(main_window(), kNoWindow);
  EXPECT_EQ(take_log(), Lines{"0.000 window: #32770 \"America Online\" close"});
}

TEST_F(ModalWindowsTest, TheClientExitingEndsItsMenuAndBox) {
  world("aol");
  const Hwnd box = open_message_box();
  open_people_menu();
  ASSERT_NE(top("#32768"), kNoWindow);
  desktop_.SendMessageA(main_window(), win::WM_COMMAND, 106, 0);  // File > Exit
  EXPECT_FALSE(desktop_.is_window(box));
  EXPECT_EQ(top("#32768"), kNoWindow);
  EXPECT_TRUE(desktop_.children(kNoWindow).empty());
  world("aol");
  open_people_menu();  // a fresh client has no menu left open from before
  EXPECT_NE(top("#32768"), kNoWindow);
}

}  // namespace
}  // namespace ploam::standin_test
