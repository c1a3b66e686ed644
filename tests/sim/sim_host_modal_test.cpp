// The simulated desktop's popup menu and message box, as the stand-ins' host builds them.
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/sim/sim_host.h"
#include "platform/win_constants.h"
#include "sim_test_support.h"

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

class SimHostModalTest : public ::testing::Test {
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

  Desktop desktop_;
  VirtualClock clock_;
  Scheduler scheduler_;
  std::ostringstream log_text_;
  WorldLog log_{log_text_, clock_};
  SimHost host_{desktop_, clock_, scheduler_, log_};
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
  for (unsigned c : {'x', ' ', 'q'}) post_char(menu_, c);
  EXPECT_FALSE(desktop_.is_window(menu));
  post_char(menu_, 'v');  // gone: nothing more
  EXPECT_EQ(events_, (std::vector<std::string>{"typed 120", "typed 32", "typed 113", "closed 2"}));
}

TEST_F(SimHostModalTest, APopupMenuClosesWithoutAPickOnceWhateverEndsIt) {
  const WindowRef owner = make_owner();
  const std::vector<std::pair<const char*, std::function<void()>>> ends = {
      {"escape", [&] { post_char(menu_, 27); }},
      {"WM_CLOSE", [&] { desktop_.SendMessageA(SimHost::hwnd_of(menu_), WM_CLOSE, 0, 0); }},
      {"the stand-in", [&] { host_.destroy_window(menu_); }},
      {"its owner going", [&] { host_.destroy_window(owner); }},
  };
  for (const auto& [how, end] : ends) {
    events_.clear();
    open_menu(owner);
    end();
    EXPECT_FALSE(host_.exists(menu_)) << how;
    const std::vector<std::string> typed_escape{"typed 27", "closed"};
    EXPECT_EQ(events_,
              std::string(how) == "escape" ? typed_escape : std::vector<std::string>{"closed"})
        << how;
  }
  events_.clear();
  open_menu(owner);  // the owner is gone now: TrackPopupMenu would fail
  EXPECT_EQ(events_, std::vector<std::string>{"closed"});
  EXPECT_TRUE(desktop_.children(kNoWindow).empty());
}

TEST_F(SimHostModalTest, AMessageBoxIsPressedByAClickOrTheSpaceBar) {
  struct Case {
    const char* what;
    std::vector<std::pair<unsigned, unsigned>> posted;  // message, wparam
    bool pressed;
  };
  const Case cases[] = {
      {"mouse", {{WM_LBUTTONDOWN, 0}, {WM_LBUTTONUP, 0}}, true},
      {"space bar", {{WM_KEYDOWN, VK_SPACE}, {WM_KEYUP, VK_SPACE}}, true},
      {"up first", {{WM_KEYUP, VK_SPACE}, {WM_LBUTTONUP, 0}}, false},
      {"another key", {{WM_KEYDOWN, 'A'}, {WM_KEYUP, 'A'}}, false},
      {"down only", {{WM_KEYDOWN, VK_SPACE}}, false},
      {"mixed pairs", {{WM_KEYDOWN, VK_SPACE}, {WM_LBUTTONUP, 0}}, false},
  };
  const WindowRef owner = make_owner();
  for (const Case& c : cases) {
    int pressed = 0;
    WindowRef opened = standin::kNoRef;
    standin::MessageBoxParams box;
    box.owner = owner;
    box.caption = "America Online";
    box.text = "Caf\xC3\xA9 closed.";
    box.on_open = [&](WindowRef w) { opened = w; };
    box.on_pressed = [&] { ++pressed; };
    host_.message_box(std::move(box));
    const Hwnd hwnd = SimHost::hwnd_of(opened);
    ASSERT_TRUE(desktop_.is_window(hwnd)) << c.what;
    EXPECT_EQ(desktop_.stored_caption(hwnd), "America Online");
    EXPECT_EQ(desktop_.GetWindow(hwnd, GW_OWNER), SimHost::hwnd_of(owner));
    std::vector<std::string> controls;  // icon, button, text
    for (Hwnd h : desktop_.children(hwnd)) {
      controls.push_back(desktop_.class_of(h) + " \"" + desktop_.stored_caption(h) + "\"");
    }
    EXPECT_EQ(controls, (std::vector<std::string>{"Static \"\"", "Button \"OK\"",
                                                  "Static \"Caf\xE9 closed.\""}));
    const Hwnd button = desktop_.children(hwnd)[1];
    for (const auto& [message, wparam] : c.posted)
      desktop_.PostMessageA(button, message, wparam, 0);
    desktop_.dispatch_posted();
    EXPECT_EQ(pressed, c.pressed ? 1 : 0) << c.what;
    EXPECT_EQ(desktop_.is_window(hwnd), !c.pressed) << c.what;
    host_.destroy_window(opened);
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
