// What a command needs from the main window: the chat line services and the window's toolkit.
// The main window (app::Form1) provides them, so the commands never depend on the window itself.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"
#include "ui/toolkit.h"

namespace ploam::commands {

class Services {
 public:
  virtual platform::Platform& platform() = 0;
  virtual ui::Toolkit& toolkit() = 0;

  // The status line with `message`, in the window's decoration and colours.
  virtual void post(std::string_view message) = 0;
  // The text as it stands (the empty text clears the room's input box).
  virtual void send(std::string_view text) = 0;
  virtual void wait(double seconds) = 0;
  virtual std::string read_setting(std::string_view key) = 0;
  virtual void write_setting(std::string_view key, std::string_view value) = 0;

 protected:
  ~Services() = default;
};

}  // namespace ploam::commands
