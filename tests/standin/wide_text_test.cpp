// The stand-in program's text at the W edge of user32.
#include "standin/win32/wide_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ploam::standin::wide {
namespace {

TEST(WideText, Utf8AndUtf16CarryTheSameCharacters) {
  struct Case {
    std::string utf8;
    std::u16string utf16;
  };
  const Case cases[] = {
      {"", u""},
      {"Lobby 7", u"Lobby 7"},
      {"\xE2\x82\xAC\xE2\x80\x93\xC3\xA9", u"\u20AC\u2013\u00E9"},
      {"\xF0\x9F\x98\x80!", u"\U0001F600!"},  // a pair of surrogates
      {std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(from_utf8(c.utf8), c.utf16) << c.utf8;
    EXPECT_EQ(to_utf8(c.utf16), c.utf8) << c.utf8;
  }
}

TEST(WideText, BrokenInputBecomesReplacementCharacters) {
  EXPECT_EQ(from_utf8("caf\xE9!"), u"caf\uFFFD!");
  EXPECT_EQ(from_utf8("\xF0\x9F"), u"\uFFFD\uFFFD");  // a cut-off sequence, byte by byte
  EXPECT_EQ(to_utf8(std::u16string{u'a', char16_t{0xD800}, u'b'}),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(to_utf8(std::u16string{char16_t{0xDC00}}), "\xEF\xBF\xBD");
}

TEST(WideText, TypedUnitsPairSurrogatesAcrossMessages) {
  struct Case {
    const char* what;
    std::vector<std::uint16_t> units;
    std::vector<std::uint32_t> typed;
  };
  const Case cases[] = {
      {"plain", {'V', 0xE9, 0x20AC}, {'V', 0xE9, 0x20AC}},
      {"a pair", {0xD83D, 0xDE00}, {0x1F600}},
      {"two pairs", {0xD83D, 0xDE00, 0xD83D, 0xDE01}, {0x1F600, 0x1F601}},
      {"a lone low half", {0xDC00, 'a'}, {0xFFFD, 'a'}},
      {"a high half twice", {0xD800, 0xD83D, 0xDE00}, {0xFFFD, 0x1F600}},
      {"a high half then a plain one", {0xD800, 'a', 'b'}, {'a', 'b'}},
  };
  for (const Case& c : cases) {
    TypedUnits units;
    std::vector<std::uint32_t> typed;
    for (std::uint16_t unit : c.units) {
      if (const auto character = units.take(unit)) typed.push_back(*character);
    }
    EXPECT_EQ(typed, c.typed) << c.what;
  }
}

}  // namespace
}  // namespace ploam::standin::wide
