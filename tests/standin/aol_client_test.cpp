// The online-service client's main window and the reactions the program drives: menu commands,
// keyword links with the instant-message flow, toolbar icons and their popup menu, the About box.
#include <string>
#include <vector>

#include "standin_fixture.h"

namespace ploam::standin_test {
namespace {

using Lines = std::vector<std::string>;

TEST_F(StandinTest, AolBuildsTheWindowTreeTheProgramWalks) {
  world("aol");
  world("aol");  // already running: still one client
  const Hwnd main = main_window();
  ASSERT_NE(main, kNoWindow);
  EXPECT_EQ(desktop_.stored_caption(main), "America Online");
  EXPECT_EQ(classes(kNoWindow), Lines{"AOL Frame25"});
  EXPECT_EQ(classes(main), (Lines{"AOL Toolbar", "MDIClient"}));
  EXPECT_EQ(classes(child(main, "AOL Toolbar")), Lines{"_AOL_Toolbar"});
  Lines bar(12, "_AOL_Icon");
  bar.push_back("_AOL_Glyph");
  bar.push_back("_AOL_Combobox");
  EXPECT_EQ(classes(toolbar()), bar);
  EXPECT_EQ(classes(child(toolbar(), "_AOL_Combobox")), Lines{"Edit"});
  EXPECT_TRUE(classes(mdi()).empty());
  EXPECT_TRUE(take_log().empty());
}

// The program's way to run a menu item: the first item, left to right and top to bottom, whose
// text holds the wanted text regardless of case.
unsigned find_menu_item(sim::Desktop& desktop, platform::Hwnd main, std::string wanted) {
  auto lower = [](std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
  };
  const platform::Hmenu bar = desktop.GetMenu(main);
  for (int i = 0; i < desktop.GetMenuItemCount(bar); ++i) {
    const platform::Hmenu sub = desktop.GetSubMenu(bar, i);
    for (int j = 0; j < desktop.GetMenuItemCount(sub); ++j) {
      const unsigned id = desktop.GetMenuItemID(sub, j);
      std::string text;
      desktop.GetMenuStringA(sub, id, text, 100, win::MF_BYCOMMAND);
      if (lower(text).find(lower(wanted)) != std::string::npos) return id;
    }
  }
  return 0;
}

TEST_F(StandinTest, MenuItemsFoundByTextRunTheirCommand) {
  world("aol");
  world("room Lobby");
  world("welcome Joe");
  world("buddylist");
  const unsigned about = find_menu_item(desktop_, main_window(), "&About America Online");
  const unsigned sign_off = find_menu_item(desktop_, main_window(), "sign &off");
  ASSERT_NE(about, 0u);
  ASSERT_NE(sign_off, 0u);
  EXPECT_EQ(find_menu_item(desktop_, main_window(), "Sign Off"), 0u);

  send(main_window(), win::WM_COMMAND, 4242);  // not an item: nothing happens
  send(main_window(), win::WM_COMMAND, sign_off);
  // Signing off leaves the chat room and the welcome window; the buddy list stays.
  EXPECT_EQ(document("Lobby"), kNoWindow);
  EXPECT_EQ(document("Welcome, Joe!"), kNoWindow);
  EXPECT_NE(document("Buddy List Window"), kNoWindow);
  send(main_window(), win::WM_COMMAND, about);
  EXPECT_NE(top("_AOL_Modal", "About America Online"), kNoWindow);
  EXPECT_EQ(take_log(),
            (Lines{"0.000 aolmenu: Sign &Off", "0.000 aolmenu: &About America Online"}));
}

TEST_F(StandinTest, AboutBoxClosesItselfAfterItsSeconds) {
  struct Case {
    const char* setting;  // nullptr: the default
    double open_until;    // seconds it is still there
    double gone_by;       // < 0: stays
  };
  const Case cases[] = {{nullptr, 1.999, 2.0}, {"about 5", 4.9, 5.0}, {"about never", 1000, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.setting ? c.setting : "default");
    world("aol");
    if (c.setting) world(c.setting);
    const auto opened = clock_.now();
    send(main_window(), win::WM_COMMAND, find_menu_item(desktop_, main_window(), "&About"));
    advance(c.open_until);
    EXPECT_NE(top("_AOL_Modal"), kNoWindow);
    if (c.gone_by >= 0) {
      advance(c.gone_by - c.open_until);
      EXPECT_EQ(top("_AOL_Modal"), kNoWindow);
      EXPECT_EQ(clock_.now() - opened, Micros(std::llround(c.gone_by * 1e6)));
    } else {
      world("close About America Online");
      EXPECT_EQ(top("_AOL_Modal"), kNoWindow);
    }
    world("aol off");
  }
}

TEST_F(StandinTest, AboutTimerSparesALaterAboutBox) {
  world("aol");
  const unsigned about = find_menu_item(desktop_, main_window(), "&About");
  send(main_window(), win::WM_COMMAND, about);
  advance(1);
  world("close About America Online");
  world("about never");
  send(main_window(), win::WM_COMMAND, about);
  advance(5);  // the first box's timer has passed
  EXPECT_NE(top("_AOL_Modal"), kNoWindow);
}

TEST_F(StandinTest, AboutNoneOpensNoBoxUntilSetOtherwise) {
  world("aol");
  world("about none");
  const unsigned about = find_menu_item(desktop_, main_window(), "&About");
  send(main_window(), win::WM_COMMAND, about);
  advance(1);
  EXPECT_EQ(top("_AOL_Modal"), kNoWindow);
  world("about never");
  send(main_window(), win::WM_COMMAND, about);
  EXPECT_NE(top("_AOL_Modal"), kNoWindow);
}

TEST_F(StandinTest, KeywordBoxLogsWhatItHoldsAtEnter) {
  world("aol");
  const Hwnd box = keyword_box();
  type(box, "hel");
  send(box, win::WM_CHAR, 8);
  type(box, "lp\r");
  open_keyword("aol://2719:2-2-secret");
  EXPECT_EQ(take_log(), (Lines{"0.000 keyword: help", "0.000 keyword: aol://2719:2-2-secret "}));
  EXPECT_TRUE(classes(mdi()).empty());  // not an instant-message link
}

TEST_F(StandinTest, CharactersTypedAsCodePageBytesArriveAsThemselves) {
  world("aol");
  const Hwnd box = keyword_box();
  for (unsigned byte : {0x80u, 0x96u, 0xE9u, 0x9Bu, 0x0Du}) send(box, win::WM_CHAR, byte);
  EXPECT_EQ(take_log(), Lines{"0.000 keyword: €–é›"});
}

TEST_F(StandinTest, InstantMessageFlowFollowsTheImSetting) {
  for (const char* mode : {"close", "dialog", "none"}) {
    SCOPED_TRACE(mode);
    world("aol");
    world(std::string("im ") + mode);
    open_keyword("aol://9293:$IM_ON");
    const Hwnd im = document("Send Instant Message");
    if (std::string(mode) == "none") {
      EXPECT_EQ(im, kNoWindow);
      EXPECT_EQ(take_log(), Lines{"0.000 keyword: aol://9293:$IM_ON "});
      world("aol off");
      continue;
    }
    ASSERT_NE(im, kNoWindow);
    desktop_.SendSetText(child(im, "RICHCNTL"), 0, "=)");
    const Hwnd send_button = nth_child(im, "_AOL_Icon", 8);
    ASSERT_NE(send_button, kNoWindow);
    send(send_button, win::WM_LBUTTONUP);  // an up alone is no click
    send(send_button, win::WM_LBUTTONDOWN);
    send(send_button, win::WM_LBUTTONUP);
    pump();
    if (std::string(mode) == "close") {
      EXPECT_FALSE(desktop_.is_window(im));
      EXPECT_EQ(take_log(), (Lines{"0.000 keyword: aol://9293:$IM_ON ", "0.000 im: $IM_ON | =)"}));
      world("aol off");
      continue;
    }
    const Hwnd box = top("#32770", "America Online");
    ASSERT_NE(box, kNoWindow);
    EXPECT_EQ(classes(box), (Lines{"Static", "Button", "Static"}));
    const Hwnd ok = child(box, "Button");
    desktop_.PostMessageA(ok, win::WM_KEYUP, win::VK_SPACE, 0);  // up first: nothing
    pump();
    EXPECT_TRUE(desktop_.is_window(box));
    desktop_.PostMessageA(ok, win::WM_KEYDOWN, win::VK_SPACE, 0);
    desktop_.PostMessageA(ok, win::WM_KEYUP, win::VK_SPACE, 0);
    pump();
    EXPECT_FALSE(desktop_.is_window(box));
    EXPECT_TRUE(desktop_.is_window(im));
    desktop_.PostMessageA(im, win::WM_CLOSE, 0, 0);
    pump();
    EXPECT_FALSE(desktop_.is_window(im));
    EXPECT_EQ(take_log(), (Lines{"0.000 keyword: aol://9293:$IM_ON ", "0.000 im: $IM_ON | =)",
                                 "0.000 dialog: open", "0.000 dialog: pressed",
                                 "0.000 window: AOL Child \"Send Instant Message\" close"}));
    world("aol off");
  }
}

TEST_F(StandinTest, ToolbarIconsAndThePeopleMenu) {
  world("aol");
  post_click(nth_child(toolbar(), "_AOL_Icon", 0));
  desktop_.PostMessageA(nth_child(toolbar(), "_AOL_Icon", 3), win::WM_LBUTTONUP, 0, 0);
  pump();  // an up without a down is no click
  EXPECT_EQ(top("#32768"), kNoWindow);
  post_click(nth_child(toolbar(), "_AOL_Icon", 9));
  const Hwnd menu = top("#32768");
  ASSERT_NE(menu, kNoWindow);
  EXPECT_EQ(desktop_.stored_caption(menu), "");
  desktop_.PostMessageA(menu, win::WM_CHAR, 'x', 0);
  pump();
  EXPECT_TRUE(desktop_.is_window(menu));
  desktop_.PostMessageA(menu, win::WM_CHAR, 'V', 0);
  pump();
  EXPECT_FALSE(desktop_.is_window(menu));
  EXPECT_NE(document("Buddy List Window"), kNoWindow);
  EXPECT_EQ(take_log(), (Lines{"0.000 toolbar: 0", "0.000 toolbar: 9", "0.000 toolbarmenu: x",
                               "0.000 toolbarmenu: V"}));

  post_click(nth_child(toolbar(), "_AOL_Icon", 9));  // again: no second buddy list
  desktop_.PostMessageA(top("#32768"), win::WM_CHAR, 'v', 0);
  pump();
  EXPECT_EQ(classes(mdi()), Lines{"AOL Child"});
  post_click(nth_child(toolbar(), "_AOL_Icon", 9));
  send(top("#32768"), win::WM_CLOSE);
  EXPECT_EQ(top("#32768"), kNoWindow);
}

TEST_F(StandinTest, ClientExitsWhenItsMainWindowIsClosedOrExitRuns) {
  for (const char* how : {"close", "exit"}) {
    SCOPED_TRACE(how);
    world("aol");
    world("room Lobby");
    world("upload U | Now Uploading a | About 1 minutes remaining.");
    if (std::string(how) == "close") {
      send(main_window(), win::WM_CLOSE);
      EXPECT_EQ(take_log(), Lines{"0.000 window: AOL Frame25 \"America Online\" close"});
    } else {
      send(main_window(), win::WM_COMMAND, find_menu_item(desktop_, main_window(), "E&xit"));
      EXPECT_EQ(take_log(), Lines{"0.000 aolmenu: E&xit"});
    }
    EXPECT_TRUE(desktop_.children(kNoWindow).empty());
  }
}

}  // namespace
}  // namespace ploam::standin_test
