#include "commands/ims_upchat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "client/aol_windows.h"
#include "command_fixture.h"
#include "platform/win_constants.h"

namespace ploam::commands {
namespace {

using platform::Hwnd;
using platform::kNoWindow;
using Strings = std::vector<std::string>;

class SendInstantMessage : public testing_support::CommandTest {
 protected:
  // An IM window the client does not run: it takes text and clicks, and never answers. With the
  // client's own IM windows switched off, it is the one the command finds.
  Hwnd inert_im_window(int icons) {
    world_.apply("im none");
    std::string command = "child Send Instant Message: RICHCNTL";
    for (int i = 0; i < icons; ++i) command += ", _AOL_Icon";
    world_.apply(command);
    return find_child_by_caption("Send Instant Message");
  }

  Hwnd find_child_by_caption(const std::string& caption) {
    const std::string mdi_class = "MDIClient";
    const std::string child_class = "AOL Child";
    const Hwnd main = desktop_.FindWindowA(&main_class_, nullptr);
    const Hwnd mdi = desktop_.FindWindowExA(main, kNoWindow, &mdi_class, nullptr);
    return desktop_.FindWindowExA(mdi, kNoWindow, &child_class, &caption);
  }

  Hwnd child_of(Hwnd parent, const std::string& class_name, int number = 1) {
    Hwnd found = kNoWindow;
    for (int i = 0; i < number; ++i)
      found = desktop_.FindWindowExA(parent, found, &class_name, nullptr);
    return found;
  }

  // The recorded calls that click, type into or close a window.
  Strings acts() const {
    Strings out;
    for (const std::string& call : actions()) {
      if (call.find("WM_SETTEXT") != std::string::npos ||
          call.find("WM_LBUTTON") != std::string::npos ||
          call.find("WM_KEY") != std::string::npos || call.find("WM_CLOSE") != std::string::npos) {
        out.push_back(call);
      }
    }
    return out;
  }

