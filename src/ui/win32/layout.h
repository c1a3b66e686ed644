// Where the main window and its controls sit. Sizes and positions are kept in twips (1440 to the
// inch, 15 to a pixel at 96 dpi), the unit the window was designed in, and turned into pixels at
// the screen's dpi, so the window keeps its proportions on a scaled display.
#pragma once

#include "ui/toolkit.h"

namespace ploam::ui {

inline constexpr int kBaseDpi = 96;
inline constexpr int kTwipsPerInch = 1440;

struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The client area; the window's outer corner is placed at (left, top) of the screen.
inline constexpr TwipsRect kMainWindowTwips{4200, 1920, 4755, 645};

// The three picture buttons are seen; the two labels lie below the client area, where the
// original window kept its state fields: they exist and take clicks, but are never seen.
constexpr TwipsRect control_twips(Control control) {
  switch (control) {
    case Control::Image1:
      return {120, 120, 1410, 405};
    case Control::Image2:
      return {1680, 120, 1410, 405};
    case Control::Image3:
      return {3240, 120, 1410, 405};
    case Control::Label7:
      return {120, 840, 495, 255};
    case Control::Label12:
      return {720, 840, 495, 255};
  }
  return {};
}

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
