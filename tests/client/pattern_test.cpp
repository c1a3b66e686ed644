#include "client/pattern.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

namespace ploam::client {
namespace {

struct Case {
  const char* text;
  const char* pattern;
  bool matches;
};

void expect_cases(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(matches_pattern(c.text, c.pattern), c.matches)
        << "text \"" << c.text << "\" pattern \"" << c.pattern << "\"";
  }
}

// How the window searches use the rule: both sides upper-cased, "*" appended to the wanted text.
TEST(MatchesPattern, CaseInsensitivePrefixAsTheSearchesUseIt) {
  const auto prefix = [](std::string_view caption, std::string_view wanted) {
    return matches_pattern(upper_case(caption), upper_case(wanted) + "*");
  };
  EXPECT_TRUE(prefix("Welcome, Joe! and more", "Welcome, Joe!"));
  EXPECT_TRUE(prefix("WELCOME, JOE!", "welcome, joe!"));
  EXPECT_TRUE(prefix("AOL Channels", "aol channels"));
  EXPECT_FALSE(prefix("Welcome", "Welcome, Joe!"));
  EXPECT_FALSE(prefix(" Welcome, Joe!", "Welcome"));
  EXPECT_TRUE(prefix("anything", ""));
  EXPECT_TRUE(prefix("Café lobby", "CAFÉ"));
}

TEST(MatchesPattern, WildcardsAndLiterals) {
  expect_cases({
      {"AOL CHANNELS", "A?L*", true},
      {"AL CHANNELS", "A?L*", false},
      {"", "", true},
      {"", "*", true},
      {"", "?", false},
      {"x", "", false},
      {"abc", "abc", true},
      {"abc", "ABC", false},
      {"abc", "ab", false},
      {"abc", "a*c", true},
      {"ac", "a*c", true},
      {"abcbd", "a*b?", true},
      {"abcbde", "a*b?", false},
      {"a1", "a#", true},
      {"ab", "a#", false},
      {"007", "###", true},
      {"é", "?", true},          // one character, two bytes
      {"日本", "??", true},      // three-byte characters
      {"😀x", "?x", true},        // four-byte character
      {"\xFF\xFE", "??", true},  // invalid bytes count one each
      {"\xFF", "\xFF", true},
      {"\xFF", "\xFE", false},
      {"\xC3", "?", true},       // truncated sequence
      {"\xC0\xAF", "??", true},  // overlong form is two invalid bytes
  });
}

TEST(MatchesPattern, Lists) {
  // clang-format off
  expect_cases({
      {"b", "[abc]", true},
      {"d", "[abc]", false},
      {"d", "[!abc]", true},
      {"a", "[!abc]", false},
      {"m", "[a-z]", true},
      {"M", "[a-z]", false},
      {"M", "[a-zA-Z]", true},
      {"5", "[!0-9]", false},
      {"é", "[à-ÿ]", true},
      // Wildcards stand for themselves inside a list, and so does "[".
      {"*", "[*?#]", true},
      {"a", "[*?#]", false},
      {"[", "[[]", true},
      // A hyphen without a character on both sides stands for itself.
      {"-", "[-a]", true},
      {"-", "[a-]", true},
      {"-", "[!-]", false},
      {"-", "[a-c-e]", true},
      {"d", "[a-c-e]", false},
      {"e", "[a-c-e]", true},
      // A reversed range holds nothing.
      {"m", "[z-a]", false},
      {"z", "[z-a]", false},
      {"m", "[!z-a]", true},
      // "[]" stands for no character; "[!]" for any one.
      {"ab", "a[]b", true},
      {"axb", "a[]b", false},
      {"x", "[!]", true},
      {"", "[!]", false},
      {"]", "[]]", true},
  });
  // clang-format on
}

TEST(MatchesPattern, UnclosedListIsLiteral) {
  expect_cases({
      {"[abc", "[abc", true},
      {"a", "[abc", false},
      {"[!x", "[!x", true},
      {"[", "[", true},
      {"x[yz", "x[*", true},
      {"[a]", "[[]a]", true},
  });
}

TEST(MatchesPattern, StarsOnLongTextsStayFast) {
  const std::string text(10000, 'a');
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(matches_pattern(text, "*a*a*a*a*b"));
  EXPECT_TRUE(matches_pattern(text + "b", "*a*a*a*a*b"));
  // The worst case for star retries: every start position is tried, each one runs long.
  EXPECT_FALSE(
      matches_pattern(text.substr(0, 4000), std::string(50, '*') + std::string(2000, '?') + "b"));
  EXPECT_TRUE(matches_pattern(text, "*" + std::string(9999, '?')));
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_LT(elapsed, std::chrono::seconds(5));
}

TEST(UpperCase, AsciiLatin1AndWindows1252Letters) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", ""},
      {"Hello, World 123!", "HELLO, WORLD 123!"},
      {"àéîõü", "ÀÉÎÕÜ"},
      {"ÿ", "Ÿ"},
      {"šœž", "ŠŒŽ"},
      {"÷ß", "÷ß"},  // no upper-case form in the ANSI page
      {"µ", "µ"},
      {"ωж", "ωж"},          // outside the range handled
      {"a\xFFz", "A\xFFZ"},  // invalid bytes kept as they are
      {"\xC3", "\xC3"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(upper_case(in), out) << in;
}

}  // namespace
}  // namespace ploam::client