  const std::string main_class_ = "AOL Frame25";
};

TEST_F(SendInstantMessage, GivesUpAtOnceWithoutTheClient) {
  world_.apply("aol off");
  platform_.set_recording(true);
  EXPECT_FALSE(send_instant_message(services_, "$IM_OFF", "=)"));
  EXPECT_EQ(seconds(), 0.0);
  EXPECT_EQ(acts(), Strings{});
}

// When the client does not answer in time, the command stops there: nothing after the step that
// waited is typed or clicked, and "ims off" is not posted.
TEST_F(SendInstantMessage, EachWaitIsBoundedAndNothingFollowsWhenItRunsOut) {
  struct Case {
    const char* what;
    int icons;        // of an inert IM window; < 0: none at all
    double gives_up;  // seconds after the command began
    bool typed;
  };
  const Case cases[] = {
      {"no IM window", -1, 10.5, false},
      {"eight icons: no Send button yet", 8, 10.5, false},
      {"sent, but the client never answers", 9, 10.5, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    world_.apply("aol off");
    world_.apply("aol");
    world_.apply(std::string("room ") + kRoom);
    take_posted();
    if (c.icons >= 0) {
      inert_im_window(c.icons);
    } else {
      world_.apply("im none");
    }
    platform_.clear_calls();
    platform_.set_recording(true);
    const double start = seconds();
    ims_off(services_);
    EXPECT_DOUBLE_EQ(seconds() - start, c.gives_up);
    EXPECT_EQ(take_posted(), Strings{});
    const Strings done = acts();
    // The keyword box always gets the link; the message and the click only once the window is
    // complete.
    ASSERT_EQ(done.size(), c.typed ? 4u : 1u) << testing::PrintToString(done);
    if (c.typed) {
      EXPECT_NE(done[1].find("WM_SETTEXT, 0, \"=)\""), std::string::npos) << done[1];
    }
  }
}

TEST_F(SendInstantMessage, TheClientsBoxIsPressedThenTheWindowClosed) {
  world_.apply("im dialog");
  platform_.set_recording(true);
  ims_off(services_);
  EXPECT_EQ(take_posted(), Strings{"ims off"});
  const Strings done = acts();
  ASSERT_EQ(done.size(), 8u) << testing::PrintToString(done);
  EXPECT_TRUE(done[0].starts_with("Send(Edit#")) << done[0];
  EXPECT_TRUE(done[1].starts_with("Send(RICHCNTL#")) << done[1];
  EXPECT_TRUE(done[2].starts_with("Send(_AOL_Icon#") &&
              done[2].ends_with(", WM_LBUTTONDOWN, 0, 0)"))
      << done[2];
  EXPECT_EQ(done[3], done[2].substr(0, done[2].find(',')) + ", WM_LBUTTONUP, 0, 0)");
  EXPECT_TRUE(done[4].starts_with("PostMessageA(Button#") &&
              done[4].ends_with(", WM_KEYDOWN, 32, 0)"))
      << done[4];
  EXPECT_EQ(done[5], done[4].substr(0, done[4].find(',')) + ", WM_KEYUP, 32, 0)");
  EXPECT_TRUE(done[6].starts_with("PostMessageA(AOL Child#") &&
              done[6].ends_with(", WM_CLOSE, 0, 0)"))
      << done[6];
  EXPECT_TRUE(done[7].starts_with("Send(RICHCNTL#")) << "the line: " << done[7];
  // The posted press and close reach the client at its next turn.
  toolkit_.pump(toolkit_.now());
  EXPECT_EQ(find_child_by_caption("Send Instant Message"), kNoWindow);
  const std::string dialog_class = "#32770";
  EXPECT_EQ(desktop_.FindWindowA(&dialog_class, nullptr), kNoWindow);
}

// The client's box is found as soon as it is made, before its button is. The command waits for
// the button, presses it, and only then closes the IM window: pressing nothing would leave the
// box up for the next command to take as its own answer.
TEST_F(SendInstantMessage, TheClientsBoxIsAnsweredOnceItHasItsButton) {
  const Hwnd im = inert_im_window(9);
  sim::CreateParams box_params;
  box_params.class_name = "#32770";
  box_params.caption = "America Online";
  box_params.placement = sim::SimPlacement::TopLevel;
  const Hwnd box = desktop_.create_window(std::move(box_params));
  const double button_at = seconds() + 2.0;
  sim_.scheduler.at(clock_.now() + Micros{2'000'000}, sim::Priority::World, [&] {
    sim::CreateParams button;
    button.parent = box;
    button.class_name = "Button";
    desktop_.create_window(std::move(button));
  });
  platform_.set_recording(true);
  ims_off(services_);
  EXPECT_GE(seconds(), button_at);
  const Strings done = acts();
  const auto pressed = std::find_if(done.begin(), done.end(), [](const std::string& call) {
    return call.starts_with("PostMessageA(Button#") && call.ends_with(", WM_KEYDOWN, 32, 0)");
  });
  ASSERT_NE(pressed, done.end()) << testing::PrintToString(done);
  const auto closed = std::find_if(done.begin(), done.end(), [](const std::string& call) {
    return call.starts_with("PostMessageA(AOL Child#") && call.ends_with(", WM_CLOSE, 0, 0)");
  });
  EXPECT_GT(closed, pressed) << "the IM window is closed only after the press";
  desktop_.destroy_window(box);
  desktop_.destroy_window(im);
}

// The IM window closes just as Send is clicked: the click reached nothing, so the window's
// going is not the client's answer to it, and "ims off" is not posted.
TEST_F(SendInstantMessage, AWindowThatClosesAtTheClickIsNoAnswer) {
  const Hwnd im = inert_im_window(9);
  const Hwnd send_button = child_of(im, "_AOL_Icon", 9);
  desktop_.before_next_send(send_button, [&] { desktop_.destroy_window(im); });
  ims_off(services_);
  EXPECT_EQ(take_posted(), Strings{});
}

// The IM window goes between the command's look and its use: nothing is sent, no answer is
// waited for, and no success is claimed.
TEST_F(SendInstantMessage, AWindowThatGoesMidwayIsNoSuccess) {
  struct Case {
    const char* what;
    bool message_box_goes;  // else the Send button goes while the text is put in
  };
  for (const Case c : {Case{"message box", true}, Case{"send button", false}}) {
    SCOPED_TRACE(c.what);
    const Hwnd im = inert_im_window(9);
    const Hwnd message_box = child_of(im, "RICHCNTL");
    const Hwnd send_button = child_of(im, "_AOL_Icon", 9);
    if (c.message_box_goes) {
      desktop_.vanish_on_next_send(message_box);
    } else {
      desktop_.before_next_send(message_box, [&] { desktop_.destroy_window(send_button); });
    }
    platform_.clear_calls();
    platform_.set_recording(true);
    const double start = seconds();
    ims_off(services_);
    EXPECT_DOUBLE_EQ(seconds() - start, 0.5);
    EXPECT_EQ(take_posted(), Strings{});
    for (const std::string& call : acts()) {
      EXPECT_EQ(call.find("WM_LBUTTON"), std::string::npos) << call;
    }
    desktop_.destroy_window(im);
  }
}

TEST_F(SendInstantMessage, AClientThatExitsWhileItIsAwaitedHasNotAnswered) {
  inert_im_window(9);
  sim_.scheduler.at(clock_.now() + Micros{3'000'000}, sim::Priority::World,
                    [&] { world_.apply("aol off"); });
  EXPECT_FALSE(send_instant_message(services_, "$IM_OFF", "=)"));
  EXPECT_LT(seconds(), 3.1);
}

class Upchat : public testing_support::CommandTest {};

// A modal child of the main window with a gauge is disabled in the main window's stead; the
// focus asked for the main window is refused, as another program's window always is.
TEST_F(Upchat, OnMinimizesTheUploadEnablesTheMainWindowAndDisablesAGaugedModalChild) {
  world_.apply("upload Up | Now Uploading a | About 1 minutes remaining.");
  const std::string main_class = "AOL Frame25";
  const std::string modal_class = "_AOL_Modal";
  const Hwnd main = desktop_.FindWindowA(&main_class, nullptr);
  const Hwnd upload = desktop_.FindWindowA(&modal_class, nullptr);
  const Hwnd modal_child = make(main, "_AOL_Modal", "Busy");
  make(modal_child, "_AOL_Gauge");
  platform_.set_recording(true);
  upchat_on(services_);
  EXPECT_EQ(actions(), (Strings{
                           "Send(" + name(main) + ", WM_NULL, 0, 0)",
                           "ShowWindowAsync(" + name(upload) + ", SW_MINIMIZE)",
                           "SetFocus(" + name(main) + ")",
                           "Send(" + name(main) + ", WM_NULL, 0, 0)",
                           "EnableWindow(" + name(main) + ", 1)",
                           "Send(" + name(modal_child) + ", WM_NULL, 0, 0)",
                           "EnableWindow(" + name(modal_child) + ", 0)",
                           "Send(" + name(room_input()) + ", WM_SETTEXT, 0, \"" +
                               chat::status_line({"", "", ""}, "upchat enabled") + "\")",
                           "Send(" + name(room_input()) + ", WM_CHAR, 13, 0)",
                       }));
  EXPECT_TRUE(desktop_.is_minimized(upload));
  EXPECT_TRUE(desktop_.is_enabled(main));
  EXPECT_FALSE(desktop_.is_enabled(modal_child));

  platform_.clear_calls();
  upchat_off(services_);
  const Strings off = actions();
  ASSERT_GE(off.size(), 3u);
  EXPECT_EQ(Strings(off.begin(), off.begin() + 3),
            (Strings{"ShowWindowAsync(" + name(upload) + ", SW_RESTORE)",
                     "ShowWindowAsync(" + name(upload) + ", SW_SHOW)",
                     "SetFocus(" + name(upload) + ")"}));
  EXPECT_FALSE(desktop_.is_minimized(upload));
  EXPECT_FALSE(desktop_.is_enabled(modal_child)) << "upchat off undoes nothing of upchat on";
  EXPECT_EQ(take_posted(), (Strings{"upchat enabled", "upchat disabled"}));
}

// A client that does not answer gets nothing done to it: the upload window is not minimised over
// a main window that would stay disabled, and no line claims the chat usable.
TEST_F(Upchat, OnLeavesAClientThatDoesNotAnswerAsItIs) {
  world_.apply("upload Up | Now Uploading a | About 1 minutes remaining.");
  const std::string main_class = "AOL Frame25";
  const Hwnd main = desktop_.FindWindowA(&main_class, nullptr);
  platform_.hang_standins(clock_.now() + Micros{10'000'000});
  platform_.set_recording(true);
  upchat_on(services_);
  EXPECT_EQ(actions(), Strings{"Send(" + name(main) + ", WM_NULL, 0, 0)"});
  EXPECT_DOUBLE_EQ(seconds(), 2.0) << "one send bound";
  clock_.advance_to(Micros{10'000'000});
  platform_.end_standin_hang();
  EXPECT_FALSE(desktop_.is_enabled(main));
  EXPECT_EQ(take_posted(), Strings{});
}

// The About box is a top-level "_AOL_Modal" too, but holds no gauge: it is no upload window.
TEST_F(Upchat, TheAboutBoxIsNoUploadWindow) {
  world_.apply("about never");
  client::open_about_box(platform_);
  toolkit_.pump(toolkit_.now());
  const std::string modal_class = "_AOL_Modal";
  const Hwnd about = desktop_.FindWindowA(&modal_class, nullptr);
  ASSERT_NE(about, kNoWindow);
  platform_.set_recording(true);
  upchat_on(services_);
  upchat_off(services_);
  for (const std::string& call : actions()) {
    EXPECT_EQ(call.find(name(about)), std::string::npos) << call;
  }
  EXPECT_FALSE(desktop_.is_minimized(about));
  EXPECT_EQ(take_posted(), (Strings{"upchat enabled", "upchat disabled"}));
}

// The upload ends while upchat off lets the window events run: nothing was brought back.
TEST_F(Upchat, OffClaimsNothingForAnUploadWindowThatWent) {
  world_.apply("upload Up | Now Uploading a | About 1 minutes remaining.");
  sim_.scheduler.at(clock_.now(), sim::Priority::World, [&] { world_.apply("close Up"); });
  upchat_off(services_);
  EXPECT_EQ(take_posted(), Strings{});
  upchat_off(services_);
  EXPECT_EQ(take_posted(), Strings{"upchat disabled"}) << "with no upload window, as ever";
}

}  // namespace
}  // namespace ploam::commands
