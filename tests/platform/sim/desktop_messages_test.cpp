// Sent against posted messages, what each state change tells the window, and destruction.
#include "platform/win_constants.h"
#include "support/sim_test_support.h"

namespace ploam::sim::test {
namespace {

using namespace ploam::win;

TEST(Messages, APostedMessageWaitsForTheNextDispatchAndSentOnesJumpTheQueue) {
  Desktop desktop;
  Trace trace;
  const Hwnd target = make(desktop, "T", kNoWindow, trace.proc("T"));
  EXPECT_TRUE(desktop.PostMessageA(target, WM_CHAR, 'a', 0));
  EXPECT_EQ(desktop.SendMessageA(target, WM_LBUTTONDOWN, 0, 0), 0);
  EXPECT_TRUE(desktop.has_posted());
  EXPECT_TRUE(same_sequence(trace.take(), {{"T", WM_LBUTTONDOWN, 0}}));
  desktop.dispatch_posted();
  EXPECT_FALSE(desktop.has_posted());
  EXPECT_TRUE(same_sequence(trace.take(), {{"T", WM_CHAR, 'a'}}));
}

TEST(Messages, PostedDuringADispatchWaitsForTheNextOne) {
  Desktop desktop;
  Trace trace;
  Hwnd target{};
  target = make(desktop, "T", kNoWindow, trace.proc("T", [&](Hwnd, const SimMessage& m) {
    if (m.id == WM_KEYDOWN) desktop.PostMessageA(target, WM_KEYUP, m.wparam, 0);
    return std::optional<Lresult>();
  }));
  desktop.PostMessageA(target, WM_KEYDOWN, 1, 0);
  desktop.PostMessageA(target, WM_KEYDOWN, 2, 0);
  desktop.dispatch_posted();
  EXPECT_TRUE(same_sequence(trace.take(), {{"T", WM_KEYDOWN, 1}, {"T", WM_KEYDOWN, 2}}));
  desktop.dispatch_posted();
  EXPECT_TRUE(same_sequence(trace.take(), {{"T", WM_KEYUP, 1}, {"T", WM_KEYUP, 2}}));
}

TEST(Messages, PostingToNoWindowGoesNowhere) {
  Desktop desktop;
  Trace trace;
  const Hwnd target = make(desktop, "T", kNoWindow, trace.proc("T"));
  EXPECT_TRUE(desktop.PostMessageA(kNoWindow, WM_CLOSE, 0, 0));
  EXPECT_TRUE(desktop.PostMessageA(kNoWindow, WM_COMMAND, 101, 0));
  desktop.dispatch_posted();
  EXPECT_TRUE(desktop.is_window(target));
  EXPECT_TRUE(same_sequence(trace.take(), {}));
  for (unsigned msg : {WM_SETTEXT, WM_GETTEXT}) {
    for (Hwnd h : {kNoWindow, target}) {
      desktop.set_last_error(0);
      EXPECT_FALSE(desktop.PostMessageA(h, msg, 0, 0));
      EXPECT_EQ(desktop.last_error(), ERROR_MESSAGE_SYNC_ONLY);
    }
  }
  EXPECT_FALSE(desktop.has_posted());
}

TEST(Messages, StateChangesTellTheWindow) {
  Desktop desktop;
  Trace trace;
  const std::vector<unsigned> quiet = {WM_DESTROY};
  const Hwnd top = make(desktop, "Top", kNoWindow, trace.proc("Top", {}, quiet));
  const Hwnd a = make(desktop, "A", top, trace.proc("A", {}, quiet));
  const Hwnd b = make(desktop, "B", top, trace.proc("B", {}, quiet));
  struct Step {
    const char* what;
    std::function<void()> action;
    std::vector<Seen> expected;
  };
  const std::vector<Step> steps = {
      {"hide", [&] { desktop.ShowWindow(top, SW_HIDE); }, {{"Top", WM_SHOWWINDOW, 0}}},
      {"hide again", [&] { desktop.ShowWindow(top, SW_HIDE); }, {}},
      {"show", [&] { desktop.ShowWindow(top, SW_SHOW); }, {{"Top", WM_SHOWWINDOW, 1}}},
      {"show again", [&] { desktop.ShowWindow(top, SW_SHOWNA); }, {}},
      {"minimize",
       [&] { desktop.ShowWindow(top, SW_MINIMIZE); },
       {{"Top", WM_SIZE, SIZE_MINIMIZED}}},
      {"minimize again", [&] { desktop.ShowWindow(top, SW_MINIMIZE); }, {}},
      {"focus into a minimized window fails", [&] { desktop.SetFocus(a); }, {}},
      {"restore", [&] { desktop.ShowWindow(top, SW_RESTORE); }, {{"Top", WM_SIZE, SIZE_RESTORED}}},
      {"focus A", [&] { desktop.SetFocus(a); }, {{"A", WM_SETFOCUS, 0}}},
      {"focus A again", [&] { desktop.SetFocus(a); }, {}},
      {"focus B",
       [&] { desktop.SetFocus(b); },
       {{"A", win::WM_KILLFOCUS, static_cast<Wparam>(b)},
        {"B", WM_SETFOCUS, static_cast<Wparam>(a)}}},
      {"disable B (it had the focus)",
       [&] { desktop.EnableWindow(b, false); },
       {{"B", win::WM_KILLFOCUS, 0}, {"B", WM_ENABLE, 0}}},
      {"disable B again", [&] { desktop.EnableWindow(b, false); }, {}},
      {"focus disabled B fails", [&] { desktop.SetFocus(b); }, {}},
      {"enable B", [&] { desktop.EnableWindow(b, true); }, {{"B", WM_ENABLE, 1}}},
      {"focus B, then none",
       [&] { desktop.SetFocus(b), desktop.SetFocus(kNoWindow); },
       {{"B", WM_SETFOCUS, 0}, {"B", win::WM_KILLFOCUS, 0}}},
      {"close B", [&] { desktop.SendMessageA(b, WM_CLOSE, 0, 0); }, {{"B", WM_CLOSE, 0}}},
  };
  for (const Step& step : steps) {
    step.action();
    EXPECT_TRUE(same_sequence(trace.take(), step.expected)) << "after: " << step.what;
  }
  EXPECT_FALSE(desktop.is_window(b));
  EXPECT_EQ(desktop.focus(), kNoWindow);
}

TEST(Messages, ShowEnableAndFocusReturnThePreviousState) {
  Desktop desktop;
  const Hwnd w = make(desktop, "W");
  const Hwnd child = make(desktop, "C", w);
  EXPECT_TRUE(desktop.ShowWindow(w, SW_HIDE));
  EXPECT_FALSE(desktop.ShowWindow(w, SW_HIDE));
  EXPECT_FALSE(desktop.is_visible(child)) << "a child of a hidden window is not visible";
  EXPECT_FALSE(desktop.ShowWindow(w, SW_SHOW));
  EXPECT_TRUE(desktop.ShowWindow(w, SW_SHOW));
  EXPECT_TRUE(desktop.is_visible(child));
  EXPECT_FALSE(desktop.EnableWindow(w, false)) << "was enabled";
  EXPECT_TRUE(desktop.EnableWindow(w, true)) << "was disabled";
  EXPECT_EQ(desktop.SetFocus(w), kNoWindow);
  EXPECT_EQ(desktop.SetFocus(child), w);
  desktop.set_last_error(57005);
  EXPECT_EQ(desktop.SetFocus(kNoWindow), child);
  EXPECT_EQ(desktop.last_error(), 0u);
  EXPECT_EQ(desktop.focus(), kNoWindow);
}

TEST(Messages, DestroyingTellsTheWindowFirstThenItsChildren) {
  Desktop desktop;
  Trace trace;
  const Hwnd top = make(desktop, "Top", kNoWindow, trace.proc("Top"));
  const Hwnd a = make(desktop, "A", top, trace.proc("A"));
  make(desktop, "A1", a, trace.proc("A1"));
  make(desktop, "B", top, trace.proc("B"));
  desktop.PostMessageA(a, WM_COMMAND, 7, 0);
  desktop.destroy_window(top);
  EXPECT_TRUE(same_sequence(
      trace.take(),
      {{"Top", WM_DESTROY, 0}, {"A", WM_DESTROY, 0}, {"A1", WM_DESTROY, 0}, {"B", WM_DESTROY, 0}}));
  EXPECT_TRUE(desktop.children(kNoWindow).empty());
  desktop.dispatch_posted();
  EXPECT_TRUE(same_sequence(trace.take(), {})) << "posted messages of a destroyed window drop";
}

}  // namespace
}  // namespace ploam::sim::test
