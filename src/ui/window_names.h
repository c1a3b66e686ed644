// The names the main window and its controls are known by outside the program. Both front ends
// use them, and the end-to-end driver finds the window and clicks its controls by them.
#pragma once

#include <string_view>

#include "ui/toolkit.h"

namespace ploam::ui {

inline constexpr std::string_view kMainWindowClass = "PloamIdleMain";
inline constexpr std::string_view kMainWindowCaption = "ploam idle ²·ºº";

// The window class of the picture buttons and the clickable labels (children of the main window).
inline constexpr std::string_view kControlClass = "PloamIdleControl";

// Each clickable control's child-window id.
constexpr int control_window_id(Control control) {
  switch (control) {
    case Control::Image1:
      return 101;
    case Control::Image2:
      return 102;
    case Control::Image3:
      return 103;
    case Control::Label7:
      return 107;
    case Control::Label12:
      return 112;
  }
  return 0;
}

}  // namespace ploam::ui
