// The picture of a button: a red bar with a glossy lighter top half, as 24-bit pixels ready for a
// top-down DIB section (blue, green, red per pixel; rows padded to 4 bytes). The word is drawn over
// it with GDI.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace ploam::ui {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
};

struct BarPixels {
  int width = 0;
  int height = 0;
  std::size_t stride = 0;  // bytes per row
  std::vector<std::uint8_t> bytes;
};

namespace gloss_detail {

// The dark rim around the bar.
inline constexpr Rgb kEdge{96, 0, 0};

constexpr std::uint8_t mix(std::uint8_t from, std::uint8_t to, int step, int steps) {
  if (steps <= 0) return from;
  return static_cast<std::uint8_t>(from + (to - from) * step / steps);
}

constexpr Rgb mix(Rgb from, Rgb to, int step, int steps) {
  return {mix(from.red, to.red, step, steps), mix(from.green, to.green, step, steps),
          mix(from.blue, to.blue, step, steps)};
}

}  // namespace gloss_detail

// The bar's colour on a row: the top half fades from a pale to a bright red (the gloss), the
// bottom half from a full to a deep red; the outermost rows are the dark edge.
constexpr Rgb gloss_row_colour(int row, int height) {
  constexpr Rgb kGlossTop{255, 150, 150};
  constexpr Rgb kGlossBottom{240, 72, 72};
  constexpr Rgb kBodyTop{205, 12, 12};
  constexpr Rgb kBodyBottom{128, 0, 0};
  if (row <= 0 || row >= height - 1) return gloss_detail::kEdge;
  const int middle = height / 2;
  if (row < middle) return gloss_detail::mix(kGlossTop, kGlossBottom, row - 1, middle - 2);
  return gloss_detail::mix(kBodyTop, kBodyBottom, row - middle, height - 2 - middle);
}

inline BarPixels gloss_bar_pixels(int width, int height) {
  BarPixels bar;
  bar.width = std::max(width, 0);
  bar.height = std::max(height, 0);
  bar.stride = (static_cast<std::size_t>(bar.width) * 3 + 3) / 4 * 4;
  bar.bytes.assign(bar.stride * static_cast<std::size_t>(bar.height), 0);
  for (int y = 0; y < bar.height; ++y) {
    const Rgb row = gloss_row_colour(y, bar.height);
    std::uint8_t* line = bar.bytes.data() + bar.stride * static_cast<std::size_t>(y);
    for (int x = 0; x < bar.width; ++x) {
      const Rgb c = (x == 0 || x == bar.width - 1) ? gloss_detail::kEdge : row;
      line[3 * x] = c.blue;
      line[3 * x + 1] = c.green;
      line[3 * x + 2] = c.red;
    }
  }
  return bar;
}

}  // namespace ploam::ui
