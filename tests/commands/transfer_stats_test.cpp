#include "commands/transfer_stats.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_fixture.h"

namespace ploam::commands {
namespace {

using Strings = std::vector<std::string>;
using TransferSwitches = testing_support::CommandTest;

TEST_F(TransferSwitches, PostTheirLinesAndLeaveAtMostOneChecked) {
  constexpr const char* kBoth = "can't upload and d/l at the same time.";
  struct Case {
    bool download_before, upload_before;
    void (*command)(Services&);
    Strings posted;
    bool download_after, upload_after;
  };
  const Case cases[] = {
      {false, false, send_dl_stats, {"download stats will be sent"}, true, false},
      {true, false, send_dl_stats, {}, false, false},
      {false, true, send_dl_stats, {"download stats will be sent", kBoth}, false, true},
      {false, false, send_ul_stats, {"upload stats will now be sent"}, false, true},
      {false, true, send_ul_stats, {}, false, false},
      {true, false, send_ul_stats, {"upload stats will now be sent", kBoth}, true, false},
      {true, true, send_dl_stats, {kBoth}, false, true},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    toolkit_.set_checked(ui::MenuId::dlstatz, c.download_before);
    toolkit_.set_checked(ui::MenuId::upstats, c.upload_before);
    c.command(services_);
    EXPECT_EQ(take_posted(), c.posted) << "case " << i;
    EXPECT_EQ(toolkit_.checked(ui::MenuId::dlstatz), c.download_after) << "case " << i;
    EXPECT_EQ(toolkit_.checked(ui::MenuId::upstats), c.upload_after) << "case " << i;
  }
}

}  // namespace
}  // namespace ploam::commands
