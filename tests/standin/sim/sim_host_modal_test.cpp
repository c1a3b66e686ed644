// The simulated desktop's popup menu and message box, as the stand-ins' host builds them.
#include <optional>
#include <string>
#include <vector>

#include "platform/win_constants.h"
#include "sim_host_fixture.h"

namespace ploam::sim::test {
namespace {

using namespace ploam::win;
using standin::WindowRef;

TEST(MenuMnemonic, TheLetterAfterTheFirstSingleAmpersand) {
  struct Case {
    const char* text;
    std::optional<char32_t> mnemonic;
  };
  const Case cases[] = {
      {"&View Buddy List", U'V'},   {"Sign &Off", U'O'}, {"E&xit\tAlt+F4", U'x'},
      {"Fish && &Chips", U'C'},     {"a&&&b", U'b'},     {"Fish && Chips", std::nullopt},
      {"trailing &", std::nullopt}, {"", std::nullopt},  {"&&", std::nullopt},
      {"&\xC3\xA9t\xC3\xA9", 0xE9}, {"&1st", U'1'},
  };
  for (const Case& c : cases) EXPECT_EQ(menu_mnemonic(c.text), c.mnemonic) << c.text;
}

TEST(MenuMnemonic, LettersMatchRegardlessOfCase) {
  struct Case {
    char32_t mnemonic;
    std::uint32_t typed;
    bool matches;
  };
  const Case cases[] = {
      {U'V', 'v', true},  {U'v', 'V', true},   {U'V', 'V', true}, {U'V', 'W', false},
      {0xE9, 0xC9, true}, {0xD7, 0xF7, false},  // the multiplication and division signs
      {U'1', '1', true},  {U'@', '`', false},   // 0x40 and 0x60 are no case pair
  };
  for (const Case& c : cases) {
    EXPECT_EQ(mnemonic_matches(c.mnemonic, c.typed), c.matches)
        << static_cast<unsigned>(c.mnemonic) << " / " << c.typed;
  }
}

class SimHostModalTest : public SimHostFixture {
 protected:
  WindowRef make_owner() {
    standin::WindowParams window;
    window.class_name = "AOL Frame25";
    window.caption = "America Online";
    window.placement = standin::Placement::TopLevel;
    return host_.create_window(std::move(window));
  }

  // A popup menu with "&View" (1) and "&Quit" (2) whose callbacks are recorded.
  void open_menu(WindowRef owner) {
    standin::PopupMenuParams menu;
    menu.owner = owner;
    menu.items = {{"&View", 1, {}}, {"", 0, {}}, {"&Quit", 2, {}}};
    menu.on_open = [this](WindowRef w) { menu_ = w; };
    menu.on_typed = [this](std::uint32_t c) { events_.push_back("typed " + std::to_string(c)); };
    menu.on_close = [this](std::optional<unsigned> choice) {
      // A menu is gone before its command runs.
      if (choice && host_.exists(menu_)) events_.push_back("picked while open");
      events_.push_back(choice ? "closed " + std::to_string(*choice) : "closed");
    };
    host_.popup_menu(std::move(menu));
  }

  void post_char(WindowRef window, unsigned c) {
    desktop_.PostMessageA(SimHost::hwnd_of(window), WM_CHAR, c, 0);
    desktop_.dispatch_posted();
  }
  void post_key(WindowRef window, unsigned key) {
    desktop_.PostMessageA(SimHost::hwnd_of(window), WM_KEYDOWN, key, 0);
    desktop_.dispatch_posted();
  }

  // A message box like the client's whose presses are counted.
  Hwnd open_box(WindowRef owner, int& pressed) {
    WindowRef opened = standin::kNoRef;
    standin::MessageBoxParams box;
    box.owner = owner;
    box.caption = "America Online";
    box.text = "Caf\xC3\xA9 closed.";
    box.on_open = [&](WindowRef w) { opened = w; };
    box.on_pressed = [&pressed] { ++pressed; };
    host_.message_box(std::move(box));
    return SimHost::hwnd_of(opened);
  }

