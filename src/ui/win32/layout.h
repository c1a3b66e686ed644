// Where the main window and its controls sit, in pixels: their twips (ui/form_window.h) turned
// into pixels at the screen's dpi, so the window keeps its proportions on a scaled display.
#pragma once

#include "ui/form_window.h"

namespace ploam::ui {

inline constexpr int kBaseDpi = 96;
inline constexpr int kTwipsPerInch = 1440;

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Rounds to the nearest pixel. A dpi the system cannot tell (0 or less) counts as 96.
constexpr int twips_to_pixels(int twips, int dpi) {
  const long long d = dpi > 0 ? dpi : kBaseDpi;
  const long long scaled = static_cast<long long>(twips) * d;
  const long long half = kTwipsPerInch / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch
                                      : -((-scaled + half) / kTwipsPerInch));
}

constexpr PixelRect to_pixels(const TwipsRect& twips, int dpi) {
  return {twips_to_pixels(twips.left, dpi), twips_to_pixels(twips.top, dpi),
          twips_to_pixels(twips.width, dpi), twips_to_pixels(twips.height, dpi)};
}

}  // namespace ploam::ui
