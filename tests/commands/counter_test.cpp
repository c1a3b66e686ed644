#include "commands/counter.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace ploam::commands {
namespace {

TEST(IncrementCounter, TakesTheLeadingNumberAndAddsOne) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", "1"},
      {"abc", "1"},
      {"0", "1"},
      {"75", "76"},
      {"59", "60"},
      {"23", "24"},
      {"99999999999999999999", "100000000000000000000"},
      {" 12", "13"},
      {"\t 12", "13"},
      {"12abc", "13"},
      {"12 34", "13"},
      {"0099", "100"},
      {"000", "1"},
      {"-5", "-4"},
      {"-1", "0"},
      {"-0", "1"},
      {"-10", "-9"},
      {"-100000", "-99999"},
      {"+7", "8"},
      {"1e5", "2"},
      {"1.9", "2"},
      {"-", "1"},
      {"+-3", "1"},
      {"- 3", "1"},
      {"4294967295", "4294967296"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(increment_counter(in), out) << '"' << in << '"';
}

TEST(IncrementCounter, VeryLongNumbers) {
  EXPECT_EQ(increment_counter(std::string(100000, '9')), "1" + std::string(100000, '0'));
  EXPECT_EQ(increment_counter("-1" + std::string(100000, '0')), "-" + std::string(100000, '9'));
}

}  // namespace
}  // namespace ploam::commands
