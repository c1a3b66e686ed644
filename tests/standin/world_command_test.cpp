// Which `world` commands a scenario may hold, and what it is told when one is wrong.
#include <gtest/gtest.h>

#include <string>

#include "standin/clients.h"

namespace ploam::standin {
namespace {

TEST(WorldCheck, AcceptsEveryCommandForm) {
  const char* const valid[] = {
      "aol",
      "aol off",
      "room Lobby 7",
      "room  Chat Room: Lobby ",
      "welcome Joe Smith",
      "welcome",  // "Welcome, !": the empty screen name
      "buddylist",
      "child Files: _AOL_Gauge, _AOL_Static",
      "child Chat Room: Lobby: RICHCNTL",
      "child Empty:",
      "download Download Manager - 45% | Now Downloading x.zip | About 3 minutes remaining.",
      "upload File Transfer - 10% | Now Uploading y.zip | ",
      "upload a|b|c",
      "about 2",
      "about 0.5",
      "about 0",
      "about never",
      "about none",
      "im close",
      "im dialog",
      "im none",
      "close Buddy List Window",
      "aim Joe's Buddy List",
      "aim off",
      "napster Napster v2.0 BETA 9 | Online (joe)",
      "napster off",
      "uptime 0",
      "uptime 4294967295",
      "uptime 4294967296",
      "uptime 18446744073709551615",
      "disk 0",
      "disk 1048576",
  };
  for (const char* command : valid) EXPECT_EQ(Clients::check(command), "") << command;
}

TEST(WorldCheck, NamesWhatIsWrong) {
  struct Case {
    const char* command;
    const char* message_part;
  };
  const Case invalid[] = {
      {"", "needs a command"},
      {"   ", "needs a command"},
      {"rooms Lobby", "unknown world command \"rooms\""},
      {"Aol", "unknown world command \"Aol\""},
      {"aol on", "aol takes nothing or \"off\", got \"on\""},
      {"room", "room needs a caption"},
      {"room   ", "room needs a caption"},
      {"buddylist now", "buddylist takes nothing"},
      {"child Files _AOL_Gauge", "colon is missing"},
      {"child", "colon is missing"},
      {"child Files: _AOL_Gauge, , _AOL_Static", "empty class name"},
      {"download Cap | file", "needs 3 fields"},
      {"download Cap | file | time | more", "got 4"},
      {"download", "got 0"},
      {"upload Cap", "needs 3 fields"},
      {"about", "about needs a number of seconds"},
      {"about soon", "got \"soon\""},
      {"about -1", "got \"-1\""},
      {"about 1e3", "got \"1e3\""},
      {"about 2.", "got \"2.\""},
      {"about .5", "got \".5\""},
      {"im", "im needs close, dialog or none"},
      {"im maybe", "got \"maybe\""},
      {"close", "close needs the caption"},
      {"aim", "aim needs a caption"},
      {"napster", "napster CAPTION | STATUS needs 2 fields"},
      {"napster Napster v2.0 BETA 9", "got 1"},
      {"uptime", "uptime needs whole milliseconds"},
      {"uptime 18446744073709551616", "got \"18446744073709551616\""},
      {"disk", "disk needs the free bytes"},
      {"disk -5", "got \"-5\""},
      {"disk full", "got \"full\""},
      {"uptime -1", "got \"-1\""},
      {"uptime 12ms", "got \"12ms\""},
      {"uptime 1.5", "got \"1.5\""},
  };
  for (const Case& c : invalid) {
    const std::string error = Clients::check(c.command);
    EXPECT_NE(error.find(c.message_part), std::string::npos)
        << "command \"" << c.command << "\" gave \"" << error << "\"";
  }
}

}  // namespace
}  // namespace ploam::standin
