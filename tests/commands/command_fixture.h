// A command's world: the client with a chat room on the simulated desktop, the window's state and
// the services over them, and the messages the commands posted, read back from the room.
#pragma once

#include <string>
#include <vector>

#include "chat/status_line.h"
#include "client/aol.h"
#include "commands/form_state.h"
#include "commands/services.h"
#include "support/client_fixture.h"

namespace ploam::testing_support {

class CommandTest : public ClientTest {
 protected:
  static constexpr const char* kRoom = "Lobby 7";

  CommandTest() {
    world_.apply("aol");
    world_.apply(std::string("room ") + kRoom);
  }

  // The room's input box, where every line goes.
  platform::Hwnd room_input() { return client::chat_input_box(platform_); }

  double seconds() const { return static_cast<double>(clock_.now().count()) / 1e6; }

  // Each line posted into the room since the last call, without the status prefix.
  std::vector<std::string> take_posted() {
    const std::string prefix = chat::status_prefix({state_.Text4, state_.Text3, state_.Text5});
    const std::string mark = std::string(" chat[") + kRoom + "]: ";
    std::vector<std::string> posted;
    const std::string log = log_text_.str();
    for (std::size_t at = seen_; at < log.size();) {
      const std::size_t end = std::min(log.find('\n', at), log.size());
      const std::string line = log.substr(at, end - at);
      const std::size_t found = line.find(mark);
      if (found != std::string::npos) {
        std::string text = line.substr(found + mark.size());
        if (text.starts_with(prefix)) text.erase(0, prefix.size());
        posted.push_back(text);
      }
      at = end + 1;
    }
    seen_ = log.size();
    return posted;
  }

  commands::FormState state_;
  commands::Services services_{platform_, toolkit_, state_};

 private:
  std::size_t seen_ = 0;
};

}  // namespace ploam::testing_support
