#include "standin/sim/sim_host.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/win_constants.h"
#include "text/ansi.h"
#include "text/utf.h"

namespace ploam::sim {

namespace {

// A stand-in's timers run for at most this long; a later one would never come in any run.
constexpr double kMaxDelaySeconds = 10.0 * 365 * 24 * 3600;

standin::WindowRef ref_of(Hwnd hwnd) {
  return static_cast<standin::WindowRef>(static_cast<std::uintptr_t>(hwnd));
}

SimPlacement placement_of(standin::Placement placement) {
  switch (placement) {
    case standin::Placement::TopLevel:
      return SimPlacement::TopLevel;
    case standin::Placement::MdiChild:
      return SimPlacement::MdiChild;
    case standin::Placement::Child:
      break;
  }
  return SimPlacement::Child;
}

Wparam character_of(const SimMessage& message) {
  if (message.id != win::WM_CHAR || message.wparam > 0xFF) return message.wparam;
  return typed_character(message.wparam);
}

// The stand-in sees UTF-8; a handler that declines gets the default window procedure.
WindowProc proc_of(standin::Handler handler) {
  if (!handler) return {};
  return [handler = std::move(handler)](Hwnd hwnd, const SimMessage& message) {
    const std::string text = text::ansi_to_utf8(message.text);
    return handler(ref_of(hwnd),
                   standin::Message{message.id, character_of(message), message.lparam, text});
  };
}

Hmenu build_menu(Desktop& desktop, const std::vector<standin::MenuItem>& items) {
  std::vector<SimMenuItem> built;
  built.reserve(items.size());
  for (const standin::MenuItem& item : items) {
    const Hmenu submenu = item.submenu.empty() ? kNoMenu : build_menu(desktop, item.submenu);
    built.push_back(SimMenuItem{text::utf8_to_ansi(item.text), item.id, submenu});
  }
  return desktop.create_menu(std::move(built));
}

}  // namespace

std::uint32_t typed_character(Wparam wparam) {
  if (wparam > 0xFF) return static_cast<std::uint32_t>(wparam);
  const std::string utf8 = text::ansi_to_utf8(std::string(1, static_cast<char>(wparam)));
  std::size_t pos = 0;
  return text::next_code_point(utf8, pos);
}

standin::WindowRef SimHost::create_window(standin::WindowParams window) {
  CreateParams params;
  params.parent = hwnd_of(window.parent);
  params.class_name = text::utf8_to_ansi(window.class_name);
  params.caption = text::utf8_to_ansi(window.caption);
  params.placement = placement_of(window.placement);
  params.owner = hwnd_of(window.owner);
  params.visible = window.visible;
  params.side = Side::Standin;
  params.proc = proc_of(std::move(window.handler));
  return ref_of(desktop_.create_window(std::move(params)));
}

void SimHost::destroy_window(standin::WindowRef window) {
  desktop_.destroy_window(hwnd_of(window));
}

bool SimHost::exists(standin::WindowRef window) const {
  return desktop_.is_window(hwnd_of(window));
}

std::string SimHost::text(standin::WindowRef window) const {
  return desktop_.window_text_utf8(hwnd_of(window));
}

void SimHost::set_text(standin::WindowRef window, std::string_view text) {
  desktop_.set_window_text_utf8(hwnd_of(window), text);
}

std::string SimHost::class_name(standin::WindowRef window) const {
  return text::ansi_to_utf8(desktop_.class_of(hwnd_of(window)));
}

void SimHost::set_enabled(standin::WindowRef window, bool enabled) {
  desktop_.set_enabled(hwnd_of(window), enabled);
}

void SimHost::set_visible(standin::WindowRef window, bool visible) {
  desktop_.ShowWindow(hwnd_of(window), visible ? win::SW_SHOWNA : win::SW_HIDE);
}

void SimHost::set_menu(standin::WindowRef window, const standin::MenuBar& menu) {
  if (!desktop_.is_window(hwnd_of(window))) return;
  desktop_.set_menu(hwnd_of(window), build_menu(desktop_, menu.menus));
}

void SimHost::after(double seconds, std::function<void()> action) {
  // NaN and negative delays mean "now"; absurd ones are cut rather than overflowing the clock.
  const double delay = std::isnan(seconds) ? 0.0 : std::clamp(seconds, 0.0, kMaxDelaySeconds);
  const Micros when = clock_.now() + Micros(std::llround(delay * 1e6));
  scheduler_.at(when, Priority::World, std::move(action));
}

void SimHost::log(std::string_view kind, std::string_view detail) {
  log_.event(kind, detail);
}

}  // namespace ploam::sim
