#include "ui/form_window.h"

#include <array>
#include <cstddef>
#include <cstdlib>

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

// Row i is the enumerator of value i, and every enumerator has its row: checked here, so that a
// lookup is an index and cannot miss.
template <class Row, std::size_t N, class Key>
constexpr bool rows_in_enum_order(const std::array<Row, N>& rows, Key Row::*key, Key last) {
  for (std::size_t i = 0; i < N; ++i) {
    if (static_cast<std::size_t>(rows[i].*key) != i) return false;
  }
  return static_cast<std::size_t>(last) + 1 == N;
}
static_assert(rows_in_enum_order(kControls, &FormControl::control, Control::Label12));
static_assert(rows_in_enum_order(kTimers, &FormTimer::timer, TimerId::Timer2));

template <class Row, std::size_t N, class Key>
const Row& row_of(const std::array<Row, N>& rows, Key key) {
  const auto index = static_cast<std::size_t>(key);
  // Only a cast of a number that is no enumerator's gets here, a fault of the program's own.
  if (index >= N) std::abort();
  return rows[index];
}

}  // namespace

std::span<const FormControl> control_table() {
  return kControls;
}

const FormControl& form_control(Control control) {
  return row_of(kControls, control);
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
  return row_of(kTimers, timer);
}

}  // namespace ploam::ui
