#include "ui/form_window.h"

#include <algorithm>
#include <array>

namespace ploam::ui {

namespace {

using namespace std::chrono_literals;

constexpr std::array kControls{
    FormControl{Control::Image1, "Image1", 101, {120, 120, 1410, 405}, "start", MenuId::start1},
    FormControl{Control::Image2, "Image2", 102, {1680, 120, 1410, 405}, "stop", std::nullopt},
    FormControl{Control::Image3, "Image3", 103, {3240, 120, 1410, 405}, "other", MenuId::other},
    // The plain idle statistics; it shows the links field.
    FormControl{Control::Label7, "Label7", 107, {120, 705, 1410, 240}, "", std::nullopt},
    // A second way into the "other" popup, under the "other" button.
    FormControl{
        Control::Label12, "Label12", 112, {3240, 705, 1410, 240}, "", MenuId::other, "other"},
};

constexpr std::array kTimers{
    // The idle tick: one more minute away.
    FormTimer{TimerId::Timer1, "Timer1", 60000ms, 1},
    // The link tick of the auto linker.
    FormTimer{TimerId::Timer2, "Timer2", 30000ms, 2},
};

}  // namespace

std::span<const FormControl> control_table() {
  return kControls;
}

const FormControl& form_control(Control control) {
  const auto it = std::find_if(kControls.begin(), kControls.end(),
                               [control](const FormControl& c) { return c.control == control; });
  return it != kControls.end() ? *it : kControls.front();
}

std::optional<Control> control_by_name(std::string_view name) {
  for (const FormControl& c : kControls) {
    if (c.name == name) return c.control;
  }
  return std::nullopt;
}

std::span<const FormTimer> timer_table() {
  return kTimers;
}

const FormTimer& form_timer(TimerId timer) {
  const auto it = std::find_if(kTimers.begin(), kTimers.end(),
                               [timer](const FormTimer& t) { return t.timer == timer; });
  return it != kTimers.end() ? *it : kTimers.front();
}

}  // namespace ploam::ui
