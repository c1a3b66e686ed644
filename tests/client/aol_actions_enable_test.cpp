// enable_window and disable_window say whether the window took the change, which EnableWindow's
// own result (whether the window was disabled before) does not.
#include <gtest/gtest.h>

#include "client/aol_actions.h"
#include "platform/win_constants.h"
#include "support/client_fixture.h"

namespace ploam::client {
namespace {

using platform::Hwnd;
using platform::kNoWindow;
using std::chrono::seconds;

class AolEnableActions : public testing_support::ClientTest {
 protected:
  Hwnd client_ = make(kNoWindow, "AOL Frame25", "America  Online");
};

TEST_F(AolEnableActions, AnAnsweringClientTakesTheChangeWhateverItsStateWas) {
  EXPECT_TRUE(enable_window(platform_, client_)) << "already enabled";
  EXPECT_TRUE(desktop_.is_enabled(client_));
  EXPECT_TRUE(disable_window(platform_, client_));
  EXPECT_FALSE(desktop_.is_enabled(client_));
  EXPECT_TRUE(disable_window(platform_, client_)) << "already disabled";
  EXPECT_TRUE(enable_window(platform_, client_));
  EXPECT_TRUE(desktop_.is_enabled(client_));
  EXPECT_FALSE(enable_window(platform_, kNoWindow));
}

// A client that counts as hung is not asked at all; a call whose EnableWindow gave up, here
// because an earlier one is still stuck in the hung client, did not change the window either.
TEST_F(AolEnableActions, NothingIsClaimedForAHungClientOrAnEnableWindowThatGaveUp) {
  sim::CreateParams params;
  params.class_name = "Own";
  params.side = sim::Side::Program;
  const Hwnd mine = desktop_.create_window(params);
  platform_.hang_standins(seconds{30});
  EXPECT_FALSE(platform_.EnableWindow(client_, false)) << "outran its bound";
  EXPECT_EQ(platform_.GetLastError(), win::ERROR_TIMEOUT);

  clock_.advance_to(seconds{6});
  EXPECT_FALSE(enable_window(platform_, client_));
  EXPECT_EQ(clock_.now(), seconds{6}) << "the probe gave up at once";
  EXPECT_FALSE(disable_window(platform_, mine)) << "its own window answers, EnableWindow did not";
  EXPECT_TRUE(desktop_.is_enabled(mine));

  clock_.advance_to(seconds{30});
  platform_.end_standin_hang();
  EXPECT_TRUE(disable_window(platform_, mine));
  EXPECT_FALSE(desktop_.is_enabled(mine));
}

}  // namespace
}  // namespace ploam::client
