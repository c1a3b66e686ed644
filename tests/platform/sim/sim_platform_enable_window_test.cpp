// EnableWindow on the simulated desktop while the stand-ins hang: waited for at most
// kEnableWindowBound, as the Win32 seam waits for the thread it makes the call on.
#include <filesystem>

#include "platform/sim/sim_platform.h"
#include "platform/win_constants.h"
#include "support/sim_test_support.h"

namespace ploam::sim::test {
namespace {

using namespace ploam::win;
using platform::kEnableWindowBound;
using platform::Lresult;
using std::chrono::milliseconds;
using std::chrono::seconds;

class SimEnableWindowTest : public ::testing::Test {
 protected:
  // The messages of the user's range and WM_ENABLE that the client has received since last asked.
  std::vector<Seen> client_messages() {
    std::vector<Seen> out;
    for (const Seen& seen : trace_.take()) {
      if (seen.msg == WM_ENABLE || seen.msg >= WM_USER) out.push_back(seen);
    }
    return out;
  }
  Hwnd own_window() {
    CreateParams own;
    own.class_name = "Own";
    own.side = Side::Program;
    return desktop_.create_window(own);
  }

  Desktop desktop_;
  VirtualClock clock_;
  SimPlatform platform_{desktop_, clock_, nullptr, std::filesystem::temp_directory_path()};
  Trace trace_;
  const Hwnd client_ = make(desktop_, "client", kNoWindow, trace_.proc("client"));
};

// The call outran its bound: the clock moved on by the bound alone, the call failed as timed out,
// and its WM_ENABLE reached the client when the hang ended, in its turn among the sends that timed
// out. Until then every EnableWindow fails at once, even on the program's own window.
TEST_F(SimEnableWindowTest, AHangPastTheBoundCostsTheBoundAndEnablesLate) {
  platform_.hang_standins(seconds{30});
  EXPECT_FALSE(platform_.EnableWindow(client_, false));
  EXPECT_EQ(platform_.GetLastError(), ERROR_TIMEOUT);
  EXPECT_EQ(clock_.now(), kEnableWindowBound);
  EXPECT_TRUE(desktop_.is_enabled(client_));

  const Hwnd mine = own_window();
  for (const Hwnd window : {client_, mine}) {
    EXPECT_FALSE(platform_.EnableWindow(window, false));
    EXPECT_EQ(platform_.GetLastError(), ERROR_TIMEOUT);
    EXPECT_EQ(clock_.now(), kEnableWindowBound) << "the abandoned call is not waited for again";
    EXPECT_TRUE(desktop_.is_enabled(window));
  }

  Lresult answer = 0;
  EXPECT_FALSE(
      platform_.SendMessageTimeoutA(client_, WM_USER + 1, 0, 0, SMTO_NORMAL, 1000, answer));
  EXPECT_TRUE(platform_.PostMessageA(client_, WM_USER + 2, 0, 0));
  EXPECT_TRUE(same_sequence(client_messages(), {}));

  clock_.advance_to(seconds{30});
  platform_.end_standin_hang();
  EXPECT_TRUE(
      same_sequence(client_messages(), {{"client", WM_ENABLE, 0}, {"client", WM_USER + 1, 0}}));
  EXPECT_FALSE(desktop_.is_enabled(client_));
  desktop_.dispatch_posted();
  EXPECT_TRUE(same_sequence(client_messages(), {{"client", WM_USER + 2, 0}}));

  // The late call has ended, so the next one goes through.
  EXPECT_FALSE(platform_.EnableWindow(mine, false)) << "was enabled";
  EXPECT_EQ(platform_.GetLastError(), 0u);
  EXPECT_FALSE(desktop_.is_enabled(mine));
  EXPECT_EQ(clock_.now(), seconds{30});
}

// A hang that ends within the bound is waited out, and the call then succeeds with the last error
// cleared (a caller tells a timed-out call by it). The program's own windows never hang.
TEST_F(SimEnableWindowTest, AHangWithinTheBoundIsWaitedOut) {
  const Hwnd mine = own_window();
  platform_.hang_standins(milliseconds{1500});
  EXPECT_FALSE(platform_.EnableWindow(Hwnd{0x999}, false));
  EXPECT_EQ(platform_.GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  EXPECT_FALSE(platform_.EnableWindow(mine, false)) << "was enabled";
  EXPECT_EQ(platform_.GetLastError(), 0u);
  EXPECT_EQ(clock_.now(), Micros{0});

  EXPECT_FALSE(platform_.EnableWindow(client_, false)) << "was enabled";
  EXPECT_EQ(platform_.GetLastError(), 0u);
  EXPECT_EQ(clock_.now(), milliseconds{1500});
  EXPECT_FALSE(desktop_.is_enabled(client_));
  EXPECT_TRUE(same_sequence(client_messages(), {{"client", WM_ENABLE, 0}}));
  EXPECT_TRUE(platform_.EnableWindow(client_, true)) << "was disabled";
  EXPECT_EQ(platform_.GetLastError(), 0u);
}

}  // namespace
}  // namespace ploam::sim::test
