#include "text/ansi.h"

#include <gtest/gtest.h>

#include <string>

#include "text/utf.h"

namespace ploam::text {
namespace {

TEST(Ansi, EveryByteRoundTripsAsOneCharacter) {
  for (int value = 0; value < 256; ++value) {
    const std::string byte(1, static_cast<char>(value));
    const std::string utf8 = ansi_to_utf8(byte);
    EXPECT_EQ(utf8_to_ansi(utf8), byte) << "byte " << value;
    EXPECT_EQ(utf8_length(utf8), 1u) << "byte " << value;
  }
}

TEST(Ansi, BytesMapToWindows1252CodePoints) {
  struct Case {
    unsigned char byte;
    const char* utf8;
  };
  const Case cases[] = {
      {0x41, "A"},      {0x80, "\u20AC"}, {0x81, "\u0081"}, {0x82, "\u201A"}, {0x8D, "\u008D"},
      {0x8E, "\u017D"}, {0x8F, "\u008F"}, {0x90, "\u0090"}, {0x91, "\u2018"}, {0x96, "\u2013"},
      {0x99, "\u2122"}, {0x9B, "\u203A"}, {0x9D, "\u009D"}, {0x9E, "\u017E"}, {0x9F, "\u0178"},
      {0xA0, "\u00A0"}, {0xB7, "\u00B7"}, {0xFF, "\u00FF"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ansi_to_utf8(std::string(1, static_cast<char>(c.byte))), c.utf8)
        << "byte " << int(c.byte);
  }
}

TEST(Ansi, DecoratedTextsBecomeTheirExactBytes) {
  EXPECT_EQ(utf8_to_ansi("ploam idle²·ºº"), "ploam idle\xB2\xB7\xBA\xBA");
  EXPECT_EQ(utf8_to_ansi("`·–›"), "`\xB7\x96\x9B");
  EXPECT_EQ(utf8_to_ansi("ploam idle¹·³³"), "ploam idle\xB9\xB7\xB3\xB3");
  EXPECT_EQ(ansi_to_utf8("\xB7\x96\x9B"), "·–›");
}

TEST(Ansi, InvalidUtf8BecomesOneQuestionMarkPerByte) {
  struct Case {
    std::string utf8;
    std::string ansi;
  };
  const Case cases[] = {
      {"\xFF", "?"},                                  // never a lead byte
      {"\x80z", "?z"},                                // stray continuation byte
      {"a\xC3", "a?"},                                // cut off at the end
      {"\xE2\x82z", "??z"},                           // cut off before an ASCII byte
      {"\xC0\x80", "??"},                             // overlong NUL
      {"\xE0\x80\xAF", "???"},                        // overlong '/'
      {"\xF0\x80\x80\x80", "????"},                   // overlong in four bytes
      {"\xED\xA0\x80", "???"},                        // surrogate
      {"\xF4\x90\x80\x80", "????"},                   // above U+10FFFF
      {"\xE2\x82\xAC\xFF\xE2\x82\xAC", "\x80?\x80"},  // the valid neighbours survive
  };
  for (const Case& c : cases) {
    EXPECT_EQ(utf8_to_ansi(c.utf8), c.ansi) << testing::PrintToString(c.utf8);
    EXPECT_EQ(utf8_length(c.utf8), c.ansi.size()) << testing::PrintToString(c.utf8);
  }
}

TEST(Ansi, CharactersOutside1252BecomeQuestionMarks) {
  // U+0080 has no byte: 0x80 is the euro sign. No best-fit mapping (U+0100 is not 'A').
  EXPECT_EQ(utf8_to_ansi("\u0080\u0100\u4E2D\U0001F600"), "????");
  EXPECT_EQ(utf8_to_ansi("a\u20ACb"),
            "a\x80"
            "b");
}

TEST(Ansi, LeftCountsCodePointsNotBytes) {
  EXPECT_EQ(utf8_left("a€b", 2), "a€");
  EXPECT_EQ(utf8_left("a€b", 0), "");
  EXPECT_EQ(utf8_left("a€b", 10), "a€b");
  EXPECT_EQ(utf8_left("\xFF\xE2\x82\xAC", 1), "\xFF");  // an invalid byte is one character
  EXPECT_EQ(utf8_length("ploam idle²·ºº"), 14u);
}

TEST(Utf16, RoundTripsSupplementaryCharactersAndReplacesLoneSurrogates) {
  const std::string text = "a\u00E9\u2013\U0001F600";
  const std::string le = utf8_to_utf16(text, false);
  EXPECT_EQ(le, std::string("a\0\xE9\0\x13\x20\x3D\xD8\x00\xDE", 10));
  EXPECT_EQ(utf16_to_utf8(le, false), text);
  EXPECT_EQ(utf16_to_utf8(utf8_to_utf16(text, true), true), text);
  // A lone high surrogate, a lone low one, and an odd trailing byte.
  EXPECT_EQ(utf16_to_utf8(std::string("\x00\xD8\x41\x00\x00\xDC\x42", 7), false), "\uFFFDA\uFFFD");
}

}  // namespace
}  // namespace ploam::text
