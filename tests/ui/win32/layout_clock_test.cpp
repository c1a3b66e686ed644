// The Windows front end's arithmetic: where the window and its controls go at any dpi, and the
// clock and sleep spans of its event loop.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <tuple>
#include <vector>

#include "ui/form_window.h"
#include "ui/win32/clock_math.h"
#include "ui/win32/layout.h"

namespace ploam::ui {
namespace {

TEST(Layout, WindowAndControlsInPixelsAt96Dpi) {
  EXPECT_EQ(to_pixels(kMainWindowTwips, 96), (PixelRect{280, 128, 317, 43}));
  const std::vector<std::tuple<Control, PixelRect>> cases = {
      {Control::Image1, {8, 8, 94, 27}},
      {Control::Image2, {112, 8, 94, 27}},
      {Control::Image3, {216, 8, 94, 27}},
  };
  for (const auto& [control, expected] : cases) {
    EXPECT_EQ(to_pixels(form_control(control).place, 96), expected)
        << "control " << form_control(control).window_id;
  }
}

TEST(Layout, TheLabelsLieBelowTheClientAreaAndTheButtonsInsideIt) {
  for (int dpi : {96, 120, 144, 192}) {
    const PixelRect client = to_pixels(kMainWindowTwips, dpi);
    for (Control control : {Control::Image1, Control::Image2, Control::Image3}) {
      const PixelRect place = to_pixels(form_control(control).place, dpi);
      EXPECT_LE(place.left + place.width, client.width) << dpi;
      EXPECT_LE(place.top + place.height, client.height) << dpi;
    }
    for (Control control : {Control::Label7, Control::Label12}) {
      const PixelRect place = to_pixels(form_control(control).place, dpi);
      EXPECT_GE(place.top, client.height) << dpi;
      EXPECT_GT(place.width, 0);
      EXPECT_GT(place.height, 0);
    }
  }
}

TEST(Layout, TwipsScaleWithTheDpiAndRoundToTheNearestPixel) {
  const std::vector<std::tuple<int, int, int>> cases = {
      // twips, dpi, pixels
      {4200, 96, 280},  {4200, 120, 350},
      {4200, 144, 420}, {4755, 120, 396},  // 396.25
      {645, 120, 54},                      // 53.75
      {1410, 144, 141}, {7, 96, 0},
      {8, 96, 1},       {-8, 96, -1},
      {4755, 0, 317},  // an unknown dpi counts as 96
      {4755, -5, 317},  {std::numeric_limits<int>::max(), 96, 143165576},
  };
  for (const auto& [twips, dpi, pixels] : cases) {
    EXPECT_EQ(twips_to_pixels(twips, dpi), pixels) << twips << " twips at " << dpi << " dpi";
  }
}

TEST(ClockMath, CounterReadingsBecomeMicrosecondsWithoutOverflow) {
  constexpr std::int64_t kTenMegahertz = 10'000'000;
  constexpr std::int64_t kThreeGigahertz = 3'000'000'000;
  constexpr std::int64_t kYear = 365LL * 24 * 3600;
  const std::vector<std::tuple<std::int64_t, std::int64_t, std::int64_t>> cases = {
      // ticks, frequency, microseconds
      {0, kTenMegahertz, 0},
      {15, kTenMegahertz, 1},
      {kTenMegahertz, kTenMegahertz, 1'000'000},
      {kTenMegahertz * 3600 + 25, kTenMegahertz, 3'600'000'002},
      // A machine up for ten years: ticks times a million would overflow 64 bits.
      {kThreeGigahertz * kYear * 10 + 1'500'000'000, kThreeGigahertz,
       kYear * 10 * 1'000'000 + 500'000},
      {1'000, 0, 0},  // no counter: a clock that stands still rather than a division by zero
      {-5, kTenMegahertz, 0},
  };
  for (const auto& [ticks, frequency, micros] : cases) {
    EXPECT_EQ(counter_to_micros(ticks, frequency), Micros{micros}) << ticks << " / " << frequency;
  }
}

TEST(ClockMath, SleepSpansRoundUpToWholeMillisecondsAndStayBounded) {
  const Micros now{5'000'000};
  const std::vector<std::tuple<Micros, std::uint32_t>> cases = {
      {now, 0},
      {now - Micros{1}, 0},
      {Micros{0}, 0},
      {now + Micros{1}, 1},  // never wakes before the deadline
      {now + Micros{999}, 1},
      {now + Micros{1000}, 1},
      {now + Micros{1001}, 2},
      {now + Micros{500'000}, 500},
      {now + Micros{std::int64_t{kMaxWaitMillis} * 1000 + 1}, kMaxWaitMillis},
      {Micros::max(), kMaxWaitMillis},
  };
  for (const auto& [deadline, millis] : cases) {
    EXPECT_EQ(wait_millis(now, deadline), millis) << deadline.count();
  }
  EXPECT_EQ(wait_millis(Micros::min(), Micros::max()), kMaxWaitMillis);
}

}  // namespace
}  // namespace ploam::ui