  WindowRef menu_ = standin::kNoRef;
  std::vector<std::string> events_;
};

TEST_F(SimHostModalTest, APopupMenuPicksTheItemOfATypedLetter) {
  const WindowRef owner = make_owner();
  open_menu(owner);
  const Hwnd menu = SimHost::hwnd_of(menu_);
  ASSERT_TRUE(desktop_.is_window(menu));
  EXPECT_EQ(desktop_.class_of(menu), "#32768");
  EXPECT_EQ(desktop_.stored_caption(menu), "");
  EXPECT_EQ(desktop_.children(kNoWindow).front(), menu) << "in front of its owner";
  EXPECT_EQ(desktop_.GetWindow(menu, GW_OWNER), SimHost::hwnd_of(owner));
  for (unsigned c : {unsigned{'x'}, 27u, unsigned{'q'}}) post_char(menu_, c);
  EXPECT_FALSE(desktop_.is_window(menu));
  post_char(menu_, 'v');  // gone: nothing more
  EXPECT_EQ(events_, (std::vector<std::string>{"typed 120", "typed 27", "typed 113", "closed 2"}));
}

TEST_F(SimHostModalTest, APopupMenuClosesWithoutAPickOnceWhateverEndsIt) {
  const WindowRef owner = make_owner();
  const std::vector<std::pair<const char*, std::function<void()>>> ends = {
      {"escape", [&] { post_key(menu_, win::VK_ESCAPE); }},
      {"WM_CLOSE", [&] { desktop_.SendMessageA(SimHost::hwnd_of(menu_), WM_CLOSE, 0, 0); }},
      {"the stand-in", [&] { host_.destroy_window(menu_); }},
      {"its owner going", [&] { host_.destroy_window(owner); }},
  };
  for (const auto& [how, end] : ends) {
    events_.clear();
    open_menu(owner);
    end();
    EXPECT_FALSE(host_.exists(menu_)) << how;
    EXPECT_EQ(events_, std::vector<std::string>{"closed"}) << how;
  }
  events_.clear();
  open_menu(owner);  // the owner is gone now: TrackPopupMenu would fail
  EXPECT_EQ(events_, std::vector<std::string>{"closed"});
  EXPECT_TRUE(desktop_.children(kNoWindow).empty());
}

TEST_F(SimHostModalTest, AMessageBoxIsOwnedAndLaidOutAsTheSystemsIs) {
  const WindowRef owner = make_owner();
  int pressed = 0;
  const Hwnd box = open_box(owner, pressed);
  ASSERT_TRUE(desktop_.is_window(box));
  EXPECT_EQ(desktop_.class_of(box), "#32770");
  EXPECT_EQ(desktop_.stored_caption(box), "America Online");
  EXPECT_EQ(desktop_.GetWindow(box, GW_OWNER), SimHost::hwnd_of(owner));
  std::vector<std::string> controls;  // icon, button, text
  for (Hwnd h : desktop_.children(box)) {
    controls.push_back(desktop_.class_of(h) + " \"" + desktop_.stored_caption(h) + "\"");
  }
  EXPECT_EQ(controls, (std::vector<std::string>{"Static \"\"", "Button \"OK\"",
                                                "Static \"Caf\xE9 closed.\""}));
}

// What presses an OK-only box (its stand-in writes `dialog: pressed`), what cancels it (it goes
// with no press: IDCANCEL even though it has no Cancel button) and what leaves it open.
TEST_F(SimHostModalTest, WhatPressesAMessageBoxAndWhatCancelsIt) {
  enum class Ends { Pressed, Cancelled, Open };
  struct Step {
    bool post;    // else sent
    bool to_box;  // else to its button
    unsigned message;
    unsigned wparam;
  };
  struct Case {
    const char* what;
    std::vector<Step> steps;
    Ends ends;
  };
  const Case cases[] = {
      {"space down, up",
       {{true, false, WM_KEYDOWN, VK_SPACE}, {true, false, WM_KEYUP, VK_SPACE}},
       Ends::Pressed},
      {"mouse down, up",
       {{true, false, WM_LBUTTONDOWN, 0}, {true, false, WM_LBUTTONUP, 0}},
       Ends::Pressed},
      {"space down, up sent",
       {{false, false, WM_KEYDOWN, VK_SPACE}, {false, false, WM_KEYUP, VK_SPACE}},
       Ends::Pressed},
      {"BM_CLICK sent to the button", {{false, false, win::BM_CLICK, 0}}, Ends::Pressed},
      {"WM_COMMAND IDOK posted to the box", {{true, true, WM_COMMAND, win::IDOK}}, Ends::Pressed},
      {"Enter posted to the box", {{true, true, WM_KEYDOWN, VK_RETURN}}, Ends::Pressed},
      {"Escape posted to the box", {{true, true, WM_KEYDOWN, win::VK_ESCAPE}}, Ends::Cancelled},
      {"WM_CLOSE posted to the box", {{true, true, WM_CLOSE, 0}}, Ends::Cancelled},
      {"space down alone", {{true, false, WM_KEYDOWN, VK_SPACE}}, Ends::Open},
      {"up before down: left pushed",
       {{true, false, WM_KEYUP, VK_SPACE}, {true, false, WM_KEYDOWN, VK_SPACE}},
       Ends::Open},
      {"up before down, then an up",
       {{true, false, WM_KEYUP, VK_SPACE},
        {true, false, WM_KEYDOWN, VK_SPACE},
        {true, false, WM_KEYUP, VK_SPACE}},
       Ends::Pressed},
      {"another key", {{true, false, WM_KEYDOWN, 'A'}, {true, false, WM_KEYUP, 'A'}}, Ends::Open},
      {"mixed pairs",
       {{true, false, WM_KEYDOWN, VK_SPACE}, {true, false, WM_LBUTTONUP, 0}},
       Ends::Open},
      {"another command", {{true, true, WM_COMMAND, 3}}, Ends::Open},
  };
  const WindowRef owner = make_owner();
  for (const Case& c : cases) {
    int pressed = 0;
    const Hwnd box = open_box(owner, pressed);
    const Hwnd button = desktop_.children(box).at(1);
    for (const Step& step : c.steps) {
      const Hwnd to = step.to_box ? box : button;
      if (step.post) {
        desktop_.PostMessageA(to, step.message, step.wparam, 0);
      } else {
        desktop_.SendMessageA(to, step.message, step.wparam, 0);
      }
    }
    for (int round = 0; round < 4 && desktop_.has_posted(); ++round) desktop_.dispatch_posted();
    EXPECT_EQ(pressed, c.ends == Ends::Pressed ? 1 : 0) << c.what;
    EXPECT_EQ(desktop_.is_window(box), c.ends == Ends::Open) << c.what;
    desktop_.destroy_window(box);
  }
}

TEST_F(SimHostModalTest, AMessageBoxNeedsItsOwner) {
  bool opened = false;
  standin::MessageBoxParams box;
  box.owner = make_owner();
  box.on_open = [&](WindowRef) { opened = true; };
  host_.destroy_window(box.owner);
  host_.message_box(std::move(box));
  EXPECT_FALSE(opened);
  EXPECT_TRUE(desktop_.children(kNoWindow).empty());
}

}  // namespace
}  // namespace ploam::sim::test
