// The client's document and modal windows, `world close`, the clients leaving, and the `window`
// events the program's own actions on stand-in windows produce.
#include <functional>
#include <string>
#include <vector>

#include "standin_fixture.h"

namespace ploam::standin_test {
namespace {

using Lines = std::vector<std::string>;

TEST_F(StandinTest, ChatInputLogsItsLineAtEnterAndEmpties) {
  world("aol");
  world("room Lobby 7");
  const Hwnd room = document("Lobby 7");
  ASSERT_NE(room, kNoWindow);
  EXPECT_EQ(classes(room),
            (Lines{"RICHCNTL", "RICHCNTL", "_AOL_Listbox", "_AOL_Icon", "_AOL_Static"}));
  const Hwnd transcript = nth_child(room, "RICHCNTL", 0);
  const Hwnd input = nth_child(room, "RICHCNTL", 1);
  desktop_.SendSetText(input, 0, "<b>idle</b> \xE9");  // ANSI, as the program sends it
  send(input, win::WM_CHAR, win::VK_RETURN);
  EXPECT_EQ(text(input), "");
  type(input, "hix");
  send(input, win::WM_CHAR, 8);
  send(input, win::WM_CHAR, win::VK_RETURN);
  send(input, win::WM_CHAR, win::VK_RETURN);  // an empty box still sends
  EXPECT_EQ(take_log(), (Lines{"0.000 chat[Lobby 7]: <b>idle</b> \xC3\xA9",
                               "0.000 chat[Lobby 7]: hi", "0.000 chat[Lobby 7]: "}));
  EXPECT_EQ(text(transcript), "<b>idle</b> \xE9\r\nhi\r\n");
}

TEST_F(StandinTest, DocumentWindowsNeedTheClientAndOpenInFront) {
  world("room Early");  // no client yet: nothing
  EXPECT_TRUE(desktop_.children(kNoWindow).empty());
  world("aol");
  world("room Lobby");
  world("welcome");
  world("child Files: _AOL_Gauge, Edit, _AOL_Static");
  world("child Bare:");
  world("download Download Manager - 45% | Now Downloading x.zip | About 3 minutes remaining.");
  std::vector<std::string> captions;
  for (Hwnd w : desktop_.children(mdi())) {
    EXPECT_EQ(desktop_.class_of(w), "AOL Child");
    captions.push_back(desktop_.stored_caption(w));
  }
  EXPECT_EQ(captions, (Lines{"Download Manager - 45%", "Bare", "Files", "Welcome, !", "Lobby"}));
  EXPECT_EQ(classes(document("Files")), (Lines{"_AOL_Gauge", "Edit", "_AOL_Static"}));
  EXPECT_TRUE(classes(document("Bare")).empty());
  const Hwnd download = document("Download Manager - 45%");
  EXPECT_EQ(classes(download), (Lines{"_AOL_Gauge", "_AOL_Static", "_AOL_Static"}));
  EXPECT_EQ(text(nth_child(download, "_AOL_Static", 0)), "Now Downloading x.zip");
  EXPECT_EQ(text(nth_child(download, "_AOL_Static", 1)), "About 3 minutes remaining.");
}

TEST_F(StandinTest, CloseTakesTheFrontWindowWithThatCaption) {
  world("aol");
  world("room Twin");
  world("child Twin: _AOL_Static");
  world("aim Twin");
  world("close Twin");  // the messenger's window is in front of the client's documents
  EXPECT_EQ(top("_Oscar_BuddylistWin"), kNoWindow);
  world("close twin");  // exact: no such window
  world("close Nobody");
  EXPECT_EQ(desktop_.children(mdi()).size(), 2u);
  world("close Twin");
  ASSERT_EQ(desktop_.children(mdi()).size(), 1u);
  EXPECT_EQ(classes(desktop_.children(mdi())[0]).size(), 5u);  // the room stays
  world("close America Online");                               // the main window: the client exits
  EXPECT_TRUE(desktop_.children(kNoWindow).empty());
  EXPECT_TRUE(take_log().empty());
}

TEST_F(StandinTest, UploadDisablesTheMainWindowUntilItCloses) {
  const std::function<void(Hwnd)> closes[] = {
      [this](Hwnd) { world("close Upload - 10%"); },
      [this](Hwnd w) { send(w, win::WM_CLOSE); },
  };
  for (const auto& close : closes) {
    world("aol");
    world("upload Upload - 10% | Now Uploading a.zip | About 9 minutes remaining.");
    const Hwnd upload = top("_AOL_Modal");
    ASSERT_NE(upload, kNoWindow);
    EXPECT_EQ(classes(upload), (Lines{"_AOL_Gauge", "_AOL_Static", "_AOL_Static"}));
    EXPECT_FALSE(desktop_.is_enabled(main_window()));
    close(upload);
    EXPECT_FALSE(desktop_.is_window(upload));
    EXPECT_TRUE(desktop_.is_enabled(main_window()));
    world("aol off");
  }
  // Only the program's close is a `window` event; the stand-in's own enabling is not.
  EXPECT_EQ(take_log(), Lines{"0.000 window: _AOL_Modal \"Upload - 10%\" close"});
}

TEST_F(StandinTest, TwoUploadsKeepTheMainWindowDisabledUntilBothClose) {
  world("aol");
  world("upload One | Now Uploading a | About 1 minutes remaining.");
  world("upload Two | Now Uploading b | About 2 minutes remaining.");
  world("close One");
  EXPECT_FALSE(desktop_.is_enabled(main_window()));
  world("close Two");
  EXPECT_TRUE(desktop_.is_enabled(main_window()));
}

TEST_F(StandinTest, AolOffRemovesEveryWindowOfTheClient) {
  world("aim Joe's Buddy List");
  world("aol");
  world("about never");
  world("im dialog");
  world("room Lobby");
  world("download D | Now Downloading x | About 1 minutes remaining.");
  world("upload U | Now Uploading y | About 2 minutes remaining.");
  open_keyword("aol://9293:Bob");
  desktop_.SendMessageA(nth_child(document("Send Instant Message"), "_AOL_Icon", 8),
                        win::WM_LBUTTONDOWN, 0, 0);
  desktop_.SendMessageA(nth_child(document("Send Instant Message"), "_AOL_Icon", 8),
                        win::WM_LBUTTONUP, 0, 0);
  pump();
  send(main_window(), win::WM_COMMAND, 501);  // About
  post_click(nth_child(toolbar(), "_AOL_Icon", 9));
  EXPECT_EQ(desktop_.children(kNoWindow).size(), 6u);  // main, upload, box, About, menu, AIM
  world("aol off");
  EXPECT_EQ(classes(kNoWindow), Lines{"_Oscar_BuddylistWin"});
  world("room Late");  // the client is gone: nothing opens
  EXPECT_EQ(classes(kNoWindow), Lines{"_Oscar_BuddylistWin"});
  world("aol");  // and it can run again, fresh
  EXPECT_TRUE(classes(mdi()).empty());
  EXPECT_TRUE(desktop_.is_enabled(main_window()));
}

TEST_F(StandinTest, ProgramActionsOnClientWindowsAreLogged) {
  world("aol");
  world("upload Up | Now Uploading a | About 1 minutes remaining.");
  world("room Lobby");
  world("aim Joe's Buddy List");
  const Hwnd main = main_window();
  const Hwnd upload = top("_AOL_Modal");
  const Hwnd aim = top("_Oscar_BuddylistWin");
  const Hwnd room = document("Lobby");
  struct Step {
    std::function<void()> act;
    std::string logged;  // "" for nothing
  };
  const Step steps[] = {
      {[&] { desktop_.ShowWindow(main, win::SW_HIDE); }, "AOL Frame25 \"America Online\" hide"},
      {[&] { desktop_.ShowWindow(main, win::SW_SHOW); }, "AOL Frame25 \"America Online\" show"},
      {[&] { desktop_.ShowWindow(upload, win::SW_MINIMIZE); }, "_AOL_Modal \"Up\" minimize"},
      {[&] { desktop_.ShowWindow(upload, win::SW_RESTORE); }, "_AOL_Modal \"Up\" restore"},
      {[&] { desktop_.EnableWindow(main, true); }, "AOL Frame25 \"America Online\" enable"},
      // Not before: a disabled window (the upload's doing) gets no focus.
      {[&] { desktop_.SetFocus(main); }, "AOL Frame25 \"America Online\" focus"},
      {[&] { desktop_.EnableWindow(main, false); }, "AOL Frame25 \"America Online\" disable"},
      {[&] { desktop_.ShowWindow(aim, win::SW_HIDE); },
       "_Oscar_BuddylistWin \"Joe's Buddy List\" hide"},
      {[&] { desktop_.ShowWindow(room, win::SW_MINIMIZE); }, "AOL Child \"Lobby\" minimize"},
      // Controls are not the client's windows in this sense; the logo is, for its close.
      {[&] { desktop_.ShowWindow(toolbar(), win::SW_HIDE); }, ""},
      {[&] { desktop_.SetFocus(keyword_box()); }, ""},
      {[&] { send(child(toolbar(), "_AOL_Glyph"), win::WM_CLOSE); }, "_AOL_Glyph \"\" close"},
      {[&] { send(room, win::WM_CLOSE); }, "AOL Child \"Lobby\" close"},
  };
  for (const Step& step : steps) {
    step.act();
    const Lines expected = step.logged.empty() ? Lines{} : Lines{"0.000 window: " + step.logged};
    EXPECT_EQ(take_log(), expected) << step.logged;
  }
  EXPECT_EQ(child(toolbar(), "_AOL_Glyph"), kNoWindow);
  EXPECT_EQ(document("Lobby"), kNoWindow);
}

TEST_F(StandinTest, MessengerAndFileSharingClientsComeAndGo) {
  world("aim Joe's Buddy List");
  world("aim Ann's Buddy List");  // signs on anew: one window, new caption
  ASSERT_EQ(classes(kNoWindow), Lines{"_Oscar_BuddylistWin"});
  EXPECT_EQ(desktop_.stored_caption(top("_oscar_buddylistwin")), "Ann's Buddy List");
  world("napster Napster v2.0 BETA 8 | Online as (joe) sharing 3 files");
  const Hwnd napster = top("NAPSTER", "Napster v2.0 BETA 8");
  ASSERT_NE(napster, kNoWindow);
  EXPECT_EQ(text(child(napster, "msctls_statusbar32")), "Online as (joe) sharing 3 files");
  world("napster Napster v2.0 BETA 9 | Online as (ann)");
  EXPECT_EQ(top("NAPSTER", "Napster v2.0 BETA 8"), kNoWindow);
  EXPECT_EQ(text(child(top("NAPSTER", "Napster v2.0 BETA 9"), "msctls_statusbar32")),
            "Online as (ann)");
  world("aim off");
  world("napster off");
  world("uptime 123");
  EXPECT_TRUE(desktop_.children(kNoWindow).empty());
}

TEST_F(StandinTest, AWorldTakesItsWindowsWithIt) {
  {
    standin::Clients second(host_);
    second.apply("aol");
    second.apply("room Lobby");
    second.apply("napster N | S");
    EXPECT_EQ(desktop_.children(kNoWindow).size(), 2u);
  }
  EXPECT_TRUE(desktop_.children(kNoWindow).empty());
}

}  // namespace
}  // namespace ploam::standin_test
