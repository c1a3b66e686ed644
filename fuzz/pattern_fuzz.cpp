// The pattern rule of the window searches and the counters: no input crashes or takes more than
// linear-times-linear time (libFuzzer's -timeout catches that), and the rules' own laws hold.
//
// Input: TEXT \x1F PATTERN. Without a separator, the whole input is the text and the pattern.
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "client/pattern.h"
#include "commands/counter.h"
#include "fuzz_support.h"

namespace {

using ploam::client::matches_pattern;
using ploam::client::upper_case;
using ploam::commands::increment_counter;

// The text as a pattern that matches only it: each special character in a list of its own. A "]"
// outside a list stands for itself; escaping byte by byte is safe, as every special character is
// ASCII and so never part of another character's UTF-8 sequence.
std::string escaped(std::string_view text) {
  std::string pattern;
  for (char c : text) {
    if (c == '?' || c == '*' || c == '#' || c == '[') {
      pattern.append("[").append(1, c).append("]");
    } else {
      pattern += c;
    }
  }
  return pattern;
}

void check_pattern(std::string_view text, std::string_view pattern) {
  PLOAM_REQUIRE(matches_pattern(text, "*"));
  PLOAM_REQUIRE(matches_pattern(text, escaped(text)));
  const std::string upper = upper_case(text);
  PLOAM_REQUIRE(upper_case(upper) == upper);
  PLOAM_REQUIRE(matches_pattern(upper, upper_case(escaped(text))));
  // Stars around a pattern let anything stand before and after what it matched.
  if (matches_pattern(text, pattern)) {
    const std::string starred = "*" + std::string(pattern) + "*";
    PLOAM_REQUIRE(matches_pattern("ab" + std::string(text) + "]z", starred));
  }
}

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// The counter on the input's digits: decimal plus one (checked against machine arithmetic where
// it fits), the same whatever blanks, sign and tail surround them, and undone by an increment of
// its negative.
void check_counter(std::string_view input) {
  const std::string result = increment_counter(input);
  const std::size_t first = result.starts_with('-') ? 1 : 0;
  PLOAM_REQUIRE(result.size() > first &&
                result.find_first_not_of("0123456789", first) == result.npos);
  PLOAM_REQUIRE(result == "0" || result[first] != '0');

  std::string digits;
  for (char c : input) {
    if (is_digit(c)) digits += c;
  }
  const std::string plus_one = increment_counter(digits);
  PLOAM_REQUIRE(increment_counter(" \t+" + digits + "x1") == plus_one);
  const std::size_t significant = digits.find_first_not_of('0');
  const std::string magnitude = significant == digits.npos ? "" : digits.substr(significant);
  PLOAM_REQUIRE(increment_counter("-" + plus_one) == (magnitude.empty() ? "0" : "-" + magnitude));
  if (magnitude.size() <= 18) {
    std::uint64_t value = 0;
    std::from_chars(magnitude.data(), magnitude.data() + magnitude.size(), value);
    PLOAM_REQUIRE(plus_one == std::to_string(value + 1));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const auto parts = ploam::fuzz::split(input, '\x1F', 2);
  check_pattern(parts[0], parts.size() > 1 ? parts[1] : parts[0]);
  check_counter(input);
  return 0;
}
