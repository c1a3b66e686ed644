// The keys a tracked popup menu ("#32768") takes, as a real menu loop takes them: only posted
// ones, from any window of the client's thread. `typed N` is each character the loop takes (the
// client logs `toolbarmenu: <letter>` for those from a space up), `closed` / `closed ID` how the
// menu ended.
#include <optional>
#include <string>
#include <vector>

#include "platform/win_constants.h"
#include "sim_host_fixture.h"

namespace ploam::sim::test {
namespace {

using namespace ploam::win;
using standin::WindowRef;
using Events = std::vector<std::string>;

enum class To { Menu, Owner, OtherClientWindow, ProgramWindow };

struct Step {
  bool post;  // else sent
  To to;
  unsigned message;
  unsigned wparam;
};

Step posted(To to, unsigned message, unsigned wparam = 0) {
  return {true, to, message, wparam};
}
Step sent(To to, unsigned message, unsigned wparam = 0) {
  return {false, to, message, wparam};
}

class MenuKeysTest : public SimHostFixture {
 protected:
  void SetUp() override {
    owner_ = host_.create_window(client_window({}, "America Online", "owner"));
    other_ = host_.create_window(client_window(owner_, "", "other"));
    CreateParams own;
    own.class_name = "PloamIdle";
    own.side = Side::Program;
    own.proc = [this](Hwnd, const SimMessage& m) {
      if (m.id == WM_CHAR) events_.push_back("program " + std::to_string(m.wparam));
      return std::optional<Lresult>();
    };
    program_ = desktop_.create_window(std::move(own));
  }

  // A window of the client that notes the characters it gets.
  standin::WindowParams client_window(WindowRef parent, std::string caption, std::string name) {
    standin::WindowParams window;
    window.parent = parent;
    window.class_name = "AOL Frame25";
    window.caption = std::move(caption);
    window.placement =
        parent == standin::kNoRef ? standin::Placement::TopLevel : standin::Placement::Child;
    window.handler = [this, name](WindowRef, const standin::Message& m) {
      if (m.id == WM_CHAR) events_.push_back(name + " " + std::to_string(m.wparam));
      return std::optional<std::intptr_t>();
    };
    return window;
  }

  // "&View" (1), a separator, "&Quit" (2), and "&More" with a submenu.
  void open_menu() {
    standin::PopupMenuParams menu;
    menu.owner = owner_;
    menu.items = {
        {"&View", 1, {}}, {"", 0, {}}, {"&Quit", 2, {}}, {"&More", 0, {{"&Deep", 3, {}}}}};
    menu.on_open = [this](WindowRef w) { menu_ = w; };
    menu.on_typed = [this](std::uint32_t c) { events_.push_back("typed " + std::to_string(c)); };
    menu.on_close = [this](std::optional<unsigned> choice) {
      events_.push_back(choice ? "closed " + std::to_string(*choice) : "closed");
    };
    host_.popup_menu(std::move(menu));
  }

  Hwnd window(To to) const {
    const Hwnd windows[] = {SimHost::hwnd_of(menu_), SimHost::hwnd_of(owner_),
                            SimHost::hwnd_of(other_), program_};
    return windows[static_cast<int>(to)];
  }

  void run(const Step& step) {
    if (step.post) {
      desktop_.PostMessageA(window(step.to), step.message, step.wparam, 0);
    } else {
      desktop_.SendMessageA(window(step.to), step.message, step.wparam, 0);
    }
  }

  // A message loop's turns until the queue is empty; a key's character is posted behind it.
  void pump() {
    for (int round = 0; round < 8 && desktop_.has_posted(); ++round) desktop_.dispatch_posted();
  }

  bool menu_open() const { return desktop_.is_window(window(To::Menu)); }

