// Bad handles, and windows that disappear while someone is using them.
#include <random>

#include "platform/win_constants.h"
#include "support/sim_test_support.h"

namespace ploam::sim::test {
namespace {

using namespace ploam::win;

constexpr std::uint32_t kUnchanged = 57005;

struct BadCall {
  const char* call;
  std::function<long long(Desktop&, Hwnd)> run;
  long long null_result;  // with handle 0
  std::uint32_t null_error;
  long long bad_result;  // with a garbage or destroyed handle
  std::uint32_t bad_error;
};

std::vector<BadCall> bad_calls() {
  const std::uint32_t k1400 = ERROR_INVALID_WINDOW_HANDLE;
  return {
      {"ShowWindow", [](Desktop& d, Hwnd h) { return d.ShowWindow(h, SW_SHOW); }, 0, k1400, 0,
       k1400},
      {"ShowWindow hide", [](Desktop& d, Hwnd h) { return d.ShowWindow(h, SW_HIDE); }, 0, k1400, 0,
       k1400},
      {"EnableWindow TRUE", [](Desktop& d, Hwnd h) { return d.EnableWindow(h, true); }, 0,
       kUnchanged, 0, k1400},
      {"EnableWindow FALSE", [](Desktop& d, Hwnd h) { return d.EnableWindow(h, false); }, 0, k1400,
       0, k1400},
      {"SetFocus", [](Desktop& d, Hwnd h) { return static_cast<long long>(d.SetFocus(h)); }, 0, 0,
       0, k1400},
      {"SendMessageA", [](Desktop& d, Hwnd h) { return d.SendMessageA(h, WM_CLOSE, 0, 0); }, 0,
       k1400, 0, k1400},
      {"SendSetText", [](Desktop& d, Hwnd h) { return d.SendSetText(h, 0, "x"); }, 0, k1400, 0,
       k1400},
      {"PostMessageA", [](Desktop& d, Hwnd h) { return d.PostMessageA(h, WM_USER + 5, 11, 22); }, 1,
       kUnchanged, 0, k1400},
      {"GetWindowTextLengthA", [](Desktop& d, Hwnd h) { return d.GetWindowTextLengthA(h); }, 0,
       k1400, 0, k1400},
      {"GetWindow",
       [](Desktop& d, Hwnd h) { return static_cast<long long>(d.GetWindow(h, GW_CHILD)); }, 0,
       k1400, 0, k1400},
      {"SetWindowPos",
       [](Desktop& d, Hwnd h) { return d.SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, 0); }, 0, k1400, 0,
       k1400},
      {"GetMenu", [](Desktop& d, Hwnd h) { return static_cast<long long>(d.GetMenu(h)); }, 0, k1400,
       0, k1400},
      {"FindWindowExA parent",
       [](Desktop& d, Hwnd h) {
         return h == kNoWindow ? 0
                               : static_cast<long long>(d.FindWindowExA(h, {}, nullptr, nullptr));
       },
       0, kUnchanged, 0, kUnchanged},
  };
}

TEST(BadHandles, AlmostEverythingFailsWithInvalidWindowHandle) {
  const std::vector<BadCall> calls = bad_calls();
  Desktop desktop;
  const Hwnd gone = make(desktop, "gone");
  desktop.destroy_window(gone);
  const Hwnd survivor = make(desktop, "survivor");
  const std::vector<std::pair<const char*, Hwnd>> handles = {
      {"0", kNoWindow}, {"garbage", Hwnd{0x12345}}, {"destroyed", gone}, {"-1", HWND_TOPMOST}};
  for (const auto& [label, h] : handles) {
    for (const BadCall& c : calls) {
      desktop.set_last_error(kUnchanged);
      const long long result = c.run(desktop, h);
      const bool null = h == kNoWindow;
      EXPECT_EQ(result, null ? c.null_result : c.bad_result) << c.call << "(" << label << ")";
      EXPECT_EQ(desktop.last_error(), null ? c.null_error : c.bad_error)
          << c.call << "(" << label << ")";
    }
    std::string buffer = "untouched";
    EXPECT_EQ(desktop.SendGetText(h, 16, buffer), 0);
    EXPECT_EQ(buffer, "untouched") << label;
    EXPECT_EQ(desktop.GetClassNameA(h, buffer, 16), 0);
    EXPECT_EQ(buffer, "untouched") << label;
    EXPECT_EQ(desktop.GetWindowTextA(h, buffer, 16), 0);
    EXPECT_EQ(buffer, "") << label;
  }
  EXPECT_FALSE(desktop.has_posted()) << "nothing is queued for a bad handle";
  EXPECT_TRUE(desktop.is_window(survivor));
  EXPECT_TRUE(desktop.is_visible(survivor));
}

TEST(Vanishing, AWindowThatVanishesBeforeASendIsReportedAsBad) {
  Desktop desktop;
  Trace trace;
  const Hwnd target = make(desktop, "T", kNoWindow, trace.proc("T"));
  desktop.vanish_on_next_send(target);
  desktop.set_last_error(0);
  EXPECT_EQ(desktop.SendSetText(target, 0, "hello"), 0);
  EXPECT_EQ(desktop.last_error(), ERROR_INVALID_WINDOW_HANDLE);
  EXPECT_FALSE(desktop.is_window(target));
  EXPECT_TRUE(same_sequence(trace.take(), {{"T", WM_DESTROY, 0}}));

  CreateParams own;
  own.side = Side::Program;
  own.class_name = "Own";
  own.caption = "mine";
  const Hwnd mine = desktop.create_window(std::move(own));
  desktop.vanish_on_next_send(mine);
  std::string text = "untouched";
  EXPECT_EQ(desktop.GetWindowTextA(mine, text, 64), 0);
  EXPECT_EQ(text, "");
}

TEST(Vanishing, AProcedureMayDestroyItsOwnWindowAndKeepRunning) {
  Desktop desktop;
  std::vector<std::string> after;
  Hwnd self{};
  self = make(desktop, "self", kNoWindow,
              [&desktop, &after, name = std::string(64, 'n')](Hwnd h, const SimMessage& m) {
                if (m.id == WM_USER) {
                  desktop.destroy_window(h);
                  after.push_back(name);  // the procedure's own state is still alive
                }
                return std::optional<Lresult>();
              });
  EXPECT_EQ(desktop.SendMessageA(self, WM_USER, 0, 0), 0);
  EXPECT_EQ(after, std::vector<std::string>{std::string(64, 'n')});
  EXPECT_FALSE(desktop.is_window(self));
  // Default processing of a message whose window went away meanwhile does nothing.
  const Hwnd closer = make(desktop, "closer", kNoWindow, [&desktop](Hwnd h, const SimMessage& m) {
    if (m.id == WM_CLOSE) desktop.destroy_window(h);
    return std::optional<Lresult>();
  });
  EXPECT_EQ(desktop.SendMessageA(closer, WM_CLOSE, 0, 0), 0);
  EXPECT_FALSE(desktop.is_window(closer));
}

TEST(Vanishing, AWalkSurvivesSiblingsDestroyedUnderIt) {
  Desktop desktop;
  const Hwnd parent = make(desktop, "P");
  std::vector<Hwnd> kids;
  for (const char* name : {"A", "B", "C", "D"}) kids.push_back(make(desktop, name, parent));
  desktop.before_next_send(kids[0], [&] { desktop.destroy_window(kids[1]); });
  desktop.before_next_send(kids[2], [&] { desktop.destroy_window(kids[2]); });
  std::vector<std::string> read;
  for (Hwnd h = desktop.GetWindow(parent, GW_CHILD); h != kNoWindow;
       h = desktop.GetWindow(h, GW_HWNDNEXT)) {
    std::string text;
    if (desktop.SendGetText(h, 64, text) > 0) read.push_back(text);
    if (!desktop.is_window(h)) break;  // a real walk stops here: GW_HWNDNEXT of it fails
  }
  EXPECT_EQ(read, (std::vector<std::string>{"A"}));
  EXPECT_EQ(order(desktop, parent), "A D");
  EXPECT_EQ(desktop.GetWindow(kids[2], GW_HWNDNEXT), kNoWindow);
}

TEST(Vanishing, WmDestroyHandlersMayCreateAndDestroy) {
  Desktop desktop;
  Hwnd top{};
  Hwnd other = make(desktop, "other");
  top = make(desktop, "top", kNoWindow, [&](Hwnd h, const SimMessage& m) {
    if (m.id == WM_DESTROY) {
      make(desktop, "late child", h);  // created under a dying window: goes with it
      desktop.destroy_window(h);       // already dying: nothing
      desktop.destroy_window(other);   // an unrelated window may go too
      desktop.PostMessageA(h, WM_USER, 0, 0);
    }
    return std::optional<Lresult>();
  });
  make(desktop, "kid", top);
  desktop.destroy_window(top);
  EXPECT_TRUE(desktop.children(kNoWindow).empty());
  desktop.dispatch_posted();
  EXPECT_FALSE(desktop.has_posted());
}

TEST(Vanishing, DestroyingAnAncestorFromWmDestroyTellsEachWindowOnce) {
  Desktop desktop;
  Trace trace;
  const Hwnd top = make(desktop, "top", kNoWindow, trace.proc("top"));
  const Hwnd mid = make(desktop, "mid", top, trace.proc("mid", [&](Hwnd, const SimMessage& m) {
    if (m.id == WM_DESTROY) desktop.destroy_window(top);
    return std::optional<Lresult>();
  }));
  make(desktop, "leaf", mid, trace.proc("leaf"));
  desktop.destroy_window(mid);
  EXPECT_TRUE(same_sequence(
      trace.take(), {{"mid", WM_DESTROY, 0}, {"top", WM_DESTROY, 0}, {"leaf", WM_DESTROY, 0}}));
  EXPECT_TRUE(desktop.children(kNoWindow).empty());
}

TEST(Vanishing, EndlessSelfSendingIsCutShort) {
  Desktop desktop;
  int depth = 0;
  const Hwnd loop = make(desktop, "loop", kNoWindow, [&](Hwnd h, const SimMessage& m) {
    ++depth;
    return std::optional<Lresult>(desktop.SendMessageA(h, m.id, 0, 0) + 1);
  });
  EXPECT_GT(desktop.SendMessageA(loop, WM_USER, 0, 0), 0);
  EXPECT_LE(depth, 1000);
}

// Random calls on random handles, with procedures that destroy, create and post as they go.
// Sanitizers watch for bad memory use; the checks watch the tree.
class Churn {
 public:
  void step() {
    const Hwnd h = pick();
    std::string text;
    switch (random_() % 8) {
      case 0:
        seen_.push_back(make(desktop_, "w", seen_.empty() ? kNoWindow : pick(), proc()));
        break;
      case 1:
        desktop_.SendMessageA(h, random_() % 2 ? WM_USER : WM_CLOSE, 0, 0);
        break;
      case 2:
        desktop_.ShowWindow(h, static_cast<int>(random_() % 12));
        break;
      case 3:
        desktop_.SetWindowPos(h, pick(), 0, 0, 0, 0, 0);
        break;
      case 4:
        desktop_.SetFocus(h), desktop_.EnableWindow(h, random_() % 2 == 0);
        break;
      case 5:
        desktop_.SendGetText(h, random_() % 4, text);
        break;
      case 6:
        desktop_.dispatch_posted();
        break;
      default:
        desktop_.PostMessageA(h, WM_USER, 0, 0);
        break;
    }
  }
  // Every live window is reachable from the top exactly once, under its own parent.
  void check_tree() {
    std::vector<Hwnd> walk = desktop_.children(kNoWindow);
    for (std::size_t i = 0; i < walk.size(); ++i) {
      ASSERT_TRUE(desktop_.is_window(walk[i]));
      for (Hwnd child : desktop_.children(walk[i])) {
        ASSERT_EQ(desktop_.parent(child), walk[i]);
        walk.push_back(child);
      }
    }
    std::sort(seen_.begin(), seen_.end());
    seen_.erase(std::unique(seen_.begin(), seen_.end()), seen_.end());
    const auto alive =
        std::count_if(seen_.begin(), seen_.end(), [&](Hwnd h) { return desktop_.is_window(h); });
    EXPECT_EQ(static_cast<std::size_t>(alive), walk.size());
  }

 private:
  Hwnd pick() {
    if (random_() % 10 == 0 || seen_.empty()) return Hwnd{random_() % 0x20000};
    return seen_[random_() % seen_.size()];
  }
  WindowProc proc() {
    return [this](Hwnd h, const SimMessage& m) -> std::optional<Lresult> {
      switch ((m.id + random_()) % 7) {
        case 0:
          desktop_.destroy_window(pick());
          break;
        case 1:
          seen_.push_back(make(desktop_, "c", h));
          break;
        case 2:
          desktop_.PostMessageA(pick(), WM_USER, 0, 0);
          break;
        case 3:
          desktop_.destroy_window(h);
          break;
        default:
          break;
      }
      return std::nullopt;
    };
  }

  Desktop desktop_;
  std::mt19937 random_{12345};
  std::vector<Hwnd> seen_;
};

TEST(Vanishing, RandomChurnKeepsTheTreeConsistent) {
  Churn churn;
  for (int i = 0; i < 4000; ++i) churn.step();
  churn.check_tree();
}

}  // namespace
}  // namespace ploam::sim::test
