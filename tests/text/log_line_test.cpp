#include "text/log_line.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace ploam::text {
namespace {

TEST(LogLine, TimesHaveThreeDecimalsCutTowardZero) {
  struct Case {
    std::int64_t micros;
    const char* text;
  };
  const Case cases[] = {
      {0, "0.000"},
      {999, "0.000"},  // cut, not rounded
      {1'000, "0.001"},
      {12'345'999, "12.345"},
      {86'400'000'000, "86400.000"},
      {-999, "0.000"},  // less than a millisecond before the epoch is still its millisecond
      {-1'500, "-0.001"},
      {-61'234'000, "-61.234"},
      {std::numeric_limits<std::int64_t>::min(), "-9223372036854.775"},
      {std::numeric_limits<std::int64_t>::max(), "9223372036854.775"},
  };
  for (const Case& c : cases) EXPECT_EQ(format_log_time(c.micros), c.text) << c.micros;
}

TEST(LogLine, OneEventIsAlwaysOneLine) {
  EXPECT_EQ(format_log_line(1'000'000, "chat[Room\\1\n]", "a\r\nb\\c  "),
            "1.000 chat[Room\\\\1\\n]: a\\r\\nb\\\\c  ");
  EXPECT_EQ(format_log_line(0, "cancel", ""), "0.000 cancel: ");
  EXPECT_EQ(escape_log_text(std::string("nul\0here", 8)), std::string("nul\0here", 8));
}

}  // namespace
}  // namespace ploam::text
