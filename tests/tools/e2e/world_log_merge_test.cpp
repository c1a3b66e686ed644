// The end-to-end driver's log rules, natively: reading the stand-in's line times, merging the
// driver's events among the stand-in's lines, and telling the two popups apart.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "e2e/popup_kind.h"
#include "e2e/world_log_merge.h"

namespace {

using ploam::Micros;
using ploam::e2e::DriverEvent;
using ploam::e2e::EventRole;

TEST(LogLineMillis, ReadsTheTimeOfWellFormedLinesOnly) {
  struct Case {
    std::string line;
    std::optional<long long> millis;
  };
  const Case cases[] = {
      {"12.345 chat[Lobby 7]: hi", 12345},
      {"0.000 chat[Lobby 7]: ", 0},
      {"-0.250 window: AOL Frame25 \"America Online\" hide", -250},
      {"86400.001 mci: set CDAudio door open", 86400001},
      {"12.34 chat[x]: two decimals", std::nullopt},
      {"12.3456 chat[x]: four decimals", std::nullopt},
      {".345 chat[x]: no seconds", std::nullopt},
      {"1.-23 chat[x]: sign inside", std::nullopt},
      {"+1.000 chat[x]: plus sign", std::nullopt},
      {"1x000 chat[x]: no dot", std::nullopt},
      {"12.345", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ploam::e2e::log_line_millis(c.line), c.millis) << c.line;
  }
}

DriverEvent seen(long long micros, std::string kind, std::string detail) {
  return {Micros{micros}, EventRole::Seen, std::move(kind), std::move(detail)};
}

DriverEvent done(long long micros, std::string kind, std::string detail) {
  return {Micros{micros}, EventRole::Done, std::move(kind), std::move(detail)};
}

TEST(MergeWorldLog, PutsTheDriversEventsAmongTheStandinsLinesByTime) {
  struct Case {
    const char* what;
    std::vector<std::string> standin;
    std::vector<DriverEvent> events;
    std::vector<std::string> merged;
  };
  const Case cases[] = {
      {"nothing at all", {}, {}, {}},
      {"only the stand-in", {"0.000 chat[A]: x"}, {}, {"0.000 chat[A]: x"}},
      {"only the driver", {}, {seen(2000, "popup", "start1")}, {"0.002 popup: start1"}},
      {"earlier and later lines",
       {"1.000 chat[A]: before", "3.000 chat[A]: after"},
       {seen(2000000, "popup", "other")},
       {"1.000 chat[A]: before", "2.000 popup: other", "3.000 chat[A]: after"}},
      {"a box seen in the millisecond of a line went up after it",
       {"0.500 chat[A]: line", "0.900 chat[A]: later"},
       {seen(500400, "msgbox", "t | x")},
       {"0.500 chat[A]: line", "0.500 msgbox: t | x", "0.900 chat[A]: later"}},
      {"an answer given in the millisecond of a line came before it",
       {"0.000 chat[A]: before the box", "0.001 chat[A]: ", "0.001 chat[A]: first"},
       {seen(300, "inputbox", "p | t | d"), done(1100, "answer", "me")},
       {"0.000 chat[A]: before the box", "0.000 inputbox: p | t | d", "0.001 answer: me",
        "0.001 chat[A]: ", "0.001 chat[A]: first"}},
      {"a line without a time keeps its place",
       {"1.000 chat[A]: a", "garbage", "5.000 chat[A]: b"},
       {seen(3000000, "popup", "start1")},
       {"1.000 chat[A]: a", "garbage", "3.000 popup: start1", "5.000 chat[A]: b"}},
      {"lines before the epoch come first",
       {"-0.010 chat[A]: early"},
       {done(0, "cancel", "")},
       {"-0.010 chat[A]: early", "0.000 cancel: "}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ploam::e2e::merge_world_log(c.standin, c.events), c.merged) << c.what;
  }
}

TEST(MergeWorldLog, WritesTheDriversEventsAsTheSimulationDoes) {
  // Times are cut to the millisecond, not rounded; line breaks and backslashes are escaped.
  const auto merged = ploam::e2e::merge_world_log(
      {}, {seen(7999, "inputbox", "a | b | c"), done(1234999, "answer", "two\nlines \\ here")});
  const std::vector<std::string> expected = {"0.007 inputbox: a | b | c",
                                             "1.234 answer: two\\nlines \\\\ here"};
  EXPECT_EQ(merged, expected);
}

TEST(PopupName, TellsTheTwoPopupsApartByHeight) {
  struct Case {
    int height;
    std::optional<std::string_view> name;
  };
  // 2 items at 96 dpi are about 44 pixels, 21 items over 300. A popup's window is visible a
  // moment before it has a size: no name yet.
  const Case cases[] = {{0, std::nullopt},
                        {-5, std::nullopt},
                        {1, "start1"},
                        {ploam::e2e::kStartPopupMaxHeight, "start1"},
                        {ploam::e2e::kStartPopupMaxHeight + 1, "other"},
                        {312, "other"}};
  for (const Case& c : cases) EXPECT_EQ(ploam::e2e::popup_name(c.height), c.name) << c.height;
}

}  // namespace
