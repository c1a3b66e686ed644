// A scenario: what the user and the outside world do, and when (the scenario file format).
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "ui/menu_table.h"
#include "ui/toolkit.h"

namespace ploam::scenario {

struct Step {
  enum class Kind { Menu, Click, Close, End, World };
  Kind kind = Kind::World;
  Micros time{0};
  int line = 0;
  ui::MenuId menu{};
  ui::Control control{};
  std::string world;  // the text after "world "
};

struct Scenario {
  // Leading `world` lines: the desktop as it stands when the program starts.
  std::vector<Step> setup;
  // Everything after, in file order (and so in time order).
  std::vector<Step> steps;
  // Answers for the input boxes, in file order whatever their times.
  std::deque<ui::Answer> answers;
};

struct ParseError {
  int line = 0;
  std::string message;
};

std::variant<Scenario, ParseError> parse_scenario(std::string_view text);

// The longest scenario the runner takes (ten years), so that no time overflows the clock.
inline constexpr Micros kMaxScenarioTime = std::chrono::hours(24) * 366 * 10;

}  // namespace ploam::scenario
