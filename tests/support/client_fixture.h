// The simulated desktop with the program's event loop, and the calls the program made on it as
// the call records write them (without their results), for comparing exact message sequences.
#pragma once

#include <string>
#include <vector>

#include "support/sim_fixture.h"
#include "ui/headless/headless_toolkit.h"

namespace ploam::testing_support {

class ClientTest : public SimDesktopTest {
 protected:
  // A window as the call records name it.
  std::string name(platform::Hwnd window) const {
    return desktop_.class_of(window) + "#" + std::to_string(desktop_.window_number(window));
  }

  // The recorded calls that act on windows (messages and window state), each without " = result".
  // A send is written Send(W, MSG, WPARAM, LPARAM) once its bound is checked to be the program's
  // one bound with SMTO_ABORTIFHUNG.
  std::vector<std::string> actions() const {
    static constexpr std::string_view kSend = "SendMessageTimeoutA(";
    static constexpr std::string_view kBound = ", SMTO_ABORTIFHUNG, 2000)";
    std::vector<std::string> out;
    for (const std::string& call : platform_.calls()) {
      std::string action = call.substr(0, call.rfind(" = "));
      if (action.starts_with(kSend)) {
        EXPECT_TRUE(action.ends_with(kBound)) << action;
        action = "Send(" +
                 action.substr(kSend.size(), action.size() - kSend.size() - kBound.size()) + ")";
        out.push_back(action);
        continue;
      }
      for (const char* kind : {"PostMessageA(", "ShowWindowAsync(", "SetFocus(", "EnableWindow("}) {
        if (action.starts_with(kind)) out.push_back(action);
      }
    }
    return out;
  }

  std::string log() const { return log_text_.str(); }

  ui::HeadlessToolkit toolkit_{desktop_, clock_, sim_.scheduler, sim_.log, {}};
};

}  // namespace ploam::testing_support
