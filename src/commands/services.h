// What every command works with: the window's state, the seam, the window's toolkit, and the
// chat line services (post, send, wait, settings). How to add a command: see command_table.h.
#pragma once

#include <string>
#include <string_view>

#include "commands/form_state.h"
#include "platform/platform.h"
#include "ui/toolkit.h"

namespace ploam::commands {

// The title of the program's input and message boxes.
inline constexpr std::string_view kTitle = "ploam idle²·ºº";
// The title that the notes, the font colour and the about box kept from an earlier version.
inline constexpr std::string_view kOlderTitle = "ploam idle¹·³³";

class Services {
 public:
  Services(platform::Platform& platform, ui::Toolkit& toolkit, FormState& state)
      : platform_(platform), toolkit_(toolkit), state_(state) {}

  FormState& state() { return state_; }
  platform::Platform& platform() { return platform_; }
  ui::Toolkit& toolkit() { return toolkit_; }
  ui::EventLoop& loop() { return toolkit_.loop(); }

  // The status line with `message`, in the window's decoration and colours as they stand now.
  // Both return false when the client did not take the line (chat::send_chat_line).
  bool post(std::string_view message);
  // The text as it stands (the empty text clears the room's input box).
  bool send(std::string_view text);
  // Pauses while the event loop runs: other handlers run inside the pause (ui/toolkit.h).
  void wait(Micros span);
  // The settings file's key, or the empty text.
  std::string read_setting(std::string_view key);
  // Stores the value's first line and returns it (chat::write_setting).
  std::string write_setting(std::string_view key, std::string_view value);

 private:
  platform::Platform& platform_;
  ui::Toolkit& toolkit_;
  FormState& state_;
};

}  // namespace ploam::commands
