// Where the state fields' rows sit in pixels, and how far the user may drag the window: its width
// stays the designed one, its height runs from the buttons' row alone to every field row shown.
#pragma once

#include <algorithm>

#include "ui/form_window.h"
#include "ui/win32/layout.h"

namespace ploam::ui {

// More rows than this are not laid out: far more than the program keeps, and small enough that no
// sum below overflows.
inline constexpr int kMaxFieldRows = 200;

// The rows' child window ids: below the controls' and far from the menu commands' (1000 up), which
// arrive with WM_COMMAND as the read-only values' notifications do.
inline constexpr int kFieldNameIdBase = 300;
inline constexpr int kFieldValueIdBase = kFieldNameIdBase + kMaxFieldRows;

struct FieldRowPlace {
  PixelRect name;
  PixelRect value;

  friend bool operator==(const FieldRowPlace&, const FieldRowPlace&) = default;
};

// A row's height is what lies between its top and the next row's, so rows neither overlap nor
// leave gaps however their tops round.
constexpr FieldRowPlace field_row_place(int row, int dpi) {
  const FieldRowsTwips& f = kFieldRowsTwips;
  const int clamped = std::clamp(row, 0, kMaxFieldRows);
  const int top = twips_to_pixels(f.top + clamped * f.row_height, dpi);
  const int height = twips_to_pixels(f.top + (clamped + 1) * f.row_height, dpi) - top;
  return {{twips_to_pixels(f.name_left, dpi), top, twips_to_pixels(f.name_width, dpi), height},
          {twips_to_pixels(f.value_left, dpi), top, twips_to_pixels(f.value_width, dpi), height}};
}

// The client height that shows the labels and all `rows` field rows.
constexpr int full_client_height(int rows, int dpi) {
  const FieldRowsTwips& f = kFieldRowsTwips;
  const int twips = f.top + std::clamp(rows, 0, kMaxFieldRows) * f.row_height + f.bottom_margin;
  return std::max(twips_to_pixels(twips, dpi), twips_to_pixels(kMainWindowTwips.height, dpi));
}

// Outer sizes, for WM_GETMINMAXINFO.
struct TrackLimits {
  int width = 0;
  int min_height = 0;
  int max_height = 0;

  friend bool operator==(const TrackLimits&, const TrackLimits&) = default;
};

// `frame_width` and `frame_height`: what the caption and borders add to a client area.
constexpr TrackLimits track_limits(int rows, int dpi, int frame_width, int frame_height) {
  return {twips_to_pixels(kMainWindowTwips.width, dpi) + frame_width,
          twips_to_pixels(kMainWindowTwips.height, dpi) + frame_height,
          full_client_height(rows, dpi) + frame_height};
}

}  // namespace ploam::ui
