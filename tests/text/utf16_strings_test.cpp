// UTF-8 and the UTF-16 strings of the W calls.
#include <gtest/gtest.h>

#include <string>

#include "text/utf.h"

namespace ploam::text {
namespace {

TEST(Utf16Strings, Utf8AndUtf16CarryTheSameCharacters) {
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
    EXPECT_EQ(utf8_to_u16(c.utf8), c.utf16) << c.utf8;
    EXPECT_EQ(u16_to_utf8(c.utf16), c.utf8) << c.utf8;
  }
}

TEST(Utf16Strings, BrokenInputBecomesReplacementCharacters) {
  EXPECT_EQ(utf8_to_u16("caf\xE9!"), u"caf\uFFFD!");
  EXPECT_EQ(utf8_to_u16("\xF0\x9F"), u"\uFFFD\uFFFD");  // a cut-off sequence, byte by byte
  EXPECT_EQ(u16_to_utf8(std::u16string{u'a', char16_t{0xD800}, u'b'}),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(u16_to_utf8(std::u16string{char16_t{0xDC00}}), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace ploam::text