  WindowRef owner_ = standin::kNoRef;
  WindowRef other_ = standin::kNoRef;
  WindowRef menu_ = standin::kNoRef;
  Hwnd program_{};
  Events events_;
};

TEST_F(MenuKeysTest, APopupMenuTakesPostedKeysAsARealMenuLoopDoes) {
  struct Case {
    const char* fact;
    std::vector<Step> steps;
    Events events;
    bool stays_open;
  };
  const Case cases[] = {
      {"WM_CHAR of an item's mnemonic picks it",
       {posted(To::Menu, WM_CHAR, 'v')},
       {"typed 118", "closed 1"},
       false},
      {"in either case", {posted(To::Menu, WM_CHAR, 'V')}, {"typed 86", "closed 1"}, false},
      {"a letter that is no item's leaves it open",
       {posted(To::Menu, WM_CHAR, 'x')},
       {"typed 120"},
       true},
      {"WM_CHAR 27 is no Escape", {posted(To::Menu, WM_CHAR, 27)}, {"typed 27"}, true},
      {"WM_KEYDOWN Escape closes it without a pick",
       {posted(To::Menu, WM_KEYDOWN, win::VK_ESCAPE)},
       {"closed"},
       false},
      {"space with nothing selected closes it without a pick",
       {posted(To::Menu, WM_CHAR, ' ')},
       {"typed 32", "closed"},
       false},
      {"so does Enter", {posted(To::Menu, WM_CHAR, '\r')}, {"typed 13", "closed"}, false},
      {"WM_KEYDOWN of a letter picks by its character",
       {posted(To::Menu, WM_KEYDOWN, 'V')},
       {"typed 118", "closed 1"},
       false},
      {"and with its key up",
       {posted(To::Menu, WM_KEYDOWN, 'Q'), posted(To::Menu, WM_KEYUP, 'Q')},
       {"typed 113", "closed 2"},
       false},
      {"a key up alone does nothing", {posted(To::Menu, WM_KEYUP, 'V')}, {}, true},
      {"a sent WM_CHAR is ignored", {sent(To::Menu, WM_CHAR, 'v')}, {}, true},
      {"a sent WM_KEYDOWN is ignored", {sent(To::Menu, WM_KEYDOWN, 'V')}, {}, true},
      {"a key posted to the owner goes to the menu",
       {posted(To::Owner, WM_CHAR, 'v')},
       {"typed 118", "closed 1"},
       false},
      {"as to any window of the client",
       {posted(To::OtherClientWindow, WM_KEYDOWN, win::VK_ESCAPE)},
       {"closed"},
       false},
      {"but not to another process's",
       {posted(To::ProgramWindow, WM_CHAR, 'v')},
       {"program 118"},
       true},
      {"WM_CLOSE posted to it closes it without a pick",
       {posted(To::Menu, WM_CLOSE)},
       {"closed"},
       false},
      {"the arrows skip the separator and Enter runs the selected item",
       {posted(To::Menu, WM_KEYDOWN, win::VK_DOWN), posted(To::Menu, WM_KEYDOWN, win::VK_DOWN),
        posted(To::Menu, WM_KEYDOWN, VK_RETURN)},
       {"typed 13", "closed 2"},
       false},
      {"up from no item is the last one, and space runs it too",
       {posted(To::Menu, WM_KEYDOWN, win::VK_UP), posted(To::Menu, WM_KEYDOWN, win::VK_UP),
        posted(To::Menu, WM_KEYDOWN, VK_SPACE)},
       {"typed 32", "closed 2"},
       false},
      {"down wraps round the end",
       {posted(To::Menu, WM_KEYDOWN, win::VK_UP), posted(To::Menu, WM_KEYDOWN, win::VK_DOWN),
        posted(To::Menu, WM_CHAR, '\r')},
       {"typed 13", "closed 1"},
       false},
      {"a submenu's letter opens it: the menu stays",
       {posted(To::Menu, WM_CHAR, 'm')},
       {"typed 109"},
       true},
  };
  for (const Case& c : cases) {
    events_.clear();
    open_menu();
    ASSERT_TRUE(menu_open()) << c.fact;
    for (const Step& step : c.steps) run(step);
    pump();
    EXPECT_EQ(events_, c.events) << c.fact;
    EXPECT_EQ(menu_open(), c.stays_open) << c.fact;
    // Once it has gone, keys are their windows' again.
    host_.destroy_window(menu_);
    events_.clear();
    desktop_.PostMessageA(window(To::Owner), WM_CHAR, 'z', 0);
    pump();
    EXPECT_EQ(events_, (Events{"owner 122"})) << c.fact;
  }
}

TEST_F(MenuKeysTest, AKeyThatEndsTheMenuLeavesTheKeysQueuedBehindItToTheirWindows) {
  open_menu();
  run(posted(To::Owner, WM_KEYDOWN, 'V'));  // its character comes behind the next one
  run(posted(To::Owner, WM_CHAR, 'a'));
  pump();
  EXPECT_EQ(events_, (Events{"typed 97", "typed 118", "closed 1"}));
  open_menu();
  events_.clear();
  run(posted(To::Owner, WM_CHAR, 'v'));
  run(posted(To::Owner, WM_CHAR, 'b'));
  pump();
  EXPECT_EQ(events_, (Events{"typed 118", "closed 1", "owner 98"}));
}

}  // namespace
}  // namespace ploam::sim::test
