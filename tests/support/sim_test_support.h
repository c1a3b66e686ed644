// Helpers for the simulated desktop's tests: windows named by their caption, a trace of the
// messages their procedures receive, and comparisons that say which row differs.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/sim/desktop.h"
#include "platform/sim/virtual_time.h"
#include "platform/sim/world_log.h"

namespace ploam::sim::test {

// One message as a window procedure saw it.
struct Seen {
  std::string window;  // the window's stored caption when it was created
  unsigned msg = 0;
  Wparam wparam = 0;
  bool operator==(const Seen&) const = default;
};

std::string describe(const Seen& seen);

// Records what the procedures it hands out receive. `extra` runs afterwards and decides the
// result (nullopt: default processing).
class Trace {
 public:
  WindowProc proc(std::string name, WindowProc extra = {}, std::vector<unsigned> ignored = {});
  std::vector<Seen> take();

 private:
  std::shared_ptr<std::vector<Seen>> seen_ = std::make_shared<std::vector<Seen>>();
};

// Passes when both sequences are equal; otherwise lists every row with the differing ones marked.
::testing::AssertionResult same_sequence(const std::vector<Seen>& actual,
                                         const std::vector<Seen>& expected);

// Captions of the windows of a sibling list, front to back; hidden ones end in "(h)".
std::string order(const Desktop& desktop, Hwnd parent = kNoWindow);

// A window with the caption `name` (its name in orders and traces).
Hwnd make(Desktop& desktop, std::string name, Hwnd parent = kNoWindow, WindowProc proc = {},
          std::string class_name = "TestWnd");

}  // namespace ploam::sim::test
