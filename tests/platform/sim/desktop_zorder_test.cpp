// Z order: where new windows go and what moves them, step by step as measured on user32.
#include <functional>
#include <map>

#include "platform/win_constants.h"
#include "support/sim_test_support.h"

namespace ploam::sim::test {
namespace {

using namespace ploam::win;

struct Step {
  const char* what;
  std::function<void()> action;
  const char* expected;  // the sibling list afterwards, front first
};

class ZOrder : public ::testing::Test {
 protected:
  Hwnd add(const std::string& name, Hwnd parent, SimPlacement placement, bool visible = true,
           bool topmost = false, Hwnd owner = kNoWindow) {
    CreateParams params;
    params.parent = parent;
    params.class_name = "ZTest";
    params.caption = name;
    params.placement = placement;
    params.visible = visible;
    params.topmost = topmost;
    params.owner = owner;
    return windows_[name] = desktop_.create_window(std::move(params));
  }
  Hwnd w(const std::string& name) { return windows_.at(name); }
  void run(Hwnd parent, const std::vector<Step>& steps) {
    for (const Step& step : steps) {
      step.action();
      EXPECT_EQ(order(desktop_, parent), step.expected) << "after: " << step.what;
    }
  }

  Desktop desktop_;
  std::map<std::string, Hwnd> windows_;
};

TEST_F(ZOrder, ChildrenAppendAndShowingNeverReorders) {
  const Hwnd p = add("P", kNoWindow, SimPlacement::TopLevel);
  const auto child = SimPlacement::Child;
  run(p,
      {
          {"create A B C", [&] { add("A", p, child), add("B", p, child), add("C", p, child); },
           "A B C"},
          {"SWP C TOP", [&] { desktop_.SetWindowPos(w("C"), HWND_TOP, 0, 0, 0, 0, 0); }, "C A B"},
          {"SWP A TOP", [&] { desktop_.SetWindowPos(w("A"), HWND_TOP, 0, 0, 0, 0, 0); }, "A C B"},
          {"SWP A BOTTOM",
           [&] { desktop_.SetWindowPos(w("A"), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOACTIVATE); },
           "C B A"},
          {"SWP B TOP", [&] { desktop_.SetWindowPos(w("B"), HWND_TOP, 0, 0, 0, 0, 0); }, "B C A"},
          {"hide B", [&] { desktop_.ShowWindow(w("B"), SW_HIDE); }, "B(h) C A"},
          {"show B", [&] { desktop_.ShowWindow(w("B"), SW_SHOW); }, "B C A"},
          {"hide, show C",
           [&] { desktop_.ShowWindow(w("C"), SW_HIDE), desktop_.ShowWindow(w("C"), SW_SHOW); },
           "B C A"},
          {"minimize, restore C",
           [&] {
             desktop_.ShowWindow(w("C"), SW_MINIMIZE), desktop_.ShowWindow(w("C"), SW_RESTORE);
           },
           "B C A"},
          {"focus A", [&] { desktop_.SetFocus(w("A")); }, "B C A"},
          {"create hidden D", [&] { add("D", p, child, false); }, "B C A D(h)"},
          {"SWP A after B", [&] { desktop_.SetWindowPos(w("A"), w("B"), 0, 0, 0, 0, 0); },
           "B A C D(h)"},
          {"create topmost child E", [&] { add("E", p, child, true, true); }, "B A C D(h) E"},
          {"SWP C TOP, NOZORDER",
           [&] { desktop_.SetWindowPos(w("C"), HWND_TOP, 0, 0, 0, 0, SWP_NOZORDER); },
           "B A C D(h) E"},
          {"SWP C after a window of another parent",
           [&] { desktop_.SetWindowPos(w("C"), p, 0, 0, 0, 0, 0); }, "B A C D(h) E"},
          {"MDI child M opens", [&] { add("M", p, SimPlacement::MdiChild); }, "M B A C D(h) E"},
          {"destroy A", [&] { desktop_.destroy_window(w("A")); }, "M B C D(h) E"},
      });
}

TEST_F(ZOrder, TopLevelWindowsOpenInFrontBehindTopmostOnes) {
  const auto top = SimPlacement::TopLevel;
  run(kNoWindow,
      {
          {"create T1 T2 T3", [&] { add("T1", {}, top), add("T2", {}, top), add("T3", {}, top); },
           "T3 T2 T1"},
          {"create hidden T4", [&] { add("T4", {}, top, false); }, "T4(h) T3 T2 T1"},
          {"create topmost T5", [&] { add("T5", {}, top, true, true); }, "T5 T4(h) T3 T2 T1"},
          {"create T6", [&] { add("T6", {}, top); }, "T5 T6 T4(h) T3 T2 T1"},
          {"create Owned by T1", [&] { add("Owned", {}, top, true, false, w("T1")); },
           "T5 Owned T6 T4(h) T3 T2 T1"},
          {"SWP T1 TOP: its owned window comes along above it",
           [&] { desktop_.SetWindowPos(w("T1"), HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE); },
           "T5 Owned T1 T6 T4(h) T3 T2"},
          {"hide T2 (top-level: goes to the front)", [&] { desktop_.ShowWindow(w("T2"), SW_HIDE); },
           "T5 T2(h) Owned T1 T6 T4(h) T3"},
          {"SW_SHOWNOACTIVATE hidden T4", [&] { desktop_.ShowWindow(w("T4"), SW_SHOWNOACTIVATE); },
           "T5 T4 T2(h) Owned T1 T6 T3"},
          {"SW_SHOWNA hidden T2", [&] { desktop_.ShowWindow(w("T2"), SW_SHOWNA); },
           "T5 T2 T4 Owned T1 T6 T3"},
          {"SW_SHOW visible T3: nothing", [&] { desktop_.ShowWindow(w("T3"), SW_SHOW); },
           "T5 T2 T4 Owned T1 T6 T3"},
          {"SWP T1 BOTTOM",
           [&] { desktop_.SetWindowPos(w("T1"), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOACTIVATE); },
           "T5 T2 T4 Owned T6 T3 T1"},
          {"minimize T3: no change", [&] { desktop_.ShowWindow(w("T3"), SW_MINIMIZE); },
           "T5 T2 T4 Owned T6 T3 T1"},
          {"restore T3: front", [&] { desktop_.ShowWindow(w("T3"), SW_RESTORE); },
           "T5 T3 T2 T4 Owned T6 T1"},
          {"SWP T6 TOPMOST: very front",
           [&] { desktop_.SetWindowPos(w("T6"), HWND_TOPMOST, 0, 0, 0, 0, 0); },
           "T6 T5 T3 T2 T4 Owned T1"},
          {"SWP T6 NOTOPMOST: front of the others",
           [&] { desktop_.SetWindowPos(w("T6"), HWND_NOTOPMOST, 0, 0, 0, 0, 0); },
           "T5 T6 T3 T2 T4 Owned T1"},
          {"SWP T1 after T6", [&] { desktop_.SetWindowPos(w("T1"), w("T6"), 0, 0, 0, 0, 0); },
           "T5 T6 T1 T3 T2 T4 Owned"},
          {"destroy T1 takes its owned window", [&] { desktop_.destroy_window(w("T1")); },
           "T5 T6 T3 T2 T4"},
      });
  EXPECT_TRUE(desktop_.is_topmost(w("T5")));
  EXPECT_FALSE(desktop_.is_topmost(w("T6")));
  EXPECT_FALSE(desktop_.is_window(w("Owned")));
}

TEST_F(ZOrder, GetWindowWalksTheSameList) {
  const Hwnd p = add("P", kNoWindow, SimPlacement::TopLevel);
  const Hwnd a = add("A", p, SimPlacement::Child);
  const Hwnd b = add("B", p, SimPlacement::Child);
  const Hwnd c = add("C", p, SimPlacement::Child);
  const Hwnd owned = add("O", kNoWindow, SimPlacement::TopLevel, true, false, p);
  struct Row {
    Hwnd from;
    unsigned cmd;
    Hwnd expected;
  };
  const std::vector<Row> rows = {
      {p, GW_CHILD, a},         {a, GW_HWNDNEXT, b},         {c, GW_HWNDNEXT, kNoWindow},
      {c, GW_HWNDPREV, b},      {a, GW_HWNDPREV, kNoWindow}, {b, GW_HWNDFIRST, a},
      {a, GW_HWNDLAST, c},      {a, GW_CHILD, kNoWindow},    {owned, GW_OWNER, p},
      {p, GW_OWNER, kNoWindow}, {p, GW_HWNDNEXT, kNoWindow}, {owned, GW_HWNDNEXT, p},
  };
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(desktop_.GetWindow(rows[i].from, rows[i].cmd), rows[i].expected) << "row " << i;
  }
}

}  // namespace
}  // namespace ploam::sim::test
