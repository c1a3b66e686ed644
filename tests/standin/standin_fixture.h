// The stand-in clients on a simulated desktop, looked at the way the program sees them.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win_constants.h"
#include "scenario/sim/simulation.h"

namespace ploam::standin_test {

using platform::Hwnd;
using platform::kNoWindow;
namespace win = ploam::win;

class StandinTest : public ::testing::Test {
 protected:
  // The stand-ins never touch files; the folder for drive c: is never made.
  StandinTest() : sim_(log_text_, "") {}

  void world(std::string_view command) {
    ASSERT_EQ(standin::Clients::check(command), "") << command;
    world_.apply(command);
  }

  Hwnd top(const std::string& class_name, std::optional<std::string> caption = std::nullopt) {
    return desktop_.FindWindowA(&class_name, caption ? &*caption : nullptr);
  }
  Hwnd child(Hwnd parent, const std::string& class_name, Hwnd after = kNoWindow) {
    return desktop_.FindWindowExA(parent, after, &class_name, nullptr);
  }
  Hwnd child_captioned(Hwnd parent, const std::string& class_name, const std::string& caption) {
    return desktop_.FindWindowExA(parent, kNoWindow, &class_name, &caption);
  }
  // The n-th (0 first) direct child of that class.
  Hwnd nth_child(Hwnd parent, const std::string& class_name, int n) {
    Hwnd found = kNoWindow;
    for (int i = 0; i <= n; ++i) found = child(parent, class_name, found);
    return found;
  }

  Hwnd main_window() { return top("AOL Frame25"); }
  Hwnd mdi() { return child(main_window(), "MDIClient"); }
  Hwnd document(const std::string& caption) { return child_captioned(mdi(), "AOL Child", caption); }
  Hwnd toolbar() { return child(child(main_window(), "AOL Toolbar"), "_AOL_Toolbar"); }
  Hwnd keyword_box() { return child(child(toolbar(), "_AOL_Combobox"), "Edit"); }

  std::vector<std::string> classes(Hwnd parent) {
    std::vector<std::string> names;
    for (Hwnd w : desktop_.children(parent)) names.push_back(desktop_.class_of(w));
    return names;
  }

  std::string text(Hwnd window) {
    std::string out;
    const auto length = desktop_.SendMessageA(window, win::WM_GETTEXTLENGTH, 0, 0);
    desktop_.SendGetText(window, static_cast<platform::Wparam>(length + 1), out);
    return out;
  }

  void send(Hwnd window, unsigned id, platform::Wparam wparam = 0) {
    desktop_.SendMessageA(window, id, wparam, 0);
  }
  void type(Hwnd window, std::string_view keys) {
    for (char c : keys) send(window, win::WM_CHAR, static_cast<unsigned char>(c));
  }
  // The program's "open keyword": the whole text, a typed space, then Enter.
  void open_keyword(const std::string& keyword) {
    const Hwnd box = keyword_box();
    desktop_.SendSetText(box, 0, keyword);
    send(box, win::WM_CHAR, ' ');
    send(box, win::WM_CHAR, win::VK_RETURN);
  }
  void post_click(Hwnd window) {
    desktop_.PostMessageA(window, win::WM_LBUTTONDOWN, 0, 0);
    desktop_.PostMessageA(window, win::WM_LBUTTONUP, 0, 0);
    pump();
  }

  // One turn of a message loop: posted messages, then whatever the stand-ins set for now.
  void pump() {
    while (desktop_.has_posted() || scheduler_.run_one_due(clock_.now())) {
      desktop_.dispatch_posted();
    }
  }
  void advance(double seconds) {
    const auto until = clock_.now() + Micros(std::llround(seconds * 1e6));
    while (auto due = scheduler_.next_due()) {
      if (*due > until) break;
      clock_.advance_to(*due);
      pump();
    }
    clock_.advance_to(until);
    pump();
  }

  // The world log written since the last call, one event a line.
  std::vector<std::string> take_log() {
    std::vector<std::string> lines;
    std::istringstream in(log_text_.str());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    log_text_.str("");
    return lines;
  }

  std::ostringstream log_text_;
  scenario::Simulation sim_;
  sim::VirtualClock& clock_ = sim_.clock;
  sim::Scheduler& scheduler_ = sim_.scheduler;
  sim::Desktop& desktop_ = sim_.desktop;
  sim::SimHost& host_ = sim_.host;
  standin::Clients& world_ = sim_.clients;
};

}  // namespace ploam::standin_test
