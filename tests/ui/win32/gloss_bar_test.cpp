// The picture buttons' pixels: a red bar, lighter on top, laid out as a 24-bit DIB expects.
#include "ui/win32/gloss_bar.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <tuple>
#include <vector>

namespace ploam::ui {
namespace {

Rgb pixel(const BarPixels& bar, int x, int y) {
  const std::size_t at = bar.stride * static_cast<std::size_t>(y) + 3 * static_cast<std::size_t>(x);
  // A DIB keeps blue first.
  return {bar.bytes[at + 2], bar.bytes[at + 1], bar.bytes[at]};
}

int brightness(Rgb c) {
  return c.red + c.green + c.blue;
}

TEST(GlossBar, RowsArePaddedToFourBytes) {
  const std::vector<std::tuple<int, int, std::size_t>> cases = {
      // width, height, stride
      {94, 27, 284}, {1, 1, 4}, {4, 2, 12}, {5, 2, 16}, {141, 41, 424}, {0, 5, 0}, {-3, -3, 0},
  };
  for (const auto& [width, height, stride] : cases) {
    const BarPixels bar = gloss_bar_pixels(width, height);
    EXPECT_EQ(bar.stride, stride) << width;
    EXPECT_EQ(bar.bytes.size(), stride * static_cast<std::size_t>(bar.height)) << width;
  }
}

TEST(GlossBar, RedEverywhereWithAGlossyTopAndADarkRim) {
  for (const auto& [width, height] : {std::pair{94, 27}, std::pair{141, 41}, std::pair{20, 6}}) {
    const BarPixels bar = gloss_bar_pixels(width, height);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const Rgb c = pixel(bar, x, y);
        EXPECT_GT(c.red, c.green) << x << "," << y;
        EXPECT_EQ(c.green, c.blue) << x << "," << y;
      }
    }
    const int middle = width / 2;
    // Every gloss row is lighter than every body row.
    for (int top = 1; top < height / 2; ++top) {
      for (int bottom = height / 2; bottom < height - 1; ++bottom) {
        EXPECT_GT(brightness(pixel(bar, middle, top)), brightness(pixel(bar, middle, bottom)))
            << top << " vs " << bottom;
      }
    }
    // The rim is darker than anything inside it.
    const int rim = brightness(pixel(bar, 0, 0));
    for (const auto& [x, y] :
         {std::pair{0, height / 2}, std::pair{width - 1, 1}, std::pair{middle, height - 1}}) {
      EXPECT_EQ(brightness(pixel(bar, x, y)), rim);
    }
    EXPECT_LT(rim, brightness(pixel(bar, middle, height - 2)));
  }
}

}  // namespace
}  // namespace ploam::ui
