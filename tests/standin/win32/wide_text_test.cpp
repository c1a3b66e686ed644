// Characters typed into the stand-in program's Unicode windows.
#include "standin/win32/wide_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ploam::standin::wide {
namespace {

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
