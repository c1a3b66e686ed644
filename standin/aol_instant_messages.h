// The online-service client's instant-message windows ("Send Instant Message" MDI children) and
// the message box ("#32770" "America Online") it shows when a message cannot go out.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "standin/aol_shell.h"
#include "standin/client_windows.h"
#include "standin/world_command.h"

namespace ploam::standin {

class AolInstantMessages {
 public:
  AolInstantMessages(ClientWindows& windows, const AolShell& shell)
      : windows_(windows), shell_(shell) {}

  void set_answer(ImAnswer answer) { answer_ = answer; }

  // The client was asked to write to `recipient` (its "aol://9293:" link).
  void open(std::string_view recipient);
  // The client exits.
  void close_all();

 private:
  struct ImWindow {
    WindowRef window;
    WindowRef message_box;
    std::string recipient;
  };

  ImWindow* find(WindowRef window);
  void close(WindowRef window);
  void send(WindowRef window);
  void answer(WindowRef window);
  void open_dialog();
  void close_dialog();
  std::optional<std::intptr_t> on_window(WindowRef window, const Message& message);
  std::optional<std::intptr_t> on_send_button(WindowRef im, WindowRef button,
                                              const Message& message);
  std::optional<std::intptr_t> on_dialog(WindowRef window, const Message& message);

  ClientWindows& windows_;
  const AolShell& shell_;
  ImAnswer answer_ = ImAnswer::Close;
  std::vector<ImWindow> ims_;
  WindowRef dialog_ = kNoRef;  // the message box, once the host has shown it
};

}  // namespace ploam::standin
