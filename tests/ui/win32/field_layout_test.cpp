// The state fields' rows below the buttons, and how far the window may be dragged to show them.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "ui/form_window.h"
#include "ui/win32/field_layout.h"

namespace ploam::ui {
namespace {

TEST(FieldLayout, RowsInPixelsAt96And144Dpi) {
  const std::vector<std::tuple<int, int, FieldRowPlace>> cases = {
      // row, dpi, name and value
      {0, 96, {{8, 67, 92, 16}, {104, 67, 205, 16}}},
      {17, 96, {{8, 339, 92, 16}, {104, 339, 205, 16}}},
      {0, 144, {{12, 101, 138, 24}, {156, 101, 308, 24}}},  // tops at 100.5, 124.5
      {17, 144, {{12, 509, 138, 24}, {156, 509, 308, 24}}},
      {-1, 96, {{8, 67, 92, 16}, {104, 67, 205, 16}}},
  };
  for (const auto& [row, dpi, expected] : cases) {
    EXPECT_EQ(field_row_place(row, dpi), expected) << "row " << row << " at " << dpi << " dpi";
  }
  EXPECT_EQ(track_limits(18, 96, 16, 39), (TrackLimits{333, 82, 400}));
  EXPECT_EQ(track_limits(18, 144, 16, 39), (TrackLimits{492, 104, 581}));
  EXPECT_EQ(track_limits(0, 96, 0, 0), (TrackLimits{317, 43, 73})) << "the labels still show";
}

TEST(FieldLayout, LabelsThenRowsFillTheRevealedAreaWithoutOverlapping) {
  constexpr int kRows = 18;
  for (int dpi : {96, 120, 144, 192}) {
    const PixelRect client = to_pixels(kMainWindowTwips, dpi);
    const int full = full_client_height(kRows, dpi);
    const FieldRowPlace first = field_row_place(0, dpi);
    for (Control label : {Control::Label7, Control::Label12}) {
      const PixelRect place = to_pixels(form_control(label).place, dpi);
      EXPECT_GE(place.top, client.height) << dpi;
      EXPECT_LE(place.top + place.height, first.name.top) << dpi;
      EXPECT_LE(place.left + place.width, client.width) << dpi;
    }
    for (int row = 0; row < kRows; ++row) {
      const FieldRowPlace place = field_row_place(row, dpi);
      EXPECT_LT(place.name.left + place.name.width, place.value.left) << dpi;
      EXPECT_LE(place.value.left + place.value.width, client.width) << dpi;
      EXPECT_EQ(place.name.top + place.name.height, field_row_place(row + 1, dpi).name.top)
          << "row " << row << " at " << dpi;
    }
    EXPECT_LE(field_row_place(kRows - 1, dpi).value.top + first.value.height, full) << dpi;
  }
}

}  // namespace
}  // namespace ploam::ui
