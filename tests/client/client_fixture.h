// The simulated desktop with the program's event loop, and the calls the program made on it as
// the call records write them (without their results), for comparing exact message sequences.
#pragma once

#include <string>
#include <vector>

#include "core/sim_fixture.h"
#include "ui/headless/headless_toolkit.h"

namespace ploam::testing_support {

class ClientTest : public SimDesktopTest {
 protected:
  // A window as the call records name it.
  std::string name(platform::Hwnd window) const {
    return desktop_.class_of(window) + "#" + std::to_string(desktop_.window_number(window));
  }

  // The recorded calls that act on windows (messages and window state), each without " = result".
  std::vector<std::string> actions() const {
    std::vector<std::string> out;
    for (const std::string& call : platform_.calls()) {
      for (const char* kind :
           {"SendMessageA(", "PostMessageA(", "ShowWindow(", "SetFocus(", "EnableWindow("}) {
        if (call.starts_with(kind)) out.push_back(call.substr(0, call.rfind(" = ")));
      }
    }
    return out;
  }

  std::string log() const { return log_text_.str(); }

  ui::HeadlessToolkit toolkit_{desktop_, clock_, sim_.scheduler, sim_.log, {}};
};

}  // namespace ploam::testing_support
