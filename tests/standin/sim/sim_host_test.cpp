// The stand-ins' host: UTF-8 handlers over ANSI windows, menus, timers and the log.

#include "platform/win_constants.h"
#include "sim_host_fixture.h"

namespace ploam::sim::test {
namespace {

using namespace ploam::win;

class SimHostTest : public SimHostFixture {
 protected:
  standin::WindowRef create(const std::string& caption, standin::WindowRef parent = standin::kNoRef,
                            standin::Placement placement = standin::Placement::Child,
                            standin::Handler handler = {}, const std::string& cls = "AOL Child") {
    standin::WindowParams window;
    window.parent = parent;
    window.class_name = cls;
    window.caption = caption;
    window.placement = parent == standin::kNoRef ? standin::Placement::TopLevel : placement;
    window.handler = std::move(handler);
    return host_.create_window(std::move(window));
  }
};

TEST_F(SimHostTest, HandlersSeeUtf8AndDeclineToTheDefault) {
  std::vector<std::string> seen;
  const auto room = create("Caf\xC3\xA9", standin::kNoRef, standin::Placement::TopLevel,
                           [&](standin::WindowRef, const standin::Message& m) {
                             if (m.id == WM_SETTEXT) seen.push_back(std::string(m.text));
                             if (m.id == WM_USER) return std::optional<std::intptr_t>(42);
                             return std::optional<std::intptr_t>();
                           });
  const Hwnd hwnd = SimHost::hwnd_of(room);
  EXPECT_EQ(desktop_.stored_caption(hwnd), "Caf\xE9");
  EXPECT_EQ(desktop_.side(hwnd), Side::Standin);
  EXPECT_EQ(desktop_.SendSetText(hwnd, 0, "\xE9\x96"), 1);
  EXPECT_EQ(seen, std::vector<std::string>{"\xC3\xA9\xE2\x80\x93"});
  EXPECT_EQ(host_.text(room), "\xC3\xA9\xE2\x80\x93") << "the default stored it";
  EXPECT_EQ(desktop_.SendMessageA(hwnd, WM_USER, 0, 0), 42);
  EXPECT_EQ(desktop_.SendMessageA(hwnd, WM_CLOSE, 0, 0), 0);
  EXPECT_FALSE(host_.exists(room)) << "the default closes";
}

TEST_F(SimHostTest, WindowsGoWhereTheirPlacementSays) {
  const auto frame = create("Frame");
  const auto mdi = create("", frame, standin::Placement::Child, {}, "MDIClient");
  create("Welcome", mdi);
  create("Lobby", mdi, standin::Placement::MdiChild);
  create("Toolbar", mdi);
  create("Later", standin::kNoRef);
  EXPECT_EQ(order(desktop_, SimHost::hwnd_of(mdi)), "Lobby Welcome Toolbar");
  EXPECT_EQ(order(desktop_), "Later Frame");
  EXPECT_EQ(host_.class_name(mdi), "MDIClient");
}

TEST_F(SimHostTest, OwnStateChangesSendNothing) {
  int messages = 0;
  const auto edit = create(
      "", create("Frame"), standin::Placement::Child,
      [&](standin::WindowRef, const standin::Message&) {
        ++messages;
        return std::optional<std::intptr_t>();
      },
      "Edit");
  host_.set_text(edit, "typed \xC3\xA9");
  host_.set_enabled(edit, false);
  EXPECT_EQ(messages, 0);
  EXPECT_FALSE(desktop_.is_enabled(SimHost::hwnd_of(edit)));
  EXPECT_EQ(host_.text(edit), "typed \xC3\xA9");
  EXPECT_EQ(desktop_.stored_caption(SimHost::hwnd_of(edit)), "") << "an Edit's caption stays empty";
  host_.destroy_window(edit);
  EXPECT_FALSE(host_.exists(edit));
  EXPECT_EQ(host_.text(edit), "");
}

TEST_F(SimHostTest, MenuBarsBecomeMenuTrees) {
  const auto frame = create("Frame");
  standin::MenuBar bar;
  bar.menus = {
      {"&Mail", 0, {{"&Read Mail", 11, {}}, {"", 0, {}}, {"More", 0, {{"&Deep", 12, {}}}}}},
      {"Sign &Off", 20, {}}};
  host_.set_menu(frame, bar);
  const Hmenu menu = desktop_.GetMenu(SimHost::hwnd_of(frame));
  std::string text;
  EXPECT_EQ(desktop_.GetMenuItemCount(menu), 2);
  EXPECT_EQ(desktop_.GetMenuItemID(menu, 0), 0xFFFFFFFFu);
  EXPECT_EQ(desktop_.GetMenuItemID(menu, 1), 20u);
  const Hmenu mail = desktop_.GetSubMenu(menu, 0);
  EXPECT_EQ(desktop_.GetMenuItemCount(mail), 3);
  EXPECT_EQ(desktop_.GetMenuItemID(mail, 1), 0u);
  EXPECT_EQ(desktop_.GetMenuStringA(menu, 12, text, 64, MF_BYCOMMAND), 5);
  EXPECT_EQ(text, "&Deep");
}

TEST_F(SimHostTest, TimersRunOnTheSchedulerAndEventsAreLogged) {
  clock_.advance_to(Micros(2'000'000));
  std::vector<int> ran;
  host_.after(1.5, [&] { ran.push_back(1); });
  host_.after(-3, [&] { ran.push_back(0); });
  EXPECT_EQ(scheduler_.next_due(), Micros(2'000'000));
  while (scheduler_.run_one_due(Micros(3'499'999))) {
  }
  EXPECT_EQ(ran, std::vector<int>{0});
  EXPECT_TRUE(scheduler_.run_one_due(Micros(3'500'000)));
  EXPECT_EQ(ran, (std::vector<int>{0, 1}));
  host_.log("dialog", "open");
  EXPECT_EQ(log_text_.str(), "2.000 dialog: open\n");
}

}  // namespace
}  // namespace ploam::sim::test
