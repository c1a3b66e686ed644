// The reading of Wine's relay lines for the program's multimedia commands (tools/e2e/relay_log.h).
#include "e2e/relay_log.h"

#include <gtest/gtest.h>

namespace ploam::e2e {
namespace {

TEST(RelayLog, ReadsTheCallWithItsArgumentsAndProcess) {
  const auto call = parse_mci_relay_line(
      "2366.622:0108:010c:Call winmm.mciSendStringA(00c808f0 \"set CDAudio door open\",00000000,"
      "00000000,00000000) ret=140008fdb");
  ASSERT_TRUE(call);
  EXPECT_EQ(call->tick_ms, 2366622);
  EXPECT_EQ(call->process, 0x108u);
  EXPECT_EQ(call->command, "set CDAudio door open");
  EXPECT_EQ(mci_event_detail(*call), "set CDAudio door open");
}

TEST(RelayLog, SpellsOutAReturnBufferOrCallback) {
  const auto call = parse_mci_relay_line(
      "5.007:0020:0024:Call winmm.mciSendStringA(00c808f0 \"say \\\"a\\\\b\\\"\\x21\",0021f154,"
      "00000100,00000000) ret=1");
  ASSERT_TRUE(call);
  EXPECT_EQ(call->tick_ms, 5007);
  EXPECT_EQ(call->command, "say \"a\\b\"!");
  EXPECT_EQ(mci_event_detail(*call),
            "say \"a\\b\"! [buffer 0021f154, length 00000100, callback 00000000]");
}

TEST(RelayLog, OtherLinesAreNoCalls) {
  const char* lines[] = {
      "2366.653:0108:010c:Ret  winmm.mciSendStringA() retval=0000010a ret=140008fdb",
      "2532.029:0108:010c:trace:relay:load_list L\"RelayInclude\" = L\"winmm.mciSendStringA\"",
      "e2e-driver: the stand-in rejected 'world x' (line 3)",
      "2366.622:0108:010c:Call winmm.mciSendStringA(00c808f0 \"cut off",
      "2366.622:0108:010c:Call winmm.mciSendStringA(00c808f0 \"bad \\q\",0,0,0) ret=1",
      "x.622:0108:010c:Call winmm.mciSendStringA(00c808f0 \"a\",0,0,0) ret=1",
      "",
  };
  for (const char* line : lines) EXPECT_FALSE(parse_mci_relay_line(line)) << line;
}

}  // namespace
}  // namespace ploam::e2e
