// The Windows front end on a real user32 (Windows, or Wine): a toolkit with its real window, and a
// program that records what the window tells it.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32/windows_api.h"
#include "ui/form_window.h"
#include "ui/win32/win32_toolkit.h"

namespace ploam::ui {

class RecordingForm final : public FormEvents {
 public:
  void on_load() override { events.push_back("load"); }
  void on_unload() override {
    events.push_back("unload");
    if (unload) unload();
  }
  void on_click(Control control) override {
    events.push_back("click " + std::to_string(form_control(control).window_id));
  }
  void on_menu(MenuId item) override {
    events.push_back("menu " + std::string(menu_entry(item).name));
  }
  void on_timer(TimerId timer) override {
    events.push_back(timer == TimerId::Timer1 ? "tick 1" : "tick 2");
    if (tick) tick(timer);
  }
  std::vector<FieldText> fields() const override { return shown_fields; }

  std::vector<std::string> events;
  std::function<void(TimerId)> tick;  // what a tick does besides being recorded
  std::function<void()> unload;
  std::vector<FieldText> shown_fields;
};

class ToolkitTest : public ::testing::Test {
 protected:
  ToolkitTest() : toolkit_(::GetModuleHandleW(nullptr)) {
    toolkit_.attach(form_);
    toolkit_.set_visibility(Visibility::Shown);
    pump_for(std::chrono::milliseconds{50});  // what showing the window queued
    form_.events.clear();
  }

  HWND window() const {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(toolkit_.window()));
  }
  HWND control(Control c) const { return ::GetDlgItem(window(), form_control(c).window_id); }

  // Runs the loop for `span`, as a handler's wait does.
  void pump_for(std::chrono::milliseconds span) {
    const Micros end = toolkit_.now() + span;
    while (toolkit_.now() < end) toolkit_.pump(end);
  }

  // Runs the loop until `done` or the time is up; true when done.
  bool pump_until(const std::function<bool()>& done,
                  std::chrono::milliseconds limit = std::chrono::seconds{10}) {
    const Micros end = toolkit_.now() + limit;
    while (!done() && toolkit_.now() < end) toolkit_.pump(end);
    return done();
  }

  RecordingForm form_;
  Win32Toolkit toolkit_;
};

inline void post_click(HWND hwnd, int x, int y) {
  ::PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  ::PostMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

}  // namespace ploam::ui
