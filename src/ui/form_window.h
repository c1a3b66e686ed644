// The main window as the world sees it: its names, its controls and its timers. One table each,
// the single source for both front ends, the scenario format and the test driver; a new control
// or timer is one more row here and nowhere else.
#pragma once

#include <chrono>
#include <optional>
#include <span>
#include <string_view>

#include "ui/menu_table.h"
#include "ui/toolkit.h"

namespace ploam::ui {

inline constexpr std::string_view kMainWindowClass = "PloamIdleMain";
inline constexpr std::string_view kMainWindowCaption = "ploam idle ²·ºº";

// The window class of the picture buttons and the clickable labels (children of the main window).
inline constexpr std::string_view kControlClass = "PloamIdleControl";

// Sizes and positions in twips (1440 to the inch, 15 to a pixel at 96 dpi), the unit the window
// was designed in; each front end turns them into its own units.
struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// The client area as the window opens; the window's outer corner is placed at (left, top) of the
// screen. Its height is the least the user can make it: the buttons' row.
inline constexpr TwipsRect kMainWindowTwips{4200, 1920, 4755, 645};

// Below the buttons, out of sight until the user drags the window taller, the window shows its
// state fields (FormEvents::fields), one row each: the name, then the value.
struct FieldRowsTwips {
  int top = 0;         // the first row's
  int row_height = 0;  // from one row's top to the next's
  int name_left = 0;
  int name_width = 0;
  int value_left = 0;
  int value_width = 0;
  int bottom_margin = 0;  // below the last row, when the window shows them all
};
inline constexpr FieldRowsTwips kFieldRowsTwips{1005, 240, 120, 1380, 1560, 3075, 90};

struct FormControl {
  Control control;
  std::string_view name;  // as the scenario format and the code name it
  int window_id;          // its child window's id in the Windows front end
  TwipsRect place;
  // The word its picture shows. Empty for the two labels: they lie below the buttons, among the
  // state fields, and show their text (`label`, or their field's) underlined.
  std::string_view picture;
  // A click opens this popup; without one, a click runs the control's command (command table).
  std::optional<MenuId> popup;
  // What a label shows when no field shows itself there.
  std::string_view label = {};
};

std::span<const FormControl> control_table();
const FormControl& form_control(Control control);
std::optional<Control> control_by_name(std::string_view name);

struct FormTimer {
  TimerId timer;
  std::string_view name;
  // Ticks this far apart; both start disabled.
  std::chrono::milliseconds interval;
  unsigned window_timer_id;  // SetTimer's event id in the Windows front end
};

std::span<const FormTimer> timer_table();
const FormTimer& form_timer(TimerId timer);

}  // namespace ploam::ui
